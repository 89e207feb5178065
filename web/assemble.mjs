// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Puts the page together from the built core: the site folder, and the
// single file with everything inlined.
// Usage: node assemble.mjs BUILD_DIR SITE_DIR SINGLE_FILE
import { createHash } from 'node:crypto';
import { mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const [build, site, single] = process.argv.slice(2);
const here = dirname(fileURLToPath(import.meta.url));
const top = join(here, '..');
const source = (name) => readFileSync(join(here, name), 'utf8');
const built = (name) => readFileSync(join(build, name));

const design = JSON.parse(built('design.json'));
const desktop = readFileSync(join(top, 'packaging/bg.korvelata.korvelata.desktop'), 'utf8');
const description = desktop.match(/^Comment\[bg\]=(.*)$/m)[1];

const digest = (data) => createHash('sha256').update(data).digest('base64');
const fill = (template, values) =>
    template.replace(/@([A-Z]+)@/g, (_, key) => {
        if (!(key in values)) {
            throw new Error(`no value for @${key}@`);
        }
        return values[key];
    });
const page = {
    CAPTION: design.Caption,
    DESCRIPTION: description,
    THEME: design.ColourWindow,
    // Inside a script element, where "</" could end it.
    DESIGN: JSON.stringify(design).replace(/</g, '\\u003c'),
};

// Scripts and styles go into the file as they are; none may end its element early.
const inline = (tag, text) => {
    if (text.includes(`</${tag}`)) {
        throw new Error(`a ${tag} holds </${tag}`);
    }
    return `<${tag}>${text}</${tag}>`;
};

// The site: every file from this origin, and a worker that keeps them.
rmSync(site, { recursive: true, force: true });
mkdirSync(site, { recursive: true });
const files = {
    'index.html': fill(source('index.html'), {
        ...page,
        POLICY: [
            "default-src 'none'",
            "script-src 'self' 'wasm-unsafe-eval'",
            "style-src 'self'",
            "img-src 'self'",
            "connect-src 'self'",
            "manifest-src 'self'",
            "worker-src 'self'",
            "base-uri 'none'",
            "form-action 'none'",
        ].join('; '),
        HEAD: [
            '<link rel="stylesheet" href="page.css">',
            '<link rel="manifest" href="manifest.webmanifest">',
            '<link rel="icon" href="korvelata.svg" type="image/svg+xml">',
            '<link rel="apple-touch-icon" href="korvelata-192.png">',
        ].join('\n'),
        SCRIPTS: '<script src="page.js"></script>',
    }),
    'page.css': source('page.css'),
    'page.js': source('page.js'),
    'core.js': built('core.js'),
    'core.wasm': built('core.wasm'),
    'manifest.webmanifest': fill(source('manifest.webmanifest'), page),
    'korvelata.svg': readFileSync(join(top, 'packaging/korvelata.svg')),
    'korvelata-192.png': built('korvelata-192.png'),
    'korvelata-512.png': built('korvelata-512.png'),
};
const version = createHash('sha256');
for (const [name, data] of Object.entries(files)) {
    version.update(name).update(data);
    writeFileSync(join(site, name), data);
}
writeFileSync(join(site, 'sw.js'), fill(source('sw.js'), {
    VERSION: `korvelata-${version.digest('hex').slice(0, 16)}`,
    FILES: JSON.stringify(['./', ...Object.keys(files)]),
}));

// The single file: no worker and no manifest, since it opens from anywhere,
// file:// included; its policy names the inlined script and style by digest.
const style = source('page.css');
const scripts = [built('core-inline.js').toString(), source('page.js')];
const icon = `data:image/svg+xml;base64,${readFileSync(join(top, 'packaging/korvelata.svg')).toString('base64')}`;
writeFileSync(single, fill(source('index.html'), {
    ...page,
    POLICY: [
        "default-src 'none'",
        `script-src ${scripts.map((s) => `'sha256-${digest(s)}'`).join(' ')} 'wasm-unsafe-eval'`,
        `style-src 'sha256-${digest(style)}'`,
        'img-src data:',
        // The core reads its inlined WebAssembly through fetch() first.
        'connect-src data:',
        "base-uri 'none'",
        "form-action 'none'",
    ].join('; '),
    HEAD: `${inline('style', style)}\n<link rel="icon" href="${icon}" type="image/svg+xml">`,
    SCRIPTS: scripts.map((s) => inline('script', s)).join('\n'),
}));
