#include "ui/edit_source.h"

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

EditSource::EditSource(AppState& app, Ui& ui, QWidget* parent)
    : EditorWindow(parent), app_(app), ui_(ui), editor_(app) {
  setObjectName("EditSource");
  setWindowTitle(kSourceEditorTitle);

  auto* selection = new QGroupBox;
  selection->setObjectName("Frame3D1");
  auto* selectionRow = makeSelectionRow(SV_TR("sonvale", "Sorgente n."));
  selectionRow->setContentsMargins(8, 6, 8, 6);
  selectionRow->addStretch(1);
  selection->setLayout(selectionRow);
  // Any change of the number box goes to the number typed; an empty box waits
  // for the digits.
  connect(number_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (!text.trimmed().isEmpty()) typedNumber(text.toStdString());
  });
  auto* top = new QHBoxLayout;
  top->addWidget(selection, 1);
  top->addWidget(makeFineButton(), 0, Qt::AlignVCenter);

  // The description file and the source manager that edits it.
  name_ = new QLineEdit;
  name_->setObjectName("EntName");
  name_->setMinimumWidth(name_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 44);
  connect(name_, &QLineEdit::textEdited, this,
          [this](const QString& text) { editor_.setName(text.toStdString()); });
  auto* browse = new QPushButton("...");
  browse->setObjectName("Command1");
  browse->setAutoDefault(false);
  browse->setToolTip(kSourceFileTitle);
  NameAfter(browse, kSourceFileTitle);
  browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 24);
  connect(browse, &QPushButton::clicked, this, [this] { display(editor_.chooseFile(ui_)); });
  auto* manager = new QPushButton(Tr(SV_TR("sonvale", "Source Manager")));
  manager->setObjectName("Command3D4");
  manager->setAutoDefault(false);
  NameAfter(manager, SV_TR("sonvale", "Source Manager"));
  connect(manager, &QPushButton::clicked, this,
          [this] { editor_.sourceManager(ui_, name_->text().toStdString()); });

  x_ = makeFieldBox("Xsou", SourceField::X);
  y_ = makeFieldBox("Ysou", SourceField::Y);
  z_ = makeFieldBox("Zsou", SourceField::Z);
  lw_ = makeFieldBox("Lwsou", SourceField::Lw);
  lwNight_ = makeFieldBox("Lwsou_N", SourceField::Lwnight);

  auto* fields = new QGroupBox;
  auto* grid = new QGridLayout(fields);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);
  grid->addWidget(CaptionLabel(SV_TR("sonvale", "Nome:"), name_), 0, 0);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(name_, 1);
  fileRow->addWidget(browse);
  grid->addLayout(fileRow, 0, 1, 1, 7);
  grid->setRowMinimumHeight(1, 4);
  // Three label-box-unit columns: X, Y and Z above, the two powers below.
  const struct {
    const char* caption;
    QLineEdit* box;
    int row, column;
  } boxes[] = {{"X", x_, 2, 0},
               {"Y", y_, 2, 3},
               {"Z", z_, 2, 6},
               {SV_TR("sonvale", "Lwa (giorno)"), lw_, 3, 0},
               {SV_TR("sonvale", "Lwa (notte)"), lwNight_, 3, 3}};
  for (const auto& b : boxes) {
    grid->addWidget(CaptionLabel(b.caption, b.box), b.row, b.column, Qt::AlignRight);
    grid->addWidget(b.box, b.row, b.column + 1);
  }
  grid->addWidget(new QLabel("dB(A)"), 3, 2);
  grid->addWidget(new QLabel("dB(A)"), 3, 5);
  grid->setColumnMinimumWidth(2, grid->itemAtPosition(3, 2)->widget()->sizeHint().width());
  grid->setColumnMinimumWidth(5, grid->itemAtPosition(3, 5)->widget()->sizeHint().width());

  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(manager);

  auto* main = new QVBoxLayout(this);
  main->setContentsMargins(8, 8, 8, 8);
  main->setSpacing(8);
  main->addLayout(top);
  main->addWidget(fields);
  main->addLayout(bottom);
  main->setSizeConstraint(QLayout::SetFixedSize);

  display(editor_.open());
}

QLineEdit* EditSource::makeFieldBox(const char* objectName, SourceField field) {
  QLineEdit* box = NumberBox(objectName, 11);
  connect(box, &QLineEdit::textEdited, this,
          [this, field](const QString& text) { editor_.setField(field, text.toStdString()); });
  return box;
}

void EditSource::display(const SourceView& v) {
  if (!editor_.valid()) {
    // The source is gone (the number of sources was lowered): nothing to edit.
    close();
    return;
  }
  showNumber(v.number);
  ShowText(name_, v.nome);
  ShowText(x_, v.x);
  ShowText(y_, v.y);
  ShowText(z_, v.z);
  ShowText(lw_, v.lw);
  ShowText(lwNight_, v.lwNight);
}

void EditSource::typedNumber(const std::string& text) { display(editor_.typed(text)); }

void EditSource::stepFromBox(bool forward, const std::string& box) {
  display(forward ? editor_.next(box) : editor_.previous(box));
}

void EditSource::closeEditor() { editor_.close(); }

void EditSource::projectChanged() {
  if (!editor_.valid()) {
    close();
    return;
  }
  display(editor_.show());
}

void EditSource::redrawHighlight() { RestoreHighlight(app_, EntityKind::Source); }

}  // namespace sonvale
