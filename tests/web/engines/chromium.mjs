// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Blink: Debian's Chromium through playwright-core, headless.
import { chromium } from 'playwright-core';
import { Page } from './shared.mjs';

export const name = 'Chromium';

// What the page's rows may ask of an engine beyond pointer, keys and script;
// an engine's driver leaves out what it cannot do.
export const can = { tree: true, names: true, touch: true, offline: true, slow: true, noscript: true, noworker: true,
    tabs: true, forced: true, hang: true };

export async function Launch() {
    const browser = await chromium.launch({
        executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
            '--no-first-run', '--disable-sync'],
    });
    return {
        version: browser.version(),
        async Open({ width, height, scale, colorScheme, touch, script = true, worker = true }) {
            // A phone or tablet: touch, and its viewport and pixel ratio.
            const device = touch ? { hasTouch: true, isMobile: true, deviceScaleFactor: 2 } : {};
            const context = await browser.newContext({
                viewport: { width, height }, deviceScaleFactor: scale, colorScheme, javaScriptEnabled: script,
                serviceWorkers: worker ? 'allow' : 'block', ...device,
            });
            return new ChromiumPage(await context.newPage(), context);
        },
        Close: () => browser.close(),
    };
}

class ChromiumPage extends Page {
    Click(selector, n = 0) {
        return this.page.locator(selector).nth(n).click();
    }

    Tap(selector, n = 0) {
        return this.page.locator(selector).nth(n).tap();
    }

    Hover(selector, n = 0) {
        return this.page.locator(selector).nth(n).hover();
    }

    Press(key) {
        return this.page.keyboard.press(key);
    }

    async Another() {
        return new ChromiumPage(await this.context.newPage(), this.context);
    }

    Offline(offline) {
        return this.context.setOffline(offline);
    }

    Devtools() {
        return this.context.newCDPSession(this.page);
    }

    BeforeScripts(script) {
        return this.page.addInitScript(script);
    }
}
