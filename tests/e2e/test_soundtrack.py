"""The bundled film's soundtrack as film sound writes it: measured as a mastering
engineer would (ffmpeg's EBU R128 meter reads its integrated loudness at -16 LUFS
within 1 LU and its true peak at -1 dBTP or below, no sample clipped); the same
bytes every time, and a range the very samples of the whole film's; music's
clicks at the sample where the offset puts them, from an audio file or from a
shot list's music line; and the tool's conventions: no file written over without
--force, nor over an input, nothing written on any error, music that is not
audio refused in one sentence."""
import os
import re
import shutil
import subprocess
import tempfile
import unittest
import wave
from array import array

from harness import click_track, clicks_heard, default_film, onsets

# A quiet stretch (the train far away), in the middle of the film, and music
# that starts 85.31 s into the story: 0.31 s before this stretch's first click.
QUIET = (3500, 3699)
OFFSET = 85.31


def film_tool():
    return os.environ.get("FILM_BIN") or os.path.join(os.path.dirname(__file__), "..", "..", "build", "film")


def loudness(path):
    """Integrated loudness (LUFS) and true peak (dBTP), as ffmpeg's meter prints them."""
    out = subprocess.run(["ffmpeg", "-nostats", "-hide_banner", "-i", path, "-af", "ebur128=peak=true",
                          "-f", "null", "-"], stderr=subprocess.PIPE, text=True, check=True).stderr
    summary = out[out.rindex("Summary:"):]
    integrated = float(re.search(r"I:\s+(-?[\d.]+) LUFS", summary).group(1))
    peak = float(re.search(r"Peak:\s+(-?[\d.]+) dBFS", summary).group(1))
    return integrated, peak


def samples(path):
    with wave.open(path) as w:
        assert (w.getframerate(), w.getnchannels(), w.getsampwidth()) == (48000, 2, 2)
        return array("h", w.readframes(w.getnframes()))


@unittest.skipIf(shutil.which("ffmpeg") is None, "ffmpeg measures the loudness and decodes the music")
class Soundtrack(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="soundtrack-test-")

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def path(self, name):
        return os.path.join(self.dir, name)

    def sound(self, *args, status=0):
        r = subprocess.run([film_tool(), "sound"] + [str(a) for a in args], cwd=self.dir, stdout=subprocess.PIPE,
                           stderr=subprocess.PIPE, timeout=300)
        self.assertEqual(r.returncode, status, r.stderr.decode())
        return r

    def test_the_bundled_film_is_mastered_to_its_targets_and_a_range_is_its_slice(self):
        r = self.sound(default_film(), "-o", "film.wav")
        self.assertRegex(r.stderr.decode(), r"^film: wrote film\.wav: frames 0 to 7811 of .*, 195\.30 s of 16-bit "
                                            r"48 kHz stereo sound; synthesized in [\d.]+ s, \d+ times real time\n$")
        integrated, peak = loudness(self.path("film.wav"))
        self.assertLessEqual(abs(integrated + 16.0), 1.0, f"integrated loudness {integrated} LUFS")
        self.assertLessEqual(peak, -1.0, f"true peak {peak} dBTP")
        whole = samples(self.path("film.wav"))
        self.assertEqual(len(whole), 2 * 1200 * 7812)
        self.assertLess(max(max(whole), -min(whole)), 32767)
        # Frames 4000-4199, twice: the same bytes, which are the whole film's there.
        ranges = [self.sound(default_film(), "--frames", "4000-4199", "-o", "-").stdout for _ in range(2)]
        self.assertEqual(ranges[0], ranges[1])
        with open(self.path("range.wav"), "wb") as f:
            f.write(ranges[0])
        self.assertEqual(samples(self.path("range.wav")), whole[4000 * 2400:4200 * 2400])

    def test_music_clicks_at_their_times_from_a_file_or_a_shot_lists_music_line(self):
        starts = click_track(self.path("click track.wav"), 12)
        frames = "%d-%d" % QUIET
        self.sound(default_film(), "--frames", frames, "-o", "bare.wav")
        self.sound(default_film(), "--frames", frames, "-o", "music.wav", "--music", "click track.wav",
                   "--music-offset", OFFSET, "--music-gain", 0)
        expected = clicks_heard(starts, *QUIET, OFFSET)
        self.assertEqual(len(expected), 10)
        self.assertLess(max(abs(v) for v in samples(self.path("bare.wav"))), 2000)
        self.assertEqual(onsets(samples(self.path("music.wav")), 10000), expected)
        # The same music named by a shot list's line, the file beside it; the command line's offset wins.
        os.mkdir(self.path("studio"))
        os.rename(self.path("click track.wav"), self.path("studio/click track.wav"))
        with open(self.path("studio/film.shots"), "w") as f:
            f.write('0 10 10 10 0 0 0 0 1 0\nmusic "click track.wav" tempo 120 gain 0 offset 1 # the clicks\n')
        self.sound(default_film(), "--frames", frames, "-o", "listed.wav", "--music", "studio/film.shots",
                   "--music-offset", OFFSET)
        with open(self.path("music.wav"), "rb") as a, open(self.path("listed.wav"), "rb") as b:
            self.assertEqual(a.read(), b.read())

    def test_refusals_write_nothing_and_say_why(self):
        for name, text in (("notes.txt", "not a song\n"), ("taken.wav", "the user's own\n"),
                           ("nomusic.shots", "0 10 10 10 0 0 0 0 1 0\n"),
                           ("badmusic.shots", "0 10 10 10 0 0 0 0 1 0\n\nmusic \"notes.txt\" tempo 0\n")):
            with open(self.path(name), "w") as f:
                f.write(text)
        click_track(self.path("clicks.wav"), 1)
        film = default_film()
        cases = [
            # arguments, exit status, what standard error says
            ([film, "-o", "x.wav", "--music", "notes.txt"], 1,
             "film sound: notes.txt is not audio that ffmpeg can decode"),
            ([film, "-o", "x.wav", "--music", "nomusic.shots"], 1, "nomusic.shots has no music line"),
            ([film, "-o", "x.wav", "--music", "badmusic.shots"], 1,
             "badmusic.shots:3:25: error: expected a tempo above 0"),
            ([film, "-o", "taken.wav"], 1, "taken.wav exists: give --force to replace it"),
            ([film, "-o", "clicks.wav", "-y", "--music", "clicks.wav"], 1, "clicks.wav is the music read"),
            ([film, "-o", "x.wav", "--frames", "7800-7812"], 1, "--frames 7800-7812 is outside the film"),
            ([film, "-o", "x.wav", "--frames", "0-9,20"], 2, "--frames expects one range"),
            ([film, "-o", "x.wav", "--music-gain", "3"], 2, "--music-gain requires --music"),
            ([film, "-o", "x.wav", "--only", "bells,harp"], 2, "--only expects families of sounds"),
        ]
        for args, status, message in cases:
            with self.subTest(args=args[1:]):
                r = self.sound(*args, status=status)
                self.assertIn(message, r.stderr.decode())
        self.assertEqual(sorted(os.listdir(self.dir)),
                         ["badmusic.shots", "clicks.wav", "nomusic.shots", "notes.txt", "taken.wav"])
        # Music wholly outside the film is said, and is no error.
        r = self.sound(film, "--frames", "0", "-o", "x.wav", "--music", "clicks.wav", "--music-offset", "-5")
        self.assertIn("the music clicks.wav lies wholly outside the film", r.stderr.decode())


if __name__ == "__main__":
    unittest.main()
