#include "ui/csv_options.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/csv_commands.h"
#include "commands/map_dialog.h"
#include "ui/translate.h"

namespace sonvale {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
QString Caption(const char* control) { return Tr(CsvOptionsCaption(control)); }

// Room for a share such as "100.0" or a distance such as "12000".
int BoxWidth(const QWidget* w) {
  return w->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12;
}

}  // namespace

CSV_Options::CSV_Options(AppState& app, Ui& ui, QWidget* parent)
    : QDialog(parent), app_(app), ui_(ui) {
  setObjectName(QStringLiteral("CSV_Options"));
  setWindowTitle(Tr(kCsvOptionsTitle));
  setAccessibleName(Tr(kCsvOptionsTitle));
  setModal(true);

  const CsvOptionsTexts texts = CsvOptionsBoxTexts(app_);
  for (size_t v = 1; v <= 5; ++v) {
    const std::string name = "V" + std::to_string(v);
    const QString caption = Caption(name.c_str());
    day_[v] = makeBox((name + "_Giorno").c_str(), Q(texts.percentDay[v]),
                      caption + " " + Caption("Giorno"));
    night_[v] = makeBox((name + "_Notte").c_str(), Q(texts.percentNight[v]),
                        caption + " " + Caption("Notte"));
  }
  TG_TN_ = makeBox("TG_TN", Q(texts.TG_TN), Caption("TG_TN"));
  T24_T1_ = makeBox("T24_T1", Q(texts.T24_T1), Caption("T24_T1"));
  TG_TN_P_ = makeBox("TG_TN_P", Q(texts.TG_TN_P), Caption("TG_TN_P"));
  T24_T1_P_ = makeBox("T24_T1_P", Q(texts.T24_T1_P), Caption("T24_T1_P"));

  auto* distance = makeBox("Text2", Q(texts.DistMax), Caption("Text2"));
  connect(distance, &QLineEdit::textEdited, this,
          [this](const QString& text) { CsvDistanceEdited(app_, text.toStdString()); });
  auto* distanceLabel = new QLabel(Caption("Text2"));
  distanceLabel->setBuddy(distance);
  auto* distanceRow = new QHBoxLayout;
  distanceRow->addWidget(distanceLabel);
  distanceRow->addWidget(distance);
  distanceRow->addStretch(1);

  accorpa_ = makeCheck("Accorpa", app_.Accorpa);
  limita_ = makeCheck("Limita", app_.LimitaPlans);
  riconosci_ = makeCheck("Riconosci", app_.Riconosci);
  anteOperam_ = makeCheck("AnteOperam", app_.csvOptions.AnteOperam);

  auto* ok = new QPushButton(Caption("OK"));
  auto* cancel = new QPushButton(Caption("Cancel"));
  ok->setObjectName(QStringLiteral("OK"));
  cancel->setObjectName(QStringLiteral("Cancel"));
  ok->setAccessibleName(Caption("OK"));
  cancel->setAccessibleName(Caption("Cancel"));
  // Return in a box must not close the dialog behind the user's back.
  ok->setAutoDefault(false);
  cancel->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &CSV_Options::accept);
  connect(cancel, &QPushButton::clicked, this, &CSV_Options::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* frames = new QHBoxLayout;
  frames->addWidget(makeFrame("Leggeri", {1, 5}, TG_TN_, T24_T1_));
  frames->addWidget(makeFrame("Pesanti", {2, 3, 4}, TG_TN_P_, T24_T1_P_));

  auto* main = new QVBoxLayout(this);
  main->addLayout(frames);
  main->addLayout(distanceRow);
  for (QCheckBox* c : {accorpa_, limita_, riconosci_, anteOperam_}) main->addWidget(c);
  main->addLayout(buttons);
  main->setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit* CSV_Options::makeBox(const char* name, const QString& text, const QString& accessible) {
  auto* box = new QLineEdit(text);
  box->setObjectName(QString::fromLatin1(name));
  box->setAccessibleName(AccessibleTr(accessible.toStdString()));
  box->setAlignment(Qt::AlignRight);
  box->setFixedWidth(BoxWidth(box));
  return box;
}

QCheckBox* CSV_Options::makeCheck(const char* name, bool checked) {
  auto* check = new QCheckBox(Caption(name));
  check->setObjectName(QString::fromLatin1(name));
  check->setAccessibleName(AccessibleTr(CsvOptionsCaption(name)));
  check->setChecked(checked);
  return check;
}

// One frame of shares, day and night side by side, with the two ratios of the
// same vehicles; the day/night ratio shows its level difference beside it.
QWidget* CSV_Options::makeFrame(const char* name, std::initializer_list<int> classes,
                                QLineEdit* ratio, QLineEdit* peak) {
  auto* frame = new QGroupBox(Caption(name));
  frame->setObjectName(QString::fromLatin1(name));
  auto* grid = new QGridLayout(frame);
  grid->addWidget(new QLabel(Caption("Giorno")), 0, 1, Qt::AlignHCenter);
  grid->addWidget(new QLabel(Caption("Notte")), 0, 2, Qt::AlignHCenter);
  int row = 1;
  for (int v : classes) {
    const std::string control = "V" + std::to_string(v);
    auto* label = new QLabel(Caption(control.c_str()));
    label->setBuddy(day_[static_cast<size_t>(v)]);
    grid->addWidget(label, row, 0);
    grid->addWidget(day_[static_cast<size_t>(v)], row, 1);
    grid->addWidget(night_[static_cast<size_t>(v)], row, 2);
    ++row;
  }
  auto* ratioLabel = new QLabel(ratio->accessibleName());
  ratioLabel->setBuddy(ratio);
  auto* peakLabel = new QLabel(peak->accessibleName());
  peakLabel->setBuddy(peak);
  auto* delta = new QLabel(Q(DeltaLText(ratio->text().toStdString())));
  delta->setObjectName(QStringLiteral("DeltaL_") + ratio->objectName());
  delta->setAccessibleName(Tr(kDeltaLCaption));
  delta->setMinimumWidth(BoxWidth(delta));
  connect(ratio, &QLineEdit::textEdited, delta,
          [delta](const QString& text) { delta->setText(Q(DeltaLText(text.toStdString()))); });
  grid->addWidget(ratioLabel, row, 0);
  grid->addWidget(ratio, row, 1);
  grid->addWidget(new QLabel(Tr(kDeltaLCaption)), row + 1, 0, Qt::AlignRight);
  grid->addWidget(delta, row + 1, 1, Qt::AlignRight);
  grid->addWidget(peakLabel, row + 2, 0);
  grid->addWidget(peak, row + 2, 1);
  return frame;
}

void CSV_Options::accept() {
  CsvOptionsTexts texts;
  for (size_t v = 1; v <= 5; ++v) {
    texts.percentDay[v] = day_[v]->text().toStdString();
    texts.percentNight[v] = night_[v]->text().toStdString();
  }
  texts.TG_TN = TG_TN_->text().toStdString();
  texts.TG_TN_P = TG_TN_P_->text().toStdString();
  texts.T24_T1 = T24_T1_->text().toStdString();
  texts.T24_T1_P = T24_T1_P_->text().toStdString();
  CsvOptionsEntry entry;
  ReadCsvOptionsBoxes(texts, entry);
  entry.Accorpa = accorpa_->isChecked();
  entry.LimitaPlans = limita_->isChecked();
  entry.Riconosci = riconosci_->isChecked();
  entry.AnteOperam = anteOperam_->isChecked();
  if (AcceptCsvOptions(app_, ui_, entry)) QDialog::accept();
}

void CSV_Options::reject() {
  CancelCsvOptions(app_);
  QDialog::reject();
}

}  // namespace sonvale
