// lumivane.html in headless Chromium, opened from disk with the network
// refused, against lumivane-cli run on the same files: the report, every
// header (as shown and as downloaded) and allFiles.h must be the same bytes.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';

const here = path.dirname(new URL(import.meta.url).pathname);
const root = path.resolve(here, '../..');
const pagePath = process.env.LUMIVANE_HTML || path.join(root, 'build-web/lumivane.html');
const cliPath = process.env.LUMIVANE_CLI || path.join(root, 'build/cli/lumivane-cli');
const images = path.join(here, 'images');
const bitmaps = path.join(here, 'bitmaps');
// Other files of the same names as some of the test files, in a folder of their own.
const elsewhere = fs.mkdtempSync(path.join(os.tmpdir(), 'lumivane-elsewhere-'));
fs.copyFileSync(path.join(bitmaps, 'arrow.xbm'), path.join(elsewhere, 'logo.xbm'));
fs.copyFileSync(path.join(images, 'palette.png'), path.join(elsewhere, 'photo.png'));
fs.copyFileSync(path.join(images, 'animated.gif'), path.join(elsewhere, 'animated.gif'));
const fixture = (name) => (name.startsWith('elsewhere/') ? path.join(elsewhere, path.basename(name)) : path.join(/\.xbm$/i.test(name) ? bitmaps : images, name));

let browser;
let page;
let devtools;
const requests = [];
const consoleErrors = [];

before(async () => {
  browser = await chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium' });
  const context = await browser.newContext({ offline: true, acceptDownloads: true, permissions: ['clipboard-read', 'clipboard-write'] });
  context.on('request', (request) => requests.push(request.url()));
  page = await context.newPage();
  devtools = await context.newCDPSession(page);
  page.on('console', (message) => message.type() === 'error' && consoleErrors.push(message.text()));
  await page.goto(`file://${pagePath}`);
  await page.waitForSelector('body[data-ready="true"]');
});

after(async () => {
  fs.rmSync(elsewhere, { recursive: true });
  return browser && browser.close();
});

// The command line in a fresh folder holding copies of `files` (each in a
// folder of its own, 0/, 1/..., when `apart`); what it printed and every file
// it wrote there.
function runCli(files, args, folderName, apart = false) {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'lumivane-web-'));
  const into = folderName ? path.join(work, folderName) : work;
  const named = files.map((file, i) => path.join(apart ? String(i) : '', path.basename(file)));
  for (const [i, file] of files.entries()) {
    const copy = path.join(into, named[i]);
    fs.mkdirSync(path.dirname(copy), { recursive: true });
    // A link where it can be made: copying 64 MiB of holes takes half a second.
    try { fs.linkSync(file, copy); } catch { fs.cpSync(file, copy, { recursive: true }); }
  }
  const before = new Set(listAll(work));
  const run = spawnSync(cliPath, [...args, ...(folderName ? [folderName] : named)], { cwd: work });
  const outputs = {};
  for (const written of listAll(work).filter((file) => !before.has(file))) {
    outputs[written] = fs.readFileSync(path.join(work, written), 'latin1');
  }
  fs.rmSync(work, { recursive: true });
  return { report: run.stdout.toString('latin1'), error: run.stderr.toString('latin1'), outputs };
}

function listAll(folder, prefix = '') {
  return fs.readdirSync(folder, { withFileTypes: true }).flatMap((entry) =>
    entry.isDirectory() ? listAll(path.join(folder, entry.name), `${prefix}${entry.name}/`) : [`${prefix}${entry.name}`]);
}

async function settle(action) {
  const count = await page.evaluate(() => Number(document.body.dataset.converted || 0));
  await action();
  await page.waitForFunction((was) => Number(document.body.dataset.converted || 0) > was, count);
  return page.evaluate(() => ({
    report: document.getElementById('report').textContent,
    box: document.getElementById('box').textContent,
    outputs: Object.fromEntries([...document.querySelectorAll('.output')].map((section) =>
      [section.querySelector('h3').textContent, section.querySelector('pre').textContent])),
  }));
}

