"""The pictures that are not toolbar buttons: the close box, the current track's hide-box
marker, the drawing cursor, the splash and the score area's background."""

import math
import random

from PIL import Image, ImageDraw, ImageFilter, ImageFont

from icon_canvas import (FONT_BOLD, FONT_REGULAR, GREY_LIGHT, INK, WHITE, YELLOW, Canvas,
                         arc_points)

# Where the drawing cursor writes: its hot spot.
CURSOR_HOT_SPOT = (11, 20)


def close_box():
    c = Canvas(12, 12)
    c.fill(INK, lambda p: (p.line([(2.5, 2.5), (9.5, 9.5)], 1.8),
                           p.line([(9.5, 2.5), (2.5, 9.5)], 1.8)))
    return c.result()


def hide_marker():
    # Shown on the current track's hide box, which is locked while the track is current.
    c = Canvas(17, 23)
    c.fill(INK, lambda p: p.line(arc_points(8.5, 8, 4.2, 180, 360, 20) + [(12.7, 11)], 3.2))
    c.fill(INK, lambda p: p.line([(4.3, 8), (4.3, 11)], 3.2))
    c.fill(GREY_LIGHT, lambda p: p.line([(4.3, 11), (4.3, 8)] + arc_points(8.5, 8, 4.2, 180, 360, 20)
                                        + [(12.7, 11)], 1.2))
    c.shape(YELLOW, lambda p: p.round_rect(2, 10, 15, 21, 1.5))
    c.fill(INK, lambda p: (p.ellipse(7, 13, 10, 16), p.rect(8, 15, 9, 19)))
    return c.result()


def draw_cursor():
    """A dark pencil with a white rim; the pixel at its writing tip is the hot spot."""
    c = Canvas(32, 32)
    hx, hy = CURSOR_HOT_SPOT
    tip = (hx + 0.3, hy + 0.7)
    tail = (tip[0] + 13.5, tip[1] - 13.5)
    ux, uy = (tail[0] - tip[0]) / math.hypot(13.5, 13.5), (tail[1] - tip[1]) / math.hypot(13.5, 13.5)
    nx, ny = -uy * 3.0, ux * 3.0

    def at(d, side):
        return (tip[0] + ux * d + nx * side, tip[1] + uy * d + ny * side)

    length = math.hypot(13.5, 13.5)
    c.fill(INK, lambda p: p.poly([at(0, 0), at(5, 1), at(length, 1), at(length, -1), at(5, -1)]))
    shape = c.result()
    alpha = shape.getchannel("A").point(lambda v: 255 if v >= 110 else 0)
    alpha.putpixel(CURSOR_HOT_SPOT, 255)
    dark = Image.new("RGBA", (32, 32), INK + (255,))
    rim = alpha.filter(ImageFilter.MaxFilter(3))
    cursor = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    cursor.paste(Image.new("RGBA", (32, 32), WHITE + (255,)), (0, 0), rim)
    cursor.paste(dark, (0, 0), alpha)
    # The wood of the cone and the band before the eraser, in white lines.
    detail = ImageDraw.Draw(cursor)
    for d in (5.2, length - 3.2):
        a, b = at(d, 0.62), at(d, -0.62)
        detail.line([a, b], fill=WHITE + (255,), width=1)
    return cursor


def score_background():
    top, bottom = (240, 243, 248), (226, 231, 239)
    image = Image.new("RGB", (64, 64))
    for y in range(64):
        t = y / 63
        colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
        for x in range(64):
            image.putpixel((x, y), colour)
    return image


TRACK_COLOURS = [(255, 64, 64), (61, 140, 235), (64, 220, 96), (240, 80, 240), (40, 220, 230),
                 (255, 150, 40), (250, 230, 70), (150, 130, 255)]


