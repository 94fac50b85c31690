// The GIS entries of the menus with real key and mouse events: a layer imported
// through "Importa layer GIS" gives the project that sonvale-cli import-gis gives
// with the same choices; "Esporta layer GIS" writes the layers of export-gis in
// the project's CRS set with "Sistema di riferimento"; "Operazioni su mappe"
// writes the new grid and draws it.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "commands/map_legend.h"
#include "gis/grid_calc.h"
#include "started_window.h"
#include "support/cli_run.h"
#include "support/file_contents.h"

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
W* Find(QDialog* d, const QString& name) {
  W* w = d->findChild<W*>(name);
  if (!w) qFatal("no control %s", qPrintable(name));
  return w;
}

void Click(QDialog* d, const char* name) {
  auto* w = Find<QAbstractButton>(d, name);
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
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

// Picks the entry of a list by moving down to it with the arrow key.
void PickByKeys(QComboBox* box, const QString& entry) {
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Home);
  for (int k = 0; k < box->count() && box->currentText() != entry; ++k)
    QTest::keyClick(box, Qt::Key_Down);
  QCOMPARE(box->currentText(), entry);
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

// Two streets of a city layer, with the city's own field names, in the town's
// coordinates.
const char* const kStreets = R"({"type":"FeatureCollection","features":[
{"type":"Feature","properties":{"nome":"Via Nuova","veicoli_giorno":820,"vel":4,"larghezza":9},
 "geometry":{"type":"LineString","coordinates":[[500100,4500100,2],[500300,4500150,2.5],[500500,4500120,3]]}},
{"type":"Feature","properties":{"nome":"Vicolo Corto","veicoli_giorno":45,"vel":2,"larghezza":null},
 "geometry":{"type":"MultiLineString","coordinates":[[[500600,4500600],[500650,4500700]],[[500700,4500700],[500760,4500720]]]}}]})";

}  // namespace

class GisDialogsTest : public QObject {
  Q_OBJECT

  fs::path dir;
  std::string town;

