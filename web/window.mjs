// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window as the page itself holds it, built from the design table: its
// controls as markup, in the order of the keyboard focus, and their places
// and colours as style. It shows with no script at all, as it is before the
// puzzle's core has come: the count chosen at start, its unknowns laid out
// and the board blank.

const escape = (text) => String(text).replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);

function Element(tag, attributes, content = '') {
    const list = Object.entries(attributes)
        .filter(([, value]) => value !== false)
        .map(([name, value]) => (value === true ? ` ${name}` : ` ${name}="${escape(value)}"`))
        .join('');
    return tag === 'input' ? `<${tag}${list}>` : `<${tag}${list}>${content}</${tag}>`;
}

function List(design, x, rows, selected) {
    const options = rows.map((text, r) => Element('div', {
        id: `List1_${x}_${r}`, role: 'option', 'aria-selected': String(r === selected),
    }, escape(text)));
    return Element('div', {
        id: `List1_${x}`, class: 'List1', role: 'listbox', 'aria-label': design.List1Name[x], tabindex: '0',
    }, options.join(''));
}

export function WindowMarkup(design) {
    const count = Number(design.Counts[design.StartCountRow]);
    const unknowns = design.Label2.map((_, k) => [
        Element('label', { id: `Label2_${k}`, class: 'Label2', for: `Text2_${k}`, hidden: k >= count },
            escape(design.Label2Text[k])),
        // A phone's full keyboard, which has the minus sign, with no capitals
        // or corrections of its own. The verdict is the box's description
        // only, as on the desktop: a hidden element still gives its text to
        // aria-describedby.
        Element('input', {
            id: `Text2_${k}`, class: 'Text2', type: 'text', autocomplete: 'off', autocapitalize: 'off',
            autocorrect: 'off', spellcheck: 'false', maxlength: '32767', 'aria-describedby': `Verdict_${k}`,
            hidden: k >= count,
        }),
        Element('span', { id: `Verdict_${k}`, hidden: true }),
    ].join(''));
    // The controls are one application to assistive technology, as the
    // desktop's window is one: a screen reader speaks each as the focus
    // reaches it, the statement as the page opens. The title and what the
    // window says stand beside them, where a reading mode reaches them.
    const controls = Element('div', { id: 'Controls', role: 'application', 'aria-label': design.Caption }, [
        Element('textarea', { id: 'Text1_0', class: 'Text1', readonly: true, 'aria-label': design.Text1Name },
            escape(design.Task)),
        List(design, 0, design.StartPairs, -1),
        List(design, 1, design.StartPairs.map(() => design.Placeholder), -1),
        ...design.Command1Text.map((text, b) => Element('button', { id: `Command1_${b}`, class: 'Command1', type: 'button' },
            escape(text))),
        Element('div', { id: 'Frame1', class: 'Frame1' }, unknowns.join('')),
        List(design, 2, design.Counts, design.StartCountRow),
    ].join('\n'));
    return Element('div', { id: 'MainForm' }, [
        Element('h1', { id: 'Label1_0', class: 'Label1' }, escape(design.Label1Text[0])),
        Element('div', { id: 'Label1_1', class: 'Label1' }, escape(design.Label1Text[1])),
        controls,
        Element('div', { id: 'Status', class: 'Status', role: 'alert', hidden: true }, [
            Element('p', { id: 'StatusText' }),
            Element('button', { id: 'Retry', type: 'button', hidden: true }, escape(design.RetryText)),
        ].join('')),
        Element('noscript', { class: 'Status' }, Element('p', {}, escape(design.NoScriptText))),
    ].join('\n'));
}

const place = ([left, top, width, height]) => `--left: ${left}; --top: ${top}; --width: ${width}; --height: ${height};`;

export function WindowStyle(design) {
    const rules = [
        `:root { --window-width: ${design.Window[2]}; --window-height: ${design.Window[3]}; ` +
            `--font: "${design.FontFamily}", "Liberation Serif", Tinos, serif; --font-px: ${design.FontPoints * 4 / 3}; ` +
            `--window: ${design.ColourWindow}; --text: ${design.ColourText}; --neutral: ${design.ColourNeutral}; ` +
            `--selection: ${design.ColourSelection}; --selection-text: ${design.ColourSelectionText}; ` +
            `--forced-selection: ${design.ForcedSelection}; --forced-selection-text: ${design.ForcedSelectionText}; }`,
        ...design.Label1.map((p, k) => `#Label1_${k} { ${place(p)} }`),
        `#Text1_0 { ${place(design.Text1)} }`,
        ...design.List1.map((p, x) => `#List1_${x} { ${place(p)} }`),
        ...design.Command1.map((p, b) => `#Command1_${b} { ${place(p)} background-color: ${design.ColourCommand1[b]}; }`),
        `#Frame1 { ${place(design.Frame1)} }`,
        ...design.Label2.map((p, k) => `#Label2_${k} { ${place(p)} }`),
        ...design.Text2.map((p, k) => `#Text2_${k} { ${place(p)} }`),
        `.Status { ${place(design.Status)} }`,
    ];
    return `${rules.join('\n')}\n`;
}
