#include "ui/edit_data.h"

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

const char* const kVehicleTags[] = {"V1", "V2", "V3", "V4", "V5"};

QString Item(const char* name, int item) {
  return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(item);
}

}  // namespace

EditData::EditData(AppState& app, Ui& /*ui*/, QWidget* parent)
    : LineEditorWindow(parent), app_(app), editor_(app) {
  setObjectName("EditData");
  setWindowTitle(kRoadEditorTitle);

  auto* main = new QVBoxLayout(this);
  main->setContentsMargins(8, 4, 8, 8);
  main->setSpacing(6);
  main->addWidget(makeUpperPart(kRoadSelectionCaption, SV_TR("sonvale", "Leq,7.5m (G/N)")));
  lower_ = makeLowerPart();
  main->addWidget(lower_, 1);

  // The width of the whole form; the height follows the kind of road.
  setFixedWidth(sizeHint().width());
  display(editor_.open());
}

QGroupBox* EditData::makeTrafficFrame(const char* caption, int firstItem) {
  auto* frame = new QGroupBox(Tr(caption));
  auto* grid = new QGridLayout(frame);
  grid->setVerticalSpacing(4);
  const bool day = firstItem == 0;
  for (int row = 0; row < 5; ++row) {
    const int item = firstItem + row;
    QLineEdit* count = NumberBox(Item("Text2", item), 6);
    auto* list = new QComboBox;
    list->setObjectName(Item("Combo5", item));
    for (const char* c : kRoadClassItems) list->addItem(c);
    list->setAccessibleName(Tr(SV_TR("sonvale", "Classe %1 %2"))
                                .arg(kVehicleTags[row], Tr(day ? SV_TR("sonvale", "giorno")
                                                               : SV_TR("sonvale", "notte"))));
    counts_[static_cast<size_t>(item)] = count;
    classes_[static_cast<size_t>(item)] = list;
    connect(count, &QLineEdit::textEdited, this, [this, item, count](const QString& text) {
      display(editor_.setCount(item, text.toStdString()), count);
    });
    connect(list, &QComboBox::currentIndexChanged, this,
            [this, item, list](int index) { display(editor_.setClass(item, index), list); });
    grid->addWidget(CaptionLabel(kVehicleLabels[row], count), row, 0);
    grid->addWidget(count, row, 1);
    grid->addWidget(list, row, 2);
  }
  grid->setColumnStretch(0, 1);
  return frame;
}

// The road: pavement, slope and the buildings along it.
QGroupBox* EditData::makeRoadFrame() {
  pavement_ = new QComboBox;
  pavement_->setObjectName("Combopavim");
  for (const char* p : kPavementItems) pavement_->addItem(Tr(p));
  slope_ = new QComboBox;
  slope_->setObjectName("Combopend");
  for (const char* s : kSlopeItems) slope_->addItem(Tr(s));
  connect(pavement_, &QComboBox::currentIndexChanged, this,
          [this](int index) { display(editor_.setPavement(index), pavement_); });
  connect(slope_, &QComboBox::currentIndexChanged, this,
          [this](int index) { display(editor_.setSlope(index), slope_); });
  hsx_ = NumberBox("textHsx", 7);
  hdx_ = NumberBox("TextHdx", 7);
  connect(hsx_, &QLineEdit::textEdited, this,
          [this](const QString& text) { editor_.setHeight(true, text.toStdString()); });
  connect(hdx_, &QLineEdit::textEdited, this,
          [this](const QString& text) { editor_.setHeight(false, text.toStdString()); });

  auto* roadFrame = new QGroupBox;
  auto* road = new QGridLayout(roadFrame);
  road->setVerticalSpacing(4);
  // Each list under its caption; the height left goes between the groups.
  road->addWidget(CaptionLabel(SV_TR("sonvale", " Tipo di Pavimentazione"), pavement_), 0, 0, 1, 2);
  road->addWidget(pavement_, 1, 0, 1, 2);
  road->addWidget(CaptionLabel(SV_TR("sonvale", " Pendenza (%, + | - )"), slope_), 3, 0, 1, 2);
  road->addWidget(slope_, 4, 0, 1, 2);
  road->addWidget(CaptionLabel(SV_TR("sonvale", " hmed edifici lato Sinistro"), hsx_), 6, 0);
  road->addWidget(hsx_, 6, 1);
  road->addWidget(CaptionLabel(SV_TR("sonvale", " hmed edifici lato Destro"), hdx_), 7, 0);
  road->addWidget(hdx_, 7, 1);
  for (int gap : {2, 5}) {
    road->setRowMinimumHeight(gap, 4);
    road->setRowStretch(gap, 1);
  }
  road->setColumnStretch(0, 1);
  return roadFrame;
}

