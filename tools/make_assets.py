#!/usr/bin/python3
"""Regenerates every file under resources/ that Lumivar bundles.

    /usr/bin/python3 tools/make_assets.py        (or: make assets)

Needs Debian's python3-fonttools, python3-pil, fonts-noto-cjk and woff2;
building the program does not. Outputs, all deterministic (same input, same bytes):

  resources/fonts/LumivarSong-Bold.otf   subset of Noto Serif CJK SC Bold, stands in for 宋体
  resources/fonts/LumivarHei-Bold.otf    subset of Noto Sans CJK SC Bold, stands in for 黑体
  resources/fonts/Lumivar*-Bold.woff2    the same two subsets as WOFF 2.0, for the page
  resources/fonts/OFL.txt                the fonts' licence
  resources/images/portrait.jpg          181 x 330 decorative portrait
  resources/icons/lumivar.png            32 x 32 window icon, 256-colour palette
  resources/icons/lumivar.ico            16, 32 and 48 pixel Windows icon
  resources/icons/lumivar.svg            the icon as a vector drawing
  resources/icons/hicolor/NxN/lumivar.png  desktop icon theme renderings
  resources/icons/web/lumivar-N.png      the installable site's icons
  resources/icons/web/apple-touch-icon.png  180 x 180, opaque, for an iPhone's home screen
  resources/lumivar.qrc                  Qt resources

The font subsets hold every character the program shows: the non-ASCII
characters of the string literals in the folders that tools/folders marks as
shown, plus a fixed set. Every top-level folder is listed there, read or not;
an unlisted one stops the generator.
"""

import math
import re
import struct
import subprocess
import sys
from pathlib import Path

from fontTools import subset
from fontTools.ttLib import TTCollection, TTFont
from PIL import Image, ImageChops, ImageDraw, ImageFilter

REPO = Path(__file__).resolve().parent.parent
RESOURCES = REPO / "resources"
NOTO_DIR = Path("/usr/share/fonts/opentype/noto")
NOTO_DEBIAN_COPYRIGHT = Path("/usr/share/doc/fonts-noto-cjk/copyright")

# ---------------------------------------------------------------------------
# Characters the fonts must hold
# ---------------------------------------------------------------------------


# Qt's own texts that the window shows in Qt's Simplified Chinese
# translation: an edit box's context menu. The program's own texts are read
# from its sources.
FIXED_TEXTS = "撤消重做剪切复制粘贴删除全选"


def listed_folders():
    """tools/folders: every top-level folder, and whether its string literals
    are text that a window shows."""
    rows = {}
    for line in (REPO / "tools/folders").read_text(encoding="utf-8").splitlines():
        if line.strip() and not line.startswith("#"):
            name, _lint, shown, _what = line.split(None, 3)
            rows[name] = shown == "yes"
    return rows


FOLDERS = listed_folders()
SOURCE_DIRS = [name for name, shown in FOLDERS.items() if shown]


def top_level_folders():
    """The top-level folders that hold files git knows (tracked, or new and not
    ignored); outside a git checkout, every folder but .git and build."""
    try:
        listing = subprocess.run(
            ["git", "-C", str(REPO), "ls-files", "-z", "--cached", "--others",
             "--exclude-standard"],
            check=True, capture_output=True).stdout.decode("utf-8")
    except (OSError, subprocess.CalledProcessError):
        return {p.name for p in REPO.iterdir() if p.is_dir() and p.name not in (".git", "build")}
    return {path.split("/", 1)[0] for path in listing.split("\0") if "/" in path}


def check_folders_listed():
    unknown = sorted(top_level_folders() - FOLDERS.keys())
    if unknown:
        raise SystemExit(
            f"make_assets: top-level folders {unknown} are not listed in tools/folders; "
            "say whether the program shows their texts")


SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".cxx"}

