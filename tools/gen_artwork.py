#!/usr/bin/env python3
"""Draws the program's artwork and the resource script that embeds it.

Every picture is made of a few vector shapes (circles, rounded boxes,
strokes, polygons) rendered with signed distance fields, so that each size
is drawn for itself and stays crisp: tool icons 22 x 22 on a coloured
tile, group images 20 x 16, button and link images 24 x 24, menu images
16 x 16, the logo 64 x 64. The glyphs are designed on a 24-unit square.

Usage: gen_artwork.py <output folder>
Writes <id>.png for every image and images.rc (IMAGE resources).
"""
import math
import struct
import sys
import zlib
from pathlib import Path

# --- rendering ---------------------------------------------------------------


class Shape:
    """A signed distance in pixels (negative inside) and a pixel bounding box."""

    def __init__(self, dist, box):
        self.dist, self.box = dist, box

    def __or__(self, other):
        a, b = self.dist, other.dist
        return Shape(lambda x, y: min(a(x, y), b(x, y)), _union(self.box, other.box))

    def __sub__(self, other):
        a, b = self.dist, other.dist
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.box)

    def __and__(self, other):
        a, b = self.dist, other.dist
        return Shape(lambda x, y: max(a(x, y), b(x, y)), self.box)


def _union(p, q):
    return (min(p[0], q[0]), min(p[1], q[1]), max(p[2], q[2]), max(p[3], q[3]))


def _segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [0.0] * (width * height * 4)  # premultiplied RGBA, 0..1

    def fill(self, shape, colour):
        """colour: (r, g, b, a) in 0..255, or a function of the pixel's y."""
        x0, y0, x1, y1 = shape.box
        for y in range(max(0, int(y0) - 1), min(self.height, int(math.ceil(y1)) + 1)):
            rgba = colour(y + 0.5) if callable(colour) else colour
            r, g, b, a = (c / 255.0 for c in rgba)
            for x in range(max(0, int(x0) - 1), min(self.width, int(math.ceil(x1)) + 1)):
                coverage = 0.5 - shape.dist(x + 0.5, y + 0.5)
                if coverage <= 0:
                    continue
                alpha = a * min(1.0, coverage)
                i = (y * self.width + x) * 4
                keep = 1 - alpha
                p = self.pixels
                p[i] = r * alpha + p[i] * keep
                p[i + 1] = g * alpha + p[i + 1] * keep
                p[i + 2] = b * alpha + p[i + 2] * keep
                p[i + 3] = alpha + p[i + 3] * keep

    def png(self):
        rows = bytearray()
        for y in range(self.height):
            rows.append(0)  # no filter
            for x in range(self.width):
                i = (y * self.width + x) * 4
                a = self.pixels[i + 3]
                for c in range(3):
                    v = self.pixels[i + c] / a if a > 0 else 0.0
                    rows.append(max(0, min(255, round(v * 255))))
                rows.append(max(0, min(255, round(a * 255))))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


class Pen:
    """Draws on a canvas in design units: x' = ox + x * scale."""

    def __init__(self, canvas, ox, oy, scale, ink, light):
        self.canvas, self.ox, self.oy, self.s = canvas, ox, oy, scale
        self.ink, self.light = ink, light  # the glyph's colour and its lighter second colour

    def _p(self, x, y):
        return self.ox + x * self.s, self.oy + y * self.s

    def circle(self, cx, cy, r):
        (cx, cy), r = self._p(cx, cy), r * self.s
        return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))

    def ellipse(self, cx, cy, rx, ry):
        (cx, cy), rx, ry = self._p(cx, cy), rx * self.s, ry * self.s
        m = min(rx, ry)
        return Shape(lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1) * m,
                     (cx - rx, cy - ry, cx + rx, cy + ry))

    def box(self, x0, y0, x1, y1, r=0.0):
        (x0, y0), (x1, y1), r = self._p(x0, y0), self._p(x1, y1), r * self.s
        cx, cy, hw, hh = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2
        r = min(r, hw, hh)

        def dist(x, y):
            qx, qy = abs(x - cx) - (hw - r), abs(y - cy) - (hh - r)
            return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
        return Shape(dist, (x0, y0, x1, y1))

    def line(self, points, width):
        """A stroke through the points, with round ends and joins."""
        pts = [self._p(x, y) for x, y in points]
        half = width * self.s / 2
        segments = list(zip(pts, pts[1:])) or [(pts[0], pts[0])]

        def dist(x, y):
            return min(_segment(x, y, a[0], a[1], b[0], b[1]) for a, b in segments) - half
        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        return Shape(dist, (min(xs) - half, min(ys) - half, max(xs) + half, max(ys) + half))

    def polygon(self, points):
        pts = [self._p(x, y) for x, y in points]

        def dist(x, y):
            d, sign = float("inf"), 1.0
            for i in range(len(pts)):
                (ax, ay), (bx, by) = pts[i], pts[i - 1]
                d = min(d, _segment(x, y, ax, ay, bx, by))
                ex, ey, wx, wy = bx - ax, by - ay, x - ax, y - ay
                c = (y >= ay, y < by, ex * wy > ey * wx)
                if all(c) or not any(c):
                    sign = -sign
            return sign * d
        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        return Shape(dist, (min(xs), min(ys), max(xs), max(ys)))

    def arc(self, cx, cy, r, start, sweep, width):
        """A stroked arc; angles in degrees, clockwise from three o'clock."""
        (cx, cy), r, half = self._p(cx, cy), r * self.s, width * self.s / 2
        a0 = math.radians(start)
        a1 = a0 + math.radians(sweep)
        ends = [(cx + r * math.cos(a), cy + r * math.sin(a)) for a in (a0, a1)]

        def dist(x, y):
            angle = (math.atan2(y - cy, x - cx) - a0) % (2 * math.pi)
            if angle <= math.radians(sweep):
                return abs(math.hypot(x - cx, y - cy) - r) - half
            return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - half
        reach = r + half
        return Shape(dist, (cx - reach, cy - reach, cx + reach, cy + reach))

    def ring(self, cx, cy, r, width):
        return self.arc(cx, cy, r, 0, 360, width)

    def fill(self, shape, colour=None):
        self.canvas.fill(shape, colour or self.ink)


