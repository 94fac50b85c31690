#include "exchange/csv_nodes_arcs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/table_files.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

// Nodes 1 (0,0), 2 (100,0), 3 (100,50), "N4" (0,50), -7 (0,-50).
const char* const kNodes =
    "\"ID\",\"X\",\"Y\"\r\n"
    "1,0,0\r\n"
    "2,100,0\r\n"
    "3.0,100,50\r\n"
    "\"N4\",0,50\r\n"
    "-7,0,-50\r\n";

class ArcImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteTextFile(folder_.file("nodes.csv"), kNodes);
    nodes_ = ReadCsvNodes(folder_.file("nodes.csv")).table;
    // Light: 95 % cars, 5 % motorcycles; heavy: 40 / 30 / 30. Night: 90 / 10 and 50 / 25 / 25.
    const double day[] = {0, 0.95, 0.40, 0.30, 0.30, 0.05};
    const double night[] = {0, 0.90, 0.50, 0.25, 0.25, 0.10};
    for (size_t v = 1; v <= 5; ++v) {
      options_.fractionDay[v] = day[v];
      options_.fractionNight[v] = night[v];
    }
  }

  ArcImportResult import(const std::string& records, const ArcImportModes& modes) {
    const std::string path = folder_.file("arcs.csv");
    WriteTextFile(path, "\"ID\",\"A\",\"B\",\"L\",\"TIPO\",\"Q\"\r\n" + records);
    return ImportCsvArcs(path, nodes_, options_, modes, project_);
  }

  static void AddRoad(Project& p, const std::string& name, std::vector<LineVertex> vertices,
                      long carsDay) {
    Strada& s = p.strade.addEntity();
    s.Nome = name;
    s.vertices = std::move(vertices);
    s.NveicDay[1] = carsDay;
    s.VelDay[1] = 2;
  }

  ScratchFolder folder_;
  CsvNodeTable nodes_;
  CsvOptions options_;
  Project project_;
};

TEST_F(ArcImportTest, NodesAreFoundByValue) {
  ASSERT_EQ(nodes_.count(), 5);
  CsvNodeId three;
  three.value = 3;
  EXPECT_EQ(nodes_.FindNode(three), 3);  // written "3.0" in the file
  CsvNodeId n4;
  n4.numeric = false;
  n4.text = "N4";
  EXPECT_EQ(nodes_.FindNode(n4), 4);
  CsvNodeId missing;
  missing.value = 99;
  EXPECT_EQ(nodes_.FindNode(missing), 0);
  EXPECT_EQ(nodes_.node(3).X, 100);
  EXPECT_EQ(nodes_.node(3).Y, 50);
}

