// The page's wiring: files in, the controls as the converter's command
// line, one run of the engine a change, the 1-bit image and the bytes out.
// The browser only displays; nothing leaves the page.

const $ = (id) => document.getElementById(id);
const form = $('controls');
let lang = (navigator.language || 'en').toLowerCase().startsWith('ja') ? 'ja' : 'en';
const files = [];  // {name, bytes, url}
let current = -1;
let zoomChosen = false;
let lastText = '';
let frames = [];  // the BMPs of the last run: one, or an animation's frames

// --- what the controls say, as command-line arguments ---

function value(name) {
  const checked = form.querySelector(`input[name="${name}"]:checked`);
  return checked ? checked.value : form.elements[name].value;
}

// The C style of the chosen form, as the engine's table names it.
function styleOfForm(chosen) {
  const f = chosen || value('form');
  if (f === 'xbm' || f === 'lvgl') return f;
  return f === 'c-array' ? value('c-style') : 'plain';
}

// The layout (four flags), inversion, depth and colour that a preset, or
// the form's reader, starts from.
function baseLayout() {
  const preset = tables().presets.find((p) => p.name === value('preset'));
  const plain = {colour: '', byteOrder: 'le', words: false, planes: false, setBit: 'dark', ink: '1,1'};
  if (preset) {
    const colour = preset.palette ? `palette:${preset.palette}` : preset.colour ? `color:${preset.colour}` : '';
    return Object.assign({invert: preset.invert, depth: String(preset.depth), colour, byteOrder: preset.byteOrder,
                          words: preset.words, planes: preset.planes, setBit: preset.setBit, ink: preset.ink},
                         preset.layout);
  }
  return Object.assign({invert: false, depth: '1'}, plain, tables().styles[styleOfForm()].layout);
}

// The palette or colour format of a choice of the colour list: '' (greys),
// 'palette:NAME', 'palette:custom' or 'color:FORMAT'.
function colourArgs(choice) {
  if (choice === 'palette:custom') return ['--palette', value('palette-colours').trim()];
  if (choice.startsWith('palette:')) return ['--palette', choice.slice(8)];
  return choice ? ['--color', choice.slice(6)] : [];
}

// The form's own options: its flag and name.
function formArgs(chosen) {
  const name = $('c-array').value.trim() || 'image';
  switch (chosen) {
    case 'c-array': return ['--c-array', name];
    case 'xbm': return [`--xbm=${name}`];
    case 'lvgl': return ['--lvgl', name];
    case 'text': return [];
    default: return [chosen];
  }
}

// The controls the engine may refuse, in the order they are decided: each
// is asked about with what was decided before it. `options` are the CLI
// options a control stands for, `args` what a value of it says, and
// `changes` whether it says more than the preset or the form starts from.
const CHECKED = [
  {name: 'c-style', options: ['--c-style'], args: (v) => ['--c-style', v], changes: (v) => v !== 'plain'},
  {name: 'preset', options: ['--preset'], args: (v) => (v ? ['--preset', v] : []), changes: (v) => v !== ''},
  {name: 'colour', options: ['--palette', '--color'], args: colourArgs, changes: (v, base) => v !== base.colour},
  {name: 'lvgl-format', options: ['--lvgl-format'], args: (v) => (v ? ['--lvgl-format', v] : []),
   changes: (v) => v !== ''},
  {name: 'lvgl-version', options: ['--lvgl-version'], args: (v) => (v === '8' ? ['--lvgl-version', v] : []),
   changes: (v) => v !== '9'},
  {name: 'compress', options: ['--compress'], args: (v) => (v ? ['--compress', v] : []), changes: (v) => v !== ''},
  {name: 'depth', options: ['--depth'], args: (v) => ['--depth', v], changes: (v, base) => v !== base.depth},
  {name: 'threshold', options: ['--threshold'], args: () => ['--threshold', `${Number(value('threshold'))}%`],
   changes: () => Number(value('threshold')) !== 50},
  {name: 'invert', options: ['--invert'], args: (on) => [on ? '--invert' : '--no-invert'],
   changes: (on, base) => on !== base.invert},
  {name: 'serpentine', options: ['--serpentine'], args: (on) => (on ? ['--serpentine'] : []), changes: (on) => on},
  {name: 'ideal-inks', options: ['--ideal-inks'], args: (on) => (on ? ['--ideal-inks'] : []), changes: (on) => on},
  {name: 'set-bit', options: ['--set-bit'], args: (v) => ['--set-bit', v], changes: (v, base) => v !== base.setBit},
  {name: 'byte-order', options: ['--byte-order'], args: (v) => ['--byte-order', v],
   changes: (v, base) => v !== base.byteOrder},
  {name: 'c-words', options: ['--c-words'], args: (on) => [on ? '--c-words' : '--c-bytes'],
   changes: (on, base) => on !== base.words},
  {name: 'planes', options: ['--planes'], args: (on) => [on ? '--planes' : '--no-planes'],
   changes: (on, base) => on !== base.planes},
  {name: 'plane-ink', options: ['--plane-ink'], args: (v) => ['--plane-ink', v], changes: (v, base) => v !== base.ink},
  {name: 'per-line', options: ['--per-line'], args: (v) => ['--per-line', String(v)],
   changes: (v) => Number(v) !== 16},
];