// Category presets and flow-class shortcuts.
QGroupBox* EditData::makePresetFrame() {
  auto* presetFrame = new QGroupBox;
  auto* presets = new QGridLayout(presetFrame);
  presets->setVerticalSpacing(4);
  for (int k = 0; k < 6; ++k) {
    auto* b = new QPushButton(kCategoryCaptions[k]);
    b->setObjectName(Item("Command1", k));
    b->setAutoDefault(false);
    NameAfter(b, kCategoryCaptions[k]);
    connect(b, &QPushButton::clicked, this, [this, k] { display(editor_.preset(k + 1)); });
    presets->addWidget(b, k / 2, k % 2);
  }
  auto* c5c6 = new QPushButton("C5+C6");
  auto* c6 = new QPushButton("C6");
  c5c6->setObjectName("C5C6");
  c6->setObjectName("C6");
  for (QPushButton* b : {c5c6, c6}) {
    b->setAutoDefault(false);
    NameAfter(b, b->text().toStdString());
  }
  connect(c5c6, &QPushButton::clicked, this, [this] { display(editor_.c5c6()); });
  connect(c6, &QPushButton::clicked, this, [this] { display(editor_.c6()); });
  presets->setRowMinimumHeight(3, 4);
  presets->addWidget(c5c6, 4, 0);
  presets->addWidget(c6, 4, 1);
  return presetFrame;
}

QWidget* EditData::makeLowerPart() {
  auto* lower = new QWidget;
  // Created first, the traffic boxes come first when moving with Tab.
  QGroupBox* day = makeTrafficFrame(SV_TR("sonvale", "Traffico diurno complessivo"), 0);
  QGroupBox* night = makeTrafficFrame(SV_TR("sonvale", "Traffico notturno complessivo"), 5);

  QGroupBox* roadFrame = makeRoadFrame();
  QGroupBox* presetFrame = makePresetFrame();

  // Zoom on the road; the up arrow widens the view, the down arrow narrows it.
  auto* zoom = new QPushButton(Tr(SV_TR("sonvale", "Zoom")));
  zoom->setObjectName("zoom");
  zoom->setAutoDefault(false);
  NameAfter(zoom, SV_TR("sonvale", "Zoom"));
  auto* zoomArrows = new UpDownArrows("UpDown1", Tr(SV_TR("sonvale", "Zoom indietro")),
                                      Tr(SV_TR("sonvale", "Zoom avanti")));
  NameAfter(zoomArrows, SV_TR("sonvale", "Zoom"));
  connect(zoom, &QPushButton::clicked, this, [this] { editor_.zoom(); });
  connect(zoomArrows, &UpDownArrows::up, this, [this] { editor_.zoomOut(); });
  connect(zoomArrows, &UpDownArrows::down, this, [this] { editor_.zoomIn(); });

  // Day traffic beside the road, night traffic beside the presets; the rows
  // share the height the form leaves.
  auto* columns = new QGridLayout;
  columns->addWidget(day, 0, 0);
  columns->addWidget(night, 1, 0);
  columns->addWidget(roadFrame, 0, 1);
  columns->addWidget(presetFrame, 1, 1);
  columns->setRowStretch(0, 1);
  columns->setRowStretch(1, 1);
  columns->setColumnStretch(0, 1);

  autoImposta_ =
      new QCheckBox(Tr(SV_TR("sonvale", "Imposta autom. i dati della strada precedente")));
  autoImposta_->setObjectName("AutoImposta");
  NameAfter(autoImposta_, autoImposta_->text().toStdString());
  connect(autoImposta_, &QCheckBox::toggled, this, [this](bool on) { editor_.autoImposta = on; });

  auto* bottom = new QHBoxLayout;
  bottom->setContentsMargins(8, 0, 0, 4);
  bottom->addWidget(autoImposta_);
  bottom->addStretch(1);
  bottom->addWidget(zoom);
  bottom->addSpacing(1);
  bottom->addWidget(zoomArrows);

  auto* column = new QVBoxLayout(lower);
  column->setContentsMargins(0, 0, 0, 0);
  column->addLayout(columns, 1);
  column->addLayout(bottom);
  return lower;
}

void EditData::display(const RoadView& v, const QWidget* editing) {
  if (!editor_.valid()) {
    // The road is gone (another command removed it): nothing left to edit.
    close();
    return;
  }
  showNumber(v.number);
  showUpper(v.title, v.selectionCaption, v.nome, v.fixed, v.leqDay, v.leqNight, editing);
  // A fixed-level road keeps the pavement list as it was, for "Calcola" to take back.
  if (!v.fixed && editing != pavement_) ShowIndex(pavement_, v.pavimentaz);
  if (editing != slope_) ShowIndex(slope_, v.pendenza);
  ShowText(hsx_, v.hmedSx);
  ShowText(hdx_, v.hmedDx);
  for (size_t i = 0; i < 10; ++i) {
    if (editing != counts_[i]) ShowText(counts_[i], v.counts[i]);
    if (editing != classes_[i]) ShowIndex(classes_[i], v.classes[i]);
  }
  lower_->setVisible(!v.fixed);
  setInnerHeightTwips(v.heightTwips);
}

void EditData::nameEdited(const std::string& text) { editor_.setName(text); }

void EditData::calcolaClicked() { display(editor_.calcola(pavement_->currentIndex())); }

void EditData::fissoClicked() { display(editor_.fisso()); }

void EditData::levelEdited(bool day, const std::string& text) { editor_.setLevel(day, text); }

void EditData::typedNumber(const std::string& text) { display(editor_.typed(text)); }

void EditData::stepFromBox(bool forward, const std::string& box) {
  display(forward ? editor_.next(box) : editor_.previous(box));
}

void EditData::closeEditor() { editor_.close(); }

void EditData::projectChanged() {
  if (!editor_.valid()) {
    close();
    return;
  }
  display(editor_.show());
}

void EditData::redrawHighlight() { RestoreHighlight(app_, EntityKind::Road); }

}  // namespace sonvale
