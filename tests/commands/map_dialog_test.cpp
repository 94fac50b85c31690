#include "commands/map_dialog.h"

#include <gtest/gtest.h>

#include "support/scripted_ui.h"

namespace sonvale {
namespace {

using C = MapControl;

void AddPlan(Project& p, std::initializer_list<Point3> vertices) {
  p.plans.addEntity().vertices = vertices;
}

TEST(MapDialogTest, ProposedNameComesFromTheFirstNameKnown) {
  Project p;
  EXPECT_EQ(ProposedGrdName(p), "*.grd");
  p.LastDxfFile = "/w/roads.dxf";
  EXPECT_EQ(ProposedGrdName(p), "/w/roads_d.GRD");
  p.ProjectFileName = "/w/town.SVP";
  EXPECT_EQ(ProposedGrdName(p), "/w/town_d.GRD");
  p.GrdName = "area.grd";
  EXPECT_EQ(ProposedGrdName(p), "area_d.GRD");
  p.GrdName = "ab";  // shorter than an extension
  EXPECT_EQ(ProposedGrdName(p), "_d.GRD");

  // Leaving the name box: an extension is added unless the name has a dot after
  // its first character.
  EXPECT_EQ(GrdNameFromBox("run"), "run.GRD");
  EXPECT_EQ(GrdNameFromBox(".grd"), ".grd.GRD");
  EXPECT_EQ(GrdNameFromBox("v1.2/run"), "v1.2/run");
  EXPECT_EQ(GrdNameFromBox(""), "");
}

TEST(MapDialogTest, OpeningFillsTheBoxesAndOffersWhatTheModelHas) {
  AppState app;
  ScriptedUi ui;
  Project& p = app.project;
  p.GrdName = "area.grd";
  p.QuotaZ = 1.5;
  p.SovralzoZ = 0;
  p.DistMax = 2500.4;
  p.NdivX = 40;
  p.NdivY = 30;
  p.NdivO = 20;
  p.NdivZ = 0;
  p.Anno = 2012;
  p.CurrentPlan = 7;
  app.config.Hrec = 4;
  app.Grid = {0, 400, 0, 100};
  app.Section = {0, 0, 0, 30, 40, 10};
  AddPlan(p, {{0, 0, 0}, {10, 10, 0}});
  AddPlan(p, {{5, 5, 0}});
  app.TracerMissing = true;

  MapDialog d(app, ui);
  const MapDialogView& v = d.view();
  EXPECT_TRUE(app.StopRequested);
  EXPECT_EQ(p.GrdName, "area_d.GRD");
  EXPECT_EQ(v.text(C::Text1), "area_d.GRD");
  EXPECT_EQ(v.text(C::Zvalue), "1.5");
  EXPECT_EQ(v.text(C::DZvalue), "0.");
  EXPECT_EQ(v.text(C::Text2), "2500");
  EXPECT_EQ(v.text(C::Horiz), "40");
  EXPECT_EQ(v.text(C::Vert2), "0");
  EXPECT_EQ(v.text(C::TextAnn), "2012");
  EXPECT_EQ(v.hrecLabel, " + Hrec=4.m");
  EXPECT_EQ(v.text(C::Delta_X), "10.");
  EXPECT_EQ(v.text(C::Delta_Y), "3.33");
  EXPECT_EQ(v.text(C::Delta_O), "2.5");  // 50 m along the section / 20
  EXPECT_EQ(v.text(C::Delta_Z), "");     // no divisions in height: no spacing
  EXPECT_EQ(v.text(C::X2), "400.");
  EXPECT_EQ(v.planItems, (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(p.CurrentPlan, 1);
  EXPECT_EQ(v.planIndex, 0);
  EXPECT_EQ(app.Grid.Xmax, 400);  // selecting the plan on opening does not move the grid
  EXPECT_FALSE(v.sectionOptionShown);
  EXPECT_TRUE(v.sectionItems.empty());
  EXPECT_EQ(p.Algorithm, 0);
  EXPECT_FALSE(v.algorithmsShown);
  EXPECT_TRUE(d.isChecked(C::Opt_SVP_interno));
  EXPECT_EQ(v.frame, 0);
  EXPECT_TRUE(v.okEnabled);
  EXPECT_EQ(HrecLabel(1.5), " + Hrec=1.5m");

  // Without divisions along X no spacing is shown at all.
  AppState bare;
  bare.project.NdivY = 10;
  bare.Grid = {0, 100, 0, 100};
  MapDialog b(bare, ui);
  EXPECT_EQ(b.view().text(C::Delta_Y), "");
  EXPECT_TRUE(b.view().planItems.empty());
  EXPECT_TRUE(b.view().algorithmsShown);
}

TEST(MapDialogTest, SectionModeNeedsSectionsAndShowsTheChosenOne) {
  AppState app;
  ScriptedUi ui;
  Project& p = app.project;
  p.ModoMappatura = MappingMode::Section;
  {
    MapDialog none(app, ui);  // a section map without sections falls back to the plane
    EXPECT_EQ(none.view().frame, 0);
    EXPECT_EQ(p.ModoMappatura, MappingMode::Plane);
    none.setChecked(C::Option3);
    EXPECT_TRUE(none.isChecked(C::Option1));
  }
  p.sezioni.addEntity() = Sezione{100, 200, 0, 130, 240, 20};
  p.sezioni.addEntity() = Sezione{0, 0, 1, 30, 40, 11};
  p.NdivO = 20;
  p.NdivZ = 4;
  app.Grid = {-10, 10, -10, 10};
  MapDialog d(app, ui);
  EXPECT_EQ(d.view().sectionItems, (std::vector<std::string>{"Sez. n. 1", "Sez. n. 2"}));
  EXPECT_TRUE(d.view().sectionOptionShown);
  EXPECT_FALSE(d.view().sectionHeightsEditable);
  d.edited(C::Z1, "5");  // no section chosen yet
  EXPECT_EQ(app.Section.Z1, 0);

  d.setChecked(C::Option3);
  EXPECT_EQ(p.ModoMappatura, MappingMode::Section);
  EXPECT_EQ(d.view().frame, 2);
  EXPECT_EQ(d.view().sectionIndex, 0);
  EXPECT_EQ(app.Section.X2, 130);
  EXPECT_EQ(d.view().text(C::Y2), "240.");
  EXPECT_EQ(d.view().text(C::Z2), "20.");
  EXPECT_FALSE(d.view().boundsEditable);
  d.edited(C::X1, "55");  // the ends are shown only
  EXPECT_EQ(app.Grid.Xmin, -10);

  d.chooseSection(1);
  EXPECT_EQ(app.Section.Y2, 40);
  EXPECT_EQ(app.Section.Z1, 1);
  EXPECT_EQ(d.view().text(C::X2), "30.");
  EXPECT_EQ(d.view().text(C::Delta_O), "2.5");  // 50 / 20
  EXPECT_EQ(d.view().text(C::Delta_Z), "2.5");  // 10 / 4
  d.edited(C::Z2, "21");
  EXPECT_EQ(app.Section.Z2, 21);
  EXPECT_EQ(d.view().text(C::Delta_Z), "5.");

  // The next opening finds the section by its ends and keeps the heights typed.
  MapDialog again(app, ui);
  EXPECT_EQ(again.view().frame, 2);
  EXPECT_EQ(again.view().sectionIndex, 1);
  EXPECT_EQ(again.view().text(C::Z2), "21.");
  EXPECT_EQ(app.Section.Z2, 21);
}

TEST(MapDialogTest, TerrainModeWaitsForATerrainFile) {
  AppState app;
  ScriptedUi ui;
  MapDialog d(app, ui);
  d.setChecked(C::Option2);
  EXPECT_EQ(d.view().frame, 1);
  EXPECT_EQ(app.project.ModoMappatura, MappingMode::Terrain);
  EXPECT_FALSE(d.view().okEnabled);

  ui.files.push_back(std::nullopt);
  d.browseTerrain();
  EXPECT_FALSE(d.view().okEnabled);
  ui.files.push_back("/t/dem.grd");
  d.browseTerrain();
  EXPECT_EQ(app.project.FileAltimetria, "/t/dem.grd");
  EXPECT_EQ(d.view().text(C::TextZfile), "/t/dem.grd");
  EXPECT_TRUE(d.view().okEnabled);
  ui.files.push_back(std::nullopt);
  d.browseTerrain();
  const FileDialog& first = ui.dialogs[0];
  EXPECT_EQ(first.title, "Scegli il file contenente l'altimetria (.GRD)");
  EXPECT_EQ(first.filter, "GRD (Surfer) file|*.GRD");
  EXPECT_EQ(first.initialName, "*.GRD");
  EXPECT_EQ(ui.dialogs[2].initialName, "/t/dem.grd");

  d.setChecked(C::Option1);
  EXPECT_TRUE(d.view().okEnabled);
  d.setChecked(C::Option2);
  EXPECT_TRUE(d.view().okEnabled);  // the file is known now
}

TEST(MapDialogTest, SpacingsAndCountsFollowEachOther) {
  AppState app;
  ScriptedUi ui;
  Project& p = app.project;
  p.NdivX = 10;
  app.Grid = {0, 125, 0, 80};
  MapDialog d(app, ui);

  d.edited(C::Delta_X, "10");
  EXPECT_EQ(p.NdivX, 12);  // 12.5: the whole part
  EXPECT_EQ(d.view().text(C::Horiz), "12");
  d.edited(C::Delta_X, "0");  // no change
  EXPECT_EQ(p.NdivX, 12);
  d.edited(C::Delta_Y, "6");
  EXPECT_EQ(p.NdivY, 13);
  d.edited(C::Delta_X, ".001");  // 125000 divisions cannot be stored
  EXPECT_EQ(p.NdivX, 0);
  EXPECT_EQ(d.view().text(C::Horiz), "125000");

  p.NdivX = 10;
  d.edited(C::X1, "-50");
  EXPECT_EQ(app.Grid.Xmin, -50);
  EXPECT_EQ(d.view().text(C::Delta_X), "17.5");
  d.edited(C::X2, "abc");
  EXPECT_EQ(app.Grid.Xmax, 0);
  EXPECT_EQ(d.view().text(C::Delta_X), "5.");
  d.edited(C::X1, "40");  // Xmax below Xmin
  EXPECT_EQ(d.view().text(C::Delta_X), "-4.");
  d.edited(C::Delta_X, "20");  // a negative count, which OK refuses
  EXPECT_EQ(p.NdivX, -2);

  p.NdivY = 0;
  d.edited(C::Y2, "90");
  EXPECT_EQ(app.Grid.Ymax, 90);
  EXPECT_EQ(d.view().text(C::Delta_Y), "6");  // left as it was: no divisions to divide by
}

// Every box that takes keys stores what is typed: the division counts, the
// section spacings and the terrain file name.
TEST(MapDialogTest, TypedCountsSpacingsAndTerrainNameAreStored) {
  AppState app;
  ScriptedUi ui;
  Project& p = app.project;
  p.NdivX = 100;
  p.NdivY = 100;
  app.Grid = {0, 1000, 0, 800};
  MapDialog d(app, ui);
  d.edited(C::Horiz, "20");
  d.edited(C::Vert, "16");
  EXPECT_EQ(p.NdivX, 20);
  EXPECT_EQ(p.NdivY, 16);
  EXPECT_EQ(d.view().text(C::Delta_X), "50.");  // 1000 m / 20
  EXPECT_EQ(d.view().text(C::Delta_Y), "50.");  // 800 m / 16
  EXPECT_EQ(MapNodeCount(p), 21 * 17);
  d.edited(C::Horiz, "3");
  EXPECT_EQ(d.view().text(C::Delta_X), "333.33");
  d.edited(C::Horiz, "");  // an emptied box: no count, no spacing; OK refuses
  EXPECT_EQ(p.NdivX, 0);
  EXPECT_EQ(d.view().text(C::Delta_X), "");
  EXPECT_TRUE(DivisionCountProblem(p).has_value());
  d.edited(C::Vert, "40000");  // beyond 32767
  EXPECT_EQ(p.NdivY, 0);
  d.edited(C::Horiz, "32767");
  d.edited(C::Vert, "1");
  EXPECT_FALSE(DivisionCountProblem(p).has_value());

  // Section spacings give their counts as Delta X does: the whole part.
  p.sezioni.addEntity() = Sezione{0, 0, 0, 30, 40, 10};  // 50 m long, 10 m high
  MapDialog s(app, ui);
  s.setChecked(C::Option3);
  s.edited(C::Delta_O, "4");
  EXPECT_EQ(p.NdivO, 12);  // 12.5
  EXPECT_EQ(s.view().text(C::Horiz2), "12");
  s.edited(C::Delta_Z, "2.5");
  EXPECT_EQ(p.NdivZ, 4);
  EXPECT_EQ(s.view().text(C::Vert2), "4");
  s.edited(C::Delta_Z, "0");  // no change
  EXPECT_EQ(p.NdivZ, 4);

  // A terrain file typed rather than browsed is the one used; OK follows it.
  s.setChecked(C::Option2);
  EXPECT_FALSE(s.view().okEnabled);
  s.edited(C::TextZfile, "terrain.grd");
  EXPECT_EQ(p.FileAltimetria, "terrain.grd");
  EXPECT_TRUE(s.view().okEnabled);
  s.edited(C::TextZfile, "");
  EXPECT_FALSE(s.view().okEnabled);
}

// The bounds shown on opening are the ones "OK - Esegui" maps.
TEST(MapDialogTest, OpensOnTheCurrentPlanElseTheStoredGridElseTheExtent) {
  AppState app;
  ScriptedUi ui;
  Project& p = app.project;
  p.NdivX = 10;
  p.NdivY = 10;
  p.ExtendExtent(-100, -50);
  p.ExtendExtent(300, 150);
  {
    MapDialog d(app, ui);  // nothing stored: the extent
    EXPECT_EQ(d.view().text(C::X1), "-100.");
    EXPECT_EQ(d.view().text(C::X2), "300.");
    EXPECT_EQ(d.view().text(C::Y1), "-50.");
    EXPECT_EQ(d.view().text(C::Y2), "150.");
    EXPECT_EQ(d.view().text(C::Delta_X), "40.");
    EXPECT_EQ(app.Grid.Ymax, 150);
  }
  app.Grid = {10, 20, 30, 50};
  {
    MapDialog d(app, ui);  // a stored grid wins over the extent
    EXPECT_EQ(d.view().text(C::X2), "20.");
    EXPECT_EQ(d.view().text(C::Delta_Y), "2.");
  }
  AddPlan(p, {{5, 6, 0}, {45, 6, 0}, {25, 86, 0}});
  p.CurrentPlan = 1;
  {
    MapDialog d(app, ui);  // the current plan wins over both
    EXPECT_EQ(d.view().text(C::X1), "5.");
    EXPECT_EQ(d.view().text(C::X2), "45.");
    EXPECT_EQ(d.view().text(C::Y1), "6.");
    EXPECT_EQ(d.view().text(C::Y2), "86.");
    EXPECT_EQ(d.view().text(C::Delta_X), "4.");
    EXPECT_EQ(app.Grid.Xmin, 5);
  }
  // A degenerate stored grid of an empty model stays as it is.
  EXPECT_EQ(OpeningGrid(Project{}, GridBounds{}).Xmax, 0);
}

TEST(MapDialogTest, SectionCountsRoundHalvesToEvenAndZeroBeeps) {
  AppState app;
  ScriptedUi ui;
  app.project.sezioni.addEntity() = Sezione{0, 0, 0, 30, 40, 10};
  MapDialog d(app, ui);
  d.chooseSection(0);
  d.edited(C::Horiz2, "2.5");
  EXPECT_EQ(app.project.NdivO, 2);
  EXPECT_EQ(d.view().text(C::Delta_O), "25.");
  d.edited(C::Horiz2, "3.5");
  EXPECT_EQ(app.project.NdivO, 4);
  EXPECT_EQ(d.view().text(C::Delta_O), "12.5");
  d.edited(C::Vert2, "4");
  EXPECT_EQ(d.view().text(C::Delta_Z), "2.5");
  EXPECT_EQ(ui.beeps, 0);

  d.edited(C::Horiz2, "");
  EXPECT_EQ(app.project.NdivO, 0);
  EXPECT_EQ(d.view().text(C::Delta_O), "");
  d.edited(C::Vert2, "0");
  EXPECT_EQ(app.project.NdivZ, 0);
  EXPECT_EQ(d.view().text(C::Delta_Z), "");
  EXPECT_EQ(ui.beeps, 2);
  d.edited(C::Vert2, "40000");
  EXPECT_EQ(app.project.NdivZ, 0);
}

TEST(MapDialogTest, ChoosingAPlanSpansItsVerticesInStepsOfTen) {
  AppState app;
  ScriptedUi ui;
  Project& p = app.project;
  AddPlan(p, {{1000, 1000, 0}, {1010, 1010, 0}});
  AddPlan(p, {{0, 10, 0}, {125, 20, 0}, {60, 45, 0}});
  AddPlan(p, {{0, 0, 0}, {135, 0, 0}});
  MapDialog d(app, ui);
  d.choosePlan(1);
  EXPECT_EQ(p.CurrentPlan, 2);
  EXPECT_EQ(app.Grid.Xmin, 0);
  EXPECT_EQ(app.Grid.Xmax, 125);
  EXPECT_EQ(app.Grid.Ymin, 10);
  EXPECT_EQ(app.Grid.Ymax, 45);
  EXPECT_EQ(p.NdivX, 12);  // 12.5 to the even neighbour
  EXPECT_EQ(p.NdivY, 4);   // 3.5 to the even neighbour
  EXPECT_EQ(d.view().text(C::Horiz), "12");
  EXPECT_EQ(d.view().text(C::Vert), "3");  // the box shows the whole part
  EXPECT_EQ(d.view().text(C::Delta_X), "10");
  EXPECT_EQ(d.view().text(C::X2), "125.");
  EXPECT_EQ(d.view().text(C::Y1), "10.");
  d.choosePlan(2);
  EXPECT_EQ(p.NdivX, 14);  // 13.5 to the even neighbour
  EXPECT_EQ(d.view().text(C::Horiz), "13");
  EXPECT_EQ(p.NdivY, 0);
}

TEST(MapDialogTest, PlainSettingsAndTheYear) {
  AppState app;
  ScriptedUi ui;
  Project& p = app.project;
  Strada& road = p.strade.addEntity();  // no traffic: the update finds no emission
  road.vertices = {{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}};
  MapDialog d(app, ui);
  d.edited(C::Zvalue, "12.5");
  EXPECT_EQ(p.QuotaZ, 12.5);
  d.edited(C::DZvalue, "x");
  EXPECT_EQ(p.SovralzoZ, 0);
  d.edited(C::Text2, "800");
  EXPECT_EQ(p.DistMax, 800);
  d.edited(C::Text2, "0");
  EXPECT_EQ(p.DistMax, 0);
  ASSERT_TRUE(p.EmissioniOK);
  d.edited(C::TextAnn, "2012");
  EXPECT_EQ(p.Anno, 2012);
  EXPECT_FALSE(p.EmissioniOK);  // the emission was recomputed
  d.setChecked(C::Check2);
  d.setChecked(C::Check6);
  d.setChecked(C::Check6, false);
  EXPECT_TRUE(p.DiffrCase);
  EXPECT_FALSE(p.IgnoraFisse);
  EXPECT_TRUE(d.isChecked(C::Check2));
  d.setChecked(C::Opt_Interim);
  EXPECT_EQ(p.Algorithm, 2);
  EXPECT_TRUE(d.isChecked(C::Opt_Interim));
  EXPECT_FALSE(d.isChecked(C::Opt_SVP_trace));
}

TEST(MapDialogTest, OutputFileFromTheSaveDialogOrTheBox) {
  AppState app;
  ScriptedUi ui;
  MapDialog d(app, ui);
  d.left(C::Text1, "");
  ui.files.push_back(std::nullopt);
  d.browseOutput();
  EXPECT_EQ(app.project.GrdName, "");
  ui.files.push_back("/o/night.GRD");
  d.browseOutput();
  EXPECT_EQ(app.project.GrdName, "/o/night.GRD");
  EXPECT_EQ(d.view().text(C::Text1), "/o/night.GRD");
  const FileDialog& f = ui.dialogs[0];
  EXPECT_EQ(f.title, "Scegli il file di output (.GRD)");
  EXPECT_EQ(f.filter, "GRD (Surfer) file|*.GRD");
  EXPECT_EQ(f.initialName, "*.GRD");
  EXPECT_TRUE(f.overwritePrompt);
  d.left(C::Text1, "run");
  EXPECT_EQ(app.project.GrdName, "run.GRD");
  EXPECT_EQ(d.view().text(C::Text1), "run.GRD");
}

TEST(MapDialogTest, OkClampsTheYearAndRefusesWhatCannotRun) {
  AppState app;
  ScriptedUi ui;
  Project& p = app.project;
  p.Anno = 1980;
  p.NdivX = 10;
  p.NdivY = 0;
  MapDialog d(app, ui);
  d.left(C::Text1, "");
  EXPECT_FALSE(d.confirm());
  EXPECT_EQ(ui.beeps, 1);
  EXPECT_EQ(p.Anno, 1995);
  EXPECT_EQ(d.view().text(C::TextAnn), "1995");
  EXPECT_TRUE(app.StopRequested);

  d.left(C::Text1, "run");
  EXPECT_FALSE(d.confirm());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.lastMessage().title, "Esecuzione Mappatura .GRD");
  EXPECT_EQ(ui.lastMessage().text,
            "\"N. divis. Y\" deve essere un numero intero compreso tra 1 e 32767.");
  EXPECT_EQ(ui.lastMessage().icon, Icon::Warning);
  EXPECT_FALSE(d.view().closed);

  p.NdivY = 5;
  p.Anno = 2100;
  EXPECT_TRUE(d.confirm());
  EXPECT_EQ(p.Anno, 2050);
  EXPECT_FALSE(app.StopRequested);
  EXPECT_TRUE(d.view().closed);

  // The section mode checks its own counts, not the plane's.
  p.ModoMappatura = MappingMode::Section;
  p.NdivO = 8;
  p.NdivZ = -1;
  EXPECT_EQ(*DivisionCountProblem(p),
            "\"N. div. Z\" deve essere un numero intero compreso tra 1 e 32767.");
  p.NdivX = 0;
  p.NdivZ = 32767;
  EXPECT_FALSE(DivisionCountProblem(p));

  MapDialog again(app, ui);
  app.StopRequested = false;
  again.cancel();
  EXPECT_TRUE(app.StopRequested);
}

TEST(MapDialogTest, InputFiltersTakeOnlyWhatEachBoxMeans) {
  auto takes = [](C box, int code, std::string_view text = {}, size_t at = 0, size_t sel = 0) {
    return FilterMapKey(box, code, text, at, sel).accepted;
  };
  EXPECT_TRUE(takes(C::X1, '7'));
  EXPECT_TRUE(takes(C::X1, '.'));
  EXPECT_TRUE(takes(C::X1, kBackspaceKey));
  EXPECT_FALSE(takes(C::X1, 'e'));
  EXPECT_FALSE(takes(C::X1, ','));
  // A minus only in front of the coordinate, and only one.
  EXPECT_TRUE(takes(C::X1, '-', "120", 0));
  EXPECT_FALSE(takes(C::X1, '-', "120", 1));
  EXPECT_FALSE(takes(C::X1, '-', "-120", 0));
  EXPECT_TRUE(takes(C::X1, '-', "-120", 0, 1));  // the old minus is selected
  EXPECT_TRUE(takes(C::Z2, '-'));
  EXPECT_FALSE(takes(C::Zvalue, '-'));
  EXPECT_FALSE(takes(C::Text2, '-'));
  EXPECT_FALSE(takes(C::Horiz, '.'));
  EXPECT_FALSE(takes(C::TextAnn, '.'));
  EXPECT_TRUE(takes(C::Delta_X, '-'));  // free boxes take everything
  EXPECT_TRUE(takes(C::Text1, ','));

  // Silent refusals and explained ones.
  EXPECT_FALSE(FilterMapKey(C::X1, 'a').message);
  EXPECT_FALSE(FilterMapKey(C::Vert2, 'a').message);
  KeyVerdict comma = FilterMapKey(C::Text2, ',');
  EXPECT_FALSE(comma.accepted);
  ASSERT_TRUE(comma.message);
  EXPECT_EQ(comma.message->text, "ASCII code = 44");
  EXPECT_EQ(comma.message->title, "Char");
  EXPECT_EQ(comma.message->icon, Icon::Information);
  EXPECT_EQ(comma.message->buttons, Buttons::Ok);
  EXPECT_EQ(FilterMapKey(C::Horiz2, '.').message->text, "ASCII code = 46");
  EXPECT_EQ(FilterMapKey(C::Delta_O, '-').message->text, "ASCII code = 45");
  EXPECT_TRUE(FilterMapKey(C::Delta_Z, '.').accepted);

  // A paste is taken as the keys it holds, or not at all.
  EXPECT_TRUE(FilterMapPaste(C::X1, "", 0, 0, "-12.5"));
  EXPECT_TRUE(FilterMapPaste(C::X1, "12", 0, 0, "-3"));
  EXPECT_FALSE(FilterMapPaste(C::X1, "12", 1, 0, "-3"));
  EXPECT_TRUE(FilterMapPaste(C::X1, "-12", 0, 1, "-3"));  // over the old minus
  EXPECT_FALSE(FilterMapPaste(C::Text2, "", 0, 0, "1,5"));
  EXPECT_TRUE(FilterMapPaste(C::Text1, "", 0, 0, "a,b"));

  AppState app;
  ScriptedUi ui;
  MapDialog d(app, ui);
  EXPECT_FALSE(d.keyTyped(C::Delta_Z, 'x'));
  EXPECT_FALSE(d.keyTyped(C::Y2, 'x'));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.lastMessage().text, "ASCII code = 120");
}

TEST(MapDialogTest, PlanBoundsAndNodeCountsForWindowAndCommandLine) {
  Project p;
  EXPECT_FALSE(PlanBounds(p, 1));
  EXPECT_FALSE(DefaultMapBounds(p));
  p.ExtendExtent(-5, 7);
  p.ExtendExtent(20, 30);
  GridBounds e = *DefaultMapBounds(p);
  EXPECT_EQ(e.Xmin, -5);
  EXPECT_EQ(e.Ymax, 30);
  AddPlan(p, {{3, 9, 0}, {-2, 4, 0}, {8, -1, 0}});
  p.plans.addEntity();  // no vertices
  p.CurrentPlan = 2;
  EXPECT_FALSE(PlanBounds(p, 2));
  EXPECT_EQ(DefaultMapBounds(p)->Xmax, 20);  // the extent
  p.CurrentPlan = 1;
  GridBounds b = *DefaultMapBounds(p);
  EXPECT_EQ(b.Xmin, -2);
  EXPECT_EQ(b.Xmax, 8);
  EXPECT_EQ(b.Ymin, -1);
  EXPECT_EQ(b.Ymax, 9);

  p.NdivX = 10;
  p.NdivY = 4;
  p.NdivO = 2;
  p.NdivZ = 32767;
  EXPECT_EQ(MapNodeCount(p), 55);
  p.ModoMappatura = MappingMode::Section;
  EXPECT_EQ(MapNodeCount(p), 3L * 32768);
  p.ModoMappatura = MappingMode::Terrain;
  EXPECT_EQ(MapNodeCount(p, 1200), 1200);
}

TEST(MapDialogTest, CaptionsAndAccessibleNames) {
  EXPECT_EQ(MapControlName(C::Opt_SVP_trace), "Opt_SVP_trace");
  EXPECT_EQ(MapControlName(C::Command3D2), "Command3D2");
  EXPECT_EQ(MapCaption(C::Check4), "Ignora rid. asf. fonoass.");
  EXPECT_EQ(MapCaption(C::Zvalue), " Quota del piano di mappatura (m)  ");
  EXPECT_EQ(AccessibleName(MapCaption(C::Zvalue)), "Quota del piano di mappatura (m)");
  EXPECT_EQ(AccessibleName(" &Salva "), "Salva");
  EXPECT_EQ(AccessibleName("  "), "");
}

}  // namespace
}  // namespace sonvale
