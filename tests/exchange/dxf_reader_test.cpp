#include "exchange/dxf_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "exchange/dxf_samples.h"
#include "support/dxf_report.h"
#include "support/table_files.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

using namespace dxftest;

class DxfReaderTest : public ::testing::Test {
 protected:
  std::string file(const std::string& name, const std::string& entities) {
    return WriteText(dir.file(name), Drawing(entities));
  }
  long roads(const std::string& path, const std::string& layer, std::optional<std::string> box,
             DxfImportModes modes = {}) {
    ui.inputs.push_back(box);
    return ReadPolylines(path, layer, PolylineTable::Strade, project, config, modes, ui,
                         ui.question());
  }

  ScratchFolder dir;
  Project project;
  Configuration config = Layers();
  DxfReport ui;
};

TEST_F(DxfReaderTest, DataReductionKeepsThePolylineEndButNotTheLwPolylineEnd) {
  std::string path =
      file("red.dxf", Lw("STRADE", {{0, 10}, {0.6, 10}, {1.2, 10}, {1.8, 10}}) +
                          Poly("STRADE", {{0, 0, 5}, {0.6, 0, 5}, {1.2, 0, 5}, {1.8, 0, 6}}));
  EXPECT_EQ(roads(path, "STRADE", "1"), 2);
  EXPECT_EQ(ui.asked, std::vector<std::string>{"STRADE"});
  // 0.6 from the last kept vertex is not more than 1: alternate vertices stay.
  const Strada& lw = project.strade[1];
  ASSERT_EQ(lw.Npunti(), 2);
  EXPECT_EQ(lw.vertex(2), (LineVertex{1.2, 10, 0, 0, 0}));
  const Strada& pl = project.strade[2];
  ASSERT_EQ(pl.Npunti(), 3);
  EXPECT_EQ(pl.vertex(2), (LineVertex{1.2, 0, 5, 0, 0}));
  EXPECT_EQ(pl.vertex(3), (LineVertex{1.8, 0, 6, 0, 0}));  // the true end, with its own Z
  EXPECT_EQ(ui.statuses.back(), "Ho letto 2 POLYLINES - STRADE");

  // Cancel gives 0: every vertex that is not a repeat of the one before stays.
  std::string rep = file("rep.dxf", Lw("STRADE", {{0, 50}, {0, 50}, {0.01, 50}, {5, 50}}));
  EXPECT_EQ(roads(rep, "STRADE", std::nullopt), 3);
  EXPECT_EQ(project.strade[3].Npunti(), 3);
  EXPECT_EQ(ui.statuses.back(), "Ho letto 3 POLYLINES - STRADE");

  // A layer that is not configured is reduced at 0.1 m without asking.
  DxfReport quiet;
  std::string other = file("other.dxf", Lw("Fossi", {{0, 0}, {0.1, 0}, {0.25, 0}, {0.3, 0}}));
  EXPECT_EQ(ReadPolylines(other, "Fossi", PolylineTable::Binari, project, config, {}, quiet,
                          quiet.question()),
            1);
  EXPECT_TRUE(quiet.asked.empty());
  ASSERT_EQ(project.binari[1].Npunti(), 2);
  EXPECT_EQ(project.binari[1].vertex(2).X, 0.25);
  EXPECT_EQ(quiet.statuses.back(), "Ho letto 1 POLYLINES - FOSSI");
}

