"""The shapes several toolbar pictures share: pencil, note, drum, folder, floppy, page,
clipboard, keyboard, waveform, arrows. Each draws into a Canvas at a given place."""

import math

from icon_canvas import (BLUE, FOLDER_BACK, FOLDER_FRONT, GREEN, GREY, GREY_LIGHT, INK, PAPER,
                         PAPER_SHADE, PINK, RED, WHITE, WOOD, YELLOW, arc_points, ellipse_points)


def pencil(c, tip, tail, width=5.0, body=YELLOW):
    """A pencil lying from its writing tip to the end of its eraser."""
    (tx, ty), (ex, ey) = tip, tail
    length = math.hypot(ex - tx, ey - ty)
    ux, uy = (ex - tx) / length, (ey - ty) / length
    nx, ny = -uy * width / 2, ux * width / 2
    cone = min(5.0, length * 0.3)
    band = min(3.0, length * 0.18)

    def at(d, side):
        return (tx + ux * d + nx * side, ty + uy * d + ny * side)

    outline = [at(0, 0), at(cone, 1), at(length, 1), at(length, -1), at(cone, -1)]
    c.shape(body, lambda p: p.poly(outline))
    c.fill(PINK, lambda p: p.poly([at(length - band, 0.6), at(length - 1.0, 0.6),
                                   at(length - 1.0, -0.6), at(length - band, -0.6)]))
    c.fill((242, 214, 170), lambda p: p.poly([at(1.6, 0.32), at(cone, 0.8), at(cone, -0.8),
                                              at(1.6, -0.32)]))
    c.fill(INK, lambda p: p.poly([at(0, 0), at(cone, 1), at(cone, 0.8), at(1.8, 0.36),
                                  at(1.8, -0.36), at(cone, -0.8), at(cone, -1)]))
    c.fill(INK, lambda p: p.poly([at(cone - 0.5, 1), at(cone + 0.5, 1), at(cone + 0.5, -1),
                                  at(cone - 0.5, -1)]))


def note(c, x, y, height=13, colour=INK, flag=True):
    """An eighth note whose head's left edge is at x and whose stem starts at y."""
    head_w, head_h = 6.0, 4.4
    cy = y + height - head_h / 2
    cx = x + head_w / 2
    c.fill(colour, lambda p: p.poly(ellipse_points(cx, cy, head_w / 2, head_h / 2, -22)))
    stem_x = x + head_w - 1.4
    c.fill(colour, lambda p: p.rect(stem_x, y, stem_x + 1.4, cy))
    if flag:
        c.fill(colour, lambda p: p.poly([(stem_x, y), (stem_x + 1.4, y), (stem_x + 4.6, y + 3.2),
                                         (stem_x + 4.6, y + 6.4), (stem_x + 3.6, y + 7.6),
                                         (stem_x + 3.6, y + 5.4), (stem_x + 1.4, y + 3.6),
                                         (stem_x, y + 3.6)]))


def drum(c, x0, y0, x1, y1, sticks=False):
    """A snare drum filling the box; with sticks crossed above its head."""
    w = x1 - x0
    head_h = max(4.0, round((y1 - y0) * 0.4))
    if sticks:
        top = y0 + 4
        c.fill(WOOD, lambda p: p.line([(x0 + w * 0.18, y0 + 0.8), (x0 + w * 0.62, top + 2.6)], 1.6))
        c.fill(WOOD, lambda p: p.line([(x1 - w * 0.18, y0 + 0.8), (x1 - w * 0.62, top + 2.6)], 1.6))
    else:
        top = y0
    c.shape(RED, lambda p: (p.rect(x0, top + head_h / 2, x1, y1 - head_h / 2),
                            p.ellipse(x0, y1 - head_h, x1, y1)))
    # The tension rods: a zigzag across the shell.
    shell_top, shell_bottom = top + head_h, y1 - 1.6
    rods = []
    count = 4 if w >= 12 else 3
    for i in range(count + 1):
        rods.append((x0 + 1.5 + (w - 3) * i / count, shell_top if i % 2 == 0 else shell_bottom))
    c.fill(WHITE, lambda p: p.line(rods, 0.9))
    c.shape(PAPER, lambda p: p.ellipse(x0, top, x1, top + head_h))


