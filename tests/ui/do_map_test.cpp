// The mapping options dialog driven through its widgets, offscreen.
#include "ui/do_map.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "support/scripted_ui.h"

namespace sonvale {

class DoMapTest : public QObject {
  Q_OBJECT

 private:
  template <class W = QWidget>
  static W* find(DoMap& d, const char* name) {
    W* w = d.findChild<W*>(QString::fromLatin1(name));
    if (!w) qFatal("no control %s", name);
    return w;
  }
  static QLineEdit* box(DoMap& d, const char* name) { return find<QLineEdit>(d, name); }
  // Replaces the box's text by typing.
  static void type(DoMap& d, const char* name, const char* keys) {
    QLineEdit* e = box(d, name);
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, QString::fromUtf8(keys));
  }
  // Options take a click on their indicator, buttons anywhere.
  static void click(DoMap& d, const char* name) {
    QWidget* w = find(d, name);
    QPoint at = qobject_cast<QPushButton*>(w) ? w->rect().center() : QPoint(6, w->height() / 2);
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at);
  }
  static void open(DoMap& d) {
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
  }
  static QString accessibleName(DoMap& d, const char* name) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(find(d, name));
    return a ? a->text(QAccessible::Name) : QString();
  }

 private slots:
  void filtersRefuseKeysAndTakeALeadingMinusInCoordinates() {
    AppState app;
    ScriptedUi ui;
    DoMap d(app, ui);
    open(d);

    type(d, "Text2", "1,5");
    QCOMPARE(box(d, "Text2")->text(), QString("15"));
    QCOMPARE(app.project.DistMax, 15.0);
    QCOMPARE(ui.messages.size(), size_t{1});
    QCOMPARE(ui.lastMessage().text, std::string("ASCII code = 44"));
    QCOMPARE(ui.lastMessage().title, std::string("Char"));
    QVERIFY(ui.lastMessage().icon == Icon::Information);
    QVERIFY(ui.lastMessage().buttons == Buttons::Ok);

    type(d, "X1", "12a3");
    QCOMPARE(box(d, "X1")->text(), QString("123"));
    QCOMPARE(app.Grid.Xmin, 123.0);
    type(d, "X1", "-4-5");
    QCOMPARE(box(d, "X1")->text(), QString("-45"));
    QCOMPARE(app.Grid.Xmin, -45.0);
    type(d, "Zvalue", "-2");
    QCOMPARE(box(d, "Zvalue")->text(), QString("2"));
    QCOMPARE(ui.messages.size(), size_t{1});  // those refusals are silent
  }

  void opensWithTheDayNameAndWithoutTheSectionOption() {
    AppState app;
    ScriptedUi ui;
    app.project.GrdName = "area.grd";
    DoMap d(app, ui);
    open(d);
    QCOMPARE(d.windowTitle(), QString("Esecuzione Mappatura .GRD"));
    QCOMPARE(box(d, "Text1")->text(), QString("area_d.GRD"));
    QVERIFY(app.StopRequested);
    QVERIFY(find(d, "Option3")->isHidden());
    QVERIFY(find(d, "Zconstframe")->isVisible());
    QVERIFY(!find(d, "SezFrame")->isVisible());
    QVERIFY(find(d, "Plan_N")->isHidden());  // no plans
  }

  void terrainModeEnablesOkOnceAFileIsChosen() {
    AppState app;
    ScriptedUi ui;
    app.project.NdivX = app.project.NdivY = 10;
    DoMap d(app, ui);
    open(d);
    click(d, "Option2");
    QCOMPARE(app.project.ModoMappatura, MappingMode::Terrain);
    QVERIFY(find(d, "Altimframe")->isVisible());
    QVERIFY(!find(d, "Zconstframe")->isVisible());
    QVERIFY(!find(d, "Command3D1")->isEnabled());

    ui.files.push_back("/t/dem.grd");
    click(d, "Command2");
    QCOMPARE(ui.dialogs.back().title, std::string("Scegli il file contenente l'altimetria (.GRD)"));
    QCOMPARE(box(d, "TextZfile")->text(), QString("/t/dem.grd"));
    QVERIFY(find(d, "Command3D1")->isEnabled());
    click(d, "Command3D1");
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int{QDialog::Accepted});
    QVERIFY(!app.StopRequested);
  }

  void choosingPlanTwoSetsTenMetreSpacing() {
    AppState app;
    ScriptedUi ui;
    app.project.plans.addEntity().vertices = {{500, 500, 0}, {520, 530, 0}};
    app.project.plans.addEntity().vertices = {{0, 0, 0}, {125, 0, 0}, {125, 60, 0}};
    DoMap d(app, ui);
    open(d);
    auto* plans = find<QComboBox>(d, "Plan_N");
    QVERIFY(plans->isVisible());
    QCOMPARE(plans->currentText(), QString("1"));
    plans->setFocus();
    QTest::keyClick(plans, Qt::Key_Down);
    QCOMPARE(app.project.CurrentPlan, 2L);
    QCOMPARE(app.project.NdivX, short{12});
    QCOMPARE(box(d, "Delta_X")->text(), QString("10"));
    QCOMPARE(box(d, "Horiz")->text(), QString("12"));
    QCOMPARE(box(d, "X2")->text(), QString("125."));
    QCOMPARE(app.project.NdivY, short{6});
  }

  void okRefusesZeroDivisionsAndAnnullaCancels() {
    AppState app;
    ScriptedUi ui;
    app.project.NdivX = 0;
    app.project.NdivY = 10;
    app.project.Anno = 1990;
    DoMap d(app, ui);
    open(d);
    click(d, "Command3D1");
    QVERIFY(d.isVisible());
    QVERIFY(app.StopRequested);
    QCOMPARE(ui.lastMessage().text,
             std::string("\"N. divis. X\" deve essere un numero intero compreso tra 1 e 32767."));
    QCOMPARE(box(d, "TextAnn")->text(), QString("1995"));

    type(d, "Text1", "");  // an empty name: OK beeps and stays
    type(d, "Delta_X", "25");
    QCOMPARE(app.project.NdivX, short{0});  // no range yet
    click(d, "Command3D1");
    QCOMPARE(ui.beeps, 1);
    QVERIFY(d.isVisible());

    click(d, "Command3D2");
    QVERIFY(!d.isVisible());
    QVERIFY(app.StopRequested);

    DoMap closed(app, ui);
    open(closed);
    app.StopRequested = false;
    closed.close();
    QVERIFY(app.StopRequested);
  }

  void controlsCarryTheirCaptionsAsAccessibleNames() {
    AppState app;
    ScriptedUi ui;
    app.project.sezioni.addEntity() = Sezione{0, 0, 0, 30, 40, 10};
    DoMap d(app, ui);
    open(d);
    QCOMPARE(accessibleName(d, "Zvalue"), QString("Quota del piano di mappatura (m)"));
    QCOMPARE(accessibleName(d, "Text2"),
             QString("Massima distanza Sorg./Ricev.da considerare (m)"));
    QCOMPARE(accessibleName(d, "X1"), QString("Xmin"));
    QCOMPARE(accessibleName(d, "Z1"), QString("Z1"));
    QCOMPARE(accessibleName(d, "Check4"), QString("Ignora rid. asf. fonoass."));
    QCOMPARE(accessibleName(d, "Command3D1"), QString("OK - Esegui"));
    QCOMPARE(find<QRadioButton>(d, "Opt_SVP_trace")->text(),
             QString("Calcolo con Beamrun (veloce)"));
    QCOMPARE(find<QLabel>(d, "Label6")->text(), QString(" + Hrec=0.m"));
    QCOMPARE(accessibleName(d, "Label9"), QString("+ Hrec=0.m"));

    // The section option is offered with sections; choosing it shows the section's ends.
    click(d, "Option3");
    QVERIFY(find(d, "SezFrame")->isVisible());
    QVERIFY(!find(d, "Zconstframe")->isVisible());
    QCOMPARE(find<QComboBox>(d, "Combo1")->currentText(), QString("Sez. n. 1"));
    QCOMPARE(box(d, "Y2")->text(), QString("40."));
    QVERIFY(box(d, "X1")->isReadOnly());
  }

  // The dialog on a small town draws whole; with SONVALE_SCREENSHOT=file.png
  // the picture is kept.
  void picture() {
    const QByteArray path = qgetenv("SONVALE_SCREENSHOT");
    AppState app;
    ScriptedUi ui;
    Project& p = app.project;
    p.ProjectFileName = "/progetti/borgo/borgo.SVP";
    p.NdivX = 120;
    p.NdivY = 80;
    p.NdivO = 60;
    p.NdivZ = 20;
    p.QuotaZ = 4;
    p.DistMax = 1500;
    p.Anno = 2024;
    p.DiffrBarriere = p.DiffrCase = true;
    p.Algorithm = 0;
    app.config.Hrec = 1.5;
    app.Grid = {1200, 2400, 3500, 4300};
    p.plans.addEntity().vertices = {{1200, 3500, 0}, {2400, 4300, 0}};
    p.sezioni.addEntity() = Sezione{1500, 3600, 0, 1800, 4000, 30};
    DoMap d(app, ui);
    open(d);
    const QPixmap shot = d.grab();
    QVERIFY(shot.width() > 400 && shot.height() > 300);
    if (!path.isEmpty()) QVERIFY(shot.save(QString::fromLocal8Bit(path)));
  }
};

}  // namespace sonvale

QTEST_MAIN(sonvale::DoMapTest)
#include "do_map_test.moc"
