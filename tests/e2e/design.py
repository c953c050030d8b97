"""The window's design as the tests read it: the JSON that every build tree
writes from the layout table. CTest gives its path in LUMIVAR_DESIGN; by hand
it defaults to the dev build's, build/dev/design.json.

Imported by atspi_view.py. Run as a script, it prints the zones and colours
as bash declarations, which lib.sh evaluates:
  WINDOW_SIZE ("WxH"), WINDOW_GROUND, CAPTION_COLOUR;
  FRAMES, BOXES (those inside frames), INPUT_BOXES (the draw's digits),
  RESULT_BOXES, BUTTONS, each in table order;
  FRAME_RECT, BOX_RECT, BUTTON_RECT (name -> "X Y W H" in client
  coordinates), BANNER_RECT and PICTURE_RECT (the parts inside the client
  area), and TEXT_COLOUR and GROUND_COLOUR (name -> "RRGGBB").
"""

import json
import os
import shlex
import sys


def load():
    top = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    path = os.environ.get("LUMIVAR_DESIGN") or os.path.join(top, "build/dev/design.json")
    try:
        with open(path, encoding="utf-8") as file:
            return json.load(file)
    except OSError as error:
        sys.exit(f"no design file ({error}): build a tree first, or set LUMIVAR_DESIGN "
                 "to the design.json of one")


def window(design):
    return design["controls"][0]


def client_rect(design, row):
    """The row's rectangle in the window's client area, cut to that area."""
    x, y, w, h = row["windowRect"]
    _, _, width, height = window(design)["rect"]
    left, top = max(x, 0), max(y, 0)
    return [left, top, min(x + w, width) - left, min(y + h, height) - top]


def of_kind(design, kind):
    return [row for row in design["controls"] if row["kind"] == kind]


def shell(design):
    frames = of_kind(design, "frame")
    frame_names = {row["name"] for row in frames}
    boxes = [row for row in of_kind(design, "box") if row["parent"] in frame_names]
    banner = next(row for row in of_kind(design, "box") if row["parent"] == window(design)["name"])
    buttons = of_kind(design, "button")
    picture = of_kind(design, "picture")[0]

    def rect(row):
        return " ".join(map(str, client_rect(design, row)))

    def names(rows):
        return " ".join(shlex.quote(row["name"]) for row in rows)

    def rects(rows):
        return " ".join(f"[{shlex.quote(row['name'])}]={shlex.quote(rect(row))}" for row in rows)

    def colours(key):
        rows = [row for row in design["controls"] if key in row]
        return " ".join(f"[{shlex.quote(row['name'])}]={row[key][1:]}" for row in rows)

    _, _, width, height = window(design)["rect"]
    lines = [
        f"declare -gr WINDOW_SIZE={width}x{height}",
        f"declare -gr WINDOW_GROUND={window(design)['ground'][1:]}",
        f"declare -gr CAPTION_COLOUR={window(design)['text'][1:]}",
        f"declare -gra FRAMES=({names(frames)})",
        f"declare -gra BOXES=({names(boxes)})",
        f"declare -gra INPUT_BOXES=({names(row for row in boxes if row.get('numeric'))})",
        f"declare -gra RESULT_BOXES=({names(row for row in boxes if not row.get('numeric'))})",
        f"declare -gra BUTTONS=({names(buttons)})",
        f"declare -grA FRAME_RECT=({rects(frames)})",
        f"declare -grA BOX_RECT=({rects(boxes)})",
        f"declare -grA BUTTON_RECT=({rects(buttons)})",
        f"declare -gr BANNER_RECT={shlex.quote(rect(banner))}",
        f"declare -gr PICTURE_RECT={shlex.quote(rect(picture))}",
        f"declare -grA TEXT_COLOUR=({colours('text')})",
        f"declare -grA GROUND_COLOUR=({colours('ground')})",
    ]
    return "\n".join(lines)


if __name__ == "__main__":
    print(shell(load()))
