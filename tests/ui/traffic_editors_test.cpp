// The three traffic editor windows driven with the keyboard and the mouse,
// offscreen, over the delivered configuration and emission tables.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "commands/clear_traffic.h"
#include "commands/file_commands.h"
#include "commands/startup.h"
#include "scripted_qt_ui.h"
#include "support/recording_canvas.h"
#include "support/recording_map_view.h"
#include "support/spk_text.h"
#include "ui/edit_data.h"
#include "ui/edit_source.h"
#include "ui/main_window.h"
#include "ui/train_dat.h"

namespace fs = std::filesystem;

namespace sonvale {
namespace {

// The configuration and tables as delivered, and a map picture that records
// the highlight drawn on it.
struct EditorSession {
  AppState app;
  ScriptedQtUi ui;
  RecordingCanvas picture{400, 300};
  RecordingMapView view{&picture};

  EditorSession() {
    app.ProgramDir = SONVALE_BIN_DIR;
    LoadConfigurationAndTables(app);
    app.setView(&view);
  }
  // Roads 1..n, road k along y = 10 k, named "Via k".
  Strada& road(long n) {
    while (app.project.strade.count() < n) {
      Strada& r = app.project.strade.addEntity();
      const long k = app.project.strade.count();
      r.Nome = "Via " + std::to_string(k);
      const double y = 10.0 * static_cast<double>(k);
      r.vertices = {{0, y, 0, 8, 8}, {100, y, 0, 8, 8}, {150, y + 40, 0, 8, 8}};
    }
    return app.project.strade[n];
  }
  Binario& track(long n) {
    while (app.project.binari.count() < n) {
      Binario& b = app.project.binari.addEntity();
      b.Nome = "Linea " + std::to_string(app.project.binari.count());
      b.vertices = {{0, 0}, {90, 90}};
    }
    return app.project.binari[n];
  }
  size_t lines() const { return picture.of(Drawn::Line).size(); }
};

template <class W = QWidget>
W* find(QWidget* window, const char* name) {
  W* w = window->findChild<W*>(QString::fromLatin1(name));
  if (!w) qFatal("no control %s", name);
  return w;
}

QString text(QWidget* window, const char* box) { return find<QLineEdit>(window, box)->text(); }

// Replaces a box's text by typing, as a user would after selecting it.
void type(QWidget* window, const char* box, const char* keys) {
  auto* e = find<QLineEdit>(window, box);
  e->setFocus();
  e->selectAll();
  QTest::keyClick(e, Qt::Key_Backspace);
  QTest::keyClicks(e, QString::fromUtf8(keys));
}

void enter(QWidget* window, const char* box, const char* keys) {
  type(window, box, keys);
  QTest::keyClick(find(window, box), Qt::Key_Return);
}

// Options and check boxes take the click on their indicator, buttons anywhere.
void click(QWidget* window, const char* name) {
  QWidget* w = find(window, name);
  const bool indicator = qobject_cast<QRadioButton*>(w) || qobject_cast<QCheckBox*>(w);
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier,
                    indicator ? QPoint(6, w->height() / 2) : w->rect().center());
}

void open(QWidget& window) {
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
}

QString accessibleName(QWidget* window, const char* name) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(find(window, name));
  return a ? a->text(QAccessible::Name) : QString();
}

QString frameCaption(QWidget* window) { return find<QGroupBox>(window, "Frame3D1")->title(); }

}  // namespace

class TrafficEditorsTest : public QObject {
  Q_OBJECT

