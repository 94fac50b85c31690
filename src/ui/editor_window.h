// What the three traffic editor windows share: the selection row (number box
// with its up-down arrows, "Preced.", "Success."), the "Fine" button, closing
// once through the core whichever way the window goes, the inner height given
// in twips, and small helpers that name controls after their captions and fill
// them without echoing the fill back as an edit.
#pragma once

#include <QDialog>
#include <string>
#include <string_view>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace sonvale {

QString QtText(std::string_view s);

// The caption as a screen reader says it: without "&" and surrounding blanks.
void NameAfter(QWidget* control, const std::string& caption);
// A label showing the caption exactly, bound to the control it names.
QLabel* CaptionLabel(const std::string& caption, QWidget* control);
// Shows a text or a list index, unless the control already shows it; no signal.
void ShowText(QLineEdit* box, const std::string& text);
void ShowIndex(QComboBox* list, long index);
// A box that shows a value only takes the window's colour, as a label would.
void ShowEditable(QLineEdit* box, bool editable);
// A box for a number: right-aligned, as wide as the digits it takes.
QLineEdit* NumberBox(const QString& objectName, int digits);

// Two small arrows stacked as beside a number box.
class UpDownArrows : public QWidget {
  Q_OBJECT

 public:
  // upName and downName are what a screen reader says for each arrow.
  UpDownArrows(const QString& objectName, const QString& upName, const QString& downName,
               QWidget* parent = nullptr);
  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 signals:
  void up();
  void down();

 private:
  QToolButton* up_;
  QToolButton* down_;
};

class EditorWindow : public QDialog {
  Q_OBJECT

 public:
  // Hiding the window as it goes moves the focus out of the number box, which
  // must then not act on an editor that is no longer there.
  ~EditorWindow() override;

  // "Preced.", "Success." and the arrows step from the number in the box.
  QLineEdit* numberBox() const { return number_; }
  // After another command changed the project: shows the entity now in the
  // current slot, or closes when there is no such entity any more.
  virtual void projectChanged() = 0;
  // After the map was redrawn under the highlight.
  virtual void redrawHighlight() = 0;

 protected:
  explicit EditorWindow(QWidget* parent);

  // The row of the number box captioned numberCaption, its arrows, "Preced."
  // and "Success.".
  QHBoxLayout* makeSelectionRow(const std::string& numberCaption);
  // "Fine".
  QPushButton* makeFineButton();
  void showNumber(long number);
  // The form's inner height: twips at 15 a pixel.
  void setInnerHeightTwips(int twips);

  // One call of the core each.
  virtual void typedNumber(const std::string& text) = 0;
  virtual void stepFromBox(bool forward, const std::string& box) = 0;
  // The core's closing; runs once, however the window closes.
  virtual void closeEditor() = 0;

  void closeEvent(QCloseEvent* event) override;
  // Escape closes as "Fine" does.
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  QLineEdit* number_ = nullptr;

 private:
  bool closed_ = false;
};

}  // namespace sonvale
