// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The web page against a floor in one run: the floor is the same page as the
// browser shows it after start-up, puzzle included, saved as plain HTML with
// its stylesheet and no script. Prints the median first contentful paint of
// each and their ratio, and the page's first numbers against the floor's
// paint, with the processor as it is and six times slower, as on an old
// Chromebook; the bytes sent, the core's size, the site's and the single
// file's, each against its budget; and the Lighthouse scores.
// Usage: node web_bench.mjs BUILD_WEB_DIR [LOADS]
import { execFile } from 'node:child_process';
import { copyFileSync, mkdtempSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { promisify } from 'node:util';
import { gzipSync } from 'node:zlib';
import { chromium } from 'playwright-core';
import { Serve } from '../../tests/web/serve.mjs';

const [build, loadsArgument] = process.argv.slice(2);
const loads = Number(loadsArgument ?? 15);
const chromiumPath = process.env.CHROME_PATH ?? '/usr/bin/chromium';
const flags = ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
    '--disable-component-update', '--no-first-run', '--disable-sync'];
const browser = await chromium.launch({ executablePath: chromiumPath, args: flags });

const site = await Serve(join(build, 'site'));
const floorFolder = mkdtempSync(join(tmpdir(), 'korvelata-floor-'));
{
    const page = await browser.newPage();
    await page.goto(site.url);
    await page.locator('#List1_1 [aria-selected="true"]').waitFor();
    const html = await page.evaluate(() => {
        document.querySelectorAll('script, meta[http-equiv], link:not([rel="stylesheet"])').forEach((e) => e.remove());
        return `<!DOCTYPE html>\n${document.documentElement.outerHTML}`;
    });
    writeFileSync(join(floorFolder, 'index.html'), html);
    for (const name of readdirSync(join(build, 'site')).filter((file) => file.endsWith('.css'))) {
        copyFileSync(join(build, 'site', name), join(floorFolder, name));
    }
    await page.close();
}
const floor = await Serve(floorFolder);
const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;

// When the sums list first shows numbers, from the start of the load.
function WatchForNumbers() {
    new MutationObserver((_, observer) => {
        const row = document.querySelector('#List1_1 [role="option"]');
        if (row && row.textContent !== '?') {
            window.firstNumbers = performance.now();
            observer.disconnect();
        }
    }).observe(document, { childList: true, subtree: true });
}

// First contentful paint, first numbers and bytes sent of one load with an
// empty cache, the processor slowed by the given factor.
async function Load(server, slow) {
    const context = await browser.newContext();
    const page = await context.newPage();
    await (await context.newCDPSession(page)).send('Emulation.setCPUThrottlingRate', { rate: slow });
    await page.addInitScript(WatchForNumbers);
    const before = server.sent;
    await page.goto(server.url);
    await page.waitForFunction(() => window.firstNumbers);
    const paint = await page.evaluate(() => new Promise((resolve) => {
        new PerformanceObserver((list) => {
            const entry = list.getEntriesByName('first-contentful-paint')[0];
            if (entry) {
                resolve(entry.startTime);
            }
        }).observe({ type: 'paint', buffered: true });
    }));
    const numbers = await page.evaluate(() => window.firstNumbers);
    await page.waitForLoadState('networkidle');
    const sent = server.sent - before;
    await context.close();
    return { paint, numbers, sent };
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const Medians = (results, key) => Object.fromEntries(Object.entries(results).map(([k, r]) => [k, median(r.map((x) => x[key]))]));
// Each line: what was measured, and whether it keeps its budget.
const Line = (text, value, budget) => console.log(`${text} (budget <= ${budget}: ${value <= budget ? 'kept' : 'NOT KEPT'})`);

console.log(`loads of each: ${loads}`);
for (const slow of [1, 6]) {
    const results = { page: [], floor: [] };
    for (let n = 0; n < loads; n++) {
        results.floor.push(await Load(floor, slow));
        results.page.push(await Load(site, slow));
    }
    const paint = Medians(results, 'paint');
    const numbers = Medians(results, 'numbers');
    const processor = slow === 1 ? 'processor as it is' : `processor ${slow} times slower`;
    if (slow === 1) {
        Line(`first contentful paint, median: page ${paint.page.toFixed(0)} ms, floor ${paint.floor.toFixed(0)} ms, ` +
            `ratio ${(paint.page / paint.floor).toFixed(2)}`, paint.page / paint.floor, 1.1);
        const sent = Medians(results, 'sent');
        console.log(`sent on a first visit (gzip): page ${kb(sent.page)}, floor ${kb(sent.floor)}`);
    }
    Line(`first numbers, ${processor}, median: page ${numbers.page.toFixed(0)} ms, floor paint ${paint.floor.toFixed(0)} ms, ` +
        `ratio ${(numbers.page / paint.floor).toFixed(2)}`, numbers.page / paint.floor, slow === 1 ? 1.25 : 1.5);
}
await browser.close();

const gzipped = (file) => gzipSync(readFileSync(file), { level: 9 }).length;
const siteFiles = readdirSync(join(build, 'site'));
const siteBytes = siteFiles.reduce((sum, name) => sum + gzipped(join(build, 'site', name)), 0);
const core = join(build, 'site', siteFiles.find((name) => /^core\b.*\.js$/.test(name)));
const single = join(build, 'korvelata.html');
Line(`the core: ${kb(readFileSync(core).length)}`, readFileSync(core).length / 1024, 32);
Line(`the core, gzip: ${kb(gzipped(core))}`, gzipped(core) / 1024, 12);
Line(`whole site, ${siteFiles.length} files (gzip): ${kb(siteBytes)}`, siteBytes / 1024, 48);
Line(`single file: ${kb(readFileSync(single).length)}, gzip ${kb(gzipped(single))}`, readFileSync(single).length / 1024, 96);

// Lighthouse, on the page as served.
const lighthouse = join(import.meta.dirname ?? new URL('.', import.meta.url).pathname, 'node_modules/.bin/lighthouse');
// Lighthouse's own connection to Chromium breaks with the flags that keep
// Chromium off the network; it stays on the loopback address anyway.
// Run beside this process's own server, which must go on answering.
const { stdout } = await promisify(execFile)(lighthouse, [site.url, '--output=json', '--quiet',
    '--chrome-flags=--headless=new --no-sandbox --disable-gpu'],
{ env: { ...process.env, CHROME_PATH: chromiumPath }, maxBuffer: 1 << 28 });
const report = JSON.parse(stdout);
const scores = Object.values(report.categories).map((c) => `${c.title} ${Math.round(c.score * 100)}`);
console.log(`Lighthouse: ${scores.join(', ')}`);
for (const audit of Object.values(report.audits)) {
    if (audit.score !== null && audit.score < 1 && audit.scoreDisplayMode === 'binary') {
        console.log(`  not passed: ${audit.id}: ${audit.title}`);
    }
}
site.close();
floor.close();
