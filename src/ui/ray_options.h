// The "RAY file options" dialog of "Salva &Ray...": the widgets of a
// RayOptionsDialog, which decides what the boxes and the list show and what
// every edit changes.
#pragma once

#include <QDialog>
#include <array>

#include "commands/ray_options_dialog.h"

class QLineEdit;

namespace sonvale {

class RayOptions : public QDialog {
  Q_OBJECT

 public:
  // Edits the choices, which stay cancelled unless "OK - Esegui" closes the dialog.
  RayOptions(const Project& project, Ui& ui, RayChoices& choices, QWidget* parent = nullptr);
  ~RayOptions() override;

 private:
  QWidget*& widget(RayControl c) { return widgets_[static_cast<size_t>(c)]; }
  QWidget* make(RayControl c, QWidget* w);
  QLineEdit* nameBox() const;
  void showBoxes();
  void confirm();

  RayOptionsDialog logic_;
  std::array<QWidget*, kRayControlCount> widgets_{};
};

}  // namespace sonvale
