// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's files against the oldest browsers it supports, web/browserslist,
// by the public compatibility data: a script feature, a browser API or a CSS
// feature that a browser at the floor lacks fails, named with the browsers
// that lack it. The scripts are checked as written and the core as built;
// the style as the site serves it, with the window's places and colours.
// A feature the page uses only where the browser has it is marked so in the
// file, with the reason.
// Usage: KORVELATA_WEB=build-web node --test floor.test.mjs
import assert from 'node:assert/strict';
import { readdirSync, readFileSync } from 'node:fs';
import { basename, extname, join } from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';
import browserslist from 'browserslist';
import compatData from '@mdn/browser-compat-data' with { type: 'json' };
import { ESLint } from 'eslint';
import compat from 'eslint-plugin-compat';
import escompat from 'eslint-plugin-escompat';
import stylelint from 'stylelint';

const web = fileURLToPath(new URL('../../web', import.meta.url));
const site = join(process.env.KORVELATA_WEB, 'site');
const floor = { config: join(web, 'browserslist') };

const report = (file, problems) => problems.map((p) => `${file}:${p.line}: ${p.message ?? p.text}`);

// The oldest version of each browser at the floor, by the compatibility
// data's names.
const DataNames = { chrome: 'chrome', edge: 'edge', firefox: 'firefox', safari: 'safari', ios_saf: 'safari_ios' };
const older = (a, b) => {
    const [x, y] = [a, b].map((v) => v.split('.').map(Number));
    for (let k = 0; k < Math.max(x.length, y.length); k++) {
        if ((x[k] ?? 0) !== (y[k] ?? 0)) {
            return (x[k] ?? 0) < (y[k] ?? 0);
        }
    }
    return false;
};
const oldest = {};
for (const entry of browserslist(browserslist.loadConfig(floor))) {
    const [browser, versions] = entry.split(' ');
    const version = versions.split('-')[0];
    if (DataNames[browser] && (!oldest[DataNames[browser]] || older(version, oldest[DataNames[browser]]))) {
        oldest[DataNames[browser]] = version;
    }
}

// Whether a browser at the given version has a feature, by its support
// statements: unprefixed, under its own name, without a flag.
function Has(support, version) {
    return [support ?? []].flat().some((s) => typeof s.version_added === 'string' && !s.flags && !s.prefix &&
        !s.alternative_name && s.version_added !== 'preview' && !older(version, s.version_added.replace('≤', '')) &&
        !(typeof s.version_removed === 'string' && !older(version, s.version_removed)));
}

// Every method the browser's objects and JavaScript's own have, by name.
const methods = new Map();
for (const interfaces of [compatData.api, compatData.javascript.builtins]) {
    for (const [name, members] of Object.entries(interfaces)) {
        for (const [member, data] of Object.entries(members)) {
            if (member !== '__compat' && data.__compat) {
                methods.set(member, [...(methods.get(member) ?? []), { name: `${name}.${member}`, support: data.__compat.support }]);
            }
        }
    }
}

// A method called on an object of the browser's, which eslint-plugin-compat
// cannot tell the kind of: element.replaceChildren() passes it. Reported
// where no object that has a method of that name has it in a browser at the
// floor. The page's own methods are written with a capital, as no browser's
// are.
const methodsRule = {
    meta: { type: 'problem', schema: [] },
    create: (context) => ({
        'CallExpression > MemberExpression.callee > Identifier.property'(node) {
            const owners = methods.get(node.name);
            const lacking = Object.entries(oldest)
                .filter(([browser, version]) => owners && !owners.some((o) => Has(o.support[browser], version)))
                .map(([browser, version]) => `${browser} ${version}`);
            if (lacking.length > 0) {
                context.report({ node, message: `${owners.map((o) => o.name).join(', ')}: not in ${lacking.join(', ')}` });
            }
        },
    }),
};

// Syntax by eslint-plugin-escompat, which finds the list beside the file it
// reads (the built worker and core are read as if they stood in web/);
// browser and JavaScript APIs by eslint-plugin-compat, and the methods of
// their objects as above.
const eslint = new ESLint({
    cwd: web,
    overrideConfigFile: true,
    overrideConfig: [escompat.configs['flat/recommended'], {
        languageOptions: { ecmaVersion: 'latest', sourceType: 'script' },
        plugins: { compat, floor: { rules: { methods: methodsRule } } },
        settings: { browserslistOpts: floor },
        rules: { 'compat/compat': 'error', 'floor/methods': 'error' },
    }],
});

// A file the build names by its digest, by its name before that.
const served = (name) => join(site, readdirSync(site).find((file) => file.startsWith(name.replace(/\.\w+$/, '.')) &&
    extname(file) === extname(name)));
for (const file of [join(web, 'page.js'), join(web, 'watchdog.js'), join(site, 'sw.js'), served('core.js')]) {
    test(`scripts at the floor: ${basename(file)}`, async () => {
        const [result] = await eslint.lintText(readFileSync(file, 'utf8'), { filePath: join(web, basename(file)) });
        assert.deepEqual(report(file, result.messages), []);
    });
}

test('style at the floor: page.css as served', async () => {
    const { results } = await stylelint.lint({
        files: [served('page.css')],
        configBasedir: fileURLToPath(new URL('.', import.meta.url)),
        config: {
            plugins: ['stylelint-no-unsupported-browser-features'],
            rules: {
                // The data's partial support of overflow is of its two-value
                // form and of clip, which the page does not use.
                'plugin/no-unsupported-browser-features': [true, {
                    browsers: browserslist.loadConfig(floor), ignore: ['css-overflow'],
                }],
            },
        },
    });
    assert.deepEqual(results.flatMap((r) => report(r.source, r.warnings)), []);
});
