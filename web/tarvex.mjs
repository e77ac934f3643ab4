// Tarvex in JavaScript: the airfoil coordinate engine compiled to WebAssembly.
//
//   import { loadTarvex } from './tarvex.mjs';
//   const tarvex = await loadTarvex();
//   const section = tarvex.read(text);              // the layout is recognised by itself
//   const dxf = tarvex.write(section, { format: 'dxf' });
//   const figures = tarvex.figures(section);        // thickness, camber, radius...
//   const naca = tarvex.naca('2412', { points: 161 });
//   const cfd = tarvex.shape(naca, { trailingEdgeGap: { gap: 0.002 },
//                                    panelling: { points: 160 } });
//
// Sections are plain values (structured-clonable: they pass through
// postMessage); every call is synchronous, so a page runs the module in a
// worker. A failure throws a TarvexError with the engine's reason.
//
// Browsers make every new ArrayBuffer beyond a few dozen bytes dear (in
// Chromium tens of microseconds for a few kilobytes, more than a whole
// conversion), so a call lays out its values and text straight in the
// engine's memory, and text comes back decoded from there.
import createTarvexEngine from './tarvex-engine.mjs';

// The engine's status codes (tarvex.h), by number.
const statusNames = [
  'ok', 'inputNotFound', 'outputNotWritable', 'unknownFormat', 'readFailed', 'noArea',
  'writeFailed', 'noThreeColumns', 'fieldOverflow', 'redistributionFailed', 'badOptions',
];
const badOptions = 10;

export class TarvexError extends Error {
  constructor(message, status = badOptions) {
    super(message);
    this.name = 'TarvexError';
    this.status = status;  // the engine's status code
    this.reason = statusNames[status] ?? 'unknown';
  }
}

// Loads the engine. options go to the Emscripten module: wasmBinary (the
// .wasm's bytes) or locateFile(name) (where to fetch it from).
export async function loadTarvex(options = {}) {
  return new Tarvex(await createTarvexEngine(options));
}

const utf8 = new TextEncoder();
const utf8Loose = new TextDecoder('utf-8');  // invalid bytes become U+FFFD
const utf8Strict = new TextDecoder('utf-8', { fatal: true });
// Browsers decode ISO 8859-1 as windows-1252, which differs in 0x80-0x9F only.
const windows1252 = new TextDecoder('windows-1252');
const beyondLatin1 = /[^\u0000-\u00ff]/;

// Output text as a string: as UTF-8 where the bytes are, else one character
// per byte (ISO 8859-1, the engine's own output encoding, as the German
// property header writes it). The bytes may be a view of the engine's memory.
// Decoding, not exceptions: a strict decoder's failure costs more than the
// decoding.
// encoding: what the engine found the bytes to be (0 ASCII, 1 UTF-8,
// 2 neither), where it was asked.
export function textOf(bytes, encoding = undefined) {
  if (encoding === 0) return windows1252.decode(bytes);  // quicker than UTF-8, the same text
  if (encoding === 1) return utf8Loose.decode(bytes);
  if (encoding === 2) return latinText(bytes);
  const text = utf8Loose.decode(bytes);
  // Only a replacement character marks bytes that are no UTF-8; unless the
  // bytes spell one themselves (EF BF BD), they are none.
  if (!text.includes('\ufffd')) return text;
  const latin = windows1252.decode(bytes);
  if (latin.includes('\u00ef\u00bf\u00bd')) {
    try {
      return utf8Strict.decode(bytes);
    } catch {
      // not UTF-8 after all
    }
  }
  return latinText(bytes, latin);
}

function latinText(bytes, windowsText = windows1252.decode(bytes)) {
  if (!beyondLatin1.test(windowsText)) return windowsText;
  let chars = '';
  for (let i = 0; i < bytes.length; i += 8192) {
    chars += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
  }
  return chars;
}

const copied = (bytes) => bytes.slice();
const outputText = (bytes, engine) => textOf(bytes, engine._tarvex_web_output_encoding());

function bytesOf(input, what) {
  if (typeof input === 'string') return utf8.encode(input);
  if (input instanceof Uint8Array) return input;
  if (input instanceof ArrayBuffer) return new Uint8Array(input);
  if (ArrayBuffer.isView(input)) {
    return new Uint8Array(input.buffer, input.byteOffset, input.byteLength);
  }
  throw new TarvexError(`${what} must be text or bytes, not ${typeof input}`);
}

