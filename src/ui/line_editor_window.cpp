#include "ui/line_editor_window.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/translate.h"

namespace sonvale {

QWidget* LineEditorWindow::makeUpperPart(const char* selectionCaption, const char* levelCaption) {
  auto* upper = new QWidget;
  auto* column = new QVBoxLayout(upper);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(4);

  selection_ = new QGroupBox(Tr(selectionCaption));
  selection_->setObjectName("Frame3D1");
  auto* selectionRow = makeSelectionRow(SV_TR("sonvale", "Tratto n."));
  selectionRow->setContentsMargins(8, 2, 8, 4);
  name_ = new QLineEdit;
  name_->setObjectName("EntName");
  name_->setMinimumWidth(name_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 30);
  connect(name_, &QLineEdit::textEdited, this,
          [this](const QString& text) { nameEdited(text.toStdString()); });
  selectionRow->addSpacing(16);
  selectionRow->addWidget(CaptionLabel(SV_TR("sonvale", "Nome:"), name_));
  selectionRow->addWidget(name_, 1);
  selection_->setLayout(selectionRow);
  column->addWidget(selection_);

  // Computed source or fixed-level line source, and its two levels.
  calcola_ = new QRadioButton(Tr(SV_TR("sonvale", "Calcola")));
  fisso_ = new QRadioButton(Tr(SV_TR("sonvale", "Fisso")));
  calcola_->setObjectName("OptionCalc");
  fisso_->setObjectName("OptionFisso");
  auto* kind = new QButtonGroup(this);
  kind->addButton(calcola_);
  kind->addButton(fisso_);
  NameAfter(calcola_, SV_TR("sonvale", "Calcola"));
  NameAfter(fisso_, SV_TR("sonvale", "Fisso"));
  connect(calcola_, &QRadioButton::clicked, this, [this] { calcolaClicked(); });
  connect(fisso_, &QRadioButton::clicked, this, [this] { fissoClicked(); });

  leqDay_ = NumberBox("LeqDay", 6);
  leqNight_ = NumberBox("LeqNight", 6);
  QLabel* levelLabel = levelCaption ? CaptionLabel(levelCaption, leqDay_) : nullptr;
  leqDay_->setAccessibleName(Tr(SV_TR("sonvale", "Leq giorno")));
  leqNight_->setAccessibleName(Tr(SV_TR("sonvale", "Leq notte")));
  leqDay_->setToolTip(Tr(SV_TR("sonvale", "Leq giorno")));
  leqNight_->setToolTip(Tr(SV_TR("sonvale", "Leq notte")));
  connect(leqDay_, &QLineEdit::textEdited, this,
          [this](const QString& text) { levelEdited(true, text.toStdString()); });
  connect(leqNight_, &QLineEdit::textEdited, this,
          [this](const QString& text) { levelEdited(false, text.toStdString()); });

  auto* levels = new QHBoxLayout;
  levels->setContentsMargins(8, 0, 0, 0);
  levels->addWidget(calcola_);
  levels->addSpacing(8);
  levels->addWidget(fisso_);
  levels->addSpacing(32);
  if (levelLabel) levels->addWidget(levelLabel);
  levels->addWidget(leqDay_);
  levels->addWidget(leqNight_);
  levels->addStretch(1);
  levels->addWidget(makeFineButton());
  column->addLayout(levels);
  return upper;
}

void LineEditorWindow::showUpper(const std::string& title, const std::string& selectionCaption,
                                 const std::string& nome, bool fixed, const std::string& leqDay,
                                 const std::string& leqNight, const QWidget* editing) {
  if (editing != name_) ShowText(name_, nome);
  calcola_->setChecked(!fixed);
  fisso_->setChecked(fixed);
  ShowText(leqDay_, leqDay);
  ShowText(leqNight_, leqNight);
  ShowEditable(leqDay_, fixed);
  ShowEditable(leqNight_, fixed);
  setWindowTitle(Tr(title));
  selection_->setTitle(Tr(selectionCaption));
  selection_->setAccessibleName(AccessibleTr(selectionCaption));
}

}  // namespace sonvale
