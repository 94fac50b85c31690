#include "ui/do_map.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "ui/map_gis_box.h"
#include "ui/translate.h"

namespace sonvale {
namespace {

using C = MapControl;

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
QString Caption(C c) { return Tr(MapCaption(c)); }

void Name(QWidget* w, C c) {
  w->setObjectName(Q(MapControlName(c)));
  const QString accessible = AccessibleTr(MapCaption(c));
  if (!accessible.isEmpty()) w->setAccessibleName(accessible);
}

constexpr C kBoundBoxes[] = {C::X1, C::X2, C::Y1, C::Y2};
constexpr C kChecks[] = {C::Check1, C::Check2, C::Check3, C::Check4, C::Check5, C::Check6};
constexpr C kModes[] = {C::Option1, C::Option2, C::Option3};
constexpr C kAlgorithms[] = {C::Opt_SVP_interno, C::Opt_SVP_trace, C::Opt_Interim, C::Opt_Imagine};

// A narrow "..." button opening a file dialog, whose title it shows as tip.
QPushButton* BrowseButton(C c, const char* dialogTitle) {
  auto* b = new QPushButton(Caption(c));
  Name(b, c);
  b->setToolTip(Tr(dialogTitle));
  b->setAccessibleDescription(Tr(dialogTitle));
  b->setAutoDefault(false);
  b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 24);
  return b;
}

// Room for a coordinate such as "-1234567.89" in a numeric box.
int NumberWidth(const QWidget* w) {
  return w->fontMetrics().horizontalAdvance(QStringLiteral("-00000000.00")) + 12;
}

}  // namespace

DoMap::DoMap(AppState& app, Ui& ui, QWidget* parent, MapGisOutputs* gis)
    : QDialog(parent), logic_(app, ui) {
  setObjectName(QStringLiteral("DoMap"));
  setWindowTitle(Tr(kMapDialogTitle));
  setModal(true);

  // Output file.
  QLabel* nameLabel = nullptr;
  QLineEdit* text1 = makeBox(C::Text1, &nameLabel);
  text1->setAlignment(Qt::AlignLeft);
  text1->setMaximumWidth(QWIDGETSIZE_MAX);
  text1->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40);
  connect(text1, &QLineEdit::editingFinished, this, [this, text1] {
    logic_.left(C::Text1, text1->text().toStdString());
    sync();
  });
  QPushButton* command1 = BrowseButton(C::Command1, kOutputDialogTitle);
  widget(C::Command1) = command1;
  connect(command1, &QPushButton::clicked, this, [this] {
    logic_.browseOutput();
    sync();
  });
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(nameLabel);
  fileRow->addWidget(text1, 1);
  fileRow->addWidget(command1);

  // Mapping surface.
  auto* modeBox = new QGroupBox;
  auto* modeLayout = new QVBoxLayout(modeBox);
  modes_ = new QButtonGroup(this);
  for (C c : kModes) {
    auto* option = new QRadioButton(Caption(c));
    Name(option, c);
    widget(c) = option;
    modes_->addButton(option);
    modeLayout->addWidget(option);
    connect(option, &QRadioButton::clicked, this, [this, c] {
      logic_.setChecked(c);
      sync();
    });
  }

  // Grid bounds, shared by the plane and the terrain; the section's ends in mode 2.
  auto* boundsBox = new QGroupBox;
  auto* bounds = new QGridLayout(boundsBox);
  for (int i = 0; i < 4; ++i) {
    QLabel* label = nullptr;
    QLineEdit* edit = makeBox(kBoundBoxes[i], &label);
    bounds->addWidget(label, i / 2, (i % 2) * 2);
    bounds->addWidget(edit, i / 2, (i % 2) * 2 + 1);
  }
  bounds->setColumnStretch(4, 1);

  frames_ = new QStackedWidget;
  frames_->addWidget(makeGridPage());
  frames_->addWidget(makeTerrainPage());
  frames_->addWidget(makeSectionPage());

  auto* left = new QVBoxLayout;
  left->addWidget(modeBox);
  left->addWidget(boundsBox);
  left->addWidget(frames_);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(makeOptions());
  if (gis) right->addWidget(new MapGisBox(*gis));
  right->addStretch(1);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(right);

  auto* ok = new QPushButton(Caption(C::Command3D1));
  auto* cancel = new QPushButton(Caption(C::Command3D2));
  Name(ok, C::Command3D1);
  Name(cancel, C::Command3D2);
  widget(C::Command3D1) = ok;
  widget(C::Command3D2) = cancel;
  // Return in a box must not start a map run.
  ok->setAutoDefault(false);
  cancel->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &DoMap::confirm);
  connect(cancel, &QPushButton::clicked, this, &DoMap::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* main = new QVBoxLayout(this);
  main->addLayout(fileRow);
  main->addLayout(columns);
  auto* rule = new QFrame;
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  main->addWidget(rule);
  main->addLayout(buttons);
  main->setSizeConstraint(QLayout::SetFixedSize);

  sync();
}

