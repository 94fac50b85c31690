// The exchange dialogs of the main window through its menus, with real key and
// mouse events: "Opzioni CSV" before the arc import, "RAY file options" of
// "Salva &Ray...", "Calcolo Livelli di Emissione" and the packing of six grids.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "started_window.h"
#include "support/file_contents.h"
#include "tracer/emission_dxf.h"

namespace fs = std::filesystem;
using namespace sonvale;

namespace {

void Spit(const fs::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary);
  out << text;
}

// Runs `act` on the modal dialog of that name as soon as it is open; a dialog
// that a failed check left open is closed, so that the command ends.
void WhenOpen(const char* name, std::function<void(QDialog*)> act) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, name, act = std::move(act)] {
    auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!d || d->objectName() != name || !d->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    act(d);
    if (d->isVisible()) d->reject();
  });
  timer->start();
}

template <class W = QWidget>
W* Find(QDialog* d, const char* name) {
  W* w = d->findChild<W*>(QString::fromLatin1(name));
  if (!w) qFatal("no control %s", name);
  return w;
}

// Replaces the text of a box key by key and ends the edit with Return.
void Retype(QDialog* d, const char* name, const QString& text) {
  auto* box = Find<QLineEdit>(d, name);
  box->setFocus();
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, text);
  QTest::keyClick(box, Qt::Key_Return);
}

// Options take a click on their indicator, buttons in their middle.
void Click(QDialog* d, const char* name) {
  auto* w = Find<QAbstractButton>(d, name);
  const bool option = w->isCheckable();
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier,
                    option ? QPoint(6, w->height() / 2) : w->rect().center());
}

QString Accessible(QObject* o) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
  return a ? a->text(QAccessible::Name) : QString();
}

void Shoot(QWidget* w, const char* file) {
  if (!std::getenv("SONVALE_SCREENSHOT_DIR")) return;
  const QString dir = QString::fromLocal8Bit(std::getenv("SONVALE_SCREENSHOT_DIR"));
  QVERIFY(w->grab().save(dir + "/" + file));
}

struct PaintCounter : QObject {
  int count = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    count += e->type() == QEvent::Paint;
    return false;
  }
};

struct TownWindow : StartedWindow {
  TownWindow() : StartedWindow(kExampleTown) {
    // The town's roads all carry traffic: no emission question is expected.
    if (!app.project.EmissioniOK) QTest::qFail("the town lacks emissions", __FILE__, __LINE__);
  }
};

}  // namespace

class ExchangeDialogsTest : public QObject {
  Q_OBJECT

  fs::path dir;

