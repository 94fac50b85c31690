// sonvale: the desktop program. Chooses the language, starts up (program
// folder, number format, configuration, emission tables, the project named as
// first argument), then shows the main window.
#include <QApplication>
#include <QLocale>
#include <QSettings>
#include <QTimer>
#include <QTranslator>

#include "commands/language.h"
#include "commands/startup.h"
#include "ui/main_window.h"
#include "ui/translation.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName("Sonvale");
  QApplication::setOrganizationName("Sonvale");
  QApplication::setDesktopFileName("sonvale");

  std::vector<std::string> args(argv + 1, argv + argc);
  const sonvale::LanguageChoice language =
      sonvale::ChooseLanguage(args, QLocale::system().name().toStdString());
  QTranslator translator;
  if (!sonvale::LoadTranslation(translator, language.language))
    qWarning("sonvale: the English translation is missing; the window stays in Italian");

  sonvale::AppState app;
  sonvale::QtUi ui;
  sonvale::Sonvale window(app, ui);
  QSettings settings;
  window.useSettings(&settings);
  sonvale::StartOptions options;
  options.argv0 = argv[0];
  if (!language.rest.empty()) options.commandLine = language.rest.front();
  if (!sonvale::StartUp(app, ui, options)) return 1;
  window.syncMenus();
  window.noteRecentProject();
  window.show();
  // Shortly after start the window settles in its normal state.
  QTimer::singleShot(100, &window, [&window] { window.showNormal(); });
  return qapp.exec();
}
