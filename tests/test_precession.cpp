// Precession against ERFA, sexagesimal texts, right ascensions about 0h.
#include "reduction/precession.h"
#include "reduction/rightascension.h"
#include "reduction/sexagesimal.h"

#include <erfa.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace reduction;

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

// ERFA's IAU 2006 precession alone (no frame bias) from J2000.0 mean to the
// mean equator and equinox of the Julian epoch `epoch`.
void precessionMatrix(double epoch, double rp[3][3]) {
    double djm0 = 0, djm = 0, rb[3][3], rbp[3][3];
    eraEpj2jd(epoch, &djm0, &djm);
    eraBp06(djm0, djm, rb, rp, rbp);
}

// Applies `r` (or its transpose) to (ra, dec) in degrees.
void rotate(double r[3][3], bool transpose, double ra, double dec, double& raOut, double& decOut) {
    double v[3], w[3], rt[3][3];
    eraS2c(ra * kDeg, dec * kDeg, v);
    if (transpose) {
        eraTr(r, rt);
        eraRxp(rt, v, w);
    } else {
        eraRxp(r, v, w);
    }
    double theta = 0, phi = 0;
    eraC2s(w, &theta, &phi);
    raOut = eraAnp(theta) / kDeg;
    decOut = phi / kDeg;
}

// Angular difference in arcseconds, right ascension scaled by cos dec.
double separationArcsec(double ra1, double dec1, double ra2, double dec2) {
    double dRa = std::remainder(ra1 - ra2, 360.0) * std::cos(dec2 * kDeg);
    const double dDec = dec1 - dec2;
    return std::hypot(dRa, dDec) * 3600.0;
}

// The largest difference from ERFA over a grid of epochs and positions up to
// `maxDec` (and up to `midDec` in `mid`), in arcseconds; `fromJ2000` chooses
// the direction.
double worstAgainstErfa(bool fromJ2000, double firstEpoch, double lastEpoch, double step,
                        double maxDec, double midDec = 0, double* mid = nullptr) {
    double worst = 0;
    for (double epoch = firstEpoch; epoch <= lastEpoch; epoch += step) {
        double rp[3][3];
        precessionMatrix(epoch, rp);
        for (double dec = -maxDec; dec <= maxDec; dec += maxDec / 20) {
            for (double ra = 0; ra < 360; ra += 7.5) {
                const PrecessionDelta d =
                    fromJ2000 ? PrecessFromJ2000(epoch, ra, dec) : PrecessToJ2000(epoch, ra, dec);
                EXPECT_TRUE(!fromJ2000 || (ra + d.dRA >= 0.0 && ra + d.dRA <= 360.0));
                double raRef = 0, decRef = 0;
                rotate(rp, !fromJ2000, ra, dec, raRef, decRef);
                const double sep = separationArcsec(ra + d.dRA, dec + d.dDec, raRef, decRef);
                worst = std::max(worst, sep);
                if (mid && std::abs(dec) <= midDec) *mid = std::max(*mid, sep);
            }
        }
    }
    return worst;
}

} // namespace

TEST(Precession, FromJ2000AgreesWithErfaOverTwoCenturies) {
    const double worst = worstAgainstErfa(true, 1900, 2100, 12.5, 89);
    RecordProperty("max_arcsec", std::to_string(worst));
    EXPECT_LT(worst, 0.015);
}

TEST(Precession, ToJ2000AgreesWithErfaAwayFromThePoles) {
    double worst60 = 0;
    const double worst = worstAgainstErfa(false, 1950, 2050, 10, 80, 60, &worst60);
    RecordProperty("max_arcsec_dec80", std::to_string(worst));
    RecordProperty("max_arcsec_dec60", std::to_string(worst60));
    EXPECT_LT(worst, 0.3);
    EXPECT_LT(worst60, 0.2);
}

TEST(Precession, EpochTwoThousandAndPoles) {
    PrecessionDelta d = PrecessToJ2000(2000.0, 123.4, 56.7);
    EXPECT_EQ(d.dRA, 0.0);
    EXPECT_EQ(d.dDec, 0.0);
    d = PrecessFromJ2000(2000.0, 123.4, 56.7);
    EXPECT_NEAR(d.dRA, 0.0, 1e-12);
    EXPECT_NEAR(d.dDec, 0.0, 1e-12);

    // A star carried from just east of 0h to just west of it comes out near
    // 360, never as a negative angle.
    d = PrecessFromJ2000(1950.0, 0.1, 10.0);
    EXPECT_NEAR(0.1 + d.dRA, 359.46, 0.02);

    // Poles give finite answers, the J2000 pole stays within the precession
    // angle of the pole of date.
    for (double epoch : {1900.0, 2000.0, 2100.0}) {
        for (double dec : {-90.0, 90.0}) {
            for (double ra : {0.0, 90.0, 200.0}) {
                d = PrecessFromJ2000(epoch, ra, dec);
                EXPECT_TRUE(std::isfinite(d.dRA) && std::isfinite(d.dDec));
                EXPECT_LE(std::abs(dec + d.dDec), 90.0);
                d = PrecessToJ2000(epoch, ra, dec);
                EXPECT_TRUE(std::isfinite(d.dRA) && std::isfinite(d.dDec));
            }
        }
    }
}