 private slots:
  void roadStepsWrapAndTheHighlightFollows() {
    EditorSession s;
    s.road(3);
    EditData e(s.app, s.ui);
    open(e);
    QCOMPARE(e.windowTitle(), QString("Editazione dati traffico stradale"));
    QCOMPARE(frameCaption(&e), QString("Selezione Tratto Stradale"));
    QCOMPARE(text(&e, "EntNum"), QString("1"));
    QCOMPARE(text(&e, "EntName"), QString("Via 1"));
    QCOMPARE(s.lines(), size_t{2});  // road 1 highlighted: two stretches
    for (const Drawn& d : s.picture.of(Drawn::Line)) {
      QVERIFY(d.pen.mode == DrawMode::Xor);
      QCOMPARE(d.pen.width, 10);
    }

    click(&e, "Command3D1");  // "Preced." on road 1
    QCOMPARE(text(&e, "EntNum"), QString("3"));
    QCOMPARE(text(&e, "EntName"), QString("Via 3"));
    QCOMPARE(s.app.HighlightedRoad, 3L);
    QCOMPARE(s.lines(), size_t{6});  // road 1 erased, road 3 drawn
    click(&e, "Command3D2");         // "Success." on the last road
    QCOMPARE(text(&e, "EntNum"), QString("1"));
    click(&e, "Spin1Up");
    QCOMPARE(text(&e, "EntNum"), QString("2"));
    click(&e, "Spin1Down");
    click(&e, "Spin1Down");
    QCOMPARE(text(&e, "EntNum"), QString("3"));

    enter(&e, "EntNum", "7");  // clamped to the last road
    QCOMPARE(text(&e, "EntNum"), QString("3"));
    enter(&e, "EntNum", "2");
    QCOMPARE(text(&e, "EntName"), QString("Via 2"));
    // Typed without Enter, then "Success.": one past the number in the box.
    type(&e, "EntNum", "1");
    QCOMPARE(text(&e, "EntName"), QString("Via 2"));
    click(&e, "Command3D2");
    QCOMPARE(text(&e, "EntNum"), QString("2"));
    QTest::keyClick(find(&e, "EntNum"), Qt::Key_Up);
    QCOMPARE(text(&e, "EntNum"), QString("3"));
    QCOMPARE(s.app.CurrentRoad, 3L);

    // A redraw of the map leaves the window to draw the highlight anew.
    const size_t before = s.lines();
    e.redrawHighlight();
    QCOMPARE(s.lines(), before + 2);
    QCOMPARE(s.picture.of(Drawn::Line).back().y1, 30.0);
  }

  void autoImpostaCopiesOnlyOntoARoadWithoutTraffic() {
    EditorSession s;
    Strada& first = s.road(1);
    first.Pavimentaz = 2;
    first.Pendenza = 1;
    first.HmedSX = 12;
    first.NveicDay[1] = 900;
    first.VelNight[5] = 6;
    Strada& busy = s.road(3);
    busy.NveicNight[4] = 1;
    busy.Pavimentaz = 1;
    s.road(4);
    EditData e(s.app, s.ui);
    open(e);
    click(&e, "AutoImposta");
    QVERIFY(find<QCheckBox>(&e, "AutoImposta")->isChecked());

    click(&e, "Command3D2");  // road 2 has no vehicles: it takes road 1's data
    const Strada& two = s.app.project.strade[2];
    QCOMPARE(two.NveicDay[1], 900L);
    QCOMPARE(two.Pavimentaz, 2L);
    QCOMPARE(two.VelNight[5], 6L);
    QCOMPARE(two.Nome, std::string("Via 2"));
    QCOMPARE(text(&e, "Text2_0"), QString("900"));
    QCOMPARE(text(&e, "textHsx"), QString("12."));
    QCOMPARE(find<QComboBox>(&e, "Combopavim")->currentText(), QString("3-Asfalto Fonoass."));
    QCOMPARE(find<QComboBox>(&e, "Combopend")->currentText(), QString(">=5%, Salita"));
    QCOMPARE(find<QComboBox>(&e, "Combo5_9")->currentText(), QString("C7-(90-110 km/h)"));

    click(&e, "Command3D2");  // road 3 has one lorry at night: it keeps its own
    QCOMPARE(s.app.project.strade[3].Pavimentaz, 1L);
    QCOMPARE(s.app.project.strade[3].NveicDay[1], 0L);
    QCOMPARE(find<QComboBox>(&e, "Combopavim")->currentText(), QString("2-Pave'"));
    QCOMPARE(text(&e, "Text2_8"), QString("1"));

    click(&e, "AutoImposta");  // untick: road 4 stays empty
    click(&e, "Command3D2");
    QCOMPARE(s.app.project.strade[4].NveicDay[1], 0L);
    QCOMPARE(text(&e, "Text2_0"), QString(""));
  }

