// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// WebKit, the engine of Safari and of every browser on an iPhone or iPad:
// WebKitGTK's MiniBrowser through WebKitWebDriver and selenium-webdriver. It
// has no headless mode, so it runs in an X server of its own; full-screen
// with no window manager, its viewport is exactly the window's size. A dark
// page comes from GTK's dark theme, in a second driver.
import { spawn } from 'node:child_process';
import { writeFile } from 'node:fs/promises';
import { createServer } from 'node:net';
import { Builder, By, Key, Origin } from 'selenium-webdriver';
import { Started, Xvfb } from '../processes.mjs';

export const name = 'WebKitGTK';

// WebKitWebDriver takes a touch pointer's actions but delivers them as a
// mouse's, so it cannot tap; and every command waits for a load to end, or
// fails, where a file that hangs holds it.
export const can = { names: true };

const MiniBrowser = process.env.MINIBROWSER ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';

const Keys = {
    Tab: Key.TAB, Enter: Key.ENTER, Space: Key.SPACE, ' ': Key.SPACE, Escape: Key.ESCAPE, Backspace: Key.BACK_SPACE,
    ArrowUp: Key.ARROW_UP, ArrowDown: Key.ARROW_DOWN, ArrowLeft: Key.ARROW_LEFT, ArrowRight: Key.ARROW_RIGHT,
    Home: Key.HOME, End: Key.END, PageUp: Key.PAGE_UP, PageDown: Key.PAGE_DOWN, Shift: Key.SHIFT, Control: Key.CONTROL,
};

async function FreePort() {
    const probe = createServer();
    await new Promise((resolve) => probe.listen(0, '127.0.0.1', resolve));
    const { port } = probe.address();
    await new Promise((resolve) => probe.close(resolve));
    return port;
}

async function Driver(display, colorScheme) {
    const port = await FreePort();
    const env = { ...process.env, DISPLAY: display };
    if (colorScheme === 'dark') {
        env.GTK_THEME = 'Adwaita:dark';
    }
    const process_ = spawn('/usr/bin/WebKitWebDriver', [`--port=${port}`], { stdio: 'ignore', env });
    await Started(process_, 'WebKitWebDriver');
    const url = `http://127.0.0.1:${port}`;
    for (let tries = 0; ; tries++) {
        try {
            await fetch(`${url}/status`);
            break;
        } catch (error) {
            if (tries > 100) {
                throw error;
            }
            await new Promise((resolve) => setTimeout(resolve, 50));
        }
    }
    return { process: process_, url };
}

export async function Launch() {
    const x = await Xvfb('1920x1080');
    const drivers = {};
    const driver = (colorScheme) => {
        drivers[colorScheme] ??= Driver(x.display, colorScheme);
        return drivers[colorScheme];
    };
    const session = async (colorScheme) =>
        new Builder().usingServer((await driver(colorScheme)).url).withCapabilities({
            browserName: 'MiniBrowser',
            'webkitgtk:browserOptions': { binary: MiniBrowser, args: ['--automation', '--full-screen'] },
        }).build();
    const first = await session('light');
    const version = (await first.getCapabilities()).get('browserVersion');
    await first.quit();
    return {
        version,
        async Open({ width, height, colorScheme = 'light' }) {
            const webDriver = await Bounded(session(colorScheme), 'a new session');
            await Bounded(webDriver.manage().window().setRect({ x: 0, y: 0, width, height }), 'setRect');
            return Answering(new Page(webDriver));
        },
        async Close() {
            for (const d of Object.values(drivers)) {
                (await d).process.kill();
            }
            x.server.kill();
        },
    };
}

// A call to WebKitWebDriver that has not answered in a minute fails, naming
// the call, rather than holding the whole run until its time is up.
function Bounded(promise, what) {
    let timer;
    return Promise.race([promise, new Promise((_, reject) => {
        timer = setTimeout(() => reject(new Error(`WebKitWebDriver did not answer ${what} within 60 s`)), 60000);
    })]).finally(() => clearTimeout(timer));
}

const Answering = (page) => new Proxy(page, {
    get(target, key) {
        const value = target[key];
        return typeof value === 'function' ? (...args) => Bounded(value.apply(target, args), String(key)) : value;
    },
});

// WebKitWebDriver passes on no console messages, so each load gets a capture
// of its errors; one raised before the capture is in place goes unseen.
function CaptureErrors() {
    if (window.pageErrors) {
        return;
    }
    window.pageErrors = [];
    addEventListener('error', (event) => window.pageErrors.push(event.message));
    addEventListener('unhandledrejection', (event) => window.pageErrors.push(String(event.reason)));
    const error = console.error;
    console.error = (...args) => {
        window.pageErrors.push(args.join(' '));
        error(...args);
    };
}

class Page {
    constructor(driver) {
        this.driver = driver;
    }

    async Goto(url) {
        await this.driver.get(url);
        await this.Evaluate(CaptureErrors);
    }

    async Reload() {
        await this.driver.navigate().refresh();
        await this.Evaluate(CaptureErrors);
    }

    // WebKitWebDriver now and then fails a script with an empty error, or
    // cannot parse the result of one that returned a plain boolean, and runs
    // it the next time (both seen on a busy machine); what the rows run only
    // reads or acts once.
    async Evaluate(script, arg) {
        for (let tries = 1; ; tries++) {
            try {
                return await this.driver.executeScript(`return (${script})(arguments[0]);`, arg);
            } catch (error) {
                if (error.name !== 'WebDriverError' || !/^(|Could not parse script result)$/.test(error.message) || tries === 3) {
                    throw error;
                }
            }
        }
    }

    async Element(selector, n) {
        const all = await this.driver.findElements(By.css(selector));
        if (!all[n]) {
            throw new Error(`no element ${n} of ${selector}`);
        }
        await this.driver.executeScript('arguments[0].scrollIntoView({ block: "nearest" });', all[n]);
        return all[n];
    }

    // Runs a whole script in the page, past its Content-Security-Policy.
    Inject(source) {
        return this.driver.executeScript(source);
    }

    async Click(selector, n = 0) {
        await this.driver.actions().move({ origin: await this.Element(selector, n) }).click().perform();
    }

    async Hover(selector, n = 0) {
        await this.driver.actions().move({ origin: await this.Element(selector, n) }).perform();
    }

    MoveAway() {
        return this.driver.actions().move({ x: 0, y: 0, origin: Origin.VIEWPORT }).perform();
    }

    async Press(key) {
        const keys = key.split('+').map((k) => Keys[k] ?? k);
        const last = keys.pop();
        let actions = this.driver.actions();
        for (const modifier of keys) {
            actions = actions.keyDown(modifier);
        }
        actions = actions.sendKeys(last);
        for (const modifier of keys.reverse()) {
            actions = actions.keyUp(modifier);
        }
        await actions.perform();
    }

    Type(text) {
        return this.driver.actions().sendKeys(text).perform();
    }

    async Screenshot(path) {
        await writeFile(path, await this.driver.takeScreenshot(), 'base64');
    }

    Errors() {
        return this.Evaluate(() => window.pageErrors ?? []);
    }

    // WebDriver's computed role and label; it has no description.
    async Accessible(selector) {
        const element = await this.driver.findElement(By.css(selector));
        return { role: await element.getAriaRole(), name: await element.getAccessibleName() };
    }

    Close() {
        return this.driver.quit();
    }
}
