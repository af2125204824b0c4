#!/usr/bin/env python3
"""Draws the program's pictures as SVG files into resources/pictures/, and the application
icon of the desktop entry into resources/desktop/.

One symbol set and one set of colours for every plant scheme, so the twenty schemes read as one
set. Overlays are drawn in the coordinates of the scheme they sit on and shifted to their own
origin, so they meet the base picture's pipes and stores exactly.

Run from the repository root: scripts/draw_pictures.py (the SVG files are committed; the build
does not run this script).
"""
import math
import os
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "pictures")
DESKTOP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "desktop")
APP_ID = "de.tavrel.Tavrel"

RED = "#D32F2F"     # solar and heating flow
BLUE = "#1976D2"    # returns
COLD = "#42A5F5"    # cold water
HOT = "#B71C1C"     # hot tap water
GREY = "#37474F"    # equipment outlines
FILL = "#ECEFF1"    # equipment fill
WARM = "#FFCDD2"    # store top
COOL = "#BBDEFB"    # store bottom
FLAME = "#FF7043"
FONT = "DejaVu Sans"

SCHEME_W, SCHEME_H = 309, 275


class Svg:
    def __init__(self, w, h, bg="#FFFFFF", origin=(0, 0), shown=None):
        # shown: the size the program shows the picture at, when it is drawn on another grid;
        # the program renders a picture once at the size its file gives.
        self.w, self.h, self.bg, self.origin = w, h, bg, origin
        self.shown = shown or (w, h)
        self.defs, self.body = [], []

    def add(self, s):
        self.body.append(s)

    def text(self):
        ox, oy = self.origin
        parts = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{self.shown[0]}" height="{self.shown[1]}" '
                 f'viewBox="0 0 {self.w} {self.h}">']
        if self.defs:
            parts.append("<defs>" + "".join(self.defs) + "</defs>")
        if self.bg:
            parts.append(f'<rect x="0" y="0" width="{self.w}" height="{self.h}" fill="{self.bg}"/>')
        parts.append(f'<g transform="translate({-ox},{-oy})">' if (ox or oy) else "<g>")
        parts.extend(self.body)
        parts.append("</g></svg>\n")
        return "\n".join(parts)

    def save(self, name, folder=OUT):
        with open(os.path.join(folder, name + ".svg"), "w", encoding="utf-8") as f:
            f.write(self.text())


def f(v):
    return f"{v:g}"


# ---------------------------------------------------------------- symbols of the plant schemes

def pipe(s, pts, color, hops=(), width=2.0, dash=None):
    """A pipe along pts; hops are x positions where a horizontal segment bridges a crossing pipe."""
    r = 4.0
    d = [f"M{f(pts[0][0])},{f(pts[0][1])}"]
    for (x1, y1), (x2, y2) in zip(pts, pts[1:]):
        if y1 == y2 and hops:
            step = 1 if x2 > x1 else -1
            for hx in sorted((h for h in hops if min(x1, x2) + r < h < max(x1, x2) - r),
                             reverse=step < 0):
                sweep = 1 if step > 0 else 0
                d.append(f"L{f(hx - step * r)},{f(y1)} A{f(r)},{f(r)} 0 0 {sweep} {f(hx + step * r)},{f(y1)}")
        d.append(f"L{f(x2)},{f(y2)}")
    extra = f' stroke-dasharray="{dash}"' if dash else ""
    s.add(f'<path d="{" ".join(d)}" fill="none" stroke="{color}" stroke-width="{width}" '
          f'stroke-linejoin="round"{extra}/>')


def arrow(s, x, y, direction, color):
    """A small filled arrowhead with its tip at (x, y)."""
    dx, dy = {"r": (1, 0), "l": (-1, 0), "u": (0, -1), "d": (0, 1)}[direction]
    px, py = -dy, dx
    a = (x - 7 * dx + 4 * px, y - 7 * dy + 4 * py)
    b = (x - 7 * dx - 4 * px, y - 7 * dy - 4 * py)
    s.add(f'<path d="M{f(x)},{f(y)} L{f(a[0])},{f(a[1])} L{f(b[0])},{f(b[1])} Z" fill="{color}"/>')


def label(s, x, y, t, anchor="start", size=8.5, color=GREY, weight="normal"):
    s.add(f'<text x="{f(x)}" y="{f(y)}" font-family="{FONT}" font-size="{size}" '
          f'font-weight="{weight}" fill="{color}" text-anchor="{anchor}">{t}</text>')


def sensor(s, x, y):
    s.add(f'<circle cx="{f(x)}" cy="{f(y)}" r="2.3" fill="{GREY}"/>')


def pump(s, cx, cy, direction):
    r = 6.5
    s.add(f'<circle cx="{f(cx)}" cy="{f(cy)}" r="{r}" fill="#FFFFFF" stroke="{GREY}" stroke-width="1.5"/>')
    dx, dy = {"r": (1, 0), "l": (-1, 0), "u": (0, -1), "d": (0, 1)}[direction]
    px, py = -dy, dx
    tip = (cx + 5 * dx, cy + 5 * dy)
    a = (cx - 3.5 * dx + 4.2 * px, cy - 3.5 * dy + 4.2 * py)
    b = (cx - 3.5 * dx - 4.2 * px, cy - 3.5 * dy - 4.2 * py)
    s.add(f'<path d="M{f(tip[0])},{f(tip[1])} L{f(a[0])},{f(a[1])} L{f(b[0])},{f(b[1])} Z" fill="{GREY}"/>')


def valve3(s, cx, cy, third, vertical=False):
    """Three-way valve: a bow-tie along the main line with a third port (third: u/d/l/r)."""
    k = 5.5
    if vertical:
        main = [(cx, cy), (cx - k, cy - k * 1.3), (cx + k, cy - k * 1.3), (cx, cy),
                (cx - k, cy + k * 1.3), (cx + k, cy + k * 1.3)]
        body = (f"M{f(main[0][0])},{f(main[0][1])} L{f(main[1][0])},{f(main[1][1])} "
                f"L{f(main[2][0])},{f(main[2][1])} Z M{f(main[3][0])},{f(main[3][1])} "
                f"L{f(main[4][0])},{f(main[4][1])} L{f(main[5][0])},{f(main[5][1])} Z")
    else:
        body = (f"M{f(cx)},{f(cy)} L{f(cx - k * 1.3)},{f(cy - k)} L{f(cx - k * 1.3)},{f(cy + k)} Z "
                f"M{f(cx)},{f(cy)} L{f(cx + k * 1.3)},{f(cy - k)} L{f(cx + k * 1.3)},{f(cy + k)} Z")
    dx, dy = {"r": (1, 0), "l": (-1, 0), "u": (0, -1), "d": (0, 1)}[third]
    px, py = -dy, dx
    a = (cx + 1.3 * k * dx + k * px, cy + 1.3 * k * dy + k * py)
    b = (cx + 1.3 * k * dx - k * px, cy + 1.3 * k * dy - k * py)
    body += f" M{f(cx)},{f(cy)} L{f(a[0])},{f(a[1])} L{f(b[0])},{f(b[1])} Z"
    s.add(f'<path d="{body}" fill="#FFFFFF" stroke="{GREY}" stroke-width="1.3" stroke-linejoin="round"/>')


def store_gradient(s, x, y, h):
    gid = f"st{x}_{y}"
    s.defs.append(f'<linearGradient id="{gid}" gradientUnits="userSpaceOnUse" x1="0" y1="{y}" '
                  f'x2="0" y2="{y + h}"><stop offset="0" stop-color="{WARM}"/>'
                  f'<stop offset="1" stop-color="{COOL}"/></linearGradient>')
    return gid


