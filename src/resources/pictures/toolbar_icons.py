"""The 20 x 20 toolbar pictures, by file name, in toolbar order."""

import math

from icon_canvas import (BLUE, BLUE_LIGHT, GREEN, GREY, GREY_LIGHT, INK, PINK, RED, RED_DARK,
                         WHITE, WOOD, YELLOW, arc_points)
import icon_shapes as s


# The main toolbar: open and close the other toolbars, and the program's own commands.

def toolbar_setup(c):
    # A MIDI socket: five pins round the top of a round hole with its key at the bottom.
    c.shape(GREY_LIGHT, lambda p: p.ellipse(1, 1, 19, 19))
    c.fill(INK, lambda p: p.ellipse(3, 3, 17, 17))
    for x, y in ((4, 9), (14, 9), (9, 4), (5, 5), (13, 5)):
        c.fill(WHITE, lambda p, x=x, y=y: p.rect(x, y, x + 2, y + 2))
    c.fill(GREY_LIGHT, lambda p: p.rect(9, 14, 11, 17))


def toolbar_edit(c):
    for row in (4, 7, 10, 13, 16):
        c.fill(GREY, lambda p, r=row: p.rect(1, r, 19, r + 1))
    s.note(c, 2, 5, 10, colour=INK, flag=False)
    c.badge(lambda t: s.pencil(t, (8, 18), (18.5, 7.5), 5.2))


def toolbar_compose(c):
    s.grid(c, 1, 2, 19, 18, cell=3)
    c.fill(INK, lambda p: p.rect(2, 3, 4, 17))
    c.fill(WHITE, lambda p: (p.rect(2, 5, 4, 6), p.rect(2, 10, 4, 11), p.rect(2, 14, 4, 15)))
    c.shape(RED, lambda p: p.rect(5, 4, 11, 7))
    c.shape(GREEN, lambda p: p.rect(9, 9, 15, 12))
    c.shape(BLUE, lambda p: p.rect(13, 13, 18, 16))


def toolbar_rythm(c):
    s.drum(c, 2, 1, 18, 18, sticks=True)


def toolbar_play(c):
    # A film strip with a play sign: the media player.
    c.shape((70, 78, 92), lambda p: p.round_rect(1, 3, 19, 17, 1))
    for x in (3, 7, 11, 15):
        c.fill(WHITE, lambda p, x=x: (p.rect(x, 4, x + 2, 5), p.rect(x, 15, x + 2, 16)))
    c.fill(BLUE_LIGHT, lambda p: p.rect(2, 6, 18, 14))
    s.play_triangle(c, 7, 6, 14, 14)


def toolbar_record(c):
    # A microphone on its stand.
    c.fill(INK, lambda p: p.line(arc_points(10, 8, 5.6, 0, 180, 20), 1.6))
    c.fill(INK, lambda p: (p.rect(9, 13, 11, 17), p.rect(5, 17, 15, 19)))
    c.shape(GREY_LIGHT, lambda p: p.round_rect(6.5, 1, 13.5, 13, 3.5))
    c.fill(GREY, lambda p: (p.rect(8, 5, 12, 6), p.rect(8, 7, 12, 8), p.rect(8, 9, 12, 10)))
    c.fill(RED, lambda p: p.ellipse(8.5, 2.5, 11.5, 4.5))


def toolbar_instrument(c):
    s.keyboard(c, 1, 4, 19, 17, keys=3)


def stop_all_sound(c):
    c.shape(GREY_LIGHT, lambda p: p.poly([(1, 7), (5, 7), (10, 2.5), (10, 17.5), (5, 13), (1, 13)]))
    c.fill(INK, lambda p: p.rect(5, 7, 6, 13))
    c.fill(RED, lambda p: (p.line([(12.5, 6.5), (18.5, 13.5)], 2.4),
                           p.line([(18.5, 6.5), (12.5, 13.5)], 2.4)))


def help_icon(c):
    c.shape(BLUE, lambda p: p.ellipse(1, 1, 19, 19))
    c.fill(WHITE, lambda p: p.text(10, 10.5, "?", 13.5))


