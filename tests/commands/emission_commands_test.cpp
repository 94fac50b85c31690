#include "commands/emission_commands.h"

#include <gtest/gtest.h>

#include "support/scripted_ui.h"

namespace sonvale {
namespace {

TEST(ConfirmMissingEmissions, AsksOnlyWhenSomeLineSourceIsSilent) {
  AppState app;
  ScriptedUi ui;
  EXPECT_TRUE(ConfirmMissingEmissions(app, ui));  // no roads, no tracks
  EXPECT_TRUE(ui.messages.empty());

  app.project.strade.add();  // all counts 0: 0 dB after the update
  app.project.strade[1].LeqDay = 70;
  ui.answers = {Answer::No, Answer::Yes};
  EXPECT_FALSE(ConfirmMissingEmissions(app, ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  const Message& m = ui.messages[0];
  EXPECT_EQ(m.title, "Attenzione!");
  EXPECT_EQ(m.text,
            "Alcune entità Strade o Binari non sono state dotate di dati di emissione acustica - "
            "Proseguo comunque ?");
  EXPECT_EQ(m.buttons, Buttons::YesNo);
  EXPECT_EQ(m.icon, Icon::Warning);
  EXPECT_EQ(m.defaultButton, Answer::No);
  EXPECT_EQ(app.project.strade[1].LeqDay, 0.0);  // recomputed before asking
  EXPECT_FALSE(app.project.EmissioniOK);

  EXPECT_TRUE(ConfirmMissingEmissions(app, ui));
  EXPECT_EQ(ui.messages.size(), 2u);

  // An excluded road has its 1.0 and raises no question.
  app.project.AzzeraStandard = true;
  EXPECT_TRUE(ConfirmMissingEmissions(app, ui));
  EXPECT_EQ(ui.messages.size(), 2u);
}

}  // namespace
}  // namespace sonvale
