#include "tracer/room_dxf_import.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/recording_work_report.h"
#include "text/file_error.h"
#include "tracer_test_support.h"

namespace sonvale {
namespace {

using namespace testing_tracer;

// Drawing texts: one group pair per call, CR LF line ends as AutoCAD writes them.
struct Dxf {
  std::string text;
  Dxf& pair(int code, const std::string& value) {
    text += std::to_string(code) + "\r\n" + value + "\r\n";
    return *this;
  }
  Dxf& point(int base, double x, double y, double z) {
    return pair(base, Num(x)).pair(base + 10, Num(y)).pair(base + 20, Num(z));
  }
  Dxf& face(const std::string& layer, std::initializer_list<Point3> corners) {
    pair(0, "3DFACE").pair(5, "2A").pair(8, layer);
    int k = 0;
    for (const Point3& c : corners) point(10 + k++, c.X, c.Y, c.Z);
    return *this;
  }
  Dxf& polyline(const std::string& layer, std::initializer_list<Point3> vertices) {
    pair(0, "POLYLINE").pair(8, layer).pair(66, "1").point(10, 0, 0, 0);
    for (const Point3& v : vertices) pair(0, "VERTEX").pair(8, layer).point(10, v.X, v.Y, v.Z);
    return pair(0, "SEQEND").pair(8, layer);
  }
  static std::string Num(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%.6f", v);
    return b;
  }
  std::string wrap() const {
    return "0\r\nSECTION\r\n2\r\nENTITIES\r\n" + text + "0\r\nENDSEC\r\n0\r\nEOF\r\n";
  }
};

class RoomImport : public ::testing::Test {
 protected:
  RoomImport() : dir(FreshDir("room")) {
    std::string mat;
    for (int n = 0; n < 14; ++n) {
      // Line 3 and line 9 share a name; 12 is the example of a named layer; line
      // 6 names WOOD, too short to be looked up; line 7 has its comma first.
      const char* names[] = {"NONE", "A", "B",      "BRICKS", "C", "D",        "WOOD",
                             "",     "E", "BRICKS", "F",      "G", "CONCRETE", "H"};
      mat += n == 7 ? std::string("7,.5,.5\n")
                    : std::to_string(n) + " " + names[n] + " , .02, .03\r\n";
    }
    Spit(dir / kMaterialsFileName, mat);
    config.Hsorg = 0.5;
  }
  RoomImportCounts run(const Dxf& d) {
    Spit(dir / "room.dxf", d.wrap());
    return ImportRoomDxf((dir / "room.dxf").string(), project, config, dir.string(), ui);
  }