TEST_F(DxfReaderTest, ClosingRoadEndAndWidths) {
  std::vector<P2> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  std::string onCase = file("case.dxf", Lw("CASE", square, true));
  ui.inputs.push_back("1");
  EXPECT_EQ(
      ReadPolylines(onCase, "CASE", PolylineTable::Case, project, config, {}, ui, ui.question()),
      1);
  ASSERT_EQ(project.case_[1].Npunti(), 5);
  EXPECT_EQ(project.case_[1].vertex(5), (Point3{0, 0, 0}));
  std::string onRoads = file("str.dxf", Lw("STRADE", square, true));
  EXPECT_EQ(roads(onRoads, "STRADE", "1"), 1);
  EXPECT_EQ(project.strade[1].Npunti(), 4);

  // Back to within 0.44 m of the start: the end vertex goes (0.44^2 < 0.2 <= 0.45^2),
  // on the roads layer only.
  std::string back = file("back.dxf", Lw("STRADE", {{0, 0}, {100, 0}, {100, 100}, {0.44, 0}}) +
                                          Lw("STRADE", {{0, 0}, {100, 0}, {100, 100}, {0.45, 0}}));
  EXPECT_EQ(roads(back, "STRADE", "1"), 3);
  EXPECT_EQ(project.strade[2].Npunti(), 3);
  EXPECT_EQ(project.strade[3].Npunti(), 4);
  std::string rail = file("rail.dxf", Lw("BINARI", {{0, 0}, {100, 0}, {100, 100}, {0.44, 0}}));
  ui.inputs.push_back("1");
  ReadPolylines(rail, "BINARI", PolylineTable::Binari, project, config, {}, ui, ui.question());
  EXPECT_EQ(project.binari[1].Npunti(), 4);

  // Constant width 43 reaches every vertex; 40/41 belong to the vertex before them.
  std::string widths = file("w.dxf", Lw("STRADE", {{0, 0}, {10, 0}, {20, 0}}, false, G(43, 6.0)) +
                                         Lw("STRADE", {{0, 20}, {10, 20}, {20, 20}}, false, "",
                                            {G(40, 2.0) + G(41, 3.0), G(40, 4.0) + G(41, 5.0)}) +
                                         Poly("STRADE", {{0, 40, 1}, {10, 40, 1}}));
  EXPECT_EQ(roads(widths, "STRADE", "1"), 6);
  for (long k = 1; k <= 3; ++k) {
    EXPECT_EQ(project.strade[4].vertex(k).SW, 6.0f);
    EXPECT_EQ(project.strade[4].vertex(k).EW, 6.0f);
  }
  EXPECT_EQ(project.strade[5].vertex(1).SW, 2.0f);
  EXPECT_EQ(project.strade[5].vertex(1).EW, 3.0f);
  EXPECT_EQ(project.strade[5].vertex(2).SW, 4.0f);
  EXPECT_EQ(project.strade[5].vertex(2).EW, 5.0f);
  EXPECT_EQ(project.strade[5].vertex(3).SW, 0.0f);
  EXPECT_EQ(project.strade[6].vertex(2), (LineVertex{10, 40, 1, 0, 0}));
}

TEST_F(DxfReaderTest, AccorpaKeepsTheFirstDirectionOfOpenLinesOnly) {
  std::string path = file(
      "dirs.dxf", Lw("STRADE", {{0, 0}, {100, 0}, {200, 50}}) +
                      Lw("STRADE", {{200.3, 50}, {100, 0}, {0, 0.3}}) +  // ends off by 0.6 in all
                      Lw("STRADE", {{200.5, 50}, {100, 0}, {0, 0.6}}) +  // off by 1.1: another line
                      Lw("STRADE", {{0, 500}, {100, 500}}));
  DxfImportModes accorpa;
  accorpa.Accorpa = true;
  EXPECT_EQ(roads(path, "STRADE", "1", accorpa), 3);
  EXPECT_EQ(project.strade[1].vertex(3).X, 200);
  EXPECT_EQ(project.strade[2].vertex(1).X, 200.5);
  EXPECT_EQ(project.strade[3].vertex(1).Y, 500);
  project.strade.setCount(0);
  EXPECT_EQ(roads(path, "STRADE", "1"), 4);

  // Neighbouring buildings starting at the same corner are two buildings, closed
  // by flag or drawn back to the start.
  std::string block =
      file("block.dxf", Lw("CASE", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true) +
                            Lw("CASE", {{0, 0}, {0, -10}, {-10, -10}, {-10, 0}}, true) +
                            Lw("CASE", {{0, 0}, {-10, 0}, {-10, 10}, {0, 10}, {0, 0}}) +
                            Poly("CASE", {{0, 0, 9}, {10, 0, 9}, {10, -10, 9}, {0, -10, 9}}, true));
  DxfImportModes both;
  both.Accorpa = true;
  both.Riconosci = true;
  ui.inputs.push_back("1");
  EXPECT_EQ(
      ReadPolylines(block, "CASE", PolylineTable::Case, project, config, both, ui, ui.question()),
      4);
  EXPECT_EQ(project.case_[2].vertex(2), (Point3{0, -10, 0}));
  EXPECT_EQ(project.case_[4].vertex(3), (Point3{10, -10, 9}));
  EXPECT_EQ(project.case_[4].Npunti(), 5);
  EXPECT_EQ(ui.notices.size(), 3u);  // the three outlines at Z = 0

  // An open outline left with a gap of 0.42 m at the same corner is not taken
  // for a closed building either, in whichever order the two come.
  std::string gap = Lw("CASE", {{0, 0.3}, {-5, 20}, {5, 20}, {0.3, 0}});
  std::string closed = Lw("CASE", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true);
  for (const std::string& order : {gap + closed, closed + gap}) {
    project.case_.setCount(0);
    ui.inputs.push_back("1");
    EXPECT_EQ(ReadPolylines(file("gap.dxf", order), "CASE", PolylineTable::Case, project, config,
                            both, ui, ui.question()),
              2);
  }
}