def rgb(value, alpha=255):
    return ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF, alpha)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


WHITE = (255, 255, 255, 255)
RUN_RGB = 0x2E9E4F  # the green of running
RUN = rgb(RUN_RGB)

# --- glyphs (24-unit square) -------------------------------------------------
# Each draws with pen.ink and pen.light; on a tile both are white shades.


def g_shield(p):
    p.fill(p.polygon([(12, 2), (21, 5.5), (20, 13), (12, 22), (4, 13), (3, 5.5)]))


def g_shield_check(p):
    g_shield(p)
    p.fill(p.line([(7.5, 12), (11, 15.5), (16.5, 8.5)], 2.6), p.light)


def g_bug(p):
    p.fill(p.ellipse(12, 14, 5.5, 7) | p.circle(12, 6.5, 3.2))
    for y, dx in ((10, 4.5), (14, 5), (18, 4.5)):
        p.fill(p.line([(12 - dx - 1, y - 1.5), (12 - dx - 4, y - 2.5)], 1.8))
        p.fill(p.line([(12 + dx + 1, y - 1.5), (12 + dx + 4, y - 2.5)], 1.8))
    p.fill(p.line([(12, 9), (12, 20)], 1.2), p.light)


def g_search(p):
    p.fill(p.ring(10, 10, 6, 2.8))
    p.fill(p.line([(14.5, 14.5), (20.5, 20.5)], 3.6))


def g_disc(p):
    p.fill(p.circle(12, 12, 9.5) - p.circle(12, 12, 2.2))
    p.fill(p.arc(12, 12, 6, 200, 70, 1.4), p.light)


def g_nosign(p):
    p.fill(p.ring(12, 12, 8, 3))
    p.fill(p.line([(6.5, 6.5), (17.5, 17.5)], 3))


def g_wall(p):
    bricks = [(2, 4, 11), (12, 4, 22), (2, 10, 6), (7, 10, 16), (17, 10, 22), (2, 16, 11),
              (12, 16, 22)]
    for x0, y, x1 in bricks:
        p.fill(p.box(x0, y, x1, y + 5, 0.8))


def g_trash(p):
    p.fill(p.box(4, 5, 20, 7.5, 1))
    p.fill(p.box(9, 2.5, 15, 5.5, 1))
    p.fill(p.polygon([(5.5, 9), (18.5, 9), (17.2, 21.5), (6.8, 21.5)]))
    for x in (9.5, 12, 14.5):
        p.fill(p.line([(x, 11.5), (x, 19)], 1.1), p.light)


def g_wrench(p):
    head = p.circle(16, 8, 6) - p.box(14, 0, 18, 8.5) - p.circle(16, 8, 2.2)
    p.fill(head | p.line([(12.5, 11.5), (4.5, 19.5)], 4.2))


def g_package(p):
    p.fill(p.polygon([(12, 2.5), (21, 7), (21, 17), (12, 21.5), (3, 17), (3, 7)]))
    p.fill(p.line([(3.5, 7.2), (12, 11.5), (20.5, 7.2)], 1.3), p.light)
    p.fill(p.line([(12, 11.5), (12, 21)], 1.3), p.light)


def g_globe(p):
    p.fill(p.ring(12, 12, 8.8, 2))
    p.fill(p.ellipse(12, 12, 3.6, 8.8) - p.ellipse(12, 12, 1.8, 7.2))
    p.fill(p.line([(3.5, 12), (20.5, 12)], 1.6))
    p.fill(p.line([(5.2, 7.5), (18.8, 7.5)], 1.3) | p.line([(5.2, 16.5), (18.8, 16.5)], 1.3))


def g_chip(p):
    p.fill(p.box(5.5, 5.5, 18.5, 18.5, 2) - p.box(9, 9, 15, 15, 1))
    for i in (9.5, 14.5):
        p.fill(p.line([(i, 2), (i, 5.5)], 2) | p.line([(i, 18.5), (i, 22)], 2))
        p.fill(p.line([(2, i), (5.5, i)], 2) | p.line([(18.5, i), (22, i)], 2))


def g_refresh(p):
    p.fill(p.arc(12, 12, 7.5, 200, 220, 2.8))
    p.fill(p.polygon([(17.5, 1.8), (21.5, 8.5), (14, 9)]))
    p.fill(p.arc(12, 12, 7.5, 20, 40, 2.8))


