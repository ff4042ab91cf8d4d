"""render_film, the real program: its refusals (each once, where they cost least),
PNG frames that are the same bytes on every run, a short video that ffprobe reads
back, and Ctrl-C finishing a playable video. That its pictures are PLAY's own is
checked against screenshots of the whole bundled film's replay
(test_bundled_film)."""
import json
import os
import shutil
import signal
import subprocess
import tempfile
import unittest

from harness import film_text, pose
from xvfb import Xvfb

VIEW = pose((-20.0, 8.0, 40.0), (-30.0, 0.5, 25.0))


def renderer():
    return os.environ.get("RENDER_FILM_BIN") or os.path.join(
        os.path.dirname(__file__), "..", "..", "build", "render_film")


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def ffprobe(path):
    """Width, height and number of frames of the first video stream."""
    out = subprocess.run(["ffprobe", "-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                          "stream=width,height,nb_read_frames,pix_fmt,codec_name", "-of", "json", path],
                         check=True, stdout=subprocess.PIPE, timeout=120).stdout
    s = json.loads(out)["streams"][0]
    return s["codec_name"], s["pix_fmt"], int(s["width"]), int(s["height"]), int(s["nb_read_frames"])


class RenderFilm(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="render-film-test-")
        self.film = self.path("film.txt")
        with open(self.film, "w") as f:
            f.write(film_text([VIEW] * 120))

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def path(self, name):
        return os.path.join(self.dir, name)

    def run_renderer(self, *args, env=None, timeout=300):
        return subprocess.run([renderer()] + [str(a) for a in args], cwd=self.dir, env=env, timeout=timeout,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)

    def test_refusals_say_what_is_wrong_and_leave_nothing_behind(self):
        with open(self.path("short.txt"), "w") as f:
            f.write("2\n1 2 3 4 5 6 7 8 9\n1 2 3 x 5\n")
        with open(self.path("a-file"), "w") as f:
            f.write("not a folder")
        no_ffmpeg = dict(os.environ, PATH=self.path("empty-path"))
        cases = [
            # arguments, environment, exit status, what standard error must say
            (["missing.txt", "--out", "o"], None, 255, "cannot open the film missing.txt"),
            (["short.txt", "--out", "o"], None, 254,
             'short.txt:3:7: expected a number in record 2, found "x" (PLAY cannot load it either)'),
            ([self.film, "--out", "a-file/o"], None, 1, "cannot make the output folder a-file/o"),
            ([self.film, "--frames", "100-120", "--out", "o"], None, 1,
             "--frames 100-120 is outside the film: %s has 120 poses, frames 0 to 119" % self.film),
            ([self.film, "--video", "v.mp4"], no_ffmpeg, 1, "--video needs the ffmpeg program"),
            ([self.film, "--size", "40000x40", "--out", "o"], None, 1,
             "the GL context cannot give a 40000x40 picture"),
            ([self.film, "--size", "321x240", "--video", "v.mp4"], None, 2, "a video needs an even width and height"),
            ([self.film, "--frames", "9-3", "--out", "o"], None, 2, "--frames expects A-B with 0 <= A <= B"),
        ]
        for args, env, status, message in cases:
            with self.subTest(args=args):
                r = self.run_renderer(*args, env=env)
                self.assertEqual(r.returncode, status, r.stderr)
                self.assertIn(message, r.stderr)
                self.assertEqual(r.stdout, "")
                if status == 2:
                    self.assertIn("usage: render_film FILM", r.stderr)
        self.assertEqual(sorted(os.listdir(self.dir)), ["a-file", "film.txt", "short.txt"])

    def test_frames_are_8_bit_rgb_pngs_named_by_frame_with_the_same_bytes_every_run(self):
        # Without a display (a private Xvfb), on a display of its own, and with a
        # display that cannot be opened (a private Xvfb again): the same bytes.
        without = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        runs = []
        with Xvfb(640, 480) as x:
            for out, env in (("a", without), ("b", x.env()), ("c", dict(without, DISPLAY=":4095"))):
                r = self.run_renderer(self.film, "--frames", "40-50", "--every", "5", "--size", "320x240",
                                      "--out", out, env=env)
                self.assertEqual(r.returncode, 0, r.stderr)
                self.assertRegex(r.stdout, r"^render_film: 3 frames written to %s/ in \d+:\d\d, [\d.]+ frames a "
                                 r"second\n$" % out)
                names = sorted(os.listdir(self.path(out)))
                self.assertEqual(names, ["frame-00040.png", "frame-00045.png", "frame-00050.png"])
                runs.append([read_bytes(os.path.join(self.path(out), n)) for n in names])
        self.assertEqual(runs[0], runs[1])
        self.assertEqual(runs[0], runs[2])
        png = runs[0][0]
        self.assertEqual(png[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(png[16:25], (320).to_bytes(4, "big") + (240).to_bytes(4, "big") + b"\x08")
        self.assertEqual(png[25], 2)  # colour type 2: RGB

    def test_a_short_video_with_the_credits(self):
        r = self.run_renderer(self.film, "--size", "320x240", "--credits", "0.5", "--video", "v.mp4", "--quiet")
        self.assertEqual((r.returncode, r.stdout), (0, ""), r.stderr)
        self.assertEqual(ffprobe(self.path("v.mp4")), ("h264", "yuv420p", 320, 240, 120 + 20))
        self.assertEqual(sorted(os.listdir(self.dir)), ["film.txt", "v.mp4"])

    def test_ctrl_c_finishes_a_playable_video(self):
        with open(self.film, "w") as f:
            f.write(film_text([VIEW] * 7000))
        with subprocess.Popen([renderer(), self.film, "--size", "320x240", "--video", "v.mp4"], cwd=self.dir,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True) as proc:
            # Not a terminal: the progress comes as a line every few seconds; the first
            # one says frames are on their way to ffmpeg.
            first = proc.stderr.readline()
            self.assertRegex(first, r"^render_film: \d+/7000 frames")
            proc.send_signal(signal.SIGINT)
            rest = proc.stderr.read()
            self.assertEqual(proc.wait(timeout=120), 130)
        done = int(rest.split("interrupted: ")[1].split()[0])
        self.assertIn("the video is complete and playable up to there", rest)
        self.assertEqual(ffprobe(self.path("v.mp4"))[2:], (320, 240, done))
        self.assertEqual(sorted(os.listdir(self.dir)), ["film.txt", "v.mp4"])


if __name__ == "__main__":
    unittest.main()