  void countBoxesStoreZeroForNegativesAndTextAndTheLevelsFollow() {
    EditorSession s;
    s.road(1).NveicDay[1] = 300;
    s.road(1).NveicNight[3] = 120;
    EditData e(s.app, s.ui);
    open(e);
    type(&e, "Text2_0", "-5");
    QCOMPARE(s.app.project.strade[1].NveicDay[1], 0L);
    QCOMPARE(text(&e, "Text2_0"), QString("-5"));  // the box keeps what is typed
    type(&e, "Text2_7", "abc");
    QCOMPARE(s.app.project.strade[1].NveicNight[3], 0L);

    const QString quiet = text(&e, "LeqDay");
    type(&e, "Text2_0", "2000");
    QCOMPARE(s.app.project.strade[1].NveicDay[1], 2000L);
    const QString busy = text(&e, "LeqDay");
    QVERIFY2(busy != quiet, qPrintable(busy));
    QVERIFY(find<QLineEdit>(&e, "LeqDay")->isReadOnly());
    // One decimal: "###.#".
    QVERIFY2(busy.size() >= 3 && busy[busy.size() - 2] == QLatin1Char('.'), qPrintable(busy));

    // A flow class chosen with the keyboard recomputes the level.
    auto* v1 = find<QComboBox>(&e, "Combo5_0");
    v1->setFocus();
    QTest::keyClick(v1, Qt::Key_Down);
    QCOMPARE(s.app.project.strade[1].VelDay[1], 1L);
    QVERIFY(text(&e, "LeqDay") != busy);

    type(&e, "textHsx", "-3");
    type(&e, "TextHdx", "9.5");
    type(&e, "EntName", "Via Roma");
    QCOMPARE(s.app.project.strade[1].HmedSX, 0.0);
    QCOMPARE(s.app.project.strade[1].HmedDX, 9.5);
    QCOMPARE(s.app.project.strade[1].Nome, std::string("Via Roma"));
  }

  void presetsShortcutsAndZoom() {
    EditorSession s;
    s.road(2);
    s.app.config.PresetFlowDay[1][1] = 100;  // cars an hour on a motorway
    EditData e(s.app, s.ui);
    open(e);
    click(&e, "Command1_0");
    QCOMPARE(find<QPushButton>(&e, "Command1_0")->text(), QString("Cat.A - Autostrada"));
    QCOMPARE(s.app.project.strade[1].NveicDay[1], 1600L);  // 16 hours
    QCOMPARE(text(&e, "Text2_0"), QString("1600"));

    click(&e, "C5C6");
    QCOMPARE(find<QComboBox>(&e, "Combo5_3")->currentText(), QString("C5-(50-70 km/h)"));
    QCOMPARE(find<QComboBox>(&e, "Combo5_6")->currentText(), QString("C6-(70-90 km/h)"));
    click(&e, "C6");
    for (int v = 1; v <= 5; ++v) {
      QCOMPARE(s.app.project.strade[1].VelDay[static_cast<size_t>(v)], 5L);
      QCOMPARE(s.app.project.strade[1].VelNight[static_cast<size_t>(v)], 5L);
    }

    // Road 2 spans 150 x 40 m around (75, 40); the factor starts at 5.
    click(&e, "Command3D2");
    click(&e, "zoom");
    QCOMPARE(s.app.project.View.X1, 75.0 - 750);
    QCOMPARE(s.app.project.View.Y2, 40.0 + 200);
    click(&e, "UpDown1Up");  // wider
    QCOMPARE(s.app.ZoomFactor, 5 * std::sqrt(2.0));
    click(&e, "UpDown1Down");
    click(&e, "UpDown1Down");  // narrower
    QVERIFY(std::abs(s.app.ZoomFactor - 5 / std::sqrt(2.0)) < 1e-12);
    QCOMPARE(s.view.redraws.size(), size_t{4});
  }

