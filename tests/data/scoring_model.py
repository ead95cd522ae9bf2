"""An independent model of Trakmora's scoring rules, written from the rules and not from the
program, for building test cases whose expected results are worked out by hand.

Used by the make_case.py scripts of the end-to-end cases: they turn real GPS tracks into logger
downloads, and work out the competitor logs, R files and positions the program must produce.
"""
import math

OFFSETS = {'h': 1, 'c': 4, 'e': 1, 'x': 1}      # default logger offsets of a new rally
DIST_WINDOW, TIME_WINDOW = 200, 600


def secs(t):
    h, m, s = t.split(':')
    return int(h) * 3600 + int(m) * 60 + int(float(s))


def num(v):
    v = float(v)
    return str(int(v)) if v == int(v) else repr(v)


def hms(t, wide=True):
    t = int(t) % 86400
    return ('%02d:%02d:%02d' if wide else '%d:%02d:%02d') % (t // 3600, t // 60 % 60, t % 60)


def every_second(fixes):
    """The Easy Logger logs every second: the track's fixes interpolated to one a second, except
    across a gap of more than 30 s, where the logger had lost the satellites."""
    out = []
    for (n1, la1, lo1, t1), (n2, la2, lo2, t2) in zip(fixes, fixes[1:]):
        for k in range(t2 - t1 if t2 - t1 <= 30 else 1):
            f = k / (t2 - t1)
            out.append((len(out) + 1, round(la1 + (la2 - la1) * f, 6), round(lo1 + (lo2 - lo1) * f, 6), t1 + k))
    n, la, lo, t = fixes[-1]
    out.append((len(out) + 1, la, lo, t))
    return out


def download(letter, fixes, date='2015/06/26'):
    """The download file of one logger layout; `fixes` hold the true clock times, the logger's
    offset (and the Easy Logger's two hours behind) are put into the file as the logger would."""
    off = OFFSETS[letter]
    lines = []
    if letter == 'h':
        lines.append('INDEX,FIX,RCR,VALID,DATE,TIME,LATITUDE,N/S,LONGITUDE,E/W,HEIGHT,SPEED')
        for n, la, lo, t in fixes:
            lines.append('%d,%d,T,SPS,%s,%s,%.6f,N,%.6f,E,146,45.3' % (n, n, date, hms(t + off, False), la, lo))
    elif letter == 'c':
        lines.append('INDEX,RCR,VALID,DATE,TIME,LATITUDE,N/S,LONGITUDE,E/W,HEIGHT,SPEED')
        for n, la, lo, t in fixes:
            lines.append('%d,T,SPS,%s,%s,%.6f,N,%.6f,E,146,45.3' % (n, date, hms(t + off), la, lo))
    elif letter == 'e':
        lines.append('INDEX,RCR,DATE,TIME,VALID,LATITUDE,N/S,LONGITUDE,E/W,HEIGHT,SPEED,PDOP,HDOP,NSAT')
        for n, la, lo, t in fixes:
            lines.append('%d,T,%s,%s.000,SPS,%.6f,N,%.6f,E,146 m,45.3 km/h,1.13,0.85,11(11)'
                         % (n, date, hms(t + off - 7200), la, lo))
    else:
        lines.append('"Fix","Latitude","Longitude","Time"')
        iso = date.replace('/', '-')
        for n, la, lo, t in fixes:
            lines.append('%d,%.6f,%.6f,"%sT%sZ"' % (n, la, lo, iso, hms(t + off)))
    return '\r\n'.join(lines) + '\r\n'


def imported(letter, fixes):
    """The competitor log the import makes: every fifth Easy Logger record, the offsets taken off."""
    return fixes[::5] if letter == 'e' else fixes


def shortlist(controls, fixes, no, group=0):
    """Fixes within the distance window of each control and the time window around the
    competitor's ideal time, after two filler lines. controls: (no, lat, long, dist, times), the
    times of the speed groups A to D; group 0 is A."""
    lines = []
    for (cno, cla, clo, dist, times) in controls:
        gt = times[group]
        lines.append([cno, 1, 1, dist, gt, 1, 1, 1, 1, 5000])
        lines.append([cno, 1, 1, dist, gt, 1, 1, 1, 1, 5001])
        ideal = gt + 60 * no
        for (n, la, lo, t) in fixes:
            d = math.sqrt((clo - lo) ** 2 + (cla - la) ** 2) * 100000
            if d < DIST_WINDOW and ideal - TIME_WINDOW < t < ideal + TIME_WINDOW:
                lines.append([cno, cla, clo, dist, gt, n, la, lo, t, d])
    return lines


def final(controls, lines):
    out = []
    for cno in range(1, len(controls) + 1):
        group = [l for l in lines if l[0] == cno]
        group.sort(key=lambda l: l[9])       # Python's sort is stable
        out.append(group[:2])
    return out


def passage(a, b):
    """Passage time from the two nearest fixes: the foot of the perpendicular from the control
    onto the line through them, interpolated in time (extrapolated behind the first fix)."""
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


def scores(controls, fixes, no, group=0, trace=None):
    """The R file values: scheduled minus passage time, halves to even, capped at the window."""
    out = []
    for a, b in final(controls, shortlist(controls, fixes, no, group)):
        T = passage(a, b)
        dev = round((a[4] + 60 * no) - T)     # Python rounds halves to even
        out.append(dev if -TIME_WINDOW <= dev <= TIME_WINDOW else TIME_WINDOW)
        if trace:
            trace('control %d: pair of fixes %s/%s, T = %s, deviation %s' % (a[0], num(a[5]), num(b[5]), T, out[-1]))
    return out
