// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Orca, headless: an X server, a private D-Bus session with the
// accessibility bus, and speech-dispatcher writing every line that Orca
// speaks into a file instead of sounding it. Keys go in through
// xdotool; what Orca said after each is read back once it has been quiet
// for a while. KORVELATA_ORCA_DEBUG=1 keeps Orca's own debug log as well,
// and KORVELATA_KEEP=1 leaves the run's folder (/tmp/sr-*) for reading.
import { execFileSync, spawn } from 'node:child_process';
import { existsSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { Started, Xvfb } from '../web/processes.mjs';

const Quiet = 1200;
const Longest = 15000;

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function Until(what, test, within = 20000) {
    for (const start = Date.now(); ; await sleep(100)) {
        const value = await test();
        if (value) {
            return value;
        }
        if (Date.now() - start > within) {
            throw new Error(`timed out waiting for ${what}`);
        }
    }
}

export class Orca {
    // Short paths under /tmp: AT-SPI's socket names grow from them.
    async Start() {
        this.run = mkdtempSync('/tmp/sr-');
        this.children = [];
        const home = join(this.run, 'h');
        const runtime = join(this.run, 'r');
        const config = join(home, '.config');
        mkdirSync(join(config, 'speech-dispatcher/modules'), { recursive: true });
        mkdirSync(runtime, { mode: 0o700 });
        writeFileSync(join(config, 'speech-dispatcher/speechd.conf'),
            'AudioOutputMethod "alsa"\nAddModule "silent" "sd_generic" "silent.conf"\nDefaultModule silent\n');
        // Each utterance, as speech-dispatcher gets it, one line each.
        this.spoken = join(this.run, 'spoken');
        writeFileSync(this.spoken, '');
        writeFileSync(join(config, 'speech-dispatcher/modules/silent.conf'), [
            `GenericExecuteSynth "echo \\'$DATA\\' >> ${this.spoken}"`,
            'GenericLanguage "bg" "bg" "utf-8"', 'GenericLanguage "en" "en" "utf-8"',
            'AddVoice "bg" "MALE1" "bg"', 'AddVoice "en" "MALE1" "en"', '',
        ].join('\n'));
        // Without a sound card speech-dispatcher would wait for one.
        writeFileSync(join(home, '.asoundrc'), 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n');

        const { display } = await Xvfb('1280x1024', (...args) => this.Spawn(...args));
        const bus = join(this.run, 'bus');
        this.env = {
            PATH: process.env.PATH, LANG: 'C.UTF-8', HOME: home, XDG_RUNTIME_DIR: runtime, XDG_CONFIG_HOME: config,
            DISPLAY: display, DBUS_SESSION_BUS_ADDRESS: `unix:path=${bus}`, NO_AT_BRIDGE: '0',
        };
        const dbus = this.Spawn('dbus-daemon', ['--session', '--nofork', `--address=unix:path=${bus}`]);
        await Started(dbus, 'dbus-daemon');
        await Until('the D-Bus session', () => existsSync(bus));
        this.Spawn('/usr/libexec/at-spi-bus-launcher', ['--launch-immediately']);
        // Orca's own Python needs pyatspi, which another python3 on the PATH may lack.
        const debug = process.env.KORVELATA_ORCA_DEBUG ? [`--debug-file=${join(this.run, 'orca.log')}`] : [];
        const orca = this.Spawn('/usr/bin/python3', ['/usr/bin/orca', ...debug]);
        await Started(orca, 'Orca');
        this.orca = orca;
        await Until('Orca to speak', () => this.Lines().some((line) => line.includes('Screen reader on')));
        this.read = this.Lines().length;
    }

    // Each in a process group of its own, so that a browser's helpers end
    // with it.
    Spawn(command, args, options = {}) {
        const child = spawn(command, args, { stdio: 'ignore', env: this.env ?? process.env, detached: true, ...options });
        this.children.push(child);
        return child;
    }

    // Every line Orca has spoken so far.
    Lines() {
        return readFileSync(this.spoken, 'utf8').split('\n').slice(0, -1);
    }

    // What Orca said since the last call, once it has been quiet for the
    // given time: the spoken lines, without the echo of the keys themselves.
    async Said(quiet = Quiet) {
        let count = this.Lines().length;
        for (let start = Date.now(), still = Date.now(); Date.now() - still < quiet && Date.now() - start < Longest;) {
            await sleep(100);
            const now = this.Lines().length;
            if (now !== count) {
                [count, still] = [now, Date.now()];
            }
        }
        const lines = this.Lines();
        const said = lines.slice(this.read).filter((line) => !/^(tab|shift|left shift|down|up|home|end|space|return) ?$/i.test(line.trim()));
        this.read = lines.length;
        return said;
    }

    // Once Orca has said the given words, in a line not yet read.
    Hears(words) {
        return Until(`Orca to say "${words}"`, () => this.Lines().slice(this.read).some((line) => line.includes(words)));
    }

    X(...args) {
        return execFileSync('xdotool', args, { env: this.env, encoding: 'utf8' }).trim();
    }

    // The first window whose title has the given words.
    Window(title) {
        return Until(`a window "${title}"`, () => {
            try {
                return this.X('search', '--onlyvisible', '--name', title).split('\n')[0];
            } catch {
                return '';
            }
        });
    }

    // That window, placed and given the keyboard; there is no window manager
    // to do it.
    async Focus(title) {
        const window = await this.Window(title);
        this.X('windowmove', '--sync', window, '0', '0');
        this.X('windowfocus', '--sync', window);
        return window;
    }

    // One key, or several at once, apart by blanks.
    Key(keys) {
        this.X('key', '--clearmodifiers', ...keys.split(' '));
    }

    Type(text) {
        this.X('type', '--delay', '60', '--', text);
    }

    MouseTo(x, y) {
        this.X('mousemove', '--sync', String(x), String(y));
    }

    // Orca sometimes ignores SIGTERM: every process group ends at once.
    async Stop() {
        for (const child of this.children.reverse()) {
            try {
                process.kill(-child.pid, 'SIGKILL');
            } catch {
                // already gone
            }
        }
        await sleep(500);
        if (!process.env.KORVELATA_KEEP) {
            rmSync(this.run, { recursive: true, force: true, maxRetries: 10, retryDelay: 200 });
        }
    }
}
