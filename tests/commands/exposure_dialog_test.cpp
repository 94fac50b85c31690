// The dialog "Esposizione facciate" without its window: first texts, and the
// field named by the message when a text cannot be read.
#include "commands/exposure_dialog.h"

#include <gtest/gtest.h>

#include <variant>

namespace sonvale {
namespace {

TEST(ExposureDialog, FirstTextsReadIntoTheDefaultChoices) {
  AppState app;
  app.project.ProjectFileName = "/data/town.svp";
  ExposureTexts t = DefaultExposureTexts(app);
  EXPECT_EQ(t[static_cast<size_t>(ExposureField::OutDir)], "/data/town_esposizione");
  EXPECT_EQ(t[static_cast<size_t>(ExposureField::Population)], "");  // no side file there
  auto read = ReadExposureTexts(t);
  ASSERT_TRUE(std::holds_alternative<ExposureDialogResult>(read));
  ExposureDialogResult r = std::get<ExposureDialogResult>(read);
  EXPECT_EQ(r.outDir, "/data/town_esposizione");
  EXPECT_EQ(r.choices.settings.method, AssignMethod::Median);
  EXPECT_EQ(r.choices.settings.periods.day, 12);
  EXPECT_EQ(r.choices.facade.height, 4);
  EXPECT_EQ(r.choices.facade.distance, 0.1);
  EXPECT_EQ(r.choices.estimate.squareMetresPerPerson, 0);
  EXPECT_EQ(ExposureMethodItems().size(), 3u);

  t[static_cast<size_t>(ExposureField::Method)] = "loudest";
  t[static_cast<size_t>(ExposureField::Periods)] = " 14,2,8 ";
  t[static_cast<size_t>(ExposureField::Estimate)] = "35";
  r = std::get<ExposureDialogResult>(ReadExposureTexts(t));
  EXPECT_EQ(r.choices.settings.method, AssignMethod::Loudest);
  EXPECT_EQ(r.choices.settings.periods.evening, 2);
  EXPECT_EQ(r.choices.estimate.squareMetresPerPerson, 35);
}

TEST(ExposureDialog, BadTextsNameTheirField) {
  AppState app;
  const ExposureTexts first = DefaultExposureTexts(app);
  const struct {
    ExposureField field;
    const char* text;
  } cases[] = {{ExposureField::Periods, "12,4,9"}, {ExposureField::Height, "-1"},
               {ExposureField::Distance, "0"},     {ExposureField::Estimate, "molti"},
               {ExposureField::Method, "half"},    {ExposureField::OutDir, "  "}};
  for (const auto& c : cases) {
    ExposureTexts t = first;
    t[static_cast<size_t>(c.field)] = c.text;
    auto read = ReadExposureTexts(t);
    ASSERT_TRUE(std::holds_alternative<std::string>(read)) << c.text;
    EXPECT_EQ(std::get<std::string>(read),
              std::string("Valore non valido: ") + ExposureFieldLabel(c.field));
  }
}

}  // namespace
}  // namespace sonvale