  void fissoKeepsTheLastLevelsAndShowsOnlyTheUpperPart() {
    EditorSession s;
    Strada& r = s.road(1);
    r.NveicDay[1] = 1000;
    r.NveicNight[1] = 100;
    r.Pavimentaz = 2;
    EditData e(s.app, s.ui);
    open(e);
    QCOMPARE(e.height(), 546);  // 8185 twips
    const double day = s.app.project.strade[1].LeqDay;
    const double night = s.app.project.strade[1].LeqNight;
    QVERIFY(day > 40);
    QVERIFY(find(&e, "Text2_0")->isVisible());

    click(&e, "OptionFisso");
    QCOMPARE(s.app.project.strade[1].Pavimentaz, -1L);
    QCOMPARE(s.app.project.strade[1].FixLeqDay, day);
    QCOMPARE(text(&e, "LeqDay"), QString::number(day, 'f', 2));  // "###.00"
    QCOMPARE(e.height(), 105);                                   // 1570 twips
    QCOMPARE(e.windowTitle(), QString("Editazione dati sorgenti lineari"));
    QCOMPARE(frameCaption(&e), QString("Selezione Tratto Sorgente Lineare"));
    QVERIFY(!find(&e, "Text2_0")->isVisible());
    QVERIFY(!find(&e, "Combopavim")->isVisible());
    QVERIFY(find(&e, "Command3D3")->isVisible());
    QVERIFY(!find<QLineEdit>(&e, "LeqDay")->isReadOnly());
    type(&e, "LeqDay", "71.5");
    type(&e, "LeqNight", "-4");  // refused: levels above 0 only
    QCOMPARE(s.app.project.strade[1].FixLeqDay, 71.5);
    QCOMPARE(s.app.project.strade[1].FixLeqNight, night);

    // Back to a computed road: the pavement it had, the whole form.
    click(&e, "OptionCalc");
    QCOMPARE(s.app.project.strade[1].Pavimentaz, 2L);
    QCOMPARE(e.height(), 546);
    QCOMPARE(e.windowTitle(), QString("Editazione dati traffico stradale"));
    QCOMPARE(frameCaption(&e), QString("Selezione Tratto Stradale"));
    QVERIFY(find(&e, "Text2_0")->isVisible());
    QVERIFY(find<QLineEdit>(&e, "LeqDay")->isReadOnly());
  }

