// The point calculation window "Calcolo per Punti": the widgets of a
// PointDialog. Every decision (captions, stored settings, enabled states, the
// calculation, the outputs) is the PointDialog's; this form lays the controls
// out, passes clicks and edits to it and shows its view.
#pragma once

#include <QDialog>
#include <array>

#include "commands/point_dialog.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;

namespace sonvale {

class StatusProgress;

class DoPunti : public QDialog {
  Q_OBJECT

 public:
  // Modal over the main window. While a calculation runs only Command1 acts, and
  // closing the window asks the calculation to stop instead; its progress shows
  // here and in the main window's status bar (status, when given).
  DoPunti(AppState& app, Ui& ui, QWidget* parent = nullptr, StatusProgress* status = nullptr);

  // Escape: as the close box.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  static constexpr size_t kControls = static_cast<size_t>(PointControl::Status) + 1;
  QWidget*& widget(PointControl c) { return widgets_[static_cast<size_t>(c)]; }
  QLineEdit* makeBox(PointControl c, QLabel** label);
  QWidget* makeOptions();
  QWidget* makeButtons();
  // Shows the view of the PointDialog.
  void sync();

  PointDialog logic_;
  std::array<QWidget*, kControls> widgets_{};
  QListWidget* list_ = nullptr;
  QProgressBar* progress_ = nullptr;  // points done and time left while computing
  StatusProgress* status_ = nullptr;
  int listRun_ = 0;
};

}  // namespace sonvale
