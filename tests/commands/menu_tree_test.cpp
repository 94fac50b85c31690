#include "commands/menu_tree.h"

#include <gtest/gtest.h>

#include <set>

#include "commands/startup.h"
#include "commands/view_commands.h"
#include "support/recording_map_view.h"

namespace sonvale {
namespace {

TEST(MenuTree, ItemNamesAreUniqueAndCaptionsLoseOnlyTheirMnemonic) {
  std::set<std::string> names;
  size_t items = 0;
  for (const MenuSpec& m : MainMenuTree()) {
    EXPECT_TRUE(names.insert(m.name).second) << m.name;
    for (const MenuItemSpec& i : m.items) {
      if (i.name == "-") continue;
      ++items;
      EXPECT_TRUE(names.insert(i.name).second) << i.name;
    }
  }
  EXPECT_EQ(items,
            72u);  // 65, three GIS entries in "Importa-Esporta", three in "Calcolo", "Legenda"
  EXPECT_EQ(PlainCaption("Apri &SVP..."), "Apri SVP...");
  EXPECT_EQ(PlainCaption("C&ancella Dati"), "Cancella Dati");
  EXPECT_EQ(PlainCaption(" Xmin  "), "Xmin");
  EXPECT_EQ(PlainCaption("Salva && chiudi"), "Salva & chiudi");
  EXPECT_EQ(PlainCaption("Modalita' \"Appendi\""), "Modalita' \"Appendi\"");
}

TEST(MenuTree, StateOfMarksAndEnabledItemsFollowsTheApplication) {
  AppState app;
  // Layers: shown except the two label layers.
  EXPECT_TRUE(ItemChecked(app, "ViewStrade"));
  EXPECT_FALSE(ItemChecked(app, "ViewLcase"));
  EXPECT_FALSE(ItemChecked(app, "ViewLbarriere"));
  app.menuChecked["openDXFcase"] = true;
  EXPECT_TRUE(ItemChecked(app, "openDXFcase"));
  EXPECT_FALSE(ItemChecked(app, "openDXFstrade"));

  app.menuEnabled["Calcolo"] = false;
  EXPECT_FALSE(ItemEnabled(app, "Calcolo"));
  EXPECT_TRUE(ItemEnabled(app, "MakeGRD"));
  app.menuEnabled["Punti"] = false;
  EXPECT_FALSE(ItemEnabled(app, "Punti"));
  EXPECT_TRUE(ItemEnabled(app, "makedxf"));
  EXPECT_TRUE(ItemEnabled(app, "SaveRay"));
}

TEST(ViewCommands, ALayerToggleFlipsItsMarkAndRedrawsFromBlank) {
  AppState app;
  RecordingMapView view;
  app.setView(&view);
  const std::vector<bool>& redraws = view.redraws;
  CmdToggleLayer(app, "ViewLcase");
  EXPECT_TRUE(app.layers.Lcase);
  CmdToggleLayer(app, "ViewEchoray");
  EXPECT_FALSE(app.layers.Echoray);
  CmdToggleLayer(app, "ViewLcase");
  EXPECT_FALSE(app.layers.Lcase);
  CmdToggleLayer(app, "zoomext");  // not a layer: nothing happens
  EXPECT_EQ(redraws, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(LayerFlag(app.layers, "Append"), nullptr);

  EXPECT_EQ(PickedEntityText(EntityKind::Road, 7), "Selezionata: Strada n. 7");
  EXPECT_EQ(PickedEntityText(EntityKind::Track, 1), "Selezionata: Binario n. 1");
  EXPECT_EQ(PickedEntityText(EntityKind::Source, 12), "Selezionata: Sorgente n. 12");
}

TEST(StartUpCommandLine, ThePathIsTheFirstArgumentWithoutQuotesAroundIt) {
  EXPECT_EQ(ProjectPathFromCommandLine("\"/home/u/my town.svp\""), "/home/u/my town.svp");
  EXPECT_EQ(ProjectPathFromCommandLine("/home/u/a.svp"), "/home/u/a.svp");
  EXPECT_EQ(ProjectPathFromCommandLine("a.s"), "a.s");
  EXPECT_EQ(ProjectPathFromCommandLine("\""), "\"");
  EXPECT_EQ(ProjectPathFromCommandLine(""), "");
}

}  // namespace
}  // namespace sonvale
