#!/usr/bin/env python3
"""Draws Palitra's pictures: the program's icon, the two arrow buttons, the
maker's logo and the pointing-hand cursor.

Run it from anywhere (`python3 assets/make-assets.py`); it rewrites the files
beside itself. The raster pictures need ImageMagick's `convert` and the DejaVu
fonts (Debian's fonts-dejavu-core); the cursor is written in pure Python.
"""

import os
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))

BOLD_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
PLAIN_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"

PANEL_GREEN = "#008000"   # the main window's panel
DEEP_GREEN = "#005a14"


def out(name):
    return os.path.join(HERE, name)


def convert(*args):
    subprocess.run(["convert", *args], check=True)


def font(path, fallback):
    return path if os.path.exists(path) else fallback


# --- the program's icon: a white letter tile on the board's green -------------

def make_icon():
    bold = font(BOLD_FONT, "DejaVu-Sans-Bold")
    plain = font(PLAIN_FONT, "DejaVu-Sans")
    big = out("palitra-256.png")
    convert(
        "-size", "256x256", "xc:none",
        # green rounded square, a shade darker at the rim
        "-fill", DEEP_GREEN, "-draw", "roundrectangle 4,4 251,251 44,44",
        "-fill", PANEL_GREEN, "-draw", "roundrectangle 14,14 241,241 36,36",
        # the tile's shadow, then the tile
        "-fill", "#00000066", "-draw", "roundrectangle 50,54 214,218 22,22",
        "-fill", "white", "-draw", "roundrectangle 42,42 206,206 22,22",
        # the letter and its value in the corner, as on a game tile
        "-font", bold, "-pointsize", "132", "-fill", "#0b3d12",
        "-gravity", "center", "-annotate", "+0-2", "P",
        "-font", plain, "-pointsize", "28", "-fill", "#0b3d12",
        "-gravity", "southeast", "-annotate", "+62+58", "2",
        "PNG32:" + big)
    convert(big, "-resize", "64x64", "PNG32:" + out("palitra.png"))


# --- the arrow buttons: 24 x 18 on a transparent background ------------------

def make_arrows():
    # Drawn four times larger and scaled down, for smooth edges.
    convert(
        "-size", "96x72", "xc:none",
        "-stroke", "#6b5200", "-strokewidth", "4", "-fill", "#ffff00",
        "-draw", "polygon 6,36 86,6 86,66",
        "-resize", "24x18", "PNG32:" + out("back.png"))
    convert(
        "-size", "96x72", "xc:none",
        "-stroke", "#004d00", "-strokewidth", "4", "-fill", "#00c000",
        "-draw", "polygon 6,36 66,6 66,66",
        "-draw", "rectangle 76,6 88,66",
        "-resize", "24x18", "PNG32:" + out("clear.png"))


# --- the maker's logo: letter tiles on black, 230 x 229 pixels --------------

LOGO_LETTERS = [("Q", "5"), ("U", "1"), ("I", "1"), ("N", "1"),
                ("D", "2"), ("A", "1"), ("R", "1"), ("O", "1")]


def make_logo():
    bold = font(BOLD_FONT, "DejaVu-Sans-Bold")
    plain = font(PLAIN_FONT, "DejaVu-Sans")
    scale = 2                      # drawn at twice the size, then reduced
    width, height = 230 * scale, 229 * scale
    tile, gap = 46 * scale, 8 * scale
    left, top = 11 * scale, 40 * scale
    args = ["-size", f"{width}x{height}", "xc:black", "-gravity", "center"]
    for i, (letter, value) in enumerate(LOGO_LETTERS):
        row, col = divmod(i, 4)
        x = left + col * (tile + gap)
        y = top + row * (tile + gap)
        face, ink = ((PANEL_GREEN, "white") if letter == "Q"
                     else ("#f4f1e6", "#111111"))
        # with centre gravity, text offsets count from the picture's centre
        cx = x + tile // 2 - width // 2
        cy = y + tile // 2 - height // 2
        args += ["-fill", face,
                 "-draw", f"roundrectangle {x},{y} {x + tile - 1},{y + tile - 1} 10,10",
                 "-font", bold, "-pointsize", str(29 * scale), "-fill", ink,
                 "-annotate", f"{cx - 2 * scale:+d}{cy - 1 * scale:+d}", letter,
                 "-font", plain, "-pointsize", str(8 * scale),
                 "-annotate", f"{cx + 15 * scale:+d}{cy + 14 * scale:+d}", value]
    rule_y = 158 * scale
    args += ["-fill", "#3a3a3a",
             "-draw", f"rectangle {11 * scale},{rule_y} {219 * scale},{rule_y + 1}",
             "-font", plain, "-pointsize", str(15 * scale), "-fill", "#c0c0c0",
             "-kerning", str(5 * scale), "-gravity", "north",
             "-annotate", f"+{3 * scale}+{168 * scale}", "SOFTWARE",
             "-resize", "230x229!", "-quality", "92",
             "-sampling-factor", "4:4:4", out("logo.jpg")]
    convert(*args)


# --- the pointing-hand cursor: 32 x 32, fingertip at the top-left ------------

# X black, . white, blank transparent. The hot spot is (0, 0).
HAND = """\
XXXXX
X...X
X...X
X...X
X...X
X...XXXXX
X...X...XXXXX
X...X...X...XXXX
X...X...X...X..X
X...X...X...X..X
X..............X
X..............X
X..............X
X..............X
X..............X
 X............X
 X............X
 X............X
  X..........X
  XXXXXXXXXXXX
  X..........X
  XXXXXXXXXXXX
"""

SIZE = 32


def xbm(name, rows):
    """XBM text of a SIZE x SIZE bitmap; rows are strings of '1' and '0'."""
    data = []
    for row in rows:
        for start in range(0, SIZE, 8):
            byte = 0
            for bit, ch in enumerate(row[start:start + 8]):
                if ch == "1":
                    byte |= 1 << bit    # XBM keeps the leftmost pixel in the low bit
            data.append(f"0x{byte:02x}")
    lines = [", ".join(data[i:i + 12]) for i in range(0, len(data), 12)]
    return (f"#define {name}_width {SIZE}\n"
            f"#define {name}_height {SIZE}\n"
            f"#define {name}_x_hot 0\n"
            f"#define {name}_y_hot 0\n"
            f"static unsigned char {name}_bits[] = {{\n   "
            + ",\n   ".join(lines) + " };\n")


def make_hand():
    art = HAND.splitlines()
    art = [line.ljust(SIZE) for line in art] + [" " * SIZE] * (SIZE - len(art))
    ink = ["".join("1" if ch == "X" else "0" for ch in line) for line in art]
    mask = ["".join("0" if ch == " " else "1" for ch in line) for line in art]
    with open(out("hand.xbm"), "w") as f:
        f.write(xbm("hand", ink))
    with open(out("hand_mask.xbm"), "w") as f:
        f.write(xbm("hand_mask", mask))


if __name__ == "__main__":
    make_icon()
    make_arrows()
    make_logo()
    make_hand()
