#include "commands/emission_dialog.h"

#include <gtest/gtest.h>

#include "support/scripted_ui.h"

namespace sonvale {
namespace {

using C = EmissControl;

TEST(EmissionDialog, OpensTheFileDialogOnceAndRefusesAnEmptyName) {
  DoEmissChoices c;
  ScriptedUi ui;
  EmissionDialog d(c, ui);
  EXPECT_TRUE(d.cancelled());
  EXPECT_TRUE(d.isChecked(C::At75));
  EXPECT_TRUE(d.isChecked(C::Diurno));

  ui.files = {std::nullopt};
  d.activated();  // the file dialog at once; cancelling it changes nothing
  d.activated();  // and only the first time
  ASSERT_EQ(ui.dialogs.size(), 1u);
  EXPECT_EQ(ui.dialogs[0].title, "Scegli il file di output (.DXF)");
  EXPECT_EQ(ui.dialogs[0].initialName, "*.DXF");
  EXPECT_EQ(c.EmisDxfName, "");
  EXPECT_FALSE(d.confirm());
  EXPECT_EQ(ui.beeps, 1);
  EXPECT_TRUE(d.cancelled());

  ui.files = {"/out/livelli.dxf"};
  EXPECT_TRUE(d.browse());
  EXPECT_EQ(c.EmisDxfName, "/out/livelli.dxf");
  d.nameEdited("/out/notte.dxf");
  d.setChecked(C::Facade);
  d.setChecked(C::Notturno);
  EXPECT_FALSE(c.EmisAt75);
  EXPECT_FALSE(c.Diurno);
  EXPECT_TRUE(d.isChecked(C::Facade) && d.isChecked(C::Notturno));
  EXPECT_TRUE(d.confirm());
  EXPECT_FALSE(d.cancelled());
  EXPECT_EQ(c.EmisDxfName, "/out/notte.dxf");
  EXPECT_EQ(ui.beeps, 1);

  EXPECT_EQ(EmissCaption(C::Facade), "semilarghezza strada (Liv. in Facciata)");
  EXPECT_EQ(EmissCaption(C::DistFrame), "Distanza dalla sorgente");
}

}  // namespace
}  // namespace sonvale
