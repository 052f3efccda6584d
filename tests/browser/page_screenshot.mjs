// Plays an exported page in headless Chromium and saves its canvas as a PNG, for the desktop
// session tests: node page_screenshot.mjs SITE_FOLDER PAGE.html OUT.png
import fs from 'node:fs';
import path from 'node:path';
import { launchBrowser, startServer } from './harness.mjs';

const [siteDir, pageName, out] = process.argv.slice(2);
const browser = await launchBrowser();
const server = await startServer(siteDir);
try {
  const page = await browser.newPage({ viewport: { width: 800, height: 600 } });
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await page.goto(server.url + encodeURIComponent(pageName), { waitUntil: 'load' });
  await page.waitForFunction(() => typeof _model !== 'undefined' && _model !== undefined && !!_model.gpu, null, { timeout: 30000 });
  await page.waitForLoadState('networkidle');
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(() => requestAnimationFrame(resolve)))));
  fs.mkdirSync(path.dirname(out), { recursive: true });
  fs.writeFileSync(out, await page.locator('canvas').screenshot());
  if (errors.length) console.error(errors.join('\n'));
} finally {
  await server.close();
  await browser.close();
}
