#include "text/widgets/translations.h"

#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace {

struct Installed {
    QString language = QStringLiteral("en");
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> qt;
};

Installed& installed() {
    static Installed state;
    return state;
}

std::unique_ptr<QTranslator> load(const QString& file, const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file, folder)) return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

} // namespace

bool UseTranslations(const QString& language) {
    Installed& s = installed();
    for (auto* t : {&s.program, &s.qt})
        if (*t) {
            QCoreApplication::removeTranslator(t->get());
            t->reset();
        }
    s.language = QStringLiteral("en");
    const QString folder = programfolder::File(QStringLiteral("translations"));
    if (language != QLatin1String("fr")) {
        // English texts are the sources; only their plural forms are looked up.
        s.program = load(QStringLiteral("astroplate_en"), folder);
        return true;
    }
    s.language = language;
    s.program = load(QStringLiteral("astroplate_fr"), folder);
    s.qt = load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return s.program && s.qt;
}

QString TranslationLanguage() {
    return installed().language;
}