# Comments are matched too, so that quotes inside them do not open a literal.
CPP_TOKEN = re.compile(
    r"""
      //[^\n]*
    | /\*.*?\*/
    | (?:u8|[uUL])?R"(?P<delim>[^()\\\s]{0,16})\((?P<raw>.*?)\)(?P=delim)"
    | (?:u8|[uUL])?"(?P<text>(?:\\.|[^"\\\n])*)"
    | (?:u8|[uUL])?'(?P<char>(?:\\.|[^'\\\n])*)'
    """,
    re.VERBOSE | re.DOTALL,
)
UNICODE_ESCAPE = re.compile(r"\\u([0-9A-Fa-f]{4})|\\U([0-9A-Fa-f]{8})")


def decode_unicode_escapes(literal):
    return UNICODE_ESCAPE.sub(lambda m: chr(int(m.group(1) or m.group(2), 16)), literal)


def literal_characters(source_text):
    """Non-ASCII characters inside the string and character literals of C++ source."""
    found = set()
    for token in CPP_TOKEN.finditer(source_text):
        body = token.group("raw")
        if body is None:
            body = token.group("text") or token.group("char")
            body = decode_unicode_escapes(body) if body else body
        if body:
            found.update(c for c in body if ord(c) > 0x7E and c.isprintable())
    return found


def source_characters():
    found = set()
    for folder in SOURCE_DIRS:
        root = REPO / folder
        if not root.is_dir():
            continue
        for path in sorted(root.rglob("*")):
            if path.suffix in SOURCE_SUFFIXES and path.is_file():
                found |= literal_characters(path.read_text(encoding="utf-8"))
    return found


def fixed_characters():
    chars = {chr(c) for c in range(0x20, 0x7F)}  # printable ASCII
    chars |= {chr(c) for c in range(0xFF10, 0xFF1A)}  # full-width digits
    chars |= {"\uFF1A", "\u00B7"}  # full-width colon, middle dot
    chars |= set(FIXED_TEXTS)
    return chars


# ---------------------------------------------------------------------------
# Font subsets
# ---------------------------------------------------------------------------

# What HarfBuzz applies to plain horizontal CJK and Latin text. Vertical
# forms, width variants and regional glyph swaps (locl) are left out: the
# subsets are Simplified Chinese faces and nothing else.
HORIZONTAL_FEATURES = ["ccmp", "liga", "calt", "kern", "mark", "mkmk"]
VERTICAL_TABLES = ["vhea", "vmtx", "VORG"]


class FontJob:
    def __init__(self, collection, source_family, family, output):
        self.collection = NOTO_DIR / collection
        self.source_family = source_family  # e.g. "Noto Serif CJK SC"
        self.family = family
        self.output = RESOURCES / "fonts" / output

    @property
    def postscript_name(self):
        return self.family.replace(" ", "") + "-Bold"


FONT_JOBS = [
    FontJob("NotoSerifCJK-Bold.ttc", "Noto Serif CJK SC", "Lumivar Song", "LumivarSong-Bold.otf"),
    FontJob("NotoSansCJK-Bold.ttc", "Noto Sans CJK SC", "Lumivar Hei", "LumivarHei-Bold.otf"),
]


def english_name(font, name_id):
    record = font["name"].getName(name_id, 3, 1, 0x409)
    return record.toUnicode() if record else None


def face_number(collection_path, family):
    """Index of the face whose English family name is `family` inside a .ttc."""
    collection = TTCollection(str(collection_path), lazy=True)
    for number, face in enumerate(collection.fonts):
        if english_name(face, 1) == family:
            return number
    raise SystemExit(f"make_assets: no face named {family!r} in {collection_path}")


def load_source_face(job):
    number = face_number(job.collection, job.source_family)
    return TTFont(str(job.collection), fontNumber=number, recalcTimestamp=False)


def subset_options():
    options = subset.Options()
    options.layout_features = HORIZONTAL_FEATURES
    options.drop_tables = options.drop_tables + VERTICAL_TABLES
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.recalc_timestamp = False
    return options