def store(s, x, y, w, h):
    gid = store_gradient(s, x, y, h)
    s.add(f'<rect x="{f(x)}" y="{f(y)}" width="{f(w)}" height="{f(h)}" rx="11" ry="11" '
          f'fill="url(#{gid})" stroke="{GREY}" stroke-width="1.5"/>')
    return gid


def coil(s, wall_x, side, y0, y1, color=RED, depth=24):
    """A heat-exchanger coil entering a store wall at y0 and leaving it at y1 (zig-zag)."""
    sgn = 1 if side == "l" else -1
    xa, xb = wall_x + sgn * 5, wall_x + sgn * depth
    n = max(3, int((y1 - y0) / 7))
    pts = [(wall_x, y0), (xb, y0)]
    for i in range(1, n):
        yy = y0 + (y1 - y0) * i / n
        pts.append((xa if i % 2 else xb, yy))
    pts += [(xb if n % 2 else xa, y1), (wall_x, y1)]
    pipe(s, pts, color, width=1.5)


def boiler(s, x, y, w, h):
    s.add(f'<rect x="{f(x)}" y="{f(y)}" width="{f(w)}" height="{f(h)}" rx="3" fill="{FILL}" '
          f'stroke="{GREY}" stroke-width="1.5"/>')
    cx, by = x + w / 2, y + h - 7
    s.add(f'<path d="M{f(cx)},{f(by)} C{f(cx - 11)},{f(by)} {f(cx - 9)},{f(by - 12)} {f(cx - 3)},{f(by - 20)} '
          f'C{f(cx - 3)},{f(by - 13)} {f(cx + 1)},{f(by - 12)} {f(cx + 2)},{f(by - 16)} '
          f'C{f(cx + 9)},{f(by - 10)} {f(cx + 10)},{f(by)} {f(cx)},{f(by)} Z" fill="{FLAME}" '
          f'stroke="#BF360C" stroke-width="1"/>')


def flow_heater(s, x, y, w, h):
    s.add(f'<rect x="{f(x)}" y="{f(y)}" width="{f(w)}" height="{f(h)}" rx="3" fill="{FILL}" '
          f'stroke="{GREY}" stroke-width="1.5"/>')
    cx, cy = x + w / 2, y + h / 2
    s.add(f'<path d="M{f(cx + 3)},{f(cy - 16)} L{f(cx - 6)},{f(cy + 2)} L{f(cx)},{f(cy + 2)} '
          f'L{f(cx - 3)},{f(cy + 16)} L{f(cx + 7)},{f(cy - 3)} L{f(cx + 1)},{f(cy - 3)} Z" '
          f'fill="#FFB300" stroke="#E65100" stroke-width="1"/>')


def radiator(s, x, y, w, h):
    s.add(f'<rect x="{f(x)}" y="{f(y)}" width="{f(w)}" height="{f(h)}" rx="2" fill="{FILL}" '
          f'stroke="{GREY}" stroke-width="1.5"/>')
    n = int(w / 6)
    for i in range(1, n):
        xx = x + w * i / n
        s.add(f'<line x1="{f(xx)}" y1="{f(y + 4)}" x2="{f(xx)}" y2="{f(y + h - 4)}" stroke="{GREY}" '
              f'stroke-width="1"/>')


def plate_hx(s, x, y, w, h):
    s.add(f'<rect x="{f(x)}" y="{f(y)}" width="{f(w)}" height="{f(h)}" fill="{FILL}" stroke="{GREY}" '
          f'stroke-width="1.5"/>')
    s.add(f'<line x1="{f(x)}" y1="{f(y + h)}" x2="{f(x + w)}" y2="{f(y)}" stroke="{GREY}" stroke-width="1.2"/>')


def pool(s, x, y, w, h):
    s.add(f'<path d="M{f(x)},{f(y)} L{f(x + 6)},{f(y + h)} L{f(x + w - 6)},{f(y + h)} L{f(x + w)},{f(y)}" '
          f'fill="#E3F2FD" stroke="{GREY}" stroke-width="1.5" stroke-linejoin="round"/>')
    for k in range(3):
        yy = y + 8 + k * (h - 12) / 3
        x0, x1 = x + 6 + k, x + w - 6 - k
        segs = int((x1 - x0) / 10)
        d = f"M{f(x0)},{f(yy)}"
        for i in range(segs):
            xa = x0 + (i + 0.5) * (x1 - x0) / segs
            xb = x0 + (i + 1) * (x1 - x0) / segs
            d += f" Q{f(xa)},{f(yy + (-3 if i % 2 == 0 else 3))} {f(xb)},{f(yy)}"
        s.add(f'<path d="{d}" fill="none" stroke="{COLD}" stroke-width="1.2"/>')


COLLECTOR = [(8, 54), (56, 54), (74, 14), (26, 14)]


def collector(s):
    pts = " ".join(f"{x},{y}" for x, y in COLLECTOR)
    s.add(f'<polygon points="{pts}" fill="#CFD8DC" stroke="{GREY}" stroke-width="1.5" stroke-linejoin="round"/>')
    for k in range(1, 6):
        bx, tx = 8 + k * 8, 26 + k * 8
        s.add(f'<line x1="{bx}" y1="52" x2="{tx}" y2="16" stroke="#455A64" stroke-width="1"/>')
    sensor(s, 66, 24)


def solar_loop(s, flow_x, coil_y0, coil_y1, store_x, return_pts=None, flow_hops=(), ret_hops=()):
    """Collector with its flow down to a store coil and the return through the pump group."""
    collector(s)
    pipe(s, [(72, 18), (flow_x, 18), (flow_x, coil_y0), (store_x, coil_y0)], RED, hops=flow_hops)
    pipe(s, return_pts or [(store_x, coil_y1), (32, coil_y1), (32, 54)], BLUE, hops=ret_hops)
    pump(s, 32, 150, "u")
    coil(s, store_x, "l", coil_y0, coil_y1)


def hot_out(s, x, y_from, x_to, y=10):
    pipe(s, [(x, y_from), (x, y), (x_to, y)], HOT)
    arrow(s, x_to + 6, y, "r", HOT)
    label(s, x_to + 9, y + 3, "WW", color=HOT)


def cold_in(s, x_to, y_to, y=262, hops=()):
    pipe(s, [(14, y), (x_to, y), (x_to, y_to)], COLD, hops=hops)
    arrow(s, 22, y, "r", COLD)
    label(s, 12, y - 5, "KW", color="#1565C0")


def boiler_to_coil(s, store_r, y_flow, y_ret, bx=244, by=22):
    """Boiler top right feeding the upper coil on the store's right wall."""
    boiler(s, bx, by, 50, 42)
    x1, x2 = bx + 12, bx + 42
    pipe(s, [(x1, by + 42), (x1, y_flow), (store_r, y_flow)], RED)
    pipe(s, [(store_r, y_ret), (x2, y_ret), (x2, by + 42)], BLUE)
    pump(s, x2, (y_ret + by + 42) / 2 + 4, "u")
    coil(s, store_r, "r", y_flow, y_ret)


# ---------------------------------------------------------------- plant schemes

def new_scheme():
    return Svg(SCHEME_W, SCHEME_H)


# Store of the single-store plants (types 1 to 3) and its neighbours.
S1 = dict(x=96, y=78, w=50, h=154)


