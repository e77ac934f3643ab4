// The converter page: an input (a file, pasted text or a NACA section), the
// shaping steps, a redistribution and an output format with its options; every
// change converts again in the engine's worker, and the page shows the section
// true to scale, its figures and the output to download or copy.
import { EngineClient } from './engine_client.mjs';
import { browserLanguage, filled, text } from './page_texts.mjs';
import { Preview } from './preview.mjs';
import { sampleSection } from './sample_section.mjs';

const $ = (id) => document.getElementById(id);
const engine = new EngineClient();
const preview = new Preview($('preview'));
const maxInputBytes = 256 * 1024 * 1024;

const page = {
  language: browserLanguage(),
  formats: [],
  source: { bytes: new TextEncoder().encode(sampleSection), stem: 'naca2412' },
  blendWith: null,
  result: null,
  status: { key: null },
  conversion: 0,  // the number of the newest conversion asked for
  firstConversionMs: null,
};
// For the browser test and the curious.
window.tarvexPage = page;

// ---------------------------------------------------------------------------
// Texts

const t = (key) => text(page.language, key);

// The captions Alvane gives the formats where it has its own; else the
// engine's title.
const formatCaptions = { 1: 130, 2: 131, 3: 132, 4: 133, 16: 147, 18: 157, 19: 158, 20: 159,
  21: 175, 22: 176 };

function formatCaption(row) {
  const caption = formatCaptions[row.number] ? t(formatCaptions[row.number]) : row.title;
  return `${row.number}  ${caption.charAt(0).toUpperCase()}${caption.slice(1)}`;
}

// Per cent or chord figures as the language writes numbers.
function decimal(value, digits) {
  if (!Number.isFinite(value)) return t(173);
  const written = value.toFixed(digits);
  return page.language === 'de' ? written.replace('.', ',') : written;
}

function general(value) {
  const written = Number.isFinite(value) ? Number(value.toPrecision(7)).toString() : String(value);
  return page.language === 'de' ? written.replace('.', ',') : written;
}

function applyLanguage() {
  document.documentElement.lang = page.language;
  $('language').value = page.language;
  document.title = t(122);
  for (const element of document.querySelectorAll('[data-text]')) {
    const key = element.dataset.text;
    element.textContent = t(/^\d+$/.test(key) ? Number(key) : key);
  }
  for (const element of document.querySelectorAll('[data-title]')) {
    element.title = t(element.dataset.title);
  }
  const chosen = $('format').value;
  $('format').replaceChildren(...page.formats.map((row) => new Option(formatCaption(row), row.number)));
  $('format').value = chosen || '1';
  showResult();
}

// ---------------------------------------------------------------------------
// Reading the form

function number(id) {
  const value = $(id).value.trim().replace(',', '.');
  return value === '' ? undefined : value;
}

function shapeSteps() {
  const steps = {};
  for (const row of document.querySelectorAll('#modify .step')) {
    if (!row.querySelector('input[type=checkbox]').checked) continue;
    const field = (name) => {
      const value = row.querySelector(`[data-field=${name}]`).value.trim().replace(',', '.');
      return value === '' ? undefined : value;
    };
    switch (row.dataset.step) {
      case 'trailingEdgeGap':
        steps.trailingEdgeGap = { gap: field('gap'), blend: field('blend') };
        break;
      case 'thickness':
      case 'camber':
        steps.thicknessCamber = { ...steps.thicknessCamber };
        for (const name of row.dataset.step === 'thickness' ? ['thickness', 'thicknessX']
                                                            : ['camber', 'camberX']) {
          steps.thicknessCamber[name] = field(name);
        }
        break;
      case 'leadingEdgeRadius':
        steps.leadingEdgeRadius = { factor: field('factor'), blend: field('blend') };
        break;
      case 'flap':
        steps.flap = { hingeX: field('hingeX'), degrees: field('degrees'),
          hingeYFraction: field('hingeYFraction') };
        break;
      case 'blend':
        steps.blend = { fraction: field('fraction') };
        break;
      case 'panelling':
        steps.panelling = { points: field('points') };
        break;
    }
  }
  return steps;
}