function number(value, what, fallback) {
  if (value === undefined || value === null) {
    if (fallback !== undefined) return fallback;
    throw new TarvexError(`${what} is missing`);
  }
  const n = typeof value === 'string' && value.trim() !== '' ? Number(value) : value;
  if (typeof n !== 'number' || !Number.isFinite(n)) {
    throw new TarvexError(`${what} must be a number, not ${JSON.stringify(value) ?? value}`);
  }
  return n;
}

function optionalNumber(value, what) {
  return value === undefined || value === null ? NaN : number(value, what);
}

const writeValues = 17;
const shapeValues = 15;

export class Tarvex {
  #engine;
  #layouts = [];

  constructor(engine) {
    this.#engine = engine;
    const e = engine;
    if (e._tarvex_web_write_values() !== writeValues || e._tarvex_web_shape_values() !== shapeValues) {
      throw new TarvexError('the engine and tarvex.mjs do not belong together');
    }
    // The layouts by number: 0 is unknown, and so is the first past the end.
    const layout = (k) =>
      this.#text(e._tarvex_web_layout_name(k), e._tarvex_web_layout_name_size(k));
    this.#layouts.push(layout(0));
    for (let k = 1; layout(k) !== layout(0); ++k) this.#layouts.push(layout(k));
    const formats = [];
    for (let n = 1; n <= e._tarvex_web_format_count(); ++n) {
      const field = (k) =>
        this.#text(e._tarvex_web_format_text(n, k), e._tarvex_web_format_text_size(n, k));
      const flags = e._tarvex_web_format_flags(n);
      formats.push(Object.freeze({
        number: n, shortName: field(0), extension: field(1), title: field(2),
        pairsSurfaces: (flags & 1) !== 0, perCent: (flags & 2) !== 0,
        commentsBreakIt: (flags & 4) !== 0,
      }));
    }
    // Every output format: number, short name (as on the command line),
    // extension, title and how it treats the section.
    this.formats = Object.freeze(formats);
    const stations = e._tarvex_web_default_stations() / 4;
    this.defaultStations = Float32Array.from(
        e.HEAPF32.subarray(stations, stations + e._tarvex_web_default_station_count()));
  }

  // The format row of a number, a short name or a row.
  format(format) {
    const row = typeof format === 'object' && format !== null
        ? this.formats[format.number - 1]
        : this.formats.find((f) => f.number === Number(format) || f.shortName === format);
    if (!row) throw new TarvexError(`there is no output format ${JSON.stringify(format)}`);
    return row;
  }

  // A section of coordinate text (a string, or the bytes of a file: UTF-8 or
  // ISO 8859-1). capacity: the most points read.
  read(input, { capacity = 1000 } = {}) {
    return this.#withInput(input, 'the coordinates', (at, size) => this.#section(
        this.#engine._tarvex_web_read(at, size, number(capacity, 'the capacity'))));
  }

