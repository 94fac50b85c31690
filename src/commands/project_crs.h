// The project's coordinate reference system (an EPSG code), which the project
// file has no place for: it is kept in the project's side file, beside it with
// the extension ".svx" (town.svp -> town.svx), as a line "CRS=EPSG:n". Lines of
// other keys in that file are kept as they are. Every GIS export names it.
#pragma once

#include <optional>
#include <string>

#include "commands/gis_module.h"
#include "platform/ui.h"

namespace sonvale {

// The side file of a project file.
std::string SideFilePath(const std::string& projectFile);

// The code the side file names; nothing without a side file or a CRS line.
// Throws FormatError (file, line) when the CRS line is not "CRS=EPSG:n".
std::optional<int> ReadProjectCrs(const std::string& projectFile);

// Writes the code into the side file (nothing: removes the CRS line), keeping
// its other lines; the file is replaced only once complete.
void WriteProjectCrs(const std::string& projectFile, std::optional<int> code);

// A project saved under a new name takes its side file with it: the side file
// of from, when there is one, is copied beside to (replacing one found there).
// Returns false, with nothing changed, when the copy fails.
bool CarrySideFile(const std::string& from, const std::string& to);

// The WKT of the project's CRS for an export, "" when it names none.
std::string ProjectCrsWkt(const std::string& projectFile, const GisModule& gis);

// "Sistema di riferimento (EPSG)...": asks for the code with the current one
// proposed, checks that PROJ knows it and writes it into the side file. An
// empty answer clears it. A project without a file name is asked to be saved
// first. Returns true when the side file was written.
bool CmdSistemaRiferimento(const std::string& projectFile, Ui& ui, const GisModule& gis);

}  // namespace sonvale
