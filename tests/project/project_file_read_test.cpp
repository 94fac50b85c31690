// Reading project files of the earlier format versions, and files that do not
// match the layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "project/project_file.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

std::string Fixture(const char* name) { return std::string(SONVALE_FIXTURES) + "/svp/" + name; }

void ExpectExtent(const Project& p, double xmin, double xmax, double ymin, double ymax) {
  EXPECT_EQ(p.extent.Xmin, xmin);
  EXPECT_EQ(p.extent.Xmax, xmax);
  EXPECT_EQ(p.extent.Ymin, ymin);
  EXPECT_EQ(p.extent.Ymax, ymax);
}

TEST(ProjectFileRead, Version12HasOnlyLinesAndSections) {
  Project p;
  p.QuotaZ = 12;  // settings the file does not hold stay as they were
  p.Algorithm = 3;
  p.DistMax = 999;
  p.barriere.addEntity().vertices = {{1, 2, 3}};
  p.ExtendExtent(-1e6, -1e6);
  const ReadResult r = ReadProjectFile(Fixture("v12.svp"), p);
  EXPECT_EQ(r.version, 1.2);
  EXPECT_FALSE(r.yearMissing);
  EXPECT_EQ(r.unknownKeywords, 0);

  ASSERT_EQ(p.strade.count(), 1);
  const Strada& s = p.strade[1];
  EXPECT_EQ(s.Nome, "Via Emilia");
  EXPECT_EQ(s.Pendenza, 1);
  EXPECT_EQ(s.Pavimentaz, 2);
  EXPECT_EQ(s.HmedSX, 6.5);
  EXPECT_EQ(s.HmedDX, 9);
  EXPECT_EQ(s.LeqDay, 68.25);
  EXPECT_EQ(s.LeqNight, 59.5);
  EXPECT_EQ(s.FixLeqDay, 0);  // not a fixed-level road
  EXPECT_EQ(s.NveicDay, (std::array<long, 6>{0, 9000, 300, 120, 80, 400}));
  EXPECT_EQ(s.VelDay, (std::array<long, 6>{0, 4, 4, 3, 3, 2}));
  EXPECT_EQ(s.NveicNight, (std::array<long, 6>{0, 1500, 40, 10, 25, 30}));
  EXPECT_EQ(s.VelNight, (std::array<long, 6>{0, 5, 5, 5, 5, 6}));
  ASSERT_EQ(s.Npunti(), 2);
  EXPECT_EQ(s.vertex(2), (LineVertex{1250.5, 1980, -2.5, 8, 6.5f}));

  ASSERT_EQ(p.binari.count(), 1);
  const Binario& b = p.binari[1];
  EXPECT_EQ(b.Nome, "Linea Nord");
  EXPECT_EQ(b.TipoArmamento, 1);
  EXPECT_EQ(b.LeqNight, 66);
  EXPECT_EQ(b.NtreniDay, (std::array<long, 4>{0, 12, 40, 8}));
  EXPECT_EQ(b.LungDay, (std::array<long, 4>{0, 500, 120, 300}));
  EXPECT_EQ(b.VelDay, (std::array<long, 4>{0, 1, 2, 3}));
  EXPECT_EQ(b.NtreniNight, (std::array<long, 4>{0, 6, 4, 2}));
  EXPECT_EQ(b.LungNight, (std::array<long, 4>{0, 450, 110, 310}));
  EXPECT_EQ(b.VelNight, (std::array<long, 4>{0, 0, 1, 2}));
  EXPECT_EQ(b.vertex(2), (LineVertex{1100, -50, 5, 0, 0}));

  ASSERT_EQ(p.sezioni.count(), 1);
  EXPECT_EQ(p.sezioni[1].XL, 800);
  EXPECT_EQ(p.sezioni[1].ZR, 40);
  EXPECT_EQ(p.barriere.count(), 0);
  EXPECT_EQ(p.punti.count(), 0);
  EXPECT_EQ(p.Anno, 2004);
  EXPECT_EQ(p.QuotaZ, 12);
  EXPECT_EQ(p.Algorithm, 3);
  EXPECT_EQ(p.DistMax, 999);
  // Road and track vertices only; the section ends (800, 1200, 2500) do not count.
  ExpectExtent(p, 900, 1250.5, -50, 2100);
}

