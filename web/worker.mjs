// The page's engine: tarvex.mjs in a worker, so that no conversion stalls the
// page. A message { id, job, args } is answered by { id, result } or by
// { id, error: { message, reason } }; output bytes are transferred, not copied.
import { loadTarvex, TarvexError, textOf } from './tarvex.mjs';

// Started by the page as worker.mjs?compiled, the worker gets the engine's
// code compiled by the page, which fetches it while the worker's own modules
// load, in a first message { engine } (null: fetch it here after all).
let compiled = null;
let offer = null;

function engineFrom(module) {
  if (!module) return loadTarvex();
  return new Promise((resolve, reject) => {
    const instantiateWasm = (imports, receive) => {
      WebAssembly.instantiate(module, imports).then((instance) => receive(instance, module), reject);
      return {};
    };
    loadTarvex({ instantiateWasm }).then(resolve, reject);
  });
}

let ready = self.location.search.includes('compiled')
  ? new Promise((resolve) => { offer = resolve; }).then((module) => {
    compiled = module;
    return engineFrom(module);
  })
  : loadTarvex();

// Coordinates and a NACA designation both give a section.
function sectionOf(tarvex, source) {
  if (source.naca !== undefined) return tarvex.naca(source.naca, source.options ?? {});
  return tarvex.read(source.bytes);
}

// What the page shows of one conversion: the section as made, its figures
// after the shaping, the points written and the output, each failing on its
// own where the step before it succeeded.
function convertForPage(tarvex, { source, blendWith, steps, redistribution, write }) {
  const made = sectionOf(tarvex, source);
  const shapeSteps = { ...steps };
  if (shapeSteps.blend) shapeSteps.blend = { ...shapeSteps.blend, with: sectionOf(tarvex, blendWith) };
  const shaped = Object.keys(shapeSteps).length > 0 ? tarvex.shape(made, shapeSteps) : made;
  let figures = null;
  let figuresError = null;
  try {
    figures = tarvex.figures(shaped);
  } catch (error) {
    figuresError = error.message;
  }
  let final = shaped;
  if (redistribution.points > 0) {
    final = tarvex.redistributeCosine(shaped, redistribution.points);
  } else if (redistribution.stations) {
    final = tarvex.redistribute(shaped, redistribution.stations);
  }
  const result = { made, shaped, final, figures, figuresError, output: null, outputError: null };
  try {
    result.output = tarvex.writeBytes(final, write);
    result.outputText = textOf(result.output);
  } catch (error) {
    if (!(error instanceof TarvexError)) throw error;
    result.outputError = { message: error.message, reason: error.reason };
  }
  return result;
}

// The same conversion repeated, text (or bytes) in, text out: time per
// conversion in milliseconds.
function timeConversions(tarvex, { text, bytes, options, least }) {
  const input = text ?? bytes;
  let count = 0;
  const start = performance.now();
  let elapsed = 0;
  do {
    tarvex.convert(input, options);
    ++count;
    elapsed = performance.now() - start;
  } while (elapsed < least);
  return elapsed / count;
}

const jobs = {
  formats: (tarvex) => ({ formats: tarvex.formats, defaultStations: tarvex.defaultStations }),
  convertForPage,
  convert: (tarvex, { bytes, options }) => tarvex.convertBytes(bytes, options),
  timeConversions,
};

self.onmessage = async ({ data }) => {
  if ('engine' in data) {
    offer?.(data.engine);
    return;
  }
  const { id, job, args } = data;
  try {
    const tarvex = await ready;
    const result = jobs[job](tarvex, args);
    const transfer = result?.output instanceof Uint8Array ? [result.output.buffer]
                   : result instanceof Uint8Array ? [result.buffer] : [];
    self.postMessage({ id, result }, transfer);
  } catch (error) {
    // Anything but the engine's own refusal (memory exhausted, say) may have
    // left the engine unusable: the next job gets a fresh one.
    if (!(error instanceof TarvexError)) ready = engineFrom(compiled);
    self.postMessage({
      id, error: { message: error?.message ?? String(error), reason: error?.reason ?? 'internal' },
    });
  }
};
