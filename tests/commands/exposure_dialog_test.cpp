// The dialog "Esposizione facciate" without its window: first texts, the lists
// of a GIS source of people, and the field named by the message when a text
// cannot be read.
#include "commands/exposure_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <variant>

#include "commands/exposure_population_source.h"
#include "commands/project_crs.h"
#include "support/scripted_ui.h"
#include "support/stand_in_gis.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

TEST(ExposureDialog, FirstTextsReadIntoTheDefaultChoices) {
  AppState app;
  app.project.ProjectFileName = "/data/town.svp";
  ExposureTexts t = DefaultExposureTexts(app);
  EXPECT_EQ(t[static_cast<size_t>(ExposureField::OutDir)], "/data/town_esposizione");
  EXPECT_EQ(t[static_cast<size_t>(ExposureField::Population)], "");  // no side file there
  auto read = ReadExposureTexts(t);
  ASSERT_TRUE(std::holds_alternative<ExposureDialogResult>(read));
  ExposureDialogResult r = std::get<ExposureDialogResult>(read);
  EXPECT_EQ(r.outDir, "/data/town_esposizione");
  EXPECT_EQ(r.choices.settings.method, AssignMethod::Median);
  EXPECT_EQ(r.choices.settings.periods.day, 12);
  EXPECT_EQ(r.choices.facade.height, 4);
  EXPECT_EQ(r.choices.facade.distance, 0.1);
  EXPECT_EQ(r.choices.estimate.squareMetresPerPerson, 0);
  EXPECT_FALSE(r.choices.facade.perFloor);
  EXPECT_EQ(r.choices.personsPerDwelling, 2.3);
  EXPECT_FALSE(r.choices.ihdIncidence);
  EXPECT_EQ(r.choices.mapGrid, "");
  EXPECT_FALSE(r.gisLayers);  // the project names no CRS
  EXPECT_EQ(ExposureMethodItems().size(), 3u);

  t[static_cast<size_t>(ExposureField::Method)] = "loudest";
  t[static_cast<size_t>(ExposureField::Periods)] = " 14,2,8 ";
  t[static_cast<size_t>(ExposureField::Estimate)] = "35";
  t[static_cast<size_t>(ExposureField::Floors)] = "1";
  t[static_cast<size_t>(ExposureField::PersonsPerDwelling)] = "2.1";
  t[static_cast<size_t>(ExposureField::IhdIncidence)] = "0.004";
  t[static_cast<size_t>(ExposureField::MapGrid)] = " /data/town.grd ";
  t[static_cast<size_t>(ExposureField::GisLayers)] = "1";
  r = std::get<ExposureDialogResult>(ReadExposureTexts(t));
  EXPECT_EQ(r.choices.settings.method, AssignMethod::Loudest);
  EXPECT_EQ(r.choices.settings.periods.evening, 2);
  EXPECT_EQ(r.choices.estimate.squareMetresPerPerson, 35);
  EXPECT_TRUE(r.choices.facade.perFloor);
  EXPECT_EQ(r.choices.personsPerDwelling, 2.1);
  EXPECT_EQ(*r.choices.ihdIncidence, 0.004);
  EXPECT_EQ(r.choices.mapGrid, "/data/town.grd");
  EXPECT_TRUE(r.gisLayers);
}

