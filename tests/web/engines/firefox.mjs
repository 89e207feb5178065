// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Gecko: Debian's Firefox ESR through puppeteer-core over WebDriver BiDi,
// headless. BiDi has no media emulation, so a dark page comes from a second
// browser started with Firefox's own setting for it.
import puppeteer from 'puppeteer-core';

export const name = 'Firefox';

export const can = { tree: false, names: false, touch: true };

export async function Launch() {
    const browsers = {};
    const browser = (colorScheme) => {
        browsers[colorScheme] ??= puppeteer.launch({
            browser: 'firefox',
            executablePath: process.env.FIREFOX ?? '/usr/bin/firefox-esr',
            headless: true,
            extraPrefsFirefox: { 'layout.css.prefers-color-scheme.content-override': colorScheme === 'dark' ? 0 : 1 },
        });
        return browsers[colorScheme];
    };
    return {
        version: await (await browser('light')).version(),
        async Open({ width, height, colorScheme = 'light', touch = false }) {
            const context = await (await browser(colorScheme)).createBrowserContext();
            const page = await context.newPage();
            await page.setViewport({ width, height, hasTouch: touch });
            return new Page(page, context);
        },
        Close: async () => Promise.all(Object.values(browsers).map(async (b) => (await b).close())),
    };
}

class Page {
    constructor(page, context) {
        this.page = page;
        this.context = context;
        this.errors = [];
        page.on('pageerror', (error) => this.errors.push(error.message));
        page.on('console', (message) => message.type() === 'error' && this.errors.push(message.text()));
    }

    Goto(url) {
        return this.page.goto(url);
    }

    Reload() {
        return this.page.reload();
    }

    Evaluate(script, arg) {
        return this.page.evaluate(script, arg);
    }

    async Element(selector, n) {
        const all = await this.page.$$(selector);
        if (!all[n]) {
            throw new Error(`no element ${n} of ${selector}`);
        }
        await all[n].scrollIntoView();
        return all[n];
    }

    // Runs a whole script in the page, past its Content-Security-Policy.
    Inject(source) {
        return this.page.evaluate(source);
    }

    async Click(selector, n = 0) {
        await (await this.Element(selector, n)).click();
    }

    async Tap(selector, n = 0) {
        await (await this.Element(selector, n)).tap();
    }

    async Hover(selector, n = 0) {
        await (await this.Element(selector, n)).hover();
    }

    MoveAway() {
        return this.page.mouse.move(0, 0);
    }

    // "Shift+Tab" and the like: modifiers held around one key.
    async Press(key) {
        const keys = key.split('+');
        const last = keys.pop();
        for (const modifier of keys) {
            await this.page.keyboard.down(modifier);
        }
        await this.page.keyboard.press(last === 'Space' ? ' ' : last);
        for (const modifier of keys.reverse()) {
            await this.page.keyboard.up(modifier);
        }
    }

    Type(text) {
        return this.page.keyboard.type(text);
    }

    Screenshot(path) {
        return this.page.screenshot({ path });
    }

    Errors() {
        return this.errors;
    }

    Close() {
        return this.context.close();
    }
}