  // A NACA section by its designation: 2412, 0012-64, 23012, 16-212, 63-206,
  // 63(2)-615, 64A210, "65(4)-421 a=0.5".
  naca(designation, { points = 161, spacing = 'cosine', closedTrailingEdge = false } = {}) {
    if (spacing !== 'cosine' && spacing !== 'uniform') {
      throw new TarvexError(`the spacing is cosine or uniform, not ${JSON.stringify(spacing)}`);
    }
    const bytes = bytesOf(String(designation), 'the designation');
    return this.#withBytes(bytes, (at) => this.#section(this.#engine._tarvex_web_naca(
        at, bytes.length, number(points, 'the number of points'), spacing === 'uniform' ? 1 : 0,
        closedTrailingEdge ? 1 : 0)));
  }

  // The section after the shaping steps, in the engine's order: blend,
  // thicknessCamber, leadingEdgeRadius, trailingEdgeGap, flap, panelling.
  shape(section, steps = {}) {
    return this.#withSection(section, () => this.#withShape(steps,
        (at) => this.#section(this.#engine._tarvex_web_shape(at))));
  }

  // The section on x-stations (the standard ones when none are given), or
  // on count cosine-spaced points.
  redistribute(section, stations = null) {
    return this.#withSection(section, () => this.#withStations(stations,
        (at, count) => this.#section(this.#engine._tarvex_web_redistribute(at, count))));
  }

  redistributeCosine(section, count) {
    return this.#withSection(section, () => this.#section(
        this.#engine._tarvex_web_redistribute_cosine(number(count, 'the number of points'))));
  }

  // Maximum thickness and camber with their x, trailing-edge thickness and
  // leading-edge radius (NaN without a round nose), in chords.
  figures(section) {
    return this.#withSection(section, () => {
      this.#check(this.#engine._tarvex_web_figures());
      const at = this.#engine._tarvex_web_figures_values() / 4;
      const [maxThickness, maxThicknessX, maxCamber, maxCamberX, trailingEdgeThickness,
        leadingEdgeRadius] = this.#engine.HEAPF32.subarray(at, at + 6);
      return { maxThickness, maxThicknessX, maxCamber, maxCamberX, trailingEdgeThickness,
        leadingEdgeRadius };
    });
  }

  // The output of a section in a format, as text or as the bytes a file holds.
  write(section, options = {}) {
    return this.#write(section, options, outputText);
  }

  writeBytes(section, options = {}) {
    return this.#write(section, options, copied);
  }

  #write(section, options, taken) {
    return this.#withSection(section, () => this.#withWriteOptions(options,
        (at, date, dateSize) => this.#output(this.#engine._tarvex_web_write(at, date, dateSize),
                                             taken)));
  }

  // A whole conversion of coordinate text as `tarvex convert` makes it:
  // read, shape (options.shape), redistribute (options.redistribute with
  // options.stations, or options.points cosine-spaced points), write.
  convert(input, options = {}) {
    return this.#convert(input, options, outputText);
  }

  convertBytes(input, options = {}) {
    return this.#convert(input, options, copied);
  }

  #convert(input, options, taken) {
    const e = this.#engine;
    const points = options.points === undefined ? 0 : number(options.points, 'the points');
    return this.#withInput(input, 'the coordinates', (text, size) => this.#withWriteOptions(
        options, (write, date, dateSize) => this.#withShape(options.shape ?? {},
            (shape) => this.#withStations(options.stations ?? null,
                (stations, count) => this.#output(e._tarvex_web_convert(
                    text, size, write, date, dateSize, shape,
                    options.redistribute || options.stations ? 1 : 0, stations, count,
                    points), taken)))));
  }

  // A length as people write it ("250mm", "10in", "0.3 m", "12") in
  // millimetres, or null.
  parseLength(text) {
    const bytes = utf8.encode(String(text));
    const length = this.#withBytes(bytes,
        (at) => this.#engine._tarvex_web_parse_length(at, bytes.length));
    return Number.isNaN(length) ? null : length;
  }

  #text(at, size) {
    return textOf(this.#engine.HEAPU8.subarray(at, at + size));
  }

  #check(status) {
    if (status !== 0) {
      const e = this.#engine;
      throw new TarvexError(
          this.#text(e._tarvex_web_error_message(), e._tarvex_web_error_message_size()), status);
    }
  }

  #withBytes(bytes, use) {
    const e = this.#engine;
    const at = e._malloc(Math.max(bytes.length, 1));
    try {
      e.HEAPU8.set(bytes, at);
      return use(at);
    } finally {
      e._free(at);
    }
  }

  // Text or bytes in the engine's memory: use(at, size). Text is encoded
  // there as UTF-8, at most three bytes for each UTF-16 unit.
  #withInput(input, what, use) {
    if (typeof input !== 'string') {
      const bytes = bytesOf(input, what);
      return this.#withBytes(bytes, (at) => use(at, bytes.length));
    }
    const e = this.#engine;
    const room = 3 * input.length;
    const at = e._malloc(Math.max(room, 1));
    try {
      const { written } = utf8.encodeInto(input, e.HEAPU8.subarray(at, at + room));
      return use(at, written);
    } finally {
      e._free(at);
    }
  }

  #section(status) {
    this.#check(status);
    const e = this.#engine;
    const count = e._tarvex_web_count();
    const x = e._tarvex_web_x() / 4;
    const y = e._tarvex_web_y() / 4;
    const p = e._tarvex_web_properties() / 4;
    const [area, xs, ys, ixs, iys, circumference, x0, y0, ix0, iy0] =
        e.HEAPF32.subarray(p, p + 10);
    const lines = (at, size) => {
      const text = this.#text(at, size);
      return text === '' ? [] : text.slice(0, -1).split('\n');
    };
    return {
      name: this.#text(e._tarvex_web_name(), e._tarvex_web_name_size()),
      x: Float32Array.from(e.HEAPF32.subarray(x, x + count)),
      y: Float32Array.from(e.HEAPF32.subarray(y, y + count)),
      layout: this.#layouts[e._tarvex_web_layout()] ?? 'unknown',
      pointsRead: e._tarvex_web_points_read(),
      xmin: e._tarvex_web_xmin(),
      xmax: e._tarvex_web_xmax(),
      properties: { area, xs, ys, ixs, iys, circumference, x0, y0, ix0, iy0 },
      comments: lines(e._tarvex_web_comments(), e._tarvex_web_comments_size()),
      notices: lines(e._tarvex_web_notices(), e._tarvex_web_notices_size()),
    };
  }

  // The reply's output, taken (as text or a copy) before the engine lets it go.
  #output(status, taken) {
    this.#check(status);
    const e = this.#engine;
    const at = e._tarvex_web_output();
    try {
      return taken(e.HEAPU8.subarray(at, at + e._tarvex_web_output_size()), e);
    } finally {
      e._tarvex_web_release_output();
    }
  }

  // Puts a section into one of the engine's two slots for the next call.
  #give(slot, section) {
    if (typeof section !== 'object' || section === null || section.x === undefined ||
        section.y === undefined) {
      throw new TarvexError('a section (from read, naca, shape...) is needed here');
    }
    const n = section.x.length;
    if (section.y.length !== n) {
      throw new TarvexError(`the section holds ${n} x but ${section.y.length} y values`);
    }
    const e = this.#engine;
    const name = utf8.encode(section.name ?? '');
    const join = (lines) => utf8.encode((lines ?? []).map((line) => `${line}\n`).join(''));
    const comments = join(section.comments);
    const notices = join(section.notices);
    const layout = Math.max(0, this.#layouts.indexOf(section.layout));
    const p = section.properties ?? {};
    const properties = [p.area, p.xs, p.ys, p.ixs, p.iys, p.circumference, p.x0, p.y0, p.ix0,
      p.iy0];
    const block = e._malloc(4 * (10 + 2 * n) + name.length + comments.length + notices.length);
    try {
      const f = block / 4;
      e.HEAPF32.set(properties.map((v) => v ?? 0), f);
      e.HEAPF32.set(section.x, f + 10);
      e.HEAPF32.set(section.y, f + 10 + n);
      let at = block + 4 * (10 + 2 * n);
      const put = (bytes) => {
        e.HEAPU8.set(bytes, at);
        at += bytes.length;
        return at - bytes.length;
      };
      const nameAt = put(name);
      const commentsAt = put(comments);
      const noticesAt = put(notices);
      e._tarvex_web_give(slot, nameAt, name.length, layout, section.pointsRead ?? n,
                         section.xmin ?? 0, section.xmax ?? 1, block, block + 40,
                         block + 40 + 4 * n, n, commentsAt, comments.length, noticesAt,
                         notices.length);
    } finally {
      e._free(block);
    }
  }

  #withSection(section, use) {
    this.#give(0, section);
    return use();
  }

  #withShape(steps, use) {
    const s = steps ?? {};
    if (Object.keys(s).length === 0) return use(0);  // no step: the engine takes none
    const v = new Array(shapeValues).fill(NaN);
    if (s.trailingEdgeGap != null) {
      const gap = typeof s.trailingEdgeGap === 'object' ? s.trailingEdgeGap : { gap: s.trailingEdgeGap };
      v[0] = number(gap.gap, 'the trailing-edge gap');
      v[1] = number(gap.blend, 'the gap\'s blending distance', 0.8);
    }
    const tc = s.thicknessCamber ?? {};
    v[2] = optionalNumber(tc.thickness, 'the thickness');
    v[3] = optionalNumber(tc.thicknessX, 'the thickness\'s x');
    v[4] = optionalNumber(tc.camber, 'the camber');
    v[5] = optionalNumber(tc.camberX, 'the camber\'s x');
    if (s.leadingEdgeRadius != null) {
      const le = typeof s.leadingEdgeRadius === 'object' ? s.leadingEdgeRadius
                                                         : { factor: s.leadingEdgeRadius };
      v[6] = number(le.factor, 'the leading-edge radius factor');
      v[7] = number(le.blend, 'the radius\'s blending distance', 0.2);
    }
    if (s.flap != null) {
      v[8] = number(s.flap.hingeX, 'the flap\'s hinge x', 0.75);
      v[9] = number(s.flap.degrees, 'the flap\'s degrees');
      v[10] = number(s.flap.hingeYFraction, 'the hinge height', 0.5);
    }
    if (s.blend != null) {
      v[11] = number(s.blend.fraction, 'the blend fraction', 0.5);
      this.#give(1, s.blend.with);
    }
    if (s.panelling != null) {
      const p = typeof s.panelling === 'object' ? s.panelling : { points: s.panelling };
      v[12] = number(p.points, 'the number of points to repanel onto');
      v[13] = number(p.bunching, 'the bunching', 1);
      v[14] = number(p.trailingEdgeRatio, 'the trailing-edge ratio', 0.15);
    }
    const e = this.#engine;
    const at = e._malloc(8 * shapeValues);
    try {
      e.HEAPF64.set(v, at / 8);
      return use(at);
    } finally {
      e._free(at);
    }
  }

  #withStations(stations, use) {
    if (stations === null || stations === undefined || stations === true) return use(0, 0);
    const list = Array.from(stations, (s, i) => number(s, `station ${i + 1}`));
    const e = this.#engine;
    const at = e._malloc(4 * Math.max(list.length, 1));
    try {
      e.HEAPF32.set(list, at / 4);
      return use(at, list.length);
    } finally {
      e._free(at);
    }
  }

  // A length option: millimetres as a number, or text with a unit.
  #length(value, what, fallback) {
    if (value === undefined || value === null || value === '') return fallback;
    if (typeof value === 'number') return number(value, what);
    const length = this.parseLength(value);
    if (length === null) {
      throw new TarvexError(`${what} "${value}" is not a length: a number of 0 or more with mm ` +
                            '(the default), cm, m or in, such as 250mm, 10in or 0.3m');
    }
    return length;
  }

  #withWriteOptions(o, use) {
    const v = new Array(writeValues);
    v[0] = this.format(o.format ?? 1).number;
    v[1] = o.comments ? 1 : 0;
    v[2] = o.keepSize ? 1 : 0;
    v[3] = number(o.xFactor, 'the x factor', 1);
    v[4] = number(o.yFactor, 'the y factor', 1);
    v[5] = this.#length(o.chord, 'the chord', 0);
    v[6] = this.#length(o.skin, 'the skin', 0);
    v[7] = this.#length(o.stroke, 'the line width', 0.1);
    v[8] = o.label ? 1 : 0;
    v[9] = o.chordLine ? 1 : 0;
    v[10] = number(o.farfield, 'the far field radius', 0);
    const auto = o.meshSize === 'auto';
    v[11] = auto ? 0.02 : number(o.meshSize, 'the mesh size', 0.02);
    v[12] = auto ? 1 : 0;
    const layer = o.boundaryLayer ?? {};
    v[13] = number(layer.first, 'the first boundary layer', 0);
    v[14] = number(layer.ratio, 'the boundary layers\' ratio', 1.2);
    v[15] = number(layer.thickness, 'the boundary layers\' thickness', 0);
    v[16] = o.spline ? 1 : 0;
    const date = String(o.date ?? '');
    const e = this.#engine;
    const at = e._malloc(8 * writeValues + 3 * date.length);
    try {
      e.HEAPF64.set(v, at / 8);
      const dateAt = at + 8 * writeValues;
      const { written } = date === '' ? { written: 0 }
        : utf8.encodeInto(date, e.HEAPU8.subarray(dateAt, dateAt + 3 * date.length));
      return use(at, dateAt, written);
    } finally {
      e._free(at);
    }
  }
}