function redistribution() {
  const mode = document.querySelector('input[name=redistribution]:checked').value;
  if (mode === 'cosine') return { points: Number(number('cosine-points') ?? 0) };
  if (mode === 'stations') {
    const stations = $('stations').value.split(/[\s;/]+/).filter((s) => s !== '')
        .map((s) => s.replace(',', '.'));
    return { stations };
  }
  return {};
}

function writeOptions() {
  const options = {
    format: Number($('format').value || 1),
    comments: $('comments').checked,
    keepSize: $('keep-size').checked,
    xFactor: number('x-factor') ?? 1,
    yFactor: number('y-factor') ?? 1,
  };
  const drawing = drawingFields(options.format);
  if (drawing.chord && !options.keepSize) options.chord = $('chord').value.trim() || undefined;
  if (drawing.skin) options.skin = $('skin').value.trim() || undefined;
  if (drawing.stroke) options.stroke = $('stroke').value.trim() || undefined;
  if (drawing.label) options.label = $('label').checked;
  if (drawing.chordLine) options.chordLine = $('chord-line').checked;
  if (drawing.farfield) options.farfield = number('farfield');
  if (drawing.meshSize) options.meshSize = $('mesh-auto').checked ? 'auto' : number('mesh-size');
  if (drawing.boundaryLayer) {
    options.boundaryLayer = { first: number('bl-first'), ratio: number('bl-ratio'),
      thickness: number('bl-thickness') };
  }
  if (drawing.spline) options.spline = $('spline').checked;
  return options;
}

// The drawing and mesh options each of those formats takes.
function drawingFields(formatNumber) {
  const name = page.formats[formatNumber - 1]?.shortName;
  if (name === 'svg') return { chord: true, skin: true, stroke: true, label: true, chordLine: true };
  if (name === 'gmsh') {
    return { chord: true, farfield: true, meshSize: true, boundaryLayer: true, spline: true };
  }
  if (name === 'dxf2000') return { chord: true, skin: true, spline: true };
  return {};
}

function showDrawingFields() {
  const fields = drawingFields(Number($('format').value));
  $('drawing').hidden = Object.keys(fields).length === 0;
  for (const label of document.querySelectorAll('#drawing [data-for]')) {
    label.hidden = !fields[label.dataset.for];
  }
  $('chord').disabled = $('keep-size').checked;
  $('mesh-size').disabled = $('mesh-auto').checked;
}

// ---------------------------------------------------------------------------
// Converting

let pending = null;

// Converts again once the changes have settled for a moment.
function convertSoon() {
  clearTimeout(pending);
  pending = setTimeout(convert, 60);
}

async function convert() {
  const number = ++page.conversion;
  const steps = shapeSteps();
  if (steps.blend && !page.blendWith) {
    page.result = null;
    setStatus({ error: t(201) });
    showResult();
    return;
  }
  const args = {
    source: page.source.naca !== undefined ? page.source : { bytes: page.source.bytes },
    blendWith: page.blendWith,
    steps,
    redistribution: redistribution(),
    write: writeOptions(),
  };
  setStatus({ key: 112 });
  try {
    const result = await engine.call('convertForPage', args);
    if (number !== page.conversion) return;
    page.result = result;
    if (page.firstConversionMs === null) page.firstConversionMs = performance.now();
    setStatus(result.outputError ? { error: result.outputError.message }
                                 : { converted: result.final.x.length });
  } catch (error) {
    if (number !== page.conversion) return;
    page.result = null;
    setStatus({ error: error.message });
  }
  showResult();
}

function setStatus(status) {
  page.status = status;
  showStatus();
}

function showStatus() {
  const s = page.status;
  const line = $('status');
  line.classList.toggle('error', s.error !== undefined);
  if (s.error !== undefined) {
    line.textContent = `${t(100)} ${s.error}`;
  } else if (s.converted !== undefined) {
    line.textContent = `${t(113)} (${s.converted} ${t(114)}).`;
  } else {
    line.textContent = s.key ? t(s.key) : '';
  }
}

