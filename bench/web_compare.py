"""The engine in the browser against the engine in a native program: the same
200-point section converted in memory into every format (read, then write
with the comment header), timed natively by tarvex_text_loop and in headless
Chromium by the web page's worker, one after the other in one run.

    /usr/bin/python3 bench/web_compare.py build/web/site build/release/bin/tarvex_text_loop

Both sides time the same work per conversion: the section text in (the
bytes of the file), read, written with the comment header, the output text
out. Natively that is readText on a std::string_view and writeText into a
std::string; in the browser, Tarvex.convert in the page's worker, from the
bytes (a Uint8Array, as the page has a file's) to a string (the bytes copied
into the engine's memory, the options laid out there, the conversion, the
output decoded from there into a string).

Prints microseconds per conversion and the ratio browser / native per format:
native and browser take turns, round by round, and each round gives a ratio
of the two; the median of these paired ratios counts, since other processes
on a busy machine slow both sides in turn.
The first conversion of the page (time from the start of loading to the first
result shown) is measured on fresh loads with the browser's cache off.
"""

import argparse
import gzip
import json
import pathlib
import statistics
import subprocess
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests" / "web"))
import browser as web  # noqa: E402

BROWSER_LOOP = """
  const [text, format, milliseconds] = args;
  window.benchWorker ??= new Worker('worker.mjs', { type: 'module' });
  const worker = window.benchWorker;
  const call = (job, jobArgs) => new Promise((resolve, reject) => {
    worker.onmessage = ({ data }) => data.error ? reject(new Error(data.error.message))
                                                : resolve(data.result);
    worker.postMessage({ id: 1, job, args: jobArgs });
  });
  // The bytes of the file, as the page has them from a File; text comes out.
  const bytes = new TextEncoder().encode(text);
  const options = { format, comments: true };
  // Once to warm up (the browser compiles hot code again, optimised), once to time.
  await call('timeConversions', { bytes, options, least: milliseconds });
  return 1000 * await call('timeConversions', { bytes, options, least: milliseconds });
"""


def native_time(program, milliseconds, format_number):
    output = subprocess.run([program, str(milliseconds), str(format_number)], check=True,
                            capture_output=True, text=True).stdout
    return json.loads(output)[str(format_number)]


def first_conversions(browser, site, loads):
    browser.driver.execute_cdp_cmd("Network.enable", {})
    browser.driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
    times = []
    for _ in range(loads):
        browser.open(site.url("index.html"))
        times.append(browser.wait_for("window.tarvexPage && window.tarvexPage.firstConversionMs"))
    return times


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("site", type=pathlib.Path)
    parser.add_argument("native", type=pathlib.Path, help="the tarvex_text_loop program")
    parser.add_argument("--milliseconds", type=float, default=300)
    parser.add_argument("--loads", type=int, default=7)
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()
    if reason := web.missing():
        print(f"web_compare: {reason}")
        return 0

    text = subprocess.run([str(args.native), "--input"], check=True, capture_output=True,
                          text=True).stdout
    # Native and browser runs take turns, and each round is a pair: on a busy
    # machine the other processes slow both sides, but rarely both alike.
    native, in_browser, ratios = {}, {}, {}
    with web.Site(args.site) as site, web.Browser() as browser:
        browser.open(site.url("index.html"))
        browser.wait_for("window.tarvexPage && window.tarvexPage.firstConversionMs")
        # The browser compiles the engine's code again, optimised, where it runs
        # often: once through every format first.
        for number in range(1, 23):
            browser.run(BROWSER_LOOP, text, number, args.milliseconds)
        for _ in range(args.rounds):
            for number in range(1, 23):
                pair = (native_time(args.native, args.milliseconds, number),
                        browser.run(BROWSER_LOOP, text, number, args.milliseconds))
                native.setdefault(number, []).append(pair[0])
                in_browser.setdefault(number, []).append(pair[1])
                ratios.setdefault(number, []).append(pair[1] / pair[0])
        firsts = first_conversions(browser, site, args.loads)

    print(f"{'format':>6}  {'native us':>10}  {'browser us':>10}  {'ratio':>6}  paired ratios")
    medians = []
    for number in sorted(in_browser):
        ratio = statistics.median(ratios[number])
        medians.append(ratio)
        print(f"{number:>6}  {statistics.median(native[number]):10.1f}  "
              f"{statistics.median(in_browser[number]):10.1f}  {ratio:6.2f}  "
              + " ".join(f"{r:.2f}" for r in ratios[number]))
    print(f"median paired ratio per format: median {statistics.median(medians):.2f}, "
          f"highest {max(medians):.2f} (microseconds: medians of the rounds)")
    print("first conversion after the start of loading (ms, cache off): "
          + ", ".join(f"{t:.0f}" for t in firsts) + f"; median {statistics.median(firsts):.0f}")
    wasm = args.site / "tarvex-engine.wasm"
    glue = args.site / "tarvex-engine.mjs"
    sizes = [len(gzip.compress(p.read_bytes(), 9)) for p in (wasm, glue)]
    print(f"engine download, gzip -9: {sizes[0]} + {sizes[1]} = {sum(sizes)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
