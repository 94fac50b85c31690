#include "tracer/ray_file.h"

#include <gtest/gtest.h>

#include "support/file_contents.h"
#include "support/table_files.h"
#include "text/file_error.h"
#include "tracer/tracer_test_support.h"

namespace sonvale {
namespace {

Configuration RayConfig(double passo) {
  Configuration c;
  c.PassoSorgenti = passo;
  c.Hsorg = 0.5;
  c.Hrec = 4;
  return c;
}

TEST(RayFile, ReadsRecordsByKeywordWithValuesAcrossLines) {
  ScratchFolder dir;
  const std::string path = dir.file("town.RAY");
  // Map coordinates near X 500000; the first face continues on the next line,
  // which must not shift the records after it.
  WriteTextFile(path,
                "EntityList\r\n"
                " Wall\r\n"
                "  Face 1  7  4   500000 100 0  500010 100 0\r\n"
                "   500010 100 3 500000 100 3\r\n"
                "  Hole 0 9 3  500001 100 1 500002 100 1 500002 100 2\r\n"
                "  hole 0 9 3  500003 100 1 500004 100 1 500004 100 2\r\n"
                "  Door 2 5 4  500005 100 0 500006 100 0 500006 100 2 500005 100 2\r\n"
                " End\r\n"
                "comment line 1 2 3\r\n"
                " FACE,3,8,3, 499990,90,0, 499995,90,0, 499995,95,0\r\n"
                "speaker 499980 80 1.5 499981 80 1.5 -2 Big horn  .SPK \r\n"
                " Receiver 500020 120 4 500020 120 0\r\n"
                "End\r\n"
                "\"Mappatura\"\r\n"
                "\"X1\", 1.5\r\n\"Y1\", 2\r\n\"Z1\", 3\r\n\"X2\", 4\r\n\"Y2\", 5\r\n\"Z2\", 6\r\n"
                "\"NdivX\", 20\r\n\"NdivY\", 30\r\n");
  Project p;
  p.NdivX = 50;
  p.NdivY = 50;
  SectionLine s;
  ASSERT_TRUE(ReadRay(path, p, s));

  ASSERT_EQ(p.faces.count(), 2);
  EXPECT_TRUE(p.faces[1].IsWall);
  EXPECT_TRUE(p.faces[1].HasOpenings);
  EXPECT_EQ(p.faces[1].Material, 7);
  EXPECT_EQ(p.faces[1].v[3], (Point3{500000, 100, 3}));
  EXPECT_FALSE(p.faces[2].IsWall);
  EXPECT_FALSE(p.faces[2].HasOpenings);
  EXPECT_EQ(p.faces[2].Nv, 3);
  EXPECT_EQ(p.faces[2].v[2], (Point3{499995, 95, 0}));
  ASSERT_EQ(p.holes.count(), 2);
  EXPECT_EQ(p.holes[1].Face, 1);
  EXPECT_EQ(p.holes[2].Face, 1);
  EXPECT_EQ(p.holes[2].v[0], (Point3{500003, 100, 1}));
  ASSERT_EQ(p.doors.count(), 1);
  EXPECT_EQ(p.doors[1].Flag, 2);
  EXPECT_EQ(p.doors[1].v[3], (Point3{500005, 100, 2}));
  ASSERT_EQ(p.sources.count(), 1);
  EXPECT_EQ(p.sources[1].Z, 1.5);
  EXPECT_EQ(p.sources[1].Tgt4, -2);
  EXPECT_EQ(p.sources[1].Nome, "Big horn  .SPK");
  ASSERT_EQ(p.receivers.count(), 1);
  EXPECT_EQ(p.receivers[1].TgtZ, 0);
  // The extent covers only what was read: faces, the source and the receiver.
  EXPECT_EQ(p.extent.Xmin, 499980);
  EXPECT_EQ(p.extent.Xmax, 500020);
  EXPECT_EQ(p.extent.Ymin, 80);
  EXPECT_EQ(p.extent.Ymax, 120);
  EXPECT_EQ(s.X1, 1.5);
  EXPECT_EQ(s.Z2, 6);
  EXPECT_EQ(p.NdivX, 20);
  EXPECT_EQ(p.NdivY, 30);

  // An empty entity list empties the tables and leaves the extent empty; no
  // label block leaves the section and the divisions alone.
  WriteTextFile(path, "EntityList\r\nEnd\r\n");
  ASSERT_TRUE(ReadRay(path, p, s));
  EXPECT_EQ(
      p.faces.count() + p.holes.count() + p.doors.count() + p.sources.count() + p.receivers.count(),
      0);
  EXPECT_TRUE(p.extent.isEmpty());
  EXPECT_EQ(s.X1, 1.5);
  EXPECT_EQ(p.NdivX, 20);

  EXPECT_FALSE(ReadRay("*.ray", p, s));
  EXPECT_FALSE(ReadRay("*.*", p, s));
}

TEST(RayFile, BadFilesAreRefusedWithTheirLineAndChangeNothing) {
  ScratchFolder dir;
  const std::string path = dir.file("bad.RAY");
  const std::string face = " Face 0 1 3 0 0 0 1 0 0 1 1 0\r\n";
  struct Case {
    std::string text;
    long line;
  } cases[] = {
      {"EntityList\r\n  Hole 0 1 3 0 0 0 1 0 0 1 1 0\r\nEnd\r\n", 2},      // no face yet
      {"EntityList\r\n Face 0 1 5 0 0 0 1 0 0 1 1 0 0 1 0 0 0 1\r\n", 2},  // 5 vertices
      {"EntityList\r\n" + face + " Receiver 1 2 x 4 5 6\r\n", 3},
      {"EntityList\r\n Face 0 1 3 0 0 0 1 0 0\r\n Source 1 2 3 4 5 6 7 a\r\n", 3},
      {"EntityList\r\n" + face + " Source 1 2 3\r\n", 3},  // the file ends
      {"EntityList\r\n Face 0 1.5 3 0 0 0 1 0 0 1 1 0\r\n", 2},
      {"EntityList\r\nEnd\r\nlabels\r\nX1, 1\r\nY1, 2\r\nZ1, abc\r\n", 6},
  };
  for (const Case& c : cases) {
    WriteTextFile(path, c.text);
    Project p;
    p.faces.addEntity().Material = 42;
    p.extent = Extent{1, 2, 3, 4};
    SectionLine s;
    try {
      ReadRay(path, p, s);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const FormatError& e) {
      EXPECT_EQ(e.line(), c.line) << c.text;
      EXPECT_EQ(e.file(), path);
    }
    EXPECT_EQ(p.faces.count(), 1);
    EXPECT_EQ(p.faces[1].Material, 42);
    EXPECT_EQ(p.extent.Xmax, 2);
  }
  Project p;
  SectionLine s;
  EXPECT_THROW(ReadRay(dir.file("missing.RAY"), p, s), FileError);
}

TEST(RayFile, WrittenModelReadsBackTheSame) {
  ScratchFolder dir;
  // Slots move as a table grows: each entity is filled before the next is added.
  Project a;
  Face wall{true, true, 1, 7, 4, {}};
  wall.v = {Point3{0, 0, 0}, Point3{10, 0, 0}, Point3{10, 0, 3}, Point3{0, 0, 3}};
  a.faces.addEntity() = wall;
  Face loose{false, true, -1, 3, 3, {}};
  loose.v = {Point3{0, 5, 0}, Point3{-2.25, 5, 0}, Point3{0, 5, 1e-5}, Point3{}};
  a.faces.addEntity() = loose;
  Hole h1{1, 0, 9, 3, {}};
  h1.v[0] = {1, 0, 1};
  h1.v[1] = {2, 0, 1};
  h1.v[2] = {2, 0, 2};
  a.holes.addEntity() = h1;
  Hole h2 = h1;
  h2.Face = 2;  // on a face outside any wall
  a.holes.addEntity() = h2;
  Door d{1, 4, 5, 4, {}};
  d.v = {Point3{5, 0, 0}, Point3{6, 0, 0}, Point3{6, 0, 2}, Point3{5, 0, 2}, Point3{}};
  a.doors.addEntity() = d;
  Source src;
  src.X = 3;
  src.Y = -4.5;
  src.Z = 1;
  src.TgtX = 3;
  src.TgtY = -3.5;
  src.TgtZ = 1;
  src.Tgt4 = 2;
  src.Nome = "C:\\spk\\loud speaker.SPK";
  a.sources.addEntity() = src;
  Receiver& r = a.receivers.addEntity();
  r = Receiver{7, 8, 9, 7, 8, 5};

  const std::string path = dir.file("model.RAY");
  WriteRay(path, a, RayConfig(4), SectionLine{}, kRayReceivers);
  const std::string text = FileContents(path);
  EXPECT_EQ(
      text.substr(0, 94),
      "EntityList\r\n Wall\r\n  Face 1  7  4     0   0   0   10   0   0   10   0   3   0   0   "
      "3 \r\n  Hole");
  EXPECT_NE(text.find("\r\n  Door 4  5  4   5   0 "), std::string::npos);
  EXPECT_NE(text.find("\r\n End\r\n Face -1  3  3     0   5   0  -2.25   5   0 "),
            std::string::npos);
  Project b;
  SectionLine s;
  ASSERT_TRUE(ReadRay(path, b, s));
  ASSERT_EQ(b.faces.count(), 2);
  for (long k = 1; k <= 2; ++k) {
    EXPECT_EQ(b.faces[k].IsWall, a.faces[k].IsWall);
    EXPECT_TRUE(b.faces[k].HasOpenings);
    EXPECT_EQ(b.faces[k].Flag, a.faces[k].Flag);
    EXPECT_EQ(b.faces[k].Material, a.faces[k].Material);
    EXPECT_EQ(b.faces[k].Nv, a.faces[k].Nv);
    EXPECT_EQ(b.faces[k].v, a.faces[k].v);
  }
  ASSERT_EQ(b.holes.count(), 2);
  EXPECT_EQ(b.holes[1].Face, 1);
  EXPECT_EQ(b.holes[2].Face, 2);
  EXPECT_EQ(b.holes[1].v, a.holes[1].v);
  ASSERT_EQ(b.doors.count(), 1);
  EXPECT_EQ(b.doors[1].Face, 1);
  EXPECT_EQ(b.doors[1].Material, 5);
  EXPECT_EQ(b.doors[1].v, a.doors[1].v);
  ASSERT_EQ(b.sources.count(), 1);
  EXPECT_EQ(b.sources[1].Y, -4.5);
  EXPECT_EQ(b.sources[1].Tgt4, 2);
  EXPECT_EQ(b.sources[1].Nome, src.Nome);
  ASSERT_EQ(b.receivers.count(), 1);
  EXPECT_EQ(b.receivers[1].TgtZ, 5);
}

TEST(RayFile, SourceNameFollowsTheSeparatorOfTheLastValue) {
  ScratchFolder dir;
  const std::string path = dir.file("sources.RAY");
  WriteTextFile(path,
                "EntityList\r\n"
                "Source 10,20,30,40,50,60,70,name2.spk\r\n"
                "Source 1,2,3,4,5,6,7 ,  name3.spk\r\n"
                "Source 1 2 3 4 5 6 -7 C:\\spk\\name, 4.spk\r\n"
                "End\r\n");
  Project p;
  SectionLine s;
  ASSERT_TRUE(ReadRay(path, p, s));
  ASSERT_EQ(p.sources.count(), 3);
  EXPECT_EQ(p.sources[1].Tgt4, 70);
  EXPECT_EQ(p.sources[1].Nome, "name2.spk");
  EXPECT_EQ(p.sources[2].Nome, "name3.spk");
  EXPECT_EQ(p.sources[3].Tgt4, -7);
  EXPECT_EQ(p.sources[3].Nome, "C:\\spk\\name, 4.spk");  // a comma inside the name stays
}

TEST(RayFile, OpeningsWithFewerThanThreeVerticesReadBack) {
  ScratchFolder dir;
  Project a;
  Face wall{true, true, 0, 7, 4, {}};
  wall.v = {Point3{0, 0, 0}, Point3{10, 0, 0}, Point3{10, 0, 3}, Point3{0, 0, 3}};
  a.faces.addEntity() = wall;
  Door line{1, 0, 0, 2, {}};
  line.v[0] = {1, 0, 0};
  line.v[1] = {2, 0, 0};
  a.doors.addEntity() = line;
  Hole dot{1, 0, 0, 1, {}};
  dot.v[0] = {5, 0, 1.5};
  a.holes.addEntity() = dot;

  const std::string path = dir.file("openings.RAY");
  WriteRay(path, a, RayConfig(4), SectionLine{}, kRayReceivers);
  Project b;
  SectionLine s;
  ASSERT_TRUE(ReadRay(path, b, s));
  ASSERT_EQ(b.doors.count(), 1);
  EXPECT_EQ(b.doors[1].Nv, 2);
  EXPECT_EQ(b.doors[1].Face, 1);
  EXPECT_EQ(b.doors[1].v[1], (Point3{2, 0, 0}));
  ASSERT_EQ(b.holes.count(), 1);
  EXPECT_EQ(b.holes[1].Nv, 1);
  EXPECT_EQ(b.holes[1].v[0], (Point3{5, 0, 1.5}));

  // The upper limits still hold, and a negative count is no count.
  for (const char* opening : {"  Door 0 0 6", "  Hole 0 0 51", "  Hole 0 0 -1"}) {
    WriteTextFile(path, std::string("EntityList\r\n Face 0 1 3 0 0 0 1 0 0 1 1 0\r\n") + opening +
                            "\r\nEnd\r\n");
    try {
      ReadRay(path, b, s);
      ADD_FAILURE() << "accepted: " << opening;
    } catch (const FormatError& e) {
      EXPECT_EQ(e.line(), 3) << opening;
    }
  }
}

TEST(RayFile, DivisionCountsWithDecimalsAreRoundedHalfToEven) {
  ScratchFolder dir;
  const std::string path = dir.file("grid.RAY");
  const std::string model =
      "EntityList\r\n Face 0 1 3 0 0 0 1 0 0 1 1 0\r\nEnd\r\n\"Mappatura\"\r\n"
      "X1, 1\r\nY1, 2\r\nZ1, 3\r\nX2, 4\r\nY2, 5\r\nZ2, 6\r\n";
  struct Case {
    const char* counts;
    short x, y;
  } cases[] = {{"NdivX, 7.6\r\nNdivY, 6.5\r\n", 8, 6},
               {"NdivX, 2.5\r\nNdivY, -0.4\r\n", 2, 0},
               {"NdivX, 10\r\nNdivY, 3.5E1\r\n", 10, 35}};
  for (const Case& c : cases) {
    WriteTextFile(path, model + c.counts);
    Project p;
    SectionLine s;
    ASSERT_TRUE(ReadRay(path, p, s)) << c.counts;
    EXPECT_EQ(p.faces.count(), 1) << c.counts;
    EXPECT_EQ(s.Z2, 6) << c.counts;
    EXPECT_EQ(p.NdivX, c.x) << c.counts;
    EXPECT_EQ(p.NdivY, c.y) << c.counts;
  }
  // A count no 16-bit integer holds is still refused, with its line.
  WriteTextFile(path, model + "NdivX, 40000\r\n");
  Project p;
  SectionLine s;
  try {
    ReadRay(path, p, s);
    FAIL() << "a division count of 40000 was read";
  } catch (const FormatError& e) {
    EXPECT_EQ(e.line(), 11);
  }
}

TEST(RayFile, RoadsBecomeSourceChainsWithTheSpacingCarriedAcrossVertices) {
  ScratchFolder dir;
  Project p;
  Strada& road = p.strade.addEntity();
  road.vertices = {LineVertex{0, 0, 2}, LineVertex{10.5, 0, 2}, LineVertex{10.5, 0.5, 2},
                   LineVertex{10.5, 5.5, 4}};
  Binario& track = p.binari.addEntity();
  track.vertices = {LineVertex{0, 100, 0}, LineVertex{3, 100, 0}};
  const std::string path = dir.file("net.RAY");
  p.NdivX = 1;
  p.NdivY = 1;
  WriteRay(path, p, RayConfig(2), SectionLine{0, 0, 4, 0, 0, 4}, kRayGrid);
  Project b;
  SectionLine s;
  ASSERT_TRUE(ReadRay(path, b, s));
  // 0..10 on the first segment; the 0.5 m segment gives none and keeps the
  // carry of 1.5 m; the last one, 5 m long and rising 2 m, gives 1.5 and 3.5.
  const double x[] = {0, 2, 4, 6, 8, 10, 10.5, 10.5};
  const double y[] = {0, 0, 0, 0, 0, 0, 2, 4};
  ASSERT_EQ(b.sources.count(), 8 + 2);
  for (long i = 1; i <= 8; ++i) {
    const Source& q = b.sources[i];
    EXPECT_DOUBLE_EQ(q.X, x[i - 1]) << i;
    EXPECT_DOUBLE_EQ(q.Y, y[i - 1]) << i;
    EXPECT_EQ(q.Tgt4, 0);
    EXPECT_EQ(q.Nome, dir.path() + "/STR-0001.SPK");
  }
  EXPECT_DOUBLE_EQ(b.sources[1].TgtX, 1);  // aiming 1 m further along
  EXPECT_DOUBLE_EQ(b.sources[1].Z, 2.5);   // raised by Hsorg
  EXPECT_DOUBLE_EQ(b.sources[7].Z, 2 + 2 * 1.5 / 5 + 0.5);
  EXPECT_DOUBLE_EQ(b.sources[7].TgtY, 3);
  EXPECT_DOUBLE_EQ(b.sources[8].TgtZ, 2 + 2 * 4.5 / 5 + 0.5);
  EXPECT_DOUBLE_EQ(b.sources[10].X, 2);
  EXPECT_EQ(b.sources[10].Nome, dir.path() + "/BIN-0001.SPK");
}

TEST(RayFile, ReceiverGridsAndRefusals) {
  ScratchFolder dir;
  const std::string path = dir.file("grid.RAY");
  Project p;
  p.strade.addEntity();
  Punto& pt = p.punti.addEntity();
  pt = Punto{5, 6, 7, "P1"};
  p.NdivX = 2;
  p.NdivY = 3;
  p.NdivO = 2;
  p.NdivZ = 2;

  // Horizontal: (2 + 1) x (3 + 1) receivers, aiming Hrec below.
  WriteRay(path, p, RayConfig(4), SectionLine{0, 0, 4, 10, 30, 4}, kRayGrid);
  Project b;
  SectionLine s;
  ReadRay(path, b, s);
  ASSERT_EQ(b.receivers.count(), 12);
  EXPECT_EQ(b.receivers[2].Y, 10);
  EXPECT_EQ(b.receivers[5].X, 5);
  EXPECT_EQ(b.receivers[12].X, 10);
  EXPECT_EQ(b.receivers[12].Y, 30);
  EXPECT_EQ(b.receivers[12].TgtZ, 0);

  // Vertical: along the section, heights 0 (raised to 0.1), 5 and 10.
  WriteRay(path, p, RayConfig(4), SectionLine{0, 0, 0, 20, 10, 10}, 7);
  ReadRay(path, b, s);
  ASSERT_EQ(b.receivers.count(), 9);
  EXPECT_EQ(b.receivers[1].Z, 0.1);
  EXPECT_DOUBLE_EQ(b.receivers[1].TgtZ, 0.1 - 1.5);
  EXPECT_EQ(b.receivers[6].X, 10);
  EXPECT_EQ(b.receivers[6].Y, 5);
  EXPECT_EQ(b.receivers[6].Z, 10);

  WriteRay(path, p, RayConfig(4), SectionLine{}, kRayPunti);
  ReadRay(path, b, s);
  ASSERT_EQ(b.receivers.count(), 1);
  EXPECT_EQ(b.receivers[1].TgtZ, 3);

  // No division, or no spacing, refuses before anything is written.
  std::filesystem::remove(path);
  p.NdivY = 0;
  EXPECT_THROW(WriteRay(path, p, RayConfig(4), SectionLine{0, 0, 4, 1, 1, 4}, kRayGrid),
               RayWriteRefused);
  p.NdivY = 3;
  p.NdivZ = 0;
  EXPECT_THROW(WriteRay(path, p, RayConfig(4), SectionLine{0, 0, 0, 1, 1, 4}, kRayGrid),
               RayWriteRefused);
  EXPECT_THROW(WriteRay(path, p, RayConfig(0), SectionLine{}, kRayPunti), RayWriteRefused);
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace sonvale