// A dialog destroyed while shown hides its boxes after the MapDialog is gone:
// the boxes must not report leaving or editing by then.
DoMap::~DoMap() {
  for (QWidget* w : widgets_)
    if (w) w->disconnect(this);
}

QLineEdit* DoMap::box(MapControl c) const {
  return qobject_cast<QLineEdit*>(widgets_[static_cast<size_t>(c)]);
}

QLineEdit* DoMap::makeBox(MapControl c, QLabel** label) {
  auto* edit = new QLineEdit;
  Name(edit, c);
  edit->setAlignment(Qt::AlignRight);
  edit->setFixedWidth(NumberWidth(edit));
  edit->installEventFilter(this);
  widget(c) = edit;
  connect(edit, &QLineEdit::textEdited, this, [this, c](const QString& text) {
    logic_.edited(c, text.toStdString());
    sync();
  });
  if (label) {
    *label = new QLabel(Caption(c));
    (*label)->setBuddy(edit);
  }
  return edit;
}

QWidget* DoMap::makeGridPage() {
  auto* frame = new QGroupBox(Caption(C::Zconstframe));
  Name(frame, C::Zconstframe);
  widget(C::Zconstframe) = frame;
  auto* grid = new QGridLayout(frame);
  const C rows[2][2] = {{C::Horiz, C::Delta_X}, {C::Vert, C::Delta_Y}};
  for (int r = 0; r < 2; ++r) {
    for (int k = 0; k < 2; ++k) {
      QLabel* label = nullptr;
      QLineEdit* edit = makeBox(rows[r][k], &label);
      grid->addWidget(label, r, k * 2);
      grid->addWidget(edit, r, k * 2 + 1);
    }
  }
  QLabel* zLabel = nullptr;
  QLineEdit* zvalue = makeBox(C::Zvalue, &zLabel);
  auto* label6 = new QLabel;
  Name(label6, C::Label6);
  widget(C::Label6) = label6;
  // The plane's height lines up with the spacings, the receiver height after it.
  grid->addWidget(zLabel, 2, 0, 1, 3);
  grid->addWidget(zvalue, 2, 3);
  grid->addWidget(label6, 2, 4);

  auto* setPlan = new QLabel(Caption(C::SetPlan));
  Name(setPlan, C::SetPlan);
  widget(C::SetPlan) = setPlan;
  auto* planN = new QComboBox;
  Name(planN, C::Plan_N);
  widget(C::Plan_N) = planN;
  setPlan->setBuddy(planN);
  for (const std::string& item : logic_.view().planItems) planN->addItem(Q(item));
  connect(planN, &QComboBox::activated, this, [this](int index) {
    logic_.choosePlan(index);
    sync();
  });
  grid->addWidget(setPlan, 3, 0);
  grid->addWidget(planN, 3, 1, Qt::AlignLeft);
  grid->setColumnStretch(4, 1);
  return frame;
}