TEST(ProjectFileRead, Version25HasBarriersButNoBuildings) {
  Project p;
  p.DiffrCase = true;  // the file has no "Calcolo Diffrazione Case"
  p.Anno = 2020;
  Face& old = p.faces.addEntity();
  old.IsWall = old.HasOpenings = true;
  p.case_.addEntity().vertices = {{1, 1, 1}};
  const ReadResult r = ReadProjectFile(Fixture("v25.svp"), p);
  EXPECT_EQ(r.version, 2.5);
  EXPECT_TRUE(r.yearMissing);
  EXPECT_EQ(p.Anno, 2008);
  EXPECT_EQ(r.unknownKeywords, 1);  // "Lamp"

  ASSERT_EQ(p.strade.count(), 1);
  EXPECT_EQ(p.strade[1].Pavimentaz, -1);
  EXPECT_EQ(p.strade[1].LeqDay, 72);
  EXPECT_EQ(p.strade[1].LeqNight, 64.5);
  EXPECT_EQ(p.strade[1].FixLeqDay, 72);
  EXPECT_EQ(p.strade[1].FixLeqNight, 64.5);
  EXPECT_EQ(p.binari.count(), 0);
  ASSERT_EQ(p.barriere.count(), 1);
  EXPECT_EQ(p.barriere[1].vertex(2), (Point3{250, -10, 4.5}));
  EXPECT_EQ(p.case_.count(), 0);
  ASSERT_EQ(p.incroci.count(), 1);
  EXPECT_EQ(p.incroci[1].X, 999);
  EXPECT_EQ(p.incroci[1].Y, 999);
  ASSERT_EQ(p.punti.count(), 2);
  EXPECT_EQ(p.punti[2].X, 120);
  EXPECT_EQ(p.punti[2].Z, 4);
  EXPECT_EQ(p.punti[2].Nome, "");

  EXPECT_EQ(p.QuotaZ, 4);
  EXPECT_EQ(p.SovralzoZ, 1.5);
  EXPECT_TRUE(p.DiffrBarriere);
  EXPECT_TRUE(p.DiffrCase);
  EXPECT_EQ(p.ModoMappatura, MappingMode::Terrain);
  EXPECT_FALSE(p.Diurno);
  EXPECT_TRUE(p.EmissioneDiurna);
  // F = -9: bit 0 of F set, -F = 9 has bits 0 and 3.
  EXPECT_TRUE(p.AzzeraStandard);
  EXPECT_FALSE(p.IgnoraRidFonoass);
  EXPECT_FALSE(p.AzzeraFonoass);
  EXPECT_TRUE(p.IgnoraFisse);
  EXPECT_EQ(p.DistMax, 1200);
  EXPECT_EQ(p.FileAltimetria, "terreno.grd");
  EXPECT_EQ(p.Algorithm, 0);

  // Face 1 is plain in this file: the wall of the earlier project is gone.
  ASSERT_EQ(p.faces.count(), 1);
  EXPECT_FALSE(p.faces[1].IsWall);
  EXPECT_FALSE(p.faces[1].HasOpenings);
  EXPECT_EQ(p.faces[1].Material, 3);
  EXPECT_EQ(p.faces[1].Nv, 3);
  EXPECT_EQ(p.faces[1].v[2], (Point3{10, 0, 5}));
  // The crossing at (999, 999) does not widen the extent; the face does.
  ExpectExtent(p, 0, 300, -10, 400);
}

