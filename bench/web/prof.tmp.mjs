import { chromium } from 'playwright-core';
import { Serve } from '/work/main/tests/web/serve.mjs';
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--headless=new','--no-sandbox','--disable-gpu'] });
const site = await Serve('/work/main/build-web/site');
for (let n = 0; n < 5; n++) {
  const context = await browser.newContext(); const page = await context.newPage();
  await (await context.newCDPSession(page)).send('Emulation.setCPUThrottlingRate', { rate: 6 });
  await page.addInitScript(() => {
    window.marks = {};
    new MutationObserver((_, o) => { const r = document.querySelector('#List1_1 [role="option"]'); if (r && r.textContent !== '?') { marks.numbers = performance.now(); o.disconnect(); } }).observe(document, { childList: true, subtree: true });
    document.addEventListener('DOMContentLoaded', () => marks.dcl = performance.now());
  });
  await page.goto(site.url); await page.waitForFunction(() => window.marks.numbers);
  const r = await page.evaluate(() => ({ ...marks, m: performance.getEntriesByType('mark').map(m => m.name + ' ' + m.startTime.toFixed(0)).join(', '), fcp: performance.getEntriesByName('first-contentful-paint')[0]?.startTime,
     res: performance.getEntriesByType('resource').map(e => `${e.name.split('/').pop().slice(0,8)} ${e.startTime.toFixed(0)}-${e.responseEnd.toFixed(0)}`).join(', '),
     nav: performance.getEntriesByType('navigation')[0].responseEnd.toFixed(0) }));
  console.log(JSON.stringify(r));
  await context.close();
}
await browser.close(); site.close();
