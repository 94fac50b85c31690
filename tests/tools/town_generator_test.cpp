#include "tools/town_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "project/configuration.h"
#include "project/project_file.h"
#include "text/number_text.h"
#include "tools/town_dxf.h"

namespace sonvale {
namespace {

struct P2 {
  double x, y;
};

double cross(P2 o, P2 a, P2 b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

bool segmentsCross(P2 a, P2 b, P2 c, P2 d) {
  const double d1 = cross(c, d, a), d2 = cross(c, d, b), d3 = cross(a, b, c), d4 = cross(a, b, d);
  return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0)) && d1 != 0 && d2 != 0 && d3 != 0 &&
         d4 != 0;
}

double pointSegment(P2 p, P2 a, P2 b) {
  const double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
  const double t = l2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l2, 0.0, 1.0) : 0;
  return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

double segmentDistance(P2 a, P2 b, P2 c, P2 d) {
  if (segmentsCross(a, b, c, d)) return 0;
  return std::min(
      {pointSegment(a, c, d), pointSegment(b, c, d), pointSegment(c, a, b), pointSegment(d, a, b)});
}

bool inside(const Casa& c, P2 p) {
  bool in = false;
  for (long k = 1; k < c.Npunti(); ++k) {
    const Point3 &a = c.vertex(k), &b = c.vertex(k + 1);
    if ((a.Y > p.y) != (b.Y > p.y) && p.x < a.X + (p.y - a.Y) * (b.X - a.X) / (b.Y - a.Y)) in = !in;
  }
  return in;
}

void expectSameTown(const Project& a, const Project& b) {
  ASSERT_EQ(a.strade.count(), b.strade.count());
  for (long i = 1; i <= a.strade.count(); ++i) {
    EXPECT_EQ(a.strade[i].Nome, b.strade[i].Nome);
    EXPECT_EQ(a.strade[i].vertices, b.strade[i].vertices);
    EXPECT_EQ(a.strade[i].NveicDay, b.strade[i].NveicDay);
    EXPECT_EQ(a.strade[i].NveicNight, b.strade[i].NveicNight);
    EXPECT_EQ(a.strade[i].HmedSX, b.strade[i].HmedSX);
  }
  ASSERT_EQ(a.case_.count(), b.case_.count());
  for (long i = 1; i <= a.case_.count(); ++i) EXPECT_EQ(a.case_[i].vertices, b.case_[i].vertices);
  ASSERT_EQ(a.barriere.count(), b.barriere.count());
  for (long i = 1; i <= a.barriere.count(); ++i)
    EXPECT_EQ(a.barriere[i].vertices, b.barriere[i].vertices);
  ASSERT_EQ(a.punti.count(), b.punti.count());
  for (long i = 1; i <= a.punti.count(); ++i) {
    EXPECT_EQ(a.punti[i].Nome, b.punti[i].Nome);
    EXPECT_EQ(a.punti[i].X, b.punti[i].X);
  }
  ASSERT_EQ(a.sources.count(), b.sources.count());
  for (long i = 1; i <= a.sources.count(); ++i) EXPECT_EQ(a.sources[i].Lw, b.sources[i].Lw);
}

bool anyBuildingDiffers(const Project& a, const Project& b) {
  if (a.case_.count() != b.case_.count()) return true;
  for (long i = 1; i <= a.case_.count(); ++i)
    if (a.case_[i].vertices != b.case_[i].vertices) return true;
  return false;
}

// Buildings clear of every road and track axis (by at least half the carriageway),
// closed, not overlapping each other, standing on the ground with a plausible height.
void expectSoundGeometry(const Project& t, const TownParams& params) {
  for (long i = 1; i <= t.case_.count(); ++i) {
    const Casa& c = t.case_[i];
    ASSERT_GE(c.Npunti(), 5) << "building " << i;
    EXPECT_EQ(c.vertex(1), c.vertex(c.Npunti())) << "building " << i << " not closed";
    double cx = 0, cy = 0;
    for (long k = 1; k < c.Npunti(); ++k) {
      cx += c.vertex(k).X / static_cast<double>(c.Npunti() - 1);
      cy += c.vertex(k).Y / static_cast<double>(c.Npunti() - 1);
      EXPECT_EQ(c.vertex(k).Z, c.vertex(1).Z);
    }
    const double h = c.vertex(1).Z - TownGroundHeight(params, cx, cy);
    EXPECT_GE(h, 5.5) << "building " << i;
    EXPECT_LE(h, 25.5) << "building " << i;
    for (long r = 1; r <= t.strade.count(); ++r) {
      const Strada& s = t.strade[r];
      for (long k = 1; k < s.Npunti(); ++k) {
        const P2 a{s.vertex(k).X, s.vertex(k).Y}, b{s.vertex(k + 1).X, s.vertex(k + 1).Y};
        EXPECT_FALSE(inside(c, a)) << "road " << r << " vertex inside building " << i;
        for (long e = 1; e < c.Npunti(); ++e) {
          const double d = segmentDistance(a, b, {c.vertex(e).X, c.vertex(e).Y},
                                           {c.vertex(e + 1).X, c.vertex(e + 1).Y});
          ASSERT_GE(d, 0.5 * s.vertex(k).SW) << "building " << i << " on road " << r;
        }
      }
    }
    const Binario& rail = t.binari[1];
    for (long k = 1; k < rail.Npunti(); ++k)
      for (long e = 1; e < c.Npunti(); ++e)
        ASSERT_GE(
            segmentDistance({rail.vertex(k).X, rail.vertex(k).Y},
                            {rail.vertex(k + 1).X, rail.vertex(k + 1).Y},
                            {c.vertex(e).X, c.vertex(e).Y}, {c.vertex(e + 1).X, c.vertex(e + 1).Y}),
            10.0)
            << "building " << i << " on the railway";
  }
}

TEST(TownGenerator, SameSeedSameTownOtherSeedOtherTown) {
  TownParams p;
  const Project a = GenerateTown(p);
  const Project b = GenerateTown(p);
  expectSameTown(a, b);
  p.seed = 2;
  EXPECT_TRUE(anyBuildingDiffers(a, GenerateTown(p)));
}

TEST(TownGenerator, DefaultTownHasWhatWasAskedAndLooksSound) {
  const TownParams p;
  const Project t = GenerateTown(p);
  EXPECT_EQ(t.strade.count(), 30);
  EXPECT_EQ(t.case_.count(), 60);
  EXPECT_EQ(t.barriere.count(), 3);
  EXPECT_EQ(t.incroci.count(), 12);
  EXPECT_EQ(t.punti.count(), 15);
  EXPECT_EQ(t.sources.count(), 3);
  EXPECT_EQ(t.binari.count(), 1);
  EXPECT_EQ(t.sezioni.count(), 1);
  EXPECT_EQ(t.plans.count(), 1);
  expectSoundGeometry(t, p);

  // Traffic: classes within their lists, night a small share of the day, widths
  // of real streets, one road with typed levels.
  long fixed = 0, paved = 0;
  for (long i = 1; i <= t.strade.count(); ++i) {
    const Strada& s = t.strade[i];
    ASSERT_GE(s.Npunti(), 2);
    EXPECT_FALSE(s.Nome.empty());
    EXPECT_GE(s.Pavimentaz, -1);
    EXPECT_LE(s.Pavimentaz, 3);
    EXPECT_GE(s.Pendenza, 0);
    EXPECT_LE(s.Pendenza, 2);
    if (s.Pavimentaz == -1) {
      ++fixed;
      EXPECT_GT(s.LeqDay, s.LeqNight);
      EXPECT_EQ(s.FixLeqDay, s.LeqDay);
      continue;
    }
    if (s.Pavimentaz != 0) ++paved;
    EXPECT_GT(s.NveicDay[1], 100) << "road " << i;
    EXPECT_GE(s.NveicNight[1], s.NveicDay[1] / 12) << "road " << i;
    EXPECT_LE(s.NveicNight[1], s.NveicDay[1] * 16 / 100) << "road " << i;
    for (int v = 1; v <= 5; ++v) {
      EXPECT_GE(s.VelDay[v], 0);
      EXPECT_LE(s.VelDay[v], 7);
      EXPECT_GE(s.VelNight[v], 0);
      EXPECT_LE(s.VelNight[v], 7);
    }
    for (const LineVertex& v : s.vertices) {
      EXPECT_GE(v.SW, 7.f);
      EXPECT_LE(v.SW, 20.f);
      EXPECT_EQ(v.Z, TownGroundHeight(p, v.X, v.Y));
    }
  }
  EXPECT_EQ(fixed, 1);
  EXPECT_GE(paved, 3);

  const Binario& rail = t.binari[1];
  for (int c = 1; c <= 3; ++c) {
    EXPECT_GT(rail.NtreniDay[c] + rail.NtreniNight[c], 0);
    EXPECT_GT(rail.LungDay[c], 0);
    EXPECT_GE(rail.VelDay[c], 0);
    EXPECT_LE(rail.VelDay[c], 3);
  }
  // The railway crosses the whole town from west to east.
  EXPECT_EQ(rail.vertex(1).X, p.originX);
  EXPECT_EQ(rail.vertex(rail.Npunti()).X, p.originX + p.sizeX);

  for (long i = 1; i <= t.barriere.count(); ++i) {
    for (const Point3& v : t.barriere[i].vertices) {
      const double h = v.Z - TownGroundHeight(p, v.X, v.Y);
      EXPECT_GE(h, 2.99);
      EXPECT_LE(h, 4.01);
    }
  }
  for (long i = 1; i <= t.punti.count(); ++i) {
    const Punto& pt = t.punti[i];
    EXPECT_NEAR(pt.Z - TownGroundHeight(p, pt.X, pt.Y), 4.0, 1e-9);
    for (long c = 1; c <= t.case_.count(); ++c)
      EXPECT_FALSE(inside(t.case_[c], {pt.X, pt.Y})) << pt.Nome << " inside building " << c;
  }
  EXPECT_EQ(t.punti[1].Nome, "R01 Scuola");
  EXPECT_EQ(t.punti[15].Nome.substr(0, 4), "R15 ");

  // Room-acoustics list: one wall owning the hole and the door, two plain faces.
  ASSERT_EQ(t.faces.count(), 3);
  EXPECT_TRUE(t.faces[1].IsWall && t.faces[1].HasOpenings);
  EXPECT_FALSE(t.faces[2].IsWall || t.faces[3].IsWall);
  ASSERT_EQ(t.holes.count(), 1);
  ASSERT_EQ(t.doors.count(), 1);
  EXPECT_EQ(t.holes[1].Face, 1);
  EXPECT_EQ(t.doors[1].Face, 1);

  // Settings: a 10 m grid over the 1000 m plan, the plan closed round the town.
  EXPECT_EQ(t.NdivX, 100);
  EXPECT_EQ(t.NdivY, 100);
  EXPECT_EQ(t.CurrentPlan, 1);
  EXPECT_TRUE(t.DiffrBarriere && t.DiffrCase);
  EXPECT_EQ(t.Anno, 2008);
  const Plan& plan = t.plans[1];
  EXPECT_EQ(plan.vertex(1), plan.vertex(plan.Npunti()));
  EXPECT_EQ(t.extent.Xmin, p.originX);
  EXPECT_EQ(t.extent.Xmax, p.originX + p.sizeX);
  EXPECT_EQ(t.extent.Ymin, p.originY);
  EXPECT_EQ(t.extent.Ymax, p.originY + p.sizeY);
}

TEST(TownGenerator, LargeTownScalesAndStaysWithinCapacities) {
  TownParams p;
  p.sizeX = 2000;
  p.sizeY = 1500;
  p.roads = 300;
  p.buildings = 3000;
  p.barriers = 40;
  p.crossings = 150;
  p.points = 400;
  p.sources = 20;
  p.seed = 7;
  const Project t = GenerateTown(p);
  EXPECT_EQ(t.strade.count(), 300);
  EXPECT_EQ(t.case_.count(), 3000);
  EXPECT_EQ(t.barriere.count(), 40);
  EXPECT_EQ(t.incroci.count(), 150);
  EXPECT_EQ(t.punti.count(), 400);
  EXPECT_EQ(t.sources.count(), 20);
  EXPECT_EQ(t.punti[400].Nome.substr(0, 5), "R400 ");
  EXPECT_EQ(t.punti[9].Nome.substr(0, 5), "R009 ");
  for (long i = 1; i <= t.strade.count(); ++i)
    EXPECT_LE(t.strade[i].Npunti(), static_cast<long>(kMaxRoadVertices));
  for (long i = 1; i <= t.barriere.count(); ++i)
    EXPECT_LE(t.barriere[i].Npunti(), static_cast<long>(kMaxBarrierVertices));
  EXPECT_EQ(t.NdivX, 200);
  EXPECT_EQ(t.NdivY, 150);
  expectSoundGeometry(t, p);
  // Buildings never overlap each other: the centre of each lies inside no other.
  for (long i = 1; i <= t.case_.count(); i += 7) {
    const Point3& a = t.case_[i].vertex(1);
    const Point3& b = t.case_[i].vertex(3);
    const P2 mid{0.5 * (a.X + b.X), 0.5 * (a.Y + b.Y)};
    for (long j = 1; j <= t.case_.count(); ++j)
      if (j != i) {
        EXPECT_FALSE(inside(t.case_[j], mid)) << i << " overlaps " << j;
      }
  }
}

TEST(TownGenerator, SmallAndDegenerateRequests) {
  TownParams p;
  p.roads = 1;
  p.buildings = 5;
  p.barriers = 1;
  p.crossings = 4;  // a single road has no junction
  p.points = 3;
  const Project t = GenerateTown(p);
  EXPECT_EQ(t.strade.count(), 1);
  EXPECT_EQ(t.case_.count(), 5);
  EXPECT_EQ(t.incroci.count(), 0);
  expectSoundGeometry(t, p);

  p = TownParams{};
  p.roads = 0;
  EXPECT_EQ(GenerateTown(p).strade.count(), 0);

  p = TownParams{};
  p.sizeX = 50;
  EXPECT_THROW(GenerateTown(p), std::invalid_argument);
  p = TownParams{};
  p.points = -1;
  EXPECT_THROW(GenerateTown(p), std::invalid_argument);
  p = TownParams{};
  p.buildings = static_cast<int>(kMaxCase) + 1;
  EXPECT_THROW(GenerateTown(p), CapacityError);
}

TEST(TownGenerator, TerrainGridMatchesTheGroundOfTheModel) {
  TownParams p;
  const GridData g = GenerateTerrain(p);
  ASSERT_EQ(g.nx(), 101);
  ASSERT_EQ(g.ny(), 101);
  EXPECT_EQ(g.header.xlo, p.originX);
  EXPECT_EQ(g.header.xhi, p.originX + 1000);
  EXPECT_EQ(g.header.ylo, p.originY);
  // Node (i, j) lies at xlo + 10 i, ylo + 10 j.
  EXPECT_EQ(g.value(0, 0), TownGroundHeight(p, p.originX, p.originY));
  EXPECT_EQ(g.value(37, 81), TownGroundHeight(p, p.originX + 370, p.originY + 810));
  for (double z : g.values) {
    EXPECT_GE(z, p.groundBase);
    EXPECT_LE(z, p.groundBase + p.groundRelief);
  }
  EXPECT_LT(g.header.zlo, g.header.zhi);
  // Gentle: no step between neighbouring nodes steeper than 5 %.
  for (int j = 0; j < g.ny(); ++j)
    for (int i = 1; i < g.nx(); ++i) EXPECT_LT(std::abs(g.value(i, j) - g.value(i - 1, j)), 0.5);

  p.groundRelief = 0;
  const GridData flat = GenerateTerrain(p);
  EXPECT_EQ(flat.header.zlo, p.groundBase);
  EXPECT_EQ(flat.header.zhi, p.groundBase);
}

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The bundled example must be what the documented command writes; a change to the
// generator or to a writer that alters it means the example is to be regenerated.
TEST(TownGenerator, BundledExampleIsTheDefaultTown) {
  const std::string dir = std::string(SONVALE_SOURCE_DIR) + "/examples/town/";
  const TownParams p;
  EXPECT_EQ(fileText(dir + "town.svp"), ProjectFileText(GenerateTown(p)));

  const GridData g = GenerateTerrain(p);
  const std::string tmp =
      (std::filesystem::temp_directory_path() / "sonvale_town_test_terrain.grd").string();
  {
    DsaaWriter w(tmp, g.header);
    for (int j = 0; j < g.ny(); ++j) {
      for (int i = 0; i < g.nx(); ++i) w.value(g.value(i, j));
      w.endRow();
    }
    w.close();
  }
  EXPECT_EQ(fileText(dir + "terrain.grd"), fileText(tmp));
  std::filesystem::remove(tmp);
  const Configuration config = ReadConfiguration(SONVALE_SOURCE_DIR "/data/sonvale.ini");
  EXPECT_EQ(fileText(dir + "town.dxf"), TownDxfText(GenerateTown(p), config));

  // And it reads back as the town it was made from.
  Project back;
  ReadProjectFile(dir + "town.svp", back);
  EXPECT_EQ(back.strade.count(), 30);
  EXPECT_EQ(back.case_.count(), 60);
  EXPECT_EQ(back.punti[2].Nome, "R02 Parco");
  const GridData terrain = ReadTerrainGrid(dir + "terrain.grd");
  EXPECT_EQ(terrain.value(100, 100), TownGroundHeight(p, 501000, 4501000));
}

// The drawing as another program reads it: every entity on its layer, roads with
// their widths and elevation, buildings closed.
TEST(TownGenerator, BundledDrawingReadsInAnotherDxfLibrary) {
  const std::string dir = std::string(SONVALE_SOURCE_DIR) + "/examples/town/";
  ASSERT_EQ(std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null"), 0)
      << "python3-ezdxf is not installed (tools/install-deps.sh)";
  const std::string out =
      (std::filesystem::temp_directory_path() / "sonvale_town_test_ezdxf.txt").string();
  const std::string script =
      "import ezdxf, collections, sys\n"
      "d = ezdxf.readfile(sys.argv[1])\n"
      "assert not d.audit().has_errors\n"
      "m = d.modelspace()\n"
      "c = collections.Counter(e.dxftype() + ' ' + e.dxf.layer for e in m)\n"
      "r = m.query('LWPOLYLINE').first\n"
      "w = list(r.get_points('xyse'))[1]\n"
      "print(' '.join(k + ' ' + str(c[k]) for k in sorted(c)),\n"
      "      '%g %g %g' % (w[2], w[3], r.dxf.elevation),\n"
      "      all(p.is_closed for p in m.query('POLYLINE[layer==\"CASE\"]')),\n"
      "      file=open(sys.argv[2], 'w'))\n";
  const std::string py =
      (std::filesystem::temp_directory_path() / "sonvale_town_test_ezdxf.py").string();
  std::ofstream(py) << script;
  ASSERT_EQ(std::system(("/usr/bin/python3 " + py + " " + dir + "town.dxf " + out).c_str()), 0);
  Project town;
  ReadProjectFile(dir + "town.svp", town);
  const LineVertex& v = town.strade[1].vertex(2);
  double z = 0;
  for (const LineVertex& u : town.strade[1].vertices) z += u.Z;
  z = std::round(z / static_cast<double>(town.strade[1].Npunti()) * 100) / 100;
  EXPECT_EQ(fileText(out),
            "3DFACE SEZIONI 1 CIRCLE INCROCI 12 CIRCLE PUNTI 15 CIRCLE SORGENTI 3 "
            "LWPOLYLINE BINARI 1 LWPOLYLINE STRADE 30 POLYLINE BARRIERE 3 "
            "POLYLINE CASE 60 POLYLINE SEZIONI 1 " +
                PlainSingle(v.SW) + " " + PlainSingle(v.EW) + " " + PlainNumber(z) + " True\n");
  std::filesystem::remove(out);
  std::filesystem::remove(py);
}

}  // namespace
}  // namespace sonvale