QWidget* DoMap::makeTerrainPage() {
  auto* frame = new QGroupBox(Caption(C::Altimframe));
  Name(frame, C::Altimframe);
  widget(C::Altimframe) = frame;
  auto* grid = new QGridLayout(frame);
  QLabel* fileLabel = nullptr;
  QLineEdit* file = makeBox(C::TextZfile, &fileLabel);
  file->setAlignment(Qt::AlignLeft);
  file->setMaximumWidth(QWIDGETSIZE_MAX);
  file->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 24);
  QPushButton* command2 = BrowseButton(C::Command2, kTerrainDialogTitle);
  widget(C::Command2) = command2;
  connect(command2, &QPushButton::clicked, this, [this] {
    logic_.browseTerrain();
    sync();
  });
  grid->addWidget(fileLabel, 0, 0);
  grid->addWidget(file, 0, 1, 1, 2);
  grid->addWidget(command2, 0, 3);

  QLabel* dzLabel = nullptr;
  QLineEdit* dz = makeBox(C::DZvalue, &dzLabel);
  auto* label9 = new QLabel;
  Name(label9, C::Label9);
  widget(C::Label9) = label9;
  grid->addWidget(dzLabel, 1, 0);
  grid->addWidget(dz, 1, 1);
  grid->addWidget(label9, 1, 2);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(2, 1);
  return frame;
}

QWidget* DoMap::makeSectionPage() {
  auto* frame = new QGroupBox(Caption(C::SezFrame));
  Name(frame, C::SezFrame);
  widget(C::SezFrame) = frame;
  auto* grid = new QGridLayout(frame);
  auto* sectionLabel = new QLabel(Caption(C::Combo1));
  auto* combo1 = new QComboBox;
  Name(combo1, C::Combo1);
  widget(C::Combo1) = combo1;
  sectionLabel->setBuddy(combo1);
  for (const std::string& item : logic_.view().sectionItems) combo1->addItem(Q(item));
  connect(combo1, &QComboBox::activated, this, [this](int index) {
    logic_.chooseSection(index);
    sync();
  });
  grid->addWidget(sectionLabel, 0, 0);
  grid->addWidget(combo1, 0, 1);
  const C rows[3][2] = {{C::Horiz2, C::Delta_O}, {C::Vert2, C::Delta_Z}, {C::Z1, C::Z2}};
  for (int r = 0; r < 3; ++r) {
    for (int k = 0; k < 2; ++k) {
      QLabel* label = nullptr;
      QLineEdit* edit = makeBox(rows[r][k], &label);
      grid->addWidget(label, r + 1, k * 2);
      grid->addWidget(edit, r + 1, k * 2 + 1);
    }
  }
  grid->setColumnStretch(4, 1);
  return frame;
}

QWidget* DoMap::makeOptions() {
  auto* frame = new QGroupBox(Caption(C::Frame3D1));
  Name(frame, C::Frame3D1);
  widget(C::Frame3D1) = frame;
  auto* column = new QVBoxLayout(frame);
  for (C c : kChecks) {
    auto* check = new QCheckBox(Caption(c));
    Name(check, c);
    widget(c) = check;
    column->addWidget(check);
    connect(check, &QCheckBox::clicked, this, [this, c](bool on) {
      logic_.setChecked(c, on);
      sync();
    });
  }
  auto* values = new QGridLayout;
  QLabel* distLabel = nullptr;
  QLineEdit* dist = makeBox(C::Text2, &distLabel);
  QLabel* yearLabel = nullptr;
  QLineEdit* year = makeBox(C::TextAnn, &yearLabel);
  values->addWidget(distLabel, 0, 0);
  values->addWidget(dist, 0, 1);
  values->addWidget(yearLabel, 1, 0);
  values->addWidget(year, 1, 1);
  values->setColumnStretch(0, 1);
  column->addSpacing(6);
  column->addLayout(values);

  auto* rule = new QFrame;
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  column->addWidget(rule);
  algorithms_ = new QButtonGroup(this);
  for (C c : kAlgorithms) {
    auto* option = new QRadioButton(Caption(c));
    Name(option, c);
    widget(c) = option;
    algorithms_->addButton(option);
    column->addWidget(option);
    connect(option, &QRadioButton::clicked, this, [this, c] {
      logic_.setChecked(c);
      sync();
    });
  }
  algorithmRule_ = rule;
  return frame;
}

void DoMap::confirm() {
  // A click on a button that takes no focus leaves the name box all the same.
  if (box(C::Text1)->hasFocus()) logic_.left(C::Text1, box(C::Text1)->text().toStdString());
  if (logic_.confirm()) {
    accept();
    return;
  }
  sync();
}

