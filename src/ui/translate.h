// The window's texts in the language shown. The texts are written in Italian,
// in the core and here, and marked for lupdate (SV_TR in the core, Tr here);
// Tr looks a text up in the loaded translation and falls back to the Italian.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "text/translatable.h"

namespace sonvale {

inline constexpr const char* kTranslationContext = "sonvale";

QString Tr(std::string_view italian);
// A text of the core that may hold names and numbers (messages, status lines):
// translated whole, else line by line and by its known beginnings.
QString TrText(std::string_view italian);
// The name a screen reader gives a control of this caption, in the language shown.
QString AccessibleTr(std::string_view caption);

}  // namespace sonvale
