import { chromium } from 'playwright-core';
import { Serve } from '/work/main/tests/web/serve.mjs';
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--headless=new','--no-sandbox','--disable-gpu'] });
const site = await Serve('/work/main/build-web/site');
const page = await browser.newPage();
page.on('console', m => console.log('console', m.text())); page.on('pageerror', e => console.log('err', e.message));
await page.goto(site.url); await new Promise(r => setTimeout(r, 3000));
console.log(await page.evaluate(() => document.getElementById('StatusText').textContent));
await browser.close(); site.close();
