#!/usr/bin/env python3
"""Regenerates the emission tables delivered in data/tables/.

    python3 tools/make-tables.py [OUTPUT_FOLDER]

Writes the 40 selsc, 40 dirsc, 12 seltc and 12 dirtc files (default folder:
data/tables next to this script's parent) and prints the two calibration roads.
Standard library only; the output is byte for byte the same on every run.
data/tables/README.md explains every number.
"""

import math
import os
import sys

# Octave bands t = 1..8 and the program's own A-weighting of those bands, so the
# A-weighted total written at t = 9 is what the program would form from the bands.
BANDS = ["63", "125", "250", "500", "1k", "2k", "4k", "8k"]
BAND_HZ = [63, 125, 250, 500, 1000, 2000, 4000, 8000]
A_WEIGHT = [-26.2, -16.1, -8.6, -3.2, 0.0, 1.2, 1.0, -1.1]

DECIMALS = 2

# ---------------------------------------------------------------------------
# Road: CNOSSOS-EU road source model, Directive (EU) 2015/996, Annex II,
# Appendix F (coefficients per vehicle category and octave band 63 Hz..8 kHz).
# Rolling  LWR = AR + BR*log10(v/70); propulsion LWP = AP + BP*(v-70)/70.
# ---------------------------------------------------------------------------
V_REF = 70.0
CNOSSOS = {
    "1": {  # light motor vehicles
        "AR": [79.7, 85.7, 84.5, 90.2, 97.3, 93.9, 84.1, 74.3],
        "BR": [30.0, 41.5, 38.9, 25.7, 32.5, 37.2, 39.0, 40.0],
        "AP": [94.5, 89.2, 88.0, 85.9, 84.2, 86.9, 83.3, 76.1],
        "BP": [-1.3, 7.2, 7.7, 8.0, 8.0, 8.0, 8.0, 8.0],
        "CP_lights": 5.5,
    },
    "2": {  # medium heavy vehicles
        "AR": [84.0, 88.7, 91.5, 96.7, 97.4, 90.9, 83.8, 80.5],
        "BR": [30.0, 35.8, 32.6, 23.8, 30.1, 36.2, 38.3, 40.1],
        "AP": [101.0, 96.5, 98.8, 96.8, 98.6, 95.2, 88.8, 82.7],
        "BP": [-1.9, 4.7, 6.4, 6.5, 6.5, 6.5, 6.5, 6.5],
        "CP_lights": 9.0,
    },
    "3": {  # heavy duty vehicles
        "AR": [87.0, 91.7, 94.1, 100.7, 100.8, 94.3, 87.1, 82.5],
        "BR": [30.0, 33.5, 31.3, 25.4, 31.8, 37.1, 38.6, 40.6],
        "AP": [104.4, 100.6, 101.7, 101.0, 100.1, 95.9, 91.3, 85.3],
        "BP": [0.0, 3.0, 4.6, 5.0, 5.0, 5.0, 5.0, 5.0],
        "CP_lights": 9.0,
    },
    "4b": {  # powered two-wheelers > 50 cc: propulsion noise only
        "AR": None,
        "BR": None,
        "AP": [95.0, 97.2, 92.7, 92.9, 94.7, 93.2, 90.1, 86.5],
        "BP": [3.2, 5.9, 11.9, 11.6, 11.5, 12.6, 11.1, 12.0],
        "CP_lights": 0.0,
    },
}

# Road surface corrections of the same model (rolling noise:
# alpha_i + beta*log10(v/70), v held within the validity range of the surface;
# porous surfaces also absorb propulsion noise: min(alpha_i, 0)).
SURFACES = {
    # "2-Pave'": hard paving elements not laid in herring-bone (NL11).
    "cobbles": {
        "v_range": (30.0, 60.0),
        "porous": False,
        "1": ([12.3, 11.9, 9.7, 7.1, 7.1, 2.8, 4.7, 4.5], 2.9),
        "2": ([12.3, 11.9, 9.7, 7.1, 7.1, 2.8, 4.7, 4.5], 2.9),
        "3": ([12.3, 11.9, 9.7, 7.1, 7.1, 2.8, 4.7, 4.5], 2.9),
    },
    # "3-Asfalto Fonoass.": single-layer porous asphalt (NL01).
    "porous": {
        "v_range": (50.0, 130.0),
        "porous": True,
        "1": ([0.5, 3.3, 2.4, 3.2, -1.3, -3.5, -2.6, 0.5], -6.5),
        "2": ([0.9, 1.4, 1.8, -0.4, -5.2, -4.6, -3.0, -1.4], 0.2),
        "3": ([0.9, 1.4, 1.8, -0.4, -5.2, -4.6, -3.0, -1.4], 0.2),
    },
}

