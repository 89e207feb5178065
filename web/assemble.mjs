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
const hex = (data) => createHash('sha256').update(data).digest('hex');
const fill = (template, values) =>
    template.replace(/@([A-Z]+)@/g, (_, key) => {
        if (!(key in values)) {
            throw new Error(`no value for @${key}@`);
        }
        return values[key];
    });

// What the page's scripts read of the design; the rest is in the page itself.
const said = Object.fromEntries(['Placeholder', 'ColourNeutral', 'ColourRight', 'ColourWrong', 'RightText',
    'WrongText', 'SlowText', 'OfflineText', 'NotFoundText', 'ServerErrorText', 'PatienceSeconds', 'TimeoutText',
    'WrongTypeText', 'BrokenText', 'PageLostText']
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
const watchdog = source('watchdog.js');
const core = built('core.js');

// Scripts and styles go into the file as they are; none may end its element early.
const inline = (tag, text) => {
    if (text.includes(`</${tag}`)) {
        throw new Error(`a ${tag} holds </${tag}`);
    }
    return `<${tag}>${text}</${tag}>`;
};

// The site: every file from this origin, and a worker that keeps them. The
// page's own files are named by a digest of their bytes, and the browser
// takes each only with the bytes its digest names, so that a host that
// answers a name with an older file, an error or its index page never
// mixes versions. The page itself, the worker and the icons keep their names.
rmSync(site, { recursive: true, force: true });
mkdirSync(site, { recursive: true });
const named = (name, data) => name.replace(/\.\w+$/, (extension) => `.${hex(data).slice(0, 10)}${extension}`);
const fixed = {
    'korvelata.svg': readFileSync(join(top, 'packaging/korvelata.svg')),
    'korvelata-192.png': built('korvelata-192.png'),
    'korvelata-512.png': built('korvelata-512.png'),
};
const files = {};
const put = (name, data) => {
    const url = name in fixed ? name : named(name, data);
    files[url] = data;
    return { url, integrity: `sha256-${digest(data)}` };
};
const at = {
    'page.css': put('page.css', style),
    'page.js': put('page.js', source('page.js')),
    'core.js': put('core.js', core),
    'manifest.webmanifest': put('manifest.webmanifest', fill(source('manifest.webmanifest'), page)),
};
for (const [name, data] of Object.entries(fixed)) {
    at[name] = put(name, data);
}
files['index.html'] = fill(source('index.html'), {
    ...page,
    POLICY: [
        "default-src 'none'",
        `script-src 'self' 'sha256-${digest(watchdog)}'`,
        "style-src 'self'",
        "img-src 'self'",
        "connect-src 'self'",
        "manifest-src 'self'",
        "worker-src 'self'",
        "base-uri 'none'",
        "form-action 'none'",
    ].join('; '),
    HEAD: [
        `<link rel="stylesheet" href="${at['page.css'].url}" integrity="${at['page.css'].integrity}">`,
        // The page's script and the core come with the style; nothing waits
        // for them. The page's script runs the core, and says what keeps it.
        `<script src="${at['page.js'].url}" integrity="${at['page.js'].integrity}" defer></script>`,
        `<link rel="preload" href="${at['core.js'].url}" as="script" integrity="${at['core.js'].integrity}">`,
        `<link rel="manifest" href="${at['manifest.webmanifest'].url}">`,
        '<link rel="icon" href="korvelata.svg" type="image/svg+xml">',
        '<link rel="apple-touch-icon" href="korvelata-192.png">',
    ].join('\n'),
    WATCHDOG: inline('script', watchdog),
    SCRIPTS: '',
});
const index = { url: './', integrity: `sha256-${digest(files['index.html'])}` };
const needed = [index, at['page.css'], at['page.js'], at['core.js']];
const optional = ['manifest.webmanifest', ...Object.keys(fixed)].map((name) => ({ ...at[name], optional: true }));
const version = createHash('sha256').update(JSON.stringify([...needed, ...optional])).digest('hex').slice(0, 16);
for (const [name, data] of Object.entries(files)) {
    writeFileSync(join(site, name), data);
}
writeFileSync(join(site, 'sw.js'), fill(source('sw.js'), {
    VERSION: `korvelata-${version}`,
    FILES: JSON.stringify([...needed, ...optional]),
}));
// For IIS, which refuses the types it does not know; the page and the worker never ask for it.
writeFileSync(join(site, 'web.config'), source('web.config'));

// The single file: no worker and no manifest, since it opens from anywhere,
// file:// included; its policy names the inlined scripts and style by digest.
const inlined = [core.toString(), source('page.js')];
const icon = `data:image/svg+xml;base64,${readFileSync(join(top, 'packaging/korvelata.svg')).toString('base64')}`;
writeFileSync(single, fill(source('index.html'), {
    ...page,
    POLICY: [
        "default-src 'none'",
        `script-src ${[watchdog, ...inlined].map((s) => `'sha256-${digest(s)}'`).join(' ')}`,
        `style-src 'sha256-${digest(style)}'`,
        'img-src data:',
        "base-uri 'none'",
        "form-action 'none'",
    ].join('; '),
    WATCHDOG: inline('script', watchdog),
    HEAD: `${inline('style', style)}\n<link rel="icon" href="${icon}" type="image/svg+xml">`,
    SCRIPTS: inlined.map((s) => inline('script', s)).join('\n'),
}));
