#include "cli/cli_context.h"

#include "commands/file_commands.h"
#include "commands/startup.h"
#include "emission/emission_update.h"
#include "text/number_text.h"

namespace sonvale {

std::set<std::string> CommonFlags() { return {"yes", "quiet", "verbose", "help"}; }
std::set<std::string> CommonValued() { return {"program-dir", "year"}; }

Args ParseCommandArgs(const std::vector<std::string>& argv, std::set<std::string> flags,
                      std::set<std::string> valued) {
  flags.merge(CommonFlags());
  valued.merge(CommonValued());
  return Args(argv, flags, valued);
}

short DivisionOption(double v, const char* option) {
  if (v < 1 || v > 32767 || v != static_cast<double>(static_cast<long>(v))) {
    throw UsageError(std::string("option ") + option + " takes whole numbers from 1 to 32767");
  }
  return static_cast<short>(v);
}

void StartCli(CliContext& ctx, const Args& args) {
  ctx.ui.assumeYes = args.has("yes");
  ctx.ui.quiet = args.has("quiet");
  ctx.ui.verbose = args.has("verbose");
  StartOptions options;
  options.programDir = args.value("program-dir").value_or("");
  options.argv0 = ctx.argv0;
  if (!StartUp(ctx.app, ctx.ui, options)) {
    throw CliExit{kExitBadInput, "cannot start: configuration or emission tables unreadable in " +
                                     ctx.app.ProgramDir};
  }
}

void ReadCliProject(CliContext& ctx, const Args& args, const std::string& path,
                    bool yearOverrides) {
  std::optional<std::string> year = args.value("year");
  if (year && !IsNumber(*year)) {
    throw UsageError("option --year needs a number, not \"" + *year + "\"");
  }
  if (year) ctx.ui.inputAnswers[kYearPrompt] = *year;
  ReadProjectInto(ctx.app, ctx.ui, path);
  ctx.app.project.ProjectFileName = path;
  if (year && yearOverrides) {
    ctx.app.project.Anno = static_cast<long>(LeadingNumber(*year));
    UpdateEmissions(ctx.app.project, ctx.app.config, ctx.app.tables);
  }
}

}  // namespace sonvale
