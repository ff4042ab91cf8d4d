"""Videos made in the page: the bundled film exported from the studio at 1280x720
in headless chromium with each codec the browser encodes (a measurement, not a
test; scripts/web bench runs it):

    /usr/bin/python3 tests/web/bench_export.py --site build-web/site [--frames 0-7811] [--size 1280x720]
        [--codecs avc,vp9,av1] [--plain] [--sound on|off|both]

Lines smooth unless --plain, as the panel's defaults; each codec with the story's
sound, without, or both (the default: each codec without, then with). For each:
the wall time, frames a second, the file's size and bit rate, and the memory of
the page's process (resident, from /proc) at the start and the end.
"""
import argparse
import json
import os
import sys

from browser import Browser, Site


def resident_mb(browser):
    """The resident memory of the browser's renderer and GPU processes (the page's
    drawing and encoding), in MB, from /proc: the processes under its driver."""
    parents = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/stat" % pid) as f:
                parents[int(pid)] = int(f.read().rsplit(")", 1)[1].split()[1])
        except OSError:
            pass
    root = browser.driver.service.process.pid
    total = 0
    for pid in parents:
        ancestor = pid
        while ancestor in parents and ancestor != root:
            ancestor = parents[ancestor]
        if ancestor != root:
            continue
        try:
            with open("/proc/%d/cmdline" % pid) as f:
                kind = f.read()
            if "--type=renderer" in kind or "--type=gpu-process" in kind:
                with open("/proc/%d/status" % pid) as f:
                    total += next(int(l.split()[1]) for l in f if l.startswith("VmRSS:"))
        except (OSError, StopIteration):
            pass
    return total / 1024


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    p.add_argument("--site", required=True)
    p.add_argument("--frames", default="0-7811")
    p.add_argument("--size", default="1280x720")
    p.add_argument("--codecs", default="avc,vp9,av1")
    p.add_argument("--plain", action="store_true")
    p.add_argument("--sound", choices=("on", "off", "both"), default="both")
    a = p.parse_args()
    first, last = (int(v) for v in a.frames.split("-"))
    site, b = Site(a.site), Browser((1500, 900))
    rows = []
    try:
        b.open(site.url("studio.html"))
        b.wait("the studio", lambda: b.script("return document.body.dataset.ready === 'true'"), 60)
        b.script("document.getElementById('export-button').click()")
        b.wait("the codecs", lambda: b.script("return document.getElementById('export-codec').options.length") > 0)
        offered = b.script("return [...document.getElementById('export-codec').options].map(o => o.value)")
        sounds = {"on": [True], "off": [False], "both": [False, True]}[a.sound]
        for codec, sound in ((c, s) for c in a.codecs.split(",") for s in sounds):
            if codec not in offered:
                rows.append((codec, "not encoded by this browser"))
                continue
            label = "%s %s sound" % (codec, "with" if sound else "without")
            b.script("delete document.getElementById('export').dataset.made")
            before = resident_mb(b)
            b.script("""const [from, to, size, codec, smooth, sound] = arguments;
                const field = (id, value) => { const e = document.getElementById(id); e.value = value;
                                                e.dispatchEvent(new Event('change')); };
                field('export-from', from); field('export-to', to); field('export-size', size);
                field('export-codec', codec); document.getElementById('export-smooth').checked = smooth;
                document.getElementById('export-sound').checked = sound;
                document.getElementById('export-start').click();""", first, last, a.size, codec, not a.plain, sound)
            peak, tenth = before, None
            while not b.script("return document.getElementById('export').dataset.made || "
                               "document.getElementById('export-said').className === 'error'"):
                peak = max(peak, resident_mb(b))
                if tenth is None and b.script("return document.getElementById('export-progress').value") >= 0.1:
                    tenth = resident_mb(b)
                b.driver.execute_async_script("setTimeout(arguments[0], 5000)")  # a look every 5 s
            said = b.script("return document.getElementById('export-said').textContent")
            made = b.script("return document.getElementById('export').dataset.made")
            if not made:
                rows.append((label, said))
                continue
            m = json.loads(made)
            after = resident_mb(b)
            rows.append((label, "%s: %.0f s, %.1f frames/s, %.1f MB (%.1f Mbit/s); memory %.0f MB at the start, "
                                "%.0f MB a tenth in, %.0f MB at the end, %.0f MB at most" %
                         (m["name"], m["seconds"], m["frames"] / m["seconds"], m["bytes"] / 1e6,
                          m["bytes"] * 8 / (m["frames"] / 40) / 1e6, before, tenth or after, after, peak)))
            print(label, rows[-1][1], file=sys.stderr)
            for n in os.listdir(b.downloads):
                os.remove(os.path.join(b.downloads, n))
    finally:
        b.close()
        site.close()
    print("frames %s of the bundled film exported from the studio at %s%s in headless chromium" %
          (a.frames, a.size, " with plain lines" if a.plain else " with smooth lines"))
    for label, row in rows:
        print("%-22s %s" % (label, row))


if __name__ == "__main__":
    main()
