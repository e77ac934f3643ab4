"""The engine in the browser against the engine in a native program: the same
200-point section converted in memory into every format (read, then write
with the comment header), timed natively by tarvex_text_loop and in headless
Chromium by the web page's worker, one after the other in one run.

    /usr/bin/python3 bench/web_compare.py build/web/site build/release/bin/tarvex_text_loop

Prints microseconds per conversion and the ratio browser / native per format:
native and browser take turns format by format, and the quickest of a few
rounds counts each, since other processes on a busy machine slow both.
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
    parser.add_argument("--rounds", type=int, default=3)
    args = parser.parse_args()
    if reason := web.missing():
        print(f"web_compare: {reason}")
        return 0

    text = subprocess.run([str(args.native), "--input"], check=True, capture_output=True,
                          text=True).stdout
    # Native and browser runs take turns, format by format, and the quickest of
    # the rounds counts: on a busy machine the other processes slow both.
    native, in_browser = {}, {}
    with web.Site(args.site) as site, web.Browser() as browser:
        browser.open(site.url("index.html"))
        browser.wait_for("window.tarvexPage && window.tarvexPage.firstConversionMs")
        # The browser compiles the engine's code again, optimised, where it runs
        # often: once through every format first.
        for number in range(1, 23):
            browser.run(BROWSER_LOOP, text, number, args.milliseconds)
        for number in range(1, 23):
            for _ in range(args.rounds):
                native[number] = min(native.get(number, float("inf")),
                                     native_time(args.native, args.milliseconds, number))
                in_browser[number] = min(in_browser.get(number, float("inf")),
                                         browser.run(BROWSER_LOOP, text, number, args.milliseconds))
        firsts = first_conversions(browser, site, args.loads)

    print(f"{'format':>6}  {'native us':>10}  {'browser us':>10}  {'ratio':>6}")
    ratios = []
    for number in sorted(in_browser):
        ratio = in_browser[number] / native[number]
        ratios.append(ratio)
        print(f"{number:>6}  {native[number]:10.1f}  {in_browser[number]:10.1f}  {ratio:6.2f}")
    print(f"ratio: median {statistics.median(ratios):.2f}, highest {max(ratios):.2f}")
    print("first conversion after the start of loading (ms, cache off): "
          + ", ".join(f"{t:.0f}" for t in firsts) + f"; median {statistics.median(firsts):.0f}")
    wasm = args.site / "tarvex-engine.wasm"
    glue = args.site / "tarvex-engine.mjs"
    sizes = [len(gzip.compress(p.read_bytes(), 9)) for p in (wasm, glue)]
    print(f"engine download, gzip -9: {sizes[0]} + {sizes[1]} = {sum(sizes)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
