"""Videos made in the page held to the desktop's: frames of the bundled film exported
by the studio's export (through window.studioTest.video) with each setting below,
and by render_film (--share, and its default), each scored by the luma PSNR of its
decoded frames against render_film's PNGs of the same frames (smooth lines against
--smooth's), with its size, its frames a second and its colour flags as ffprobe
reads them (a measurement, not a test; sizes are of the pictures' stream alone):

    /usr/bin/python3 tests/web/bench_export_quality.py [--site build-web/site]
        [--renderer build-run/render_film] [--film build-run/camarabuena.txt]
        [--frames 100-179,2000-2079] [--size 1280x720] [--rows NAME,...]

Prints a Markdown table, one row a setting; --rows picks some (names as printed).
The PSNR is of the mean squared error over all frames of a range, and over both;
render_film's frames a second count its start (a private X server's too).
"""
import argparse
import base64
import json
import os
import subprocess
import sys
import tempfile
import time

import numpy

from browser import Browser, Site, site_folder

HERE = os.path.dirname(os.path.abspath(__file__))
LUMA = numpy.array([0.299, 0.587, 0.114], numpy.float32)  # as tests/web/test_export.py weighs it

# name: (codec, container, smooth lines, tuning of shared/export.js makeVideo, what it is).
DETAIL = {"contentHint": "detail"}
PAGE = {
    "before": ("avc", "mp4", False, {"canvasFrames": True, "keyFrameSeconds": 2,
                                    "config": {"bitrate": 4147200, "contentHint": ""}},
               "H.264, plain lines, canvas converted by the browser, 4.1 Mbit/s asked, key every 2 s "
               "(the export's defaults before)"),
    "avc-canvas": ("avc", "mp4", True, {"canvasFrames": True, "config": {"bitrate": 4147200}},
                   "H.264, canvas converted by the browser, 4.1 Mbit/s"),
    "avc": ("avc", "mp4", True, {"config": {"bitrate": 4147200}}, "H.264, 4.1 Mbit/s"),
    "avc-7M": ("avc", "mp4", True, {"config": {"bitrate": 7e6}}, "H.264, 7 Mbit/s"),
    "avc-detail": ("avc", "mp4", True, {"config": dict(DETAIL, bitrate=5e6)}, "H.264, 5 Mbit/s, detail"),
    "vp9-canvas": ("vp9", "webm", True, {"canvasFrames": True, "config": {"bitrate": 4147200, "contentHint": ""}},
                   "VP9, canvas converted by the browser, 4.1 Mbit/s"),
    "vp9-4M": ("vp9", "webm", True, {"config": {"bitrate": 4147200, "contentHint": ""}}, "VP9, 4.1 Mbit/s"),
    "vp9-4M-detail": ("vp9", "webm", True, {"config": {"bitrate": 4147200}}, "VP9, 4.1 Mbit/s, detail"),
    "vp9": ("vp9", "webm", True, {}, "VP9, 5.1 Mbit/s, detail (the defaults)"),
    "vp9-realtime": ("vp9", "webm", True, {"config": {"latencyMode": "realtime"}},
                     "VP9, 5.1 Mbit/s, detail, latencyMode realtime"),
    "vp9-key-1s": ("vp9", "webm", True, {"keyFrameSeconds": 1}, "VP9, 5.1 Mbit/s, detail, key every 1 s"),
    "vp9-6M": ("vp9", "webm", True, {"config": {"bitrate": 6e6}}, "VP9, 6 Mbit/s, detail"),
    "vp9-plain": ("vp9", "webm", False, {}, "VP9, 5.1 Mbit/s, detail, plain lines"),
    "av1-4M": ("av1", "webm", True, {"config": {"bitrate": 4e6}}, "AV1, 4 Mbit/s"),
    "av1": ("av1", "webm", True, {"config": {"bitrate": 5e6}}, "AV1, 5 Mbit/s"),
    "av1-detail": ("av1", "webm", True, {"config": dict(DETAIL, bitrate=3.5e6)}, "AV1, 3.5 Mbit/s, detail"),
}
DESKTOP = {
    "share": (["--share"], True, "render_film --share (x264 veryfast CRF 28, smooth lines)"),
    "desktop": ([], False, "render_film (x264 ultrafast CRF 26, plain lines)"),
}


def ranges(text):
    return [tuple(int(v) for v in part.split("-")) for part in text.split(",")]


def rgb_frames(path, width, height):
    """Every frame of a video or picture decoded by ffmpeg as RGB, as a player shows it."""
    raw = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-f", "rawvideo", "-pix_fmt", "rgb24", "-"],
                         check=True, stdout=subprocess.PIPE, timeout=600).stdout
    return numpy.frombuffer(raw, numpy.uint8).reshape(-1, height, width, 3)


def luma(rgb):
    return rgb.astype(numpy.float32) @ LUMA


def flags(path):
    s = json.loads(subprocess.run(["ffprobe", "-v", "error", "-show_entries", "stream=pix_fmt,color_range,"
                                   "color_space,color_transfer,color_primaries", "-of", "json", path],
                                  check=True, stdout=subprocess.PIPE, text=True).stdout)["streams"][0]
    return "%s, %s, %s/%s/%s" % tuple(s.get(k, "unknown") for k in ("pix_fmt", "color_range", "color_primaries",
                                                              "color_transfer", "color_space"))


def picture_bytes(path):
    """The bytes of a file's video stream (render_film --share's carries sound too)."""
    out = subprocess.run(["ffprobe", "-v", "error", "-select_streams", "v:0", "-show_entries", "packet=size", "-of",
                          "csv=p=0", path], check=True, stdout=subprocess.PIPE, text=True).stdout
    return sum(int(line) for line in out.split())


