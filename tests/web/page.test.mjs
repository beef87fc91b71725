// The page in Debian's Chromium, driven by Playwright: it agrees with the
// CLI byte for byte, opens files every way a user does, works from disk
// with no network, and fits its window. Each test starts from a fresh page.
//   node --test tests/web   (tools/test builds the page and the CLI first)
import {test, before, after, beforeEach} from 'node:test';
import assert from 'node:assert/strict';
import {execFileSync, spawnSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';
import {chromium} from 'playwright-core';
import {png, decodePng} from './png.mjs';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const pagePath = process.env.QG_PAGE ? path.resolve(process.env.QG_PAGE) : path.join(root, 'build/web/quillgrid.html');
const cli = path.join(root, 'build/native/quillgrid-cli');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'quillgrid-page-'));
let browser, context, page;
const requests = [];

// Inputs: the samples, PNGs of alpha, 16-bit grey and a palette, a 1-bit BMP,
// an animated GIF.
const inputs = {
  'logo.bmp': fs.readFileSync(path.join(root, 'samples/logo.bmp')),
  'gradient.png': fs.readFileSync(path.join(root, 'samples/gradient.png')),
  'alpha.png': png(37, 23, 6, 8, (x, y) => [x * 7, y * 11, 200, (x * y * 13) % 256]),
  'grey16.png': png(29, 31, 0, 16, (x, y) => [(x * 2261 + y * 1000) % 65536]),
  'palette.png': png(33, 17, 3, 8, (x, y) => [(x + y) % 4], [0, 0, 0, 90, 90, 90, 180, 180, 180, 250, 250, 250]),
  'moving.gif': fs.readFileSync(path.join(root, 'fuzz/inputs/decode/moving.gif')),
};
// And every JPEG and WebP of the tests: each coding, a phone's portrait,
// alpha, an animation.
for (const name of fs.readdirSync(path.join(root, 'tests/images'))) {
  if (/\.(jpg|webp)$/.test(name)) inputs[name] = fs.readFileSync(path.join(root, 'tests/images', name));
}
for (const [name, bytes] of Object.entries(inputs)) fs.writeFileSync(path.join(work, name), bytes);

function cliOutput(args, name) {
  const result = spawnSync(cli, [...args, name], {cwd: work, maxBuffer: 1 << 28});
  return {status: result.status, out: result.stdout, err: result.stderr.toString()};
}

before(async () => {
  browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync'],
  });
  context = await browser.newContext({viewport: {width: 1280, height: 900}, locale: 'en-US'});
  await context.setOffline(true);  // the page needs no network: cut it
});

// A page of its own for each test: nothing a test chose stays for the next.
beforeEach(async () => {
  await page?.close();
  page = await context.newPage();
  page.on('request', (request) => requests.push(request.url()));
  await page.goto(pathToFileURL(pagePath).href);
  await page.evaluate(() => window.quillgrid.ready);
});

after(async () => {
  await browser?.close();
  fs.rmSync(work, {recursive: true, force: true});
});

