"""Writes a small town drawing with ezdxf, as another CAD program would.

Usage: make_ezdxf_sample.py OUTPUT.dxf [DXFVERSION]
Roads are LWPOLYLINEs with widths and an elevation, buildings closed 3-D
POLYLINEs, receiver points CIRCLEs and the section a 3DFACE.
"""
import sys

import ezdxf

out = sys.argv[1]
version = sys.argv[2] if len(sys.argv) > 2 else "R2000"
doc = ezdxf.new(version)
msp = doc.modelspace()

# Per-vertex start and end widths.
msp.add_lwpolyline(
    [(0, 0, 2.5, 2.5), (120, 0, 2.5, 3.0), (120, 80, 3.0, 3.0)],
    format="xyse",
    dxfattribs={"layer": "STRADE", "elevation": 12.5},
)
# One constant width for the whole road.
msp.add_lwpolyline(
    [(0, 200), (150, 210), (300, 200)],
    format="xy",
    dxfattribs={"layer": "STRADE", "const_width": 7.0, "elevation": 4.0},
)
msp.add_polyline3d(
    [(10, 10, 9), (30, 10, 9), (30, 25, 9.5), (10, 25, 9)],
    close=True,
    dxfattribs={"layer": "CASE"},
)
msp.add_polyline3d(
    [(40, 10, 6), (55, 10, 6), (55, 30, 6)],
    close=True,
    dxfattribs={"layer": "CASE"},
)
msp.add_circle((50, 60, 1.5), radius=0.5, dxfattribs={"layer": "PUNTI"})
msp.add_circle((-20, 35, 4), radius=0.5, dxfattribs={"layer": "PUNTI"})
msp.add_3dface(
    [(0, -10, 0), (0, -10, 20), (100, -10, 20), (100, -10, 0)],
    dxfattribs={"layer": "SEZIONI"},
)
doc.saveas(out)
