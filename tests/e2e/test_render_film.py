"""render_film, the real program: its refusals (each once, where they cost least),
PNG frames that are the same bytes on every run, a short video that ffprobe reads
back, smoothed pictures (multisampled on llvmpipe, drawn at twice the size on
softpipe, a GL without multisampling) that light what the plain ones light, the
settings --share gives read back from the video, the soundtrack in the video
(music's clicks at their samples in the decoded sound, as long as the frames) in
MP4, Matroska and WebM, signals that finish a playable
video and then end the program as the shell expects, an encoder that fails,
--force on a folder of an earlier run, and a video written whole into a FIFO and
to standard output. That its pictures are PLAY's own is
checked against screenshots of the whole bundled film's replay
(test_bundled_film)."""
import json
import os
import shutil
import signal
import stat
import subprocess
import tempfile
import unittest
from array import array

from harness import FifoReader, Image, click_track, clicks_heard, default_film, film_text, onsets, pose
from xvfb import Xvfb

VIEW = pose((-20.0, 8.0, 40.0), (-30.0, 0.5, 25.0))
# Mesa's softpipe: a GL that offers no multisampling, so --smooth draws at twice the size.
NO_MULTISAMPLING = dict(os.environ, GALLIUM_DRIVER="softpipe")
# What --share sets (the encoder table of docs/benchmarks.md).
SHARE_PRESET, SHARE_CRF = "veryfast", 28


def renderer():
    return os.environ.get("RENDER_FILM_BIN") or os.path.join(
        os.path.dirname(__file__), "..", "..", "build", "render_film")


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def decoded(path):
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, stdout=subprocess.PIPE,
                         timeout=60).stdout
    return Image.from_ppm(ppm)


def lit(image, level=24):
    """1 for each pixel with a channel at level or above, else 0, row by row."""
    d = image.data
    return bytes(max(d[i], d[i + 1], d[i + 2]) >= level for i in range(0, len(d), 3))


def dilated(mask, width):
    """The mask grown by one pixel every way (3x3)."""
    rows = [mask[i:i + width] for i in range(0, len(mask), width)]
    grown = [bytes(a | b | c for a, b, c in zip(r, b"\0" + r[:-1], r[1:] + b"\0")) for r in rows]
    none = bytes(width)
    return b"".join(bytes(a | b | c for a, b, c in zip(up, r, down))
                    for up, r, down in zip([none] + grown[:-1], grown, grown[1:] + [none]))


def x264_options(path):
    """The options x264 wrote into the stream, as a dict ("crf": "28.0", ...)."""
    blob = read_bytes(path)
    start = blob.index(b"x264 - core")
    text = blob[start:blob.index(b"\0", start)].decode()
    return dict(o.split("=", 1) for o in text.split(" - options: ")[1].split() if "=" in o)