TEST(ProjectFileRead, Version30HasBuildingsAndUnnamedPoints) {
  Project p;
  p.sources.addEntity().Lwnight = 80;  // an earlier project's night level
  const ReadResult r = ReadProjectFile(Fixture("v30.svp"), p);
  EXPECT_FALSE(r.yearMissing);
  EXPECT_EQ(p.Anno, 2010);
  ASSERT_EQ(p.case_.count(), 1);
  EXPECT_EQ(p.case_[1].vertex(3), (Point3{30, 25, 15.5}));
  ASSERT_EQ(p.punti.count(), 1);
  EXPECT_EQ(p.punti[1].Y, 40);
  EXPECT_EQ(p.punti[1].Nome, "");
  EXPECT_TRUE(p.DiffrCase);
  EXPECT_EQ(p.ModoMappatura, MappingMode::Section);
  EXPECT_FALSE(p.EmissioneDiurna);
  // F = -6: bit 0 of F clear, -F = 6 has bits 1 and 2.
  EXPECT_FALSE(p.AzzeraStandard);
  EXPECT_TRUE(p.IgnoraRidFonoass);
  EXPECT_TRUE(p.AzzeraFonoass);
  EXPECT_FALSE(p.IgnoraFisse);
  EXPECT_EQ(p.Algorithm, 3);
  EXPECT_EQ(p.NdivX, 50);
  EXPECT_EQ(p.NdivY, 40);
  EXPECT_EQ(p.NdivO, 60);
  EXPECT_EQ(p.NdivZ, 20);
  EXPECT_EQ(p.plans.count(), 0);

  ASSERT_EQ(p.faces.count(), 1);
  EXPECT_TRUE(p.faces[1].IsWall);
  EXPECT_TRUE(p.faces[1].HasOpenings);
  EXPECT_EQ(p.faces[1].Flag, 1);
  EXPECT_EQ(p.faces[1].Material, 7);
  ASSERT_EQ(p.holes.count(), 1);
  EXPECT_EQ(p.holes[1].Face, 1);
  EXPECT_EQ(p.holes[1].Material, 9);
  EXPECT_EQ(p.holes[1].v[3], (Point3{1, 0, 2}));
  ASSERT_EQ(p.doors.count(), 1);
  EXPECT_EQ(p.doors[1].Face, 1);
  EXPECT_EQ(p.doors[1].Nv, 4);
  EXPECT_EQ(p.doors[1].v[2], (Point3{6, -1, 2.1}));

  // No "Lwnight" line: the night level is the one of the cleared slot, not the
  // earlier project's.
  ASSERT_EQ(p.sources.count(), 1);
  const Source& s = p.sources[1];
  EXPECT_EQ(s.Lw, 95);
  EXPECT_EQ(s.Lwnight, 0);
  EXPECT_EQ(s.TgtX, 4);
  EXPECT_EQ(s.TgtY, 15);
  EXPECT_EQ(s.TgtZ, 1.2);
  EXPECT_EQ(s.Tgt4, 0);
  EXPECT_EQ(s.Nome, "Ventilatore");
  ASSERT_EQ(p.receivers.count(), 1);
  EXPECT_EQ(p.receivers[1].Y, 30);
  EXPECT_EQ(p.receivers[1].TgtZ, 1.5);
  // The door at y = -1 is outside the extent.
  ExpectExtent(p, 0, 30, 0, 40);
}

TEST(ProjectFileRead, Version305HasNamedPointsAndPlans) {
  Project p;
  const ReadResult r = ReadProjectFile(Fixture("v305.svp"), p);  // CR LF line ends
  EXPECT_EQ(r.version, 3.05);
  ASSERT_EQ(p.punti.count(), 2);
  EXPECT_EQ(p.punti[1].Nome, "Scuola, lato nord");
  EXPECT_EQ(p.punti[2].Nome, "Caffè");
  EXPECT_EQ(p.punti[2].Y, -8);
  EXPECT_EQ(p.NdivZ, 16);
  EXPECT_EQ(p.CurrentPlan, 1);
  ASSERT_EQ(p.plans.count(), 1);
  ASSERT_EQ(p.plans[1].Npunti(), 3);
  EXPECT_EQ(p.plans[1].vertex(3), (Point3{100, 50, 0}));
  ASSERT_EQ(p.sources.count(), 1);
  EXPECT_EQ(p.sources[1].Lwnight, 85);
  EXPECT_EQ(p.sources[1].TgtY, 12);
  EXPECT_EQ(p.sources[1].Nome, "Pompa");
  ExpectExtent(p, 0, 100, -8, 50);
}

// A project whose every visible part must survive a failed load.
Project Previous() {
  Project p;
  p.strade.addEntity().Nome = "Keep";
  p.faces.addEntity().IsWall = true;
  p.Anno = 1999;
  p.QuotaZ = 7;
  p.ExtendExtent(5, 6);
  return p;
}

