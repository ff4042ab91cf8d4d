"""Story shots of the town: the level crossing with its barriers down while its
lamps blink, and a plot of the first chalet estate."""
from harness import box_corners, pose, project, screen_region
from story import Shot

LIT_RED = (255, 0, 0)
DARK_RED = (77, 0, 0)
BOOM_RED = (255, 0, 0)
HEDGE_GREEN = (51, 178, 0)  # the ground's green, (26, 153, 0), stays outside tol 10

# Low on the road's -x approach, looking up at traffic light 1 (its lamps face
# -x) with barrier 1's lowered boom across the road in front of it. The eye sits
# below the lamps so that nothing far away is drawn behind them.
CROSSING_POSE = pose((-20.0, 2.5, 399.0), (-5.5, 3.5, 401.0))
# Lamps of traffic light 1 in the world: lamp 1 and lamp 2.
LAMPS = {1: (-5.36, 4.5, 397.55), 2: (-5.36, 4.5, 398.45)}
# Barrier 1's boom, lowered: x -6 to -5.9, height 1.35 to 1.65, from z 398.6 along the road.
BOOM = [(-6.0, 1.35, 400.0), (-5.9, 1.65, 405.0)]

# Above the first estate's corner plot, in front of its gates (x = 274), looking
# down on its house, walls and hedges; the plot covers x 234 to 274, z -5 to 35.
CHALET_POSE = pose((300.0, 30.0, 15.0), (254.0, -7.0, 15.0))
PLOT = [(234.0, -7.0, -5.0), (274.0, -3.5, 35.0)]


def square(centre, half):
    x, y = [int(v) for v in project(CROSSING_POSE, centre)]
    return (x - half, y - half, x + half + 1, y + half + 1)


def lit_lamp(frame):
    """The lamp lit once the step of frame - 1 has run: lamp 1 from the step of
    2690 (frame 2691 shown) for ten frames, then lamp 2 for ten, and so on."""
    return 1 if (frame - 2691) // 10 % 2 == 0 else 2


def crossing_blinking(image, app, frame):
    lit = lit_lamp(frame)
    dark = 3 - lit
    assert image.count(LIT_RED, tol=20, region=square(LAMPS[lit], 12)) > 40, "lamp %d is not lit" % lit
    assert image.count(LIT_RED, tol=20, region=square(LAMPS[dark], 12)) < 5, "lamp %d is lit too" % dark
    assert image.count(DARK_RED, tol=20, region=square(LAMPS[dark], 12)) > 40, "lamp %d is not dark red" % dark
    boom = screen_region(CROSSING_POSE, box_corners(*BOOM), 3)
    assert image.count(BOOM_RED, tol=20, region=boom) > 100, "no lowered boom"


def chalet_plot(image, app, frame):
    plot = screen_region(CHALET_POSE, box_corners(*PLOT), 4)
    assert image.count(HEDGE_GREEN, tol=10, region=plot) > 3000, "too little of the hedges' green"


SHOTS = [
    # Barriers down from frame 2813 to 3000; lamp 1 lit for the frames shown 2851 to 2860.
    Shot("crossing_blinking", 2855, CROSSING_POSE, crossing_blinking),
    Shot("chalet_plot", 480, CHALET_POSE, chalet_plot),
]
