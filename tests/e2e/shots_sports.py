"""Story shots of the football pitch, the car in the looping and the crane on the island."""
import math

from harness import box_corners, pose, project, screen_region
from story import Shot

PITCH_GREEN = (51, 255, 51)
CAR_PINK = (255, 0, 102)
CRANE_GREEN = (128, 204, 0)

PITCH_POSE = pose((-30.0, 45.0, -12.0), (-30.0, 0.0, 25.0))
LOOPING_POSE = pose((53.0, 12.0, 375.0), (53.0, 10.3, 412.0))
CRANE_POSE = pose((1288.0, 2.0, 432.0), (1304.0, -4.0, 440.0))


def pitch_shown(image, app, frame):
    # The pitch lies at x -45 to -15, z 0 to 50, on the ground; all of its grass there.
    region = screen_region(PITCH_POSE, box_corners((-45.0, 0.0, 0.0), (-15.0, 0.0, 50.0)), 4)
    inside = image.count(PITCH_GREEN, tol=20, region=region)
    assert inside > 2000, "too little of the pitch's grass where the pitch lies"
    assert image.count(PITCH_GREEN, tol=20) == inside, "the pitch's grass outside the pitch"


def car_centre(frame):
    """Where the middle of the car stands in the looping once the steps before `frame`
    have run: the pivot over the looping's centre, turned 15 degrees a step."""
    last = frame - 1
    turn = last - 3183 if last <= 3207 else 0.2 * (last - 3261)
    a = math.radians(15.0 * turn)
    x, y = -1.5 + 2.0, -9.109 + 0.75  # the car's middle from the pivot, before the turn
    return (83.0 - 30.0 + x * math.cos(a) - y * math.sin(a), 10.259 + x * math.sin(a) + y * math.cos(a),
            407.0 + 0.5 * turn - 1.0)


def car_in_looping(image, app, frame):
    box = image.where(CAR_PINK, tol=30)
    assert box is not None and image.count(CAR_PINK, tol=30) > 150, "too little of the car's pink"
    # A frame's error moves the car some 100 pixels along the loop at this distance.
    x, y = project(LOOPING_POSE, car_centre(frame))
    cx, cy = (box[0] + box[2]) / 2, (box[1] + box[3]) / 2
    assert abs(cx - x) < 40 and abs(cy - y) < 40, "car at (%d, %d), expected near (%d, %d)" % (cx, cy, x, y)


def crane_with_car(image, app, frame):
    crane = image.where(CRANE_GREEN, tol=20)
    car = image.where(CAR_PINK, tol=30)
    assert crane is not None and image.count(CRANE_GREEN, tol=20) > 1000, "too little of the crane's green"
    assert car is not None and image.count(CAR_PINK, tol=30) > 150, "too little of the car's pink"
    # The car stands on the crane's bed: within the crane's outline, above its wheels.
    assert crane[0] <= car[0] and car[2] <= crane[2], "car %r beside the crane %r" % (car, crane)
    assert car[3] < crane[3], "car %r not above the crane's wheels %r" % (car, crane)


SHOTS = [
    # The sofa has turned past 8 steps by frame 179, so the pitch is drawn.
    Shot("pitch", 400, PITCH_POSE, pitch_shown),
    # First loop, 15 degrees a frame (3184 to 3207): the looping's centre is x 53.06, y 10.259.
    Shot("looping-first", 3196, LOOPING_POSE, car_in_looping),
    # Second, slower loop (3262 to 3381).
    Shot("looping-second", 3320, LOOPING_POSE, car_in_looping),
    # The car stands on the crane's bed from frame 7390; the crane has driven to the
    # island's edge near x 1304, z 437 to 443, its length along z.
    Shot("crane", 7450, CRANE_POSE, crane_with_car),
]
