"""Story shots of the railway: the train at the platform with its doors open, the
platform after it has left, and the train under way along the line."""
from harness import box_corners, pose, screen_region
from story import Shot

CAR_BLUE = (0, 0, 255)
DOOR_YELLOW = (255, 255, 0)
SEAT_GREEN = (0, 255, 0)

# From above the -x side of the line, looking down across the train by the
# platform (which lies beyond it, on the +x side); the sofa and its yellow
# character stay below the bottom edge of the picture.
PLATFORM_POSE = pose((-45.0, 25.0, 18.0), (0.0, 4.0, 18.0))
# The same view further along the line, where the train is at frame 2100: it has
# run 84.9 ahead of its place by then.
UNDER_WAY_POSE = pose((-45.0, 25.0, 103.0), (0.0, 4.0, 103.0))

def travel(frame):
    """How far the train has run along +z by a frame: angulo_tren x 0.02, with
    angulo_tren growing by 5 a frame from 1421 to 1969, then by 15 from 2001."""
    angle = 5 * max(0, min(frame, 1969) - 1420) + 15 * max(0, min(frame, 2849) - 2000)
    return angle * 0.02


def train_box(shift):
    """The eight corners of the train (doors open), shifted along the line."""
    return box_corners((-2.8, 0.6, -2.451 + shift), (2.8, 9.5, 38.451 + shift))


def doorways(p, shift):
    """Screen patches in the middle of the near side's two doorways, at the height of
    the leaves' lower panels: yellow when the doors are shut, dark when they stand open."""
    return [screen_region(p, [(-2.8, 3.6, 8.3 + car + shift), (-2.4, 4.2, 8.7 + car + shift)], 0)
            for car in (0.0, 19.0)]


def outside(image, rgb, region, tol):
    return image.count(rgb, tol=tol) - image.count(rgb, tol=tol, region=region)


def train_at_platform(image, app, frame):
    train = screen_region(PLATFORM_POSE, train_box(0.0), 4)
    # The yellow doors are filled; the blue shell and the green seats are lines.
    assert image.count(CAR_BLUE, tol=10, region=train) > 10000, "too little of the cars' blue"
    assert image.count(DOOR_YELLOW, tol=10, region=train) > 2500, "too little of the doors' yellow"
    assert image.count(SEAT_GREEN, tol=10, region=train) > 3000, "too little of the seats' green"
    # Nothing blue or yellow beyond where the train stands.
    assert outside(image, CAR_BLUE, train, 10) == 0, "blue outside the train"
    assert outside(image, DOOR_YELLOW, train, 10) == 0, "yellow outside the train"
    # The leaves have slid apart: the middle of each doorway is open.
    for doorway in doorways(PLATFORM_POSE, 0.0):
        assert image.count(DOOR_YELLOW, tol=10, region=doorway) == 0, "a door is not open"


def platform_left(image, app, frame):
    # By frame 2000 the train has run about 55 further and is out of this view.
    assert image.count(CAR_BLUE, tol=10) == 0, "the train's blue is still at the platform"
    assert image.count(DOOR_YELLOW, tol=10) == 0, "the train's doors are still at the platform"


def train_under_way(image, app, frame):
    shift = travel(frame)
    train = screen_region(UNDER_WAY_POSE, train_box(shift), 8)
    assert image.count(CAR_BLUE, tol=10, region=train) > 10000, "too little of the cars' blue"
    assert image.count(DOOR_YELLOW, tol=10, region=train) > 2500, "too little of the doors' yellow"
    assert outside(image, CAR_BLUE, train, 10) == 0, "blue outside the train"
    assert outside(image, DOOR_YELLOW, train, 10) == 0, "yellow outside the train"
    # The doors closed before it left: each doorway is filled with yellow.
    for doorway in doorways(UNDER_WAY_POSE, shift):
        size = (doorway[2] - doorway[0]) * (doorway[3] - doorway[1])
        assert image.count(DOOR_YELLOW, tol=10, region=doorway) > 0.9 * size, "a door is not shut"


SHOTS = [
    # The ball has landed in the train (frame 1187); the doors close from 1391.
    Shot("train_at_platform", 1300, PLATFORM_POSE, train_at_platform),
    # The train starts at 1421: 5 a frame until 1969, then 15.
    Shot("platform_left", 2000, PLATFORM_POSE, platform_left),
    Shot("train_under_way", 2100, UNDER_WAY_POSE, train_under_way),
]
