// The main window driven as a user would: its menus, opening a project, the
// mouse on the map, and closing.
#include "ui/main_window.h"

#include <QAccessible>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <filesystem>

#include "commands/startup.h"
#include "model/project.h"
#include "started_window.h"

namespace fs = std::filesystem;
using namespace sonvale;

namespace {

struct ExpectedItem {
  const char* name;
  const char* caption;
  bool checked;
  bool enabled;
};
struct ExpectedMenu {
  const char* caption;
  bool enabled;
  std::vector<ExpectedItem> items;
};

// The menu bar as a consultant first sees it. Items whose dialog or editor the
// window does not have yet are disabled.
const std::vector<ExpectedMenu> kMenuBar = {
    {"&File",
     true,
     {{"filenew", "&Nuovo", false, true},
      {"OpenSVP", "Apri &SVP...", false, true},
      {"SaveSVP", "&Salva SVP...", false, true},
      {"Savelist", "Salva &lista...", false, true},
      {"OpenRay", "&Apri Ray...", false, true},
      {"SaveRay", "Salva &Ray...", false, true},
      {"ExitApp", "E&sci", false, true}}},
    {"&Modifica",
     true,
     {{"EditCopy", "&Copia", false, true},
      {"PackGRD", "Pack 6 GRD files", false, true},
      {"EditSonvaleIni", "&Editazione Sonvale.ini", false, true}}},
    {"&Visualizza",
     true,
     {{"zoomext", "Zoom Tutto", false, true},
      {"ZoomOut", "Zoom Indietro", false, true},
      {"LungBar", "Lunghezza Barriere", false, true},
      {"ViewStrade", "Strade", true, true},
      {"ViewCase", "Case", true, true},
      {"ViewLcase", "Label Case", false, true},
      {"ViewBinari", "Binari", true, true},
      {"ViewBarriere", "Barriere", true, true},
      {"ViewLbarriere", "Label Barriere", false, true},
      {"ViewPunti", "Punti", true, true},
      {"ViewSorgenti", "Sorgenti", true, true},
      {"ViewIncroci", "Incroci", true, true},
      {"ViewSezioni", "Sezioni", true, true},
      {"ViewEchoray", "Echoray", true, true},
      {"ViewLegenda", "Legenda", true, true}}},
    {"&Importa-Esporta",
     true,
     {{"openDXF", "Importa &DXF completo...", false, true},
      {"openDXFstrade", "Importa DXF &Strade...", false, true},
      {"openDXFbinari", "Importa DXF &Binari...", false, true},
      {"openDXFcase", "Importa DXF &Case...", false, true},
      {"openDXFbarriere", "Importa DXF &Barriere...", false, true},
      {"openDXFpunti", "Importa DXF &Punti...", false, true},
      {"OpenDXFsorgenti", "Importa DXF &Sorgenti", false, true},
      {"openDXFincroci", "Importa DXF &Incroci...", false, true},
      {"openDXFsezioni", "Importa DXF &Sezioni...", false, true},
      {"openDXFconetrak", "Importa DXF &Echoray...", false, true},
      {"Append", "Modalita' \"Appendi\"", false, true},
      {"Inserisci", "Modalita' \"Inserisci\"", false, true},
      {"Rimpiazza", "Modalita' \"Rimpiazza\"", false, true},
      {"Limit", "Modalita' \"Limita ai Plans\"", false, true},
      {"Ricon", "Modalita' \"Riconosci ent. presenti\"", false, true},
      {"Accorp", "Modalita' \"Accorpa le 2 direzioni\"", false, true},
      {"ImportNODI", "Importa CSV &Nodes (Trips)...", false, true},
      {"ImportArchi", "Importa CSV &Arcs (Trips)...", false, true},
      {"ImportCSV", "Importa CSV Streets (TeleAtlas)...", false, true},
      {"ImportCSV2", "Importa CSV Traffic (CR-MN)...", false, true},
      {"ImpPunti", "Importa CSV Punti...", false, true},
      {"ImportGIS", "Importa layer &GIS...", false, true},
      {"ExportGIS", "Esporta layer GIS...", false, true},
      {"CrsProgetto", "Sistema di riferimento (EPSG)...", false, true},
      {"SaveDXF", "S&alva DXF completo...", false, true},
      {"makeBLN", "Salva File .&BLN...", false, true},
      {"ExportPunti", "Esporta Punti .SCR...", false, true},
      {"XYZ_extract", "Converti DXF in TXT (X,Y,Z)...", false, true}}},
    {"&Dati di Traffico",
     true,
     {{"traffic", "&Strade...", false, true},
      {"Ferrov", "&Binari...", false, true},
      {"Concent", "&Sorgenti Concentrate...", false, true}}},
    {"C&ancella Dati",
     true,
     {{"Tutti", "&Cancella Tutto", false, true},
      {"KeepV1", "Cancella V&1", false, true},
      {"KeepV2", "Cancella V&2", false, true},
      {"KeepV3", "Cancella V&3", false, true},
      {"KeepV4", "Cancella V&4", false, true},
      {"KeepV5", "Cancella V&5", false, true},
      {"KeepV4V2", "Copia da V4 a V2", false, true},
      {"CancStrade", "Cancella strade senza traffico", false, true}}},
    {"&Calcolo",
     false,
     {{"MakeGRD", "&Mappa (.GRD)", false, true},
      {"Punti", "&Punti (.DAT)", false, true},
      {"Esposizione", "Esposizione facciate...", false, true},
      {"MostraFacciate", "Mostra punti di facciata...", false, true},
      {"makedxf", "&Livelli di Emissione (.DXF)", false, true},
      {"GridCalc", "&Operazioni su mappe (.GRD)...", false, true}}},
    {"&Aiuto",
     true,
     {{"helpCont", "&Contenuti", false, true}, {"HelpAbout", "&About...", false, true}}},
};

QString AccessibleName(QObject* o) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
  return a ? a->text(QAccessible::Name) : QString();
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void menuTreeAsAConsultantFirstSeesIt() {
    StartedWindow s;
    QCOMPARE(s.window.windowTitle(), QString("Sonvale3.6"));
    QList<QAction*> menus = s.window.menuBar()->actions();
    QCOMPARE(menus.size(), static_cast<qsizetype>(kMenuBar.size()));
    for (size_t m = 0; m < kMenuBar.size(); ++m) {
      const ExpectedMenu& want = kMenuBar[m];
      QMenu* menu = menus[m]->menu();
      QCOMPARE(menu->title(), QString(want.caption));
      QCOMPARE(menu->isEnabled(), want.enabled);
      std::vector<QAction*> items;
      for (QAction* a : menu->actions())
        if (!a->isSeparator()) items.push_back(a);
      QCOMPARE(items.size(), want.items.size());
      for (size_t i = 0; i < items.size(); ++i) {
        const ExpectedItem& w = want.items[i];
        QCOMPARE(items[i]->objectName(), QString(w.name));
        QCOMPARE(items[i]->text(), QString(w.caption));
        QVERIFY2(items[i]->isChecked() == w.checked, w.name);
        QVERIFY2(items[i]->isEnabled() == w.enabled, w.name);
      }
    }
    QCOMPARE(s.window.action("EditCopy")->shortcut(), QKeySequence("Ctrl+C"));
  }

