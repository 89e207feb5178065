// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's core reads every text of the fuzzer's corpus to the very bit
// as the desktop's reader does: the same C++, built by the host's g++ for
// the desktop and by emscripten, without the C library's reader, for the
// page, where it runs under Node as the browser runs it.
// Usage: KORVELATA_WEB=build-web node --test corpus.test.mjs
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';
import vm from 'node:vm';

const top = fileURLToPath(new URL('../..', import.meta.url));
const corpus = join(top, 'fuzz/corpus');
const files = readdirSync(corpus).sort().map((name) => join(corpus, name));

function Desktop() {
    const folder = mkdtempSync(join(tmpdir(), 'korvelata-corpus-'));
    try {
        const program = join(folder, 'read_corpus');
        execFileSync('g++', ['-std=c++20', '-O2', '-Wall', '-Wextra', '-Wpedantic', `-I${join(top, 'puzzle')}`,
            join(top, 'tests/puzzle/read_corpus.cpp'), join(top, 'puzzle/read_number.cpp'),
            join(top, 'puzzle/nearest_double.cpp'), '-o', program]);
        return execFileSync(program, files, { encoding: 'utf8' }).trim().split('\n');
    } finally {
        rmSync(folder, { recursive: true, force: true });
    }
}

// A byte above 127 stops the reader wherever it stands, as does any
// character it turns into, so each byte may go in as one character.
async function Page() {
    vm.runInThisContext(readFileSync(join(process.env.KORVELATA_WEB, 'web/core.js'), 'utf8'));
    const core = await KorvelataCore();
    const bits = new DataView(new ArrayBuffer(8));
    return files.map((file) => {
        bits.setFloat64(0, core.ReadNumber(readFileSync(file).toString('latin1')));
        return bits.getBigUint64(0).toString(16).padStart(16, '0');
    });
}

test(`the page's core reads the ${files.length} texts of the fuzzer's corpus as the desktop does`, async () => {
    const desktop = Desktop();
    const page = await Page();
    const differ = files.filter((file, k) => desktop[k] !== page[k]).map((file) => file.slice(corpus.length + 1));
    assert.deepEqual(differ, []);
});
