#include "commands/startup.h"

#include "commands/file_commands.h"
#include "platform/paths.h"
#include "platform/program_dir.h"
#include "platform/regional_check.h"
#include "project/configuration.h"
#include "project/emission_tables.h"
#include "text/translatable.h"

namespace sonvale {

std::string ProjectPathFromCommandLine(const std::string& commandLine) {
  if (commandLine.size() >= 2 && commandLine.front() == '"' && commandLine.back() == '"')
    return commandLine.substr(1, commandLine.size() - 2);
  return commandLine;
}

void LoadConfigurationAndTables(Document& doc) {
  doc.config = ReadConfiguration(JoinPath(doc.ProgramDir, "sonvale.ini"));
  doc.tables = LoadEmissionTables(TablePath(doc.ProgramDir, doc.config.TablesDir, ""));
}

bool StartUp(AppState& app, Ui& ui, const StartOptions& options) {
  app.ProgramDir = ResolveProgramDir(options.programDir, options.argv0);
  Project& p = app.project;
  p.DistMax = 2500;
  p.Anno = 2008;
  app.RegionalOK = true;
  app.Saved = true;
  p.AzzeraStandard = p.IgnoraRidFonoass = p.AzzeraFonoass = p.IgnoraFisse = false;
  p.Algorithm = 1;
  if (!FileExists(JoinPath(app.ProgramDir, "beamrun")) &&
      !FileExists(JoinPath(app.ProgramDir, "beamrun.exe"))) {
    p.Algorithm = 0;
    app.TracerMissing = true;
  }

  ForceCNumericLocale();
  app.RegionalOK = RegionalFormatOK();
  if (!app.RegionalOK) {
    ui.message(Message{"Warning - incompatible settings!",
                       "Your regional settings are not compatible with Sonvale. Do You want to "
                       "change them now?",
                       Buttons::YesNo, Icon::Critical, Answer::Yes});
    return false;
  }

  p.extent = Extent{};
  try {
    LoadConfigurationAndTables(app);
  } catch (const std::exception& e) {
    ui.message(Message{ProgramTitle(),
                       std::string(SV_TR("sonvale", "Impossibile avviare: ")) + e.what(),
                       Buttons::Ok, Icon::Critical, Answer::Ok});
    return false;
  }
  p.DistMax = app.config.DistMax;
  p.NdivX = p.NdivO = app.config.NdivX;
  p.NdivY = p.NdivZ = app.config.NdivY;
  p.Diurno = true;
  p.ModoMappatura = MappingMode::Plane;
  app.ProjectBase.assign(1, '*');  // as `= "*"`, which GCC 12 misreads as an overlapping copy
  app.setEnabled(ui, "Calcolo", false);  // until a project is open

  std::string path = ProjectPathFromCommandLine(options.commandLine);
  if (!path.empty()) {
    app.project.ProjectFileName = path;
    if (LoadProject(app, ui, path)) {
      app.ProjectBase = BaseNameUpToFirstDot(path);
      const Extent& e = app.project.extent;
      app.project.View = ViewWindow{e.Xmin, e.Ymin, e.Xmax, e.Ymax};
      app.view().drawMap(true);
      ui.setTitle(ProjectTitle(app));
      app.setEnabled(ui, "Calcolo", true);
    }
  }
  return true;
}

}  // namespace sonvale
