#!/usr/bin/env python3
"""Draws the bitmaps of the program's built-in "blue" skin.

Usage: draw_blue_skin.py OUTDIR

One light-blue theme on the grey button face of the description: a sky-blue
caption, blue outlines, white-to-blue glossy controls. Magenta (255, 0, 255)
is the transparent key of every skin bitmap, so it appears only where a pixel
must let the background through: outside rounded corners, around glyphs, and
at the top of the right frame edge, whose magenta shapes the window.
Only the standard library is used.
"""
import os
import struct
import sys

MAGENTA = (255, 0, 255)

# The theme's colours.
OUTLINE = (58, 110, 165)          # window outline
BORDER_MID = (160, 196, 232)      # frame edge, middle line
BORDER_IN = (118, 164, 214)       # frame edge, line next to the client area
CAPTION_TOP = (222, 238, 253)     # active caption gradient
CAPTION_BOTTOM = (156, 198, 240)
CAPTION_LINE = (104, 150, 204)    # caption's lower edge
IDLE_TOP = (238, 242, 247)        # inactive caption gradient
IDLE_BOTTOM = (204, 214, 226)
IDLE_LINE = (150, 168, 190)
CONTROL_LINE = (86, 136, 190)     # control outlines
CONTROL_HOT_LINE = (52, 118, 196)
GLYPH = (34, 66, 110)             # arrows, marks, caption glyphs
DISABLED_LINE = (168, 176, 186)
DISABLED_FACE = (236, 238, 241)
DISABLED_GLYPH = (160, 166, 174)
WHITE = (255, 255, 255)
FACE = (223, 223, 223)            # ButtonFace of the description


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


