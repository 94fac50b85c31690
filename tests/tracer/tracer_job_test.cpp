#include "tracer/tracer_job.h"

#include <gtest/gtest.h>

#include "support/file_contents.h"
#include "tracer/xml_text.h"
#include "tracer_test_support.h"

namespace sonvale {
namespace {

using namespace testing_tracer;

bool HasLine(const std::string& text, const std::string& line) {
  return text.find(line + "\r\n") != std::string::npos;
}
size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1)) ++n;
  return n;
}

Strada Road(const std::string& name, double day, double night) {
  Strada s;
  s.Nome = name;
  s.LeqDay = day;
  s.LeqNight = night;
  s.vertices = {{1.5, -2, 0, 0, 0}, {10, 20.25, 3, 0, 0}};
  s.NveicDay = {0, 500, 20, 10, 5, 40};
  s.NveicNight = {0, 50, 2, 1, 0, 4};
  s.VelDay = {0, 3, 2, 2, 2, 4};
  s.VelNight = {0, 4, 3, 3, 3, 5};
  return s;
}

TEST(TracerModel, RoadLinesAndNumberForms) {
  Project p;
  p.strade.addEntity() = Road("Via Roma", 65.237, 0.5);
  p.strade.addEntity().Nome = "Empty";
  Configuration c;
  std::string xml = TracerModelXml(p, c);
  const std::string expected =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
      "<EchoSuite>\r\n"
      "  <road Id=\"1\" Name=\"Via Roma\">\r\n"
      "    <poly>\r\n"
      "      <node X=\"1.5\" Y=\"-2\" Z=\"0\"/>\r\n"
      "      <node X=\"10\" Y=\"20.25\" Z=\"3\"/>\r\n"
      "    </poly>\r\n"
      "    <properties>\r\n"
      "      <leq Day=\"65.237\" Night=\".5\">\r\n"
      "        <day Bands=\"10\" db4=\"65.237\"/>\r\n"
      "        <evening Bands=\"10\"/>\r\n"
      "        <night Bands=\"10\" db4=\".5\"/>\r\n"
      "      </leq>\r\n"
      "      <traffic Class=\"1\" Time=\"Day\" Vehicles=\"500\" Speed=\"3\"/>\r\n"
      "      <traffic Class=\"1\" Time=\"Night\" Vehicles=\"50\" Speed=\"4\"/>\r\n"
      "      <traffic Class=\"2\" Time=\"Day\" Vehicles=\"20\" Speed=\"2\"/>\r\n"
      "      <traffic Class=\"2\" Time=\"Night\" Vehicles=\"2\" Speed=\"3\"/>\r\n"
      "      <traffic Class=\"3\" Time=\"Day\" Vehicles=\"10\" Speed=\"2\"/>\r\n"
      "      <traffic Class=\"3\" Time=\"Night\" Vehicles=\"1\" Speed=\"3\"/>\r\n"
      "      <traffic Class=\"4\" Time=\"Day\" Vehicles=\"5\" Speed=\"2\"/>\r\n"
      "      <traffic Class=\"4\" Time=\"Night\" Vehicles=\"0\" Speed=\"3\"/>\r\n"
      "      <traffic Class=\"5\" Time=\"Day\" Vehicles=\"40\" Speed=\"4\"/>\r\n"
      "      <traffic Class=\"5\" Time=\"Night\" Vehicles=\"4\" Speed=\"5\"/>\r\n"
      "    </properties>\r\n"
      "  </road>\r\n"
      "  <road Id=\"2\" Name=\"Empty\">\r\n"
      "    <poly>\r\n"
      "    </poly>\r\n";
  EXPECT_EQ(xml.substr(0, expected.size()), expected);
  EXPECT_EQ(xml.substr(xml.size() - 14), "</EchoSuite>\r\n");
}