// What a control offers to choose from: a list's options, a box ticked,
// or a field's value.
function choicesOf(control) {
  const element = $(control.name);
  if (element.tagName === 'SELECT') return [...element.options].map((o) => o.value);
  if (element.type === 'checkbox') return [true];
  return [element.value];
}
function currentOf(control) {
  const element = $(control.name);
  return element.type === 'checkbox' ? element.checked : element.value;
}

// The frame and the tone, which no combination refuses.
function frameArgs() {
  const args = [];
  if (value('dither') !== 'none') args.push(`--dither=${value('dither')}`);
  if (value('background') !== 'white') args.push('--background', value('background'));
  if (value('size')) {
    // A size of one's own: the two fields, each from 1 up.
    const own = (name) => Math.max(1, Math.min(16384, Math.round(Number($(name).value)) || 1));
    args.push('--size', value('size') === 'custom' ? `${own('size-width')}x${own('size-height')}` : value('size'));
    if (value('fit') !== 'contain') args.push('--fit', value('fit'));
    if (value('align') !== 'center') args.push('--align', value('align'));
    if (value('resample') !== 'auto') args.push('--resample', value('resample'));
  }
  if (value('rotate') !== '0') args.push('--rotate', value('rotate'));
  if (value('flip')) args.push('--flip', value('flip'));
  // The tone's adjustments, which the engine applies before the frame's margins.
  for (const name of ['brightness', 'contrast', 'saturation']) {
    if (Number(value(name)) !== 0) args.push(`--${name}`, String(Number(value(name))));
  }
  if (Number(value('gamma')) !== 1) args.push('--gamma', String(Number(value('gamma'))));
  return args;
}

// The command line the controls make for the form `chosen` (the form list's
// by default): the engine says, control by control, which apply. With
// `show`, each control is shown as usable or not, and why.
function commandArgs(chosen, show) {
  const f = chosen || value('form');
  const args = formArgs(f).concat(frameArgs());
  const base = baseLayout();
  for (const control of CHECKED) {
    const refused = new Map();  // a refused value: its reason
    for (const choice of choicesOf(control)) {
      const found = refusal(args.concat(control.args(choice), ['--', 'image']));
      if (found && found.rule && control.options.some((o) => found.options.split(' ').includes(o)))
        refused.set(choice, found.message);
    }
    const current = currentOf(control);
    const taken = choicesOf(control).filter((c) => !refused.has(c));
    if (show) {
      const element = $(control.name);
      element.disabled = taken.length === 0 || (element.tagName === 'SELECT' && taken.length === 1);
      element.title = ruleIn(lang, refused.get(current) || '');
      if (element.tagName === 'SELECT') {
        for (const option of element.options) option.disabled = refused.has(option.value);
        if (taken.length === 1) element.value = taken[0];
      }
    }
    if (!refused.has(current) && control.changes(current, base)) args.push(...control.args(current));
  }
  for (const group of ['order', 'bits', 'bytes', 'fill'])
    if (value(group) !== base[group]) args.push(`--${value(group)}`);
  return args;
}

// --- showing ---

function text(key) { return TEXTS[lang][key]; }

