// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The web page in Chromium, played as a user plays it: through clicks, keys,
// the pointer, what the screen shows and what the accessibility tree says.
// Usage: node --test page.test.mjs, with KORVELATA_WEB naming the build
// folder that holds site/ and korvelata.html.
import AxeBuilder from '@axe-core/playwright';
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';
import { Serve } from './serve.mjs';

const build = process.env.KORVELATA_WEB;
const Neutral = 'rgb(255, 192, 128)';
const Right = 'rgb(0, 255, 0)';
const Wrong = 'rgb(255, 0, 255)';

let browser;
let server;
before(async () => {
    server = await Serve(`${build}/site`);
    browser = await chromium.launch({
        executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
            '--no-first-run', '--disable-sync'],
    });
});
after(async () => {
    await browser?.close();
    server?.close();
});

async function Open(url = server.url, options = {}) {
    const context = await browser.newContext({ viewport: { width: 1280, height: 800 }, ...options });
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
    await page.goto(url);
    await page.locator('#List1_1 [aria-selected="true"]').waitFor();
    page.errors = errors;
    return page;
}

const rows = (page, x) => page.locator(`#List1_${x} [role="option"]`).allTextContents();
const selected = (page, x) =>
    page.locator(`#List1_${x} [role="option"]`).evaluateAll((options) =>
        options.findIndex((o) => o.getAttribute('aria-selected') === 'true'));
const labels = (page) =>
    page.locator('.Label2:visible').evaluateAll((all) => all.map((l) => getComputedStyle(l).backgroundColor));
const boxes = (page) => page.locator('.Text2:visible');
const button = (page, name) => page.getByRole('button', { name });

// The hidden values, as the tool tips show them to a resting pointer.
async function Values(page) {
    const values = [];
    for (const box of await boxes(page).all()) {
        await page.mouse.move(0, 0);
        await box.hover();
        const tip = page.getByRole('tooltip');
        await tip.waitFor();
        values.push(await tip.textContent());
    }
    await page.mouse.move(0, 0);
    return values;
}

// What the accessibility tree says of a control.
async function Accessible(page, selector) {
    const cdp = await page.context().newCDPSession(page);
    const { root } = await cdp.send('DOM.getDocument');
    const { nodeId } = await cdp.send('DOM.querySelector', { nodeId: root.nodeId, selector });
    const { nodes } = await cdp.send('Accessibility.getPartialAXTree', { nodeId, fetchRelatives: false });
    await cdp.detach();
    const node = nodes.find((n) => !n.ignored);
    return { role: node.role?.value, name: node.name?.value, description: node.description?.value ?? '' };
}

function PairSums(values) {
    const sums = [];
    for (let i = 0; i < values.length; i++) {
        for (let j = i + 1; j < values.length; j++) {
            sums.push(String(Number(values[i]) + Number(values[j])));
        }
    }
    return sums;
}

test('start-up: five unknowns, ten pairs with their sums, row 0 in both lists, the task focused', async () => {
    const page = await Open();
    assert.equal(await page.title(), 'Корвелата');
    assert.equal(await page.getAttribute('html', 'lang'), 'bg');
    assert.equal(await selected(page, 2), 2);
    assert.deepEqual(await page.locator('.Label2:visible').allTextContents(), ['X1', 'X2', 'X3', 'X4', 'X5']);
    assert.deepEqual(await labels(page), Array(5).fill(Neutral));
    assert.deepEqual(await boxes(page).evaluateAll((all) => all.map((b) => b.value)), ['', '', '', '', '']);
    const equations = await rows(page, 0);
    assert.equal(equations.length, 10);
    assert.deepEqual([equations[0], equations[9]], ['X1 + X2 =', 'X4 + X5 =']);
    assert.deepEqual(await rows(page, 1), PairSums(await Values(page)));
    assert.deepEqual([await selected(page, 0), await selected(page, 1)], [0, 0]);
    assert.equal(await page.evaluate(() => document.activeElement.getAttribute('aria-label')), 'Условие');
    assert.deepEqual(page.errors, []);
});

