// The README's picture of the page: 1280 x 900, the 128 x 64 sample with
// the ssd1306 preset as a C declaration. tools/screenshot --page runs it.
//   node tools/screenshot-page.mjs OUT.png
import {createRequire} from 'node:module';
import path from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
const {chromium} = createRequire(path.join(root, 'tests/web/package.json'))('playwright-core');
const out = process.argv[2] || path.join(root, 'build/screenshot-page.png');
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
});
const page = await browser.newPage({viewport: {width: 1280, height: 900}, locale: 'en-US'});
await page.goto(pathToFileURL(path.join(root, 'build/web/quillgrid.html')).href);
await page.evaluate(() => window.quillgrid.ready);
await page.setInputFiles('#file', [path.join(root, 'samples/logo.bmp')]);
await page.waitForFunction(() => document.querySelector('#output').textContent.length > 0);
await page.selectOption('select[name=preset]', 'ssd1306');
await page.selectOption('select[name=form]', 'c-array');
const width = await page.evaluate(() => document.documentElement.scrollWidth);
await page.screenshot({path: out});
await browser.close();
console.log(`wrote ${out} (the page is ${width} pixels wide in a 1280-pixel window)`);
