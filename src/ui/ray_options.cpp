#include "ui/ray_options.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "commands/map_dialog.h"
#include "ui/translate.h"

namespace sonvale {
namespace {

using C = RayControl;

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
QString Caption(C c) { return Tr(RayCaption(c)); }

int NumberWidth(const QWidget* w) {
  return w->fontMetrics().horizontalAdvance(QStringLiteral("-00000000.00")) + 12;
}

}  // namespace

RayOptions::RayOptions(const Project& project, Ui& ui, RayChoices& choices, QWidget* parent)
    : QDialog(parent), logic_(project, ui, choices) {
  setObjectName(QStringLiteral("RayOptions"));
  setWindowTitle(Tr(kRayOptionsTitle));
  setAccessibleName(Tr(kRayOptionsTitle));
  setModal(true);

  // Output file.
  auto* name = static_cast<QLineEdit*>(make(C::Text1, new QLineEdit(Q(choices.RayFile))));
  name->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40);
  connect(name, &QLineEdit::editingFinished, this,
          [this, name] { name->setText(Q(logic_.nameLeft(name->text().toStdString()))); });
  auto* nameLabel = new QLabel(Caption(C::Text1));
  nameLabel->setBuddy(name);
  auto* browse =
      static_cast<QPushButton*>(make(C::Command1, new QPushButton(Caption(C::Command1))));
  browse->setAutoDefault(false);
  browse->setToolTip(Tr(kRaySaveTitle));
  browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 24);
  connect(browse, &QPushButton::clicked, this, [this, name] {
    if (logic_.browse()) name->setText(Q(logic_.choices().RayFile));
  });
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(nameLabel);
  fileRow->addWidget(name, 1);
  fileRow->addWidget(browse);

  // Receivers and period: one group of options each.
  auto options = [this](std::initializer_list<C> list, QLayout* into) {
    auto* group = new QButtonGroup(this);
    for (C c : list) {
      auto* option = static_cast<QRadioButton*>(make(c, new QRadioButton(Caption(c))));
      option->setChecked(logic_.isChecked(c));
      group->addButton(option);
      into->addWidget(option);
      connect(option, &QRadioButton::clicked, this, [this, c] { logic_.setChecked(c); });
    }
  };
  auto* receivers = new QVBoxLayout;
  options({C::MappaRec, C::Rec, C::Punti}, receivers);

  // The area of the automatic grid: ends, divisions and the list of plans and sections.
  auto* area = static_cast<QGroupBox*>(make(C::AreaFrame, new QGroupBox(Caption(C::AreaFrame))));
  auto* grid = new QGridLayout(area);
  int i = 0;
  for (C c : kRayBoxes) {
    auto* box = static_cast<QLineEdit*>(make(c, new QLineEdit));
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(NumberWidth(box));
    connect(box, &QLineEdit::textEdited, this,
            [this, c](const QString& text) { logic_.edited(c, text.toStdString()); });
    auto* label = new QLabel(Caption(c));
    label->setBuddy(box);
    // X1 Y1 Z1 on the first row, X2 Y2 Z2 on the second, the divisions below.
    const int row = i < 6 ? i / 3 : 2;
    const int column = i < 6 ? i % 3 : i - 6;
    grid->addWidget(label, row, column * 2);
    grid->addWidget(box, row, column * 2 + 1);
    ++i;
  }
  auto* list = static_cast<QListWidget*>(make(C::AreaList, new QListWidget));
  for (const std::string& item : logic_.areaItems()) list->addItem(Q(item));
  list->setMaximumHeight(list->fontMetrics().height() * 6);
  connect(list, &QListWidget::currentRowChanged, this, [this](int row) {
    logic_.chooseArea(row);
    showBoxes();
  });
  grid->addWidget(list, 0, 6, 3, 1);

  auto* period = static_cast<QGroupBox*>(make(C::Periodo, new QGroupBox(Caption(C::Periodo))));
  auto* periodLayout = new QHBoxLayout(period);
  options({C::Diurno, C::Notturno}, periodLayout);

  auto* ok = static_cast<QPushButton*>(make(C::OK, new QPushButton(Caption(C::OK))));
  auto* cancel = static_cast<QPushButton*>(make(C::Annulla, new QPushButton(Caption(C::Annulla))));
  ok->setAutoDefault(false);
  cancel->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &RayOptions::confirm);
  connect(cancel, &QPushButton::clicked, this, &RayOptions::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(period);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* main = new QVBoxLayout(this);
  main->addLayout(fileRow);
  main->addLayout(receivers);
  main->addWidget(area);
  main->addLayout(buttons);
  main->setSizeConstraint(QLayout::SetFixedSize);
  showBoxes();
}

// The name box reports leaving it when the dialog hides it, after the logic is gone.
RayOptions::~RayOptions() {
  for (QWidget* w : widgets_)
    if (w) w->disconnect(this);
}

QWidget* RayOptions::make(RayControl c, QWidget* w) {
  w->setObjectName(Q(RayControlName(c)));
  w->setAccessibleName(AccessibleTr(RayCaption(c)));
  widget(c) = w;
  return w;
}

QLineEdit* RayOptions::nameBox() const {
  return static_cast<QLineEdit*>(widgets_[static_cast<size_t>(C::Text1)]);
}

void RayOptions::showBoxes() {
  const auto texts = logic_.boxTexts();
  for (size_t i = 0; i < texts.size(); ++i)
    static_cast<QLineEdit*>(widget(kRayBoxes[i]))->setText(Q(texts[i]));
}

void RayOptions::confirm() {
  // The name counts as left when OK is pressed straight from its box.
  nameBox()->setText(Q(logic_.nameLeft(nameBox()->text().toStdString())));
  if (logic_.confirm()) accept();
}

}  // namespace sonvale
