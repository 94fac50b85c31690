#include "platform/regional_check.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <locale>

namespace sonvale {
namespace {

// Regional conventions of much of Europe: "," for decimals, "." for thousands.
class CommaDecimals : public std::numpunct<char> {
 protected:
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
};

TEST(RegionalCheckTest, CommaDecimalsFailUntilTheNumericLocaleIsForced) {
  std::locale before;
  std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
  EXPECT_FALSE(RegionalFormatOK());
  ForceCNumericLocale();
  EXPECT_EQ(std::use_facet<std::numpunct<char>>(std::locale()).decimal_point(), '.');
  EXPECT_TRUE(RegionalFormatOK());

  // The same for the C library, where the machine has such a locale installed.
  for (const char* name : {"de_DE.UTF-8", "it_IT.UTF-8", "fr_FR.UTF-8"}) {
    if (std::setlocale(LC_NUMERIC, name) == nullptr) continue;
    if (std::strcmp(std::localeconv()->decimal_point, ",") != 0) continue;
    EXPECT_FALSE(RegionalFormatOK()) << name;
    break;
  }
  ForceCNumericLocale();
  EXPECT_STREQ(std::localeconv()->decimal_point, ".");
  EXPECT_TRUE(RegionalFormatOK());
  std::locale::global(before);
}

}  // namespace
}  // namespace sonvale
