// The façade exposure dialog driven through its widgets, offscreen: every field
// is found by its caption, and a field that cannot be read stops the run with a
// message before anything is computed or written.
#include "ui/exposure_window.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "commands/dialog_captions.h"
#include "commands/exposure_population_source.h"
#include "commands/gis_import_dialog.h"
#include "commands/project_crs.h"
#include "support/cli_run.h"
#include "support/scripted_ui.h"
#include "ui/status_progress.h"

namespace sonvale {

class ExposureWindowTest : public QObject {
  Q_OBJECT

 private:
  static QString Q(const char* s) { return QString::fromUtf8(s); }
  // The control whose accessible name is the caption, as a screen reader finds it.
  template <class W>
  static W* byName(QWidget& w, const QString& name) {
    for (W* c : w.findChildren<W*>()) {
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
      if (c->accessibleName() == name || (a && a->text(QAccessible::Name) == name)) return c;
    }
    return nullptr;
  }

 private slots:
  void everyFieldIsFoundByItsCaptionAndABadFieldStopsTheRun() {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "sonvale_exposure_window";
    fs::remove_all(dir);
    fs::create_directories(dir);
    AppState app;
    app.project.ProjectFileName = (dir / "street.svp").string();
    app.project.case_.addEntity().vertices = {{0, 0, 10}, {20, 0, 10}, {20, 12, 10}, {0, 12, 10}};
    ScriptedUi ui;
    ExposureWindow w(app, ui);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowTitle(), Q(kExposureDialogTitle));

    for (int k = 0; k < kExposureFieldCount; ++k) {
      const auto field = static_cast<ExposureField>(k);
      const QString caption = Q(ExposureFieldLabel(field));
      if (field == ExposureField::Method || IsPopulationList(field))
        QVERIFY2(byName<QComboBox>(w, caption), qPrintable(caption));
      else if (IsExposureCheck(field))
        QVERIFY2(byName<QCheckBox>(w, caption), qPrintable(caption));
      else
        QVERIFY2(byName<QLineEdit>(w, caption), qPrintable(caption));
    }

    // Without a CRS named for the project, no GIS layers at first.
    QVERIFY(!byName<QCheckBox>(w, Q(ExposureFieldLabel(ExposureField::GisLayers)))->isChecked());

    // "Sfoglia..." beside the map puts the map the chosen grid belongs to.
    const QString mapLabel = Q(ExposureFieldLabel(ExposureField::MapGrid));
    QPushButton* browse = byName<QPushButton>(w, Q(kBrowseCaption) + " " + mapLabel);
    QVERIFY(browse);
    ui.files.push_back((dir / "town_N.grd").string());
    QTest::mouseClick(browse, Qt::LeftButton);
    QCOMPARE(byName<QLineEdit>(w, mapLabel)->text(),
             QString::fromStdString((dir / "town.grd").string()));
    QVERIFY(ui.files.empty());
    QPushButton* run = byName<QPushButton>(w, Q(kExposureRun));
    QVERIFY(run);
    QVERIFY(byName<QPushButton>(w, Q(kExposureCancel)));

    // Two hours for three periods cannot be read.
    QLineEdit* periods = byName<QLineEdit>(w, Q(ExposureFieldLabel(ExposureField::Periods)));
    periods->setFocus();
    periods->selectAll();
    QTest::keyClick(periods, Qt::Key_Backspace);
    QTest::keyClicks(periods, "12,4");
    QTest::mouseClick(run, Qt::LeftButton);
    QCOMPARE(ui.messages.size(), size_t{1});
    QCOMPARE(ui.messages.back().title, std::string(kExposureDialogTitle));
    QCOMPARE(ui.messages.back().icon, Icon::Warning);
    QVERIFY(w.isVisible());
    QVERIFY(!fs::exists(dir / "street_esposizione"));
    fs::remove_all(dir);
  }