// The page's convert() and the CLI, on the same files with the same
// options: the same bytes, or the same refusal.
test('the page and the CLI agree on every case', async () => {
  const options = [
    [], ['--preset', 'xbm'], ['--preset', 'ssd1306', '--fill-one'], ['--preset', 'epaper'],
    ['--threshold', '30%'], ['--dither'], ['--dither=atkinson', '--lsb-first'], ['--dither=bayer', '--bits-horizontal'],
    ['--invert', '--background', 'black'], ['--size', '128x64'], ['--size', '84x48', '--fit', 'cover', '--align', 'top-left'],
    ['--size', '96x16', '--rotate', '90', '--flip', 'h', '--resample', 'nearest'], ['--size', '40x40', '--fit', 'stretch', '--dither'],
    ['--c-array', 'img', '--c-style', 'arduino'], ['--xbm=icon'], ['--lvgl', 'img', '--size', '64x32'], ['--binary', '--preset', 'xbm'],
    ['--bmp', '--size', '50x20'], ['--info', '--size', '128x64'], ['--preview=ascii', '--size', '32x16'],
    ['--size', '0x1'],
    // Levels of grey, their forms and presets.
    ['--depth', '2', '--size', '64x32'], ['--depth', '4', '--dither', '--preset', 'ssd1322', '--size', '50x20'],
    ['--preset', 'epaper-4grey', '--planes', '--binary'], ['--depth', '8', '--lvgl', 'img', '--lvgl-format', 'L8'],
    ['--lvgl', 'img', '--lvgl-format', 'A4', '--size', '24x24'], ['--png', '--depth', '2', '--dither=bayer'],
    ['--bmp', '--depth', '4', '--invert'], ['--preview=colour', '--depth', '2', '--size', '16x8'],
    ['--info', '--depth', '8'], ['--depth', '2', '--xbm'], ['--preset', 'adafruit-gfx-grey', '--c-array', 'g'],
    // Colour: palettes, their planes and presets, direct formats and their forms.
    ['--palette', 'bwr', '--size', '64x32', '--dither'], ['--preset', 'epaper-bwr', '--planes', '--binary', '--size', '48x24'],
    ['--preset', 'epaper-acep7', '--dither=bayer', '--size', '30x20'], ['--palette', '#102030,#E0D0C0,#FF8000', '--png'],
    ['--color', 'rgb565', '--byte-order', 'be', '--size', '20x10'], ['--preset', 'tft-espi', '--c-array', 'img'],
    ['--color', 'argb8888', '--lvgl', 'img'], ['--lvgl', 'img', '--lvgl-format', 'RGB565A8', '--size', '24x24'],
    ['--color', 'rgb332', '--dither', '--bmp'], ['--preview=colour', '--palette', 'spectra6', '--size', '16x8'],
    ['--info', '--palette', 'bwyr'], ['--palette', 'bwr', '--xbm'], ['--palette', 'bwyr', '--planes'],
    ['--palette', 'bwr', '--planes', '--plane-ink', '0,1'], ['--color', 'argb8888', '--c-array', 'img', '--c-words'],
    // LVGL's image file and compressed images.
    ['--lvgl-bin', '--size', '30x20'], ['--lvgl', 'img', '--compress', 'rle', '--depth', '4', '--size', '24x24'],
    ['--color', 'rgb565', '--lvgl-bin', '--compress', 'lz4', '--size', '40x30'],
    ['--info', '--compress', 'rle', '--color', 'rgb565a8'], ['--lvgl', 'img', '--lvgl-version', '8', '--color', 'argb8888'],
    ['--lvgl', 'img', '--lvgl-version', '8', '--depth', '4', '--size', '20x20'],
    // The tone's adjustments, on the image kept from the case before.
    ['--brightness', '30', '--size', '64x32'], ['--contrast', '-40', '--size', '64x32'],
    ['--saturation', '-100', '--palette', 'acep7', '--dither', '--size', '40x30'],
    ['--gamma', '2.2', '--color', 'rgb565', '--binary', '--size', '40x30'],
    // A panel's measured inks, set aside, and the serpentine walk.
    ['--preset', 'epaper-spectra6', '--dither', '--png', '--size', '40x30'],
    ['--palette', 'acep7', '--dither', '--ideal-inks', '--size', '40x30'],
    ['--palette', '#000000=#202020,#FFFFFF=#E0E0E0,#FF0000=#A02020', '--dither', '--serpentine', '--png'],
    ['--depth', '2', '--dither=atkinson', '--serpentine', '--size', '40x30'],
    ['--c-array', 'img', '--compress', 'rle', '--preset', 'ssd1306'], ['--color', 'rgb565', '--compress', 'rle', '--binary'],
    // Animations: frames picked, delays given, one form of one frame.
    ['--frames', '1-2'], ['--c-array', 'anim', '--delay', '50'], ['--frames', '2', '--png'], ['--frames', '9'],
  ];
  let cases = 0;
  for (const [name, bytes] of Object.entries(inputs)) {
    for (const args of options) {
      const expected = cliOutput(args, name);
      const got = await page.evaluate(({bytes, args, name}) => {
        try {
          return {out: Array.from(window.quillgrid.convertBytes(new Uint8Array(bytes), args, name))};
        } catch (error) {
          return {error: error.message, status: error.status};
        }
      }, {bytes: Array.from(bytes), args, name});
      if (expected.status === 0) {
        assert.ok(got.out, `${name} ${args.join(' ')}: ${got.error}`);
        assert.deepEqual(Buffer.from(got.out), expected.out, `${name} ${args.join(' ')}`);
      } else {
        assert.equal(got.status, expected.status, `${name} ${args.join(' ')}`);
        assert.equal(got.error, expected.err.split('\n')[0], `${name} ${args.join(' ')}`);
      }
      ++cases;
    }
  }
  assert.ok(cases >= 100);
});

