"""Drawing surface and shared shapes for the program's pictures (see make-pictures.py).

Coordinates are pixels of the finished picture; shapes are drawn at four times
that size and averaged down, so an edge on a whole pixel stays crisp and only
slanted or round edges get soft.
"""

import math

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SCALE = 4

INK = (38, 45, 58)
WHITE = (255, 255, 255)
PAPER = (250, 251, 253)
PAPER_SHADE = (214, 221, 231)
GREY = (140, 150, 164)
GREY_LIGHT = (200, 207, 216)
BLUE = (45, 116, 201)
BLUE_LIGHT = (150, 196, 240)
RED = (220, 54, 48)
RED_DARK = (168, 34, 32)
GREEN = (42, 160, 72)
YELLOW = (247, 190, 52)
FOLDER_BACK = (214, 150, 34)
FOLDER_FRONT = (250, 202, 84)
WOOD = (176, 112, 60)
PINK = (240, 128, 150)

FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
FONT_REGULAR = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"


def ellipse_points(cx, cy, rx, ry, angle=0.0, steps=48):
    a = math.radians(angle)
    points = []
    for i in range(steps):
        t = 2 * math.pi * i / steps
        x, y = rx * math.cos(t), ry * math.sin(t)
        points.append((cx + x * math.cos(a) - y * math.sin(a), cy + x * math.sin(a) + y * math.cos(a)))
    return points


def arc_points(cx, cy, r, start, end, steps=32):
    """Points on a circle from angle start to end, degrees, clockwise on screen."""
    return [(cx + r * math.cos(math.radians(start + (end - start) * i / steps)),
             cy + r * math.sin(math.radians(start + (end - start) * i / steps)))
            for i in range(steps + 1)]


class Pen:
    """Draws one coverage mask in picture pixels."""

    def __init__(self, mask):
        self.draw = ImageDraw.Draw(mask)

    @staticmethod
    def _p(points):
        return [(x * SCALE - 0.5, y * SCALE - 0.5) for x, y in points]

    def rect(self, x0, y0, x1, y1, value=255):
        """Covers the pixels x0..x1-1, y0..y1-1."""
        self.draw.rectangle([round(x0 * SCALE), round(y0 * SCALE), round(x1 * SCALE) - 1,
                             round(y1 * SCALE) - 1], fill=value)

    def round_rect(self, x0, y0, x1, y1, radius, value=255):
        self.draw.rounded_rectangle([round(x0 * SCALE), round(y0 * SCALE), round(x1 * SCALE) - 1,
                                     round(y1 * SCALE) - 1], radius=radius * SCALE, fill=value)

    def ellipse(self, x0, y0, x1, y1, value=255):
        self.draw.ellipse([round(x0 * SCALE), round(y0 * SCALE), round(x1 * SCALE) - 1,
                           round(y1 * SCALE) - 1], fill=value)

    def poly(self, points, value=255):
        self.draw.polygon(self._p(points), fill=value)

    def line(self, points, width=1.0, value=255):
        """A stroke centred on the points: a 1-pixel line along a row sits at y = row + 0.5."""
        self.draw.line(self._p(points), fill=value, width=max(1, round(width * SCALE)), joint="curve")

    def text(self, x, y, text, size, font=FONT_BOLD, anchor="mm", value=255):
        face = ImageFont.truetype(font, round(size * SCALE))
        self.draw.text((x * SCALE, y * SCALE), text, font=face, fill=value, anchor=anchor)


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.size = (width * SCALE, height * SCALE)
        self.image = Image.new("RGBA", self.size, (0, 0, 0, 0))

    def mask(self, draw):
        mask = Image.new("L", self.size, 0)
        draw(Pen(mask))
        return mask

    def paint(self, colour, mask):
        layer = Image.new("RGBA", self.size, tuple(colour[:3]) + (255,))
        alpha = mask if len(colour) == 3 else mask.point(lambda v: v * colour[3] // 255)
        layer.putalpha(alpha)
        self.image = Image.alpha_composite(self.image, layer)

    def fill(self, colour, draw):
        """A flat shape without outline (strokes, marks on other shapes)."""
        self.paint(colour, self.mask(draw))

    def shape(self, colour, draw, outline=INK):
        """A shape filled with colour inside a one-pixel outline along its own edge."""
        mask = self.mask(draw)
        self.paint(outline, mask)
        self.paint(colour, mask.filter(ImageFilter.MinFilter(2 * SCALE + 1)))

    def clear(self, mask):
        """Makes the picture transparent where the mask covers it."""
        self.image.putalpha(ImageChops.multiply(self.image.getchannel("A"), ImageChops.invert(mask)))

    def badge(self, draw):
        """Draws over the picture with a one-pixel transparent gap around what is drawn,
        so a small sign stays apart from the shape under it."""
        top = Canvas(self.width, self.height)
        draw(top)
        coverage = top.image.getchannel("A").point(lambda v: 255 if v > 40 else 0)
        self.clear(coverage.filter(ImageFilter.MaxFilter(2 * SCALE + 1)))
        self.image = Image.alpha_composite(self.image, top.image)

    def result(self):
        small = self.image.convert("RGBa").resize((self.width, self.height), Image.BOX)
        small = small.convert("RGBA")
        # Coverage this faint only blurs the edge.
        alpha = small.getchannel("A").point(lambda v: 0 if v < 20 else v)
        small.putalpha(alpha)
        return small

