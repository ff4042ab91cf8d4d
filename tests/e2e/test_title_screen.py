"""The title screen in a real window: the screen size message, and the drawn
buttons clickable where they are drawn, on screens of several shapes."""
import os
import unittest

from harness import App, pose

RED = (255, 0, 0)
ONE_FRAME = [pose((0.0, 50.0, 80.0), (0.0, 0.0, 0.0))]


def drawn_buttons(image):
    """The three buttons as drawn: (x0, y0, x1, y1) boxes of the red bands, top to bottom."""
    rows = [y for y in range(image.height) if image.count(RED, tol=0, region=(0, y, image.width, y + 1))]
    bands, start = [], None
    for i, y in enumerate(rows):
        if start is None:
            start = y
        if i + 1 == len(rows) or rows[i + 1] != y + 1:
            bands.append((start, y))
            start = None
    boxes = []
    for y0, y1 in bands:
        box = None
        for y in (y0, y1):  # the outline's top and bottom edges span the whole width
            row = [x for x in range(image.width) if image.pixel(x, y) == RED]
            lo, hi = min(row), max(row)
            box = (lo, y0, hi, y1) if box is None else (min(box[0], lo), y0, max(box[2], hi), y1)
        boxes.append(box)
    return boxes


class TitleScreen(unittest.TestCase):
    def test_screen_size_is_learned_once_and_salir_ends_with_zero(self):
        with App(screen=(1280, 1024)) as app:
            app.click_button("SALIR")
            self.assertEqual(app.wait_exit(), 0)
            self.assertEqual(app.lines, ["La resolucion de pantalla es de 1280 x 1024 (tomo nota :p)",
                                         "se ha pulsado boton salir."])

    def test_date_line_and_labels_are_drawn(self):
        with App() as app:
            app.wait_ready()
            image = app.screenshot()
            # The date line, white, at the bottom left.
            self.assertGreater(image.count((255, 255, 255), tol=0, region=(15, 730, 160, 750)), 40)
            boxes = drawn_buttons(image)
            expected = [(362, 228, 662, 328), (362, 348, 662, 448), (362, 468, 662, 568)]
            self.assertEqual(len(boxes), 3)
            for box, want in zip(boxes, expected):  # a line on a pixel edge may land on either side
                for got, w in zip(box, want):
                    self.assertAlmostEqual(got, w, delta=1, msg=(boxes, expected))
            for x0, y0, x1, y1 in boxes:  # a red label inside each outline
                self.assertGreater(image.count(RED, tol=0, region=(x0 + 100, y0 + 30, x1 - 100, y1 - 30)), 30)

    def check_buttons_clickable(self, screen):
        for name, index in (("PLAY", 0), ("REC", 1), ("SALIR", 2)):
            with App(screen=screen, film=ONE_FRAME) as app:
                app.wait_ready()
                boxes = drawn_buttons(app.screenshot())
                self.assertEqual(len(boxes), 3, boxes)
                x0, y0, x1, y1 = boxes[index]
                # Expected where the design space says, stretched over the whole screen.
                self.assertAlmostEqual(x0, 362 * screen[0] / 1024, delta=2)
                self.assertAlmostEqual(x1 - x0, 300 * screen[0] / 1024, delta=2)
                self.assertAlmostEqual(y1 - y0, 100 * screen[1] / 768, delta=2)
                # A click between two buttons does nothing.
                if index > 0:
                    app.click((x0 + x1) // 2, (boxes[index - 1][3] + y0) // 2)
                # Near a corner of the drawn button, just inside the outline's margin.
                margin = 2 * screen[0] // 1024 + 2
                app.click(x0 + margin, y1 - margin)
                if name == "PLAY":
                    app.wait_for("se ha pulsado boton play.")
                    app.wait_for("fotograma:1")
                    app.key("Escape")
                    self.assertEqual(app.wait_exit(), 0)
                elif name == "REC":
                    app.wait_for("se ha pulsado boton grabar.")
                    app.key("Escape")
                    self.assertEqual(app.wait_exit(), 0)
                else:
                    self.assertEqual(app.wait_exit(), 0)
                self.assertEqual(app.lines[1], {"PLAY": "nfotogramas=1", "REC": "se ha pulsado boton grabar.",
                                                "SALIR": "se ha pulsado boton salir."}[name])

    def test_buttons_clickable_at_1024x768(self):
        self.check_buttons_clickable((1024, 768))

    def test_buttons_clickable_at_1280x1024(self):
        self.check_buttons_clickable((1280, 1024))

    def test_buttons_clickable_at_1920x1080(self):
        self.check_buttons_clickable((1920, 1080))


if __name__ == "__main__":
    unittest.main()
