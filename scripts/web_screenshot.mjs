// screenshots/web.png and web-narrow.png: the page after an import of the
// test images, at a desktop width and at 360 px. Run by `bash scripts/web.sh screenshot`.
import { createRequire } from 'node:module';
import path from 'node:path';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '..');
const require = createRequire(path.join(root, 'tests/web/package.json'));
const { chromium } = require('playwright-core');
const images = ['photo.png', 'animated.gif'].map((name) => path.join(root, 'tests/web/images', name));

const browser = await chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium' });
for (const [name, width, height] of [['web.png', 1000, 1100], ['web-narrow.png', 360, 1400]]) {
  const page = await browser.newPage({ viewport: { width, height }, colorScheme: 'light' });
  await page.goto(`file://${path.join(root, 'build-web/lumivane.html')}`);
  await page.waitForSelector('body[data-ready="true"]');
  await page.selectOption('#dither', 'atkinson');
  await page.setInputFiles('#pick-files', images);
  await page.waitForSelector('.output');
  await page.screenshot({ path: path.join(root, 'screenshots', name) });
  await page.close();
}
await browser.close();
