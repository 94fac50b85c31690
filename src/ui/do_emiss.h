// The "Calcolo Livelli di Emissione" dialog of "&Livelli di Emissione (.DXF)":
// the widgets of an EmissionDialog. It opens the file dialog as soon as it shows.
#pragma once

#include <QDialog>
#include <array>

#include "commands/emission_dialog.h"

namespace sonvale {

class DoEmiss : public QDialog {
  Q_OBJECT

 public:
  // Edits the choices; exec() gives Accepted only through "OK - Esegui".
  DoEmiss(DoEmissChoices& choices, Ui& ui, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget*& widget(EmissControl c) { return widgets_[static_cast<size_t>(c)]; }
  QWidget* make(EmissControl c, QWidget* w);
  void showName();

  EmissionDialog logic_;
  std::array<QWidget*, kEmissControlCount> widgets_{};
};

}  // namespace sonvale
