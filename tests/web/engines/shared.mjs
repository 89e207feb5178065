// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the engines' drivers share. Playwright's and Puppeteer's page objects
// answer these calls alike, at every version the drivers use; Blink's
// accessibility tree and its processor throttling are reached through the
// Chrome DevTools Protocol.

export class Page {
    constructor(page, context) {
        this.page = page;
        this.context = context;
        this.errors = [];
        page.on('pageerror', (error) => this.errors.push(error.message));
        page.on('console', (message) => message.type() === 'error' && this.errors.push(message.text()));
    }

    // Once the page is parsed: a file that hangs may hold its load for ever.
    Goto(url) {
        return this.page.goto(url, { waitUntil: 'domcontentloaded' });
    }

    Reload() {
        return this.page.reload({ waitUntil: 'domcontentloaded' });
    }

    Evaluate(script, arg) {
        return this.page.evaluate(script, arg);
    }

    // Runs a whole script in the page, past its Content-Security-Policy.
    Inject(source) {
        return this.page.evaluate(source);
    }

    MoveAway() {
        return this.page.mouse.move(0, 0);
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

    // Blink's own, over a session of the Chrome DevTools Protocol that the
    // driver opens, as Devtools(): role, name, description and selected state
    // in the accessibility tree, taken from the whole tree, since Chromium 92
    // leaves a label's name out of a partial one.
    async Accessible(selector) {
        const session = await this.Devtools();
        const { root } = await session.send('DOM.getDocument');
        const { nodeId } = await session.send('DOM.querySelector', { nodeId: root.nodeId, selector });
        const { node: { backendNodeId } } = await session.send('DOM.describeNode', { nodeId });
        const { nodes } = await session.send('Accessibility.getFullAXTree');
        await session.detach();
        const node = nodes.find((n) => n.backendDOMNodeId === backendNodeId && !n.ignored);
        const selected = node.properties?.find((p) => p.name === 'selected')?.value.value ?? false;
        return { role: node.role?.value, name: node.name?.value, description: node.description?.value ?? '', selected };
    }

    // The processor slowed by the given factor, as on an old device, for as
    // long as the session lasts.
    async SlowDown(rate) {
        return (await this.Devtools()).send('Emulation.setCPUThrottlingRate', { rate });
    }

    // A Windows contrast theme, light or dark, as the browser forces it.
    async ForceColors(colorScheme) {
        return (await this.Devtools()).send('Emulation.setEmulatedMedia', {
            features: [{ name: 'forced-colors', value: 'active' }, { name: 'prefers-color-scheme', value: colorScheme }],
        });
    }

    // Its browser's context ends with the first of its pages to close.
    Close() {
        this.context.ended ??= this.context.close();
        return this.context.ended;
    }
}

// Puppeteer's page: elements taken by their place among the selector's,
// and keys pressed with their modifiers held around them.
export class PuppeteerPage extends Page {
    // A second page beside this one, in the same browser context.
    async Another() {
        const page = await this.context.newPage();
        await page.setViewport(this.page.viewport());
        return new this.constructor(page, this.context);
    }

    async Element(selector, n) {
        const all = await this.page.$$(selector);
        if (!all[n]) {
            throw new Error(`no element ${n} of ${selector}`);
        }
        await this.page.evaluate((e) => e.scrollIntoView({ block: 'nearest' }), all[n]);
        return all[n];
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

    // "Shift+Tab" and the like.
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
}
