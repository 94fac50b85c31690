// The draw subcommand: a PNG picture of a project as the map window shows it
// after opening, over the levels of a grid file when one is given, with the
// legend of the level colours.
#include <fstream>
#include <iostream>

#include "cli/cli_context.h"
#include "propagation/grid_file.h"
#include "text/number_text.h"

#ifdef SONVALE_WITH_RENDER
#include "commands/gis_module.h"
#include "render/map_picture.h"
#endif

namespace sonvale {
namespace {

const char* const kDrawUsage =
    "usage: sonvale-cli draw PROJECT.svp --png FILE.png [--size WxH] [--grid NAME.grd]\n"
    "                        [--no-labels] [--program-dir DIR] [--year Y]\n"
    "Writes a picture of the model over the whole extent, as the map window shows it\n"
    "after opening the project, with a legend of the level colours (40 to 90 dB(A)).\n"
    "--size    picture size in pixels, legend included (default 1200x900)\n"
    "--grid    a text (DSAA) or binary (DSBB) grid whose levels are painted under the model\n"
    "--no-labels  leaves out the labels of buildings and barriers\n"
    "--scheme din18005|nfs31130|end  paints the grid in isophone bands of that colour\n"
    "             scheme (levels of --bands, default 35,40,...,80); --lines adds isolines\n";

// "1200x900" into width and height.
std::pair<int, int> ParseSize(const std::string& text) {
  size_t x = text.find_first_of("xX");
  if (x == std::string::npos || x == 0 || x + 1 >= text.size() || !IsNumber(text.substr(0, x)) ||
      !IsNumber(text.substr(x + 1))) {
    throw UsageError("option --size needs WIDTHxHEIGHT in pixels, not \"" + text + "\"");
  }
  double w = LeadingNumber(text.substr(0, x)), h = LeadingNumber(text.substr(x + 1));
  if (w != static_cast<int>(w) || h != static_cast<int>(h) || w < 200 || h < 100 || w > 20000 ||
      h > 20000) {
    throw UsageError("option --size: " + text + " is outside 200x100 .. 20000x20000 whole pixels");
  }
  return {static_cast<int>(w), static_cast<int>(h)};
}

}  // namespace

PictureBands PictureBandOptions(const Args& args) {
  PictureBands bands;
  if (args.has("scheme")) bands.scheme = SchemeOption(args);
  bands.levels = BandLevels(args);
  bands.lines = args.has("lines");
  if ((args.has("bands") || bands.lines) && !bands.scheme) {
    throw UsageError("--bands and --lines go with --scheme");
  }
  return bands;
}

void WritePicture(CliContext& ctx, const std::string& png, const std::string& size,
                  const std::string& gridPath, bool labels, const PictureBands& bands) {
  auto [width, height] = ParseSize(size);
#ifdef SONVALE_WITH_RENDER
  Project& p = ctx.app.project;
  const Extent& e = p.extent;
  p.View = ViewWindow{e.Xmin, e.Ymin, e.Xmax, e.Ymax};
  LayerVisibility layers;  // a picture for a report labels buildings and barriers by default
  layers.Lcase = layers.Lbarriere = labels;

  std::optional<GridData> grid;
  if (!gridPath.empty()) grid = ReadLevelGrid(gridPath);
  MapPictureOptions options;
  options.width = width;
  options.height = height;
  options.grid = grid ? &*grid : nullptr;
  if (grid && bands.scheme) {
    for (const Band& b : BandsOver(bands.levels, RangeOf(*grid))) {
      options.bands.push_back(
          PictureBand{b.lo, b.hi, BandColour(*bands.scheme, b.lo), BandLabel(b, bands.levels)});
    }
    if (bands.lines) {
      for (Polyline& line : Gis().traceIsolines(*grid, bands.levels))
        options.lines.push_back(std::move(line));
    }
  }
  QImage image;
  try {
    image = RenderMapPicture(p, layers, options);
  } catch (const std::runtime_error& err) {
    if (dynamic_cast<const FileError*>(&err) || dynamic_cast<const FormatError*>(&err)) throw;
    throw CliExit{kExitBadInput, p.ProjectFileName + ": " + err.what()};
  }
  SaveMapPicture(image, png);
  if (!ctx.ui.quiet) std::cout << "written " << png << "\n";
#else
  (void)ctx;
  (void)png;
  (void)gridPath;
  (void)labels;
  (void)bands;
  (void)width;
  (void)height;
  throw CliExit{kExitFailure, "this sonvale-cli was built without Qt: it draws no pictures"};
#endif
}

int CmdDraw(CliContext& ctx, const std::vector<std::string>& argv) {
  Args args =
      ParseCommandArgs(argv, {"no-labels", "lines"}, {"png", "size", "grid", "scheme", "bands"});
  if (args.has("help")) {
    std::cout << kDrawUsage;
    return kExitOk;
  }
  std::string path = args.positional(0, "project file");
  std::optional<std::string> png = args.value("png");
  if (!png || png->empty()) throw UsageError("option --png FILE.png is required");
  std::string size = args.value("size").value_or(kDefaultPictureSize);
  ParseSize(size);  // a bad size is refused before any work
  PictureBands bands = PictureBandOptions(args);
  StartCli(ctx, args);
  ReadCliProject(ctx, args, path, true);
  WritePicture(ctx, *png, size, args.value("grid").value_or(""), !args.has("no-labels"), bands);
  return kExitOk;
}

}  // namespace sonvale