TEST_F(DxfReaderTest, RiconosciUpdatesTheMatchingRowAndKeepsItsData) {
  std::string first = file(
      "r1.dxf", Lw("STRADE", {{0, 0}, {50, 0}, {100, 0}}) + Lw("STRADE", {{0, 100}, {100, 100}}));
  DxfImportModes ricon;
  ricon.Riconosci = true;
  EXPECT_EQ(roads(first, "STRADE", "1", ricon), 2);
  project.strade[1].Nome = "Via Roma";
  project.strade[1].NveicDay[1] = 500;
  std::string second = file("r2.dxf", Lw("STRADE", {{0.2, 0}, {50, 20}, {70, 10}, {100.3, 0}}) +
                                          Lw("STRADE", {{0, 100}, {100, 100}}) +
                                          Lw("STRADE", {{0, 300}, {90, 300}}));
  EXPECT_EQ(roads(second, "STRADE", "1", ricon), 3);
  const Strada& r = project.strade[1];
  EXPECT_EQ(r.Nome, "Via Roma");
  EXPECT_EQ(r.NveicDay[1], 500);
  ASSERT_EQ(r.Npunti(), 4);
  EXPECT_EQ(r.vertex(2), (LineVertex{50, 20, 0, 0, 0}));
  EXPECT_EQ(project.strade[3].vertex(2).X, 90);
  // The same file again: the count stays, the rows take the file's geometry back.
  EXPECT_EQ(roads(first, "STRADE", "1", ricon), 3);
  EXPECT_EQ(project.strade[1].Npunti(), 3);
  EXPECT_EQ(project.strade[1].vertex(2), (LineVertex{50, 0, 0, 0, 0}));
  EXPECT_EQ(project.strade[1].NveicDay[1], 500);
}

TEST_F(DxfReaderTest, LayerTestsSubstringForPolylinesExactForFacesAndCircles) {
  std::string path =
      file("layers.dxf", Lw("STRADE", {{0, 0}, {10, 0}}) + Lw("strade_2", {{0, 10}, {10, 10}}) +
                             Poly("X-STRADE", {{0, 20, 1}, {10, 20, 1}}) +
                             Lw("STRAD", {{0, 30}, {10, 30}}) +
                             Face3d("SEZIONI", {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}}) +
                             Face3d("sezioni", {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}}) +
                             Face3d("SEZIONI_2", {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}) +
                             Circle("PUNTI", {1, 2, 3}, 1) + Circle("punti", {4, 5, 6}, 1) +
                             Circle("PUNTI_A", {7, 8, 9}, 1));
  EXPECT_EQ(roads(path, "STRADE", "1"), 3);
  EXPECT_EQ(project.strade[3].vertex(1).Y, 20);
  EXPECT_EQ(ReadFaces(path, "SEZIONI", project, ui), 2);
  const Sezione& s = project.sezioni[1];
  EXPECT_EQ(s.XL, 1);
  EXPECT_EQ(s.YL, 2);
  EXPECT_EQ(s.ZL, 3);
  EXPECT_EQ(s.XR, 7);
  EXPECT_EQ(s.YR, 8);
  EXPECT_EQ(s.ZR, 9);
  EXPECT_EQ(project.sezioni[2].XR, 3);
  EXPECT_EQ(ui.statuses.back(), "Ho letto 2 3DFACES - SEZIONI");
  EXPECT_EQ(ReadCircles(path, "PUNTI", PointTable::Punti, project, ui), 2);
  EXPECT_EQ(project.punti[2].X, 4);
  EXPECT_EQ(project.punti[2].Z, 6);
  EXPECT_EQ(ui.statuses.back(), "Ho letto 2 CIRCLES - PUNTI");
}