// Fonts, read in the page as the CLI reads them: the same bytes of every
// font form and sample, the same refusals.
test('the page and the CLI agree on fonts', async () => {
  const fonts = {
    'dejavu.ttf': '/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf',
    'freesans.otf': '/usr/share/fonts/opentype/freefont/FreeSans.otf',
    '6x13.pcf.gz': '/usr/share/fonts/X11/misc/6x13.pcf.gz',
  };
  const options = [
    ['--gfx-font', 'f', '--font-size', '12'], ['--gfx-font', 'f', '--font-size', '9', '--glyphs', 'latin1', '--hinting', 'auto'],
    ['--gfx-font', 'f', '--font-size', '20', '--hinting', 'none'], ['--vlw', '--font-size', '16'],
    ['--vlw-array', 'v', '--font-size', '11', '--glyphs', 'latin1,0x2013'], ['--gfx-font', 'f', '--font-size', '12', '--bmp', '--sample', 'Hello,\\nworld'],
    ['--vlw', '--font-size', '14', '--png', '--sample', 'Hi ☃'], ['--gfx-font', 'f', '--font-size', '12', '--info'],
    ['--vlw', '--info'], ['--gfx-font', 'f', '--font-size', '300'], ['--gfx-font', 'f', '--glyphs', '0x3042'],
    ['--lvgl-font', 'l', '--font-size', '15'], ['--lvgl-font', 'l', '--font-size', '10', '--font-bits', '2', '--bmp'],
    ['--lvgl-font', 'l', '--font-size', '21', '--font-compress'],
    ['--u8g2-font', 'u', '--font-size', '13', '--glyphs', 'u8g2-f'], ['--u8g2-font', 'u', '--font-size', '12', '--bmp', '--sample', 'u8g2\\nok'],
    ['--u8g2-font', 'u', '--font-size', '200'], ['--lvgl-font-bin', '--font-size', '14', '--font-bits', '2', '--font-compress'],
  ];
  let cases = 0;
  // Each case on the font, which crosses into the page once.
  const agree = async (name, bytes, cases_) => {
    await page.evaluate((base64) => {
      window.fontBytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
    }, bytes.toString('base64'));
    for (const args of cases_) {
      const expected = cliOutput(args, name);
      const got = await page.evaluate(({args, name}) => {
        try {
          return {out: btoa(String.fromCharCode(...window.quillgrid.convertBytes(window.fontBytes, args, name)))};
        } catch (error) {
          return {error: error.message, status: error.status};
        }
      }, {args, name});
      if (expected.status === 0) {
        assert.ok(got.out !== undefined, `${name} ${args.join(' ')}: ${got.error}`);
        assert.deepEqual(Buffer.from(got.out, 'base64'), expected.out, `${name} ${args.join(' ')}`);
      } else {
        assert.equal(got.status, expected.status, `${name} ${args.join(' ')}`);
        assert.equal(got.error, expected.err.split('\n')[0], `${name} ${args.join(' ')}`);
      }
      ++cases;
    }
  };
  for (const [name, file] of Object.entries(fonts)) {
    if (!fs.existsSync(file)) continue;  // tools/bootstrap cli installs them
    const bytes = fs.readFileSync(file);
    fs.writeFileSync(path.join(work, name), bytes);
    await agree(name, bytes, options);
  }
  // Fonts in C, read back: an Adafruit GFX header and a u8g2 array.
  if (fs.existsSync(fonts['dejavu.ttf'])) {
    for (const [name, form] of [['gfx.h', '--gfx-font'], ['u8g2.h', '--u8g2-font']]) {
      const bytes = cliOutput([form, 'f', '--font-size', '11', '--glyphs', 'latin1'], 'dejavu.ttf').out;
      fs.writeFileSync(path.join(work, name), bytes);
      await agree(name, bytes, [['--u8g2-font', 'u', '--bmp', '--sample', 'Hi é'], ['--gfx-font', 'g'],
                                ['--lvgl-font-bin', '--info'], ['--u8g2-font', 'u', '--font-size', '12']]);
    }
  }
  assert.ok(cases >= 50, `${cases} cases: are the fonts installed?`);
});

// The page keeps no rule of its own: it asks the engine, which answers
// from the CLI's table. Each rule's example is refused by the page's engine
// with the line and the options the CLI refuses it with.
test('the engine refuses each rule as the CLI does', async () => {
  const rules = await page.evaluate(() => window.quillgrid.rules());
  assert.ok(rules.length >= 40);
  const english = [];
  for (const rule of rules) {
    const args = rule.example.split(' ').filter(Boolean);
    const expected = spawnSync(cli, args, {cwd: work});
    const got = await page.evaluate((words) => window.quillgrid.refusal(words), args);
    assert.equal(expected.status, 2, rule.example);
    assert.ok(got && got.rule, rule.example);
    assert.equal(`quillgrid-cli: ${got.message}`, expected.stderr.toString().split('\n')[0], rule.example);
    assert.equal(got.options, rule.options, rule.example);
    // A rule that can make a control unavailable says why in Japanese too.
    const controls = ['--c-style', '--per-line', '--palette', '--color', '--lvgl-format', '--lvgl-version', '--compress', '--depth', '--invert',
                      '--serpentine', '--ideal-inks', '--threshold', '--set-bit', '--byte-order', '--c-words', '--planes', '--plane-ink'];
    if (rule.options.split(' ').some((o) => controls.includes(o))) {
      const japanese = await page.evaluate((line) => window.quillgrid.ruleIn('ja', line), got.message);
      if (!/[\u3040-\u30ff\u4e00-\u9fff]/.test(japanese)) english.push(got.message);
    }
  }
  assert.deepEqual(english, [], 'left in English on the Japanese page');
});

