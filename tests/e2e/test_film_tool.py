"""film, the real program, as a user calls it: every command's exit code, what it
writes where, and that nothing is written on any error, to a terminal, over a
file that exists without --force, or ever over its own input; a FIFO, a device
and standard output written into and a link followed, never replaced; endless
input refused; and the keys film keys makes compiled back by film compile into
the film they were made from."""
import math
import os
import pty
import resource
import shutil
import stat
import subprocess
import tempfile
import unittest

from harness import FifoReader, default_film, film_text, pose, pose_line

GOOD = film_text([pose((-20.0, 8.0, 40.0), (-30.0, 0.5, 25.0))] * 3)
RECORDING = "1 2 3 4 5 6 0 1 0\n\n1 2 4 4 5 6 0 1 0\n"
SHOTS = "0  10 10 10  0 0 0  0 1 0  step\n"
BLIND = film_text([pose((1.0, 2.0, 3.0), (4.0, 5.0, 6.0)), pose((1.0, 2.0, 3.0), (1.0, 2.0, 3.0))])


def film_tool():
    return os.environ.get("FILM_BIN") or os.path.join(os.path.dirname(__file__), "..", "..", "build", "film")


class FilmTool(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="film-tool-test-")
        for name, text in (("good.txt", GOOD), ("bad.txt", "2\n1 2 3\n"), ("rec.txt", RECORDING),
                           ("badrec.txt", "1 2 3\n"), ("shots.txt", SHOTS), ("taken.txt", "the user's own\n"),
                           ("blind.txt", BLIND)):
            with open(self.path(name), "w") as f:
                f.write(text)
        os.symlink("shots.txt", self.path("shots-link.txt"))

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def path(self, name):
        return os.path.join(self.dir, name)

    def contents(self):
        found = {}
        for name in sorted(os.listdir(self.dir)):
            with open(self.path(name)) as f:
                found[name] = f.read()
        return found

    def test_every_command_as_a_user_calls_it(self):
        help_compile = subprocess.run([film_tool(), "compile", "--help"], stdout=subprocess.PIPE, text=True).stdout
        help_keys = subprocess.run([film_tool(), "keys", "--help"], stdout=subprocess.PIPE, text=True).stdout
        cases = [
            # arguments, standard input (text, or "<NAME" for the file itself), exit status, standard
            # output (None: not checked), the file it writes
            (["check", "good.txt"], None, 0, "", None),
            (["check", "bad.txt"], None, 1, "", None),
            (["check", "-"], GOOD, 0, "", None),
            (["playable", "rec.txt", "-o", "new.txt"], None, 0, "", "new.txt"),
            (["playable", "-"], RECORDING, 0, None, None),
            (["playable", "badrec.txt", "-o", "new.txt"], None, 1, "", None),
            (["compile", "shots.txt", "--frames", "2", "-o", "compiled.txt"], None, 0, "", "compiled.txt"),
            (["compile", "shots.txt", "-o", "shots.txt", "--force"], None, 1, "", None),
            (["compile", "shots.txt", "-o", "shots-link.txt", "-y"], None, 1, "", None),
            (["compile", "shots.txt", "-o", "../" + os.path.basename(self.dir) + "/shots.txt", "-y"], None, 1, "",
             None),
            (["compile", "-", "-o", "shots.txt", "-y"], "<shots.txt", 1, "", None),
            (["compile", "shots.txt", "-o", "taken.txt"], None, 1, "", None),
            (["compile", "shots.txt", "--frames", "2", "-o", "taken.txt", "--force"], None, 0, "", "taken.txt"),
            (["help", "compile"], None, 0, help_compile, None),
            (["keys", "good.txt", "-o", "keys.shots"], None, 0, "", "keys.shots"),
            (["keys", "-", "--tolerance", "0.5", "--frames", "1-2"], GOOD, 0, None, None),
            (["keys", "good.txt", "-o", "taken.txt", "-y", "--tolerance=1e-3"], None, 0, "", "taken.txt"),
            (["keys", "good.txt", "-o", "taken.txt"], None, 1, "", None),
            (["keys", "good.txt", "-o", "good.txt", "--force"], None, 1, "", None),
            (["keys", "blind.txt", "-o", "keys.shots"], None, 1, "", None),
            (["keys", "bad.txt", "-o", "keys.shots"], None, 1, "", None),
            (["keys", "good.txt", "--frames", "2-3", "-o", "keys.shots"], None, 1, "", None),
            (["keys", "good.txt", "--frames", "2-1"], None, 2, "", None),
            (["keys", "good.txt", "--tolerance", "0"], None, 2, "", None),
            (["keys", "good.txt", "--tolerance", "-0.05"], None, 2, "", None),
            (["keys", "good.txt", "--tolerance", "nan"], None, 2, "", None),
            (["keys", "good.txt", "--tolerance", "0.05cm"], None, 2, "", None),
            (["help", "keys"], None, 0, help_keys, None),
            (["keys"], None, 2, "", None),
            (["--version"], None, 0, None, None),
            (["compile"], None, 2, "", None),
            (["mend", "good.txt"], None, 2, "", None),
        ]
        for args, stdin, status, stdout, written in cases:
            with self.subTest(args=args):
                before = self.contents()
                source = open(self.path(stdin[1:])) if stdin and stdin[0] == "<" else subprocess.PIPE
                with subprocess.Popen([film_tool()] + args, cwd=self.dir, stdin=source, stdout=subprocess.PIPE,
                                      stderr=subprocess.PIPE, text=True) as proc:
                    out, err = proc.communicate(None if source != subprocess.PIPE else stdin or "", timeout=120)
                if source != subprocess.PIPE:
                    source.close()
                r = subprocess.CompletedProcess(args, proc.returncode, out, err)
                self.assertEqual(r.returncode, status, r.stderr)
                if stdout is not None:
                    self.assertEqual(r.stdout, stdout)
                after = self.contents()
                if written:
                    self.assertIn(written, after)
                    # A film passes the check; a shot list compiles.
                    check = ["compile", written] if args[0] == "keys" else ["check", written]
                    self.assertEqual(subprocess.run([film_tool()] + check, cwd=self.dir,
                                                    stdout=subprocess.DEVNULL).returncode, 0)
                    del after[written]
                    before.pop(written, None)
                self.assertEqual(after, before, "a file was written or changed")
        self.assertRegex(subprocess.run([film_tool(), "--version"], stdout=subprocess.PIPE, text=True).stdout,
                         r"^film \(practica02\) \d+\.\d+\.\d+\n$")

    def test_what_is_no_regular_file_is_written_into_and_a_link_is_followed(self):
        compile_ = [film_tool(), "compile", "shots.txt", "--frames", "2", "-o"]
        film = subprocess.run(compile_[:-1], cwd=self.dir, stdout=subprocess.PIPE, check=True).stdout
        temporaries = self.path("tmp")
        os.mkdir(temporaries)
        env = dict(os.environ, TMPDIR=temporaries)

        def run(*args, stdout=subprocess.DEVNULL):
            return subprocess.run(compile_ + list(args), cwd=self.dir, env=env, stdout=stdout,
                                  stderr=subprocess.PIPE, timeout=60)

        with self.subTest("a FIFO, without --force: its reader gets the film"):
            os.mkfifo(self.path("fifo"))
            reader = FifoReader(self.path("fifo"))
            r = run("fifo")
            self.assertEqual((r.returncode, reader.finish()), (0, film), r.stderr)
            self.assertIn(b"film: wrote fifo: 2 records", r.stderr)
            self.assertTrue(stat.S_ISFIFO(os.lstat(self.path("fifo")).st_mode))
        with self.subTest("a character device of our own, with --force"):
            try:
                os.mknod(self.path("null"), stat.S_IFCHR | 0o666, os.makedev(1, 3))
            except PermissionError:
                self.skipTest("mknod needs root")
            r = run("null", "--force")
            self.assertEqual(r.returncode, 0, r.stderr)
            self.assertTrue(stat.S_ISCHR(os.lstat(self.path("null")).st_mode))
        with self.subTest("a link: refused without --force, then its target replaced and the link kept"):
            os.symlink("taken.txt", self.path("taken-link.txt"))
            self.assertEqual(run("taken-link.txt").returncode, 1)
            self.assertEqual(run("taken-link.txt", "-y").returncode, 0)
            self.assertEqual(os.readlink(self.path("taken-link.txt")), "taken.txt")
            with open(self.path("taken.txt"), "rb") as f:
                self.assertEqual(f.read(), film)
        with self.subTest("a link to /proc/self/fd/1 is standard output"):
            os.symlink("/proc/self/fd/1", self.path("stdout"))
            r = run("stdout", stdout=subprocess.PIPE)
            self.assertEqual((r.returncode, r.stdout), (0, film), r.stderr)
            self.assertIn(b"film: wrote the film to standard output", r.stderr)
        self.assertEqual([n for n in os.listdir(self.dir) + os.listdir(temporaries) if ".part-" in n], [])

    def test_endless_input_is_refused_in_one_line(self):
        # Under a memory limit far below the 1 GiB read first.
        def limited():
            resource.setrlimit(resource.RLIMIT_AS, (400 << 20, 400 << 20))

        for verb, what in (("check", "a film"), ("compile", "a shot list"), ("playable", "a recording")):
            with self.subTest(verb=verb):
                r = subprocess.run([film_tool(), verb, "/dev/zero"] + ([] if verb == "check" else ["-o", "new.txt"]),
                                   cwd=self.dir, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                                   preexec_fn=limited, timeout=120)
                self.assertEqual((r.returncode, r.stdout, r.stderr),
                                 (1, "", "film: cannot read /dev/zero: larger than 1 GiB, the most %s may be\n" % what))
        # film keys reads as it goes, here endless blanks.
        with subprocess.Popen(["yes", " "], stdout=subprocess.PIPE) as blanks:
            r = subprocess.run([film_tool(), "keys", "-", "-o", "new.txt"], cwd=self.dir, stdin=blanks.stdout,
                               stderr=subprocess.PIPE, text=True, preexec_fn=limited, timeout=120)
            blanks.kill()
        self.assertEqual((r.returncode, r.stderr),
                         (1, "film: cannot read <stdin>: larger than 1 GiB, the most a film may be\n"))
        self.assertNotIn("new.txt", os.listdir(self.dir))

    def test_keys_compile_back_into_the_film_they_were_made_from(self):
        # The bundled film, and a recording as a person makes one with U: runs of presses
        # of a camera key (a step of 1 or 0.5 each, U after each), and runs of U alone.
        with open(default_film()) as f:
            bundled = f.read()
        recording, p = [], [16.7, 99.0, 60.0, 5.5, 4.6, 7.0, 0.0, 0.3, 0.0]
        for run in range(30):
            key, step = run * 7 % 6, (1.0 if run % 3 else 0.5) * (1 if run % 4 < 2 else -1)
            for k in range(4 + run * 5 % 17):
                p[key] += step if run % 5 else 0.0
                recording.append(pose_line(p))
        with open(self.path("camara.txt"), "w") as f:
            f.write("".join(recording))
        subprocess.run([film_tool(), "playable", "camara.txt", "-o", "recorded.txt"], cwd=self.dir, check=True)
        with open(self.path("bundled.txt"), "w") as f:
            f.write(bundled)
        # At most twice the keys of the bundled film's shot list; a key a run of the recording and one at its end.
        cases = [("bundled.txt", 0.05, 86), ("recorded.txt", 0.05, 31), ("recorded.txt", 0.5, 31)]
        for film, tolerance, most in cases:
            with self.subTest(film=film, tolerance=tolerance):
                made = subprocess.run([film_tool(), "keys", film, "--tolerance", str(tolerance), "-o", "k.shots", "-y"],
                                      cwd=self.dir, stderr=subprocess.PIPE, text=True, check=True)
                self.assertRegex(made.stderr, r"film: wrote k.shots: \d+ keys from frames 0 to \d+ of " + film +
                                 r"; the largest deviation [0-9.e-]+ at frame \d+")
                with open(self.path("k.shots")) as f:
                    shots = f.read()
                self.assertIn("# Keys of %s: " % film, shots)
                self.assertIn("within %g of the eye and the centre" % tolerance, shots)
                keys = [line for line in shots.splitlines() if line and not line.startswith("#")]
                self.assertLessEqual(len(keys), most)
                subprocess.run([film_tool(), "compile", "k.shots", "-o", "back.txt", "-y"], cwd=self.dir, check=True,
                               stderr=subprocess.DEVNULL)
                self.assert_within(self.records(film), self.records("back.txt"), tolerance)

    def test_a_length_is_length_and_frames_are_ranges(self):
        def run(*args):
            return subprocess.run([film_tool()] + list(args), cwd=self.dir, stdout=subprocess.PIPE,
                                  stderr=subprocess.PIPE, text=True, timeout=60)

        by_length, by_frames = run("compile", "shots.txt", "--length", "3"), run("compile", "shots.txt", "--frames", "3")
        self.assertEqual((by_length.returncode, by_frames.returncode), (0, 0))
        self.assertEqual(by_length.stdout.split("\n")[0], "3")
        self.assertEqual(by_frames.stdout, by_length.stdout)
        self.assertEqual(by_frames.stderr.splitlines()[0], "film compile: --frames N is now --length N: use --length")
        self.assertNotIn("--frames", by_length.stderr)
        # film keys makes keys of one stretch: one range, never a list.
        self.assertEqual(run("keys", "good.txt", "--frames", "1").returncode, 0)
        listed = run("keys", "good.txt", "--frames", "0,2")
        self.assertEqual((listed.returncode, listed.stdout), (2, ""))
        self.assertIn("--frames expects one range, A-B or N", listed.stderr)
        self.assertIn("usage: film keys FILM", listed.stderr)

    def test_keys_refuse_a_blind_pose_where_it_stands(self):
        r = subprocess.run([film_tool(), "keys", "blind.txt"], cwd=self.dir, stdout=subprocess.PIPE,
                           stderr=subprocess.PIPE, text=True)
        self.assertEqual((r.returncode, r.stdout), (1, ""))
        self.assertIn("blind.txt:3:1: error: frame 1: the eye is on the centre", r.stderr)

    def records(self, name):
        with open(self.path(name)) as f:
            numbers = [float(v) for v in f.read().split()[1:]]
        return [numbers[i:i + 9] for i in range(0, len(numbers), 9)]

    def assert_within(self, film, back, tolerance):
        for frame, (a, b) in enumerate(zip(film, back)):
            for k in (0, 3):
                self.assertLessEqual(math.dist(a[k:k + 3], b[k:k + 3]), tolerance + 1e-6, "frame %d" % frame)
            u, v = a[6:9], b[6:9]
            cos = sum(x * y for x, y in zip(u, v)) / math.hypot(*u) / math.hypot(*v)
            self.assertLessEqual(math.degrees(math.acos(min(1.0, cos))), 0.5 + 1e-3, "frame %d" % frame)

    def test_no_film_is_written_to_a_terminal(self):
        pid, fd = pty.fork()
        if pid == 0:
            os.chdir(self.dir)
            os.execv(film_tool(), [film_tool(), "compile", "shots.txt"])
        said = b""
        while True:
            try:
                chunk = os.read(fd, 4096)
            except OSError:
                break
            if not chunk:
                break
            said += chunk
        status = os.waitpid(pid, 0)[1]
        self.assertEqual(os.waitstatus_to_exitcode(status), 2)
        self.assertIn(b"not writing a film to a terminal", said)
        self.assertNotIn(b"0.000000", said)


if __name__ == "__main__":
    unittest.main()
