#include "reduction/precession.h"
#include "reduction/sexagesimal.h"

#include <erfa.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>

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

} // namespace

TEST(Precession, FromJ2000AgreesWithErfaOverTwoCenturies) {
    double worst = 0, worstEpoch = 0, worstDec = 0;
    for (double epoch = 1900; epoch <= 2100; epoch += 12.5) {
        double rp[3][3];
        precessionMatrix(epoch, rp);
        for (double dec = -89; dec <= 89; dec += 4.45) {
            for (double ra = 0; ra < 360; ra += 7.5) {
                const PrecessionDelta d = PrecessFromJ2000(epoch, ra, dec);
                const double raNew = ra + d.dRA;
                ASSERT_GE(raNew, 0.0);
                ASSERT_LE(raNew, 360.0);
                double raRef = 0, decRef = 0;
                rotate(rp, false, ra, dec, raRef, decRef);
                const double sep = separationArcsec(raNew, dec + d.dDec, raRef, decRef);
                if (sep > worst) {
                    worst = sep;
                    worstEpoch = epoch;
                    worstDec = dec;
                }
            }
        }
    }
    std::cout << "PrecessFromJ2000 vs ERFA (1900-2100, |dec|<=89): max " << worst
              << " arcsec (epoch " << worstEpoch << ", dec " << worstDec << ")\n";
    RecordProperty("max_arcsec", std::to_string(worst));
    EXPECT_LT(worst, 0.015);
}

TEST(Precession, ToJ2000AgreesWithErfaAwayFromThePoles) {
    double worst = 0, worstEpoch = 0, worstDec = 0;
    double worst60 = 0;
    for (double epoch = 1950; epoch <= 2050; epoch += 10) {
        double rp[3][3];
        precessionMatrix(epoch, rp);
        for (double dec = -80; dec <= 80; dec += 5) {
            for (double ra = 0; ra < 360; ra += 7.5) {
                const PrecessionDelta d = PrecessToJ2000(epoch, ra, dec);
                double raRef = 0, decRef = 0;
                rotate(rp, true, ra, dec, raRef, decRef);
                const double sep = separationArcsec(ra + d.dRA, dec + d.dDec, raRef, decRef);
                if (std::abs(dec) <= 60) worst60 = std::max(worst60, sep);
                if (sep > worst) {
                    worst = sep;
                    worstEpoch = epoch;
                    worstDec = dec;
                }
            }
        }
    }
    std::cout << "PrecessToJ2000 vs ERFA (1950-2050): max " << worst
              << " arcsec for |dec|<=80 (epoch " << worstEpoch << ", dec " << worstDec << "), "
              << worst60 << " arcsec for |dec|<=60\n";
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