def single_store(s):
    x, y, w, h = S1["x"], S1["y"], S1["w"], S1["h"]
    store(s, x, y, w, h)
    solar_loop(s, 84, 182, 222, x)
    # Boiler top right, on the upper coil; the area right of the store stays free for the
    # pool and anti-legionella overlays of plant type 1.
    boiler(s, 230, 26, 56, 44)
    pipe(s, [(230, 36), (176, 36), (176, 100), (146, 100)], RED)
    pipe(s, [(146, 132), (184, 132), (184, 60), (230, 60)], BLUE)
    pump(s, 207, 60, "r")
    coil(s, 146, "r", 100, 132)
    hot_out(s, 121, 78, 160)
    cold_in(s, 121, 232)
    sensor(s, 104, 206)
    sensor(s, 138, 116)


def schema1():
    s = new_scheme()
    single_store(s)
    return s


def radiator_circuit(s, x_from, y_ret, pump_x, y_flow=156):
    """Radiator right of the store with its pump; flow and return start at x_from."""
    radiator(s, 246, 168, 46, 40)
    pipe(s, [(x_from, y_flow), (256, y_flow), (256, 168)], RED)
    pump(s, pump_x, y_flow, "r")
    pipe(s, [(286, 208), (286, y_ret), (x_from, y_ret)], BLUE)


def schema2():
    # Hot water with the surplus into a heating circuit.
    s = new_scheme()
    single_store(s)
    radiator_circuit(s, 146, 218, 230)
    valve3(s, 206, 156, "d")
    pipe(s, [(206, 218), (206, 162)], BLUE)
    sensor(s, 138, 164)
    return s


def schema3():
    # Hot water with a second consumer behind a heat exchanger.
    s = new_scheme()
    single_store(s)
    plate_hx(s, 198, 148, 12, 74)
    pipe(s, [(146, 156), (198, 156)], RED)
    pump(s, 172, 156, "r")
    pipe(s, [(198, 214), (146, 214)], BLUE)
    radiator_circuit(s, 210, 214, 232)
    sensor(s, 138, 164)
    return s


# Two stores side by side (types 4 and 5): the solar store left, the auxiliary store right.
SL = dict(x=96, y=78, w=50, h=154)
SR = dict(x=186, y=78, w=50, h=154)


def two_stores(s):
    store(s, SL["x"], SL["y"], SL["w"], SL["h"])
    store(s, SR["x"], SR["y"], SR["w"], SR["h"])
    boiler_to_coil(s, 236, 96, 130, bx=246, by=20)
    hot_out(s, 211, 78, 236)
    sensor(s, 104, 206)
    sensor(s, 228, 112)


def schema4():
    # Two stores in series: the left one preheats; the collector loads the right one first.
    s = new_scheme()
    two_stores(s)
    collector(s)
    pipe(s, [(72, 18), (84, 18), (84, 182), (96, 182)], RED)
    pipe(s, [(84, 188), (84, 250), (256, 250), (256, 190), (236, 190)], RED, hops=(248, 121))
    valve3(s, 84, 182, "r", vertical=True)
    coil(s, 96, "l", 182, 222)
    coil(s, 236, "r", 190, 222)
    pipe(s, [(236, 222), (248, 222), (248, 258), (32, 258), (32, 54)], BLUE, hops=(121,))
    pipe(s, [(96, 222), (32, 222)], BLUE)
    pump(s, 32, 150, "u")
    pipe(s, [(121, 78), (121, 66), (166, 66), (166, 226), (186, 226)], HOT)
    cold_in(s, 121, 232, y=268)
    sensor(s, 228, 206)
    return s


def schema5():
    # Cascade: solar store, then the auxiliary store; a pump exchanges the stores' water.
    s = new_scheme()
    two_stores(s)
    solar_loop(s, 84, 182, 222, 96)
    pipe(s, [(121, 78), (121, 66), (166, 66), (166, 226), (186, 226)], HOT, hops=(176,))
    pipe(s, [(186, 96), (176, 96), (176, 244), (131, 244), (131, 232)], HOT)
    pump(s, 176, 170, "d")
    cold_in(s, 111, 232)
    return s


def schema5dle():
    # Solar store followed by a flow-through heater.
    s = new_scheme()
    x, y, w, h = SL["x"], SL["y"], SL["w"], SL["h"]
    store(s, x, y, w, h)
    solar_loop(s, 84, 182, 222, x)
    flow_heater(s, 184, 120, 26, 60)
    pipe(s, [(121, 78), (121, 66), (166, 66), (166, 196), (197, 196), (197, 180)], HOT)
    hot_out(s, 197, 120, 230)
    cold_in(s, 121, 232)
    sensor(s, 104, 206)
    return s


# Buffer-store plants (types 6 to 8): heating part by connection variant.
BOILER = (244, 22, 50, 42)
RAD = (252, 132, 44, 46)


def heating(s, br, hk, y_top=84, y_ret_boiler=104, y_flow=120, y_mid=170, y_bot=222):
    bx, by, bw, bh = BOILER
    radiator(s, *RAD)
    rad_in = RAD[0] + 10
    rad_out = RAD[0] + RAD[2] - 6
    vx = br + 20
    if hk in (1, 2):
        # Boiler keeps the buffer top warm; the circuit takes its flow from the top.
        boiler(s, *BOILER)
        pipe(s, [(bx, by + 10), (br + 30, by + 10), (br + 30, y_top), (br, y_top)], RED)
        pipe(s, [(br, y_ret_boiler), (br + 40, y_ret_boiler), (br + 40, by + 32), (bx, by + 32)], BLUE)
        pump(s, br + 40, (y_ret_boiler + by + 32) / 2, "u")
        mx = br + 30
        pipe(s, [(br, y_flow), (rad_in, y_flow), (rad_in, RAD[1])], RED)
        valve3(s, mx, y_flow, "d")
        pump(s, (mx + rad_in) / 2 + 2, y_flow, "r")
        pipe(s, [(rad_out, RAD[1] + RAD[3]), (rad_out, 192), (vx, 192)], BLUE)
        pipe(s, [(mx, 192), (mx, y_flow + 6)], BLUE)
        if hk == 1:
            pipe(s, [(vx, 192), (vx, y_bot), (br, y_bot)], BLUE)
        else:
            # Return into the layer that matches its temperature.
            pipe(s, [(vx, 192), (vx, y_bot), (br, y_bot)], BLUE)
            pipe(s, [(vx, 192), (vx, y_mid), (br, y_mid)], BLUE)
            valve3(s, vx, 192, "r", vertical=True)
            sensor(s, br - 8, y_mid)
    else:
        # Return raising: the heating return passes the buffer (variant 4 only when the buffer
        # bottom is warm enough) and the boiler lifts it to flow temperature.
        boiler(s, *BOILER)
        pipe(s, [(br, y_flow), (br + 40, y_flow), (br + 40, by + 32), (bx, by + 32)], BLUE)
        pipe(s, [(bx + bw, by + 21), (302, by + 21), (302, 112), (rad_in, 112), (rad_in, RAD[1])], RED)
        pump(s, 302, 88, "d")
        pipe(s, [(rad_out, RAD[1] + RAD[3]), (rad_out, 192), (vx, 192), (vx, y_bot), (br, y_bot)], BLUE)
        if hk == 4:
            pipe(s, [(vx, 192), (vx, y_flow)], BLUE)
            valve3(s, vx, 192, "r", vertical=True)
            sensor(s, br - 8, y_bot - 10)


def buffer_schema6(hk):
    s = new_scheme()
    bx, by, bw, bh = 90, 70, 70, 166
    store(s, bx, by, bw, bh)
    # Drinking-water tank inside the buffer.
    s.add(f'<rect x="110" y="104" width="30" height="90" rx="9" ry="9" fill="#FFEBEE" '
          f'stroke="{HOT}" stroke-width="1.3"/>')
    solar_loop(s, 80, 200, 228, bx)
    hot_out(s, 125, 104, 160)
    cold_in(s, 125, 194)
    heating(s, bx + bw, hk)
    sensor(s, 98, 190)
    return s