def folder(c, x0, y0, x1, y1):
    """An open folder."""
    c.shape(FOLDER_BACK, lambda p: (p.round_rect(x0, y0, x0 + (x1 - x0) * 0.45, y0 + 4, 1),
                                    p.rect(x0, y0 + 2, x1 - 2, y1)))
    c.fill(PAPER, lambda p: p.rect(x0 + 2, y0 + 4, x1 - 4, y1 - 2))
    c.shape(FOLDER_FRONT, lambda p: p.poly([(x0 + 2.5, y0 + 7), (x1, y0 + 7), (x1 - 2.5, y1),
                                            (x0, y1)]))


def floppy(c, x0, y0, x1, y1):
    """A floppy disk: the save sign."""
    c.shape(BLUE, lambda p: p.poly([(x0, y0), (x1 - 2.5, y0), (x1, y0 + 2.5), (x1, y1), (x0, y1)]))
    w = x1 - x0
    # The shutter and the label; sizes in whole pixels so their edges stay sharp.
    sx0 = x0 + round(w * 0.25)
    sx1 = x1 - round(w * 0.2)
    c.shape(GREY_LIGHT, lambda p: p.rect(sx0, y0, sx1, y0 + round((y1 - y0) * 0.38)))
    c.fill(BLUE, lambda p: p.rect(sx1 - 3, y0 + 2, sx1 - 1.5, y0 + round((y1 - y0) * 0.38) - 1))
    c.shape(WHITE, lambda p: p.rect(x0 + 2, y1 - round((y1 - y0) * 0.45), x1 - 2, y1))


def page(c, x0, y0, x1, y1, fold=4, lines=False):
    """A sheet of paper with its top right corner folded."""
    c.shape(PAPER, lambda p: p.poly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1),
                                     (x0, y1)]))
    c.shape(PAPER_SHADE, lambda p: p.poly([(x1 - fold - 0.5, y0), (x1 - fold - 0.5, y0 + fold + 0.5),
                                           (x1, y0 + fold + 0.5)]))
    if lines:
        for row in range(int(y0) + 7, int(y1) - 1, 2):
            c.fill(GREY_LIGHT, lambda p, r=row: p.rect(x0 + 2, r, x1 - 2, r + 1))


def clipboard(c, x0, y0, x1, y1):
    c.shape(WOOD, lambda p: p.round_rect(x0, y0 + 1, x1, y1, 1.5))
    c.shape(WHITE, lambda p: p.rect(x0 + 2, y0 + 3, x1 - 2, y1 - 2))
    mid = (x0 + x1) / 2
    c.shape(GREY_LIGHT, lambda p: p.round_rect(round(mid - 3.5), y0, round(mid + 3.5), y0 + 4, 1))


def keyboard(c, x0, y0, x1, y1, keys=None):
    """Piano keys: white keys as wide as keys pixels allow, black keys between them."""
    c.shape(WHITE, lambda p: p.rect(x0, y0, x1, y1))
    step = 3 if keys is None else keys
    xs = list(range(int(x0) + step, int(x1) - 1, step))
    for x in xs:
        c.fill(INK, lambda p, x=x: p.rect(x, y0, x + 1, y1))
    black_h = round((y1 - y0) * 0.6)
    for i, x in enumerate(xs):
        if i % 7 in (2, 6):
            continue
        c.fill(INK, lambda p, x=x: p.rect(x - 1, y0, x + 2, y0 + black_h))


