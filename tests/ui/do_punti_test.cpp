// "&Punti (.DAT)" through the menu and the point window, and the tracer
// launcher of a map run, with real mouse events on the real widgets; the
// window's levels against the command line's points of the example town.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "started_window.h"
#include "support/file_contents.h"
#include "ui/main_window.h"

namespace fs = std::filesystem;
using namespace sonvale;

namespace {

// The lines a command prints on its standard output.
std::vector<std::string> Output(const std::string& command) {
  std::vector<std::string> lines;
  FILE* f = popen(command.c_str(), "r");
  if (!f) return lines;
  std::string line;
  for (int ch; (ch = std::fgetc(f)) != EOF;) {
    if (ch != '\n') {
      line += static_cast<char>(ch);
      continue;
    }
    lines.push_back(line);
    line.clear();
  }
  if (pclose(f) != 0) lines.clear();
  return lines;
}

template <class W = QWidget>
W* Find(QWidget* parent, const char* name) {
  W* w = parent ? parent->findChild<W*>(QString::fromLatin1(name)) : nullptr;
  if (!w) QTest::qFail(name, __FILE__, __LINE__);
  return w;
}

// Options take a click on their indicator, buttons anywhere.
void Click(QWidget* parent, const char* name) {
  QWidget* w = Find(parent, name);
  if (!w) return;
  QPoint at = qobject_cast<QPushButton*>(w) ? w->rect().center() : QPoint(6, w->height() / 2);
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at);
}

QStringList ListLines(QWidget* d) {
  QStringList lines;
  auto* list = Find<QListWidget>(d, "List1");
  for (int i = 0; list && i < list->count(); ++i) lines << list->item(i)->text();
  return lines;
}

QString Caption(QWidget* d, const char* name) { return Find<QAbstractButton>(d, name)->text(); }

// Runs `act` on the modal window titled `title` once it is open.
void WhenOpen(const QString& title, std::function<void(QWidget*)> act) {
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [poll, title, act] {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || w->windowTitle() != title) return;
    poll->stop();
    poll->deleteLater();
    act(w);
  });
  poll->start();
}

void Screenshot(QWidget* w, const char* file) {
  if (const char* dir = std::getenv("SONVALE_SCREENSHOT_DIR"))
    w->grab().save(QString::fromStdString((fs::path(dir) / file).string()));
}

struct TownWindow : StartedWindow {
  TownWindow() : StartedWindow(kExampleTown) {}
};

}  // namespace

class DoPuntiTest : public QObject {
  Q_OBJECT

  fs::path dir;
  QStringList cliLines;

  std::string cli(const std::string& args) {
    return std::string(SONVALE_BIN_DIR) + "/sonvale-cli " + args;
  }