def g_restart(p):
    p.fill(p.arc(12, 13, 7.5, -50, 280, 2.8))
    p.fill(p.polygon([(15, 2.5), (20.5, 7), (14, 9.5)]))


def g_broom(p):
    p.fill(p.line([(18, 2.5), (12, 11)], 2.4))
    p.fill(p.polygon([(8.5, 9.5), (14.5, 13), (12, 21.5), (3, 16.5)]))
    p.fill(p.line([(6, 16.5), (4.5, 20.5)], 1.1) | p.line([(9, 18), (8, 22)], 1.1), p.light)


def g_pie(p):
    p.fill(p.circle(12, 12, 9) - p.polygon([(12, 12), (12, 1), (23, 1), (23, 12)]))
    slice_ = p.polygon([(13.2, 2.2), (13.2, 10.8), (21.8, 10.8), (21, 7), (17.5, 3)])
    p.fill(slice_ & p.circle(13.2, 10.8, 8.6))


def g_power(p):
    p.fill(p.arc(12, 13, 8, -60, 300, 2.8))
    p.fill(p.line([(12, 3), (12, 12)], 2.8))


def g_info(p):
    p.fill(p.circle(12, 12, 10) - p.circle(12, 7, 1.8) - p.box(10.4, 10, 13.6, 18, 0.8))


def g_question(p):
    p.fill(p.circle(12, 12, 10))
    hook = p.arc(12, 9, 3.6, 180, 240, 2.6) | p.line([(13.9, 12.1), (12, 13.5), (12, 14.5)], 2.6)
    p.fill(hook, p.light)
    p.fill(p.circle(12, 18, 1.6), p.light)


def g_monitor(p):
    p.fill(p.box(2.5, 3.5, 21.5, 16.5, 2) - p.box(5, 6, 19, 14, 0.5))
    p.fill(p.box(10.5, 16, 13.5, 19.5) | p.box(7, 19.5, 17, 21.5, 1))


def g_bolt(p):
    p.fill(p.polygon([(14, 1.5), (5, 13.5), (11, 13.5), (9.5, 22.5), (19, 9.5), (13, 9.5)]))


def g_key(p):
    p.fill(p.circle(8, 12, 5.5) - p.circle(8, 12, 2))
    p.fill(p.box(12, 10.6, 22, 13.4, 0.6) | p.box(17, 12, 19.5, 17, 0.5) |
           p.box(20, 12, 22, 15.5, 0.5))


def g_radar(p):
    p.fill(p.circle(12, 18, 2.2))
    p.fill(p.arc(12, 18, 6.5, 225, 90, 2.4))
    p.fill(p.arc(12, 18, 11.5, 225, 90, 2.4))


def g_pulse(p):
    p.fill(p.line([(2.5, 13), (7, 13), (9.5, 6), (13.5, 19), (16, 10), (17.5, 13), (21.5, 13)],
                  2.4))


def g_nodes(p):
    p.fill(p.line([(12, 6), (5.5, 17.5), (18.5, 17.5), (12, 6)], 1.8))
    for x, y in ((12, 5.5), (5.5, 18), (18.5, 18)):
        p.fill(p.circle(x, y, 3.6))


def g_terminal(p):
    p.fill(p.box(2.5, 3.5, 21.5, 20.5, 2.5) - p.box(4.5, 7.5, 19.5, 18.5, 1))
    p.fill(p.line([(7, 10.5), (10, 13), (7, 15.5)], 1.8) | p.line([(12, 16), (16.5, 16)], 1.8))


def g_sliders(p):
    for y, x in ((6, 15), (12, 8), (18, 13)):
        p.fill(p.line([(3.5, y), (20.5, y)], 1.8))
        p.fill(p.circle(x, y, 2.8))


def g_gear(p):
    teeth = p.circle(12, 12, 7)
    for k in range(8):
        a = math.radians(k * 45)
        teeth = teeth | p.line([(12 + 6 * math.cos(a), 12 + 6 * math.sin(a)),
                                (12 + 9 * math.cos(a), 12 + 9 * math.sin(a))], 3.4)
    p.fill(teeth - p.circle(12, 12, 3))


def g_window(p):
    p.fill(p.box(2.5, 3.5, 21.5, 20.5, 2.5) - p.box(4.5, 8, 19.5, 18.5, 1))
    p.fill(p.circle(6.5, 5.8, 1) | p.circle(9.5, 5.8, 1), p.light)


def g_document(p):
    p.fill(p.polygon([(5, 2.5), (14.5, 2.5), (19, 7), (19, 21.5), (5, 21.5)]))
    for y in (10.5, 14, 17.5):
        p.fill(p.line([(8, y), (16, y)], 1.4), p.light)


def g_folder(p):
    p.fill(p.box(2.5, 4.5, 10.5, 8.5, 1.5) | p.box(2.5, 7, 21.5, 19.5, 1.8))
    p.fill(p.box(2.5, 9.5, 21.5, 10.8), p.light)


def g_cloud(p):
    p.fill(p.circle(8, 14, 4.5) | p.circle(13.5, 10.5, 5.5) | p.circle(17.5, 14.5, 4) |
           p.box(8, 13, 17.5, 18.5))


