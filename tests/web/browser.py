"""Headless Chromium on the web page: the site served on localhost, the
browser driven through Selenium and chromedriver (Debian's chromium,
chromium-driver and python3-selenium).

    with Site(site_folder, extra={"/corpus/": corpus}) as site, Browser() as browser:
        browser.open(site.url("index.html"))
"""

import functools
import http.server
import pathlib
import shutil
import tempfile
import threading
import urllib.parse

CHROMIUM = shutil.which("chromium") or "/usr/bin/chromium"
CHROMEDRIVER = shutil.which("chromedriver") or "/usr/bin/chromedriver"

# Chromium as root in a container: no sandbox, no GPU, nothing fetched from
# outside, a profile of its own.
CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--disable-dev-shm-usage", "--window-size=1400,1000",
]


def missing():
    """Why the browser cannot run here, or None."""
    try:
        import selenium  # noqa: F401
    except ImportError:
        return "python3-selenium is not installed"
    for program, package in ((CHROMIUM, "chromium"), (CHROMEDRIVER, "chromium-driver")):
        if not pathlib.Path(program).exists():
            return f"{package} is not installed"
    return None


class _Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".mjs": "text/javascript", ".wasm": "application/wasm"}

    def __init__(self, *args, extra, **kwargs):
        self.extra = extra
        super().__init__(*args, **kwargs)

    def translate_path(self, path):
        clean = urllib.parse.unquote(urllib.parse.urlsplit(path).path)
        for prefix, folder in self.extra.items():
            if clean.startswith(prefix):
                relative = pathlib.PurePosixPath(clean[len(prefix):])
                if ".." in relative.parts:
                    return str(pathlib.Path(folder) / "..missing")
                return str(pathlib.Path(folder) / relative)
        return super().translate_path(path)

    def log_message(self, *args):
        pass


class Site:
    """The site folder (and extra folders under URL prefixes) on localhost."""

    def __init__(self, folder, extra=None):
        handler = functools.partial(_Handler, directory=str(folder), extra=extra or {})
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)

    def url(self, path):
        return f"http://127.0.0.1:{self.server.server_address[1]}/{path}"

    def __enter__(self):
        self.thread.start()
        return self

    def __exit__(self, *exc):
        self.server.shutdown()
        self.server.server_close()


class Browser:
    def __init__(self, language="en"):
        self.language = language
        self.profile = tempfile.TemporaryDirectory(prefix="tarvex-chromium-")
        self.driver = None

    def __enter__(self):
        from selenium import webdriver
        from selenium.webdriver.chrome.options import Options
        from selenium.webdriver.chrome.service import Service

        options = Options()
        for flag in CHROMIUM_FLAGS:
            options.add_argument(flag)
        options.add_argument(f"--user-data-dir={self.profile.name}")
        options.add_argument(f"--lang={self.language}")
        options.add_experimental_option("prefs", {"intl.accept_languages": self.language})
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        options.binary_location = CHROMIUM
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        self.driver.set_script_timeout(600)
        return self

    def __exit__(self, *exc):
        if self.driver is not None:
            self.driver.quit()
        self.profile.cleanup()

    def open(self, url):
        self.driver.get(url)

    def run(self, script, *args):
        """An async function body: its awaited return value comes back."""
        wrapped = ("const done = arguments[arguments.length - 1];"
                   f"(async (...args) => {{ {script} }})(...Array.from(arguments).slice(0, -1))"
                   ".then(done, (e) => done({error: String(e && e.stack || e)}));")
        result = self.driver.execute_async_script(wrapped, *args)
        if isinstance(result, dict) and set(result) == {"error"}:
            raise AssertionError(f"in the browser: {result['error']}")
        return result

    def wait_for(self, script, timeout=20):
        """Waits until the expression is true; its value."""
        from selenium.webdriver.support.ui import WebDriverWait
        return WebDriverWait(self.driver, timeout).until(
            lambda driver: driver.execute_script(f"return {script};"))

    def console_errors(self):
        return [entry for entry in self.driver.get_log("browser") if entry["level"] == "SEVERE"]

    def screenshot(self, path):
        self.driver.save_screenshot(str(path))
