#include "commands/language.h"

namespace sonvale {
namespace {

Language FromCode(const std::string& code, Language otherwise) {
  if (code.rfind("en", 0) == 0) return Language::English;
  if (code.rfind("it", 0) == 0) return Language::Italian;
  return otherwise;
}

}  // namespace

LanguageChoice ChooseLanguage(const std::vector<std::string>& args, const std::string& localeName) {
  LanguageChoice c;
  c.language = FromCode(localeName, Language::Italian);
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--lang" && i + 1 < args.size()) {
      c.language = FromCode(args[++i], c.language);
    } else if (a.rfind("--lang=", 0) == 0) {
      c.language = FromCode(a.substr(7), c.language);
    } else {
      c.rest.push_back(a);
    }
  }
  return c;
}

}  // namespace sonvale