def splash():
    scale = 2
    w, h = 350 * scale, 300 * scale
    image = Image.new("RGB", (w, h))
    top, bottom = (16, 22, 40), (44, 28, 70)
    pixels = image.load()
    for y in range(h):
        for x in range(w):
            t = min(1.0, max(0.0, y / h * 0.8 + x / w * 0.2))
            pixels[x, y] = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))

    roll = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(roll)
    row = 6 * scale
    key_w = 26 * scale
    roll_top, roll_bottom = 18 * scale, 190 * scale
    rows = (roll_bottom - roll_top) // row
    black = {1, 3, 6, 8, 10}
    for r in range(rows):
        y = roll_top + r * row
        pitch = (rows - r) % 12
        if pitch in black:
            d.rectangle([key_w, y, w, y + row - 1], fill=(255, 255, 255, 10))
        d.line([(key_w, y), (w, y)], fill=(255, 255, 255, 22), width=1)
    # The keyboard down the left edge: white keys meet in the middle of a black key,
    # or edge to edge between E and F and between B and C.
    d.rectangle([0, roll_top, key_w - 2, roll_bottom - 1], fill=(236, 238, 244, 240))
    for r in range(rows):
        y = roll_top + r * row
        pitch = (rows - r) % 12
        if pitch in black:
            d.rectangle([0, y, key_w * 3 // 5, y + row - 1], fill=(26, 28, 36, 255))
            d.line([(key_w * 3 // 5, y + row // 2), (key_w - 2, y + row // 2)],
                   fill=(150, 156, 170, 255), width=1)
        elif pitch in (4, 11):
            d.line([(0, y), (key_w - 2, y)], fill=(150, 156, 170, 255), width=1)
    for x in range(key_w, w, 16 * scale):
        strong = ((x - key_w) // (16 * scale)) % 4 == 0
        d.line([(x, roll_top), (x, roll_bottom)], fill=(255, 255, 255, 40 if strong else 18),
               width=scale if strong else 1)

    # A melody and a bass line, placed with a fixed seed so the picture redraws the same.
    rng = random.Random(1)
    step = 8 * scale
    for track, colour in enumerate(TRACK_COLOURS[:5]):
        x = key_w + rng.randrange(0, 4) * step
        base = [6, 12, 17, 22, 25][track]
        while x < w:
            length = rng.choice([1, 2, 2, 3, 4, 6]) * step
            r = base + rng.randrange(-3, 4)
            y = roll_top + r * row
            if roll_top <= y < roll_bottom - row:
                d.rounded_rectangle([x + 1, y + 1, x + length - 2, y + row - 2], radius=2 * scale,
                                    fill=colour + (225,), outline=(255, 255, 255, 90), width=1)
            x += length + rng.choice([0, 0, step])
    # The roll fades into the background below, where the title stands.
    fade = Image.new("L", (w, h), 0)
    fd = ImageDraw.Draw(fade)
    for y in range(h):
        t = 1.0 if y < 130 * scale else max(0.0, 1 - (y - 130 * scale) / (60 * scale))
        fd.line([(0, y), (w, y)], fill=round(255 * t))
    roll.putalpha(Image.composite(roll.getchannel("A"), Image.new("L", (w, h), 0), fade))
    image = Image.alpha_composite(image.convert("RGBA"), roll)

    # A thin play line over the roll.
    overlay = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    od = ImageDraw.Draw(overlay)
    px = 214 * scale
    od.rectangle([px, roll_top, px + scale, 180 * scale], fill=(255, 255, 255, 150))
    od.polygon([(px - 4 * scale, roll_top - 6 * scale), (px + 5 * scale, roll_top - 6 * scale),
                (px + scale // 2, roll_top)], fill=(255, 255, 255, 200))
    image = Image.alpha_composite(image, overlay)

    d = ImageDraw.Draw(image)
    title = ImageFont.truetype(FONT_BOLD, 40 * scale)
    version = ImageFont.truetype(FONT_REGULAR, 20 * scale)
    tagline = ImageFont.truetype(FONT_REGULAR, 11 * scale)
    d.text((w // 2, 222 * scale), "Midi Sorvane", font=title, fill=(250, 250, 255), anchor="mm")
    right = w // 2 + d.textlength("Midi Sorvane", font=title) / 2
    d.text((right, 250 * scale), "1.0", font=version, fill=(140, 196, 255), anchor="rm")
    d.text((w // 2 - d.textlength("Midi Sorvane", font=title) / 2, 250 * scale), "piano-roll composer",
           font=tagline, fill=(190, 196, 215), anchor="lm")
    return image.convert("RGB").resize((350, 300), Image.LANCZOS)