def ffprobe(path):
    """Width, height and number of frames of the first video stream."""
    out = subprocess.run(["ffprobe", "-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                          "stream=width,height,nb_read_frames,pix_fmt,codec_name", "-of", "json", path],
                         check=True, stdout=subprocess.PIPE, timeout=120).stdout
    s = json.loads(out)["streams"][0]
    return s["codec_name"], s["pix_fmt"], int(s["width"]), int(s["height"]), int(s["nb_read_frames"])


def streams(path):
    """The codecs of the video's streams, in order, and its video frames."""
    out = subprocess.run(["ffprobe", "-v", "error", "-count_frames", "-show_entries",
                          "stream=codec_name,nb_read_frames", "-of", "json", path],
                         check=True, stdout=subprocess.PIPE, timeout=120).stdout
    found = json.loads(out)["streams"]
    return [s["codec_name"] for s in found], int(found[0]["nb_read_frames"])


def sound_of(path):
    """The video's sound, decoded: 48 kHz stereo 16-bit samples, interleaved."""
    raw = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-map", "0:a", "-f", "s16le", "-ac", "2", "-ar",
                          "48000", "-"], check=True, stdout=subprocess.PIPE, timeout=120).stdout
    return array("h", raw)


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
        with open(self.path("old.mp4"), "w") as f:
            f.write("an earlier video")
        with open(self.path("big.txt"), "w") as f:
            f.truncate((1 << 30) + 1)
        os.symlink("film.txt", self.path("film-link.mp4"))
        with open(self.path("notes.txt"), "w") as f:
            f.write("not a song\n")
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
            ([self.film, "--size", "0x240", "--share", "--video", "v.mp4"], None, 2, "--size expects WxH in pixels"),
            ([self.film, "--size", "3840x2160", "--smooth", "--out", "o"], NO_MULTISAMPLING, 1,
             "the GL context cannot give a 3840x2160 picture smoothed: it offers no multisampling (at most 1 sample "
             "a pixel), and the 7680x4320 picture to average is beyond it"),
            ([self.film, "--frames", "9-3", "--out", "o"], None, 2, "--frames expects A-B with 0 <= A <= B"),
            ([self.film, "--frames", "2147483648", "--out", "o"], None, 1, "--frames 2147483648 is outside the film"),
            (["big.txt", "--out", "o"], None, 254,
             "big.txt: larger than 1 GiB, the most a film may be (PLAY cannot load it either)"),
            ([self.film, "--video", "old.mp4"], None, 1, "old.mp4 exists: give --force to replace it"),
            ([self.film, "--video", "film-link.mp4", "--force"], None, 1,
             "the video film-link.mp4 would be written over the film it is made from"),
            ([self.film, "--sound", "--out", "o"], None, 2, "--sound is a video's: give --video FILE.mp4"),
            ([self.film, "--sound", "--video", "v.mp4", "--frames", "0-9,20"], None, 2,
             "--sound needs frames that follow one another as the story plays them: one range in --frames, and no "
             "--every"),
            ([self.film, "--music", "notes.txt", "--video", "v.mp4", "--every", "2"], None, 2,
             "--sound needs frames that follow one another"),
            ([self.film, "--video", "v.mp4", "--music", "notes.txt"], None, 1,
             "render_film: notes.txt is not audio that ffmpeg can decode"),
        ]
        for args, env, status, message in cases:
            with self.subTest(args=args):
                r = self.run_renderer(*args, env=env)
                self.assertEqual(r.returncode, status, r.stderr)
                self.assertIn(message, r.stderr)
                self.assertEqual(r.stdout, "")
                if status == 2:
                    self.assertIn("usage: render_film FILM", r.stderr)
        self.assertEqual(sorted(os.listdir(self.dir)),
                         ["a-file", "big.txt", "film-link.mp4", "film.txt", "notes.txt", "old.mp4", "short.txt"])
        self.assertEqual(read_bytes(self.path("old.mp4")), b"an earlier video")

    def test_frames_are_8_bit_rgb_pngs_named_by_frame_with_the_same_bytes_every_run(self):
        # Without a display (a private Xvfb), on a display of its own, and with a
        # display that cannot be opened (a private Xvfb again): the same bytes.
        without = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        runs = []
        with Xvfb(640, 480) as x:
            for out, env in (("a", without), ("b", x.env()), ("c", dict(without, DISPLAY=":4095"))):
                r = self.run_renderer(self.film, "--frames", "40-50", "--every", "5", "--size", "320x240",
                                      "--out", out, env=env)
                self.assertEqual((r.returncode, r.stdout), (0, ""), r.stderr)
                self.assertRegex(r.stderr, r"(^|\n)render_film: 3 frames written to %s/ in \d+:\d\d, [\d.]+ frames "
                                 r"a second\n$" % out)
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

    def test_smooth_pictures_light_what_the_plain_ones_light_in_more_shades(self):
        frames = ["--frames", "2470,4450", "--credits", "0.025", "--size", "320x240"]
        plain = self.run_renderer(default_film(), *frames, "--out", "plain", "--quiet")
        self.assertEqual(plain.returncode, 0, plain.stderr)
        for env, how, names in ((None, "4 samples a pixel, multisampled", ["credits-00000.png"]),
                                (NO_MULTISAMPLING, "4 samples a pixel, drawn at 640x480", [])):
            with self.subTest(how=how):
                r = self.run_renderer(default_film(), *frames, "--smooth", "--out", "smooth", "--force", env=env)
                self.assertEqual(r.returncode, 0, r.stderr)
                self.assertRegex(r.stderr, r"3 frames written to smooth/ in .* frames a second; smooth lines "
                                           r"\(%s\)\n$" % how)
                # At twice the size the credits' letters are drawn at half their size: not compared.
                for name in ["frame-02470.png", "frame-04450.png"] + names:
                    a, b = decoded(self.path("plain/" + name)), decoded(self.path("smooth/" + name))
                    self.assertEqual((b.width, b.height), (320, 240))
                    shades = [len({image.data[i:i + 3] for i in range(0, len(image.data), 3)}) for image in (a, b)]
                    self.assertGreater(shades[1], 3 * shades[0], name)
                    # Every lit pixel of either lies beside a lit pixel of the other (measured: 0 or 1).
                    for one, other in ((a, b), (b, a)):
                        near = dilated(lit(other), 320)
                        stray = sum(1 for p, q in zip(lit(one), near) if p and not q)
                        self.assertLessEqual(stray, 10, name)

    def test_share_sets_the_video_to_send(self):
        # x264 writes its options into the stream: those of a plain encode of the named preset and CRF.
        subprocess.run(["ffmpeg", "-v", "error", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=40", "-frames:v",
                        "4", "-c:v", "libx264", "-preset", SHARE_PRESET, "-crf", str(SHARE_CRF), "-threads", "1",
                        "-pix_fmt", "yuv420p", self.path("reference.mp4")], check=True, timeout=120)
        reference = x264_options(self.path("reference.mp4"))
        for extra, preset, crf in (([], SHARE_PRESET, SHARE_CRF), (["--crf", "33"], SHARE_PRESET, 33),
                                   (["--preset", "ultrafast"], "ultrafast", SHARE_CRF)):
            with self.subTest(extra=extra):
                r = self.run_renderer(self.film, "--frames", "0-39", "--size", "320x240", "--share", *extra,
                                      "--video", "s.mp4", "--force")
                self.assertEqual((r.returncode, r.stdout), (0, ""), r.stderr)
                self.assertIn("40 frames written to s.mp4", r.stderr)
                self.assertIn("; smooth lines (4 samples a pixel, multisampled)\n", r.stderr)
                self.assertEqual(ffprobe(self.path("s.mp4")), ("h264", "yuv420p", 320, 240, 40))
                self.assertEqual(streams(self.path("s.mp4")), (["h264", "aac"], 40))
                written = x264_options(self.path("s.mp4"))
                self.assertEqual(float(written["crf"]), crf)
                if preset == SHARE_PRESET:
                    for key in ("subme", "me", "ref", "trellis", "rc_lookahead", "bframes", "mixed_ref", "weightp"):
                        self.assertEqual(written[key], reference[key], key)
                else:
                    self.assertEqual((written["subme"], written["cabac"]), ("0", "0"))  # ultrafast's
                # Plays in a browser before it has all arrived: the index (moov) before the frames (mdat).
                blob = read_bytes(self.path("s.mp4"))
                self.assertLess(blob.index(b"moov"), blob.index(b"mdat"))

    def test_the_video_carries_the_soundtrack_frame_for_frame(self):
        # Music's clicks from 85.31 s of the story on, over a quiet stretch of the bundled film.
        starts = click_track(self.path("clicks.wav"), 12)
        cases = [
            # video, frames, more options, the streams' codecs, the frames written
            ("s.mp4", (3500, 3699), [], ["h264", "aac"], 200),
            ("s.mkv", (3500, 3539), ["--credits", "0.5"], ["h264", "opus"], 60),
            ("s.webm", (3500, 3539), [], ["vp9", "opus"], 40),
        ]
        for video, frames, more, codecs, written in cases:
            with self.subTest(video=video):
                r = self.run_renderer(default_film(), "--frames", "%d-%d" % frames, "--size", "64x48", "--video",
                                      video, "--music", "clicks.wav", "--music-offset", "85.31", "--music-gain", "0",
                                      "--quiet", *more)
                self.assertEqual((r.returncode, r.stderr), (0, ""))
                self.assertEqual(streams(self.path(video)), (codecs, written))
                sound = sound_of(self.path(video))
                # As long as the frames, within one frame; the clicks (the credits' too) within a millisecond.
                self.assertLessEqual(abs(len(sound) // 2 - written * 1200), 1200)
                expected = clicks_heard(starts, frames[0], frames[0] + written - 1, 85.31)
                heard = onsets(sound, 10000)
                self.assertEqual(len(heard), len(expected), heard)
                for h, e in zip(heard, expected):
                    self.assertLessEqual(abs(h - e), 48, heard)

    def test_signals_finish_a_playable_video_then_end_the_program_as_the_shell_expects(self):
        with open(self.film, "w") as f:
            f.write(film_text([VIEW] * 7000))
        render = [renderer(), self.film, "--size", "320x240", "--video"]
        # Ctrl-C at a terminal reaches the whole job: a loop of two renders stops in the first.
        loop = 'for v in a.mp4 b.mp4; do "$@" "$v"; done'
        with subprocess.Popen(["bash", "-c", loop, "loop"] + render, cwd=self.dir, stderr=subprocess.PIPE, text=True,
                              start_new_session=True) as shell:
            # Not a terminal: the progress comes as a line every few seconds; the first
            # one says frames are on their way to ffmpeg.
            self.assertRegex(shell.stderr.readline(), r"^render_film: \d+/7000 frames")
            os.killpg(shell.pid, signal.SIGINT)
            said = shell.stderr.read()
            self.assertEqual(shell.wait(timeout=120), -signal.SIGINT, said)
        done = int(said.split("interrupted by SIGINT: ")[1].split()[0])
        self.assertIn("the video is complete and playable up to there", said)
        self.assertEqual(ffprobe(self.path("a.mp4"))[2:], (320, 240, done))
        self.assertEqual(sorted(os.listdir(self.dir)), ["a.mp4", "film.txt"])
        # SIGTERM to the renderer alone, smoothing.
        with subprocess.Popen(render[:-1] + ["--smooth", "--video", "c.mp4"], cwd=self.dir, stderr=subprocess.PIPE,
                              text=True) as proc:
            self.assertRegex(proc.stderr.readline(), r"^render_film: \d+/7000 frames .* left  smooth lines \(4 "
                                                     r"samples a pixel, multisampled\)\n$")
            proc.send_signal(signal.SIGTERM)
            said = proc.stderr.read()
            self.assertEqual(proc.wait(timeout=120), -signal.SIGTERM, said)
        done = int(said.split("interrupted by SIGTERM: ")[1].split()[0])
        self.assertEqual(ffprobe(self.path("c.mp4")), ("h264", "yuv420p", 320, 240, done))
        # A second signal while it finishes (an encoder slow to end its file) stops it at once.
        slow = self.stand_in_ffmpeg("cat >/dev/null\nexec sleep 60\n")
        with subprocess.Popen(render + ["d.mp4"], cwd=self.dir, stderr=subprocess.PIPE, text=True,
                              env=slow) as proc:
            self.assertRegex(proc.stderr.readline(), r"^render_film: \d+/7000 frames")
            proc.send_signal(signal.SIGTERM)
            self.assertIn("a second signal stops at once", proc.stderr.readline())
            proc.send_signal(signal.SIGTERM)
            proc.stderr.read()
            self.assertEqual(proc.wait(timeout=30), -signal.SIGTERM)
        self.assertEqual(sorted(os.listdir(self.dir)), ["a.mp4", "bin", "c.mp4", "film.txt"])

    def test_a_video_goes_whole_into_a_fifo_and_to_standard_output(self):
        temporaries = self.path("tmp")
        os.mkdir(temporaries)
        os.mkfifo(self.path("fifo"))
        reader = FifoReader(self.path("fifo"))
        videos = []
        for output in ("fifo", "-"):
            r = subprocess.run([renderer(), self.film, "--frames", "0-9", "--size", "64x48", "--quiet", "--video",
                                output], cwd=self.dir, env=dict(os.environ, TMPDIR=temporaries),
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=300)
            self.assertEqual((r.returncode, r.stderr), (0, b""))
            videos.append(reader.finish() if output == "fifo" else r.stdout)
        for blob in videos:
            with open(self.path("check.mp4"), "wb") as f:
                f.write(blob)
            self.assertEqual(ffprobe(self.path("check.mp4")), ("h264", "yuv420p", 64, 48, 10))
            self.assertLess(blob.index(b"moov"), blob.index(b"mdat"))  # made seekable, then copied
        self.assertTrue(stat.S_ISFIFO(os.lstat(self.path("fifo")).st_mode))
        self.assertEqual(os.listdir(temporaries), [])

    def stand_in_ffmpeg(self, script):
        """An environment whose ffmpeg is a shell script of ours, first on the PATH."""
        fake = self.path("bin")
        os.makedirs(fake, exist_ok=True)
        with open(os.path.join(fake, "ffmpeg"), "w") as f:
            f.write("#!/bin/sh\n" + script)
        os.chmod(os.path.join(fake, "ffmpeg"), 0o755)
        return dict(os.environ, PATH=fake + os.pathsep + os.environ["PATH"])

    def test_an_encoder_that_fails_leaves_no_video(self):
        failing = self.stand_in_ffmpeg("head -c 1000000 >/dev/null\necho 'Conversion failed: out of luck' >&2\nexit 1\n")
        r = self.run_renderer(self.film, "--size", "320x240", "--video", "v.mp4", "--quiet", env=failing)
        self.assertEqual((r.returncode, r.stdout), (1, ""))
        self.assertEqual(r.stderr, "render_film: ffmpeg stopped taking frames (Conversion failed: out of luck); "
                                   "no video written\n")
        self.assertEqual(sorted(os.listdir(self.dir)), ["bin", "film.txt"])

    def test_force_leaves_only_this_runs_pictures(self):
        first = self.run_renderer(self.film, "--frames", "0-4", "--credits", "0.05", "--size", "64x48", "--out", "o")
        self.assertEqual(first.returncode, 0, first.stderr)
        with open(self.path("o/notes.txt"), "w") as f:
            f.write("the user's own")
        again = self.run_renderer(self.film, "--frames", "3-6", "--size", "64x48", "--out", "o", "--quiet")
        self.assertEqual(again.returncode, 1)
        self.assertIn("o/frame-00003.png and 1 more picture of this run's names exist", again.stderr)
        forced = self.run_renderer(self.film, "--frames", "3-6", "--size", "64x48", "--out", "o", "-y", "--quiet")
        self.assertEqual(forced.returncode, 0, forced.stderr)
        self.assertEqual(sorted(os.listdir(self.path("o"))),
                         ["frame-00003.png", "frame-00004.png", "frame-00005.png", "frame-00006.png", "notes.txt"])


if __name__ == "__main__":
    unittest.main()
