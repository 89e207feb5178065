// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Gecko: Debian's Firefox ESR through puppeteer-core over WebDriver BiDi,
// headless. BiDi has no media emulation, so a dark page, or one without
// service workers, comes from a browser of its own started with Firefox's
// own setting for it.
import puppeteer from 'puppeteer-core';
import { PuppeteerPage } from './shared.mjs';

export const name = 'Firefox';

export const can = { touch: true, noworker: true, tabs: true, hang: true };

export async function Launch() {
    const browsers = {};
    const browser = (colorScheme, worker) => {
        browsers[`${colorScheme} ${worker}`] ??= puppeteer.launch({
            browser: 'firefox',
            executablePath: process.env.FIREFOX ?? '/usr/bin/firefox-esr',
            headless: true,
            extraPrefsFirefox: {
                'layout.css.prefers-color-scheme.content-override': colorScheme === 'dark' ? 0 : 1,
                // A policy against site data, under which workers are refused.
                'network.cookie.cookieBehavior': worker ? 0 : 2,
            },
        });
        return browsers[`${colorScheme} ${worker}`];
    };
    return {
        version: await (await browser('light', true)).version(),
        async Open({ width, height, scale = 1, colorScheme = 'light', touch = false, worker = true }) {
            const context = await (await browser(colorScheme, worker)).createBrowserContext();
            const page = await context.newPage();
            await page.setViewport({ width, height, deviceScaleFactor: scale, hasTouch: touch });
            return new PuppeteerPage(page, context);
        },
        Close: async () => Promise.all(Object.values(browsers).map(async (b) => (await b).close())),
    };
}
