#!/usr/bin/python3
"""Draws the program's pictures into this folder.

The PNGs are committed; the build only embeds them. After changing a drawing, run
    /usr/bin/python3 src/resources/pictures/make-pictures.py [--sheet /tmp/sheet.png]
(needs python3-pil and fonts-dejavu-core) and commit the changed PNGs. --sheet also
writes a contact sheet of every picture at 1x and 3x for looking them over.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True

from PIL import Image, ImageDraw, ImageFont  # noqa: E402

from icon_canvas import FONT_REGULAR, Canvas  # noqa: E402
import large_pictures  # noqa: E402
import toolbar_icons  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))


def small_pictures():
    pictures = {name: draw_icon(draw) for name, draw in toolbar_icons.ICONS.items()}
    pictures["close"] = large_pictures.close_box()
    pictures["hide-marker"] = large_pictures.hide_marker()
    pictures["draw-cursor"] = large_pictures.draw_cursor()
    return pictures


def draw_icon(draw):
    canvas = Canvas(20, 20)
    draw(canvas)
    return canvas.result()


def contact_sheet(pictures, path):
    cell_w, cell_h = 150, 100
    names = [n for n in pictures if n not in ("splash", "score-background")]
    columns = 6
    rows = (len(names) + columns - 1) // columns
    sheet = Image.new("RGB", (columns * cell_w, rows * cell_h + 380), (236, 236, 236))
    draw = ImageDraw.Draw(sheet)
    font = ImageFont.truetype(FONT_REGULAR, 11)
    for i, name in enumerate(names):
        picture = pictures[name]
        x, y = (i % columns) * cell_w, (i // columns) * cell_h
        sheet.paste(picture, (x + 8, y + 8), picture)
        big = picture.resize((picture.width * 3, picture.height * 3), Image.NEAREST)
        sheet.paste(big, (x + 40, y + 8), big)
        draw.text((x + 8, y + cell_h - 18), name, fill=(30, 30, 30), font=font)
    y = rows * cell_h + 10
    sheet.paste(pictures["splash"], (10, y))
    sheet.paste(pictures["score-background"].resize((200, 120)), (380, y))
    # The toolbar pictures side by side on a toolbar's grey, as the program shows them.
    strip_names = list(toolbar_icons.ICONS)
    per_row = (sheet.width - 20) // 24
    for i, name in enumerate(strip_names):
        x = 10 + (i % per_row) * 24
        row_y = y + 310 + (i // per_row) * 28
        draw.rectangle([x - 2, row_y - 4, x + 22, row_y + 24], fill=(239, 239, 239))
        sheet.paste(pictures[name], (x, row_y), pictures[name])
    sheet.save(path)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--sheet", help="also write a contact sheet to this path")
    parser.add_argument("--out", default=HERE, help="folder for the pictures")
    args = parser.parse_args()

    pictures = small_pictures()
    pictures["splash"] = large_pictures.splash()
    pictures["score-background"] = large_pictures.score_background()
    for name, picture in pictures.items():
        picture.save(os.path.join(args.out, name + ".png"), optimize=True)
    if args.sheet:
        contact_sheet(pictures, args.sheet)


if __name__ == "__main__":
    main()