function applyTexts() {
  document.documentElement.lang = lang;
  for (const element of document.querySelectorAll('[data-text]')) {
    const t = text(element.dataset.text);
    if (typeof t === 'string') element.textContent = t;
  }
  for (const option of document.querySelectorAll('option[data-palette]'))
    option.textContent = `${text('palette')}: ${option.dataset.palette}`;
  const preset = tables().presets.find((p) => p.name === value('preset'));
  $('preset-what').textContent = preset ? presetWhat(lang, preset) : '';
  for (const option of $('preset').options) {
    const known = tables().presets.find((p) => p.name === option.value);
    if (known) option.title = presetWhat(lang, known);
  }
  renderFileList();
}

// The preview: the picture at the zoom chosen, or at the largest that fits.
function showPicture(image) {
  if (!zoomChosen) $('zoom').value = String(fittingZoom(image.width, image.height, $('result').clientWidth - 8));
  drawImage($('preview'), $('grid'), image, Number($('zoom').value));
}

// Pasted bytes read back: the packings ranked (the CLI's --guess-layout),
// the picture in the first of them (its --bmp). The output and the
// preview show them until a control or a file changes.
function readPasted() {
  const bytes = new TextEncoder().encode($('paste-bytes').value);
  const size = `${Math.max(1, Number($('read-width').value) || 1)}x${Math.max(1, Number($('read-height').value) || 1)}`;
  const guess = ['--read-array', size, '--guess-layout'];
  try {
    const ranked = new TextDecoder().decode(convertRun(bytes, guess, 'pasted.txt').out);
    const best = ranked.match(/^\s+\d+\s+(--\S+ --\S+ --\S+)/m);
    const layout = best ? best[1].split(' ') : [];
    const bmp = convertRun(bytes, ['--read-array', size, ...layout, '--bmp'], 'pasted.txt').out;
    showPicture(pixelsOfBmp(bmp));
    lastText = ranked;
    $('output').textContent = ranked;
    $('command').textContent = ['quillgrid-cli'].concat(guess, ['pasted.txt']).map(shellWord).join(' ');
    say('');
  } catch (error) {
    say(refusalIn(lang, error.message));
  }
}

function say(message) {
  const box = $('message');
  box.textContent = message || '';
  box.hidden = !message;
}

function shellWord(word) { return /^[\w@%+=:,./-]+$/.test(word) ? word : `'${word.replace(/'/g, "'\\''")}'`; }

// --- fonts ---

// A font file, by its first bytes, as the converter knows one: sfnt,
// WOFF, BDF, PCF (gzipped too).
function isFont(bytes) {
  const head = String.fromCharCode(...bytes.slice(0, 9));
  return ['\x00\x01\x00\x00', 'true', 'typ1', 'OTTO', 'ttcf', 'wOFF', 'wOF2', '\x01fcp'].includes(head.slice(0, 4)) ||
         head.startsWith('\x1f\x8b') || head === 'STARTFONT' || isCFont(bytes);
}

// A font in C (a GFXfont header, a u8g2 font array), which reads back.
function isCFont(bytes) {
  return /GFXfont|U8G2_FONT_SECTION|U8X8_FONT_SECTION/.test(new TextDecoder('latin1').decode(bytes.slice(0, 1 << 20)));
}

// A bitmap font, or one in C, has its own size: no --font-size.
function isBitmapFont(bytes) {
  const head = String.fromCharCode(...bytes.slice(0, 9));
  return head === 'STARTFONT' || head.startsWith('\x01fcp') || head.startsWith('\x1f\x8b') || isCFont(bytes);
}

// The font forms that write a file's bytes, named after the font file.
const FONT_FILES = {'--vlw': '.vlw', '--lvgl-font-bin': '.bin'};

