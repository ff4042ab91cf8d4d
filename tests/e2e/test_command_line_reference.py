"""docs/command-line.md against the tools themselves: every tool and every
command of film that --help names has its section, and each section's table
lists exactly the options its --help lists, so that neither can drift from the
other."""
import os
import re
import subprocess
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
REFERENCE = os.path.join(HERE, "..", "..", "docs", "command-line.md")
BUILD = os.path.join(HERE, "..", "..", "build")


def tool(name):
    return os.environ.get(name.upper() + "_BIN") or os.path.join(BUILD, name)


def help_of(call):
    """The options --help lists (a line "  -o, --output FILM  ..."), and the commands ("  check   ...")."""
    r = subprocess.run([tool(call[0])] + call[1:] + ["--help"], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                       text=True, timeout=60)
    assert r.returncode == 0, r.stderr
    options, commands = set(), set()
    for line in r.stdout.splitlines():
        if line.startswith("  -"):
            names = re.split(r"\s{2,}", line.strip())[0]
            options.update(re.findall(r"(?<![\w-])--?[A-Za-z][\w-]*", names))
        elif re.match(r"^  [a-z]+ {2,}\S", line) and len(call) == 1:
            commands.add(line.split()[0])
    return options, commands


def reference():
    """{("film", "keys"): {"-o", "--output", ...}, ...}: each section's table of options."""
    sections, current = {}, None
    with open(REFERENCE) as f:
        for line in f:
            heading = re.match(r"^#{2,3} `([\w ]+)`$", line.strip())
            if heading:
                current = tuple(heading.group(1).split())
                sections[current] = set()
            elif current and line.startswith("| `-"):
                first_cell = line.split("|")[1]
                sections[current].update(re.findall(r"`(--?[A-Za-z][\w-]*)`", first_cell))
    return sections


class CommandLineReference(unittest.TestCase):
    def test_the_reference_lists_what_each_help_lists(self):
        sections = reference()
        _, commands = help_of(["film"])
        self.assertIn("keys", commands)
        calls = [("film",)] + [("film", c) for c in sorted(commands)] + [("render_film",), ("frame_benchmark",)]
        self.assertEqual(sorted(sections), sorted(calls), "a section for each tool and command, and no other")
        for call in calls:
            with self.subTest(call=" ".join(call)):
                listed, _ = help_of(list(call))
                self.assertIn("--help", listed)
                self.assertEqual(sections[call], listed,
                                 "only in --help: %s; only in the reference: %s"
                                 % (sorted(listed - sections[call]), sorted(sections[call] - listed)))


if __name__ == "__main__":
    unittest.main()