  void roadSevenThenTrackSevenAndTheRailwayForm() {
    EditorSession s;
    s.road(10);
    s.track(8);
    auto* roads = new EditData(s.app, s.ui);
    roads->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<EditData> roadWindow = roads;
    open(*roads);
    enter(roads, "EntNum", "7");
    click(roads, "Command3D3");  // "Fine"
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(roadWindow.isNull());
    QCOMPARE(s.app.HighlightedRoad, 0L);
    QCOMPARE(s.lines(), size_t{8});  // roads 1 and 7 drawn and erased

    Binario& six = s.app.project.binari[6];
    six.TipoArmamento = 1;
    six.HmedDX = 4;
    six.NtreniDay[2] = 12;
    six.LungNight[3] = 250;
    six.VelDay[1] = 2;
    TrainDat t(s.app, s.ui);
    open(t);
    QCOMPARE(t.windowTitle(), QString("Editazione dati traffico ferroviario"));
    QCOMPARE(frameCaption(&t), QString("Selezione Tratto Ferroviario"));
    QCOMPARE(text(&t, "EntNum"), QString("7"));
    QCOMPARE(text(&t, "EntName"), QString("Linea 7"));
    QCOMPARE(t.height(), 466);  // 6995 twips

    // A track without trains takes the previous one's type, heights, classes,
    // counts and lengths.
    click(&t, "AutoImposta");
    click(&t, "Command3D1");
    click(&t, "Command3D2");
    const Binario& seven = s.app.project.binari[7];
    QCOMPARE(seven.TipoArmamento, 1L);
    QCOMPARE(seven.LungNight[3], 250L);
    QCOMPARE(text(&t, "Text2_1"), QString("12"));
    QCOMPARE(text(&t, "Text1_5"), QString("250"));
    QCOMPARE(text(&t, "TextHdx"), QString("4."));
    QCOMPARE(find<QComboBox>(&t, "Combo5_0")->currentText(), QString("C3-(90-120 km/h)"));
    QCOMPARE(find<QComboBox>(&t, "Comboarmam")->currentText(),
             QString("2-Binario con scambi o interr."));

    type(&t, "Text2_1", "-5");
    QCOMPARE(seven.NtreniDay[2], 0L);
    type(&t, "Text1_0", "abc");
    QCOMPARE(seven.LungDay[1], 0L);
    enter(&t, "EntNum", "8");
    click(&t, "Spin1Up");  // past the last track
    QCOMPARE(text(&t, "EntNum"), QString("1"));

    const double level = s.app.project.binari[1].LeqDay;
    click(&t, "OptionFisso");
    QCOMPARE(s.app.project.binari[1].TipoArmamento, -1L);
    QCOMPARE(s.app.project.binari[1].LeqDay, level);
    QCOMPARE(t.height(), 113);  // 1695 twips
    QCOMPARE(t.windowTitle(), QString("Editazione dati sorgenti lineari"));
    QCOMPARE(frameCaption(&t), QString("Selezione Tratto Sorgente Lineare"));
    QVERIFY(!find(&t, "Text2_0")->isVisible());
    type(&t, "LeqNight", "55");
    QCOMPARE(s.app.project.binari[1].LeqNight, 55.0);
    click(&t, "OptionCalc");
    QCOMPARE(t.height(), 466);
    QCOMPARE(s.app.project.binari[1].TipoArmamento, 0L);

    // Escape closes as "Fine" does and takes the highlight away.
    QTest::keyClick(find(&t, "Text2_0"), Qt::Key_Escape);
    QVERIFY(!t.isVisible());
    QCOMPARE(s.app.HighlightedRoad, 0L);
  }

  void sourceEditorBoxesAndTheDescriptionFile() {
    EditorSession s;
    const fs::path dir = fs::temp_directory_path() / "sonvale_ui_source_editor";
    fs::create_directories(dir);
    const std::string spk = (dir / "pump.spk").string();
    std::ofstream(spk, std::ios::binary) << SpkText({{"0", "77.5"}}, "1");
    for (int k = 0; k < 3; ++k) s.app.project.sources.addEntity().X = 100 * k;
    EditSource e(s.app, s.ui);
    open(e);
    QCOMPARE(e.windowTitle(), QString("Editazione dati sorgenti concentrate"));
    QCOMPARE(text(&e, "EntNum"), QString("1"));
    QCOMPARE(s.picture.of(Drawn::Circle).size(), size_t{1});
    QVERIFY(s.picture.of(Drawn::Circle).back().fill == QBColor(10));  // light green

    // Any change of the number box goes there at once, clamped.
    type(&e, "EntNum", "2");
    QCOMPARE(s.app.CurrentRoad, 2L);
    QCOMPARE(text(&e, "Xsou"), QString("100"));
    type(&e, "EntNum", "9");
    QCOMPARE(text(&e, "EntNum"), QString("3"));
    click(&e, "Command3D2");
    QCOMPARE(text(&e, "EntNum"), QString("1"));
    click(&e, "Spin1Down");
    QCOMPARE(text(&e, "EntNum"), QString("3"));

    type(&e, "Xsou", "-12.5");
    type(&e, "Ysou", "abc");
    type(&e, "Zsou", "0");
    type(&e, "Lwsou_N", "88");
    const Source& three = s.app.project.sources[3];
    QCOMPARE(three.X, -12.5);
    QCOMPARE(three.Y, 0.0);
    QCOMPARE(three.Lwnight, 88.0);

    s.ui.files = {spk};
    click(&e, "Command1");
    QCOMPARE(s.ui.dialogs.at(0).title, std::string("Scegli il file descrizione sorgente (.SPK)"));
    QCOMPARE(s.ui.dialogs.at(0).initialName, std::string("*.SPK"));
    QCOMPARE(text(&e, "EntName"), QString::fromStdString(spk));
    QCOMPARE(text(&e, "Lwsou"), QString("77.5"));
    type(&e, "Lwsou", "10");
    QCOMPARE(three.Lw, 10.0);
    s.ui.files = {std::nullopt};  // cancelled: the power is read again from the same file
    click(&e, "Command1");
    QCOMPARE(s.ui.dialogs.at(1).initialName, spk);
    QCOMPARE(three.Lw, 77.5);
    QCOMPARE(text(&e, "Lwsou"), QString("77.5"));
    QVERIFY(s.ui.messages.empty());

    // Closing clears the number; the last source stays light green.
    click(&e, "Command3D3");
    QVERIFY(!e.isVisible());
    QCOMPARE(s.app.CurrentRoad, 0L);
    fs::remove_all(dir);
  }

