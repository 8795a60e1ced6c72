#pragma once

#include "zeft_LanguageResources.h"

#include <QString>

namespace zeft {

/// Base name of Qt's own translation for the interface language ("qtbase_de", "qtbase_fr"):
/// the standard buttons, the file and the print dialogs. Empty for English and for every
/// language the program has no texts of its own for, whose texts are English.
QString QtTranslationName(TLanguageId language);

/// Installs Qt's translation for the language from Qt's translations folder in place of the
/// one installed before, or none for English. Returns whether a translation is installed now
/// (false as well when the file is missing: Qt's texts then stay English).
bool ApplyQtTranslations(TLanguageId language);

} // namespace zeft
