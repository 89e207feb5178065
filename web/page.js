// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The exercise in a browser: the desktop program's window, whose controls
// the page itself holds, filled by the puzzle's core compiled from the same
// C++. Everything here only moves the puzzle's results into the controls.
'use strict';

const Verdict = Object.freeze({ Wrong: 0, Right: 1 });

// The core of this very version, beside this script on the site; the single
// file holds it already.
const CoreUrl = document.currentScript.src.replace('page.js', 'core.js');

// The puzzle's functions; texts cross through the module's memory as UTF-8.
function Bind(module) {
    const text = (pointer) => module.UTF8ToString(pointer);
    const withText = (value, use) => {
        const size = module.lengthBytesUTF8(value) + 1;
        const pointer = module._malloc(size);
        try {
            module.stringToUTF8(value, pointer, size);
            return use(pointer);
        } finally {
            module._free(pointer);
        }
    };
    return {
        ReadNumber: (value) => withText(value, (pointer) => module._ReadNumber(pointer)),
        SetCount: (count) => module._SetCount(count),
        Count: () => module._Count(),
        Draw: () => module._Draw(),
        PairRowCount: () => module._PairRowCount(),
        PairLabel: (k) => text(module._PairLabel(k)),
        PairSumText: (k) => text(module._PairSumText(k)),
        ValueText: (i) => text(module._ValueText(i)),
        Judge: (answer, i) => withText(answer, (pointer) => module._Judge(pointer, i)),
    };
}

// A single-selection list shown as rows on every browser. The user moves the
// selected row with the pointer or the keys but cannot clear it. It calls
// onSelectedRowChanged whenever another row becomes selected, by the user or
// by the program; selecting the selected row or removing the rows calls
// nothing. As in the window, the keys move from the current row: the
// selected one, or, when none is, row 0 once the list has the focus, which a
// key that stays there does not select. It takes its rows as the page holds
// them.
class ListBox {
    constructor(element) {
        this.element = element;
        this.rows = Array.from(element.querySelectorAll('[role="option"]'));
        this.selectedRow = this.rows.findIndex((row) => row.getAttribute('aria-selected') === 'true');
        this.currentRow = this.selectedRow;
        this.onSelectedRowChanged = () => {};
        this.element.addEventListener('click', (event) => {
            this.SelectRow(this.rows.indexOf(event.target.closest('[role="option"]')));
            this.ShowCurrentRow(true);
        });
        this.element.addEventListener('keydown', (event) => this.KeyDown(event));
        this.element.addEventListener('focus', () => {
            if (this.currentRow < 0 && this.rows.length > 0) {
                this.currentRow = 0;
            }
            // The style sheet may lay the rows out across the screen.
            const across = getComputedStyle(this.element).getPropertyValue('--orientation').trim() === 'horizontal';
            this.element.setAttribute('aria-orientation', across ? 'horizontal' : 'vertical');
            this.ShowCurrentRow(false);
        });
        this.element.addEventListener('blur', () => this.ShowCurrentRow(false));
    }

    Clear() {
        this.element.textContent = '';
        this.rows = [];
        this.selectedRow = -1;
        this.currentRow = -1;
        this.ShowCurrentRow();
    }

    AddItem(text) {
        const row = this.element.appendChild(document.createElement('div'));
        row.id = `${this.element.id}_${this.rows.length}`;
        row.setAttribute('role', 'option');
        row.setAttribute('aria-selected', 'false');
        row.textContent = text;
        this.rows.push(row);
    }

    Count() {
        return this.rows.length;
    }

    Text(row) {
        return this.rows[row]?.textContent ?? '';
    }

    SelectedRow() {
        return this.selectedRow;
    }

    SelectRow(row) {
        if (row === this.selectedRow || !this.rows[row]) {
            return;
        }
        this.rows[this.selectedRow]?.setAttribute('aria-selected', 'false');
        this.selectedRow = row;
        this.currentRow = row;
        this.rows[row].setAttribute('aria-selected', 'true');
        this.ShowCurrentRow();
        this.rows[row].scrollIntoView({ block: 'nearest' });
        this.onSelectedRowChanged();
    }

    // The selected row is selected for everyone, whatever has the focus. The
    // current row, where the keys move from, is framed while the list has
    // the focus, and assistive technology is pointed at it once the pupil
    // moves in the list. On arrival a screen reader speaks the list and its
    // selected row by itself; pointed straight at a row that a selection
    // elsewhere had already drawn it to, it would say nothing.
    ShowCurrentRow(point = this.element.hasAttribute('aria-activedescendant')) {
        const row = document.activeElement === this.element ? this.rows[this.currentRow] : undefined;
        this.element.querySelector('.current')?.classList.remove('current');
        row?.classList.add('current');
        if (row && point) {
            this.element.setAttribute('aria-activedescendant', row.id);
        } else {
            this.element.removeAttribute('aria-activedescendant');
        }
    }

