// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The programs that the browser tests start beside the browsers: each has
// started or says why not, and an X server of their own for what needs a
// display.
import { spawn as spawnChild } from 'node:child_process';

export function Started(child, what) {
    return new Promise((resolve, reject) => {
        child.once('error', (error) => reject(new Error(`${what} did not start: ${error.message}`)));
        child.once('exit', (code) => reject(new Error(`${what} ended with ${code}`)));
        child.once('spawn', resolve);
    });
}

// An X server on a display number of its own choosing, started through the
// given spawn (a caller may keep its children in process groups).
export async function Xvfb(size, spawn = spawnChild) {
    const server = spawn('Xvfb', ['-displayfd', '1', '-screen', '0', `${size}x24`, '-nolisten', 'tcp'],
        { stdio: ['ignore', 'pipe', 'ignore'] });
    await Started(server, 'Xvfb');
    const display = await new Promise((resolve) => server.stdout.once('data', (d) => resolve(`:${String(d).trim()}`)));
    return { server, display };
}