SLOPE_PERCENT = 6.0  # the slope classes read ">=5%": a representative 6 %

# Vehicle classes V1..V5 of the program and the CNOSSOS-EU category of each.
VEHICLES = [
    ("V1", "autovettura", "1"),
    ("V2", "autocarro a 2 assi", "2"),
    ("V3", "autocarro a 3 assi", "3"),
    ("V4", "autoarticolato", "3"),
    ("V5", "motociclo", "4b"),
]

# Flow classes C1..C8: representative speed (km/h) and whether the class is an
# accelerating one.
FLOW_CLASSES = [
    ("C1-(0-30 km/h) acc.", 20.0, True),
    ("C2-(0-30 km/h) dec.", 20.0, False),
    ("C3-(30-50 km/h) acc.", 40.0, True),
    ("C4-(30-50 km/h) dec.", 40.0, False),
    ("C5-(50-70 km/h)", 60.0, False),
    ("C6-(70-90 km/h)", 80.0, False),
    ("C7-(90-110 km/h)", 100.0, False),
    ("C8-(> 110 km/h)", 120.0, False),
]

# The crossing correction CP*(1 - x/100) acts over the 100 m after a stop line;
# an accelerating class stands for that whole stretch, so it takes the mean, CP/2.
ACCELERATION_SHARE = 0.5

ROAD_DISTANCE = 7.5  # m, the reference distance of the road levels
FLEET_OFFSET = 6.5   # dB: 1995 fleet against the 2008 fleet of the coefficients
CALIBRATION = 1.8    # dB: calibration offset (README, "Calibration")
YEAR = 2008


def energy_sum(levels):
    return 10.0 * math.log10(sum(10.0 ** (x / 10.0) for x in levels))


def a_total(bands):
    return energy_sum([b + a for b, a in zip(bands, A_WEIGHT)])


def rnd(x):
    value = round(x, DECIMALS)
    return 0.0 if value == 0 else value  # no "-0.00"


def fmt(x):
    return "%.*f" % (DECIMALS, rnd(x))


def clamp(x, lo, hi):
    return max(lo, min(hi, x))


def gradient_correction(cat, v, s):
    """CNOSSOS-EU propulsion correction for a road gradient s (%), speed v."""
    if cat == "1":
        if s < -6:
            return min(12.0, -s) - 6.0
        if s <= 2:
            return 0.0
        return v / 100.0 * (min(12.0, s) - 2.0) / 1.5
    if cat == "2":
        if s < -4:
            return (v - 20.0) / 100.0 * (min(12.0, -s) - 4.0) / 0.7
        if s <= 0:
            return 0.0
        return v / 100.0 * min(12.0, s) / 1.0
    if cat == "3":
        if s < -4:
            return (v - 10.0) / 100.0 * (min(12.0, -s) - 4.0) / 0.5
        if s <= 0:
            return 0.0
        return v / 100.0 * min(12.0, s) / 0.8
    return 0.0  # two-wheelers have no gradient correction


def road_power(cat, v, accelerating, surface=None, slope=0.0):
    """Sound power level per band (dB re 1 pW, unweighted) of one vehicle."""
    c = CNOSSOS[cat]
    out = []
    for i in range(8):
        parts = []
        d_prop = 0.0
        if accelerating:
            d_prop += ACCELERATION_SHARE * c["CP_lights"]
        d_prop += gradient_correction(cat, v, slope)
        if c["AR"] is not None:
            lwr = c["AR"][i] + c["BR"][i] * math.log10(v / V_REF)
            if surface is not None:
                alpha, beta = SURFACES[surface][cat][0][i], SURFACES[surface][cat][1]
                lo, hi = SURFACES[surface]["v_range"]
                lwr += alpha + beta * math.log10(clamp(v, lo, hi) / V_REF)
                if SURFACES[surface]["porous"]:
                    d_prop += min(alpha, 0.0)
            parts.append(lwr)
        parts.append(c["AP"][i] + c["BP"][i] * (v - V_REF) / V_REF + d_prop)
        out.append(energy_sum(parts))
    return out


def sel_from_power(lw_bands, v_kmh):
    """Single-event level of one pass-by at ROAD_DISTANCE (see README)."""
    v = v_kmh / 3.6
    return [lw - 10.0 * math.log10(2.0 * ROAD_DISTANCE * v) for lw in lw_bands]


