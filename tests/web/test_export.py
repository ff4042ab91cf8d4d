"""Videos made in the page, in headless chromium (run with /usr/bin/python3): the
studio's and the main page's Export video, read back by ffprobe and ffmpeg and
held to the desktop renderer's pictures (RENDER_FILM_BIN, PRACTICA02_FILM as for
tests/e2e), their sound held to `film sound`'s (FILM_BIN); cancel and bad input
leave nothing behind."""
import json
import os
import subprocess
import tempfile
import unittest
import wave

import numpy

import pictures
from browser import Browser, Site, site_folder
from test_page import renderer

import harness

SIZE = (320, 180)
# dB, of a decoded frame's luma against render_film --smooth's picture (the export
# draws smooth lines unless told not to), about 1 dB under what this machine's
# chromium gave for frame 110: VP9 (the default) 33.2 dB, H.264 25.0 dB
# (render_film --share: 26.2 dB).
LEAST_PSNR = {"vp9": 32.2, "h264": 24.0}
# What ffprobe reads of every export: 4:2:0, limited range, BT.709 throughout.
LIMITED_BT709 = {"pix_fmt": "yuv420p", "color_range": "tv", "color_primaries": "bt709",
                 "color_transfer": "bt709", "color_space": "bt709"}


def film_tool():
    return os.environ.get("FILM_BIN") or os.path.join(os.path.dirname(renderer()), "film")


def probe(path):
    """The video stream, the sounds' codecs, where each kind's last packet ends (seconds), and the file's duration."""
    out = subprocess.run(["ffprobe", "-v", "error", "-count_frames", "-show_entries",
                          "stream=codec_type,codec_name,width,height,nb_read_frames,%s:format=duration:"
                          "packet=codec_type,pts_time,duration_time" % ",".join(LIMITED_BT709),
                          "-of", "json", path],
                         check=True, stdout=subprocess.PIPE, text=True, timeout=60).stdout
    info = json.loads(out)
    video = next(s for s in info["streams"] if s["codec_type"] == "video")
    audio = [s["codec_name"] for s in info["streams"] if s["codec_type"] == "audio"]
    ends = {}
    for p in info["packets"]:
        ends[p["codec_type"]] = max(ends.get(p["codec_type"], 0), float(p["pts_time"]) + float(p["duration_time"]))
    return video, audio, ends, float(info["format"]["duration"])


def sound(path):
    """A file's sound decoded by ffmpeg: 48 kHz stereo pairs, as floats."""
    raw = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-map", "0:a", "-f", "s16le", "-ac", "2", "-ar",
                          "48000", "-"], check=True, stdout=subprocess.PIPE, timeout=60).stdout
    return numpy.frombuffer(raw, numpy.int16).reshape(-1, 2) / 32768.0


def psnr(a, b):
    """The luma's peak signal-to-noise ratio of two RGB pictures, in dB."""
    luma = numpy.array([0.299, 0.587, 0.114])
    mse = numpy.mean(((a.astype(numpy.float64) - b.astype(numpy.float64)) @ luma) ** 2)
    return 99.0 if mse == 0 else 10 * numpy.log10(255 ** 2 / mse)