TEST(Sexagesimal, TextAndParts) {
    EXPECT_EQ(FormatSexagesimal(12.5824, QStringLiteral("°")), QStringLiteral("12°34'57''"));
    EXPECT_EQ(FormatSexagesimal(5.5, QStringLiteral("h")), QStringLiteral("5h30'0''"));
    EXPECT_EQ(FormatSexagesimal(-0.5, QStringLiteral("°")), QStringLiteral("-0°30'0''"));
    EXPECT_EQ(FormatSexagesimal(-10.25, QStringLiteral("°")), QStringLiteral("-10°15'0''"));
    EXPECT_EQ(FormatSexagesimal(1.99999, QStringLiteral("h")),
              QStringLiteral("1h59'60''")); // no carry
    // 30.5 seconds rounds to even (30), 31.5 to 32.
    EXPECT_EQ(FormatSexagesimal(30.5 / 3600.0, QStringLiteral("h")), QStringLiteral("0h0'30''"));
    EXPECT_EQ(FormatSexagesimal(31.5 / 3600.0, QStringLiteral("h")), QStringLiteral("0h0'32''"));

    int16_t w = 0, m = 0;
    double s = 0;
    SplitSexagesimal(-10.25, w, m, s);
    EXPECT_EQ(w, -10);
    EXPECT_EQ(m, 15);
    EXPECT_NEAR(s, 0.0, 1e-9);
    SplitSexagesimal(-0.5, w, m, s);
    EXPECT_EQ(w, 0); // only the whole part carries the sign
    EXPECT_EQ(m, 30);
    SplitSexagesimal(22.786722, w, m, s);
    EXPECT_EQ(w, 22);
    EXPECT_EQ(m, 47);
    EXPECT_DOUBLE_EQ(s, 12.1992);
    SplitSexagesimal(1e9, w, m, s); // beyond the 16-bit range: clamped, no overflow
    EXPECT_EQ(w, 32767);
}

// The one reader of typed, header and query sexagesimal texts.
TEST(Sexagesimal, Reading) {
    const struct {
        const char* text;
        bool read;
        bool negative;
        int fields;
        double value;
    } rows[] = {
        {"22 47 12.2", true, false, 3, 22 + 47 / 60.0 + 12.2 / 3600},
        {"-00:30:00", true, true, 3, 0.5},                          // the sign of a whole part of 0
        {"+58+03+14", true, false, 3, 58 + 3 / 60.0 + 14 / 3600.0}, // an address's blanks
        {"12h30m", true, false, 2, 12.5},                           // a header card's marks
        {"58\u00b003'14\"", true, false, 3, 58 + 3 / 60.0 + 14 / 3600.0},
        {" 7.25 ", true, false, 1, 7.25}, // decimal, one field
        {"", false, false, 0, 0},         // nothing
        {"-", false, false, 0, 0},        // a sign alone
        {"1 2 3 4", false, false, 0, 0},  // four fields
        {"10 -5 0", false, false, 0, 0},  // a negative minute
        {"10 x 0", false, false, 0, 0},   // no number
        {"10 nan 0", false, false, 0, 0}, // no number either
    };
    for (const auto& r : rows) {
        const auto read = ReadSexagesimal(QString::fromUtf8(r.text));
        ASSERT_EQ(read.has_value(), r.read) << r.text;
        if (!read) continue;
        EXPECT_EQ(read->negative, r.negative) << r.text;
        EXPECT_EQ(read->fields.size(), r.fields) << r.text;
        EXPECT_NEAR(read->value, r.value, 1e-12) << r.text;
    }
}

TEST(RightAscension, UnwrapsAboutTheCentreAndNormalises) {
    // A field at 0h: stars on both sides of the cut come out as neighbours.
    EXPECT_NEAR(UnwrapRa(359.9, 0.05), -0.1, 1e-12);
    EXPECT_NEAR(UnwrapRa(0.1, 359.95), 360.1, 1e-12);
    // Far from the cut nothing changes.
    EXPECT_DOUBLE_EQ(UnwrapRa(341.6, 341.8), 341.6);
    // Exactly opposite the centre goes to the far side (centre + 180).
    EXPECT_DOUBLE_EQ(UnwrapRa(190.0, 10.0), 190.0);
    EXPECT_DOUBLE_EQ(UnwrapRa(-170.0, 10.0), 190.0);

    EXPECT_DOUBLE_EQ(NormaliseRa(-0.1), 359.9);
    EXPECT_DOUBLE_EQ(NormaliseRa(360.1), 360.1 - 360.0);
    EXPECT_DOUBLE_EQ(NormaliseRa(720.0), 0.0);
    EXPECT_GE(NormaliseRa(-1e-17), 0.0);
    EXPECT_LT(NormaliseRa(-1e-17), 360.0);
}