def road_blocks(cat, v, accelerating):
    offset = FLEET_OFFSET + CALIBRATION

    def sel(**kw):
        return [x + offset for x in sel_from_power(road_power(cat, v, accelerating, **kw), v)]

    base = [rnd(x) for x in sel()]
    blocks = [("base", base + [rnd(a_total(base))], "dB")]
    variants = [
        ("pave'", dict(surface="cobbles")),
        ("fonoass.", dict(surface="porous")),
        ("salita 6%", dict(slope=SLOPE_PERCENT)),
        ("discesa 6%", dict(slope=-SLOPE_PERCENT)),
    ]
    for name, kw in variants:
        if cat == "4b" and "surface" in kw:
            corrected = list(sel())  # no rolling noise: the surface changes nothing
        else:
            corrected = sel(**kw)
        # Stored as base minus corrected: the program subtracts the value.
        corr = [rnd(b - x) for b, x in zip(base, corrected)]
        total = a_total(base) - a_total([b - c for b, c in zip(base, corr)])
        blocks.append((name, corr + [rnd(total)], "dB"))
    return blocks


# ---------------------------------------------------------------------------
# Railway: pass-by levels at 7.5 m scaled with the rolling-noise speed law.
# ---------------------------------------------------------------------------
RAIL_CLASSES = [
    # name, LpAeq,Tp at 7.5 m and 80 km/h (dB(A))
    ("merci", 90.0),
    ("regionale", 82.0),
    ("lunga percorrenza", 85.0),
]
RAIL_SPEEDS = [
    ("C1-(0-60 km/h)", 50.0),
    ("C2-(60-90 km/h)", 75.0),
    ("C3-(90-120 km/h)", 105.0),
    ("C4-(> 120 km/h)", 140.0),
]
RAIL_REF_SPEED = 80.0
RAIL_SPEED_LAW = 30.0       # dB per decade of speed, rolling noise
RAIL_LENGTH = 100.0         # m of train the table is normalised to
RAIL_MEASURE_DISTANCE = 7.5
RAIL_DISTANCE = 7.0         # m, the reference distance of the railway levels
# A-weighted rolling-noise spectrum relative to its total (dB), bands 63..8k.
RAIL_SHAPE_A = [-30.0, -22.0, -14.0, -7.0, -3.0, -4.0, -9.0, -18.0]
JOINT_CORRECTION = 4.0      # dB raised by a track with switches or joints


def pass_by_fraction(length, d):
    """Share of the pass-by exposure received while the train faces the receiver."""
    n = 2000
    total = 0.0
    for k in range(n):
        s = (k + 0.5) * length / n
        total += (math.atan((length - s) / d) + math.atan(s / d)) / math.pi
    return total / n


def rail_sel_total(lp_ref, v):
    lp = lp_ref + RAIL_SPEED_LAW * math.log10(v / RAIL_REF_SPEED)
    tp = RAIL_LENGTH / (v / 3.6)
    sel = lp + 10.0 * math.log10(tp)
    sel -= 10.0 * math.log10(pass_by_fraction(RAIL_LENGTH, RAIL_MEASURE_DISTANCE))
    return sel + 10.0 * math.log10(RAIL_MEASURE_DISTANCE / RAIL_DISTANCE)


def rail_blocks(lp_ref, v):
    norm = energy_sum(RAIL_SHAPE_A)
    total = rail_sel_total(lp_ref, v)
    base = [rnd(total + s - norm - a) for s, a in zip(RAIL_SHAPE_A, A_WEIGHT)]
    joint = [rnd(-JOINT_CORRECTION)] * 9  # flat, so t = 8 is the total too
    return [("base", base + [rnd(a_total(base))], "dB"), ("scambi/giunti", joint, None)]


def rail_vertical_directivity(psi_deg, f):
    """CNOSSOS-EU vertical directivity of the low (rolling) railway source."""
    psi = math.radians(psi_deg)
    return 40.0 / 3.0 * (2.0 / 3.0 * math.sin(2 * psi) - math.sin(psi)) * math.log10((f + 600.0) / 200.0)


def directivity_rows(base_bands, pattern):
    rows = []
    for d in range(10):
        angle = 10.0 * d
        dirs = [rnd(pattern(angle, f)) for f in BAND_HZ]
        total = a_total([b + x for b, x in zip(base_bands, dirs)]) - a_total(base_bands)
        rows.append((angle, dirs + [rnd(total)]))
    return rows