def rename_face(font, job):
    """Gives the subset its own names in the name table and in the CFF table."""
    family, ps_name = job.family, job.postscript_name
    full_name = f"{family} Bold"
    name = font["name"]
    credits = english_name(font, 10)
    for name_id in (1, 2, 3, 4, 6, 10, 16, 17):
        name.removeNames(nameID=name_id)  # drops the localised (zh-CN) records too
    revision = font["head"].fontRevision
    description = (
        f"Modified Version of {job.source_family} Bold: a subset holding only the "
        f"characters Lumivar shows, renamed as the SIL Open Font License requires. "
        f"Original credits: {credits}"
    )
    for name_id, text in (
        (1, family),
        (2, "Bold"),
        (3, f"{revision:.3f};Lumivar;{ps_name}"),
        (4, full_name),
        (6, ps_name),
        (10, description),
        (16, family),
        (17, "Bold"),
    ):
        name.setName(text, name_id, 3, 1, 0x409)

    cff = font["CFF "].cff
    old_ps_name = cff.fontNames[0]
    cff.fontNames = [ps_name]
    top = cff.topDictIndex[0]
    top.FamilyName = family
    top.FullName = full_name
    for font_dict in getattr(top, "FDArray", []):
        font_dict.FontName = font_dict.FontName.replace(old_ps_name, ps_name)


# OS/2 code page bits: Latin 1 and Simplified Chinese (GB2312).
LATIN1_CODE_PAGE_BIT = 0
GB2312_CODE_PAGE_BIT = 18


def claim_code_pages(font):
    """Claims only the code pages the subset serves.

    The full faces claim Japanese, Korean and Traditional Chinese as well, and
    some font databases (Qt on Windows) take writing-system support from these
    bits.
    """
    os2 = font["OS/2"]
    os2.ulCodePageRange1 = (1 << LATIN1_CODE_PAGE_BIT) | (1 << GB2312_CODE_PAGE_BIT)
    os2.ulCodePageRange2 = 0


def make_font_subset(job, characters):
    font = load_source_face(job)
    cmap = font.getBestCmap()
    missing = sorted(c for c in characters if ord(c) not in cmap)
    if missing:
        raise SystemExit(f"make_assets: {job.source_family} lacks {''.join(missing)!r}")
    subsetter = subset.Subsetter(subset_options())
    subsetter.populate(unicodes=sorted(ord(c) for c in characters))
    subsetter.subset(font)
    rename_face(font, job)
    claim_code_pages(font)
    font.save(str(job.output))
    check_font(job, characters)
    # The page embeds the same subset as WOFF 2.0 (Debian's woff2), written
    # beside it.
    subprocess.run(["woff2_compress", str(job.output)], check=True, stdout=subprocess.DEVNULL)


def check_font(job, characters):
    font = TTFont(str(job.output))
    cmap = font.getBestCmap()
    missing = sorted(c for c in characters if ord(c) not in cmap)
    if missing:
        raise SystemExit(f"make_assets: {job.output.name} lacks {''.join(missing)!r}")
    families = {r.toUnicode() for r in font["name"].names if r.nameID in (1, 16)}
    if families != {job.family}:
        raise SystemExit(f"make_assets: {job.output.name} family names are {families}")
    if "Noto" in font["CFF "].cff.fontNames[0]:
        raise SystemExit(f"make_assets: {job.output.name} CFF still carries the old name")


# ---------------------------------------------------------------------------
# Font licence
# ---------------------------------------------------------------------------


def debian_ofl_text():
    """The SIL OFL 1.1 text from the copyright file of Debian's fonts-noto-cjk."""
    lines = NOTO_DEBIAN_COPYRIGHT.read_text(encoding="utf-8").splitlines()
    # The first "License: SIL-1.1" names the licence of "Files: *"; the text
    # follows the stand-alone paragraph of the same name.
    start = next(
        i + 1
        for i, line in enumerate(lines[:-1])
        if line == "License: SIL-1.1" and lines[i + 1].startswith(" ")
    )
    body = []
    for line in lines[start:]:
        if not line.startswith(" "):
            break
        body.append("" if line == " ." else line[1:])
    return "\n".join(body).strip("\n") + "\n"


def debian_copyright_line():
    text = NOTO_DEBIAN_COPYRIGHT.read_text(encoding="utf-8")
    files_all = text.split("Files: *", 1)[1]
    return re.search(r"^Copyright: (.*)$", files_all, re.MULTILINE).group(1).strip()