TEST_F(ArcImportTest, FlowsAreSplitIntoRoundedClassesAndTypeCodesDropLorries) {
  // Old roads are replaced, and the slots they leave hold data the new rows must not keep.
  AddRoad(project_, "vecchia", {LineVertex{-1000, 0, 0, 1, 1}, LineVertex{-900, 0, 0, 1, 1}}, 500);
  project_.strade[1].HmedSX = 12;
  project_.strade[1].Pavimentaz = 2;
  project_.strade[1].LeqDay = 70;
  project_.extent = Extent{-1000, 5000, -1000, 5000};

  ArcImportResult r = import(
      "1,1,2,100,1,2\r\n"         // flow 2: the worked example
      "2,2,3,50,1,1\r\n"          // flow 1 counts as no flow
      "3,3,\"N4\",100,5,100\r\n"  // light traffic only
      "4,-7,1,50,67,100\r\n"      // no three-axle lorries, no articulated lorries
      "5,1,99,10,1,100\r\n"       // node 99 is not in the node table
      "6,2,1,100,4,100\r\n",      // no articulated lorries
      ArcImportModes{});

  ASSERT_EQ(r.roads, 4);
  EXPECT_EQ(r.skippedArcs, 1);
  ASSERT_EQ(project_.strade.count(), 4);

  // LG = 2 x 11.4205 x 0.85 = 19.41485, PG = 3.42615, LN = 2.27466, PN = 0.25274.
  const Strada& a = project_.strade[1];
  EXPECT_EQ(a.Nome, "Da 1 a 2");
  EXPECT_EQ(a.NveicDay[1], 18);  // 18.444
  EXPECT_EQ(a.NveicDay[2], 1);   // 1.370
  EXPECT_EQ(a.NveicDay[3], 1);   // 1.028
  EXPECT_EQ(a.NveicDay[4], 1);
  EXPECT_EQ(a.NveicDay[5], 1);    // 0.971
  EXPECT_EQ(a.NveicNight[1], 2);  // 2.047
  EXPECT_EQ(a.NveicNight[2], 0);  // 0.126
  EXPECT_EQ(a.NveicNight[5], 0);  // 0.227
  for (size_t v = 1; v <= 5; ++v) {
    EXPECT_EQ(a.VelDay[v], 4);
    EXPECT_EQ(a.VelNight[v], 4);
  }
  ASSERT_EQ(a.Npunti(), 2);
  EXPECT_EQ(a.vertex(1), (LineVertex{0, 0, 0, 5, 5}));
  EXPECT_EQ(a.vertex(2), (LineVertex{100, 0, 0, 0, 0}));
  EXPECT_EQ(a.NDir, 1);
  EXPECT_EQ(a.HmedSX, 0);
  EXPECT_EQ(a.Pavimentaz, 0);
  EXPECT_EQ(a.LeqDay, 0);

  // Flow 100: LG = 970.7425, PG = 171.3075, LN = 113.733, PN = 12.637.
  const Strada& light = project_.strade[2];
  EXPECT_EQ(light.Nome, "Da 3 aN4");
  EXPECT_EQ(light.NveicDay[1], 922);    // 922.205
  EXPECT_EQ(light.NveicDay[5], 49);     // 48.537
  EXPECT_EQ(light.NveicNight[1], 102);  // 102.360
  EXPECT_EQ(light.NveicNight[5], 11);   // 11.373
  for (size_t v = 2; v <= 4; ++v) {
    EXPECT_EQ(light.NveicDay[v], 0);
    EXPECT_EQ(light.NveicNight[v], 0);
  }

  const Strada& two = project_.strade[3];
  EXPECT_EQ(two.Nome, "Da-7 a 1");
  EXPECT_EQ(two.NveicDay[2], 69);   // 68.523
  EXPECT_EQ(two.NveicNight[2], 6);  // 6.3185
  EXPECT_EQ(two.NveicDay[3], 0);
  EXPECT_EQ(two.NveicDay[4], 0);
  EXPECT_EQ(two.NveicNight[4], 0);

  const Strada& noTir = project_.strade[4];
  EXPECT_EQ(noTir.NveicDay[3], 51);  // 51.392
  EXPECT_EQ(noTir.NveicDay[4], 0);
  EXPECT_EQ(noTir.NveicNight[3], 3);  // 3.159

  // The extent covers the arcs only.
  EXPECT_EQ(project_.extent.Xmin, 0);
  EXPECT_EQ(project_.extent.Xmax, 100);
  EXPECT_EQ(project_.extent.Ymin, -50);
  EXPECT_EQ(project_.extent.Ymax, 50);

  // One summary record per arc taken, numbered with the row it was given.
  EXPECT_EQ(
      r.summary,
      "\"n.\",\"Strada\",\"Leg/G\",\"Pes/G\",\"Leg/N\",\"Pes/N\",\"Vel.Leg.\",\"Vel.Pes.\"\r\n"
      "1,\"Da 1 a 2\",19.41485,3.42615,2.27466,.25274,55,55\r\n"
      "2,\"Da 3 aN4\",970.7425,171.3075,113.733,12.637,55,55\r\n"
      "3,\"Da-7 a 1\",970.7425,171.3075,113.733,12.637,55,55\r\n"
      "4,\"Da 2 a 1\",970.7425,171.3075,113.733,12.637,55,55\r\n");

  // A second import replaces the first.
  r = import("1,2,3,50,1,10\r\n", ArcImportModes{});
  EXPECT_EQ(r.roads, 1);
  EXPECT_EQ(project_.strade[1].Nome, "Da 2 a 3");
}

