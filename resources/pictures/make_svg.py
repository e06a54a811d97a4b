#!/usr/bin/env python3
"""Writes the calculator windows' pictures as SVG into svg/ beside this file.

Schematics follow ESKD drawing habits: 1 px lines on a 5 px grid, resistors
as 24 x 10 boxes, transistors in a 30 px circle, open terminals, dots only
where wires join. Each picture is drawn at its picture box's natural size,
so one SVG unit is one pixel of the 1x rendering.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "svg")

FONT = "DejaVu Sans"
BLACK = "#000"
GREEN = "#008000"

# emitter arrowheads on the lower diagonal: p-n-p points into the base,
# n-p-n out of it
ARROW = {"pnp": "M-3.3 5L2.3 6.1L0.5 9.2Z", "npn": "M4.5 9.7L-1.1 8.6L0.7 5.5Z"}

# Each symbol is drawn once around its connection axis; strokes and fills
# take currentColor so a <use> can recolour it (the load in Form6).
SYMBOLS = {
    # resistor on a horizontal wire; the white body hides the wire under it
    "res": '<rect x="-12" y="-5" width="24" height="10" fill="#fff"/>',
    # capacitor on a horizontal wire
    "cap": '<rect x="-2" y="-9" width="4" height="18" fill="#fff" stroke="none"/>'
           '<path d="M-3-8V8M3-8V8"/>',
    # diode, anode at -x; the wire runs through the triangle as ESKD draws it
    "diode": '<path d="M-5-6L5 0L-5 6Z"/>'
             '<path d="M5.5-6.5V6.5" stroke-width="2" stroke-linecap="butt"/>',
    # galvanic cell on a vertical wire: long thin plate (+) on top
    "cell": '<rect x="-9" y="-4" width="18" height="8" fill="#fff" stroke="none"/>'
            '<path d="M-8-3H8"/>'
            '<path d="M-4 3.5H4" stroke-width="3" stroke-linecap="butt"/>',
    # earth: lead from (0,0) down to three shortening bars
    "ground": '<path d="M0 0V10M-8 10H8M-5 13H5M-2 16H2"/>',
    "terminal": '<circle r="3" fill="#fff"/>',
    # bipolar transistor, base from the left, collector up, emitter down;
    # leads end on the grid at (-25,0), (5,-20) and (5,20)
}
for _kind in ARROW:
    SYMBOLS[_kind] = ('<circle r="15" fill="#fff"/>'
                      '<path d="M-25 0H-6M-5-4L5-10V-20M-5 4L5 10V20"/>'
                      '<path d="M-5.5-9V9" stroke-width="2" stroke-linecap="butt"/>'
                      '<path d="%s" fill="currentColor"/>' % ARROW[_kind])


def esc(s):
    return s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def rich(text, size):
    """'R_к.б' -> R with 'к.б' as a smaller lowered subscript."""
    if "_" not in text:
        return esc(text)
    main, sub = text.split("_", 1)
    return '%s<tspan font-size="%g" dy="%g">%s</tspan>' % (
        esc(main), round(size * 0.8, 1), round(size * 0.3, 1), esc(sub))


class Sheet:
    """One schematic: wires under parts, then dots, terminals and labels."""

    def __init__(self, name, w, h, ink=BLACK, text=BLACK):
        self.name, self.w, self.h = name, w, h
        self.ink, self.text_ink = ink, text
        self.wires, self.parts, self.tops, self.texts = [], [], [], []
        self.used = set()

    def _color(self, color):
        return "" if color in (None, self.ink) else ' color="%s"' % color

    def wire(self, *pts, color=None):
        d = "M" + "L".join("%g %g" % p for p in pts)
        stroke = "" if color in (None, self.ink) else ' stroke="%s"' % color
        self.wires.append('<path d="%s"%s/>' % (d, stroke))

    def place(self, sym, x, y, rot=0, flip=False, color=None, layer=None):
        self.used.add(sym)
        tr = "translate(%g %g)" % (x, y)
        if rot:
            tr += " rotate(%g)" % rot
        if flip:
            tr += " scale(-1 1)"
        (self.parts if layer is None else layer).append(
            '<use xlink:href="#%s" transform="%s"%s/>' % (sym, tr, self._color(color)))

    def res(self, x, y, vertical=False, color=None):
        self.place("res", x, y, 90 if vertical else 0, color=color)

    def cap(self, x, y, vertical=False, color=None):
        self.place("cap", x, y, 90 if vertical else 0, color=color)

    def diode(self, x, y, pointing="right"):
        rot = {"right": 0, "down": 90, "left": 180, "up": 270}[pointing]
        self.place("diode", x, y, rot)

    def transistor(self, kind, x, y, base="left"):
        self.place(kind, x, y, flip=(base == "right"))

    def ground(self, x, y, color=None):
        self.place("ground", x, y, color=color)

    def cell(self, x, y):
        self.place("cell", x, y)

    def terminal(self, x, y, color=None):
        self.place("terminal", x, y, color=color, layer=self.tops)

    def dot(self, x, y, color=None):
        fill = "currentColor" if color in (None, self.ink) else color
        self.tops.append('<circle cx="%g" cy="%g" r="2.5" fill="%s" stroke="none"/>'
                         % (x, y, fill))

    def rc(self, x, y, color=None):
        """Resistor with a capacitor in parallel above it, on a horizontal wire
        through (x, y); the wire itself is drawn by the caller."""
        self.res(x, y, color=color)
        self.wire((x - 20, y), (x - 20, y - 20), (x + 20, y - 20), (x + 20, y), color=color)
        self.cap(x, y - 20, color=color)
        self.dot(x - 20, y, color)
        self.dot(x + 20, y, color)

    def label(self, x, y, text, anchor="start", size=12, color=None):
        fill = color or self.text_ink
        a = "" if anchor == "start" else ' text-anchor="%s"' % anchor
        self.texts.append('<text x="%g" y="%g"%s font-size="%g" fill="%s">%s</text>'
                          % (x, y, a, size, fill, rich(text, size)))

    def svg(self):
        defs = "".join('<g id="%s">%s</g>' % (n, SYMBOLS[n]) for n in sorted(self.used))
        body = "\n".join(self.wires + self.parts + self.tops)
        return (
            '<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" '
            'xmlns:xlink="http://www.w3.org/1999/xlink" '
            'width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n'
            '<defs>{defs}</defs>\n'
            '<rect width="{w}" height="{h}" fill="#fff"/>\n'
            # half-pixel shift keeps 1 px lines on the grid sharp at 1x and 2x
            '<g transform="translate(.5 .5)" color="{ink}" stroke="currentColor" '
            'stroke-width="1" fill="none" stroke-linecap="square" stroke-linejoin="miter">\n'
            '{body}\n</g>\n'
            '<g font-family="{font}">\n{texts}\n</g>\n'
            '</svg>\n'
        ).format(w=self.w, h=self.h, defs=defs, ink=self.ink, body=body,
                 font=FONT, texts="\n".join(self.texts))

    def save(self):
        with open(os.path.join(OUT, self.name + ".svg"), "w", encoding="utf-8") as f:
            f.write(self.svg())


# --- shared pieces of the three p-n-p triggers ------------------------------

def supply_pair(s, x, rail, name="Е_к"):
    """External supply as two terminals: the rail ends at '−', the '+' one
    goes down to the common wire."""
    s.terminal(x, rail)
    s.terminal(x + 25, rail)
    s.wire((x + 25, rail), (x + 25, rail + 14))
    s.ground(x + 25, rail + 14)
    s.label(x, rail - 8, "−", "middle")
    s.label(x + 25, rail - 8, "+", "middle")
    s.label(x + 2, rail + 27, name, "middle")


def input_pair(s, x, y, name, gap=50):
    """Input terminal pair; the lower one sits on the common wire."""
    s.terminal(x, y)
    s.terminal(x, y + gap)
    s.wire((x, y + gap), (x, y + gap + 10))
    s.ground(x, y + gap + 10)
    s.label(x - 4, y + gap // 2 + 5, name)


def counting_trigger(s, t1x, t2x, rail, yt, common_y, bottom_y, extra):
    """Symmetric p-n-p trigger with collector counting triggering.
    t1x/t2x: transistor centres (T1 mirrored so both bases face the middle),
    yt: their centre line. extra(s, geometry) draws the bias part."""
    c1, c2 = t1x - 5, t2x + 5          # collector/emitter lines
    b1, b2 = t1x + 25, t2x - 25        # base lead ends
    mid = (t1x + t2x) // 2
    va, vb = mid + 20, mid - 20        # verticals of the two coupling branches
    ya, yb = 115, 165                  # their rows; T1 taps at ya, T2 at yb
    node = 80                          # trigger node column
    d2x = s.w - 67                     # return of the wire to Д2

    # input and coupling capacitor
    input_pair(s, 12, yt, "u_п")
    s.wire((12, yt), (node, yt))
    s.cap(45, yt)
    s.label(45, yt - 14, "С_р", "middle")
    s.dot(node, yt)

    # trigger node: R up to the rail, Д1 right, Д2 by the bottom wire
    s.wire((node, yt), (node, rail), (d2x + 30, rail))
    s.res(node, 100, vertical=True)
    s.label(node - 10, 104, "R", "end")
    s.wire((node, yt), (node, bottom_y), (d2x, bottom_y), (d2x, ya), (c2, ya))
    s.wire((node, yb), (c1, yb))
    s.diode((node + c1) // 2, yb, "right")
    s.label((node + c1) // 2, yb - 11, "Д1", "middle")
    s.dot(node, yb)
    s.dot(c1, yb)
    s.diode((c2 + d2x) // 2, ya, "left")
    s.label((c2 + d2x) // 2, ya - 11, "Д2", "middle")
    s.dot(c2, ya)

    # supply
    supply_pair(s, d2x + 30, rail)

    # transistors and collector resistors
    for c, tx, side in ((c1, t1x, "right"), (c2, t2x, "left")):
        s.wire((c, rail), (c, yt - 20))
        s.res(c, 50, vertical=True)
        s.dot(c, rail)
        s.transistor("pnp", tx, yt, base=side)
    s.label(c1 - 8, 54, "R_к", "end")
    s.label(c2 + 8, 54, "R_к")
    s.label(t1x - 19, yt + 21, "Т1", "end")
    s.label(t2x + 19, yt + 21, "Т2")

    # cross coupling: T1 collector -> T2 base on the upper row,
    # T2 collector -> T1 base on the lower one; they cross at (va, yb)
    off = (c2 - va) // 2
    s.wire((c1, ya), (va, ya), (va, yt), (b2, yt))
    s.dot(c1, ya)
    s.rc(c1 + off, ya)
    s.wire((c2, yb), (vb, yb), (vb, yt), (b1, yt))
    s.dot(c2, yb)
    s.rc(c2 - off, yb)
    for x, y in ((c1 + off, ya), (c2 - off, yb)):
        s.label(x, y + 18, "R_к.б", "middle")
        s.label(x, y - 33, "С", "middle")

    extra(s, dict(c1=c1, c2=c2, b1=b1, b2=b2, va=va, vb=vb, mid=mid, yt=yt,
                  common_y=common_y, rb1=(b1 + vb) // 2, rb2=(b2 + va) // 2))


def bias_source(s, g):
    """Form2: Rб from each base to '+' of Еб, Еб '−' on the common wire."""
    yt, cy, mid = g["yt"], g["common_y"], g["mid"]
    bar = 295
    for x in (g["rb1"], g["rb2"]):
        s.wire((x, yt), (x, bar))
        s.res(x, 262, vertical=True)
        s.dot(x, yt)
    s.label(g["rb1"] - 8, 266, "R_б", "end")
    s.label(g["rb2"] + 8, 266, "R_б")
    s.wire((g["rb1"], bar), (g["rb2"], bar))
    s.dot(mid, bar)
    s.wire((mid, bar), (mid, cy))
    s.cell(mid, 314)
    s.label(mid - 11, 311, "+", "end", size=11)
    s.label(mid + 12, 319, "Е_б")
    # emitters straight down to the common wire
    s.wire((g["c1"], yt + 20), (g["c1"], cy), (g["c2"], cy), (g["c2"], yt + 20))
    s.dot(mid, cy)
    s.dot(mid + 45, cy)
    s.ground(mid + 45, cy)


def auto_bias(s, g):
    """Form3: emitters joined, Rэ || Сэ to the common wire; Rб to the common
    wire across the emitter wire."""
    yt, cy, mid = g["yt"], g["common_y"], g["mid"]
    ey = 275
    for x in (g["rb1"], g["rb2"]):
        s.wire((x, yt), (x, cy))
        s.res(x, 245, vertical=True)
        s.dot(x, yt)
    s.label(g["rb1"] - 8, 249, "R_б", "end")
    s.label(g["rb2"] + 8, 249, "R_б")
    s.wire((g["c1"], yt + 20), (g["c1"], ey), (g["c2"], ey), (g["c2"], yt + 20))
    s.wire((g["rb1"], cy), (g["rb2"], cy))
    re_x, ce_x = mid - 15, mid + 15
    for x in (re_x, ce_x):
        s.wire((x, ey), (x, cy))
        s.dot(x, ey)
        s.dot(x, cy)
    s.res(re_x, 297, vertical=True)
    s.cap(ce_x, 297, vertical=True)
    s.label(re_x - 7, 301, "R_э", "end")
    s.label(ce_x + 11, 301, "С_э")
    s.dot(mid, cy)
    s.ground(mid, cy)


def form2():
    s = Sheet("Form2_Image2", 437, 391)
    counting_trigger(s, 135, 305, rail=25, yt=215, common_y=340, bottom_y=378,
                     extra=bias_source)
    s.save()


def form3():
    s = Sheet("Form3_Image2", 451, 361)
    counting_trigger(s, 135, 325, rail=25, yt=215, common_y=320, bottom_y=350,
                     extra=auto_bias)
    s.save()


def form4():
    """Asymmetric (Schmitt) trigger on two p-n-p transistors."""
    s = Sheet("Form4_Image2", 449, 401)
    rail, low, yt = 25, 365, 190
    t1, t2 = 145, 310
    c1, c2 = t1 + 5, t2 + 5
    div, vb = 95, 255          # divider column, T2 base column
    yc, ye, yin = 125, 245, 225
    out = 400
    rcx = (c1 + vb) // 2

    s.wire((div, rail), (out, rail))
    supply_pair(s, out, rail)
    s.wire((15, low), (out, low))
    s.terminal(15, low)
    s.terminal(out, low)
    s.dot((c1 + vb) // 2, low)
    s.ground((c1 + vb) // 2, low)

    # input through Ср to the divider R3 / R2, the divider to T1's base
    s.terminal(15, yin)
    s.wire((15, yin), (div, yin))
    s.cap(52, yin)
    s.label(52, yin - 14, "С_р", "middle")
    s.label(9, 300, "u_вх")
    s.wire((div, rail), (div, low))
    s.res(div, 100, vertical=True)
    s.res(div, 300, vertical=True)
    s.label(div - 10, 104, "R3", "end")
    s.label(div - 10, 304, "R2", "end")
    s.wire((div, yt), (t1 - 25, yt))
    s.dot(div, yt)
    s.dot(div, yin)
    s.dot(div, low)

    # collectors
    for c, name, side in ((c1, "R_к1", "end"), (c2, "R_к2", "start")):
        s.wire((c, rail), (c, yt - 20))
        s.res(c, 60, vertical=True)
        s.dot(c, rail)
        s.label(c - 8 if side == "end" else c + 8, 64, name, side)
    s.transistor("pnp", t1, yt)
    s.transistor("pnp", t2, yt)
    s.label(t1 - 17, yt - 18, "Т1", "end")
    s.label(t2 + 18, yt + 22, "Т2")

    # T1 collector -> Rк.б || С -> T2 base, Rб down to the bottom rail
    s.wire((c1, yc), (vb, yc), (vb, yt), (t2 - 25, yt))
    s.dot(c1, yc)
    s.rc(rcx, yc)
    s.label(rcx, yc + 18, "R_к.б", "middle")
    s.label(rcx, yc - 33, "С", "middle")
    s.wire((vb, yt), (vb, low))
    s.dot(vb, yt)
    s.dot(vb, low)
    s.res(vb, 310, vertical=True)
    s.label(vb + 8, 314, "R_б")

    # joined emitters through R1; the Rб lead crosses without a dot
    s.wire((c2, yt + 20), (c2, ye), (c1, ye))
    s.wire((c1, yt + 20), (c1, low))
    s.dot(c1, ye)
    s.dot(c1, low)
    s.res(c1, 310, vertical=True)
    s.label(c1 - 8, 314, "R1", "end")

    # output from T2's collector
    s.wire((c2, yc), (out, yc))
    s.dot(c2, yc)
    s.terminal(out, yc)
    s.label(out + 7, 250, "u_вых")
    s.save()


def form5():
    """Emitter-coupled trigger: p-n-p T1 on −Ек1, n-p-n T2 on +Ек2."""
    s = Sheet("Form5_Image2", 341, 255, text=GREEN)
    rail, yt, yc, ye = 25, 140, 95, 185
    t1, t2 = 110, 240
    c1, c2, vb = t1 + 5, t2 + 5, 200
    out = 315

    # input: R1 to T1's base; the lower terminal is the common ground
    s.terminal(15, yt)
    s.terminal(15, yt + 50)
    s.wire((15, yt + 50), (15, yt + 60))
    s.ground(15, yt + 60)
    s.label(24, yt + 30, "вход")
    s.wire((15, yt), (t1 - 25, yt))
    s.res(50, yt)
    s.label(50, yt - 12, "R1", "middle")
    s.transistor("pnp", t1, yt)
    s.label(t1 - 17, yt + 27, "Т1", "end")

    # T1 collector from −Ек1 through Rк1
    s.terminal(c1, rail)
    s.label(c1 - 7, rail + 4, "−Е_к1", "end")
    s.wire((c1, rail), (c1, yt - 20))
    s.res(c1, 58, vertical=True)
    s.label(c1 - 8, 62, "R_к1", "end")

    # R || С from T1's collector to T2's base; Rб2 up to +Ек2
    s.wire((c1, yc), (vb, yc), (vb, yt), (t2 - 25, yt))
    s.dot(c1, yc)
    s.rc(157, yc)
    s.label(157, yc + 18, "R", "middle")
    s.label(157, yc - 33, "С", "middle")
    s.wire((vb, yc), (vb, rail), (out, rail))
    s.dot(vb, yc)
    s.res(vb, 58, vertical=True)
    s.label(vb - 8, 62, "R_б2", "end")
    s.terminal(out, rail)
    s.label(out + 7, rail - 9, "+Е_к2", "end")

    # T2 collector through Rк2, and the output
    s.transistor("npn", t2, yt)
    s.label(t2 + 18, yt + 27, "Т2")
    s.wire((c2, rail), (c2, yt - 20))
    s.dot(c2, rail)
    s.res(c2, 58, vertical=True)
    s.label(c2 + 8, 62, "R_к2")
    s.wire((c2, yc), (out, yc))
    s.dot(c2, yc)
    s.terminal(out, yc)
    s.label(out + 7, yc + 21, "выход", "end")

    # common emitter node to ground through Rэ
    s.wire((c1, yt + 20), (c1, ye), (c2, ye), (c2, yt + 20))
    s.wire((180, ye), (180, 230))
    s.dot(180, ye)
    s.res(180, 207, vertical=True)
    s.label(188, 211, "R_э")
    s.ground(180, 230)
    s.save()


def form6(variant):
    """Output transistor T2 of the emitter-coupled trigger with its load."""
    if variant == 1:
        s = Sheet("Form6_Image1", 311, 317, text=GREEN)
    else:
        s = Sheet("Form6_Image2", 319, 309, text=GREEN)
    rail, yt, ye = 40, 180, 245
    t2, vb = 205, 150
    c2 = t2 + 5
    supply = s.w - 26

    s.wire((vb, rail), (supply, rail))
    s.terminal(supply, rail)
    s.label(supply + 9, rail - 10, "+Е_к2", "end")
    # Rк2 and the base resistor hang from the rail
    s.wire((c2, rail), (c2, yt - 20))
    s.dot(c2, rail)
    s.res(c2, 90, vertical=True)
    s.label(c2 - 8, 94, "R_к2", "end")
    s.wire((vb, rail), (vb, yt), (t2 - 25, yt))
    s.res(vb, 90, vertical=True)
    s.transistor("npn", t2, yt)
    s.label(t2 + 19, yt + 26, "Т2")
    # coupling from the other transistor, entering at the left edge
    s.wire((0, yt), (vb, yt))
    s.dot(vb, yt)
    s.rc(80, yt)
    # emitter bus leaves at the left edge; its resistor goes to ground
    s.wire((c2, yt + 20), (c2, ye), (0, ye))
    s.wire((120, ye), (120, 285))
    s.dot(120, ye)
    s.res(120, 265, vertical=True)
    s.ground(120, 285)

    # the load
    yl = 135
    s.dot(c2, yl)
    if variant == 1:
        xl = 260
        s.wire((xl, rail), (xl, yl), (c2, yl), color=GREEN)
        s.dot(xl, rail)
        s.res(xl, 90, vertical=True, color=GREEN)
        s.label(xl + 8, 94, "R_н")
        s.label(s.w - 6, s.h - 8, "Вариант 1", "end")
    else:
        xl = 265
        s.wire((c2, yl), (xl, yl), (xl, 240), color=GREEN)
        s.res(xl, 190, vertical=True, color=GREEN)
        s.ground(xl, 240, color=GREEN)
        s.label(xl + 8, 194, "R_н")
        s.label(s.w - 6, s.h - 8, "Вар. 2", "end")
    s.save()


def form7():
    """Collector-base coupled trigger: p-n-p T1 on −Ек1, n-p-n T2 on +Ек2."""
    s = Sheet("Form7_Image2", 455, 297, text=GREEN)
    rail, yt, yr, ye = 25, 205, 120, 260
    t1, t2 = 100, 355
    c1, c2 = t1 - 5, t2 + 5          # T1 mirrored: both bases face the middle
    rb1, rb2 = 170, 285
    left, right = 20, 435

    s.wire((left, rail), (rb1, rail))
    s.terminal(left, rail)
    s.label(left - 12, rail - 10, "−Е_к1")
    s.wire((rb2, rail), (right, rail))
    s.terminal(right, rail)
    s.label(right + 12, rail - 10, "+Е_к2", "end")

    for c, rb, t, kind, side in ((c1, rb1, t1, "pnp", "right"), (c2, rb2, t2, "npn", "left")):
        s.wire((c, rail), (c, yt - 20))
        s.dot(c, rail)
        s.res(c, 62, vertical=True)
        s.wire((rb, rail), (rb, yt), (t + (25 if side == "right" else -25), yt))
        s.res(rb, 62, vertical=True)
        s.dot(rb, yt)
        s.transistor(kind, t, yt, base=side)
    s.label(c1 - 8, 66, "R_к1", "end")
    s.label(rb1 + 8, 66, "R_б1")
    s.label(rb2 - 8, 66, "R_б2", "end")
    s.label(c2 + 8, 66, "R_к2")
    s.label(t1 - 19, yt + 27, "Т1", "end")
    s.label(t2 + 19, yt + 27, "Т2")

    # R1 || С1 to the right, then diagonally to T2's base; R2 || С2 mirrored.
    # The rows cross the Rб wires and the diagonals cross each other: no dots.
    s.wire((c1, yr), (rb1 + 15, yr), (rb2, yt))
    s.dot(c1, yr)
    s.rc(132, yr)
    s.label(132, yr + 18, "R1", "middle")
    s.label(132, yr - 33, "С1", "middle")
    s.wire((c2, yr), (rb2 - 15, yr), (rb1, yt))
    s.dot(c2, yr)
    s.rc(323, yr)
    s.label(323, yr + 18, "R2", "middle")
    s.label(323, yr - 33, "С2", "middle")

    # emitters on the common bus, ground in the middle
    s.wire((c1, yt + 20), (c1, ye), (c2, ye), (c2, yt + 20))
    s.dot(228, ye)
    s.ground(228, ye)
    s.save()


# --- covers -------------------------------------------------------------------

class Metrics:
    """Advance widths from a TrueType file, enough to fit a cover's title
    into its frame without a font library."""

    def __init__(self, path):
        self.widths, self.em = {}, 2048
        try:
            data = open(path, "rb").read()
        except OSError:
            return
        u16 = lambda o: struct.unpack_from(">H", data, o)[0]
        tables = {}
        for k in range(u16(4)):
            tag, _, off, _ = struct.unpack_from(">4sIII", data, 12 + 16 * k)
            tables[tag] = off
        self.em = u16(tables[b"head"] + 18)
        nh = u16(tables[b"hhea"] + 34)
        hmtx = tables[b"hmtx"]
        cmap = tables[b"cmap"]
        sub = None
        for k in range(u16(cmap + 2)):
            pid, eid, off = struct.unpack_from(">HHI", data, cmap + 4 + 8 * k)
            if pid == 3 and eid == 1:
                sub = cmap + off
        if sub is None or u16(sub) != 4:
            return
        segs = u16(sub + 6) // 2
        ends, starts = sub + 14, sub + 16 + 2 * segs
        deltas, ranges = starts + 2 * segs, starts + 4 * segs
        for k in range(segs):
            end, start = u16(ends + 2 * k), u16(starts + 2 * k)
            delta, roff = u16(deltas + 2 * k), u16(ranges + 2 * k)
            for c in range(start, min(end, 0x2FFF) + 1):
                if roff:
                    g = u16(ranges + 2 * k + roff + 2 * (c - start))
                    g = (g + delta) & 0xFFFF if g else 0
                else:
                    g = (c + delta) & 0xFFFF
                self.widths[chr(c)] = u16(hmtx + 4 * min(g, nh - 1))

    def width(self, text, size):
        # unknown font: a typical sans advance of 0.62 em
        w = sum(self.widths.get(c, self.em * 0.62) for c in text)
        return w * size / self.em


DEJAVU = "/usr/share/fonts/truetype/dejavu/"
BOLD = Metrics(DEJAVU + "DejaVuSans-Bold.ttf")
BOOK = Metrics(DEJAVU + "DejaVuSans.ttf")


def fit(metrics, lines, size, room):
    """Largest size up to `size` at which every line fits `room` pixels."""
    widest = max(metrics.width(t, 1) for t in lines)
    return min(size, round(room / widest * 0.97, 1))


def emblem_transistor(kind):
    """Transistor for the cover emblem: leads cut short, nothing filled."""
    return ('<circle r="15"/><path d="M-21 0H-6M-5-4L5-10V-19M-5 4L5 10V19"/>'
            '<path d="M-5.5-9V9" stroke-width="2.4" stroke-linecap="butt"/>'
            '<path d="%s" fill="currentColor" stroke-width="1"/>' % ARROW[kind])


def waveform(x0, x1, y, amp, kind):
    """Square pulses, or a sine turned into them by the Schmitt trigger."""
    if kind == "square":
        step = (x1 - x0) / 5
        d = "M%.1f %.1f" % (x0, y)
        for k in range(5):
            lvl = y - amp if k % 2 else y
            d += "V%.1fH%.1f" % (lvl, x0 + (k + 1) * step)
        return d + "V%.1f" % y
    mid = (x0 + x1) / 2
    n = 30
    pts = [(x0 + (mid - 6 - x0) * k / n,
            y - amp / 2 - amp / 2 * math.sin(2 * math.pi * 1.5 * k / n)) for k in range(n + 1)]
    d = "M" + "L".join("%.1f %.1f" % p for p in pts)
    # the arrow of the conversion
    d += "M%.1f %.1fl5 3l-5 3z" % (mid - 3, y - amp / 2 - 3)
    step = (x1 - mid - 4) / 3
    xs = mid + 4
    return d + "M%.1f %.1fV%.1fH%.1fV%.1fH%.1fV%.1fH%.1f" % (
        xs, y, y - amp, xs + step, y, xs + 2 * step, y - amp, x1)


def cover(name, w, h, bg, accent, title, note, pair, wave="square"):
    """Cloth-bound look: spine, double frame, the topic in words, the
    transistor pair and the pulse shape the trigger makes."""
    paper = "#f3ead2"
    spine = 7
    left, right = spine + 5, w - 5            # outer frame
    cx = (left + right) / 2
    room = right - left - 12
    fs = fit(BOLD, title, 12 if w < 150 else 14, room)
    ns = fit(BOOK, note, 9 if w < 150 else 10.5, room)

    out = ['<rect width="%d" height="%d" fill="%s"/>' % (w, h, bg),
           '<rect width="%d" height="%d" fill="#000" opacity=".25"/>' % (spine, h),
           '<rect x="%d" width="1" height="%d" fill="#fff" opacity=".15"/>' % (spine, h),
           '<rect x="%.1f" y="5.5" width="%d" height="%d" fill="none" stroke="%s"/>'
           % (left + .5, right - left - 1, h - 11, accent),
           '<rect x="%.1f" y="8.5" width="%d" height="%d" fill="none" stroke="%s" '
           'stroke-width=".6"/>' % (left + 3.5, right - left - 7, h - 17, accent)]

    y = 22 + fs
    for line in title:
        out.append('<text x="%g" y="%g" font-size="%g" font-weight="bold" '
                   'text-anchor="middle" fill="%s">%s</text>' % (cx, y, fs, paper, esc(line)))
        y += round(fs * 1.25)
    y += 4
    out.append('<path d="M%g %gH%g" stroke="%s" stroke-width=".8"/>'
               % (cx - room / 4, y - fs + 2, cx + room / 4, accent))
    y += round(ns * 0.8)
    for line in note:
        out.append('<text x="%g" y="%g" font-size="%g" text-anchor="middle" '
                   'fill="%s">%s</text>' % (cx, y, ns, accent, esc(line)))
        y += round(ns * 1.25)

    # emblem and waveform share what is left above the bottom frame
    sc = (right - left) / 135
    top, bottom = y, h - 14
    block = 40 * sc + 12 + 10 * sc
    ey = top + (bottom - top - block) / 2 + 20 * sc
    dx = 26 * sc
    out.append('<g color="%s" stroke="currentColor" fill="none" stroke-width="1.5">' % accent)
    for kind, x, flip in ((pair[0], cx - dx, True), (pair[1], cx + dx, False)):
        tr = "translate(%.1f %.1f) scale(%.2f)" % (x, ey, sc)
        # both bases face the middle, as in the schematics
        tr += " scale(-1 1)" if flip else ""
        out.append('<g transform="%s">%s</g>' % (tr, emblem_transistor(kind)))
    out.append('</g>')
    wy = ey + 20 * sc + 12 + 10 * sc
    out.append('<path d="%s" fill="none" stroke="%s" stroke-width="1.4" '
               'stroke-linejoin="round"/>' % (waveform(cx - 44 * sc, cx + 44 * sc, wy,
                                                         10 * sc, wave), paper))

    svg = ('<?xml version="1.0" encoding="UTF-8"?>\n'
           '<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
           'viewBox="0 0 {w} {h}" font-family="{font}">\n{body}\n</svg>\n'
           ).format(w=w, h=h, font=FONT, body="\n".join(out))
    with open(os.path.join(OUT, name + ".svg"), "w", encoding="utf-8") as f:
        f.write(svg)


def covers():
    same, mixed = ("pnp", "pnp"), ("pnp", "npn")
    pnp_note = ["на p-n-p", "транзисторах"]
    mixed_note = ["на транзисторах", "разной проводимости"]
    cover("Form2_Image1", 135, 203, "#1d3b6a", "#d9b45a",
          ["Симметричный", "триггер", "с внешним", "источником", "смещения"],
          pnp_note, same)
    cover("Form3_Image1", 135, 205, "#17574a", "#d9b45a",
          ["Симметричный", "триггер", "с автоматическим", "смещением"],
          pnp_note, same)
    cover("Form4_Image1", 131, 201, "#6e1f27", "#dcb862",
          ["Несимметричный", "триггер", "(триггер Шмитта)"],
          pnp_note, same, wave="sine")
    cover("Form5_Image1", 171, 265, "#3a2f66", "#d9b45a",
          ["Триггер", "с эмиттерной", "связью"],
          mixed_note, mixed)
    cover("Form7_Image1", 171, 261, "#6b4210", "#e3c26e",
          ["Триггер", "с коллекторно-", "базовыми", "связями"],
          mixed_note, mixed)


def main():
    os.makedirs(OUT, exist_ok=True)
    form2()
    form3()
    form4()
    form5()
    form6(1)
    form6(2)
    form7()
    covers()


if __name__ == "__main__":
    main()