const propertyRows = [
  ['area', 'area', 'c²'], ['xs', 'Xs', 'c'], ['ys', 'Ys', 'c'], ['ixs', 'IXs', 'c⁴'],
  ['iys', 'IYs', 'c⁴'], ['circumference', 'circumference', 'c'], ['x0', 'X0', 'c'],
  ['y0', 'Y0', 'c'], ['ix0', 'IX0', 'c⁴'], ['iy0', 'IY0', 'c⁴'],
];

function showResult() {
  showStatus();
  showDrawingFields();
  const r = page.result;
  const made = r?.made;
  $('fact-name').textContent = made ? made.name : '';
  $('fact-layout').textContent = made ? t('layouts')[made.layout] ?? made.layout : '';
  $('fact-points').textContent = made ? String(made.pointsRead) : '';
  $('fact-xrange').textContent = made ? `${general(made.xmin)} … ${general(made.xmax)}` : '';
  $('notices').replaceChildren(...(made?.notices ?? []).map((line) => {
    const item = document.createElement('li');
    item.textContent = line.replace(/^;\s*/, '');
    return item;
  }));

  preview.show(r?.final.x ?? new Float32Array(0), r?.final.y ?? new Float32Array(0));

  const f = r?.figures;
  $('figures').textContent = !r ? '' : f ? [
    t(174),
    filled(page.language, 169, decimal(100 * f.maxThickness, 2), decimal(100 * f.maxThicknessX, 1)),
    filled(page.language, 170, decimal(100 * f.maxCamber, 2), decimal(100 * f.maxCamberX, 1)),
    filled(page.language, 171, decimal(100 * f.trailingEdgeThickness, 2)),
    Number.isFinite(f.leadingEdgeRadius)
      ? filled(page.language, 172, decimal(100 * f.leadingEdgeRadius, 2))
      : filled(page.language, 172, t(173)).replace(' %', ''),
  ].join('\n') : t('figuresFailed') + r.figuresError;

  const p = r?.shaped.properties;
  $('properties').replaceChildren();
  if (p) {
    const caption = $('properties').createCaption();
    caption.textContent = t('properties');
    for (const [key, label, unit] of propertyRows) {
      const row = $('properties').insertRow();
      row.insertCell().textContent = /^[a-z]/.test(label) ? t(label) : label;
      row.insertCell().textContent = general(p[key]);
      row.insertCell().textContent = unit;
    }
  }

  const output = r?.output;
  $('download').disabled = !output;
  $('copy').disabled = !output;
  if (output) {
    const shown = r.outputText;
    const lines = shown.split('\n').length - (shown.endsWith('\n') ? 1 : 0);
    $('output').value = shown;
    $('output-size').textContent = `${lines} ${t('outputLines')}, ${output.length} B`;
  } else {
    $('output').value = '';
    $('output-size').textContent = '';
  }
}

// ---------------------------------------------------------------------------
// Input

function stemOf(fileName) {
  const dot = fileName.lastIndexOf('.');
  return dot > 0 ? fileName.slice(0, dot) : fileName;
}

// The stem Alvane gives a NACA section's file: naca2412, naca63_2_-615.
function nacaStem(name) {
  let stem = '';
  for (const c of name) {
    if (/[A-Za-z0-9]/.test(c)) stem += c.toLowerCase();
    else if (c === '-' || c === '.') stem += c;
    else if ((c === ' ' || c === '(' || c === '_') && stem !== '' && !stem.endsWith('_')) stem += '_';
  }
  if (stem.startsWith('naca_')) stem = `naca${stem.slice(5)}`;
  return stem.startsWith('naca') ? stem : `naca${stem}`;
}

async function readFile(file) {
  if (file.size > maxInputBytes) throw new Error(t('tooLarge'));
  try {
    return new Uint8Array(await file.arrayBuffer());
  } catch (error) {
    throw new Error(t('fileUnreadable') + error.message);
  }
}

async function useFile(file) {
  try {
    page.source = { bytes: await readFile(file), stem: stemOf(file.name) };
    convert();
  } catch (error) {
    setStatus({ error: error.message });
  }
}

function usePasted() {
  const pasted = $('pasted').value;
  if (pasted.trim() === '') return;
  page.source = { bytes: new TextEncoder().encode(pasted), stem: null };
  convert();
}