  void projectChangedShowsTheEntityNowInTheSlotOrCloses() {
    EditorSession s;
    for (long k = 1; k <= 4; ++k) s.road(k).NveicDay[1] = k == 2 ? 0 : 500;
    EditData e(s.app, s.ui);
    open(e);
    enter(&e, "EntNum", "3");
    QCOMPARE(text(&e, "EntName"), QString("Via 3"));

    // Road 2 goes: road 4 moves into slot 3 and the window shows it.
    QCOMPARE(CmdCancellaStradeSenzaTraffico(s.app, s.ui), 1L);
    e.projectChanged();
    QVERIFY(e.isVisible());
    QCOMPARE(text(&e, "EntNum"), QString("3"));
    QCOMPARE(text(&e, "EntName"), QString("Via 4"));
    QCOMPARE(text(&e, "Text2_0"), QString("500"));

    // Another project with two roads: slot 3 is gone and the window closes
    // without writing anything.
    Project other;
    other.strade.addEntity().Nome = "A";
    other.strade.addEntity().Nome = "B";
    s.app.project = other;
    e.projectChanged();
    QVERIFY(!e.isVisible());
    QCOMPARE(s.app.project.strade.count(), 2L);
    QCOMPARE(s.app.project.strade[2].Nome, std::string("B"));

    // Lowering the number of sources under the one shown closes its editor.
    for (int k = 0; k < 3; ++k) s.app.project.sources.addEntity();
    s.app.CurrentRoad = 3;
    EditSource sources(s.app, s.ui);
    open(sources);
    s.ui.inputs = {std::string("2")};
    QVERIFY(CmdSorgentiConcentrate(s.app, s.ui));
    sources.projectChanged();
    QVERIFY(!sources.isVisible());
  }