    KeyDown(event) {
        const last = this.rows.length - 1;
        const page = Math.max(1, Math.floor(this.element.clientHeight / (this.rows[0]?.offsetHeight || 1)) - 1);
        const from = this.currentRow;
        const across = this.element.getAttribute('aria-orientation') === 'horizontal';
        const to = {
            ArrowUp: from - 1,
            ArrowDown: from + 1,
            PageUp: from - page,
            PageDown: from + page,
            Home: 0,
            End: last,
            ...(across ? { ArrowLeft: from - 1, ArrowRight: from + 1 } : {}),
        }[event.key];
        if (to === undefined || from < 0 || event.altKey || event.ctrlKey || event.metaKey) {
            return;
        }
        event.preventDefault();
        const row = Math.min(Math.max(to, 0), last);
        if (row !== from) {
            this.SelectRow(row);
        }
        this.ShowCurrentRow(true);
    }
}

// The program's one window: the pair equations beside their sums, a choice
// of the number of unknowns, an answer box for each, and three buttons.
class MainForm {
    // The statement has the focus from the start, with the caret at its
    // beginning, so that a screen reader reads it from its first line, as on
    // the desktop.
    constructor(design) {
        this.design = design;
        this.FindControls();
        this.Text1[0].setSelectionRange(0, 0);
        this.Text1[0].focus({ preventScroll: true });
        window.addEventListener('online', () => this.LoadCore());
    }

    // The page holds the controls, in the order of the keyboard focus: the
    // task statement, the two lists, the buttons, the answer boxes, the count
    // list.
    FindControls() {
        const all = (selector) => Array.from(document.querySelectorAll(selector));
        this.Label1 = all('.Label1');
        this.Text1 = all('.Text1');
        this.List1 = all('.List1').map((element, x) => {
            const list = new ListBox(element);
            list.onSelectedRowChanged = () => this.List1Click(x);
            return list;
        });
        this.Command1 = all('.Command1');
        this.Command1.forEach((button, b) => button.addEventListener('click', () => this.Command1Click(b)));
        this.Label2 = all('.Label2');
        this.Text2 = all('.Text2');
        this.Verdict = this.Text2.map((box) => document.getElementById(box.getAttribute('aria-describedby')));
        this.ToolTip = this.Text2.map(() => this.design.Placeholder);
        this.toolTipTimer = 0;
        this.Text2.forEach((box, k) => this.ShowToolTipOnRest(k));
        document.addEventListener('keydown', () => this.HideToolTip());
        this.Status = document.getElementById('Status');
        this.StatusText = document.getElementById('StatusText');
        this.Retry = document.getElementById('Retry');
        this.Retry.addEventListener('click', () => this.LoadCore());
    }

    // The hidden value shows only to a pointer resting on the box, never to
    // the keyboard focus, so that no screen reader speaks it.
    ShowToolTipOnRest(k) {
        const tip = document.getElementById('ToolTip');
        this.Text2[k].addEventListener('pointermove', (event) => {
            if (event.pointerType !== 'mouse' || !tip.hidden) {
                return;
            }
            clearTimeout(this.toolTipTimer);
            this.toolTipTimer = setTimeout(() => {
                tip.textContent = this.ToolTip[k];
                tip.style.left = `${event.clientX}px`;
                tip.style.top = `${event.clientY + 20}px`;
                tip.hidden = false;
            }, 600);
        });
        this.Text2[k].addEventListener('pointerleave', () => this.HideToolTip());
        this.Text2[k].addEventListener('pointerdown', () => this.HideToolTip());
    }

    // As on the desktop, any key sends the tool tip away.
    HideToolTip() {
        clearTimeout(this.toolTipTimer);
        document.getElementById('ToolTip').hidden = true;
    }

    SetToolTip(k, text) {
        this.ToolTip[k] = text;
    }

    SelectedText(list) {
        return list.Text(list.SelectedRow());
    }

    ShowVerdict(k, colour, meaning) {
        this.Label2[k].style.backgroundColor = colour;
        this.Verdict[k].textContent = meaning;
    }

    // What keeps the puzzle from the board, with the button to try again
    // where that can help; no text takes it away.
    ShowStatus(text, retry = false) {
        this.Status.hidden = !text;
        this.StatusText.textContent = text;
        this.Retry.hidden = !retry;
    }

    // The puzzle's core, once: it comes from the network on the site, where
    // a slow or lost connection or the server may keep it, and then the
    // window says so and tries again when asked or when the connection is
    // back. However often this is called, one core starts.
    async LoadCore() {
        if (this.core || this.loading) {
            return;
        }
        this.loading = true;
        const slow = setTimeout(() => this.ShowStatus(this.design.SlowText), 4000);
        try {
            if (await FetchCore().then(() => true, () => false)) {
                this.Start(Bind(await KorvelataCore()));
            } else {
                this.ShowStatus(await WhyNotFetched(this.design), true);
            }
        } catch (error) {
            // A core that came and did not start: only a reload can help.
            console.error(error);
            this.ShowStatus(this.design.BrokenText);
        } finally {
            clearTimeout(slow);
            this.loading = false;
        }
    }

    Start(core) {
        this.core = core;
        this.ShowStatus('');
        this.Load();
    }

