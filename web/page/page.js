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
function styleOfForm() {
  const f = value('form');
  if (f === 'xbm' || f === 'lvgl') return f;
  return f === 'c-array' ? value('c-style') : 'plain';
}

// The layout (four flags), inversion, depth and colour that a preset, or
// the form's reader, starts from.
function baseLayout() {
  const preset = tables().presets.find((p) => p.name === value('preset'));
  const plain = {colour: '', byteOrder: 'le', words: false, ink: '1,1'};
  if (preset) {
    const colour = preset.palette ? `palette:${preset.palette}` : preset.colour ? `color:${preset.colour}` : '';
    return Object.assign({invert: preset.invert, depth: String(preset.depth), colour, byteOrder: preset.byteOrder,
                          words: preset.words, ink: preset.ink}, preset.layout);
  }
  return Object.assign({invert: false, depth: '1'}, plain, tables().styles[styleOfForm()].layout);
}

// The LVGL format chosen, when the form is LVGL's: it sets the depth, or
// for RGB565 and the others the colour format.
function lvglFormat() { return value('form') === 'lvgl' ? value('lvgl-format') : ''; }
function lvglSetsDepth() { return /^[ILA]/.test(lvglFormat()); }

// The colour chosen: '', 'palette:NAME', 'palette:custom' or 'color:FORMAT'.
function colourChoice() { return lvglFormat() && !lvglSetsDepth() ? '' : value('colour'); }
function paletteChosen() { return colourChoice().startsWith('palette:'); }
function directChosen() { return colourChoice().startsWith('color:') || (lvglFormat() && !lvglSetsDepth()); }
// The colours of the chosen palette, as --palette lists them.
function paletteColours() {
  const choice = colourChoice();
  if (choice === 'palette:custom') return value('palette-colours').trim();
  const named = tables().palettes.find((p) => `palette:${p.name}` === choice);
  return named ? named.colours : '';
}
function threeColours() { return paletteChosen() && paletteColours().split(',').length === 3; }

// Tone, frame and layout: what makes the 1-bit image and its bytes.
function imageArgs() {
  const args = [];
  const threshold = Number(value('threshold'));
  const depth = value('depth');
  const colour = colourChoice();
  if (threshold !== 50 && depth === '1' && !colour) args.push('--threshold', `${threshold}%`);
  if (value('dither') !== 'none') args.push(`--dither=${value('dither')}`);
  if (value('background') !== 'white') args.push('--background', value('background'));
  if (value('size')) {
    args.push('--size', value('size'));
    if (value('fit') !== 'contain') args.push('--fit', value('fit'));
    if (value('align') !== 'center') args.push('--align', value('align'));
    if (value('resample') !== 'auto') args.push('--resample', value('resample'));
  }
  if (value('rotate') !== '0') args.push('--rotate', value('rotate'));
  if (value('flip')) args.push('--flip', value('flip'));
  const preset = value('preset');
  if (preset) args.push('--preset', preset);
  const base = baseLayout();
  for (const group of ['order', 'bits', 'bytes', 'fill'])
    if (value(group) !== base[group]) args.push(`--${value(group)}`);
  if ($('invert').checked !== base.invert && !colour) args.push($('invert').checked ? '--invert' : '--no-invert');
  if (depth !== base.depth && !lvglFormat() && !colour) args.push('--depth', depth);
  return args.concat(colourArgs(base));
}

// The palette or colour format, and the byte order, where they differ
// from the preset's.
function colourArgs(base) {
  const args = [];
  const colour = colourChoice();
  if (colour && colour !== base.colour) {
    if (colour === 'palette:custom') args.push('--palette', value('palette-colours').trim());
    else if (paletteChosen()) args.push('--palette', colour.slice(8));
    else args.push('--color', colour.slice(6));
  }
  const wide = directChosen() && !['color:rgb332'].includes(colour);
  if (wide && value('form') !== 'lvgl' && value('byte-order') !== base.byteOrder) args.push('--byte-order', value('byte-order'));
  return args;
}

