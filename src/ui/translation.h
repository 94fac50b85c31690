// Loading the window's translation: the Italian texts need none; the English
// one is built into the program.
#pragma once

#include <QTranslator>

#include "commands/language.h"

namespace sonvale {

// Installs the translation of language into the application; false when it is
// missing (the window then stays in Italian). Italian installs nothing.
bool LoadTranslation(QTranslator& translator, Language language);

}  // namespace sonvale
