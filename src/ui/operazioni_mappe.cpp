#include "ui/operazioni_mappe.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/dialog_captions.h"
#include "commands/map_dialog.h"
#include "ui/translate.h"

namespace sonvale {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QPushButton* Button(const char* caption, const char* name) {
  auto* b = new QPushButton(Tr(caption));
  b->setObjectName(QLatin1String(name));
  b->setAccessibleName(AccessibleTr(caption));
  b->setAutoDefault(false);
  return b;
}

QLabel* Buddy(const char* caption, QWidget* box) {
  auto* label = new QLabel(Tr(caption));
  label->setBuddy(box);
  box->setAccessibleName(AccessibleTr(caption).remove(QLatin1Char(':')));
  return label;
}

}  // namespace

OperazioniMappe::OperazioniMappe(GridCalcForm& form, Ui& ui, QWidget* parent)
    : QDialog(parent), form_(form), ui_(ui) {
  setObjectName(QStringLiteral("OperazioniMappe"));
  setWindowTitle(Tr(kGridCalcTitle));
  setAccessibleName(AccessibleTr(kGridCalcTitle));
  setModal(true);

  auto* operation = new QComboBox;
  operation->setObjectName(QStringLiteral("Operazione"));
  for (GridOperation op : kGridOperations) operation->addItem(Tr(GridOperationCaption(op)));
  operation->setCurrentIndex(static_cast<int>(form_.operation));
  grids_ = new QListWidget;
  grids_->setObjectName(QStringLiteral("Mappe"));
  for (const std::string& g : form_.grids) grids_->addItem(Q(g));
  auto* add = Button(kGridCalcAddCaption, "Aggiungi");
  auto* remove = Button(kGridCalcRemoveCaption, "Togli");
  auto* limit = new QLineEdit(Q(form_.limit));
  limit->setObjectName(QStringLiteral("Limite"));
  auto* output = new QLineEdit(Q(form_.output));
  output->setObjectName(QStringLiteral("NuovaMappa"));
  auto* browse = Button(kBrowseCaption, "Sfoglia");

  connect(operation, &QComboBox::currentIndexChanged, this, [this, limit](int index) {
    if (index < 0) return;
    form_.operation = kGridOperations[index];
    limit->setEnabled(form_.operation == GridOperation::Excess);
  });
  limit->setEnabled(form_.operation == GridOperation::Excess);
  connect(add, &QPushButton::clicked, this, [this] {
    if (auto path = ui_.openFile(FileDialog{kGridCalcTitle, kGrdFilter, "*.GRD", true, false})) {
      form_.grids.push_back(*path);
      grids_->addItem(Q(*path));
    }
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    const int row = grids_->currentRow();
    if (row < 0) return;
    form_.grids.erase(form_.grids.begin() + row);
    delete grids_->takeItem(row);
  });
  connect(limit, &QLineEdit::textEdited, this,
          [this](const QString& t) { form_.limit = t.toStdString(); });
  connect(output, &QLineEdit::textEdited, this,
          [this](const QString& t) { form_.output = t.toStdString(); });
  connect(browse, &QPushButton::clicked, this, [this, output] {
    if (auto path = ui_.saveFile(FileDialog{kGridCalcTitle, kGrdFilter, "*.GRD", false, true})) {
      form_.output = *path;
      output->setText(Q(*path));
    }
  });

  auto* listButtons = new QVBoxLayout;
  listButtons->addWidget(add);
  listButtons->addWidget(remove);
  listButtons->addStretch(1);
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(grids_, 1);
  listRow->addLayout(listButtons);
  auto* outputRow = new QHBoxLayout;
  outputRow->addWidget(output, 1);
  outputRow->addWidget(browse);

  auto* fields = new QFormLayout;
  fields->addRow(Buddy(kGridCalcOperationCaption, operation), operation);
  fields->addRow(Buddy(kGridCalcGridsCaption, grids_), listRow);
  fields->addRow(Buddy(kGridCalcLimitCaption, limit), limit);
  fields->addRow(Buddy(kGridCalcOutputCaption, output), outputRow);

  auto* buttons = new QDialogButtonBox;
  auto* ok = Button(kGridCalcOkCaption, "OK");
  auto* cancel = Button(kCancelCaption, "Annulla");
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel, QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(buttons);
  resize(560, 360);
}

}  // namespace sonvale
