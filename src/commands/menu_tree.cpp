#include "commands/menu_tree.h"

#include "commands/exposure_command.h"
#include "commands/facade_points_view.h"
#include "commands/gis_menu_commands.h"
#include "commands/main_menu.h"
#include "commands/view_commands.h"
#include "text/translatable.h"

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
               SV_TR("sonvale", "&File"),
               {Item("filenew", SV_TR("sonvale", "&Nuovo")),
                Item("OpenSVP", SV_TR("sonvale", "Apri &SVP..."), Mark::None, "Ctrl+O"),
                Item("SaveSVP", SV_TR("sonvale", "&Salva SVP..."), Mark::None, "Ctrl+S"),
                Separator(), Item("Savelist", SV_TR("sonvale", "Salva &lista...")), Separator(),
                Item("OpenRay", SV_TR("sonvale", "&Apri Ray...")),
                Item("SaveRay", SV_TR("sonvale", "Salva &Ray...")), Separator(),
                Item("ExitApp", SV_TR("sonvale", "E&sci"), Mark::None, "Ctrl+Q")}});
  m.push_back({"mnuModifica",
               SV_TR("sonvale", "&Modifica"),
               {Item("EditCopy", SV_TR("sonvale", "&Copia"), Mark::None, "Ctrl+C"), Separator(),
                Item("PackGRD", SV_TR("sonvale", "Pack 6 GRD files")), Separator(),
                Item("EditSonvaleIni", SV_TR("sonvale", "&Editazione Sonvale.ini"))}});
  MenuSpec view{"mnuVisualizza",
                SV_TR("sonvale", "&Visualizza"),
                {Item("zoomext", SV_TR("sonvale", "Zoom Tutto")),
                 Item("ZoomOut", SV_TR("sonvale", "Zoom Indietro")), Separator(),
                 Item("LungBar", SV_TR("sonvale", "Lunghezza Barriere")), Separator()}};
  for (const LayerItem& l : kLayerItems)
    view.items.push_back(Item(l.name, l.caption, Mark::Toggle));
  view.items.push_back(Separator());
  view.items.push_back(Item(kLegendItem, SV_TR("sonvale", "Legenda"), Mark::Toggle));
  m.push_back(view);
  MenuSpec io{
      "mnuImporta",
      SV_TR("sonvale", "&Importa-Esporta"),
      {Item("openDXF", SV_TR("sonvale", "Importa &DXF completo..."), Mark::Mark), Separator(),
       Item("openDXFstrade", SV_TR("sonvale", "Importa DXF &Strade..."), Mark::Mark),
       Item("openDXFbinari", SV_TR("sonvale", "Importa DXF &Binari..."), Mark::Mark),
       Item("openDXFcase", SV_TR("sonvale", "Importa DXF &Case..."), Mark::Mark),
       Item("openDXFbarriere", SV_TR("sonvale", "Importa DXF &Barriere..."), Mark::Mark),
       Item("openDXFpunti", SV_TR("sonvale", "Importa DXF &Punti..."), Mark::Mark),
       Item("OpenDXFsorgenti", SV_TR("sonvale", "Importa DXF &Sorgenti"), Mark::Mark),
       Item("openDXFincroci", SV_TR("sonvale", "Importa DXF &Incroci..."), Mark::Mark),
       Item("openDXFsezioni", SV_TR("sonvale", "Importa DXF &Sezioni..."), Mark::Mark),
       Item("openDXFconetrak", SV_TR("sonvale", "Importa DXF &Echoray..."), Mark::Mark),
       Separator()}};
  for (const char* item : kModeItems)
    io.items.push_back({item, ModeCaption(item), Mark::Toggle, ""});
  io.items.push_back(Separator());
  for (MenuItemSpec i :
       {Item("ImportNODI", SV_TR("sonvale", "Importa CSV &Nodes (Trips)..."), Mark::Mark),
        Item("ImportArchi", SV_TR("sonvale", "Importa CSV &Arcs (Trips)..."), Mark::Mark),
        Item("ImportCSV", SV_TR("sonvale", "Importa CSV Streets (TeleAtlas)..."), Mark::Mark),
        Item("ImportCSV2", SV_TR("sonvale", "Importa CSV Traffic (CR-MN)..."), Mark::Mark),
        Item("ImpPunti", SV_TR("sonvale", "Importa CSV Punti..."), Mark::Mark), Separator(),
        Item(kGisImportItem, SV_TR("sonvale", "Importa layer &GIS...")),
        Item(kGisExportItem, SV_TR("sonvale", "Esporta layer GIS...")),
        Item(kProjectCrsItem, SV_TR("sonvale", "Sistema di riferimento (EPSG)...")), Separator(),
        Item("SaveDXF", SV_TR("sonvale", "S&alva DXF completo...")), Separator(),
        Item("makeBLN", SV_TR("sonvale", "Salva File .&BLN...")),
        Item("ExportPunti", SV_TR("sonvale", "Esporta Punti .SCR...")),
        Item("XYZ_extract", SV_TR("sonvale", "Converti DXF in TXT (X,Y,Z)..."))})
    io.items.push_back(i);
  m.push_back(io);
  m.push_back({"mnuTraffico",
               SV_TR("sonvale", "&Dati di Traffico"),
               {Item("traffic", SV_TR("sonvale", "&Strade...")),
                Item("Ferrov", SV_TR("sonvale", "&Binari...")),
                Item("Concent", SV_TR("sonvale", "&Sorgenti Concentrate..."))}});
  MenuSpec clear{"mnuCancella",
                 SV_TR("sonvale", "C&ancella Dati"),
                 {Item("Tutti", SV_TR("sonvale", "&Cancella Tutto"))}};
  static const char* const kClearCaptions[] = {
      SV_TR("sonvale", "Cancella V&1"), SV_TR("sonvale", "Cancella V&2"),
      SV_TR("sonvale", "Cancella V&3"), SV_TR("sonvale", "Cancella V&4"),
      SV_TR("sonvale", "Cancella V&5")};
  for (int v = 1; v <= 5; ++v)
    clear.items.push_back({"KeepV" + std::to_string(v), kClearCaptions[v - 1], Mark::None, ""});
  clear.items.push_back(Item("KeepV4V2", SV_TR("sonvale", "Copia da V4 a V2")));
  clear.items.push_back(Item("CancStrade", SV_TR("sonvale", "Cancella strade senza traffico")));
  m.push_back(clear);
  m.push_back(
      {"Calcolo",
       SV_TR("sonvale", "&Calcolo"),
       {Item("MakeGRD", SV_TR("sonvale", "&Mappa (.GRD)")),
        Item("Punti", SV_TR("sonvale", "&Punti (.DAT)")), Item("Esposizione", kExposureMenuCaption),
        Item("MostraFacciate", kShowFacadePointsCaption),
        Item("makedxf", SV_TR("sonvale", "&Livelli di Emissione (.DXF)")), Separator(),
        Item(kGridCalcItem, SV_TR("sonvale", "&Operazioni su mappe (.GRD)..."))}});
  m.push_back({"mnuAiuto",
               SV_TR("sonvale", "&Aiuto"),
               {Item("helpCont", SV_TR("sonvale", "&Contenuti")),
                Item("HelpAbout", SV_TR("sonvale", "&About..."))}});
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

bool ItemChecked(const Session& session, const std::string& item) {
  if (item == kLegendItem) return LegendShown(session);
  if (const bool* shown = LayerFlag(session.layers, item)) return *shown;
  return session.isChecked(item);
}

bool ItemEnabled(const Session& session, const std::string& item) {
  auto it = session.menuEnabled.find(item);
  return it == session.menuEnabled.end() || it->second;
}

}  // namespace sonvale
