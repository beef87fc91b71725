// The bridge to the engine: quillgrid-cli compiled to WebAssembly, run on
// files the page places in its memory.

const written = new Map();  // file name in the engine -> the bytes written there

// Runs the command line `args` once: its status, standard output and
// error, and the images it packed (BMPs: one, or an animation's frames)
// with what --info says of the first.
function run(args) {
  window.quillgrid.runs += 1;
  const status = Module.ccall('qg_run', 'number', ['string'], [args.join('\n')]);
  const at = Module._qg_output();
  const out = Module.HEAPU8.slice(at, at + Module._qg_output_size());
  const bmps = [];
  for (let i = 0; i < Module._qg_packed_count(); ++i) {
    const bmpAt = Module._qg_packed_bmp(i);
    bmps.push(Module.HEAPU8.slice(bmpAt, bmpAt + Module._qg_packed_bmp_size(i)));
  }
  return {status, out, err: Module.UTF8ToString(Module._qg_errors()), bmp: bmps[0], bmps,
          info: Module.UTF8ToString(Module._qg_packed_info())};
}

// Puts `bytes` where the engine reads `name`, unless they are there.
function place(bytes, name) {
  if (written.get(name) === bytes) return;
  Module.FS.writeFile(name, bytes);
  written.set(name, bytes);
  Module._qg_forget();
}

// The whole run of `args` on the file `name` holding `bytes`; throws the
// CLI's one-line refusal.
function convertRun(bytes, args, name) {
  name = name || 'input';
  if (!(bytes instanceof Uint8Array)) bytes = new Uint8Array(bytes);
  place(bytes, name);
  const result = run(args.concat(['--', name]));
  if (result.status !== 0) {
    const error = new Error(result.err.split('\n')[0]);
    error.status = result.status;
    throw error;
  }
  return result;
}

// The bytes quillgrid-cli writes to its standard output for `args` and
// the file `name` holding `bytes`; throws its one-line refusal.
function convertBytes(bytes, args, name) {
  return convertRun(bytes, args, name).out;
}

function convert(bytes, args, name) {
  return new TextDecoder().decode(convertBytes(bytes, args, name));
}

// The presets and the layouts the C styles start from, as the engine's
// own tables say them.
let tablesKept = null;
function tables() {
  if (!tablesKept) tablesKept = JSON.parse(Module.UTF8ToString(Module._qg_presets()));
  return tablesKept;
}

// What the engine refuses `args` for, before any file is read: null, or
// {rule (a rule of the table, not a value that is not valid), options (the
// options it names, by spaces), message}.
function refusal(args) {
  const text = Module.UTF8ToString(Module.ccall('qg_refusal', 'number', ['string'], [args.join('\n')]));
  return text ? JSON.parse(text) : null;
}

// The rules the engine checks, each with a command line it refuses.
function rules() { return JSON.parse(Module.UTF8ToString(Module._qg_rules())); }