TEST_F(DxfReaderTest, CirclesNeedTheirZAndSourcesTakeTheRadius) {
  std::string path = file("circ.dxf", Circle("SORGENTI", {10, 20, 3}, 95.5) +
                                          Circle("SORGENTI", {30, 40, 0}, 80, false) +
                                          Circle("INCROCI", {5, 6, 7}, 1));
  EXPECT_EQ(ReadCircles(path, "SORGENTI", PointTable::Sorgenti, project, ui), 1);
  const Source& src = project.sources[1];
  EXPECT_EQ(src.X, 10);
  EXPECT_EQ(src.Y, 20);
  EXPECT_EQ(src.Z, 3);
  EXPECT_EQ(src.Lw, 95.5);
  EXPECT_EQ(ReadCircles(path, "INCROCI", PointTable::Incroci, project, ui), 1);
  EXPECT_EQ(project.incroci[1].X, 5);
  EXPECT_EQ(project.incroci[1].Z, 0);  // a crossing keeps no height
  EXPECT_EQ(ui.statuses.back(), "Ho letto 1 CIRCLES - INCROCI");
  EXPECT_EQ(project.extent.Xmax, 10);  // the centre without Z was not read
  EXPECT_EQ(project.extent.Ymin, 6);
}

TEST_F(DxfReaderTest, BarriersAtZeroRaiseOneBoxEach) {
  std::string path = file("bar.dxf", Poly("BARRIERE", {{0, 0, 0}, {10, 0, 0}}) +
                                         Poly("BARRIERE", {{0, 5, 3}, {10, 5, 0}}) +
                                         Lw("BARRIERE", {{0, 9}, {10, 9}}));
  ui.inputs.push_back("1");
  EXPECT_EQ(ReadPolylines(path, "BARRIERE", PolylineTable::Barriere, project, config, {}, ui,
                          ui.question()),
            3);
  ASSERT_EQ(ui.notices.size(), 2u);
  EXPECT_EQ(ui.notices[0].title, "Attenzione !");
  EXPECT_EQ(ui.notices[0].severity, Severity::Critical);
  EXPECT_EQ(ui.notices[0].text, "Entità tipo BARRIEREnumero: 1 a quota ZERO !!!!)");
  EXPECT_EQ(ui.notices[1].text, "Entità tipo BARRIEREnumero: 3 a quota ZERO !!!!)");
  EXPECT_EQ(ui.statuses.back(), "Ho letto 3 POLYLINES - BARRIERE");
  // Roads at Z = 0 are no cause for alarm.
  std::string flat = file("flat.dxf", Lw("STRADE", {{0, 0}, {10, 0}}));
  roads(flat, "STRADE", "1");
  EXPECT_EQ(ui.notices.size(), 2u);
}

TEST_F(DxfReaderTest, ExtentsGrowWithStoredVerticesOnly) {
  project.extent = Extent{0, 10, 0, 10};
  // (10.3, 2) is 0.8 from the vertex before: dropped, so Xmax stays 10.
  std::string path =
      file("ext.dxf", Lw("STRADE", {{2, 2}, {9.5, 2}, {10.3, 2}}) +
                          Face3d("SEZIONI", {{1, 2, 0}, {-4, 3, 0}, {5, 6, 0}, {7, 12, 0}}) +
                          Circle("PUNTI", {3, -2, 0}, 1));
  roads(path, "STRADE", "1");
  EXPECT_EQ(project.extent.Xmax, 10);
  EXPECT_EQ(project.strade[1].Npunti(), 2);
  ReadFaces(path, "SEZIONI", project, ui);  // corners 11 and 13 count too
  EXPECT_EQ(project.extent.Xmin, -4);
  EXPECT_EQ(project.extent.Ymax, 12);
  ReadCircles(path, "PUNTI", PointTable::Punti, project, ui);
  EXPECT_EQ(project.extent.Ymin, -2);
  EXPECT_EQ(project.extent.Xmax, 10);
}

