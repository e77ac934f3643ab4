"""The web page and tarvex.mjs in headless Chromium.

    browser_test.py SITE TARVEX [--screenshots FOLDER]

SITE is the folder ./dev web makes (build/web/site), TARVEX the console
program. Checks: the module's output byte for byte that of `tarvex convert`
for every format, with and without comments and with other options, on 100
corpus files (TARVEX_CORPUS) or the bundled samples; its refusals with the
command line's reasons; the page loads without console errors, converts a
dropped and a chosen file, shows a bad file's reason, follows the browser's
language; offline.html works opened from disk. Without the browser, or
without the site, it says why and counts as skipped.
"""

import argparse
import hashlib
import os
import pathlib
import subprocess
import sys
import tempfile
import time

import browser as web

ROOT = pathlib.Path(__file__).resolve().parents[2]
SAMPLES = [ROOT / "resources/samples/naca2412.dat"] + sorted(
    p for p in (ROOT / "fuzz/corpus").iterdir() if p.suffix in (".dat", ".cef", ".dxf", ".xml"))

# Options of `tarvex convert` and the same for tarvex.mjs's convert(), each
# with the formats it is tried on (None: every format).
STATIONS = [0, 0.1, 0.3, 0.6, 1]
OPTION_SETS = [
    ([], {}, None),
    (["--comments"], {"comments": True}, None),
    (["--keep-size", "--scale-x", "2", "--scale-y", "0.5"],
     {"keepSize": True, "xFactor": 2, "yFactor": 0.5}, None),
    (["--redistribute"], {"redistribute": True}, None),
    (["--stations", "/".join(map(str, STATIONS)), "--comments"],
     {"stations": STATIONS, "comments": True}, [1, 3, 7, 16]),
    (["--points", "61"], {"points": 61}, None),
    (["--te-gap", "0.005", "--thickness", "0.1", "--repanel", "120"],
     {"shape": {"trailingEdgeGap": {"gap": 0.005}, "thicknessCamber": {"thickness": 0.1},
                "panelling": {"points": 120}}}, [1, 16, 21]),
    (["--flap", "0.7:12", "--le-radius-scale", "1.3"],
     {"shape": {"flap": {"hingeX": 0.7, "degrees": 12}, "leadingEdgeRadius": {"factor": 1.3}}},
     [21]),
    (["--chord", "250mm", "--skin", "1mm", "--stroke", "0.2mm", "--label", "--chord-line"],
     {"chord": "250mm", "skin": "1mm", "stroke": "0.2mm", "label": True, "chordLine": True}, [18]),
    (["--farfield", "20", "--mesh-size", "auto"], {"farfield": 20, "meshSize": "auto"}, [19]),
    (["--farfield", "20", "--spline", "--boundary-layer", "0.0005:1.2:0.02"],
     {"farfield": 20, "spline": True,
      "boundaryLayer": {"first": 0.0005, "ratio": 1.2, "thickness": 0.02}}, [19]),
    (["--spline", "--chord", "10in"], {"spline": True, "chord": "10in"}, [20]),
]

BROWSER_CONVERSIONS = """
  const [names, jobs] = args;
  const { loadTarvex } = await import('./tarvex.mjs');
  const tarvex = await loadTarvex();
  const hex = (buffer) => Array.from(new Uint8Array(buffer),
                                     (b) => b.toString(16).padStart(2, '0')).join('');
  const results = {};
  // convert()'s text, decoded as the engine says the bytes are, against the
  // bytes decoded by finding out; also for names of every kind of UTF-8,
  // Latin-1 and invalid byte sequence.
  const { textOf } = await import('./tarvex.mjs');
  const textDiffers = [];
  const compareText = (label, bytes, options) => {
    if (tarvex.convert(bytes, options) !== textOf(tarvex.convertBytes(bytes, options))) {
      textDiffers.push(label);
    }
  };
  for (const name of names) {
    const bytes = new Uint8Array(await (await fetch('/inputs/' + encodeURIComponent(name))).arrayBuffer());
    for (const [key, options] of jobs) {
      try {
        results[name + '|' + key] = hex(await crypto.subtle.digest('SHA-256', tarvex.convertBytes(bytes, options)));
        compareText(name + '|' + key, bytes, options);
      } catch (error) {
        if (error.name !== 'TarvexError') throw error;
        results[name + '|' + key] = 'error: ' + error.message;
      }
    }
  }
  const selig = tarvex.writeBytes(tarvex.naca('0012', { points: 21 }), { format: 21 });
  const body = selig.subarray(selig.indexOf(10));
  for (const name of [[0x41], [0xc3, 0xa4], [0xe4, 0x41], [0xc0, 0x80], [0xed, 0xa0, 0x80],
                      [0xed, 0x9f, 0xbf], [0xf4, 0x90, 0x80, 0x80], [0xf0, 0x9f, 0x98, 0x80],
                      [0xe2, 0x82], [0xef, 0xbf, 0xbd], [0x80], [0x9f, 0xe4], [0xf8, 0x88]]) {
    const bytes = new Uint8Array([0x41, ...name, ...body]);
    for (const format of [1, 13, 21]) compareText(name + ' in ' + format, bytes, { format, comments: true });
  }
  return { results, textDiffers };
"""