 private slots:
  void initTestCase() {
    dir = fs::temp_directory_path() /
          ("sonvale_ui_exchange_" + std::to_string(QCoreApplication::applicationPid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    // The arc import writes its summary beside the arcs: work on copies.
    for (const char* f : {"nodes.csv", "arcs.csv"})
      fs::copy_file(fs::path(SONVALE_SOURCE_DIR) / "examples/town" / f, dir / f);
  }
  void cleanupTestCase() { fs::remove_all(dir); }

  void csvOptionsRefuseSharesNotMaking100AndCancelImportsNothing() {
    StartedWindow s;
    s.ui.files = {(dir / "nodes.csv").string(), (dir / "arcs.csv").string()};
    s.window.action("ImportNODI")->trigger();
    QVERIFY(s.window.action("ImportArchi")->isEnabled());

    bool refused = false;
    WhenOpen("CSV_Options", [&](QDialog* d) {
      QCOMPARE(d->windowTitle(), QString("Opzioni CSV"));
      QCOMPARE(d->accessibleName(), QString("Opzioni CSV"));
      Retype(d, "V1_Giorno", "95");
      Retype(d, "V5_Giorno", "4");
      Click(d, "OK");
      refused = d->isVisible() && s.ui.messages.size() == 1;
      QCOMPARE(s.ui.messages.back().text,
               std::string("La somma delle percentuali Legg. Giorno deve fare 100 !!!"));
      QCOMPARE(s.ui.messages.back().title, std::string("Attenzione !"));
      QVERIFY(s.ui.messages.back().icon == Icon::Critical);
      Retype(d, "V5_Giorno", "5");
      for (auto [box, share] : {std::pair{"V2_Giorno", "30"},
                                {"V3_Giorno", "30"},
                                {"V4_Giorno", "40"},
                                {"V1_Notte", "90"},
                                {"V5_Notte", "10"},
                                {"V2_Notte", "50"},
                                {"V3_Notte", "25"},
                                {"V4_Notte", "25"}})
        Retype(d, box, share);
      Retype(d, "TG_TN", "10");
      QCOMPARE(Find<QLabel>(d, "DeltaL_TG_TN")->text(), QString("10.0"));
      Click(d, "Accorpa");
      Click(d, "OK");
      QVERIFY(!d->isVisible());
    });
    s.window.action("ImportArchi")->trigger();
    QVERIFY(refused);
    QCOMPARE(s.app.csvOptions.fractionDay[1], 0.95);
    QCOMPARE(s.app.csvOptions.fractionNight[4], 0.25);
    QCOMPARE(s.app.csvOptions.TG_TN, 10.0);
    QVERIFY(s.app.Accorpa);
    QVERIFY(s.window.action("Accorp")->isChecked());
    QVERIFY(s.ui.said(" archi"));
    const long roads = s.app.project.strade.count();
    QVERIFY(roads > 0);
    // Flow 1310 with 95 % cars: round(1310 x 11.4205 x 0.85 x 0.95).
    QCOMPARE(s.app.project.strade[1].NveicDay[1], 12081L);

    // Cancel: the stored options stay and the arcs are not read again.
    s.ui.files = {(dir / "arcs.csv").string()};
    const size_t messages = s.ui.messages.size();
    WhenOpen("CSV_Options", [&](QDialog* d) {
      QCOMPARE(Find<QLineEdit>(d, "V1_Giorno")->text(), QString("95.0"));
      Retype(d, "V1_Giorno", "50");
      Click(d, "Cancel");
    });
    s.window.action("ImportArchi")->trigger();
    QCOMPARE(s.ui.messages.size(), messages);
    QCOMPARE(s.app.project.strade.count(), roads);
    QCOMPARE(s.app.csvOptions.fractionDay[1], 0.95);
  }

  void rayOptionsFillTheirBoxesFromPlanOne() {
    TownWindow t;
    const Project& p = t.app.project;
    QVERIFY(p.plans.count() >= 1);
    double xmin = 1e300, xmax = -1e300, ymin = 1e300, ymax = -1e300;
    for (const Point3& v : p.plans[1].vertices) {
      xmin = std::min(xmin, v.X);
      xmax = std::max(xmax, v.X);
      ymin = std::min(ymin, v.Y);
      ymax = std::max(ymax, v.Y);
    }
    const fs::path ray = dir / "scena.RAY";
    bool filled = false;
    WhenOpen("RayOptions", [&](QDialog* d) {
      QCOMPARE(d->windowTitle(), QString("RAY file options"));
      QCOMPARE(Accessible(d), QString("RAY file options"));
      QCOMPARE(Accessible(Find(d, "Text1")), QString("Nome del File"));
      QCOMPARE(Accessible(Find(d, "Horiz")), QString("N. divis. Orizz."));
      QVERIFY(Find<QAbstractButton>(d, "MappaRec")->isChecked());
      auto* list = Find<QListWidget>(d, "List1");
      QCOMPARE(list->item(0)->text(), QString("Plan. n. 1"));
      const int section = p.plans.count();
      QCOMPARE(list->item(section)->text(), QString("Sez. n. 1"));
      auto value = [d](const char* box) { return Find<QLineEdit>(d, box)->text().toDouble(); };
      // The section first, so that the plan has something to replace.
      QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                        list->visualItemRect(list->item(section)).center());
      QCOMPARE(value("X1"), p.sezioni[1].XL);
      QCOMPARE(value("Z2"), p.sezioni[1].ZR);
      QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                        list->visualItemRect(list->item(0)).center());
      filled = std::abs(value("X1") - xmin) < 0.006 && std::abs(value("X2") - xmax) < 0.006 &&
               std::abs(value("Y1") - ymin) < 0.006 && std::abs(value("Y2") - ymax) < 0.006;

      Retype(d, "Horiz", "molte");  // not a number: 0
      Retype(d, "Text1", "");
      Click(d, "OK");  // no name: a beep, and the dialog stays
      QCOMPARE(t.ui.beeps, 1);
      QVERIFY(d->isVisible());
      Retype(d, "Text1", QString::fromStdString((dir / "scena").string()));
      QCOMPARE(Find<QLineEdit>(d, "Text1")->text(), QString::fromStdString(ray.string()));
      // The section's heights stay with the plan: level them for a horizontal grid.
      Retype(d, "Z1", "4");
      Retype(d, "Z2", "4");
      Retype(d, "Horiz", "3");
      Retype(d, "Vert", "2");
      Shoot(d, "ray_options.png");
      Click(d, "OK");
    });
    t.window.action("SaveRay")->trigger();
    QVERIFY(filled);
    QCOMPARE(t.app.RayFileName, ray.string());
    QCOMPARE(t.app.project.NdivX, short{3});
    const std::string text = FileContents(ray);
    // A horizontal grid of 4 x 3 receivers over plan 1.
    size_t receivers = 0;
    for (size_t at = text.find(" Receiver "); at != std::string::npos;
         at = text.find(" Receiver ", at + 1))
      ++receivers;
    QCOMPARE(receivers, size_t{12});
    QVERIFY(fs::exists(dir / "STR-0001.SPK"));
  }