// The settings as one change of the form, which converts the files given before.
async function setOptions({ threshold = 128, dither = 'none', invert = false, rotate = '0', flip = '', fit = ['', ''],
  layout = 'xbm', uncompressed = false, animation = false } = {}) {
  await page.evaluate((values) => {
    for (const [id, value] of Object.entries(values)) {
      const control = document.getElementById(id);
      if (control.type === 'checkbox') control.checked = value; else control.value = value;
    }
    document.getElementById('settings').dispatchEvent(new Event('input', { bubbles: true }));
  }, { layout, uncompressed, animation, threshold: String(threshold), dither, invert, rotate, flip, 'fit-width': fit[0], 'fit-height': fit[1] });
  await page.waitForFunction(() => !Number(document.body.dataset.pending));
}

// Drops files or a folder on the drop zone as Chromium hands over a drop
// from the file manager: real paths, a folder as a directory entry.
async function dropFiles(files) {
  const zone = await page.$('#drop');
  await zone.scrollIntoViewIfNeeded();
  const box = await zone.boundingBox();
  const at = { x: box.x + box.width / 2, y: box.y + box.height / 2 };
  const data = { items: [], files: files.map((file) => path.resolve(file)), dragOperationsMask: 1 };
  for (const type of ['dragEnter', 'dragOver', 'drop']) await devtools.send('Input.dispatchDragEvent', { type, ...at, data });
}

const pick = (files) => page.setInputFiles('#pick-files', files);
const leafOutputs = (outputs) => Object.fromEntries(Object.entries(outputs).map(([name, text]) => [path.basename(name), text]));
// The command line ends a finished report's line for the terminal.
const reportOf = (cli) => cli.report.replace(/COMPLETE\n$/, 'COMPLETE');
// The page's error box without its title, as the command line prints the error.
const errorOf = (shown) => (shown.box ? `${shown.box.split('\r\n')[1]}\n` : '');

test('bitmaps picked or dropped give the headers and report of the command line', async () => {
  const files = ['arrow.xbm', 'wave.small.xbm', 'plain.xbm', 'SHOUT.XBM', 'logo.xbm'].map((name) => path.join(bitmaps, name));
  const rows = [
    { options: {}, args: [], give: pick },
    { options: {}, args: [], give: dropFiles },
    { options: { layout: 'rows-msb' }, args: ['--layout', 'rows-msb'], give: dropFiles },
    { options: { layout: 'pages', uncompressed: true }, args: ['--layout', 'pages', '--uncompressed'], give: dropFiles, skip: 'wave.small.xbm' },
    // Two logo.xbm from different folders, picked together (a drop hands the
    // second over as "logo (1).xbm"): their headers would be one download.
    { options: {}, args: ['-o', '.'], give: pick, files: [fixture('elsewhere/logo.xbm'), path.join(bitmaps, 'logo.xbm'), path.join(bitmaps, 'arrow.xbm')], apart: true },
    // The first item dropped decides, a file or a folder, as on the window.
    { options: {}, args: [], give: dropFiles, files: [path.join(bitmaps, 'logo.xbm'), path.join(bitmaps, 'sub')] },
    { options: {}, args: [], give: dropFiles, files: [path.join(bitmaps, 'sub'), path.join(bitmaps, 'logo.xbm')] },
  ];
  // wave.small.xbm declares fewer bytes than it holds: other layouts refuse it.
  for (const row of rows) {
    const given = (row.files || files).filter((file) => path.basename(file) !== row.skip);
    const cli = runCli(given, row.args, '', row.apart);
    await setOptions(row.options);
    const shown = await settle(() => row.give(given));
    assert.equal(shown.report, reportOf(cli), row.args.join(' '));
    assert.equal(errorOf(shown), cli.error);
    assert.deepEqual(shown.outputs, leafOutputs(cli.outputs), row.args.join(' '));
  }
  await setOptions();
});

test('a folder picked or dropped gives its own .xbm files in listing order and allFiles.h', async () => {
  const cli = runCli(fs.readdirSync(bitmaps).map((name) => path.join(bitmaps, name)), [], 'bitmaps');
  for (const give of [() => page.setInputFiles('#pick-folder', bitmaps), () => dropFiles([bitmaps])]) {
    const shown = await settle(give);
    assert.equal(shown.report, reportOf(cli));
    assert.deepEqual(shown.outputs, leafOutputs(cli.outputs));
    assert.deepEqual(Object.keys(shown.outputs), ['arrow.h', 'icons.h', 'logo.h', 'plain.h', 'wave.small.h', 'allFiles.h']);
  }
});

