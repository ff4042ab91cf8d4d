"""A directed test film for screenshots during a replay of the story.

Each area of the world lists its shots in a module shots_<area>.py as a list
SHOTS of Shot(name, frame, pose, check). replay() writes one film in which the
camera holds each shot's pose for the frames before it, plays it once, pauses at
each shot's frame (space), takes a screenshot, hands it to the check, and
resumes. The pause lands a few frames after the one asked for; checks must hold
for a few frames either side.
"""
import glob
import importlib
import os
import time

from harness import App

OVERVIEW = (230.0, 260.0, 640.0, 230.0, 0.0, 260.0, 0.0, 1.0, 0.0)
HOLD = 80  # frames a shot's pose is held before its frame (and a few after)


class Shot:
    def __init__(self, name, frame, pose, check):
        """check(image, app, frame) asserts what the picture must show; frame is where it paused."""
        self.name, self.frame, self.pose, self.check = name, frame, pose, check


def all_shots():
    """Every area's shots; PRACTICA02_SHOTS=railway,landscape keeps only those areas."""
    shots = []
    here = os.path.dirname(os.path.abspath(__file__))
    only = [a for a in os.environ.get("PRACTICA02_SHOTS", "").split(",") if a]
    for path in sorted(glob.glob(os.path.join(here, "shots_*.py"))):
        if only and os.path.basename(path)[6:-3] not in only:
            continue
        module = importlib.import_module(os.path.basename(path)[:-3])
        shots.extend(module.SHOTS)
    return sorted(shots, key=lambda s: s.frame)


def story_poses(shots, total):
    # Later shots first, so that where two windows overlap the earlier shot keeps
    # the frames up to just after its own, and the later one the rest.
    poses = [OVERVIEW] * total
    for s in sorted(shots, key=lambda s: -s.frame):
        for f in range(max(0, s.frame - HOLD), min(total, s.frame + 20)):
            poses[f] = s.pose
    return poses


def replay(shots, screen=(1024, 768)):
    """Plays the directed film; yields (shot, image, frame) for each shot, in frame order."""
    total = max(s.frame for s in shots) + 25
    with App(screen=screen, film=story_poses(shots, total)) as app:
        app.click_button("PLAY")
        start = 0
        for s in shots:
            start = app.wait_for("fotograma:%d" % (s.frame - 1), timeout=s.frame * 0.2 + 60, start=start)
            app.key("space")
            # Paused once no new frame line comes for a while.
            seen = -1
            while seen != len(app.lines):
                seen = len(app.lines)
                time.sleep(0.3)
            frame = app.frames()[-1]
            yield s, app.screenshot(), frame, app
            app.key("space")
        app.key("Escape")
        app.wait_exit()