def licence_text():
    notices = []
    for job in FONT_JOBS:
        face = load_source_face(job)
        notices.append(
            f"{job.source_family} Bold: {english_name(face, 0)} {english_name(face, 7)}"
        )
    subsets = "\n".join(
        f"  {job.output.name} (family \"{job.family}\") from {job.source_family} Bold"
        for job in FONT_JOBS
    )
    header = f"""\
Copyright notices of the Original Versions, as recorded in the fonts:
  {notices[0]}
  {notices[1]}
Copyright line of Debian's fonts-noto-cjk package: Copyright {debian_copyright_line()}

This Font Software is licensed under the SIL Open Font License, Version 1.1.
The license text is copied below.

Modified Versions

The fonts in this folder are Modified Versions of the Noto CJK fonts:
{subsets}
Each holds only the characters that Lumivar shows; vertical-writing tables
and features were removed. tools/make_assets.py makes them from Debian's
fonts-noto-cjk package.

Reserved Font Names: the copyright statements above declare none. "Noto" is
a trademark of Google Inc., and other releases of the same designs (Adobe's
Source Han fonts and, for example, Noto Sans SC on Google Fonts) reserve the
name "Source". The Modified Versions therefore use neither name: they are
renamed "Lumivar Song" and "Lumivar Hei" in every font-name record of their
name and CFF tables. The copyright notices are kept in the fonts.

"""
    return header + debian_ofl_text()


# ---------------------------------------------------------------------------
# Drawing helpers
# ---------------------------------------------------------------------------


def catmull_rom(points, steps=12):
    """Smooth open curve through `points` (the first and last are kept)."""
    padded = [points[0]] + list(points) + [points[-1]]
    curve = []
    for i in range(1, len(padded) - 2):
        p0, p1, p2, p3 = padded[i - 1], padded[i], padded[i + 1], padded[i + 2]
        for step in range(steps):
            t = step / steps
            t2, t3 = t * t, t * t * t
            curve.append(
                tuple(
                    0.5
                    * (
                        2 * b
                        + (c - a) * t
                        + (2 * a - 5 * b + 4 * c - d) * t2
                        + (3 * b - a - 3 * c + d) * t3
                    )
                    for a, b, c, d in zip(p0, p1, p2, p3)
                )
            )
    curve.append(tuple(points[-1]))
    return curve


def scaled(points, factor):
    return [(x * factor, y * factor) for x, y in points]


def tinted(mask, colour, strength=1.0):
    """RGB image of `colour` whose brightness follows an L mask."""
    bands = [mask.point(lambda v, c=c: int(v * c * strength / 255 + 0.5)) for c in colour]
    return Image.merge("RGB", bands)


def radial_falloff(width, height, power):
    """L image, 255 at the centre falling to 0 at the inscribed ellipse."""
    distance = Image.radial_gradient("L")  # 0 at the centre, 181 at the edge midpoints
    falloff = distance.point(lambda v: int(255 * max(0.0, 1 - v / 181) ** power + 0.5))
    return falloff.resize((width, height), Image.Resampling.BICUBIC)


def vertical_fade(size, start, floor):
    """L image, full down to `start` (a fraction of the height), then fading to `floor`."""

    def level(v):
        y = v / 255
        if y <= start:
            return 255
        return int(255 * (1 - (1 - floor) * (y - start) / (1 - start)) + 0.5)

    return Image.linear_gradient("L").point(level).resize(size, Image.Resampling.BICUBIC)


def edge_band(mask, dx, dy, blur):
    """The part of `mask` whose neighbour at (-dx, -dy) is outside: the edges facing that way.

    The shift wraps round, so where the figure runs off one side of the picture
    the other side's figure stands in for the neighbour and no band appears
    along the picture's own border.
    """
    shifted = ImageChops.offset(mask, dx, dy)
    band = ImageChops.subtract(mask, shifted)
    return band.filter(ImageFilter.GaussianBlur(blur))


# ---------------------------------------------------------------------------
# Portrait
# ---------------------------------------------------------------------------

PORTRAIT_SIZE = (181, 330)
PORTRAIT_SUPERSAMPLE = 4

