#include "commands/ray_options_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scripted_ui.h"
#include "support/table_files.h"
#include "tracer/ray_file.h"

namespace sonvale {
namespace {

using C = RayControl;

TEST(RayOptionsDialog, OpensOnTheProposalAndFillsTheAreaFromAPlanOrASection) {
  AppState app;
  app.project.ProjectFileName = "/lavori/borgo.svp";
  app.RecMode = 7;  // not an option: the automatic grid
  app.project.NdivX = 20;
  app.project.NdivY = 15;
  app.project.ExtendExtent(1200.1, 3400);
  app.project.ExtendExtent(2400, 4300.5);
  app.project.plans.addEntity().vertices = {{510, 530, 0}, {560, 505, 0}, {525, 590.25, 0}};
  app.project.sezioni.addEntity() = Sezione{10, 20, 1.5, 30, 40, 12};
  ScriptedUi ui;

  RayChoices c = ProposeRayOptions(app);
  RayOptionsDialog d(app.project, ui, c);
  EXPECT_TRUE(c.cancelled);
  EXPECT_EQ(c.RayFile, "/lavori/borgo.RAY");
  EXPECT_TRUE(d.isChecked(C::MappaRec));
  EXPECT_TRUE(d.isChecked(C::Diurno));
  EXPECT_FALSE(d.isChecked(C::Notturno));
  EXPECT_EQ(d.areaItems(), (std::vector<std::string>{"Plan. n. 1", "Sez. n. 1"}));
  using Texts = std::array<std::string, 8>;
  EXPECT_EQ(d.boxTexts(), (Texts{"1200.1", "3400.", "4.", "2400.", "4300.5", "4.", "20", "15"}));

  d.chooseArea(0);  // the box around the plan; the heights stay
  EXPECT_EQ(d.boxTexts(), (Texts{"510.", "505.", "4.", "560.", "590.25", "4.", "20", "15"}));
  d.chooseArea(1);  // the section's ends with their heights
  EXPECT_EQ(d.boxTexts(), (Texts{"10.", "20.", "1.5", "30.", "40.", "12.", "20", "15"}));
  d.chooseArea(2);  // no such item
  EXPECT_EQ(c.Section.X2, 30);

  d.edited(C::X1, "-12.5");
  d.edited(C::Z2, "tetto");
  d.edited(C::Horiz, "dieci");
  d.edited(C::Vert, "40000");  // beyond the divisions a grid takes
  EXPECT_EQ(c.Section.X1, -12.5);
  EXPECT_EQ(c.Section.Z2, 0);
  EXPECT_EQ(c.NdivX, 0);
  EXPECT_EQ(c.NdivY, 0);
  d.edited(C::Vert, "8");
  EXPECT_EQ(c.NdivY, 8);

  d.setChecked(C::Punti);
  d.setChecked(C::Notturno);
  EXPECT_EQ(c.RecMode, kRayPunti);
  EXPECT_FALSE(c.Diurno);
  EXPECT_TRUE(d.isChecked(C::Punti));
  EXPECT_FALSE(d.isChecked(C::MappaRec));
}

TEST(RayOptionsDialog, TheNameIsCompletedAndAnEmptyNameBeeps) {
  Project p;
  ScriptedUi ui;
  RayChoices c;
  RayOptionsDialog d(p, ui, c);
  EXPECT_EQ(d.nameLeft("model"), "model.RAY");
  EXPECT_EQ(d.nameLeft("model.ray"), "model.ray");
  EXPECT_EQ(d.nameLeft(".ray"), ".ray.RAY");  // no point after the first character
  // A point in a folder's name is not the file's extension.
  EXPECT_EQ(d.nameLeft("/home/anna.rossi/model"), "/home/anna.rossi/model.RAY");
  EXPECT_EQ(d.nameLeft("/home/anna.rossi/.ray"), "/home/anna.rossi/.ray.RAY");
  EXPECT_EQ(d.nameLeft("/home/anna.rossi/model.ray"), "/home/anna.rossi/model.ray");
  EXPECT_EQ(d.nameLeft(""), "");
  EXPECT_FALSE(d.confirm());
  EXPECT_EQ(ui.beeps, 1);
  EXPECT_TRUE(c.cancelled);

  ui.files = {std::nullopt, "/out/scena.RAY"};
  EXPECT_FALSE(d.browse());
  EXPECT_EQ(c.RayFile, "");
  EXPECT_EQ(ui.dialogs[0].title, "Scegli il file di output (.RAY)");
  EXPECT_EQ(ui.dialogs[0].filter, "Conetrak file|*.RAY");
  EXPECT_EQ(ui.dialogs[0].initialName, "*.RAY");
  EXPECT_TRUE(ui.dialogs[0].overwritePrompt);
  EXPECT_TRUE(d.browse());
  EXPECT_EQ(c.RayFile, "/out/scena.RAY");
  EXPECT_TRUE(d.confirm());
  EXPECT_FALSE(c.cancelled);
  EXPECT_EQ(ui.beeps, 1);
}

TEST(RayOptionsDialog, SaveFromTheMenuShowsTheDialogOnlyWithSomethingToWrite) {
  ScratchFolder dir;
  AppState app;
  app.config.PassoSorgenti = 5;
  ScriptedUi ui;
  int shown = 0;
  std::string answer;
  auto dialog = [&](RayChoices& c) {
    ++shown;
    if (answer.empty()) return;
    c.RayFile = answer;
    c.RecMode = kRayReceivers;
    c.cancelled = false;
  };
  EXPECT_FALSE(CmdSalvaRay(app, ui, dialog));
  EXPECT_EQ(shown, 0);

  Source& s = app.project.sources.addEntity();
  s.X = 10;
  s.Nome = "sorgente.spk";
  EXPECT_FALSE(CmdSalvaRay(app, ui, dialog));  // Annulla
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(app.RayFileName, "");

  answer = dir.file("scena.RAY");
  EXPECT_TRUE(CmdSalvaRay(app, ui, dialog));
  EXPECT_TRUE(std::filesystem::exists(answer));
  EXPECT_EQ(app.RayFileName, answer);
  EXPECT_EQ(app.RecMode, kRayReceivers);
  EXPECT_EQ(ui.statuses.back(), "Salvataggio file .RAY terminato - OK");
}

}  // namespace
}  // namespace sonvale
