// The railway traffic editor window "Editazione dati traffico ferroviario": the
// controls of a TrackEditor, laid out as the road editor's. Every control calls
// one function of the editor and the window shows the TrackView it returns.
#pragma once

#include <array>

#include "commands/track_editor.h"
#include "ui/line_editor_window.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

namespace sonvale {

class Ui;

class TrainDat : public LineEditorWindow {
  Q_OBJECT

 public:
  // Modeless; opens on the shared current number, brought into the tracks,
  // and highlights the track on the map.
  TrainDat(AppState& app, Ui& ui, QWidget* parent = nullptr);

  // After another command changed the project: shows the track now in the
  // current slot, or closes when there is no such track any more.
  void projectChanged() override;
  // After the map was redrawn under the highlight.
  void redrawHighlight() override;

 protected:
  void typedNumber(const std::string& text) override;
  void stepFromBox(bool forward, const std::string& box) override;
  void closeEditor() override;
  void nameEdited(const std::string& text) override;
  void calcolaClicked() override;
  void fissoClicked() override;
  void levelEdited(bool day, const std::string& text) override;

 private:
  QWidget* makeLowerPart();
  QGroupBox* makeTrafficFrame(const char* caption, int firstItem);
  // Fills every control from the view but the one being edited.
  void display(const TrackView& v, const QWidget* editing = nullptr);

  AppState& app_;
  TrackEditor editor_;
  QWidget* lower_ = nullptr;
  QComboBox* trackType_ = nullptr;
  QLineEdit* hsx_ = nullptr;
  QLineEdit* hdx_ = nullptr;
  std::array<QLineEdit*, 6> counts_{};
  std::array<QLineEdit*, 6> lengths_{};
  std::array<QComboBox*, 6> classes_{};
  QCheckBox* autoImposta_ = nullptr;
};

}  // namespace sonvale
