// The traffic editors as the main window opens them: from the menu, by a
// right click on the map, following the project when another command changes
// it, and what they edit reaching the saved file.
#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <filesystem>

#include "commands/startup.h"
#include "project/project_file.h"
#include "started_window.h"
#include "ui/main_window.h"

namespace fs = std::filesystem;
using namespace sonvale;

namespace {

struct Window : StartedWindow {
  using StartedWindow::StartedWindow;
  template <class T>
  T* control(const char* name) {
    return window.editor() ? window.editor()->findChild<T*>(name) : nullptr;
  }
};

}  // namespace

class EditorsInWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void aRightClickOpensTheEditorOfTheNearestEntity() {
    Window w;
    Project& p = w.app.project;
    p.strade.addEntity().vertices = {{0, 0, 0}, {400, 0, 0}};
    p.strade.addEntity().vertices = {{0, 300, 0}, {400, 300, 0}};
    p.binari.addEntity().vertices = {{0, 150, 0}, {120, 150, 0}};
    Source& s = p.sources.addEntity();
    s.X = 350, s.Y = 160;
    p.extent = Extent{0, 400, 0, 300};
    w.window.map()->zoomTutto();
    MapWidget* map = w.window.map();
    w.app.Saved = true;

    QTest::mouseClick(map, Qt::RightButton, {}, map->widgetPoint(390, 290).toPoint());
    QVERIFY(w.window.editor());
    QCOMPARE(w.window.editor()->windowTitle(), QString("Editazione dati traffico stradale"));
    QCOMPARE(w.control<QLineEdit>("EntNum")->text(), QString("2"));
    QVERIFY(!w.app.Saved);

    QTest::mouseClick(map, Qt::RightButton, {}, map->widgetPoint(110, 140).toPoint());
    QCOMPARE(w.window.editor()->windowTitle(), QString("Editazione dati traffico ferroviario"));
    QCOMPARE(w.app.CurrentRoad, 1L);

    QTest::mouseClick(map, Qt::RightButton, {}, map->widgetPoint(340, 170).toPoint());
    QCOMPARE(w.window.editor()->windowTitle(), QString("Editazione dati sorgenti concentrate"));
    // Only one editor at a time.
    int open = 0;
    for (EditorWindow* e : w.window.findChildren<EditorWindow*>()) open += e->isVisible();
    QCOMPARE(open, 1);
  }

  void anEditMadeInTheWindowIsWhatTheSavedFileHolds() {
    const fs::path dir = fs::temp_directory_path() / "sonvale_ui_editors";
    fs::create_directories(dir);
    Window w("\"" + kExampleTown + "\"");
    w.ui.files = {(dir / "before.svp").string()};
    w.window.action("SaveSVP")->trigger();

    w.window.action("traffic")->trigger();
    QVERIFY(w.window.editor());
    QTest::mouseClick(w.control<QAbstractButton>("Command3D2"), Qt::LeftButton);  // Success.
    QTest::mouseClick(w.control<QAbstractButton>("Command3D2"), Qt::LeftButton);
    QCOMPARE(w.control<QLineEdit>("EntNum")->text(), QString("3"));
    QLineEdit* cars = w.control<QLineEdit>("Text2_0");
    cars->selectAll();
    QTest::keyClicks(cars, "4321");
    QCOMPARE(w.app.project.strade[3].NveicDay[1], 4321L);

    w.ui.files = {(dir / "after.svp").string()};
    w.window.action("SaveSVP")->trigger();
    Project before, after;
    ReadProjectFile((dir / "before.svp").string(), before);
    ReadProjectFile((dir / "after.svp").string(), after);
    QCOMPARE(after.strade.count(), before.strade.count());
    for (long i = 1; i <= after.strade.count(); ++i) {
      const Strada& a = after.strade[i];
      const Strada& b = before.strade[i];
      QCOMPARE(a.NveicDay[1], i == 3 ? 4321L : b.NveicDay[1]);
      QVERIFY(a.NveicNight == b.NveicNight && a.VelDay == b.VelDay && a.Nome == b.Nome);
      for (size_t v = 2; v <= 5; ++v) QCOMPARE(a.NveicDay[v], b.NveicDay[v]);
      if (i != 3) QCOMPARE(a.LeqDay, b.LeqDay);
    }
    QVERIFY(after.strade[3].LeqDay > before.strade[3].LeqDay);
    fs::remove_all(dir);
  }

  void editorsFollowTheProjectThatOtherCommandsChange() {
    Window w("\"" + kExampleTown + "\"");
    const long roads = w.app.project.strade.count();
    w.window.action("traffic")->trigger();
    w.control<QLineEdit>("EntNum")->setText(QString::number(roads));
    QTest::keyClick(w.control<QLineEdit>("EntNum"), Qt::Key_Return);
    QCOMPARE(w.app.CurrentRoad, roads);

    // The last road loses all its traffic and goes: its slot is gone, the editor closes.
    Strada& last = w.app.project.strade[roads];
    last.NveicDay = {};
    last.NveicNight = {};
    last.Pavimentaz = 0;
    w.window.action("CancStrade")->trigger();
    QCOMPARE(w.app.project.strade.count(), roads - 1);
    QTRY_VERIFY(!w.window.editor());

    // A road in the middle goes: the editor shows the road moved into its slot.
    w.window.action("traffic")->trigger();
    w.control<QLineEdit>("EntNum")->setText("2");
    QTest::keyClick(w.control<QLineEdit>("EntNum"), Qt::Key_Return);
    const std::string third = w.app.project.strade[3].Nome;
    Strada& second = w.app.project.strade[2];
    second.NveicDay = {};
    second.NveicNight = {};
    second.Pavimentaz = 0;
    w.window.action("CancStrade")->trigger();
    QVERIFY(w.window.editor());
    QCOMPARE(w.control<QLineEdit>("EntName")->text(), QString::fromStdString(third));

    // A new, empty project: nothing left to edit.
    w.ui.answers = {Answer::No};          // do not save the changes
    w.ui.inputs = {std::string("2008")};  // the year of the new project
    w.window.action("filenew")->trigger();
    QTRY_VERIFY(!w.window.editor());
  }

  void noSourcesOpenNoEditorAndTheSourcesComeBack() {
    Window w("\"" + kExampleTown + "\"");
    const long sources = w.app.project.sources.count();
    QVERIFY(sources > 0);
    w.ui.inputs = {std::string("0")};
    w.window.action("Concent")->trigger();
    QVERIFY(!w.window.editor());
    w.ui.inputs = {std::string(std::to_string(sources))};
    w.window.action("Concent")->trigger();
    QVERIFY(w.window.editor());
    QCOMPARE(w.window.editor()->windowTitle(), QString("Editazione dati sorgenti concentrate"));
    QCOMPARE(w.app.project.sources.count(), sources);
  }
};

QTEST_MAIN(EditorsInWindowTest)
#include "editors_in_window_test.moc"