class Image:
    def __init__(self, width, height, fill=MAGENTA):
        self.width = width
        self.height = height
        self.rows = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def get(self, x, y):
        return self.rows[y][x]

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the half-open rectangle [x0, x1) x [y0, y1)."""
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.rows[y][x] = colour

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        span = max(1, y1 - y0 - 1)
        for y in range(y0, y1):
            self.fill(x0, y, x1, y + 1, mix(top, bottom, (y - y0) / span))

    def hline(self, x0, x1, y, colour):
        self.fill(x0, y, x1, y + 1, colour)

    def vline(self, x, y0, y1, colour):
        self.fill(x, y0, x + 1, y1, colour)

    def paste(self, other, x, y):
        for row in range(other.height):
            for col in range(other.width):
                self.set(x + col, y + row, other.rows[row][col])


def strip(cells, cell_width, cell_height, draw, vertical=False):
    """A frame strip: cell k (0-based) drawn by draw(image, k)."""
    width = cell_width if vertical else cell_width * cells
    height = cell_height * cells if vertical else cell_height
    image = Image(width, height)
    for k in range(cells):
        cell = Image(cell_width, cell_height)
        draw(cell, k)
        image.paste(cell, 0 if vertical else k * cell_width, k * cell_height if vertical else 0)
    return image


def rounded_box(image, x0, y0, x1, y1, line, top, bottom, corner=1, highlight=None):
    """A filled box with a one-pixel outline whose corners are cut by corner
    pixels (left magenta); the fill is a vertical gradient."""
    image.vgradient(x0 + 1, y0 + 1, x1 - 1, y1 - 1, top, bottom)
    image.hline(x0 + corner, x1 - corner, y0, line)
    image.hline(x0 + corner, x1 - corner, y1 - 1, line)
    image.vline(x0, y0 + corner, y1 - corner, line)
    image.vline(x1 - 1, y0 + corner, y1 - corner, line)
    for i in range(1, corner):  # the diagonal of a larger cut
        image.set(x0 + i, y0 + corner - i, line)
        image.set(x1 - 1 - i, y0 + corner - i, line)
        image.set(x0 + i, y1 - 1 - corner + i, line)
        image.set(x1 - 1 - i, y1 - 1 - corner + i, line)
    if highlight:
        image.hline(x0 + corner, x1 - corner, y0 + 1, highlight)


def triangle(image, cx, cy, direction, colour, size=3):
    """A solid arrow head pointing 'up', 'down', 'left' or 'right'."""
    for i in range(size + 1):
        half = i
        if direction == "down":
            image.hline(cx - (size - i), cx + (size - i) + 1, cy - size // 2 + i, colour)
        elif direction == "up":
            image.hline(cx - half, cx + half + 1, cy - size // 2 + i, colour)
        elif direction == "right":
            image.vline(cx - size // 2 + i, cy - (size - i), cy + (size - i) + 1, colour)
        else:
            image.vline(cx - size // 2 + i, cy - half, cy + half + 1, colour)


# Button state looks shared by every push-like control: (line, top, bottom, highlight).
STATES = {
    "normal": (CONTROL_LINE, (250, 252, 255), (206, 225, 245), WHITE),
    "hot": (CONTROL_HOT_LINE, (240, 248, 255), (178, 214, 250), WHITE),
    "pressed": (CONTROL_HOT_LINE, (168, 200, 236), (212, 230, 249), None),
    "disabled": (DISABLED_LINE, DISABLED_FACE, DISABLED_FACE, None),
    "inactive": (IDLE_LINE, (246, 248, 251), (214, 222, 232), WHITE),
}


def state_box(image, x0, y0, x1, y1, state, corner=1):
    line, top, bottom, highlight = STATES[state]
    rounded_box(image, x0, y0, x1, y1, line, top, bottom, corner, highlight)


# ---------------------------------------------------------------- window frame

def caption_row(y, active):
    """The caption colour of row y (0..23) of the top edge."""
    if y == 0:
        return OUTLINE if active else IDLE_LINE
    if y == 23:
        return CAPTION_LINE if active else IDLE_LINE
    top, bottom = (CAPTION_TOP, CAPTION_BOTTOM) if active else (IDLE_TOP, IDLE_BOTTOM)
    if y == 1:
        return WHITE
    # A glossy upper half over a deeper lower half.
    if y < 11:
        return mix(top, mix(top, bottom, 0.45), (y - 2) / 8)
    return mix(mix(top, bottom, 0.6), bottom, (y - 11) / 11)


def frame_top():
    # Two frames stacked: active, inactive. Uniform across its width, so its
    # tiled middle is seamless.
    image = Image(88, 48)
    for frame, active in enumerate((True, False)):
        for y in range(24):
            image.hline(0, 88, 24 * frame + y, caption_row(y, active))
    return image


def frame_side(right):
    # 3 x 48: 30 fixed rows at the top (caption + 6), 3 at the bottom.
    image = Image(3, 48)
    columns = [OUTLINE, BORDER_MID, BORDER_IN]  # outside to inside
    for y in range(48):
        for i in range(3):
            x = 2 - i if right else i
            if y == 0 or y == 47:
                colour = OUTLINE
            elif y < 24 and i > 0:
                colour = caption_row(y, True)
            elif y == 46 and i == 2:
                colour = BORDER_MID
            else:
                colour = columns[i]
            image.set(x, y, colour)
    if right:
        # The rounded top-right corner: these pixels are cut out of the window.
        image.set(1, 0, MAGENTA)
        image.set(2, 0, MAGENTA)
        image.set(2, 1, MAGENTA)
        image.set(1, 1, OUTLINE)
        image.set(2, 2, OUTLINE)
    return image


def frame_bottom():
    image = Image(70, 3)
    image.hline(0, 70, 0, BORDER_IN)
    image.hline(0, 70, 1, BORDER_MID)
    image.hline(0, 70, 2, OUTLINE)
    return image


def menu_bar():
    image = Image(24, 36)
    for frame, (top, bottom, line) in enumerate((((250, 252, 255), (226, 236, 247), (186, 206, 230)),
                                                 ((248, 249, 250), (232, 235, 239), (204, 210, 218)))):
        image.vgradient(0, 18 * frame, 24, 18 * frame + 17, top, bottom)
        image.hline(0, 24, 18 * frame + 17, line)
    return image


# ---------------------------------------------------------------- backgrounds

def back():
    image = Image(100, 100)
    image.vgradient(0, 0, 100, 100, (244, 248, 253), (226, 236, 248))
    for y in range(100):  # faint diagonal weave
        for x in range(100):
            if (x + y) % 10 == 0:
                image.set(x, y, mix(image.get(x, y), WHITE, 0.5))
    return image


def tool_back():
    image = Image(49, 50)
    image.vgradient(0, 0, 49, 49, (250, 252, 255), (214, 229, 246))
    image.hline(0, 49, 49, (176, 198, 224))
    return image


# ---------------------------------------------------------------- buttons

def push_button():
    # normal, pressed, disabled, hot, focused
    looks = ["normal", "pressed", "disabled", "hot", "normal"]

    def draw(cell, k):
        state_box(cell, 0, 0, 33, 25, looks[k], corner=2)
        if k == 4:  # focused: an inner blue ring
            ring = (124, 176, 232)
            cell.hline(2, 31, 2, ring)
            cell.hline(2, 31, 22, ring)
            cell.vline(2, 2, 23, ring)
            cell.vline(30, 2, 23, ring)
    return strip(5, 33, 25, draw)


def check_box():
    # unchecked, checked, unchecked disabled, checked disabled, unchecked hot
    def draw(cell, k):
        disabled = k in (2, 3)
        state_box(cell, 0, 0, 13, 13, "disabled" if disabled else ("hot" if k == 4 else "normal"))
        cell.fill(2, 2, 11, 11, DISABLED_FACE if disabled else WHITE)
        cell.vgradient(2, 7, 11, 11, DISABLED_FACE if disabled else WHITE,
                       DISABLED_FACE if disabled else (226, 238, 250))
        if k in (1, 3):
            colour = DISABLED_GLYPH if disabled else GLYPH
            for x, y in ((3, 6), (4, 7), (5, 8), (6, 7), (7, 6), (8, 5), (9, 4)):
                cell.vline(x, y, y + 2, colour)
    return strip(5, 13, 13, draw)


def radio_button():
    # Same order as the check box. A 13-pixel circle; outside it is magenta.
    def inside(x, y, r):
        return (x - 6) ** 2 + (y - 6) ** 2 <= r * r

    def draw(cell, k):
        disabled = k in (2, 3)
        line = DISABLED_LINE if disabled else (CONTROL_HOT_LINE if k == 4 else CONTROL_LINE)
        for y in range(13):
            for x in range(13):
                if inside(x, y, 5.0):
                    top, bottom = (DISABLED_FACE, DISABLED_FACE) if disabled else (WHITE, (214, 232, 250))
                    cell.set(x, y, mix(top, bottom, y / 12))
                elif inside(x, y, 6.4):
                    cell.set(x, y, line)
        if k in (1, 3):
            dot = DISABLED_GLYPH if disabled else GLYPH
            dot_light = DISABLED_GLYPH if disabled else (70, 120, 190)
            cell.fill(5, 4, 8, 9, dot)
            cell.fill(4, 5, 9, 8, dot)
            cell.set(5, 5, dot_light)
    return strip(5, 13, 13, draw)


def progress_bar():
    def draw(cell, k):
        if k == 0:  # the trough
            rounded_box(cell, 0, 0, 15, 18, (132, 160, 194), (232, 236, 242), (250, 251, 253))
            cell.hline(1, 14, 1, (214, 220, 228))
        else:  # the filled part, glossy blue
            rounded_box(cell, 0, 0, 15, 18, (60, 116, 184), (176, 216, 250), (72, 142, 218))
            cell.vgradient(1, 1, 14, 8, (226, 242, 255), (150, 200, 246))
    return strip(2, 15, 18, draw)


def group_box():
    # The edge around a group: outline from row 6, interior transparent.
    def draw(cell, k):
        line = (142, 176, 214) if k == 0 else DISABLED_LINE
        light = WHITE
        cell.hline(2, 45, 6, line)
        cell.hline(2, 45, 49, line)
        cell.vline(0, 8, 48, line)
        cell.vline(46, 8, 48, line)
        for x, y in ((1, 7), (45, 7), (1, 48), (45, 48)):
            cell.set(x, y, line)
        cell.hline(2, 45, 7, light)
        cell.vline(1, 8, 48, light)
    return strip(2, 47, 50, draw)


def group_box_top():
    image = Image(47, 15)
    rounded_box(image, 0, 0, 47, 15, CONTROL_LINE, (250, 252, 255), (200, 222, 246), corner=2, highlight=WHITE)
    return image


# ---------------------------------------------------------------- tabs, status, header

def tab_panel():
    image = Image(55, 24)
    rounded_box(image, 0, 0, 55, 24, (130, 166, 206), (250, 252, 255), (240, 244, 250), corner=1)
    return image


def tab():
    # normal, selected, hot, disabled, selected hot: rounded on top only.
    looks = [((132, 166, 204), (236, 242, 250), (206, 222, 242)),
             ((112, 154, 204), WHITE, (250, 252, 255)),
             (CONTROL_HOT_LINE, (246, 251, 255), (190, 222, 252)),
             (DISABLED_LINE, DISABLED_FACE, DISABLED_FACE),
             (CONTROL_HOT_LINE, WHITE, (236, 245, 255))]

    def draw(cell, k):
        line, top, bottom = looks[k]
        cell.vgradient(1, 1, 32, 24, top, bottom)
        cell.hline(2, 31, 0, line)
        cell.vline(0, 2, 24, line)
        cell.vline(32, 2, 24, line)
        cell.set(1, 1, line)
        cell.set(31, 1, line)
        if k in (1, 4):  # the current tab's accent
            cell.hline(2, 31, 1, (255, 186, 72) if k == 4 else (96, 160, 228))
        else:
            cell.hline(1, 32, 23, line)
    return strip(5, 33, 24, draw)


def status_bar():
    def draw(cell, k):
        top, bottom = ((246, 249, 253), (224, 234, 246)) if k != 2 else (DISABLED_FACE, DISABLED_FACE)
        cell.vgradient(0, 0, 24, 18, top, bottom)
        cell.hline(0, 24, 0, (176, 198, 224))
        if k == 1:
            cell.vline(0, 2, 16, (176, 198, 224))
            cell.vline(1, 2, 16, WHITE)
    return strip(3, 24, 18, draw)


def header():
    # normal, hot, pressed, disabled, sorted
    looks = [((252, 253, 255), (226, 236, 248), (140, 180, 224)),
             ((246, 251, 255), (200, 226, 252), (52, 118, 196)),
             ((200, 222, 246), (226, 238, 250), (52, 118, 196)),
             (DISABLED_FACE, DISABLED_FACE, DISABLED_LINE),
             ((252, 253, 255), (220, 234, 250), (96, 160, 228))]

    def draw(cell, k):
        top, bottom, accent = looks[k]
        cell.vgradient(0, 0, 37, 21, top, bottom)
        cell.vline(0, 2, 19, WHITE)
        cell.vline(36, 3, 19, (184, 202, 224))
        cell.hline(0, 37, 21, accent)
        cell.hline(0, 37, 22, mix(accent, (60, 90, 130), 0.3))
    return strip(5, 37, 23, draw)


# ---------------------------------------------------------------- combo box

# The combo strips follow the control skins' state order: normal, pressed,
# disabled, hot (focused shows hot).
def combo_button():
    looks = ["normal", "pressed", "disabled", "hot"]
    return strip(4, 16, 21, lambda cell, k: state_box(cell, 0, 0, 16, 21, looks[k], corner=1))


def combo_box():
    # The sunken edit frame: normal, pressed, disabled, hot. 5 pixels wide.
    looks = [(CONTROL_LINE, (214, 228, 244)), (CONTROL_HOT_LINE, (176, 210, 246)),
             (DISABLED_LINE, DISABLED_FACE), (CONTROL_HOT_LINE, (200, 224, 250))]

    def draw(cell, k):
        line, inner = looks[k]
        cell.fill(0, 0, 5, 21, line)
        cell.fill(1, 1, 4, 20, inner)
        cell.fill(2, 2, 3, 19, WHITE if k != 2 else DISABLED_FACE)
    return strip(4, 5, 21, draw)


def size_grip(cell):
    """Dots in a triangle towards the bottom right corner."""
    for i in range(4):
        for j in range(4 - i):
            x, y = 12 - 3 * j, 12 - 3 * i
            cell.fill(x, y, x + 2, y + 2, (150, 176, 208))
            cell.set(x, y, WHITE)


def combo_glyph():
    # The drop-down arrow (normal, pressed, disabled, hot); the fifth frame is
    # the status bar's size grip.
    colours = [GLYPH, GLYPH, DISABLED_GLYPH, CONTROL_HOT_LINE]

    def draw(cell, k):
        if k == 4:
            size_grip(cell)
        else:
            triangle(cell, 7 + (k == 1), 8 + (k == 1), "down", colours[k])
    return strip(5, 16, 16, draw)


# ---------------------------------------------------------------- menus

def menu_item():
    gutter = (228, 236, 246)

    def draw(cell, k):
        cell.fill(0, 0, 107, 16, WHITE)
        cell.fill(0, 0, 19, 16, gutter)
        cell.vline(19, 0, 16, (206, 218, 234))
        if k == 1:  # separator, in the lower rows
            cell.hline(22, 104, 12, (190, 206, 226))
            cell.hline(22, 104, 13, WHITE)
        if k in (3, 4):  # selected (4 also when the item is disabled)
            line = CONTROL_HOT_LINE if k == 3 else DISABLED_LINE
            top, bottom = ((238, 246, 255), (192, 222, 252)) if k == 3 else (DISABLED_FACE, (226, 230, 235))
            rounded_box(cell, 1, 0, 106, 16, line, top, bottom, corner=2, highlight=WHITE)
            for x, y in ((1, 0), (2, 0), (1, 1), (104, 0), (105, 0), (105, 1),
                         (1, 15), (2, 15), (1, 14), (104, 15), (105, 15), (105, 14)):
                cell.set(x, y, MAGENTA)
            cell.set(2, 1, line)
            cell.set(104, 1, line)
            cell.set(2, 14, line)
            cell.set(104, 14, line)
    return strip(5, 107, 16, draw)


def menu_frame():
    image = Image(107, 99)
    image.fill(0, 0, 107, 99, WHITE)
    line = (120, 156, 198)
    image.hline(0, 107, 0, line)
    image.hline(0, 107, 98, line)
    image.vline(0, 0, 99, line)
    image.vline(106, 0, 99, line)
    image.hline(1, 106, 97, (222, 230, 240))
    image.vline(105, 1, 98, (222, 230, 240))
    return image


def menu_button():
    looks = [None, "hot", "pressed", "disabled", "inactive"]

    def draw(cell, k):
        cell.fill(0, 0, 20, 16, MAGENTA)
        if looks[k]:
            state_box(cell, 0, 0, 20, 16, looks[k], corner=2)
    return strip(5, 20, 16, draw)


# ---------------------------------------------------------------- scroll bars

def scroll_arrows():
    # 1-4 left, 5-8 right, 9-12 up, 13-16 down (normal, pressed, disabled,
    # hot); 17-19 horizontal grip, 20-22 vertical grip (normal, pressed, hot);
    # 23 the size grip.
    looks = ["normal", "pressed", "disabled", "hot"]
    directions = ["left", "right", "up", "down"]

    def draw(cell, k):
        if k < 16:
            look = looks[k % 4]
            state_box(cell, 0, 0, 16, 16, look, corner=2)
            colour = DISABLED_GLYPH if look == "disabled" else GLYPH
            shift = 1 if look == "pressed" else 0
            triangle(cell, 7 + shift, 7 + shift, directions[k // 4], colour)
        elif k < 22:
            horizontal = k < 19
            colour = [WHITE, (232, 242, 255), WHITE][(k - 16) % 3]
            shade = [(80, 130, 190), (52, 104, 170), (52, 118, 196)][(k - 16) % 3]
            for i in range(3):
                if horizontal:
                    cell.vline(5 + 2 * i, 4, 11, shade)
                    cell.vline(6 + 2 * i, 4, 11, colour)
                else:
                    cell.hline(4, 11, 5 + 2 * i, shade)
                    cell.hline(4, 11, 6 + 2 * i, colour)
        else:
            size_grip(cell)
    return strip(23, 16, 16, draw)


def scroll_shaft(vertical):
    looks = [((232, 238, 246), (246, 249, 253)), ((212, 224, 240), (232, 240, 250)),
             (DISABLED_FACE, DISABLED_FACE), ((226, 236, 248), (242, 247, 253))]

    def draw(cell, k):
        a, b = looks[k]
        w, h = cell.width, cell.height
        edge = (204, 214, 228)
        if vertical:
            for x in range(w):
                cell.vline(x, 0, h, mix(a, b, abs(x - (w - 1) / 2) / ((w - 1) / 2)))
            cell.vline(0, 0, h, edge)
            cell.vline(w - 1, 0, h, edge)
        else:
            cell.vgradient(0, 0, w, h, a, b)
            cell.hline(0, w, 0, edge)
            cell.hline(0, w, h - 1, edge)
    return strip(4, 16, 40, draw) if vertical else strip(4, 28, 16, draw)


def scroll_thumb(vertical):
    looks = [(CONTROL_LINE, (236, 245, 255), (176, 208, 242)),
             (CONTROL_HOT_LINE, (150, 192, 238), (196, 222, 250)),
             (CONTROL_HOT_LINE, (246, 251, 255), (160, 204, 250))]

    def draw(cell, k):
        line, a, b = looks[k]
        w, h = cell.width, cell.height
        if vertical:  # a gradient across, so it may stretch along
            for x in range(1, w - 1):
                cell.vline(x, 1, h - 1, mix(a, b, (x - 1) / (w - 3)))
            cell.hline(1, w - 1, 0, line)
            cell.hline(1, w - 1, h - 1, line)
            cell.vline(0, 1, h - 1, line)
            cell.vline(w - 1, 1, h - 1, line)
        else:  # no transparency here: the corners take the track's colour
            cell.fill(0, 0, w, h, (236, 242, 248))
            cell.vgradient(1, 1, w - 1, h - 1, a, b)
            cell.hline(1, w - 1, 0, line)
            cell.hline(1, w - 1, h - 1, line)
            cell.vline(0, 1, h - 1, line)
            cell.vline(w - 1, 1, h - 1, line)
    return strip(3, 16, 50, draw) if vertical else strip(3, 50, 16, draw)


# ---------------------------------------------------------------- toolbar

def toolbar_button():
    # normal, pressed, disabled, hot, checked
    looks = [((170, 196, 226), (252, 253, 255), (228, 238, 250)),
             (CONTROL_HOT_LINE, (172, 204, 238), (212, 230, 250)),
             (DISABLED_LINE, DISABLED_FACE, DISABLED_FACE),
             (CONTROL_HOT_LINE, (246, 251, 255), (184, 218, 252)),
             (CONTROL_LINE, (198, 222, 248), (226, 240, 255))]

    def draw(cell, k):
        line, top, bottom = looks[k]
        rounded_box(cell, 0, 0, 34, 26, line, top, bottom, corner=2)
    return strip(5, 34, 26, draw)


# ---------------------------------------------------------------- caption buttons

def caption_glyph(cell, kind, colour, shift):
    x0, y0 = 5 + shift, 8 + shift
    if kind == "close":
        for i in range(8):
            cell.fill(x0 + i, y0 + i, x0 + i + 2, y0 + i + 1, colour)
            cell.fill(x0 + 6 - i, y0 + i, x0 + 8 - i, y0 + i + 1, colour)
    elif kind == "maximize":
        cell.fill(x0, y0, x0 + 8, y0 + 2, colour)
        cell.vline(x0, y0, y0 + 8, colour)
        cell.vline(x0 + 7, y0, y0 + 8, colour)
        cell.hline(x0, x0 + 8, y0 + 7, colour)
    else:
        cell.fill(x0, y0 + 6, x0 + 8, y0 + 8, colour)


def caption_button(kind):
    # 18 x 24 cells: normal, pressed, hot, inactive, disabled, inactive hot.
    looks = ["normal", "pressed", "hot", "inactive", "disabled", "hot"]
    close_hot = ((176, 52, 44), (250, 140, 124), (214, 64, 50))
    close_pressed = ((150, 40, 34), (196, 70, 56), (234, 110, 96))

    def draw(cell, k):
        look = looks[k]
        if kind == "close" and look in ("hot", "pressed"):
            line, top, bottom = close_hot if look == "hot" else close_pressed
            rounded_box(cell, 1, 4, 17, 20, line, top, bottom, corner=2)
            glyph = WHITE
        else:
            state_box(cell, 1, 4, 17, 20, look, corner=2)
            glyph = {"disabled": DISABLED_GLYPH, "inactive": (112, 124, 140)}.get(look, GLYPH)
        caption_glyph(cell, kind, glyph, 1 if look == "pressed" else 0)
    return strip(6, 18, 24, draw)


def mdi_buttons():
    # 12 columns of 15 x 14: minimise, restore, close; each normal, pressed,
    # inactive, hot.
    looks = ["normal", "pressed", "inactive", "hot"]

    def draw(cell, k):
        button, look = divmod(k, 4)
        state_box(cell, 0, 0, 15, 14, looks[look] if looks[look] != "inactive" else "disabled", corner=2)
        colour = DISABLED_GLYPH if look == 2 else GLYPH
        if button == 0:
            cell.fill(4, 9, 11, 11, colour)
        elif button == 1:
            cell.fill(5, 3, 11, 5, colour)
            cell.vline(10, 3, 8, colour)
            cell.fill(3, 6, 9, 8, colour)
            cell.vline(3, 6, 11, colour)
            cell.vline(8, 6, 11, colour)
            cell.hline(3, 9, 10, colour)
        else:
            for i in range(6):
                cell.fill(4 + i, 4 + i, 6 + i, 5 + i, colour)
                cell.fill(9 - i, 4 + i, 11 - i, 5 + i, colour)
    return strip(12, 15, 14, draw)


# ---------------------------------------------------------------- files

def write_bmp(path, image, bits=24):
    """A bottom-up Windows bitmap, 24 bits, or 4 bits with its own palette."""
    width, height = image.width, image.height
    palette = b""
    if bits == 24:
        stride = (width * 3 + 3) & ~3
        pixels = bytearray()
        for row in reversed(image.rows):
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            pixels += line + bytes(stride - len(line))
        colours = 0
    else:
        distinct = sorted({c for row in image.rows for c in row})
        if len(distinct) > 16:
            raise SystemExit(f"{path}: {len(distinct)} colours do not fit 4 bits")
        distinct += [(0, 0, 0)] * (16 - len(distinct))
        index = {c: i for i, c in enumerate(distinct)}
        palette = b"".join(bytes((b, g, r, 0)) for r, g, b in distinct)
        stride = ((width * 4 + 31) // 32) * 4
        pixels = bytearray()
        for row in reversed(image.rows):
            line = bytearray((width + 1) // 2)
            for x, c in enumerate(row):
                line[x // 2] |= index[c] << (4 if x % 2 == 0 else 0)
            pixels += line + bytes(stride - len(line))
        colours = 16
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 2835, 2835, colours, 0)
    with open(path, "wb") as out:
        out.write(header + info + palette + pixels)


BITMAPS = [
    ("blue_frametop.bmp", frame_top),
    ("blue_framebottom.bmp", frame_bottom),
    ("blue_frameleft.bmp", lambda: frame_side(False)),
    ("blue_frameright.bmp", lambda: frame_side(True)),
    ("blue_menu.bmp", menu_bar),
    ("back.bmp", back),
    ("blue_button.bmp", push_button),
    ("check.bmp", check_box),
    ("blue_radiobutton.bmp", radio_button),
    ("blue_progressbar.bmp", progress_bar),
    ("blue_groupbox.bmp", group_box),
    ("blue_tabpanel.bmp", tab_panel),
    ("blue_tab.bmp", tab),
    ("blue_status.bmp", status_bar),
    ("blue_combobutton.bmp", combo_button),
    ("blue_combobox.bmp", combo_box),
    ("blue_combobuttonglyph.bmp", combo_glyph),
    ("blue_header.bmp", header),
    ("blue_menuitem.bmp", menu_item),
    ("blue_menuframe_.bmp", menu_frame),
    ("blue_scrollarrows.bmp", scroll_arrows),
    ("blue_hscrollshaft.bmp", lambda: scroll_shaft(False)),
    ("blue_vscrollshaft.bmp", lambda: scroll_shaft(True)),
    ("blue_hscrollthumb.bmp", lambda: scroll_thumb(False)),
    ("blue_vscrollthumb.bmp", lambda: scroll_thumb(True)),
    ("blue_mdibuttons.bmp", mdi_buttons),
    ("blue_groupboxtop.bmp", group_box_top),
    ("toolback.bmp", tool_back),
    ("blue_toolbarbutton.bmp", toolbar_button),
    ("blue_menubutton.bmp", menu_button),
    ("blue_close.bmp", lambda: caption_button("close")),
    ("blue_maximize.bmp", lambda: caption_button("maximize")),
    ("blue_minimize.bmp", lambda: caption_button("minimize")),
]

FOUR_BIT = {"blue_combobox.bmp"}


def main():
    if len(sys.argv) != 2:
        raise SystemExit("usage: draw_blue_skin.py OUTDIR")
    out_dir = sys.argv[1]
    os.makedirs(out_dir, exist_ok=True)
    for name, draw in BITMAPS:
        write_bmp(os.path.join(out_dir, name), draw(), 4 if name in FOUR_BIT else 24)


if __name__ == "__main__":
    main()