TEST(TracerModel, RailLevelsSourcesObstaclesAndSwitches) {
  Project p;
  Binario& b = p.binari.addEntity();
  b.Nome = "Linea";
  b.LeqDay = 70;
  b.LeqNight = 65.237;
  b.NtreniDay = {0, 4, 12, 6};
  b.LungDay = {0, 500, 120, 300};
  b.VelDay = {0, 1, 2, 3};
  Binario& silent = p.binari.addEntity();
  silent.LeqDay = 0;
  silent.LeqNight = 0;
  Source& s = p.sources.addEntity();
  s.Nome = "Pompa";
  s.X = 5, s.Y = 6, s.Z = 1.2;
  s.Lw = 98.5, s.Lwnight = 90;
  p.case_.addEntity().vertices = {{0, 0, 9}, {10, 0, 9}, {10, 10, 9}};
  p.barriere.addEntity().vertices = {{1, 1, 3}, {2, 2, 3}};
  p.incroci.addEntity() = {7, 8, 2.5};
  Configuration c;
  c.AssCase = 0.1, c.SigmaCase = 20000, c.AssBarriere = 0.25, c.SigmaBarriere = 0.5;

  std::string xml = TracerModelXml(p, c);
  // Obstacles stay out until their diffraction is switched on.
  EXPECT_EQ(Count(xml, "<house"), 0u);
  EXPECT_EQ(Count(xml, "<barrier"), 0u);
  EXPECT_TRUE(HasLine(xml, "    <properties Absorbing=\"0.5\">"));
  EXPECT_TRUE(HasLine(xml, "      <leq Day=\"70.\" Night=\"65.24\">"));
  EXPECT_TRUE(HasLine(xml, "        <day Bands=\"10\" db4=\"70.\"/>"));
  EXPECT_TRUE(HasLine(xml, "        <night Bands=\"10\" db4=\"65.24\"/>"));
  // A silent track still writes numbers ("0.", not a bare point).
  EXPECT_TRUE(HasLine(xml, "      <leq Day=\"0.\" Night=\"0.\">"));
  EXPECT_TRUE(HasLine(
      xml, "      <traffic Class=\"1\" Time=\"Day\" Vehicles=\"4\" Length=\"500\" Speed=\"1\"/>"));
  EXPECT_TRUE(HasLine(
      xml, "      <traffic Class=\"3\" Time=\"Night\" Vehicles=\"0\" Length=\"0\" Speed=\"0\"/>"));
  EXPECT_NE(xml.find("  <point Id=\"1\" Name=\"Pompa\" Ipothesis=\"0\">\r\n"
                     "    <leq Day=\"98.5\" Night=\"90\">\r\n"
                     "      <day Bands=\"10\" db4=\"98.5\"/>\r\n"
                     "      <evening Bands=\"10\"/>\r\n"
                     "      <night Bands=\"10\" db4=\"90\"/>\r\n"
                     "    </leq>\r\n"
                     "    <position X=\"5\" Y=\"6\" Z=\"1.2\"/>\r\n"
                     "  </point>\r\n"),
            std::string::npos);
  EXPECT_NE(xml.find("  <crossing Id=\"1\">\r\n"
                     "    <leq>\r\n"
                     "      <day Bands=\"10\"/>\r\n"
                     "      <evening Bands=\"10\"/>\r\n"
                     "      <night Bands=\"10\"/>\r\n"
                     "    </leq>\r\n"
                     "    <position X=\"7\" Y=\"8\" Z=\"2.5\"/>\r\n"
                     "  </crossing>\r\n"),
            std::string::npos);

  p.DiffrCase = p.DiffrBarriere = true;
  xml = TracerModelXml(p, c);
  EXPECT_NE(
      xml.find("  <house Id=\"1\">\r\n    <poly>\r\n      <node X=\"0\" Y=\"0\" Z=\"9\"/>\r\n"),
      std::string::npos);
  EXPECT_TRUE(HasLine(xml, "    <properties Absorbing=\"0.1\" Sigma=\"20000\"/>"));
  EXPECT_TRUE(HasLine(xml, "    <properties Absorbing=\"0.25\" Sigma=\".5\"/>"));
  // Order: tracks, sources, buildings, barriers, crossings.
  EXPECT_LT(xml.find("<rail"), xml.find("<point"));
  EXPECT_LT(xml.find("<point"), xml.find("<house"));
  EXPECT_LT(xml.find("<house"), xml.find("<barrier"));
  EXPECT_LT(xml.find("<barrier"), xml.find("<crossing"));

  p.AzzeraStandard = true;
  xml = TracerModelXml(p, c);
  EXPECT_EQ(Count(xml, "<rail"), 0u);
  EXPECT_EQ(Count(xml, "<point"), 0u);
  EXPECT_EQ(Count(xml, "<house"), 1u);
  EXPECT_EQ(Count(xml, "<crossing"), 1u);

  // DiffrCase on without buildings writes none.
  Project none;
  none.DiffrCase = true;
  EXPECT_EQ(Count(TracerModelXml(none, c), "<house"), 0u);
}