// A population source other than a CSV file is a GIS source of people: its
// lists show the layers and the fields of the chosen layer, proposing the field
// of each figure by its usual names, and the choices read into the run's.
TEST(ExposureDialog, AGisSourceOfPeopleTakesItsLayerAndFields) {
  StandInGis gis;
  gis.fields["edifici"] = {"ID", "Abitanti", "ALLOGGI", "uso_prev", "METODO"};
  PopulationLists lists = ReadPopulationLists(gis, "/data/people.gpkg", "edifici");
  EXPECT_EQ(lists.layers, (std::vector<std::string>{"vie", "edifici"}));
  EXPECT_EQ(lists.layer, "edifici");
  EXPECT_EQ(PopulationListItems(ExposureField::PopulationLayer, lists), lists.layers);
  EXPECT_EQ(PopulationListItems(ExposureField::PeopleField, lists), gis.fields["edifici"]);
  const std::vector<std::string> optional = PopulationListItems(ExposureField::UseField, lists);
  ASSERT_EQ(optional.size(), 6u);
  EXPECT_EQ(optional.front(), "");  // no field
  EXPECT_TRUE(PopulationListItems(ExposureField::Height, lists).empty());
  EXPECT_EQ(ProposedPopulationItem(ExposureField::PopulationLayer, lists), "edifici");
  EXPECT_EQ(ProposedPopulationItem(ExposureField::PeopleField, lists), "Abitanti");
  EXPECT_EQ(ProposedPopulationItem(ExposureField::DwellingsField, lists), "ALLOGGI");
  EXPECT_EQ(ProposedPopulationItem(ExposureField::UseField, lists), "");
  EXPECT_EQ(ProposedPopulationItem(ExposureField::MethodField, lists), "METODO");
  // A layer the source does not have: its first layer; an unreadable source throws.
  lists = ReadPopulationLists(gis, "/data/people.gpkg", "strade");
  EXPECT_EQ(lists.layer, "vie");
  EXPECT_EQ(ProposedPopulationItem(ExposureField::PeopleField, lists), "");
  EXPECT_THROW(ReadPopulationLists(gis, "missing.gpkg"), FileError);

  // A run that names no field takes each figure's usual field, and the only
  // layer of a source; from a source of several layers it needs the layer.
  PopulationLayerOptions o;
  o.layer = "edifici";
  EXPECT_EQ(ProposePopulationFields(gis, "/data/people.gpkg", o),
            "people=Abitanti, dwellings=ALLOGGI, method=METODO");
  EXPECT_EQ(o.fields.at("people"), "Abitanti");
  o = PopulationLayerOptions{};
  EXPECT_EQ(ProposePopulationFields(gis, "/data/people.gpkg", o), "");
  EXPECT_TRUE(o.fields.empty());
  gis.layers = {"edifici"};
  EXPECT_EQ(ProposePopulationFields(gis, "/data/people.gpkg", o),
            "people=Abitanti, dwellings=ALLOGGI, method=METODO");
  EXPECT_EQ(o.layer, "edifici");
  o.fields = {{"people", "ID"}};  // named fields stay as they are
  EXPECT_EQ(ProposePopulationFields(gis, "/data/people.gpkg", o), "people=ID");

  ExposureTexts t = DefaultExposureTexts(AppState{});
  t[static_cast<size_t>(ExposureField::Population)] = "/data/people.gpkg";
  t[static_cast<size_t>(ExposureField::PopulationLayer)] = "edifici";
  t[static_cast<size_t>(ExposureField::PeopleField)] = "POP";
  t[static_cast<size_t>(ExposureField::UseField)] = "USO";
  auto r = std::get<ExposureDialogResult>(ReadExposureTexts(t));
  EXPECT_EQ(r.choices.populationFile, "");
  EXPECT_EQ(r.choices.populationLayerSource, "/data/people.gpkg");
  EXPECT_EQ(r.choices.populationLayer.layer, "edifici");
  EXPECT_EQ(r.choices.populationLayer.fields,
            (std::map<std::string, std::string>{{"people", "POP"}, {"use", "USO"}}));
  // Without a field of people there is nobody to place.
  t[static_cast<size_t>(ExposureField::PeopleField)] = " ";
  auto read = ReadExposureTexts(t);
  ASSERT_TRUE(std::holds_alternative<std::string>(read));
  EXPECT_EQ(std::get<std::string>(read),
            std::string("Valore non valido: ") + ExposureFieldLabel(ExposureField::PeopleField));
  // A population file has no fields to name: what the lists hold is not read.
  t[static_cast<size_t>(ExposureField::Population)] = "/data/POP.CSV";
  r = std::get<ExposureDialogResult>(ReadExposureTexts(t));
  EXPECT_EQ(r.choices.populationFile, "/data/POP.CSV");
  EXPECT_EQ(r.choices.populationLayerSource, "");
  EXPECT_TRUE(IsGisPopulationSource("people.geojson"));
  EXPECT_TRUE(IsGisPopulationSource("/data.d/people"));
  EXPECT_FALSE(IsGisPopulationSource("/data.d/people.Csv"));
  EXPECT_FALSE(IsGisPopulationSource(""));
}

