#include "ui/do_punti.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "commands/map_dialog.h"
#include "propagation/point_calc.h"
#include "ui/status_progress.h"
#include "ui/translate.h"

namespace sonvale {
namespace {

using C = PointControl;

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

void Name(QWidget* w, C c) {
  w->setObjectName(Q(PointControlName(c)));
  const QString accessible = AccessibleTr(PointCaption(c));
  if (!accessible.isEmpty()) w->setAccessibleName(accessible);
}

constexpr C kChecks[] = {C::Check1, C::Check2, C::Check3, C::Check4, C::Check5, C::Check6};
constexpr C kAlgorithms[] = {C::Opt_SVP_interno, C::Opt_SVP_trace, C::Opt_Interim, C::Opt_Imagine};
constexpr C kSets[] = {C::Punti, C::Rec};

// The list's font: Courier New, or the system's fixed-pitch font where it is missing.
QFont ListFont() {
  QFont f(QStringLiteral("Courier New"));
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  if (QFontInfo(f).fixedPitch()) return f;
  return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

}  // namespace

DoPunti::DoPunti(AppState& app, Ui& ui, QWidget* parent, StatusProgress* status)
    : QDialog(parent), logic_(app, ui), status_(status) {
  setObjectName(QStringLiteral("DoPunti"));
  setWindowTitle(Tr(kPointWindowTitle));
  setAccessibleName(windowTitle());
  setModal(true);

  auto* frame1 = new QGroupBox(Tr(PointCaption(C::Frame1)));
  Name(frame1, C::Frame1);
  widget(C::Frame1) = frame1;
  auto* sets = new QVBoxLayout(frame1);
  auto* setGroup = new QButtonGroup(this);
  for (C c : kSets) {
    auto* option = new QRadioButton(Tr(PointCaption(c)));
    Name(option, c);
    widget(c) = option;
    setGroup->addButton(option);
    sets->addWidget(option);
    connect(option, &QRadioButton::clicked, this, [this, c] {
      logic_.setChecked(c);
      sync();
    });
  }

  auto* middle = new QHBoxLayout;
  middle->addWidget(makeOptions(), 1);
  middle->addWidget(makeButtons());

  list_ = new QListWidget;
  Name(list_, C::List1);
  widget(C::List1) = list_;
  list_->setFont(ListFont());
  list_->setUniformItemSizes(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  const int lineWidth = QFontMetrics(list_->font()).horizontalAdvance(Q(kPointListHeader));
  list_->setMinimumWidth(lineWidth + list_->verticalScrollBar()->sizeHint().width() + 16);
  // The header and sixteen points in view.
  list_->setMinimumHeight(QFontMetrics(list_->font()).lineSpacing() * 17 + 2 * list_->frameWidth());

  auto* main = new QVBoxLayout(this);
  main->addWidget(frame1);
  main->addLayout(middle);
  main->addWidget(list_, 1);

  logic_.onChange([this] { sync(); });
  sync();
}

QLineEdit* DoPunti::makeBox(PointControl c, QLabel** label) {
  auto* edit = new QLineEdit;
  Name(edit, c);
  edit->setAlignment(Qt::AlignRight);
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000000")) + 12);
  widget(c) = edit;
  connect(edit, &QLineEdit::textEdited, this, [this, c](const QString& text) {
    logic_.edited(c, text.toStdString());
    sync();
  });
  *label = new QLabel(Tr(PointCaption(c)));
  (*label)->setBuddy(edit);
  return edit;
}

QWidget* DoPunti::makeOptions() {
  auto* frame = new QGroupBox;
  auto* column = new QVBoxLayout(frame);
  auto* checks = new QGridLayout;
  for (size_t i = 0; i < std::size(kChecks); ++i) {
    C c = kChecks[i];
    auto* check = new QCheckBox(Tr(PointCaption(c)));
    Name(check, c);
    widget(c) = check;
    checks->addWidget(check, static_cast<int>(i % 3), static_cast<int>(i / 3));
    connect(check, &QCheckBox::clicked, this, [this, c](bool on) {
      logic_.setChecked(c, on);
      sync();
    });
  }
  column->addLayout(checks);

  auto* values = new QGridLayout;
  QLabel* distLabel = nullptr;
  QLineEdit* dist = makeBox(C::DistMax, &distLabel);
  QLabel* yearLabel = nullptr;
  QLineEdit* year = makeBox(C::Anno, &yearLabel);
  values->addWidget(distLabel, 0, 0);
  values->addWidget(dist, 0, 1);
  values->addWidget(yearLabel, 0, 3);
  values->addWidget(year, 0, 4);
  values->setColumnMinimumWidth(2, 16);
  values->setColumnStretch(5, 1);
  column->addLayout(values);

  auto* algorithms = new QWidget;
  auto* grid = new QGridLayout(algorithms);
  grid->setContentsMargins(0, 0, 0, 0);
  auto* rule = new QFrame;
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  grid->addWidget(rule, 0, 0, 1, 2);
  auto* group = new QButtonGroup(this);
  for (size_t i = 0; i < std::size(kAlgorithms); ++i) {
    C c = kAlgorithms[i];
    auto* option = new QRadioButton(Tr(PointCaption(c)));
    Name(option, c);
    widget(c) = option;
    group->addButton(option);
    grid->addWidget(option, 1 + static_cast<int>(i % 2), static_cast<int>(i / 2));
    connect(option, &QRadioButton::clicked, this, [this, c] {
      logic_.setChecked(c);
      sync();
    });
  }
  algorithms->setObjectName(QStringLiteral("Algorithms"));
  algorithms->setVisible(logic_.view().algorithmsShown);
  column->addWidget(algorithms);
  column->addStretch(1);
  return frame;
}

QWidget* DoPunti::makeButtons() {
  auto* box = new QWidget;
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  for (C c : {C::Command4, C::Command1, C::Command2, C::Command3}) {
    auto* button = new QPushButton(Tr(PointCaption(c)));
    Name(button, c);
    widget(c) = button;
    // Return in a box must not start a calculation.
    button->setAutoDefault(false);
    column->addWidget(button);
  }
  connect(static_cast<QPushButton*>(widget(C::Command4)), &QPushButton::clicked, this,
          [this] { logic_.calculate(); });
  connect(static_cast<QPushButton*>(widget(C::Command1)), &QPushButton::clicked, this, [this] {
    if (logic_.command1()) accept();
  });
  connect(static_cast<QPushButton*>(widget(C::Command2)), &QPushButton::clicked, this,
          [this] { logic_.copyToClipboard(); });
  connect(static_cast<QPushButton*>(widget(C::Command3)), &QPushButton::clicked, this,
          [this] { logic_.save(); });
  // Room for the widest caption the close button takes.
  widget(C::Command1)
      ->setMinimumWidth(widget(C::Command1)->fontMetrics().horizontalAdvance(Tr(kCloseCaption)) +
                        32);

  auto* status = new QLabel;
  Name(status, C::Status);
  status->setAccessibleName(Tr(SV_TR("sonvale", "Stato")));
  status->setFrameShape(QFrame::Panel);
  status->setFrameShadow(QFrame::Sunken);
  status->setAlignment(Qt::AlignCenter);
  widget(C::Status) = status;
  progress_ = new QProgressBar;
  progress_->setObjectName("Progresso");
  progress_->setAccessibleName(Tr(SV_TR("sonvale", "Avanzamento")));
  progress_->setRange(0, 100);
  progress_->hide();
  column->addStretch(1);
  column->addWidget(status);
  column->addWidget(progress_);
  return box;
}

void DoPunti::sync() {
  const PointDialogView& v = logic_.view();
  for (auto [c, text] : {std::pair{C::DistMax, &v.distMax}, std::pair{C::Anno, &v.anno}}) {
    auto* edit = static_cast<QLineEdit*>(widget(c));
    QString t = Q(*text);
    if (edit->text() != t) edit->setText(t);
  }
  for (C c : {C::Punti, C::Rec, C::Check1, C::Check2, C::Check3, C::Check4, C::Check5, C::Check6,
              C::Opt_SVP_interno, C::Opt_SVP_trace, C::Opt_Interim, C::Opt_Imagine}) {
    auto* button = static_cast<QAbstractButton*>(widget(c));
    if (button->group()) button->group()->setExclusive(false);
    button->setChecked(logic_.isChecked(c));
    if (button->group()) button->group()->setExclusive(true);
  }
  for (size_t i = 0; i < kControls; ++i) {
    C c = static_cast<C>(i);
    if (c != C::Command1 && c != C::Status && widgets_[i])
      widgets_[i]->setEnabled(v.controlsEnabled);
  }
  auto* command1 = static_cast<QPushButton*>(widget(C::Command1));
  command1->setText(Tr(v.command1Caption));
  command1->setAccessibleName(AccessibleTr(v.command1Caption));
  command1->setEnabled(v.command1Enabled);
  static_cast<QLabel*>(widget(C::Status))->setText(TrText(v.status));
  progress_->setVisible(v.running && !v.progress.empty());
  progress_->setRange(0, v.waiting ? 0 : 100);
  progress_->setValue(v.percent);
  progress_->setFormat(Q(v.progress));
  if (status_) {
    if (!v.running || v.progress.empty())
      status_->finish();
    else if (v.waiting)
      status_->showWaiting(v.progress);
    else
      status_->showEstimate(v.percent, v.progress);
  }

  if (listRun_ != v.listRun) {
    list_->clear();
    listRun_ = v.listRun;
  }
  for (size_t n = static_cast<size_t>(list_->count()); n < v.lines.size(); ++n)
    list_->addItem(Q(v.lines[n]));
  if (v.running && list_->count() > 0) list_->scrollToBottom();
}

void DoPunti::reject() {
  if (logic_.closeRequested()) QDialog::reject();
}

void DoPunti::closeEvent(QCloseEvent* event) {
  if (logic_.closeRequested()) {
    QDialog::closeEvent(event);
  } else {
    event->ignore();
  }
}

}  // namespace sonvale
