#include <gtest/gtest.h>

#include "platform/editor.h"
#include "platform/file_filter.h"

namespace sonvale {
namespace {

TEST(DesktopFileFilter, ExtensionsMatchInAnyCase) {
  EXPECT_EQ(DesktopFileFilter("SVP file|*.SVP"), "SVP file (*.SVP *.svp)");
  EXPECT_EQ(DesktopFileFilter("GRD (Surfer) file|*.GRD"), "GRD (Surfer) file (*.GRD *.grd)");
  EXPECT_EQ(DesktopFileFilter("DXF|*.dxf|Tutti|*.*"), "DXF (*.dxf *.DXF);;Tutti (*.*)");
  EXPECT_EQ(DesktopFileFilter("Testo|*.txt;*.Csv"), "Testo (*.txt *.TXT *.Csv *.CSV *.csv)");
  EXPECT_EQ(DesktopFileFilter(""), "");
}

TEST(EditorCommand, VisualThenEditorThenTheDesktopOpener) {
  ProcessCommand c = EditorCommand("/p/sonvale.ini", "code  --wait", "vi");
  EXPECT_EQ(c.program, "code");
  EXPECT_EQ(c.args, (std::vector<std::string>{"--wait", "/p/sonvale.ini"}));
  c = EditorCommand("/p/sonvale.ini", "  ", "nano");
  EXPECT_EQ(c.program, "nano");
  EXPECT_EQ(c.args, (std::vector<std::string>{"/p/sonvale.ini"}));
  c = EditorCommand("/p/my dir/sonvale.ini", nullptr, nullptr);
  EXPECT_EQ(c.program, "xdg-open");
  EXPECT_EQ(c.args, (std::vector<std::string>{"/p/my dir/sonvale.ini"}));
}

}  // namespace
}  // namespace sonvale
