// The page's speed, measured (never asserted): a 4096 x 4096 photograph's
// first conversion into 400 x 300 beside the CLI's whole process, then the
// threshold slider moved 20 times. Prints one line; bench/run calls it.
//   node bench/page_timing.mjs   (after tools/web --build and a native build)
import {spawnSync} from 'node:child_process';
import fs from 'node:fs';
import {createRequire} from 'node:module';
import os from 'node:os';
import path from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
// Playwright and the PNG writer come with the page's tests.
const {chromium} = createRequire(path.join(root, 'tests/web/package.json'))('playwright-core');
const {png} = await import(pathToFileURL(path.join(root, 'tests/web/png.mjs')).href);

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'quillgrid-timing-'));
const photo = path.join(work, 'photo.png');
fs.writeFileSync(photo, png(4096, 4096, 2, 8, (x, y) => [
  128 + 100 * Math.sin(x / 300) * Math.cos(y / 410), 128 + 90 * Math.sin((x + y) / 520), 128 + 80 * Math.cos(x / 700)]));
const cliStart = process.hrtime.bigint();
spawnSync(path.join(root, 'build/native/quillgrid-cli'), ['--size', '400x300', photo], {maxBuffer: 1 << 28});
const cliMs = Number(process.hrtime.bigint() - cliStart) / 1e6;

const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
});
const page = await browser.newPage({viewport: {width: 1280, height: 900}});
await page.goto(pathToFileURL(path.join(root, 'build/web/quillgrid.html')).href);
await page.evaluate(() => window.quillgrid.ready);
await page.selectOption('select[name=size]', '400x300');
await page.setInputFiles('#file', [photo]);
await page.waitForFunction(() => document.querySelector('button[aria-pressed=true]')?.textContent === 'photo.png' &&
  window.quillgrid.lastUpdateMs > 0);
const firstMs = await page.evaluate(() => window.quillgrid.lastUpdateMs);
const moves = [];
for (let i = 0; i < 20; ++i) {
  moves.push(await page.evaluate((level) => {
    const slider = document.querySelector('input[name=threshold]');
    slider.value = String(level);
    slider.dispatchEvent(new Event('input', {bubbles: true}));
    return window.quillgrid.lastUpdateMs;
  }, 30 + i * 2));
}
await browser.close();
fs.rmSync(work, {recursive: true, force: true});
moves.sort((a, b) => a - b);
console.log(`page: 4096 x 4096 PNG into 400 x 300, first conversion ${firstMs.toFixed(0)} ms ` +
            `(the CLI, a whole process: ${cliMs.toFixed(0)} ms); threshold moves, median of 20: ` +
            `${((moves[9] + moves[10]) / 2).toFixed(1)} ms`);
