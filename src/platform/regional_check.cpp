#include "platform/regional_check.h"

#include <clocale>
#include <cstring>
#include <locale>
#include <string>

#include "text/number_text.h"

namespace sonvale {

void ForceCNumericLocale() {
  try {
    std::locale::global(std::locale(std::locale(), std::locale::classic(), std::locale::numeric));
  } catch (const std::exception&) {
    // The C library setting below still applies; the check reports what remains.
  }
  // After locale::global, which may have set every category from a combined name.
  std::setlocale(LC_NUMERIC, "C");
}

bool RegionalFormatOK() {
  bool ok = true;
  try {
    if (FormatPattern(10000000, "###,###,###").find(',') == std::string::npos) ok = false;
    if (FormatPattern(13.456, "###.#####").find('.') == std::string::npos) ok = false;
  } catch (const std::exception&) {
    // A failure of the check itself does not stop the program.
  }
  const std::lconv* conv = std::localeconv();
  if (conv != nullptr && conv->decimal_point != nullptr &&
      std::strcmp(conv->decimal_point, ".") != 0)
    ok = false;
  try {
    if (std::use_facet<std::numpunct<char>>(std::locale()).decimal_point() != '.') ok = false;
  } catch (const std::exception&) {
  }
  return ok;
}

}  // namespace sonvale