// The font options as the command line says them; the text's characters
// go into the engine as a file of their own.
function fontArgs(file) {
  const flag = value('font-form');
  const args = FONT_FILES[flag] ? [flag] : [flag, $('font-name').value.trim() || 'font'];
  if (!isBitmapFont(file.bytes)) args.push('--font-size', String(Math.max(1, Math.min(1000, Number($('font-size').value) || 16))));
  if ($('glyphs').value.trim()) args.push('--glyphs', $('glyphs').value.trim());
  if ($('font-text').value) {
    place(new TextEncoder().encode($('font-text').value), 'font-text.txt');
    args.push('--text', 'font-text.txt');
  }
  if (value('hinting') !== 'font') args.push('--hinting', value('hinting'));
  const lvgl = flag === '--lvgl-font' || flag === '--lvgl-font-bin';
  if (lvgl && value('font-bits') !== '4') args.push('--font-bits', value('font-bits'));
  if (lvgl && $('font-compress').checked && ['2', '4'].includes(value('font-bits')))
    args.push('--font-compress');
  return args;
}

// A font: its sample as the library draws it, and the font's text (for
// the .vlw file, what --info says of it).
function updateFont(file) {
  const args = fontArgs(file);
  const sample = $('sample').value ? ['--sample', $('sample').value.replace(/\n/g, '\\n')] : [];
  const picture = convertRun(file.bytes, args.concat(sample, ['--bmp']), file.name).out;
  frames = [picture];
  $('frame-box').hidden = true;
  showPicture(pixelsOfBmp(picture));
  const binary = FONT_FILES[value('font-form')] !== undefined;
  lastText = new TextDecoder().decode(convertRun(file.bytes, binary ? args.concat(['--info']) : args, file.name).out);
  $('output').textContent = lastText;
  $('command').textContent = ['quillgrid-cli'].concat(args, binary ? ['-o', 'font' + FONT_FILES[value('font-form')]] : [], [file.name])
    .map(shellWord).join(' ');
  $('info').textContent = '';
}

// Converts the chosen file with the controls' options, in one run of the
// engine; a refused file leaves everything as it was but the message.
// False when it was refused.
function update() {
  if (current < 0) return false;
  const started = performance.now();
  const file = files[current];
  document.body.classList.toggle('font-mode', file.font);
  $('font-options').hidden = $('save-font').hidden = !file.font;
  $('font-size').disabled = file.font && isBitmapFont(file.bytes);
  $('font-bits').disabled = !['--lvgl-font', '--lvgl-font-bin'].includes(value('font-form'));
  // LVGL decompresses fonts of 2 and 4 bits (and 3, which is not written).
  $('font-compress').disabled = $('font-bits').disabled || !['2', '4'].includes(value('font-bits'));
  try {
    if (file.font) updateFont(file);
    else updateImage(file);
    say('');
    return true;
  } catch (error) {
    say(refusalIn(lang, error.message));
    return false;
  } finally {
    window.quillgrid.lastUpdateMs = performance.now() - started;
  }
}

// An image: the picture as the display shows it (an animation's frames
// picked by a slider), the bytes, what --info says; throws the refusal.
function updateImage(file) {
  const args = commandArgs(null, true);
  const result = convertRun(file.bytes, args, file.name);
  frames = result.bmps;
  const slider = $('frame');
  slider.max = String(Math.max(0, frames.length - 1));
  if (Number(slider.value) >= frames.length) slider.value = '0';
  $('frame-box').hidden = slider.disabled = frames.length < 2;
  showPicture(pixelsOfBmp(frames[Number(slider.value)] || result.bmp));
  $('frame-number').textContent = frames.length > 1 ? text('frameof')(Number(slider.value), frames.length) : '';
  lastText = new TextDecoder().decode(result.out);
  $('output').textContent = lastText;
  $('command').textContent = ['quillgrid-cli'].concat(args, [file.name]).map(shellWord).join(' ');
  const field = (key) => { const m = result.info.match(new RegExp(`^${key}: (.*)$`, 'm')); return m ? m[1] : ''; };
  $('info').textContent = text('info')({
    width: field('width'), height: field('height'), bytes: field('bytes'), preset: field('preset'),
    source: field('source'),
  });
}

// --- files ---

function uniqueName(name) {
  const base = (name || 'image').replace(/[\\/\n]/g, '_');
  let candidate = base, n = 2;
  while (files.some((f) => f.name === candidate)) {
    const dot = base.lastIndexOf('.');
    candidate = dot > 0 ? `${base.slice(0, dot)}-${n}${base.slice(dot)}` : `${base}-${n}`;
    ++n;
  }
  return candidate;
}