function formArgs() {
  const name = $('c-array').value.trim() || 'image';
  const perLine = Number(value('per-line')) !== 16 ? ['--per-line', String(value('per-line'))] : [];
  switch (value('form')) {
    case 'c-array':
      return ['--c-array', name].concat(value('c-style') !== 'plain' ? ['--c-style', value('c-style')] : [], perLine,
                                        wordsArgs());
    case 'xbm': return [`--xbm=${name}`].concat(perLine);
    case 'lvgl': return ['--lvgl', name].concat(lvglFormat() ? ['--lvgl-format', lvglFormat()] : [], perLine);
    default: return [];
  }
}

// --c-words or --c-bytes, where they differ from the preset's choice.
function wordsArgs() {
  const base = baseLayout();
  if ($('c-words').disabled || $('c-words').checked === base.words) return [];
  return [$('c-words').checked ? '--c-words' : '--c-bytes'];
}

// Planes of grey levels or of a three-colour palette, where the form takes
// them; with a palette, the ink bits where they differ from the preset's.
function planesTaken() {
  const f = value('form');
  const grey = value('depth') !== '1' && !colourChoice();
  return (grey || threeColours()) && (f === 'text' || f === 'c-array');
}
function planesArgs() {
  if (!$('planes').checked || !planesTaken()) return [];
  const ink = threeColours() && value('plane-ink') !== baseLayout().ink ? ['--plane-ink', value('plane-ink')] : [];
  return ['--planes'].concat(ink);
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
  renderFileList();
}

function say(message) {
  const box = $('message');
  box.textContent = message || '';
  box.hidden = !message;
}

function shellWord(word) { return /^[\w@%+=:,./-]+$/.test(word) ? word : `'${word.replace(/'/g, "'\\''")}'`; }

