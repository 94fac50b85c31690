#include "ui/beamrunlauncher.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "tracer/launcher.h"
#include "ui/translate.h"

namespace sonvale {

Beamrunlauncher::Beamrunlauncher(long& launchMode, QWidget* parent)
    : QDialog(parent), logic_(launchMode) {
  setObjectName(QStringLiteral("Beamrunlauncher"));
  setWindowTitle(Tr(kLauncherTitle));
  setAccessibleName(windowTitle());
  setModal(true);

  auto* column = new QVBoxLayout(this);
  auto* group = new QButtonGroup(this);
  for (int mode = 0; mode < kLaunchModeCount; ++mode) {
    auto* option = new QRadioButton(Tr(kLaunchModeCaptions[mode]));
    const std::string_view name = LaunchOptionName(mode);
    option->setObjectName(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
    option->setAccessibleName(option->text());
    option->setChecked(logic_.selected() == mode);
    group->addButton(option, mode);
    column->addWidget(option);
  }
  connect(group, &QButtonGroup::idClicked, this, [this](int mode) { logic_.choose(mode); });

  auto* ok = new QPushButton(Tr(kLauncherOkCaption));
  ok->setObjectName(QString::fromUtf8(kLauncherOkName));
  ok->setAccessibleName(ok->text());
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  column->addSpacing(8);
  column->addLayout(buttons);
  column->setSizeConstraint(QLayout::SetFixedSize);
}

void Beamrunlauncher::reject() { accept(); }

}  // namespace sonvale