void ExpectFailsAtLine(const std::string& text, long line, const char* what) {
  SCOPED_TRACE(what);
  Project p = Previous();
  try {
    ReadProjectText("bad.svp", text, p);
    ADD_FAILURE() << "no error";
  } catch (const FormatError& e) {
    EXPECT_EQ(e.file(), "bad.svp");
    EXPECT_EQ(e.line(), line);
  }
  EXPECT_EQ(p.strade.count(), 1);
  EXPECT_EQ(p.strade[1].Nome, "Keep");
  EXPECT_EQ(p.faces.count(), 1);
  EXPECT_TRUE(p.faces[1].IsWall);
  EXPECT_EQ(p.Anno, 1999);
  EXPECT_EQ(p.QuotaZ, 7);
  ExpectExtent(p, 5, 5, 6, 6);
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(ProjectFileRead, MismatchedFilesLeaveTheProjectAsItWas) {
  // Lines of the empty project: 2 "Nstrade", 3 "Nbinari", 4 "Nsezioni", ...,
  // 28 "EntityList", 29 "EndFile".
  const std::string empty = ProjectFileText(Project{});
  ExpectFailsAtLine(Replace(empty, "\"EndFile\"\r\n", ""), 28, "ends before EndFile");
  ExpectFailsAtLine(Replace(empty, "\"Nsezioni\",0", "\"Nsezioni\",zero"), 4, "text for a count");
  ExpectFailsAtLine(Replace(empty, "\"Nstrade\",0", "\"Nstrade\",9001"), 2, "too many roads");
  ExpectFailsAtLine(Replace(empty, "\"Nbinari\",0", "\"Nbinari\",-1"), 3, "negative count");
  ExpectFailsAtLine(Replace(empty, "\"Nplans\",0", "\"Nplans\",21"), 27, "too many plans");
  ExpectFailsAtLine(Replace(empty, "\"EntityList\"\r\n", "\"EntityList\"\r\n\"Face\",0,1,5\r\n"),
                    29, "face with five vertices");
  ExpectFailsAtLine(Replace(empty, "\"EntityList\"\r\n", "\"EntityList\"\r\n\"Hole\",0,1,1\r\n"),
                    29, "hole before any face");
  ExpectFailsAtLine(
      Replace(empty, "\"EntityList\"\r\n", "\"EntityList\"\r\n\"Source\",1,2,3,90\r\n"), 30,
      "source cut short");  // "EndFile" on line 30 is taken for its label, then the file ends
  ExpectFailsAtLine("", 1, "empty file");
  const std::string mode = "\"Calcolo su piano orizzontale\",";
  const long modeLine = std::count(empty.begin(), empty.begin() + empty.find(mode), '\n') + 1;
  ExpectFailsAtLine(Replace(empty, mode + "0", mode + "3"), modeLine, "unknown mapping mode");
  ExpectFailsAtLine(Replace(empty, mode + "0", mode + "-1"), modeLine, "negative mapping mode");
  ExpectFailsAtLine(Replace(empty, "\"Nstrade\",0", "\"Nstrade\"," + std::string(100'000, '9')), 2,
                    "a count of a hundred thousand digits");

  // Lines of a one-road project: 3 "Strada n.", 17 "P.num.", 18 to 20 the vertices.
  Project one;
  Strada& s = one.strade.addEntity();
  s.Nome = "Via Roma";
  s.vertices = {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}};
  const std::string road = ProjectFileText(one);
  ExpectFailsAtLine(Replace(road, "\"Npunti=\",3", "\"Npunti=\",2001"), 3, "too many vertices");
  ExpectFailsAtLine(road.substr(0, road.find(" 3 , 11 ")), 19, "cut inside the vertices");
  ExpectFailsAtLine(Replace(road, " 2 , 6 , 7 ", " 2 , 6 , seven "), 19, "text for a coordinate");

  Project p = Previous();
  EXPECT_THROW(ReadProjectFile(Fixture("no-such-file.svp"), p), FileError);
  EXPECT_EQ(p.strade[1].Nome, "Keep");
}

}  // namespace
}  // namespace sonvale
