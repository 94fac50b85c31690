// The road traffic editor window "Editazione dati traffico stradale": the
// controls of a RoadEditor. Every control calls one function of the editor and
// the window shows the RoadView it returns; nothing is computed here.
#pragma once

#include <array>

#include "commands/road_editor.h"
#include "ui/line_editor_window.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

namespace sonvale {

class Ui;

class EditData : public LineEditorWindow {
  Q_OBJECT

 public:
  // Modeless; opens on the shared current number (0 stands for road 1) and
  // highlights the road on the map.
  EditData(AppState& app, Ui& ui, QWidget* parent = nullptr);

  // After another command changed the project: shows the road now in the
  // current slot, or closes when there is no such road any more.
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
  QGroupBox* makeRoadFrame();
  QGroupBox* makePresetFrame();
  QGroupBox* makeTrafficFrame(const char* caption, int firstItem);
  // Fills every control from the view but the one being edited.
  void display(const RoadView& v, const QWidget* editing = nullptr);

  AppState& app_;
  RoadEditor editor_;
  QWidget* lower_ = nullptr;
  QComboBox* pavement_ = nullptr;
  QComboBox* slope_ = nullptr;
  QLineEdit* hsx_ = nullptr;
  QLineEdit* hdx_ = nullptr;
  std::array<QLineEdit*, 10> counts_{};
  std::array<QComboBox*, 10> classes_{};
  QCheckBox* autoImposta_ = nullptr;
};

}  // namespace sonvale
