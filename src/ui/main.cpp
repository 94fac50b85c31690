// sonvale: the desktop program. Starts up (program folder, number format,
// configuration, emission tables, the project named as first argument), then
// shows the main window.
#include <QApplication>
#include <QTimer>

#include "commands/startup.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName("Sonvale");
  QApplication::setDesktopFileName("sonvale");

  sonvale::AppState app;
  sonvale::QtUi ui;
  sonvale::Sonvale window(app, ui);
  sonvale::StartOptions options;
  options.argv0 = argv[0];
  if (argc > 1) options.commandLine = argv[1];
  if (!sonvale::StartUp(app, ui, options)) return 1;
  window.syncMenus();
  window.show();
  // Shortly after start the window settles in its normal state.
  QTimer::singleShot(100, &window, [&window] { window.showNormal(); });
  return qapp.exec();
}
