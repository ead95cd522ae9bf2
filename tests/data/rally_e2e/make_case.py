#!/usr/bin/env python3
"""Builds a two-day rally from real GPS tracks (tests/data/tracks) and works out by hand what
Trakmora must make of it, from the route schedule to the final positions.

Day 1 (26 Jun 2015) follows the i-Blue 747 recording, 64 km of country roads and towns; day 2
(27 Jun 2015) the Holux M-241 recording, 10 km with a neutral zone through a village where the
car crawled for a quarter of an hour. The route schedule of each day is what an organiser would
enter after driving the route: distances from the trip meter (the track's length, to 10 m),
average speeds of speed group B in whole km/h ("f" lines: group A runs at 60/70 of B), the
neutral zone as a zero-speed line with added time, and virtual controls on points of the route.

Competitors 1-4 are in speed group A, 16-19 in group B (LastEntryA 15); each drives the recorded
route starting one minute per competition number after the day start, group A slower by the
ratio of the group speeds, each with a small personal error that grows and shrinks along the
route (a list of knots: fraction of the day's driving, seconds late). On day 1 competitor 4 does
not start and 18 loses eleven minutes half-way; on day 2 competitor 17 retires half-way and the
organiser marks the retirement.

Everything expected is worked out here from the rules, independently of the program: the control
file, the R files, the day totals, the positions per score group and the final positions.

Checked by hand, day 2, control 1, competitor 1 (speed group A): line 1 "f" at 0 km, B 38 km/h,
so A 38 x 60 / 70 = 32.571 km/h for 0.97 km = 107.21 s; line 2 "f" B 52, A 44.571 km/h for
1.69 - 0.97 = 0.72 km = 58.15 s; A_Time = 08:00:00 + 165.36 s = 28965 (cp2.csv); competitor 1 is
due a minute later, at 29025. The control lies on a recorded fix, which this car logged at 29022:
3 s early: R2001.csv starts with 3. Day 2 totals 51 for 16 and 18 tie: the lower
number is placed first.
"""
import csv, math, os, sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from scoring_model import secs, num, every_second, download, imported, scores

DAY_START = 8 * 3600                     # default day start of a new rally, both days
GROUP_SPEED = {'A': 60, 'B': 70, 'C': 80, 'D': 90}   # default group speeds; B is the baseline
LAST_ENTRY_A = 15

ENTRIES = [  # number, name, year, vehicle, type, score group, logger
    (1, 'Ann Hale', 1934, 'Riley', 'Kestrel', 'A', 'h'),
    (2, 'Bob Marsh', 1936, 'Austin', 'Seven', 'B', 'c'),
    (3, 'Cy Doyle', 1938, 'MG', 'TA', 'A', 'e'),
    (4, 'Di Frost', 1939, 'Morgan', '4/4', 'B', 'x'),
    (16, 'Ed Quinn', 1952, 'Jaguar', 'XK120', 'A', 'h'),
    (17, 'Fay Lund', 1955, 'Triumph', 'TR2', 'B', 'c'),
    (18, 'Gus Roy', 1958, 'Austin-Healey', 'Sprite', 'A', 'x'),
    (19, 'Hal Ives', 1961, 'Volvo', 'P1800', 'B', 'e'),
]