TEST(TracerModel, EscapesEveryAwkwardName) {
  EXPECT_EQ(XmlEscape("A&B <\"x\"> 'y'"), "A&amp;B &lt;&quot;x&quot;&gt; &apos;y&apos;");
  EXPECT_EQ(XmlEscape("tab\tbell\x07"), "tab\tbell ");
  EXPECT_EQ(XmlEscape("caf\xE9"), "caf\xC3\xA9");      // a Latin-1 byte becomes UTF-8
  EXPECT_EQ(XmlEscape("caf\xC3\xA9"), "caf\xC3\xA9");  // valid UTF-8 is kept
}

TEST(TracerJob, PlaneSectionTerrainAndPointParameters) {
  Project p;
  Configuration c;
  c.AttCoeff = 0.0011513;
  c.DistMin = 0.5;
  p.DistMax = 2500;
  p.QuotaZ = 1.5;
  p.NdivX = 40, p.NdivY = 30;
  p.Algorithm = 1;
  GridBounds g{100, 500, 200, 800};
  SectionLine s{0, 0, 0, 30, 40, 20};
  const std::string base = "C:\\maps\\town";

  std::string plane = TracerJobXml(p, c, g, s, base, 0);
  const std::string head =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
      "<job>\r\n"
      "  <param name=\"Algorithm\" value=\"SonVale\"/>\r\n"
      "  <directory></directory>\r\n"
      "  <executable>Beamrun</executable>\r\n"
      "  <input type=\"model\">C:\\maps\\town.tmp</input>\r\n"
      "  <param name=\"Beta\" value=\"0.00115\"/>\r\n"
      "  <param name=\"MinDist\" value=\".5\"/>\r\n"
      "  <param name=\"MaxDist\" value=\"2500\"/>\r\n"
      "  <param name=\"RecGap\" value=\"5.5\"/>\r\n"
      "  <param name=\"SecY\" value=\"0\"/>\r\n"
      "  <locale/>\r\n"
      "  <param name=\"Day\" value=\"16\"/>\r\n"
      "  <param name=\"Evening\" value=\"0\"/>\r\n"
      "  <point name=\"GridMin\" x=\"100\" y=\"200\"/>\r\n"
      "  <point name=\"GridMax\" x=\"500\" y=\"800\"/>\r\n"
      "  <param name=\"GridNodesX\" value=\"41\"/>\r\n"
      "  <param name=\"GridNodesY\" value=\"31\"/>\r\n"
      "  <output type=\"grid\">C:\\maps\\town</output>\r\n"
      "  <poly>\r\n"
      "    <node X=\"100\" Y=\"200\"/>\r\n"
      "    <node X=\"500\" Y=\"200\"/>\r\n"
      "    <node X=\"500\" Y=\"800\"/>\r\n"
      "    <node X=\"100\" Y=\"800\"/>\r\n"
      "  </poly>\r\n"
      "</job>\r\n";
  EXPECT_EQ(plane, head);

  // A closed plan of 5 vertices gives its 4 corners.
  Plan& plan = p.plans.addEntity();
  plan.vertices = {{0, 0, 0}, {10, 0, 0}, {10, 5, 0}, {0, 5, 0}, {0, 0, 0}};
  p.CurrentPlan = 1;
  plane = TracerJobXml(p, c, g, s, base, 0);
  size_t poly = plane.find("  <poly>\r\n");
  EXPECT_EQ(
      plane.substr(poly),
      "  <poly>\r\n    <node X=\"0\" Y=\"0\"/>\r\n    <node X=\"10\" Y=\"0\"/>\r\n"
      "    <node X=\"10\" Y=\"5\"/>\r\n    <node X=\"0\" Y=\"5\"/>\r\n  </poly>\r\n</job>\r\n");

  p.NdivO = 50, p.NdivZ = 10;
  p.Algorithm = 3;
  std::string section = TracerJobXml(p, c, g, s, base, 2);
  EXPECT_TRUE(HasLine(section, "  <param name=\"Algorithm\" value=\"Harmonoise\"/>"));
  EXPECT_NE(section.find("  <param name=\"MaxDist\" value=\"2500\"/>\r\n"
                         "  <param name=\"GridX\" value=\".6\"/>\r\n"
                         "  <param name=\"GridY\" value=\"4\"/>\r\n"
                         "  <param name=\"SecX\" value=\"1\"/>\r\n"
                         "  <param name=\"SecY\" value=\"2\"/>\r\n"
                         "  <locale/>\r\n"),
            std::string::npos);
  EXPECT_NE(section.find("  <point name=\"GridMin\" x=\"0\" y=\"0\" z=\"0\"/>\r\n"
                         "  <point name=\"GridMax\" x=\"30\" y=\"40\" z=\"20\"/>\r\n"
                         "  <param name=\"GridNodesX\" value=\"51\"/>\r\n"
                         "  <param name=\"GridNodesY\" value=\"11\"/>\r\n"
                         "  <output type=\"grid\">C:\\maps\\town</output>\r\n"
                         "  <poly>\r\n"
                         "    <node X=\"0\" Y=\"0\" Z=\"0\"/>\r\n"
                         "    <node X=\"30\" Y=\"40\" Z=\"0\"/>\r\n"
                         "    <node X=\"30\" Y=\"40\" Z=\"20\"/>\r\n"
                         "    <node X=\"0\" Y=\"0\" Z=\"20\"/>\r\n"
                         "  </poly>\r\n"),
            std::string::npos);

  p.Algorithm = 2;
  p.FileAltimetria = "/data/dem.grd";
  std::string terrain = TracerJobXml(p, c, g, s, base, 1);
  EXPECT_NE(terrain.find("  <param name=\"Algorithm\" value=\"Interim\"/>"), std::string::npos);
  EXPECT_NE(terrain.find("  <param name=\"MaxDist\" value=\"2500\"/>\r\n"
                         "  <param name=\"SecY\" value=\"0\"/>\r\n  <locale/>\r\n"),
            std::string::npos);
  EXPECT_NE(terrain.find("  <param name=\"Evening\" value=\"0\"/>\r\n"
                         "  <input type=\"grid\">/data/dem.grd</input>\r\n"
                         "  <output type=\"grid\">C:\\maps\\town</output>\r\n</job>\r\n"),
            std::string::npos);

  p.Algorithm = 7;
  std::string points = TracerJobXml(p, c, g, s, base, kPointsMode);
  EXPECT_TRUE(HasLine(points, "  <param name=\"Algorithm\" value=\"Sonvale\"/>"));
  EXPECT_NE(points.find("  <param name=\"MaxDist\" value=\"2500\"/>\r\n  <locale/>\r\n"),
            std::string::npos);
  EXPECT_NE(points.find("  <input type=\"dat\">C:\\maps\\town.dat</input>\r\n"
                        "  <output type=\"den\">C:\\maps\\town.den</output>\r\n</job>\r\n"),
            std::string::npos);
}

