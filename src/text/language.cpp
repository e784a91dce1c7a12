#include "text/language.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <utility>

#include "platform/numbers.h"
#include "platform/textfile.h"

namespace text {

LanguageTable& Lang() {
    static LanguageTable t;
    return t;
}

QString FormMessage(int i) {
    const auto& m = Lang().FormMessages;
    return i >= 0 && i < static_cast<int>(m.size()) ? m[i] : QString();
}

QString LanguageCode(const LanguageTable& table) {
    const QString h = table.Header.toLower();
    return h.contains(QString::fromUtf8("français")) || h.contains(QLatin1String("francais"))
               ? QStringLiteral("fr")
               : QStringLiteral("en");
}

QString FormText(int i) {
    const auto& t = Lang().FormTexts;
    return i >= 0 && i < static_cast<int>(t.size()) ? t[i] : QString();
}

namespace {
// A whole entry replaced.
const std::pair<const char*, const char*> kFrenchEntries[] = {
    {"A propos", "À propos"},
    {"Catalogue d'étoile", "Catalogue d'étoiles"},
};
// Parts of entries replaced, in this order.
const std::pair<const char*, const char*> kFrenchParts[] = {
    {"1-Download", "1-Télécharger"},
    {"4-Full map", "4-Carte"}, // "carte complète" is too wide for its button
    {"Mag fullmap:", "Mag carte complète:"},
    {"dans Fullmap", "dans la carte complète"},
    {"Img:", "Image:"},
    {"Epoque:", "Équinoxe:"},
    {"Epoch:", "Équinoxe:"},
    {"Super Etalonage", "Super étalonnage"},
    {"Etalonage", "Étalonnage"},
    {"étalonage", "étalonnage"},
    {"puis Load", "puis Charger"},
    {"sur Load", "sur Charger"},
};

QString mendFrench(QString text) {
    for (const auto& [wrong, right] : kFrenchEntries)
        if (text == QString::fromUtf8(wrong)) text = QString::fromUtf8(right);
    for (const auto& [wrong, right] : kFrenchParts)
        text.replace(QString::fromUtf8(wrong), QString::fromUtf8(right));
    // French puts a (non-breaking) space before a colon that ends a word.
    static const QRegularExpression colon(QStringLiteral("([^\\s\\x{00a0}]):(?=\\s|$)"));
    text.replace(colon, QStringLiteral("\\1\u00a0:"));
    return text;
}
} // namespace

void MendFrenchTexts(LanguageTable& table) {
    if (LanguageCode(table) != QLatin1String("fr")) return;
    for (auto* section :
         {&table.ConfigTexts, &table.Config2Texts, &table.FormTexts, &table.WizardTexts,
          &table.SuggestionTexts, &table.InfoTexts, &table.ModeTexts})
        for (QString& text : *section)
            if (!text.startsWith(QLatin1Char('['))) text = mendFrench(text);
}

void DeriveFormMessages(LanguageTable& table) {
    for (int i = 0; i <= 27; ++i)
        table.FormMessages[i] = table.FormTexts[i + 49];
}

LanguageReadResult ReadLanguageFile(const QString& path, LanguageTable& table) {
    LanguageReadResult result;
    const auto read = textfile::ReadLines(path);
    if (!read) {
        result.read = read.error();
        result.problems << path + QStringLiteral(": ") + read.error().message;
        return result;
    }
    const QStringList& lines = read.value();

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
        result.problems
            << QCoreApplication::translate("LanguageFile", "%1: the file is empty").arg(path);
        return result;
    }
    table.Header = lines.first();
    QString current = lines.first();
    qsizetype next = 1;
    for (const Section& s : sections) {
        const QString end = QString::fromLatin1(s.endHeader);
        int index = s.firstIndex - 1;
        bool surplus = false;
        while (current != end) {
            if (next >= lines.size()) {
                result.problems << QCoreApplication::translate("LanguageFile",
                                                               "%1: the file ends before \"%2\"")
                                       .arg(path, end);
                return result;
            }
            current = lines[next++];
            ++index;
            if (index < static_cast<int>(s.array->size())) {
                (*s.array)[index] = current;
            } else if (!surplus) {
                surplus = true;
                result.problems
                    << QCoreApplication::translate(
                           "LanguageFile",
                           "%1: too many lines in the %2 section; the surplus is ignored")
                           .arg(path, QString::fromLatin1(s.name));
            }
        }
    }
    return result;
}

namespace {
QString entry(const std::vector<QString>& texts, int i) {
    return i >= 0 && i < static_cast<int>(texts.size()) ? texts[i] : QString();
}
} // namespace

QString SuggestionCaption(const QString& current, const QString& key, int step,
                          const QString& value1, const QString& value2) {
    const auto& s = Lang().SuggestionTexts;
    const QChar lineBreak = QLatin1Char('\n');
    if (key == QLatin1String("calcul")) {
        if (step == -1) return entry(s, 5);
        if (step != 0) return current;
        // Candidates found (x) and catalogue stars in use (y).
        QString caption = current;
        const auto x = numbers::Strict(value1);
        const auto y = numbers::Strict(value2);
        if (x && *x < 100)
            caption = entry(s, 1) + lineBreak;
        else if (x && *x > 100)
            caption = entry(s, 2) + lineBreak;
        if (y && *y > 300) caption += entry(s, 3) + lineBreak;
        if (y && *y < 100) caption += entry(s, 4) + lineBreak;
        return caption;
    }
    if (key == QLatin1String("superetalonage"))
        return step >= 0 ? entry(s, 6) : step == -1 ? entry(s, 7) : current;
    if (key == QLatin1String("etalonage")) {
        // The calibration command passes its image-loaded flag (-1 true, 0
        // false): with an image the hint explains the picking (entry 9),
        // without one it asks for an image (entry 8).
        if (step == -1 || step == 1) return entry(s, 9);
        return step <= 0 ? entry(s, 8) : current;
    }
    if (key == QLatin1String("selectstar"))
        return step == 1 ? entry(s, 10) : step == 2 ? entry(s, 11) : current;
    if (key == QLatin1String("open")) return entry(s, 12);
    if (key == QLatin1String("fullmapannuler")) return entry(s, 13);
    if (key == QLatin1String("calculannuler")) return entry(s, 14);
    if (key == QLatin1String("softupdate")) return entry(s, 15);
    return current;
}

} // namespace text
