"""The web site (PRACTICA02_SITE, default build-web/site) served on 127.0.0.1, and
a headless chromium driven by Selenium. Lines are the page's console.log lines;
the page's size is exact, one device pixel to a CSS pixel."""
import base64
import functools
import http.server
import json
import os
import re
import shutil
import subprocess
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains

FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-sync",
         "--disable-background-networking", "--disable-component-update", "--force-color-profile=srgb",
         "--enable-unsafe-swiftshader"]


def site_folder():
    return os.environ.get("PRACTICA02_SITE") or os.path.join(os.path.dirname(__file__), "../../build-web/site")


class Site:
    """The site served at a free port from a folder of links to its files, so that
    files put() there are served beside the page and the site stays untouched."""

    def __init__(self, folder):
        if not os.path.exists(os.path.join(folder, "index.html")):
            raise RuntimeError("no web site in %s: build it with scripts/web build" % folder)
        self.root = tempfile.mkdtemp(prefix="practica02-site-")
        for name in os.listdir(folder):
            os.symlink(os.path.abspath(os.path.join(folder, name)), os.path.join(self.root, name))
        handler = type("Quiet", (http.server.SimpleHTTPRequestHandler,), {"log_message": lambda *a: None})
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(handler, directory=self.root))
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def close(self):
        self.server.shutdown()
        self.server.server_close()
        shutil.rmtree(self.root, ignore_errors=True)

    def url(self, path):
        return "http://127.0.0.1:%d/%s" % (self.server.server_address[1], path)

    def put(self, name, text):
        with open(os.path.join(self.root, name), "w") as f:
            f.write(text)


class Browser:
    """One headless chromium whose pages have the given size; downloads land in self.downloads.
    With profile (a folder), the browser keeps its storage there, and close() leaves it."""

    def __init__(self, size, profile=None):
        self.size = size
        self.own_profile = profile is None
        self.profile = profile or tempfile.mkdtemp(prefix="practica02-chromium-")
        self.downloads = tempfile.mkdtemp(prefix="practica02-downloads-")
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in FLAGS + ["--user-data-dir=" + self.profile]:
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow",
                                                                    "downloadPath": self.downloads})
        self.lines = []

    def close(self):
        try:
            self.driver.quit()
        except Exception:  # killed already
            pass
        if self.own_profile:
            shutil.rmtree(self.profile, ignore_errors=True)
        shutil.rmtree(self.downloads, ignore_errors=True)

    def kill(self):
        """Every process of this browser killed at once (SIGKILL), as a crash would end it."""
        subprocess.run(["pkill", "-KILL", "-f", "--", "--user-data-dir=" + self.profile], check=False)
        self.driver.service.stop()

    def open(self, url):
        self.resize(*self.size)
        self.read()  # the last page's lines are left behind
        self.lines = []
        self.driver.get(url)

    def resize(self, width, height):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                    {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})

    def script(self, code, *args):
        return self.driver.execute_script(code, *args)

    def read(self):
        for entry in self.driver.get_log("browser"):
            m = re.match(r'^\S+ \d+:\d+ (".*")$', entry["message"], re.S)
            if entry["source"] == "console-api" and entry["level"] == "INFO" and m:
                self.lines.append(json.loads(m.group(1)))
        return self.lines

    def wait(self, what, condition, timeout=60):
        end = time.monotonic() + timeout
        while not condition():
            if time.monotonic() > end:
                raise AssertionError("waited %d s for %s; last lines: %s" % (timeout, what, self.read()[-8:]))
            time.sleep(0.05)
        return condition()

    def wait_for_line(self, pattern, since=0, timeout=60):
        """The first line from index since on that matches the regular expression."""
        rx = re.compile(pattern)
        return self.wait(pattern, lambda: next((l for l in self.read()[since:] if rx.fullmatch(l)), None), timeout)

    def wait_for_element(self, id):
        self.wait("#" + id, lambda: self.script("return document.getElementById(arguments[0]).hidden === false", id))

    def frames(self, n):
        """Lets n of the page's animation frames pass: what was asked for before is drawn."""
        self.driver.execute_async_script("let n = arguments[0], done = arguments[1];"
                                         "const next = () => n-- > 0 ? requestAnimationFrame(next) : done();"
                                         "next();", n)

    def click(self, x, y):
        """A left click at (x, y), CSS pixels of the page."""
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            self.driver.execute_cdp_cmd("Input.dispatchMouseEvent",
                                        {"type": kind, "x": x, "y": y, "button": "left", "clickCount": 1})

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def chord(self, *keys):
        """The last key pressed while the ones before it are held (Keys.CONTROL, "z")."""
        chain = ActionChains(self.driver)
        for key in keys[:-1]:
            chain.key_down(key)
        chain.send_keys(keys[-1])
        for key in reversed(keys[:-1]):
            chain.key_up(key)
        chain.perform()

    def screenshot(self, element_id=None):
        """The page as a PNG, or only the element's box (CSS pixels, one to a device pixel)."""
        options = {"format": "png"}
        if element_id:
            x, y, w, h = self.script("const r = document.getElementById(arguments[0]).getBoundingClientRect();"
                                     "return [r.left, r.top, r.width, r.height];", element_id)
            options["clip"] = {"x": x, "y": y, "width": w, "height": h, "scale": 1}
        return base64.b64decode(self.driver.execute_cdp_cmd("Page.captureScreenshot", options)["data"])

    def downloaded(self, pattern):
        """The path of the downloaded file whose name matches, once it is whole."""
        found = lambda: [os.path.join(self.downloads, n) for n in os.listdir(self.downloads)  # noqa: E731
                         if re.fullmatch(pattern, n)]
        return self.wait("a download named " + pattern, found)[0]
