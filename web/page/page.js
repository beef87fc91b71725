// The page: files in, the converter's own command line on them (the engine
// is quillgrid-cli compiled to WebAssembly), the 1-bit image and the bytes
// out. The browser only displays; nothing leaves the page.
(function () {
  'use strict';

  const TEXTS = {
    en: {
      switch: '日本語', tagline: 'Images to the bytes a display controller wants. Nothing leaves this page.',
      images: 'Images', open: 'Open images (or drop or paste them here)', tone: 'Tone', threshold: 'Threshold',
      dither: 'Dither', none: 'none (threshold)', bayer: 'Bayer (ordered)', background: 'Background', white: 'white',
      black: 'black', invert: 'Invert', frame: 'Frame', size: 'Display size', own: "the image's own", fit: 'Fit',
      contain: 'contain', cover: 'cover', stretch: 'stretch', fitnone: 'none', align: 'Align',
      rotate: 'Rotate (clockwise)', flip: 'Flip', noflip: 'none', fliph: 'left–right', flipv: 'top–bottom',
      fliphv: 'both', resample: 'Resample', layout: 'Layout', preset: 'Preset', nopreset: 'none',
      order: 'First pixel of a byte', msb: 'bit 7 (msb first)', lsb: 'bit 0 (lsb first)', bits: 'A byte is 8 pixels of',
      column: 'a column', row: 'a row', bytes: 'A line of bytes runs', right: 'rightwards', down: 'downwards',
      fill: 'Spare bits', output: 'Output', form: 'Form', arraytext: 'array text', carray: 'C declaration',
      cstyle: 'C style', name: 'Name', perline: 'Values a line', preview: 'Preview', zoom: 'Zoom', onebit: '1-bit',
      source: 'source', bytestitle: 'Bytes', copy: 'Copy', copied: 'Copied',
      info: (i) => `${i.width} × ${i.height} pixels` + (i.source ? ` (from ${i.source})` : '') +
                   `, ${i.bytes} bytes` + (i.preset ? `, preset ${i.preset}` : ''),
      pick: (name) => `Show ${name}`,
    },
    ja: {
      switch: 'English', tagline: '画像をディスプレイ コントローラーのバイト列に。ページの外には何も送りません。',
      images: '画像', open: '画像を開く (ここにドロップや貼り付けも可)', tone: '階調', threshold: 'しきい値',
      dither: 'ディザ', none: 'なし (しきい値)', bayer: 'Bayer (組織的)', background: '背景', white: '白',
      black: '黒', invert: '反転', frame: 'フレーム', size: '表示サイズ', own: '画像のまま', fit: '合わせ方',
      contain: '全体を収める', cover: '全面を覆う', stretch: '引き伸ばす', fitnone: 'そのまま', align: '配置',
      rotate: '回転 (時計回り)', flip: '反転', noflip: 'なし', fliph: '左右', flipv: '上下',
      fliphv: '両方', resample: 'リサンプル', layout: 'レイアウト', preset: 'プリセット', nopreset: 'なし',
      order: 'バイトの最初の画素', msb: 'ビット 7 (MSB 先)', lsb: 'ビット 0 (LSB 先)', bits: '1 バイトは 8 画素の',
      column: '縦の列', row: '横の行', bytes: 'バイトの並ぶ向き', right: '右へ', down: '下へ',
      fill: '端数ビット', output: '出力', form: '形式', arraytext: '配列テキスト', carray: 'C の宣言',
      cstyle: 'C のスタイル', name: '名前', perline: '1 行の値の数', preview: 'プレビュー', zoom: '拡大', onebit: '1 ビット',
      source: '元画像', bytestitle: 'バイト列', copy: 'コピー', copied: 'コピーしました',
      info: (i) => `${i.width} × ${i.height} 画素` + (i.source ? ` (元 ${i.source})` : '') +
                   `、${i.bytes} バイト` + (i.preset ? `、プリセット ${i.preset}` : ''),
      pick: (name) => `${name} を表示`,
    },
  };

  const $ = (id) => document.getElementById(id);
  const form = $('controls');
  let lang = (navigator.language || 'en').toLowerCase().startsWith('ja') ? 'ja' : 'en';
  const files = [];  // {name, bytes, url}
  let current = -1;
  let zoomChosen = false;
  let lastText = '';
  const written = new Map();  // file name in the engine -> the bytes written there

  // --- the engine ---

  function run(args) {
    const status = Module.ccall('qg_run', 'number', ['string'], [args.join('\n')]);
    const at = Module._qg_output();
    const out = Module.HEAPU8.slice(at, at + Module._qg_output_size());
    return {status, out, err: Module.UTF8ToString(Module._qg_errors())};
  }

  // Puts `bytes` where the engine reads `name`, unless they are there.
  function place(bytes, name) {
    if (written.get(name) === bytes) return;
    Module.FS.writeFile(name, bytes);
    written.set(name, bytes);
    Module._qg_forget();
  }

  // The bytes quillgrid-cli writes to its standard output for `args` and
  // the file `name` holding `bytes`; throws its one-line refusal.
  function convertBytes(bytes, args, name) {
    name = name || 'input';
    if (!(bytes instanceof Uint8Array)) bytes = new Uint8Array(bytes);
    place(bytes, name);
    const result = run(args.concat(['--', name]));
    if (result.status !== 0) {
      const error = new Error(result.err.split('\n')[0]);
      error.status = result.status;
      throw error;
    }
    return result.out;
  }

  function convert(bytes, args, name) {
    return new TextDecoder().decode(convertBytes(bytes, args, name));
  }

  // --- what the controls say, as command-line arguments ---

  function value(name) {
    const checked = form.querySelector(`input[name="${name}"]:checked`);
    return checked ? checked.value : form.elements[name].value;
  }

  // The layout (four flags) and inversion that a preset, or the form's
  // reader, starts from: asked of the engine itself.
  const layoutCache = new Map();
  const tiny = new Uint8Array([66, 77, 66, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 0,
    0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 0, 0, 0, 0, 0]);
  function startingLayout(args) {
    const key = args.join(' ');
    if (!layoutCache.has(key)) {
      const info = convert(tiny, ['--info'].concat(args), 'quillgrid-layout.bmp');
      const words = info.match(/^layout: (.*)$/m)[1].split(', ');
      layoutCache.set(key, {
        order: words[0] === 'lsb first' ? 'lsb-first' : 'msb-first',
        bits: words[1] === 'bits horizontal' ? 'bits-horizontal' : 'bits-vertical',
        bytes: words[2] === 'bytes vertical' ? 'bytes-vertical' : 'bytes-horizontal',
        fill: words[3] === 'fill one' ? 'fill-one' : 'fill-zero',
        invert: words.includes('invert'),
      });
    }
    return layoutCache.get(key);
  }

  // The form's own layout, when its reader takes only one.
  function fixedLayout() {
    const f = value('form');
    if (f === 'xbm' || (f === 'c-array' && value('c-style') === 'u8g2')) return startingLayout(['--preset', 'xbm']);
    if (f === 'lvgl') return startingLayout(['--preset', 'adafruit-gfx']);
    return null;
  }

  function baseLayout() {
    const preset = value('preset');
    if (preset) return startingLayout(['--preset', preset]);
    const fixed = fixedLayout();
    if (fixed) return fixed;
    if (value('form') === 'c-array' && value('c-style') === 'arduino') return startingLayout(['--preset', 'adafruit-gfx']);
    return startingLayout([]);
  }

  // Tone, frame and layout: what makes the 1-bit image and its bytes.
  function imageArgs() {
    const args = [];
    const threshold = Number(value('threshold'));
    if (threshold !== 50) args.push('--threshold', `${threshold}%`);
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
    if ($('invert').checked !== base.invert) args.push($('invert').checked ? '--invert' : '--no-invert');
    return args;
  }

  function formArgs() {
    const name = $('c-array').value.trim() || 'image';
    const perLine = Number(value('per-line')) !== 16 ? ['--per-line', String(value('per-line'))] : [];
    switch (value('form')) {
      case 'c-array':
        return ['--c-array', name].concat(value('c-style') !== 'plain' ? ['--c-style', value('c-style')] : [], perLine);
      case 'xbm': return [`--xbm=${name}`].concat(perLine);
      case 'lvgl': return ['--lvgl', name].concat(perLine);
      default: return [];
    }
  }

  // --- showing ---

  function text(key) { return TEXTS[lang][key]; }

  function applyTexts() {
    document.documentElement.lang = lang;
    for (const element of document.querySelectorAll('[data-text]')) {
      const t = text(element.dataset.text);
      if (typeof t === 'string') element.textContent = t;
    }
    renderFileList();
  }

  function say(message) {
    const box = $('message');
    box.textContent = message || '';
    box.hidden = !message;
  }

  // A BMP as the converter writes it: 62 bytes of headers, rows bottom-up,
  // a set bit white.
  function drawBmp(bmp) {
    const view = new DataView(bmp.buffer, bmp.byteOffset, bmp.byteLength);
    const width = view.getInt32(18, true), height = view.getInt32(22, true), offset = view.getUint32(10, true);
    const stride = Math.floor((width + 31) / 32) * 4;
    const pixels = new ImageData(Math.max(width, 1), Math.max(height, 1));
    for (let y = 0; y < height; ++y) {
      const row = offset + (height - 1 - y) * stride;
      for (let x = 0; x < width; ++x) {
        const light = (bmp[row + (x >> 3)] >> (7 - (x & 7))) & 1;
        const at = (y * width + x) * 4;
        pixels.data[at] = pixels.data[at + 1] = pixels.data[at + 2] = light ? 255 : 0;
        pixels.data[at + 3] = 255;
      }
    }
    if (!zoomChosen) {
      let zoom = 1;
      for (const z of [1, 2, 3, 4, 6, 8, 12, 16]) if (width * z <= 640 && height * z <= 480) zoom = z;
      $('zoom').value = String(zoom);
    }
    const zoom = Number($('zoom').value);
    const canvas = $('preview'), grid = $('grid');
    const plain = document.createElement('canvas');
    plain.width = pixels.width;
    plain.height = pixels.height;
    plain.getContext('2d').putImageData(pixels, 0, 0);
    canvas.width = grid.width = width * zoom;
    canvas.height = grid.height = height * zoom;
    const context = canvas.getContext('2d');
    context.imageSmoothingEnabled = false;
    context.drawImage(plain, 0, 0, width * zoom, height * zoom);
    const lines = grid.getContext('2d');
    lines.clearRect(0, 0, grid.width, grid.height);
    if (zoom >= 8) {
      lines.strokeStyle = 'rgba(128, 128, 128, 0.5)';
      lines.lineWidth = 1;
      lines.beginPath();
      for (let x = 0; x <= width; ++x) lines.moveTo(x * zoom + 0.5, 0), lines.lineTo(x * zoom + 0.5, grid.height);
      for (let y = 0; y <= height; ++y) lines.moveTo(0, y * zoom + 0.5), lines.lineTo(grid.width, y * zoom + 0.5);
      lines.stroke();
    }
  }

  function shellWord(word) { return /^[\w@%+=:,./-]+$/.test(word) ? word : `'${word.replace(/'/g, "'\\''")}'`; }

  // Converts the chosen file with the controls' options; a refused file
  // leaves everything as it was but the message.
  function update() {
    if (current < 0) return;
    const started = performance.now();
    const file = files[current];
    const image = imageArgs();
    const args = image.concat(formArgs());
    try {
      const output = convert(file.bytes, args, file.name);
      const bmp = convertBytes(file.bytes, image.concat(['--bmp']), file.name);
      const info = convert(file.bytes, image.concat(['--info']), file.name);
      drawBmp(bmp);
      lastText = output;
      $('output').textContent = output;
      $('command').textContent = ['quillgrid-cli'].concat(args, [file.name]).map(shellWord).join(' ');
      const field = (key) => { const m = info.match(new RegExp(`^${key}: (.*)$`, 'm')); return m ? m[1] : ''; };
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

  function syncLayout() {
    // The radios show the layout the preset or the form starts from; a form
    // whose reader takes one layout keeps them there.
    const base = baseLayout();
    for (const group of ['order', 'bits', 'bytes', 'fill'])
      form.querySelector(`input[name="${group}"][value="${base[group]}"]`).checked = true;
    $('invert').checked = base.invert;
    const fixed = fixedLayout() !== null;
    for (const radio of form.querySelectorAll('#layout input[type=radio]'))
      radio.disabled = fixed && radio.name !== 'fill';
  }

  function start() {
    Module.FS.mkdir('/work');
    Module.FS.chdir('/work');
    form.addEventListener('input', (event) => {
      const name = event.target.name;
      if (name === 'threshold') $('threshold-value').value = event.target.value;
      if (name === 'threshold-value') $('threshold').value = event.target.value;
      if (name === 'preset' || name === 'form' || name === 'c-style') syncLayout();
      $('c-style').disabled = value('form') !== 'c-array';
      update();
    });
    form.addEventListener('submit', (event) => event.preventDefault());
    $('zoom').addEventListener('input', () => { zoomChosen = true; update(); });
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
    $('save-txt').addEventListener('click', () => download([], '.txt'));
    $('save-h').addEventListener('click', () => {
      const f = value('form');
      download(f === 'text' ? ['--c-array', $('c-array').value.trim() || 'image'] : formArgs(),
               f === 'xbm' ? '.xbm' : f === 'lvgl' ? '.c' : '.h');
    });
    $('save-bin').addEventListener('click', () => download(['--binary'], '.bin'));
    $('save-bmp').addEventListener('click', () => download(['--bmp'], '.bmp'));
    $('c-style').disabled = true;
    applyTexts();
    syncLayout();
    readyResolve();
  }

  let readyResolve;
  window.quillgrid = {
    convert, convertBytes, open, lastUpdateMs: 0,
    ready: new Promise((resolve) => { readyResolve = resolve; }),
  };
  if (Module.calledRun) start(); else window.quillgridStart = start;
})();
