// The options dialog of the arc import, "Opzioni CSV": class shares, traffic
// ratios, the distance and the merge switches. The texts, checks and storing are
// those of the CSV commands; this form lays the controls out and passes them on.
#pragma once

#include <QDialog>
#include <array>

#include "commands/app_state.h"
#include "platform/ui.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace sonvale {

class CSV_Options : public QDialog {
  Q_OBJECT

 public:
  // Shows the stored options. OK stores them once they pass the checks; Cancel,
  // Escape and closing the window make the pending arc import do nothing.
  CSV_Options(AppState& app, Ui& ui, QWidget* parent = nullptr);

  void accept() override;
  void reject() override;

 private:
  QWidget* makeFrame(const char* name, std::initializer_list<int> classes, QLineEdit* ratio,
                     QLineEdit* peak);
  QLineEdit* makeBox(const char* name, const QString& text, const QString& accessible);
  QCheckBox* makeCheck(const char* name, bool checked);

  AppState& app_;
  Ui& ui_;
  std::array<QLineEdit*, 6> day_{}, night_{};
  QLineEdit *TG_TN_ = nullptr, *TG_TN_P_ = nullptr, *T24_T1_ = nullptr, *T24_T1_P_ = nullptr;
  QCheckBox *accorpa_ = nullptr, *limita_ = nullptr, *riconosci_ = nullptr, *anteOperam_ = nullptr;
};

}  // namespace sonvale
