// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The web page played as a user plays it, through clicks, keys, the pointer,
// what the page shows and what it tells assistive technology, in one browser
// engine: KORVELATA_ENGINE names its driver in engines/ (chromium, firefox or
// webkit), KORVELATA_WEB the build folder that holds site/ and korvelata.html.
// Every row runs in every engine; a row that needs what an engine's driver
// cannot do is skipped with the reason.
// Usage: node --test page.test.mjs
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, mkdirSync, mkdtempSync, readdirSync, readFileSync, rmSync, utimesSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { extname, join } from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { Serve } from './serve.mjs';

const build = process.env.KORVELATA_WEB;
const engine = await import(`./engines/${process.env.KORVELATA_ENGINE}.mjs`);
const shots = `${build}/tests/shots`;
mkdirSync(shots, { recursive: true });
const axe = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

const Neutral = 'rgb(255, 192, 128)';
const Right = 'rgb(0, 255, 0)';
const Wrong = 'rgb(255, 0, 255)';
const Selection = 'rgb(32, 96, 160)';
const OddValues = [0, 1, 2, 3, 4, 5, 6, 7, 8, 9];
const EvenValues = [0, 1, -2, 3, -4, 5, -6, 7, -8, 9];

// What a row may need beyond the pointer, the keys and the page's script.
const Needs = {
    tree: 'read the accessibility tree',
    names: 'read computed roles and names',
    touch: 'tap',
    offline: 'take the browser off the network and back',
    slow: 'slow the processor down',
    noscript: 'turn JavaScript off',
    noworker: 'refuse service workers',
    tabs: 'open a second page beside the first',
    forced: 'force a contrast theme\'s colours',
    hang: 'act in a page whose load a file holds',
};

let browser;
let server;
before(async () => {
    server = await Serve(`${build}/site`);
    browser = await engine.Launch();
    console.log(`# ${engine.name} ${browser.version}`);
});
after(async () => {
    await browser?.Close();
    server?.close();
});

// The puzzle has been drawn: its first sum is selected.
const OnTheBoard = () => document.querySelector('#List1_1 [aria-selected="true"]') !== null;

let opened = [];
// A page closed before its row ends, as a driver that keeps one session at
// a time needs, with what it reported kept for the row's end.
async function Finished(page) {
    const errors = [...await page.Errors()];
    await page.Close();
    page.errors = errors;
}

// A new page in a browser of its own, once its puzzle is on the board unless
// told not to wait; with the processor slowed down by the given factor,
// JavaScript or service workers off, or a script of the test's running
// before the page's own, where asked.
async function Open(url = server.url, { width = 1280, height = 800, scale = 1, colorScheme = 'light', touch = false,
    script = true, worker = true, slow = 0, forced = false, before = null, board = true } = {}) {
    const page = await browser.Open({ width, height, scale, colorScheme, touch, script, worker });
    opened.push(page);
    if (slow) {
        await page.SlowDown(slow);
    }
    if (forced) {
        await page.ForceColors(colorScheme);
    }
    if (before) {
        await page.BeforeScripts(before);
    }
    await page.Goto(url);
    if (board) {
        await WaitFor(page, OnTheBoard);
    }
    return page;
}

// A page that reloads has no document to ask for a moment.
const Reloading = (error) => {
    if (!/context was destroyed|navigat|unload/i.test(error.message)) {
        throw error;
    }
    return false;
};

async function WaitFor(page, script, arg, what = String(script), within = 10000) {
    for (const start = Date.now(); !(await page.Evaluate(script, arg).catch(Reloading));) {
        if (Date.now() - start > within) {
            throw new Error(`timed out waiting for ${what}`);
        }
        await new Promise((resolve) => setTimeout(resolve, 50));
    }
}

const List = (x) => `#List1_${x} [role="option"]`;
const Button = (b) => `#Controls > button:nth-of-type(${b + 1})`;
const [Clear, NewValues, Check] = [0, 1, 2];

// Everything the page shows of the board and tells assistive technology, in
// one look.
function Board(page) {
    return page.Evaluate((selection) => {
        const visible = (selector) => [...document.querySelectorAll(selector)].filter((e) => !e.hidden);
        const lists = [0, 1, 2].map((x) => document.getElementById(`List1_${x}`));
        const shown = (list, row) => {
            const a = list.getBoundingClientRect();
            const b = row.getBoundingClientRect();
            return b.top >= a.top - 0.5 && b.bottom <= a.bottom + 0.5;
        };
        return {
            rows: lists.map((l) => [...l.querySelectorAll('[role="option"]')].map((o) => o.textContent)),
            // The highlighted row, as the screen shows it.
            selected: lists.map((l) => [...l.querySelectorAll('[role="option"]')]
                .findIndex((o) => getComputedStyle(o).backgroundColor === selection)),
            selectedShown: lists.map((l) => {
                const row = [...l.querySelectorAll('[role="option"]')]
                    .find((o) => getComputedStyle(o).backgroundColor === selection);
                return row ? shown(l, row) : null;
            }),
            // The active and the selected row, as assistive technology hears.
            active: lists.map((l) => l.getAttribute('aria-activedescendant')),
            told: lists.map((l) => [...l.querySelectorAll('[role="option"]')]
                .findIndex((o) => o.getAttribute('aria-selected') === 'true')),
            focused: document.activeElement.id,
            labels: visible('.Label2').map((l) => l.textContent),
            colours: visible('.Label2').map((l) => getComputedStyle(l).backgroundColor),
            answers: visible('.Text2').map((b) => b.value),
            // What each box tells a screen reader beside its name: the text
            // of the elements its aria-describedby names.
            verdicts: visible('.Text2').map((b) => (b.getAttribute('aria-describedby') ?? '').split(' ')
                .map((id) => document.getElementById(id)?.textContent ?? '').join(' ').trim()),
            tip: document.getElementById('ToolTip').hidden ? null : document.getElementById('ToolTip').textContent,
        };
    }, Selection);
}

// The hidden values, as the tool tips show them to a resting pointer.
async function ToolTips(page) {
    const values = [];
    const count = (await Board(page)).answers.length;
    for (let k = 0; k < count; k++) {
        await page.MoveAway();
        await WaitFor(page, () => document.getElementById('ToolTip').hidden, undefined, 'the tool tip gone');
        await page.Hover('.Text2', k);
        await WaitFor(page, () => !document.getElementById('ToolTip').hidden, undefined, 'the tool tip');
        values.push((await Board(page)).tip);
    }
    await page.MoveAway();
    return values;
}

