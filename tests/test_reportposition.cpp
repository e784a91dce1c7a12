// The report of a measured point without the window: the minor planet of the
// map it is offered as, and the line built from the typed texts (the centring
// and the plate are checked through the window).
#include "catalogues/reportposition.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void AddRow(MinorPlanetTable& t, const QString& designation, const QString& name, double ra,
            double dec, double corrAsd, double corrDec) {
    const int i = ++t.count;
    t.designation[i] = designation;
    t.name[i] = name;
    t.ra[i] = QString::number(std::round(ra * corrAsd), 'f', 0);
    t.dec[i] = QString::number(std::round(dec * corrDec), 'f', 0);
}

ReportTexts Texts() {
    ReportTexts t;
    t.designation = QStringLiteral("433");
    t.date = {QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("2022"),
              QStringLiteral("21"), QStringLiteral("36")};
    t.band = QStringLiteral("V");
    t.observatory = QStringLiteral("500");
    return t;
}

} // namespace

TEST(ReportPosition, NearestMinorPlanetOfTheMapInPackedForm) {
    const double asd = 833.27, dec = 1575.63;
    MinorPlanetTable t;
    AddRow(t, QStringLiteral("  2105"), QStringLiteral("Gudy"), 341.9, 58.0, asd, dec);
    AddRow(t, QString(), QStringLiteral("2022HK5"), 341.8, 58.05, asd, dec);
    // Just past 0h, stored beside a field at 23h59m as the reader unwraps it.
    AddRow(t, QStringLiteral("123456"), QStringLiteral("1998SK"), 360.02, 58.0, asd, dec);

    auto n = NearestMinorPlanet(t, asd, dec, {341.79, 58.05});
    ASSERT_TRUE(n);
    EXPECT_EQ(n->row, 2);
    EXPECT_EQ(n->packed, QLatin1String("K22H05K"));
    EXPECT_EQ(n->label, QLatin1String("2022 HK5"));
    EXPECT_NEAR(n->arcminutes, 0.01 * std::cos(58.05 * 3.14159265 / 180) * 60, 0.1);

    n = NearestMinorPlanet(t, asd, dec, {0.01, 58.0});
    ASSERT_TRUE(n);
    EXPECT_EQ(n->row, 3);
    EXPECT_EQ(n->packed, QLatin1String("C3456"));
    EXPECT_EQ(n->label, QLatin1String("(123456) 1998 SK"));
    EXPECT_LT(n->arcminutes, 1.0);

    // Offered only when it is close: 0.6' away yes, 6' away no.
    ReportDraft draft;
    draft.nearest = NearestMinorPlanet(t, asd, dec, {341.8, 58.06});
    EXPECT_EQ(OfferedDesignation(draft), QLatin1String("K22H05K"));
    draft.nearest = NearestMinorPlanet(t, asd, dec, {341.8, 58.15});
    EXPECT_EQ(OfferedDesignation(draft), QString());

    t.count = 0;
    EXPECT_FALSE(NearestMinorPlanet(t, asd, dec, {341.8, 58.0}));

    EXPECT_EQ(PackedDesignation(QStringLiteral("   945"), QStringLiteral("Barcelona")),
              QLatin1String("00945"));
    EXPECT_EQ(PackedDesignation(QString(), QStringLiteral("2040P-L")), QLatin1String("PLS2040"));
    EXPECT_EQ(PackedDesignation(QString(), QStringLiteral("Unnamed")), QString());
}

TEST(ReportPosition, LineFromTheTypedTexts) {
    const SkyPoint sky{341.812042, 57.786152};
    QString error;
    ReportTexts t = Texts();
    auto line = ReportLine(t, sky, error);
    ASSERT_TRUE(line) << error.toStdString();
    EXPECT_EQ(*line, QStringLiteral("00433         C2022 10 10.90000 22 47 14.89 +57 47 10.1") +
                         QString(22, u' ') + QStringLiteral("500"));

    t.magnitude = QStringLiteral("14,46");
    t.band = QStringLiteral(" R ");
    line = ReportLine(t, sky, error);
    ASSERT_TRUE(line) << error.toStdString();
    EXPECT_EQ(line->mid(65, 6), QLatin1String("14.5 R"));

    // Each wrong text is named; no line comes out.
    const struct {
        void (*spoil)(ReportTexts&);
        const char* named;
    } cases[] = {
        {[](ReportTexts& b) { b.date[3] = QStringLiteral("9.5"); }, "hour"},
        {[](ReportTexts& b) { b.date[0] = QStringLiteral("31"), b.date[1] = QStringLiteral("11"); },
         "not a date"},
        {[](ReportTexts& b) { b.magnitude = QStringLiteral("bright"); }, "bright"},
        {[](ReportTexts& b) { b.magnitude = QStringLiteral("15"), b.band = QStringLiteral("VR"); },
         "band"},
        {[](ReportTexts& b) { b.observatory = QStringLiteral("50"); }, "observatory"},
        {[](ReportTexts& b) { b.designation = QStringLiteral("a b"); }, "a b"},
    };
    for (const auto& c : cases) {
        ReportTexts bad = Texts();
        c.spoil(bad);
        QString why;
        EXPECT_FALSE(ReportLine(bad, sky, why)) << c.named;
        EXPECT_TRUE(why.contains(QLatin1String(c.named))) << why.toStdString();
    }
}
