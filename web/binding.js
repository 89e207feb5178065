// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The other half of binding.cpp, inside the core's own script: the puzzle's
// functions as the page calls them. Texts cross through the core's memory as
// UTF-8; a text that comes out is copied at once, since the next call reuses
// its buffer.
/* global Module, _malloc, _free, _ReadNumber, _SetCount, _Count, _Draw, _PairRowCount, _PairLabel,
   _PairSumText, _ValueText, _Judge, UTF8ToString, lengthBytesUTF8, stringToUTF8 */

function withText(value, use) {
    const size = lengthBytesUTF8(value) + 1;
    const pointer = _malloc(size);
    try {
        stringToUTF8(value, pointer, size);
        return use(pointer);
    } finally {
        _free(pointer);
    }
}

Object.assign(Module, {
    ReadNumber: (value) => withText(value, (pointer) => _ReadNumber(pointer)),
    SetCount: (count) => _SetCount(count),
    Count: () => _Count(),
    Draw: () => _Draw(),
    PairRowCount: () => _PairRowCount(),
    PairLabel: (k) => UTF8ToString(_PairLabel(k)),
    PairSumText: (k) => UTF8ToString(_PairSumText(k)),
    ValueText: (i) => UTF8ToString(_ValueText(i)),
    Judge: (answer, i) => withText(answer, (pointer) => _Judge(pointer, i)),
});