test('Copy and Download give exactly the header shown', async () => {
  const files = ['logo.xbm', 'wave.small.xbm'].map((name) => path.join(bitmaps, name));
  const shown = await settle(() => page.setInputFiles('#pick-files', files));
  for (const [name, text] of Object.entries(shown.outputs)) {
    const [download] = await Promise.all([page.waitForEvent('download'), page.click(`button[aria-label="Download ${name}"]`)]);
    assert.equal(download.suggestedFilename(), name);
    assert.equal(fs.readFileSync(await download.path(), 'latin1'), text);
    await page.click(`button[aria-label="Copy ${name}"]`);
    await page.waitForSelector(`button[aria-label="Copy ${name}"]:text("Copied")`);
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), text);
  }
});

// Each row: images given together, and the settings as the command line spells them.
const importRows = [
  { files: ['photo.png', 'palette.png', 'gray.png', 'interlaced.png', 'deep.png'], options: {}, args: [] },
  { files: ['picture.bmp', 'plain.pbm', 'deep.pgm', 'outside.gif'], options: { threshold: 90, invert: true }, args: ['--threshold', '90', '--invert'] },
  { files: ['animated.gif', 'photo.png', 'picture.pbm'], options: { dither: 'floyd-steinberg', rotate: '90' }, args: ['--dither', 'floyd-steinberg', '--rotate', '90'] },
  { files: ['photo.png', 'arrow.xbm', 'picture.ppm'], options: { dither: 'atkinson', flip: 'h', fit: ['30', '16'] }, args: ['--dither', 'atkinson', '--flip', 'h', '--fit', '30x16'] },
  { files: ['interlaced.png', 'animated.gif', 'picture.pgm'], options: { dither: 'bayer', rotate: '270', flip: 'v' }, args: ['--dither', 'bayer', '--rotate', '270', '--flip', 'v'] },
  { files: ['animated.gif', 'photo.png'], options: { animation: true, layout: 'pages' }, args: ['--animation', '--layout', 'pages'] },
  { files: ['animated.gif', 'palette.png'], options: { animation: true, uncompressed: true, layout: 'rows-msb' }, args: ['--animation', '--uncompressed', '--layout', 'rows-msb'] },
  // Files of one name from different folders, whose headers would be one download.
  { files: ['photo.png', 'gray.png', 'elsewhere/photo.png'], options: {}, args: ['-o', '.'], apart: true },
  { files: ['elsewhere/animated.gif', 'animated.gif'], options: {}, args: ['-o', '.'], apart: true },
  { files: ['animated.gif', 'palette.png', 'elsewhere/animated.gif'], options: { animation: true }, args: ['--animation', '-o', '.'], apart: true },
  { files: ['animated.gif', 'SHOUT.XBM', 'elsewhere/logo.xbm', 'logo.xbm'], options: {}, args: ['-o', '.'], apart: true },
];

test('images give the headers and report of lumivane-cli --import', async () => {
  for (const row of importRows) {
    const files = row.files.map(fixture);
    const cli = runCli(files, ['--import', ...row.args], '', row.apart);
    await setOptions(row.options);
    const shown = await settle(() => (row.apart ? pick : dropFiles)(files));
    assert.equal(errorOf(shown), cli.error, row.files.join(' '));
    assert.equal(shown.report, reportOf(cli), row.files.join(' '));
    assert.deepEqual(shown.outputs, leafOutputs(cli.outputs), row.files.join(' '));
  }
  await setOptions();
});

// A header's bytes with the run code undone: 0x00 or 0xFF, then its extra repeats.
function unpack(listing) {
  const items = listing.split('{')[1].match(/0x[0-9A-F]+/g).map(Number);
  const bytes = [];
  for (let i = 0; i < items.length; ++i) {
    const byte = items[i];
    const count = byte === 0x00 || byte === 0xff ? items[++i] + 1 : 1;
    for (let k = 0; k < count; ++k) bytes.push(byte);
  }
  return bytes;
}

test('a JPEG differs from the command line only by decoder rounding', async () => {
  // turned.jpg is photo.jpg with EXIF orientation 6: shown turned clockwise.
  for (const [name, width, height] of [['photo', 37, 23], ['turned', 23, 37]]) {
    const jpeg = path.join(images, `${name}.jpg`);
    const cli = runCli([jpeg], ['--import']);
    const shown = await settle(() => page.setInputFiles('#pick-files', [jpeg]));
    const expected = unpack(cli.outputs[`${name}.h`]);
    const actual = unpack(shown.outputs[`${name}.h`]);
    assert.equal(actual.length, Math.ceil(width / 8) * height);
    assert.equal(expected.length, actual.length);
    const differing = actual.reduce((sum, byte, i) => sum + [...(byte ^ expected[i]).toString(2)].filter((bit) => bit === '1').length, 0);
    assert.ok(differing <= 0.005 * width * height, `${name}: ${differing} of ${width * height} pixels differ`);
  }
});