DROP_FILE = """
  const [name, text] = args;
  const transfer = new DataTransfer();
  transfer.items.add(new File([text], name));
  const zone = document.getElementById('drop-zone');
  for (const type of ['dragenter', 'dragover', 'drop']) {
    zone.dispatchEvent(new DragEvent(type, { dataTransfer: transfer, bubbles: true, cancelable: true }));
  }
"""


class Failures:
    def __init__(self):
        self.lines = []

    def check(self, condition, message):
        if not condition:
            self.lines.append(message)
            print(f"FAIL: {message}", flush=True)
        return condition


def inputs():
    corpus = os.environ.get("TARVEX_CORPUS")
    if corpus and pathlib.Path(corpus).is_dir():
        files = sorted(p for p in pathlib.Path(corpus).iterdir() if p.is_file())
        step = max(1, len(files) // 100)
        return pathlib.Path(corpus), [p.name for p in files[::step][:100]]
    folder = pathlib.Path(tempfile.mkdtemp(prefix="tarvex-browser-samples-"))
    for sample in SAMPLES:
        (folder / sample.name).write_bytes(sample.read_bytes())
    return folder, [p.name for p in SAMPLES]


def command_line_results(tarvex, folder, names, jobs):
    """What `tarvex convert` makes of each input: the SHA-256 of the output or
    the reason of its refusal."""
    results = {}
    with tempfile.TemporaryDirectory(prefix="tarvex-browser-") as out:
        for key, (arguments, format_number) in jobs.items():
            target = pathlib.Path(out) / key
            target.mkdir()
            run = subprocess.run(
                [tarvex, "convert", *[str(folder / n) for n in names], "-f", str(format_number),
                 "-q", "-d", str(target), *arguments], capture_output=True, text=True)
            for line in run.stderr.splitlines():
                for name in names:
                    prefix = f"tarvex: {folder / name}: "
                    if line.startswith(prefix):
                        results[f"{name}|{key}"] = "error: " + line[len(prefix):]
            for name in names:
                written = list(target.glob(pathlib.Path(name).stem + ".*"))
                if f"{name}|{key}" not in results and len(written) == 1:
                    results[f"{name}|{key}"] = hashlib.sha256(written[0].read_bytes()).hexdigest()
    return results


def check_module(browser, site, failures, tarvex, folder, names):
    formats = browser.run("const { loadTarvex } = await import('./tarvex.mjs');"
                          "return (await loadTarvex()).formats.map((f) => f.number);")
    cli_jobs, browser_jobs = {}, []
    for index, (arguments, options, only) in enumerate(OPTION_SETS):
        for number in only or formats:
            key = f"{number}.{index}"
            cli_jobs[key] = (arguments, number)
            browser_jobs.append([key, {**options, "format": number}])
    started = time.monotonic()
    expected = command_line_results(tarvex, folder, names, cli_jobs)
    native_seconds = time.monotonic() - started
    started = time.monotonic()
    replies = browser.run(BROWSER_CONVERSIONS, names, browser_jobs)
    actual = replies["results"]
    browser_seconds = time.monotonic() - started
    failures.check(not replies["textDiffers"],
                   f"convert()'s text differs from the decoded bytes: {replies['textDiffers'][:5]}")
    refused = sum(1 for v in expected.values() if v.startswith("error"))
    print(f"module: {len(actual)} conversions of {len(names)} files in {len(formats)} formats "
          f"({len(browser_jobs)} format and option sets; {refused} refused as the command line "
          f"refuses them), {browser_seconds:.1f} s in the browser, {native_seconds:.1f} s "
          f"for the command line", flush=True)
    differing = [key for key in sorted(actual) if actual[key] != expected.get(key)]
    failures.check(not differing,
                   f"{len(differing)} outputs differ from the command line's, the first: "
                   + "; ".join(f"{k}: browser {actual[k][:80]!r}, command line "
                               f"{expected.get(k, 'nothing')[:80]!r}" for k in differing[:5]))


def wait_converted(browser):
    return browser.wait_for("window.tarvexPage && window.tarvexPage.firstConversionMs !== null && "
                            "!document.getElementById('status').textContent.startsWith('Trying')")


def check_page(browser, site, failures, tarvex, folder, names, screenshots):
    browser.open(site.url("index.html"))
    wait_converted(browser)
    status = browser.driver.execute_script("return document.getElementById('status').textContent")
    failures.check(status.startswith("Ready ("), f"the sample converts at start: {status!r}")
    first = browser.driver.execute_script("return window.tarvexPage.firstConversionMs")
    print(f"page: first conversion {first:.0f} ms after the start of loading", flush=True)

    # A file dropped on the page, and one chosen.
    name = names[0]
    text = (folder / name).read_text(encoding="latin-1")
    browser.run(DROP_FILE, name, text)
    browser.wait_for("document.getElementById('status').textContent.startsWith('Ready') && "
                     f"window.tarvexPage.source.stem === {pathlib.Path(name).stem!r}")
    shown = browser.driver.execute_script(
        "return [document.getElementById('fact-layout').textContent, "
        "document.getElementById('output').value.length]")
    failures.check(shown[0] != "" and shown[1] > 0, f"a dropped file converts: {shown}")
    chooser = browser.driver.find_element("id", "file")
    chooser.send_keys(str(ROOT / "resources/samples/naca2412.dat"))
    browser.wait_for("document.getElementById('fact-name').textContent === 'NACA 2412'")

    # A bad file shows the engine's reason, as the command line gives it.
    with tempfile.TemporaryDirectory() as bad_folder:
        bad = pathlib.Path(bad_folder) / "notes.txt"
        bad.write_text("shopping list\neggs\nmilk\n")
        browser.run(DROP_FILE, bad.name, bad.read_text())
        status = browser.wait_for(
            "document.getElementById('status').textContent.startsWith('Error') && "
            "document.getElementById('status').textContent")
        run = subprocess.run([tarvex, "convert", str(bad), "-f", "1"], capture_output=True,
                             text=True)
        reason = run.stderr.strip().split(": ", 2)[-1]
        failures.check(reason and reason in status,
                       f"a bad file shows the reason {reason!r}: the page shows {status!r}")

    errors = browser.console_errors()
    failures.check(not errors, f"no console errors on the page: {errors}")
    if screenshots:
        browser.open(site.url("index.html"))
        wait_converted(browser)
        browser.screenshot(screenshots / f"web-{browser.language}.png")


def check_language(site, failures, screenshots):
    with web.Browser(language="de") as browser:
        browser.open(site.url("index.html"))
        wait_converted(browser)
        title = browser.driver.execute_script("return document.querySelector('h1').textContent")
        failures.check(title == "Alvane - Koordinaten-Konverter",
                       f"a German browser gets the German page: {title!r}")
        if screenshots:
            browser.screenshot(screenshots / "web-de.png")
        browser.driver.execute_script(
            "const s = document.getElementById('language'); s.value = 'en';"
            "s.dispatchEvent(new Event('change'));")
        title = browser.driver.execute_script("return document.querySelector('h1').textContent")
        failures.check(title == "Alvane - Coordinate Converter", f"switched to English: {title!r}")


def check_from_disk(site, failures):
    with web.Browser() as browser:
        browser.open((site / "index.html").resolve().as_uri())
        wait_converted(browser)
        where = browser.driver.execute_script("return location.pathname")
        status = browser.driver.execute_script("return document.getElementById('status').textContent")
        failures.check(where.endswith("/offline.html") and status.startswith("Ready"),
                       f"opened from disk, the page converts (at {where}: {status!r})")
        errors = browser.console_errors()
        failures.check(not errors, f"no console errors opened from disk: {errors}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("site", type=pathlib.Path)
    parser.add_argument("tarvex")
    parser.add_argument("--screenshots", type=pathlib.Path)
    args = parser.parse_args()
    reason = web.missing()
    if reason is None and not (args.site / "index.html").exists():
        reason = f"no web page in {args.site}: ./dev web builds it (needs emscripten)"
    if reason:
        # The reason on the line after, where ./dev test looks for it.
        print(f"tarvex-browser: Skipped\n{reason}")
        return 0
    if args.screenshots:
        args.screenshots.mkdir(parents=True, exist_ok=True)

    failures = Failures()
    folder, names = inputs()
    with web.Site(args.site, extra={"/inputs/": folder}) as site:
        with web.Browser() as browser:
            browser.open(site.url("index.html"))
            check_module(browser, site, failures, args.tarvex, folder, names)
            check_page(browser, site, failures, args.tarvex, folder, names, args.screenshots)
        check_language(site, failures, args.screenshots)
    check_from_disk(args.site, failures)
    print(f"{len(failures.lines)} failed" if failures.lines else "browser checks passed")
    return 1 if failures.lines else 0


if __name__ == "__main__":
    sys.exit(main())
