// The page's own code, appended by the build after emscripten's module
// factory (createLumo), so that the page has one script. Two parts:
//  - startLumo(): the command line as a function of its arguments, run in
//    memory: exit status, standard output, standard error and the files the
//    run wrote. Node requires it too (tests/web/run_wasm.mjs).
//  - the page: a form that builds `lumo ...` argument lists, and the results
//    of running them. Nothing is computed here; every number, message, table
//    and plot comes from the command line.

(() => {
// Bytes written one at a time by the module's standard streams.
function byteSink() {
  let buf = new Uint8Array(1 << 12);
  let n = 0;
  return {
    put(b) {
      if (n === buf.length) {
        const grown = new Uint8Array(buf.length * 2);
        grown.set(buf);
        buf = grown;
      }
      buf[n++] = b;
    },
    take() {
      const out = buf.slice(0, n);
      n = 0;
      return out;
    },
  };
}

// Starts one module and returns run(args, inputs): `lumo ARGS...` in a
// fresh, empty working folder of the module's in-memory file system holding
// only `inputs` ({name: Uint8Array or string}). It returns {status, stdout,
// stderr, files}: the streams as bytes and every file in the folder after the
// run (the inputs included). The folder is removed afterwards.
async function startLumo() {
  const out = byteSink();
  const err = byteSink();
  const module = await createLumo({
    noInitialRun: true,
    stdin: () => null,
    stdout: (b) => out.put(b),
    stderr: (b) => err.put(b),
  });
  const fs = module.FS;
  let runs = 0;
  let stopped = null;
  function run(args, inputs = {}) {
    if (stopped) throw new Error(`the engine stopped earlier: ${stopped}`);
    const dir = `/run${++runs}`;
    fs.mkdir(dir);
    fs.chdir(dir);
    for (const [name, data] of Object.entries(inputs)) fs.writeFile(name, data);
    // callMain leaves its argument list on the stack: give it back.
    const stack = module.stackSave();
    let status;
    try {
      status = module.callMain(args.map(String));
    } catch (e) {
      stopped = String(e);
      throw new Error(`lumo stopped: ${stopped}`);
    } finally {
      module.stackRestore(stack);
    }
    const files = {};
    for (const name of fs.readdir(dir)) {
      if (name === '.' || name === '..') continue;
      files[name] = fs.readFile(name);
      fs.unlink(name);
    }
    fs.chdir('/');
    fs.rmdir(dir);
    return { status, stdout: out.take(), stderr: err.take(), files };
  }
  return { run };
}

// ---------------------------------------------------------------------------
// The page.

// Units a field offers: [as shown, as the command line takes it]; the first
// is the command line's default, written without a suffix.
const UNITS = {
  length: [['in', ''], ['mil', 'mil'], ['mm', 'mm'], ['µm', 'um']],
  frequency: [['GHz', ''], ['MHz', 'MHz'], ['kHz', 'kHz']],
  roughness: [['µin', ''], ['µm', 'um'], ['nm', 'nm']],
  lineLength: [['in', ''], ['ft', 'ft'], ['mil', 'mil'], ['mm', 'mm'], ['cm', 'cm'], ['m', 'm']],
};
const RUNS = [
  ['frequency', 'Frequency', 'losses over a frequency sweep'],
  ['sensitivity', 'Sensitivity', 'Zo and its sensitivities over one diameter'],
  ['synthesize', 'Synthesis', 'one diameter for each impedance of a range'],
  ['modes', 'Modes', 'exact cut-offs of the higher modes'],
  ['tolerance', 'Tolerance', 'worst case, Monte Carlo and budgets of Zo'],
];
// The most rows the page computes; the command line takes more.
const PAGE_MAX_ROWS = 20000;
// The most table rows drawn on screen; the downloads hold them all.
const SCREEN_ROWS = 200;

const losses = (s) => s.run === 'frequency' || (s.run === 'synthesize' && s.output === 'losses');
const lineShown = (conductor) => (s) =>
  s.run !== 'synthesize' || s.choices.conductor !== conductor;
// Every input of the form. opt: the command-line option (without dashes);
// key: its name among a JSON result's inputs, whose values are the
// defaults; kind: value (one number), sweep (START:STOP:STEP) or choice
// (a fixed set, as radio buttons); units: a list of UNITS or a fixed unit.
const FIELDS = [
  {opt: 'outer', group: 'line', label: 'Outer diameter B', units: 'length', key: 'outer_in',
   shown: lineShown('outer')},
  {opt: 'inner', group: 'line', label: 'Inner diameter D', units: 'length', key: 'inner_in',
   shown: lineShown('inner')},
  {opt: 'er', group: 'line', label: 'Dielectric constant Er', unit: 'relative', key: 'er',
   shown: () => true},
  {opt: 'tand', group: 'line', label: 'Loss tangent tan δ', unit: '', key: 'tand', shown: losses},
  {opt: 'rho-outer', group: 'line', label: 'Resistivity of B', unit: 'µΩ·cm',
   key: 'rho_outer_uohm_cm', shown: losses},
  {opt: 'rho-inner', group: 'line', label: 'Resistivity of D', unit: 'µΩ·cm',
   key: 'rho_inner_uohm_cm', shown: losses},
  {opt: 'rough-outer', group: 'line', label: 'Roughness of B (RMS)', units: 'roughness',
   key: 'rough_outer_uin', shown: losses},
  {opt: 'rough-inner', group: 'line', label: 'Roughness of D (RMS)', units: 'roughness',
   key: 'rough_inner_uin', shown: losses},
  {opt: 'freq', group: 'frequency', kind: 'sweep', label: 'Frequency', units: 'frequency',
   key: 'sweep', shown: (s) => s.run === 'frequency'},
  // Only the Touchstone download takes it.
  {opt: 'length', group: 'frequency', label: 'Line length (Touchstone file)', units: 'lineLength',
   preset: '1', presetUnit: 'ft', download: 's2p', shown: (s) => s.run === 'frequency'},
  {opt: 'vary', group: 'sensitivity', kind: 'choice', label: 'Diameter swept',
   choices: [['inner', 'Inner D'], ['outer', 'Outer B']], required: true,
   shown: (s) => s.run === 'sensitivity'},
  {opt: 'range', group: 'sensitivity', kind: 'sweep', label: 'Diameter', units: 'length',
   key: 'sweep', perChoice: 'vary', shown: (s) => s.run === 'sensitivity'},
  {opt: 'conductor', group: 'synthesize', kind: 'choice', label: 'Diameter synthesized',
   choices: [['inner', 'Inner D'], ['outer', 'Outer B']], required: true,
   shown: (s) => s.run === 'synthesize'},
  {opt: 'impedance', group: 'synthesize', kind: 'sweep', label: 'Impedance', unit: 'Ω',
   key: 'sweep', shown: (s) => s.run === 'synthesize'},
  {opt: 'output', group: 'synthesize', kind: 'choice', label: 'With',
   choices: [['losses', 'Losses'], ['sensitivity', 'Sensitivities']],
   shown: (s) => s.run === 'synthesize'},
  {opt: 'loss-at', group: 'synthesize', label: 'Losses at', units: 'frequency', key: 'loss_at_ghz',
   shown: (s) => s.run === 'synthesize' && s.output === 'losses'},
  {opt: 'tol-outer', group: 'tolerance', label: 'Tolerance on B (±)', units: 'length',
   preset: '0.5', presetUnit: 'mil', required: true},
  {opt: 'tol-inner', group: 'tolerance', label: 'Tolerance on D (±)', units: 'length',
   preset: '0.3', presetUnit: 'mil', required: true},
  {opt: 'tol-er', group: 'tolerance', label: 'Tolerance on Er (±)', unit: '', preset: '0.02',
   required: true},
  {opt: 'offset', group: 'tolerance', label: 'Largest centre offset C', units: 'length',
   key: 'offset_in'},
  {opt: 'zref', group: 'tolerance', label: 'Reference impedance', unit: 'Ω', key: 'zref_ohm'},
  {opt: 'rl-target', group: 'tolerance', label: 'Return-loss target', unit: 'dB',
   key: 'rl_target_db'},
  {opt: 'samples', group: 'tolerance', label: 'Monte Carlo samples', unit: '', key: 'samples'},
  {opt: 'seed', group: 'tolerance', label: 'Seed', unit: '', key: 'seed'},
  {opt: 'distribution', group: 'tolerance', kind: 'choice', label: 'Distribution',
   choices: [['normal', 'Normal (3 σ)'], ['uniform', 'Uniform']], key: 'distribution'},
];
for (const f of FIELDS) {
  f.kind = f.kind || 'value';
  if (f.group === 'tolerance') f.shown = (s) => s.run === 'tolerance';
}
const GROUPS = [
  ['line', 'Line'], ['frequency', 'Frequency sweep'], ['sensitivity', 'Sensitivity sweep'],
  ['synthesize', 'Synthesis'], ['tolerance', 'Tolerances'],
];
// What a run's defaults are read from: the command line's JSON inputs for
// these arguments.
const PROBES = {
  frequency: ['frequency'],
  'sensitivity:inner': ['sensitivity', '--vary', 'inner'],
  'sensitivity:outer': ['sensitivity', '--vary', 'outer'],
  synthesize: ['synthesize', '--conductor', 'inner'],
  tolerance: ['tolerance', '--tol-outer', '0', '--tol-inner', '0', '--tol-er', '0'],
};

// Names of the values in the command line's JSON, as the page labels them.
const NAMES = {
  freq_ghz: ['Frequency', 'GHz'],
  wavelength_free_space_in: ['Wavelength, free space', 'in'],
  wavelength_guide_in: ['Wavelength in the line', 'in'],
  loss_inner_db_per_ft: ['Loss of D', 'dB/ft'],
  loss_outer_db_per_ft: ['Loss of B', 'dB/ft'],
  loss_dielectric_db_per_ft: ['Dielectric loss', 'dB/ft'],
  loss_total_db_per_ft: ['Total loss', 'dB/ft'],
  multimode: ['Multimode', ''],
  outer_in: ['B', 'in'],
  inner_in: ['D', 'in'],
  er: ['Er', ''],
  tand: ['tan δ', ''],
  zo_ohm: ['Zo', 'Ω'],
  capacitance_pf_per_in: ['C', 'pF/in'],
  inductance_nh_per_in: ['L', 'nH/in'],
  te11_cutoff_ghz: ['TE11 cut-off, estimate', 'GHz'],
  te11_exact_ghz: ['TE11 cut-off, exact', 'GHz'],
  te21_exact_ghz: ['TE21 cut-off', 'GHz'],
  tm01_exact_ghz: ['TM01 cut-off', 'GHz'],
  velocity_factor: ['Velocity factor', ''],
  delay_ns_per_ft: ['Delay', 'ns/ft'],
  peak_power_kw: ['Peak power in air', 'kW'],
  s_zo_inner: ['Sensitivity to D', ''],
  s_zo_outer: ['Sensitivity to B', ''],
  s_zo_er: ['Sensitivity to Er', ''],
  rho_outer_uohm_cm: ['Resistivity of B', 'µΩ·cm'],
  rho_inner_uohm_cm: ['Resistivity of D', 'µΩ·cm'],
  rough_outer_uin: ['Roughness of B', 'µin'],
  rough_inner_uin: ['Roughness of D', 'µin'],
  loss_freq_ghz: ['Losses at', 'GHz'],
  mode: ['Mode', ''],
  cutoff_ghz: ['Cut-off', 'GHz'],
  method: ['Method', ''],
};
// The header values of a line, in this order, where the result has them.
const HEADER = [
  'zo_ohm', 'capacitance_pf_per_in', 'inductance_nh_per_in', 'te11_cutoff_ghz', 'te11_exact_ghz',
  'velocity_factor', 'delay_ns_per_ft', 'peak_power_kw', 'outer_in', 'inner_in', 'er',
  'loss_freq_ghz',
];

const $ = (sel, root = document) => root.querySelector(sel);
const el = (tag, attrs = {}, ...children) => {
  const e = document.createElement(tag);
  for (const [k, v] of Object.entries(attrs)) {
    if (v === false || v === null || v === undefined) continue;
    if (k === 'text') e.textContent = v;
    else e.setAttribute(k, v === true ? '' : v);
  }
  for (const c of children) if (c) e.append(c);
  return e;
};
const unitsOf = (f) => (f.units ? UNITS[f.units] : null);

// A number as the page shows it: a float the command line wrote in its
// shortest form as it is; a double to 8 significant digits. The exact value
// stays in data-value.
function shown(v) {
  if (typeof v !== 'number') return v === null ? '—' : String(v);
  const s = String(v);
  const digits = s.replace(/^-/, '').replace(/e.*$/, '').replace('.', '').replace(/^0+/, '');
  return digits.length <= 9 ? s : String(Number(v.toPrecision(8)));
}

// "6.16mm" as the field's number and unit; a unit the field does not offer
// stays in the number's text, where the command line reads it.
function splitUnit(text, f) {
  const units = unitsOf(f);
  const m = /^\s*([-+]?[0-9.]*(?:[eE][-+]?[0-9]+)?)\s*([a-zA-Zµ]*)\s*$/.exec(text);
  if (!units || !m || m[1] === '') return [text, ''];
  const u = units.find(([, suffix]) => suffix.toLowerCase() === m[2].toLowerCase());
  return u ? [m[1], u[1]] : [text, ''];
}

function quoteArg(a) {
  return /^[A-Za-z0-9._:+\-/=@%,]+$/.test(a) ? a : `'${a.replace(/'/g, `'\\''`)}'`;
}

class Page {
  constructor(lumo) {
    this.lumo = lumo;
    this.defaults = {};  // opt or "range:inner" -> text, from the probes
    this.probed = new Set();
    this.good = null;    // the last accepted result
    this.editing = false;
    this.pending = null;
    this.timings = [];
    this.readyAt = null;
    this.form = $('#inputs');
    // The named lines, from the command line's own catalogue.
    const l = lumo.run(['lines', '--format', 'json']);
    this.lines = l.status === 0 ? JSON.parse(new TextDecoder().decode(l.stdout)).lines : [];
    this.build();
    this.ensureDefaults('frequency');
  }

  // --- the form -----------------------------------------------------------
  build() {
    const runs = el('fieldset', {class: 'runs'}, el('legend', {text: 'Run'}));
    const options = el('div', {class: 'run-options'});
    for (const [value, title] of RUNS) {
      const id = `run-${value}`;
      options.append(el('span', {class: 'run'},
          el('input', {type: 'radio', name: 'run', id, value, 'aria-describedby': 'run-what'}),
          el('label', {for: id, text: title})));
    }
    runs.append(options, el('p', {id: 'run-what', class: 'run-what'}));
    this.form.append(runs);
    this.sections = {};
    for (const [group, title] of GROUPS) {
      const set = el('fieldset', {'data-group': group}, el('legend', {text: title}));
      this.sections[group] = set;
      this.form.append(set);
    }
    const picker = el('select', {id: 'f-line'}, el('option', {value: '', text: 'none (values below)'}));
    for (const l of this.lines) picker.append(el('option', {value: l.name, text: l.name}));
    this.sections.line.append(el('div', {class: 'field value', 'data-opt': 'line'},
        el('label', {for: 'f-line', text: 'Named line'}), el('div', {class: 'control'}, picker)));
    for (const f of FIELDS) this.sections[f.group].append(this.fieldRow(f));
    this.form.append(el('p', {class: 'form-end'},
        el('button', {type: 'button', id: 'reset', text: 'Back to the delivered defaults'})));
    this.form.addEventListener('input', (e) => this.edited(e));
    this.form.addEventListener('change', (e) => this.committed(e));
    this.form.addEventListener('submit', (e) => e.preventDefault());
    $('#reset').addEventListener('click', (e) => {
      this.applyQuery(new URLSearchParams());
      this.remember(true);
      this.schedule(e.timeStamp);
    });
    $('#copy-command').addEventListener('click', () => this.copyCommand());
    for (const b of document.querySelectorAll('[data-download]')) {
      b.addEventListener('click', () => this.download(b.dataset.download));
    }
    window.addEventListener('popstate', () => {
      this.editing = false;
      this.applyQuery(new URLSearchParams(location.search));
      this.compute(performance.now());
    });
  }

  unitSelect(f, id, label) {
    const units = unitsOf(f);
    if (!units) {
      return f.unit ? el('span', {class: 'unit', id: `${id}-unit`, text: f.unit}) : null;
    }
    const sel = el('select', {id: `${id}-unit`, 'aria-label': `Unit of ${label}`});
    for (const [name, suffix] of units) sel.append(el('option', {value: suffix, text: name}));
    return sel;
  }

  fieldRow(f) {
    const id = `f-${f.opt}`;
    const row = el('div', {class: `field ${f.kind}`, 'data-opt': f.opt});
    const message = el('p', {class: 'message', id: `${id}-message`, 'aria-live': 'polite'});
    if (f.kind === 'choice') {
      const set = el('fieldset', {class: 'choice', 'aria-describedby': message.id},
                     el('legend', {text: f.label}));
      for (const [value, text] of f.choices) {
        const cid = `${id}-${value}`;
        set.append(el('span', {class: 'option'},
            el('input', {type: 'radio', name: f.opt, id: cid, value}),
            el('label', {for: cid, text})));
      }
      row.append(set, message);
      return row;
    }
    const unit = this.unitSelect(f, id, f.label);
    const unitText = unit && unit.tagName === 'SPAN' ? unit.id : null;
    if (f.kind === 'sweep') {
      const set = el('fieldset', {class: 'sweep', 'aria-describedby': message.id},
                     el('legend', {text: f.label + (f.unit ? ` (${f.unit})` : '')}));
      const parts = el('div', {class: 'parts'});
      for (const part of ['start', 'stop', 'step']) {
        const pid = `${id}-${part}`;
        const name = part[0].toUpperCase() + part.slice(1);
        parts.append(el('span', {class: 'part'},
            el('label', {for: pid, text: name}),
            el('input', {id: pid, inputmode: 'decimal', autocomplete: 'off', spellcheck: 'false',
                         'aria-describedby': message.id})));
      }
      if (unit && !unitText) parts.append(unit);
      set.append(parts);
      row.append(set, message);
      return row;
    }
    const label = el('label', {for: id, id: `${id}-label`, text: f.label});
    const input = el('input', {id, inputmode: 'decimal', autocomplete: 'off', spellcheck: 'false',
                               'aria-describedby': message.id,
                               'aria-labelledby': unitText ? `${id}-label ${unitText}` : null});
    row.append(label, el('div', {class: 'control'}, input, unit), message);
    return row;
  }

  inputs(f) {
    const id = `f-${f.opt}`;
    if (f.kind === 'sweep') return ['start', 'stop', 'step'].map((p) => $(`#${id}-${p}`));
    if (f.kind === 'choice') return [...this.form.querySelectorAll(`input[name="${f.opt}"]`)];
    return [$(`#${id}`)];
  }

  unitOf(f) {
    const sel = $(`#f-${f.opt}-unit`);
    return sel && sel.tagName === 'SELECT' ? sel : null;
  }

  // The state the form shows: the run, the choices and whether synthesis
  // gives losses.
  state() {
    const run = (this.form.querySelector('input[name="run"]:checked') || {}).value || 'frequency';
    const choices = {};
    for (const f of FIELDS.filter((g) => g.kind === 'choice')) {
      choices[f.opt] = (this.form.querySelector(`input[name="${f.opt}"]:checked`) || {}).value;
    }
    return {run, choices, output: choices.output, line: $('#f-line').value};
  }

  defaultKey(f, s) {
    return f.perChoice ? `${f.opt}:${s.choices[f.perChoice]}` : f.opt;
  }

  // A field's default: the named line's value where it has one, else the
  // run's.
  defaultOf(f, s) {
    const line = s.line && f.group === 'line' && this.lines.find((l) => l.name === s.line);
    return line && line[f.key] !== null ? String(line[f.key]) : this.defaults[this.defaultKey(f, s)];
  }

  // Reads a run's defaults from the command line's JSON inputs.
  ensureDefaults(name) {
    if (this.probed.has(name) || !PROBES[name]) return;
    this.probed.add(name);
    const r = this.lumo.run([...PROBES[name], '--format', 'json']);
    if (r.status !== 0) return;
    const inputs = JSON.parse(new TextDecoder().decode(r.stdout)).inputs;
    const suffix = name.includes(':') ? name.slice(name.indexOf(':')) : '';
    for (const f of FIELDS) {
      if (!f.key || !(f.key in inputs)) continue;
      // Each run has its own sweep.
      if (f.kind === 'sweep' && !name.startsWith(f.group)) continue;
      const v = inputs[f.key];
      if (f.kind === 'sweep') this.defaults[f.opt + suffix] = [v.start, v.stop, v.step].map(String);
      else if (!suffix) this.defaults[f.opt] = String(v);
    }
  }

  // Puts the default (or preset) into a field.
  resetField(f, s) {
    const inputs = this.inputs(f);
    const unit = this.unitOf(f);
    if (unit) unit.value = f.presetUnit !== undefined ? unitsOf(f).find((u) => u[0] === f.presetUnit)[1] : '';
    if (f.kind === 'choice') {
      const want = this.defaults[f.opt] || f.choices[0][0];
      for (const i of inputs) i.checked = i.value === want;
      return;
    }
    const d = f.preset !== undefined ? f.preset : this.defaultOf(f, s);
    if (f.kind === 'sweep') inputs.forEach((i, k) => { i.value = d ? d[k] : ''; });
    else inputs[0].value = d !== undefined ? d : '';
  }

  // The text the command line is given for a field, or null when the field
  // is left at its default (or empty: the command line then takes its own
  // default).
  argText(f, s) {
    const suffix = this.unitOf(f) ? this.unitOf(f).value : '';
    if (f.kind === 'choice') {
      const v = s.choices[f.opt];
      return f.required || v !== (this.defaults[f.opt] || f.choices[0][0]) ? v : null;
    }
    const texts = this.inputs(f).map((i) => i.value.trim());
    if (texts.every((t) => t === '') && !f.required) return null;
    const text = texts.map((t) => t + suffix).join(':');
    const d = this.defaultOf(f, s);
    const dtext = d === undefined ? undefined : f.kind === 'sweep' ? d.join(':') : d;
    return f.required || text !== dtext ? text : null;
  }

  // The command line's arguments for the form, and the fields they came from.
  collect() {
    const s = this.state();
    const args = [s.run];
    if (s.line) args.push('--line', s.line);
    for (const f of FIELDS) {
      if (!f.shown(s) || f.download) continue;
      const text = this.argText(f, s);
      if (text === null) continue;
      if (f.opt === 'output') {
        if (text === 'sensitivity') args.push('--sensitivity');
      } else {
        args.push(`--${f.opt}`, text);
      }
    }
    return {state: s, args};
  }

  // Shows the fields of the run, each with its default where it has none
  // yet.
  layout() {
    const s = this.state();
    this.ensureDefaults(s.run === 'sensitivity' ? `sensitivity:${s.choices.vary}` : s.run);
    for (const f of FIELDS) {
      const row = this.form.querySelector(`.field[data-opt="${f.opt}"]`);
      const on = f.shown(s);
      row.hidden = !on;
      if (on && f.kind !== 'choice' && this.inputs(f).every((i) => i.value === '')) {
        this.resetField(f, s);
      }
    }
    $('#run-what').textContent = RUNS.find(([k]) => k === s.run)[2];
    for (const [group] of GROUPS) {
      const set = this.sections[group];
      set.hidden = [...set.querySelectorAll('.field')].every((r) => r.hidden);
    }
  }

  // --- the URL ------------------------------------------------------------
  query() {
    const {state, args} = this.collect();
    const q = new URLSearchParams();
    q.set('run', state.run);
    for (let i = 1; i < args.length; i++) {
      const opt = args[i].slice(2);
      if (opt === 'sensitivity') q.set('output', 'sensitivity');
      else q.set(opt, args[++i]);
    }
    for (const f of FIELDS.filter((g) => g.download && g.shown(state))) {
      const text = this.argText(f, state);
      const preset = f.preset + unitsOf(f).find(([name]) => name === f.presetUnit)[1];
      if (text !== null && text !== preset) q.set(f.opt, text);
    }
    return q;
  }

  applyQuery(q) {
    const run = RUNS.some(([r]) => r === q.get('run')) ? q.get('run') : 'frequency';
    for (const i of this.form.querySelectorAll('input[name="run"]')) i.checked = i.value === run;
    $('#f-line').value = this.lines.some((l) => l.name === q.get('line')) ? q.get('line') : '';
    // Choices first: the defaults of the other fields depend on them.
    for (const f of FIELDS.filter((g) => g.kind === 'choice')) {
      this.resetField(f, this.state());
      const v = q.get(f.opt);
      if (f.choices.some(([c]) => c === v)) {
        for (const i of this.inputs(f)) i.checked = i.value === v;
      }
    }
    const s = this.state();
    this.ensureDefaults(s.run === 'sensitivity' ? `sensitivity:${s.choices.vary}` : s.run);
    for (const f of FIELDS.filter((g) => g.kind !== 'choice')) {
      this.resetField(f, s);
      if (!q.has(f.opt)) continue;
      const text = q.get(f.opt);
      const unit = this.unitOf(f);
      if (f.kind === 'sweep') {
        // Numbers and one unit where the parts share it, else each part as
        // written.
        const parts = text.split(':');
        const split = parts.map((p) => splitUnit(p, f));
        const same = split.every(([, u]) => u === split[0][1]);
        this.inputs(f).forEach((input, k) => {
          input.value = k < parts.length ? (same ? split[k][0] : parts[k]) : '';
        });
        if (unit) unit.value = same ? split[0][1] : '';
      } else {
        const [num, u] = splitUnit(text, f);
        this.inputs(f)[0].value = num;
        if (unit) unit.value = u;
      }
    }
    this.layout();
  }

  remember(push) {
    const url = `${location.pathname}?${this.query()}`;
    if (url === `${location.pathname}${location.search}`) return;
    if (push) history.pushState(null, '', url);
    else history.replaceState(null, '', url);
  }

  // --- running ------------------------------------------------------------
  edited(e) {
    const t = e.target;
    if (t.type === 'radio') {
      this.layout();
      // The sweep of the other diameter starts from its own defaults.
      if (t.name === 'vary') this.resetField(FIELDS.find((f) => f.opt === 'range'), this.state());
    }
    // A named line fills the line's fields with its values.
    if (t.id === 'f-line') {
      for (const f of FIELDS.filter((g) => g.group === 'line')) this.resetField(f, this.state());
    }
    // The first change after a committed one starts a new history entry;
    // the ones that follow while typing update it.
    this.remember(!this.editing);
    this.editing = true;
    this.schedule(e.timeStamp);
  }

  committed(e) {
    // A choice from a list may come without an input event.
    if (e.target.tagName === 'SELECT') this.edited(e);
    this.editing = false;
  }

  schedule(since) {
    if (this.pending !== null) return;
    this.pending = setTimeout(() => {
      this.pending = null;
      this.compute(since);
    }, 0);
  }

  run(args) {
    return this.lumo.run(args);
  }

  compute(since) {
    this.computed = (this.computed || 0) + 1;
    document.documentElement.dataset.computed = String(this.computed);
    const {state, args} = this.collect();
    const plots = state.run !== 'modes';
    const sweeps = ['frequency', 'sensitivity', 'synthesize'].includes(state.run);
    const full = [...args, '--format', 'json', '-o', 'result.json'];
    if (plots) full.push('--plot', 'plot.svg');
    if (sweeps) full.push('--max-rows', String(PAGE_MAX_ROWS));
    const r = this.run(full);
    const stderr = new TextDecoder().decode(r.stderr);
    this.clearMessages();
    if (r.status !== 0) {
      this.refused(stderr, state);
      return;
    }
    const json = JSON.parse(new TextDecoder().decode(r.files['result.json']));
    const result = {state, args, json, stderr, svg: r.files['plot.svg'] || null,
                    jsonBytes: r.files['result.json']};
    // Sensitivity, modes and tolerance take B, D and Er only: the line's own
    // values come from a one-row frequency run of the same line.
    if (['sensitivity', 'modes', 'tolerance'].includes(state.run)) {
      const own = ['--line', '--outer', '--inner', '--er'];
      const lineArgs = args.filter((a, i) => own.includes(a) || own.includes(args[i - 1]));
      const h = this.run(['frequency', ...lineArgs, '--freq', '1:1:1', '--format', 'json']);
      if (h.status === 0) {
        result.line = JSON.parse(new TextDecoder().decode(h.stdout)).line;
      }
    }
    if (state.run === 'modes') {
      const c = this.run([...args, '--format', 'csv']);
      result.modes = new TextDecoder().decode(c.stdout).trim().split(/\r?\n/).map((l) => l.split(','));
    }
    this.good = result;
    this.render(result);
    // Layout now, so that the time taken includes drawing the table and plot.
    void $('#results').offsetHeight;
    const ms = performance.now() - since;
    const rows = json.rows ? json.rows.length : 0;
    this.timings.push({run: state.run, rows, ms});
    if (this.readyAt === null) this.readyAt = performance.now();
    document.documentElement.dataset.state = 'ready';
  }

  clearMessages() {
    for (const m of this.form.querySelectorAll('.message')) m.textContent = '';
    for (const i of this.form.querySelectorAll('[aria-invalid]')) i.removeAttribute('aria-invalid');
    $('#results').classList.remove('stale');
  }

  // A run not accepted: the command line's message beside the field it
  // names, and the last result kept but marked as stale.
  refused(stderr, state) {
    const line = stderr.split('\n').find((l) => l.startsWith('lumo: ')) || stderr.trim();
    const m = /^lumo: --([a-z-]+)/.exec(line);
    let f = m && FIELDS.find((g) => g.opt === m[1] && g.shown(state));
    if (m && m[1] === 'sensitivity') f = FIELDS.find((g) => g.opt === 'output');
    let text = line;
    if (line.endsWith(`more than ${PAGE_MAX_ROWS} (--max-rows raises the limit)`)) {
      const cmd = ['lumo', ...this.collect().args, '--format', 'csv', '-o', 'sweep.csv'];
      text = `${line.replace(/ \(--max-rows raises the limit\)$/, '')}, the most this page ` +
          `computes. The command line computes it: ${cmd.map(quoteArg).join(' ')}`;
    }
    const target = f ? $(`#f-${f.opt}-message`) : null;
    if (target) {
      target.textContent = text;
      for (const i of this.inputs(f)) i.setAttribute('aria-invalid', 'true');
    }
    const results = $('#results');
    results.classList.add('stale');
    $('#status').textContent = this.good ?
        `Not computed: ${text} The result below is for the last accepted inputs.` :
        `Not computed: ${text}`;
    if (!this.good) $('#result-body').hidden = true;
    document.documentElement.dataset.state = 'refused';
  }

  // --- results ------------------------------------------------------------
  render(r) {
    $('#result-body').hidden = false;
    const rows = r.json.rows;
    const title = RUNS.find(([k]) => k === r.state.run)[1];
    $('#status').textContent = rows ?
        `${title}: ${rows.length} ${rows.length === 1 ? 'row' : 'rows'}.` : `${title}.`;
    $('#command-line').textContent = ['lumo', ...r.args].map(quoteArg).join(' ');
    this.renderHeader(r);
    const warn = r.stderr.split('\n').filter((l) => l.startsWith('lumo: '))
                     .map((l) => l[6].toUpperCase() + l.slice(7));
    const warning = $('#warning');
    warning.hidden = warn.length === 0;
    warning.textContent = warn.join(' ');
    const plot = $('#plot');
    plot.hidden = !r.svg;
    plot.innerHTML = r.svg ? new TextDecoder().decode(r.svg).replace(/^<\?xml[^>]*>\s*/, '') : '';
    const tables = $('#tables');
    tables.replaceChildren();
    if (rows) tables.append(this.rowsTable(rows, title));
    if (r.modes) tables.append(this.modesTable(r.modes));
    if (r.state.run === 'tolerance') tables.append(...this.toleranceTables(r.json));
    $('[data-download="svg"]').disabled = !r.svg;
    $('[data-download="s2p"]').hidden = r.state.run !== 'frequency';
  }

  value(tag, v, key, attrs = {}) {
    return el(tag, {'data-key': key, 'data-value': v === null ? null : JSON.stringify(v),
                    ...attrs, text: shown(v)});
  }

  renderHeader(r) {
    const dl = $('#header-values');
    dl.replaceChildren();
    const line = {...(r.line || {}), ...(r.json.line || {})};
    const add = (name, unit, v, key) => {
      dl.append(el('div', {}, el('dt', {text: name}),
                   el('dd', {}, this.value('span', v, key), unit ? ` ${unit}` : '')));
    };
    for (const key of HEADER) {
      if (!(key in line)) continue;
      const [name, unit] = NAMES[key];
      // Where a value comes from the one-row frequency run, its key says so.
      const own = r.json.line && key in r.json.line;
      add(name, unit, line[key], `${own ? '' : 'frequency:'}line.${key}`);
    }
    if (r.state.run === 'tolerance') {
      const w = r.json.window;
      add('Nominal Zo', 'Ω', r.json.worst_case.nominal_zo_ohm, 'worst_case.nominal_zo_ohm');
      add('Window, low', 'Ω', w.low_ohm, 'window.low_ohm');
      add('Window, high', 'Ω', w.high_ohm, 'window.high_ohm');
    }
  }

  table(caption, head, body) {
    const t = el('table', {}, el('caption', {text: caption}));
    t.append(el('thead', {}, el('tr', {}, ...head)));
    const tb = el('tbody');
    for (const cells of body) tb.append(el('tr', {}, ...cells));
    t.append(tb);
    const wrap = el('div', {class: 'table-wrap', tabindex: '0', role: 'region',
                            'aria-label': caption});
    wrap.append(t);
    return wrap;
  }

  rowsTable(rows, title) {
    const keys = Object.keys(rows[0] || {});
    const head = keys.map((k) => {
      const [name, unit] = NAMES[k] || [k, ''];
      return el('th', {scope: 'col', 'data-column': k}, name,
                unit ? el('span', {class: 'th-unit', text: ` (${unit})`}) : null);
    });
    const body = rows.slice(0, SCREEN_ROWS).map((row, i) => keys.map(
        (k) => this.value('td', row[k], `rows.${i}.${k}`)));
    const wrap = this.table(`${title} table`, head, body);
    if (rows.length > SCREEN_ROWS) {
      wrap.append(el('p', {class: 'note', id: 'rows-note',
                           text: `The first ${SCREEN_ROWS} of ${rows.length} rows; ` +
                                 'the downloads hold them all.'}));
    }
    return wrap;
  }

  modesTable(lines) {
    const [head, ...body] = lines;
    return this.table('Cut-offs of the first higher modes',
        head.map((k) => el('th', {scope: 'col', 'data-column': k},
                           NAMES[k] ? NAMES[k][0] + (NAMES[k][1] ? ` (${NAMES[k][1]})` : '') : k)),
        body.map((cells) => cells.map((c, j) => el('td', {'data-column': head[j], text:
            j === 1 ? shown(Number(c)) : c, 'data-value': j === 1 ? c : null}))));
  }

  toleranceTables(j) {
    const w = j.worst_case;
    const sign = (x) => (x > 0 ? '+' : x < 0 ? '−' : '0');
    const corner = (c) => `B${sign(c.outer)} D${sign(c.inner)} Er${sign(c.er)}, offset ${c.offset_in} in`;
    const worst = this.table('Worst case', ['', 'Zo (Ω)', 'Corner'].map(
        (t) => el('th', {scope: 'col', text: t})), [
      [el('th', {scope: 'row', text: 'Nominal'}),
       this.value('td', w.nominal_zo_ohm, 'worst_case.nominal_zo_ohm'), el('td')],
      [el('th', {scope: 'row', text: 'Lowest corner'}),
       this.value('td', w.lowest.zo_ohm, 'worst_case.lowest.zo_ohm'),
       el('td', {text: corner(w.lowest)})],
      [el('th', {scope: 'row', text: 'Highest corner'}),
       this.value('td', w.highest.zo_ohm, 'worst_case.highest.zo_ohm'),
       el('td', {text: corner(w.highest)})],
      [el('th', {scope: 'row', text: 'Worst return loss (dB)'}),
       this.value('td', w.worst_rl_db, 'worst_case.worst_rl_db'), el('td')],
    ]);
    const mc = j.monte_carlo;
    const mcRows = [['Mean (Ω)', 'mean_ohm'], ['Standard deviation (Ω)', 'stddev_ohm'],
                    ['1st percentile (Ω)', 'p1_ohm'], ['Median (Ω)', 'p50_ohm'],
                    ['99th percentile (Ω)', 'p99_ohm'], ['Yield (share of 1)', 'yield']];
    const monte = this.table(`Monte Carlo: ${j.inputs.samples} samples, ${j.inputs.distribution}, ` +
                             `seed ${j.inputs.seed}`,
        ['', 'Value'].map((t) => el('th', {scope: 'col', text: t})),
        mcRows.map(([name, k]) => [el('th', {scope: 'row', text: name}),
                                   this.value('td', mc[k], `monte_carlo.${k}`)]));
    const b = j.budget;
    const budget = this.table('Budget, each alone' + (b.feasible ? '' : ' (the nominal line misses the target)'),
        ['', '±', 'Rise', 'Fall'].map((t) => el('th', {scope: 'col', text: t})),
        [['B (in)', 'outer_in'], ['D (in)', 'inner_in'], ['Er', 'er']].map(([name, k]) => [
          el('th', {scope: 'row', text: name}),
          ...['symmetric', 'increase', 'decrease'].map(
              (p) => this.value('td', b[k] ? b[k][p] : null, `budget.${k}.${p}`))]));
    return [worst, monte, budget];
  }

  // --- copy and downloads -------------------------------------------------
  async copyCommand() {
    const text = $('#command-line').textContent;
    const button = $('#copy-command');
    try {
      await navigator.clipboard.writeText(text);
    } catch {
      const range = document.createRange();
      range.selectNodeContents($('#command-line'));
      getSelection().removeAllRanges();
      getSelection().addRange(range);
      document.execCommand('copy');
    }
    button.textContent = 'Copied';
    setTimeout(() => { button.textContent = 'Copy'; }, 1500);
  }

  download(kind) {
    const r = this.good;
    if (!r) return;
    let bytes;
    let type = 'text/plain';
    if (kind === 'json') {
      bytes = r.jsonBytes;
      type = 'application/json';
    } else if (kind === 'svg') {
      bytes = r.svg;
      type = 'image/svg+xml';
    } else if (kind === 's2p') {
      const f = FIELDS.find((g) => g.opt === 'length');
      const out = this.run([...r.args, '--format', 's2p', '--length', this.argText(f, r.state)]);
      const message = $('#f-length-message');
      const input = $('#f-length');
      message.textContent = out.status === 0 ? '' : new TextDecoder().decode(out.stderr).trim();
      if (out.status === 0) input.removeAttribute('aria-invalid');
      else input.setAttribute('aria-invalid', 'true');
      if (out.status !== 0) return;
      bytes = out.stdout;
    } else {
      const out = this.run([...r.args, '--format', kind === 'csv' ? 'csv' : 'report']);
      if (out.status !== 0) return;
      bytes = out.stdout;
      if (kind === 'csv') type = 'text/csv';
    }
    if (!bytes) return;
    const ext = kind === 'report' ? 'txt' : kind;
    const a = el('a', {href: URL.createObjectURL(new Blob([bytes], {type})),
                       download: `lumo-${r.state.run}.${ext}`});
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 10000);
  }
}

async function startPage() {
  const start = performance.now();
  let lumo;
  try {
    lumo = await startLumo();
  } catch (e) {
    $('#status').textContent = `The calculator could not start: ${e}`;
    return;
  }
  const page = new Page(lumo);
  window.lumoPage = page;
  page.applyQuery(new URLSearchParams(location.search));
  page.compute(start);
}

if (typeof document !== 'undefined') startPage();
// Node: require() gives the engine.
if (typeof module === 'object' && module.exports) module.exports = {createLumo, startLumo};
})();