test('accessible names: lists, task, buttons and boxes as on the desktop; the value reaches no screen reader', async () => {
    const page = await Open();
    const expected = [
        ['#List1_0', 'listbox', 'Уравнения'],
        ['#List1_1', 'listbox', 'Суми'],
        ['#List1_2', 'listbox', 'Брой неизвестни'],
        ['.Text1', 'textbox', 'Условие'],
        ['.Command1:nth-of-type(1)', 'button', 'Чисти'],
        ['#Text2_0', 'textbox', 'X1'],
        ['#Text2_4', 'textbox', 'X5'],
    ];
    for (const [selector, role, name] of expected) {
        assert.deepEqual(await Accessible(page, selector), { role, name, description: '' }, selector);
    }
    await page.locator('#Text2_0').hover();
    await page.getByRole('tooltip').waitFor();
    await page.locator('#Text2_0').focus();
    assert.deepEqual(await Accessible(page, '#Text2_0'), { role: 'textbox', name: 'X1', description: '' });
});

// Each row types answers, presses "Провери" and reads the labels and the
// verdicts; a function of the values gives each answer and its verdict.
const checks = [
    ['right answers', (v) => [v, true]],
    ['a wrong answer', (v) => [String(Number(v) + 1), false]],
    ['decimals, blanks and trailing text', (v) => [` ${v}.0 ябълки`, true]],
    ['a comma stops the number', (v) => [`${v},5`, true]],
    ['an empty box, right only for 0', (v) => ['', v === '0']],
    ['a number beyond a double', () => ['1e999', false]],
    ['the longest text a box takes', () => ['1'.repeat(32767), false]],
];
for (const [name, answer] of checks) {
    test(`check: ${name}`, async () => {
        const page = await Open();
        const values = await Values(page);
        const expected = values.map(answer);
        for (const [k, [text]] of expected.entries()) {
            await boxes(page).nth(k).fill(text);
        }
        await button(page, 'Провери').click();
        assert.deepEqual(await labels(page), expected.map(([, right]) => (right ? Right : Wrong)));
        for (const [k, [, right]] of expected.entries()) {
            assert.equal((await Accessible(page, `#Text2_${k}`)).description, right ? 'вярно' : 'грешно');
        }
        assert.deepEqual(page.errors, []);
    });
}

test('clear, then new values: "?" sums and neutral labels, then new sums that agree with the values', async () => {
    const page = await Open();
    await boxes(page).first().fill('99');
    await button(page, 'Провери').click();
    await page.locator('#List1_1 [role="option"]').nth(3).click();

    await button(page, 'Чисти').focus();
    await page.keyboard.press('Enter');
    assert.deepEqual(await rows(page, 1), Array(10).fill('?'));
    assert.deepEqual([await selected(page, 0), await selected(page, 1)], [3, -1]);
    assert.deepEqual(await labels(page), Array(5).fill(Neutral));
    assert.equal(await boxes(page).first().inputValue(), '');
    assert.equal((await Accessible(page, '#Text2_0')).description, '');
    assert.notDeepEqual(await Values(page), Array(5).fill('?'));

    await boxes(page).first().fill('99');
    await button(page, 'Провери').click();
    await button(page, 'Случайни').focus();
    await page.keyboard.press('Space');
    assert.deepEqual(await rows(page, 1), PairSums(await Values(page)));
    assert.deepEqual([await selected(page, 0), await selected(page, 1)], [0, 0]);
    assert.deepEqual((await labels(page))[0], Wrong);
    assert.equal(await boxes(page).first().inputValue(), '99');
});

test('lists: the equation and sum rows move together, by pointer and by keys', async () => {
    const page = await Open();
    await page.locator('#List1_1 [role="option"]').nth(3).click();
    assert.deepEqual([await selected(page, 0), await selected(page, 1)], [3, 3]);
    await page.keyboard.press('ArrowDown');
    assert.deepEqual([await selected(page, 0), await selected(page, 1)], [4, 4]);
    await page.locator('#List1_0').focus();
    await page.keyboard.press('End');
    assert.deepEqual([await selected(page, 0), await selected(page, 1)], [9, 9]);
    assert.equal(await page.locator('#List1_0 [role="option"]').nth(9).isVisible(), true);
});

