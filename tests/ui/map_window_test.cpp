// The window around the map, driven with real key, mouse and wheel events:
// typed grid divisions in a map run, the bounds the dialog opens on, zooming
// about the pointer, panning, the coordinate field with the level under the
// pointer, the legend, and the window started in English.
#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "commands/dxf_import_commands.h"
#include "commands/window_status.h"
#include "propagation/grid_file.h"
#include "started_window.h"
#include "ui/do_map.h"
#include "ui/translate.h"
#include "ui/translation.h"

namespace fs = std::filesystem;
using namespace sonvale;

namespace {

void Retype(QDialog* d, const char* name, const QString& text) {
  auto* box = d->findChild<QLineEdit*>(name);
  QVERIFY2(box, name);
  box->setFocus();
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, text);
}

QString Accessible(QObject* o) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
  return a ? a->text(QAccessible::Name) : QString();
}

void Wheel(QWidget* w, QPoint at, int delta) {
  QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &e);
}

// Runs `act` on the modal dialog open once the command below has opened it, then
// closes the dialog unless `act` did.
void OnModal(std::function<void(QDialog*)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    QVERIFY(d);
    act(d);
    if (d->isVisible()) d->reject();
  });
}

template <class W = QWidget>
W* Child(QDialog* d, const char* name) {
  W* w = d->findChild<W*>(name);
  if (!w) qFatal("no control %s", name);
  return w;
}

struct TownWindow : StartedWindow {
  TownWindow() : StartedWindow(kExampleTown) {}
};

}  // namespace

class MapWindowTest : public QObject {
  Q_OBJECT

  fs::path dir;

