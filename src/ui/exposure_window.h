// The dialog "Esposizione facciate" of "Calcolo": the fields of an exposure run,
// the run on all cores with its progress bar and "Annulla", and the report
// opened when done. Everything it decides is in commands/exposure_dialog.h and
// commands/exposure_command.h.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "commands/exposure_dialog.h"

class QCheckBox;
class QLineEdit;
class QComboBox;
class QProgressBar;
class QPushButton;

namespace sonvale {

class StatusProgress;

class ExposureWindow : public QDialog {
  Q_OBJECT

 public:
  // The run's progress shows in the dialog and in the main window's status bar
  // (status, when given) with the time it still needs.
  ExposureWindow(AppState& app, Ui& ui, QWidget* parent = nullptr,
                 StatusProgress* status = nullptr);

 private:
  void run();
  ExposureTexts texts() const;
  // Fills the lists of a GIS source of people from the source in the population
  // field (layer: the one chosen, "" for the first); empties them otherwise.
  void showPopulationLists(const std::string& layer);

  AppState& app_;
  Ui& ui_;
  std::array<QLineEdit*, kExposureFieldCount> edits_{};
  std::array<QCheckBox*, kExposureFieldCount> checks_{};
  std::array<QComboBox*, kExposureFieldCount> lists_{};  // item data: the name chosen
  QString listedSource_;                                 // whose layers and fields the lists show
  QProgressBar* progress_ = nullptr;
  StatusProgress* status_ = nullptr;
  QPushButton* runButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  bool running_ = false;
  bool stop_ = false;
};

}  // namespace sonvale
