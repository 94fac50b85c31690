#include "tracer/launcher.h"

#include <gtest/gtest.h>

namespace sonvale {
namespace {

TEST(LaunchScript, VbsAsGivenQuotedProgramAndShellEquivalent) {
  EXPECT_EQ(LaunchScriptVbs("C:\\lumes\\programs", "\\\\server\\maps\\town.job"),
            "'VB Script che lancia Beamrun con il file job\r\n"
            "Dim oShell\r\n"
            "Set oShell = WScript.CreateObject (\"WSCript.shell\")\r\n"
            "oShell.run \"C:\\lumes\\programs\\BEAMRUN.exe \"+Chr(34) +\"town.job\" + Chr(34), 1, "
            "True\r\n");
  std::string blank = LaunchScriptVbs("C:\\Program Files\\Sonvale", "C:\\maps\\town.job");
  EXPECT_NE(blank.find("oShell.run Chr(34) +\"C:\\Program Files\\Sonvale\\BEAMRUN.exe\"+Chr(34) "
                       "+\" \"+Chr(34) +\"town.job\" + Chr(34), 1, True\r\n"),
            std::string::npos);
  EXPECT_EQ(LaunchScriptSh("/opt/my tools/beamrun", "/maps/it's.job"),
            "#!/bin/sh\n# Lancia Beamrun con il file job\ncd \"$(dirname \"$0\")\" || exit 1\n"
            "exec '/opt/my tools/beamrun' 'it'\\''s.job'\n");
}

}  // namespace
}  // namespace sonvale
