// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Blink: Debian's Chromium through playwright-core, headless.
import { chromium } from 'playwright-core';

export const name = 'Chromium';

// What the page's rows may ask of an engine beyond pointer, keys and script.
export const can = { tree: true, names: true, touch: true };

export async function Launch() {
    const browser = await chromium.launch({
        executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
            '--no-first-run', '--disable-sync'],
    });
    return {
        version: browser.version(),
        async Open({ width, height, colorScheme, touch }) {
            // A phone or tablet: touch, and its viewport and pixel ratio.
            const device = touch ? { hasTouch: true, isMobile: true, deviceScaleFactor: 2 } : {};
            const context = await browser.newContext({ viewport: { width, height }, colorScheme, ...device });
            return new Page(await context.newPage());
        },
        Close: () => browser.close(),
    };
}

class Page {
    constructor(page) {
        this.page = page;
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

    // Runs a whole script in the page, past its Content-Security-Policy.
    Inject(source) {
        return this.page.evaluate(source);
    }

    Click(selector, n = 0) {
        return this.page.locator(selector).nth(n).click();
    }

    Tap(selector, n = 0) {
        return this.page.locator(selector).nth(n).tap();
    }

    Hover(selector, n = 0) {
        return this.page.locator(selector).nth(n).hover();
    }

    MoveAway() {
        return this.page.mouse.move(0, 0);
    }

    Press(key) {
        return this.page.keyboard.press(key);
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

    // Role, name, description and selected state in the browser's
    // accessibility tree.
    async Accessible(selector) {
        const cdp = await this.page.context().newCDPSession(this.page);
        const { root } = await cdp.send('DOM.getDocument');
        const { nodeId } = await cdp.send('DOM.querySelector', { nodeId: root.nodeId, selector });
        const { nodes } = await cdp.send('Accessibility.getPartialAXTree', { nodeId, fetchRelatives: false });
        await cdp.detach();
        const node = nodes.find((n) => !n.ignored);
        const selected = node.properties?.find((p) => p.name === 'selected')?.value.value ?? false;
        return { role: node.role?.value, name: node.name?.value, description: node.description?.value ?? '', selected };
    }

    Close() {
        return this.page.context().close();
    }
}