function renderFileList() {
  const list = $('file-list');
  list.textContent = '';
  files.forEach((file, index) => {
    const item = document.createElement('li');
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = file.name;
    button.title = text('pick')(file.name);
    button.setAttribute('aria-pressed', String(index === current));
    button.addEventListener('click', () => choose(index));
    item.appendChild(button);
    list.appendChild(item);
  });
}

// Shows file `index`; a file the converter refuses changes nothing (the
// source, the preview, the output, what Copy and the downloads take), and
// false says so.
function choose(index) {
  const before = current, zoomBefore = zoomChosen;
  current = index;
  zoomChosen = false;
  if (!update()) {
    current = before;
    zoomChosen = zoomBefore;
    return false;
  }
  const source = $('source');
  source.hidden = files[index].font;  // a font has no picture of its own
  source.onerror = () => { source.hidden = true; };
  source.src = files[index].url;
  renderFileList();
  return true;
}

// Opens files and shows the first the converter takes. A file it refuses
// on the way is not kept, and the message says why; the files after the
// one shown are converted when chosen.
async function open(list) {
  let refusal = '', shown = false;
  for (const item of list) {
    const bytes = new Uint8Array(await item.arrayBuffer());
    const type = item.type || 'application/octet-stream';
    files.push({name: uniqueName(item.name), bytes, url: URL.createObjectURL(new Blob([bytes], {type})),
                font: isFont(bytes)});
    if (shown) continue;
    if (choose(files.length - 1)) {
      shown = true;
    } else {
      refusal = refusal || $('message').textContent;
      URL.revokeObjectURL(files.pop().url);
    }
  }
  renderFileList();
  if (refusal) say(refusal);
}

// Hands `bytes` to the browser as a file named `name`.
function saveBytes(bytes, name) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

// The chosen file in the form of `flag` (the table's; '' for array text),
// with the controls' options as they apply to that form.
function download(flag, extension) {
  if (current < 0) return;
  const file = files[current];
  try {
    saveBytes(convertBytes(file.bytes, commandArgs(formKey(flag)), file.name),
              file.name.replace(/\.[^.]*$/, '') + extension);
  } catch (error) {
    say(error.message);
  }
}

// The chosen font in its form, as a file: a .vlw named after the font
// file, a C form after its name.
function downloadFont() {
  if (current < 0) return;
  const file = files[current];
  try {
    const flag = value('font-form');
    const stem = FONT_FILES[flag] ? file.name.replace(/\.gz$/, '').replace(/\.[^.]*$/, '')
                                  : $('font-name').value.trim() || 'font';
    saveBytes(convertBytes(file.bytes, fontArgs(file), file.name),
              stem + (FONT_FILES[flag] || (flag === '--lvgl-font' ? '.c' : '.h')));
  } catch (error) {
    say(error.message);
  }
}

// --- wiring ---

// The form list's value for a form of the engine's table: 'text' for array
// text, the flag without its dashes for the C forms, else the flag.
function formKey(flag) {
  if (!flag) return 'text';
  return ['--c-array', '--xbm', '--lvgl'].includes(flag) ? flag.slice(2) : flag;
}

// The preset list, the named palettes, the forms and a download for each,
// from the engine's own tables.
function fillTables() {
  const select = $('preset');
  for (const preset of tables().presets) {
    const option = document.createElement('option');
    option.value = preset.name;
    option.textContent = preset.name;
    option.title = preset.what;
    select.appendChild(option);
  }
  const custom = $('colour').querySelector('option[value="palette:custom"]');
  for (const palette of tables().palettes) {
    const option = document.createElement('option');
    option.value = `palette:${palette.name}`;
    option.textContent = `${text('palette')}: ${palette.name}`;
    option.dataset.palette = palette.name;
    option.title = palette.help;
    $('colour').insertBefore(option, custom);
  }
  for (const row of tables().forms) {
    if (row.text) {
      const option = document.createElement('option');
      option.value = formKey(row.flag);
      option.dataset.text = `form:${option.value}`;
      // A C declaration first: what most users paste into their code.
      if (option.value === 'c-array') $('form').prepend(option);
      else $('form').appendChild(option);
    }
    const button = document.createElement('button');
    button.type = 'button';
    button.id = `save${row.extension.replace('.', '-')}`;
    button.textContent = row.extension;
    button.addEventListener('click', () => download(row.flag, row.extension));
    $('saves').appendChild(button);
  }
  $('form').value = 'c-array';
}