def g_cloud_up(p):
    g_cloud(p)
    arrow = p.line([(12.5, 17), (12.5, 11)], 2) | p.line([(10, 13.2), (12.5, 10.7), (15, 13.2)], 2)
    p.fill(arrow, p.light)


def g_lifebuoy(p):
    p.fill(p.ring(12, 12, 7, 4.4))
    for k in range(4):
        p.fill(p.arc(12, 12, 7, 45 + 90 * k - 14, 28, 4.4), p.light)


def g_usb(p):
    p.fill(p.box(7, 9, 17, 22, 2))
    p.fill(p.box(8.5, 2, 15.5, 9.5, 0.5) - p.box(10, 4, 11.5, 5.5) - p.box(12.5, 4, 14, 5.5))


def g_bars(p):
    for x, top in ((4, 13), (10, 6), (16, 9.5)):
        p.fill(p.box(x, top, x + 4.5, 20.5, 1))
    p.fill(p.line([(2.5, 21.5), (21.5, 21.5)], 1.4))


def g_thermometer(p):
    p.fill(p.box(9.5, 2, 14.5, 15, 2.5) | p.circle(12, 17.5, 4.5))
    p.fill(p.line([(12, 6), (12, 16)], 1.6) | p.circle(12, 17.5, 2.2), p.light)


def g_flame(p):
    p.fill(p.circle(12, 15.5, 6.5) | p.polygon([(12, 1.5), (18, 11), (6, 11)]) |
           p.polygon([(16, 5), (18.5, 13), (13, 10)]))
    p.fill(p.circle(12, 17.5, 3) | p.polygon([(12, 10), (14.8, 16), (9.2, 16)]), p.light)


def g_wand(p):
    p.fill(p.line([(4, 20), (14.5, 9.5)], 2.8))
    for x, y, r in ((17, 4.5, 2.3), (20, 10, 1.5), (12, 3.5, 1.2)):
        p.fill(p.polygon([(x, y - r * 1.8), (x + r * 0.5, y - r * 0.5), (x + r * 1.8, y),
                          (x + r * 0.5, y + r * 0.5), (x, y + r * 1.8), (x - r * 0.5, y + r * 0.5),
                          (x - r * 1.8, y), (x - r * 0.5, y - r * 0.5)]))


def g_layers(p):
    p.fill(p.polygon([(12, 12.5), (21.5, 16.5), (12, 21), (2.5, 16.5)]), p.light)
    p.fill(p.polygon([(12, 3), (21.5, 7.5), (12, 12), (2.5, 7.5)]))
    p.fill(p.line([(2.5, 12), (12, 16.5), (21.5, 12)], 1.8))


def g_toolbox(p):
    p.fill(p.box(2.5, 8, 21.5, 20.5, 2))
    p.fill(p.box(8, 4, 16, 9, 1.5) - p.box(9.8, 5.8, 14.2, 9.5))
    p.fill(p.box(2.5, 12.5, 21.5, 13.8) | p.box(10.5, 11, 13.5, 15.5, 0.6), p.light)


def g_zip(p):
    p.fill(p.polygon([(5, 2.5), (14.5, 2.5), (19, 7), (19, 21.5), (5, 21.5)]))
    for k in range(5):
        x = 10 if k % 2 == 0 else 12.5
        p.fill(p.box(x, 3 + 2.2 * k, x + 2.5, 4.6 + 2.2 * k), p.light)
    p.fill(p.box(9.6, 14, 13.4, 18.5, 1), p.light)


def g_play(p):
    p.fill(p.circle(12, 12, 10) - p.polygon([(9.5, 7), (17.5, 12), (9.5, 17)]))


def g_download(p):
    p.fill(p.line([(12, 3), (12, 14)], 3) | p.polygon([(6.5, 10.5), (17.5, 10.5), (12, 16.5)]))
    p.fill(p.line([(3.5, 15.5), (3.5, 20.5), (20.5, 20.5), (20.5, 15.5)], 2.4))


def g_headset(p):
    p.fill(p.arc(12, 13, 8, 180, 180, 2.4))
    p.fill(p.box(3, 12, 7.5, 19.5, 2) | p.box(16.5, 12, 21, 19.5, 2))
    p.fill(p.arc(12, 15, 7, 20, 70, 1.6))


def g_remote(p):
    g_monitor(p)
    p.fill(p.polygon([(11, 7.5), (17.5, 11.5), (14.5, 12.2), (16, 15), (14.6, 15.7), (13.2, 13),
                      (11, 15)]), p.light)


def g_hdd(p):
    p.fill(p.box(3, 5, 21, 19, 2.5) - p.circle(12, 11, 4.5) - p.box(5.5, 15.5, 18.5, 16.8))
    p.fill(p.circle(12, 11, 1.2))


def g_gauge(p):
    p.fill(p.arc(12, 15, 9, 180, 180, 2.6))
    p.fill(p.line([(12, 15), (17, 8.5)], 2.2) | p.circle(12, 15, 2.4))
    for a in (200, 240, 300, 340):
        r = math.radians(a)
        p.fill(p.line([(12 + 5.2 * math.cos(r), 15 + 5.2 * math.sin(r)),
                       (12 + 6.3 * math.cos(r), 15 + 6.3 * math.sin(r))], 1.2), p.light)


