// A language file (lang.cfg and its French and English versions), and the
// hints built from what it holds.
#include "support.h"
#include "text/language.h"

using namespace text;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = fuzzing::WriteScratchFile(data, size, "lang.cfg");
    LanguageTable& table = Lang();
    table = LanguageTable{};
    ReadLanguageFile(path, table);
    DeriveFormMessages(table);
    for (int i = -1; i < 32; ++i)
        (void)FormMessage(i);
    for (const char* key : {"calcul", "open", "etalo", "select", "download"})
        for (int step : {-1, 0, 1, 2, 5})
            (void)SuggestionCaption("current", QString::fromLatin1(key), step, "12", "5");
    return 0;
}