TEST_F(DxfReaderTest, AFailedImportLeavesTheProjectAsItWas) {
  project.strade.addEntity().Nome = "Via Vecchia";
  project.strade[1].vertices = {{1, 1, 1, 0, 0}, {2, 2, 2, 0, 0}};
  project.extent = Extent{0, 5, 0, 5};
  std::string bad = G(0, "POLYLINE") + G(8, "STRADE") + G(70, "0") + G(0, "VERTEX") +
                    G(8, "STRADE") + G(10, 100.0) + G(20, 200.0) + G(42, 0.5) + G(0, "SEQEND");
  std::string text =
      Drawing(Lw("STRADE", {{0, 0}, {50, 50}}) + Lw("STRADE", {{0, 9}, {60, 60}}) + bad);
  std::string path = WriteText(dir.file("bad.dxf"), text);
  size_t at = text.find("  42\n");
  long expectedLine = 1 + static_cast<long>(std::count(text.begin(), text.begin() + at, '\n'));
  ui.inputs.push_back("1");
  try {
    ReadPolylines(path, "STRADE", PolylineTable::Strade, project, config, {}, ui, ui.question());
    ADD_FAILURE() << "no error";
  } catch (const FormatError& e) {
    EXPECT_EQ(e.file(), path);
    EXPECT_EQ(e.line(), expectedLine);
  }
  EXPECT_EQ(ui.alerts, 1);
  EXPECT_EQ(project.strade.count(), 1);
  EXPECT_EQ(project.strade[1].Nome, "Via Vecchia");
  EXPECT_EQ(project.strade[1].Npunti(), 2);
  EXPECT_EQ(project.extent.Xmax, 5);
  EXPECT_TRUE(ui.statuses.empty());

  std::string badFace =
      WriteText(dir.file("face.dxf"),
                Drawing(Face3d("SEZIONI", {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {1, 1, 1}}) +
                        G(0, "3DFACE") + G(8, "SEZIONI") + G(10, 1.0) + G(30, 1.0)));
  EXPECT_THROW(ReadFaces(badFace, "SEZIONI", project, ui), FormatError);
  EXPECT_EQ(project.sezioni.count(), 0);
  EXPECT_EQ(project.extent.Xmax, 5);

  // A full plan table: nothing of the file is taken.
  for (int k = 0; k < 19; ++k) project.plans.addEntity().vertices = {{0, 0, 0}};
  std::string plans =
      file("plans.dxf", Lw("PIANI", {{0, 0}, {10, 0}}) + Lw("PIANI", {{0, 5}, {10, 5}}));
  EXPECT_THROW(
      ReadPolylines(plans, "PIANI", PolylineTable::Plans, project, config, {}, ui, ui.question()),
      CapacityError);
  EXPECT_EQ(project.plans.count(), 19);
  EXPECT_EQ(project.plans[19].Npunti(), 1);
  // A barrier with more vertices than a barrier may hold.
  std::vector<P2> many;
  for (int k = 0; k <= 500; ++k) many.push_back({2.0 * k, 0});
  std::string longBarrier = file("long.dxf", Lw("MURI", many));
  try {
    ReadPolylines(longBarrier, "MURI", PolylineTable::Barriere, project, config, {}, ui,
                  ui.question());
    ADD_FAILURE() << "501 vertices taken";
  } catch (const CapacityError& e) {
    std::string what = e.what();
    EXPECT_EQ(what.rfind(longBarrier + ": line ", 0), 0u) << what;
    EXPECT_NE(what.find("(at most 500)"), std::string::npos) << what;
  }
  EXPECT_EQ(project.barriere.count(), 0);
  EXPECT_EQ(project.extent.Xmax, 5);
}

TEST_F(DxfReaderTest, NewRowsStartClearedUnlessTheyAreReplacedInPlace) {
  Strada& old = project.strade.addEntity();
  old.Nome = "Via Po";
  old.NveicDay[1] = 700;
  project.strade.setCount(0);
  std::string poly = file("p.dxf", Poly("STRADE", {{0, 0, 1}, {10, 0, 1}}));
  roads(poly, "STRADE", "1");
  EXPECT_EQ(project.strade[1].Nome, "");
  EXPECT_EQ(project.strade[1].NveicDay[1], 0);

  project.strade[1].Nome = "Via Po";
  project.strade[1].NveicDay[1] = 700;
  project.strade.setCount(0);
  DxfImportModes inPlace;
  inPlace.keepRowData = true;
  roads(poly, "STRADE", "1", inPlace);
  EXPECT_EQ(project.strade[1].Nome, "Via Po");  // a POLYLINE writes no name
  EXPECT_EQ(project.strade[1].NveicDay[1], 700);
  project.strade.setCount(0);
  std::string lw = file("l.dxf", Lw("STRADE", {{0, 0}, {10, 0}}));
  roads(lw, "STRADE", "1", inPlace);
  EXPECT_EQ(project.strade[1].Nome, "");
  EXPECT_EQ(project.strade[1].NveicDay[1], 700);
}

