// Qt's translation system, for the texts the program writes itself (tr())
// and for Qt's own dialogs and standard buttons (Yes, No, OK, Cancel). The
// captions and messages of the language files do not go through it; the two
// follow the same choice: the language of lang.cfg (LanguageCode).
#pragma once

#include <QString>

// "fr": installs translations/astroplate_fr.qm of the program folder and
// Qt's own qtbase_fr.qm; any other code (English, the language of the
// sources) removes them and installs astroplate_en.qm, which holds only the
// plural forms of the texts that count. Safe to call again with another language: the
// previous translators go first. False when a translation file was missing
// (the texts concerned stay in English).
bool UseTranslations(const QString& language);

// The language installed by the last call ("en" before any).
QString TranslationLanguage();