// The dialog opens with the texts of its last run for the same project.
TEST(ExposureDialog, TheLastRunsTextsComeBackForItsProject) {
  AppState app;
  app.project.ProjectFileName = "/data/town.svp";
  ExposureTexts t = OpeningExposureTexts(app);
  EXPECT_EQ(t, DefaultExposureTexts(app));
  t[static_cast<size_t>(ExposureField::Population)] = "/data/census.gpkg";
  t[static_cast<size_t>(ExposureField::UseField)] = "USO";
  KeepExposureTexts(app, t);
  EXPECT_EQ(OpeningExposureTexts(app), t);
  app.project.ProjectFileName = "/data/other.svp";
  EXPECT_EQ(OpeningExposureTexts(app), DefaultExposureTexts(app));
}

// "Sfoglia..." stands beside the population file and the map; a map is named
// by either of its grids.
TEST(ExposureDialog, ChosenFilesFillTheirFields) {
  EXPECT_TRUE(ExposureFileDialog(ExposureField::Population));
  EXPECT_TRUE(ExposureFileDialog(ExposureField::MapGrid)->mustExist);
  EXPECT_FALSE(ExposureFileDialog(ExposureField::Height));
  EXPECT_EQ(ExposureChosenText(ExposureField::MapGrid, "/m/town_D.grd"), "/m/town.grd");
  EXPECT_EQ(ExposureChosenText(ExposureField::MapGrid, "/m/town_n.GRD"), "/m/town.GRD");
  EXPECT_EQ(ExposureChosenText(ExposureField::MapGrid, "/m/town.grd"), "/m/town.grd");
  EXPECT_EQ(ExposureChosenText(ExposureField::MapGrid, "/m_D.x/town"), "/m_D.x/town");
  EXPECT_EQ(ExposureChosenText(ExposureField::Population, "/p/pop_D.csv"), "/p/pop_D.csv");
}

// The GIS layers are ticked at first when the project names its CRS; without
// one, a run asking for them is told how to name it.
TEST(ExposureDialog, GisLayersFollowTheProjectsCrs) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "sonvale_exposure_dialog_crs";
  fs::remove_all(dir);
  fs::create_directories(dir);
  AppState app;
  app.project.ProjectFileName = (dir / "town.svp").string();
  ScriptedUi ui;
  EXPECT_EQ(DefaultExposureTexts(app)[static_cast<size_t>(ExposureField::GisLayers)], "0");
  EXPECT_FALSE(ExposureLayersCrs(app, ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("Sistema di riferimento (EPSG)..."), std::string::npos);

  WriteProjectCrs(app.project.ProjectFileName, 32633);
  EXPECT_EQ(DefaultExposureTexts(app)[static_cast<size_t>(ExposureField::GisLayers)], "1");
  std::ofstream(SideFilePath(app.project.ProjectFileName)) << "CRS=32633\n";
  EXPECT_EQ(DefaultExposureTexts(app)[static_cast<size_t>(ExposureField::GisLayers)], "0");
  EXPECT_FALSE(ExposureLayersCrs(app, ui));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_NE(ui.messages[1].text.find("town.svx"), std::string::npos) << ui.messages[1].text;
  fs::remove_all(dir);
}

TEST(ExposureDialog, BadTextsNameTheirField) {
  AppState app;
  const ExposureTexts first = DefaultExposureTexts(app);
  const struct {
    ExposureField field;
    const char* text;
  } cases[] = {{ExposureField::Periods, "12,4,9"}, {ExposureField::Height, "-1"},
               {ExposureField::Distance, "0"},     {ExposureField::Estimate, "molti"},
               {ExposureField::Method, "half"},    {ExposureField::OutDir, "  "},
               {ExposureField::Floors, "yes"},     {ExposureField::PersonsPerDwelling, "0"},
               {ExposureField::IhdIncidence, "2"}, {ExposureField::GisLayers, ""}};
  for (const auto& c : cases) {
    ExposureTexts t = first;
    t[static_cast<size_t>(c.field)] = c.text;
    auto read = ReadExposureTexts(t);
    ASSERT_TRUE(std::holds_alternative<std::string>(read)) << c.text;
    EXPECT_EQ(std::get<std::string>(read),
              std::string("Valore non valido: ") + ExposureFieldLabel(c.field));
  }
}

}  // namespace
}  // namespace sonvale