# Profile facing left, in final-image pixels: forehead, nose, lips, chin, throat
# and chest down to the bottom edge.
PROFILE_FRONT = [
    (104, 58), (84, 66), (70, 80), (63, 96), (61, 108), (58, 116), (54, 124), (47, 134),
    (50, 139), (57, 142), (57, 147), (53, 151), (58, 155), (56, 160), (61, 166), (59, 172),
    (62, 180), (72, 186), (86, 189), (92, 198), (92, 214), (84, 232), (62, 248), (36, 266),
    (18, 290), (8, 318), (4, 336),
]
# Back of the head, then long hair falling behind the shoulder to the bottom edge.
PROFILE_BACK = [
    (104, 58), (126, 60), (144, 72), (154, 92), (157, 116), (154, 140), (150, 160),
    (152, 184), (160, 212), (170, 240), (178, 270), (183, 300), (186, 336),
]
# The hair's front edge where it meets the face and neck (for hair shading).
HAIR_FRONT = [
    (98, 60), (82, 70), (76, 84), (86, 98), (100, 112), (108, 132), (112, 156),
    (114, 184), (122, 214), (132, 244), (146, 274), (156, 304), (160, 336),
]


def portrait_silhouette(size, factor):
    outline = catmull_rom(PROFILE_FRONT)[::-1] + catmull_rom(PROFILE_BACK)[1:]
    mask = Image.new("L", size, 0)
    ImageDraw.Draw(mask).polygon(scaled(outline, factor), fill=255)
    return mask


def portrait_hair(size, factor):
    """Up the hair's front edge, over the crown and down the back; clipped to the figure later."""
    outline = catmull_rom(HAIR_FRONT)[::-1] + catmull_rom(PROFILE_BACK)
    mask = Image.new("L", size, 0)
    ImageDraw.Draw(mask).polygon(scaled(outline, factor), fill=255)
    return mask


def hair_strands(size, factor):
    """Thin light strokes following the fall of the hair."""
    strands = Image.new("L", size, 0)
    draw = ImageDraw.Draw(strands)
    for i in range(7):
        shift = 6 + i * 6.5
        points = [(104 + shift * 0.35, 62 + shift * 0.15), (124 + shift * 0.3, 80 + shift * 0.2),
                  (132 + shift * 0.3, 120), (134 + shift * 0.3, 160),
                  (142 + shift * 0.35, 210), (156 + shift * 0.35, 260),
                  (166 + shift * 0.3, 330)]
        curve = scaled(catmull_rom(points), factor)
        draw.line(curve, fill=90 - i * 8, width=factor, joint="curve")
    return strands.filter(ImageFilter.GaussianBlur(factor * 0.8))


def make_portrait():
    factor = PORTRAIT_SUPERSAMPLE
    width, height = PORTRAIT_SIZE[0] * factor, PORTRAIT_SIZE[1] * factor
    size = (width, height)

    # Background: black with a faint violet glow behind the head.
    glow = Image.new("L", size, 0)
    glow_box = (int(10 * factor), int(10 * factor), int(200 * factor), int(250 * factor))
    glow.paste(
        radial_falloff(glow_box[2] - glow_box[0], glow_box[3] - glow_box[1], 2.0),
        glow_box[:2],
    )
    picture = tinted(glow, (70, 52, 120), 0.55)

    figure = portrait_silhouette(size, factor)
    hair = ImageChops.multiply(portrait_hair(size, factor), figure)
    skin = ImageChops.subtract(figure, hair)

    # Key light from the upper left: warm and soft on the face, fading to the back.
    key = Image.new("L", size, 0)
    key_box = (int(-40 * factor), int(40 * factor), int(150 * factor), int(260 * factor))
    key.paste(radial_falloff(key_box[2] - key_box[0], key_box[3] - key_box[1], 1.4), key_box[:2])
    skin_light = ImageChops.multiply(key, skin)
    body = tinted(skin_light, (214, 150, 112), 0.62)

    hair_light = ImageChops.multiply(key, hair)
    body = ImageChops.add(body, tinted(hair_light, (120, 70, 60), 0.35))
    body = ImageChops.add(body, tinted(ImageChops.multiply(hair_strands(size, factor), hair),
                                       (200, 150, 120), 0.55))

    # Inside the figure the base tone is near black; the lights add to it.
    base = tinted(figure, (14, 10, 16))
    picture = Image.composite(ImageChops.add(base, body), picture, figure)

    # Rim lights: gold on the edges facing the key light, cool blue on the back.
    front_rim = edge_band(figure, 3 * factor, 2 * factor, 1.6 * factor)
    front_rim = ImageChops.multiply(front_rim, vertical_fade(size, 0.55, 0.3))
    back_rim = edge_band(figure, -3 * factor, 0, 2.2 * factor)
    picture = ImageChops.add(picture, tinted(front_rim, (255, 206, 150), 0.95))
    picture = ImageChops.add(picture, tinted(back_rim, (110, 150, 230), 0.55))

    # The picture as designed, and twice as large for screens that scale by 2.
    for scale, name in ((1, "portrait.jpg"), (2, "portrait@2x.jpg")):
        picture.reduce(factor // scale).save(RESOURCES / "images" / name, "JPEG", quality=85,
                                             optimize=True, progressive=False)