def db(mse):
    return 10 * numpy.log10(255 ** 2 / mse) if mse else 99.0


class Scores:
    """The renderer's pictures of the frames (plain and smooth), and videos scored against them."""

    def __init__(self, renderer, film, spans, size, folder):
        self.spans, self.size, self.luma = spans, size, {}
        width, height = size
        for smooth in (False, True):
            out = os.path.join(folder, "smooth" if smooth else "plain")
            subprocess.run([renderer, film, "--frames", ",".join("%d-%d" % s for s in spans), "--size",
                            "%dx%d" % size, "--out", out, "--quiet"] + (["--smooth"] if smooth else []),
                           check=True, timeout=1800)
            for a, b in spans:
                self.luma[smooth, a] = [luma(rgb_frames(os.path.join(out, "frame-%05d.png" % n), width, height)[0])
                                        for n in range(a, b + 1)]

    def mse(self, path, smooth, a):
        """The mean squared error of each frame's luma against the picture's."""
        decoded = rgb_frames(path, *self.size)
        drawn = self.luma[smooth, a]
        if len(decoded) != len(drawn):
            raise RuntimeError("%s has %d frames, not %d" % (path, len(decoded), len(drawn)))
        return [float(numpy.mean((luma(f) - y) ** 2)) for f, y in zip(decoded, drawn)]


def row(label, smooth, per_span, nbytes, frames, seconds, flag):
    everything = [m for ms in per_span for m in ms]
    return "| %s | %s | %s | %.2f | %.2f MB | %.1f | %s |" % (
        label, "smooth" if smooth else "plain", " | ".join("%.2f" % db(numpy.mean(ms)) for ms in per_span),
        db(numpy.mean(everything)), nbytes / 1e6, frames / seconds, flag)


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    p.add_argument("--site", default=site_folder())
    p.add_argument("--renderer", default=os.path.join(HERE, "../../build-run/render_film"))
    p.add_argument("--film", default=os.path.join(HERE, "../../build-run/camarabuena.txt"))
    p.add_argument("--frames", default="100-179,2000-2079")
    p.add_argument("--size", default="1280x720")
    p.add_argument("--rows", default=",".join(list(DESKTOP) + list(PAGE)))
    a = p.parse_args()
    spans, size = ranges(a.frames), tuple(int(v) for v in a.size.split("x"))
    names = a.rows.split(",")
    for name in names:
        if name not in DESKTOP and name not in PAGE:
            p.error("no row named %s (rows: %s)" % (name, ", ".join(list(DESKTOP) + list(PAGE))))
    with open(a.film) as f:
        film = f.read()
    rows = []
    with tempfile.TemporaryDirectory(prefix="practica02-quality-") as folder:
        scores = Scores(a.renderer, a.film, spans, size, folder)
        for name in (n for n in names if n in DESKTOP):
            options, smooth, label = DESKTOP[name]
            per_span, nbytes, seconds = [], 0, 0.0
            for first, last in spans:
                path = os.path.join(folder, "%s-%d.mp4" % (name, first))
                began = time.monotonic()
                subprocess.run([a.renderer, a.film, "--frames", "%d-%d" % (first, last), "--size", a.size,
                                "--video", path, "--quiet"] + options, check=True, timeout=1800)
                seconds += time.monotonic() - began
                nbytes += picture_bytes(path)
                per_span.append(scores.mse(path, smooth, first))
            rows.append(row(label, smooth, per_span, nbytes, sum(l - f + 1 for f, l in spans), seconds, flags(path)))
            print(rows[-1], file=sys.stderr)
        site, b = Site(a.site), Browser((1500, 900))
        try:
            b.open(site.url("studio.html"))
            b.wait("the studio", lambda: b.script("return document.body.dataset.ready === 'true'"), 60)
            b.driver.set_script_timeout(3600)
            video = ("const [options, done] = arguments;"
                     "studioTest.video(options).then(done, e => done({ error: String(e.message || e) }));")
            for smooth in (False, True):  # the program started for either drawing, outside the timings
                b.driver.execute_async_script(video, {"from": 0, "to": 0, "width": size[0], "height": size[1],
                                                      "codec": "vp9", "container": "webm", "smooth": smooth})
            for name in (n for n in names if n in PAGE):
                codec, container, smooth, tuning, label = PAGE[name]
                per_span, nbytes, seconds = [], 0, 0.0
                for first, last in spans:
                    made = b.driver.execute_async_script(video, {
                        "film": film, "from": first, "to": last, "width": size[0], "height": size[1], "codec": codec,
                        "container": container, "smooth": smooth, "tuning": tuning})
                    if "error" in made:
                        raise RuntimeError("%s: %s" % (name, made["error"]))
                    path = os.path.join(folder, "%s-%d.%s" % (name, first, container))
                    with open(path, "wb") as f:
                        f.write(base64.b64decode(made["data"]))
                    seconds += made["seconds"]
                    nbytes += picture_bytes(path)
                    per_span.append(scores.mse(path, smooth, first))
                rows.append(row("page: " + label, smooth, per_span, nbytes, sum(l - f + 1 for f, l in spans),
                                seconds, flags(path)))
                print(rows[-1], file=sys.stderr)
        finally:
            b.close()
            site.close()
    print("frames %s of the bundled film at %s; luma PSNR (dB) against render_film's PNGs" % (a.frames, a.size))
    print("| made by | lines | %s | both | size | frames/s | ffprobe: pix_fmt, range, primaries/transfer/matrix |"
          % " | ".join("%d–%d" % s for s in spans))
    print("|---|---|%s---|---|---|" % ("---|" * (len(spans) + 1)))
    for r in rows:
        print(r)


if __name__ == "__main__":
    main()
