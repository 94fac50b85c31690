#include "ui/translation.h"

#include <QCoreApplication>

namespace sonvale {

bool LoadTranslation(QTranslator& translator, Language language) {
  if (language == Language::Italian) return true;
  if (!translator.load(QStringLiteral(":/i18n/sonvale_en.qm"))) return false;
  return QCoreApplication::installTranslator(&translator);
}

}  // namespace sonvale