 private slots:
  void initTestCase() {
    dir = fs::temp_directory_path() /
          ("sonvale_ui_gis_" + std::to_string(QCoreApplication::applicationPid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    // The project's CRS goes into a side file beside it: work on a copy of the town.
    fs::copy(fs::path(SONVALE_SOURCE_DIR) / "examples/town", dir / "town");
    town = (dir / "town/town.svp").string();
    Spit(dir / "vie.geojson", kStreets);
  }
  void cleanupTestCase() { fs::remove_all(dir); }

  void importThroughTheDialogGivesTheProjectOfTheCommandLine() {
    StartedWindow s(town);
    const std::string layer = (dir / "vie.geojson").string();
    bool shown = false;
    WhenOpen("ImportaGis", [&](QDialog* d) {
      QCOMPARE(d->windowTitle(), QString("Importa layer GIS"));
      QCOMPARE(Accessible(d), QString("Importa layer GIS"));
      auto* file = Find<QLineEdit>(d, "File");
      QCOMPARE(Accessible(file), QString("File"));
      file->setFocus();
      QTest::keyClicks(file, QString::fromStdString(layer));
      QTest::keyClick(file, Qt::Key_Return);
      auto* layers = Find<QComboBox>(d, "Layer");
      QCOMPARE(layers->count(), 1);
      QCOMPARE(layers->currentText(), QString("vie"));
      QCOMPARE(Find<QComboBox>(d, "Tipo")->currentText(), QString("Strade"));
      // The field of the same name is proposed; the others are chosen by hand.
      auto* name = Find<QComboBox>(d, "Campo_Nome");
      QCOMPARE(name->currentText(), QString("nome"));
      QCOMPARE(name->accessibleName(), QString("Nome"));  // Qt names a list by its entry
      QCOMPARE(name->count(), 5);  // (nessuno) and the four fields of the layer
      PickByKeys(Find<QComboBox>(d, "Campo_NveicDay1"), "veicoli_giorno");
      PickByKeys(Find<QComboBox>(d, "Campo_VelDay1"), "vel");
      PickByKeys(Find<QComboBox>(d, "Campo_Larghezza"), "larghezza");
      QVERIFY(!Find(d, "Altezza")->isEnabled());
      QVERIFY(!Find(d, "Riga")->isEnabled());
      PickByKeys(Find<QComboBox>(d, "Modo"), "Inserisci");
      QVERIFY(Find(d, "Riga")->isEnabled());
      auto* row = Find<QLineEdit>(d, "Riga");
      row->setFocus();
      row->selectAll();
      QTest::keyClicks(row, "3");
      Shoot(d, "importa_gis.png");
      Click(d, "OK");
      shown = !d->isVisible();
    });
    s.window.action("ImportGIS")->trigger();
    QVERIFY(shown);
    QCOMPARE(s.app.project.strade.count(), 33L);
    QCOMPARE(QString::fromStdString(s.app.project.strade[3].Nome), QString("Via Nuova"));
    QVERIFY(!s.app.Saved);

    const std::string mine = (dir / "window.svp").string();
    s.ui.files = {mine};
    s.ui.answers = {Answer::Yes, Answer::Yes};  // save without emission data, if asked
    s.window.action("SaveSVP")->trigger();
    QVERIFY(fs::exists(mine));

    const std::string theirs = (dir / "cli.svp").string();
    const CliRun r =
        Cli("import-gis " + Quote(layer) + " --kind strade --into " + Quote(town) + " --out " +
            Quote(theirs) +
            " --fields Nome=nome,NveicDay1=veicoli_giorno,VelDay1=vel,Larghezza=larghezza"
            " --mode insert:3 --yes --quiet");
    QVERIFY2(r.status == 0, r.out.c_str());
    QVERIFY(FileContents(mine) == FileContents(theirs));
  }

  void aSourceGdalCannotReadIsSaidAndTheProjectKept() {
    StartedWindow s(town);
    WhenOpen("ImportaGis", [&](QDialog* d) {
      s.ui.files = {(dir / "nessuno.gpkg").string()};
      Click(d, "Sfoglia");
      QVERIFY(s.ui.said("nessuno.gpkg"));
      QCOMPARE(Find<QComboBox>(d, "Layer")->count(), 0);
      Click(d, "OK");
    });
    s.window.action("ImportGIS")->trigger();
    QVERIFY(s.ui.said("Scegliere un file GIS con almeno un layer."));
    QCOMPARE(s.app.project.strade.count(), 30L);
    QVERIFY(s.app.Saved);
  }

  void exportWritesTheLayersOfTheCommandLineInTheProjectCrs() {
    StartedWindow s(town);
    s.ui.inputs = {"32633"};
    s.window.action("CrsProgetto")->trigger();
    QCOMPARE(FileContents(dir / "town/town.svx"), std::string("CRS=EPSG:32633\n"));

    fs::create_directories(dir / "window");
    fs::create_directories(dir / "cli");
    s.ui.files = {(dir / "window/model.geojson").string()};
    s.window.action("ExportGIS")->trigger();
    QVERIFY(s.ui.dialogs.back().title == "Esporta GIS");
    const CliRun r = Cli("export-gis " + Quote(town) + " " +
                         Quote((dir / "cli/model.geojson").string()) + " --quiet");
    QVERIFY2(r.status == 0, r.out.c_str());
    for (const char* layer : {"strade", "binari", "case", "barriere", "punti", "sorgenti"}) {
      const std::string file = std::string("model_") + layer + ".geojson";
      const std::string written = FileContents(dir / "window" / file);
      QVERIFY2(!written.empty(), file.c_str());
      QVERIFY2(written == FileContents(dir / "cli" / file), file.c_str());
      QVERIFY(written.find("EPSG::32633") != std::string::npos);
    }
    QVERIFY(s.app.Saved);  // the export changes nothing in the project
  }

  void gridArithmeticWritesTheNewGridAndDrawsIt() {
    StartedWindow s(town);
    GridData a;
    a.header = GridHeader{3, 3, 500000, 501000, 4500000, 4501000, 0, 0};
    a.values = {60, 60, 60, 70, 70, 70, 50, 50, 50};
    GridData b = a;
    b.values = {60, 50, 40, 60, 50, 40, 60, 50, 40};
    WriteTextGrid((dir / "a.grd").string(), a);
    WriteTextGrid((dir / "b.grd").string(), b);
    const int before = PaintedPixels(s.window.map()->picture());
    const std::string out = (dir / "somma.grd").string();
    WhenOpen("OperazioniMappe", [&](QDialog* d) {
      QCOMPARE(d->windowTitle(), QString("Operazioni su mappe"));
      QCOMPARE(Find<QComboBox>(d, "Operazione")->currentText(), QString("Somma energetica"));
      QVERIFY(!Find(d, "Limite")->isEnabled());
      s.ui.files = {(dir / "a.grd").string(), (dir / "b.grd").string()};
      Click(d, "Aggiungi");
      Click(d, "Aggiungi");
      QCOMPARE(Find<QListWidget>(d, "Mappe")->count(), 2);
      auto* output = Find<QLineEdit>(d, "NuovaMappa");
      QCOMPARE(Accessible(output), QString("Nuova mappa"));
      output->setFocus();
      QTest::keyClicks(output, QString::fromStdString(out));
      Shoot(d, "operazioni_mappe.png");
      Click(d, "OK");
    });
    s.window.action("GridCalc")->trigger();
    QVERIFY(fs::exists(out));
    const GridData sum = ReadLevelGrid(out);
    QVERIFY(std::abs(sum.value(0, 0) - 63.0103) < 1e-3);  // 60 + 60 dB
    QVERIFY(std::abs(sum.value(2, 2) - 50.4139) < 1e-3);  // 50 + 40 dB
    QVERIFY(PaintedPixels(s.window.map()->picture()) > before);
  }

  void theMappingDialogOffersTheGisOutputs() {
    StartedWindow s(town);
    WhenOpen("DoMap", [&](QDialog* d) {
      auto* geotiff = Find<QAbstractButton>(d, "GeoTiff");
      QCOMPARE(Accessible(geotiff), QString("GeoTIFF delle mappe"));
      auto* scheme = Find<QComboBox>(d, "Schema");
      QVERIFY(!scheme->isEnabled());
      QTest::mouseClick(Find<QAbstractButton>(d, "Isofone"), Qt::LeftButton, Qt::NoModifier,
                        QPoint(6, 6));
      QVERIFY(scheme->isEnabled());
      QCOMPARE(scheme->count(), 3);
      PickByKeys(scheme, "END (direttiva 2002/49/CE)");
      QTest::mouseClick(geotiff, Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
      Shoot(d, "domap_gis.png");
      Click(d, "Command3D2");  // Annulla: the choices stay for the session
    });
    s.window.action("MakeGRD")->trigger();
    // The choices stay; a run writes them beside its grids.
    const fs::path grid = dir / "gis.grd";
    WhenOpen("DoMap", [&](QDialog* d) {
      QVERIFY(Find<QAbstractButton>(d, "GeoTiff")->isChecked());
      QVERIFY(Find<QAbstractButton>(d, "Isofone")->isChecked());
      QCOMPARE(Find<QComboBox>(d, "Schema")->currentText(), QString("END (direttiva 2002/49/CE)"));
      Retype(d, "Text1", QString::fromStdString(grid.string()));
      Retype(d, "X1", "500000");
      Retype(d, "X2", "501000");
      Retype(d, "Y1", "4500000");
      Retype(d, "Y2", "4501000");
      Retype(d, "Delta_X", "100");
      Retype(d, "Delta_Y", "100");
      QTest::mouseClick(Find<QAbstractButton>(d, "Opt_SVP_interno"), Qt::LeftButton);
      Click(d, "Command3D1");
    });
    s.window.action("MakeGRD")->trigger();
    QCOMPARE(s.ui.messages.back().title, std::string("OK - Completed !"));
    for (const char* file : {"gis_D.tif", "gis_N.tif", "gis_D_iso.gpkg", "gis_N_iso.gpkg"})
      QVERIFY2(fs::file_size(dir / file) > 0, file);

    // The map is painted in the scheme's bands and the legend lists them.
    MapLegend* legend = s.window.legend();
    QVERIFY(legend->isVisible());
    QVERIFY(!legend->content().scale);
    QCOMPARE(legend->content().scheme, std::string("END (direttiva 2002/49/CE)"));
    QCOMPARE(legend->content().entries.size(), size_t{11});
    QCOMPARE(legend->content().entries.front().label, std::string(">= 80"));
    const GridData night = ReadLevelGrid((dir / "gis_N.grd").string());
    const QImage picture = s.window.map()->picture();
    int inBand = 0, cells = 0;
    for (int j = 0; j < night.header.ny; ++j) {
      for (int i = 0; i < night.header.nx; ++i) {
        const double x = 500000 + (i + 0.5) * 1000 / night.header.nx;
        const double y = 4500000 + (j + 0.5) * 1000 / night.header.ny;
        const QPoint at = s.window.map()->widgetPoint(x, y).toPoint();
        if (!picture.rect().contains(at)) continue;
        const Rgb want = MapCellColour(BandScheme::End, night.value(i, j));
        ++cells;
        inBand += picture.pixel(at) == qRgb(want.r, want.g, want.b);
      }
    }
    // Roads and buildings drawn over some cells hide their colour.
    QVERIFY2(cells > 50 && inBand > cells / 2,
             qPrintable(QString("%1 of %2 cells in their band").arg(inBand).arg(cells)));
    Shoot(&s.window, "main_window_scheme.png");

    // A run without isophones goes back to the level scale.
    WhenOpen("DoMap", [&](QDialog* d) {
      QTest::mouseClick(Find<QAbstractButton>(d, "Isofone"), Qt::LeftButton, Qt::NoModifier,
                        QPoint(6, 6));
      QTest::mouseClick(Find<QAbstractButton>(d, "GeoTiff"), Qt::LeftButton, Qt::NoModifier,
                        QPoint(6, 6));
      Retype(d, "Text1", QString::fromStdString((dir / "plain.grd").string()));
      QTest::mouseClick(Find<QAbstractButton>(d, "Opt_SVP_interno"), Qt::LeftButton);
      Click(d, "Command3D1");
    });
    s.window.action("MakeGRD")->trigger();
    QVERIFY(fs::exists(dir / "plain_N.grd"));
    QVERIFY(!fs::exists(dir / "plain_N_iso.gpkg"));
    QVERIFY(legend->isVisible());
    QVERIFY(legend->content().scale);
    QCOMPARE(legend->content().entries.front().label, std::string("90"));
  }
};

QTEST_MAIN(GisDialogsTest)
#include "gis_dialogs_test.moc"
