#include "ui/do_emiss.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "commands/map_dialog.h"
#include "ui/translate.h"

namespace sonvale {
namespace {

using C = EmissControl;

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
QString Caption(C c) { return Tr(EmissCaption(c)); }

}  // namespace

DoEmiss::DoEmiss(DoEmissChoices& choices, Ui& ui, QWidget* parent)
    : QDialog(parent), logic_(choices, ui) {
  setObjectName(QStringLiteral("DoEmiss"));
  setWindowTitle(Tr(kDoEmissTitle));
  setAccessibleName(Tr(kDoEmissTitle));
  setModal(true);

  auto* name = static_cast<QLineEdit*>(make(C::Text1, new QLineEdit));
  name->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40);
  connect(name, &QLineEdit::textEdited, this,
          [this](const QString& text) { logic_.nameEdited(text.toStdString()); });
  auto* label = new QLabel(Caption(C::Text1));
  label->setBuddy(name);
  auto* browse =
      static_cast<QPushButton*>(make(C::Command1, new QPushButton(Caption(C::Command1))));
  browse->setAutoDefault(false);
  browse->setToolTip(Tr(EmissionDxfFileDialog("").title));
  browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 24);
  connect(browse, &QPushButton::clicked, this, [this] {
    if (logic_.browse()) showName();
  });
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(label);
  fileRow->addWidget(name, 1);
  fileRow->addWidget(browse);

  // One frame of two options for the distance and one for the period.
  auto frame = [this](C frameControl, C first, C second) {
    auto* box = static_cast<QGroupBox*>(make(frameControl, new QGroupBox(Caption(frameControl))));
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (C c : {first, second}) {
      auto* option = static_cast<QRadioButton*>(make(c, new QRadioButton(Caption(c))));
      option->setChecked(logic_.isChecked(c));
      group->addButton(option);
      layout->addWidget(option);
      connect(option, &QRadioButton::clicked, this, [this, c] { logic_.setChecked(c); });
    }
    return box;
  };
  auto* frames = new QHBoxLayout;
  frames->addWidget(frame(C::DistFrame, C::At75, C::Facade));
  frames->addWidget(frame(C::Periodo, C::Diurno, C::Notturno));

  auto* ok = static_cast<QPushButton*>(make(C::OK, new QPushButton(Caption(C::OK))));
  auto* cancel = static_cast<QPushButton*>(make(C::Annulla, new QPushButton(Caption(C::Annulla))));
  ok->setAutoDefault(false);
  cancel->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, [this] {
    if (logic_.confirm()) accept();
  });
  connect(cancel, &QPushButton::clicked, this, &DoEmiss::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* main = new QVBoxLayout(this);
  main->addLayout(fileRow);
  main->addLayout(frames);
  main->addLayout(buttons);
  main->setSizeConstraint(QLayout::SetFixedSize);
  showName();
}

void DoEmiss::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The file dialog comes once the dialog is on the screen behind it.
  QTimer::singleShot(0, this, [this] {
    logic_.activated();
    showName();
  });
}

QWidget* DoEmiss::make(EmissControl c, QWidget* w) {
  w->setObjectName(Q(EmissControlName(c)));
  w->setAccessibleName(AccessibleTr(EmissCaption(c)));
  widget(c) = w;
  return w;
}

void DoEmiss::showName() {
  static_cast<QLineEdit*>(widget(C::Text1))->setText(Q(logic_.choices().EmisDxfName));
}

}  // namespace sonvale