def kombi_wt_overlay():
    # The combination store with a drinking-water coil in place of the inner tank.
    s = Svg(40, 97, bg=None, origin=(105, 101))
    gid = store_gradient(s, 90, 70, 166)
    s.add(f'<rect x="105" y="101" width="40" height="97" fill="url(#{gid})"/>')
    pts = [(125, 101), (125, 108)]
    y, left = 108.0, True
    while y < 184:
        y += 6
        pts.append((113 if left else 137, y))
        left = not left
    pts.append((125, 190))
    pipe(s, pts[:len(pts) // 2 + 1], HOT, width=1.6)
    pipe(s, pts[len(pts) // 2:], COLD, width=1.6)
    pipe(s, [(125, 190), (125, 198)], COLD)
    return s


def schema7(hk):
    # Hot-water store (loaded first) and a buffer for the heating that also recharges it.
    s = new_scheme()
    store(s, 86, 90, 40, 142)
    store(s, 146, 70, 50, 166)
    collector(s)
    pipe(s, [(72, 18), (78, 18), (78, 186), (86, 186)], RED)
    pipe(s, [(78, 192), (78, 244), (134, 244), (134, 206), (146, 206)], RED, hops=(106,))
    valve3(s, 78, 186, "r", vertical=True)
    coil(s, 86, "l", 186, 226, depth=20)
    coil(s, 146, "l", 206, 228)
    pipe(s, [(146, 228), (140, 228), (140, 256), (32, 256), (32, 54)], BLUE, hops=(106,))
    pipe(s, [(86, 226), (32, 226)], BLUE)
    pump(s, 32, 150, "u")
    # Recharge of the hot-water store from the buffer top.
    pipe(s, [(146, 100), (126, 100)], RED)
    pipe(s, [(126, 130), (146, 130)], BLUE)
    pump(s, 136, 100, "l")
    coil(s, 126, "r", 100, 130, depth=18)
    hot_out(s, 106, 90, 136, y=8)
    cold_in(s, 106, 232, y=268)
    heating(s, 196, hk)
    sensor(s, 94, 214)
    sensor(s, 154, 196)
    return s


def schema8(hk):
    # Buffer with a fresh-water station for the hot water.
    s = new_scheme()
    bx, by, bw, bh = 110, 70, 60, 166
    store(s, bx, by, bw, bh)
    solar_loop(s, 88, 200, 228, bx, ret_hops=(50,))
    plate_hx(s, 62, 96, 12, 56)
    pipe(s, [(bx, 84), (68, 84), (68, 96)], RED, hops=(88,))
    pipe(s, [(68, 152), (68, 172), (bx, 172)], BLUE, hops=(88,))
    pump(s, 100, 172, "r")
    pipe(s, [(14, 262), (50, 262), (50, 146), (62, 146)], COLD)
    arrow(s, 22, 262, "r", COLD)
    label(s, 12, 257, "KW", color="#1565C0")
    pipe(s, [(62, 102), (14, 102)], HOT, hops=(32,))
    arrow(s, 10, 102, "l", HOT)
    label(s, 14, 96, "WW", color=HOT)
    heating(s, bx + bw, hk)
    sensor(s, 118, 190)
    sensor(s, 118, 90)
    return s


# ---------------------------------------------------------------- overlays

def pool_overlay(name, ox, oy, w, h, px, py):
    """Pool with its heat exchanger; the primary side comes from the solar circuit (left)."""
    s = Svg(w, h, bg=None, origin=(ox, oy))
    hx_x, hx_y = px, py
    plate_hx(s, hx_x, hx_y, 10, 44)
    pipe(s, [(ox + 2, hx_y + 6), (hx_x, hx_y + 6)], RED, dash="4,2")
    arrow(s, hx_x, hx_y + 6, "r", RED)
    pipe(s, [(hx_x, hx_y + 38), (ox + 2, hx_y + 38)], BLUE, dash="4,2")
    arrow(s, ox + 1, hx_y + 38, "l", BLUE)
    pool(s, hx_x + 34, hx_y + 14, 62, 34)
    pipe(s, [(hx_x + 10, hx_y + 6), (hx_x + 52, hx_y + 6), (hx_x + 52, hx_y + 20)], RED)
    pipe(s, [(hx_x + 80, hx_y + 20), (hx_x + 80, hx_y + 2), (hx_x + 92, hx_y + 2),
             (hx_x + 92, hx_y + 54), (hx_x + 22, hx_y + 54), (hx_x + 22, hx_y + 38), (hx_x + 10, hx_y + 38)], BLUE)
    pump(s, hx_x + 56, hx_y + 54, "l")
    label(s, hx_x + 65, hx_y + 30, "Pool", anchor="middle", color="#1565C0")
    return s


def legio_overlay1():
    s = Svg(40, 76, bg=None, origin=(146, 138))
    pipe(s, [(146, 146), (168, 146), (168, 198), (146, 198)], HOT)
    pump(s, 168, 172, "d")
    label(s, 166, 212, "70°C", anchor="middle", size=8, color=HOT)
    return s


def legio_overlay4():
    s = Svg(40, 76, bg=None, origin=(146, 139))
    pipe(s, [(186, 150), (146, 150)], HOT, hops=(166,))
    pump(s, 178, 150, "l")
    pipe(s, [(146, 196), (186, 196)], HOT, hops=(166,))
    label(s, 166, 212, "70°C", anchor="middle", size=8, color=HOT)
    return s


# ---------------------------------------------------------------- splash, banner, lettering

def sun(s, cx, cy, r, rays=12, color="#FFB300"):
    s.add(f'<circle cx="{f(cx)}" cy="{f(cy)}" r="{f(r)}" fill="{color}"/>')
    for i in range(rays):
        a = 2 * math.pi * i / rays
        x1, y1 = cx + math.cos(a) * r * 1.35, cy + math.sin(a) * r * 1.35
        x2, y2 = cx + math.cos(a) * r * 1.8, cy + math.sin(a) * r * 1.8
        s.add(f'<line x1="{f(x1)}" y1="{f(y1)}" x2="{f(x2)}" y2="{f(y2)}" stroke="{color}" '
              f'stroke-width="{f(max(1.5, r / 6))}" stroke-linecap="round"/>')


def roof_with_collectors(s, x, y, w, h, n=3):
    """A house front with a pitched roof carrying collectors."""
    s.add(f'<path d="M{f(x)},{f(y + h * 0.45)} L{f(x + w / 2)},{f(y)} L{f(x + w)},{f(y + h * 0.45)} Z" '
          f'fill="#8D6E63" stroke="#4E342E" stroke-width="1.5"/>')
    s.add(f'<rect x="{f(x + w * 0.08)}" y="{f(y + h * 0.45)}" width="{f(w * 0.84)}" height="{f(h * 0.55)}" '
          f'fill="#FFF8E1" stroke="#4E342E" stroke-width="1.5"/>')
    # Collectors lying on the right roof slope.
    ux, uy = w / 2, h * 0.45
    ln = math.hypot(ux, uy)
    nx, ny = uy / ln, -ux / ln
    d = max(3.0, h * 0.07)
    for i in range(n):
        t0, t1 = 0.1 + i * 0.8 / n, 0.1 + (i + 1) * 0.8 / n - 0.03
        ax, ay = x + w / 2 + ux * t0, y + uy * t0
        bx, by = x + w / 2 + ux * t1, y + uy * t1
        s.add(f'<path d="M{f(ax)},{f(ay)} L{f(bx)},{f(by)} L{f(bx + nx * d)},{f(by + ny * d)} '
              f'L{f(ax + nx * d)},{f(ay + ny * d)} Z" fill="#1E3A5F" stroke="#B0BEC5" stroke-width="0.8"/>')
    s.add(f'<rect x="{f(x + w * 0.2)}" y="{f(y + h * 0.6)}" width="{f(w * 0.16)}" height="{f(h * 0.18)}" '
          f'fill="#BBDEFB" stroke="#4E342E" stroke-width="1"/>')
    s.add(f'<rect x="{f(x + w * 0.58)}" y="{f(y + h * 0.66)}" width="{f(w * 0.16)}" height="{f(h * 0.34)}" '
          f'fill="#A1887F" stroke="#4E342E" stroke-width="1"/>')


# The name "Tavrel" in DejaVu Sans Bold at 100 px as outlines (baseline at 0, advance 339.344): the
# splash and the lettering show it without asking for a font while the program starts.
NAME_OUTLINE = ("M0.48438,-72.906 L67.672,-72.906 L67.672,-58.688 L43.5,-58.688 L43.5,0 L24.703,0 L24.703,-58.688 L0.48438,-58.688 L0.48438,-72.906 M88.219,-24.609 C84.573,-24.609 81.831,-23.992 79.992,-22.758 C78.154,-21.523 77.234,-19.698 77.234,-17.281 C77.234,-15.073 77.977,-13.341 79.461,-12.086 C80.945,-10.831 83.005,-10.203 85.641,-10.203 C88.922,-10.203 91.688,-11.383 93.938,-13.742 C96.188,-16.102 97.313,-19.057 97.313,-22.609 L97.313,-24.609 L88.219,-24.609 M114.94,-31.203 L114.94,0 L97.313,0 L97.313,-8.1094 C94.969,-4.7865 92.331,-2.3672 89.398,-0.85156 C86.466,0.66406 82.901,1.4219 78.703,1.4219 C73.036,1.4219 68.438,-0.23177 64.906,-3.5391 C61.375,-6.8464 59.609,-11.135 59.609,-16.406 C59.609,-22.823 61.815,-27.529 66.227,-30.523 C70.638,-33.518 77.563,-35.016 87,-35.016 L97.313,-35.016 L97.313,-36.375 C97.313,-39.146 96.221,-41.174 94.039,-42.461 C91.857,-43.747 88.453,-44.391 83.828,-44.391 C80.089,-44.391 76.607,-44.016 73.383,-43.266 C70.159,-42.516 67.161,-41.391 64.391,-39.891 L64.391,-53.219 C68.141,-54.135 71.904,-54.828 75.68,-55.297 C79.456,-55.766 83.229,-56 87,-56 C96.865,-56 103.99,-54.057 108.37,-50.172 C112.75,-46.286 114.94,-39.964 114.94,-31.203 M124.3,-54.688 L141.78,-54.688 L155.41,-16.891 L168.97,-54.688 L186.5,-54.688 L164.97,0 L145.78,0 L124.3,-54.688 M236.98,-39.797 C235.45,-40.516 233.93,-41.044 232.41,-41.383 C230.9,-41.721 229.38,-41.891 227.84,-41.891 C223.35,-41.891 219.9,-40.451 217.47,-37.57 C215.04,-34.69 213.83,-30.568 213.83,-25.203 L213.83,0 L196.36,0 L196.36,-54.688 L213.83,-54.688 L213.83,-45.703 C216.08,-49.286 218.66,-51.898 221.57,-53.539 C224.48,-55.18 227.97,-56 232.05,-56 C232.63,-56 233.26,-55.977 233.95,-55.93 C234.63,-55.883 235.62,-55.776 236.92,-55.609 L236.98,-39.797 M300.25,-27.484 L300.25,-22.516 L259.39,-22.516 C259.81,-18.411 261.29,-15.333 263.83,-13.281 C266.37,-11.229 269.92,-10.203 274.47,-10.203 C278.15,-10.203 281.91,-10.75 285.77,-11.844 C289.63,-12.938 293.6,-14.589 297.67,-16.797 L297.67,-3.3281 C293.54,-1.7656 289.4,-0.58333 285.27,0.21875 C281.13,1.0208 276.99,1.4219 272.86,1.4219 C262.96,1.4219 255.27,-1.0938 249.79,-6.125 C244.3,-11.156 241.56,-18.214 241.56,-27.297 C241.56,-36.214 244.26,-43.227 249.64,-48.336 C255.03,-53.445 262.44,-56 271.89,-56 C280.48,-56 287.36,-53.414 292.52,-48.242 C297.67,-43.07 300.25,-36.151 300.25,-27.484 M282.28,-33.297 C282.28,-36.62 281.31,-39.299 279.38,-41.336 C277.44,-43.372 274.91,-44.391 271.78,-44.391 C268.4,-44.391 265.65,-43.438 263.53,-41.531 C261.42,-39.625 260.1,-36.88 259.58,-33.297 L282.28,-33.297 M313.48,-75.984 L330.95,-75.984 L330.95,0 L313.48,0 L313.48,-75.984")
NAME_ADVANCE = 339.344


def name_outline(s, x, y, size, color, anchor="start"):
    k = size / 100.0
    if anchor == "end":
        x -= NAME_ADVANCE * k
    s.add(f'<path transform="translate({f(x)},{f(y)}) scale({f(k)})" d="{NAME_OUTLINE}" fill="{color}"/>')


def splash():
    s = Svg(480, 300, bg=None)
    s.defs.append('<linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">'
                  '<stop offset="0" stop-color="#1565C0"/><stop offset="0.7" stop-color="#90CAF9"/>'
                  '<stop offset="1" stop-color="#E3F2FD"/></linearGradient>')
    s.add('<rect x="0" y="0" width="480" height="300" fill="url(#sky)"/>')
    # The band behind the progress and edition labels, in their background colour.
    s.add('<rect x="0" y="40" width="480" height="26" fill="#D6DADB"/>')
    sun(s, 400, 130, 26)
    s.add('<path d="M0,250 Q120,215 240,240 T480,232 L480,300 L0,300 Z" fill="#7CB342"/>')
    roof_with_collectors(s, 250, 160, 150, 110)
    name_outline(s, 30, 140, 54, "#FFFFFF")
    s.add('<rect x="32" y="152" width="196" height="4" fill="#FFB300"/>')
    return s


def banner():
    s = Svg(872, 68, bg=None)
    s.defs.append('<linearGradient id="bn" x1="0" y1="0" x2="1" y2="0">'
                  '<stop offset="0" stop-color="#0D47A1"/><stop offset="0.55" stop-color="#1E88E5"/>'
                  '<stop offset="1" stop-color="#90CAF9"/></linearGradient>')
    s.add('<rect x="0" y="0" width="872" height="68" fill="url(#bn)"/>')
    sun(s, 260, 34, 13, color="#FFCA28")
    for i, xx in enumerate((330, 420, 510)):
        roof_with_collectors(s, xx, 14 + (i % 2) * 6, 70, 54 - (i % 2) * 6, n=2)
    s.add('<path d="M0,60 Q200,52 436,62 T872,58 L872,68 L0,68 Z" fill="#558B2F" opacity="0.8"/>')
    return s


def lettering(right):
    s = Svg(183, 34, bg=None)
    if right:
        name_outline(s, 178, 27, 26, "#0D3C78", anchor="end")
        sun(s, 18, 17, 6, rays=10, color="#FFCA28")
        s.add('<rect x="34" y="29" width="144" height="2" fill="#FFCA28"/>')
    else:
        sun(s, 17, 17, 7, rays=10, color="#FFCA28")
        for i in range(4):
            x0 = 40 + i * 34
            s.add(f'<path d="M{x0},28 L{x0 + 8},8 L{x0 + 34},8 L{x0 + 26},28 Z" fill="#1E3A5F" '
                  f'stroke="#E3F2FD" stroke-width="1"/>')
    return s


def print_logo():
    s = Svg(240, 80)
    sun(s, 40, 40, 14)
    s.add('<path d="M70,62 L84,22 L118,22 L104,62 Z" fill="#1E3A5F" stroke="#37474F" stroke-width="1.5"/>')
    for k in range(1, 4):
        s.add(f'<line x1="{70 + k * 8.5}" y1="61" x2="{84 + k * 8.5}" y2="23" stroke="#90A4AE" stroke-width="1"/>')
    label(s, 126, 52, "Tavrel", size=30, color="#0D47A1", weight="bold")
    s.add('<rect x="126" y="58" width="100" height="3" fill="#FFB300"/>')
    return s


def about_logo():
    """The about box's logo: sun over a roof with collectors, on white."""
    s = Svg(120, 120, bg=None)
    sun(s, 84, 30, 13)
    roof_with_collectors(s, 10, 40, 100, 76)
    return s


def empty_picture():
    return Svg(16, 16, bg=None)


# ------------------------------------------- tool-button glyphs (drawn on 20 x 20, shown at 18 x 18)

def glyph(body, defs=()):
    s = Svg(20, 20, bg=None, shown=(18, 18))
    s.defs.extend(defs)
    for b in body:
        s.add(b)
    return s


G_LINE = f'stroke="{GREY}" stroke-width="1.2" stroke-linejoin="round"'

GLYPHS = {
    "GlyphNeu": [
        f'<path d="M4,2 L12,2 L16,6 L16,18 L4,18 Z" fill="#FFFFFF" {G_LINE}/>',
        f'<path d="M12,2 L12,6 L16,6" fill="none" {G_LINE}/>',
        '<path d="M13,10 L13,16 M10,13 L16,13" stroke="#43A047" stroke-width="2"/>',
    ],
    "GlyphOeffnen": [
        f'<path d="M2,5 L8,5 L10,7 L17,7 L17,16 L2,16 Z" fill="#FFE082" {G_LINE}/>',
        f'<path d="M2,16 L5,10 L19,10 L17,16 Z" fill="#FFCA28" {G_LINE}/>',
    ],
    "GlyphSpeichern": [
        f'<path d="M3,3 L15,3 L17,5 L17,17 L3,17 Z" fill="#1E88E5" {G_LINE}/>',
        '<rect x="6" y="3" width="8" height="5" fill="#E3F2FD"/>',
        '<rect x="5.5" y="11" width="9" height="6" fill="#FFFFFF"/>',
        '<rect x="11" y="4" width="2" height="3" fill="#37474F"/>',
    ],
    "GlyphAssistent": [
        '<path d="M4,17 L13,8" stroke="#6D4C41" stroke-width="2.2" stroke-linecap="round"/>',
        '<path d="M14.5,2 L15.5,5 L18.5,6 L15.5,7 L14.5,10 L13.5,7 L10.5,6 L13.5,5 Z" fill="#FFB300"/>',
        '<circle cx="6" cy="5" r="1.2" fill="#FFB300"/><circle cx="17" cy="14" r="1" fill="#FFB300"/>',
    ],
    "GlyphOrt": [
        f'<path d="M10,18 C6,12 4,10 4,7.5 A6,6 0 0 1 16,7.5 C16,10 14,12 10,18 Z" fill="#E53935" {G_LINE}/>',
        '<circle cx="10" cy="7.5" r="2.3" fill="#FFFFFF"/>',
    ],
    "GlyphAnlage": [
        '<defs><linearGradient id="ga" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#EF9A9A"/>'
        '<stop offset="1" stop-color="#90CAF9"/></linearGradient></defs>',
        f'<rect x="6" y="2" width="9" height="16" rx="3" fill="url(#ga)" {G_LINE}/>',
        f'<path d="M15,12 L11,12.8 L15,13.6 L11,14.4 L15,15.2" fill="none" stroke="{RED}" stroke-width="1"/>',
        f'<path d="M2,12 L6,12" stroke="{RED}" stroke-width="1.6"/><path d="M2,16 L6,16" stroke="{BLUE}" stroke-width="1.6"/>',
    ],
    "GlyphKollektor": [
        f'<path d="M2,16 L12,16 L18,4 L8,4 Z" fill="#1E3A5F" {G_LINE}/>',
        '<path d="M5,15.5 L10.5,4.5 M8,15.5 L13.5,4.5 M11,15.5 L16.5,4.5" stroke="#90A4AE" stroke-width="0.9"/>',
    ],
    "GlyphMeteoImport": [
        f'<path d="M5,12 A3.5,3.5 0 0 1 6,5.2 A4.5,4.5 0 0 1 14.5,5.5 A3.3,3.3 0 0 1 15,12 Z" fill="#E3F2FD" {G_LINE}/>',
        '<path d="M10,9 L10,17 M7,14 L10,17 L13,14" fill="none" stroke="#1E88E5" stroke-width="1.8"/>',
    ],
    "GlyphMoment": [
        '<circle cx="10" cy="10" r="4" fill="#FFB300"/>',
        '<path d="M10,1.5 L10,4 M10,16 L10,18.5 M1.5,10 L4,10 M16,10 L18.5,10 M4,4 L5.8,5.8 M14.2,14.2 L16,16 '
        'M4,16 L5.8,14.2 M14.2,5.8 L16,4" stroke="#FFB300" stroke-width="1.6" stroke-linecap="round"/>',
    ],
    "GlyphSimulation": [
        f'<path d="M2,18 L18,18 M2,18 L2,2" fill="none" {G_LINE}/>',
        '<rect x="4" y="11" width="2.5" height="6" fill="#1E88E5"/><rect x="7.5" y="7" width="2.5" height="10" fill="#1E88E5"/>'
        '<rect x="11" y="4" width="2.5" height="13" fill="#FFB300"/><rect x="14.5" y="8" width="2.5" height="9" fill="#1E88E5"/>',
    ],
    "GlyphSuche": [
        f'<circle cx="8" cy="8" r="5" fill="#E3F2FD" {G_LINE}/>',
        '<path d="M11.8,11.8 L17.5,17.5" stroke="#37474F" stroke-width="2.6" stroke-linecap="round"/>',
    ],
    "GlyphENEV": [
        f'<path d="M2,10 L10,3 L18,10 L16,10 L16,18 L4,18 L4,10 Z" fill="#FFF8E1" {G_LINE}/>',
        '<rect x="6" y="11" width="7" height="1.6" fill="#43A047"/><rect x="6" y="13.3" width="5" height="1.6" fill="#FDD835"/>'
        '<rect x="6" y="15.6" width="3" height="1.6" fill="#E53935"/>',
    ],
}


# ---------------------------------------------------------------- collector pictures (160 x 100)
# One collector of each kind, seen from the front on its stand: the same outline, line weight
# and flow colours as the schemes. Koll1 flat plate, Koll2 evacuated tubes, Koll3 tubes with
# reflectors, Koll4 large-area field, Koll5 unglazed absorber, Koll6 air collector.

KOLL_W, KOLL_H = 160, 100
# The collector plane: its front rectangle (0..w, 0..h) tilted back into the picture.
KOLL_PLANE = "matrix(1,0,-0.32,0.62,{x},{y})"


def koll_base(w=118):
    s = Svg(KOLL_W, KOLL_H)
    s.add(f'<line x1="6" y1="90" x2="154" y2="90" stroke="{GREY}" stroke-width="1.5"/>')
    # Rear posts from the upper edge down to the ground, behind the collector.
    for x in (50, 30 + w):
        s.add(f'<line x1="{x}" y1="30" x2="{x}" y2="90" stroke="{GREY}" stroke-width="1.5"/>')
    return s


def koll_plane(s, body, x=39, y=28):
    s.add(f'<g transform="{KOLL_PLANE.format(x=x, y=y)}">' + "".join(body) + "</g>")


def koll_flat(w=118, modules=1):
    s = koll_base(w)
    body = []
    mw = w / modules
    for m in range(modules):
        x0 = m * mw
        body.append(f'<rect x="{f(x0 + 1)}" y="0" width="{f(mw - 2)}" height="90" fill="#1E3A5F" '
                    f'stroke="{GREY}" stroke-width="2.4"/>')
        for k in range(1, 8):
            xx = x0 + k * mw / 8
            body.append(f'<line x1="{f(xx)}" y1="4" x2="{f(xx)}" y2="86" stroke="#90A4AE" stroke-width="1"/>')
    body.append(f'<line x1="0" y1="3" x2="{f(w)}" y2="3" stroke="{RED}" stroke-width="3"/>')
    body.append(f'<line x1="0" y1="87" x2="{f(w)}" y2="87" stroke="{BLUE}" stroke-width="3"/>')
    koll_plane(s, body)
    return s


def koll_tubes(reflector):
    s = koll_base()
    body = [f'<rect x="0" y="0" width="118" height="10" rx="3" fill="{FILL}" stroke="{GREY}" stroke-width="2.4"/>',
            f'<line x1="3" y1="4" x2="115" y2="4" stroke="{RED}" stroke-width="2"/>']
    for k in range(9):
        x = 4 + k * 12.5
        if reflector:
            body.append(f'<path d="M{f(x - 2)},12 L{f(x - 2)},88 Q{f(x + 5)},96 {f(x + 12)},88 L{f(x + 12)},12" '
                        f'fill="#CFD8DC" stroke="#90A4AE" stroke-width="1"/>')
        body.append(f'<rect x="{f(x)}" y="10" width="8" height="80" rx="4" fill="#B3E5FC" stroke="{GREY}" '
                    f'stroke-width="1.6"/>')
        body.append(f'<rect x="{f(x + 2.5)}" y="13" width="3" height="72" rx="1.5" fill="#1E3A5F"/>')
    koll_plane(s, body)
    return s


def koll_absorber():
    s = koll_base()
    body = [f'<line x1="0" y1="3" x2="118" y2="3" stroke="{RED}" stroke-width="4"/>',
            f'<line x1="0" y1="87" x2="118" y2="87" stroke="{BLUE}" stroke-width="4"/>']
    for k in range(20):
        x = 3 + k * 5.9
        body.append(f'<line x1="{f(x)}" y1="5" x2="{f(x)}" y2="85" stroke="#263238" stroke-width="4"/>')
    koll_plane(s, body)
    return s


def koll_air():
    s = koll_base()
    body = [f'<rect x="1" y="0" width="116" height="90" fill="#455A64" stroke="{GREY}" stroke-width="2.4"/>']
    for k in range(1, 6):
        body.append(f'<line x1="4" y1="{f(k * 15)}" x2="114" y2="{f(k * 15)}" stroke="#78909C" stroke-width="1.2"/>')
    koll_plane(s, body)
    # Cool air in at the bottom, warm air out at the top.
    s.add(f'<path d="M4,80 L22,80 M17,76 L22,80 L17,84" fill="none" stroke="{COLD}" stroke-width="2"/>')
    s.add(f'<path d="M140,22 L156,22 M151,18 L156,22 L151,26" fill="none" stroke="{RED}" stroke-width="2"/>')
    return s


# ---------------------------------------------------------------- application icon (128 x 128)

def app_icon():
    """The desktop's icon: a flat-plate collector on its stand under the sun, on a rounded sky
    tile; bold shapes, so it still reads at 16 pixels."""
    s = Svg(128, 128, bg=None)
    s.defs.append('<linearGradient id="ih" x1="0" y1="0" x2="0" y2="1">'
                  '<stop offset="0" stop-color="#1565C0"/><stop offset="0.75" stop-color="#90CAF9"/>'
                  '<stop offset="1" stop-color="#E3F2FD"/></linearGradient>')
    s.add('<rect x="4" y="4" width="120" height="120" rx="24" fill="url(#ih)"/>')
    sun(s, 86, 34, 15)
    # The ground follows the tile's rounded lower corners.
    s.add('<path d="M4.76,106 Q50,96 123.66,104 A24,24 0 0 1 100,124 L28,124 A24,24 0 0 1 4.76,106 Z" '
          'fill="#7CB342"/>')
    # Rear posts from the upper edge down to the ground, behind the collector.
    for x in (46, 100):
        s.add(f'<line x1="{x}" y1="64" x2="{x}" y2="104" stroke="{GREY}" stroke-width="4" stroke-linecap="round"/>')
    body = [f'<rect x="2" y="0" width="74" height="58" fill="#1E3A5F" stroke="{GREY}" stroke-width="4"/>']
    for k in range(1, 5):
        xx = 2 + k * 74 / 5
        body.append(f'<line x1="{f(xx)}" y1="6" x2="{f(xx)}" y2="52" stroke="#90A4AE" stroke-width="2.4"/>')
    body.append(f'<line x1="0" y1="4" x2="78" y2="4" stroke="{RED}" stroke-width="6" stroke-linecap="round"/>')
    body.append(f'<line x1="0" y1="54" x2="78" y2="54" stroke="{BLUE}" stroke-width="6" stroke-linecap="round"/>')
    s.add('<g transform="matrix(1,0,-0.42,0.72,42,62)">' + "".join(body) + "</g>")
    return s


def collector_pictures():
    return {"Koll1": koll_flat(), "Koll2": koll_tubes(False), "Koll3": koll_tubes(True),
            "Koll4": koll_flat(118, modules=3), "Koll5": koll_absorber(), "Koll6": koll_air()}


# ---------------------------------------------------------------- heater pictures (160 x 120)
# The auxiliary heater of the energy page, drawn like the schemes' equipment: WQ1 condensing
# boiler, WQ2 oil or gas boiler, WQ3 wood boiler, WQ4 heat pump. Heating flow and return leave
# at the bottom.

WQ_W, WQ_H = 160, 120


def wq_base():
    s = Svg(WQ_W, WQ_H)
    s.add(f'<line x1="6" y1="112" x2="154" y2="112" stroke="{GREY}" stroke-width="1.5"/>')
    return s


def wq_pipes(s, x, y, bottom=112):
    """Flow (red) and return (blue) from the heater's underside at x down to the floor."""
    pipe(s, [(x, y), (x, bottom - 6), (x - 30, bottom - 6)], RED)
    pipe(s, [(x + 10, y), (x + 10, bottom - 2), (x - 30, bottom - 2)], BLUE)
    arrow(s, x - 24, bottom - 6, "l", RED)
    arrow(s, x - 18, bottom - 2, "r", BLUE)


def flame(s, cx, by, k=1.0):
    s.add(f'<path d="M{f(cx)},{f(by)} C{f(cx - 11 * k)},{f(by)} {f(cx - 9 * k)},{f(by - 12 * k)} '
          f'{f(cx - 3 * k)},{f(by - 20 * k)} C{f(cx - 3 * k)},{f(by - 13 * k)} {f(cx + 1 * k)},{f(by - 12 * k)} '
          f'{f(cx + 2 * k)},{f(by - 16 * k)} C{f(cx + 9 * k)},{f(by - 10 * k)} {f(cx + 10 * k)},{f(by)} '
          f'{f(cx)},{f(by)} Z" fill="{FLAME}" stroke="#BF360C" stroke-width="1"/>')


def heater_box(s, x, y, w, h, window=True):
    s.add(f'<rect x="{f(x)}" y="{f(y)}" width="{f(w)}" height="{f(h)}" rx="4" fill="{FILL}" '
          f'stroke="{GREY}" stroke-width="1.5"/>')
    # Control panel along the top.
    s.add(f'<rect x="{f(x + 6)}" y="{f(y + 6)}" width="{f(w - 12)}" height="10" rx="2" fill="#CFD8DC" '
          f'stroke="{GREY}" stroke-width="1"/>')
    s.add(f'<circle cx="{f(x + 14)}" cy="{f(y + 11)}" r="2.5" fill="#66BB6A"/>')
    if window:
        s.add(f'<rect x="{f(x + w / 2 - 15)}" y="{f(y + h - 42)}" width="30" height="30" rx="3" '
              f'fill="#FFF3E0" stroke="{GREY}" stroke-width="1.2"/>')


def wq_condensing():
    s = wq_base()
    # Wall-hung boiler with the concentric flue of a condensing boiler and its condensate drain.
    s.add(f'<rect x="98" y="6" width="14" height="18" fill="{FILL}" stroke="{GREY}" stroke-width="1.5"/>')
    s.add(f'<rect x="102" y="2" width="6" height="22" fill="#CFD8DC" stroke="{GREY}" stroke-width="1"/>')
    heater_box(s, 70, 24, 70, 66)
    flame(s, 105, 84, 0.9)
    wq_pipes(s, 90, 90)
    # Condensate: a drop falling from the underside.
    s.add(f'<path d="M126,92 L126,98" stroke="{COLD}" stroke-width="1.5"/>')
    s.add(f'<path d="M126,100 C122,106 124,110 126,110 C128,110 130,106 126,100 Z" fill="{COLD}" '
          f'stroke="#1E88E5" stroke-width="0.8"/>')
    return s


def floor_boiler(s, x, w):
    """A floor-standing boiler at x, w wide, with its flue pipe to the chimney."""
    cx = x + w / 2
    pipe(s, [(cx, 22), (cx, 8), (150, 8)], GREY, width=5)
    heater_box(s, x, 22, w, 84)
    flame(s, cx, 100, 1.0 if w > 70 else 0.9)


def wq_boiler():
    s = wq_base()
    floor_boiler(s, 66, 76)
    wq_pipes(s, 80, 106)
    return s


def wq_wood():
    s = wq_base()
    floor_boiler(s, 84, 60)
    # Split logs stacked beside the boiler.
    for i, (x, y) in enumerate([(12, 100), (34, 100), (56, 100), (23, 88), (45, 88), (34, 76)]):
        s.add(f'<rect x="{x}" y="{y}" width="20" height="12" rx="2" fill="#A1887F" stroke="#5D4037" '
              f'stroke-width="1.2"/>')
        s.add(f'<ellipse cx="{x + 17}" cy="{y + 6}" rx="2.5" ry="4.5" fill="#D7CCC8" stroke="#5D4037" '
              f'stroke-width="0.8"/>')
    pipe(s, [(98, 106), (98, 108), (84, 108)], RED)
    pipe(s, [(130, 106), (130, 110), (154, 110)], BLUE)
    return s


def wq_heat_pump():
    s = wq_base()
    # Outdoor unit with its fan; heat drawn from the air (cold arrows in), flow and return out.
    s.add(f'<rect x="48" y="30" width="96" height="70" rx="4" fill="{FILL}" stroke="{GREY}" stroke-width="1.5"/>')
    s.add(f'<circle cx="82" cy="65" r="27" fill="#FFFFFF" stroke="{GREY}" stroke-width="1.5"/>')
    for k in range(4):
        a = math.radians(45 + 90 * k)
        x1, y1 = 82 + 24 * math.cos(a), 65 + 24 * math.sin(a)
        s.add(f'<line x1="82" y1="65" x2="{f(x1)}" y2="{f(y1)}" stroke="#455A64" stroke-width="1.2"/>')
        s.add(f'<path d="M82,65 Q{f(82 + 20 * math.cos(a - 0.5))},{f(65 + 20 * math.sin(a - 0.5))} '
              f'{f(x1)},{f(y1)}" fill="#B0BEC5" stroke="#455A64" stroke-width="1"/>')
    s.add(f'<circle cx="82" cy="65" r="4" fill="{GREY}"/>')
    for y in (44, 58, 72, 86):
        s.add(f'<line x1="120" y1="{y}" x2="136" y2="{y}" stroke="#90A4AE" stroke-width="1.5"/>')
    s.add(f'<rect x="52" y="100" width="8" height="12" fill="{GREY}"/>')
    s.add(f'<rect x="132" y="100" width="8" height="12" fill="{GREY}"/>')
    for y in (46, 64, 82):
        s.add(f'<path d="M8,{y} L36,{y} M31,{y - 4} L36,{y} L31,{y + 4}" fill="none" stroke="{COLD}" '
              f'stroke-width="2"/>')
    pipe(s, [(144, 50), (154, 50)], RED)
    pipe(s, [(144, 60), (154, 60)], BLUE)
    return s


def heater_pictures():
    return {"WQ1": wq_condensing(), "WQ2": wq_boiler(), "WQ3": wq_wood(), "WQ4": wq_heat_pump()}


def main():
    os.makedirs(OUT, exist_ok=True)
    pictures = {
        "Schema1": schema1(), "Schema2": schema2(), "Schema3": schema3(), "Schema4": schema4(),
        "Schema5": schema5(), "Schema5DLE": schema5dle(),
        "Schema6a": buffer_schema6(1), "Schema6b": buffer_schema6(2),
        "ImageKombiWT": kombi_wt_overlay(),
        "PoolClip": pool_overlay("PoolClip", 188, 95, 112, 72, 198, 103),
        "PoolClip2": pool_overlay("PoolClip2", 151, 206, 158, 69, 204, 212),
        "Schema1Legio": legio_overlay1(), "Schema4Legio": legio_overlay4(),
        "SPLASH": splash(), "ImageBanner": banner(),
        "ImageSchriftli": lettering(False), "ImageSchriftre": lettering(True),
        "DruckLogo": print_logo(), "Logo": about_logo(), "leer": empty_picture(),
    }
    for i, v in enumerate("abcd", start=1):
        pictures["Schema7" + v] = schema7(i)
        pictures["Schema8" + v] = schema8(i)
    for name, body in GLYPHS.items():
        pictures[name] = glyph(body)
    pictures.update(collector_pictures())
    pictures.update(heater_pictures())
    for name, svg in pictures.items():
        svg.save(name)
    os.makedirs(DESKTOP, exist_ok=True)
    app_icon().save(APP_ID, DESKTOP)
    # The resource list the build compiles in: every picture under the prefix "/pictures".
    entries = "".join(f"    <file>pictures/{n}.svg</file>\n" for n in sorted(pictures, key=str.lower))
    with open(os.path.join(OUT, "..", "pictures.qrc"), "w", encoding="utf-8") as fq:
        fq.write(f'<!DOCTYPE RCC>\n<RCC version="1.0">\n  <qresource prefix="/">\n{entries}  </qresource>\n</RCC>\n')
    print(f"{len(pictures)} pictures in {os.path.normpath(OUT)}", file=sys.stderr)


if __name__ == "__main__":
    main()