// A control the options before it leave nothing to choose in is not
// offered, and says why, in the CLI's words.
test('a control the engine refuses is not offered', async () => {
  await page.selectOption('select[name=form]', 'xbm');
  assert.equal(await page.isDisabled('#colour'), true);
  assert.equal(await page.isDisabled('#depth'), true);
  assert.equal(await page.inputValue('#depth'), '1');
  assert.equal(await page.isDisabled('#c-style'), true);
  await page.selectOption('select[name=form]', 'text');
  await page.selectOption('select[name=colour]', 'palette:bwr');
  assert.equal(await page.isDisabled('#threshold'), true);
  assert.match(await page.getAttribute('#threshold', 'title'), /--threshold decides dark and light/);
  assert.equal(await page.isDisabled('#invert'), true);
  assert.equal(await page.inputValue('#depth'), '2');
  assert.equal(await page.isDisabled('#planes'), false);
  await page.click('#lang');
  assert.match(await page.getAttribute('#threshold', 'title'), /^--threshold は 1 ビットのグレーで明暗を決めます/);
  await page.click('#lang');
  await page.selectOption('select[name=colour]', 'palette:acep7');
  assert.equal(await page.isDisabled('#planes'), true);
  assert.equal(await page.inputValue('#depth'), '4');
});

async function openFiles(files) {
  await page.setInputFiles('#file', files.map((name) => path.join(work, name)));
}

test('a file opens by the picker, by dropping and by pasting', async () => {
  await openFiles(['logo.bmp', 'gradient.png']);
  await page.waitForFunction(() => document.querySelectorAll('#file-list button').length === 2);
  // A C declaration first: what most users paste.
  assert.match(await page.textContent('#output'), /^\/\* logo\.bmp: [^]*static const unsigned char image\[1024\] = \{\n    0xF0, 0x80/);
  for (const how of ['drop', 'paste']) {
    await page.evaluate(({how, bytes}) => {
      const transfer = new DataTransfer();
      transfer.items.add(new File([new Uint8Array(bytes)], `${how}.png`, {type: 'image/png'}));
      const event = how === 'drop' ? new DragEvent('drop', {dataTransfer: transfer, bubbles: true, cancelable: true})
                                   : new ClipboardEvent('paste', {clipboardData: transfer, bubbles: true, cancelable: true});
      document.dispatchEvent(event);
    }, {how, bytes: Array.from(inputs['alpha.png'])});
    await page.waitForFunction((name) => [...document.querySelectorAll('#file-list button')].some(
      (b) => b.textContent === name && b.getAttribute('aria-pressed') === 'true'), `${how}.png`);
    const shown = (await page.textContent('#output')).replace(`${how}.png`, 'alpha.png');
    assert.equal(shown, cliOutput(['--c-array', 'image'], 'alpha.png').out.toString());
  }
});

// A refused file changes nothing: the source shown, the preview, the
// output (what Copy takes), the file list; its line is the CLI's, in the
// page's language.
test('a refused file shows the CLI reason and changes nothing else', async () => {
  await openFiles(['gradient.png']);
  await page.waitForFunction(() => document.querySelector('#output').textContent.length > 0);
  const state = () => page.evaluate(() => ({
    output: document.querySelector('#output').textContent, source: document.querySelector('#source').src,
    preview: document.querySelector('#preview').toDataURL(), command: document.querySelector('#command').textContent,
    files: [...document.querySelectorAll('#file-list button')].map((b) => `${b.textContent} ${b.getAttribute('aria-pressed')}`),
  }));
  const before = await state();
  fs.writeFileSync(path.join(work, 'broken.png'), 'not a picture');
  const line = cliOutput([], 'broken.png').err.split('\n')[0];
  for (const language of ['en', 'ja']) {
    if (language === 'ja') await page.click('#lang');
    await openFiles(['broken.png']);
    await page.waitForSelector('#message:not([hidden])');
    const message = await page.textContent('#message');
    if (language === 'en') assert.equal(message, line);
    else assert.equal(message, 'quillgrid-cli: broken.png: 読める画像ではありません（読めるのは PNG, JPEG, WebP, BMP, GIF, PGM or PPM）');
    assert.deepEqual(await state(), before, language);
  }
});

// The grey of each pixel of a BMP the converter wrote (1, 4 or 8 bits a
// pixel, a palette of greys).
function bmpGreys(bmp) {
  const width = bmp.readInt32LE(18), height = bmp.readInt32LE(22), offset = bmp.readUInt32LE(10);
  const bits = bmp.readUInt16LE(28), stride = Math.floor((width * bits + 31) / 32) * 4;
  const greys = [];
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x) {
      const bit = x * bits;
      const index = (bmp[offset + (height - 1 - y) * stride + (bit >> 3)] >> (8 - bits - (bit & 7))) & ((1 << bits) - 1);
      greys.push(bmp[54 + index * 4]);
    }
  return {width, height, greys};
}