# Per day: the track, its first and last fix of the drive, the route schedule lines as
# (fix, instruction, type, added minutes), the personal errors, and who does not start or retires.
DAYS = {
    1: dict(
        track='iblue747.csv', date='2015/06/26',
        lines=[
            (95, 'Start at the filling station', 'f', 0),
            (115, 'Virtual control', 'v', 0),
            (130, 'Right onto the main road', 'f', 0),
            (160, 'Virtual control', 'v', 0),
            (180, 'Straight on at the roundabout', 'f', 0),
            (205.5, 'Virtual control', 'v', 0),
            (230, 'Left towards the lake', 'f', 0),
            (265, 'Virtual control', 'v', 0),
            (280, 'Through the village', 'f', 0),
            (300, 'Marshal at the church', 'm', 0),
            (340, 'Open road', 'f', 0),
            (375, 'Virtual control', 'v', 0),
            (400, 'Right at the mill', 'f', 0),
            (430, 'Virtual control', 'v', 0),
            (450, 'Main road north', 'f', 0),
            (500.5, 'Virtual control', 'v', 0),
            (510, 'Into town', 'f', 0),
            (545, 'Passage control at the bridge', 'p', 0),
            (560, 'Follow the river', 'f', 0),
            (600, 'Virtual control', 'v', 0),
            (620, 'Leave town', 'f', 0),
            (660.5, 'Virtual control', 'v', 0),
            (680, 'Last stretch', 'f', 0),
            (720, 'Virtual control', 'v', 0),
            (735, 'Finish at the hotel', 'o', 0),
        ],
        errors={1: [(0, 2), (0.5, -4), (1, 3)], 2: [(0, 10), (0.3, 25), (0.6, 5), (1, -8)],
                3: [(0, -5), (1, -20)], 16: [(0, 0), (1, 6)],
                17: [(0, -15), (0.5, -30), (1, -10)],
                18: [(0, 3), (0.55, 3), (0.56, 663), (1, 655)],     # lost eleven minutes
                19: [(0, 30), (1, 40)]},
        absent=[4], retired={}, marked=[]),
    2: dict(
        track='mtk_logger_m241.csv', date='2015/06/27',
        lines=[
            (8, 'Start in the square', 'f', 0),
            (100, 'Left at the fountain', 'f', 0),
            (150, 'Virtual control', 'v', 0),
            (200, 'Up the hill', 'f', 0),
            (250.5, 'Virtual control', 'v', 0),
            (300, 'Keep right', 'f', 0),
            (330, 'Virtual control', 'v', 0),
            (355, 'Neutral zone through the village', 's', 16.5),
            (700, 'End of neutral zone', 'f', 0),
            (760, 'Virtual control', 'v', 0),
            (800, 'Down to the valley', 'f', 0),
            (850.5, 'Virtual control', 'v', 0),
            (900, 'Along the ridge', 'f', 0),
            (950, 'Virtual control', 'v', 0),
            (1000, 'Back towards the square', 'f', 0),
            (1050, 'Virtual control', 'v', 0),
            (1100, 'Last stretch', 'f', 0),
            (1190, 'Finish in the square', 'o', 0),
        ],
        errors={1: [(0, -3), (1, 2)], 2: [(0, 5), (1, 15)], 3: [(0, 0), (1, -10)],
                4: [(0, 20), (1, 60)], 16: [(0, -2), (1, -2)], 17: [(0, 4), (1, 4)],
                18: [(0, 8), (1, -6)], 19: [(0, -12), (1, 0)]},
        absent=[], retired={17: 0.55}, marked=[17]),
}


def load(name):
    rows = list(csv.reader(open(os.path.join(HERE, '..', 'tracks', name))))[1:]
    return [(int(r[0]), float(r[5]), float(r[7]), secs(r[3])) for r in rows]


def km(a, b):
    la1, lo1, la2, lo2 = map(math.radians, (a[1], a[2], b[1], b[2]))
    h = math.sin((la2 - la1) / 2) ** 2 + math.cos(la1) * math.cos(la2) * math.sin((lo2 - lo1) / 2) ** 2
    return 2 * 6371.0 * math.asin(math.sqrt(h))


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w', newline='') as f:
        f.write(text)


def csv_line(values):
    return ','.join('"%s"' % v if isinstance(v, str) else num(v) for v in values) + '\r\n'


def at(track, cum, f):
    """Position, distance and time at a fix number, or half-way to the next fix."""
    i = int(f) - track[0][0]
    n, la, lo, t = track[i]
    if f == int(f):
        return la, lo, cum[i], t
    n2, la2, lo2, t2 = track[i + 1]
    return (la + la2) / 2, (lo + lo2) / 2, (cum[i] + cum[i + 1]) / 2, (t + t2) / 2


def warp(knots, x):
    for (x1, y1), (x2, y2) in zip(knots, knots[1:]):
        if x <= x2:
            return y1 + (y2 - y1) * (min(max(x, x1), x2) - x1) / (x2 - x1)
    return knots[-1][1]