# ---------------------------------------------------------------------------
# Icon: white skull with radiating spikes on black
# ---------------------------------------------------------------------------

ICON_UNITS = 256  # the design is drawn on a 256 x 256 grid
WHITE, BLACK = 255, 0


SKULL_SCALE = 0.86  # the skull is drawn at this size about the centre


def spike_polygons():
    """Twelve spikes, long and short in turn, rising from an ellipse round the skull."""
    cx, cy = 128, 128
    base_rx, base_ry = 70, 82
    spikes = []
    for i in range(12):
        angle = 2 * math.pi * i / 12 - math.pi / 2
        long = i % 2 == 0
        tip_radius = 124 if long else 108
        half_width = math.radians(12 if long else 10)
        tip = (cx + tip_radius * math.cos(angle), cy + tip_radius * math.sin(angle))
        left, right = (
            (cx + base_rx * math.cos(angle + s * half_width),
             cy + base_ry * math.sin(angle + s * half_width))
            for s in (-1, 1)
        )
        spikes.append(("polygon", WHITE, [left, tip, right]))
    return spikes


def skull_shapes():
    """The skull on the 256 grid before scaling about the centre."""
    return [
        ("ellipse", WHITE, (128, 112, 58, 56)),  # cranium: centre x, y, radius x, y
        ("rrect", WHITE, (92, 140, 164, 200, 16)),  # jaw: left, top, right, bottom, radius
        ("ellipse", BLACK, (103, 119, 21, 19)),  # eye sockets
        ("ellipse", BLACK, (153, 119, 21, 19)),
        ("polygon", BLACK, [(128, 140), (118, 162), (138, 162)]),  # nose
        ("rrect", BLACK, (111, 176, 119, 206, 3)),  # gaps between the teeth
        ("rrect", BLACK, (137, 176, 145, 206, 3)),
        ("polygon", BLACK, [(70, 138), (92, 146), (92, 162), (76, 156)]),  # cheek notches
        ("polygon", BLACK, [(186, 138), (164, 146), (164, 162), (180, 156)]),
    ]


def scaled_about_centre(shape, factor):
    kind, fill, geometry = shape

    def point(x, y):
        return (128 + (x - 128) * factor, 128 + (y - 128) * factor)

    if kind == "polygon":
        return kind, fill, [point(x, y) for x, y in geometry]
    if kind == "ellipse":
        cx, cy, rx, ry = geometry
        return kind, fill, (*point(cx, cy), rx * factor, ry * factor)
    left, top, right, bottom, radius = geometry
    return kind, fill, (*point(left, top), *point(right, bottom), radius * factor)


def icon_shapes():
    """The design as (kind, fill, geometry) in drawing order, on the 256 grid."""
    skull = [scaled_about_centre(shape, SKULL_SCALE) for shape in skull_shapes()]
    return spike_polygons() + skull


TILE_RADIUS = 28  # rounded corners of the black ground in the theme icons and the SVG


def draw_icon_shapes(draw, scale):
    for kind, fill, geometry in icon_shapes():
        if kind == "polygon":
            draw.polygon([(x * scale, y * scale) for x, y in geometry], fill=fill)
        elif kind == "ellipse":
            cx, cy, rx, ry = geometry
            draw.ellipse(((cx - rx) * scale, (cy - ry) * scale, (cx + rx) * scale,
                          (cy + ry) * scale), fill=fill)
        else:
            left, top, right, bottom, radius = geometry
            draw.rounded_rectangle((left * scale, top * scale, right * scale, bottom * scale),
                                   radius=radius * scale, fill=fill)