  void menusAndWindowCarryTheirNamesForScreenReaders() {
    StartedWindow s;
    QCOMPARE(AccessibleName(&s.window), QString("Sonvale3.6"));
    QMenu* file = s.window.findChild<QMenu*>("mnuFile");
    QVERIFY(file);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(file);
    QVERIFY(a);
    QStringList names;
    for (int i = 0; i < a->childCount(); ++i) names << a->child(i)->text(QAccessible::Name);
    QVERIFY2(names.contains("Apri SVP..."), qPrintable(names.join("|")));
    QVERIFY(names.contains("Esci"));
    QCOMPARE(AccessibleName(s.window.cancelButton()), QString("Cancel"));
  }

  void openingTheExampleThroughTheMenuDrawsTheTown() {
    StartedWindow s;
    QVERIFY(PaintedPixels(s.window.map()->picture()) == 0);
    s.ui.files.push_back(kExampleTown);
    s.window.action("OpenSVP")->trigger();
    QCOMPARE(s.window.windowTitle(), QString("Sonvale3.6 - town.svp"));
    QCOMPARE(s.app.project.strade.count(), 30L);
    QVERIFY(PaintedPixels(s.window.map()->picture()) > 500);
    QVERIFY(s.window.findChild<QMenu*>("Calcolo")->isEnabled());
    QCOMPARE(s.ui.dialogs.at(0).filter, std::string("SVP file|*.SVP"));

    // A layer toggle redraws without that kind and flips its mark.
    const int withRoads = PaintedPixels(s.window.map()->picture());
    s.window.action("ViewStrade")->trigger();
    QVERIFY(!s.window.action("ViewStrade")->isChecked());
    QVERIFY(PaintedPixels(s.window.map()->picture()) < withRoads);
  }

