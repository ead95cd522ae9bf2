#!/usr/bin/env python3
"""Builds this case from the real i-Blue 747 track (tests/data/tracks/iblue747.csv).

Four competitors drive the recorded route on 26 Jun 2015 (day 1 of the test rally), one minute
apart: 1 with a Holux logger, 2 Canmore, 3 Easy Logger (logging every second, the route's fixes
interpolated to one a second where the
recording has no gap), 4 the Lumo app. Eight controls lie on the route, the odd ones on a
recorded fix, the even ones half-way between two fixes. The expected competitor logs and R files
are worked out here independently of the program, following the scoring rules step by step.
"""
import csv, math, os, sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from scoring_model import secs, num, every_second, download, imported, scores

rows = list(csv.reader(open(os.path.join(HERE, '..', 'tracks', 'iblue747.csv'))))[1:]
route = [(int(r[0]), float(r[5]), float(r[7]), secs(r[3])) for r in rows]

competitors = {1: 'h', 2: 'c', 3: 'e', 4: 'x'}
true_fixes = {}
for no, letter in competitors.items():
    base = every_second(route) if letter == 'e' else route
    true_fixes[no] = [(n, la, lo, t + 60 * (no - 1)) for (n, la, lo, t) in base]

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
    controls.append((i + 1, la, lo, round(2.5 + 3.1 * i, 1), (a_time, a_time + 300, a_time + 600, a_time + 900)))

def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w', newline='') as f:
        f.write(text)

cp = '"No","Lat","Long","Dist","A_Time","B_Time","C_Time","D_Time"\r\n'
for (cno, la, lo, dist, times) in controls:
    cp += ','.join(num(v) for v in (cno, la, lo, dist) + times) + '\r\n'
write(os.path.join(HERE, 'Marshals', 'cp1.csv'), cp)
for no, letter in competitors.items():
    write(os.path.join(HERE, 'CompetitorsLog', '%s1%03d.csv' % (letter, no)), download(letter, true_fixes[no]))
    kept = imported(letter, true_fixes[no])
    write(os.path.join(HERE, 'expected', 'CL1%03d.csv' % no),
          ''.join(','.join(num(v) for v in f) + '\r\n' for f in kept))
    write(os.path.join(HERE, 'expected', 'R1%03d.csv' % no), ''.join(num(s) + '\r\n' for s in scores(controls, kept, no, trace=print if no == 1 else None)))
