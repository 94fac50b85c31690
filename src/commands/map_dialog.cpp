#include "commands/map_dialog.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "emission/emission_update.h"
#include "text/number_text.h"
#include "text/translatable.h"

namespace sonvale {
namespace {

using C = MapControl;

struct ControlText {
  std::string_view name;
  std::string_view caption;
};

// By control, in the order of MapControl.
constexpr std::array<ControlText, kMapControlCount> kControls = {{
    {"Text1", SV_TR("sonvale", "Nome del File")},
    {"Command1", "..."},
    {"Option1", SV_TR("sonvale", "Mappatura su piano a quota Z costante")},
    {"Option2", SV_TR("sonvale", "Mappatura seguendo l'altimetria del terreno")},
    {"Option3", SV_TR("sonvale", "Mappatura su sezione verticale")},
    {"Zconstframe", SV_TR("sonvale", "Dati sulla griglia orizzontale")},
    {"X1", SV_TR("sonvale", " Xmin")},
    {"X2", SV_TR("sonvale", " Xmax")},
    {"Y1", SV_TR("sonvale", " Ymin")},
    {"Y2", SV_TR("sonvale", " Ymax")},
    {"Horiz", SV_TR("sonvale", " N. divis. X")},
    {"Vert", SV_TR("sonvale", " N. divis. Y")},
    {"Delta_X", SV_TR("sonvale", " Delta X")},
    {"Delta_Y", SV_TR("sonvale", " Delta Y")},
    {"Zvalue", SV_TR("sonvale", " Quota del piano di mappatura (m)  ")},
    {"Label6", ""},
    {"SetPlan", SV_TR("sonvale", "Imposta plan. N. ")},
    {"Plan_N", SV_TR("sonvale", "Imposta plan. N. ")},
    {"Altimframe",
     SV_TR("sonvale", "Dati sul file .GRD contenente le informazioni plani-altimetriche")},
    {"TextZfile", SV_TR("sonvale", "Nome del File")},
    {"Command2", "..."},
    {"DZvalue", SV_TR("sonvale", " Sovralzo sul terreno (m)  ")},
    {"Label9", ""},
    {"SezFrame", SV_TR("sonvale", "Dati sulla sezione verticale")},
    {"Combo1", SV_TR("sonvale", " Imposta sezione N.")},
    {"Horiz2", SV_TR("sonvale", " N. div. Or")},
    {"Vert2", SV_TR("sonvale", " N. div. Z")},
    {"Delta_O", SV_TR("sonvale", " Delta Or")},
    {"Delta_Z", SV_TR("sonvale", " Delta Z")},
    {"Z1", SV_TR("sonvale", " Z1")},
    {"Z2", SV_TR("sonvale", " Z2")},
    {"Frame3D1", SV_TR("sonvale", "Opzioni di Calcolo")},
    {"Check1", SV_TR("sonvale", "Calcolo diffraz. barriere")},
    {"Check2", SV_TR("sonvale", "Calcolo diffraz. case")},
    {"Check3", SV_TR("sonvale", "Azzera emissione strade con pavim. standard")},
    {"Check4", SV_TR("sonvale", "Ignora rid. asf. fonoass.")},
    {"Check5", SV_TR("sonvale", "Azzera emissione strade con pavim. fonoass.")},
    {"Check6", SV_TR("sonvale", "Ignora Strade Fisse")},
    {"Text2", SV_TR("sonvale", " Massima distanza Sorg./Ricev.da considerare (m)")},
    {"TextAnn", SV_TR("sonvale", "Anno:")},
    {"Opt_SVP_interno", SV_TR("sonvale", "Calcolo con Sonvale (lento)")},
    {"Opt_SVP_trace", SV_TR("sonvale", "Calcolo con Beamrun (veloce)")},
    {"Opt_Interim", SV_TR("sonvale", "Calcolo con mod. Interim (veloce)")},
    {"Opt_Imagine", SV_TR("sonvale", "Calcolo con mod. Imagine (lento)")},
    {"Command3D1", SV_TR("sonvale", "OK - Esegui")},
    {"Command3D2", SV_TR("sonvale", "Annulla")},
}};

const ControlText& Control(C c) { return kControls[static_cast<size_t>(c)]; }

constexpr const char* kSpacingPattern = "#####0.##";

// What a box takes: anything, digits, or digits and a decimal point; whether a
// refused key is explained in a box; whether a leading minus is taken.
enum class Accepts { Any, Digits, DigitsAndPoint };
struct BoxFilter {
  Accepts accepts = Accepts::Any;
  bool explains = false;
  bool minus = false;
};

BoxFilter FilterOf(C box) {
  switch (box) {
    case C::X1:
    case C::X2:
    case C::Y1:
    case C::Y2:
    case C::Z1:
    case C::Z2:
      return {Accepts::DigitsAndPoint, false, true};
    case C::Zvalue:
      return {Accepts::DigitsAndPoint, false, false};
    case C::Horiz:
    case C::Vert:
    case C::Vert2:
    case C::TextAnn:
      return {Accepts::Digits, false, false};
    case C::Horiz2:
      return {Accepts::Digits, true, false};
    case C::Delta_O:
    case C::Delta_Z:
    case C::Text2:
      return {Accepts::DigitsAndPoint, true, false};
    default:
      return {};
  }
}

bool IsCheck(C c) { return c >= C::Check1 && c <= C::Check6; }
bool IsAlgorithm(C c) { return c >= C::Opt_SVP_interno && c <= C::Opt_Imagine; }

// The flag of each check box.
bool Project::*CheckFlag(C c) {
  switch (c) {
    case C::Check1:
      return &Project::DiffrBarriere;
    case C::Check2:
      return &Project::DiffrCase;
    case C::Check3:
      return &Project::AzzeraStandard;
    case C::Check4:
      return &Project::IgnoraRidFonoass;
    case C::Check5:
      return &Project::AzzeraFonoass;
    default:
      return &Project::IgnoraFisse;
  }
}

std::string BoundText(double v) { return FormatPattern(v, kSpacingPattern); }

// The name less its last four characters (its extension) followed by "_d.GRD".
std::string DayGridName(const std::string& name) {
  return name.substr(0, name.size() - std::min<size_t>(4, name.size())) + "_d.GRD";
}

long ToLong(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(std::numeric_limits<long>::max()))
    return std::numeric_limits<long>::max();
  if (v <= static_cast<double>(std::numeric_limits<long>::min()))
    return std::numeric_limits<long>::min();
  return static_cast<long>(v);
}

}  // namespace