class Export(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.site, cls.browser = Site(site_folder()), Browser((1500, 850))
        cls.addClassCleanup(cls.site.close)
        cls.addClassCleanup(cls.browser.close)

    def open(self, page):
        b = self.browser
        b.open(self.site.url(page))
        if page.startswith("studio"):
            b.wait("the studio", lambda: b.script("return document.body.dataset.ready === 'true'"))
        else:
            b.wait_for_line(r"La resolucion de pantalla es de .*")
        b.script("document.getElementById('export-button').click()")
        b.wait("the codecs", lambda: b.script("return document.getElementById('export-codec').options.length") > 0)

    def export(self, frames, size, codec=None, start=True):
        """The panel's fields set as a user types them (the codec left as offered
        when None), and Export pressed."""
        self.browser.script("""const [from, to, size, codec, start] = arguments;
            const field = (id, value) => { const e = document.getElementById(id); e.value = value;
                                            e.dispatchEvent(new Event('change')); };
            field('export-from', from); field('export-to', to); field('export-size', size);
            if (codec) field('export-codec', codec);
            if (start) document.getElementById('export-start').click();""", *frames, size, codec, start)

    def said(self):
        return self.browser.script("return document.getElementById('export-said').textContent")

    def made(self):
        b = self.browser
        b.wait("the video", lambda: b.script("return document.getElementById('export').dataset.made || "
                                             "document.getElementById('export-said').className === 'error'"), 300)
        self.assertNotIn("error", b.script("return document.getElementById('export-said').className"), self.said())
        return json.loads(b.script("return document.getElementById('export').dataset.made"))

    def test_frames_100_to_179_as_the_renderer_draws_and_film_sound_hears_them(self):
        """The studio's export with the panel's defaults (VP9 and Opus in WebM), the
        main page's as H.264 (with AAC in MP4)."""
        b = self.browser
        with tempfile.TemporaryDirectory() as out:
            subprocess.run([renderer(), harness.default_film(), "--frames", "110", "--size", "%dx%d" % SIZE,
                            "--smooth", "--out", out, "--quiet"], check=True, timeout=120)
            drawn = pictures.decode(os.path.join(out, "frame-00110.png"))
            heard = os.path.join(out, "heard.wav")
            subprocess.run([film_tool(), "sound", harness.default_film(), "--frames", "100-179", "-o", heard],
                           check=True, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)
            with wave.open(heard) as w:
                heard = numpy.frombuffer(w.readframes(w.getnframes()), numpy.int16).reshape(-1, 2) / 32768.0
            for page, codec, name, codec_name, sound_codec in (
                    ("studio.html", None, "camarabuena.webm", "vp9", "opus"),
                    ("index.html", "avc", "camarabuena.mp4", "h264", "aac")):
                self.open(page)
                self.export((100, 179), "%dx%d" % SIZE, codec)
                b.script("document.getElementById('export-start').click()")  # a second click while it runs
                self.assertEqual(self.made()["frames"], 80)
                path = b.downloaded(name.replace(".", r"\."))
                b.wait("the private copy removed once the download has it", lambda: self.private_files() == [], 30)
                self.assertEqual(os.listdir(b.downloads), [name], "one video, from one export")
                b.wait("the whole file", lambda: os.path.getsize(path) == self.made()["bytes"])
                stream, audio, ends, duration = probe(path)
                self.assertEqual((stream["codec_name"], stream["width"], stream["height"], stream["nb_read_frames"]),
                                 (codec_name, SIZE[0], SIZE[1], "80"), page)
                self.assertEqual({k: stream.get(k) for k in LIMITED_BT709}, LIMITED_BT709, page)
                self.assertAlmostEqual(ends["video"], 2.0, places=2)
                self.assertEqual(audio, [sound_codec], page)
                self.assertAlmostEqual(ends["audio"], 2.0, delta=0.025, msg=page)
                self.assertAlmostEqual(duration, 2.0, delta=0.025)
                # The same instants as film sound's: the decoded sound lasts as long and
                # follows its samples (a shift of a millisecond would undo the correlation).
                decoded = sound(path)
                self.assertAlmostEqual(len(decoded) / 48000, 2.0, delta=0.025, msg=page)
                n = min(len(decoded), len(heard))
                self.assertGreater(numpy.corrcoef(decoded[:n].ravel(), heard[:n].ravel())[0, 1], 0.95, page)
                frame = os.path.join(out, "decoded-%s.png" % codec)
                subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-vf", "select=eq(n\\,10)", "-frames:v", "1",
                                frame], check=True, timeout=60)
                self.assertGreaterEqual(psnr(pictures.decode(frame), drawn), LEAST_PSNR[codec_name], page)
                os.remove(path)

    def test_cancel_and_bad_input_leave_nothing_behind(self):
        b = self.browser
        self.open("studio.html")
        for frames, size, codec, said in (
                ((0, 99), "321x180", "avc", "The size 321x180 is odd"),
                ((0, 99), "0x180", "avc", "The size 0x180 has no pixels."),
                ((0, 99), "4000x2250", "avc", "The size 4000x2250 is too large: the largest is 3840x2160."),
                ((0, 99), "99999x99999", "avc", "The size 99999x99999 is too large"),
                (("", 99), "320x180", "avc", "Give the first and the last frame to export (the film's frames are 0 "
                                             "to 7811)."),
                ((0, 99), "big", "avc", 'The size "big" is not a size'),
                ((100, 7812), "320x180", "avc", "Frames 100 to 7812 are not in the film, whose frames are 0 to 7811."),
                ((0, 99), "320x180", "hevc",
                 "This browser does not encode H.265 at 320x180; it encodes: VP9, H.264, AV1.")):
            self.export(frames, size, codec)
            b.wait(said, lambda: said in self.said())
        self.export((0, 7811), "320x180", "vp9")
        b.wait("frames made", lambda: b.script("return document.getElementById('export-progress').value") > 0.001)
        b.script("document.getElementById('export-cancel').click()")
        b.wait("the cancel", lambda: self.said() == "Cancelled: nothing was made.")
        self.assertEqual(os.listdir(b.downloads), [])
        self.assertEqual(self.private_files(), [])
        # A sound encoder that fails a second into the video (its frames written).
        b.script("""window.AudioEncoder = class {
            static async isConfigSupported(config) { return { supported: true, config }; }
            constructor(init) { this.init = init; this.state = 'unconfigured'; this.encodeQueueSize = 0; }
            configure() { this.state = 'configured'; }
            encode() { this.state = 'closed'; setTimeout(() => this.init.error(new DOMException('It broke.'))); }
            async flush() { throw new DOMException('It broke.'); }
            close() { this.state = 'closed'; }
            addEventListener() {}
            removeEventListener() {}
        };""")
        self.export((0, 199), "320x180", "vp9")
        b.wait("the failure", lambda: self.said().startswith("The video was not made: "))
        self.assertRegex(self.said(), r"^[^.]*It broke[^.]*\.$")
        self.assertEqual(os.listdir(b.downloads), [])
        self.assertEqual(self.private_files(), [])

    def private_files(self):
        return self.browser.driver.execute_async_script(
            "const done = arguments[0]; navigator.storage.getDirectory().then(async d => {"
            "  const names = []; for await (const n of d.keys()) names.push(n); done(names); });")


if __name__ == "__main__":
    unittest.main()
