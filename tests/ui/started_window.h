// The main window as the program starts it, with the delivered configuration,
// an optional project on the command line and a scripted Ui; and how much of its
// map picture is painted.
#pragma once

#include <QImage>
#include <QTest>
#include <string>

#include "commands/startup.h"
#include "scripted_qt_ui.h"
#include "ui/main_window.h"

namespace sonvale {

struct StartedWindow {
  AppState app;
  ScriptedQtUi ui;
  Sonvale window{app, ui};
  explicit StartedWindow(const std::string& commandLine = "") {
    StartOptions o;
    o.programDir = SONVALE_BIN_DIR;
    o.commandLine = commandLine;
    if (!StartUp(app, ui, o)) QTest::qFail("start-up failed", __FILE__, __LINE__);
    window.syncMenus();
    window.resize(900, 700);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) QTest::qFail("no window", __FILE__, __LINE__);
  }
};

// The example town's project file.
inline const std::string kExampleTown = std::string(SONVALE_SOURCE_DIR) + "/examples/town/town.svp";

// Pixels of the picture that are not the white background (every second one).
inline int PaintedPixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2) n += image.pixel(x, y) != qRgb(255, 255, 255);
  return n;
}

}  // namespace sonvale
