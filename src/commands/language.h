// The language of the window: Italian, the language the texts are written in,
// unless English is asked for with "--lang en" or by an English locale.
#pragma once

#include <string>
#include <vector>

namespace sonvale {

enum class Language { Italian, English };

struct LanguageChoice {
  Language language = Language::Italian;
  std::vector<std::string> rest;  // the arguments without the "--lang" option
};

// args without the program name; localeName is the system locale as Qt or the
// environment gives it ("en_GB", "it_IT.UTF-8", "C"). "--lang it|en" (or
// "--lang=en") wins over the locale; C, POSIX and every other locale stay Italian.
LanguageChoice ChooseLanguage(const std::vector<std::string>& args, const std::string& localeName);

}  // namespace sonvale
