// The dialog "Importa layer GIS": the widgets of a GisImportForm. The form's
// logic (layers, fields, proposed mapping, checks) is in commands/; this binds
// the file box, the layer, kind and mode lists, one field list per entity
// field, and the height, CRS and row boxes to it.
#pragma once

#include <QDialog>
#include <vector>

#include "commands/gis_import_dialog.h"

class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;

namespace sonvale {

class ImportaGis : public QDialog {
  Q_OBJECT

 public:
  // Edits form; exec() returns Accepted on "OK - Importa".
  ImportaGis(GisImportForm& form, const GisModule& gis, Ui& ui, QWidget* parent = nullptr);

 private:
  void openSource(const QString& path);
  void browse();
  // Shows the form: lists, the mapping rows, which boxes take input.
  void sync();
  void rebuildMapping();

  GisImportForm& form_;
  const GisModule& gis_;
  Ui& ui_;
  QLineEdit* file_ = nullptr;
  QComboBox* layer_ = nullptr;
  QComboBox* kind_ = nullptr;
  QFormLayout* mapping_ = nullptr;
  QLineEdit* height_ = nullptr;
  QLineEdit* crs_ = nullptr;
  QComboBox* mode_ = nullptr;
  QLineEdit* row_ = nullptr;
  bool syncing_ = false;
};

}  // namespace sonvale
