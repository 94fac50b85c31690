#include "ui/importa_gis.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "commands/dialog_captions.h"
#include "text/file_error.h"
#include "ui/translate.h"

namespace sonvale {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

QLabel* Buddy(const char* caption, QWidget* box) {
  auto* label = new QLabel(Tr(caption));
  label->setBuddy(box);
  box->setAccessibleName(AccessibleTr(caption).remove(QLatin1Char(':')));
  return label;
}

// A caption that is a name of the data (an entity field), not a text to translate.
QLabel* NameBuddy(const QString& name, QWidget* box) {
  auto* label = new QLabel(name + QLatin1Char(':'));
  label->setBuddy(box);
  box->setAccessibleName(name);
  return label;
}

}  // namespace

ImportaGis::ImportaGis(GisImportForm& form, const GisModule& gis, Ui& ui, QWidget* parent)
    : QDialog(parent), form_(form), gis_(gis), ui_(ui) {
  setObjectName(QStringLiteral("ImportaGis"));
  setWindowTitle(Tr(kGisImportTitle));
  setAccessibleName(AccessibleTr(kGisImportTitle));
  setModal(true);

  file_ = new QLineEdit(Q(form_.source));
  file_->setObjectName(QStringLiteral("File"));
  auto* browse = new QPushButton(Tr(kBrowseCaption));
  browse->setObjectName(QStringLiteral("Sfoglia"));
  browse->setAccessibleName(AccessibleTr(kBrowseCaption));
  connect(browse, &QPushButton::clicked, this, &ImportaGis::browse);
  connect(file_, &QLineEdit::returnPressed, this, [this] { openSource(file_->text()); });
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(file_, 1);
  fileRow->addWidget(browse);

  layer_ = new QComboBox;
  layer_->setObjectName(QStringLiteral("Layer"));
  connect(layer_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (syncing_ || index < 0) return;
    try {
      ChooseGisLayer(form_, gis_, index);
    } catch (const std::exception& e) {
      ui_.message(Message{kGisImportTitle, e.what(), Buttons::Ok, Icon::Critical, Answer::Ok});
    }
    sync();
  });
  kind_ = new QComboBox;
  kind_->setObjectName(QStringLiteral("Tipo"));
  for (GisKind k : kGisKinds) kind_->addItem(Tr(GisKindCaption(k)));
  connect(kind_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (syncing_ || index < 0) return;
    ChooseGisKind(form_, kGisKinds[index]);
    sync();
  });

  height_ = new QLineEdit(Q(form_.height));
  height_->setObjectName(QStringLiteral("Altezza"));
  connect(height_, &QLineEdit::textEdited, this,
          [this](const QString& t) { form_.height = t.toStdString(); });
  crs_ = new QLineEdit(Q(form_.crs));
  crs_->setObjectName(QStringLiteral("Crs"));
  connect(crs_, &QLineEdit::textEdited, this,
          [this](const QString& t) { form_.crs = t.toStdString(); });
  mode_ = new QComboBox;
  mode_->setObjectName(QStringLiteral("Modo"));
  for (GisMergeMode m : {GisMergeMode::Overwrite, GisMergeMode::Append, GisMergeMode::Insert,
                         GisMergeMode::Replace}) {
    mode_->addItem(Tr(GisModeCaption(m)));
  }
  connect(mode_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (syncing_ || index < 0) return;
    form_.mode = static_cast<GisMergeMode>(index);
    sync();
  });
  row_ = new QLineEdit(Q(form_.row));
  row_->setObjectName(QStringLiteral("Riga"));
  connect(row_, &QLineEdit::textEdited, this,
          [this](const QString& t) { form_.row = t.toStdString(); });

  auto* top = new QFormLayout;
  top->addRow(Buddy(kGisFileCaption, file_), fileRow);
  top->addRow(Buddy(kGisLayerCaption, layer_), layer_);
  top->addRow(Buddy(kGisKindCaption, kind_), kind_);

  auto* fields = new QGroupBox(Tr(kGisFieldsCaption));
  fields->setObjectName(QStringLiteral("Campi"));
  fields->setAccessibleName(AccessibleTr(kGisFieldsCaption));
  auto* inner = new QWidget;
  mapping_ = new QFormLayout(inner);
  auto* scroll = new QScrollArea;
  scroll->setWidget(inner);
  scroll->setWidgetResizable(true);
  scroll->setMinimumHeight(180);
  auto* fieldsLayout = new QVBoxLayout(fields);
  fieldsLayout->addWidget(scroll);

  auto* bottom = new QFormLayout;
  bottom->addRow(Buddy(kGisHeightCaption, height_), height_);
  bottom->addRow(Buddy(kGisCrsCaption, crs_), crs_);
  bottom->addRow(Buddy(kGisModeCaption, mode_), mode_);
  bottom->addRow(Buddy(kGisRowCaption, row_), row_);

  auto* buttons = new QDialogButtonBox;
  auto* ok = buttons->addButton(Tr(kGisImportOkCaption), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("OK"));
  ok->setAccessibleName(AccessibleTr(kGisImportOkCaption));
  auto* cancel = buttons->addButton(Tr(kCancelCaption), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("Annulla"));
  cancel->setAccessibleName(AccessibleTr(kCancelCaption));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(fields, 1);
  layout->addLayout(bottom);
  layout->addWidget(buttons);
  resize(560, 620);
  sync();
}

void ImportaGis::browse() {
  std::optional<std::string> path =
      ui_.openFile(FileDialog{kGisImportTitle, kGisSourceFilter, "*.gpkg", true, false});
  if (path) openSource(Q(*path));
}

void ImportaGis::openSource(const QString& path) {
  try {
    ChooseGisSource(form_, gis_, path.toStdString());
  } catch (const std::exception& e) {
    ui_.message(Message{kGisImportTitle, e.what(), Buttons::Ok, Icon::Critical, Answer::Ok});
  }
  sync();
}

void ImportaGis::sync() {
  syncing_ = true;
  file_->setText(Q(form_.source));
  layer_->clear();
  for (const std::string& l : form_.layers) layer_->addItem(Q(l));
  layer_->setCurrentIndex(form_.layer);
  for (size_t k = 0; k < std::size(kGisKinds); ++k) {
    if (kGisKinds[k] == form_.kind) kind_->setCurrentIndex(static_cast<int>(k));
  }
  mode_->setCurrentIndex(static_cast<int>(form_.mode));
  height_->setEnabled(form_.heightUsed());
  row_->setEnabled(form_.rowUsed());
  rebuildMapping();
  syncing_ = false;
}

void ImportaGis::rebuildMapping() {
  while (mapping_->rowCount() > 0) mapping_->removeRow(0);
  for (const auto& [field, source] : form_.mapping) {
    auto* box = new QComboBox;
    box->setObjectName(Q("Campo_" + field));
    box->addItem(Tr(kNoSourceField));
    for (const std::string& s : form_.sourceFields) box->addItem(Q(s));
    box->setCurrentIndex(source.empty() ? 0 : box->findText(Q(source)));
    const std::string entityField = field;
    // The first entry, in the language shown, maps no field.
    connect(box, &QComboBox::currentIndexChanged, this, [this, entityField, box](int index) {
      MapGisField(form_, entityField, index <= 0 ? "" : box->itemText(index).toStdString());
    });
    mapping_->addRow(NameBuddy(Q(field), box), box);
  }
}

}  // namespace sonvale
