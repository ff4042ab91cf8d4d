"""Story shots of the football pitch, the car in the looping and the crane on the island."""
from harness import pose
from story import Shot

PITCH_GREEN = (51, 255, 51)
CAR_PINK = (255, 0, 102)
CRANE_GREEN = (128, 204, 0)


def pitch_shown(image, app, frame):
    assert image.count(PITCH_GREEN, tol=20) > 2000, "too little of the pitch's grass"


def car_in_looping(image, app, frame):
    assert image.count(CAR_PINK, tol=30) > 150, "too little of the car's pink"


def crane_with_car(image, app, frame):
    assert image.count(CRANE_GREEN, tol=20) > 1000, "too little of the crane's green"
    assert image.count(CAR_PINK, tol=30) > 150, "too little of the car's pink on the bed"


SHOTS = [
    # The sofa has turned past 8 steps by frame 179: the pitch lies at x -45 to -15, z 0 to 50.
    Shot("pitch", 400, pose((-30.0, 45.0, -12.0), (-30.0, 0.0, 25.0)), pitch_shown),
    # First loop, 15 degrees a frame (3184 to 3207): the looping's centre is x 53.06, y 10.259.
    Shot("looping-first", 3196, pose((53.0, 12.0, 375.0), (53.0, 10.3, 412.0)), car_in_looping),
    # Second, slower loop (3262 to 3381).
    Shot("looping-second", 3320, pose((53.0, 12.0, 375.0), (53.0, 10.3, 412.0)), car_in_looping),
    # The car stands on the crane's bed from frame 7390; the crane has driven to the
    # island's edge near x 1304, z 437 to 443, its length along z.
    Shot("crane", 7450, pose((1288.0, 2.0, 432.0), (1304.0, -4.0, 440.0)), crane_with_car),
]