test('the preview at zoom 1 is the --bmp image, pixel for pixel', async () => {
  await openFiles(['gradient.png']);
  await page.selectOption('select[name=size]', '128x64');
  await page.selectOption('select[name=dither]', 'atkinson');
  await page.selectOption('#zoom', '1');
  for (const depth of ['1', '2', '8']) {
    await page.selectOption('select[name=depth]', depth);
    const args = ['--size', '128x64', '--dither=atkinson', '--bmp'].concat(depth === '1' ? [] : ['--depth', depth]);
    const {width, height, greys} = bmpGreys(cliOutput(args, 'gradient.png').out);
    // The canvas sits on whole device pixels, wherever the layout puts it.
    const box = await page.locator('#preview').boundingBox();
    const shot = decodePng(await page.screenshot({clip: {x: Math.round(box.x), y: Math.round(box.y), width, height}}));
    assert.equal(shot.width, width);
    assert.equal(shot.height, height);
    let wrong = 0;
    for (let i = 0; i < width * height; ++i) if (shot.pixels[i * shot.channels] !== greys[i]) ++wrong;
    assert.equal(wrong, 0, `depth ${depth}`);
  }
  // As the panel shows it: an SSD1306 lights its set bits; a sketch's
  // drawBitmap may draw them either way.
  await page.selectOption('select[name=depth]', '1');
  for (const [preset, setBit, args] of [['ssd1306', 'light', ['--preset', 'ssd1306']],
                                        ['ssd1306', 'dark', ['--preset', 'ssd1306', '--set-bit', 'dark']],
                                        ['adafruit-gfx', 'light', ['--preset', 'adafruit-gfx', '--set-bit', 'light']]]) {
    await page.selectOption('select[name=preset]', preset);
    if ((await page.inputValue('#set-bit')) !== setBit) await page.selectOption('select[name=set-bit]', setBit);
    const {width, height, greys} = bmpGreys(cliOutput(['--size', '128x64', '--dither=atkinson', '--bmp', ...args],
                                                      'gradient.png').out);
    const box = await page.locator('#preview').boundingBox();
    const shot = decodePng(await page.screenshot({clip: {x: Math.round(box.x), y: Math.round(box.y), width, height}}));
    let wrong = 0;
    for (let i = 0; i < width * height; ++i) if (shot.pixels[i * shot.channels] !== greys[i]) ++wrong;
    assert.equal(wrong, 0, `${preset}, set bits ${setBit}`);
  }
});

// A font opened on the page: its own options, the CLI's font and sample
// for them, and a download of the font.
test('a font opens with its own options, its sample and its bytes', async () => {
  const font = '/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf';
  if (!fs.existsSync(font)) return;  // tools/bootstrap cli installs it
  fs.copyFileSync(font, path.join(work, 'DejaVuSans.ttf'));
  await page.setInputFiles('#file', [path.join(work, 'DejaVuSans.ttf')]);
  await page.waitForSelector('#font-options', {state: 'visible', timeout: 5000}).catch(async () => {
    assert.fail(`no font options: ${await page.textContent('#message')}`);
  });
  assert.equal(await page.isVisible('#threshold'), false);
  await page.fill('#font-size', '12');
  await page.fill('#glyphs', '0x20-0x5A');
  await page.fill('#sample', 'HELLO, 123');
  await page.selectOption('#zoom', '1');
  const args = ['--gfx-font', 'font', '--font-size', '12', '--glyphs', '0x20-0x5A'];
  assert.equal(await page.textContent('#command'), `quillgrid-cli ${args.join(' ')} DejaVuSans.ttf`);
  assert.equal(await page.textContent('#output'), cliOutput(args, 'DejaVuSans.ttf').out.toString());
  // The preview is the CLI's sample, pixel for pixel.
  const {width, height, greys} = bmpGreys(cliOutput([...args, '--sample', 'HELLO, 123', '--bmp'], 'DejaVuSans.ttf').out);
  const box = await page.locator('#preview').boundingBox();
  const shot = decodePng(await page.screenshot({clip: {x: Math.round(box.x), y: Math.round(box.y), width, height}}));
  let wrong = 0;
  for (let i = 0; i < width * height; ++i) if (shot.pixels[i * shot.channels] !== greys[i]) ++wrong;
  assert.equal(wrong, 0);
  // TFT_eSPI's array, with the characters of a UI's text.
  await page.selectOption('#font-form', '--vlw-array');
  await page.fill('#font-text', 'Température 21°');
  const output = await page.textContent('#output');
  assert.ok(output.includes('tft.loadFont(font)'), output.slice(0, 300));
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#save-font')]);
  const saved = fs.readFileSync(await download.path()).toString();
  assert.equal(download.suggestedFilename(), 'font.h');
  assert.equal(saved, output);
});

