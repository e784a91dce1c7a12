#include "text/language.h"

#include "settings/textfile.h"

LanguageTable& Lang() {
    static LanguageTable t;
    return t;
}

QString FormMessage(int i) {
    const auto& m = Lang().FormMessages;
    return i >= 0 && i < static_cast<int>(m.size()) ? m[i] : QString();
}

void DeriveFormMessages(LanguageTable& table) {
    for (int i = 0; i <= 27; ++i)
        table.FormMessages[i] = table.FormTexts[i + 49];
}

LanguageReadResult ReadLanguageFile(const QString& path, LanguageTable& table) {
    LanguageReadResult result;
    QStringList lines;
    QString error;
    if (!textfile::readLines(path, lines, &error)) {
        result.problems << path + QStringLiteral(": ") + error;
        return result;
    }
    result.opened = true;

    struct Section {
        std::vector<QString>* array;
        const char* endHeader;
        int firstIndex;
        const char* name;
    };
    const Section sections[] = {
        {&table.ConfigTexts, "[CONFIG2]", 1, "first"},
        {&table.Config2Texts, "[FORM]", 1, "[CONFIG2]"},
        {&table.FormTexts, "[WIZARD]", 1, "[FORM]"},
        {&table.WizardTexts, "[SUGESTIONS]", 1, "[WIZARD]"},
        {&table.SuggestionTexts, "[INFO]", 0, "[SUGESTIONS]"},
        {&table.InfoTexts, "[MODE]", 1, "[INFO]"},
        {&table.ModeTexts, "[END]", 1, "[MODE]"},
    };

    // The current line starts as the header line. Each section reads lines
    // until the current line is the header that ends it; that header is
    // stored too, as the section's last entry.
    if (lines.isEmpty()) {
        result.problems << QStringLiteral("%1: the file is empty").arg(path);
        return result;
    }
    QString current = lines.first();
    qsizetype next = 1;
    for (const Section& s : sections) {
        const QString end = QString::fromLatin1(s.endHeader);
        int index = s.firstIndex - 1;
        bool surplus = false;
        while (current != end) {
            if (next >= lines.size()) {
                result.problems << QStringLiteral("%1: the file ends before \"%2\"").arg(path, end);
                return result;
            }
            current = lines[next++];
            ++index;
            if (index < static_cast<int>(s.array->size())) {
                (*s.array)[index] = current;
            } else if (!surplus) {
                surplus = true;
                result.problems
                    << QStringLiteral(
                           "%1: too many lines in the %2 section; the surplus is ignored")
                           .arg(path, QString::fromLatin1(s.name));
            }
        }
    }
    return result;
}
