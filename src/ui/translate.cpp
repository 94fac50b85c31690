#include "ui/translate.h"

#include <QCoreApplication>

#include "commands/message_language.h"

namespace sonvale {
namespace {

// A caption every translation translates: when it comes back as it is, the
// window shows the Italian texts.
constexpr const char* kProbe = "E&sci";

}  // namespace

QString Tr(std::string_view italian) {
  if (italian.empty()) return {};
  const std::string text(italian);
  return QCoreApplication::translate(kTranslationContext, text.c_str());
}

QString TrText(std::string_view italian) {
  // In Italian nothing is translated: no need to look for beginnings.
  if (QCoreApplication::translate(kTranslationContext, kProbe) == QLatin1String(kProbe))
    return QString::fromUtf8(italian.data(), static_cast<qsizetype>(italian.size()));
  const std::string out =
      TranslateText(italian, [](const std::string& t) -> std::optional<std::string> {
        const QString s = QCoreApplication::translate(kTranslationContext, t.c_str());
        const std::string found = s.toStdString();
        if (found == t) return std::nullopt;
        return found;
      });
  return QString::fromStdString(out);
}

QString AccessibleTr(std::string_view caption) {
  QString s = Tr(caption);
  s.remove(QLatin1Char('&'));
  return s.trimmed();
}

}  // namespace sonvale
