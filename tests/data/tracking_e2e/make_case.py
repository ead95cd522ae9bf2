#!/usr/bin/env python3
"""Builds this case from the real i-Blue 747 track (tests/data/tracks/iblue747.csv).

Four competitors drive the recorded route on 26 Jun 2015 (day 1 of the test rally), one minute
apart: 1 with a Holux logger, 2 Canmore, 3 Easy Logger (logging every second, the route's fixes
interpolated to one a second where the
recording has no gap), 4 the Lumo app. Eight controls lie on the route, the odd ones on a
recorded fix, the even ones half-way between two fixes. The expected competitor logs and R files
are worked out here independently of the program, following the scoring rules step by step.
"""
import csv, math, os

HERE = os.path.dirname(os.path.abspath(__file__))
OFFSETS = {'h': 1, 'c': 4, 'e': 1, 'x': 1}      # default logger offsets of a new rally
DIST_WINDOW, TIME_WINDOW, DAY_START = 200, 600, 28800
LAST_ENTRY_A = 15

def secs(t):
    h, m, s = t.split(':')
    return int(h) * 3600 + int(m) * 60 + int(float(s))

def num(v):
    v = float(v)
    return str(int(v)) if v == int(v) else repr(v)

def hms(t, wide=True):
    t = int(t) % 86400
    return ('%02d:%02d:%02d' if wide else '%d:%02d:%02d') % (t // 3600, t // 60 % 60, t % 60)

rows = list(csv.reader(open(os.path.join(HERE, '..', 'tracks', 'iblue747.csv'))))[1:]
route = [(int(r[0]), float(r[5]), float(r[7]), secs(r[3])) for r in rows]

def every_second(fixes):
    out = []
    for (n1, la1, lo1, t1), (n2, la2, lo2, t2) in zip(fixes, fixes[1:]):
        # No fixes while the logger had lost the satellites.
        for k in range(t2 - t1 if t2 - t1 <= 30 else 1):
            f = k / (t2 - t1)
            out.append((len(out) + 1, round(la1 + (la2 - la1) * f, 6), round(lo1 + (lo2 - lo1) * f, 6), t1 + k))
    n, la, lo, t = fixes[-1]
    out.append((len(out) + 1, la, lo, t))
    return out

competitors = {1: 'h', 2: 'c', 3: 'e', 4: 'x'}
true_fixes = {}
for no, letter in competitors.items():
    base = every_second(route) if letter == 'e' else route
    true_fixes[no] = [(n, la, lo, t + 60 * (no - 1)) for (n, la, lo, t) in base]

def download(letter, fixes):
    off = OFFSETS[letter]
    lines = []
    if letter == 'h':
        lines.append('INDEX,FIX,RCR,VALID,DATE,TIME,LATITUDE,N/S,LONGITUDE,E/W,HEIGHT,SPEED')
        for n, la, lo, t in fixes:
            lines.append('%d,%d,T,SPS,2015/06/26,%s,%.6f,N,%.6f,E,146,45.3' % (n, n, hms(t + off, False), la, lo))
    elif letter == 'c':
        lines.append('INDEX,RCR,VALID,DATE,TIME,LATITUDE,N/S,LONGITUDE,E/W,HEIGHT,SPEED')
        for n, la, lo, t in fixes:
            lines.append('%d,T,SPS,2015/06/26,%s,%.6f,N,%.6f,E,146,45.3' % (n, hms(t + off), la, lo))
    elif letter == 'e':
        lines.append('INDEX,RCR,DATE,TIME,VALID,LATITUDE,N/S,LONGITUDE,E/W,HEIGHT,SPEED,PDOP,HDOP,NSAT')
        for n, la, lo, t in fixes:
            lines.append('%d,T,2015/06/26,%s.000,SPS,%.6f,N,%.6f,E,146 m,45.3 km/h,1.13,0.85,11(11)'
                         % (n, hms(t + off - 7200), la, lo))
    else:
        lines.append('"Fix","Latitude","Longitude","Time"')
        for n, la, lo, t in fixes:
            lines.append('%d,%.6f,%.6f,"2015-06-26T%sZ"' % (n, la, lo, hms(t + off)))
    return '\r\n'.join(lines) + '\r\n'

def imported(letter, fixes):
    kept = fixes[::5] if letter == 'e' else fixes
    return kept  # the offsets added above are taken off again on import

# Controls on the route: odd ones on a recorded fix, even ones half-way to the next fix.
ON = [130, 200, 270, 340, 410, 480, 560, 640]
DESIGN = [-12, 0, 7, 45, -250, 599, 700, -3]   # wanted deviations of competitor 1, before interpolation
by_no = {n: (la, lo, t) for (n, la, lo, t) in route}
controls = []
for i, k in enumerate(ON):
    la, lo, t = by_no[k]
    if i % 2 == 1:
        la2, lo2, t2 = by_no[k + 1]
        la, lo, t = (la + la2) / 2, (lo + lo2) / 2, (t + t2) / 2
    la, lo = round(la, 7), round(lo, 7)
    a_time = math.floor(t) - 60 + DESIGN[i]
    controls.append((i + 1, la, lo, round(2.5 + 3.1 * i, 1), a_time))

def shortlist(fixes, no):
    lines = []
    for (cno, cla, clo, dist, a_time) in controls:
        gt = a_time  # speed group A
        lines.append([cno, 1, 1, dist, gt, 1, 1, 1, 1, 5000])
        lines.append([cno, 1, 1, dist, gt, 1, 1, 1, 1, 5001])
        ideal = gt + 60 * no
        for (n, la, lo, t) in fixes:
            d = math.sqrt((clo - lo) ** 2 + (cla - la) ** 2) * 100000
            if d < DIST_WINDOW and ideal - TIME_WINDOW < t < ideal + TIME_WINDOW:
                lines.append([cno, cla, clo, dist, gt, n, la, lo, t, d])
    return lines

def final(lines):
    out = []
    for cno in range(1, len(controls) + 1):
        group = [l for l in lines if l[0] == cno]
        group.sort(key=lambda l: l[9])       # Python's sort is stable
        out.append(group[:2])
    return out

def passage(a, b):
    p1, p2 = (a, b) if a[5] < b[5] else (b, a)
    x1, y1, t1, x2, y2, t2 = p1[6], p1[7], p1[8], p2[6], p2[7], p2[8]
    xc, yc = a[1], a[2]
    dx, dy = x2 - x1, y2 - y1
    X = Y = 0
    if dx != 0 and dy != 0:
        m = dy / dx
        X = (m * x2 - y2 + xc / m + yc) / (1 / m + m)
        Y = (X - x2) * m + y2
    if dx == 0:
        X, Y = x2, yc
    if dy == 0:
        X, Y = xc, y2
    d1 = math.hypot(X - x1, Y - y1); d2 = math.hypot(X - x2, Y - y2); d12 = math.hypot(x2 - x1, y2 - y1)
    if d2 == 0 or d12 == 0:
        return t1
    if d2 > d12 and d2 > d1:
        return t1 - (d1 / d2) * (t2 - t1)
    return t1 + (d1 / d12) * (t2 - t1)

def scores(fixes, no):
    out = []
    for a, b in final(shortlist(fixes, no)):
        T = passage(a, b)
        dev = round((a[4] + 60 * no) - T)     # Python rounds halves to even
        out.append(dev if -TIME_WINDOW <= dev <= TIME_WINDOW else TIME_WINDOW)
        if no == 1:
            print('control %d: pair of fixes %s/%s, T = %s, deviation %s' % (a[0], num(a[5]), num(b[5]), T, out[-1]))
    return out

def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w', newline='') as f:
        f.write(text)

cp = '"No","Lat","Long","Dist","A_Time","B_Time","C_Time","D_Time"\r\n'
for (cno, la, lo, dist, a) in controls:
    cp += ','.join(num(v) for v in (cno, la, lo, dist, a, a + 300, a + 600, a + 900)) + '\r\n'
write(os.path.join(HERE, 'Marshals', 'cp1.csv'), cp)
for no, letter in competitors.items():
    write(os.path.join(HERE, 'CompetitorsLog', '%s1%03d.csv' % (letter, no)), download(letter, true_fixes[no]))
    kept = imported(letter, true_fixes[no])
    write(os.path.join(HERE, 'expected', 'CL1%03d.csv' % no),
          ''.join(','.join(num(v) for v in f) + '\r\n' for f in kept))
    write(os.path.join(HERE, 'expected', 'R1%03d.csv' % no), ''.join(num(s) + '\r\n' for s in scores(kept, no)))