def g_eraser(p):
    p.fill(p.polygon([(13, 3.5), (21, 11.5), (12, 20.5), (4, 12.5)]))
    p.fill(p.polygon([(8, 8.5), (16, 16.5), (12, 20.5), (4, 12.5)]), p.light)
    p.fill(p.line([(12, 21), (21, 21)], 1.6))


def g_book(p):
    p.fill(p.polygon([(2.5, 5), (11.2, 6.5), (11.2, 20.5), (2.5, 19)]))
    p.fill(p.polygon([(21.5, 5), (12.8, 6.5), (12.8, 20.5), (21.5, 19)]))
    p.fill(p.line([(5, 9.5), (9, 10.2)], 1) | p.line([(15, 10.2), (19, 9.5)], 1), p.light)


def g_person(p):
    p.fill(p.circle(12, 7.5, 4.5))
    p.fill(p.polygon([(3.5, 21.5), (4.5, 16), (8.5, 13), (15.5, 13), (19.5, 16), (20.5, 21.5)]))


def g_bag(p):
    p.fill(p.polygon([(4, 8), (20, 8), (19, 21.5), (5, 21.5)]))
    p.fill(p.arc(12, 8.5, 4, 180, 180, 2))
    p.fill(p.box(9, 12, 11.4, 14.4) | p.box(12.6, 12, 15, 14.4) | p.box(9, 15.6, 11.4, 18) |
           p.box(12.6, 15.6, 15, 18), p.light)


def g_film(p):
    p.fill(p.box(3, 3, 21, 21, 2) - p.box(7, 5, 17, 19, 0.5))
    for y in (5.5, 10.5, 15.5):
        p.fill(p.box(4, y, 6, y + 3), p.light)
        p.fill(p.box(18, y, 20, y + 3), p.light)


def g_phone(p):
    p.fill(p.box(6.5, 2, 17.5, 22, 2.5) - p.box(8.3, 5, 15.7, 17.5, 0.5))
    p.fill(p.circle(12, 19.6, 1.1))


def g_lock(p):
    p.fill(p.arc(12, 9.5, 4.5, 180, 180, 2.6) | p.line([(7.5, 9.5), (7.5, 11)], 2.6) |
           p.line([(16.5, 9.5), (16.5, 11)], 2.6))
    p.fill(p.box(4.5, 11, 19.5, 21.5, 2))
    p.fill(p.circle(12, 15.3, 1.8) | p.box(11.2, 15.5, 12.8, 18.5), p.light)


def g_unlock(p):
    p.fill(p.arc(16.5, 8, 4.5, 180, 190, 2.6) | p.line([(12, 8), (12, 11)], 2.6))
    p.fill(p.box(2.5, 11, 16.5, 21.5, 2))
    p.fill(p.circle(9.5, 15.3, 1.8) | p.box(8.7, 15.5, 10.3, 18.5), p.light)


def g_windows(p):
    p.fill(p.polygon([(3, 5), (11, 3.8), (11, 11.3), (3, 11.3)]))
    p.fill(p.polygon([(12.5, 3.6), (21, 2.4), (21, 11.3), (12.5, 11.3)]))
    p.fill(p.polygon([(3, 12.7), (11, 12.7), (11, 20.2), (3, 19)]))
    p.fill(p.polygon([(12.5, 12.7), (21, 12.7), (21, 21.6), (12.5, 20.4)]))


def g_office(p):
    p.fill(p.box(8, 3, 21, 21, 1.5))
    p.fill(p.box(3, 6, 13.5, 18, 1.2), p.light)
    p.fill(p.ring(8.25, 12, 2.7, 1.7))
    for y in (8, 12, 16):
        p.fill(p.line([(15, y), (19, y)], 1.3), p.light)


def g_star(p):
    points = []
    for k in range(10):
        r = 10 if k % 2 == 0 else 4.3
        a = math.radians(-90 + 36 * k)
        points.append((12 + r * math.cos(a), 12.8 + r * math.sin(a)))
    p.fill(p.polygon(points))


def g_list(p):
    for y in (6, 12, 18):
        p.fill(p.circle(5, y, 1.8))
        p.fill(p.line([(9, y), (20, y)], 2.2))


def g_checklist(p):
    for y in (6, 12, 18):
        p.fill(p.line([(11, y), (21, y)], 2.2))
    p.fill(p.line([(2.5, 6), (4.5, 8), (8, 3.8)], 1.8))
    p.fill(p.line([(2.5, 12), (4.5, 14), (8, 9.8)], 1.8))
    p.fill(p.box(3, 16, 7.5, 20.5, 0.8) - p.box(4.3, 17.3, 6.2, 19.2))


def g_clipboard(p):
    p.fill(p.box(4, 4, 20, 22, 2) - p.box(6.2, 7, 17.8, 19.8, 0.5))
    p.fill(p.box(8, 2, 16, 6.5, 1.5))
    p.fill(p.line([(8.5, 13.5), (11, 16), (15.5, 10.5)], 2.2))


def g_undo(p):
    p.fill(p.arc(13, 13.5, 6.5, -90, 225, 2.8) & p.box(-5, -5, 30, 30))
    p.fill(p.polygon([(13.5, 2.5), (13.5, 11.5), (7.5, 7)]))