function syncLayout() {
  // The controls show what the preset or the form starts from; a form
  // whose reader takes one layout keeps the radios there.
  const base = baseLayout();
  for (const group of ['order', 'bits', 'bytes', 'fill'])
    form.querySelector(`input[name="${group}"][value="${base[group]}"]`).checked = true;
  $('invert').checked = base.invert;
  $('colour').value = base.colour;
  $('byte-order').value = base.byteOrder;
  $('plane-ink').value = base.ink;
  $('c-words').checked = base.words;
  $('planes').checked = base.planes;
  $('set-bit').value = base.setBit;
  const fixed = tables().styles[styleOfForm()].fixed;
  for (const radio of form.querySelectorAll('#layout input[type=radio]'))
    radio.disabled = fixed && radio.name !== 'fill';
  const preset = tables().presets.find((p) => p.name === value('preset'));
  $('preset-what').textContent = preset ? presetWhat(lang, preset) : '';
  $('depth').value = base.depth;
}

// The controls as the engine has them usable, with no file open.
function syncControls() {
  commandArgs(null, true);
  $('threshold-value').disabled = $('threshold').disabled;
  $('palette-colours').disabled = value('colour') !== 'palette:custom' || $('colour').disabled;
  $('custom-size').hidden = value('size') !== 'custom';
  $('size-width').disabled = $('size-height').disabled = $('custom-size').hidden;
}

function start() {
  Module.FS.mkdir('/work');
  Module.FS.chdir('/work');
  fillTables();
  form.addEventListener('input', (event) => {
    const name = event.target.name;
    if (name === 'threshold') $('threshold-value').value = event.target.value;
    if (name === 'threshold-value') $('threshold').value = event.target.value;
    if (name === 'preset' || name === 'form' || name === 'c-style') syncLayout();
    syncControls();
    update();
  });
  form.addEventListener('submit', (event) => event.preventDefault());
  $('zoom').addEventListener('input', () => { zoomChosen = true; update(); });
  $('frame').addEventListener('input', () => {
    // Another frame of the same run: drawn, not converted again.
    const index = Number($('frame').value);
    drawImage($('preview'), $('grid'), pixelsOfBmp(frames[index]), Number($('zoom').value));
    $('frame-number').textContent = text('frameof')(index, frames.length);
  });
  // Emptied once read, so that the same file may be chosen again.
  $('file').addEventListener('change', async (event) => {
    await open(event.target.files);
    event.target.value = '';
  });
  document.addEventListener('dragover', (event) => { event.preventDefault(); document.body.classList.add('dropping'); });
  document.addEventListener('dragleave', () => document.body.classList.remove('dropping'));
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    document.body.classList.remove('dropping');
    open(event.dataTransfer.files);
  });
  document.addEventListener('paste', (event) => {
    const pasted = [];
    for (const item of event.clipboardData.items) if (item.kind === 'file') pasted.push(item.getAsFile());
    if (pasted.length) open(pasted);
  });
  $('read-bytes').addEventListener('click', readPasted);
  $('save-font').addEventListener('click', downloadFont);
  $('lang').addEventListener('click', () => {
    lang = lang === 'en' ? 'ja' : 'en';
    applyTexts();
    syncControls();
    update();
  });
  $('copy').addEventListener('click', async () => {
    try {
      await navigator.clipboard.writeText(lastText);
    } catch (error) {
      const area = document.createElement('textarea');
      area.value = lastText;
      document.body.appendChild(area);
      area.select();
      document.execCommand('copy');
      area.remove();
    }
    $('copy').textContent = text('copied');
    setTimeout(() => { $('copy').textContent = text('copy'); }, 1500);
  });
  $('about').textContent = Module.UTF8ToString(Module._qg_version());
  applyTexts();
  syncLayout();
  syncControls();
  readyResolve();
}

let readyResolve;
window.quillgrid = {
  convert, convertBytes, open, refusal, rules, ruleIn, lastUpdateMs: 0, runs: 0,
  ready: new Promise((resolve) => { readyResolve = resolve; }),
};
if (Module.calledRun) start(); else window.quillgridStart = start;