  void emissionDrawingIsWrittenThroughItsDialog() {
    TownWindow t;
    t.app.Saved = true;
    const fs::path out = dir / "livelli.dxf";
    t.ui.files = {out.string()};  // the file dialog opens with the dialog
    WhenOpen("DoEmiss", [&](QDialog* d) {
      QCOMPARE(d->windowTitle(), QString("Calcolo Livelli di Emissione"));
      // Wait for the file dialog the window opens on showing.
      QTRY_COMPARE(Find<QLineEdit>(d, "Text1")->text(), QString::fromStdString(out.string()));
      QCOMPARE(t.ui.dialogs.back().title, std::string("Scegli il file di output (.DXF)"));
      QCOMPARE(Accessible(Find(d, "Text1")), QString("Nome del File"));
      QCOMPARE(Accessible(Find(d, "OK")), QString("OK - Esegui"));
      Click(d, "Option2");
      Click(d, "Notturno");
      Shoot(d, "do_emiss.png");
      Click(d, "OK");
    });
    const int before = PaintedPixels(t.window.map()->picture());
    t.window.action("makedxf")->trigger();
    QVERIFY(!t.app.EmisAt75);
    QVERIFY(!t.app.project.Diurno);
    QVERIFY(!t.app.Saved);
    QCOMPARE(t.app.EmissionDxfName, out.string());
    const std::string written = FileContents(out);
    QVERIFY(written.find("SOLID") != std::string::npos);
    WriteEmissionDxf(t.app.project, t.app.config, false, (dir / "reference.dxf").string());
    QVERIFY(written == FileContents(dir / "reference.dxf"));
    QVERIFY(PaintedPixels(t.window.map()->picture()) > before);
  }

