"""Music to cut to in the studio, in headless chromium (run with /usr/bin/python3):
a click track chosen as music is the shot list's music line, undone and redone,
and comes back with the draft after a reload; its settings reach the mix; Snap
puts a key made near a beat on the beat's frame; a file that is no audio is
refused in one sentence; a shared link's music line asks for its file."""
import base64
import math
import os
import shutil
import struct
import tempfile
import unittest
import wave

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from test_mishaps import deflated, fragment
from test_studio import BUNDLED, QUERY, StudioTest

SECONDS, RATE = 20, 44100  # the click track: resampled to 48 kHz, it is SECONDS x 48,000 pairs


def click_track(path, seconds=SECONDS, bpm=120):
    """A mono WAV at RATE: a 10 ms click of 1 kHz on every beat, silence between."""
    period, samples = round(RATE * 60 / bpm), bytearray()
    for i in range(seconds * RATE):
        v = int(20000 * math.sin(2 * math.pi * 1000 * i / RATE)) if i % period < RATE // 100 else 0
        samples += struct.pack("<h", v)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(samples))


class Music(StudioTest):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.folder = tempfile.mkdtemp(prefix="practica02-music-")
        cls.addClassCleanup(shutil.rmtree, cls.folder, True)
        cls.clicks = os.path.join(cls.folder, "clicks.wav")
        click_track(cls.clicks)

    def music(self):
        return self.browser.script("return studioTest.music()")

    def choose(self, path):
        self.browser.driver.find_element(By.ID, "music-input").send_keys(path)

    def set_field(self, id, value):
        self.browser.script("const f = document.getElementById(arguments[0]); f.value = arguments[1];"
                            "f.dispatchEvent(new Event('change'));", id, value)

    def drop(self, path, name, kind):
        """The file at path dropped on the page as name, of MIME type kind."""
        with open(path, "rb") as f:
            data = base64.b64encode(f.read()).decode()
        self.browser.script("const bytes = Uint8Array.from(atob(arguments[0]), c => c.charCodeAt(0));"
                            "const t = new DataTransfer(); t.items.add(new File([bytes], arguments[1], "
                            "{ type: arguments[2] }));"
                            "window.dispatchEvent(new DragEvent('drop', { dataTransfer: t, cancelable: true }));",
                            data, name, kind)

    def waveform(self):
        """The pixels of the waveform's colour in the timeline's beats lane."""
        return self.browser.script(
            "const c = document.getElementById('timeline'), d = c.getContext('2d').getImageData(0, 0, c.width, 30).data;"
            "let n = 0; for (let i = 0; i < d.length; i += 4) n += d[i] === 47 && d[i + 1] === 106 && d[i + 2] === 130;"
            "return n;")

    def chosen(self):
        """The click track chosen as music, and kept with the draft."""
        b = self.start()
        self.choose(self.clicks)
        b.wait("the music kept", lambda: "kept with the draft" in self.status())
        return b

    def test_a_click_track_is_the_music_line_undone_redone_and_back_after_a_reload(self):
        b = self.chosen()
        pairs = SECONDS * 48000
        m = self.music()
        self.assertEqual((m["line"]["name"], m["line"]["offset"], m["line"]["tempo"], m["line"]["gain"]),
                         ("clicks.wav", 0, None, -6))
        self.assertAlmostEqual(m["track"]["pairs"], pairs, delta=2)
        self.assertEqual(m["heard"], m["track"]["pairs"])
        first_key = next(i for i, l in enumerate(BUNDLED.split("\n")) if l[:1].isdigit())
        self.assertEqual(self.lines()[first_key], 'music "clicks.wav"', "the line stands before the first key")
        self.assertEqual(self.lines()[:first_key] + self.lines()[first_key + 1:], BUNDLED.split("\n"))

        self.assertGreater(self.waveform(), 100, "the waveform drawn")
        b.chord(Keys.CONTROL, "z")
        b.wait("the music line undone", lambda: self.text() == BUNDLED)
        self.assertEqual(self.music()["heard"], 0, "no line, no music")
        self.assertEqual(self.waveform(), 0)
        self.assertIsNone(b.script("return studioTest.exported()"))
        b.chord(Keys.CONTROL, Keys.SHIFT, "z")
        b.wait("the music line redone", lambda: self.music()["heard"] == m["track"]["pairs"])

        self.set_field("music-gain", "-12.5")
        b.wait("the gain's line", lambda: self.lines()[first_key] == 'music "clicks.wav" gain -12.5')
        self.assertEqual(b.script("return studioTest.exported()"), {"pairs": m["track"]["pairs"], "offset": 0,
                                                                    "gain": -12.5})
        b.wait("the draft stored", lambda: b.script("const d = studioTest.draft(); return d.stored === d.changes"))
        self.start(forget=False)
        b.wait("the music back", lambda: self.music()["heard"] == m["track"]["pairs"])
        self.assertEqual(self.lines()[first_key], 'music "clicks.wav" gain -12.5')

    def test_snap_puts_a_key_near_a_beat_on_it_and_settings_are_refused_or_said(self):
        b = self.chosen()
        self.set_field("music-tempo", "120")
        self.set_field("music-offset", "0.3")  # beats at 0.3 s + k/2 s: frames 12 + 20 k
        b.wait("tempo and offset", lambda: (self.music()["line"]["tempo"], self.music()["line"]["offset"]) == (120, 0.3))
        self.assertEqual(b.script("return studioTest.exported().offset"), 0.3)
        self.set_field("music-tempo", "0")
        b.wait("a tempo of 0 refused", lambda: "Not changed: the tempo must be above 0" in self.status())
        self.assertEqual(self.music()["line"]["tempo"], 120)

        b.script("studioTest.seek(515)")
        b.keys("n")
        b.wait("Snap on", lambda: b.script("return document.getElementById('snap-button').textContent")
               .startswith("Snap on"))
        b.keys("k")
        b.wait("the key", lambda: 512 in [k["frame"] for k in b.script("return studioTest.keys()")])
        self.assertEqual(self.frame(), 512)
        self.assertNotIn(515, [k["frame"] for k in b.script("return studioTest.keys()")])

        self.set_field("music-offset", "500")
        b.wait("the music outside the film", lambda: "after the film's end" in self.status())
        self.assertEqual(b.script("return document.getElementById('status').className"), "info")

    def test_a_dropped_audio_file_is_music_and_a_dropped_text_a_shot_list(self):
        b = self.start()
        short = os.path.join(self.folder, "short.wav")
        click_track(short, seconds=2)
        self.drop(short, "Drum loop.wav", "audio/wav")
        b.wait("the dropped music", lambda: self.music()["heard"] == 2 * 48000)
        self.assertIn('music "Drum loop.wav"', self.text())
        shots = os.path.join(self.folder, "other.shots")
        with open(shots, "w") as f:
            f.write(BUNDLED.replace("\n90 ", "\n# 90 ", 1))
        self.drop(shots, "other.shots", "")
        b.wait("the dropped shot list", lambda: "# 90 " in self.text())
        b.wait("no music left", lambda: self.music()["heard"] == 0)

    def test_no_audio_is_refused_and_a_link_asks_for_its_music(self):
        b = self.start()
        notes = os.path.join(self.folder, "notes.txt")
        with open(notes, "w") as f:
            f.write("not a sound\n")
        self.choose(notes)
        b.wait("the refusal", lambda: "notes.txt is not used" in self.status())
        self.assertEqual(self.status(), "notes.txt is not used as music: the browser cannot decode it as audio.")
        self.assertEqual(self.text(), BUNDLED)

        shared = 'music "Train song.ogg" offset 2\n' + BUNDLED
        self.start(query=QUERY + fragment(deflated(shared)))
        b.wait_for_element("music-ask")
        self.assertEqual(b.script("return document.getElementById('music-ask-text').textContent"),
                         'This film has music "Train song.ogg", which is not in this browser: it plays without it.')
        self.assertEqual(self.music()["heard"], 0)
        b.script("document.getElementById('music-ask-yes').click()")
        self.choose(self.clicks)
        b.wait("the link's music heard", lambda: self.music()["heard"] > 0)
        self.assertEqual(self.music()["track"]["name"], "Train song.ogg")
        self.assertEqual(self.text(), shared, "the text as the link carried it")

        b.open(self.site.url("nothing-here"))  # the player in a browser that keeps no music
        b.driver.execute_async_script(
            "const done = arguments[0];"
            "const r = indexedDB.deleteDatabase('practica02'); r.onsuccess = r.onerror = r.onblocked = () => done();")
        b.open(self.site.url("player.html" + fragment(deflated(shared))))
        b.wait_for_element("said-music")
        self.assertEqual(b.script("return document.getElementById('said-text').textContent"),
                         'This film has music "Train song.ogg", which the link does not carry: it plays without it.')
        self.choose(self.clicks)
        b.wait("the player's music", lambda: b.script("return document.getElementById('said-text').textContent")
               == 'The music "Train song.ogg" plays under the film, kept in this browser.')


if __name__ == "__main__":
    unittest.main()
