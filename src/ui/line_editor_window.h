// What the road and track editors share above their traffic tables: the
// selection frame (number row and "Nome:") and the row of "Calcola" / "Fisso"
// with the two fixed levels and "Fine".
#pragma once

#include <string>

#include "ui/editor_window.h"

class QGroupBox;
class QRadioButton;

namespace sonvale {

class LineEditorWindow : public EditorWindow {
  Q_OBJECT

 protected:
  explicit LineEditorWindow(QWidget* parent) : EditorWindow(parent) {}

  // The upper part under a frame captioned selectionCaption; without a
  // levelCaption the two level boxes follow the options uncaptioned.
  QWidget* makeUpperPart(const char* selectionCaption, const char* levelCaption);
  // Fills the upper part and the window title, all but the box being edited.
  void showUpper(const std::string& title, const std::string& selectionCaption,
                 const std::string& nome, bool fixed, const std::string& leqDay,
                 const std::string& leqNight, const QWidget* editing);

  // The edits of the upper part, one call of the core each.
  virtual void nameEdited(const std::string& text) = 0;
  virtual void calcolaClicked() = 0;
  virtual void fissoClicked() = 0;
  virtual void levelEdited(bool day, const std::string& text) = 0;

 private:
  QGroupBox* selection_ = nullptr;
  QLineEdit* name_ = nullptr;
  QRadioButton* calcola_ = nullptr;
  QRadioButton* fisso_ = nullptr;
  QLineEdit* leqDay_ = nullptr;
  QLineEdit* leqNight_ = nullptr;
};

}  // namespace sonvale
