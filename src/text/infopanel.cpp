#include "text/infopanel.h"

#include "platform/numbers.h"
#include "reduction/precession.h"
#include "reduction/sexagesimal.h"
#include "text/language.h"

#include <QCoreApplication>
#include <QStringList>

using namespace reduction;

namespace text {

namespace details {
namespace {

QString I(int n) {
    const auto& t = Lang().InfoTexts;
    return n >= 0 && n < static_cast<int>(t.size()) ? t[n] : QString();
}

QString title(const QString& text) {
    return QStringLiteral("<B><I><S><S2>") + text + QStringLiteral("</B></I></S></S2>");
}
QString spacer() {
    return QStringLiteral("   ");
}
QString heading(const QString& text) {
    return QStringLiteral("<B>") + text + QStringLiteral("</B>");
}
QString field(int label, const QString& value) {
    return QStringLiteral("   <B>") + I(label) + QStringLiteral("</B>") + value;
}
// A field with one blank between label and value.
QString spacedField(int label, const QString& value) {
    return QStringLiteral("   <B>") + I(label) + QStringLiteral("</B> ") + value;
}

QString raText(double ra) {
    return numbers::Text(numbers::RoundHalfEven(ra, 5)) + QStringLiteral("  (") +
           FormatSexagesimal(ra / 15.0, QStringLiteral("H")) + QLatin1Char(')');
}
QString decText(double dec) {
    return numbers::Text(numbers::RoundHalfEven(dec, 5)) + QStringLiteral("  (") +
           FormatSexagesimal(dec, QString::fromUtf8("°")) + QLatin1Char(')');
}

// Heading and the two coordinate fields of the position at the typed equinox.
void appendPrecessed(QStringList& lines, double ra, double dec, const QString& equinox) {
    const PrecessionDelta d = PrecessFromJ2000(numbers::Lenient(equinox), ra, dec);
    lines << heading(I(4) + QStringLiteral(" (J") + equinox + QLatin1Char(')'));
    lines << field(9, raText(ra + d.dRA));
    lines << field(10, decText(dec + d.dDec));
}

QString joined(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

QString StarInfoMarkup(const QString& identifier, double ra, double dec, const QString& magRed,
                       const QString& magBlue, const QString& equinox) {
    QStringList l;
    l << title(identifier) << spacer() << heading(I(1));
    l << field(6, identifier) << field(7, magRed) << field(8, magBlue) << spacer();
    l << heading(I(3)) << field(9, raText(ra)) << field(10, decText(dec)) << spacer();
    appendPrecessed(l, ra, dec, equinox);
    l << spacer() << heading(I(5)) << field(11, identifier);
    return joined(l);
}

QString PointInfoMarkup(double ra, double dec, const QString& equinox) {
    QStringList l;
    l << title(I(2)) << spacer();
    l << heading(I(3)) << field(9, raText(ra)) << field(10, decText(dec)) << spacer();
    appendPrecessed(l, ra, dec, equinox);
    l << spacer();
    return joined(l);
}

QString MinorPlanetInfoMarkup(const QString& designation, const QString& name, double ra,
                              double dec, const QString& magnitude, const QString& motion2,
                              const QString& motion1) {
    QStringList l;
    l << title(name + I(14)) << spacer() << heading(I(1));
    l << field(12, name) << field(13, designation) << field(15, magnitude) << spacer();
    l << heading(I(3)) << field(9, raText(ra)) << field(10, decText(dec)) << spacer();
    l << heading(I(16)) << field(17, motion2) << field(18, motion1);
    return joined(l);
}

namespace {
// The object types of the NGC/IC files, shown in the user's language; the
// English text is the file's own word.
const char* const kDeepSkyTypes[] = {
    QT_TRANSLATE_NOOP("DeepSkyType", "Galaxy"),   QT_TRANSLATE_NOOP("DeepSkyType", "OpenCl"),
    QT_TRANSLATE_NOOP("DeepSkyType", "Star"),     QT_TRANSLATE_NOOP("DeepSkyType", "Other"),
    QT_TRANSLATE_NOOP("DeepSkyType", "Nebula"),   QT_TRANSLATE_NOOP("DeepSkyType", "MultStar"),
    QT_TRANSLATE_NOOP("DeepSkyType", "GlobCl"),   QT_TRANSLATE_NOOP("DeepSkyType", "PlanNeb"),
    QT_TRANSLATE_NOOP("DeepSkyType", "Asterism"), QT_TRANSLATE_NOOP("DeepSkyType", "GalClust"),
    QT_TRANSLATE_NOOP("DeepSkyType", "SNR")};

// The description with its type word translated, its spacing kept.
QString translatedType(QString description) {
    const QString word = description.trimmed();
    for (const char* type : kDeepSkyTypes)
        if (word == QLatin1String(type))
            return description.replace(word, QCoreApplication::translate("DeepSkyType", type));
    return description;
}
} // namespace

QString DeepSkyInfoMarkup(const QString& name, double ra, double dec, const QString& magnitude,
                          double size1, double size2, const QString& rawDescription,
                          const QString& pgcName, const QString& otherName1,
                          const QString& otherName2) {
    const QString description = translatedType(rawDescription);
    QStringList l;
    l << title(name) << spacer() << heading(I(1));
    l << spacedField(12, name) << spacedField(19, description) << field(15, magnitude);
    l << spacedField(20, numbers::Text(size1) + QStringLiteral(" x ") + numbers::Text(size2))
      << spacer();
    l << heading(I(3)) << field(9, raText(ra)) << field(10, decText(dec)) << spacer();
    l << heading(I(5));
    if (pgcName != QLatin1String("PGC 0")) l << spacer() + pgcName;
    l << spacer() + otherName1 << spacer() + otherName2;
    return joined(l);
}

} // namespace details

} // namespace text
