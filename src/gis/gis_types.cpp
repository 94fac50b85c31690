#include "gis/gis_types.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "text/number_text.h"

namespace sonvale {
namespace {

// The widest road or track, in metres: widths are kept in single precision.
constexpr double kMaxWidth = 1000;

}  // namespace

std::vector<GisFieldRule> GisFieldRules(GisKind kind) {
  std::vector<GisFieldRule> rules;
  auto number = [&rules](std::string name, double lo = -1e300, double hi = 1e300) {
    rules.push_back(GisFieldRule{std::move(name), false, false, lo, hi});
  };
  auto whole = [&rules](std::string name, double lo, double hi) {
    rules.push_back(GisFieldRule{std::move(name), false, true, lo, hi});
  };
  auto indexed = [&whole](const char* name, int n, double lo, double hi) {
    for (int k = 1; k <= n; ++k) whole(name + PlainInteger(k), lo, hi);
  };
  switch (kind) {
    case GisKind::Strade:
      rules.push_back(GisFieldRule{"Nome", true});
      whole("Pendenza", 0, 2);
      whole("Pavimentaz", -1, 3);
      number("HmedSX", 0);
      number("HmedDX", 0);
      number("Larghezza", 0, kMaxWidth);
      indexed("NveicDay", 5, 0, 2147483647);
      indexed("NveicNight", 5, 0, 2147483647);
      indexed("VelDay", 5, 0, 7);
      indexed("VelNight", 5, 0, 7);
      break;
    case GisKind::Binari:
      rules.push_back(GisFieldRule{"Nome", true});
      whole("TipoArmamento", -1, 1);
      number("HmedSX", 0);
      number("HmedDX", 0);
      number("Larghezza", 0, kMaxWidth);
      indexed("NtreniDay", 3, 0, 2147483647);
      indexed("NtreniNight", 3, 0, 2147483647);
      indexed("LungDay", 3, 0, 2147483647);
      indexed("LungNight", 3, 0, 2147483647);
      indexed("VelDay", 3, 0, 3);
      indexed("VelNight", 3, 0, 3);
      break;
    case GisKind::Case:
    case GisKind::Barriere:
      number("Altezza");
      break;
    case GisKind::Punti:
      rules.push_back(GisFieldRule{"Nome", true});
      number("Z");
      break;
    case GisKind::Sorgenti:
      rules.push_back(GisFieldRule{"Nome", true});
      number("Z");
      number("Lw");
      number("Lwnight");
      break;
  }
  return rules;
}

const char* GisKindWord(GisKind kind) {
  switch (kind) {
    case GisKind::Strade:
      return "strade";
    case GisKind::Binari:
      return "binari";
    case GisKind::Case:
      return "case";
    case GisKind::Barriere:
      return "barriere";
    case GisKind::Punti:
      return "punti";
    case GisKind::Sorgenti:
      return "sorgenti";
  }
  return "";
}

std::optional<GisKind> ParseGisKind(const std::string& word) {
  for (GisKind k : {GisKind::Strade, GisKind::Binari, GisKind::Case, GisKind::Barriere,
                    GisKind::Punti, GisKind::Sorgenti}) {
    if (word == GisKindWord(k)) return k;
  }
  return std::nullopt;
}

std::vector<std::string> MappableFields(GisKind kind) {
  std::vector<std::string> names;
  for (const GisFieldRule& r : GisFieldRules(kind)) names.push_back(r.name);
  return names;
}

std::optional<GisFormat> GisFormatOf(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext == ".gpkg") return GisFormat::GeoPackage;
  if (ext == ".shp") return GisFormat::Shapefile;
  if (ext == ".geojson" || ext == ".json") return GisFormat::GeoJson;
  return std::nullopt;
}

std::string GisLayerFile(const std::string& path, const char* layer) {
  if (GisFormatOf(path) == GisFormat::GeoPackage) return path;
  std::filesystem::path p(path);
  std::filesystem::path file = p.stem();
  file += "_";
  file += layer;
  file += p.extension();
  return (p.parent_path() / file).string();
}

}  // namespace sonvale