def g_eye(p):
    p.fill(p.ellipse(12, 12, 10, 6.5) - p.ellipse(12, 12, 8, 4.6))
    p.fill(p.circle(12, 12, 3.2))


def g_eye_slash(p):
    g_eye(p)
    p.fill(p.line([(4.5, 20), (19.5, 4)], 2.4))


def g_flag(p):
    p.fill(p.line([(5, 3), (5, 21.5)], 2.2))
    p.fill(p.polygon([(6, 3.5), (19.5, 3.5), (16, 8.5), (19.5, 13.5), (6, 13.5)]))


def g_plus_circle(p):
    p.fill(p.circle(12, 12, 10) - p.box(10.6, 6, 13.4, 18, 0.6) - p.box(6, 10.6, 18, 13.4, 0.6))


def g_check(p):
    p.fill(p.line([(4.5, 12.5), (9.5, 17.5), (19.5, 6.5)], 3.4))


def g_cross(p):
    p.fill(p.line([(6, 6), (18, 18)], 3.4) | p.line([(18, 6), (6, 18)], 3.4))


def g_menu(p):
    for y in (6, 12, 18):
        p.fill(p.line([(4, y), (20, y)], 2.6))


def g_checkbox_on(p):
    p.fill(p.box(3, 3, 21, 21, 3.5))
    p.fill(p.line([(7.5, 12.5), (10.5, 15.5), (16.5, 8.5)], 2.6), p.light)


def g_checkbox_off(p):
    p.fill(p.box(3, 3, 21, 21, 3.5) - p.box(5.4, 5.4, 18.6, 18.6, 1.5))


def g_group_on(p):
    p.fill(p.box(2, 2, 14, 14, 2.5))
    p.fill(p.line([(5, 8.3), (7.3, 10.5), (11, 5.8)], 1.8), p.light)
    p.fill(p.line([(17, 6), (22, 6)], 1.8) | p.line([(5, 18.5), (22, 18.5)], 1.8) |
           p.line([(17, 10.5), (22, 10.5)], 1.8))


def g_group_off(p):
    p.fill(p.box(2, 2, 14, 14, 2.5) - p.box(4, 4, 12, 12, 1))
    p.fill(p.line([(17, 6), (22, 6)], 1.8) | p.line([(5, 18.5), (22, 18.5)], 1.8) |
           p.line([(17, 10.5), (22, 10.5)], 1.8))


def g_arrow_up(p):
    p.fill(p.line([(12, 20.5), (12, 6)], 3) | p.polygon([(4.5, 11), (12, 2.5), (19.5, 11)]))


def g_arrow_down(p):
    p.fill(p.line([(12, 3.5), (12, 18)], 3) | p.polygon([(4.5, 13), (12, 21.5), (19.5, 13)]))


def g_export(p):
    p.fill(p.line([(14, 4.5), (4.5, 4.5), (4.5, 19.5), (19.5, 19.5), (19.5, 10)], 2.2))
    p.fill(p.line([(10, 14), (19, 5)], 2.4) | p.polygon([(13, 3), (21, 3), (21, 11)]))


def g_copy(p):
    p.fill(p.box(3, 3, 15, 16, 2) - p.box(5.2, 5.2, 12.8, 13.8, 0.5))
    p.fill(p.box(9, 8, 21, 21, 2))


def g_pencil(p):
    p.fill(p.line([(6.5, 17.5), (17, 7)], 4.6))
    p.fill(p.polygon([(3, 21), (4.3, 15.6), (8.4, 19.7)]))
    p.fill(p.line([(16.5, 4.5), (19.5, 7.5)], 1.6), p.light)


def g_chevrons_up(p):
    p.fill(p.line([(5, 12), (12, 5), (19, 12)], 2.6) | p.line([(5, 19), (12, 12), (19, 19)], 2.6))


def g_chevrons_down(p):
    p.fill(p.line([(5, 5), (12, 12), (19, 5)], 2.6) | p.line([(5, 12), (12, 19), (19, 12)], 2.6))


def g_sort(p):
    for w, y in ((6, 5), (10, 10), (14, 15), (18, 20)):
        p.fill(p.line([(3, y), (3 + w * 0.9, y)], 2.4))
    p.fill(p.line([(19, 3), (19, 14)], 2) | p.polygon([(15.5, 12), (22.5, 12), (19, 17)]))


def g_update_run(p):
    """The download arrow with the run button in front of it."""
    p.fill(p.line([(9, 2.5), (9, 11)], 2.6) | p.polygon([(4.5, 8.5), (13.5, 8.5), (9, 13.5)]))
    p.fill(p.line([(2.5, 12.5), (2.5, 16.5), (9, 16.5)], 2))
    p.fill(p.circle(16, 16, 7.3), WHITE)
    p.fill(p.circle(16, 16, 6.5) - p.polygon([(14, 12.6), (19.6, 16), (14, 19.4)]), RUN)


# --- the pictures ------------------------------------------------------------