def icon_supersampling(size):
    """Drawing scale for `size`: at least 8 x 8 samples a pixel, canvas at least 2048 wide."""
    return max(8, -(-2048 // size))


def icon_coverage(size):
    """White coverage of the design at `size` pixels, drawn large and box-averaged down."""
    factor = icon_supersampling(size)
    scale = size * factor / ICON_UNITS
    canvas = Image.new("L", (size * factor, size * factor), BLACK)
    draw_icon_shapes(ImageDraw.Draw(canvas), scale)
    return canvas.reduce(factor)


def tile_alpha(size):
    factor = icon_supersampling(size)
    scale = size * factor / ICON_UNITS
    canvas = Image.new("L", (size * factor, size * factor), 0)
    ImageDraw.Draw(canvas).rounded_rectangle(
        (0, 0, size * factor - 1, size * factor - 1), radius=TILE_RADIUS * scale, fill=255)
    return canvas.reduce(factor)


GREY_PALETTE = bytes(v for level in range(256) for v in (level, level, level))


def palette_icon(size):
    """The design on a square black ground as an 8-bit palette image of greys."""
    icon = Image.frombytes("P", (size, size), icon_coverage(size).tobytes())
    icon.putpalette(GREY_PALETTE)
    return icon


def theme_icon(size):
    coverage = icon_coverage(size)
    return Image.merge("RGBA", (coverage, coverage, coverage, tile_alpha(size)))


def ico_bitmap(icon):
    """One 8-bit BMP image of an .ico file (BITMAPINFOHEADER, palette, pixels, AND mask)."""
    width, height = icon.size
    xor_stride = (width + 3) // 4 * 4
    and_stride = (width + 31) // 32 * 4
    pixels = icon.tobytes()
    xor_rows = b"".join(
        pixels[y * width:(y + 1) * width].ljust(xor_stride, b"\0") for y in reversed(range(height))
    )
    and_rows = bytes(and_stride * height)  # every pixel opaque
    palette = icon.getpalette()
    quad = b"".join(bytes((palette[3 * i + 2], palette[3 * i + 1], palette[3 * i], 0))
                    for i in range(256))
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 8, 0,
                         len(xor_rows) + len(and_rows), 0, 0, 256, 0)
    return header + quad + xor_rows + and_rows


def write_ico(path, icons):
    """The .ico of 8-bit BMP images. Written here rather than by Pillow, whose
    bitmap_format="bmp" (9.4) writes planes 0, pixels per metre and important
    colours into the headers and AND-mask rows not padded to 32 bits."""
    images = [ico_bitmap(icon) for icon in icons]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for icon, image in zip(icons, images):
        width, height = icon.size
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 8,
                                 len(image), offset)
        offset += len(image)
    path.write_bytes(directory + b"".join(images))


def svg_number(value):
    text = f"{value:.2f}".rstrip("0").rstrip(".")
    return "0" if text == "-0" else text


def svg_path(kind, geometry):
    n = svg_number
    if kind == "polygon":
        head, *rest = geometry
        return "M" + " L".join(f"{n(x)},{n(y)}" for x, y in [head] + rest) + " Z"
    if kind == "ellipse":
        cx, cy, rx, ry = geometry
        arc = f"A{n(rx)},{n(ry)} 0 1,0"
        return f"M{n(cx - rx)},{n(cy)} {arc} {n(cx + rx)},{n(cy)} {arc} {n(cx - rx)},{n(cy)} Z"
    left, top, right, bottom, r = geometry
    arc = f"A{n(r)},{n(r)} 0 0,1"
    return (f"M{n(left + r)},{n(top)} H{n(right - r)} {arc} {n(right)},{n(top + r)} "
            f"V{n(bottom - r)} {arc} {n(right - r)},{n(bottom)} H{n(left + r)} "
            f"{arc} {n(left)},{n(bottom - r)} V{n(top + r)} {arc} {n(left + r)},{n(top)} Z")