  // A run shows its progress with the time left in the status bar given to it,
  // which hides once the run ends; a project that names its CRS gets the GIS
  // layers too.
  void aRunShowsItsProgressInTheStatusBar() {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "sonvale_exposure_window_run";
    fs::remove_all(dir);
    fs::create_directories(dir);
    AppState app;
    app.project.ProjectFileName = (dir / "street.svp").string();
    app.project.case_.addEntity().vertices = {{0, 0, 10}, {20, 0, 10}, {20, 12, 10}, {0, 12, 10}};
    app.project.sources.addEntity() = Source{10, 30, 1, 90, 80, 0, 0, 0, 0, ""};
    WriteProjectCrs(app.project.ProjectFileName, 32633);
    ScriptedUi ui;
    StatusProgress bar;
    QStringList shown;
    connect(&bar, &QProgressBar::valueChanged, [&bar, &shown] { shown << bar.text(); });
    ExposureWindow w(app, ui, nullptr, &bar);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(byName<QPushButton>(w, Q(kExposureRun)), Qt::LeftButton);
    QVERIFY2(!shown.isEmpty(), ui.messages.empty() ? "" : ui.messages.back().text.c_str());
    QCOMPARE(shown.back(), QString("100% - 00:00:00"));
    QVERIFY(bar.isHidden());
    QVERIFY(fs::exists(dir / "street_esposizione" / "facade_points.gpkg"));
    QVERIFY(fs::exists(dir / "street_esposizione" / "buildings.gpkg"));

    fs::remove_all(dir);
  }
  // A GIS source of people chosen by "Sfoglia..." fills the lists of its layer
  // and fields, each figure's field proposed by its name; the run places the
  // people of each feature in the building it lies in.
  void aGisSourceOfPeopleFillsItsLists() {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "sonvale_exposure_window_gis";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path people = dir / "people.geojson";
    std::ofstream(people) << R"({"type":"FeatureCollection","features":[{"type":"Feature",)"
                             R"("properties":{"ID":1,"Abitanti":12,"tipo":"residential"},)"
                             R"("geometry":{"type":"Point","coordinates":[10,6]}}]})";
    AppState app;
    app.project.ProjectFileName = (dir / "street.svp").string();
    app.project.case_.addEntity().vertices = {{0, 0, 10}, {20, 0, 10}, {20, 12, 10}, {0, 12, 10}};
    app.project.sources.addEntity() = Source{10, 30, 1, 90, 80, 0, 0, 0, 0, ""};
    ScriptedUi ui;
    ExposureWindow w(app, ui);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto list = [&w](ExposureField f) { return byName<QComboBox>(w, Q(ExposureFieldLabel(f))); };
    for (ExposureField f :
         {ExposureField::PopulationLayer, ExposureField::PeopleField, ExposureField::DwellingsField,
          ExposureField::UseField, ExposureField::MethodField}) {
      QVERIFY(list(f));
      QVERIFY(!list(f)->isEnabled());  // no GIS source yet
    }
    const QString label = Q(ExposureFieldLabel(ExposureField::Population));
    ui.files.push_back(people.string());
    QTest::mouseClick(byName<QPushButton>(w, Q(kBrowseCaption) + " " + label), Qt::LeftButton);
    QVERIFY2(ui.messages.empty(), ui.messages.empty() ? "" : ui.messages.back().text.c_str());
    QCOMPARE(list(ExposureField::PopulationLayer)->count(), 1);
    QCOMPARE(list(ExposureField::PopulationLayer)->currentText(), QString("people"));
    QCOMPARE(list(ExposureField::PeopleField)->currentText(), QString("Abitanti"));
    QComboBox* use = list(ExposureField::UseField);
    QCOMPARE(use->currentText(), Q(kNoSourceField));
    QCOMPARE(use->count(), 4);  // none, then ID, Abitanti, tipo
    use->setCurrentIndex(use->findText("tipo"));
    if (const char* shots = std::getenv("SONVALE_SCREENSHOT_DIR"))
      QVERIFY(w.grab().save(QString::fromLocal8Bit(shots) + "/exposure_window.png"));
    QTest::mouseClick(byName<QPushButton>(w, Q(kExposureRun)), Qt::LeftButton);
    QVERIFY2(ui.messages.empty(), ui.messages.empty() ? "" : ui.messages.back().text.c_str());
    std::ifstream in(dir / "street_esposizione" / "buildings.csv");
    std::string header, row;
    std::getline(in, header);
    std::getline(in, row);
    QVERIFY2(row.rfind("1,12.00,", 0) == 0 && row.find("residential") != std::string::npos,
             row.c_str());

    // A GeoPackage of two layers: choosing the second shows its own fields.
    const fs::path gpkg = dir / "census.gpkg";
    std::ofstream(dir / "blocks.geojson")
        << R"({"type":"FeatureCollection","features":[{"type":"Feature",)"
           R"("properties":{"RESIDENTI":40,"ALLOGGI":18},)"
           R"("geometry":{"type":"Point","coordinates":[10,6]}}]})";
    for (const auto& [from, layer] :
         {std::pair{people, "addresses"}, std::pair{dir / "blocks.geojson", "blocks"}}) {
      const CliRun made =
          RunCommand("ogr2ogr -f GPKG " + std::string(fs::exists(gpkg) ? "-update " : "") +
                     "-nln " + layer + " " + Quote(gpkg.string()) + " " + Quote(from.string()));
      QVERIFY2(made.status == 0, made.out.c_str());
    }
    ui.files.push_back(gpkg.string());
    QTest::mouseClick(byName<QPushButton>(w, Q(kBrowseCaption) + " " + label), Qt::LeftButton);
    QComboBox* layers = list(ExposureField::PopulationLayer);
    QCOMPARE(layers->count(), 2);
    QCOMPARE(layers->currentText(), QString("addresses"));
    QCOMPARE(list(ExposureField::DwellingsField)->currentText(), Q(kNoSourceField));
    layers->setFocus();
    QTest::keyClick(layers, Qt::Key_Down);
    QCOMPARE(layers->currentText(), QString("blocks"));
    QCOMPARE(list(ExposureField::PeopleField)->currentText(), QString("RESIDENTI"));
    QCOMPARE(list(ExposureField::DwellingsField)->currentText(), QString("ALLOGGI"));
    QCOMPARE(list(ExposureField::UseField)->count(), 3);

    // A population file has no layers: the lists empty again.
    QLineEdit* population = byName<QLineEdit>(w, label);
    population->setText(QString::fromStdString((dir / "people.csv").string()));
    QMetaObject::invokeMethod(population, "editingFinished");
    QCOMPARE(list(ExposureField::PeopleField)->count(), 0);
    QVERIFY(!list(ExposureField::PeopleField)->isEnabled());

    // Opened again, the dialog shows the last run's choices, lists included.
    ExposureWindow again(app, ui);
    QCOMPARE(byName<QLineEdit>(again, label)->text(), QString::fromStdString(people.string()));
    QComboBox* useAgain = byName<QComboBox>(again, Q(ExposureFieldLabel(ExposureField::UseField)));
    QCOMPARE(useAgain->currentText(), QString("tipo"));
    QCOMPARE(useAgain->count(), 4);
    fs::remove_all(dir);
  }
};

}  // namespace sonvale

QTEST_MAIN(sonvale::ExposureWindowTest)
#include "exposure_window_test.moc"
