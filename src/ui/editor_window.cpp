#include "ui/editor_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "commands/menu_tree.h"
#include "ui/translate.h"

namespace sonvale {

QString QtText(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

void NameAfter(QWidget* control, const std::string& caption) {
  control->setAccessibleName(AccessibleTr(caption));
}

QLabel* CaptionLabel(const std::string& caption, QWidget* control) {
  auto* label = new QLabel(Tr(caption));
  label->setTextFormat(Qt::PlainText);
  label->setBuddy(control);
  NameAfter(control, caption);
  return label;
}

void ShowText(QLineEdit* box, const std::string& text) {
  const QString t = QtText(text);
  if (box->text() == t) return;
  const QSignalBlocker quiet(box);
  box->setText(t);
}

void ShowIndex(QComboBox* list, long index) {
  if (list->currentIndex() == index) return;
  const QSignalBlocker quiet(list);
  list->setCurrentIndex(static_cast<int>(index));
}

void ShowEditable(QLineEdit* box, bool editable) {
  box->setReadOnly(!editable);
  QPalette colours = box->palette();
  colours.setColor(QPalette::Base,
                   QGuiApplication::palette().color(editable ? QPalette::Base : QPalette::Window));
  box->setPalette(colours);
}

QLineEdit* NumberBox(const QString& objectName, int digits) {
  auto* box = new QLineEdit;
  box->setObjectName(objectName);
  box->setAlignment(Qt::AlignRight);
  box->setFixedWidth(box->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) + 16);
  return box;
}

UpDownArrows::UpDownArrows(const QString& objectName, const QString& upName,
                           const QString& downName, QWidget* parent)
    : QWidget(parent), up_(new QToolButton), down_(new QToolButton) {
  setObjectName(objectName);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  const struct {
    QToolButton* button;
    Qt::ArrowType arrow;
    const QString& name;
    const char* suffix;
  } arrows[] = {{up_, Qt::UpArrow, upName, "Up"}, {down_, Qt::DownArrow, downName, "Down"}};
  for (const auto& a : arrows) {
    a.button->setObjectName(objectName + QLatin1String(a.suffix));
    a.button->setArrowType(a.arrow);
    a.button->setAccessibleName(a.name);
    a.button->setToolTip(a.name);
    a.button->setAutoRepeat(true);
    a.button->setFocusPolicy(Qt::NoFocus);
    a.button->setFixedSize(18, 12);
    column->addWidget(a.button);
  }
  connect(up_, &QToolButton::clicked, this, &UpDownArrows::up);
  connect(down_, &QToolButton::clicked, this, &UpDownArrows::down);
}

EditorWindow::~EditorWindow() {
  if (number_) number_->blockSignals(true);
}

EditorWindow::EditorWindow(QWidget* parent) : QDialog(parent) { setModal(false); }

QHBoxLayout* EditorWindow::makeSelectionRow(const std::string& numberCaption) {
  number_ = NumberBox("EntNum", 6);
  number_->installEventFilter(this);
  QLabel* label = CaptionLabel(numberCaption, number_);
  auto* spin = new UpDownArrows("Spin1", Tr(SV_TR("sonvale", "Successivo")),
                                Tr(SV_TR("sonvale", "Precedente")));
  NameAfter(spin, numberCaption);
  auto* previous = new QPushButton(Tr(SV_TR("sonvale", "Preced.")));
  auto* next = new QPushButton(Tr(SV_TR("sonvale", "Success.")));
  previous->setObjectName("Command3D1");
  next->setObjectName("Command3D2");
  for (QPushButton* b : {previous, next}) {
    b->setAutoDefault(false);
    NameAfter(b, b->text().toStdString());
  }
  auto box = [this] { return number_->text().toStdString(); };
  connect(number_, &QLineEdit::returnPressed, this, [this, box] {
    number_->setModified(false);
    typedNumber(box());
  });
  // A number typed and left without Return is taken as well.
  connect(number_, &QLineEdit::editingFinished, this, [this, box] {
    if (!number_->isModified()) return;
    number_->setModified(false);
    typedNumber(box());
  });
  connect(spin, &UpDownArrows::up, this, [this, box] { stepFromBox(true, box()); });
  connect(spin, &UpDownArrows::down, this, [this, box] { stepFromBox(false, box()); });
  connect(previous, &QPushButton::clicked, this, [this, box] { stepFromBox(false, box()); });
  connect(next, &QPushButton::clicked, this, [this, box] { stepFromBox(true, box()); });

  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addSpacing(4);
  row->addWidget(number_);
  row->addSpacing(1);
  row->addWidget(spin);
  row->addSpacing(10);
  row->addWidget(previous);
  row->addWidget(next);
  return row;
}

QPushButton* EditorWindow::makeFineButton() {
  auto* fine = new QPushButton(Tr(SV_TR("sonvale", "Fine")));
  fine->setObjectName("Command3D3");
  fine->setAutoDefault(false);
  NameAfter(fine, SV_TR("sonvale", "Fine"));
  connect(fine, &QPushButton::clicked, this, &QWidget::close);
  return fine;
}

void EditorWindow::showNumber(long number) { ShowText(number_, std::to_string(number)); }

void EditorWindow::setInnerHeightTwips(int twips) {
  setFixedHeight(static_cast<int>(std::lround(twips / 15.0)));
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  if (!closed_) {
    closed_ = true;
    closeEditor();
  }
  event->accept();
}

void EditorWindow::reject() { close(); }

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
  // The arrow keys in the number box act as its arrows.
  if (watched == number_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      stepFromBox(key == Qt::Key_Up, number_->text().toStdString());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace sonvale