// The colour controls are the CLI's options: the command line the page
// shows, its output, and a preview in the colours of --png.
test('the colour controls are the converter options, and the preview shows the colours', async () => {
  await openFiles(['alpha.png']);
  await page.waitForFunction(() => document.querySelector('#output').textContent.length > 0);
  await page.selectOption('#zoom', '1');
  const choices = [
    [['colour', 'palette:bwr'], ['dither', 'fs']], [['preset', 'epaper-bwr']], [['preset', 'epaper-acep7']],
    [['preset', 'tft-espi'], ['form', 'c-array']], [['colour', 'color:rgb332'], ['dither', 'bayer']],
  ];
  for (const steps of choices) {
    await page.reload();
    await page.evaluate(() => window.quillgrid.ready);
    await openFiles(['alpha.png']);
    await page.waitForFunction(() => document.querySelector('#output').textContent.length > 0);
    for (const [control, choice] of steps) await page.selectOption(`select[name=${control}]`, choice);
    const command = (await page.textContent('#command')).split(' ').slice(1, -1);
    assert.equal(await page.textContent('#output'), cliOutput(command, 'alpha.png').out.toString(), command.join(' '));
    const shown = decodePng(cliOutput(command.filter((a) => !['--c-array', 'image'].includes(a)).concat(['--png']),
                                      'alpha.png').out);
    await page.selectOption('#zoom', '1');
    const box = await page.locator('#preview').boundingBox();
    const shot = decodePng(await page.screenshot({clip: {x: Math.round(box.x), y: Math.round(box.y), width: shown.width,
                                                        height: shown.height}}));
    let wrong = 0;
    for (let i = 0; i < shown.width * shown.height; ++i)
      for (let c = 0; c < 3; ++c) if (shot.pixels[i * shot.channels + c] !== shown.pixels[i * shown.channels + c]) ++wrong;
    assert.equal(wrong, 0, command.join(' '));
  }
});

// An animated GIF: the output holds every frame; a slider shows each
// frame of the same run, as the CLI's --frames N --bmp draws it.
test('an animation shows each frame with a slider and writes them all', async () => {
  await openFiles(['moving.gif']);
  await page.waitForFunction(() => document.querySelector('#output').textContent.length > 0);
  assert.equal(await page.textContent('#output'), cliOutput(['--c-array', 'image'], 'moving.gif').out.toString());
  assert.equal(await page.isVisible('#frame'), true);
  await page.selectOption('#zoom', '1');
  const runs = await page.evaluate(() => window.quillgrid.runs);
  for (const frame of ['2', '1']) {
    await page.fill('#frame', frame);
    await page.dispatchEvent('#frame', 'input');
    const {width, height, greys} = bmpGreys(cliOutput(['--frames', frame, '--bmp'], 'moving.gif').out);
    const box = await page.locator('#preview').boundingBox();
    const shot = decodePng(await page.screenshot({clip: {x: Math.round(box.x), y: Math.round(box.y), width, height}}));
    let wrong = 0;
    for (let i = 0; i < width * height; ++i) if (shot.pixels[i * shot.channels] !== greys[i]) ++wrong;
    assert.equal(wrong, 0, `frame ${frame}`);
  }
  assert.equal(await page.evaluate(() => window.quillgrid.runs), runs, 'the slider runs nothing');
});

test('the copy button puts the text on the clipboard', async () => {
  await context.grantPermissions(['clipboard-read', 'clipboard-write']);
  await openFiles(['logo.bmp']);
  await page.waitForFunction(() => document.querySelector('#output').textContent.length > 0);
  await page.selectOption('select[name=preset]', 'xbm');
  await page.click('#copy');
  const copied = await page.evaluate(() => navigator.clipboard.readText());
  assert.equal(copied, cliOutput(['--c-array', 'image', '--preset', 'xbm'], 'logo.bmp').out.toString());
});

test('from disk, with the network cut, the page asks for nothing but itself', async () => {
  const own = pathToFileURL(pagePath).href;
  const others = requests.filter((url) => url !== own && !url.startsWith('blob:') && !url.startsWith('data:'));
  assert.deepEqual(others, []);
});

test('the keyboard alone reaches every control, each with a name', async () => {
  const controls = await page.evaluate(() =>
    [...document.querySelectorAll('input, select, button')]
      .filter((e) => !e.disabled && e.type !== 'radio' && !e.closest('details:not([open])') && !e.closest('[hidden]'))
      .map((e) => e.id || e.name));
  const reached = new Set();
  await page.focus('#lang');
  for (let i = 0; i < 80; ++i) {
    reached.add(await page.evaluate(() => document.activeElement.id || document.activeElement.name));
    await page.keyboard.press('Tab');
  }
  for (const control of controls) assert.ok(reached.has(control), `${control} is not reached by Tab`);
  const unnamed = await page.evaluate(() => [...document.querySelectorAll('input, select, button')].filter((e) =>
    !(e.labels && e.labels.length) && !e.getAttribute('aria-label') && !e.textContent.trim()).map((e) => e.id || e.name));
  assert.deepEqual(unnamed, []);
});