def icon_svg():
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        "<!-- Lumivar icon: white skull with radiating spikes on black."
        " Made by tools/make_assets.py. -->",
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{ICON_UNITS}" height="{ICON_UNITS}"'
        f' viewBox="0 0 {ICON_UNITS} {ICON_UNITS}">',
        f'  <path fill="#000000" d="{svg_path("rrect", (0, 0, 256, 256, TILE_RADIUS))}"/>',
    ]
    for kind, fill, geometry in icon_shapes():
        colour = "#ffffff" if fill == WHITE else "#000000"
        lines.append(f'  <path fill="{colour}" d="{svg_path(kind, geometry)}"/>')
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


THEME_SIZES = (48, 64, 128, 256)
WEB_SIZES = (192, 512)  # what a phone asks of an installable site
TOUCH_ICON_SIZE = 180  # an iPhone's home screen, which rounds the corners itself


def touch_icon(size):
    """The design on a whole square of black ground, with no transparency."""
    coverage = icon_coverage(size)
    return Image.merge("RGB", (coverage, coverage, coverage))


def make_icons():
    icons = RESOURCES / "icons"
    palette_icon(32).save(icons / "lumivar.png", optimize=True)
    palette_icon(64).save(icons / "lumivar@2x.png", optimize=True)  # screens that scale by 2
    write_ico(icons / "lumivar.ico", [palette_icon(size) for size in (16, 32, 48)])
    (icons / "lumivar.svg").write_text(icon_svg(), encoding="utf-8")
    for size in THEME_SIZES:
        folder = icons / "hicolor" / f"{size}x{size}"
        folder.mkdir(parents=True, exist_ok=True)
        theme_icon(size).save(folder / "lumivar.png", optimize=True)
    web = icons / "web"
    web.mkdir(parents=True, exist_ok=True)
    for size in WEB_SIZES:
        theme_icon(size).save(web / f"lumivar-{size}.png", optimize=True)
    touch_icon(TOUCH_ICON_SIZE).save(web / "apple-touch-icon.png", optimize=True)


# ---------------------------------------------------------------------------
# Qt resource script
# ---------------------------------------------------------------------------

QRC_FILES = [
    "fonts/LumivarSong-Bold.otf",
    "fonts/LumivarHei-Bold.otf",
    "fonts/OFL.txt",
    "images/portrait.jpg",
    "images/portrait@2x.jpg",
    "icons/lumivar.png",
    "icons/lumivar@2x.png",
]


def qrc_text():
    entries = "\n".join(f"    <file>{path}</file>" for path in QRC_FILES)
    return f"""<!DOCTYPE RCC>
<!-- Made by tools/make_assets.py. -->
<RCC version="1.0">
  <qresource prefix="/">
{entries}
  </qresource>
</RCC>
"""


def make_resource_scripts():
    (RESOURCES / "lumivar.qrc").write_text(qrc_text(), encoding="utf-8")


# ---------------------------------------------------------------------------


def main():
    check_folders_listed()
    for folder in ("fonts", "images", "icons"):
        (RESOURCES / folder).mkdir(parents=True, exist_ok=True)
    characters = fixed_characters() | source_characters()
    for job in FONT_JOBS:
        make_font_subset(job, characters)
    (RESOURCES / "fonts" / "OFL.txt").write_text(licence_text(), encoding="utf-8")
    make_portrait()
    make_icons()
    make_resource_scripts()
    shown = "".join(sorted(c for c in characters if ord(c) > 0x7E))
    print(f"make_assets: {len(characters)} characters; beyond ASCII: {shown}")
    for path in sorted(RESOURCES.rglob("*")):
        if path.is_file() and path.name != "README.md":
            print(f"  {path.relative_to(REPO)}  {path.stat().st_size} bytes")
    # The Windows window's copy of the portrait is decoded from the JPEG by
    # Windows' own decoder, which runs only under Wine here.
    print("make_assets: resources/images/portrait.bmp is not made here: run "
          "tools/make-picture-bitmap (after make windows) if portrait.jpg changed")


if __name__ == "__main__":
    sys.exit(main())
