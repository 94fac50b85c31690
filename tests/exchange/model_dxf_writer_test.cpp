// The model drawing: its exact layout, and the example town read back through
// our own DXF imports.
#include "exchange/model_dxf_writer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <sstream>

#include "exchange/dxf_reader.h"
#include "project/configuration.h"
#include "project/project_file.h"
#include "support/dxf_report.h"
#include "support/table_files.h"

namespace sonvale {
namespace {

std::string Lines(std::initializer_list<const char*> lines) {
  std::string s;
  for (const char* l : lines) s += std::string(l) + "\r\n";
  return s;
}

Strada Road(const std::string& name, std::initializer_list<Point3> pts) {
  Strada s;
  s.Nome = name;
  for (const Point3& p : pts) s.vertices.push_back({p.X, p.Y, p.Z, 7, 7});
  return s;
}

TEST(ModelDxfWriterTest, RoadsOnlyGiveHeaderLayerTableAndLabelledPolylines) {
  Project p;
  // Three vertices: the label sits halfway along the first stretch; four: along
  // the second. Print-form coordinates keep their sign blank.
  p.strade.addEntity() = Road("  Via Roma", {{0, 0, 0}, {100.5, 0, 1}, {100.5, -50, 2.25}});
  p.strade.addEntity() = Road("B", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {-10, 10, 0}});