// The page's about line says the version and commit --version says.
test("the about line is the converter's version", async () => {
  const version = spawnSync(cli, ['--version']).stdout.toString().split('\n')[0];
  const about = await page.textContent('#about');
  assert.ok(about.startsWith(version.replace(/^quillgrid-cli /, 'Quillgrid ') + '. MIT licence.'), about);
});

test('Japanese texts follow the switch', async () => {
  await page.selectOption('select[name=preset]', 'ssd1306');
  await page.click('#lang');
  assert.equal(await page.textContent('legend[data-text=tone]'), '階調');
  // Every preset described in Japanese; Invert and Flip named apart.
  assert.match(await page.textContent('#preset-what'), /点灯/);
  const untranslated = await page.evaluate(() => [...document.querySelectorAll('#preset option')]
    .filter((o) => o.value && !/[\u3040-\u30ff\u4e00-\u9fff]/.test(o.title)).map((o) => o.value));
  assert.deepEqual(untranslated, []);
  assert.notEqual(await page.textContent('[data-text=invert]'), await page.textContent('label[data-text=flip]'));
  await page.click('#lang');
  assert.equal(await page.textContent('legend[data-text=tone]'), 'Tone');
});

// The presets are the engine's own: the list the CLI names when a preset
// is unknown, each with what reads it.
test("the preset list is the converter's", async () => {
  const listed = cliOutput(['--preset', 'none-such'], 'logo.bmp').err.match(/the presets are (.*)/)[1].split(', ');
  const shown = await page.evaluate(() => [...document.querySelectorAll('#preset option')].map((o) => o.value).filter(Boolean));
  assert.deepEqual(shown, listed);
  await page.selectOption('select[name=preset]', 'ssd1306');
  assert.match(await page.textContent('#preset-what'), /SSD1306/);
});

// One change of a control is one run of the engine: the output, the
// preview and the size line all come from it.
test('a change runs the engine once', async () => {
  await openFiles(['gradient.png']);
  await page.waitForFunction(() => document.querySelector('#output').textContent.length > 0);
  for (const [control, choice] of [['dither', 'atkinson'], ['size', '84x48'], ['preset', 'epaper'], ['form', 'text']]) {
    const before = await page.evaluate(() => window.quillgrid.runs);
    await page.selectOption(`select[name=${control}]`, choice);
    assert.equal(await page.evaluate(() => window.quillgrid.runs), before + 1, control);
  }
  assert.match(await page.textContent('#info'), /^84 × 48 pixels/);
});

// At 1280 x 900, in English and in Japanese, with the longest lines the
// converter writes: no sideways scroll, no select that cuts its chosen
// value, and the threshold's number and % beside the slider, not on it.
// The system's language picks the fonts (a Japanese system draws Latin
// text in its wider Japanese fonts), so the page is tried in a browser
// started under each.
async function checkFit(page, window = 1280) {
  await page.setInputFiles('#file', [path.join(work, 'logo.bmp')]);
  await page.waitForFunction(() => document.querySelector('#output').textContent.length > 0);
  for (const language of ['en', 'ja']) {
    if (language === 'ja') await page.click('#lang');
    for (const [control, choice] of [['align', 'bottom-right'], ['fit', 'contain'], ['size', '296x128']]) {
      await page.selectOption(`select[name=${control}]`, choice);
    }
    const width = await page.evaluate(() => document.documentElement.scrollWidth);
    assert.ok(width <= window, `${language}: the page is ${width} pixels wide`);
    // The preview is on the first screen, above the options on a phone.
    const top = await page.evaluate(() => document.querySelector('#preview').getBoundingClientRect().top);
    assert.ok(top < 700, `${language}: the preview starts ${top} pixels down`);
    const cut = await page.evaluate(() => {
      const probe = document.createElement('span');
      probe.style.cssText = 'position: absolute; visibility: hidden; white-space: pre';
      document.body.appendChild(probe);
      const found = [];
      for (const select of document.querySelectorAll('select')) {
        if (select.closest('[hidden]')) continue;  // the font's options, with no font open
        probe.style.font = getComputedStyle(select).font;
        probe.textContent = select.options[select.selectedIndex].textContent;
        const room = select.clientWidth - 28;  // the arrow and the padding
        if (probe.offsetWidth > room) found.push(`${select.name}: "${probe.textContent}" ${probe.offsetWidth} > ${room}`);
      }
      probe.remove();
      return found;
    });
    assert.deepEqual(cut, [], language);
    const boxes = await page.evaluate(() => ['#threshold', '#threshold-value', '.pair span'].map((s) => {
      const r = document.querySelector(s).getBoundingClientRect();
      return {left: r.left, right: r.right};
    }));
    assert.ok(boxes[0].right <= boxes[1].left && boxes[1].right <= boxes[2].left, `${language}: ${JSON.stringify(boxes)}`);
    const english = await page.evaluate(() => [...document.querySelectorAll('#align option, #resample option, #fit option')]
      .filter((o) => o.dataset.text && /^[a-z-]+$/.test(o.textContent)).map((o) => o.textContent));
    if (language === 'ja') assert.deepEqual(english, [], 'options left in English');
  }
}