// Converts the chosen file with the controls' options, in one run of the
// engine; a refused file leaves everything as it was but the message.
function update() {
  if (current < 0) return;
  const started = performance.now();
  const file = files[current];
  const args = imageArgs().concat(formArgs(), planesArgs());
  try {
    const result = convertRun(file.bytes, args, file.name);
    // An animation: a slider picks the frame shown; the output holds them all.
    frames = result.bmps;
    const slider = $('frame');
    slider.max = String(Math.max(0, frames.length - 1));
    if (Number(slider.value) >= frames.length) slider.value = '0';
    $('frame-box').hidden = slider.disabled = frames.length < 2;
    const image = pixelsOfBmp(frames[Number(slider.value)] || result.bmp);
    if (!zoomChosen) $('zoom').value = String(fittingZoom(image.width, image.height));
    drawImage($('preview'), $('grid'), image, Number($('zoom').value));
    $('frame-number').textContent = frames.length > 1 ? text('frameof')(Number(slider.value), frames.length) : '';
    lastText = new TextDecoder().decode(result.out);
    $('output').textContent = lastText;
    $('command').textContent = ['quillgrid-cli'].concat(args, [file.name]).map(shellWord).join(' ');
    const field = (key) => { const m = result.info.match(new RegExp(`^${key}: (.*)$`, 'm')); return m ? m[1] : ''; };
    $('info').textContent = text('info')({
      width: field('width'), height: field('height'), bytes: field('bytes'), preset: field('preset'),
      source: field('source'),
    });
    say('');
  } catch (error) {
    say(error.message);
  }
  window.quillgrid.lastUpdateMs = performance.now() - started;
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

function choose(index) {
  current = index;
  zoomChosen = false;
  const file = files[index];
  const source = $('source');
  source.hidden = false;
  source.onerror = () => { source.hidden = true; };
  source.src = file.url;
  renderFileList();
  update();
}

async function open(list) {
  const opened = [];
  for (const item of list) {
    const bytes = new Uint8Array(await item.arrayBuffer());
    const name = uniqueName(item.name);
    files.push({name, bytes, url: URL.createObjectURL(new Blob([bytes], {type: item.type || 'application/octet-stream'}))});
    opened.push(files.length - 1);
  }
  if (opened.length) choose(opened[0]);
}

function download(args, extension) {
  if (current < 0) return;
  const file = files[current];
  try {
    const bytes = convertBytes(file.bytes, imageArgs().concat(args), file.name);
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
    link.download = file.name.replace(/\.[^.]*$/, '') + extension;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  } catch (error) {
    say(error.message);
  }
}

// --- wiring ---

// The preset list and the named palettes, from the engine's own tables.
function fillPresets() {
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
}

function syncLayout() {
  // The radios show the layout the preset or the form starts from; a form
  // whose reader takes one layout keeps them there.
  const base = baseLayout();
  for (const group of ['order', 'bits', 'bytes', 'fill'])
    form.querySelector(`input[name="${group}"][value="${base[group]}"]`).checked = true;
  $('invert').checked = base.invert;
  $('colour').value = base.colour;
  $('byte-order').value = base.byteOrder;
  $('plane-ink').value = base.ink;
  $('c-words').checked = base.words;
  const fixed = tables().styles[styleOfForm()].fixed;
  for (const radio of form.querySelectorAll('#layout input[type=radio]'))
    radio.disabled = fixed && radio.name !== 'fill';
  const preset = tables().presets.find((p) => p.name === value('preset'));
  $('preset-what').textContent = preset ? preset.what : '';
  $('depth').value = base.depth;
  syncDepth();
}

// What the depth and the form leave to choose: the threshold at one bit a
// pixel, an LVGL format with the LVGL form (its format sets the depth),
// planes from two bits a pixel.
function syncDepth() {
  const format = lvglFormat();
  if (lvglSetsDepth()) $('depth').value = format[1];
  const colour = colourChoice();
  $('depth').disabled = Boolean(format) || Boolean(colour);
  $('lvgl-format').disabled = value('form') !== 'lvgl';
  const oneBit = value('depth') === '1';
  $('threshold').disabled = $('threshold-value').disabled = !oneBit || Boolean(colour);
  $('invert').disabled = Boolean(colour);
  $('colour').disabled = Boolean(format) && !lvglSetsDepth();
  $('palette-colours').disabled = colour !== 'palette:custom';
  $('byte-order').disabled = !directChosen() || colour === 'color:rgb332' || value('form') === 'lvgl';
  $('planes').disabled = !planesTaken();
  $('plane-ink').disabled = !threeColours();
  $('c-words').disabled = value('form') !== 'c-array' || !['color:rgb565', 'color:argb8888'].includes(colour);
}

function start() {
  Module.FS.mkdir('/work');
  Module.FS.chdir('/work');
  fillPresets();
  form.addEventListener('input', (event) => {
    const name = event.target.name;
    if (name === 'threshold') $('threshold-value').value = event.target.value;
    if (name === 'threshold-value') $('threshold').value = event.target.value;
    if (name === 'preset' || name === 'form' || name === 'c-style') syncLayout();
    if (name === 'preset') syncDepth();
    if (['depth', 'lvgl-format', 'form', 'colour', 'palette-colours', 'c-style'].includes(name)) syncDepth();
    $('c-style').disabled = value('form') !== 'c-array';
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
  $('file').addEventListener('change', (event) => open(event.target.files));
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
  $('lang').addEventListener('click', () => { lang = lang === 'en' ? 'ja' : 'en'; applyTexts(); update(); });
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
  $('save-txt').addEventListener('click', () => download(planesArgs(), '.txt'));
  $('save-h').addEventListener('click', () => {
    const f = value('form');
    const form = f === 'text' ? ['--c-array', $('c-array').value.trim() || 'image'] : formArgs();
    download(form.concat(planesArgs()), f === 'xbm' ? '.xbm' : f === 'lvgl' ? '.c' : '.h');
  });
  $('save-bin').addEventListener('click', () => download(['--binary'].concat(planesArgs()), '.bin'));
  $('save-bmp').addEventListener('click', () => download(['--bmp'], '.bmp'));
  $('save-png').addEventListener('click', () => download(['--png'], '.png'));
  $('c-style').disabled = true;
  $('about').textContent = Module.UTF8ToString(Module._qg_version());
  applyTexts();
  syncLayout();
  readyResolve();
}

let readyResolve;
window.quillgrid = {
  convert, convertBytes, open, lastUpdateMs: 0, runs: 0,
  ready: new Promise((resolve) => { readyResolve = resolve; }),
};
if (Module.calledRun) start(); else window.quillgridStart = start;