void DoMap::reject() {
  logic_.cancel();
  QDialog::reject();
}

bool DoMap::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* edit = qobject_cast<QLineEdit*>(watched);
  size_t index = 0;
  while (index < kMapControlCount && widgets_[index] != edit) ++index;
  if (!edit || index == kMapControlCount) return QDialog::eventFilter(watched, event);
  C c = static_cast<C>(index);

  auto* key = static_cast<QKeyEvent*>(event);
  QString text = edit->text();
  int at = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
  int selected = static_cast<int>(edit->selectedText().size());
  // Positions in the UTF-8 text the filters read.
  auto bytes = [&text](int from, int n) {
    return static_cast<size_t>(text.mid(from, n).toUtf8().size());
  };
  std::string utf8 = text.toStdString();
  size_t insertAt = bytes(0, at), replaced = bytes(at, selected);

  if (key->matches(QKeySequence::Paste)) {
    std::string pasted = QGuiApplication::clipboard()->text().toStdString();
    return !FilterMapPaste(c, utf8, insertAt, replaced, pasted);
  }
  // Shortcuts (select all, copy, undo) are not typing.
  if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
  int code = 0;
  if (key->key() == Qt::Key_Backspace) {
    code = kBackspaceKey;
  } else {
    QList<uint> chars = key->text().toUcs4();
    if (chars.isEmpty() || chars[0] < 0x20 || chars[0] == 0x7f) return false;  // not typing
    code = static_cast<int>(chars[0]);
  }
  return !logic_.keyTyped(c, code, utf8, insertAt, replaced);
}

void DoMap::sync() {
  const MapDialogView& v = logic_.view();
  for (size_t i = 0; i < kMapControlCount; ++i) {
    C c = static_cast<C>(i);
    if (QLineEdit* edit = box(c)) {
      QString t = Q(v.text(c));
      if (edit->text() != t) edit->setText(t);
    }
  }
  for (C c : {C::Label6, C::Label9}) {
    widget(c)->setAccessibleName(AccessibleTr(v.hrecLabel));
    static_cast<QLabel*>(widget(c))->setText(Q(v.hrecLabel));
  }

  auto setChecks = [this](QButtonGroup* group, std::initializer_list<C> controls) {
    // Exclusive groups cannot clear their last check; none is checked when the
    // stored value matches no option.
    if (group) group->setExclusive(false);
    for (C c : controls) static_cast<QAbstractButton*>(widget(c))->setChecked(logic_.isChecked(c));
    if (group) group->setExclusive(true);
  };
  setChecks(modes_, {C::Option1, C::Option2, C::Option3});
  setChecks(algorithms_, {C::Opt_SVP_interno, C::Opt_SVP_trace, C::Opt_Interim, C::Opt_Imagine});
  setChecks(nullptr, {C::Check1, C::Check2, C::Check3, C::Check4, C::Check5, C::Check6});

  widget(C::Option3)->setVisible(v.sectionOptionShown);
  bool plans = !v.planItems.empty();
  widget(C::SetPlan)->setVisible(plans);
  widget(C::Plan_N)->setVisible(plans);
  static_cast<QComboBox*>(widget(C::Plan_N))->setCurrentIndex(v.planIndex);
  static_cast<QComboBox*>(widget(C::Combo1))->setCurrentIndex(v.sectionIndex);
  for (C c : kAlgorithms) widget(c)->setVisible(v.algorithmsShown);
  algorithmRule_->setVisible(v.algorithmsShown);
  frames_->setCurrentIndex(v.frame);
  for (C c : kBoundBoxes) {
    // Shown only: the box takes the dialog's colour, as a label would.
    QLineEdit* edit = box(c);
    edit->setReadOnly(!v.boundsEditable);
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Base, QGuiApplication::palette().color(
                                         v.boundsEditable ? QPalette::Base : QPalette::Window));
    edit->setPalette(colours);
  }
  box(C::Z1)->setEnabled(v.sectionHeightsEditable);
  box(C::Z2)->setEnabled(v.sectionHeightsEditable);
  widget(C::Command3D1)->setEnabled(v.okEnabled);
}

}  // namespace sonvale