 private slots:
  void initTestCase() {
    dir = fs::temp_directory_path() /
          ("sonvale_ui_points_" + std::to_string(QCoreApplication::applicationPid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    // The command line's points of the town, the reference for the window's.
    for (const std::string& l : Output(cli("points " + kExampleTown + " --out " +
                                           (dir / "cli.dat").string() + " --quiet --yes")))
      if (l.rfind("written ", 0) != 0) cliLines << QString::fromStdString(l);
    QCOMPARE(cliLines.size(), 16);  // the header and the town's 15 points
  }
  void cleanupTestCase() { fs::remove_all(dir); }

  void pointsThroughTheMenuEqualTheCommandLine() {
    TownWindow t;
    QVERIFY(t.window.action("Punti")->isEnabled());
    bool done = false;
    WhenOpen("Calcolo per Punti", [&](QWidget* d) {
      QCOMPARE(d->accessibleName(), QString("Calcolo per Punti"));
      QCOMPARE(Caption(d, "Command1"), QString("Stop"));
      Click(d, "Punti");
      Click(d, "Command4");  // "Calcola": returns when the run has ended
      QCOMPARE(ListLines(d), cliLines);
      QCOMPARE(Find<QLabel>(d, "Status")->text(), QString(" 15 / 15"));
      QVERIFY(!t.window.statusBar()->currentMessage().contains(" / 15"));
      QCOMPARE(Caption(d, "Command1"), QString("OK - Close"));
      QVERIFY(Find(d, "Command4")->isEnabled() && Find(d, "Check1")->isEnabled());

      Click(d, "Command2");  // "Copia su Appunti"
      const QString copied = QGuiApplication::clipboard()->text();
      QVERIFY(copied.startsWith("N.\tnome\tX\tY\tZ\tLeq Day\tLeq Night\r\n"));
      QCOMPARE(copied.count("\r\n"), 16);
      t.ui.files = {(dir / "gui.dat").string()};
      Click(d, "Command3");  // "Salva  ..."
      QCOMPARE(FileContents(dir / "gui.dat"), FileContents(dir / "cli.dat"));
      Screenshot(d, "do_punti.png");
      Click(d, "Command1");
      QVERIFY(!d->isVisible());
      done = true;
    });
    t.window.action("Punti")->trigger();
    QVERIFY(done);
    QVERIFY(!t.window.busy());
    // The results outlive the window.
    QVERIFY(t.app.pointResults.get(15, Period::Night).value_or(0) > 30);
  }

  void stopAfterAFewPointsKeepsTheLaterResults() {
    TownWindow t;
    Project& p = t.app.project;
    // Enough points that the run lasts: copies of the town's points.
    const long town = p.punti.count();
    for (long n = town + 1; n <= 3000; ++n) {
      const Punto copy = p.punti[(n - 1) % town + 1];  // adding may move the table
      p.punti.addEntity() = copy;
    }
    for (long n = 1; n <= 3000; ++n) {
      t.app.pointResults.set(n, Period::Day, 1.0);
      t.app.pointResults.set(n, Period::Night, 1.0);
    }
    bool clicked = false, disabledWhileRunning = false;
    QString statusBarProgress;
    long stoppedAt = 0;
    WhenOpen("Calcolo per Punti", [&](QWidget* d) {
      QTimer watch;
      watch.setInterval(0);
      QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* status = Find<QLabel>(d, "Status");
        if (clicked || !status->text().startsWith(" ") || status->text().startsWith(" 1 /")) return;
        disabledWhileRunning =
            !Find(d, "Command4")->isEnabled() && !Find(d, "Command3")->isEnabled() &&
            Find(d, "Command1")->isEnabled() && Caption(d, "Command1") == "Stop" &&
            !t.window.action("OpenSVP")->isEnabled();
        // The main window's status bar shows the run's progress too.
        if (t.window.progressBar()->isVisible()) statusBarProgress = t.window.progressBar()->text();
        clicked = true;
        Click(d, "Command1");
      });
      watch.start();
      Click(d, "Command4");
      watch.stop();
      stoppedAt = ListLines(d).size() - 1;
      Click(d, "Command1");
    });
    t.window.action("Punti")->trigger();
    QVERIFY(clicked);
    QVERIFY(disabledWhileRunning);
    QVERIFY2(
        QRegularExpression("^\\d+% - \\d\\d:\\d\\d:\\d\\d$").match(statusBarProgress).hasMatch(),
        qPrintable(statusBarProgress));
    QVERIFY(!t.window.progressBar()->isVisible());
    QVERIFY2(stoppedAt > 1 && stoppedAt < 3000, std::to_string(stoppedAt).c_str());
    for (long n = 1; n <= stoppedAt; ++n) QVERIFY(t.app.pointResults.get(n, Period::Day) != 1.0);
    for (long n = stoppedAt + 1; n <= 3000; ++n) {
      QCOMPARE(t.app.pointResults.get(n, Period::Day).value_or(0), 1.0);
      QCOMPARE(t.app.pointResults.get(n, Period::Night).value_or(0), 1.0);
    }
  }

