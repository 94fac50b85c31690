#include "commands/dxf_import_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "commands/map_command.h"
#include "commands/startup.h"
#include "exchange/dxf_samples.h"
#include "project/project_file.h"
#include "propagation/grid_file.h"
#include "support/scripted_ui.h"
#include "support/table_files.h"

namespace sonvale {
namespace {

using namespace dxftest;

// Keeps the text each input box proposes.
class ProposalUi : public ScriptedUi {
 public:
  std::vector<std::string> proposals;
  std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override {
    proposals.push_back(defaultText);
    return ScriptedUi::inputBox(prompt, title, defaultText);
  }
};

struct DxfApp {
  AppState app;
  ScratchFolder dir;
  ProposalUi ui;
  DxfApp() {
    app.ProgramDir = std::string(SONVALE_SOURCE_DIR) + "/data";
    LoadConfigurationAndTables(app);
  }
  // Ten roads, row i running north from (i, 0), each with its own name, traffic,
  // pavement and building heights.
  void tenRoads() {
    for (long i = 1; i <= 10; ++i) {
      Strada& s = app.project.strade.addEntity();
      s.Nome = "Via " + PlainInteger(i);
      s.NveicDay[1] = 100 * i;
      s.Pavimentaz = i % 3;
      s.HmedSX = static_cast<double>(i);
      s.vertices = {{double(i), 0, 0, 5, 5}, {double(i), 10, 0, 5, 5}};
    }
  }
  // count open roads starting at x = 1000, 1001, ...
  std::string newRoads(const std::string& name, int count) {
    std::string e;
    for (int k = 0; k < count; ++k) e += Lw("STRADE", {{1000.0 + k, 0}, {1000.0 + k, 50}});
    return WriteText(dir.file(name), Drawing(e));
  }
  void check(const char* item) { app.menuChecked[item] = true; }
};

TEST(DxfImportCommands, InsertAndReplaceMoveWholeRowsAndRefuseRowsOutOfRange) {
  {  // Insert at 3: new roads on 3 and 4, old 3..10 on 5..12 with every field.
    DxfApp t;
    t.tenRoads();
    t.check("Inserisci");
    t.ui.inputs = {"3", "0"};
    ASSERT_TRUE(ImportDxfFile(t.app, t.ui, t.newRoads("two.dxf", 2), {false, {DxfKind::Strade}}));
    const auto& s = t.app.project.strade;
    ASSERT_EQ(s.count(), 12);
    EXPECT_EQ(t.ui.prompts[0], "N. STRADE da Inserire: ");
    EXPECT_EQ(t.app.DxfInsertNumber, 3);
    for (long r = 1; r <= 12; ++r) {
      SCOPED_TRACE(r);
      long old = r <= 2 ? r : r - 2;
      if (r == 3 || r == 4) {
        EXPECT_EQ(s[r].vertex(1).X, 1000 + (r - 3));
        EXPECT_EQ(s[r].Npunti(), 2);
        EXPECT_EQ(s[r].Nome, "");
        EXPECT_EQ(s[r].NveicDay[1], 0);
        EXPECT_EQ(s[r].HmedSX, 0);
        continue;
      }
      EXPECT_EQ(s[r].vertex(1).X, old);
      EXPECT_EQ(s[r].vertex(1).SW, 5);
      EXPECT_EQ(s[r].Nome, "Via " + PlainInteger(old));
      EXPECT_EQ(s[r].NveicDay[1], 100 * old);
      EXPECT_EQ(s[r].Pavimentaz, old % 3);
      EXPECT_EQ(s[r].HmedSX, old);
    }
    // The next Insert box proposes the number typed last.
    t.ui.inputs = {"13", "0"};  // 12 rows: at most 13
    ASSERT_TRUE(ImportDxfFile(t.app, t.ui, t.newRoads("one.dxf", 1), {false, {DxfKind::Strade}}));
    EXPECT_EQ(t.ui.proposals[2], "3");
    EXPECT_EQ(t.app.project.strade[13].vertex(1).X, 1000);
  }
  {  // Replace from 4, proposed by the file name (not by the folder's "-9.").
    DxfApp t;
    t.tenRoads();
    t.check("Rimpiazza");
    std::filesystem::create_directories(t.dir.file("lotto-9.b"));
    t.ui.inputs = {"4", "0"};
    ASSERT_TRUE(ImportDxfFile(t.app, t.ui, t.newRoads("lotto-9.b/NORD-4.DXF", 3),
                              {false, {DxfKind::Strade}}));
    EXPECT_EQ(t.ui.proposals[0], "4");
    EXPECT_EQ(t.ui.prompts[0], "N. STRADE da Rimpiazzare: ");
    EXPECT_NE(
        std::find(t.ui.statuses.begin(), t.ui.statuses.end(),
                  "Sto decodificando " + t.dir.file("lotto-9.b/NORD-4.DXF") + " - Strada n. 4"),
        t.ui.statuses.end());
    const auto& s = t.app.project.strade;
    ASSERT_EQ(s.count(), 10);
    for (long r = 1; r <= 10; ++r) {
      SCOPED_TRACE(r);
      bool replaced = r >= 4 && r <= 6;
      EXPECT_EQ(s[r].vertex(1).X, replaced ? 1000 + (r - 4) : r);
      EXPECT_EQ(s[r].vertex(2).Y, replaced ? 50 : 10);
      EXPECT_EQ(s[r].NveicDay[1], 100 * r);  // traffic kept
      EXPECT_EQ(s[r].Pavimentaz, r % 3);
      EXPECT_EQ(s[r].Nome, replaced ? "" : "Via " + PlainInteger(r));  // LWPOLYLINE: no name
    }
  }
  // Refused numbers and a cancelled box change nothing at all.
  struct Refusal {
    const char* mode;
    std::optional<std::string> typed;
    const char* title;  // empty: no message
  };
  for (const Refusal& c : {Refusal{"Inserisci", "12", "Funzione Inserisci"},
                           Refusal{"Rimpiazza", "11", "Funzione Rimpiazza"},
                           Refusal{"Rimpiazza", "abc", "Funzione Rimpiazza"},
                           Refusal{"Rimpiazza", std::nullopt, ""}}) {
    SCOPED_TRACE(std::string(c.mode) + " " + c.typed.value_or("(cancel)"));
    DxfApp t;
    t.tenRoads();
    t.check(c.mode);
    Extent before = t.app.project.extent;
    t.ui.inputs = {c.typed};
    EXPECT_FALSE(ImportDxfFile(t.app, t.ui, t.newRoads("x.dxf", 2), {false, {DxfKind::Strade}}));
    EXPECT_EQ(t.ui.messages.size(), std::string(c.title).empty() ? 0u : 1u);
    if (!t.ui.messages.empty()) {
      EXPECT_EQ(t.ui.messages[0].title, c.title);
    }
    EXPECT_EQ(t.app.project.strade.count(), 10);
    EXPECT_EQ(t.app.project.strade[10].vertex(1).X, 10);
    EXPECT_EQ(t.app.project.extent.Xmax, before.Xmax);
    EXPECT_TRUE(t.app.Saved);
    EXPECT_FALSE(t.app.isChecked("openDXFstrade"));
  }
}

TEST(DxfImportCommands, InsertingPlansFillsTheTableToCapacityWithoutScratchRows) {
  DxfApp t;
  for (long i = 1; i <= 12; ++i) {
    t.app.project.plans.addEntity().vertices = {{double(i), 0, 0}, {double(i), 1, 0}};
  }
  std::string e;
  for (int k = 0; k < 8; ++k) {
    double x = 1000 + 10 * k;
    e += Lw("SEZIONI", {{x, 0}, {x + 5, 0}, {x + 5, 5}, {x, 5}}, true);
  }
  t.check("Inserisci");
  t.ui.inputs = {"1", "0"};
  ASSERT_TRUE(ImportDxfFile(t.app, t.ui, WriteText(t.dir.file("p.dxf"), Drawing(e)),
                            {false, {DxfKind::Sezioni}}));
  const auto& p = t.app.project.plans;
  ASSERT_EQ(p.count(), kMaxPlans);
  for (long r = 1; r <= 8; ++r) {
    EXPECT_EQ(p[r].vertex(1).X, 1000 + 10 * (r - 1));
    EXPECT_EQ(p[r].Npunti(), 5);  // closed: the first vertex repeated
  }
  for (long r = 9; r <= 20; ++r) EXPECT_EQ(p[r].vertex(1).X, r - 8);
  EXPECT_EQ(t.app.project.sezioni.count(), 0);
}

TEST(DxfImportCommands, AppendQuestionDecidesBetweenOverwriteAndAppend) {
  const std::string question =
      "La modalita' \"Appendi\" non è selezionata, ma esistono già in memoria delle entità "
      "tipo STRADE: esse verranno sovrascritte.\rSeleziono automaticamente la "
      "modalita'\"Appendi\" ?";
  struct Case {
    Answer answer;
    long count;
    long firstNewRow;
    bool appendMarked;
  };
  for (const Case& c : {Case{Answer::No, 2, 1, false}, Case{Answer::Yes, 12, 11, true},
                        Case{Answer::Cancel, 12, 11, false}}) {
    SCOPED_TRACE(static_cast<int>(c.answer));
    DxfApp t;
    t.tenRoads();
    t.ui.files = {t.newRoads("n.dxf", 2)};
    t.ui.answers = {c.answer};
    t.ui.inputs = {"1"};
    CmdOpenDXFKind(t.app, t.ui, DxfKind::Strade);
    EXPECT_EQ(t.ui.dialogs[0].title, "Import an Autocad DXF File - Searching for STRADE");
    EXPECT_EQ(t.ui.dialogs[0].filter, "DXF file|*.DXF");
    ASSERT_FALSE(t.ui.messages.empty());
    EXPECT_EQ(t.ui.messages[0].text, question);
    EXPECT_EQ(t.ui.messages[0].title, "Attenzione!");
    EXPECT_EQ(t.ui.messages[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(t.app.project.strade.count(), c.count);
    EXPECT_EQ(t.app.project.strade[c.firstNewRow].vertex(1).X, 1000);
    EXPECT_EQ(t.app.project.strade[c.firstNewRow].NveicDay[1], 0);  // cleared, not road 1's
    EXPECT_EQ(t.app.isChecked("Append"), c.appendMarked);
    EXPECT_TRUE(t.app.isChecked("openDXFstrade"));
    EXPECT_FALSE(t.app.Saved);
    EXPECT_FALSE(t.app.project.EmissioniOK);
    EXPECT_TRUE(t.app.menuEnabled["Calcolo"]);
  }
  // Other kinds: their own layer in the title, no question for an empty table,
  // and "&Calcolo" stays as it was after a crossings import.
  DxfApp t;
  t.ui.files = {WriteText(t.dir.file("i.dxf"), Drawing(Circle("INCROCI", {5, 6, 7}, 1)))};
  CmdOpenDXFKind(t.app, t.ui, DxfKind::Incroci);
  EXPECT_EQ(t.ui.dialogs[0].title, "Import an Autocad DXF File - Searching for INCROCI");
  EXPECT_TRUE(t.ui.messages.empty());
  EXPECT_EQ(t.app.project.incroci.count(), 1);
  EXPECT_EQ(t.app.menuEnabled.count("Calcolo"), 0u);
  t.ui.files = {std::nullopt};
  CmdOpenDXFKind(t.app, t.ui, DxfKind::Sezioni);
  EXPECT_EQ(t.ui.dialogs[1].title, "Load an Autocad DXF File");
}

TEST(DxfImportCommands, RoadNumberComesFromTheFileNameOnly) {
  struct Case {
    const char* path;
    long expected;
  };
  for (const Case& c : {Case{"NORD-12.DXF", 12}, Case{"/home/mario.rossi/NORD-12.DXF", 12},
                        Case{"C:\\lotto-3.b\\STRADE.DXF", 0}, Case{"via-7.5.dxf", 7},
                        Case{"A-1.dxf", 99}, Case{"/a-5.b/SUD", 99}}) {
    EXPECT_EQ(RoadNumberFromFileName(c.path, 99), c.expected) << c.path;
  }
}

TEST(DxfImportCommands, CompleteImportIsAllOrNothing) {
  DxfApp t;
  t.tenRoads();
  t.app.project.ExtendExtent(0, 0);
  t.app.project.ExtendExtent(10, 10);
  t.check("Append");
  // Good roads first, then a building vertex without its Z.
  std::string bad = Lw("STRADE", {{500, 0}, {600, 0}}) + G(0, "POLYLINE") + G(8, "CASE") +
                    G(66, "1") + G(0, "VERTEX") + G(8, "CASE") + G(10, 1.0) + G(20, 2.0) +
                    G(0, "SEQEND");
  t.ui.inputs = {"1", "1", "1", "1"};
  EXPECT_FALSE(
      ImportDxfFile(t.app, t.ui, WriteText(t.dir.file("bad.dxf"), Drawing(bad)), {true, {}}));
  ASSERT_EQ(t.ui.messages.size(), 1u);
  EXPECT_EQ(t.ui.messages[0].icon, Icon::Critical);
  EXPECT_NE(t.ui.messages[0].text.find("bad.dxf"), std::string::npos);
  EXPECT_EQ(t.app.project.strade.count(), 10);
  EXPECT_EQ(t.app.project.extent.Xmax, 10);
  EXPECT_EQ(t.app.project.ProjectFileName, "");
  EXPECT_TRUE(t.app.Saved);
  EXPECT_FALSE(t.app.isChecked("openDXF"));
}

TEST(DxfImportCommands, ExampleTownImportsIntoAnEmptyProjectAndMaps) {
  DxfApp t;
  Project town;
  ReadProjectFile(std::string(SONVALE_SOURCE_DIR) + "/examples/town/town.svp", town);
  // The town's drawing holds every kind on its configured layer; the room model
  // is not part of it.
  const std::string dxf = std::string(SONVALE_SOURCE_DIR) + "/examples/town/town.dxf";
  t.ui.files = {dxf};
  t.ui.inputs = {"1", "1", "1", "1", "1"};  // data reduction of the five polyline layers
  CmdOpenDXF(t.app, t.ui);
  EXPECT_TRUE(t.ui.messages.empty());  // no error, every barrier and building above 0
  const Project& p = t.app.project;
  EXPECT_EQ(p.strade.count(), town.strade.count());
  EXPECT_EQ(p.binari.count(), town.binari.count());
  EXPECT_EQ(p.barriere.count(), town.barriere.count());
  EXPECT_EQ(p.case_.count(), town.case_.count());
  EXPECT_EQ(p.sezioni.count(), town.sezioni.count());
  EXPECT_EQ(p.plans.count(), town.plans.count());
  EXPECT_EQ(p.punti.count(), town.punti.count());
  EXPECT_EQ(p.incroci.count(), town.incroci.count());
  EXPECT_EQ(p.sources.count(), town.sources.count());
  EXPECT_EQ(p.faces.count(), 0);
  // Closed outlines come back closed (the first corner repeated), vertices of
  // the open lines at least 1 m apart survive the data reduction.
  for (long c = 1; c <= std::min(p.case_.count(), town.case_.count()); ++c) {
    ASSERT_EQ(p.case_[c].Npunti(), town.case_[c].Npunti()) << "building " << c;
    EXPECT_EQ(p.case_[c].vertex(p.case_[c].Npunti()).X, town.case_[c].vertex(1).X);
  }
  ASSERT_EQ(p.plans[1].Npunti(), 5);
  EXPECT_EQ(p.strade[1].Npunti(), town.strade[1].Npunti());
  EXPECT_EQ(p.strade[1].vertex(2).SW, town.strade[1].vertex(2).SW);
  EXPECT_EQ(p.sezioni[1].ZR, town.sezioni[1].ZR);
  EXPECT_EQ(p.sources[2].Lw, town.sources[2].Lw);
  EXPECT_EQ(p.ProjectFileName, dxf.substr(0, dxf.size() - 4) + ".svp");
  EXPECT_EQ(p.extent.Xmin, 500000);
  EXPECT_EQ(p.extent.Ymax, 4501000);
  EXPECT_EQ(p.View.X1, p.extent.Xmin);
  EXPECT_EQ(t.ui.beeps, 1);
  EXPECT_TRUE(t.app.isChecked("openDXF"));
  EXPECT_TRUE(t.app.menuEnabled["Calcolo"]);

  // The geometry has no traffic yet: give every road and track that of its row
  // in the example, then map a coarse grid over the town.
  for (long n = 1; n <= std::min(p.binari.count(), town.binari.count()); ++n) {
    Binario& b = t.app.project.binari[n];
    const std::vector<LineVertex> geometry = b.vertices;
    b = town.binari[n];
    b.vertices = geometry;
  }
  for (long n = 1; n <= std::min(p.strade.count(), town.strade.count()); ++n) {
    Strada& s = t.app.project.strade[n];
    const std::vector<LineVertex> geometry = s.vertices;
    s = town.strade[n];  // the traffic, pavement and fixed levels of the row
    s.vertices = geometry;
  }
  Project& q = t.app.project;
  q.Algorithm = 0;
  q.ModoMappatura = MappingMode::Plane;
  q.QuotaZ = 30;
  q.NdivX = q.NdivY = 4;
  q.GrdName = t.dir.file("town.grd");
  t.app.Grid = {500000, 501000, 4500000, 4501000};
  MapCommandResult r = MapCommand(t.app, t.ui, MapPeriods::Day);
  ASSERT_FALSE(r.files.empty());
  GridData day = ReadTerrainGrid(r.files[0]);
  ASSERT_EQ(day.values.size(), 25u);
  for (double v : day.values) {
    EXPECT_GT(v, 30);
    EXPECT_LT(v, 90);
  }
}

}  // namespace
}  // namespace sonvale
