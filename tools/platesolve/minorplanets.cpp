// platesolve minor-planets: computes the minor-planet answer from an element
// file (MPCORB.DAT, plain or .gz, or the JSON element file) and writes it to
// FILE as the main window stores it in data2. The typed texts go to the same
// routine the window uses.
#include "minorplanets.h"

#include "command.h"

#include "catalogues/localminorplanets.h"

#include <cstdio>

using namespace reduction;
using namespace field;
using namespace catalogues;

namespace platesolve {
namespace {

constexpr const char* kUsage =
    "usage: platesolve minor-planets --elements ELEMENTS --day D --month M --year Y\n"
    "                  --hour H --minute MIN --ra \"HH MM SS.S\" --dec \"+DD MM SS\"\n"
    "                  --radius R --limit V --answer-out FILE\n"
    "       platesolve --local-minor-planets ELEMENTS ... (the same)\n";

// Every option is required; each names the text it fills.
struct Field {
    QCommandLineOption option;
    QString* text;
};

} // namespace

int RunMinorPlanets(const QStringList& args) {
    QString elements, answer, ra, dec;
    MinorPlanetFields t;
    const auto s = [](const char* text) { return QString::fromLatin1(text); };
    using O = QCommandLineOption;
    const Field fields[] = {
        {O({s("elements"), s("local-minor-planets")},
           s("the element file: MPCORB.DAT, MPCORB.DAT.gz or asteroids.dat"), s("ELEMENTS")),
         &elements},
        {O(s("day"), s("the day of the instant (UTC)"), s("D")), &t.date[0]},
        {O(s("month"), s("its month"), s("M")), &t.date[1]},
        {O(s("year"), s("its year"), s("Y")), &t.date[2]},
        {O(s("hour"), s("its hour"), s("H")), &t.date[3]},
        {O(s("minute"), s("its minute"), s("MIN")), &t.date[4]},
        {O(s("ra"), s("the field centre's right ascension"), s("\"HH MM SS.S\"")), &ra},
        {O(s("dec"), s("the field centre's declination"), s("\"+DD MM SS\"")), &dec},
        {O(s("radius"), s("the search radius in arc-minutes"), s("R")), &t.radius},
        {O(s("limit"), s("the faintest V magnitude listed"), s("V")), &t.limit},
        {O(s("answer-out"), s("the answer file to write"), s("FILE")), &answer},
    };
    QList<QCommandLineOption> options;
    for (const Field& f : fields)
        options.append(f.option);
    CommandLine line(QString::fromLatin1(kUsage), options);
    line.parse(args);
    for (const Field& f : fields) {
        const QString name = f.option.names().constFirst();
        if (!line.isSet(name))
            Fail(QStringLiteral("--%1 is required\n%2").arg(name, QString::fromLatin1(kUsage)));
        *f.text = line.value(name);
    }

    t.ra = ReadTypedAngle(QStringLiteral("ra"), ra, true, false).fields;
    const TypedAngle typedDec = ReadTypedAngle(QStringLiteral("dec"), dec, true, true);
    t.dec = typedDec.fields;
    t.decSign = typedDec.sign;
    const auto result = WriteLocalMinorPlanetAnswer(elements, t, answer);
    if (!result) Fail(result.error().message);
    for (const QString& w : result->warnings)
        Note(w);
    std::printf("%s\n", qPrintable(result->status));
    return kSuccess;
}

} // namespace platesolve