  void aLongDrawingOverTheMapIsShownWhileItGoesOn() {
    TownWindow t;
    MapWidget* map = t.window.map();
    PaintCounter paints;
    map->installEventFilter(&paints);
    int paintedDuring = 0;
    map->paintOver([&](Canvas& c) {
      c.line(0, 0, 100, 100);
      QElapsedTimer clock;
      clock.start();
      while (clock.elapsed() < 300) t.ui.processEvents();
      paintedDuring = paints.count;
    });
    QVERIFY(paintedDuring > 0);
  }

  void packThroughTheMenuWritesTheClassGrid() {
    StartedWindow s;
    // Six grids of 3 x 2 nodes; node (0,0) is blank in inputs 2 and 5, (2,1)
    // in input 1 only, (1,1) in all of them, (1,0) and (0,1) nowhere.
    const char* const blank = " 1.70141E+38 ";
    for (int k = 1; k <= 6; ++k) {
      auto node = [&](bool isBlank) { return std::string(isBlank ? blank : " 52.5 "); };
      const std::string grid = "DSAA\r\n 3  2 \r\n 100  300 \r\n 0  50 \r\n 30  80 \r\n" +
                               node(k == 2 || k == 5) + node(false) + node(false) + "\r\n\r\n" +
                               node(false) + node(true) + node(k == 1) + "\r\n\r\n";
      Spit(dir / ("lv0" + std::to_string(k) + ".grd"), grid);
    }
    s.ui.files = {(dir / "lv01.grd").string()};
    s.window.action("PackGRD")->trigger();
    QVERIFY(s.ui.messages.empty());
    QCOMPARE(s.ui.dialogs.back().title, std::string("Load a 6 GRD Files"));
    const std::string B = "  1.70141E+38 ", E = "\r\n";
    QCOMPARE(FileContents(dir / "lvSUM.grd"), "DSAA" + E + " 3  2 " + E + " 100  300 " + E +
                                                  " 0  50 " + E + " 40  70 " + E + "  60 " + B + B +
                                                  E + E + B + "  65 " + "  40 " + E + E);
    QCOMPARE(s.app.project.GrdName, (dir / "lvSUM.grd").string());
    QCOMPARE(s.app.project.NdivX, short{2});
    QCOMPARE(s.app.project.extent.Xmax, 300.0);
  }

  // The options dialog of the arc import as it first opens.
  void csvOptionsPicture() {
    StartedWindow s;
    s.app.csvOptions.fractionDay = {0, 0.95, 0.4, 0.3, 0.3, 0.05};
    s.app.csvOptions.fractionNight = {0, 0.9, 0.5, 0.25, 0.25, 0.1};
    s.app.csvOptions.TG_TN = 8;
    s.app.csvOptions.TG_TN_P = 5.5;
    s.app.csvOptions.T24_T1 = 12;
    s.app.csvOptions.T24_T1_P = 14;
    s.app.project.DistMax = 500;
    s.app.Accorpa = true;
    s.ui.files = {(dir / "nodes.csv").string(), (dir / "arcs.csv").string()};
    s.window.action("ImportNODI")->trigger();
    WhenOpen("CSV_Options", [&](QDialog* d) {
      QCOMPARE(Find<QLabel>(d, "DeltaL_TG_TN_P")->text(), QString("7.4"));
      QCOMPARE(Find<QLineEdit>(d, "Text2")->text(), QString("500"));
      QCOMPARE(Accessible(Find(d, "Text2")), QString("Massima distanza Sorg./Ricev. (m)"));
      QCOMPARE(Accessible(Find(d, "V5_Notte")), QString("Percentuale motocicli Notte"));
      QCOMPARE(Accessible(Find(d, "AnteOperam")), QString("Formato dati \"ante operam\""));
      Shoot(d, "csv_options.png");
      Click(d, "Cancel");
    });
    s.window.action("ImportArchi")->trigger();
    QVERIFY(!s.ui.said(" archi"));
  }
};

QTEST_MAIN(ExchangeDialogsTest)
#include "exchange_dialogs_test.moc"
