"""film, the real program, as a user calls it: every command's exit code, what it
writes where, and that nothing is written on any error, to a terminal, over a
file that exists without --force, or ever over its own input."""
import os
import pty
import shutil
import subprocess
import tempfile
import unittest

from harness import film_text, pose

GOOD = film_text([pose((-20.0, 8.0, 40.0), (-30.0, 0.5, 25.0))] * 3)
RECORDING = "1 2 3 4 5 6 0 1 0\n\n1 2 4 4 5 6 0 1 0\n"
SHOTS = "0  10 10 10  0 0 0  0 1 0  step\n"


def film_tool():
    return os.environ.get("FILM_BIN") or os.path.join(os.path.dirname(__file__), "..", "..", "build", "film")


class FilmTool(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="film-tool-test-")
        for name, text in (("good.txt", GOOD), ("bad.txt", "2\n1 2 3\n"), ("rec.txt", RECORDING),
                           ("badrec.txt", "1 2 3\n"), ("shots.txt", SHOTS), ("taken.txt", "the user's own\n")):
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
                    self.assertEqual(subprocess.run([film_tool(), "check", written], cwd=self.dir).returncode, 0)
                    del after[written]
                    before.pop(written, None)
                self.assertEqual(after, before, "a file was written or changed")
        self.assertRegex(subprocess.run([film_tool(), "--version"], stdout=subprocess.PIPE, text=True).stdout,
                         r"^film \(practica02\) \d+\.\d+\.\d+\n$")

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