 private slots:
  void initTestCase() {
    dir = fs::temp_directory_path() /
          ("sonvale_ui_mapwin_" + std::to_string(QCoreApplication::applicationPid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void cleanupTestCase() { fs::remove_all(dir); }

  // With SONVALE_SCREENSHOT_DIR set, the window is saved there as a picture.
  static void picture(QWidget& w, const char* name) {
    if (const char* shots = std::getenv("SONVALE_SCREENSHOT_DIR"))
      w.grab().save(QString::fromLocal8Bit(shots) + "/" + name);
  }

  // The example town has plan 1 current: the dialog opens on its box, and the
  // divisions typed are the grid the run writes, drawn with its legend and
  // told under the pointer.
  void typedDivisionsGiveTheTypedGridAndTheFieldTellsTheLevel() {
    TownWindow t;
    QVERIFY(!t.window.legend()->isVisible());
    const fs::path out = dir / "typed.grd";
    QString x1, x2, y1, y2;
    QTimer::singleShot(0, [&] {
      auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      QVERIFY(d);
      x1 = d->findChild<QLineEdit*>("X1")->text();
      x2 = d->findChild<QLineEdit*>("X2")->text();
      y1 = d->findChild<QLineEdit*>("Y1")->text();
      y2 = d->findChild<QLineEdit*>("Y2")->text();
      Retype(d, "Text1", QString::fromStdString(out.string()));
      QTest::keyClick(d->findChild<QLineEdit*>("Text1"), Qt::Key_Return);
      Retype(d, "Horiz", "20");
      Retype(d, "Vert", "16");
      QTest::mouseClick(d->findChild<QAbstractButton*>("Opt_SVP_interno"), Qt::LeftButton);
      QTest::mouseClick(d->findChild<QPushButton*>("Command3D1"), Qt::LeftButton);
    });
    t.window.action("MakeGRD")->trigger();
    QVERIFY(!t.window.busy());

    // The bounds shown are plan 1's box as the project file gives its vertices.
    const Plan& plan = t.app.project.plans[1];
    double xmin = 1e300, xmax = -1e300, ymin = 1e300, ymax = -1e300;
    for (const Point3& v : plan.vertices) {
      xmin = std::min(xmin, v.X), xmax = std::max(xmax, v.X);
      ymin = std::min(ymin, v.Y), ymax = std::max(ymax, v.Y);
    }
    QCOMPARE(x1.toDouble(), xmin);
    QCOMPARE(x2.toDouble(), xmax);
    QCOMPARE(y1.toDouble(), ymin);
    QCOMPARE(y2.toDouble(), ymax);
    QVERIFY(xmax > xmin && ymax > ymin);

    const GridData night = ReadTerrainGrid((dir / "typed_N.grd").string());
    QCOMPARE(night.header.nx, 21);
    QCOMPARE(night.header.ny, 17);
    QCOMPARE(night.header.xlo, xmin);
    QCOMPARE(night.header.yhi, ymax);

    QVERIFY(t.window.legend()->isVisible());
    QCOMPARE(Accessible(t.window.legend()), QString("Legenda"));

    // Node (5, 7) of the night grid: its cell spans a 21st and a 17th of the box.
    MapWidget* map = t.window.map();
    const double cx = xmin + (5 + 0.5) * (xmax - xmin) / 21;
    const double cy = ymin + (7 + 0.5) * (ymax - ymin) / 17;
    const QPoint at = map->widgetPoint(cx, cy).toPoint();
    QTest::mouseMove(map, at);
    const QPointF u = map->userPoint(at);
    const QString field = t.window.cursorField()->text();
    const QString want = QString("X %1  Y %2  Leq %3 dB(A)")
                             .arg(QString::fromStdString(StatusCoordinate(u.x())),
                                  QString::fromStdString(StatusCoordinate(u.y())))
                             .arg(night.value(5, 7), 0, 'f', 1);
    QCOMPARE(field, want);
    picture(t.window, "main_window_map.png");

    // Hidden from "Visualizza", the legend stays away until shown again.
    t.window.action("ViewLegenda")->trigger();
    QVERIFY(!t.window.legend()->isVisible());
    QVERIFY(!t.window.action("ViewLegenda")->isChecked());
    t.window.action("ViewLegenda")->trigger();
    QVERIFY(t.window.legend()->isVisible());
  }

  void wheelZoomKeepsThePointUnderThePointer() {
    TownWindow t;
    MapWidget* map = t.window.map();
    const QPoint at(map->width() / 3, map->height() / 4);
    const QPointF before = map->userPoint(at);
    const double width = t.app.project.View.X2 - t.app.project.View.X1;
    Wheel(map, at, 120);
    Wheel(map, at, 120);
    // The first frame already shows the new window; the map is drawn sharp once the wheel rests.
    QPointF during = map->userPoint(at);
    QVERIFY(std::fabs(during.x() - before.x()) < 1e-6 && std::fabs(during.y() - before.y()) < 1e-6);
    QTRY_VERIFY(std::fabs((t.app.project.View.X2 - t.app.project.View.X1) - width * 0.64) <
                width * 1e-9);
    const QPointF after = map->userPoint(at);
    // A pixel is about a metre here; the point stays within one pixel.
    const double pixel = width * 0.64 / map->width();
    QVERIFY2(std::fabs(after.x() - before.x()) < pixel && std::fabs(after.y() - before.y()) < pixel,
             qPrintable(QString("%1,%2 -> %3,%4")
                            .arg(before.x())
                            .arg(before.y())
                            .arg(after.x())
                            .arg(after.y())));
    QVERIFY(t.window.cursorField()->text().startsWith("X "));
    QVERIFY(!t.window.cursorField()->text().contains("Leq"));  // no map shown
  }

  void panMovesTheViewByTheDragAndAMiddleClickStillPicks() {
    TownWindow t;
    MapWidget* map = t.window.map();
    const QPoint from(map->width() / 2, map->height() / 2), to = from + QPoint(80, -50);
    const QPointF ground = map->userPoint(from);
    const ViewWindow v0 = t.app.project.View;
    QTest::mousePress(map, Qt::MiddleButton, {}, from);
    QTest::mouseMove(map, from + QPoint(40, -25));
    QTest::mouseMove(map, to);
    QTest::mouseRelease(map, Qt::MiddleButton, {}, to);
    QVERIFY(!t.window.editor());  // a drag is not a pick
    const QPointF now = map->userPoint(to);
    const double pixel = (v0.X2 - v0.X1) / map->width();
    QVERIFY(std::fabs(now.x() - ground.x()) < pixel && std::fabs(now.y() - ground.y()) < pixel);
    QVERIFY(std::fabs((t.app.project.View.X1 - v0.X1) + 80 * pixel) < pixel);
    QVERIFY(std::fabs((t.app.project.View.Y2 - v0.Y2) + 50 * pixel) < pixel);  // up: south

    // Space held, the left button pans too instead of drawing a zoom rectangle.
    const ViewWindow v1 = t.app.project.View;
    QTest::keyPress(map, Qt::Key_Space);
    QTest::mousePress(map, Qt::LeftButton, {}, to);
    QTest::mouseMove(map, to + QPoint(-20, 0));
    QTest::mouseMove(map, from);
    QTest::mouseRelease(map, Qt::LeftButton, {}, from);
    QTest::keyRelease(map, Qt::Key_Space);
    QVERIFY(std::fabs(map->userPoint(from).x() - ground.x()) < pixel);
    QVERIFY(std::fabs((v1.X1 - t.app.project.View.X1) + 80 * pixel) < pixel);

    // A middle click without a drag opens the nearest entity's editor as before.
    const auto& road = t.app.project.strade[2].vertices.front();
    QTest::mouseClick(map, Qt::MiddleButton, {}, map->widgetPoint(road.X, road.Y).toPoint());
    QVERIFY(t.window.editor());
    QCOMPARE(t.app.SelectedEntity, 2L);
  }

  // Marks kept on the map (the façade points of an exposure) tell their text
  // under the pointer, come back where they belong when the view is dragged,
  // and go with the map's cells.
  void marksFollowTheDraggedView() {
    TownWindow t;
    MapWidget* map = t.window.map();
    const QPoint from(map->width() / 2, map->height() / 2), to = from + QPoint(60, 40);
    const QPointF at = map->userPoint(from);
    const Rgb colour = RGB(1, 2, 250);
    map->showMarks({{at.x(), at.y(), colour, "Casa 7 facciata 2: Lden 66.0 Lnight 57.3 dB(A)"}});
    auto shown = [&map](QPoint p) { return map->picture().pixelColor(p) == QColor(1, 2, 250); };
    QVERIFY(shown(from));
    QTest::mouseMove(map, from + QPoint(40, 30));
    QTest::mouseMove(map, from);
    // On a real display the pointer's move arrives through the event queue.
    QTRY_VERIFY(t.window.cursorField()->text().endsWith(
        "  Casa 7 facciata 2: Lden 66.0 Lnight 57.3 dB(A)"));
    QTest::mousePress(map, Qt::MiddleButton, {}, from);
    QTest::mouseMove(map, from + QPoint(30, 20));
    QTest::mouseMove(map, to);
    QTest::mouseRelease(map, Qt::MiddleButton, {}, to);
    const QPoint now = map->widgetPoint(at.x(), at.y()).toPoint();
    QVERIFY(std::abs(now.x() - to.x()) <= 1 && std::abs(now.y() - to.y()) <= 1);
    QTRY_VERIFY(shown(now));
    QVERIFY(!shown(from));
    t.window.action("zoomext")->trigger();
    QVERIFY(!shown(map->widgetPoint(at.x(), at.y()).toPoint()));
  }

  // A façade exposure run from the menu leaves its points on the map with the
  // legend of their Lden bands.
  void anExposureRunShowsItsPointsWithTheirLegend() {
    TownWindow t;
    const fs::path out = dir / "exposure";
    OnModal([&out](QDialog* d) {
      for (QLineEdit* e : d->findChildren<QLineEdit*>()) {
        if (e->accessibleName() != "Cartella dei risultati") continue;
        e->setText(QString::fromStdString(out.string()));
      }
      for (QPushButton* b : d->findChildren<QPushButton*>())
        if (b->accessibleName() == "Esegui") QTest::mouseClick(b, Qt::LeftButton);
    });
    t.window.action("Esposizione")->trigger();
    QVERIFY2(t.ui.messages.empty(), t.ui.messages.empty() ? "" : t.ui.messages.back().text.c_str());
    QVERIFY(fs::exists(out / "report.html"));
    QVERIFY(t.window.map()->showsMarks());
    QVERIFY(t.window.legend()->isVisible());
    QCOMPARE(QString::fromStdString(t.window.legend()->content().title), QString("Lden dB(A)"));
    picture(t.window, "main_window_exposure.png");
    t.window.action("zoomext")->trigger();
    QVERIFY(!t.window.legend()->isVisible());  // the points went with the redraw
  }

  // A road number typed into the editor and left without Return is the road shown.
  void aNumberTypedAndLeftIsTaken() {
    TownWindow t;
    t.window.action("traffic")->trigger();
    EditorWindow* e = t.window.editor();
    QVERIFY(e);
    auto* number = e->findChild<QLineEdit*>("EntNum");
    QVERIFY(number);
    number->setFocus();
    number->selectAll();
    QTest::keyClicks(number, "3");
    // Focus leaves the box as Tab takes it away.
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(number, &out);
    QCOMPARE(t.app.CurrentRoad, 3L);
    QCOMPARE(number->text(), QString("3"));
  }

  void newControlsCarryTheirCaptions() {
    TownWindow t;
    QCOMPARE(Accessible(t.window.cursorField()), QString("Coordinate"));
    QCOMPARE(Accessible(t.window.progressBar()), QString("Avanzamento"));
    QCOMPARE(t.window.action("ViewLegenda")->text(), QString("Legenda"));
    QCOMPARE(t.window.action("OpenSVP")->shortcut(), QKeySequence("Ctrl+O"));
    QCOMPARE(t.window.action("SaveSVP")->shortcut(), QKeySequence("Ctrl+S"));
    QCOMPARE(t.window.action("ExitApp")->shortcut(), QKeySequence("Ctrl+Q"));
    // The project opened is the first recent one, above "Esci".
    QCOMPARE(t.window.recentProjects().size(), size_t{0});
    t.window.noteRecentProject();
    QCOMPARE(t.window.recentProjects().front(), kExampleTown);
    QAction* recent = t.window.findChild<QAction*>("Recent1");
    QVERIFY(recent);
    QCOMPARE(recent->text(), QString("&1 town.svp"));
  }

  // The GIS dialogs of an English start: titles, captions and the names a
  // screen reader gives their controls.
  static void englishGisDialogs(TownWindow& t) {
    OnModal([](QDialog* d) {
      QCOMPARE(d->windowTitle(), QString("Import GIS layer"));
      QCOMPARE(Accessible(d), QString("Import GIS layer"));
      QCOMPARE(Accessible(Child(d, "File")), QString("File"));
      QCOMPARE(Accessible(Child(d, "Sfoglia")), QString("Browse..."));
      QCOMPARE(Accessible(Child(d, "Layer")), QString("Layer"));
      QCOMPARE(Child<QComboBox>(d, "Tipo")->accessibleName(), QString("Entity type"));
      QCOMPARE(Child<QComboBox>(d, "Tipo")->currentText(), QString("Roads"));
      QCOMPARE(Child<QGroupBox>(d, "Campi")->title(),
               QString("Fields (entity field: layer field)"));
      QCOMPARE(Child<QComboBox>(d, "Campo_Nome")->itemText(0), QString("(none)"));
      QCOMPARE(Accessible(Child(d, "Altezza")), QString("Height (m)"));
      QCOMPARE(Accessible(Child(d, "Crs")), QString("Coordinate reference system (EPSG)"));
      QCOMPARE(Child<QComboBox>(d, "Modo")->accessibleName(), QString("Mode"));
      QCOMPARE(Child<QComboBox>(d, "Modo")->itemText(3), QString("Replace"));
      QCOMPARE(Accessible(Child(d, "Riga")), QString("From row"));
      QCOMPARE(Child<QPushButton>(d, "OK")->text(), QString("OK - Import"));
      QCOMPARE(Accessible(Child(d, "Annulla")), QString("Cancel"));
      picture(*d, "importa_gis_en.png");
    });
    t.window.action("ImportGIS")->trigger();

    OnModal([](QDialog* d) {
      QCOMPARE(d->windowTitle(), QString("Map operations"));
      QCOMPARE(Accessible(d), QString("Map operations"));
      QCOMPARE(Child<QComboBox>(d, "Operazione")->accessibleName(), QString("Operation"));
      QCOMPARE(Child<QComboBox>(d, "Operazione")->currentText(), QString("Energy sum"));
      QCOMPARE(Accessible(Child(d, "Mappe")), QString("Maps (A, B, ...)"));
      QCOMPARE(Accessible(Child(d, "Limite")), QString("Limit dB(A)"));
      QCOMPARE(Accessible(Child(d, "NuovaMappa")), QString("New map"));
      QCOMPARE(Accessible(Child(d, "Aggiungi")), QString("Add..."));
      QCOMPARE(Accessible(Child(d, "Togli")), QString("Remove"));
      QCOMPARE(Child<QPushButton>(d, "OK")->text(), QString("OK - Run"));
    });
    t.window.action("GridCalc")->trigger();

    // The project's CRS is asked in an input box of its own.
    t.ui.realInputBoxes = true;
    OnModal([](QDialog* d) {
      auto* box = qobject_cast<QInputDialog*>(d);
      QVERIFY(box);
      QCOMPARE(box->windowTitle(), QString("Coordinate reference system"));
      QCOMPARE(Accessible(box), QString("Coordinate reference system"));
      QCOMPARE(box->labelText(),
               QString("EPSG code of the project's coordinate reference system (empty: none):"));
      auto* code = box->findChild<QLineEdit*>();
      QVERIFY(code);
      QVERIFY2(Accessible(code).startsWith("EPSG code of the project"),
               qPrintable(Accessible(code)));
    });
    t.window.action("CrsProgetto")->trigger();
    t.ui.realInputBoxes = false;
  }

  void anEnglishStartShowsEnglishCaptions() {
    QTranslator translator;
    QVERIFY(LoadTranslation(translator, Language::English));
    {
      TownWindow t;
      QList<QAction*> menus = t.window.menuBar()->actions();
      QCOMPARE(menus[0]->text(), QString("&File"));
      QCOMPARE(menus[1]->text(), QString("&Edit"));
      QCOMPARE(menus[2]->text(), QString("&View"));
      QCOMPARE(menus[6]->text(), QString("&Calculation"));
      QCOMPARE(t.window.action("OpenSVP")->text(), QString("&Open SVP..."));
      QCOMPARE(t.window.action("MakeGRD")->text(), QString("&Map (.GRD)"));
      QCOMPARE(t.window.action("ViewLegenda")->text(), QString("Legend"));
      QCOMPARE(Accessible(t.window.cursorField()), QString("Coordinates"));
      QCOMPARE(Accessible(t.window.findChild<QMenu*>("mnuFile")), QString("File"));
      // A façade point under the pointer is named in English too.
      MapWidget* map = t.window.map();
      const QPoint middle(map->width() / 2, map->height() / 2);
      const QPointF at = map->userPoint(middle);
      map->showMarks({{at.x(), at.y(), RGB(0, 0, 0), FacadeMarkText(7, 2, 66.04, std::nullopt)}});
      QTest::mouseMove(map, middle + QPoint(40, 30));
      QTest::mouseMove(map, middle);
      QTRY_VERIFY2(t.window.cursorField()->text().endsWith("  Building 7 façade 2: Lden 66.0 "
                                                           "Lnight - dB(A)"),
                   qPrintable(t.window.cursorField()->text()));
      QString title, ok, divisions, gisBox, geotiff, schemeName, schemeEnd;
      const fs::path out = dir / "english.grd";
      QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(d);
        title = d->windowTitle();
        ok = d->findChild<QPushButton*>("Command3D1")->text();
        divisions = Accessible(d->findChild<QLineEdit*>("Horiz"));
        gisBox = Accessible(Child(d, "UsciteGis"));
        geotiff = Accessible(Child(d, "GeoTiff"));
        auto* scheme = Child<QComboBox>(d, "Schema");
        schemeName = scheme->accessibleName();
        schemeEnd = scheme->itemText(2);
        picture(*d, "domap_en.png");
        Retype(d, "Text1", QString::fromStdString(out.string()));
        QTest::keyClick(d->findChild<QLineEdit*>("Text1"), Qt::Key_Return);
        Retype(d, "Horiz", "40");
        Retype(d, "Vert", "40");
        QTest::mouseClick(d->findChild<QAbstractButton*>("Opt_SVP_interno"), Qt::LeftButton);
        QTest::mouseClick(d->findChild<QPushButton*>("Command3D1"), Qt::LeftButton);
      });
      t.window.action("MakeGRD")->trigger();
      QCOMPARE(title, QString("Grid Noise Map (.GRD)"));
      QCOMPARE(ok, QString("OK - Run"));
      QCOMPARE(divisions, QString("Divisions in X"));
      QCOMPARE(gisBox, QString("GIS outputs"));
      QCOMPARE(geotiff, QString("GeoTIFF of the maps"));
      QCOMPARE(schemeName, QString("Colour scheme"));
      QCOMPARE(schemeEnd, QString("END (Directive 2002/49/EC)"));
      QVERIFY(fs::exists(dir / "english_N.grd"));
      // Over the map the field tells the level in the same words: the unit is the standard's.
      QTest::mouseMove(t.window.map(), t.window.map()->rect().center() + QPoint(40, 30));
      QVERIFY2(t.window.cursorField()->text().contains(" dB(A)"),
               qPrintable(t.window.cursorField()->text()));
      QCOMPARE(Accessible(t.window.legend()), QString("Legend"));
      QVERIFY2(t.window.statusBar()->currentMessage().startsWith(
                   "<Right>-click the entity you want to edit...  - ("),
               qPrintable(t.window.statusBar()->currentMessage()));
      picture(t.window, "main_window_en.png");
      englishGisDialogs(t);
      // Messages of the core with names and numbers, as the message boxes show them.
      QCOMPARE(TrText("Importazione DXF non riuscita: /d/a b.dxf:12: no ENTITIES section"),
               QString("DXF import failed: /d/a b.dxf:12: no ENTITIES section"));
      QCOMPARE(TrText("Importati 2 elementi (Strade) da 3 oggetti di /d/vie.gpkg"),
               QString("Imported 2 elements (Roads) from 3 objects of /d/vie.gpkg"));
      QCOMPARE(TrText("Numero non valido: \"40\". Il numero deve essere compreso tra 1 e 31."),
               QString("Invalid number: \"40\". The number must be between 1 and 31."));
      QCOMPARE(TrText("La tabella dei nodi è piena (5000): 3 righe di n.csv, dalla riga 5002 in "
                      "poi, non sono state importate"),
               QString("The table of the nodes is full (5000): 3 lines of n.csv, from line 5002 "
                       "on, were not imported"));
      QCOMPARE(TrText(AppendQuestionText("Strade")),
               QString("The \"Append\" mode is not selected, but there are already entities in "
                       "memory of type Roads: they will be overwritten.\rSelect the \"Append\" "
                       "mode automatically?"));
      QCOMPARE(TrText("Il file dei risultati di Beamrun /d/t.den contiene i livelli di 12 "
                      "ricettori su 15: gli altri sono elencati senza livello"),
               QString("The Beamrun results file /d/t.den holds the levels of 12 receivers out "
                       "of 15: the others are listed without a level"));
      QCOMPARE(TrText("Non ci sono entità tipo Case da inserire."),
               QString("There are no entities of type Buildings to insert."));
      // The point window's captions follow the language as its names do.
      OnModal([](QDialog* d) {
        QCOMPARE(Child<QPushButton>(d, "Command4")->text(), QString("Calculate"));
        QCOMPARE(Child<QAbstractButton>(d, "Check1")->text(), QString("Barrier diffraction"));
        QCOMPARE(Accessible(Child(d, "Check1")), QString("Barrier diffraction"));
      });
      t.window.action("Punti")->trigger();
      // The status line of a zoom rectangle being dragged.
      const QPoint from = map->rect().center();
      QTest::mousePress(map, Qt::LeftButton, {}, from);
      QTest::mouseMove(map, from + QPoint(60, 40));
      QVERIFY2(t.window.statusBar()->currentMessage().startsWith("Zoom area: ("),
               qPrintable(t.window.statusBar()->currentMessage()));
      QTest::mouseRelease(map, Qt::LeftButton, {}, from + QPoint(60, 40));
    }
    QCoreApplication::removeTranslator(&translator);
    TownWindow italian;
    QCOMPARE(italian.window.action("OpenSVP")->text(), QString("Apri &SVP..."));
  }
};

QTEST_MAIN(MapWindowTest)
#include "map_window_test.moc"
