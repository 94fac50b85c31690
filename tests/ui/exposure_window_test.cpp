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

#include "commands/dialog_captions.h"
#include "commands/project_crs.h"
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
      if (field == ExposureField::Method)
        QVERIFY2(byName<QComboBox>(w, caption), qPrintable(caption));
      else if (IsExposureCheck(field))
        QVERIFY2(byName<QCheckBox>(w, caption), qPrintable(caption));
      else
        QVERIFY2(byName<QLineEdit>(w, caption), qPrintable(caption));
    }
    if (const char* shots = std::getenv("SONVALE_SCREENSHOT_DIR"))
      QVERIFY(w.grab().save(QString::fromLocal8Bit(shots) + "/exposure_window.png"));

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
};

}  // namespace sonvale

QTEST_MAIN(sonvale::ExposureWindowTest)
#include "exposure_window_test.moc"
