#include "ui/exposure_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "commands/dialog_captions.h"
#include "commands/exposure_gpkg.h"
#include "commands/exposure_population_source.h"
#include "commands/gis_import_dialog.h"
#include "commands/gis_menu_commands.h"
#include "render/exposure_pictures.h"
#include "ui/status_progress.h"
#include "ui/translate.h"

namespace sonvale {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

}  // namespace

ExposureWindow::ExposureWindow(AppState& app, Ui& ui, QWidget* parent, StatusProgress* status)
    : QDialog(parent), app_(app), ui_(ui), status_(status) {
  setObjectName(QStringLiteral("ExposureWindow"));
  setWindowTitle(Tr(kExposureDialogTitle));
  setAccessibleName(AccessibleTr(kExposureDialogTitle));
  setModal(true);
  const ExposureTexts first = OpeningExposureTexts(app);
  auto* form = new QFormLayout;
  for (int k = 0; k < kExposureFieldCount; ++k) {
    const auto field = static_cast<ExposureField>(k);
    const size_t i = static_cast<size_t>(k);
    const QString label = Tr(ExposureFieldLabel(field));
    QWidget* input = nullptr;
    QLayout* row = nullptr;
    if (field == ExposureField::Method) {
      QComboBox* box = lists_[i] = new QComboBox;
      for (const std::string& item : ExposureMethodItems()) box->addItem(Q(item), Q(item));
      box->setCurrentIndex(box->findData(Q(first[i])));
      input = box;
    } else if (IsPopulationList(field)) {
      QComboBox* box = lists_[i] = new QComboBox;
      box->setEnabled(false);
      if (field == ExposureField::PopulationLayer) {
        connect(box, &QComboBox::activated, this,
                [this, box] { showPopulationLists(box->currentData().toString().toStdString()); });
      }
      input = box;
    } else if (IsExposureCheck(field)) {
      checks_[i] = new QCheckBox;
      checks_[i]->setChecked(first[i] == "1");
      input = checks_[i];
    } else {
      QLineEdit* edit = edits_[i] = new QLineEdit(Q(first[i]));
      edit->setMinimumWidth(260);
      input = edit;
      if (const std::optional<FileDialog> dialog = ExposureFileDialog(field)) {
        auto* browse = new QPushButton(Tr(kBrowseCaption));
        browse->setAccessibleName(AccessibleTr(kBrowseCaption) + QStringLiteral(" ") +
                                  AccessibleTr(ExposureFieldLabel(field)));
        browse->setAutoDefault(false);
        connect(browse, &QPushButton::clicked, this, [this, edit, field, d = *dialog] {
          if (auto path = ui_.openFile(d)) {
            edit->setText(Q(ExposureChosenText(field, *path)));
            if (field == ExposureField::Population) showPopulationLists("");
          }
        });
        auto* line = new QHBoxLayout;
        line->addWidget(edit, 1);
        line->addWidget(browse);
        row = line;
      }
    }
    input->setAccessibleName(AccessibleTr(ExposureFieldLabel(field)));
    auto* caption = new QLabel(label);
    caption->setBuddy(input);
    if (row)
      form->addRow(caption, row);
    else
      form->addRow(caption, input);
  }
  QLineEdit* population = edits_[static_cast<size_t>(ExposureField::Population)];
  connect(population, &QLineEdit::editingFinished, this, [this, population] {
    if (population->text() != listedSource_) showPopulationLists("");
  });
  // The lists of the last run's GIS source, with its choices.
  if (IsGisPopulationSource(first[static_cast<size_t>(ExposureField::Population)])) {
    showPopulationLists(first[static_cast<size_t>(ExposureField::PopulationLayer)]);
    for (int k = 0; k < kExposureFieldCount; ++k) {
      const size_t i = static_cast<size_t>(k);
      if (!IsPopulationList(static_cast<ExposureField>(k))) continue;
      const int item = lists_[i]->findData(Q(first[i]));
      if (item >= 0) lists_[i]->setCurrentIndex(item);
    }
  }
  progress_ = new QProgressBar;
  progress_->setAccessibleName(AccessibleTr(SV_TR("sonvale", "Avanzamento")));
  progress_->setRange(0, 1);
  progress_->setValue(0);
  runButton_ = new QPushButton(Tr(kExposureRun));
  runButton_->setAccessibleName(AccessibleTr(kExposureRun));
  runButton_->setDefault(true);
  cancelButton_ = new QPushButton(Tr(kExposureCancel));
  cancelButton_->setAccessibleName(AccessibleTr(kExposureCancel));
  connect(runButton_, &QPushButton::clicked, this, [this] { run(); });
  connect(cancelButton_, &QPushButton::clicked, this, [this] {
    if (running_)
      stop_ = true;
    else
      reject();
  });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(runButton_);
  buttons->addWidget(cancelButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(progress_);
  layout->addLayout(buttons);
}

ExposureTexts ExposureWindow::texts() const {
  ExposureTexts t;
  for (int k = 0; k < kExposureFieldCount; ++k) {
    const size_t i = static_cast<size_t>(k);
    if (edits_[i])
      t[i] = edits_[i]->text().toStdString();
    else if (checks_[i])
      t[i] = checks_[i]->isChecked() ? '1' : '0';
    else
      t[i] = lists_[i]->currentData().toString().toStdString();
  }
  return t;
}

void ExposureWindow::showPopulationLists(const std::string& layer) {
  QLineEdit* population = edits_[static_cast<size_t>(ExposureField::Population)];
  listedSource_ = population->text();
  const std::string source = listedSource_.trimmed().toStdString();
  PopulationLists lists;
  if (IsGisPopulationSource(source)) {
    if (const GisModule* gis = GisOrMessage(ui_)) {
      try {
        lists = ReadPopulationLists(*gis, source, layer);
      } catch (const std::exception& e) {
        ui_.message({kExposureDialogTitle, e.what(), Buttons::Ok, Icon::Warning, Answer::Ok});
      }
    }
  }
  for (int k = 0; k < kExposureFieldCount; ++k) {
    const auto field = static_cast<ExposureField>(k);
    if (!IsPopulationList(field)) continue;
    QComboBox* box = lists_[static_cast<size_t>(k)];
    box->clear();
    for (const std::string& item : PopulationListItems(field, lists))
      box->addItem(item.empty() ? Tr(kNoSourceField) : Q(item), Q(item));
    box->setCurrentIndex(box->findData(Q(ProposedPopulationItem(field, lists))));
    box->setEnabled(box->count() > 0);
  }
}

void ExposureWindow::run() {
  auto read = ReadExposureTexts(texts());
  if (auto* message = std::get_if<std::string>(&read)) {
    ui_.message(
        {Q(kExposureDialogTitle).toStdString(), *message, Buttons::Ok, Icon::Warning, Answer::Ok});
    return;
  }
  KeepExposureTexts(app_, texts());
  const ExposureDialogResult& r = std::get<ExposureDialogResult>(read);
  std::optional<std::string> crs;
  if (r.gisLayers && !(crs = ExposureLayersCrs(app_, ui_))) return;
  running_ = true;
  runButton_->setEnabled(false);
  ExposureCommandHooks hooks;
  hooks.progress = [this](long done, long total) {
    progress_->setRange(0, static_cast<int>(total));
    progress_->setValue(static_cast<int>(done));
    if (!status_) return;
    if (status_->isHidden()) status_->start(total, ui_.now());
    status_->step(done, ui_.now());
  };
  hooks.extra = [this, &crs](const std::string& dir, const FacadeLayout& layout,
                             const ExposureAssessment& a) {
    const ViewWindow view = app_.project.View;  // the pictures show the whole model
    WriteExposurePictures(app_.project, dir, layout, a);
    app_.project.View = view;
    if (crs) WriteExposureGpkg(dir, app_.project, layout, a, *crs);
  };
  std::optional<std::string> report = ExposureCommand(app_, ui_, r.choices, r.outDir, stop_, hooks);
  running_ = false;
  if (status_) status_->finish();
  runButton_->setEnabled(true);
  if (report) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(Q(*report)));
    accept();
  }
}

}  // namespace sonvale
