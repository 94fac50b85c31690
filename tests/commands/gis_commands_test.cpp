// The GIS dialogs' logic without a window: the import form over a stand-in
// module (layers and fields as a source would give them), the checks and
// messages of its choices, the project's CRS in its side file, and grid
// arithmetic into a new grid.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "commands/gis_import_dialog.h"
#include "commands/grid_calc_dialog.h"
#include "commands/map_gis_outputs.h"
#include "commands/project_crs.h"
#include "gis/grid_calc.h"
#include "support/file_contents.h"
#include "support/scripted_ui.h"
#include "support/stand_in_gis.h"
#include "text/file_error.h"

namespace sonvale {
namespace {

namespace fs = std::filesystem;

std::string Source(const GisImportForm& form, const std::string& field) {
  for (const auto& [f, s] : form.mapping)
    if (f == field) return s;
  return "<no row>";
}

class Scratch : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("sonvale_gis_cmd_" +
           std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
};

TEST(GisImportFormTest, LayersFieldsAndTheProposedMapping) {
  StandInGis gis;
  GisImportForm form = NewGisImportForm(32632);
  EXPECT_EQ(form.crs, "EPSG:32632");
  ASSERT_EQ(form.mapping.size(),
            26u);  // Nome, Pendenza, Pavimentaz, HmedSX, HmedDX, Larghezza, 4 x 5
  EXPECT_EQ(Source(form, "Nome"), "");

  ChooseGisSource(form, gis, "city.gpkg");
  EXPECT_EQ(form.layers, (std::vector<std::string>{"vie", "edifici"}));
  EXPECT_EQ(form.layer, 0);
  // The layer's own names, matched case aside; a field without a match maps nothing.
  EXPECT_EQ(Source(form, "Nome"), "nome");
  EXPECT_EQ(Source(form, "NveicDay1"), "NVEICDAY1");
  EXPECT_EQ(Source(form, "NveicDay2"), "");

  ChooseGisKind(form, GisKind::Case);
  ASSERT_EQ(form.mapping.size(), 1u);
  EXPECT_EQ(Source(form, "Altezza"), "");  // "vie" has no height field
  ChooseGisLayer(form, gis, 1);
  EXPECT_EQ(form.sourceFields, (std::vector<std::string>{"ALTEZZA", "piani"}));
  EXPECT_EQ(Source(form, "Altezza"), "ALTEZZA");
  MapGisField(form, "Altezza", "piani");
  EXPECT_EQ(Source(form, "Altezza"), "piani");
  MapGisField(form, "Altezza", kNoSourceField);
  EXPECT_EQ(Source(form, "Altezza"), "");

  // A source GDAL cannot read leaves the form as it was.
  EXPECT_THROW(ChooseGisSource(form, gis, "missing.gpkg"), FileError);
  EXPECT_EQ(form.source, "city.gpkg");
  EXPECT_EQ(form.layer, 1);
}

TEST(GisImportFormTest, ChoicesThatDoNotFitAreSaidAsTheDrawingImportSaysThem) {
  StandInGis gis;
  Project project;
  GisImportForm form = NewGisImportForm(std::nullopt);
  GisImportChoice c = GisImportFormOptions(form, project, gis);
  EXPECT_FALSE(c.options);
  EXPECT_EQ(c.problem, "Scegliere un file GIS con almeno un layer.");

  ChooseGisSource(form, gis, "city.gpkg");
  form.mode = GisMergeMode::Replace;
  c = GisImportFormOptions(form, project, gis);
  EXPECT_EQ(c.title, "Funzione Rimpiazza");
  EXPECT_EQ(c.problem, "Non ci sono entità tipo Strade da rimpiazzare.");

  project.strade.add();
  project.strade.add();
  form.mode = GisMergeMode::Insert;
  form.row = "5";
  c = GisImportFormOptions(form, project, gis);
  EXPECT_EQ(c.title, "Funzione Inserisci");
  EXPECT_EQ(c.problem, "Numero non valido: \"5\". Il numero deve essere compreso tra 1 e 3.");

  form.row = "3";
  form.crs = "EPSG:999999";
  c = GisImportFormOptions(form, project, gis);
  EXPECT_EQ(c.problem, "EPSG:999999 non è un sistema di riferimento noto.");
  form.crs = "UTM 32";
  EXPECT_EQ(GisImportFormOptions(form, project, gis).problem,
            "Codice EPSG non valido: \"UTM 32\".");

  // A bare code names EPSG; the height counts only for buildings and barriers.
  form.crs = "3003";
  form.height = "abc";
  c = GisImportFormOptions(form, project, gis);
  ASSERT_TRUE(c.options) << c.problem;
  EXPECT_EQ(c.options->targetCrsWkt, "WKT 3003");
  EXPECT_FALSE(c.options->height);
  EXPECT_EQ(c.options->layer, "vie");
  EXPECT_EQ(c.options->row, 3);
  EXPECT_EQ(c.options->mode, GisMergeMode::Insert);
  EXPECT_EQ(c.options->fields,
            (std::map<std::string, std::string>{{"Nome", "nome"}, {"NveicDay1", "NVEICDAY1"}}));

  ChooseGisKind(form, GisKind::Barriere);
  form.mode = GisMergeMode::Append;
  EXPECT_EQ(GisImportFormOptions(form, project, gis).problem, "Altezza non valida: \"abc\".");
  form.height = " 4.5 ";
  c = GisImportFormOptions(form, project, gis);
  ASSERT_TRUE(c.options);
  EXPECT_EQ(c.options->height, 4.5);
  EXPECT_EQ(c.options->row, 0);  // append takes no row
}

TEST(GisImportFormTest, TheImportReportsFailuresAndWhatWasLeftOut) {
  StandInGis gis;
  Project project;
  ScriptedUi ui;
  gis.importFailure = "layer vie, feature 4: Pendenza = \"7\" is not a whole number from 0 to 2";
  GisImportOptions options;
  EXPECT_FALSE(ImportGisIntoProject(project, ui, gis, "city.gpkg", options));
  EXPECT_EQ(project.strade.count(), 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.lastMessage().icon, Icon::Critical);
  EXPECT_EQ(ui.lastMessage().text,
            "Importazione GIS non riuscita: city.gpkg: layer vie, feature 4: Pendenza = \"7\" "
            "is not a whole number from 0 to 2");
  EXPECT_EQ(ui.statuses.front(), "Sto decodificando city.gpkg...");

  gis.importFailure.reset();
  gis.report.features = 12;
  gis.report.imported = 9;
  gis.report.skippedFull = 1;
  gis.report.skippedVertices = 2;
  gis.report.skippedEmpty = 3;
  ASSERT_TRUE(ImportGisIntoProject(project, ui, gis, "city.gpkg", options));
  EXPECT_EQ(project.strade.count(), 1);
  EXPECT_EQ(ui.statuses.back(), "Importati 9 elementi (Strade) da 12 oggetti di city.gpkg");
  EXPECT_EQ(ui.lastMessage().text,
            "1 parte lasciata fuori: la tabella Strade è piena\n"
            "2 parti lasciate fuori: troppi vertici\n"
            "3 parti senza geometria utilizzabile lasciate fuori");
}

TEST_F(Scratch, TheProjectCrsLivesInTheSideFileBesideTheProject) {
  const std::string project = (dir / "town.svp").string();
  EXPECT_EQ(SideFilePath(project), (dir / "town.svx").string());
  EXPECT_FALSE(ReadProjectCrs(project));
  { std::ofstream(dir / "town.svx") << "POP=people.csv\n"; }
  WriteProjectCrs(project, 32632);
  EXPECT_EQ(FileContents(dir / "town.svx"), "CRS=EPSG:32632\nPOP=people.csv\n");
  EXPECT_EQ(ReadProjectCrs(project), 32632);
  WriteProjectCrs(project, std::nullopt);
  EXPECT_EQ(FileContents(dir / "town.svx"), "POP=people.csv\n");
  { std::ofstream(dir / "town.svx") << "POP=x\r\nCRS=32632\r\n"; }
  try {
    ReadProjectCrs(project);
    FAIL() << "a CRS line without EPSG: was taken";
  } catch (const FormatError& e) {
    EXPECT_EQ(e.line(), 2);
  }
}

TEST_F(Scratch, ASavedCopyTakesTheSideFileAlong) {
  const std::string town = (dir / "town.svp").string(), copy = (dir / "copia.svp").string();
  EXPECT_TRUE(CarrySideFile(town, copy));  // no side file: nothing to carry
  EXPECT_FALSE(fs::exists(dir / "copia.svx"));
  WriteProjectCrs(town, 3003);
  { std::ofstream(dir / "copia.svx") << "CRS=EPSG:4326\n"; }
  EXPECT_TRUE(CarrySideFile(town, copy));
  EXPECT_EQ(ReadProjectCrs(copy), 3003);
  EXPECT_TRUE(CarrySideFile("", copy));  // a new project has none
  EXPECT_EQ(ReadProjectCrs(copy), 3003);
  EXPECT_FALSE(CarrySideFile(town, (dir / "no/such/folder/x.svp").string()));
}

TEST_F(Scratch, TheCrsCommandAsksChecksAndWrites) {
  StandInGis gis;
  ScriptedUi ui;
  EXPECT_FALSE(CmdSistemaRiferimento("", ui, gis));
  EXPECT_EQ(ui.lastMessage().text,
            "Salvare prima il progetto: il sistema di riferimento è tenuto in un file accanto "
            "al file del progetto.");

  const std::string project = (dir / "town.svp").string();
  ui.inputs = {"3003", "epsg:999999", "32 632", ""};
  EXPECT_TRUE(CmdSistemaRiferimento(project, ui, gis));
  EXPECT_EQ(ReadProjectCrs(project), 3003);
  EXPECT_EQ(ui.statuses.back(), "Sistema di riferimento del progetto: EPSG:3003");
  EXPECT_FALSE(CmdSistemaRiferimento(project, ui, gis));
  EXPECT_EQ(ui.lastMessage().text, "EPSG:999999 non è un sistema di riferimento noto.");
  EXPECT_FALSE(CmdSistemaRiferimento(project, ui, gis));
  EXPECT_EQ(ui.lastMessage().text, "Codice EPSG non valido: \"32 632\".");
  EXPECT_EQ(ReadProjectCrs(project), 3003);  // refused answers change nothing
  EXPECT_TRUE(CmdSistemaRiferimento(project, ui, gis));
  EXPECT_FALSE(ReadProjectCrs(project));
  EXPECT_EQ(ProjectCrsWkt(project, gis), "");
}

GridData TwoByTwo(double a, double b, double c, double d) {
  GridData g;
  g.header = GridHeader{2, 2, 0, 10, 0, 10, 0, 0};
  g.values = {a, b, c, d};
  return g;
}

TEST_F(Scratch, GridArithmeticWritesTheNewGridOrSaysWhy) {
  const std::string a = (dir / "a.grd").string(), b = (dir / "b.grd").string();
  WriteTextGrid(a, TwoByTwo(60, 70, 50, kBlankValue));
  WriteTextGrid(b, TwoByTwo(60, 60, 53, 40));
  ScriptedUi ui;
  GridCalcForm form;
  form.grids = {a};
  EXPECT_EQ(GridCalcProblem(form), "La somma vuole almeno due mappe.");
  form.operation = GridOperation::Difference;
  EXPECT_EQ(GridCalcProblem(form), "La differenza vuole due mappe, A e B.");
  form.operation = GridOperation::Excess;
  form.limit = "sessanta";
  EXPECT_EQ(GridCalcProblem(form), "Limite non valido: \"sessanta\".");
  form.limit = "55";
  EXPECT_EQ(GridCalcProblem(form), "Scegliere il file della nuova mappa.");
  EXPECT_FALSE(RunGridCalc(form, ui));
  EXPECT_EQ(ui.lastMessage().title, kGridCalcTitle);

  form.output = (dir / "out.grd").string();
  std::optional<GridData> excess = RunGridCalc(form, ui);
  ASSERT_TRUE(excess);
  EXPECT_EQ(excess->values, (std::vector<double>{5, 15, 0, kBlankValue}));

  form.operation = GridOperation::Sum;
  form.grids = {a, b};
  std::optional<GridData> sum = RunGridCalc(form, ui);
  ASSERT_TRUE(sum);
  // 60 + 60 dB: 10 log10(2 * 10^6); 70 and 60: 10 log10(10^7 + 10^6).
  EXPECT_NEAR(sum->value(0, 0), 63.0103, 1e-4);
  EXPECT_NEAR(sum->value(1, 0), 70.4139, 1e-4);
  EXPECT_EQ(sum->value(1, 1), kBlankValue);
  EXPECT_NEAR(ReadLevelGrid(form.output).value(0, 0), 63.0103, 1e-4);

  form.grids = {a, (dir / "none.grd").string()};
  const size_t shown = ui.messages.size();
  EXPECT_FALSE(RunGridCalc(form, ui));
  ASSERT_EQ(ui.messages.size(), shown + 1);
  EXPECT_NE(ui.lastMessage().text.find("none.grd"), std::string::npos);
}

TEST(MapGisOutputsTest, NamesBesideTheGrid) {
  EXPECT_EQ(GeoTiffBeside("/m/N_D.grd"), "/m/N_D.tif");
  EXPECT_EQ(IsophonesBeside("/m/N_D.grd"), "/m/N_D_iso.gpkg");
  EXPECT_EQ(GeoTiffBeside("/m.d/N_D"), "/m.d/N_D.tif");
  EXPECT_EQ(GisLayerFile("/x/out.shp", "strade"), "/x/out_strade.shp");
  EXPECT_EQ(GisLayerFile("/x/out.gpkg", "strade"), "/x/out.gpkg");
  EXPECT_EQ(GisFormatOf("a.GeoJSON"), GisFormat::GeoJson);
  EXPECT_FALSE(GisFormatOf("a.txt"));
}

}  // namespace
}  // namespace sonvale