def waveform(c, x0, y0, x1, y1, colour=BLUE, framed=True):
    """A sound wave as an editor shows it, one bar per pixel column; on a small white panel
    when framed."""
    if framed:
        c.shape(WHITE, lambda p: p.round_rect(x0, y0, x1, y1, 1.5))
        x0, y0, x1, y1 = x0 + 2, y0 + 2, x1 - 2, y1 - 2
    height = int(y1 - y0)
    columns = int(x1 - x0)
    for i in range(columns):
        t = (i + 0.5) / columns
        level = abs(math.sin(math.pi * t * 2.6)) * (0.35 + 0.65 * math.sin(math.pi * t))
        # Centred bars need the panel's parity to stay on whole pixels.
        n = max(1, round(height * level))
        if n % 2 != height % 2:
            n = n + 1 if n < height else n - 1
        top = y0 + (height - n) // 2
        c.fill(colour, lambda p, x=x0 + i, t=top, n=n: p.rect(x, t, x + 1, t + n))


def play_triangle(c, x0, y0, x1, y1, colour=GREEN):
    c.shape(colour, lambda p: p.poly([(x0, y0), (x1, (y0 + y1) / 2), (x0, y1)]))


def arrow(c, tail, head, shaft=3.0, head_w=8.0, head_len=4.5, colour=BLUE, outline=True):
    """A straight arrow from tail to the point of its head."""
    (tx, ty), (hx, hy) = tail, head
    length = math.hypot(hx - tx, hy - ty)
    ux, uy = (hx - tx) / length, (hy - ty) / length
    nx, ny = -uy, ux

    def at(d, side):
        return (tx + ux * d + nx * side, ty + uy * d + ny * side)

    base = length - head_len
    points = [at(0, shaft / 2), at(base, shaft / 2), at(base, head_w / 2), at(length, 0),
              at(base, -head_w / 2), at(base, -shaft / 2), at(0, -shaft / 2)]
    if outline:
        c.shape(colour, lambda p: p.poly(points))
    else:
        c.fill(colour, lambda p: p.poly(points))


def plus(c, cx, cy, colour=GREEN):
    """A plus sign, 9 pixels across, centred on the pixel (cx, cy)."""
    c.shape(colour, lambda p: (p.rect(cx - 4, cy - 1.5 + 0.5, cx + 5, cy + 1.5 + 0.5),
                               p.rect(cx - 1, cy - 4, cx + 2, cy + 5)))


def gear(c, cx, cy, outer, inner, teeth=8, colour=GREY, hole=None):
    points = []
    for i in range(teeth * 4):
        angle = 2 * math.pi * (i + 0.5) / (teeth * 4)
        r = outer if (i % 4) in (0, 1) else inner
        points.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    c.shape(colour, lambda p: p.poly(points))
    radius = hole if hole is not None else inner * 0.42
    c.shape(WHITE, lambda p: p.ellipse(cx - radius, cy - radius, cx + radius, cy + radius))


def grid(c, x0, y0, x1, y1, cell=3, background=WHITE):
    """A piano-roll grid panel."""
    c.shape(background, lambda p: p.rect(x0, y0, x1, y1))
    for x in range(int(x0) + cell, int(x1) - 1, cell):
        c.fill(PAPER_SHADE, lambda p, x=x: p.rect(x, y0 + 1, x + 1, y1 - 1))
    for y in range(int(y0) + cell, int(y1) - 1, cell):
        c.fill(PAPER_SHADE, lambda p, y=y: p.rect(x0 + 1, y, x1 - 1, y + 1))


def circular_arrows(c, cx, cy, r, colour=BLUE):
    """Two arrows chasing each other round a circle: the loop sign."""
    for start in (200, 20):
        arc = arc_points(cx, cy, r, start, start + 125, 24)
        c.fill(INK, lambda p, a=arc: p.line(a, 4.2))
        c.fill(colour, lambda p, a=arc: p.line(a, 2.2))
        end = math.radians(start + 125)
        tip_angle = end + 0.55
        tip = (cx + r * math.cos(tip_angle), cy + r * math.sin(tip_angle))
        out = (cx + (r + 3.4) * math.cos(end), cy + (r + 3.4) * math.sin(end))
        inn = (cx + (r - 3.4) * math.cos(end), cy + (r - 3.4) * math.sin(end))
        c.shape(colour, lambda p, t=(tip, out, inn): p.poly(list(t)))

