// The page's texts in German and English. Numbers name the texts the page
// shares with Alvane (resources/texts.txt, built into alvane_texts.mjs);
// words name the page's own.
import { alvaneTexts } from './alvane_texts.mjs';

const pageTexts = {
  de: {
    language: 'Sprache',
    input: 'Eingabe',
    drop: 'Koordinatendatei hierher ziehen oder',
    choose: 'Datei wählen…',
    paste: 'oder Koordinaten einfügen:',
    pasteButton: 'Text übernehmen',
    nacaButton: 'Erzeugen',
    spacing: 'Verteilung',
    cosine: 'Kosinus',
    uniform: 'gleichmäßig',
    recognised: 'Erkannt',
    section: 'Profil',
    layout: 'Eingabeformat',
    points: 'Punkte',
    xRange: 'x-Bereich',
    layouts: {
      'two columns': 'zwei Spalten', 'three columns': 'drei Spalten',
      'counted two columns': 'zwei Spalten mit Punktzahlen', 'four columns': 'vier Spalten',
      CEF: 'CEF', DXF: 'DXF', XML: 'XML', points: 'Punkte', unknown: 'unbekannt',
    },
    naca: 'NACA-Profil',
    redistribution: 'Punkte neu verteilen',
    none: 'nicht',
    standardStations: 'auf die Standard x-Stationen:',
    cosinePoints: 'auf Punkte mit Kosinus-Verteilung:',
    output: 'Ausgabe',
    scale: 'Verzerrung x, y',
    strokeWidth: 'Linienbreite [mm]',
    meshAuto: 'Netzweite aus dem Punktabstand',
    boundaryLayer: 'Grenzschicht: erste Dicke, Faktor, Gesamtdicke [Tiefen]',
    download: 'Herunterladen',
    copy: 'Kopieren',
    copied: 'In die Zwischenablage kopiert.',
    copyFailed: 'Kopieren nicht möglich: ',
    preview: 'Vorschau',
    showPoints: 'Punkte zeigen',
    zoomIn: 'Vergrößern',
    zoomOut: 'Verkleinern',
    zoomReset: 'Ganz zeigen',
    zoomHint: 'Mausrad oder Ziehen: zoomen und verschieben',
    properties: 'Eigenschaften (in Profiltiefen c)',
    area: 'Fläche', circumference: 'Umfang',
    figuresFailed: 'Profilwerte nicht bestimmbar: ',
    tooLarge: 'Die Datei ist größer als 256 MiB.',
    fileUnreadable: 'Die Datei lässt sich nicht lesen: ',
    blendFile: 'Profildatei zum Mischen',
    outputLines: 'Zeilen',
    engineFailed: 'Das Rechenwerk lässt sich nicht laden: ',
    offline: 'Diese Seite läuft ganz im Browser; keine Datei verlässt den Rechner.',
  },
  en: {
    language: 'Language',
    input: 'Input',
    drop: 'Drop a coordinate file here or',
    choose: 'Choose file…',
    paste: 'or paste coordinates:',
    pasteButton: 'Use text',
    nacaButton: 'Make',
    spacing: 'Spacing',
    cosine: 'cosine',
    uniform: 'uniform',
    recognised: 'Recognised',
    section: 'Section',
    layout: 'Layout',
    points: 'Points',
    xRange: 'x-range',
    layouts: {
      'two columns': 'two columns', 'three columns': 'three columns',
      'counted two columns': 'counted two columns', 'four columns': 'four columns',
      CEF: 'CEF', DXF: 'DXF', XML: 'XML', points: 'points', unknown: 'unknown',
    },
    naca: 'NACA section',
    redistribution: 'Redistribute the points',
    none: 'no',
    standardStations: 'onto the standard x-stations:',
    cosinePoints: 'onto cosine-spaced points:',
    output: 'Output',
    scale: 'Scale x, y',
    strokeWidth: 'Line width [mm]',
    meshAuto: 'Mesh size from the point spacing',
    boundaryLayer: 'Boundary layer: first thickness, ratio, total [chords]',
    download: 'Download',
    copy: 'Copy',
    copied: 'Copied to the clipboard.',
    copyFailed: 'Cannot copy: ',
    preview: 'Preview',
    showPoints: 'Show points',
    zoomIn: 'Zoom in',
    zoomOut: 'Zoom out',
    zoomReset: 'Show all',
    zoomHint: 'Mouse wheel or drag: zoom and pan',
    properties: 'Properties (in chords c)',
    area: 'Area', circumference: 'Circumference',
    figuresFailed: 'Section figures not found: ',
    tooLarge: 'The file is larger than 256 MiB.',
    fileUnreadable: 'The file cannot be read: ',
    blendFile: 'Section file to blend with',
    outputLines: 'lines',
    engineFailed: 'The engine cannot be loaded: ',
    offline: 'This page runs entirely in the browser; no file leaves the computer.',
  },
};

export const languages = ['de', 'en'];

// The language of the browser when it is one of the page's, else English.
export function browserLanguage(preferred = navigator.languages ?? [navigator.language]) {
  for (const tag of preferred) {
    const language = String(tag).slice(0, 2).toLowerCase();
    if (languages.includes(language)) return language;
  }
  return 'en';
}

// A text of the page or Alvane's text number, without the access-key mark.
export function text(language, key) {
  if (typeof key === 'number') {
    return (alvaneTexts[language][key] ?? '').replace(/&(.)/g, '$1');
  }
  return pageTexts[language][key] ?? key;
}

// Alvane's text with %1, %2 filled in.
export function filled(language, key, ...values) {
  return text(language, key).replace(/%(\d)/g, (all, k) => values[Number(k) - 1] ?? all);
}