  void projectOnTheCommandLineOpensAtStartUp() {
    StartedWindow s("\"" + kExampleTown + "\"");
    QCOMPARE(s.window.windowTitle(), QString("Sonvale3.6 - town.svp"));
    QVERIFY(PaintedPixels(s.window.map()->picture()) > 500);
  }

  void dragZoomsClickShowsAllAndOtherButtonsPick() {
    StartedWindow s;
    Project& p = s.app.project;
    Strada& r = p.strade.addEntity();
    r.vertices = {{0, 0, 0}, {400, 0, 0}};
    Strada& r2 = p.strade.addEntity();
    r2.vertices = {{0, 300, 0}, {400, 300, 0}};
    p.binari.addEntity().vertices = {{0, 150, 0}, {120, 150, 0}};
    Source& src = p.sources.addEntity();
    src.X = 350, src.Y = 160;
    p.extent = Extent{0, 400, 0, 300};
    s.window.map()->zoomTutto();
    MapWidget* map = s.window.map();

    // Drag from lower right to upper left around the track.
    const QPoint a = map->widgetPoint(150, 100).toPoint();
    const QPoint b = map->widgetPoint(-10, 200).toPoint();
    QTest::mousePress(map, Qt::LeftButton, {}, a);
    QMouseEvent move(QEvent::MouseMove, b, map->mapToGlobal(b), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(map, &move);
    QVERIFY(s.window.statusBar()->currentMessage().startsWith("Zoom Area: ("));
    QTest::mouseRelease(map, Qt::LeftButton, {}, b);
    const ViewWindow v = p.View;
    QVERIFY(v.X1 <= -9 && v.X2 >= 149 && v.Y1 <= 101 && v.Y2 >= 199);
    QVERIFY(v.X2 - v.X1 < 250);

    // A click without moving shows everything again.
    const QPoint c = map->widgetPoint(50, 150).toPoint();
    QTest::mouseClick(map, Qt::LeftButton, {}, c);
    QVERIFY(p.View.X1 <= 0 && p.View.X2 >= 400 && p.View.Y1 <= 0 && p.View.Y2 >= 300);

    // The right button picks the nearest vertex: the source, then the second road.
    QTest::mouseClick(map, Qt::RightButton, {}, map->widgetPoint(340, 170).toPoint());
    QCOMPARE(s.app.SelectedEntity, 1L);
    QCOMPARE(s.window.statusBar()->currentMessage(), QString("Selezionata: Sorgente n. 1"));
    QTest::mouseClick(map, Qt::RightButton, {}, map->widgetPoint(390, 290).toPoint());
    QCOMPARE(s.app.SelectedEntity, 2L);
    QCOMPARE(s.window.statusBar()->currentMessage(), QString("Selezionata: Strada n. 2"));
    QTest::mouseClick(map, Qt::MiddleButton, {}, map->widgetPoint(110, 140).toPoint());
    QCOMPARE(s.window.statusBar()->currentMessage(), QString("Selezionata: Binario n. 1"));

    // With nothing to pick, a beep and no change.
    s.app.project = Project();
    const int beeps = s.ui.beeps;
    QTest::mouseClick(map, Qt::RightButton, {}, c);
    QCOMPARE(s.ui.beeps, beeps + 1);
    QCOMPARE(s.app.SelectedEntity, 1L);
  }

  void closingWithUnsavedChangesAsks() {
    StartedWindow s;
    s.app.Saved = false;
    s.app.project.ProjectFileName = "town.svp";
    s.ui.answers.push_back(Answer::Cancel);
    QVERIFY(!s.window.close());
    QVERIFY(s.window.isVisible());
    QCOMPARE(s.ui.messages.back().text, std::string("Vuoi salvare il file town.svp ?"));
    QCOMPARE(s.ui.messages.back().buttons, Buttons::YesNoCancel);
    s.ui.answers.push_back(Answer::No);
    QVERIFY(s.window.close());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
