// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Puts the page together from the built core and the design table: the site
// folder, and the single file with everything inlined.
// Usage: node assemble.mjs BUILD_DIR SITE_DIR SINGLE_FILE
import { createHash } from 'node:crypto';
import { mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { WindowMarkup, WindowStyle } from './window.mjs';

const [build, site, single] = process.argv.slice(2);
const here = dirname(fileURLToPath(import.meta.url));
const top = join(here, '..');
const source = (name) => readFileSync(join(here, name), 'utf8');
const built = (name) => readFileSync(join(build, name));

const design = JSON.parse(built('design.json'));
const desktop = readFileSync(join(top, 'packaging/bg.korvelata.korvelata.desktop'), 'utf8');
const description = desktop.match(/^Comment\[bg\]=(.*)$/m)[1];

// The oldest browsers, as the page names them to a pupil whose browser is older.
const Browsers = { chrome: 'Chrome', edge: 'Edge', firefox: 'Firefox', safari: 'Safari', ios_saf: 'iPadOS и iOS' };
const floor = [...source('browserslist').matchAll(/^(\w+) >= ([\d.]+)$/gm)]
    .map(([, browser, version]) => `${Browsers[browser]} ${version}`);

const digest = (data) => createHash('sha256').update(data).digest('base64');
const fill = (template, values) =>
    template.replace(/@([A-Z]+)@/g, (_, key) => {
        if (!(key in values)) {
            throw new Error(`no value for @${key}@`);
        }
        return values[key];
    });

// What the page's scripts read of the design; the rest is in the page itself.
const said = Object.fromEntries(['Placeholder', 'ColourNeutral', 'ColourRight', 'ColourWrong', 'RightText',
    'WrongText', 'SlowText', 'OfflineText', 'NotFoundText', 'ServerErrorText', 'BrokenText', 'PageLostText']
    .map((key) => [key, design[key]]));
said.TooOldText = `${design.TooOldText} (от ${floor.join(', ')} нататък).`;
const page = {
    CAPTION: design.Caption,
    DESCRIPTION: description,
    THEME: design.ColourWindow,
    WINDOW: WindowMarkup(design),
    // Inside a script element, where "</" could end it.
    DESIGN: JSON.stringify(said).replace(/</g, '\\u003c'),
};
const style = WindowStyle(design) + source('page.css');
const scripts = ['page.js', 'unsupported.js'];

// Scripts and styles go into the file as they are; none may end its element early.
const inline = (tag, text) => {
    if (text.includes(`</${tag}`)) {
        throw new Error(`a ${tag} holds </${tag}`);
    }
    return `<${tag}>${text}</${tag}>`;
};

// The site: every file from this origin, and a worker that keeps them. The
// page asks for its own files by names that carry its version, so that a
// browser holding an older version's files never mixes them in, whatever
// the host lets it keep.
rmSync(site, { recursive: true, force: true });
mkdirSync(site, { recursive: true });
const files = {
    'page.css': style,
    'page.js': source('page.js'),
    'unsupported.js': source('unsupported.js'),
    'core.js': built('core.js'),
    'manifest.webmanifest': fill(source('manifest.webmanifest'), page),
    'korvelata.svg': readFileSync(join(top, 'packaging/korvelata.svg')),
    'korvelata-192.png': built('korvelata-192.png'),
    'korvelata-512.png': built('korvelata-512.png'),
};
const versioned = ['page.css', 'page.js', 'unsupported.js', 'core.js', 'manifest.webmanifest'];
const named = (version) => (name) => (versioned.includes(name) ? `${name}?v=${version}` : name);
const index = (version) => {
    const at = named(version);
    return fill(source('index.html'), {
        ...page,
        POLICY: [
            "default-src 'none'",
            "script-src 'self'",
            "style-src 'self'",
            "img-src 'self'",
            "connect-src 'self'",
            "manifest-src 'self'",
            "worker-src 'self'",
            "base-uri 'none'",
            "form-action 'none'",
        ].join('; '),
        HEAD: [
            `<link rel="stylesheet" href="${at('page.css')}">`,
            `<link rel="manifest" href="${at('manifest.webmanifest')}">`,
            '<link rel="icon" href="korvelata.svg" type="image/svg+xml">',
            '<link rel="apple-touch-icon" href="korvelata-192.png">',
        ].join('\n'),
        SCRIPTS: scripts.map((name) => `<script src="${at(name)}" defer></script>`).join('\n'),
    });
};
const hash = createHash('sha256').update(index(''));
for (const [name, data] of Object.entries(files)) {
    hash.update(name).update(data);
}
const version = hash.digest('hex').slice(0, 16);
files['index.html'] = index(version);
for (const [name, data] of Object.entries(files)) {
    writeFileSync(join(site, name), data);
}
writeFileSync(join(site, 'sw.js'), fill(source('sw.js'), {
    VERSION: `korvelata-${version}`,
    FILES: JSON.stringify(['./', ...Object.keys(files).filter((name) => name !== 'index.html').map(named(version))]),
}));

// The single file: no worker and no manifest, since it opens from anywhere,
// file:// included; its policy names the inlined scripts and style by digest.
const inlined = [built('core.js').toString(), ...scripts.map(source)];
const icon = `data:image/svg+xml;base64,${readFileSync(join(top, 'packaging/korvelata.svg')).toString('base64')}`;
writeFileSync(single, fill(source('index.html'), {
    ...page,
    POLICY: [
        "default-src 'none'",
        `script-src ${inlined.map((s) => `'sha256-${digest(s)}'`).join(' ')}`,
        `style-src 'sha256-${digest(style)}'`,
        'img-src data:',
        "base-uri 'none'",
        "form-action 'none'",
    ].join('; '),
    HEAD: `${inline('style', style)}\n<link rel="icon" href="${icon}" type="image/svg+xml">`,
    SCRIPTS: inlined.map((s) => inline('script', s)).join('\n'),
}));
