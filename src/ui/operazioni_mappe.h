// The dialog "Operazioni su mappe": the operation, the grids it combines (added
// through the file dialog, in order A, B, ...), the limit of the excess and the
// file of the new grid, bound to a GridCalcForm.
#pragma once

#include <QDialog>

#include "commands/grid_calc_dialog.h"

class QListWidget;

namespace sonvale {

class OperazioniMappe : public QDialog {
  Q_OBJECT

 public:
  // Edits form; exec() returns Accepted on "OK - Esegui".
  OperazioniMappe(GridCalcForm& form, Ui& ui, QWidget* parent = nullptr);

 private:
  GridCalcForm& form_;
  Ui& ui_;
  QListWidget* grids_ = nullptr;
};

}  // namespace sonvale
