// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Blink as an older Chrome had it: a real Chromium build that an npm package
// carries for cloud functions, driven by the Puppeteer of its day, headless.
// The build comes compressed; it is unpacked beside the package once.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, mkdtempSync, readFileSync, renameSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { dirname, join } from 'node:path';
import { brotliDecompressSync } from 'node:zlib';
import { PuppeteerPage } from './shared.mjs';

const require = createRequire(import.meta.url);

// The browser, its software renderer and the libraries it needs that a
// Debian machine may lack (NSS), in one folder.
function Unpacked(browserPackage) {
    const packed = join(dirname(require.resolve(`${browserPackage}/package.json`)), 'bin');
    const folder = join(packed, '..', 'unpacked');
    if (!existsSync(folder)) {
        const work = mkdtempSync(`${folder}-`);
        const unpack = (name) => brotliDecompressSync(readFileSync(join(packed, `${name}.br`)));
        writeFileSync(join(work, 'chromium'), unpack('chromium'), { mode: 0o755 });
        for (const part of ['swiftshader', 'aws']) {
            mkdirSync(join(work, part));
            execFileSync('tar', ['-x', '-C', join(work, part)], { input: unpack(`${part}.tar`) });
        }
        renameSync(work, folder);
    }
    return folder;
}

export function NpmChromium(name, browserPackage, puppeteerPackage, more = {}) {
    return {
        name,
        can: { tree: true, names: true, touch: true, offline: true, slow: true, noscript: true, tabs: true, hang: true, ...more },
        async Launch() {
            const puppeteer = require(puppeteerPackage);
            const folder = Unpacked(browserPackage);
            const browser = await puppeteer.launch({
                executablePath: join(folder, 'chromium'),
                headless: true,
                args: ['--no-sandbox', '--use-gl=swiftshader', '--in-process-gpu', '--disable-background-networking',
                    '--disable-component-update', '--no-first-run', '--disable-sync'],
                env: { ...process.env, LD_LIBRARY_PATH: `${join(folder, 'aws/lib')}:${join(folder, 'swiftshader')}` },
            });
            return {
                version: await browser.version(),
                async Open({ width, height, scale = 1, colorScheme, touch, script = true }) {
                    const context = await browser.createIncognitoBrowserContext();
                    const page = await context.newPage();
                    const device = touch ? { hasTouch: true, isMobile: true, deviceScaleFactor: 2 } : {};
                    await page.setViewport({ width, height, deviceScaleFactor: scale, ...device });
                    await page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: colorScheme }]);
                    await page.setJavaScriptEnabled(script);
                    return new OldChromiumPage(page, context);
                },
                Close: () => browser.close(),
            };
        },
    };
}

class OldChromiumPage extends PuppeteerPage {
    Offline(offline) {
        return this.page.setOfflineMode(offline);
    }

    BeforeScripts(script) {
        return this.page.evaluateOnNewDocument(script);
    }

    Devtools() {
        return this.page.target().createCDPSession();
    }
}
