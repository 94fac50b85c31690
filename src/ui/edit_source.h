// The point source editor window "Editazione dati sorgenti concentrate": the
// controls of a SourceEditor. Every box writes its field through the editor at
// each change; the window shows the SourceView the editor returns.
#pragma once

#include "commands/source_editor.h"
#include "ui/editor_window.h"

class QLineEdit;

namespace sonvale {

class Ui;

class EditSource : public EditorWindow {
  Q_OBJECT

 public:
  // Modeless; opens on the shared current number (0 stands for source 1) and
  // highlights the source on the map. The Ui asks for the description file and
  // tells why the source manager did not start.
  EditSource(AppState& app, Ui& ui, QWidget* parent = nullptr);

  // After another command changed the project: shows the source now in the
  // current slot, or closes when there is no such source any more.
  void projectChanged() override;
  // After the map was redrawn under the highlight.
  void redrawHighlight() override;

 protected:
  void typedNumber(const std::string& text) override;
  void stepFromBox(bool forward, const std::string& box) override;
  void closeEditor() override;

 private:
  QLineEdit* makeFieldBox(const char* objectName, SourceField field);
  // Fills every box from the view.
  void display(const SourceView& v);

  AppState& app_;
  Ui& ui_;
  SourceEditor editor_;
  QLineEdit* name_ = nullptr;
  QLineEdit* x_ = nullptr;
  QLineEdit* y_ = nullptr;
  QLineEdit* z_ = nullptr;
  QLineEdit* lw_ = nullptr;
  QLineEdit* lwNight_ = nullptr;
};

}  // namespace sonvale