TEST_F(ArcImportTest, JoiningDirectionsGivesOneRoadWithBothFlows) {
  ArcImportModes join;
  join.Accorpa = true;
  ArcImportResult r = import(
      "1,1,2,100,1,2\r\n"     // road 1
      "2,2,1,100,1,100\r\n"   // the other direction: joined to road 1
      "3,1,2,100,1,2\r\n"     // the same direction again: road 2
      "4,2,1,100,1,100\r\n",  // joined to the first match only
      join);
  ASSERT_EQ(r.roads, 2);
  const Strada& s = project_.strade[1];
  EXPECT_EQ(s.Nome, "Da 1 a 2");  // keeps its name
  EXPECT_EQ(s.NDir, 3);
  EXPECT_EQ(s.NveicDay[1], 18 + 922 + 922);
  EXPECT_EQ(s.NveicDay[5], 1 + 49 + 49);
  EXPECT_EQ(s.NveicNight[1], 2 + 102 + 102);
  EXPECT_EQ(s.vertex(1).SW, 15);
  EXPECT_EQ(s.vertex(1).EW, 15);
  EXPECT_EQ(s.vertex(2).SW, 0);
  const Strada& again = project_.strade[2];
  EXPECT_EQ(again.NDir, 1);
  EXPECT_EQ(again.NveicDay[1], 18);
}

TEST_F(ArcImportTest, RecognitionAddsArcsToTheNearestRoad) {
  // Road 1 runs 1 m north of nodes 1..2; road 2 is a closed loop starting at node 1.
  AddRoad(project_, "Via Roma",
          {LineVertex{0, 1, 0, 8, 8}, LineVertex{50, 2, 0, 8, 8}, LineVertex{100, 1, 0, 8, 8}},
          1000);
  AddRoad(project_, "Anello",
          {LineVertex{0, 0, 0, 6, 6}, LineVertex{0, -30, 0, 6, 6}, LineVertex{40, -30, 0, 6, 6},
           LineVertex{0, 0, 0, 6, 6}},
          300);
  ArcImportModes recognise;
  recognise.Riconosci = true;
  recognise.Accorpa = true;
  // Arc 1 -> N4 ends 0 + 50 m from the loop's ends but 1 + 111.4 m from Via Roma's:
  // the loop takes it. Arc 2 -> 1 is Via Roma the other way round (1 + 1 m).
  ArcImportResult r = import(
      "1,1,\"N4\",50,1,2\r\n"
      "2,2,1,100,1,100\r\n",
      recognise);
  EXPECT_EQ(r.roads, 2);
  const Strada& roma = project_.strade[1];
  EXPECT_EQ(roma.Nome, "Da 2 a 1");  // the last arc's name
  EXPECT_EQ(roma.NDir, 1);
  EXPECT_EQ(roma.NveicDay[1], 1000 + 922);
  EXPECT_EQ(roma.VelDay[1], 4);
  EXPECT_EQ(roma.vertex(1).SW, 13);
  EXPECT_EQ(roma.Npunti(), 3);
  EXPECT_EQ(roma.vertex(2).X, 50);  // geometry untouched
  const Strada& loop = project_.strade[2];
  EXPECT_EQ(loop.Nome, "Da 1 aN4");
  EXPECT_EQ(loop.NveicDay[1], 300 + 18);
  EXPECT_EQ(loop.NDir, 1);
  EXPECT_EQ(loop.vertex(1).SW, 11);
  EXPECT_EQ(loop.Npunti(), 4);
}