std::string_view MapControlName(MapControl c) { return Control(c).name; }
std::string_view MapCaption(MapControl c) { return Control(c).caption; }

std::string AccessibleName(std::string_view caption) {
  std::string s;
  for (char ch : caption)
    if (ch != '&') s += ch;
  size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string HrecLabel(double hrec) { return " + Hrec=" + FormatPattern(hrec, "##0.##") + "m"; }

std::string ProposedGrdName(const Project& p) {
  for (const std::string* name : {&p.GrdName, &p.ProjectFileName, &p.LastDxfFile}) {
    if (!name->empty()) return DayGridName(*name);
  }
  return "*.grd";
}

std::string GrdNameFromBox(const std::string& text) {
  if (text.empty()) return text;
  size_t dot = text.find('.');
  if (dot == std::string::npos || dot == 0) return text + ".GRD";
  return text;
}

short DivisionCount(double value) {
  if (!(value >= std::numeric_limits<short>::min() && value <= std::numeric_limits<short>::max()))
    return 0;
  return static_cast<short>(value);
}

std::string SpacingText(double range, long count) {
  if (count <= 0) return {};
  return FormatPattern(range / static_cast<double>(count), kSpacingPattern);
}

double SectionLength(const SectionLine& s) { return std::hypot(s.X2 - s.X1, s.Y2 - s.Y1); }

std::optional<GridBounds> PlanBounds(const Project& p, long n) {
  if (n < 1 || n > p.plans.count() || p.plans[n].Npunti() == 0) return std::nullopt;
  Extent e;
  for (const Point3& v : p.plans[n].vertices) {
    e.Xmin = std::min(e.Xmin, v.X);
    e.Xmax = std::max(e.Xmax, v.X);
    e.Ymin = std::min(e.Ymin, v.Y);
    e.Ymax = std::max(e.Ymax, v.Y);
  }
  return GridBounds{e.Xmin, e.Xmax, e.Ymin, e.Ymax};
}

std::optional<GridBounds> DefaultMapBounds(const Project& p) {
  if (auto plan = PlanBounds(p, p.CurrentPlan)) return plan;
  if (p.extent.isEmpty()) return std::nullopt;
  return GridBounds{p.extent.Xmin, p.extent.Xmax, p.extent.Ymin, p.extent.Ymax};
}

GridBounds OpeningGrid(const Project& p, const GridBounds& stored) {
  if (auto plan = PlanBounds(p, p.CurrentPlan)) return *plan;
  if (stored.Xmax > stored.Xmin && stored.Ymax > stored.Ymin) return stored;
  if (p.extent.isEmpty()) return stored;
  return GridBounds{p.extent.Xmin, p.extent.Xmax, p.extent.Ymin, p.extent.Ymax};
}

long MapNodeCount(const Project& p, long terrainNodes) {
  if (p.ModoMappatura == MappingMode::Terrain) return terrainNodes;
  if (p.ModoMappatura == MappingMode::Section)
    return (static_cast<long>(p.NdivO) + 1) * (static_cast<long>(p.NdivZ) + 1);
  return (static_cast<long>(p.NdivX) + 1) * (static_cast<long>(p.NdivY) + 1);
}

long ClampYear(long year) { return std::clamp(year, kFirstYear, kLastYear); }

std::optional<std::string> DivisionCountProblem(const Project& p) {
  struct Count {
    short value;
    C box;
  };
  std::array<Count, 2> counts =
      p.ModoMappatura == MappingMode::Section
          ? std::array<Count, 2>{{{p.NdivO, C::Horiz2}, {p.NdivZ, C::Vert2}}}
          : std::array<Count, 2>{{{p.NdivX, C::Horiz}, {p.NdivY, C::Vert}}};
  for (const Count& c : counts) {
    if (c.value < 1 || c.value > kMaxDivisions) {
      return "\"" + AccessibleName(MapCaption(c.box)) + "\"" +
             SV_TR("sonvale", " deve essere un numero intero compreso tra 1 e 32767.");
    }
  }
  return std::nullopt;
}

KeyVerdict FilterMapKey(MapControl box, int code, std::string_view text, size_t insertAt,
                        size_t replaced) {
  BoxFilter f = FilterOf(box);
  if (f.accepts == Accepts::Any) return {};
  bool ok = code == kBackspaceKey || (code >= '0' && code <= '9') ||
            (code == '.' && f.accepts == Accepts::DigitsAndPoint);
  if (code == '-' && f.minus) {
    size_t after = insertAt + replaced;
    ok = insertAt == 0 && (after >= text.size() || text[after] != '-');
  }
  if (ok) return {};
  KeyVerdict v;
  v.accepted = false;
  if (f.explains) {
    v.message = Message{"Char", "ASCII code =" + ShowNumber(code), Buttons::Ok, Icon::Information,
                        Answer::Ok};
  }
  return v;
}

bool FilterMapPaste(MapControl box, std::string_view text, size_t insertAt, size_t replaced,
                    std::string_view pasted) {
  std::string after(text.substr(0, std::min(insertAt, text.size())));
  if (insertAt + replaced < text.size()) after += text.substr(insertAt + replaced);
  size_t at = std::min(insertAt, after.size());
  for (char ch : pasted) {
    if (!FilterMapKey(box, static_cast<unsigned char>(ch), after, at, 0).accepted) return false;
    after.insert(at++, 1, ch);
  }
  return true;
}

MapDialog::MapDialog(AppState& app, Ui& ui) : app_(app), ui_(ui) { load(); }

void MapDialog::load() {
  app_.StopRequested = true;
  Project& p = app_.project;
  p.GrdName = ProposedGrdName(p);
  view_.text(C::Text1) = p.GrdName;
  view_.text(C::Zvalue) = FormatPattern(p.QuotaZ, "####0.##");
  view_.text(C::DZvalue) = FormatPattern(p.SovralzoZ, "####0.##");
  view_.text(C::Text2) = FormatPattern(p.DistMax, "########");
  view_.text(C::Horiz) = PlainInteger(p.NdivX);
  view_.text(C::Vert) = PlainInteger(p.NdivY);
  view_.text(C::Horiz2) = PlainInteger(p.NdivO);
  view_.text(C::Vert2) = PlainInteger(p.NdivZ);
  view_.text(C::TextAnn) = PlainInteger(p.Anno);
  view_.text(C::TextZfile) = p.FileAltimetria;
  view_.hrecLabel = HrecLabel(app_.config.Hrec);
  app_.Grid = OpeningGrid(p, app_.Grid);
  if (p.NdivX != 0) {
    const GridBounds& g = app_.Grid;
    view_.text(C::Delta_X) = SpacingText(g.Xmax - g.Xmin, p.NdivX);
    view_.text(C::Delta_Y) = SpacingText(g.Ymax - g.Ymin, p.NdivY);
    showSectionSpacings();
  }

  for (long n = 1; n <= p.sezioni.count(); ++n)
    view_.sectionItems.push_back("Sez. n." + ShowNumber(n));
  view_.sectionOptionShown = p.sezioni.count() > 0;
  if (p.plans.count() > 0) {
    for (long n = 1; n <= p.plans.count(); ++n) view_.planItems.push_back(PlainInteger(n));
    if (p.CurrentPlan < 1 || p.CurrentPlan > p.plans.count()) p.CurrentPlan = 1;
    view_.planIndex = static_cast<int>(p.CurrentPlan - 1);
  }
  if (app_.TracerMissing) {
    p.Algorithm = 0;
    view_.algorithmsShown = false;
  }

  // The frame of the stored mode is shown; a section map of a model that has
  // lost its sections falls back to the plane.
  MappingMode mode = p.ModoMappatura;
  if (mode == MappingMode::Section && p.sezioni.count() == 0) mode = MappingMode::Plane;
  view_.text(C::Z1) = BoundText(app_.Section.Z1);
  view_.text(C::Z2) = BoundText(app_.Section.Z2);
  if (mode != MappingMode::Section) {
    setChecked(mode == MappingMode::Plane ? C::Option1 : C::Option2);
    return;
  }
  // The section chosen last time is the one whose plan ends the section line has.
  const SectionLine& s = app_.Section;
  for (long n = 1; n <= p.sezioni.count(); ++n) {
    const Sezione& z = p.sezioni[n];
    if (z.XL == s.X1 && z.YL == s.Y1 && z.XR == s.X2 && z.YR == s.Y2) {
      view_.frame = 2;
      view_.boundsEditable = false;
      view_.sectionIndex = static_cast<int>(n - 1);
      view_.sectionHeightsEditable = true;
      showSectionEnds();
      return;
    }
  }
  setChecked(C::Option3);
}

bool MapDialog::isChecked(MapControl c) const {
  const Project& p = app_.project;
  if (c == C::Option1 || c == C::Option2 || c == C::Option3)
    return view_.frame == static_cast<int>(c) - static_cast<int>(C::Option1);
  if (IsCheck(c)) return p.*CheckFlag(c);
  if (IsAlgorithm(c))
    return p.Algorithm == static_cast<long>(c) - static_cast<long>(C::Opt_SVP_interno);
  return false;
}

void MapDialog::setChecked(MapControl c, bool on) {
  Project& p = app_.project;
  if (IsCheck(c)) {
    p.*CheckFlag(c) = on;
    return;
  }
  if (!on) return;
  if (IsAlgorithm(c)) {
    p.Algorithm = static_cast<long>(c) - static_cast<long>(C::Opt_SVP_interno);
    return;
  }
  if (c == C::Option3 && p.sezioni.count() == 0) c = C::Option1;
  switch (c) {
    case C::Option1:
    case C::Option2:
      p.ModoMappatura = c == C::Option1 ? MappingMode::Plane : MappingMode::Terrain;
      view_.frame = static_cast<int>(p.ModoMappatura);
      view_.okEnabled = c == C::Option1 || !p.FileAltimetria.empty();
      view_.boundsEditable = true;
      showBounds();
      break;
    case C::Option3:
      p.ModoMappatura = MappingMode::Section;
      view_.frame = 2;
      view_.okEnabled = true;
      view_.boundsEditable = false;
      chooseSection(0);
      break;
    default:
      break;
  }
}

bool MapDialog::keyTyped(MapControl box, int code, std::string_view text, size_t insertAt,
                         size_t replaced) {
  KeyVerdict v = FilterMapKey(box, code, text, insertAt, replaced);
  if (v.message) ui_.message(*v.message);
  return v.accepted;
}

void MapDialog::edited(MapControl box, const std::string& text) {
  view_.text(box) = text;
  Project& p = app_.project;
  GridBounds& g = app_.Grid;
  SectionLine& s = app_.Section;
  double v = LeadingNumber(text);
  switch (box) {
    case C::X1:
    case C::X2:
    case C::Y1:
    case C::Y2: {
      if (!view_.boundsEditable) return;  // the section's ends, shown only
      bool x = box == C::X1 || box == C::X2;
      (box == C::X1 ? g.Xmin : box == C::X2 ? g.Xmax : box == C::Y1 ? g.Ymin : g.Ymax) = v;
      short count = x ? p.NdivX : p.NdivY;
      if (count > 0) {
        view_.text(x ? C::Delta_X : C::Delta_Y) =
            SpacingText(x ? g.Xmax - g.Xmin : g.Ymax - g.Ymin, count);
      }
      break;
    }
    case C::Delta_X:
    case C::Delta_Y: {
      if (v == 0) return;
      bool x = box == C::Delta_X;
      double whole = std::trunc((x ? g.Xmax - g.Xmin : g.Ymax - g.Ymin) / v);
      (x ? p.NdivX : p.NdivY) = DivisionCount(whole);
      view_.text(x ? C::Horiz : C::Vert) = FormatPattern(whole, "#####0");
      break;
    }
    case C::Horiz:
    case C::Vert: {
      bool x = box == C::Horiz;
      short& count = x ? p.NdivX : p.NdivY;
      count = DivisionCount(v);
      view_.text(x ? C::Delta_X : C::Delta_Y) =
          SpacingText(x ? g.Xmax - g.Xmin : g.Ymax - g.Ymin, count);
      break;
    }
    case C::Delta_O:
    case C::Delta_Z: {
      if (v == 0) return;
      bool along = box == C::Delta_O;
      double whole = std::trunc((along ? SectionLength(s) : std::fabs(s.Z2 - s.Z1)) / v);
      (along ? p.NdivO : p.NdivZ) = DivisionCount(whole);
      view_.text(along ? C::Horiz2 : C::Vert2) = FormatPattern(whole, "#####0");
      break;
    }
    case C::TextZfile:
      p.FileAltimetria = text;
      if (p.ModoMappatura == MappingMode::Terrain) view_.okEnabled = !text.empty();
      break;
    case C::Z1:
    case C::Z2:
      if (!view_.sectionHeightsEditable) return;
      (box == C::Z1 ? s.Z1 : s.Z2) = v;
      view_.text(C::Delta_Z) = SpacingText(std::fabs(s.Z2 - s.Z1), p.NdivZ);
      break;
    case C::Horiz2:
    case C::Vert2: {
      bool along = box == C::Horiz2;
      short& count = along ? p.NdivO : p.NdivZ;
      std::string& spacing = view_.text(along ? C::Delta_O : C::Delta_Z);
      if (v == 0) {
        count = 0;
        spacing.clear();
        ui_.beep();
        return;
      }
      count = DivisionCount(RoundHalfEven(v));
      spacing = SpacingText(along ? SectionLength(s) : std::fabs(s.Z2 - s.Z1), count);
      break;
    }
    case C::Zvalue:
      p.QuotaZ = v;
      break;
    case C::DZvalue:
      p.SovralzoZ = v;
      break;
    case C::Text2:
      p.DistMax = v > 0 ? v : 0;
      break;
    case C::TextAnn:
      p.Anno = ToLong(RoundHalfEven(v));
      UpdateEmissions(p, app_.config, app_.tables);
      break;
    default:
      break;
  }
}

void MapDialog::left(MapControl box, const std::string& text) {
  view_.text(box) = text;
  if (box != C::Text1) return;
  app_.project.GrdName = GrdNameFromBox(text);
  view_.text(C::Text1) = app_.project.GrdName;
}

void MapDialog::choosePlan(int index) {
  Project& p = app_.project;
  long n = index + 1;
  if (n < 1 || n > p.plans.count()) return;
  p.CurrentPlan = n;
  view_.planIndex = index;
  if (auto b = PlanBounds(p, n)) app_.Grid = *b;
  const GridBounds& g = app_.Grid;
  view_.text(C::Delta_X) = "10";
  view_.text(C::Delta_Y) = "10";
  double qx = (g.Xmax - g.Xmin) / 10, qy = (g.Ymax - g.Ymin) / 10;
  p.NdivX = DivisionCount(RoundHalfEven(qx));
  p.NdivY = DivisionCount(RoundHalfEven(qy));
  view_.text(C::Horiz) = FormatPattern(std::trunc(qx), "#####0");
  view_.text(C::Vert) = FormatPattern(std::trunc(qy), "#####0");
  showBounds();
}

void MapDialog::chooseSection(int index) {
  long n = index + 1;
  if (n < 1 || n > app_.project.sezioni.count()) return;
  const Sezione& z = app_.project.sezioni[n];
  app_.Section = SectionLine{z.XL, z.YL, z.ZL, z.XR, z.YR, z.ZR};
  view_.sectionIndex = index;
  view_.sectionHeightsEditable = true;
  view_.text(C::Z1) = BoundText(z.ZL);
  view_.text(C::Z2) = BoundText(z.ZR);
  if (view_.frame == 2) showSectionEnds();
  showSectionSpacings();
}

void MapDialog::browseOutput() {
  Project& p = app_.project;
  FileDialog d;
  d.title = kOutputDialogTitle;
  d.filter = kGrdFilter;
  d.initialName = p.GrdName.empty() ? "*.GRD" : p.GrdName;
  d.overwritePrompt = true;
  if (auto name = ui_.saveFile(d)) {
    p.GrdName = *name;
    view_.text(C::Text1) = *name;
  }
}

void MapDialog::browseTerrain() {
  Project& p = app_.project;
  FileDialog d;
  d.title = kTerrainDialogTitle;
  d.filter = kGrdFilter;
  d.initialName = p.FileAltimetria.empty() ? "*.GRD" : p.FileAltimetria;
  d.mustExist = true;
  if (auto name = ui_.openFile(d)) {
    p.FileAltimetria = *name;
    view_.text(C::TextZfile) = *name;
    view_.okEnabled = true;
  }
}

bool MapDialog::confirm() {
  Project& p = app_.project;
  p.Anno = ClampYear(p.Anno);
  view_.text(C::TextAnn) = PlainInteger(p.Anno);
  if (p.GrdName.empty()) {
    ui_.beep();
    return false;
  }
  if (auto problem = DivisionCountProblem(p)) {
    ui_.message(Message{kMapDialogTitle, *problem, Buttons::Ok, Icon::Warning, Answer::Ok});
    return false;
  }
  app_.StopRequested = false;
  view_.closed = true;
  return true;
}

void MapDialog::cancel() {
  app_.StopRequested = true;
  view_.closed = true;
}

void MapDialog::showBounds() {
  const GridBounds& g = app_.Grid;
  view_.text(C::X1) = BoundText(g.Xmin);
  view_.text(C::X2) = BoundText(g.Xmax);
  view_.text(C::Y1) = BoundText(g.Ymin);
  view_.text(C::Y2) = BoundText(g.Ymax);
}

void MapDialog::showSectionEnds() {
  const SectionLine& s = app_.Section;
  view_.text(C::X1) = BoundText(s.X1);
  view_.text(C::X2) = BoundText(s.X2);
  view_.text(C::Y1) = BoundText(s.Y1);
  view_.text(C::Y2) = BoundText(s.Y2);
  view_.text(C::Z1) = BoundText(s.Z1);
  view_.text(C::Z2) = BoundText(s.Z2);
}

void MapDialog::showSectionSpacings() {
  const SectionLine& s = app_.Section;
  view_.text(C::Delta_O) = SpacingText(SectionLength(s), app_.project.NdivO);
  view_.text(C::Delta_Z) = SpacingText(std::fabs(s.Z2 - s.Z1), app_.project.NdivZ);
}

}  // namespace sonvale