  void controlsCarryTheirCaptionsForScreenReaders() {
    EditorSession s;
    s.road(1);
    s.track(1);
    s.app.project.sources.addEntity();
    EditData road(s.app, s.ui);
    QCOMPARE(accessibleName(&road, "EntNum"), QString("Tratto n."));
    QCOMPARE(accessibleName(&road, "EntName"), QString("Nome:"));
    QCOMPARE(accessibleName(&road, "Text2_0"), QString("N.autovetture    (V1)"));
    QCOMPARE(accessibleName(&road, "Text2_9"), QString("N.motocicli        (V5)"));
    // A list reports its current item as name on this platform; its own name
    // is the one set on it.
    QCOMPARE(find(&road, "Combo5_7")->accessibleName(), QString("Classe V3 notte"));
    QCOMPARE(accessibleName(&road, "LeqDay"), QString("Leq giorno"));
    QCOMPARE(find(&road, "Combopend")->accessibleName(), QString("Pendenza (%, + | - )"));
    QCOMPARE(find(&road, "Combopavim")->accessibleName(), QString("Tipo di Pavimentazione"));
    QCOMPARE(accessibleName(&road, "Command1_5"), QString("Cat.F - Locale"));
    QCOMPARE(accessibleName(&road, "AutoImposta"),
             QString("Imposta autom. i dati della strada precedente"));
    QCOMPARE(accessibleName(&road, "Spin1Up"), QString("Successivo"));
    QCOMPARE(accessibleName(&road, "UpDown1Down"), QString("Zoom avanti"));
    road.close();

    TrainDat track(s.app, s.ui);
    QCOMPARE(find(&track, "Comboarmam")->accessibleName(), QString("Tipo di Armamento"));
    QCOMPARE(accessibleName(&track, "Text1_3"), QString("Lungh. V1 notte"));
    QCOMPARE(accessibleName(&track, "LeqNight"), QString("Leq notte"));
    track.close();

    EditSource source(s.app, s.ui);
    QCOMPARE(accessibleName(&source, "EntNum"), QString("Sorgente n."));
    QCOMPARE(accessibleName(&source, "Zsou"), QString("Z"));
    QCOMPARE(accessibleName(&source, "Lwsou_N"), QString("Lwa (notte)"));
    QCOMPARE(accessibleName(&source, "Command1"),
             QString("Scegli il file descrizione sorgente (.SPK)"));
    QCOMPARE(accessibleName(&source, "Command3D4"), QString("Source Manager"));
  }

  // Over the main window: zooming the map with the mouse leaves the open
  // editor on its road.
  void aZoomOnTheMapLeavesTheEditorWhereItIs() {
    AppState app;
    ScriptedQtUi ui;
    app.ProgramDir = SONVALE_BIN_DIR;
    LoadConfigurationAndTables(app);
    Sonvale window(app, ui);
    QVERIFY(LoadProject(app, ui, std::string(SONVALE_SOURCE_DIR) + "/examples/town/town.svp"));
    window.resize(900, 700);
    open(window);
    window.map()->zoomTutto();
    EditData e(app, ui, &window);
    open(e);
    enter(&e, "EntNum", "5");
    MapWidget* map = window.map();
    const QPoint from = map->rect().center();
    QTest::mousePress(map, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, from + QPoint(120, 90), map->mapToGlobal(from),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(map, &move);
    QTest::mouseRelease(map, Qt::LeftButton, {}, from + QPoint(120, 90));
    QCOMPARE(app.CurrentRoad, 5L);
    type(&e, "Text2_4", "77");
    QCOMPARE(app.project.strade[5].NveicDay[5], 77L);
  }

  // The three editors on the example town draw whole, in both heights; with
  // SONVALE_SCREENSHOT_DIR set their pictures are kept there.
  void screenshots() {
    const QByteArray dir = qgetenv("SONVALE_SCREENSHOT_DIR");
    auto keep = [&dir](QWidget& w, const char* name) {
      const QPixmap shot = w.grab();
      QVERIFY(shot.width() > 200 && shot.height() > 80);
      if (!dir.isEmpty()) QVERIFY(shot.save(QString::fromLocal8Bit(dir) + "/" + name));
    };
    EditorSession s;
    QVERIFY(LoadProject(s.app, s.ui, std::string(SONVALE_SOURCE_DIR) + "/examples/town/town.svp"));
    s.app.CurrentRoad = 1;
    {
      EditData e(s.app, s.ui);
      open(e);
      keep(e, "edit_data.png");
      enter(&e, "EntNum", "29");  // the town's fixed-level road
      keep(e, "edit_data_fisso.png");
    }
    s.app.CurrentRoad = 1;
    {
      TrainDat t(s.app, s.ui);
      open(t);
      keep(t, "train_dat.png");
      click(&t, "OptionFisso");
      keep(t, "train_dat_fisso.png");
      click(&t, "OptionCalc");
    }
    s.app.CurrentRoad = 1;
    {
      EditSource e(s.app, s.ui);
      open(e);
      keep(e, "edit_source.png");
    }
  }
};

}  // namespace sonvale

QTEST_MAIN(sonvale::TrafficEditorsTest)
#include "traffic_editors_test.moc"