TEST_F(DxfReaderTest, LimitaPlansKeepsLinesThatStartOrEndNearAPlan) {
  project.DistMax = 100;
  std::string path = file("lim.dxf", Lw("STRADE", {{50, 50}, {500, 500}}) +
                                         Lw("STRADE", {{2000, 2000}, {1050, 30}}) +
                                         Lw("STRADE", {{500, 500}, {600, 600}}));
  DxfImportModes limit;
  limit.LimitaPlans = true;
  EXPECT_EQ(roads(path, "STRADE", "1", limit), 0);  // no plan, no road
  project.plans.addEntity().vertices = {{0, 0, 0}, {1000, 0, 0}};
  EXPECT_EQ(roads(path, "STRADE", "1", limit), 2);
  EXPECT_EQ(project.strade[2].vertex(1).X, 2000);
  // A plan being read is near itself.
  project.plans.setCount(0);
  std::string plan = file("plan.dxf", Lw("PIANO", {{5000, 5000}, {6000, 5000}}));
  EXPECT_EQ(
      ReadPolylines(plan, "PIANO", PolylineTable::Plans, project, config, limit, ui, ui.question()),
      1);
}

TEST_F(DxfReaderTest, OnlyTheEntitiesSectionCountsAndAPolylineTakesItsVertexLayer) {
  std::string text =
      G(0, "SECTION") + G(2, "BLOCKS") + G(0, "BLOCK") + G(8, "STRADE") + G(2, "B1") + G(10, 0.0) +
      G(20, 0.0) + G(30, 0.0) + Poly("STRADE", {{0, 0, 1}, {10, 0, 1}}) + G(0, "ENDBLK") +
      G(0, "ENDSEC") + G(0, "SECTION") + G(2, "ENTITIES") + G(0, "INSERT") + G(8, "STRADE") +
      G(2, "B1") + G(10, 5.0) + G(20, 5.0) + G(30, 0.0) +
      Poly("0", {{0, 70, 2}, {10, 70, 2}}, false, "STRADE") +
      Poly("STRADE", {{0, 80, 2}, {10, 80, 2}}, false, "0") + G(0, "ENDSEC") + G(0, "EOF");
  std::string path = WriteText(dir.file("blocks.dxf"), text);
  EXPECT_EQ(roads(path, "STRADE", "1"), 1);
  EXPECT_EQ(project.strade[1].vertex(1).Y, 70);
}

TEST_F(DxfReaderTest, HandWrittenQuarterWithCrLfAndIndentedCodes) {
  std::string path = std::string(SONVALE_FIXTURES) + "/dxf/quartiere_crlf.dxf";
  // The road in the block definition and its INSERT are not read.
  EXPECT_EQ(roads(path, "STRADE", "1"), 1);
  const Strada& r = project.strade[1];
  ASSERT_EQ(r.Npunti(), 3);  // 1000.6 is within 1 m of 1000
  EXPECT_EQ(r.vertex(2), (LineVertex{1001.2, 2000, 0, 6.0f, 6.0f}));
  EXPECT_EQ(r.vertex(3), (LineVertex{1050, 2000, 0, 6.0f, 6.0f}));
  ui.inputs.push_back("1");
  EXPECT_EQ(
      ReadPolylines(path, "CASE", PolylineTable::Case, project, config, {}, ui, ui.question()), 1);
  ASSERT_EQ(project.case_[1].Npunti(), 5);
  EXPECT_EQ(project.case_[1].vertex(3), (Point3{1020, 2020, 12}));
  EXPECT_TRUE(ui.notices.empty());
  EXPECT_EQ(ReadCircles(path, "PUNTI", PointTable::Punti, project, ui), 1);
  EXPECT_EQ(project.punti[1].Z, 4);
  EXPECT_EQ(ReadFaces(path, "SEZIONI", project, ui), 1);
  EXPECT_EQ(project.sezioni[1].XR, 1060);
  EXPECT_EQ(project.sezioni[1].ZR, 30);
  // The header's extents are not the drawing's: only stored entities count.
  EXPECT_EQ(project.extent.Xmin, 1000);
  EXPECT_EQ(project.extent.Xmax, 1060);
  EXPECT_EQ(project.extent.Ymin, 1990);
  EXPECT_EQ(project.extent.Ymax, 2020);
}

}  // namespace
}  // namespace sonvale