test('the page fits its window in both languages', async () => {
  await checkFit(page);
});

// A phone held upright: one column, the preview near the top, no
// sideways scroll, no cut value, in both languages.
test('the page fits a phone', async () => {
  const phone = await browser.newContext({viewport: {width: 390, height: 844}, locale: 'en-US', isMobile: true});
  try {
    await phone.setOffline(true);
    const phonePage = await phone.newPage();
    await phonePage.goto(pathToFileURL(pagePath).href);
    await phonePage.evaluate(() => window.quillgrid.ready);
    await checkFit(phonePage, 390);
  } finally {
    await phone.close();
  }
});

// Pasted bytes, array text or a C initializer, come back as the CLI's
// ranking of the packings and the picture in the first of them.
test('pasted bytes show their picture and the packings ranked', async () => {
  const header = cliOutput(['--c-array', 'logo', '--preset', 'ssd1306'], 'logo.bmp').out.toString();
  fs.writeFileSync(path.join(work, 'pasted.txt'), header);
  await page.click('#paste summary');
  await page.fill('#paste-bytes', header);
  await page.fill('#read-width', '128');
  await page.fill('#read-height', '64');
  await page.selectOption('#zoom', '1');
  await page.click('#read-bytes');
  await page.waitForFunction(() => document.querySelector('#output').textContent.includes('fewest first'));
  const ranked = cliOutput(['--read-array', '128x64', '--guess-layout'], 'pasted.txt').out.toString();
  assert.equal(await page.textContent('#output'), ranked);
  const best = ranked.match(/^\s+\d+\s+(--\S+ --\S+ --\S+)/m)[1].split(' ');
  const {width, height, greys} = bmpGreys(cliOutput(['--read-array', '128x64', ...best, '--bmp'], 'pasted.txt').out);
  const box = await page.locator('#preview').boundingBox();
  const shot = decodePng(await page.screenshot({clip: {x: Math.round(box.x), y: Math.round(box.y), width, height}}));
  let wrong = 0;
  for (let i = 0; i < width * height; ++i) if (shot.pixels[i * shot.channels] !== greys[i]) ++wrong;
  assert.equal(wrong, 0);
});

// A display of one's own size: the two fields give --size.
test('a size of one\'s own is the --size the CLI takes', async () => {
  await openFiles(['gradient.png']);
  await page.waitForFunction(() => document.querySelector('#output').textContent.length > 0);
  assert.equal(await page.isHidden('#custom-size'), true);
  await page.selectOption('select[name=size]', 'custom');
  assert.equal(await page.isHidden('#custom-size'), false);
  await page.fill('#size-width', '250');
  await page.fill('#size-height', '123');
  await page.waitForFunction(() => document.querySelector('#command').textContent.includes('--size 250x123'));
  assert.equal(await page.textContent('#output'), cliOutput(['--c-array', 'image', '--size', '250x123'], 'gradient.png').out.toString());
});

// The tone's sliders on an open file: each move redraws at once, from the
// image the engine keeps, to the bytes the CLI writes with those options.
test('the tone sliders are the CLI\'s adjustments, moved on an open file', async () => {
  await page.reload();
  await page.evaluate(() => window.quillgrid.ready);
  await openFiles(['alpha.png']);
  await page.waitForFunction(() => document.querySelector('#output').textContent.length > 0);
  await page.selectOption('select[name=colour]', 'palette:bwr');
  for (const [slider, value, flag] of [['brightness', '30', '--brightness 30'], ['contrast', '-40', '--contrast -40'],
                                       ['saturation', '60', '--saturation 60'], ['gamma', '2.2', '--gamma 2.2'],
                                       ['brightness', '0', '--contrast -40']]) {
    await page.fill(`#${slider}`, value);
    await page.waitForFunction((f) => document.querySelector('#command').textContent.includes(f), flag);
    const command = (await page.textContent('#command')).split(' ').slice(1, -1);
    assert.equal(await page.textContent('#output'), cliOutput(command, 'alpha.png').out.toString(), command.join(' '));
  }
});

test('the page fits its window on a Japanese system', async () => {
  const japanese = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run'],
    env: {...process.env, LANG: 'ja_JP.UTF-8', LC_ALL: 'ja_JP.UTF-8'},
  });
  try {
    const own = await japanese.newContext({viewport: {width: 1280, height: 900}, locale: 'en-US'});
    await own.setOffline(true);
    const japanesePage = await own.newPage();
    await japanesePage.goto(pathToFileURL(pagePath).href);
    await japanesePage.evaluate(() => window.quillgrid.ready);
    await checkFit(japanesePage);
  } finally {
    await japanese.close();
  }
});