TEST_F(ArcImportTest, RecognitionComparesClosedRoadsAndPassesOverRowsWithoutVertices) {
  // A traffic row has no vertices; a closed outline whose corner is node 1 is the
  // only road with ends, 0 + 100 m from arc 1 -> 2.
  Strada& traffic = project_.strade.addEntity();
  traffic.Nome = "SP 1";
  traffic.NveicDay[1] = 40;
  AddRoad(project_, "Piazza",
          {LineVertex{0, 0, 0, 6, 6}, LineVertex{0, -30, 0, 6, 6}, LineVertex{0, 0, 0, 6, 6}}, 300);
  ArcImportModes recognise;
  recognise.Riconosci = true;
  ArcImportResult r = import("1,1,2,100,1,100\r\n", recognise);
  ASSERT_EQ(r.roads, 2);
  EXPECT_EQ(project_.strade[1].NveicDay[1], 40);
  EXPECT_EQ(project_.strade[1].Npunti(), 0);
  EXPECT_EQ(project_.strade[2].Nome, "Da 1 a 2");
  EXPECT_EQ(project_.strade[2].NveicDay[1], 300 + 922);
  EXPECT_EQ(project_.strade[2].NDir, 1);
}

TEST_F(ArcImportTest, QuotedNodeIdentifiersKeepTheirCharactersInRoadNames) {
  WriteTextFile(folder_.file("nodes.csv"), std::string(kNodes) + "\"34\",0,10\r\n\"007\",0,20\r\n");
  nodes_ = ReadCsvNodes(folder_.file("nodes.csv")).table;
  ArcImportResult r = import(
      "1,\"34\",\"007\",10,1,100\r\n"  // quoted: the texts as written
      "2,34,7,10,1,100\r\n"            // numbers: found by value, with the leading blank
      "3,\"-7\",1,10,1,100\r\n",
      ArcImportModes{});
  ASSERT_EQ(r.roads, 3);
  EXPECT_EQ(project_.strade[1].Nome, "Da34 a007");
  EXPECT_EQ(project_.strade[1].vertex(2).Y, 20);
  EXPECT_EQ(project_.strade[2].Nome, "Da 34 a 7");
  EXPECT_EQ(project_.strade[2].vertex(2).Y, 20);
  EXPECT_EQ(project_.strade[3].Nome, "Da-7 a 1");
  EXPECT_NE(r.summary.find("\r\n1,\"Da34 a007\","), std::string::npos);
}

TEST_F(ArcImportTest, LimitToPlansKeepsArcsNearAPlanOnly) {
  ArcImportModes limit;
  limit.LimitaPlans = true;
  EXPECT_EQ(import("1,1,2,100,1,100\r\n2,2,3,50,1,100\r\n", limit).roads, 0);

  Plan& plan = project_.plans.addEntity();
  plan.vertices = {Point3{-5, 0, 0}, Point3{-5, -20, 0}, Point3{-25, -20, 0}, Point3{-5, 0, 0}};
  project_.DistMax = 10;
  // Node 1 lies 5 m from the plan; nodes 2 and 3 lie over 100 m away.
  ArcImportResult r = import("1,2,1,100,1,100\r\n2,2,3,50,1,100\r\n", limit);
  ASSERT_EQ(r.roads, 1);
  EXPECT_EQ(project_.strade[1].Nome, "Da 2 a 1");
}

