// The launcher dialog "Elaborazione con Beamrun": the widgets of a
// LauncherDialog, four launch modes and "OK".
#pragma once

#include <QDialog>

#include "commands/launcher_dialog.h"

namespace sonvale {

class Beamrunlauncher : public QDialog {
  Q_OBJECT

 public:
  // Modal; a click on an option sets launchMode at once.
  explicit Beamrunlauncher(long& launchMode, QWidget* parent = nullptr);

  // Escape and the close box close it as "OK" does: there is no cancel.
  void reject() override;

 private:
  LauncherDialog logic_;
};

}  // namespace sonvale