expected_day_totals = {}
for day, d in DAYS.items():
    track = load(d['track'])
    cum = [0.0]
    for a, b in zip(track, track[1:]):
        cum.append(cum[-1] + km(a, b))

    # The route schedule: distances from the trip meter, group B speeds over each stretch.
    points = [at(track, cum, f) for (f, _, _, _) in d['lines']]
    dist = [round(p[2] - points[0][2], 2) for p in points]
    speed = []       # entered group B speed of each line
    for i, (f, text, kind, added) in enumerate(d['lines']):
        later = [k for k in range(i + 1, len(points)) if d['lines'][k][2] in ('f', 'o', 's')]
        if kind in ('f', 'o') and later:    # the finish line has no stretch after it
            j = later[0]
            speed.append(round((dist[j] - dist[i]) / ((points[j][3] - points[i][3]) / 3600)))
        else:
            speed.append(0)
    rs = csv_line(['No', 'Instruction', 'Type', 'Distance', 'A_Speed', 'B_Speed', 'C_Speed', 'D_Speed',
                   'Limit', 'AddTime_A', 'AddTime_B', 'AddTime_C', 'AddTime_D', 'Lat', 'Long'])
    for i, (f, text, kind, added) in enumerate(d['lines']):
        lat, lon = (round(points[i][0], 7), round(points[i][1], 7)) if kind == 'v' else (0, 0)
        rs += csv_line([i + 1, text, kind, dist[i], 0, speed[i], 0, 0, 120, added, added, added, added, lat, lon])
    write(os.path.join(HERE, 'input', 'RouteSchedule', 'RS%d_Data.csv' % day), rs)

    # Running times of the four groups: speeds propagated by line type ("f" scaled by the group
    # speeds, "o" equal, "s" zero, the others carried over); a line's speed and added time govern
    # the stretch after it.
    run = {}
    for g in 'ABCD':
        v, r = [], [0.0]
        for i, (f, text, kind, added) in enumerate(d['lines']):
            if kind == 'f':
                v.append(GROUP_SPEED[g] * speed[i] / GROUP_SPEED['B'])
            elif kind in ('o', 's'):
                v.append(speed[i])
            else:
                v.append(v[-1])
            if i > 0:
                stretch = (dist[i] - dist[i - 1]) / v[i - 1] if v[i - 1] != 0 else 0
                r.append(r[-1] + stretch + d['lines'][i - 1][3] / 60)
        run[g] = r
    controls = []
    for i, (f, text, kind, added) in enumerate(d['lines']):
        if kind == 'v':
            times = tuple(round(run[g][i] * 3600 + DAY_START) for g in 'ABCD')    # halves to even
            controls.append((len(controls) + 1, round(points[i][0], 7), round(points[i][1], 7), dist[i], times))
    cp = csv_line(['No', 'Lat', 'Long', 'Dist', 'A_Time', 'B_Time', 'C_Time', 'D_Time'])
    for (cno, la, lo, dst, times) in controls:
        cp += ','.join(num(x) for x in (cno, la, lo, dst) + times) + '\r\n'
    write(os.path.join(HERE, 'expected', 'cp%d.csv' % day), cp)

    # The drives: real times of the recording, group A's stretches slowed to its speed, the
    # neutral zone taking the same time for both groups.
    first, last = d['lines'][0][0], d['lines'][-1][0]
    drive = [p for p in track if first - 3 <= p[0] <= last + 3]
    marks = [(int(f), points[i][3], d['lines'][i][2] == 's') for i, (f, _, _, _) in enumerate(d['lines'])
             if d['lines'][i][2] in ('f', 'o', 's')]

    def elapsed(t, group):
        """Time since the start for a driver of the group at the real time t of the recording."""
        if group == 'B':
            return t - marks[0][1]
        total = 0.0
        for (f1, t1, neutral), (f2, t2, _) in zip(marks, marks[1:] + [(None, math.inf, False)]):
            scale = 1 if neutral else GROUP_SPEED['B'] / GROUP_SPEED['A']
            if t <= t2 or f2 is None:
                return total + (t - t1) * scale
            total += (t2 - t1) * scale
        return total

    span = drive[-1][3] - marks[0][1]
    totals = {}
    for (no, name, year, car, model, score_group, letter) in ENTRIES:
        if no in d['absent']:
            continue
        group = 'A' if no <= LAST_ENTRY_A else 'B'
        fixes, previous = [], None
        for (n, la, lo, t) in drive:
            x = (t - marks[0][1]) / span
            if no in d['retired'] and x > d['retired'][no]:
                break
            clock = math.floor(DAY_START + 60 * no + elapsed(t, group) + warp(d['errors'][no], x) + 0.5)
            if previous is not None and clock <= previous:
                clock = previous + 1
            previous = clock
            fixes.append((len(fixes) + 1, la, lo, clock))
        if letter == 'e':
            fixes = every_second(fixes)
        write(os.path.join(HERE, 'downloads', 'day%d' % day, '%s%d%03d.csv' % (letter, day, no)),
              download(letter, fixes, d['date']))
        r = scores(controls, imported(letter, fixes), no, 'AB'.index(group))
        write(os.path.join(HERE, 'expected', 'R%d%03d.csv' % (day, no)), ''.join(num(s) + '\r\n' for s in r))
        totals[no] = sum(abs(s) for s in r)
    expected_day_totals[day] = totals


