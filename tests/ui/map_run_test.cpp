// "&Mappa (.GRD)" through the menu and the mapping dialog, with real key and
// mouse events, against the command line's map of the same grid.
#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "commands/startup.h"
#include "started_window.h"
#include "support/file_contents.h"
#include "ui/do_map.h"
#include "ui/main_window.h"

namespace fs = std::filesystem;
using namespace sonvale;

namespace {

// Retypes a box of the dialog key by key, as the user would.
void Retype(QDialog* d, const char* name, const QString& text) {
  auto* box = d->findChild<QLineEdit*>(name);
  QVERIFY2(box, name);
  box->setFocus();
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, text);
}

// The grid every run of this file maps: the whole example town in 40 x 40
// cells of 25 m.
const char* const kBounds = "500000,501000,4500000,4501000";
const char* const kDivisions = "40,40";

// Fills the mapping dialog when it opens and confirms with "OK - Esegui".
void ConfirmMapDialog(const fs::path& out) {
  QTimer::singleShot(0, [out] {
    auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    QVERIFY(d);
    QCOMPARE(d->windowTitle(), QString("Esecuzione Mappatura .GRD"));
    Retype(d, "Text1", QString::fromStdString(out.string()));
    QTest::keyClick(d->findChild<QLineEdit*>("Text1"), Qt::Key_Return);
    Retype(d, "X1", "500000");
    Retype(d, "X2", "501000");
    Retype(d, "Y1", "4500000");
    Retype(d, "Y2", "4501000");
    Retype(d, "Delta_X", "25");
    Retype(d, "Delta_Y", "25");
    // The stand-in tracer sits in the program folder: choose our own engine.
    auto* internal = d->findChild<QAbstractButton*>("Opt_SVP_interno");
    QVERIFY(internal && internal->isVisible());
    QTest::mouseClick(internal, Qt::LeftButton);
    QVERIFY(internal->isChecked());
    QTest::mouseClick(d->findChild<QPushButton*>("Command3D1"), Qt::LeftButton);
  });
}

struct TownWindow : StartedWindow {
  TownWindow() : StartedWindow(kExampleTown) {}
};

}  // namespace

class MapRunTest : public QObject {
  Q_OBJECT

  fs::path dir;

 private slots:
  void initTestCase() {
    dir = fs::temp_directory_path() /
          ("sonvale_ui_map_" + std::to_string(QCoreApplication::applicationPid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    // The command line's map of the same grid, the reference for the window's.
    const std::string cli = std::string(SONVALE_BIN_DIR) + "/sonvale-cli map " +
                            SONVALE_SOURCE_DIR + "/examples/town/town.svp --out " +
                            (dir / "cli.grd").string() + " --bounds " + kBounds + " --ndiv " +
                            kDivisions + " --quiet --yes";
    QCOMPARE(std::system(cli.c_str()), 0);
  }
  void cleanupTestCase() { fs::remove_all(dir); }

  void mapThroughTheMenuEqualsTheCommandLineAndPaintsCells() {
    TownWindow t;
    // A project of the command line opens with the labels of buildings and barriers off.
    QVERIFY(!t.window.action("ViewLcase")->isChecked() && !t.app.layers.Lbarriere);
    const int before = PaintedPixels(t.window.map()->picture());
    ConfirmMapDialog(dir / "gui.grd");
    t.window.action("MakeGRD")->trigger();
    QVERIFY(!t.window.busy());
    QVERIFY(t.ui.said("Elapsed Time = "));
    QCOMPARE(t.ui.messages.back().title, std::string("OK - Completed !"));
    QVERIFY(!t.app.Saved);
    QVERIFY(!t.window.cancelButton()->isVisible());
    QCOMPARE(FileContents(dir / "gui_D.grd"), FileContents(dir / "cli_D.grd"));
    QCOMPARE(FileContents(dir / "gui_N.grd"), FileContents(dir / "cli_N.grd"));
    // The level cells cover much more of the picture than the model alone.
    QVERIFY(PaintedPixels(t.window.map()->picture()) > before + 2000);
    if (const char* shot = std::getenv("SONVALE_SCREENSHOT")) t.window.grab().save(shot);
  }

  void cancelDuringTheDayPassLeavesAShortDayGridAndAFullNightGrid() {
    TownWindow t;
    ConfirmMapDialog(dir / "stop.grd");
    bool clicked = false;
    bool menusOffWhileRunning = true;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (clicked || !t.window.cancelButton()->isVisible()) return;
      if (!t.window.statusBar()->currentMessage().startsWith("Lev(")) return;
      menusOffWhileRunning = !t.window.action("OpenSVP")->isEnabled() &&
                             !t.window.map()->isEnabled() && t.window.cancelButton()->isEnabled();
      clicked = true;
      QTest::mouseClick(t.window.cancelButton(), Qt::LeftButton);
    });
    watch.start();
    t.window.action("MakeGRD")->trigger();
    watch.stop();
    QVERIFY(clicked);
    QVERIFY(menusOffWhileRunning);
    QVERIFY(t.window.action("OpenSVP")->isEnabled());
    const std::string day = FileContents(dir / "stop_D.grd");
    QVERIFY(!day.empty());
    QVERIFY(day.size() < FileContents(dir / "cli_D.grd").size());
    QCOMPARE(FileContents(dir / "stop_N.grd"), FileContents(dir / "cli_N.grd"));
  }
};

QTEST_MAIN(MapRunTest)
#include "map_run_test.moc"