test('count: "7" shows seven unknowns and 21 pairs with "?" sums; answers and colours stay', async () => {
    const page = await Open();
    await boxes(page).first().fill('99');
    await button(page, 'Провери').click();
    await page.locator('#List1_2 [role="option"]', { hasText: '7' }).click();
    assert.equal(await boxes(page).count(), 7);
    assert.deepEqual(await rows(page, 1), Array(21).fill('?'));
    assert.equal((await rows(page, 0))[20], 'X6 + X7 =');
    assert.deepEqual(await Values(page), Array(7).fill('?'));
    assert.deepEqual((await labels(page))[0], Wrong);
    await page.keyboard.press('ArrowUp');
    await page.keyboard.press('ArrowUp');
    await page.keyboard.press('ArrowUp');
    await page.keyboard.press('ArrowUp');
    assert.equal(await boxes(page).count(), 3);
    assert.equal(await selected(page, 2), 0);
});

test('keyboard: Tab goes from the task through the lists, buttons and boxes to the count list', async () => {
    const page = await Open();
    const order = [];
    for (let step = 0; step < 10; step++) {
        await page.keyboard.press('Tab');
        order.push(await page.evaluate(() => document.activeElement.id || document.activeElement.textContent));
    }
    assert.deepEqual(order, ['List1_0', 'List1_1', 'Чисти', 'Случайни', 'Провери',
        'Text2_0', 'Text2_1', 'Text2_2', 'Text2_3', 'Text2_4']);
    await page.keyboard.press('Tab');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'List1_2');
});

// The window keeps its proportions, fits the viewport without scrolling, and
// shows its controls in their places scaled as a whole.
const viewports = [[360, 740], [740, 360], [1280, 800], [1920, 1080]];
for (const [width, height] of viewports) {
    test(`layout at ${width}x${height}: fits, no scrolling, places scaled, no axe-core violation`, async () => {
        for (const colorScheme of ['light', 'dark']) {
            const page = await Open(server.url, { viewport: { width, height }, colorScheme });
            const scale = Math.min(width / 510, height / 424);
            const box = (selector) => page.locator(selector).first().boundingBox();
            const form = await box('#MainForm');
            assert.ok(Math.abs(form.width - 510 * scale) < 1 && Math.abs(form.height - 424 * scale) < 1, JSON.stringify(form));
            const scrolls = await page.evaluate(() => [document.documentElement.scrollWidth, document.documentElement.scrollHeight]);
            assert.deepEqual(scrolls, [width, height]);
            const check = await box('.Command1:nth-of-type(3)');
            const expected = [384, 128, 97, 25].map((n) => n * scale);
            const actual = [check.x - form.x, check.y - form.y, check.width, check.height];
            actual.forEach((n, k) => assert.ok(Math.abs(n - expected[k]) < 1, `${actual} vs ${expected}`));
            assert.equal(await page.locator('.Command1').first().evaluate((b) => getComputedStyle(b).color), 'rgb(0, 0, 0)');
            await boxes(page).first().fill('99');
            await button(page, 'Провери').click();
            const { violations } = await new AxeBuilder({ page }).analyze();
            assert.deepEqual(violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`), []);
            await page.context().close();
        }
    });
}

test('offline: after one visit the page opens again with the server gone', async () => {
    const site = await Serve(`${build}/site`);
    const page = await Open(site.url);
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload();
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    site.close();
    site.closeAllConnections();
    await page.reload();
    await page.locator('#List1_1 [role="option"]').first().waitFor();
    assert.equal((await rows(page, 0)).length, 10);
    assert.deepEqual(await rows(page, 1), PairSums(await Values(page)));
    await page.context().close();
});

test('single file: opens from file:// and checks', async () => {
    const page = await Open(pathToFileURL(`${build}/korvelata.html`).href);
    const values = await Values(page);
    assert.deepEqual(await rows(page, 1), PairSums(values));
    await boxes(page).first().fill(values[0]);
    await button(page, 'Провери').click();
    assert.equal((await labels(page))[0], Right);
    assert.deepEqual(page.errors, []);
    await page.context().close();
});