  std::string expected = Lines(
      {" 0 ", "SECTION", " 2 ", "HEADER", " 9 ", "$ACADVER", " 1 ", "AC1009", " 0 ",  "ENDSEC",
       " 0 ", "SECTION", " 2 ", "TABLES", " 0 ", "TABLE",    " 2 ", "LAYER",  " 70 ", " 8 "});
  for (auto [name, colour] : {std::pair{"SOURCES", "3"},
                              {"HOLES", "1"},
                              {"RECEIVERS", "2"},
                              {"RAYS", "2"},
                              {"STRADE", "4"},
                              {"NOMI-STRADE", "4"},
                              {"BINARI", "5"},
                              {"BARRIERE", "6"},
                              {"CASE", "7"}}) {
    expected +=
        Lines({" 0 ", "LAYER", " 2 ", name, " 70 ", "64", " 62 ", colour, " 6 ", "CONTINUOUS"});
  }
  expected += Lines({" 0 ", "ENDTAB", " 0 ", "ENDSEC", " 0 ", "SECTION", " 2 ", "ENTITIES"});
  const char* head[] = {" 0 ", "POLYLINE", " 8 ", "STRADE", " 66 ", "1",    " 10 ",
                        "0.0", " 20 ",     "0.0", " 30 ",   "0.0",  " 70 ", "8"};
  auto vertex = [](const char* x, const char* y, const char* z) {
    return Lines({" 0 ", "VERTEX", " 8 ", "STRADE", " 10 ", x, " 20 ", y, " 30 ", z, " 70 ", "32"});
  };
  for (const char* l : head) expected += std::string(l) + "\r\n";
  expected += vertex(" 0 ", " 0 ", " 0 ") + vertex(" 100.5 ", " 0 ", " 1 ") +
              vertex(" 100.5 ", "-50 ", " 2.25 ");
  expected += Lines({" 0 ", "SEQEND", " 8 ", "0", " 0 ", "Text", " 8 ", "NOMI-STRADE", " 10 ",
                     " 50.25 ", " 20 ", " 0 ", " 30 ", "0.0", " 40 ", "50.0", " 1 ", "1-Via Roma"});
  for (const char* l : head) expected += std::string(l) + "\r\n";
  expected += vertex(" 0 ", " 0 ", " 0 ") + vertex(" 10 ", " 0 ", " 0 ") +
              vertex(" 10 ", " 10 ", " 0 ") + vertex("-10 ", " 10 ", " 0 ");
  expected += Lines({" 0 ", "SEQEND", " 8 ", "0", " 0 ", "Text", " 8 ", "NOMI-STRADE", " 10 ",
                     " 10 ", " 20 ", " 5 ", " 30 ", "0.0", " 40 ", "50.0", " 1 ", "2-B"});
  expected += Lines({" 0 ", "ENDSEC", " 0 ", "EOF"});
  EXPECT_EQ(ModelDxfText(p), expected);
}

TEST(ModelDxfWriterTest, RoomAcousticsEntitiesAndOutlines) {
  Project p;
  Face& tri = p.faces.addEntity();  // material 5 with its flag: layer 1005
  tri.Material = 5;
  tri.Flag = -1;
  tri.Nv = 3;
  tri.v = {Point3{0, 0, 0}, Point3{1.5, 0, 0}, Point3{1.5, .25, -3}};
  Hole& hole = p.holes.addEntity();
  hole.Nv = 4;
  hole.v[0] = {1, 2, 3};
  hole.v[1] = {4, 2, 3};
  hole.v[2] = {4, 2, 5};
  hole.v[3] = {1, 2, 5};
  Door& door = p.doors.addEntity();
  door.Material = 7;
  door.Nv = 2;
  door.v[0] = {0, 0, 0};
  door.v[1] = {0, .5, 0};
  Receiver& r = p.receivers.addEntity();
  r = {1, 2, 1.5, -4, 2, 1.5};
  Source& s = p.sources.addEntity();
  s.X = 10;
  s.Y = 20;
  s.Z = .5;
  s.Lw = 95.5;
  p.barriere.addEntity().vertices = {{0, 0, 3}};  // one vertex: labelled at it

  std::string text = ModelDxfText(p);
  auto poly = [](const char* layer) {
    return Lines({" 0 ", "POLYLINE", " 8 ", layer, " 66 ", "1", " 10 ", "0.0", " 20 ", "0.0",
                  " 30 ", "0.0", " 70 ", "8"});
  };
  auto plainVertex = [](const char* layer, const char* x, const char* y, const char* z) {
    return Lines({" 0 ", "VERTEX", " 8 ", layer, " 10 ", x, " 20 ", y, " 30 ", z, " 70 ", "32"});
  };
  std::string entities =
      Lines({" 0 ",  "SECTION", " 2 ",  "ENTITIES", " 0 ",  "3DFACE", " 8 ",  "1005",
             " 10 ", "0",       " 20 ", "0",        " 30 ", "0",      " 11 ", "1.5",
             " 21 ", "0",       " 31 ", "0",        " 12 ", "1.5",    " 22 ", ".25",
             " 32 ", "-3",      " 13 ", "1.5",      " 23 ", ".25",    " 33 ", "-3"}) +
      poly("HOLES") + plainVertex("HOLES", "1", "2", "3") + plainVertex("HOLES", "4", "2", "3") +
      plainVertex("HOLES", "4", "2", "5") + plainVertex("HOLES", "1", "2", "5") +
      plainVertex("HOLES", "1", "2", "3") + Lines({" 0 ", "SEQEND", " 8 ", "0"}) + poly("7") +
      plainVertex("7", "0", "0", "0") + plainVertex("7", "0", ".5", "0") +
      plainVertex("7", "0", "0", "0") +
      Lines({" 0 ",  "SEQEND", " 8 ",  "0",   " 0 ",  "LINE",   " 8 ",  "RECEIVERS",
             " 10 ", "1",      " 20 ", "2",   " 30 ", "1.5",    " 11 ", "-4",
             " 21 ", "2",      " 31 ", "1.5", " 0 ",  "CIRCLE", " 8 ",  "SOURCES",
             " 10 ", "10",     " 20 ", "20",  " 30 ", ".5",     " 40 ", " 95.5 "}) +
      poly("BARRIERE");
  ASSERT_NE(text.find(entities), std::string::npos) << text;
  EXPECT_NE(text.find(Lines({" 0 ", "Text", " 8 ", "BARRIERE", " 10 ", " 0 ", " 20 ", " 0 ", " 30 ",
                             "0.0", " 40 ", "50.0", " 1 ", "Barr. n. 1"})),
            std::string::npos);
}

TEST(ModelDxfWriterTest, ExampleTownReadsBackThroughTheImports) {
  const std::string dir = SONVALE_SOURCE_DIR "/examples/town/";
  Project town;
  ReadProjectFile(dir + "town.svp", town);
  ScratchFolder scratch;
  const std::string dxf = scratch.file("model.dxf");
  WriteModelDxf(town, dxf);
  std::ifstream in(dxf, std::ios::binary);
  std::stringstream file;
  file << in.rdbuf();
  ASSERT_EQ(file.str(), ModelDxfText(town));

  // The kinds whose configured layers are the layers written.
  Configuration config = ReadConfiguration(SONVALE_SOURCE_DIR "/data/sonvale.ini");
  ASSERT_EQ(config.LayerStrade, "STRADE");
  ASSERT_EQ(config.LayerBarriere, "BARRIERE");
  ASSERT_EQ(config.LayerCase, "CASE");
  Project back;
  DxfReport ui;
  ui.inputs = {"0", "0", "0"};  // no data reduction
  ASSERT_EQ(
      ReadPolylines(dxf, "STRADE", PolylineTable::Strade, back, config, {}, ui, ui.question()),
      town.strade.count());
  ASSERT_EQ(
      ReadPolylines(dxf, "BARRIERE", PolylineTable::Barriere, back, config, {}, ui, ui.question()),
      town.barriere.count());
  ASSERT_EQ(ReadPolylines(dxf, "CASE", PolylineTable::Case, back, config, {}, ui, ui.question()),
            town.case_.count());
  EXPECT_TRUE(ui.notices.empty());  // every barrier and building has a height
  auto same = [](const auto& a, const auto& b, const char* what) {
    for (long i = 1; i <= a.count(); ++i) {
      ASSERT_EQ(a[i].Npunti(), b[i].Npunti()) << what << " " << i;
      for (long k = 1; k <= a[i].Npunti(); ++k) {
        EXPECT_EQ(a[i].vertex(k).X, b[i].vertex(k).X) << what << " " << i << " vertex " << k;
        EXPECT_EQ(a[i].vertex(k).Y, b[i].vertex(k).Y) << what << " " << i << " vertex " << k;
        EXPECT_EQ(a[i].vertex(k).Z, b[i].vertex(k).Z) << what << " " << i << " vertex " << k;
      }
    }
  };
  same(town.strade, back.strade, "road");
  same(town.barriere, back.barriere, "barrier");
  same(town.case_, back.case_, "building");
  EXPECT_EQ(ReadCircles(dxf, config.LayerSorgenti, PointTable::Sorgenti, back, ui), 0);
}

}  // namespace
}  // namespace sonvale
