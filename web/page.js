// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The exercise in a browser: the desktop program's window, whose controls
// the page itself holds, filled by the puzzle's core compiled from the same
// C++. Everything here only moves the puzzle's results into the controls.
'use strict';

const Verdict = Object.freeze({ Wrong: 0, Right: 1 });

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
    constructor(design, coreFile) {
        this.design = design;
        this.FindControls();
        this.Text1[0].setSelectionRange(0, 0);
        this.Text1[0].focus({ preventScroll: true });
        this.coreFile = coreFile;
        coreFile.onLate = () => this.LoadCore();
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
        this.Tip = document.getElementById('ToolTip');
        this.Tip.addEventListener('pointerenter', () => this.KeepToolTip(this.Tip));
        this.Tip.addEventListener('pointerleave', () => this.LeaveToolTip());
        this.Text2.forEach((box, k) => this.ShowToolTipOnRest(k));
        document.addEventListener('keydown', () => this.HideToolTip());
        this.Status = document.getElementById('Status');
        this.StatusText = document.getElementById('StatusText');
        this.Retry = document.getElementById('Retry');
        this.Retry.addEventListener('click', () => (this.broken ? window.location.reload() : this.LoadCore()));
    }

    // The hidden value shows only to a pointer resting on the box, never to
    // the keyboard focus, so that no screen reader speaks it. It stays while
    // the pointer is on the box or on the tool tip itself, which a pointer
    // may cross a gap to reach.
    ShowToolTipOnRest(k) {
        const box = this.Text2[k];
        box.addEventListener('pointermove', (event) => {
            if (event.pointerType !== 'mouse' || !this.Tip.hidden) {
                return;
            }
            clearTimeout(this.toolTipTimer);
            this.toolTipTimer = setTimeout(() => {
                this.Tip.textContent = this.ToolTip[k];
                this.Tip.style.left = `${event.clientX}px`;
                this.Tip.style.top = `${event.clientY + 20}px`;
                this.Tip.hidden = false;
                this.tipOf = box;
            }, 600);
        });
        box.addEventListener('pointerenter', () => this.KeepToolTip(box));
        box.addEventListener('pointerleave', () => this.LeaveToolTip());
        box.addEventListener('pointerdown', () => this.HideToolTip());
    }

    KeepToolTip(over) {
        if (over === this.tipOf || over === this.Tip) {
            clearTimeout(this.toolTipTimer);
        }
    }

    LeaveToolTip() {
        clearTimeout(this.toolTipTimer);
        this.toolTipTimer = setTimeout(() => this.HideToolTip(), 300);
    }

    // As on the desktop, any key sends the tool tip away, Esc among them.
    HideToolTip() {
        clearTimeout(this.toolTipTimer);
        this.Tip.hidden = true;
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
    // where that can help; no text takes it away. A message is put in anew,
    // so that a screen reader speaks it again when it repeats.
    ShowStatus(text, retry = false) {
        this.Status.hidden = !text;
        this.Retry.hidden = !retry;
        const said = document.createElement('p');
        said.id = this.StatusText.id;
        said.textContent = text;
        this.StatusText.replaceWith(said);
        this.StatusText = said;
    }

    // The puzzle's core, once. On the site it comes with the page, and may be
    // kept away by a slow or lost connection or by the server: the window
    // then says so, and tries again when asked, or at once when the
    // connection comes back, even while a try is still pending. However
    // often this is called, one core starts.
    async LoadCore() {
        if (this.core) {
            return;
        }
        if (this.loading) {
            this.again = true;
            return;
        }
        this.loading = true;
        this.again = false;
        const slow = setTimeout(() => this.ShowStatus(this.design.SlowText, !this.Retry.hidden), 4000);
        try {
            const why = await this.coreFile.Fetch();
            if (why) {
                this.ShowStatus(why, true);
            } else {
                this.Start(await KorvelataCore());
            }
        } catch (error) {
            // A core that came and did not start: only a reload can help.
            console.error(error);
            this.broken = true;
            this.ShowStatus(this.design.BrokenText, true);
        } finally {
            clearTimeout(slow);
            this.loading = false;
        }
        if (this.again) {
            this.LoadCore();
        }
    }

    // The puzzle on the board; a pupil who asked for it again goes on from
    // the first of its controls.
    Start(core) {
        this.core = core;
        const retried = document.activeElement === this.Retry;
        this.ShowStatus('');
        this.Load();
        if (retried) {
            this.List1[0].element.focus();
        }
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

// The core's script. The single file holds it; on the site the page asks
// for it with its other files, and its script runs it from there; a new try
// asks for it by a name the browser has not met, past anything that holds
// the first request. Fetch() resolves with nothing once the core is there,
// or with what kept it, in the pupil's words, once it failed or took longer
// than the page waits. A try given up on that comes after all still counts.
class CoreFile {
    constructor(design) {
        this.design = design;
        this.file = document.querySelector('link[rel="preload"][as="script"]');
        this.tries = 0;
        this.onLate = () => {};
    }

    // One try at a time, however often it is asked for.
    Fetch() {
        if (typeof KorvelataCore === 'function') {
            return Promise.resolve('');
        }
        if (!this.trying) {
            this.trying = this.Try().finally(() => (this.trying = undefined));
        }
        return this.trying;
    }

    Try() {
        const script = document.createElement('script');
        script.src = this.tries++ === 0 ? this.file.href : `${this.file.href}?try=${this.tries}`;
        script.integrity = this.file.integrity;
        const fetched = new Promise((resolve) => {
            script.addEventListener('load', () => resolve(''));
            script.addEventListener('error', () => resolve(this.WhyNot()));
        });
        document.head.appendChild(script);
        return this.Bounded(fetched, this.design.TimeoutText).then((why) => {
            if (why === this.design.TimeoutText) {
                script.addEventListener('load', this.onLate);
            }
            return why;
        });
    }

    // The same file asked for again, past the browser's cache: the server's
    // answer, or none, tells why.
    WhyNot() {
        const { design } = this;
        return this.Bounded(fetch(this.file.href, { cache: 'no-store' }).then((response) => {
            if (response.status === 404) {
                return design.NotFoundText;
            }
            if (!response.ok) {
                return design.ServerErrorText;
            }
            const javascript = /^(text|application)\/(x-)?(java|ecma)script\b/.test(response.headers.get('Content-Type') ?? '');
            return javascript ? design.OfflineText : design.WrongTypeText;
        }, () => design.OfflineText), design.TimeoutText);
    }

    // What a request that has not come within the page's patience says.
    Bounded(promise, timeout) {
        let timer;
        return Promise.race([promise, new Promise((resolve) => {
            timer = setTimeout(() => resolve(timeout), this.design.PatienceSeconds * 1000);
        })]).finally(() => clearTimeout(timer));
    }
}

const design = JSON.parse(document.getElementById('Design').textContent);
// The core is on its way before the window is set up.
const coreFile = new CoreFile(design);
coreFile.Fetch();
const form = new MainForm(design, coreFile);
form.LoadCore();
// For the script that watches over this one and speaks up if it could not start.
window.KorvelataStarted = true;

// The site works offline after one visit; the single file has no manifest
// and needs no worker. The worker fetches every file again, so it waits
// until the page has loaded. Each visit asks for a new version at once,
// since a browser may leave that for later. Where workers are refused (a
// private window, a policy against site data), or the network is gone, the
// page works as it is.
if ('serviceWorker' in navigator && document.querySelector('link[rel="manifest"]')) {
    window.addEventListener('load', () => navigator.serviceWorker.register('sw.js')
        .then((registration) => registration.update())
        .catch(() => {}));
}
