"""Runs one command under a private Xvfb and exits with its status."""
import subprocess
import sys

from xvfb import Xvfb

with Xvfb() as x:
    sys.exit(subprocess.run(sys.argv[1:], env=x.env(), timeout=3600).returncode)