// The values that the sums list gives, as the pupil would solve them:
// X1 from the first two pairs with it and the pair of the other two, then
// each Xj from the pair (1, j).
function Solve(sums) {
    const n = (1 + Math.sqrt(1 + 8 * sums.length)) / 2;
    const s = sums.map(Number);
    const x1 = (s[0] + s[1] - s[n - 1]) / 2;
    return [x1, ...s.slice(0, n - 1).map((sum) => sum - x1)];
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

async function Fill(page, k, text) {
    await page.Click('.Text2', k);
    await page.Press('Control+a');
    await page.Press('Backspace');
    if (text) {
        await page.Type(text);
    }
}

// Each box given its value, in order.
async function FillAll(page, values) {
    for (const [k, value] of values.entries()) {
        await Fill(page, k, String(value));
    }
}

async function Focus(page, selector) {
    await page.Evaluate((s) => document.querySelector(s).focus(), selector);
}

const rows = [];
// A row may expect the browser's own reports of what failed to load, or
// of a script it could not read; nothing else may reach the console.
const row = (name, run, needs = [], expected = null) => rows.push({ name, run, needs, expected });

row('start-up: five unknowns, ten pairs with their sums, row 0 in both lists, the task focused', async () => {
    const page = await Open();
    assert.deepEqual(await page.Evaluate(() => [document.title, document.documentElement.lang]), ['Корвелата', 'bg']);
    const board = await Board(page);
    assert.deepEqual(board.labels, ['X1', 'X2', 'X3', 'X4', 'X5']);
    assert.deepEqual(board.colours, Array(5).fill(Neutral));
    assert.deepEqual(board.answers, Array(5).fill(''));
    assert.deepEqual(board.verdicts, Array(5).fill(''));
    assert.equal(board.rows[0].length, 10);
    assert.deepEqual([board.rows[0][0], board.rows[0][9]], ['X1 + X2 =', 'X4 + X5 =']);
    assert.deepEqual(board.rows[1], PairSums(await ToolTips(page)));
    assert.deepEqual(board.selected, [0, 0, 2]);
    // The task has the focus, with the caret and the view at its first line.
    assert.deepEqual(await page.Evaluate(() => {
        const task = document.activeElement;
        return [task.getAttribute('aria-label'), task.selectionStart, task.selectionEnd, task.scrollTop];
    }), ['Условие', 0, 0, 0]);
    // Every list tells its selected row; only the focused one may point a
    // screen reader at a row.
    assert.deepEqual(board.told, [0, 0, 2]);
    assert.deepEqual(board.active, [null, null, null]);
});

row('accessible names: lists, task, buttons and boxes as on the desktop', async () => {
    const page = await Open();
    const expected = [
        ['#Controls', 'application', 'Корвелата'],
        ['#List1_0', 'listbox', 'Уравнения'],
        ['#List1_1', 'listbox', 'Суми'],
        ['#List1_2', 'listbox', 'Брой неизвестни'],
        ['.Text1', 'textbox', 'Условие'],
        [Button(Clear), 'button', 'Чисти'],
        [Button(NewValues), 'button', 'Случайни'],
        [Button(Check), 'button', 'Провери'],
        ['#Text2_0', 'textbox', 'X1'],
        ['#Text2_4', 'textbox', 'X5'],
    ];
    for (const [selector, role, name] of expected) {
        const { role: r, name: n } = await page.Accessible(selector);
        assert.deepEqual([r, n], [role, name], selector);
    }
}, ['names']);

row('accessibility tree: a verdict is the box\'s description, the hidden value never, tool tip or not', async () => {
    const page = await Open();
    await page.Hover('#Text2_0');
    await WaitFor(page, () => !document.getElementById('ToolTip').hidden);
    await Focus(page, '#Text2_0');
    assert.deepEqual(await page.Accessible('#Text2_0'), { role: 'textbox', name: 'X1', description: '', selected: false });
    const values = Solve((await Board(page)).rows[1]);
    await Fill(page, 0, String(values[0]));
    await Fill(page, 1, String(values[1] + 1));
    await page.Click(Button(Check));
    assert.equal((await page.Accessible('#Text2_0')).description, 'вярно');
    assert.equal((await page.Accessible('#Text2_1')).description, 'грешно');
}, ['tree']);

// The rows that the accessibility tree itself gives as selected, list by list.
async function SelectedInTree(page) {
    const { rows } = await Board(page);
    const selected = [];
    for (const [x, texts] of rows.entries()) {
        const states = [];
        for (let r = 0; r < texts.length; r++) {
            states.push((await page.Accessible(`#List1_${x}_${r}`)).selected);
        }
        selected.push(states.flatMap((state, r) => (state ? [r] : [])));
    }
    return selected;
}

row('accessibility tree: every list\'s selected row, focused or not, as the screen shows it, site and single file', async () => {
    for (const url of Object.values(places)) {
        const page = await Open(url());
        assert.deepEqual(await SelectedInTree(page), [[0], [0], [2]]);
        await page.Click(List(1), 3);
        assert.deepEqual(await SelectedInTree(page), [[3], [3], [2]]);
        await Focus(page, '#List1_0');
        await page.Press('ArrowDown');
        assert.deepEqual(await SelectedInTree(page), [[4], [4], [2]]);
    }
}, ['tree']);

// Each row types answers, presses "Провери" and reads the labels and what
// the boxes tell a screen reader; a function of the values that the sums
// give makes each answer and its verdict.
const checks = [
    ['right answers', (v) => [String(v), true]],
    ['a wrong answer', (v) => [String(v + 1), false]],
    ['decimals, blanks and trailing text', (v) => [` ${v}.0 ябълки`, true]],
    ['a comma stops the number', (v) => [`${v},5`, true]],
    ['an empty box, right only for 0', (v) => ['', v === 0]],
    ['a number beyond a double', () => ['1e999', false]],
];
for (const [name, answer] of checks) {
    row(`check: ${name}`, async () => {
        const page = await Open();
        const expected = Solve((await Board(page)).rows[1]).map(answer);
        for (const [k, [text]] of expected.entries()) {
            await Fill(page, k, text);
        }
        await page.Click(Button(Check));
        const board = await Board(page);
        assert.deepEqual(board.colours, expected.map(([, right]) => (right ? Right : Wrong)));
        assert.deepEqual(board.verdicts, expected.map(([, right]) => (right ? 'вярно' : 'грешно')));
        assert.deepEqual(board.answers, expected.map(([text]) => text));
    });
}

row('check: the longest text a box takes is read and judged wrong', async () => {
    const page = await Open();
    await page.Evaluate(() => {
        const box = document.getElementById('Text2_0');
        box.value = '1'.repeat(box.maxLength);
    });
    await page.Click(Button(Check));
    assert.equal((await Board(page)).colours[0], Wrong);
    assert.equal((await Board(page)).answers[0].length, 32767);
});

row('"Чисти": "?" sums with none selected, neutral labels, empty boxes, no verdicts; the values stay', async () => {
    const page = await Open();
    const values = Solve((await Board(page)).rows[1]);
    await Fill(page, 0, '99');
    await page.Click(Button(Check));
    await page.Click(List(1), 3);
    await Focus(page, Button(Clear));
    await page.Press('Enter');
    const board = await Board(page);
    assert.deepEqual(board.rows[1], Array(10).fill('?'));
    assert.deepEqual(board.selected, [3, -1, 2]);
    assert.deepEqual(board.colours, Array(5).fill(Neutral));
    assert.deepEqual(board.answers, Array(5).fill(''));
    assert.deepEqual(board.verdicts, Array(5).fill(''));
    assert.deepEqual((await ToolTips(page)).map(Number), values);
    // The same puzzle is still there to be checked.
    await FillAll(page, values);
    await page.Click(Button(Check));
    assert.deepEqual((await Board(page)).colours, Array(5).fill(Right));
});

const places = { site: () => server.url, 'single file': () => pathToFileURL(`${build}/korvelata.html`).href };
for (const [place, url] of Object.entries(places)) {
    row(`"Случайни" in the ${place}: sixty presses at nine unknowns draw anew each time, every allowed value, tool tips that follow`, async () => {
        const page = await Open(url());
        await page.Click(List(2), 6);
        await Fill(page, 0, '99');
        await page.Click(Button(Check));
        const odd = new Set();
        const even = new Set();
        let previous = null;
        for (let press = 0; press < 60; press++) {
            await Focus(page, Button(NewValues));
            await page.Press(press % 2 ? 'Space' : 'Enter');
            const board = await Board(page);
            assert.equal(board.rows[1].length, 36);
            const values = Solve(board.rows[1]);
            assert.deepEqual(PairSums(values), board.rows[1], 'the sums belong to one set of values');
            assert.notDeepEqual(values, previous, `press ${press + 1} drew the same values again`);
            values.forEach((value, k) => (k % 2 ? even : odd).add(value));
            assert.deepEqual([board.selected[0], board.selected[1]], [0, 0]);
            assert.deepEqual([board.answers[0], board.colours[0]], ['99', Wrong]);
            if (press === 0 || press === 59) {
                assert.deepEqual((await ToolTips(page)).map(Number), values);
            }
            previous = values;
        }
        const sorted = (values) => [...values].sort((a, b) => a - b);
        assert.deepEqual(sorted(odd), sorted(OddValues));
        assert.deepEqual(sorted(even), sorted(EvenValues));
    });
}

row('count: "7" shows seven boxes and 21 "?" pairs, keeps answers and colours; back at "5" the old puzzle still checks', async () => {
    const page = await Open();
    const values = Solve((await Board(page)).rows[1]);
    await FillAll(page, values);
    await Fill(page, 4, '99');
    await page.Click(Button(Check));
    await page.Click(List(2), 4);
    let board = await Board(page);
    assert.equal(board.labels.length, 7);
    assert.deepEqual(board.rows[1], Array(21).fill('?'));
    assert.equal(board.rows[0][20], 'X6 + X7 =');
    assert.deepEqual(board.selected, [-1, -1, 4]);
    assert.deepEqual(board.answers, [...values.slice(0, 4).map(String), '99', '', '']);
    assert.deepEqual(board.colours.slice(0, 5), [Right, Right, Right, Right, Wrong]);
    assert.deepEqual(await ToolTips(page), Array(7).fill('?'));

    await page.Click(List(2), 0);
    assert.equal((await Board(page)).labels.length, 3);
    await page.Click(List(2), 2);
    board = await Board(page);
    assert.deepEqual(board.answers, [...values.slice(0, 4).map(String), '99']);
    assert.deepEqual(board.colours, [Right, Right, Right, Right, Wrong]);
    await Fill(page, 4, String(values[4]));
    await page.Click(Button(Check));
    assert.deepEqual((await Board(page)).colours, Array(5).fill(Right));
});

row('lists: a click on a row selects the same row in the other list, scrolled into view', async () => {
    const page = await Open();
    await page.Click(List(1), 3);
    assert.deepEqual((await Board(page)).selected.slice(0, 2), [3, 3]);
    await page.Click(List(0), 7);
    const board = await Board(page);
    assert.deepEqual(board.selected.slice(0, 2), [7, 7]);
    assert.deepEqual(board.told, [7, 7, 2]);
    assert.deepEqual(board.active, ['List1_0_7', null, null]);
    await page.Click(List(2), 6);
    await page.Click(List(1), 35);
    assert.deepEqual((await Board(page)).selected.slice(0, 2), [35, 35]);
    assert.deepEqual((await Board(page)).selectedShown.slice(0, 2), [true, true]);
});

// The keys in a list from every state, as the window answers them: the rows
// selected in the equation, sums and count lists after each key. With no row
// selected, the focus makes row 0 the current row without selecting it.
const Keys = ['ArrowUp', 'ArrowDown', 'Home', 'End', 'PageUp', 'PageDown'];
const none = [-1, -1];
const states = {
    'no row selected, after a count change': async (page) => {
        await page.Click(List(2), 3);
        await page.Click(List(2), 2);
    },
    'the sums replaced by "Чисти"': async (page) => {
        await page.Click(List(0), 0);
        await page.Click(Button(Clear));
    },
    'the first row': (page, x) => page.Click(List(x), 0),
    'the last row': (page, x) => page.Click(List(x), x === 2 ? 6 : 9),
    'rows replaced by "Случайни", row 4': async (page, x) => {
        await page.Click(List(x), 2);
        await page.Click(Button(NewValues));
        await page.Click(List(x), 4);
    },
};
const keyTable = [
    [0, 'no row selected, after a count change', [none, [1, 1], none, [9, 9], none, [9, 9]]],
    [1, 'no row selected, after a count change', [none, [1, 1], none, [9, 9], none, [9, 9]]],
    [0, 'the sums replaced by "Чисти"', [[0, -1], [1, 1], [0, -1], [9, 9], [0, -1], [9, 9]]],
    [1, 'the sums replaced by "Чисти"', [[0, -1], [1, 1], [0, -1], [9, 9], [0, -1], [9, 9]]],
    [0, 'the first row', [[0, 0], [1, 1], [0, 0], [9, 9], [0, 0], [9, 9]]],
    [1, 'the first row', [[0, 0], [1, 1], [0, 0], [9, 9], [0, 0], [9, 9]]],
    [0, 'the last row', [[8, 8], [9, 9], [0, 0], [9, 9], [0, 0], [9, 9]]],
    [1, 'the last row', [[8, 8], [9, 9], [0, 0], [9, 9], [0, 0], [9, 9]]],
    [0, 'rows replaced by "Случайни", row 4', [[3, 3], [5, 5], [0, 0], [9, 9], [0, 0], [9, 9]]],
    [1, 'rows replaced by "Случайни", row 4', [[3, 3], [5, 5], [0, 0], [9, 9], [0, 0], [9, 9]]],
    [2, 'the first row', [0, 1, 0, 6, 0, 4]],
    [2, 'the last row', [5, 6, 0, 6, 2, 6]],
];
for (const [x, state, expected] of keyTable) {
    row(`keys in list ${x} from ${state}: the window's rows, shown, and told to assistive technology`, async () => {
        const page = await Open();
        for (const [k, key] of Keys.entries()) {
            await states[state](page, x);
            await Focus(page, `#List1_${x}`);
            await page.Press(key);
            const board = await Board(page);
            const selected = x === 2 ? board.selected[2] : board.selected.slice(0, 2);
            assert.deepEqual(selected, expected[k], key);
            const current = board.selected[x] >= 0 ? board.selected[x] : 0;
            assert.deepEqual(board.active, [0, 1, 2].map((l) => (l === x ? `List1_${x}_${current}` : null)), key);
            assert.deepEqual(board.told, board.selected, key);
            if (board.selected[x] >= 0) {
                assert.equal(board.selectedShown[x], true, key);
            }
        }
    });
}

row('keyboard: Tab goes from the task through the lists, buttons and boxes to the count list', async () => {
    const page = await Open();
    const order = [];
    for (let step = 0; step < 11; step++) {
        await page.Press('Tab');
        order.push((await Board(page)).focused);
    }
    assert.deepEqual(order, ['List1_0', 'List1_1', 'Command1_0', 'Command1_1', 'Command1_2',
        'Text2_0', 'Text2_1', 'Text2_2', 'Text2_3', 'Text2_4', 'List1_2']);
});

row('tool tip: the value shows to a resting pointer, stays under it when it moves onto it, and goes at any key, Esc too', async () => {
    const page = await Open();
    const values = Solve((await Board(page)).rows[1]);
    const shown = () => WaitFor(page, () => !document.getElementById('ToolTip').hidden, undefined, 'the tool tip');
    await page.Click('.Text2', 1);
    await page.Hover('.Text2', 0);
    await shown();
    assert.equal(Number((await Board(page)).tip), values[0]);
    await page.Type('7');
    let board = await Board(page);
    assert.deepEqual([board.tip, board.answers[1]], [null, '7']);

    await page.MoveAway();
    await page.Hover('.Text2', 3);
    await shown();
    await page.Hover('#ToolTip');
    await new Promise((resolve) => setTimeout(resolve, 700));
    assert.equal(Number((await Board(page)).tip), values[3]);
    await page.Press('Escape');
    assert.equal((await Board(page)).tip, null);

    await Focus(page, '#List1_1');
    await page.MoveAway();
    await page.Hover('.Text2', 2);
    await shown();
    await page.Press('ArrowDown');
    board = await Board(page);
    assert.deepEqual([board.tip, board.selected[1]], [null, 1]);
});

// Each screen, light and dark: on a phone held upright the controls
// arranged for a finger, the lists and boxes above where the on-screen
// keyboard opens; sideways the window as wide as the screen, scrolling up and
// down; on a tablet or a larger window, the window scaled whole and in its
// places. Never sideways scrolling; no axe-core violation.
const layouts = [
    [360, 740, 'upright'],
    [390, 844, 'upright'],
    [412, 915, 'upright'],
    [740, 360, 'sideways'],
    [844, 390, 'sideways'],
    [768, 1024, 'window', 'touch'],
    [1280, 800, 'window'],
    [1920, 1080, 'window'],
];

// Sizes of everything a finger aims at and of every text, in CSS px, once
// the layout has settled (a scroll bar that appears lays the page out again).
async function Measure(page) {
    await page.Evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
    return page.Evaluate(() => {
        const visible = (e) => !e.hidden && e.getClientRects().length > 0;
        const size = (e) => {
            const r = e.getBoundingClientRect();
            return { what: e.id || e.textContent.slice(0, 12), top: r.top, bottom: r.bottom, width: r.width, height: r.height };
        };
        const all = (selector) => [...document.querySelectorAll(selector)].filter(visible);
        const targets = all('.List1 > [role="option"], .Command1, .Text2').map(size);
        const texts = all('.List1 > [role="option"], .Command1, .Text2, .Label1, .Label2, .Text1')
            .map((e) => ({ what: e.id || e.textContent.slice(0, 12), px: parseFloat(getComputedStyle(e).fontSize) }));
        const rowsShown = [0, 1].map((x) => {
            const list = document.getElementById(`List1_${x}`).getBoundingClientRect();
            const row = document.querySelector(`#List1_${x} > [role="option"]`).getBoundingClientRect().height;
            return { rows: Math.floor((list.height - 2) / row), bottom: list.top + 5 * row + 1 };
        });
        const boxes = all('.Text2').map(size);
        // What lies outside the page's scrollable area.
        const unreachable = all('.List1, .Command1, .Text2, .Text1').filter((e) => {
            const r = e.getBoundingClientRect();
            return r.left < 0 || r.top + scrollY < 0 || r.right > document.documentElement.scrollWidth + 0.5 ||
                r.bottom + scrollY > document.documentElement.scrollHeight + 0.5;
        }).map((e) => e.id);
        return {
            unreachable,
            targets, texts, rowsShown, boxes,
            boxText: boxes.length && parseFloat(getComputedStyle(document.querySelector('.Text2')).fontSize),
            // What scrolls sideways, past the width that the page shows
            // (Gecko's classic scroll bar takes its own from the viewport).
            sideways: document.documentElement.scrollWidth - document.documentElement.clientWidth,
        };
    });
}

const small = (items, key, least) => items.filter((i) => i[key] < least).map((i) => `${i.what}: ${i[key]}`);

for (const [width, height, layout, pointer = layout === 'window' ? 'mouse' : 'touch'] of layouts) {
    row(`layout at ${width}x${height} by ${pointer}: ${layout}, no sideways scrolling, no axe-core violation`, async () => {
        for (const colorScheme of ['light', 'dark']) {
            const page = await Open(server.url, { width, height, colorScheme, touch: pointer === 'touch' && engine.can.touch });
            const m = await Measure(page);
            assert.equal(m.sideways, 0, 'no sideways scrolling');
            if (layout === 'upright') {
                assert.deepEqual(small(m.targets, 'height', 44), [], 'targets 44 px high');
                assert.deepEqual(small(m.targets, 'width', 24), [], 'targets 24 px wide');
                assert.deepEqual(small(m.texts, 'px', 16), [], 'text of 16 px');
                const keyboard = 0.6 * height;
                assert.deepEqual(m.rowsShown.map((l) => l.rows >= 5 && l.bottom <= keyboard), [true, true],
                    `five rows of both lists above ${keyboard}: ${JSON.stringify(m.rowsShown)}`);
                assert.deepEqual(m.boxes.filter((b) => b.bottom > keyboard).map((b) => b.what), [], 'boxes above the keyboard');
            } else if (layout === 'sideways') {
                assert.deepEqual(small(m.targets, 'height', 24), [], 'targets 24 px high');
                assert.ok(m.boxText >= 16, `text of ${m.boxText} px in the boxes`);
            } else {
                await InItsPlaces(page, width, height);
            }
            await Fill(page, 0, '99');
            await page.Click(Button(Check));
            assert.equal((await Board(page)).colours[0], Wrong);
            await page.Screenshot(`${shots}/${process.env.KORVELATA_ENGINE}-${width}x${height}-${colorScheme}.png`);
            await page.Inject(axe);
            const violations = await page.Evaluate(async () =>
                (await window.axe.run(document)).violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`));
            assert.deepEqual(violations, []);
        }
    });
}

// The window as large as the viewport allows without scrolling, with the
// check button in its place.
async function InItsPlaces(page, width, height) {
    const box = (selector) => page.Evaluate((s) => {
        const r = document.querySelector(s).getBoundingClientRect();
        return [r.x, r.y, r.width, r.height];
    }, selector);
    const form = await box('#MainForm');
    // Gecko rounds the scale to its unit of length, 1/60 px.
    const scale = form[2] / 510;
    const fit = Math.min(width / 510, height / 424);
    assert.ok(scale <= fit + 1e-6 && scale >= fit - 1 / 60 - 1e-6, `${scale} for ${fit}`);
    assert.ok(Math.abs(form[3] - 424 * scale) < 1, String(form));
    const scrolls = await page.Evaluate(() => [document.documentElement.scrollWidth, document.documentElement.scrollHeight]);
    assert.deepEqual(scrolls, [width, height]);
    const check = await box(Button(Check));
    const expected = [384, 128, 97, 25].map((n) => n * scale);
    const actual = [check[0] - form[0], check[1] - form[1], check[2], check[3]];
    actual.forEach((n, k) => assert.ok(Math.abs(n - expected[k]) < 1, `${actual} vs ${expected}`));
    assert.equal(await page.Evaluate((s) => getComputedStyle(document.querySelector(s)).color, Button(Clear)),
        'rgb(0, 0, 0)');
}

// A Windows contrast theme, light and dark, sets every colour but a label's
// fill, which is the verdict, and a selected row's, in the theme's own
// selection colours: an unchecked, a right and a wrong label look their
// own, and so does the selected row.
row('contrast theme: the labels keep the verdict\'s fills, and the selected row stands out', async () => {
    for (const colorScheme of ['light', 'dark']) {
        const page = await Open(server.url, { colorScheme, forced: true });
        const look = () => page.Evaluate(() => ({
            labels: [0, 1].map((k) => getComputedStyle(document.getElementById(`Label2_${k}`)).backgroundColor),
            rows: [0, 1].map((r) => getComputedStyle(document.getElementById(`List1_0_${r}`)).backgroundColor),
        }));
        const unchecked = (await look()).labels[0];
        const values = Solve((await Board(page)).rows[1]);
        await Fill(page, 0, String(values[0]));
        await Fill(page, 1, String(values[1] + 1));
        await page.Click(Button(Check));
        const { labels, rows: [selected, other] } = await look();
        assert.deepEqual([unchecked, ...labels], [Neutral, Right, Wrong], colorScheme);
        assert.notEqual(selected, other, colorScheme);
        await page.Screenshot(`${shots}/${process.env.KORVELATA_ENGINE}-contrast-${colorScheme}.png`);
    }
}, ['forced']);

// The browser's zoom, as a viewport of fewer CSS pixels at a higher pixel
// ratio on the same screen: from 100 % to 200 % the answer boxes' text never
// gets smaller on the screen, at 200 % it is half as large again on a
// laptop's screen and larger on a large one, and every control can be
// reached, without scrolling sideways.
const zooms = [1, 1.1, 1.25, 1.5, 1.75, 2];
for (const [width, height, growth] of [[1280, 800, 1.5], [1920, 1080, 1.04]]) {
    row(`zoom on a ${width}x${height} screen: the text grows at no step smaller to 200 %, ${growth} times, every control reachable`, async (t) => {
        const sizes = [];
        for (const zoom of zooms) {
            const page = await Open(server.url, { width: Math.round(width / zoom), height: Math.round(height / zoom), scale: zoom });
            const m = await Measure(page);
            sizes.push(m.boxText * zoom);
            assert.deepEqual([m.sideways, m.unreachable], [0, []], `at ${zoom * 100} %`);
            if (zoom === 2) {
                await page.Screenshot(`${shots}/${process.env.KORVELATA_ENGINE}-${width}x${height}-200.png`);
            }
            await Finished(page);
        }
        const text = sizes.map((size) => size.toFixed(1)).join(', ');
        t.diagnostic(`answer box text in device px at ${zooms.map((z) => `${z * 100} %`).join(', ')}: ${text}`);
        // A viewport is whole CSS pixels, and Gecko rounds lengths to its
        // own unit: a text that fills the viewport may lose a hair of a
        // pixel, never more than a hundredth of its size.
        assert.ok(sizes.every((size, k) => k === 0 || size >= 0.99 * sizes[k - 1]), `device px at each step: ${text}`);
        assert.ok(sizes.at(-1) >= growth * sizes[0] - 0.01, `device px at each step: ${text}`);
    });
}

// On a phone held upright, by touch: the rows, a box and a button answer a
// finger, the count runs across the screen, and no tool tip ever shows.
for (const [width, height] of layouts.filter(([, , layout]) => layout === 'upright')) {
    row(`touch at ${width}x${height}: a tapped sum selects its equation, a tapped box takes "-3", "Провери" colours`, async () => {
        const page = await Open(server.url, { width, height, touch: true });
        const values = Solve((await Board(page)).rows[1]);
        await page.Tap(List(1), 3);
        assert.deepEqual((await Board(page)).selected.slice(0, 2), [3, 3]);
        await page.Tap('.Text2', 2);
        await page.Type('-3');
        await new Promise((resolve) => setTimeout(resolve, 700));
        let board = await Board(page);
        assert.deepEqual([board.answers[2], board.tip], ['-3', null]);
        await page.Tap(Button(Check));
        board = await Board(page);
        assert.deepEqual(board.colours, values.map((v, k) => (k === 2 && v === -3) || (k !== 2 && v === 0) ? Right : Wrong));
        await page.Tap(List(2), 4);
        board = await Board(page);
        assert.deepEqual([board.labels.length, board.selected[2]], [7, 4]);
        assert.equal(await page.Evaluate(() => document.getElementById('List1_2').getAttribute('aria-orientation')), 'horizontal');
        await page.Press('ArrowLeft');
        assert.equal((await Board(page)).labels.length, 6);
        await page.Screenshot(`${shots}/${process.env.KORVELATA_ENGINE}-${width}x${height}-touched.png`);
    }, ['touch']);
}

// What the window says when the puzzle cannot come, as the design table
// words it; never technical text.
const design = JSON.parse(readFileSync(`${build}/web/design.json`, 'utf8'));
const Technical = /undefined|null|NaN|Error|error|\bhttps?:|\b[45]\d\d\b/;

// The window's message once it says the given text, which may follow
// another (a slow connection before one that hangs).
async function Status(page, text) {
    const said = () => page.Evaluate(() => ({
        text: document.getElementById('StatusText').textContent,
        retry: !document.getElementById('Retry').hidden,
        shown: document.getElementById('Status').getBoundingClientRect().height > 0,
    }));
    await WaitFor(page, (t) => !document.getElementById('Status').hidden &&
        document.getElementById('StatusText').textContent.startsWith(t), text, `the message "${text}"`, 20000)
        .catch(async (error) => {
            throw new Error(`${error.message}; the window says "${(await said()).text}"`);
        });
    return said();
}

// What a browser reports of a file it could not load or a script it could
// not read, in each engine's words.
const LoadFailed = /Failed to load resource|Loading failed for the <script>|SyntaxError|Unexpected|unexpected|NetworkError|integrity|MIME type|failed/;

// The faults a school's network and hosts make: a file that does not come
// or never stops coming, a server that answers with an error, with its index
// page or with no type, a script that this browser cannot read, as an old
// one would not, or one that fails. Where trying again can help, the pupil
// types meanwhile; once the file can be had, "Опитай пак" brings the puzzle
// without a reload, what was typed stays, and the keyboard goes on from the
// equations. Where the page's own script did not start, the button reloads.
const faults = [
    ['the core\'s file lost on the way', 'core.js', 'drop', design.OfflineText, 'again'],
    ['the core\'s file missing on the server', 'core.js', 404, design.NotFoundText, 'again'],
    ['the server failing', 'core.js', 503, design.ServerErrorText, 'again'],
    ['the core\'s request hanging', 'core.js', 'hang', design.TimeoutText, 'again'],
    ['the core answered with the index page', 'core.js', 'index', design.WrongTypeText, 'again'],
    ['the page\'s script lost on the way', 'page.js', 'drop', design.PageLostText, 'reload'],
    ['the page\'s script sent with no type', 'page.js', 'untyped', design.WrongTypeText, 'reload'],
    ['a script too new for the browser', 'page.js', { 'page.js': (t) => `${t}\nclass { }` }, design.TooOldText, ''],
    ['the page\'s script failing as it starts', 'page.js', { 'page.js': (t) => `throw new TypeError('failed');\n${t}` },
        design.BrokenText, 'reload'],
];
for (const [name, file, fault, text, retry] of faults) {
    row(`fault, ${name}: the window says so in Bulgarian${retry === 'again' ? ', and the puzzle comes when asked again' : ''}`, async () => {
        const edition = typeof fault === 'object' ? Edition('F', fault) : `${build}/site`;
        const site = await Serve(edition);
        const named = Named(edition, file);
        site.faults[named] = fault;
        try {
            const page = await Open(site.url, { board: false });
            const status = await Status(page, text);
            assert.doesNotMatch(status.text, Technical);
            assert.deepEqual([status.shown, status.retry], [true, Boolean(retry)]);
            if (!retry) {
                return;
            }
            await Fill(page, 0, '7');
            delete site.faults[named];
            if (retry === 'reload') {
                site.Publish(`${build}/site`);
            }
            await page.Click('#Retry');
            await WaitFor(page, OnTheBoard);
            const board = await Board(page);
            if (retry === 'again') {
                assert.deepEqual([board.answers[0], board.focused], ['7', 'List1_0']);
            }
            assert.deepEqual(board.rows[1], PairSums(await ToolTips(page)));
            assert.equal(await page.Evaluate(() => document.getElementById('Status').hidden), true);
        } finally {
            site.close();
            if (edition !== `${build}/site`) {
                rmSync(join(edition, '..'), { recursive: true, force: true });
            }
        }
    }, fault === 'hang' ? ['hang'] : [], LoadFailed);
}

// The browser reports the connection back, after a failed try or while one
// still hangs.
for (const fault of ['drop', 'hang']) {
    row(`fault, the connection lost and back while the core's request ${fault === 'drop' ? 'failed' : 'hangs'}: the puzzle comes by itself, and what was typed stays`, async () => {
        const site = await Serve(`${build}/site`);
        const named = Named(`${build}/site`, 'core.js');
        site.faults[named] = fault;
        try {
            const page = await Open(site.url, { board: false });
            await Status(page, fault === 'drop' ? design.OfflineText : design.SlowText);
            await page.Offline(true);
            delete site.faults[named];
            await Fill(page, 0, '-3');
            await page.Offline(false);
            await WaitFor(page, OnTheBoard, undefined, 'the puzzle', 20000);
            assert.equal((await Board(page)).answers[0], '-3');
        } finally {
            site.close();
        }
    }, fault === 'hang' ? ['offline', 'hang'] : ['offline'], LoadFailed);
}

row('JavaScript off: the window and its task statement show, and say what the exercise needs', async () => {
    const page = await Open(server.url, { script: false, board: false });
    const shown = await page.Evaluate(() => {
        const visible = (e) => e.getBoundingClientRect().height > 0;
        return {
            message: [...document.querySelectorAll('noscript.Status')].filter(visible).map((e) => e.textContent),
            buttons: [...document.querySelectorAll('.Command1')].filter(visible).map((b) => b.textContent),
            boxes: [...document.querySelectorAll('.Text2')].filter(visible).length,
            task: document.querySelector('.Text1').value.split('\n')[0],
        };
    });
    assert.deepEqual(shown, {
        message: [design.NoScriptText],
        buttons: ['Чисти', 'Случайни', 'Провери'],
        boxes: 5,
        task: 'Да се реализира проект, чрез който се осъществява междупредметни връзки Математика и Информатика.',
    });
    await page.Screenshot(`${shots}/${process.env.KORVELATA_ENGINE}-no-script.png`);
}, ['noscript']);

// A device ten times slower than this machine paints late; the core still
// starts once, so the puzzle shown first stays, and so does an answer typed
// into it. Every set of sums the page shows is gathered from the first
// moment of each load.
function GatherSums() {
    window.SumsShown = [];
    new MutationObserver(() => {
        const rows = document.querySelectorAll('#List1_1 [role="option"]');
        const sums = [...rows].map((r) => r.textContent).join(' ');
        if (rows.length > 0 && !sums.includes('?') && sums !== window.SumsShown[window.SumsShown.length - 1]) {
            window.SumsShown.push(sums);
        }
    }).observe(document, { childList: true, subtree: true });
}

row('start-up on a slow device: three loads, each draws one puzzle that stays', async () => {
    for (let load = 1; load <= 3; load++) {
        const page = await Open(server.url, { slow: 10, before: GatherSums });
        await Fill(page, 0, '7');
        await new Promise((resolve) => setTimeout(resolve, 2000));
        const shown = await page.Evaluate(() => window.SumsShown);
        assert.deepEqual([shown.length, (await Board(page)).answers[0]], [1, '7'], `load ${load}: ${shown.join(' | ')}`);
    }
}, ['slow']);

// Workers refused, as in a private window or under a policy against site
// data: the browser may say so itself, and nothing else is said.
row('service workers refused: the page works online', async () => {
    const page = await Open(server.url, { worker: false });
    await FillAll(page, Solve((await Board(page)).rows[1]));
    await page.Click(Button(Check));
    assert.deepEqual((await Board(page)).colours, Array(5).fill(Right));
}, ['noworker'], /Failed to register\/update a ServiceWorker/);

// Another version of the site, put together as the build puts it, from
// sources changed as given (a file's text in, its new text out): by default
// every file marked with the edition's letter, where the page can be asked
// which edition each of its files came from. Its files are a day younger
// than the ones before, and all are days old, so that a host that sends
// their date alone lets a browser keep them for hours.
const top = fileURLToPath(new URL('../..', import.meta.url));
const Marks = (letter) => ({
    'index.html': (t) => t.replace('</head>', `<meta name="edition" content="${letter}">\n</head>`),
    'page.css': (t) => `${t}\n:root { --edition: ${letter}; }\n`,
    'page.js': (t) => `${t}\nwindow.Edition = (window.Edition || []).concat('page.js ${letter}');\n`,
    'core.js': (t) => `${t}\nwindow.Edition = (window.Edition || []).concat('core.js ${letter}');\n`,
});
let editions = 0;
function Edition(letter, edits = Marks(letter)) {
    const tree = mkdtempSync(join(tmpdir(), `korvelata-${letter}-`));
    cpSync(join(top, 'web'), join(tree, 'web'), { recursive: true });
    for (const file of ['packaging/korvelata.svg', 'packaging/bg.korvelata.korvelata.desktop']) {
        cpSync(join(top, file), join(tree, file));
    }
    for (const file of ['core.js', 'design.json', 'korvelata-192.png', 'korvelata-512.png']) {
        cpSync(join(build, 'web', file), join(tree, 'build', file));
    }
    for (const [name, edit] of Object.entries(edits)) {
        const file = join(tree, name === 'core.js' ? 'build' : 'web', name);
        writeFileSync(file, edit(readFileSync(file, 'utf8')));
    }
    const site = join(tree, 'site');
    execFileSync(process.execPath, [join(tree, 'web/assemble.mjs'), join(tree, 'build'), site, join(tree, 'single.html')]);
    const date = new Date(Date.now() - 86400000 * (100 - editions++));
    for (const name of readdirSync(site)) {
        utimesSync(join(site, name), date, date);
    }
    return site;
}

// A file of the site by the name the build gives it, which carries a digest
// of its bytes.
const Named = (folder, file) => readdirSync(folder)
    .find((name) => name.startsWith(file.replace(/\.\w+$/, '.')) && extname(name) === extname(file));

// Which edition each of the page's files came from.
const EditionShown = (page) => page.Evaluate(() => [
    document.querySelector('meta[name="edition"]')?.content,
    getComputedStyle(document.documentElement).getPropertyValue('--edition').trim(),
    ...[...(window.Edition ?? [])].sort(),
]);
const Whole = (letter) => [letter, letter, `core.js ${letter}`, `page.js ${letter}`];

// The worker of the version served has taken over, with its files kept.
const Installed = () => navigator.serviceWorker.getRegistration()
    .then((r) => Boolean(r?.active && !r.installing && !r.waiting && navigator.serviceWorker.controller));
const Settled = () => navigator.serviceWorker.getRegistration().then((r) => Boolean(r && !r.installing && !r.waiting));

// Reloads until the page shows the given edition whole, at most the given
// number of times. Between reloads the browser, in its own time, has asked
// for the worker again and finished installing whatever it found.
async function ReloadUntilWhole(page, site, letter, reloads) {
    for (let reload = 1; ; reload++) {
        const checks = site.checks;
        await page.Reload();
        await WaitFor(page, OnTheBoard);
        const shown = await EditionShown(page);
        if (reload === reloads || JSON.stringify(shown) === JSON.stringify(Whole(letter))) {
            assert.deepEqual(shown, Whole(letter), `reload ${reload}`);
            return { reload, checks };
        }
        await Checked(page, site, checks);
    }
}

// The browser has asked for the worker since the given count of checks, and
// finished installing whatever it found.
async function Checked(page, site, checks) {
    for (const start = Date.now(); site.checks === checks; await new Promise((r) => setTimeout(r, 100))) {
        if (Date.now() - start > 30000) {
            throw new Error('no check for a new worker within 30 s');
        }
    }
    await new Promise((resolve) => setTimeout(resolve, 500));
    await WaitFor(page, Settled, undefined, 'the worker settled', 30000);
}

// Versions published one after another on one host, each whole within three
// reloads: a newer one through hosts that let the browser keep files, one
// uploaded file by file with its page and worker first, also to a host that
// answers a missing file with its index page, and the version before
// published again. While an upload is under way, the version before keeps
// serving whole. A page of the first version left open still checks.
const updates = [
    ['a new version, through a host that sends max-age=600', { cache: 'max-age=600' }, ['A', 'B']],
    ['a new version, through a host that sends last-modified', { cache: 'last-modified' }, ['A', 'B']],
    ['a new version uploaded with its page and worker first', {}, ['A', 'B uploading']],
    ['a new version uploaded to a host that answers a missing file with its index page', { missing: 'index' },
        ['A', 'B uploading']],
    ['the version before published again', { cache: 'max-age=600' }, ['A', 'B', 'A']],
];
for (const [name, host, versions] of updates) {
    row(`${name}: whole within three reloads, and an open page of the first still checks`, async (t) => {
        const folders = {};
        for (const version of versions) {
            folders[version[0]] ??= Edition(version[0]);
        }
        const site = await Serve(folders.A, host);
        site.checks = 0;
        site.on('request', (request) => (site.checks += request.url === '/sw.js'));
        try {
            const page = await Open(site.url);
            await WaitFor(page, Installed);
            await ReloadUntilWhole(page, site, 'A', 1);
            const old = engine.can.tabs ? await page.Another() : undefined;
            if (old) {
                opened.push(old);
                await old.Goto(site.url);
                await WaitFor(old, OnTheBoard);
            } else {
                t.diagnostic(`${engine.name} through its driver cannot ${Needs.tabs}: no old page stays open`);
            }
            let before = 'A';
            for (const [letter, uploading] of versions.slice(1).map((v) => v.split(' '))) {
                if (uploading) {
                    site.Publish(folders[letter], ['index.html', 'sw.js']);
                    for (let reload = 0; reload < 2; reload++) {
                        const { checks } = await ReloadUntilWhole(page, site, before, 1);
                        await Checked(page, site, checks);
                    }
                }
                site.Publish(folders[letter]);
                t.diagnostic(`${letter} whole at reload ${(await ReloadUntilWhole(page, site, letter, 3)).reload}`);
                before = letter;
            }
            if (old) {
                assert.deepEqual(await EditionShown(old), Whole('A'));
                await FillAll(old, Solve((await Board(old)).rows[1]));
                await old.Click(Button(Check));
                assert.deepEqual((await Board(old)).colours, Array(5).fill(Right));
            }
        } finally {
            site.close();
            for (const folder of Object.values(folders)) {
                rmSync(join(folder, '..'), { recursive: true, force: true });
            }
        }
    }, [], LoadFailed);
}

// After one visit by any link to the page, it opens again with the server
// gone and checks an answer: also where the host refused a file the page
// can do without, and where the browser cleared the worker's cache and the
// next visit online kept the version again.
const offline = [
    ['its folder', '', {}],
    ['index.html', 'index.html', {}],
    ['index.html with a query and a fragment', 'index.html?from=mail#top', {}],
    ['index.html on a host that refuses .webmanifest', 'index.html', { '.webmanifest': 404 }],
    ['its folder, its cache cleared by the browser since', '', {}, 'cleared'],
];
for (const [name, link, faults, cleared] of offline) {
    row(`offline: after one visit to ${name}, the page opens again with the server gone and checks`, async () => {
        const site = await Serve(`${build}/site`);
        Object.assign(site.faults, faults);
        const page = await Open(site.url + link);
        await WaitFor(page, Installed, undefined, 'the worker', 30000);
        if (cleared) {
            await page.Evaluate(() => caches.keys().then((names) => Promise.all(names.map((n) => caches.delete(n)))));
            await page.Reload();
            await WaitFor(page, OnTheBoard);
            await WaitFor(page, () => caches.keys().then((names) => names.length === 1 &&
                caches.open(names[0]).then((c) => c.keys()).then((kept) => kept.length >= 4)), undefined, 'the version kept again');
        }
        site.close();
        await page.Reload();
        await WaitFor(page, OnTheBoard);
        await FillAll(page, Solve((await Board(page)).rows[1]));
        await page.Click(Button(Check));
        assert.deepEqual((await Board(page)).colours, Array(5).fill(Right));
    }, [], /Failed to load resource|Manifest/);
}

row('single file: opens from file://, tells every list\'s selected row, draws anew and checks', async () => {
    const page = await Open(pathToFileURL(`${build}/korvelata.html`).href);
    const { rows: [, first], told } = await Board(page);
    assert.deepEqual(told, [0, 0, 2]);
    assert.deepEqual(first, PairSums(await ToolTips(page)));
    await page.Click(List(2), 6);
    await page.Click(Button(NewValues));
    const values = Solve((await Board(page)).rows[1]);
    assert.deepEqual((await ToolTips(page)).map(Number), values);
    await page.Click(Button(NewValues));
    assert.notDeepEqual(Solve((await Board(page)).rows[1]), values);
    await Fill(page, 0, String(Solve((await Board(page)).rows[1])[0]));
    await page.Click(Button(Check));
    assert.equal((await Board(page)).colours[0], Right);
});

for (const { name, run, needs, expected } of rows) {
    test(name, async (t) => {
        const lacking = needs.filter((need) => !engine.can[need]);
        if (lacking.length > 0) {
            t.skip(`${engine.name} through its driver cannot ${lacking.map((need) => Needs[need]).join(' or ')}`);
            return;
        }
        opened = [];
        try {
            await run(t);
            for (const page of opened) {
                assert.deepEqual((page.errors ?? await page.Errors()).filter((error) => !expected?.test(error)), [],
                    'errors in the page');
            }
        } finally {
            for (const page of opened.filter((p) => !p.errors)) {
                await page.Close();
            }
        }
    });
}