TEST(TracerJob, BaseNameRules) {
  Project p;
  p.GrdName = "C:\\maps\\town.grd";
  EXPECT_EQ(TracerBase(p, "/cwd"), "C:\\maps\\town");
  p.GrdName.clear();
  p.ProjectFileName = "/home/u/area.svp";
  p.LastDxfFile = "/home/u/draw.dxf";
  EXPECT_EQ(TracerBase(p, "/cwd"), "/home/u/area");
  EXPECT_EQ(p.GrdName, "/home/u/area.grd");
  p.GrdName.clear();
  p.ProjectFileName.clear();
  EXPECT_EQ(TracerBase(p, "/cwd"), "/home/u/draw");
  p.GrdName.clear();
  p.LastDxfFile.clear();
  EXPECT_EQ(TracerBase(p, "/cwd"), "/cwd/GRIDTMP");
  EXPECT_EQ(p.GrdName, "/cwd/GRIDTMP.grd");
}

TEST(TracerJob, FilesInTheCurrentFolderReceiversOfTheChosenSetAndRefusals) {
  fs::path dir = FreshDir("job");
  TracerSession app;
  Project& p = app.project;
  p.NdivX = p.NdivY = 2;
  // Punto and receiver coordinates differ, so the list shows which set was written.
  p.punti.addEntity() = {1, 2, 3, "P1"};
  app.project.receivers.addEntity() = {1.5, -2, 10};
  app.project.receivers.addEntity() = {123456.25, 0.5, 0};

  TracerJobFiles grid = WriteTracerJob(app.context(), false, ReceiverSet::Punti, dir.string(), 0);
  EXPECT_EQ(p.GrdName, (dir / "GRIDTMP.grd").string());
  EXPECT_EQ(grid.model, (dir / "GRIDTMP.tmp").string());
  EXPECT_EQ(grid.job, (dir / "GRIDTMP.job").string());
  EXPECT_TRUE(grid.receivers.empty());
  EXPECT_TRUE(fs::exists(grid.model));
  EXPECT_TRUE(fs::exists(grid.job));
  EXPECT_FALSE(fs::exists(dir / "GRIDTMP.dat"));

  TracerJobFiles pts = WriteTracerJob(app.context(), true, ReceiverSet::Rec, dir.string(), 0);
  EXPECT_EQ(FileContents(pts.receivers),
            " 1.5          -2             10 \r\n"
            " 123456.25     .5            0 \r\n");
  EXPECT_EQ(p.ModoMappatura, MappingMode::Plane);  // the point job does not leave the mode changed
  DeleteTracerInputs(pts);
  EXPECT_FALSE(fs::exists(pts.job));
  EXPECT_FALSE(fs::exists(pts.model));
  EXPECT_FALSE(fs::exists(pts.receivers));

  // No division: refused before any file is written.
  fs::path other = FreshDir("job_refused");
  p.GrdName = (other / "x.grd").string();
  p.NdivY = 0;
  EXPECT_THROW(WriteTracerJob(app.context(), false, ReceiverSet::Punti, other.string(), 0),
               TracerJobRefused);
  p.ModoMappatura = MappingMode::Section;
  p.NdivO = 0, p.NdivZ = 10;
  EXPECT_THROW(WriteTracerJob(app.context(), false, ReceiverSet::Punti, other.string(), 0),
               TracerJobRefused);
  EXPECT_TRUE(fs::is_empty(other));
  // A point job has no grid to divide.
  EXPECT_NO_THROW(WriteTracerJob(app.context(), true, ReceiverSet::Punti, other.string(), 0));
  fs::remove_all(dir);
  fs::remove_all(other);
}