# ---------------------------------------------------------------------------
# Writing
# ---------------------------------------------------------------------------
HEAD = '"blocco",' + ",".join('"%s"' % b for b in BANDS) + ',"dB(A)","unita\'"'
DIR_HEAD = '"%s",' + ",".join('"%s"' % b for b in BANDS) + ',"dB(A)"'


def write(folder, name, lines):
    with open(os.path.join(folder, name), "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def block_line(name, values, closing):
    line = '"%s",' % name + ",".join(fmt(x) for x in values)
    if closing is not None:
        line += ',"%s"' % closing
    return line


def rail_lp_note(lp):
    return "LpAeq,Tp %s dB(A) a 7.5 m e 80 km/h" % fmt(lp)


def generate(folder):
    os.makedirs(folder, exist_ok=True)
    sel_table = {}
    for s, (cname, v, acc) in enumerate(FLOW_CLASSES, start=1):
        for vi, (vname, vdesc, cat) in enumerate(VEHICLES, start=1):
            blocks = road_blocks(cat, v, acc)
            sel_table[(s, vi)] = blocks
            title = '"SEL di un passaggio a 7.5 m: %s %s (CNOSSOS-EU cat. %s), %s, %s km/h%s"' % (
                vname, vdesc, cat, cname, fmt(v), ", accelerazione" if acc else "")
            lines = [title, HEAD] + [block_line(*b) for b in blocks]
            write(folder, "selsc%dv%d.txt" % (s, vi), lines)
    for s, (cname, v, acc) in enumerate(FLOW_CLASSES, start=1):
        for vi, (vname, vdesc, cat) in enumerate(VEHICLES, start=1):
            base = sel_table[(s, vi)][0][1][:8]
            rows = directivity_rows(base, lambda angle, f: 0.0)
            title = '"Direttivita\' (dB) %s %s, %s: sorgente omnidirezionale"' % (vname, vdesc, cname)
            lines = [title, DIR_HEAD % "angolo"]
            lines += ["%.1f," % angle + ",".join(fmt(x) for x in vals) for angle, vals in rows]
            write(folder, "dirsc%dv%d.txt" % (s, vi), lines)
    rail_table = {}
    for s, (sname, v) in enumerate(RAIL_SPEEDS, start=1):
        for c, (tname, lp) in enumerate(RAIL_CLASSES, start=1):
            blocks = rail_blocks(lp, v)
            rail_table[(s, c)] = blocks
            title = '"SEL di un treno di 100 m a 7 m: %s (%s), %s, %s km/h"' % (
                tname, rail_lp_note(lp), sname, fmt(v))
            lines = [title, HEAD] + [block_line(*b) for b in blocks]
            write(folder, "seltc%dv%d.txt" % (s, c), lines)
    for s, (sname, v) in enumerate(RAIL_SPEEDS, start=1):
        for c, (tname, lp) in enumerate(RAIL_CLASSES, start=1):
            base = rail_table[(s, c)][0][1][:8]
            rows = directivity_rows(base, rail_vertical_directivity)
            title = '"Direttivita\' verticale (dB) %s, %s: riga d = angolo 10*(d-1) gradi"' % (tname, sname)
            lines = [title, DIR_HEAD % "riga"]
            lines += ["%d," % (d + 1) + ",".join(fmt(x) for x in vals) for d, (angle, vals) in enumerate(rows)]
            write(folder, "dirtc%dv%d.txt" % (s, c), lines)
    return sel_table


def leq_day(sel_table, flows, year=YEAR):
    """LeqDay as the program forms it from the t = 9 values of block 1."""
    y = (1995 - year) * 5 / 10
    e = 1.0
    for (s, v), n in flows.items():
        e += n * 10.0 ** ((sel_table[(s, v)][0][1][8] + y) / 10.0) / 16.0 / 3600.0
    return 10.0 * math.log10(e)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    folder = argv[1] if len(argv) > 1 else os.path.join(here, "..", "data", "tables")
    sel_table = generate(folder)
    urban = leq_day(sel_table, {(5, 1): 9500, (5, 2): 500})
    motorway = leq_day(sel_table, {(7, 1): 51000, (7, 2): 3000, (7, 4): 6000})
    print("urban road, 10000 vehicles in 16 h (5 %% V2), C5, %d: LeqDay %.2f dB(A)" % (YEAR, urban))
    print("motorway, 60000 vehicles in 16 h (5 %% V2, 10 %% V4), C7, %d: LeqDay %.2f dB(A)" % (YEAR, motorway))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