def tile(colour, glyph):
    """A tool icon, 22 x 22: the glyph in white on a rounded tile."""
    def draw(canvas):
        top, base = mix(colour, WHITE, 0.25), colour
        pen = Pen(canvas, 0, 0, 1, WHITE, WHITE)
        span = canvas.height - 1
        pen.fill(pen.box(0.5, 0.5, 21.5, 21.5, 4.5), mix(colour, (0, 0, 0, 255), 0.25))
        pen.fill(pen.box(1.5, 1.5, 20.5, 20.5, 3.6), lambda y: mix(top, base, y / span))
        glyph(Pen(canvas, 4, 4, 14 / 24, WHITE, mix(colour, WHITE, 0.55)))
    return (22, 22), draw


def plain(size, colour, glyph, light=None, box=None):
    """A glyph in colour on transparency, in the box (x, y, side) of the picture."""
    def draw(canvas):
        x, y, side = box or (0, 0, size[1])
        glyph(Pen(canvas, x, y, side / 24, colour, light or mix(colour, WHITE, 0.6)))
    return size, draw


def group(colour, glyph):
    return plain((20, 16), rgb(colour), glyph, box=(2, 0, 16))


def button(colour, glyph):
    return plain((24, 24), rgb(colour), glyph)


def menu(colour, glyph):
    return plain((16, 16), rgb(colour), glyph)


def logo():
    """64 x 64: a K over a wrench's jaw on a deep violet tile, with a spark."""
    def draw(canvas):
        pen = Pen(canvas, 0, 0, 64 / 24, WHITE, WHITE)
        top, bottom = rgb(0x6A4BC4), rgb(0x241446)
        pen.fill(pen.box(0.6, 0.6, 23.4, 23.4, 5.2), rgb(0x1A0F33))
        pen.fill(pen.box(1.1, 1.1, 22.9, 22.9, 4.8), lambda y: mix(top, bottom, y / 63))
        pen.fill(pen.line([(8, 5.5), (8, 18.5)], 3.2))
        pen.fill(pen.line([(9.5, 12.5), (16.5, 5.8)], 3.2) | pen.line([(11, 11), (17, 18.5)], 3.2))
        pen.fill(pen.circle(18.8, 5.2, 2.1), rgb(0xFFA040))
    return (64, 64), draw


SECURITY, REPAIR, SOFTWARE, CLEAN = rgb(0xD64541), rgb(0xE67E22), rgb(0x2D7DD2), rgb(0x16A085)
INFO, NETWORK, WINDOWS, BACKUP = rgb(0x5B5FC7), rgb(0x1A9BD7), rgb(0x3C6E9F), rgb(0x3C9A48)
MONITOR, TWEAK, UTILITY, TROUBLE = rgb(0x8E44AD), rgb(0xC2408A), rgb(0x5D6D7E), rgb(0xE0A21B)
REMOTE, STORAGE, ONLINE, STORE = rgb(0x2E86AB), rgb(0x8D6E63), rgb(0x00897B), rgb(0xD35400)
RANSOM, INSTALL, BUILT_IN, OWN = rgb(0xA93226), rgb(0x1565C0), rgb(0x455A64), rgb(0x7F8C8D)

