// sonvale-bench-map-view: how soon the map answers the wheel and a pan on the
// full-capacity generated city (3000 roads, 9000 buildings, 1000 barriers, 500
// crossings on 10 km x 10 km, seed 7, as `sonvale-make-town --size 10000,10000
// --roads 3000 --buildings 9000 --barriers 1000 --crossings 500 --seed 7`
// writes it). The map widget runs offscreen; a wheel step or a pan move is
// timed from the event to the end of the repaint it asks for (its first
// frame, painted into an image as the screen would get it), and the sharp
// redraw when the move rests is timed beside it.
// Run by hand; no test measures time.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "commands/app_state.h"
#include "tools/town_generator.h"
#include "ui/map_widget.h"
#include "ui/qt_ui.h"

using namespace sonvale;

namespace {

struct Figures {
  std::vector<double> ms;
  void add(double v) { ms.push_back(v); }
  double median() {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
  }
  double worst() { return *std::max_element(ms.begin(), ms.end()); }
};

double Millis(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  TownParams params;
  params.sizeX = params.sizeY = 10000;
  params.roads = 3000;
  params.buildings = 9000;
  params.barriers = 1000;
  params.crossings = 500;
  params.seed = 7;
  AppState app;
  app.project = GenerateTown(params);
  const Extent& e = app.project.extent;
  app.project.View = ViewWindow{e.Xmin, e.Ymin, e.Xmax, e.Ymax};
  QtUi ui;
  MapWidget map(app, ui);
  map.resize(1200, 800);
  map.show();
  // The widget paints into this image as it would onto the screen.
  QImage frame(map.size(), QImage::Format_RGB32);
  QElapsedTimer clock;
  clock.start();
  map.drawMap(true);
  std::printf("city: %ld roads, %ld buildings, %ld barriers, %ld crossings; picture %dx%d\n",
              app.project.strade.count(), app.project.case_.count(), app.project.barriere.count(),
              app.project.incroci.count(), map.width(), map.height());
  std::printf("whole city drawn sharp: %.1f ms\n", Millis(clock));

  const int kSteps = 20;
  Figures wheel, sharp, pan;
  const QPointF at(700, 300);
  for (int i = 0; i < kSteps; ++i) {
    const int delta = i < kSteps / 2 ? 120 : -120;  // in, then out again
    QWheelEvent w(at, map.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    clock.restart();
    QApplication::sendEvent(&map, &w);
    map.render(&frame);
    wheel.add(Millis(clock));
    clock.restart();
    map.settle();
    map.render(&frame);
    sharp.add(Millis(clock));
  }
  QPointF p(600, 400);
  QMouseEvent press(QEvent::MouseButtonPress, p, map.mapToGlobal(p), Qt::MiddleButton,
                    Qt::MiddleButton, Qt::NoModifier);
  QApplication::sendEvent(&map, &press);
  for (int i = 0; i < kSteps; ++i) {
    p += QPointF(7, -4);
    QMouseEvent move(QEvent::MouseMove, p, map.mapToGlobal(p), Qt::NoButton, Qt::MiddleButton,
                     Qt::NoModifier);
    clock.restart();
    QApplication::sendEvent(&map, &move);
    map.render(&frame);
    pan.add(Millis(clock));
  }
  QMouseEvent release(QEvent::MouseButtonRelease, p, map.mapToGlobal(p), Qt::MiddleButton,
                      Qt::NoButton, Qt::NoModifier);
  clock.restart();
  QApplication::sendEvent(&map, &release);
  map.render(&frame);
  const double panRest = Millis(clock);

  std::printf("wheel step, first frame: median %.2f ms, worst %.2f ms (%d steps)\n", wheel.median(),
              wheel.worst(), kSteps);
  std::printf("pan move, first frame:   median %.2f ms, worst %.2f ms (%d moves)\n", pan.median(),
              pan.worst(), kSteps);
  std::printf("sharp redraw at rest:    median %.1f ms, worst %.1f ms; after the pan %.1f ms\n",
              sharp.median(), sharp.worst(), panRest);
  return 0;
}
