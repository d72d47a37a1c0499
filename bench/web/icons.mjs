// The page's conversion of 500 small PNG icons against `lumivane-cli
// --import` on the same files, each the median of five rounds, alternating.
// Run after `bash scripts/web.sh build` and `npm ci` in tests/web:
//   TMPDIR=/dev/shm node bench/web/icons.mjs
import { spawnSync } from 'node:child_process';
import { createRequire } from 'node:module';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const require = createRequire(path.join(root, 'tests/web/package.json'));
const { chromium } = require('playwright-core');
const pagePath = process.env.LUMIVANE_HTML || path.join(root, 'build-web/lumivane.html');
const cliPath = process.env.LUMIVANE_CLI || path.join(root, 'build/cli/lumivane-cli');
const kIcons = Number(process.env.ICONS || 500);
const kRounds = 5;

const crcTable = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});
function chunk(type, data) {
  const body = Buffer.concat([Buffer.from(type, 'latin1'), data]);
  let crc = 0xffffffff;
  for (const byte of body) crc = crcTable[(crc ^ byte) & 0xff] ^ (crc >>> 8);
  const framed = Buffer.alloc(body.length + 8);
  framed.writeUInt32BE(data.length, 0);
  body.copy(framed, 4);
  framed.writeUInt32BE((crc ^ 0xffffffff) >>> 0, body.length + 4);
  return framed;
}
// A 32 x 32 RGBA icon: a ring whose size and colour vary with `seed`.
function icon(seed) {
  const size = 32;
  const rows = [];
  for (let y = 0; y < size; ++y) {
    const row = Buffer.alloc(1 + size * 4);
    for (let x = 0; x < size; ++x) {
      const distance = Math.hypot(x - 15.5, y - 15.5);
      const inRing = Math.abs(distance - (6 + (seed % 9))) < 3;
      row.set(inRing ? [(seed * 37) & 255, (seed * 91) & 255, 40, 255] : [250, 250, 250, (x * 8) & 255], 1 + x * 4);
    }
    rows.push(row);
  }
  const header = Buffer.alloc(13);
  header.writeUInt32BE(size, 0);
  header.writeUInt32BE(size, 4);
  header.set([8, 6, 0, 0, 0], 8);
  return Buffer.concat([Buffer.from('\x89PNG\r\n\x1a\n', 'latin1'), chunk('IHDR', header),
    chunk('IDAT', zlib.deflateSync(Buffer.concat(rows))), chunk('IEND', Buffer.alloc(0))]);
}

const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'lumivane-icons-'));
const names = Array.from({ length: kIcons }, (_, i) => `icon${String(i).padStart(3, '0')}.png`);
names.forEach((name, i) => fs.writeFileSync(path.join(folder, name), icon(i)));

const browser = await chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium' });
const page = await browser.newPage();
await page.goto(`file://${pagePath}`);
await page.waitForSelector('body[data-ready="true"]');

function timeCli() {
  const start = process.hrtime.bigint();
  const run = spawnSync(cliPath, ['--import', '-q', ...names], { cwd: folder });
  if (run.status !== 0) throw new Error(run.stderr.toString());
  return Number(process.hrtime.bigint() - start) / 1e6;
}
async function timePage() {
  // The same files picked again would not be news to the file input.
  await page.setInputFiles('#pick-files', []);
  const count = await page.evaluate(() => Number(document.body.dataset.converted || 0));
  const start = process.hrtime.bigint();
  await page.setInputFiles('#pick-files', names.map((name) => path.join(folder, name)));
  await page.waitForFunction((was) => Number(document.body.dataset.converted || 0) > was, count);
  const millis = Number(process.hrtime.bigint() - start) / 1e6;
  // The page's own clock, from the files handed to it (the input's change
  // event) to every header shown and painted, without the driver's work of
  // handing them over; reading them is part of it.
  await page.waitForFunction(() => performance.getEntriesByName('lumivane-shown').length > 0);
  const [read, whole] = await page.evaluate(() =>
    ['lumivane-read', 'lumivane-shown'].map((name) => performance.getEntriesByName(name).pop().duration));
  await page.evaluate(() => performance.clearMeasures());
  const headers = await page.evaluate(() => document.querySelectorAll('.output').length);
  if (headers !== kIcons) throw new Error(`${headers} headers`);
  return { millis, read, whole };
}

const cli = [];
const shown = [];
for (let round = 0; round < kRounds; ++round) {
  cli.push(timeCli());
  shown.push(await timePage());
}
await browser.close();
fs.rmSync(folder, { recursive: true });
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const cliMillis = median(cli);
const report = (label, millis) => `${label} ${millis.toFixed(0)} ms (${(millis / cliMillis).toFixed(2)} x)`;
console.log(`${kIcons} PNG icons, median of ${kRounds}: lumivane-cli --import ${cliMillis.toFixed(0)} ms; page: ` +
  `${report('files given to headers shown', median(shown.map((round) => round.whole)))}, ` +
  `${report('of which all read', median(shown.map((round) => round.read)))}, ` +
  `${report('all, with the driver handing the files over', median(shown.map((round) => round.millis)))}`);
