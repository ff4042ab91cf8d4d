"""Story shots of the sofa, the character and the toaster."""
from harness import pose
from story import Shot

SOFA_RED = (255, 0, 0)
CHARACTER_YELLOW = (255, 255, 0)
TOASTER_BODY = (76, 76, 102)


def sofa_and_character(image, app, frame):
    assert image.count(SOFA_RED, tol=30) > 300, "too little of the sofa's red"
    assert image.count(CHARACTER_YELLOW, tol=30) > 100, "too little of the character's yellow"


def toaster_landed(image, app, frame):
    assert image.count(TOASTER_BODY, tol=20) > 150, "too little of the toaster's body"


SHOTS = [
    # The sofa has turned half round (frame 179): the character faces -z.
    Shot("sofa", 200, pose((-30.0, 3.0, 19.0), (-30.0, 0.6, 25.0)), sofa_and_character),
    # The toaster lands at frame 1017 on the character's head: x = 45.65 - 75, height 1.4, z = 25.
    Shot("toaster", 1060, pose((-29.3, 2.4, 27.0), (-29.3, 1.45, 25.05)), toaster_landed),
]