  fs::path dir;
  Project project;
  Configuration config;
  RecordingWorkReport ui;
};

TEST_F(RoomImport, MaterialNamesFollowTheCommaAndBlankRule) {
  std::vector<std::string> names = ReadMaterialNames((dir / kMaterialsFileName).string());
  ASSERT_EQ(names.size(), 14u);
  EXPECT_EQ(names[3], "BRICKS");
  EXPECT_EQ(names[7], "");  // comma before any blank
  EXPECT_EQ(names[12], "CONCRETE");

  // The delivered file: a few dozen distinct names, the example line in place.
  names = ReadMaterialNames(std::string(SONVALE_SOURCE_DIR) + "/data/echoray.mat");
  EXPECT_GE(names.size(), 30u);
  EXPECT_EQ(names[12], "CONCRETE");
  std::vector<std::string> sorted(names.begin() + 1, names.end());
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
  for (size_t m = 1; m < names.size(); ++m) EXPECT_GT(names[m].size(), 4u) << m;

  std::string tooMany;
  for (int n = 0; n < 1025; ++n) tooMany += "1 X , 1\n";
  Spit(dir / "big.mat", tooMany);
  try {
    ReadMaterialNames((dir / "big.mat").string());
    FAIL() << "1025 material lines were taken";
  } catch (const FormatError& e) {
    EXPECT_EQ(e.line(), 1025);
  }
}

TEST_F(RoomImport, LayerGivesMaterialFlagOrDropsTheFace) {
  struct Case {
    const char* layer;
    short material, flag;  // material 0: dropped
  } cases[] = {{"1005", 5, 1},   {"7", 7, 0},    {"0", 0, 0},      {"concrete", 12, 0},
               {"BRICKS", 9, 0}, {"WOOD", 0, 0}, {"MISSING", 0, 0}};
  Dxf d;
  for (const Case& c : cases) d.face(c.layer, {{0, 0, 0}, {4, 0, 0}, {4, 0, 3}, {4, 0, 3}});
  project.faces.addEntity().Nv = 3;  // an earlier face stays first
  const RoomImportCounts n = run(d);

  long expected = 1;
  for (const Case& c : cases) {
    if (c.material == 0) continue;
    ++expected;
    ASSERT_LE(expected, project.faces.count()) << c.layer;
    EXPECT_EQ(project.faces[expected].Material, c.material) << c.layer;
    EXPECT_EQ(project.faces[expected].Flag, c.flag) << c.layer;
  }
  EXPECT_EQ(project.faces.count(), expected);
  EXPECT_EQ(n.faces, expected - 1);
  EXPECT_EQ(n.droppedFaces, 3);
  // The triangle keeps its repeated fourth corner.
  const Face& f = project.faces[2];
  EXPECT_EQ(f.Nv, 4);
  EXPECT_EQ(f.v[1], (Point3{4, 0, 0}));
  EXPECT_EQ(f.v[3], (Point3{4, 0, 3}));
  EXPECT_FALSE(f.IsWall);
}

TEST_F(RoomImport, OpeningsReplacedKeepTheirVerticesAndAttachToNewFacesOnly) {
  // An earlier face holds the whole first hole; it must not take it.
  Face& old = project.faces.addEntity();
  old.Nv = 4;
  old.v = {Point3{0, 0, 0}, Point3{10, 0, 0}, Point3{10, 0, 5}, Point3{0, 0, 5}};
  project.holes.setCount(3);

  Dxf d;
  d.face("7", {{0, 0, 0}, {10, 0, 0}, {10, 0, 5}, {0, 0, 5}});
  d.face("8", {{0, 5, 0}, {10, 5, 0}, {10, 5, 5}, {0, 5, 5}});
  // Closed as drawings write it, and 0.0005 outside the first new face in Y.
  d.polyline("holes", {{1, -0.0005, 1}, {2, 0, 1}, {2, 0, 2}, {1, 0, 2}, {1, -0.0005, 1}});
  d.polyline("HOLES", {{1, 0.002, 1}, {2, 0.002, 1}, {2, 0.002, 2}});  // on no face
  // Four corners and the closing repeat: five vertices, as many as a door holds.
  d.polyline("DOORS", {{3, 5, 0}, {4, 5, 0}, {4, 5, 2}, {3, 5, 2}, {3, 5, 0}});
  d.polyline("OTHER", {{1, 0, 1}, {2, 0, 1}});
  const RoomImportCounts n = run(d);

  ASSERT_EQ(project.holes.count(), 2);
  EXPECT_EQ(project.holes[1].Nv, 5);  // the closing repeat is a vertex like the others
  EXPECT_EQ(project.holes[1].v[3], (Point3{1, 0, 2}));
  EXPECT_EQ(project.holes[1].v[4], (Point3{1, -0.0005, 1}));
  EXPECT_EQ(project.holes[1].Face, 2);
  EXPECT_EQ(project.holes[2].Face, 0);
  ASSERT_EQ(project.doors.count(), 1);
  EXPECT_EQ(project.doors[1].Nv, 5);
  EXPECT_EQ(project.doors[1].v[4], (Point3{3, 5, 0}));
  EXPECT_EQ(project.doors[1].Face, 3);
  EXPECT_TRUE(project.faces[2].IsWall && project.faces[2].HasOpenings);
  EXPECT_TRUE(project.faces[3].HasOpenings);
  EXPECT_FALSE(project.faces[1].IsWall);
  EXPECT_EQ(n.unattachedHoles, 1);
  EXPECT_EQ(n.unattachedDoors, 0);
  EXPECT_NE(std::find(ui.statuses.begin(), ui.statuses.end(), "No FACE found for HOLE no. 2 !!!"),
            ui.statuses.end());

  // A re-import replaces the openings: none are left from the first drawing.
  run(Dxf().face("7", {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}));
  EXPECT_EQ(project.holes.count(), 0);
  EXPECT_EQ(project.doors.count(), 0);
  EXPECT_EQ(project.faces.count(), 4);
}

TEST_F(RoomImport, LayerIsReadIntoTheMaterialBeforeTheFlagTest) {
  Dxf d;
  for (const char* layer : {"1000.5", "1001.5", "1000.4", "999.5"})
    d.face(layer, {{0, 0, 0}, {4, 0, 0}, {4, 0, 3}, {0, 0, 3}});
  run(d);
  ASSERT_EQ(project.faces.count(), 4);
  EXPECT_EQ(project.faces[1].Material, 1000);  // 1000.5 is 1000: not above 1000
  EXPECT_EQ(project.faces[1].Flag, 0);
  EXPECT_EQ(project.faces[2].Material, 2);  // 1001.5 is 1002
  EXPECT_EQ(project.faces[2].Flag, 1);
  EXPECT_EQ(project.faces[3].Material, 1000);
  EXPECT_EQ(project.faces[3].Flag, 0);
  EXPECT_EQ(project.faces[4].Material, 1000);  // 999.5 is 1000, half to even
  EXPECT_EQ(project.faces[4].Flag, 0);
}

TEST_F(RoomImport, APointWithoutItsYIsReportedAndNotUsed) {
  Dxf d;
  // Lines 5..12: the first corner has an X (line 9) and then a Z (line 11).
  d.pair(0, "3DFACE").pair(8, "7").pair(10, "1.0").pair(30, "2.0");
  d.point(11, 4, 0, 0).point(12, 4, 0, 3).point(13, 0, 0, 3);
  d.pair(0, "POLYLINE").pair(8, "HOLES").pair(66, "1");
  d.pair(0, "VERTEX").pair(8, "HOLES").pair(10, "1").pair(21, "1");  // a Y of another code
  d.pair(0, "VERTEX").pair(8, "HOLES").point(10, 1, 0, 1);
  d.pair(0, "VERTEX").pair(8, "HOLES").point(10, 2, 0, 1);
  d.pair(0, "VERTEX").pair(8, "HOLES").pair(10, "9");  // the next entity comes instead
  d.pair(0, "VERTEX").pair(8, "HOLES").point(10, 2, 0, 2);
  d.pair(0, "SEQEND").pair(8, "HOLES");
  d.pair(0, "LINE").pair(8, "RECEIVERS").point(10, 1, 2, 3).point(11, 4, 5, 6);
  const RoomImportCounts n = run(d);

  EXPECT_EQ(n.pointsWithoutY, 3);
  EXPECT_EQ(n.firstPointWithoutY, 11);
  for (const char* status :
       {"Invalid Y coord code 30", "Invalid Y coord code 21", "Invalid Y coord code 0"}) {
    EXPECT_NE(std::find(ui.statuses.begin(), ui.statuses.end(), status), ui.statuses.end())
        << status;
  }
  ASSERT_EQ(project.faces.count(), 1);
  const Face& f = project.faces[1];
  EXPECT_EQ(f.Material, 7);
  EXPECT_EQ(f.v[0], (Point3{0, 0, 2}));  // its X and Y were not used, its Z was
  EXPECT_EQ(f.v[1], (Point3{4, 0, 0}));
  EXPECT_EQ(f.v[3], (Point3{0, 0, 3}));
  ASSERT_EQ(project.holes.count(), 1);
  EXPECT_EQ(project.holes[1].Nv, 3);
  EXPECT_EQ(project.holes[1].v[0], (Point3{1, 0, 1}));
  EXPECT_EQ(project.holes[1].v[2], (Point3{2, 0, 2}));
  EXPECT_EQ(project.holes[1].Face, 1);
  ASSERT_EQ(project.receivers.count(), 1);
  EXPECT_EQ(project.receivers[1].TgtZ, 6);
}

TEST_F(RoomImport, SourcesReceiversAndExtent) {
  const std::string spk = (dir / "horn.spk").string();
  Spit(spk,
       "\"Source Name\",\"horn\"\r\n\"Manufacturer\",\"m\"\r\n\"Date\",\"d\"\r\n\"Time\",\"t\"\r\n"
       "\"Number of frequency bands\",1\r\n\"Freq. band no.\",6\r\n\"Z\",\"Lw\"\r\n"
       "0,1,90,1,0,94\r\n\"No. of polar plots\",0\r\n\"No. of points per plot\",36\r\n"
       "\"Polar Angle\",0\r\n\"END\"\r\n");
  project.sources.addEntity();  // the circle below becomes source 2
  project.extent = Extent{-5, 5, -5, 5};

  Dxf d;
  d.pair(0, "CIRCLE").pair(8, "Sources").point(10, 12, 7, 1.5).pair(40, "3");
  d.pair(0, "ATTDEF").pair(8, "SOURCES").point(10, 20, 30, 2).pair(2, spk).point(11, 21, 31, 1);
  d.pair(51, "15").pair(1, "default");
  d.pair(0, "ATTDEF").pair(8, "SOURCES").pair(2, (dir / "absent.spk").string());
  d.pair(0, "LINE").pair(8, "RECEIVERS").point(10, -40, 2, 1.2).point(11, 3, 4, 1.1);
  d.pair(0, "LINE").pair(8, "WALLS").point(10, 900, 900, 0).point(11, 901, 901, 0);
  d.pair(0, "CIRCLE").pair(10, "500").pair(20, "500").pair(30, "0").pair(8, "SOURCES");
  const RoomImportCounts n = run(d);

  ASSERT_EQ(project.sources.count(), 5);
  EXPECT_EQ(n.sources, 4);
  const Source& c = project.sources[2];
  EXPECT_EQ(c.Nome, "Source2.spk");
  EXPECT_EQ(c.TgtX, 12);
  EXPECT_EQ(c.TgtY, 7);
  EXPECT_DOUBLE_EQ(c.TgtZ, 1.0);
  const Source& a = project.sources[3];
  EXPECT_EQ(a.Nome, spk);
  EXPECT_EQ((Point3{a.X, a.Y, a.Z}), (Point3{20, 30, 2}));
  EXPECT_EQ((Point3{a.TgtX, a.TgtY, a.TgtZ}), (Point3{21, 31, 1}));
  EXPECT_EQ(a.Tgt4, 15);
  EXPECT_NEAR(a.Lw, 90.0, 1e-9);        // one band at 1 kHz, A-weighting 0
  EXPECT_EQ(project.sources[4].Lw, 0);  // its file is missing: filled again later
  // Coordinates before the layer do not belong to the source.
  EXPECT_EQ(project.sources[5].X, 0);

  ASSERT_EQ(project.receivers.count(), 1);
  const Receiver& r = project.receivers[1];
  EXPECT_EQ((Point3{r.X, r.Y, r.Z}), (Point3{-40, 2, 1.2}));
  EXPECT_EQ((Point3{r.TgtX, r.TgtY, r.TgtZ}), (Point3{3, 4, 1.1}));
  // Source 1 (at the origin), the circle, the attribute source, the receiver start.
  EXPECT_EQ(project.extent.Xmin, -40);
  EXPECT_EQ(project.extent.Xmax, 20);
  EXPECT_EQ(project.extent.Ymin, -5);
  EXPECT_EQ(project.extent.Ymax, 30);
}

TEST_F(RoomImport, FailuresLeaveTheProjectAsItWas) {
  project.holes.setCount(2);
  project.faces.addEntity().Material = 4;
  project.extent = Extent{0, 1, 0, 1};
  const Dxf good = Dxf().face("7", {{50, 50, 0}, {60, 50, 0}, {60, 50, 3}, {50, 50, 3}});

  const std::string head = "0\r\nSECTION\r\n2\r\nENTITIES\r\n" + good.text;
  Dxf hole;
  hole.pair(0, "POLYLINE").pair(8, "HOLES");
  for (int k = 0; k < 51; ++k) hole.pair(0, "VERTEX").point(10, k, 0, 0);
  hole.pair(0, "SEQEND");
  Dxf door;
  door.polyline("DOORS", {{3, 5, 0}, {4, 5, 0}, {4, 5, 2}, {3.5, 5, 2.5}, {3, 5, 2}, {3, 5, 0}});
  const struct {
    const char* name;
    std::string content;
  } cases[] = {
      {"51 hole vertices", head + hole.text + "0\r\nENDSEC\r\n"},
      {"6 door vertices, the closing repeat among them", head + door.text + "0\r\nENDSEC\r\n"},
      {"no ENDSEC", head},
      {"no ENTITIES", "0\r\nSECTION\r\n2\r\nHEADER\r\n0\r\nENDSEC\r\n"},
      {"layer beyond 16 bits", Dxf().face("99999", {{1, 1, 1}}).wrap()},
  };

  auto unchanged = [&](const std::string& what) {
    EXPECT_EQ(project.faces.count(), 1) << what;
    EXPECT_EQ(project.holes.count(), 2) << what;
    EXPECT_EQ(project.extent.Xmax, 1) << what;
  };
  for (const auto& c : cases) {
    Spit(dir / "bad.dxf", c.content);
    EXPECT_THROW(ImportRoomDxf((dir / "bad.dxf").string(), project, config, dir.string(), ui),
                 FormatError)
        << c.name;
    unchanged(c.name);
  }
  Spit(dir / "good.dxf", good.wrap());
  // A folder is never read as a drawing, nor a missing materials file taken as empty.
  EXPECT_THROW(ImportRoomDxf(dir.string(), project, config, dir.string(), ui), FileError);
  EXPECT_THROW(
      ImportRoomDxf((dir / "good.dxf").string(), project, config, (dir / "nowhere").string(), ui),
      FileError);
  unchanged("file errors");
}

}  // namespace
}  // namespace sonvale