// The command line's error, as the page's box shows it after its first line.
const hostile = ['huge.png', 'notes.png', 'wide.gif', 'flat.gif', 'large.png', 'cut.png', 'cut.gif', 'big.png', 'big.xbm'];

test('hostile files give the command line error and leave the page working', async () => {
  // Larger than the command line reads: 64 MiB and one byte, holes only.
  const spare = fs.mkdtempSync(path.join(os.tmpdir(), 'lumivane-big-'));
  for (const name of ['big.png', 'big.xbm']) {
    fs.writeFileSync(path.join(spare, name), '');
    fs.truncateSync(path.join(spare, name), (64 << 20) + 1);
  }
  for (const name of hostile) {
    const file = path.join(name.startsWith('big.') ? spare : images, name);
    const cli = runCli([file], name.endsWith('.xbm') ? [] : ['--import']);
    const shown = await settle(() => page.setInputFiles('#pick-files', [file]));
    const [title, line] = shown.box.split('\r\n');
    assert.equal(title, 'The following error has occurred:');
    if (name.startsWith('cut.')) {
      // The page's decoders word what is damaged their own way.
      assert.match(line, new RegExp(`^Err # 1002 - Damaged image \\(.+\\): \\./${name.replace('.', '\\.')}$`));
      assert.match(cli.error, /^Err # 1002 - Damaged image/);
    } else {
      assert.equal(`${line}\n`, cli.error);
    }
    assert.deepEqual(shown.outputs, {});
  }
  // A file gone between the pick and its reading is named, not passed over.
  const gone = path.join(spare, 'gone.xbm');
  fs.copyFileSync(path.join(bitmaps, 'logo.xbm'), gone);
  await page.$eval('#pick-files', (input) => input.addEventListener('change', (event) => event.stopImmediatePropagation(), { capture: true, once: true }));
  await page.setInputFiles('#pick-files', [gone, path.join(bitmaps, 'arrow.xbm')]);
  fs.rmSync(gone);
  await page.$eval('#pick-files', (input) => input.dispatchEvent(new Event('change')));
  await page.waitForFunction(() => document.getElementById('box').textContent === './gone.xbm could not be read: moved, removed or changed since it was given.');
  fs.rmSync(spare, { recursive: true });
});

test('every control is labelled and Tab reaches each one, at 360 px too', async () => {
  await page.setViewportSize({ width: 360, height: 740 });
  await settle(() => page.setInputFiles('#pick-files', [path.join(bitmaps, 'logo.xbm')]));
  const controls = await page.evaluate(() => [...document.querySelectorAll('input, select, button')].map((control) =>
    ({ id: control.id, named: control.labels?.length > 0 || control.hasAttribute('aria-label'), wide: control.getBoundingClientRect().right <= 360 })));
  assert.equal(controls.length, 15);
  assert.deepEqual(controls.filter((control) => !control.named || !control.wide), []);
  await page.click('h1');
  const reached = [];
  for (let i = 0; i < controls.length + 2; ++i) {
    await page.keyboard.press('Tab');
    reached.push(await page.evaluate(() => document.activeElement.id || document.activeElement.getAttribute('aria-label')));
  }
  const settings = ['pick-files', 'pick-folder', 'layout', 'uncompressed', 'animation', 'threshold', 'dither', 'invert', 'rotate', 'flip', 'fit-width', 'fit-height', 'background'];
  assert.deepEqual(reached.slice(0, settings.length), settings);
  assert.ok(reached.includes('Copy logo.h') && reached.includes('Download logo.h'), reached.join(' '));
  await page.setViewportSize({ width: 1280, height: 720 });
});

test('the page makes no request beyond its own file', () => {
  assert.deepEqual(requests.filter((url) => !url.startsWith('data:')), [`file://${pagePath}`]);
  assert.deepEqual(consoleErrors, []);
  assert.ok(fs.statSync(pagePath).size < 1.5 * 1024 * 1024);
});