    // The page itself is the window after its first steps, the count chosen
    // at start, its unknowns laid out and the board blank, so that it shows
    // before any script has run; what the pupil typed or chose meanwhile
    // stays.
    Load() {
        this.LayoutUnknowns();
        this.NewValues();
    }

    // Until the core has loaded there is no puzzle to act on.
    Command1Click(index) {
        if (!this.core) {
            return;
        }
        switch (index) {
        case 0:
            this.ClearAnswers();
            break;
        case 1:
            this.NewValues();
            break;
        case 2:
            this.CheckAnswers();
            break;
        default:
            break;
        }
    }

    List1Click(index) {
        if (!this.core) {
            return;
        }
        switch (index) {
        case 0:
        case 1: {
            const row = this.List1[index].SelectedRow();
            this.List1[0].SelectRow(row);
            this.List1[1].SelectRow(row);
            break;
        }
        case 2:
            this.core.SetCount(this.core.ReadNumber(this.SelectedText(this.List1[2])));
            this.LayoutUnknowns();
            break;
        default:
            break;
        }
    }

    LayoutUnknowns() {
        const { core, design } = this;
        core.SetCount(core.ReadNumber(this.SelectedText(this.List1[2])));
        this.List1[0].Clear();
        this.List1[1].Clear();
        for (let k = 0; k < this.Label2.length; k++) {
            this.Label2[k].hidden = true;
            this.Text2[k].hidden = true;
        }
        for (let i = 1; i <= core.Count(); i++) {
            this.Label2[i - 1].hidden = false;
            this.Text2[i - 1].hidden = false;
            this.SetToolTip(i - 1, design.Placeholder);
        }
        for (let row = 0; row < core.PairRowCount(); row++) {
            this.List1[0].AddItem(core.PairLabel(row));
            this.List1[1].AddItem(design.Placeholder);
        }
    }

    ClearAnswers() {
        const { core, design } = this;
        this.List1[1].Clear();
        for (let row = 0; row < this.List1[0].Count(); row++) {
            this.List1[1].AddItem(design.Placeholder);
        }
        for (let i = 1; i <= core.Count(); i++) {
            this.ShowVerdict(i - 1, design.ColourNeutral, '');
            this.Text2[i - 1].value = '';
        }
    }

    NewValues() {
        const { core } = this;
        core.Draw();
        for (let i = 1; i <= core.Count(); i++) {
            this.SetToolTip(i - 1, core.ValueText(i));
        }
        this.List1[1].Clear();
        for (let row = 0; row < core.PairRowCount(); row++) {
            this.List1[1].AddItem(core.PairSumText(row));
        }
        this.List1[0].SelectRow(0);
        this.List1[1].SelectRow(0);
    }

    CheckAnswers() {
        const { core, design } = this;
        for (let i = 1; i <= core.Count(); i++) {
            if (core.Judge(this.Text2[i - 1].value, i) === Verdict.Right) {
                this.ShowVerdict(i - 1, design.ColourRight, design.RightText);
            } else {
                this.ShowVerdict(i - 1, design.ColourWrong, design.WrongText);
            }
        }
    }
}

// The core's script: in the page already in the single file, from its own
// file on the site.
function FetchCore() {
    if (typeof KorvelataCore === 'function') {
        return Promise.resolve();
    }
    return new Promise((resolve, reject) => {
        const script = document.head.appendChild(document.createElement('script'));
        script.onload = resolve;
        script.onerror = () => {
            script.remove();
            reject();
        };
        script.src = CoreUrl;
    });
}

// Why the core's file did not come, in the pupil's words: the connection,
// or what the server answers when asked again.
function WhyNotFetched(design) {
    return fetch(CoreUrl, { cache: 'no-store' }).then((response) => {
        if (response.ok) {
            return design.OfflineText;
        }
        return response.status === 404 ? design.NotFoundText : design.ServerErrorText;
    }, () => design.OfflineText);
}

// Once the window is on the screen, or after a moment where the browser does
// not tell; once only, whichever comes first on a slow device.
function AfterFirstPaint(then) {
    let done = false;
    const once = () => {
        if (!done) {
            done = true;
            then();
        }
    };
    setTimeout(once, 200);
    if (!PerformanceObserver.supportedEntryTypes?.includes('paint')) {
        return;
    }
    new PerformanceObserver((list, observer) => {
        if (list.getEntriesByName('first-contentful-paint').length > 0) {
            observer.disconnect();
            once();
        }
    }).observe({ type: 'paint', buffered: true });
}

const form = new MainForm(JSON.parse(document.getElementById('Design').textContent));
AfterFirstPaint(() => form.LoadCore());
// For the script that runs after this one and speaks up if this one could not.
window.KorvelataStarted = true;

// The site works offline after one visit; the single file has no manifest
// and needs no worker. The worker fetches every file again, so it waits
// until the page has loaded. Where workers are refused (a private window, a
// policy against site data), the page works online as it is.
if ('serviceWorker' in navigator && document.querySelector('link[rel="manifest"]')) {
    window.addEventListener('load', () => navigator.serviceWorker.register('sw.js').catch(() => {}));
}
