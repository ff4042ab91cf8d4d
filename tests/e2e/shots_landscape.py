"""Story shots of the landscape: the bridge over the river and the island out at sea."""
from harness import DESIGN as SCREEN, pose, project
from story import Shot

BRIDGE_RED = (255, 0, 0)
BRIDGE_GREY = (179, 179, 179)
TOWER_WHITE = (255, 255, 255)
STRIPE_YELLOW = (255, 255, 0)

# Beside the river, downstream of the bridge, looking up at its tower.
BRIDGE_POSE = pose((45.0, 15.0, 175.0), (0.0, 0.0, 210.0))
# Above the sea off the island's near corner, looking across its towers.
ISLAND_POSE = pose((1250.0, 60.0, 340.0), (1340.0, 5.0, 440.0))


def around(p, a, b, margin):
    """Screen region holding the projections of world points a and b, widened by margin pixels."""
    (x0, y0), (x1, y1) = [[int(v) for v in project(p, w)] for w in (a, b)]
    return (max(0, min(x0, x1) - margin), max(0, min(y0, y1) - margin),
            min(SCREEN[0], max(x0, x1) + margin), min(SCREEN[1], max(y0, y1) + margin))


def bridge(image, app, frame):
    # The near leg of the red tower, from the footing to its top at y = 19.
    legs = around(BRIDGE_POSE, (3.5, -6.0, 210.0), (3.5, 19.0, 210.0), 25)
    assert image.count(BRIDGE_RED, tol=10, region=legs) > 300, "too little of the tower's red"
    # The grey footing on the river bed under the tower.
    footing = around(BRIDGE_POSE, (-6.0, -8.0, 211.25), (5.0, -6.0, 208.75), 10)
    assert image.count(BRIDGE_GREY, tol=10, region=footing) > 100, "too little of the footing's grey"
    # The cables' top points above the legs, 16.5 up.
    tops = around(BRIDGE_POSE, (-0.5, 16.5, 210.0), (7.5, 16.5, 210.0), 25)
    assert image.count(BRIDGE_GREY, tol=10, region=tops) > 30, "no grey cables at the tower's top"


def island(image, app, frame):
    # The yellow stripe on the island's top, beside the first column of towers.
    stripe = around(ISLAND_POSE, (1308.8, -6.0, 432.0), (1308.8, -6.0, 446.0), 8)
    assert image.count(STRIPE_YELLOW, tol=10, region=stripe) > 20, "no yellow stripe"
    # The first tower's white body, 40 high on its plate.
    tower = around(ISLAND_POSE, (1311.0, -5.9, 411.0), (1321.0, 34.1, 421.0), 0)
    assert image.count(TOWER_WHITE, tol=10, region=tower) > 500, "too little of the first tower's white"
    # The island's near corner at sea level, in the white the models before it leave.
    corner = around(ISLAND_POSE, (1300.0, -8.0, 400.0), (1300.0, -6.0, 400.0), 6)
    assert image.count(TOWER_WHITE, tol=10, region=corner) > 5, "no island block at its corner"


# Each pose holds from 80 frames before its shot to 20 after: the frames are chosen
# to stay clear of the other areas' shots (sofa 120-219, pitch 320-419).
SHOTS = [
    Shot("bridge", 100, BRIDGE_POSE, bridge),
    Shot("island", 300, ISLAND_POSE, island),
]