def half_even(x):
    return round(x)


names = {e[0]: e[1] for e in ENTRIES}
groups = {e[0]: e[5] for e in ENTRIES}


def day_positions(day, marked):
    out = ['Day %d positions' % day]
    totals = expected_day_totals[day]
    for g in 'AB':
        out.append('%s: Score Group %s' % (g, g))
        out.append('Position\tNo\tName\tScore')
        rows = sorted((no for no in totals if groups[no] == g), key=lambda no: half_even(totals[no]))
        counter = 1
        for no in rows:
            if no in marked:
                pos = 'NF'
            else:
                pos, counter = str(counter), counter + 1
            out.append('%s\t%d\t%s\t%s' % (pos, no, names[no], num(totals[no])))
    return '\n'.join(out) + '\n'


def final_positions():
    out = ['Final positions']
    for g in 'AB':
        out.append('%s: Score Group %s' % (g, g))
        out.append('Position\tNo\tName\tDay 1\tDay 2\tFinal')
        rows = [e[0] for e in ENTRIES if e[5] == g]
        day = lambda no, d: expected_day_totals[d].get(no, 0)
        rows.sort(key=lambda no: day(no, 1) + day(no, 2))
        counter = 1
        for no in rows:
            finished = sum(10 for d in DAYS if no in expected_day_totals[d] and no not in DAYS[d]['marked'])
            started = sum(1 for d in DAYS if no in expected_day_totals[d])
            if finished == 10 * len(DAYS):
                pos, counter = str(counter), counter + 1
            else:
                pos = 'NF' if started else 'NS'
            out.append('%s\t%d\t%s\t%s\t%s\t%s' % (pos, no, names[no], num(day(no, 1)), num(day(no, 2)),
                                                   num(day(no, 1) + day(no, 2))))
    return '\n'.join(out) + '\n'


entry_list = csv_line(['Comp No', 'Name', 'Year', 'Vehicle', 'Type', 'Speed', 'Score Group',
                       'Day 1', 'Day 2', 'Day 3', 'Day 4', 'Day 5'])
for (no, name, year, car, model, score_group, letter) in ENTRIES:
    entry_list += csv_line([no, name, year, car, model, 'A' if no <= LAST_ENTRY_A else 'B', score_group, 0, 0, 0, 0, 0])
write(os.path.join(HERE, 'input', 'EntryList', 'EntryList.csv'), entry_list)
write(os.path.join(HERE, 'expected', 'positions1.txt'), day_positions(1, []))
# Day 2 before and after the organiser marks the retirement.
write(os.path.join(HERE, 'expected', 'positions2.txt'), day_positions(2, []))
write(os.path.join(HERE, 'expected', 'positions2_marked.txt'), day_positions(2, DAYS[2]['marked']))
write(os.path.join(HERE, 'expected', 'final.txt'), final_positions())
for day in DAYS:
    print('day %d totals:' % day, expected_day_totals[day])