IMAGES = {
    # Side-panel buttons and links of the main window, and the message windows.
    132: button(0x2D7DD2, g_download),
    133: button(RUN_RGB, g_play),
    134: button(0x2D7DD2, g_update_run),
    150: button(0x6C7A89, g_eye_slash),
    151: button(0x16A085, g_eye),
    152: button(RUN_RGB, g_plus_circle),
    171: button(0xD64541, g_trash),
    770: button(0x5D6D7E, g_gear),
    771: button(0x2D7DD2, g_info),
    772: button(0xE0A21B, g_question),
    775: button(RUN_RGB, g_check),
    776: button(0xD64541, g_cross),
    778: menu(0x5D6D7E, g_search),
    779: menu(0x5D6D7E, g_menu),
    # The tool list.
    162: tile(OWN, g_wrench),
    168: menu(0x2D7DD2, g_checklist),
    177: logo(),
    758: tile(BUILT_IN, g_list),
    # Tool icons by kind (docs/catalogue.md).
    153: tile(SECURITY, g_nosign),
    154: tile(SECURITY, g_shield),
    155: tile(SECURITY, g_wall),
    156: tile(SECURITY, g_trash),
    157: tile(SECURITY, g_bug),
    158: tile(SECURITY, g_search),
    159: tile(SECURITY, g_disc),
    160: tile(REPAIR, g_wrench),
    170: tile(SOFTWARE, g_package),
    172: tile(SOFTWARE, g_chip),
    173: tile(SOFTWARE, g_refresh),
    174: tile(SOFTWARE, g_globe),
    180: tile(CLEAN, g_broom),
    181: tile(CLEAN, g_trash),
    182: tile(CLEAN, g_pie),
    183: tile(CLEAN, g_power),
    190: tile(INFO, g_info),
    191: tile(INFO, g_chip),
    192: tile(INFO, g_bolt),
    193: tile(INFO, g_key),
    200: tile(NETWORK, g_radar),
    201: tile(NETWORK, g_pulse),
    202: tile(NETWORK, g_nodes),
    210: tile(WINDOWS, g_terminal),
    211: tile(WINDOWS, g_sliders),
    212: tile(WINDOWS, g_gear),
    213: tile(WINDOWS, g_window),
    214: tile(WINDOWS, g_document),
    215: tile(WINDOWS, g_folder),
    216: tile(WINDOWS, g_shield_check),
    217: tile(WINDOWS, g_restart),
    220: tile(BACKUP, g_cloud_up),
    221: tile(BACKUP, g_lifebuoy),
    222: tile(BACKUP, g_usb),
    260: tile(MONITOR, g_bars),
    261: tile(MONITOR, g_thermometer),
    262: tile(MONITOR, g_flame),
    270: tile(TWEAK, g_wand),
    271: tile(TWEAK, g_layers),
    280: tile(UTILITY, g_toolbox),
    281: tile(UTILITY, g_zip),
    282: tile(UTILITY, g_play),
    283: tile(UTILITY, g_cloud),
    290: tile(TROUBLE, g_question),
    291: tile(TROUBLE, g_download),
    292: tile(TROUBLE, g_headset),
    300: tile(REMOTE, g_remote),
    301: tile(REMOTE, g_monitor),
    310: tile(STORAGE, g_hdd),
    311: tile(STORAGE, g_gauge),
    312: tile(STORAGE, g_usb),
    313: tile(STORAGE, g_pie),
    314: tile(STORAGE, g_eraser),
    320: tile(ONLINE, g_book),
    321: tile(ONLINE, g_globe),
    322: tile(ONLINE, g_person),
    330: tile(STORE, g_bag),
    331: tile(STORE, g_film),
    332: tile(STORE, g_phone),
    340: tile(RANSOM, g_unlock),
    341: tile(RANSOM, g_search),
    350: tile(INSTALL, g_windows),
    351: tile(INSTALL, g_office),
    # Built-in actions by section, and the tweaks.
    401: tile(BUILT_IN, g_clipboard),
    402: tile(BUILT_IN, g_undo),
    403: tile(BUILT_IN, g_wrench),
    404: tile(BUILT_IN, g_hdd),
    405: tile(BUILT_IN, g_eye_slash),
    406: tile(BUILT_IN, g_broom),
    407: tile(BUILT_IN, g_gear),
    408: tile(BUILT_IN, g_flag),
    409: tile(BUILT_IN, g_sliders),
    # Group headers, 230 + the group's place (1-24, then 1001).
    230: group(0xE0A21B, g_star),
    231: group(0x7F8C8D, g_wrench),
    232: group(0xD64541, g_bug),
    233: group(0xD64541, g_search),
    234: group(0xD64541, g_nosign),
    235: group(0xE67E22, g_wrench),
    236: group(0x2D7DD2, g_refresh),
    237: group(0x16A085, g_broom),
    238: group(0x5B5FC7, g_info),
    239: group(0x1A9BD7, g_globe),
    240: group(0x3C6E9F, g_windows),
    241: group(0x3C9A48, g_cloud_up),
    242: group(0x8E44AD, g_bars),
    243: group(0xC2408A, g_sliders),
    244: group(0x5D6D7E, g_toolbox),
    245: group(0xD64541, g_shield),
    246: group(0xD64541, g_trash),
    247: group(0xE0A21B, g_question),
    248: group(0x2E86AB, g_monitor),
    249: group(0x8D6E63, g_hdd),
    250: group(0x00897B, g_book),
    251: group(0xD35400, g_bag),
    252: group(0xA93226, g_lock),
    253: group(0x1565C0, g_download),
    254: group(0x455A64, g_gear),
    # The tool list's context menu, in menu order.
    780: menu(RUN_RGB, g_play),
    781: menu(0xE0A21B, g_star),
    782: menu(0x95A5A6, g_star),
    783: menu(0x2D7DD2, g_checkbox_on),
    784: menu(0x5D6D7E, g_checkbox_off),
    785: menu(0x2D7DD2, g_group_on),
    786: menu(0x5D6D7E, g_group_off),
    787: menu(0x8D6E63, g_usb),
    788: menu(0x2D7DD2, g_package),
    789: menu(0x3C9A48, g_shield_check),
    790: menu(0x2D7DD2, g_checklist),
    791: menu(0x5D6D7E, g_arrow_up),
    792: menu(0x5D6D7E, g_arrow_down),
    793: menu(0x16A085, g_export),
    794: menu(0x5D6D7E, g_copy),
    795: menu(0xE67E22, g_pencil),
    796: menu(0xD64541, g_trash),
    797: menu(0xE0A21B, g_folder),
    798: menu(0x1A9BD7, g_globe),
    799: menu(0x5D6D7E, g_chevrons_up),
    800: menu(0x5D6D7E, g_chevrons_down),
    801: menu(0x5D6D7E, g_sort),
}


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    out = Path(argv[1])
    out.mkdir(parents=True, exist_ok=True)
    lines = ["// Generated by tools/gen_artwork.py: the artwork as IMAGE resources."]
    for image_id, ((width, height), draw) in sorted(IMAGES.items()):
        canvas = Canvas(width, height)
        draw(canvas)
        path = out / f"{image_id}.png"
        data = canvas.png()
        if not path.exists() or path.read_bytes() != data:
            path.write_bytes(data)
        lines.append(f'{image_id} IMAGE "{path.resolve().as_posix()}"')
    # Written every time: it is what the build watches for new pictures.
    (out / "images.rc").write_text("\n".join(lines) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
