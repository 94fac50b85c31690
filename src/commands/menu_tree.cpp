#include "commands/menu_tree.h"

#include "commands/exposure_command.h"
#include "commands/main_menu.h"
#include "commands/view_commands.h"

namespace sonvale {
namespace {

using Mark = MenuItemSpec::Mark;

MenuItemSpec Item(const char* name, const char* caption, Mark mark = Mark::None,
                  const char* shortcut = "") {
  return {name, caption, mark, shortcut};
}
MenuItemSpec Separator() { return {"-", "", Mark::None, ""}; }

std::vector<MenuSpec> Build() {
  std::vector<MenuSpec> m;
  m.push_back({"mnuFile",
               "&File",
               {Item("filenew", "&Nuovo"), Item("OpenSVP", "Apri &SVP..."),
                Item("SaveSVP", "&Salva SVP..."), Separator(), Item("Savelist", "Salva &lista..."),
                Separator(), Item("OpenRay", "&Apri Ray..."), Item("SaveRay", "Salva &Ray..."),
                Separator(), Item("ExitApp", "E&sci")}});
  m.push_back({"mnuModifica",
               "&Modifica",
               {Item("EditCopy", "&Copia", Mark::None, "Ctrl+C"), Separator(),
                Item("PackGRD", "Pack 6 GRD files"), Separator(),
                Item("EditSonvaleIni", "&Editazione Sonvale.ini")}});
  MenuSpec view{"mnuVisualizza",
                "&Visualizza",
                {Item("zoomext", "Zoom Tutto"), Item("ZoomOut", "Zoom Indietro"), Separator(),
                 Item("LungBar", "Lunghezza Barriere"), Separator()}};
  for (const LayerItem& l : kLayerItems)
    view.items.push_back(Item(l.name, l.caption, Mark::Toggle));
  m.push_back(view);
  MenuSpec io{"mnuImporta",
              "&Importa-Esporta",
              {Item("openDXF", "Importa &DXF completo...", Mark::Mark), Separator(),
               Item("openDXFstrade", "Importa DXF &Strade...", Mark::Mark),
               Item("openDXFbinari", "Importa DXF &Binari...", Mark::Mark),
               Item("openDXFcase", "Importa DXF &Case...", Mark::Mark),
               Item("openDXFbarriere", "Importa DXF &Barriere...", Mark::Mark),
               Item("openDXFpunti", "Importa DXF &Punti...", Mark::Mark),
               Item("OpenDXFsorgenti", "Importa DXF &Sorgenti", Mark::Mark),
               Item("openDXFincroci", "Importa DXF &Incroci...", Mark::Mark),
               Item("openDXFsezioni", "Importa DXF &Sezioni...", Mark::Mark),
               Item("openDXFconetrak", "Importa DXF &Echoray...", Mark::Mark), Separator()}};
  for (const char* item : kModeItems)
    io.items.push_back({item, ModeCaption(item), Mark::Toggle, ""});
  io.items.push_back(Separator());
  for (MenuItemSpec i :
       {Item("ImportNODI", "Importa CSV &Nodes (Trips)...", Mark::Mark),
        Item("ImportArchi", "Importa CSV &Arcs (Trips)...", Mark::Mark),
        Item("ImportCSV", "Importa CSV Streets (TeleAtlas)...", Mark::Mark),
        Item("ImportCSV2", "Importa CSV Traffic (CR-MN)...", Mark::Mark),
        Item("ImpPunti", "Importa CSV Punti...", Mark::Mark), Separator(),
        Item("SaveDXF", "S&alva DXF completo..."), Separator(),
        Item("makeBLN", "Salva File .&BLN..."), Item("ExportPunti", "Esporta Punti .SCR..."),
        Item("XYZ_extract", "Converti DXF in TXT (X,Y,Z)...")})
    io.items.push_back(i);
  m.push_back(io);
  m.push_back({"mnuTraffico",
               "&Dati di Traffico",
               {Item("traffic", "&Strade..."), Item("Ferrov", "&Binari..."),
                Item("Concent", "&Sorgenti Concentrate...")}});
  MenuSpec clear{"mnuCancella", "C&ancella Dati", {Item("Tutti", "&Cancella Tutto")}};
  for (int v = 1; v <= 5; ++v) {
    const std::string n = std::to_string(v);
    clear.items.push_back({"KeepV" + n, "Cancella V&" + n, Mark::None, ""});
  }
  clear.items.push_back(Item("KeepV4V2", "Copia da V4 a V2"));
  clear.items.push_back(Item("CancStrade", "Cancella strade senza traffico"));
  m.push_back(clear);
  m.push_back({"Calcolo",
               "&Calcolo",
               {Item("MakeGRD", "&Mappa (.GRD)"), Item("Punti", "&Punti (.DAT)"),
                Item("Esposizione", kExposureMenuCaption),
                Item("makedxf", "&Livelli di Emissione (.DXF)")}});
  m.push_back(
      {"mnuAiuto", "&Aiuto", {Item("helpCont", "&Contenuti"), Item("HelpAbout", "&About...")}});
  return m;
}

}  // namespace

const std::vector<MenuSpec>& MainMenuTree() {
  static const std::vector<MenuSpec> tree = Build();
  return tree;
}

std::string PlainCaption(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') out += caption[++i];
      continue;
    }
    out += caption[i];
  }
  const size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

bool ItemChecked(const AppState& app, const std::string& item) {
  if (const bool* shown = LayerFlag(app.layers, item)) return *shown;
  return app.isChecked(item);
}

bool ItemEnabled(const AppState& app, const std::string& item) {
  auto it = app.menuEnabled.find(item);
  return it == app.menuEnabled.end() || it->second;
}

}  // namespace sonvale
