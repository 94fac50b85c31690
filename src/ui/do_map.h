// The mapping options dialog "Esecuzione Mappatura .GRD": the widgets of a
// MapDialog. Every decision (texts, linked fields, input filters, checks) is the
// MapDialog's; this form lays the controls out, passes keys, edits and clicks
// to it and shows its view.
#pragma once

#include <QDialog>
#include <array>

#include "commands/map_dialog.h"
#include "commands/map_gis_outputs.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QStackedWidget;

namespace sonvale {

class DoMap : public QDialog {
  Q_OBJECT

 public:
  // Opens on the application state: StopRequested is set until "OK - Esegui"
  // closes the dialog; "Annulla" or closing the window leaves it set.
  // With gis, the box of the GIS outputs is shown too.
  DoMap(AppState& app, Ui& ui, QWidget* parent = nullptr, MapGisOutputs* gis = nullptr);
  ~DoMap() override;

  // "Annulla", Escape and closing the window.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget*& widget(MapControl c) { return widgets_[static_cast<size_t>(c)]; }
  QLineEdit* box(MapControl c) const;
  // A box with its label; the label's text is the box's caption.
  QLineEdit* makeBox(MapControl c, QLabel** label = nullptr);
  QWidget* makeGridPage();
  QWidget* makeTerrainPage();
  QWidget* makeSectionPage();
  QWidget* makeOptions();
  void confirm();
  // Shows the view of the MapDialog.
  void sync();

  MapDialog logic_;
  std::array<QWidget*, kMapControlCount> widgets_{};
  QStackedWidget* frames_ = nullptr;
  QButtonGroup* modes_ = nullptr;
  QButtonGroup* algorithms_ = nullptr;
  QWidget* algorithmRule_ = nullptr;  // hidden with the algorithm options
};

}  // namespace sonvale