TEST_F(ArcImportTest, BadFilesLeaveTheProjectAsItWasAndAFullTableKeepsWhatFits) {
  AddRoad(project_, "Via Roma", {LineVertex{0, 1, 0, 8, 8}, LineVertex{100, 1, 0, 8, 8}}, 1000);
  project_.extent = Extent{0, 100, 1, 1};
  try {
    import("1,1,2,100,1,2\r\n2,1,2,100,1,molti\r\n", ArcImportModes{});
    FAIL() << "a flow that is not a number was read";
  } catch (const FormatError& e) {
    EXPECT_EQ(e.line(), 3);
    EXPECT_NE(e.message().find("field 6"), std::string::npos);
  }
  EXPECT_THROW(import("1,1,2,100,1\r\n", ArcImportModes{}), FormatError);
  ASSERT_EQ(project_.strade.count(), 1);
  EXPECT_EQ(project_.strade[1].Nome, "Via Roma");

  // A full table: the arc 2 -> 1 that Via Roma recognises is taken, the import
  // stops at the arc F -> G, over 100 km from every road, which needs a row of its
  // own; it and the two records after it (the last one a text left open) are
  // left out.
  for (long i = 2; i <= kMaxStrade; ++i) {
    AddRoad(project_, "lontana", {LineVertex{1e7, 1e7, 0, 0, 0}, LineVertex{1e7 + 1, 1e7, 0, 0, 0}},
            0);
  }
  WriteTextFile(folder_.file("nodes.csv"),
                std::string(kNodes) + "F,100000,100000\r\nG,100010,100000\r\n");
  nodes_ = ReadCsvNodes(folder_.file("nodes.csv")).table;
  ArcImportModes recognise;
  recognise.Riconosci = true;
  recognise.Accorpa = true;
  ArcImportResult r = import(
      "1,2,1,100,1,100\r\n"
      "2,F,G,10,1,100\r\n"
      "3,1,2,100,1,100\r\n"
      "4,1,2,100,1,\"open\r\n",
      recognise);
  EXPECT_EQ(r.roads, kMaxStrade);
  EXPECT_EQ(r.leftOut.records, 3);
  EXPECT_EQ(r.leftOut.line, 3);
  EXPECT_EQ(r.leftOut.capacity, kMaxStrade);
  EXPECT_EQ(project_.strade.count(), kMaxStrade);
  EXPECT_EQ(project_.strade[1].Nome, "Da 2 a 1");
  EXPECT_EQ(project_.strade[1].NveicDay[1], 1000 + 922);
  EXPECT_EQ(project_.strade[kMaxStrade].Nome, "lontana");
  EXPECT_EQ(std::count(r.summary.begin(), r.summary.end(), '\n'), 2);  // header and arc 1
  // The extent covers the arc taken.
  EXPECT_EQ(project_.extent.Xmin, 0);
  EXPECT_EQ(project_.extent.Xmax, 100);
  EXPECT_EQ(project_.extent.Ymax, 0);
}

TEST(ArcSummaryPathTest, TheExtensionOfTheFileNameIsReplaced) {
  EXPECT_EQ(ArcSummaryPath("/home/mario.rossi/archi.csv"), "/home/mario.rossi/archi.TXT");
  EXPECT_EQ(ArcSummaryPath("/home/mario.rossi/archi"), "/home/mario.rossi/archi.TXT");
  EXPECT_EQ(ArcSummaryPath("/dati.csv/a"), "/dati.csv/a.TXT");
  EXPECT_EQ(ArcSummaryPath("archi.txt"), "archi.txt.TXT");
}

TEST(CsvNodesTest, NodesBeyondTheTableAreLeftOutAndTheOthersKept) {
  ScratchFolder folder;
  std::string text = "ID,X,Y\n";
  for (long i = 1; i <= kMaxCsvNodes + 2; ++i) text += PlainInteger(i) + ",1,2\n";
  WriteTextFile(folder.file("n.csv"), text);
  const CsvNodeFile nodes = ReadCsvNodes(folder.file("n.csv"));
  EXPECT_EQ(nodes.table.count(), kMaxCsvNodes);
  EXPECT_EQ(nodes.table.node(kMaxCsvNodes).id.value, kMaxCsvNodes);
  EXPECT_EQ(nodes.leftOut.records, 2);
  EXPECT_EQ(nodes.leftOut.line, kMaxCsvNodes + 2);  // after the header line
  EXPECT_EQ(nodes.leftOut.capacity, kMaxCsvNodes);
  text = "ID,X,Y\n1,0,0\n";
  WriteTextFile(folder.file("one.csv"), text);
  EXPECT_EQ(ReadCsvNodes(folder.file("one.csv")).leftOut.records, 0);
  text = "ID,X,Y\n1,2\n";
  WriteTextFile(folder.file("short.csv"), text);
  EXPECT_THROW(ReadCsvNodes(folder.file("short.csv")), FormatError);
}

}  // namespace
}  // namespace sonvale
