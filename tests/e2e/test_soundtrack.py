"""The bundled film's soundtrack as sound_probe writes it, measured as a mastering
engineer would: ffmpeg's EBU R128 meter reads its integrated loudness at
-16 LUFS within 1 LU and its true peak at -1 dBTP or below, and no sample is
clipped; music is mixed in, and a file that is not audio is refused in one
sentence."""
import os
import re
import shutil
import subprocess
import tempfile
import unittest
import wave
from array import array


def probe():
    return os.environ.get("SOUND_PROBE_BIN") or os.path.join(os.path.dirname(__file__), "..", "..", "build",
                                                             "sound_probe")


def bundled_film():
    return os.environ.get("PRACTICA02_FILM") or os.path.join(os.path.dirname(__file__), "..", "..", "build",
                                                             "camarabuena.txt")


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


@unittest.skipIf(shutil.which("ffmpeg") is None, "ffmpeg measures the loudness")
class Soundtrack(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="soundtrack-test-")

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def path(self, name):
        return os.path.join(self.dir, name)

    def test_the_bundled_film_is_mastered_to_its_targets(self):
        subprocess.run([probe(), bundled_film(), self.path("film.wav")], check=True, stderr=subprocess.PIPE)
        integrated, peak = loudness(self.path("film.wav"))
        self.assertLessEqual(abs(integrated + 16.0), 1.0, f"integrated loudness {integrated} LUFS")
        self.assertLessEqual(peak, -1.0, f"true peak {peak} dBTP")
        s = samples(self.path("film.wav"))
        self.assertEqual(len(s), 2 * 1200 * 7812)
        self.assertLess(max(max(s), -min(s)), 32767)

    def test_music_is_mixed_in_and_what_is_not_audio_refused(self):
        subprocess.run(["ffmpeg", "-v", "error", "-f", "lavfi", "-i", "sine=frequency=440:duration=4", "-ac", "2",
                        self.path("tone.flac")], check=True)
        with open(self.path("notes.txt"), "w") as f:
            f.write("not a song\n")
        frames = ["--frames", "3500-3599"]  # a quiet stretch: the train far away
        subprocess.run([probe(), bundled_film(), self.path("bare.wav")] + frames, check=True,
                       stderr=subprocess.PIPE)
        subprocess.run([probe(), bundled_film(), self.path("music.wav"), "--music", self.path("tone.flac"),
                        "--offset", "87.5"] + frames, check=True, stderr=subprocess.PIPE)
        self.assertGreater(loudness(self.path("music.wav"))[0], loudness(self.path("bare.wav"))[0] + 10)
        refused = subprocess.run([probe(), bundled_film(), self.path("no.wav"), "--music", self.path("notes.txt")],
                                 stderr=subprocess.PIPE, text=True)
        self.assertEqual(refused.returncode, 1)
        self.assertRegex(refused.stderr, r"notes\.txt is not audio that ffmpeg can decode")
        self.assertFalse(os.path.exists(self.path("no.wav")))


if __name__ == "__main__":
    unittest.main()