def exit_icon(c):
    # A door with an arrow leaving through it.
    c.shape(GREY_LIGHT, lambda p: p.rect(2, 1, 13, 19))
    c.shape(WOOD, lambda p: p.poly([(3, 2), (9, 4), (9, 19), (3, 18)]))
    c.fill(YELLOW, lambda p: p.rect(7, 10, 8, 12))
    c.badge(lambda t: s.arrow(t, (10, 10), (19.5, 10), shaft=3, head_w=8, head_len=4.5,
                              colour=RED))


# The Editing toolbar.

def draw_mode(c):
    s.pencil(c, (1.5, 18.5), (18, 2), 6.5)


def insertion_position(c):
    s.grid(c, 1, 5, 19, 19, cell=3)
    c.fill(RED + (80,), lambda p: p.rect(8, 6, 12, 18))
    c.fill(RED, lambda p: p.rect(9, 5, 11, 19))
    c.shape(RED, lambda p: p.poly([(4.5, 0.5), (15.5, 0.5), (10, 6.5)]))


def select_area(c):
    c.fill(BLUE_LIGHT + (130,), lambda p: p.rect(2, 3, 18, 17))
    border = [(x, 3) for x in range(2, 18)] + [(17, y) for y in range(4, 17)]
    border += [(x, 16) for x in range(16, 1, -1)] + [(2, y) for y in range(15, 3, -1)]
    for i, (x, y) in enumerate(border):
        colour = INK if (i // 2) % 2 == 0 else WHITE
        c.fill(colour, lambda p, x=x, y=y: p.rect(x, y, x + 1, y + 1))


def draw_select_toggle(c):
    # The pencil and the right-button menu that ticking the box brings.
    c.shape(WHITE, lambda p: p.rect(8, 7, 19, 19))
    c.fill(BLUE_LIGHT, lambda p: p.rect(9, 11, 18, 14))
    for row in (9, 12, 16):
        c.fill(GREY if row != 12 else INK, lambda p, r=row: p.rect(10, r, 17, r + 1))
    c.badge(lambda t: s.pencil(t, (1.5, 12.5), (11.5, 1.5), 4.6))


def copy(c):
    s.page(c, 1, 1, 12, 15, fold=3.5, lines=True)
    c.badge(lambda t: s.page(t, 7, 5, 18, 19, fold=3.5, lines=True))


def cut(c):
    for a, b in (((5.5, 1.5), (12.5, 13)), ((14.5, 1.5), (7.5, 13))):
        c.shape(GREY_LIGHT, lambda p, a=a, b=b: p.poly(
            [a, (b[0] + 1.8, b[1] + 0.4), (b[0] - 1.8, b[1] - 0.4)]))
    c.fill(INK, lambda p: p.ellipse(9.2, 9.2, 10.8, 10.8))
    for x0 in (1, 11):
        c.shape(RED, lambda p, x0=x0: p.ellipse(x0, 11, x0 + 8, 19))
        c.clear(c.mask(lambda p, x0=x0: p.ellipse(x0 + 2.5, 13.5, x0 + 5.5, 16.5)))


def paste(c):
    s.clipboard(c, 3, 1, 17, 19)
    for row in (7, 10, 13):
        c.fill(GREY, lambda p, r=row: p.rect(6, r, 14, r + 1))


def paste_insert(c):
    # The pasted columns go in at the insertion caret.
    s.clipboard(c, 1, 1, 13, 18)

    def arrow_to_caret(t):
        s.arrow(t, (6, 12), (15, 12), shaft=2.6, head_w=7, head_len=4, colour=GREEN)
        t.fill(RED, lambda p: (p.rect(16, 4, 19, 5), p.rect(17, 5, 18, 18), p.rect(16, 18, 19, 19)))

    c.badge(arrow_to_caret)


def insert_space(c):
    c.shape(BLUE, lambda p: (p.rect(1, 3, 4, 17), p.rect(16, 3, 19, 17)))
    s.arrow(c, (10, 10), (4.5, 10), shaft=2.4, head_w=7, head_len=3.8, colour=GREEN)
    s.arrow(c, (10, 10), (15.5, 10), shaft=2.4, head_w=7, head_len=3.8, colour=GREEN)


def move_down(c):
    s.note(c, 1, 2, 14)
    s.arrow(c, (15, 1.5), (15, 19), shaft=3, head_w=8, head_len=5, colour=BLUE)


def move_up(c):
    s.note(c, 1, 5, 14)
    s.arrow(c, (15, 19), (15, 1.5), shaft=3, head_w=8, head_len=5, colour=BLUE)


def star_points(cx, cy, outer, inner):
    points = []
    for i in range(10):
        r = outer if i % 2 == 0 else inner
        angle = math.radians(-90 + 36 * i)
        points.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    return points


def new_score(c):
    s.page(c, 2, 2, 15, 19, fold=0.01, lines=True)
    c.badge(lambda t: t.shape(YELLOW, lambda p: p.poly(star_points(14.5, 5.5, 5.5, 2.5))))


def open_icon(c):
    s.folder(c, 1, 3, 19, 17)


def save(c):
    s.floppy(c, 2, 2, 18, 18)


def save_midi(c):
    s.floppy(c, 1, 1, 15, 15)
    c.badge(lambda t: s.keyboard(t, 6, 11, 19, 19, keys=3))


def erase_all(c):
    def eraser(part_from, part_to, colour):
        x0, y0, x1, y1 = 3.5, 15.5, 16.5, 4.0
        ux, uy = (x1 - x0), (y1 - y0)
        half = 3.8
        nx, ny = -uy, ux
        norm = math.hypot(nx, ny)
        nx, ny = nx / norm * half, ny / norm * half

        def at(t, side):
            return (x0 + ux * t + nx * side, y0 + uy * t + ny * side)

        c.shape(colour, lambda p: p.poly([at(part_from, 1), at(part_to, 1), at(part_to, -1),
                                          at(part_from, -1)]))
    c.fill(GREY, lambda p: p.rect(1, 18, 19, 19))
    eraser(0.0, 0.4, WHITE)
    eraser(0.36, 1.0, PINK)


def reverse(c):
    s.arrow(c, (1.5, 6), (18.5, 6), shaft=2.6, head_w=7.5, head_len=4.5, colour=BLUE)
    s.arrow(c, (18.5, 14), (1.5, 14), shaft=2.6, head_w=7.5, head_len=4.5, colour=GREEN)


def flip(c):
    # A shape and its mirror image across the middle line.
    c.shape(BLUE, lambda p: p.poly([(2, 8), (18, 8), (18, 1)]))
    c.shape(BLUE_LIGHT, lambda p: p.poly([(2, 12), (18, 12), (18, 19)]))
    for x in range(1, 19, 3):
        c.fill(INK, lambda p, x=x: p.rect(x, 9.5, x + 2, 10.5))


def settings_file(c):
    s.page(c, 2, 1, 15, 19, fold=3.5, lines=True)
    c.badge(lambda t: s.gear(t, 14, 14, 5.6, 4.0, teeth=7))


def paste_rythm(c):
    s.clipboard(c, 1, 1, 13, 18)
    c.badge(lambda t: s.drum(t, 8, 8, 19, 19))


# The Composing toolbar.

def play(c):
    s.play_triangle(c, 4, 2, 17.5, 18)


def stop(c):
    c.shape((74, 82, 96), lambda p: p.round_rect(4, 4, 16, 16, 1.5))


def show_position(c):
    # The bar that follows the playing column across the notes.
    s.grid(c, 1, 5, 19, 19, cell=3)
    c.shape(RED, lambda p: p.rect(3, 7, 8, 10))
    c.shape(GREEN, lambda p: p.rect(5, 11, 11, 14))
    c.shape(BLUE, lambda p: p.rect(11, 15, 18, 18))
    c.shape((255, 176, 176), lambda p: p.rect(9, 5, 13, 19), outline=RED)
    s.arrow(c, (2, 2.5), (18, 2.5), shaft=1.6, head_w=5, head_len=3.5, colour=GREEN,
            outline=False)


def loop(c):
    s.circular_arrows(c, 10, 10, 6.2)


def open_score(c):
    s.folder(c, 1, 2, 17, 16)
    c.badge(lambda t: s.note(t, 10, 6, 13, colour=BLUE))


def save_score(c):
    s.floppy(c, 1, 1, 15, 15)
    c.badge(lambda t: s.note(t, 10, 6, 13, colour=BLUE))


# The Rythm toolbar.

def create_rythm(c):
    s.drum(c, 1, 6, 15, 19)
    c.badge(lambda t: s.plus(t, 14, 5))


def open_rythm(c):
    s.folder(c, 1, 2, 17, 16)
    c.badge(lambda t: s.drum(t, 8, 9, 19, 19))


def save_rythm(c):
    s.floppy(c, 1, 1, 15, 15)
    c.badge(lambda t: s.drum(t, 8, 9, 19, 19))


def test(c):
    s.drum(c, 1, 6, 14, 19)
    c.badge(lambda t: s.play_triangle(t, 11, 2, 19, 11))


# The Recording toolbar.

def record(c):
    c.shape(RED, lambda p: p.ellipse(3, 3, 17, 17), outline=RED_DARK)
    c.fill(WHITE + (110,), lambda p: p.ellipse(6, 5.5, 10, 9))


def save_wav(c):
    s.floppy(c, 1, 1, 15, 15)
    c.badge(lambda t: s.waveform(t, 7, 10, 19, 19))


def play_wav(c):
    s.waveform(c, 1, 2, 19, 13)
    c.badge(lambda t: s.play_triangle(t, 2, 9, 10, 18.5))


def recording_quality(c):
    s.waveform(c, 1, 1, 11, 11, framed=False)
    for i, colour in enumerate((GREEN, GREEN, YELLOW, RED)):
        x = 3 + i * 4
        top = 15 - i * 3
        c.shape(colour, lambda p, x=x, t=top: p.rect(x, t, x + 4, 19))


# The Play toolbar.

def play_file(c):
    s.page(c, 2, 1, 15, 19, fold=3.5, lines=True)
    c.badge(lambda t: s.play_triangle(t, 10, 8, 19, 18))


def open_file(c):
    s.folder(c, 1, 2, 17, 16)
    c.badge(lambda t: s.waveform(t, 7, 10, 19, 19))


def return_to_start(c):
    c.shape((74, 82, 96), lambda p: p.rect(3, 4, 6, 16))
    c.shape(BLUE, lambda p: p.poly([(17, 3.5), (7, 10), (17, 16.5)]))


ICONS = {
    "toolbar-setup": toolbar_setup,
    "toolbar-edit": toolbar_edit,
    "toolbar-compose": toolbar_compose,
    "toolbar-rythm": toolbar_rythm,
    "toolbar-play": toolbar_play,
    "toolbar-record": toolbar_record,
    "toolbar-instrument": toolbar_instrument,
    "stop-all-sound": stop_all_sound,
    "help": help_icon,
    "exit": exit_icon,
    "draw-mode": draw_mode,
    "insertion-position": insertion_position,
    "select-area": select_area,
    "draw-select-toggle": draw_select_toggle,
    "copy": copy,
    "cut": cut,
    "paste": paste,
    "paste-insert": paste_insert,
    "insert-space": insert_space,
    "move-down": move_down,
    "move-up": move_up,
    "new-score": new_score,
    "open": open_icon,
    "save": save,
    "save-midi": save_midi,
    "erase-all": erase_all,
    "reverse": reverse,
    "flip": flip,
    "settings-file": settings_file,
    "paste-rythm": paste_rythm,
    "play": play,
    "stop": stop,
    "show-position": show_position,
    "loop": loop,
    "open-score": open_score,
    "save-score": save_score,
    "create-rythm": create_rythm,
    "open-rythm": open_rythm,
    "save-rythm": save_rythm,
    "test": test,
    "record": record,
    "save-wav": save_wav,
    "play-wav": play_wav,
    "recording-quality": recording_quality,
    "play-file": play_file,
    "open-file": open_file,
    "return-to-start": return_to_start,
}