  void theReceiversSetCarriesNoNameColumn() {
    TownWindow t;
    for (int k = 1; k <= 3; ++k) {
      Receiver& r = t.app.project.receivers.addEntity();
      r.X = 500400 + 50 * k;
      r.Y = 4500500;
      r.Z = 4;
    }
    bool done = false;
    WhenOpen("Calcolo per Punti", [&](QWidget* d) {
      Click(d, "Rec");
      Click(d, "Command4");
      const QStringList lines = ListLines(d);
      QCOMPARE(lines.size(), 4);
      // The list shows the point name of the same index all the same.
      QCOMPARE(lines[1].mid(5, 6),
               QString::fromStdString(t.app.project.punti[1].Nome.substr(0, 5) + " "));
      Click(d, "Command2");
      const QStringList copied = QGuiApplication::clipboard()->text().split("\r\n");
      QCOMPARE(copied[0], QString("N.\tX\tY\tZ\tLeq Day\tLeq Night"));
      QCOMPARE(copied[1].split('\t').size(), 6);
      QVERIFY(copied[1].contains("\t500450.\t4500500.\t4.\t"));
      t.ui.files = {(dir / "rec.DAT").string()};
      Click(d, "Command3");
      const QStringList saved = QString::fromStdString(FileContents(dir / "rec.DAT")).split("\r\n");
      QCOMPARE(saved[0], QString("N.\tX\tY\tZ\tLeq Day\tLeq Night"));
      QCOMPARE(saved[1].split('\t').size(), 6);
      QCOMPARE(saved.size(), 5);  // 4 lines and the empty text after the last CR LF
      Click(d, "Command1");
      done = true;
    });
    t.window.action("Punti")->trigger();
    QVERIFY(done);
  }

  void theLaunchModeChosenReachesTheTracer() {
    TownWindow t;
    QVERIFY(!t.app.TracerMissing);
    auto mapWithTracer = [&](const fs::path& out, int option, const char* shot) {
      WhenOpen("Esecuzione Mappatura .GRD", [&, out](QWidget* d) {
        auto* text1 = Find<QLineEdit>(d, "Text1");
        text1->setFocus();
        text1->selectAll();
        QTest::keyClick(text1, Qt::Key_Backspace);
        QTest::keyClicks(text1, QString::fromStdString(out.string()));
        QTest::keyClick(text1, Qt::Key_Return);
        for (auto [box, value] : {std::pair{"X1", "500000"},
                                  {"X2", "501000"},
                                  {"Y1", "4500000"},
                                  {"Y2", "4501000"},
                                  {"Delta_X", "100"},
                                  {"Delta_Y", "100"}}) {
          auto* e = Find<QLineEdit>(d, box);
          e->setFocus();
          e->selectAll();
          QTest::keyClick(e, Qt::Key_Backspace);
          QTest::keyClicks(e, value);
        }
        Click(d, "Opt_SVP_trace");
        Click(d, "Command3D1");
      });
      WhenOpen("Elaborazione con Beamrun", [&, option, shot](QWidget* l) {
        QCOMPARE(l->accessibleName(), QString("Elaborazione con Beamrun"));
        // The mode of the last run is preselected.
        const char* names[] = {"Option1", "Option2", "Option3", "Option4"};
        QVERIFY(Find<QAbstractButton>(l, names[t.app.LaunchMode])->isChecked());
        Click(l, names[option]);
        QCOMPARE(t.app.LaunchMode, static_cast<long>(option));
        if (shot) Screenshot(l, shot);
        Click(l, "Command1");
      });
      t.window.action("MakeGRD")->trigger();
    };

    // Script only: the job and its launch scripts wait for a later run.
    mapWithTracer(dir / "later.grd", 2, "beamrunlauncher.png");
    QVERIFY(t.ui.said("later.vbs"));
    QCOMPARE(t.ui.messages.back().title, std::string("VBS creato!"));
    QVERIFY(fs::exists(dir / "later.job") && fs::exists(dir / "later.sh"));
    QVERIFY(!fs::exists(dir / "later_d.grd"));

    // Wait and show: the tracer's grids are loaded and its inputs removed.
    mapWithTracer(dir / "shown.grd", 3, nullptr);
    QCOMPARE(t.ui.messages.back().title, std::string("OK - Completed !"));
    QVERIFY(fs::exists(dir / "shown_d.grd") && fs::exists(dir / "shown_n.grd"));
    QVERIFY(!fs::exists(dir / "shown.job") && !fs::exists(dir / "shown.tmp"));
    QCOMPARE(FileContents(dir / "shown_d.grd").substr(0, 4), std::string("DSBB"));

    // In the background: the program goes on while the tracer writes its grids.
    mapWithTracer(dir / "behind.grd", 1, nullptr);
    // The evening grid is the tracer's last file: waiting for it lets the
    // folder be removed after the test.
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(dir / "behind_e.grd"), 30000);
    QVERIFY(fs::exists(dir / "behind_d.grd") && fs::exists(dir / "behind_n.grd"));
    QVERIFY(fs::exists(dir / "behind.job"));
  }
};

QTEST_MAIN(DoPuntiTest)
#include "do_punti_test.moc"