TEST(TracerJob, AwkwardNamesGiveWellFormedXml) {
  ASSERT_TRUE(HaveTool("xmllint"))
      << "xmllint is not installed (Debian libxml2-utils; tools/install-deps.sh)";
  fs::path dir = FreshDir("awkward") / "a & b <c> 'd' \"e\"";
  fs::create_directories(dir);
  TracerSession app;
  Project& p = app.project;
  p.NdivX = p.NdivY = 4;
  p.DiffrCase = true;
  p.strade.addEntity() = Road("Via \"Roma\" & <Corso> 'X'\x01 caf\xE9", 60, 50);
  p.sources.addEntity().Nome = "Pompa <1> & \"2\"";
  p.case_.addEntity().vertices = {{0, 0, 9}, {1, 0, 9}};
  p.GrdName = (dir / "map & <x>.grd").string();
  TracerJobFiles f = WriteTracerJob(app.context(), false, ReceiverSet::Punti, dir.string(), 0);
  std::string out;
  EXPECT_EQ(RunTool("xmllint --noout " + Quote(f.model), &out), 0) << out;
  EXPECT_EQ(RunTool("xmllint --noout " + Quote(f.job), &out), 0) << out;
  // The escaped name reads back as stored (control character as a blank).
  EXPECT_EQ(RunTool("xmllint --xpath 'string(//road/@Name)' " + Quote(f.model), &out), 0);
  if (!out.empty() && out.back() == '\n') out.pop_back();
  EXPECT_EQ(out, "Via \"Roma\" & <Corso> 'X'  caf\xC3\xA9");
  EXPECT_EQ(RunTool("xmllint --xpath 'string(//output)' " + Quote(f.job), &out), 0);
  if (!out.empty() && out.back() == '\n') out.pop_back();
  EXPECT_EQ(out, (dir / "map & <x>").string());
  fs::remove_all(dir.parent_path());
}

}  // namespace
}  // namespace sonvale