function useNaca() {
  const designation = $('naca-designation').value.trim();
  if (designation === '') return;
  page.source = {
    naca: designation,
    options: {
      points: Number($('naca-points').value || 161),
      closedTrailingEdge: $('naca-closed').checked,
      spacing: $('naca-spacing').value,
    },
  };
  convert();
}

function outputName() {
  const row = page.formats[Number($('format').value) - 1];
  const name = page.result?.made.name ?? 'section';
  const stem = page.source.naca !== undefined ? nacaStem(name) : page.source.stem ?? nacaStemOrName(name);
  return `${stem}.${row?.extension ?? 'txt'}`;
}

// A pasted section is named after its first line, kept to safe characters.
function nacaStemOrName(name) {
  if (/^naca/i.test(name.trim())) return nacaStem(name.trim());
  const stem = name.trim().replace(/[^A-Za-z0-9._-]+/g, '_').replace(/^_+|_+$/g, '');
  return stem === '' || stem === 'alvane' ? 'section' : stem.slice(0, 60);
}

function download() {
  const output = page.result?.output;
  if (!output) return;
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([output], { type: 'application/octet-stream' }));
  link.download = outputName();
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

async function copy() {
  const shown = $('output').value;
  try {
    if (navigator.clipboard && window.isSecureContext) {
      await navigator.clipboard.writeText(shown);
    } else {
      $('output').select();
      if (!document.execCommand('copy')) throw new Error('execCommand');
    }
    $('output-size').textContent = t('copied');
  } catch (error) {
    setStatus({ error: t('copyFailed') + error.message });
  }
}

// ---------------------------------------------------------------------------
// Wiring

function wire() {
  $('language').addEventListener('change', () => {
    page.language = $('language').value;
    applyLanguage();
  });
  $('file').addEventListener('change', () => {
    if ($('file').files.length > 0) useFile($('file').files[0]);
    $('file').value = '';
  });
  const zone = $('drop-zone');
  document.addEventListener('dragover', (event) => {
    event.preventDefault();
    zone.classList.add('over');
  });
  document.addEventListener('dragleave', (event) => {
    if (event.relatedTarget === null) zone.classList.remove('over');
  });
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    zone.classList.remove('over');
    const file = event.dataTransfer?.files?.[0];
    if (file) useFile(file);
  });
  $('use-pasted').addEventListener('click', usePasted);
  $('pasted').addEventListener('paste', () => setTimeout(usePasted, 0));
  $('naca-make').addEventListener('click', useNaca);
  $('naca-designation').addEventListener('keydown', (event) => {
    if (event.key === 'Enter') useNaca();
  });
  $('blend-file').addEventListener('change', async () => {
    const file = $('blend-file').files[0];
    $('blend-file').value = '';
    if (!file) return;
    try {
      page.blendWith = { bytes: await readFile(file) };
      $('blend-name').textContent = file.name;
      convertSoon();
    } catch (error) {
      setStatus({ error: error.message });
    }
  });
  for (const element of document.querySelectorAll('#modify input, #redistribution input, ' +
                                                  '#redistribution textarea, #output-box input, #format')) {
    if (element.type === 'file') continue;
    element.addEventListener('input', convertSoon);
    element.addEventListener('change', convertSoon);
  }
  $('show-points').addEventListener('change', () => { preview.showPoints = $('show-points').checked; });
  $('zoom-in').addEventListener('click', () => preview.zoomAt(1.5));
  $('zoom-out').addEventListener('click', () => preview.zoomAt(1 / 1.5));
  $('zoom-reset').addEventListener('click', () => preview.reset());
  $('download').addEventListener('click', download);
  $('copy').addEventListener('click', copy);
}

async function start() {
  wire();
  $('pasted').value = sampleSection;
  const first = convert();
  try {
    const { formats, defaultStations } = await engine.call('formats');
    page.formats = formats;
    $('stations').value = Array.from(defaultStations, (s) => Number(s.toPrecision(7))).join('\n');
  } catch (error) {
    setStatus({ error: t('engineFailed') + error.message });
  }
  applyLanguage();
  await first;
}

start();
