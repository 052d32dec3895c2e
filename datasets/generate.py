#!/usr/bin/env python3
"""Writes the text sources of the three delivered data files.

    python3 datasets/generate.py [OUT_ROOT] [FOLDER...]

OUT_ROOT defaults to the folder of this script; the sources go to OUT_ROOT/tokaido,
OUT_ROOT/tohoku and OUT_ROOT/joetsu in the format of docs/data-format.md (only the named
folders when some are given, e.g. `tokaido`, which is quicker to try out).  The build does
not run this script: its output is checked in, and `ravolin-tool build` compiles it.
Everything is deterministic, so running it again gives the same files.

The timetables are built from service patterns (origin, stops, departure minute, hours)
and a running-time model per corridor: cumulative cruising minutes of a reference train
from 東京, a speed factor per rolling stock, two minutes lost for every stop and one
minute of dwell at each intermediate stop.  The trains of a direction are placed fastest
first; a slower train waits at its stop until a faster one has passed (Scheduler).  Hotel names and telephone numbers are invented: the numbers
use a subscriber part starting with 0, which no real line has.
"""

import os
import random
import sys

# ---------------------------------------------------------------------------------------
# small helpers


def hhmm(minutes):
    """Minutes of the service day -> "HH:MM" without wrapping at 24."""
    m = int(round(minutes))
    return "%02d:%02d" % (m // 60, m % 60)


def at(h, m):
    return h * 60 + m


FULL_DIGITS = "０１２３４５６７８９"


def fw(n):
    return "".join(FULL_DIGITS[int(c)] for c in str(n))


def yen(n):
    return "\\{:,}".format(n)


def write(path, text):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


# ---------------------------------------------------------------------------------------
# corridors: station rows, kilometres, running-time model


class Corridor:
    """Stations of one edition.

    rows1/rows2: the station rows of direction 1 and 2 as (name, flag) pairs.
    km: kilometres from 東京 along the line that reaches the station.
    parent: the station a station is reached from (None for 東京); it makes the
    network a tree so that distances between branches go through the junction.
    run: cumulative cruising minutes of the reference train from 東京.
    local: stations of a mini-shinkansen section (fixed slower running, 1 minute lost per
    stop, no speed factor).
    urban: stations of the slow stretch out of 東京, where every train runs alike.
    """

    def __init__(self, rows1, rows2, km, parent, run, route, local=(), urban=()):
        self.rows1, self.rows2 = rows1, rows2
        self.route = route              # (a, b) -> line stations from a to b
        self.urban = set(urban)         # slow stretch near 東京: no speed factor
        self.km, self.parent, self.run = km, parent, run
        self.local = set(local)
        self.doubled = {1: {n for n, f in rows1 if f == 1}, 2: {n for n, f in rows2 if f == 1}}
        assert len(rows1) == len(rows2) <= 50
        names1 = [n for n, f in rows1 if f != 2]
        names2 = [n for n, f in rows2 if f != 2]
        assert sorted(names1) == sorted(names2) == sorted(km)

    def stations(self):
        return [n for n, f in self.rows1 if f != 2]

    def path(self, s):
        p = []
        while s is not None:
            p.append(s)
            s = self.parent[s]
        return p

    def distance(self, a, b):
        pa = self.path(a)
        pb = set(self.path(b))
        lca = next(x for x in pa if x in pb)
        return round(self.km[a] + self.km[b] - 2 * self.km[lca], 1)

    def order(self, direction):
        rows = self.rows1 if direction == 1 else self.rows2
        return {n: i for i, (n, f) in reversed(list(enumerate(rows)))}


def chain(names, kms):
    return dict(zip(names, kms))


def parents_of(*chains):
    parent = {}
    for ch in chains:
        prev = None
        for n in ch:
            if n in parent:
                prev = n
                continue
            parent[n] = prev
            prev = n
    return parent


def rows_of(names, doubled):
    rows = []
    for n in names:
        if n in doubled:
            rows += [(n, 1), (n, 2)]
        else:
            rows.append((n, 0))
    return rows


# --- 東海道・山陽新幹線 -----------------------------------------------------------------

TOKAIDO = ["東京", "新横浜", "小田原", "熱海", "三島", "新富士", "静岡", "掛川", "浜松", "豊橋",
           "三河安城", "名古屋", "岐阜羽島", "米原", "京都", "新大阪"]
SANYO = ["新大阪", "新神戸", "西明石", "姫路", "相生", "岡山", "新倉敷", "福山", "新尾道", "三原",
         "東広島", "広島", "新岩国", "徳山", "小郡", "厚狭", "新下関", "小倉", "博多"]
LINE1 = TOKAIDO + SANYO[1:]
KM1 = [0.0, 28.8, 83.9, 104.6, 120.7, 146.2, 180.2, 229.3, 257.1, 293.6, 336.3, 366.0,
       396.3, 445.9, 513.6, 552.6, 589.5, 612.3, 644.3, 665.0, 732.9, 758.1, 791.2, 811.3,
       822.8, 862.4, 894.2, 935.6, 982.7, 1027.0, 1062.1, 1088.7, 1107.7, 1174.9]
RUN1 = [0, 16, 30, 35, 39, 45, 52, 63, 70, 78, 87, 93, 101, 113, 127, 142,
        155, 161, 168, 173, 185, 191, 199, 204, 207, 216, 222, 231, 242, 252, 259, 265, 269, 283]
DOUBLED1 = {"静岡", "浜松", "名古屋", "京都", "新大阪", "新神戸", "岡山", "広島", "小倉"}


def corridor1():
    rows1 = rows_of(LINE1, DOUBLED1)
    rows2 = rows_of(list(reversed(LINE1)), DOUBLED1)
    return Corridor(rows1, rows2, chain(LINE1, KM1), parents_of(LINE1), chain(LINE1, RUN1),
                    lambda a, b: along(LINE1, a, b), urban=("東京", "新横浜"))


# --- 東北・山形・秋田新幹線 -------------------------------------------------------------
# Direction 1 lists the main line to 福島, the 山形 line, the main line on to 盛岡 and the
# 秋田 line; direction 2 the 秋田 line, the main line from 盛岡 to 白石蔵王, the 山形 line
# and the main line from 福島 to 東京.  See docs/data-format.md, "Station rows of the
# editions", for how this fits the row numbers the program tests.

TOHOKU_S = ["東京", "上野", "大宮", "小山", "宇都宮", "那須塩原", "新白河", "郡山", "福島"]
TOHOKU_N = ["白石蔵王", "仙台", "古川", "くりこま高原", "一ノ関", "水沢江刺", "北上", "新花巻", "盛岡"]
YAMAGATA = ["米沢", "高畠", "赤湯", "かみのやま温泉", "山形", "天童", "さくらんぼ東根", "村山", "大石田",
            "新庄"]
AKITA = ["雫石", "田沢湖", "角館", "大曲", "秋田"]
KM2 = chain(TOHOKU_S + TOHOKU_N + YAMAGATA + AKITA,
            [0.0, 3.6, 30.3, 80.6, 109.5, 157.8, 185.4, 226.7, 272.8,
             306.8, 351.8, 395.0, 416.2, 445.1, 470.1, 487.5, 500.0, 535.3,
             312.9, 322.7, 328.9, 347.8, 359.9, 373.2, 380.9, 386.3, 399.7, 421.4,
             551.3, 575.4, 594.1, 610.9, 662.6])
RUN2 = chain(TOHOKU_S + TOHOKU_N + YAMAGATA + AKITA,
             [0, 3, 19, 35, 44, 56, 63, 73, 84,
              95, 105, 114, 120, 127, 133, 137, 141, 149,
              108, 113, 117, 125, 130, 137, 141, 145, 151, 162,
              158, 171, 183, 195, 220])
DOUBLED2 = {"郡山", "福島", "山形", "仙台", "盛岡"}


def corridor2():
    down = TOHOKU_S + YAMAGATA + TOHOKU_N + AKITA
    up = list(reversed(AKITA)) + ["盛岡"] + list(reversed(TOHOKU_N[:-1])) + \
        list(reversed(YAMAGATA)) + list(reversed(TOHOKU_S))
    rows1, rows2 = rows_of(down, DOUBLED2), rows_of(up, DOUBLED2)
    parent = parents_of(TOHOKU_S + TOHOKU_N + AKITA, ["福島"] + YAMAGATA)
    return Corridor(rows1, rows2, KM2, parent, RUN2, tohoku_line, local=YAMAGATA + AKITA,
                    urban=("東京", "上野", "大宮"))


# --- 上越・長野行新幹線 -----------------------------------------------------------------

JOETSU_S = ["東京", "上野", "大宮", "熊谷", "高崎"]
JOETSU_N = ["上毛高原", "越後湯沢", "浦佐", "長岡", "燕三条", "新潟"]
NAGANO = ["安中榛名", "軽井沢", "佐久平", "上田", "長野"]
GALA = "ガーラ湯沢"
KM3 = chain(JOETSU_S + JOETSU_N + NAGANO + [GALA],
            [0.0, 3.6, 30.3, 64.7, 105.0, 151.6, 199.2, 228.9, 270.6, 293.8, 333.9,
             123.5, 146.8, 164.4, 189.2, 222.4, 201.0])
RUN3 = chain(JOETSU_S + JOETSU_N + NAGANO + [GALA],
             [0, 4, 19, 29, 40, 53, 63, 72, 82, 89, 98, 46, 53, 59, 66, 75, 66])


def corridor3():
    rows1 = rows_of(JOETSU_S, {"高崎"}) + rows_of(NAGANO, ()) + rows_of(JOETSU_N, {"長岡"}) \
        + [(GALA, 0)]
    up_names = ["新潟", "燕三条", "長岡", "浦佐", GALA, "越後湯沢", "上毛高原"] + \
        list(reversed(NAGANO)) + list(reversed(JOETSU_S))
    rows2 = rows_of(up_names, {"長岡", "越後湯沢"})
    parent = parents_of(JOETSU_S + JOETSU_N, ["高崎"] + NAGANO, ["越後湯沢", GALA])
    return Corridor(rows1, rows2, KM3, parent, RUN3, joetsu_line, urban=("東京", "上野", "大宮"))


# ---------------------------------------------------------------------------------------
# trains


class Train:
    def __init__(self, kind, category, stops, times, day=0, car=""):
        self.kind, self.category = kind, category
        self.stops = stops          # station names in travel order
        self.times = times          # {name: (arrival, departure)} minutes, None = none
        self.day, self.car = day, car
        self.id = None

    def first_departure(self):
        return self.times[self.stops[0]][1]


NO_WAIT = {"熱海", "新神戸", "上野", "水沢江刺", "新花巻", "安中榛名"}  # no passing tracks
LIMIT = {1: 300.0, 2: 275.0, 3: 275.0}


class Scheduler:
    """Keeps the trains of one direction apart, as a traveller's timetable must: a train
    placed later keeps HEADWAY minutes from the trains placed before it at every station
    both run through, and lets a faster train pass only while it stands at a station with
    passing tracks (at a station with one time row it waits only when it stops at every
    station of the stretch before, so that the wait shows as a later departure).  It waits
    at most MAX_WAIT minutes at a stop; where no wait avoids every conflict, it takes the
    one with the fewest."""

    HEADWAY = 2
    MAX_WAIT = 30

    def __init__(self, cor, direction, limit):
        self.cor, self.direction, self.limit = cor, direction, limit
        self.booked = []  # [(first, last, points)]

    def points(self, stops, times, tentative_last=False):
        """Stations a train runs through as (name, stop, two, at, leave, window, last):
        the times the timetable shows, linear in kilometres between stops."""
        cor, doubled = self.cor, self.cor.doubled[self.direction]
        out = []
        n = len(stops)
        for i, s in enumerate(stops):
            arr, dep = times[s]
            two = s in doubled and arr is not None and dep is not None
            first, last = i == 0, i == n - 1 and not tentative_last
            if first:
                at = leave = dep
            elif i == n - 1:
                at = arr
                leave = arr if last else (dep if dep is not None else arr + 1)
                if not two and not last:
                    at = leave
            else:
                at = arr if two else dep
                leave = dep
            if i > 0:
                p = stops[i - 1]
                pl = times[p][1]
                path = cor.route(p, s)
                span = abs(cor.km[s] - cor.km[p])
                for w in path[1:-1]:
                    f = abs(cor.km[w] - cor.km[p]) / span if span else 0.0
                    t = pl + f * (at - pl)
                    out.append((w, False, False, t, t, t, False, t))
                window = at if (two or last) else min(leave, pl + span * 60.0 / self.limit)
            else:
                window = at
            out.append((s, True, two, at, leave, window, i == n - 1 and not tentative_last,
                        arr if arr is not None else dep))
        return out

    @staticmethod
    def may_pass(x, y):
        if not x[1] or x[6]:
            return False
        if y[1] and not x[2]:
            return False
        return x[5] <= y[3] + 1e-6 and y[4] <= x[4] + 1e-6

    def pair_conflicts(self, a, b, skip_last_headway, can_wait_end=False, ib=None):
        """Overtakings on the open line and headway breaches between point lists a and b."""
        if ib is None:
            ib = {p[0]: k for k, p in enumerate(b)}
        common = []
        for k, p in enumerate(a):
            j = ib.get(p[0])
            if j is None:
                continue
            if common and j <= common[-1][1]:
                return 1
            common.append((k, j))
        if len(common) < 2:
            return 0
        n, last_sign, last_at = 0, 0, 0
        for idx, (k, j) in enumerate(common):
            d = a[k][4] - b[j][4]
            is_end = skip_last_headway and idx == len(common) - 1 and k == len(a) - 1
            if abs(d) < self.HEADWAY - 1e-6 and not is_end:
                n += 1
            if is_end and last_sign < 0 and b[j][4] < a[k][4] + self.HEADWAY:
                # a train behind catches this one at the stop where the stretch ends: it
                # must pass there, which needs a station where this one may wait and that
                # the other passes (or one with arrival and departure rows)
                if not (can_wait_end and (not b[j][1] or a[k][2] or a[k][0] in self.cor.doubled[self.direction])):
                    n += 1
            sign = -1 if d < -1e-6 else 1 if d > 1e-6 else 0
            if sign == 0:
                continue
            if last_sign and sign != last_sign:
                a_over = last_sign < 0
                ok = False
                for q in range(last_at + 1, idx + 1):
                    ka, kb = common[q]
                    x, y = (a[ka], b[kb]) if a_over else (b[kb], a[ka])
                    if self.may_pass(x, y):
                        ok = True
                        break
                n += not ok
            last_sign, last_at = sign, idx
        return n

    def conflicts(self, pts, can_wait_end=False):
        lo, hi = pts[0][4], pts[-1][3]
        n = 0
        for first, last, other, index in self.booked:
            if last < lo - 5 or first > hi + 5:
                continue
            n += self.pair_conflicts(pts, other, True, can_wait_end, index)
        return n

    def book(self, pts):
        self.booked.append((pts[0][4], pts[-1][3], pts, {p[0]: k for k, p in enumerate(pts)}))


def stretch(cor, a, b, factor):
    """Line stations from stop a to stop b, the cruising minutes between them, the
    running time and the minutes lost for stopping."""
    path = cor.route(a, b)
    local = a in cor.local or b in cor.local
    parts = []
    for p, q in zip(path, path[1:]):
        c = abs(cor.run[q] - cor.run[p])
        if not (p in cor.local or q in cor.local or (p in cor.urban and q in cor.urban)):
            f = factor
            if isinstance(factor, tuple):  # (東海道, 山陽) speed factors
                f = factor[1] if p in SANYO and q in SANYO else factor[0]
            c *= f
        parts.append(c)
    lost = 1 if local else 2
    return path, parts, round(sum(parts)) + lost, lost


def run_train(cor, kind, category, stops, dep, factor=1.0, dwell=None, day=0, car="",
              sched=None, direction=1):
    """Times of a train leaving stops[0] at `dep` (minutes) and stopping at every
    station of `stops`; dwell gives extra minutes at a station (coupling) on top of the
    one-minute stop, and the scheduler may hold the train longer at stations with
    passing tracks."""
    dwell = dwell or {}
    doubled = cor.doubled[direction]
    n = len(stops)

    def may_wait(i):
        if i == 0:
            return True
        if i == n - 1 or stops[i] in NO_WAIT:
            return False
        return stops[i] in doubled or len(cor.route(stops[i - 1], stops[i])) == 2

    bounds = [0]
    while bounds[-1] < n - 1:
        h = bounds[-1] + 1
        while h < n - 1 and not may_wait(h):
            h += 1
        bounds.append(h)
    groups = len(bounds) - 1
    max_wait = sched.MAX_WAIT if sched else 0

    def attempt(g, times, ready, w):
        i, h = bounds[g], bounds[g + 1]
        trial = dict(times)
        trial[stops[i]] = (trial[stops[i]][0], ready + w)
        d = ready + w
        for k in range(i, h):
            b = stops[k + 1]
            arr = d + stretch(cor, stops[k], b, factor)[2]
            d = arr + 1 + dwell.get(b, 0)
            trial[b] = (arr, d if k + 1 < h else None)
        if sched is None:
            return 0, trial
        return sched.conflicts(sched.points(stops[:h + 1], trial, tentative_last=h < n - 1),
                               h < n - 1 and may_wait(h)), trial

    def ready_after(g, trial):
        h = bounds[g + 1]
        return trial[stops[h]][0] + 1 + dwell.get(stops[h], 0)

    # groups are placed in order; when no wait clears a group of conflicts, the group
    # before it waits a minute longer (a few hundred times at most)
    state = [None] * (groups + 1)   # (times, ready) at the start of each group
    state[0] = ({stops[0]: (None, dep)}, dep)
    first_w = [0] * groups
    g, budget, clean = 0, 100, True
    while g < groups:
        times, ready = state[g]
        found = None
        best = None
        for w in range(first_w[g], max_wait + 1):
            c, trial = attempt(g, times, ready, w)
            if best is None or c < best[0]:
                best = (c, w, trial)
            if c == 0:
                found = (w, trial)
                break
        if found is None and g > 0 and budget > 0 and chosen[g - 1] < max_wait:
            budget -= 1
            first_w[g - 1] = chosen[g - 1] + 1
            for k in range(g, groups):
                first_w[k] = 0
            g -= 1
            continue
        if found is None:
            clean = False
        w, trial = found if found else (best[1], best[2])
        if g == 0:
            chosen = [0] * groups
        chosen[g] = w
        state[g + 1] = (trial, ready_after(g, trial))
        if g + 1 < groups:
            h = bounds[g + 1]
            trial[stops[h]] = (trial[stops[h]][0], state[g + 1][1])
        g += 1
    times = state[groups][0]
    times[stops[-1]] = (times[stops[-1]][0], None)
    train = Train(kind, category, stops, times, day, car)
    # a train the line has no room for, or one that would run past midnight, is left out
    train.dropped = sched is not None and (not clean or times[stops[-1]][0] > 24 * 60)
    if sched is not None and not train.dropped:
        sched.book(sched.points(stops, times))
    return train


def place_all(cor, plans, direction, edition):
    """Places the trains of one direction, the fastest first (fewest stops first among
    equals), so that the slower ones wait for them to pass."""
    sched = Scheduler(cor, direction, LIMIT[edition])
    rank = {k: i for i, k in enumerate("NSAYHMTGKO")}
    up_kodama = direction == 2 and edition == 1

    def key(plan):
        f = plan["factor"]
        f = sum(f) / 2 if isinstance(f, tuple) else f
        t = plan["dep"]
        if up_kodama and plan["kind"] == "K":
            # up こだま start at several stations: placed in the order they reach 東京, so
            # that, as with the down ones leaving 東京, the train ahead is placed first
            t += kodama_to_tokyo(cor, plan["stops"][0])
        return (rank.get(plan["kind"], 9), f, t)

    later = []
    for plan in sorted(plans, key=key):
        # where the line has no room at the planned minute, a few minutes earlier or later;
        # an up こだま takes the nearest minute with room (the faster trains coming off the
        # 山陽 line leave irregular gaps)
        shifts = (0, -4, -8, -12, -16, -20)
        if up_kodama and plan["kind"] == "K":
            shifts = [0] + [s for k in range(1, 21) for s in (-k, k)]
        for shift in shifts:
            plan["train"] = run_train(cor, plan["kind"], plan["cat"], plan["stops"],
                                      plan["dep"] + shift, plan["factor"], plan["dwell"],
                                      plan["day"], plan["car"], sched, direction)
            if not plan["train"].dropped:
                break
        if plan["train"].dropped and up_kodama and plan["kind"] == "K" and \
                plan["stops"][-1] == "東京":
            later.append((plan, set(shifts)))
    # only once every こだま has had its own minutes, so that one placed elsewhere takes
    # no room from another
    for plan, tried in later:
        place_short_kodama(cor, plan, tried, sched, direction)
    # one that still has no room through 三島–熱海–小田原 runs as far as the line lets it,
    # as the late up こだま that end at 三島 (again only once the others are placed)
    for plan, _ in later:
        if plan["train"].dropped:
            place_cut_kodama(cor, plan, sched, direction)
    left_out = [plan for plan in plans if plan["train"].dropped]
    for plan in left_out:
        print("left out: %s %s %s from %s" % (plan["kind"], plan["stops"][0], plan["stops"][-1],
                                              hhmm(plan["dep"])), file=sys.stderr)
    print("edition %d, direction %d: %d trains, %d left out" %
          (edition, direction, len(plans) - len(left_out), len(left_out)), file=sys.stderr)
    return [plan["train"] for plan in plans if not plan["train"].dropped]


def place_short_kodama(cor, plan, tried, sched, direction):
    """An up こだま to 東京 the line has no room for at the minutes tried: any other minute
    of the hour it is planned to leave in, and then, as the down ones that end at 名古屋,
    浜松 or 静岡 in the evening, a start at one of those stations on its way, in the same
    hour (the faster trains coming in from the 山陽 line crowd 三島–小田原, where a こだま
    has no station to be passed at, in irregular gaps)."""
    dep = plan["dep"]
    hour = dep - dep % 60
    minutes = sorted(range(hour, hour + 60), key=lambda t: (abs(t - dep), t))
    stops = plan["stops"]
    origins = [stops[0]] + [s for s in KODAMA_SHORT_STARTS if s in stops[1:]]
    for origin in origins:
        short = stops[stops.index(origin):]
        for t in minutes:
            if origin == stops[0] and t - dep in tried:
                continue
            train = run_train(cor, plan["kind"], plan["cat"], short, t, plan["factor"],
                              plan["dwell"], plan["day"], plan["car"], sched, direction)
            if not train.dropped:
                plan["train"], plan["stops"], plan["dep"] = train, short, t
                return


KODAMA_SHORT_STARTS = ("名古屋", "浜松", "静岡")   # where the down evening こだま end


def place_cut_kodama(cor, plan, sched, direction):
    """An up こだま to 東京 that has no room at any minute of its hour, from its own first
    station or a later start: it is timed from a minute of that hour (it may still wait
    at its first station for a faster train) and ends at 三島, or further back at 静岡,
    浜松 or 名古屋, the farthest the line has room for."""
    dep = plan["dep"]
    hour = dep - dep % 60
    minutes = sorted(range(hour, hour + 60), key=lambda t: (abs(t - dep), t))
    stops = plan["stops"]
    for end in KODAMA_SHORT_ENDS:
        if end not in stops[1:-1]:
            continue
        short = stops[:stops.index(end) + 1]
        for t in minutes:
            train = run_train(cor, plan["kind"], plan["cat"], short, t, plan["factor"],
                              plan["dwell"], plan["day"], plan["car"], sched, direction)
            if not train.dropped:
                plan["train"], plan["stops"], plan["dep"] = train, short, t
                return


KODAMA_SHORT_ENDS = ("三島", "静岡", "浜松", "名古屋")   # where late up こだま end


def kodama_to_tokyo(cor, origin):
    """Minutes a こだま stopping everywhere needs from `origin` to 東京 on a clear line."""
    path = along(LINE1, origin, "東京")
    return sum(stretch(cor, a, b, SLOW)[2] + 1 for a, b in zip(path, path[1:])) - 1


def along(line, first, last, only=None):
    """Stations of `line` from `first` to `last` (either order), keeping the ends and,
    when `only` is given, just the stations in it."""
    i, j = line.index(first), line.index(last)
    seg = line[i:j + 1] if i <= j else list(reversed(line[j:i + 1]))
    out = []
    for n in seg:
        if n in (first, last) or only is None or n in only:
            out.append(n)
    return out


def number_trains(trains, bases, direction):
    """Identifiers: type letter + 3 digits; down trains odd, up trains even, numbered
    in order of departure within each category."""
    counters = {}
    for t in sorted(trains, key=lambda x: (x.first_departure(), x.stops[0])):
        base = bases[t.category] + (0 if direction == 1 else 1)
        k = counters.get(t.category, 0)
        counters[t.category] = k + 1
        num = base + 2 * k
        assert num < 1000, t.category
        t.id = "%s%03d" % (t.kind, num)


def train_lines(cor, direction, trains):
    order = cor.order(direction)
    out = []
    for t in trains:
        head = "train " + t.id
        if t.day:
            head += " day %d" % t.day
        if t.car:
            head += " car " + t.car
        out.append(head)
        last = -1
        for s in t.stops:
            assert order[s] > last, (t.id, s)
            last = order[s]
            arr, dep = t.times[s]
            if s in cor.doubled[direction]:
                out.append("%s %s %s" % (s, hhmm(arr) if arr is not None else "-",
                                         hhmm(dep) if dep is not None else "-"))
            else:
                out.append("%s %s" % (s, hhmm(dep if dep is not None else arr)))
    return "\n".join(out) + "\n"


def stations_text(cor, title):
    out = ["# %s: station rows in travel order (着 = arrival row, 発 = departure row)" % title]
    for d, rows in ((1, cor.rows1), (2, cor.rows2)):
        out.append("direction %d" % d)
        for i, (n, f) in enumerate(rows, 1):
            mark = {0: "", 1: " 着", 2: " 発"}[f]
            out.append(n + mark)
    return "\n".join(out) + "\n"


# --- edition 1 timetable ----------------------------------------------------------------

SLOW = 1.18           # 0系 / 100系 こだま
HUNDRED = (1.08, 1.05)  # 100系 ひかり (and 300系 ひかり on the 東海道 line)
FIVE = (1.0, 0.9)     # 500系: 270 km/h on the 東海道 line, 300 km/h on the 山陽 line
SEVEN = (1.0, 0.95)   # 700系: 285 km/h on the 山陽 line
HIKARI_T1 = {"新横浜", "小田原", "静岡", "浜松", "名古屋", "岐阜羽島", "京都"}
HIKARI_T2 = {"新横浜", "三島", "静岡", "豊橋", "名古屋", "米原", "京都"}
HIKARI_T3 = {"新横浜", "静岡", "浜松", "名古屋", "京都"}
HIKARI_FAST = {"新横浜", "名古屋", "京都"}
HIKARI_S = {"新大阪", "新神戸", "姫路", "岡山", "福山", "三原", "広島", "徳山", "小郡", "小倉"}
NOZOMI_T = {"新横浜", "名古屋", "京都"}
NOZOMI_S500 = {"新大阪", "岡山", "広島", "小倉"}
NOZOMI_S700 = {"新大阪", "新神戸", "岡山", "広島", "小倉"}
RAILSTAR_A = {"新神戸", "姫路", "岡山", "新倉敷", "福山", "広島", "新岩国", "徳山", "小倉"}
RAILSTAR_B = {"新神戸", "西明石", "姫路", "岡山", "福山", "広島", "徳山", "小郡", "小倉"}


EDITION1_BASES = {"NS": 1, "NT": 201, "N5": 501, "HS": 101, "HT": 201, "RS": 501, "HW": 441,
                  "KT": 401, "KN": 601, "KS": 701}


def edition1_trains(cor, direction):
    """The day's trains of one direction.  Up trains mirror the down patterns: the same
    stopping patterns run the other way, leaving their origin at the same minutes (the
    :26 こだま, which start on the way, at the minute that keeps the three of an hour
    apart).  An up こだま the line has no room for through to 東京 runs a shorter trip
    (see place_all)."""
    plans = []

    def add(kind, cat, a, b, h, m, only=None, factor=1.0, day=0, car=""):
        stops = along(LINE1, a, b, only)
        plans.append(dict(kind=kind, cat=cat, stops=stops, dep=at(h, m), factor=factor,
                          dwell={}, day=day, car=car))

    def ends(a, b):
        return (a, b) if direction == 1 else (b, a)

    for h in range(6, 21):
        # :00 のぞみ, 新大阪 in even hours, 広島 / 博多 in odd hours
        nz = NOZOMI_T - ({"新横浜"} if h == 6 else set())
        if h % 2 == 0 or h >= 19:
            add("N", "NT", *ends("東京", "新大阪"), h, 0, nz, car="N7" if h % 4 == 0 else "")
        else:
            dest = "博多" if h <= 15 else "広島"
            add("N", "NS", *ends("東京", dest), h, 0, nz | NOZOMI_S700, SEVEN, car="N7")
        # :03 ひかり 東京–新大阪, 100系
        add("H", "HT", *ends("東京", "新大阪"), h, 3, HIKARI_T1 if h % 2 else HIKARI_T2,
            HUNDRED)
        # :10 こだま 東京–新大阪 (名古屋 in the evening)
        add("K", "KT", *ends("東京", "新大阪" if h <= 19 else "名古屋"), h, 10, None, SLOW)
        # :14 ひかり into the 山陽 line
        if h <= 15:
            dest = ["岡山", "広島", "博多"][h % 3]
        elif h <= 18:
            dest = "岡山"
        else:
            dest = "新大阪"
        add("H", "HS", *ends("東京", dest), h, 14,
            HIKARI_FAST | {"静岡" if h % 2 else "浜松"} | HIKARI_S, HUNDRED,
            car="G" if dest == "博多" else "")
        # :07 ひかり, 100系
        if h <= 19:
            add("H", "HT", *ends("東京", "新大阪"), h, 7, HIKARI_T2 if h % 2 else HIKARI_T1,
                HUNDRED)
        # :21 ひかり, 300系
        add("H", "HT", *ends("東京", "新大阪"), h, 21, HIKARI_T3, HUNDRED, car="N")
        # :26 こだま 東京–名古屋 / 静岡; up, it leaves when a こだま from 新大阪 at :26 an
        # hour earlier would pass, so that it reaches 東京 midway between the :10 and :42
        # ones, as the down one leaves 東京 midway between them
        end = "名古屋" if h % 2 == 0 else "静岡"
        m = 26 if direction == 1 else \
            26 + kodama_to_tokyo(cor, "新大阪") - kodama_to_tokyo(cor, end) - 60
        add("K", "KN", *ends("東京", end), h, m, None, SLOW)
        # :35 ひかり, 300系, のぞみ stops
        add("H", "HT", *ends("東京", "新大阪" if h <= 19 else "名古屋"), h, 35,
            HIKARI_FAST | {"浜松" if h % 2 else "静岡"} | ({"米原"} if h % 3 == 0 else {"岐阜羽島"}),
            HUNDRED, car="N")
        # :45 ひかり into the 山陽 line, 300系
        if 7 <= h <= 18:
            add("H", "HS", *ends("東京", "岡山"), h, 45,
                HIKARI_FAST | {"静岡", "新神戸", "姫路"}, HUNDRED, car="N")
        # :42 こだま
        add("K", "KT", *ends("東京", "新大阪" if h <= 18 else "名古屋"), h, 42, None, SLOW)
        # :56 のぞみ to 博多 (500系 every third hour)
        if h <= 16:
            five = h % 3 == 0
            add("N", "NS", *ends("東京", "博多"), h, 56,
                NOZOMI_T | (NOZOMI_S500 if five else NOZOMI_S700), FIVE if five else SEVEN,
                car="N5" if five else "N7")
        elif h <= 18:
            add("N", "NS", *ends("東京", "広島"), h, 56, NOZOMI_T | NOZOMI_S700, SEVEN,
                car="N7")
        else:
            add("N", "NT", *ends("東京", "新大阪"), h, 56, NOZOMI_T)
    # the busy hours get an extra のぞみ with its own days
    for h, day in ((7, 11), (8, 1), (17, 10), (18, 50), (19, 51)):
        add("N", "NT", *ends("東京", "新大阪"), h, 50, NOZOMI_T, day=day)
    # late evening
    add("N", "NT", *ends("東京", "新大阪"), 21, 0, NOZOMI_T)
    add("H", "HT", *ends("東京", "名古屋"), 21, 3, HIKARI_T1, HUNDRED)
    add("K", "KN", *ends("東京", "名古屋"), 21, 10, None, SLOW)
    add("N", "NT", *ends("東京", "新大阪"), 21, 18, NOZOMI_T)
    add("K", "KN", *ends("東京", "静岡"), 21, 26, None, SLOW)
    add("H", "HT", *ends("東京", "名古屋"), 21, 35, HIKARI_T3, car="N")
    add("K", "KN", *ends("東京", "静岡"), 21, 42, None, SLOW)
    add("H", "HT", *ends("東京", "名古屋"), 22, 0, HIKARI_T3, HUNDRED)
    add("K", "KN", *ends("東京", "浜松"), 22, 14, None, SLOW)
    add("K", "KN", *ends("東京", "三島"), 22, 30, None, SLOW)
    add("K", "KN", *ends("東京", "小田原"), 22, 54, None, SLOW)

    # 山陽 line and short trains
    for h in range(7, 21):
        add("H", "RS", *ends("新大阪", "博多"), h, 49, RAILSTAR_A if h % 2 else RAILSTAR_B,
            0.95, car="RS")
    for h in range(6, 21):
        dest = "博多" if h <= 18 else ("広島" if h == 19 else "岡山")
        add("K", "KS", *ends("新大阪", dest), h, 27, None, SLOW)
    for a, b, h, m in (("岡山", "博多", 6, 10), ("広島", "博多", 6, 0), ("広島", "博多", 6, 40),
                       ("岡山", "博多", 7, 5), ("広島", "博多", 21, 0), ("新大阪", "岡山", 21, 30),
                       ("新大阪", "岡山", 22, 15), ("新大阪", "姫路", 22, 50),
                       ("広島", "博多", 22, 10), ("小倉", "博多", 22, 40)):
        add("K", "KS", *ends(a, b), h, m, None, SLOW)
    for h, m, car in ((6, 0, "N7"), (6, 30, "N7"), (20, 50, "N5")):
        add("N", "N5", *ends("新大阪", "博多"), h, m,
            NOZOMI_S500 if car == "N5" else NOZOMI_S700, FIVE if car == "N5" else SEVEN,
            car=car)
    for h in (7, 10, 13, 16):
        add("H", "HW", *ends("新大阪", "博多"), h, 40, HIKARI_S, HUNDRED, car="W")
    add("H", "HW", *ends("新大阪", "博多"), 9, 40, HIKARI_S | {"新倉敷"}, HUNDRED, day=70,
        car="F")
    add("H", "HW", *ends("新大阪", "広島"), 8, 20, HIKARI_S, HUNDRED)
    add("H", "HW", *ends("新大阪", "岡山"), 18, 20, HIKARI_S, HUNDRED)
    for h, m, day in ((6, 0, 170), (6, 40, 0), (7, 20, 0), (20, 30, 0), (21, 30, 0),
                      (22, 20, 0)):
        add("K", "KN", *ends("名古屋", "新大阪"), h, m, None, SLOW, day=day)
    add("K", "KN", *ends("静岡", "名古屋"), 6, 5, None, SLOW)
    add("K", "KN", *ends("三島", "新大阪"), 6, 10, None, SLOW)
    add("K", "KN", *ends("浜松", "新大阪"), 6, 20, None, SLOW)
    add("H", "HS", *ends("名古屋", "博多"), 6, 30, {"京都"} | HIKARI_S, HUNDRED)
    add("H", "HS", *ends("名古屋", "岡山"), 7, 0, {"京都", "新神戸", "姫路"}, HUNDRED)
    if direction == 2:
        # Sunday evening extras back to 東京
        add("H", "HT", "新大阪", "東京", 19, 45, HIKARI_FAST, HUNDRED, day=70, car="N")
        add("H", "HT", "新大阪", "東京", 20, 45, HIKARI_FAST, HUNDRED, day=70, car="N")
    trains = place_all(cor, plans, direction, 1)
    number_trains(trains, EDITION1_BASES, direction)
    trains.sort(key=lambda t: (t.first_departure(), t.id))
    return trains


# --- edition 2 timetable ----------------------------------------------------------------

E2 = 0.88        # E2系 (and E3系 coupled to it) on the main line
E4 = 0.95        # E4系 Max with a つばさ coupled to it
TWO = 1.0        # 200系 / E1 / E4 Max

KOMACHI_A = {"雫石", "田沢湖", "角館", "大曲"}


def tohoku_line(a, b):
    """Station sequence between two stations of the 東北 corridor, through 福島 or 盛岡."""
    main = TOHOKU_S + TOHOKU_N + AKITA
    if a in main and b in main:
        return along(main, a, b)
    fy = TOHOKU_S + YAMAGATA
    return along(fy, a, b)


def edition2_trains(cor, direction):
    plans, couples, trains = [], [], []

    def add(kind, cat, a, b, h, m, only=None, factor=TWO, day=0, car=""):
        if direction == 2:
            a, b = b, a
        seq = tohoku_line(a, b)
        stops = [s for s in seq if s in (a, b) or only is None or s in only]
        plans.append(dict(kind=kind, cat=cat, stops=stops, dep=at(h, m), factor=factor,
                          dwell={}, day=day, car=car))
        return plans[-1]

    def couple(main_spec, kind, cat, branch_end, only, wait_join):
        couples.append((main_spec, kind, cat, branch_end, only, wait_join))

    def coupled_train(main_train, kind, cat, branch_end, only, wait_join, day=0, car=""):
        """A train coupled to `main_train` as far as the junction, then on its own."""
        junction = "福島" if branch_end in YAMAGATA else "盛岡"
        if direction == 1:
            idx = main_train.stops.index(junction)
            head = main_train.stops[:idx + 1]
            tail = [s for s in tohoku_line(junction, branch_end)[1:]
                    if s == branch_end or s in only]
            t = run_train(cor, kind, cat, [junction] + tail,
                          main_train.times[junction][0] + 1 + wait_join, car=car, day=day)
            times = {s: main_train.times[s] for s in head[:-1]}
            times[junction] = (main_train.times[junction][0], t.times[junction][1])
            times.update({s: t.times[s] for s in tail})
            trains.append(Train(kind, cat, head + tail, times, day, car))
        else:
            # up: the branch train runs first, then joins the main-line train
            idx = main_train.stops.index(junction)
            rest = main_train.stops[idx:]
            lead = [s for s in tohoku_line(branch_end, junction)[:-1]
                    if s == branch_end or s in only]
            t = run_train(cor, kind, cat, lead + [junction], 0)
            shift = main_train.times[junction][1] - 1 - wait_join - t.times[junction][0]
            times = {s: tuple(None if v is None else v + shift for v in t.times[s])
                     for s in lead}
            times[junction] = (t.times[junction][0] + shift, main_train.times[junction][1])
            times.update({s: main_train.times[s] for s in rest[1:]})
            trains.append(Train(kind, cat, lead + rest, times, day, car))

    fast = {"上野", "大宮", "仙台"}
    for h in range(6, 21):
        # :56 やまびこ + こまち to 盛岡, こまち on to 秋田 (the last two only to 盛岡)
        extra = {"宇都宮", "郡山"} if h % 2 else set() if h % 4 == 0 else {"福島", "一ノ関", "北上"}
        y = add("Y", "YF", "東京", "盛岡", h, 56, fast | extra, E2)
        # up trains start an hour later, so that no こまち leaves 秋田 before six
        if (h <= 18) if direction == 1 else (7 <= h <= 19):
            couple(y, "M", "M", "秋田", KOMACHI_A, 3 if h % 4 == 0 else 8)
        # :04 やまびこ + つばさ (the やまびこ to 仙台)
        y = add("Y", "YT", "東京", "仙台", h, 4,
                {"上野", "大宮", "郡山", "福島", "白石蔵王"} | ({"宇都宮"} if h % 2 else set()), E4,
                car="M" if h % 2 else "")
        end = "新庄" if h in (6, 8, 10, 12, 14, 16, 17, 18) else "山形"
        if (h <= 19) if direction == 1 else (h >= 7):
            couple(y, "T", "T", end, set(YAMAGATA) - ({"高畠"} if h % 2 else set()), 2)
    for h in range(6, 22):
        # :20 やまびこ stopping at most stations to 仙台 (盛岡 three times a day)
        dest = "盛岡" if h in (7, 12, 17) else "仙台"
        add("Y", "YL", "東京", dest, h, 20,
            {"上野", "大宮", "小山", "宇都宮", "那須塩原", "新白河", "郡山", "福島", "白石蔵王"} |
            set(TOHOKU_N), TWO, car="M" if h % 3 == 0 else "")
        # :40 なすの, every station, to 那須塩原 or 郡山
        if h <= 21:
            add("O", "O", "東京", "郡山" if h % 2 else "那須塩原", h, 40, None, TWO,
                car="M" if h % 2 == 0 else "")
    for h, m in ((6, 0), (6, 50), (8, 10), (21, 40), (22, 10)):
        add("Y", "YS", "仙台", "盛岡", h, m, None, TWO)
    add("O", "O", "東京", "宇都宮", 22, 30, None, TWO, day=11)
    add("Y", "YL", "東京", "仙台", 21, 48, {"上野", "大宮", "宇都宮", "郡山", "福島"}, TWO,
        day=50)
    trains += place_all(cor, plans, direction, 2)
    for main_spec, *rest in couples:
        if not main_spec["train"].dropped:
            coupled_train(main_spec["train"], *rest)
    bases = {"YF": 1, "YT": 101, "YL": 201, "YS": 301, "M": 1, "T": 101, "O": 201}
    number_trains(trains, bases, direction)
    trains.sort(key=lambda t: (t.first_departure(), t.id))
    return trains


# --- edition 3 timetable ----------------------------------------------------------------


def joetsu_line(a, b):
    for line in (JOETSU_S + JOETSU_N, JOETSU_S + NAGANO, JOETSU_S + JOETSU_N[:2] + [GALA]):
        if a in line and b in line:
            return along(line, a, b)
    raise ValueError((a, b))


def edition3_trains(cor, direction):
    plans = []

    def add(kind, cat, a, b, h, m, only=None, factor=1.0, day=0, car=""):
        if direction == 2:
            a, b = b, a
        seq = joetsu_line(a, b)
        stops = [s for s in seq if s in (a, b) or only is None or s in only]
        plans.append(dict(kind=kind, cat=cat, stops=stops, dep=at(h, m), factor=factor,
                          dwell={}, day=day, car=car))

    fast = {"上野", "大宮", "長岡"}
    slow = {"上野", "大宮", "熊谷", "高崎", "上毛高原", "越後湯沢", "浦佐", "長岡", "燕三条"}
    for h in range(6, 22):
        add("A", "A", "東京", "新潟", h, 12, fast if h % 2 else slow, 0.88 if h % 2 else 1.08,
            car="" if h % 2 else "M")
    for h in range(7, 22):
        add("G", "G", "東京", "越後湯沢" if h % 2 else "高崎", h, 40,
            {"上野", "大宮", "熊谷", "高崎", "上毛高原"}, 1.08, car="M" if h % 3 == 0 else "")
    gala = ((7, 28, 0), (8, 16, 70), (9, 4, 70)) if direction == 1 else \
        ((15, 28, 0), (16, 16, 70), (17, 4, 70))
    for h, m, day in gala:
        add("G", "G", "東京", GALA, h, m, {"上野", "大宮", "熊谷", "高崎", "越後湯沢"}, 1.08, day=day,
            car="M")
    for h in range(6, 22):
        add("S", "S", "東京", "長野", h, 8,
            {"上野", "大宮", "高崎", "軽井沢", "佐久平", "上田"} if h % 2 else
            {"上野", "大宮", "軽井沢", "上田"}, 0.94)
        if 7 <= h <= 19:
            add("S", "S", "東京", "長野", h, 52,
                {"上野", "大宮", "高崎", "安中榛名", "軽井沢", "佐久平", "上田"}, 0.94)
    for h, m in ((6, 30), (22, 40)):
        add("A", "A", "越後湯沢", "新潟", h, m, None, 1.08)
    add("A", "A", "東京", "新潟", 21, 56, fast, 0.88, day=170)
    # non-stop あさま, morning and evening
    for h in (7, 17):
        add("S", "S", "東京", "長野", h, 0, set(), 1.04)
    bases = {"A": 301, "G": 401, "S": 501}
    trains = place_all(cor, plans, direction, 3)
    number_trains(trains, bases, direction)
    trains.sort(key=lambda t: (t.first_departure(), t.id))
    return trains


# ---------------------------------------------------------------------------------------
# Keiyo line (the same in every edition)
#
# Station columns of every schedule (down: 東京 → 蘇我, up: 蘇我 → 東京); station count 11,
# so column 12 stays empty.  新習志野 is column 8 of the down list: the station picker
# does not offer it, and the trains that end there (next to the depot) are the short
# ones the full schedule puts in parentheses.

KEIYO_DOWN = ["東京", "八丁堀", "新木場", "葛西臨海公園", "舞浜", "新浦安", "南船橋", "新習志野",
              "海浜幕張", "千葉みなと", "蘇我"]
KEIYO_LOCAL = [0, 2, 9, 13, 15, 19, 27, 30, 33, 41, 46]     # 各駅停車, minutes from 東京
KEIYO_RAPID = [0, 2, 8, None, 12, 15, 22, None, 27, 34, 38]  # 快速 passes 葛西臨海公園, 新習志野
KEIYO_KM = {"東京": 0.0, "八丁堀": 1.2, "新木場": 7.4, "葛西臨海公園": 10.6, "舞浜": 12.7, "新浦安": 16.1,
            "南船橋": 26.0, "新習志野": 28.3, "海浜幕張": 31.7, "千葉みなと": 39.0, "蘇我": 43.0}


def keiyo_schedule(direction, holiday):
    """(identifier, [11 times or None]) of one schedule, in departure order."""
    names = KEIYO_DOWN if direction == 1 else list(reversed(KEIYO_DOWN))
    trains = []

    def offsets(rapid):
        base = KEIYO_RAPID if rapid else KEIYO_LOCAL
        if direction == 1:
            return list(base)
        total = base[-1]
        return [None if x is None else total - x for x in reversed(base)]

    def add(start, rapid, short=False):
        offs = offsets(rapid)
        if short:
            # short trains run between 東京 and 新習志野 only
            keep = range(0, 8) if direction == 1 else range(3, 11)
            offs = [o if i in keep else None for i, o in enumerate(offs)]
        first = next(o for o in offs if o is not None)
        times = [None if o is None else start + o - first for o in offs]
        trains.append((start, rapid, times))

    km = [KEIYO_KM[n] for n in names]

    def rapid_times(start):
        offs = offsets(True)
        return [None if o is None else start + o for o in offs]

    def position_times(times):
        """The time at every column, a column without a stop from the kilometres."""
        out = list(times)
        known = [i for i, v in enumerate(times) if v is not None]
        for i in range(known[0], known[-1] + 1):
            if out[i] is None:
                p = max(j for j in known if j < i)
                q = min(j for j in known if j > i)
                out[i] = times[p] + (km[i] - km[p]) / (km[q] - km[p]) * (times[q] - times[p])
        return out

    def keeps_behind(placed, times):
        """True when a train with these times stays at least two minutes behind every
        train that left before it, at every station both run through."""
        mine = position_times(times)
        for _, _, other in placed:
            theirs = position_times(other)
            for x, y in zip(mine, theirs):
                if x is not None and y is not None and x - y < 2:
                    return False
        return True

    t = at(5, 8 if direction == 1 else 0)
    k = 0
    while t <= at(23, 40):
        h = t // 60
        # the rush runs towards 東京 in the morning and away from it in the evening
        busy = not holiday and ((direction == 2 and 6 <= h <= 8) or
                                (direction == 1 and 17 <= h <= 19))
        if busy:
            step = 5
        elif holiday:
            step = 10 if 7 <= h <= 20 else 15
        elif 7 <= h <= 9 or 17 <= h <= 20:
            step = 7
        else:
            step = 10 if 9 < h < 21 else 12
        # in the rush every other train runs only between 東京 and 新習志野 (next to the
        # depot), and so does every other one late in the evening; by day every other
        # train is a 快速, as long as it does not catch the train ahead (the 快速 pass
        # no 普通 on the way)
        short = k % 2 == 1 and (busy or h == 22)
        rapid = not short and (k % 4 == 0 if busy else (8 <= h <= 20 and k % 2 == 0))
        if rapid and not keeps_behind(trains, rapid_times(t)):
            rapid = False
        add(t, rapid, short)
        t += step
        k += 1
    trains.sort(key=lambda x: next(v for v in x[2] if v is not None))
    out = []
    local_no, rapid_no = (501, 1001) if direction == 1 else (502, 1002)
    for start, rapid, times in trains:
        if rapid:
            ident = "%04dA" % rapid_no
            rapid_no += 2
        else:
            ident = "%04dY" % local_no
            local_no += 2
        out.append((ident, times))
    return names, out


def keiyo_text():
    out = ["# 京葉線: schedules 1 weekday down, 2 weekday up, 3 holiday down, 4 holiday up.",
           "# Eleven stations carry times; the twelfth column stays empty. Station 8 of the",
           "# down list is 新習志野, where the short trains end."]
    for v, (direction, holiday) in enumerate(((1, False), (2, False), (1, True), (2, True)), 1):
        names, trains = keiyo_schedule(direction, holiday)
        assert len(trains) <= 200
        out.append("")
        out.append("schedule %d" % v)
        out.append("stations " + " ".join(names) + ' "" "" "" ""')
        out.append("station-count 11")
        for ident, times in trains:
            out.append("train %s %s" % (ident, " ".join("-" if x is None else hhmm(x)
                                                        for x in times)))
    return "\n".join(out) + "\n"


# ---------------------------------------------------------------------------------------
# fares

# JR 幹線 base fares by operating kilometre (upper bound of each band, fare in yen)
FARE_BANDS = [(3, 130), (6, 160), (10, 190), (15, 210), (20, 290), (25, 380), (30, 450),
              (35, 540), (40, 620), (45, 720), (50, 800), (60, 950), (70, 1110), (80, 1280),
              (90, 1450), (100, 1620), (120, 1890), (140, 2210), (160, 2520), (180, 2940),
              (200, 3260), (220, 3570), (240, 3890), (260, 4310), (280, 4620), (300, 4940),
              (320, 5250), (340, 5460), (360, 5780), (380, 6090), (400, 6300), (420, 6620),
              (440, 6830), (460, 7140), (480, 7350), (500, 7670), (520, 7980), (540, 8190),
              (560, 8510), (580, 8720), (600, 9030)]


def base_fare(km):
    k = int(-(-km // 1))  # fractions count as a whole kilometre
    for upper, fare in FARE_BANDS:
        if k <= upper:
            return fare
    band = (k - 601) // 40 + 1
    return 9030 + int(round(294 * band / 10.0)) * 10


EXPRESS_WEST = [(50, 2190), (100, 2400), (150, 2730), (200, 3170), (250, 3600), (300, 3920),
                (400, 4490), (500, 4840), (600, 5240), (700, 5770), (800, 6290), (900, 6680),
                (1000, 7120), (1100, 7650), (1200, 8220)]
EXPRESS_EAST = [(50, 2240), (100, 2710), (150, 3240), (200, 3760), (250, 4070), (300, 4490),
                (400, 4810), (500, 5250), (600, 5550), (700, 5870)]
# 在来線 part of a mini-shinkansen journey (特急料金, reserved)
EXPRESS_LOCAL = [(25, 760), (50, 1150), (75, 1470), (100, 1660), (150, 1880), (200, 2090)]
NOZOMI_EXTRA = [(100, 210), (200, 430), (400, 750), (600, 970), (800, 1330), (1000, 1540),
                (1200, 1760)]


def band(table, km):
    for upper, v in table:
        if km <= upper:
            return v
    return table[-1][1]


def round_down(v, unit):
    return int(v // unit) * unit


NOZOMI_STOPS = ["東京", "新横浜", "名古屋", "京都", "新大阪", "新神戸", "岡山", "広島", "小倉", "博多"]


def fares_text(edition, cor):
    names = cor.stations()
    out = ["[kilo]"]
    for n in names:
        out.append("%s %.1f" % (n, cor.km[n]))
    pairs = {}
    out.append("")
    out.append("[pair]")
    out.append("# A B FARE EXPRESS FREE COUPON")
    for i, a in enumerate(names):
        for b in names[i + 1:]:
            km = cor.distance(a, b)
            fare = base_fare(km)
            if edition == 1:
                express = band(EXPRESS_WEST, km)
            else:
                express = shinkansen_express(edition, cor, a, b)
            free = express - 510
            coupon = round_down((fare + free) * 6 * 0.94, 10) if km >= 60 else 0
            pairs[(a, b)] = (fare, express, free, km)
            out.append("%s %s %d %d %d %d" % (a, b, fare, express, free, coupon))
    out.append("")
    out.append("[green]")
    out.append("# UPPER_KM GREEN ROOM2 ROOM4")
    if edition == 1:
        bands = [(100, 1240), (200, 2670), (400, 4000), (600, 5150), (800, 6300), (1200, 7440)]
        for upper, g in bands:
            out.append("%d %d %d %d" % (upper, g, round_down(g * 1.35, 10),
                                        round_down(g * 1.15, 10)))
    else:
        for upper, g in ((100, 1000), (200, 2000), (300, 3000), (700, 4000), (800, 5000)):
            out.append("%d %d 0 0" % (upper, g))
    out.append("")
    out.append("[ticket]")
    out.append("# A B TYPE SHEETS VALID PRICE")
    out += tickets(edition, cor, pairs)
    out.append("")
    out.append("[nozomi]")
    out.append("# A B FEE TRANSFER")
    if edition == 1:
        for i, a in enumerate(NOZOMI_STOPS):
            for b in NOZOMI_STOPS[i + 1:]:
                fare, express, free, km = pairs[(a, b)]
                extra = band(NOZOMI_EXTRA, km)
                out.append("%s %s %d %d" % (a, b, express + extra, extra))
    return "\n".join(out) + "\n"


def shinkansen_express(edition, cor, a, b):
    """Reserved-seat express surcharge: the Shinkansen part by distance, plus the 在来線
    part of a mini-shinkansen journey less the through discount; a journey changing at
    a junction between two branches pays both parts."""
    if edition == 3:
        pa, pb = cor.path(a), cor.path(b)
        if a in pb or b in pa:
            return band(EXPRESS_EAST, cor.distance(a, b))
        lca = next(x for x in pa if x in set(pb))
        return band(EXPRESS_EAST, cor.distance(a, lca)) + \
            band(EXPRESS_EAST, cor.distance(lca, b))
    local_km, main_km, parts = 0.0, 0.0, []
    for s in (a, b):
        if s in YAMAGATA:
            parts.append(("福島", cor.distance(s, "福島")))
        elif s in AKITA:
            parts.append(("盛岡", cor.distance(s, "盛岡")))
        else:
            parts.append((s, 0.0))
    (ea, la), (eb, lb) = parts
    if ea == eb:  # both on the same mini-shinkansen line (or both at one junction)
        return band(EXPRESS_LOCAL, cor.distance(a, b))
    main_km = cor.distance(ea, eb)
    local_km = la + lb
    express = band(EXPRESS_EAST, main_km)
    if local_km > 0:
        express += band(EXPRESS_LOCAL, local_km) - 510
    return express


def tickets(edition, cor, pairs):
    out = []

    def pair(a, b):
        return pairs.get((a, b)) or pairs[(b, a)]

    def row(a, b, typ, sheets, valid, price):
        out.append("%s %s %d %d %d %d" % (a, b, typ, sheets, valid, round_down(price, 100)))

    if edition == 1:
        green = [(100, 1240), (200, 2670), (400, 4000), (600, 5150), (800, 6300), (1200, 7440)]
        big = [("東京", "名古屋"), ("東京", "京都"), ("東京", "新大阪"), ("東京", "岡山"),
               ("東京", "広島"), ("東京", "博多"), ("新横浜", "新大阪"), ("名古屋", "新大阪"),
               ("新大阪", "岡山"), ("新大阪", "広島"), ("新大阪", "小倉"), ("新大阪", "博多"),
               ("名古屋", "博多"), ("広島", "博多")]
        for a, b in big:
            fare, express, free, km = pair(a, b)
            g = band(green, km)
            nz = express + band(NOZOMI_EXTRA, km)
            row(a, b, 1, 6, 3, (fare + nz) * 6 * 0.95)
            row(a, b, 2, 6, 3, (fare + nz - 510 + g) * 6 * 0.95)
            row(a, b, 5, 6, 3, (fare + express) * 6 * 0.94)
            row(a, b, 6, 6, 3, (fare + express - 510 + g) * 6 * 0.94)
            if a == "東京" and b in ("名古屋", "京都", "新大阪"):
                row(a, b, 9, 10, 3, (fare + nz) * 10 * 0.9)
                row(a, b, 10, 10, 3, (fare + nz - 510 + g) * 10 * 0.9)
            if km >= 300:
                row(a, b, 11, 4, 2, (fare + free) * 4 * 0.85)
                row(a, b, 12, 6, 1, (fare + free) * 6 * 0.88)
        for a, b in (("東京", "静岡"), ("東京", "浜松"), ("名古屋", "京都"), ("岡山", "広島"),
                     ("広島", "小倉")):
            fare, express, free, km = pair(a, b)
            row(a, b, 5, 6, 3, (fare + express) * 6 * 0.94)
            row(a, b, 12, 6, 1, (fare + free) * 6 * 0.9)
    elif edition == 2:
        for b in ("宇都宮", "郡山", "福島", "仙台", "山形", "盛岡"):
            fare, express, free, km = pair("東京", b)
            g = band([(100, 1000), (200, 2000), (300, 3000), (700, 4000)], km)
            if b == "仙台":
                out.append("東京 仙台 3 30 3 297300")
            else:
                row("東京", b, 3, 30, 3, (fare + express) * 30 * 0.936)
            row("東京", b, 4, 30, 3, (fare + express - 510 + g) * 30 * 0.936)
            row("東京", b, 5, 6, 3, (fare + express) * 6 * 0.95)
            row("東京", b, 6, 6, 3, (fare + express - 510 + g) * 6 * 0.95)
            if km >= 200:
                row("東京", b, 11, 4, 2, (fare + free) * 4 * 0.85)
                row("東京", b, 12, 6, 1, (fare + free) * 6 * 0.88)
        for a in ("東京", "上野", "大宮"):
            for b in ("小山", "宇都宮", "那須塩原", "新白河", "郡山"):
                fare, express, free, km = pair(a, b)
                row(a, b, 7, 2, 6, (fare + free) * 2 * 0.85)
                row(a, b, 8, 6, 3, (fare + express) * 6 * 0.9)
        for b in ("盛岡", "雫石", "田沢湖", "角館", "大曲", "秋田"):
            fare, express, free, km = pair("東京", b)
            row("東京", b, 13, 4, 3, (fare + express) * 4 * 0.9)
        for a, b in (("仙台", "盛岡"), ("仙台", "福島"), ("仙台", "郡山")):
            fare, express, free, km = pair(a, b)
            row(a, b, 12, 6, 1, (fare + free) * 6 * 0.88)
    else:
        for b in ("高崎", "越後湯沢", "長岡", "新潟", "軽井沢", "長野"):
            fare, express, free, km = pair("東京", b)
            g = band([(100, 1000), (200, 2000), (300, 3000), (700, 4000)], km)
            if b == "新潟":
                out.append("東京 新潟 3 30 3 287700")
            else:
                row("東京", b, 3, 30, 3, (fare + express) * 30 * 0.936)
            row("東京", b, 4, 30, 3, (fare + express - 510 + g) * 30 * 0.936)
            row("東京", b, 5, 6, 3, (fare + express) * 6 * 0.95)
            row("東京", b, 6, 6, 3, (fare + express - 510 + g) * 6 * 0.95)
            row("東京", b, 11, 4, 2, (fare + free) * 4 * 0.85)
            row("東京", b, 12, 6, 1, (fare + free) * 6 * 0.88)
        for a, b in (("大宮", "新潟"), ("大宮", "長野"), ("長岡", "新潟")):
            fare, express, free, km = pair(a, b)
            row(a, b, 12, 6, 1, (fare + free) * 6 * 0.88)
    return out


# ---------------------------------------------------------------------------------------
# areas, districts and hotels (the same area list in every edition)

# (area, region, telephone area code, [(district, station for the access text)])
AREAS = [
    ("札幌", 1, "011", [("札幌駅前", "札幌"), ("大通", "大通"), ("すすきの", "すすきの")]),
    ("函館", 1, "0138", [("函館駅前", "函館"), ("湯の川", "湯の川")]),
    ("旭川", 1, "0166", [("旭川駅前", "旭川")]),
    ("青森", 2, "017", [("青森駅前", "青森")]),
    ("盛岡", 2, "019", [("盛岡駅前", "盛岡"), ("盛岡大通", "盛岡")]),
    ("秋田", 2, "018", [("秋田駅前", "秋田"), ("川反", "秋田")]),
    ("角館", 2, "0187", [("角館武家屋敷", "角館"), ("田沢湖高原", "田沢湖")]),
    ("一ノ関", 2, "0191", [("一ノ関駅前", "一ノ関"), ("平泉", "平泉")]),
    ("仙台", 2, "022", [("仙台駅前", "仙台"), ("国分町", "勾当台公園"), ("一番町", "仙台"),
                       ("秋保温泉", "仙台")]),
    ("山形", 2, "023", [("山形駅前", "山形"), ("七日町", "山形"), ("蔵王温泉", "山形")]),
    ("新庄", 2, "0233", [("新庄駅前", "新庄"), ("銀山温泉", "大石田")]),
    ("米沢", 2, "0238", [("米沢駅前", "米沢"), ("赤湯温泉", "赤湯")]),
    ("福島", 2, "024", [("福島駅前", "福島"), ("飯坂温泉", "飯坂温泉")]),
    ("郡山", 2, "024", [("郡山駅前", "郡山")]),
    ("新潟", 3, "025", [("新潟駅前", "新潟"), ("古町", "新潟"), ("万代", "新潟")]),
    ("長岡", 3, "0258", [("長岡駅前", "長岡"), ("燕三条駅前", "燕三条")]),
    ("越後湯沢", 3, "025", [("湯沢温泉", "越後湯沢"), ("ガーラ", "ガーラ湯沢")]),
    ("長野", 3, "026", [("長野駅前", "長野"), ("善光寺", "長野")]),
    ("軽井沢", 3, "0267", [("旧軽井沢", "軽井沢"), ("中軽井沢", "中軽井沢"), ("佐久平駅前", "佐久平")]),
    ("上田", 3, "0268", [("上田駅前", "上田"), ("別所温泉", "別所温泉")]),
    ("金沢", 3, "076", [("金沢駅前", "金沢"), ("香林坊", "金沢")]),
    ("富山", 3, "076", [("富山駅前", "富山")]),
    ("静岡", 3, "054", [("静岡駅前", "静岡"), ("清水", "清水")]),
    ("浜松", 3, "053", [("浜松駅前", "浜松"), ("舘山寺温泉", "浜松")]),
    ("豊橋", 3, "0532", [("豊橋駅前", "豊橋")]),
    ("名古屋", 3, "052", [("名駅", "名古屋"), ("栄", "栄"), ("金山", "金山"), ("伏見", "伏見")]),
    ("岐阜", 3, "058", [("岐阜駅前", "岐阜"), ("長良川温泉", "岐阜")]),
    ("熱海", 3, "0557", [("熱海温泉", "熱海"), ("伊豆山", "熱海")]),
    ("東京／羽田", 4, "03", [("丸の内", "東京"), ("八重洲", "東京"), ("銀座", "銀座"), ("日本橋", "日本橋"),
                      ("新橋", "新橋"), ("浜松町", "浜松町"), ("品川", "品川"), ("上野", "上野"),
                      ("新宿", "新宿"), ("池袋", "池袋")]),
    ("東京／成田", 4, "0476", []),
    ("横浜", 4, "045", [("新横浜駅前", "新横浜"), ("横浜駅前", "横浜"), ("関内", "関内")]),
    ("小田原", 4, "0465", [("小田原駅前", "小田原"), ("箱根湯本", "箱根湯本")]),
    ("大宮", 4, "048", [("大宮駅前", "大宮")]),
    ("宇都宮", 4, "028", [("宇都宮駅前", "宇都宮"), ("那須高原", "那須塩原")]),
    ("高崎", 4, "027", [("高崎駅前", "高崎"), ("伊香保温泉", "渋川")]),
    ("幕張", 4, "043", [("海浜幕張", "海浜幕張"), ("稲毛海岸", "稲毛海岸")]),
    ("舞浜", 4, "047", [("舞浜", "舞浜"), ("新浦安", "新浦安")]),
    ("千葉", 4, "043", [("千葉駅前", "千葉"), ("千葉みなと", "千葉みなと"), ("蘇我", "蘇我")]),
    ("大阪／伊丹", 5, "06", [("梅田", "大阪"), ("新大阪駅前", "新大阪"), ("淀屋橋", "淀屋橋"), ("難波", "難波"),
                      ("心斎橋", "心斎橋"), ("天王寺", "天王寺"), ("京橋", "京橋")]),
    ("大阪／関西", 5, "0724", []),
    ("京都", 5, "075", [("京都駅前", "京都"), ("四条河原町", "河原町"), ("烏丸御池", "烏丸御池")]),
    ("神戸", 5, "078", [("三宮", "三ノ宮"), ("新神戸駅前", "新神戸"), ("元町", "元町")]),
    ("姫路", 5, "079", [("姫路駅前", "姫路"), ("相生駅前", "相生")]),
    ("奈良", 5, "0742", [("奈良駅前", "奈良")]),
    ("岡山", 6, "086", [("岡山駅前", "岡山"), ("表町", "岡山")]),
    ("倉敷", 6, "086", [("倉敷美観地区", "倉敷"), ("新倉敷駅前", "新倉敷")]),
    ("福山", 6, "084", [("福山駅前", "福山"), ("鞆の浦", "福山")]),
    ("尾道", 6, "0848", [("尾道駅前", "尾道"), ("新尾道駅前", "新尾道"), ("三原駅前", "三原")]),
    ("広島", 6, "082", [("広島駅前", "広島"), ("紙屋町", "紙屋町"), ("宮島口", "宮島口"),
                       ("東広島駅前", "東広島")]),
    ("徳山", 6, "0834", [("徳山駅前", "徳山"), ("岩国", "新岩国")]),
    ("山口", 6, "083", [("小郡駅前", "小郡"), ("湯田温泉", "湯田温泉")]),
    ("下関", 6, "083", [("下関駅前", "下関"), ("新下関駅前", "新下関"), ("厚狭駅前", "厚狭")]),
    ("高松", 7, "087", [("高松駅前", "高松")]),
    ("松山", 7, "089", [("松山駅前", "松山"), ("道後温泉", "道後温泉")]),
    ("高知", 7, "088", [("高知駅前", "高知")]),
    ("徳島", 7, "088", [("徳島駅前", "徳島")]),
    ("小倉", 8, "093", [("小倉駅前", "小倉")]),
    ("福岡", 8, "092", [("博多駅前", "博多"), ("中洲", "中洲川端"), ("天神", "天神")]),
    ("熊本", 8, "096", [("熊本駅前", "熊本")]),
    ("長崎", 8, "095", [("長崎駅前", "長崎")]),
    ("鹿児島", 8, "099", [("西鹿児島駅前", "西鹿児島")]),
    ("那覇", 9, "098", [("国際通り", "県庁前"), ("那覇空港", "那覇空港")]),
]

# invented brand words, not names of real businesses
BRANDS = ["ラボリン", "ソラミナ", "ミオカゼ", "ルフレア", "カナリエ", "トワイラ", "セレニカ", "クロスミナ",
          "ラボリアン", "ミナトリエ", "ヒナルテ", "ユラノミ"]
KINDS = ["ホテル%s", "%sイン", "ビジネスホテル%s", "%sステーションホテル", "ホテル%sアネックス",
         "%sグランドホテル"]
SPA_KINDS = ["旅館%s", "%s荘", "湯宿%s"]
REMARKS = ["○", "◎", "△", "朝食付", "駅直結", "大浴場", "禁煙室有", "温泉", "駐車場有", "ネット可"]

CORRIDOR_AREAS = {
    1: {"東京／羽田", "横浜", "小田原", "熱海", "静岡", "浜松", "豊橋", "名古屋", "岐阜", "京都", "大阪／伊丹", "神戸",
        "姫路", "岡山", "倉敷", "福山", "尾道", "広島", "徳山", "山口", "下関", "小倉", "福岡"},
    2: {"東京／羽田", "大宮", "宇都宮", "郡山", "福島", "仙台", "一ノ関", "盛岡", "角館", "秋田", "山形", "米沢",
        "新庄"},
    3: {"東京／羽田", "大宮", "高崎", "越後湯沢", "長岡", "新潟", "軽井沢", "上田", "長野"},
}
KEIYO_AREAS = {"幕張", "舞浜", "千葉"}


def phone_number(code, rng):
    digits = 10 - len(code)  # a 10-digit number; the subscriber part starts with 0
    rest = "0" + "".join(str(rng.randrange(10)) for _ in range(digits - 1))
    cut = len(rest) - 4
    return "%s-%s-%s" % (code, rest[:cut], rest[cut:])


def hotels_text(edition):
    rng = random.Random(1000 + edition)
    out = ["# AREA | DISTRICT | NAME | PHONE | ROOMS | ACCESS | PRICE | REMARKS",
           "# Names and telephone numbers are invented."]
    count = 0
    for area, region, code, districts in AREAS:
        if area in CORRIDOR_AREAS[edition]:
            per = (3, 5)
        elif area in KEIYO_AREAS:
            per = (2, 4)
        else:
            per = (1, 1)
        used = set()
        for d_index, (district, station) in enumerate(districts):
            if per == (1, 1) and d_index > 0:
                break
            spa = "温泉" in district or "湯" in district or district in ("伊豆山", "蔵王温泉")
            for _ in range(rng.randint(*per)):
                while True:
                    brand = rng.choice(BRANDS)
                    kind = rng.choice(SPA_KINDS if spa else KINDS)
                    place = area.split("／")[0]  # 東京／羽田 -> 東京
                    name = (kind % brand) + (district if spa else place if rng.random() < 0.5
                                             else district)
                    if name not in used:
                        used.add(name)
                        break
                rooms = rng.choice([24, 36, 48, 60, 80, 96, 120, 150, 180, 220, 260, 320, 400,
                                    520])
                if spa:
                    rooms = rng.choice([18, 24, 32, 45, 60, 80])
                walk = rng.randint(1, 15)
                if spa:
                    access = "%s駅からバス%s分" % (station, fw(rng.randint(5, 25)))
                elif walk <= 2:
                    access = "%s駅前" % station
                else:
                    access = "%s駅徒歩%s分" % (station, fw(walk))
                price = rng.choice([5800, 6300, 6800, 7200, 7800, 8500, 9000, 9800, 10500, 12000,
                                    14000, 16000, 18000])
                if spa:
                    price = rng.choice([9800, 12000, 13500, 15000, 18000, 22000])
                remark = rng.choice(REMARKS if not spa else ["温泉", "露天風呂", "◎", "○", "夕朝食付"])
                out.append(" | ".join([area, district, name, phone_number(code, rng), str(rooms),
                                       access, yen(price), remark]))
                count += 1
    assert count <= 1000
    return "\n".join(out) + "\n"


def areas_text():
    out = ["# NAME REGION SECOND (region 1 北海道, 2 東北, 3 北陸・中部, 4 東京, 5 大阪, 6 中国,",
           "# 7 四国, 8 九州, 9 沖縄)"]
    for area, region, code, districts in AREAS:
        out.append("%s %d 0" % (area, region))
    return "\n".join(out) + "\n"


def districts_text():
    out = ["# district names (地区), in order"]
    seen = set()
    for area, region, code, districts in AREAS:
        for d, station in districts:
            assert d not in seen, d
            seen.add(d)
            out.append(d)
    assert len(seen) <= 200
    return "\n".join(out) + "\n"


# ---------------------------------------------------------------------------------------

EDITIONS = [
    (1, "tokaido", "東海道・山陽新幹線", corridor1, edition1_trains),
    (2, "tohoku", "東北・山形・秋田新幹線", corridor2, edition2_trains),
    (3, "joetsu", "上越・長野行新幹線", corridor3, edition3_trains),
]


def generate(root, only=()):
    for code, folder, title, make_corridor, make_trains in EDITIONS:
        if only and folder not in only:
            continue
        cor = make_corridor()
        d = os.path.join(root, folder)
        os.makedirs(d, exist_ok=True)
        write(os.path.join(d, "edition.txt"), "# %s\nedition %d\n" % (title, code))
        write(os.path.join(d, "areas.txt"), areas_text())
        write(os.path.join(d, "districts.txt"), districts_text())
        write(os.path.join(d, "stations.txt"), stations_text(cor, title))
        for direction, name in ((1, "trains-down.txt"), (2, "trains-up.txt")):
            trains = make_trains(cor, direction)
            assert len(trains) <= 250, (folder, direction, len(trains))
            write(os.path.join(d, name), "# %s, direction %d: %d trains\n" %
                  (title, direction, len(trains)) + train_lines(cor, direction, trains))
        write(os.path.join(d, "keiyo.txt"), keiyo_text())
        write(os.path.join(d, "fares.txt"), fares_text(code, cor))
        write(os.path.join(d, "hotels.txt"), hotels_text(code))


if __name__ == "__main__":
    generate(sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__)),
             sys.argv[2:])
