// The language table: every caption, message and hint that changes with the
// language, read from the program folder's lang.cfg.
//
// File layout (UTF-8 or 8-bit text, CR LF or LF line ends): a header line, then the
// sections in this order, each ended by its header line:
//   first section (Config window)   ended by "[CONFIG2]"
//   Config2 section                 ended by "[FORM]"
//   main window section             ended by "[WIZARD]"
//   wizard section                  ended by "[SUGESTIONS]"
//   hints (stored from index 0)     ended by "[INFO]"
//   info panel                      ended by "[MODE]"
//   autonomous-mode window          ended by "[END]"
// The n-th line after a header goes to index n of its array (n - 1 for the
// hints); the header that ends a section is itself stored as its last entry.
#pragma once

#include "platform/outcome.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace text {

struct LanguageTable {
    std::vector<QString> ConfigTexts = std::vector<QString>(21);
    std::vector<QString> Config2Texts = std::vector<QString>(21);
    std::vector<QString> FormTexts = std::vector<QString>(96);
    std::vector<QString> WizardTexts = std::vector<QString>(26);
    std::vector<QString> SuggestionTexts = std::vector<QString>(21);
    std::vector<QString> InfoTexts = std::vector<QString>(31);
    std::vector<QString> ModeTexts = std::vector<QString>(6);
    // The file's first line, which names its language.
    QString Header;
    // Copied from FormTexts 49..76 by ApplyLanguage("Form").
    std::vector<QString> FormMessages = std::vector<QString>(31);
};

// The program's one table (lives for the whole run).
LanguageTable& Lang();

struct LanguageReadResult {
    // The file was read, or why not (also the first of the problems).
    outcome::Status<outcome::FileError> read;
    // Problems met (file ends before "[END]", surplus lines in a section, ...);
    // empty when the file was read cleanly.
    QStringList problems;
};

// Reads a language file into `table`, overwriting the entries it provides.
// Never fails hard: what could be read is kept, surplus lines are ignored.
LanguageReadResult ReadLanguageFile(const QString& path, LanguageTable& table);

// The language of a table read from a file: "fr" when its header line names
// French, "en" otherwise. The program's own texts follow it.
QString LanguageCode(const LanguageTable& table);

// Mends the known faults of the shipped French file in the table read from
// it, leaving the file itself as it is: English words left in it
// ("1-Download", "Img:"), spelling ("Etalonage", "A propos"), the box that
// holds an equinox called an epoch, and a space before each colon. Does
// nothing to a table of another language.
void MendFrenchTexts(LanguageTable& table);

// Copies FormTexts 49..76 into FormMessages 0..27.
void DeriveFormMessages(LanguageTable& table);

// FormTexts(i) of the program's table (the main window's captions), empty
// when out of range.
QString FormText(int i);

// FormMessages(i) of the program's table, empty when out of range.
QString FormMessage(int i);

// The hint shown for `key` and `step`, given the hint label's current text:
// the current text itself when the pair has no hint. Lines of a combined hint
// are separated by line breaks. `value1` and `value2` are numbers as text
// (only the key "calcul" reads them: the candidate count and the star count).
QString SuggestionCaption(const QString& current, const QString& key, int step,
                          const QString& value1, const QString& value2);

} // namespace text
