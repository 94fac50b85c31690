#include "ui/train_dat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/editor_cursor.h"
#include "ui/translate.h"

namespace sonvale {
namespace {

const char* const kTrainTags[] = {"V1", "V2", "V3"};

QString Item(const char* name, int item) {
  return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(item);
}

}  // namespace

TrainDat::TrainDat(AppState& app, Ui& /*ui*/, QWidget* parent)
    : LineEditorWindow(parent), app_(app), editor_(app) {
  setObjectName("TrainDat");
  setWindowTitle(kTrackEditorTitle);

  auto* main = new QVBoxLayout(this);
  main->setContentsMargins(8, 4, 8, 8);
  main->setSpacing(6);
  main->addWidget(makeUpperPart(kTrackSelectionCaption, nullptr));
  lower_ = makeLowerPart();
  main->addWidget(lower_, 1);

  setFixedWidth(sizeHint().width());
  display(editor_.open());
}

QGroupBox* TrainDat::makeTrafficFrame(const char* caption, int firstItem) {
  auto* frame = new QGroupBox(Tr(caption));
  auto* grid = new QGridLayout(frame);
  grid->setVerticalSpacing(10);
  const QString period =
      Tr(firstItem == 0 ? SV_TR("sonvale", "giorno") : SV_TR("sonvale", "notte"));
  grid->addWidget(new QLabel(Tr(SV_TR("sonvale", "Num."))), 0, 1, Qt::AlignHCenter);
  grid->addWidget(new QLabel(Tr(SV_TR("sonvale", "Lungh."))), 0, 2, Qt::AlignHCenter);
  for (int row = 0; row < 3; ++row) {
    const int item = firstItem + row;
    const auto i = static_cast<size_t>(item);
    QLineEdit* count = NumberBox(Item("Text2", item), 5);
    QLineEdit* length = NumberBox(Item("Text1", item), 5);
    auto* list = new QComboBox;
    list->setObjectName(Item("Combo5", item));
    for (const char* c : kTrainClassItems) list->addItem(c);
    QLabel* label = CaptionLabel(kTrainLabels[row], count);
    // One row caption for three controls: each is named after its column too.
    count->setAccessibleName(Tr(SV_TR("sonvale", "Num. %1 %2")).arg(kTrainTags[row], period));
    length->setAccessibleName(Tr(SV_TR("sonvale", "Lungh. %1 %2")).arg(kTrainTags[row], period));
    list->setAccessibleName(Tr(SV_TR("sonvale", "Classe %1 %2")).arg(kTrainTags[row], period));
    counts_[i] = count;
    lengths_[i] = length;
    classes_[i] = list;
    connect(count, &QLineEdit::textEdited, this, [this, item, count](const QString& text) {
      display(editor_.setCount(item, text.toStdString()), count);
    });
    connect(length, &QLineEdit::textEdited, this, [this, item, length](const QString& text) {
      display(editor_.setLength(item, text.toStdString()), length);
    });
    connect(list, &QComboBox::currentIndexChanged, this,
            [this, item, list](int index) { display(editor_.setClass(item, index), list); });
    grid->addWidget(label, row + 1, 0);
    grid->addWidget(count, row + 1, 1);
    grid->addWidget(length, row + 1, 2);
    grid->addWidget(list, row + 1, 3);
  }
  grid->setColumnStretch(0, 1);
  return frame;
}

QWidget* TrainDat::makeLowerPart() {
  auto* lower = new QWidget;
  // Created first, the traffic boxes come first when moving with Tab.
  QGroupBox* day = makeTrafficFrame(SV_TR("sonvale", "Traffico diurno complessivo"), 0);
  QGroupBox* night = makeTrafficFrame(SV_TR("sonvale", "Traffico notturno complessivo"), 3);
  trackType_ = new QComboBox;
  trackType_->setObjectName("Comboarmam");
  for (const char* t : kTrackTypeItems) trackType_->addItem(Tr(t));
  connect(trackType_, &QComboBox::currentIndexChanged, this,
          [this](int index) { display(editor_.setTrackType(index), trackType_); });
  hsx_ = NumberBox("textHsx", 9);
  hdx_ = NumberBox("TextHdx", 9);
  connect(hsx_, &QLineEdit::textEdited, this,
          [this](const QString& text) { editor_.setHeight(true, text.toStdString()); });
  connect(hdx_, &QLineEdit::textEdited, this,
          [this](const QString& text) { editor_.setHeight(false, text.toStdString()); });

  auto* trackFrame = new QGroupBox;
  auto* track = new QGridLayout(trackFrame);
  track->setVerticalSpacing(4);
  track->addWidget(CaptionLabel(SV_TR("sonvale", " Tipo di Armamento"), trackType_), 0, 0, 1, 2);
  track->addWidget(trackType_, 1, 0, 1, 2);
  track->setRowMinimumHeight(2, 4);
  track->setRowStretch(2, 1);
  track->addWidget(CaptionLabel(SV_TR("sonvale", " hmed edifici lato Sinistro"), hsx_), 3, 0);
  track->addWidget(hsx_, 3, 1);
  track->addWidget(CaptionLabel(SV_TR("sonvale", " hmed edifici lato Destro"), hdx_), 4, 0);
  track->addWidget(hdx_, 4, 1);
  track->setColumnStretch(0, 1);

  // Day traffic beside the track; the rows share the height the form leaves.
  auto* columns = new QGridLayout;
  columns->addWidget(day, 0, 0);
  columns->addWidget(night, 1, 0);
  columns->addWidget(trackFrame, 0, 1);
  columns->setRowStretch(0, 1);
  columns->setRowStretch(1, 1);
  columns->setColumnStretch(0, 1);

  autoImposta_ =
      new QCheckBox(Tr(SV_TR("sonvale", "Imposta automaticamente i dati del binario precedente")));
  autoImposta_->setObjectName("AutoImposta");
  NameAfter(autoImposta_, autoImposta_->text().toStdString());
  connect(autoImposta_, &QCheckBox::toggled, this, [this](bool on) { editor_.autoImposta = on; });

  auto* column = new QVBoxLayout(lower);
  column->setContentsMargins(0, 0, 0, 0);
  column->addLayout(columns, 1);
  auto* bottom = new QHBoxLayout;
  bottom->setContentsMargins(8, 0, 0, 4);
  bottom->addWidget(autoImposta_);
  column->addLayout(bottom);
  return lower;
}

void TrainDat::display(const TrackView& v, const QWidget* editing) {
  if (!editor_.valid()) {
    // The track is gone (another command removed it): nothing left to edit.
    close();
    return;
  }
  showNumber(v.number);
  showUpper(v.title, v.selectionCaption, v.nome, v.fixed, v.leqDay, v.leqNight, editing);
  // A fixed-level track keeps the type list as it was, for "Calcola" to take back.
  if (!v.fixed && editing != trackType_) ShowIndex(trackType_, v.tipoArmamento);
  ShowText(hsx_, v.hmedSx);
  ShowText(hdx_, v.hmedDx);
  for (size_t i = 0; i < 6; ++i) {
    if (editing != counts_[i]) ShowText(counts_[i], v.counts[i]);
    if (editing != lengths_[i]) ShowText(lengths_[i], v.lengths[i]);
    if (editing != classes_[i]) ShowIndex(classes_[i], v.classes[i]);
  }
  lower_->setVisible(!v.fixed);
  setInnerHeightTwips(v.heightTwips);
}

void TrainDat::nameEdited(const std::string& text) { editor_.setName(text); }

void TrainDat::calcolaClicked() { display(editor_.calcola(trackType_->currentIndex())); }

void TrainDat::fissoClicked() { display(editor_.fisso()); }

void TrainDat::levelEdited(bool day, const std::string& text) { editor_.setLevel(day, text); }

void TrainDat::typedNumber(const std::string& text) { display(editor_.typed(text)); }

void TrainDat::stepFromBox(bool forward, const std::string& box) {
  display(forward ? editor_.next(box) : editor_.previous(box));
}

void TrainDat::closeEditor() { editor_.close(); }

void TrainDat::projectChanged() {
  if (!editor_.valid()) {
    close();
    return;
  }
  display(editor_.show());
}

void TrainDat::redrawHighlight() { RestoreHighlight(app_, EntityKind::Track); }

}  // namespace sonvale
