// Minor-planet positions from orbital elements, and the element-file readers.
#include "ephemeris/designation.h"
#include "ephemeris/elementfile.h"
#include "ephemeris/place.h"
#include "ephemeris/search.h"
#include "testing.h"

#include <QDir>
#include <erfa.h>
#include <sys/stat.h>

using namespace reduction;
using namespace field;
using namespace catalogues;

using namespace ephemeris;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180;
constexpr double kArcsec = kDeg / 3600;

QString shippedElements() {
    return QStringLiteral(TEST_PROGRAM_DIR "/asteroids.dat");
}

// ---- An independent two-body ephemeris -------------------------------------
// The state at the epoch comes from the elements (Kepler's equation solved by
// bisection), then the equations of motion x'' = -k^2 x / r^3 are integrated
// numerically (classical Runge-Kutta, 0.01-day steps), in the ecliptic frame,
// turned to the ICRS with ERFA's IAU 2006 ecliptic matrix. Nothing of the
// program's propagation is used; the Earth comes from eraEpv00 as well.
struct Elements {
    double epochMjd, m, w, node, i, e, a;
};

using Vec = std::array<double, 3>;

void StateAtEpoch(const Elements& el, Vec& x, Vec& v) {
    const double m = std::remainder(el.m * kDeg, 2 * kPi);
    double lo = -kPi, hi = kPi; // E - e sin E is increasing
    for (int k = 0; k < 200; ++k) {
        const double mid = (lo + hi) / 2;
        (mid - el.e * std::sin(mid) < m ? lo : hi) = mid;
    }
    const double big = (lo + hi) / 2;
    const double k2 = 0.01720209895 * 0.01720209895;
    const double n = std::sqrt(k2 / std::pow(el.a, 3));
    const double b = el.a * std::sqrt(1 - el.e * el.e);
    const double edot = n / (1 - el.e * std::cos(big));
    const double px = el.a * (std::cos(big) - el.e), py = b * std::sin(big);
    const double vx = -el.a * std::sin(big) * edot, vy = b * std::cos(big) * edot;
    // Orbit plane to ecliptic: Rz(node) Rx(i) Rz(w).
    auto rotate = [&](double u, double w2) {
        const double cw = std::cos(el.w * kDeg), sw = std::sin(el.w * kDeg);
        const double x1 = u * cw - w2 * sw, y1 = u * sw + w2 * cw;
        const double ci = std::cos(el.i * kDeg), si = std::sin(el.i * kDeg);
        const double y2 = y1 * ci, z2 = y1 * si;
        const double cn = std::cos(el.node * kDeg), sn = std::sin(el.node * kDeg);
        return Vec{x1 * cn - y2 * sn, x1 * sn + y2 * cn, z2};
    };
    x = rotate(px, py);
    v = rotate(vx, vy);
}

Vec Accel(const Vec& x) {
    const double k2 = 0.01720209895 * 0.01720209895;
    const double r = std::sqrt(x[0] * x[0] + x[1] * x[1] + x[2] * x[2]);
    const double f = -k2 / (r * r * r);
    return {f * x[0], f * x[1], f * x[2]};
}

// Heliocentric ecliptic position at MJD (TT) `mjd`, integrated from the epoch.
Vec Integrate(const Elements& el, double mjd) {
    Vec x, v;
    StateAtEpoch(el, x, v);
    const double span = mjd - el.epochMjd;
    const int steps = std::max(1, int(std::ceil(std::abs(span) / 0.01)));
    const double h = span / steps;
    for (int s = 0; s < steps; ++s) {
        auto add = [](const Vec& a, const Vec& b, double f) {
            return Vec{a[0] + f * b[0], a[1] + f * b[1], a[2] + f * b[2]};
        };
        const Vec a1 = Accel(x), v1 = v;
        const Vec x2 = add(x, v1, h / 2), v2 = add(v, a1, h / 2), a2 = Accel(x2);
        const Vec x3 = add(x, v2, h / 2), v3 = add(v, a2, h / 2), a3 = Accel(x3);
        const Vec x4 = add(x, v3, h), v4 = add(v, a3, h), a4 = Accel(x4);
        for (int k = 0; k < 3; ++k) {
            x[k] += h / 6 * (v1[k] + 2 * v2[k] + 2 * v3[k] + v4[k]);
            v[k] += h / 6 * (a1[k] + 2 * a2[k] + 2 * a3[k] + a4[k]);
        }
    }
    return x;
}

// Astrometric RA, Dec (radians) seen from the geocentre at MJD (TT) `mjd`.
std::pair<double, double> ReferencePlace(const Elements& el, double mjd) {
    double rm[3][3];
    eraEcm06(2451545.0, 0.0, rm); // ICRS -> ecliptic of J2000
    double pvh[2][3], pvb[2][3];
    eraEpv00(2400000.5, mjd, pvh, pvb);
    double tau = 0;
    double rho[3] = {};
    for (int it = 0; it < 8; ++it) {
        const Vec ecl = Integrate(el, mjd - tau);
        double icrs[3];
        eraTrxp(rm, const_cast<double*>(ecl.data()), icrs);
        for (int k = 0; k < 3; ++k)
            rho[k] = icrs[k] - pvh[0][k];
        tau = eraPm(rho) / 173.1446326847;
    }
    double ra = 0, dec = 0;
    eraC2s(rho, &ra, &dec);
    return {eraAnp(ra), dec};
}

Orbit Prepare(const Elements& el, double h = 5, double g = 0.15) {
    KeplerianElements k;
    k.epoch = el.epochMjd - 51544.5;
    k.meanAnomaly = el.m;
    k.perihelionArgument = el.w;
    k.ascendingNode = el.node;
    k.inclination = el.i;
    k.eccentricity = el.e;
    k.semiMajorAxis = el.a;
    Orbit o;
    EXPECT_TRUE(PrepareOrbit(k, h, g, o));
    return o;
}

// Elements as in the shipped asteroids.dat (JPL small-body database, epoch
// MJD 59800 = 2022-08-09).
// clang-format off
const Elements kCeres{59800, 334.3271698971151, 73.53162522557164, 80.2664361119415,
                      10.58679512153367, .07863575691875528, 2.766619044655007};
const Elements kEros{59800, 358.8212586092838, 178.9325148860407, 304.2910556026917,
                     10.82795835269297, .2227328427416296, 1.4581505451557};
// clang-format on

} // namespace

TEST(Propagation, CeresAndErosAgreeWithANumericalIntegration) {
    for (const Elements& el : {kCeres, kEros}) {
        const Orbit orbit = Prepare(el);
        for (double offset : {-30.0, 0.0, 30.0}) {
            const double mjd = el.epochMjd + offset;
            const auto [ra, dec] = ReferencePlace(el, mjd);
            const Place p = AstrometricPlace(orbit, EarthAt(mjd - 51544.5));
            // The two frames differ by the obliquity (0.04") and the frame
            // bias (0.02"); the float axes of Orbit by about 0.01".
            EXPECT_LT(eraSeps(p.ra, p.dec, ra, dec) / kArcsec, 0.15)
                << "a = " << el.a << " at MJD " << mjd;
        }
    }
}

TEST(Propagation, KeplerSolverOverEveryEccentricity) {
    for (double e : {0.0, 0.3, 0.9, 0.99, 0.9994, 1.2, 3.0, 30.0}) {
        for (double m = -12.0; m <= 12.0; m += 0.37) {
            const double x = SolveKepler(m, e);
            const double residual =
                e < 1 ? std::remainder(x - e * std::sin(x) - m, 2 * kPi) : e * std::sinh(x) - x - m;
            EXPECT_NEAR(residual, 0, 1e-11 * std::max(1.0, std::abs(m))) << e << " " << m;
        }
    }
    // A near-parabolic orbit (e = 0.994, as the most eccentric of the shipped
    // file) against the integration, 30 days from the epoch near perihelion.
    const Elements comet{59800, 359.9, 10, 20, 30, 0.994, 30};
    const auto [ra, dec] = ReferencePlace(comet, 59830);
    const Place p = AstrometricPlace(Prepare(comet), EarthAt(59830 - 51544.5));
    EXPECT_LT(eraSeps(p.ra, p.dec, ra, dec) / kArcsec, 0.3);
}

TEST(Propagation, HyperbolicOrbitMovesAlongItsAsymptotes) {
    KeplerianElements k;
    k.eccentricity = 1.5;
    k.semiMajorAxis = -2;
    Orbit o;
    ASSERT_TRUE(PrepareOrbit(k, 10, 0.15, o));
    // Perihelion distance a(1 - e) = 1 au, on the +x axis of the ecliptic.
    const auto p0 = HeliocentricPosition(o, 0);
    EXPECT_NEAR(p0[0], 1, 1e-12);
    EXPECT_NEAR(std::hypot(p0[1], p0[2]), 0, 1e-6);
    // Energy: v^2/2 - k^2/r = k^2/(2|a|) from positions a short time apart.
    const auto a = HeliocentricPosition(o, 99.999), b = HeliocentricPosition(o, 100.001);
    const auto c = HeliocentricPosition(o, 100);
    const double v = std::hypot(b[0] - a[0], b[1] - a[1], b[2] - a[2]) / 0.002;
    const double r = std::hypot(c[0], c[1], c[2]);
    EXPECT_NEAR(v * v / 2 - kGaussK * kGaussK / r, kGaussK * kGaussK / 4, 1e-9);
    // Elements that describe no orbit are refused.
    for (auto [e, sma] : {std::pair{1.0, 1.0}, {0.5, -1.0}, {1.5, 2.0}, {-0.1, 1.0}}) {
        k.eccentricity = e;
        k.semiMajorAxis = sma;
        EXPECT_FALSE(PrepareOrbit(k, 10, 0.15, o)) << e << " " << sma;
    }
}

TEST(Propagation, UtcToTtFollowsTheLeapSeconds) {
    // TT - UTC was 68.184 s during 2016 and 69.184 s from 2017 on
    // (2016-12-31 12:00 is J2000 + 6209 days).
    const auto before = UtcToTT(2016, 12, 31, 12, 0);
    const auto after = UtcToTT(2017, 1, 1, 12, 0);
    ASSERT_TRUE(before && after);
    EXPECT_NEAR((*before - 6209.0) * 86400, 68.184, 1e-4);
    EXPECT_NEAR((*after - 6210.0) * 86400, 69.184, 1e-4);
    EXPECT_FALSE(UtcToTT(2022, 2, 30, 0, 0));
    EXPECT_FALSE(UtcToTT(2022, 13, 1, 0, 0));
}

TEST(Propagation, MagnitudeFromHAndG) {
    EXPECT_NEAR(MagnitudeHG(10, 0.15, 1, 1, 0), 10, 1e-12);
    EXPECT_NEAR(MagnitudeHG(10, 0.15, 2, 3, 0), 10 + 5 * std::log10(6.0), 1e-12);
    // Fainter with phase, and unseen at opposition to the Sun.
    EXPECT_GT(MagnitudeHG(10, 0.15, 1, 1, 20 * kDeg), 10.8);
    EXPECT_TRUE(std::isinf(MagnitudeHG(10, 0.15, 1, 1, kPi)));
}

TEST(Propagation, FieldSearchFindsTheSampleObjectsNearestFirst) {
    const OrbitFileReading r = ReadOrbitFile(shippedElements());
    ASSERT_TRUE(r.ok()) << r.error().message.toStdString();
    EXPECT_EQ(r->catalogue.size(), 7098u); // one row of the file has no mean anomaly
    EXPECT_EQ(r->skipped, 1u);
    FieldSearch s;
    s.tt = *UtcToTT(2022, 10, 10, 21, 36);
    s.ra = (22 + 47 / 60.0 + 12.2 / 3600) * 15 * kDeg;
    s.dec = (58 + 3 / 60.0 + 14 / 3600.0) * kDeg;
    s.radius = 960 / 60.0 * kDeg;
    s.faintest = 19;
    // Single-threaded and threaded searches agree.
    const auto found = FindInField(r->catalogue, s, 1);
    const auto threaded = FindInField(r->catalogue, s, 4);
    ASSERT_EQ(found.size(), 3u);
    ASSERT_EQ(threaded.size(), 3u);
    // The sample answer data2, computed independently (PyEphem) from the same
    // elements: R.A. to 0.1 s and Decl. to 1" as the page rounds them.
    struct Expected {
        const char* name;
        double ra, dec, v;
    };
    const Expected expected[] = {
        {"Gudy", 22 + 31 / 60.0 + 56.1 / 3600, 45 + 23 / 60.0 + 28 / 3600.0, 14.8},
        {"Kaplan", 0 + 0 / 60.0 + 6.2 / 3600, 47 + 49 / 60.0 + 57 / 3600.0, 14.1},
        {"Barcelona", 23 + 16 / 60.0 + 44.7 / 3600, 42 + 51 / 60.0 + 55 / 3600.0, 14.4}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(found[i].index, threaded[i].index);
        EXPECT_EQ(r->catalogue.name(found[i].index).name, QLatin1String(expected[i].name));
        const double sep = eraSeps(found[i].place.ra, found[i].place.dec,
                                   expected[i].ra * 15 * kDeg, expected[i].dec * kDeg);
        EXPECT_LT(sep / kArcsec, 1.0) << expected[i].name;
        EXPECT_NEAR(found[i].magnitude, expected[i].v, 0.051) << expected[i].name;
        if (i > 0) {
            EXPECT_GT(found[i].distance, found[i - 1].distance);
        }
    }
    // Motions as on the sample page ("16-", "29-"): Gudy moves south-west.
    EXPECT_NEAR(found[0].raRate, -16, 0.5);
    EXPECT_NEAR(found[0].decRate, -29, 0.5);
    // A fainter limit leaves them out.
    s.faintest = 14.0;
    EXPECT_TRUE(FindInField(r->catalogue, s).empty());
}

TEST(Designations, PackedFormsOfTheMinorPlanetCenter) {
    const std::pair<int, const char*> numbers[] = {
        {1, "00001"},      {99999, "99999"},  {100001, "A0001"}, {360017, "a0017"},
        {619999, "z9999"}, {620000, "~0000"}, {3140113, "~AZaz"}};
    for (auto [n, packed] : numbers) {
        EXPECT_EQ(PackNumber(n).value_or(QString()), QLatin1String(packed));
        EXPECT_EQ(UnpackNumber(QLatin1String(packed)).value_or(-1), n);
    }
    EXPECT_FALSE(PackNumber(0));
    EXPECT_FALSE(PackNumber(15396336));
    const std::pair<const char*, const char*> provisional[] = {
        {"1995 XA", "J95X00A"},  {"1995 XL1", "J95X01L"},   {"2007 TA418", "K07Tf8A"},
        {"2022 HK5", "K22H05K"}, {"1998 SQ108", "J98SA8Q"}, {"2040 P-L", "PLS2040"},
        {"3138 T-1", "T1S3138"}};
    for (auto [readable, packed] : provisional) {
        EXPECT_EQ(PackProvisional(QLatin1String(readable)).value_or(QString()),
                  QLatin1String(packed));
        EXPECT_EQ(UnpackProvisional(QLatin1String(packed)).value_or(QString()),
                  QLatin1String(readable));
    }
    for (const char* bad : {"2022 IK5", "2022 HI5", "22 HK5", "2022 HK05", "Ceres", ""})
        EXPECT_FALSE(PackProvisional(QLatin1String(bad))) << bad;
    const std::pair<const char*, CalendarDate> dates[] = {
        {"J9611", {1996, 1, 1}},  {"J961A", {1996, 1, 10}},  {"J969U", {1996, 9, 30}},
        {"J96A1", {1996, 10, 1}}, {"K01AM", {2001, 10, 22}}, {"K2555", {2025, 5, 5}}};
    for (auto [packed, d] : dates) {
        const auto got = UnpackDate(QLatin1String(packed));
        ASSERT_TRUE(got) << packed;
        EXPECT_EQ(got->year * 10000 + got->month * 100 + got->day,
                  d.year * 10000 + d.month * 100 + d.day);
    }
    for (const char* bad : {"K22BV", "K232U", "K25D1", "Z2555", "K255"})
        EXPECT_FALSE(UnpackDate(QLatin1String(bad))) << bad;
}

namespace {

const QByteArray& kCeresLine = testing_support::kCeresMpcorbLine;

// `line` with columns a.. (1-based) replaced by `text`.
QByteArray WithColumns(QByteArray line, int a, const QByteArray& text) {
    line.replace(a - 1, text.size(), text);
    return line;
}

QString writeTemp(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    testing_support::writeFile(dir.filePath(name), bytes);
    return dir.filePath(name);
}

} // namespace

TEST(ElementFiles, MpcorbRecordsHeadingAndDesignations) {
    const QByteArray unnumbered =
        WithColumns(WithColumns(WithColumns(kCeresLine, 1, "K22H05K"), 9, "18.50      "), 167,
                    "2022 HK5                    ");
    const QByteArray text = "MINOR PLANET CENTER ORBIT DATABASE (MPCORB)\r\n\r\n"
                            "Des'n     H     G   Epoch     M        Peri.\r\n" +
                            QByteArray(160, '-') + "\r\n" + kCeresLine + "\r\n\r\n" + unnumbered +
                            "\r\n";
    const OrbitFileReading r = ReadMpcorb(text);
    ASSERT_TRUE(r.ok()) << r.error().message.toStdString();
    EXPECT_EQ(r->format, QLatin1String("MPCORB"));
    EXPECT_EQ(r->skipped, 0u) << r->problems.join(u'\n').toStdString();
    ASSERT_EQ(r->catalogue.size(), 2u);
    const Orbit& o = r->catalogue.orbit(0);
    EXPECT_FLOAT_EQ(o.h, 3.34f);
    EXPECT_NEAR(o.epoch, 9255.5, 1e-9); // 2025-05-05 0h TT = JD 2460800.5
    EXPECT_NEAR(o.meanAnomaly, std::remainder(188.70269 * kDeg, 2 * kPi), 1e-12);
    EXPECT_NEAR(o.meanMotion, 0.21424651 * kDeg, 1e-15);
    EXPECT_NEAR(o.semiMajorAxis, 2.7660512, 1e-12);
    EXPECT_NEAR(o.eccentricity, 0.0794013, 1e-12);
    const ObjectName ceres = r->catalogue.name(0);
    EXPECT_EQ(ceres.number, 1);
    EXPECT_EQ(ceres.name, QLatin1String("Ceres"));
    EXPECT_EQ(ceres.packed, QLatin1String("00001"));
    EXPECT_EQ(ceres.oppositions, 125);
    const ObjectName hk5 = r->catalogue.name(1);
    EXPECT_EQ(hk5.number, 0);
    EXPECT_EQ(hk5.name, QLatin1String("2022 HK5"));
    EXPECT_EQ(hk5.packed, QLatin1String("K22H05K"));
    EXPECT_FLOAT_EQ(r->catalogue.orbit(1).g, 0.15f); // blank G

    // The same file compressed reads the same; so does one without a heading.
    QTemporaryDir dir;
    const OrbitFileReading gz =
        ReadOrbitFile(writeTemp(dir, QStringLiteral("m.gz"), testing_support::gzip(text)));
    ASSERT_TRUE(gz.ok());
    EXPECT_EQ(gz->catalogue.size(), 2u);
    EXPECT_EQ(gz->catalogue.name(1).name, QLatin1String("2022 HK5"));
    EXPECT_EQ(ReadMpcorb(kCeresLine + "\n")->catalogue.size(), 1u);
}

TEST(ElementFiles, DamagedMpcorbFilesSayWhatIsWrong) {
    // A cut line and a bad number are left out, and named.
    const QByteArray text = kCeresLine + "\n" + WithColumns(kCeresLine, 71, "0.07x4013") + "\n" +
                            WithColumns(kCeresLine, 21, "K25D5") + "\n" + kCeresLine.left(90);
    const OrbitFileReading r = ReadMpcorb(text);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->catalogue.size(), 1u);
    EXPECT_EQ(r->skipped, 3u);
    ASSERT_EQ(r->problems.size(), 3);
    EXPECT_TRUE(r->problems[0].startsWith(QLatin1String("line 2: the eccentricity")))
        << r->problems[0].toStdString();
    EXPECT_TRUE(r->problems[1].contains(QLatin1String("K25D5")));
    EXPECT_TRUE(r->problems[2].contains(QLatin1String("cut short")));
    // An eccentricity of 1 or more with a positive axis is no orbit.
    EXPECT_FALSE(ReadMpcorb(WithColumns(kCeresLine, 71, "1.0794013")).ok());

    EXPECT_FALSE(ReadMpcorb("").ok());
    const OrbitFileReading html = ReadMpcorb("<html><body>Not Found</body></html>\n");
    EXPECT_FALSE(html.ok());
    EXPECT_EQ(html.error().kind, OrbitFileFailure::NotElements);
    QByteArray noise(4096, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919) % 251);
    EXPECT_FALSE(ReadMpcorb(noise).ok());

    // A compressed file cut in the middle keeps what came before and says so.
    QByteArray many;
    for (int i = 0; i < 3000; ++i)
        many += kCeresLine + "\n";
    QTemporaryDir dir;
    const QByteArray gz = testing_support::gzip(many);
    const OrbitFileReading cut =
        ReadOrbitFile(writeTemp(dir, QStringLiteral("cut.gz"), gz.left(gz.size() / 2)));
    ASSERT_TRUE(cut.ok());
    EXPECT_GT(cut->catalogue.size(), 0u);
    EXPECT_LT(cut->catalogue.size(), 3000u);
    EXPECT_TRUE(cut->problems.join(u' ').contains(QLatin1String("cut short")));
    EXPECT_FALSE(ReadOrbitFile(dir.filePath(QStringLiteral("missing"))).ok());
}

TEST(ElementFiles, JsonElementTable) {
    const QByteArray json =
        R"json({"fields":["full_name","H","G","epoch_mjd","e","a","q","i","om","w","ma"],
      "data":[["     1 Ceres (A801 AA)","3.33","0.12","59800",".0786","2.7666",null,"10.58","80.26","73.53","334.3"],
              ["  3708 (1974 FV1)","11.1",null,"59800","0.1",null,"2.7","5","6","7","8"],
              ["       (2022 HK5)","18.5",null,"59800","0.2","2.0",null,"1","2","3",null],
              ["       (2021 AB)",null,null,"59800.5","1.5","-3",null,"1","2","3","4"]]})json";
    const OrbitFileReading r = ReadElementsJson(json);
    ASSERT_TRUE(r.ok()) << r.error().message.toStdString();
    ASSERT_EQ(r->catalogue.size(), 3u);
    EXPECT_EQ(r->skipped, 1u); // (2022 HK5) has no mean anomaly
    EXPECT_TRUE(r->problems.value(0).startsWith(QLatin1String("row 3: (2022 HK5)")));
    EXPECT_EQ(r->catalogue.name(0).name, QLatin1String("Ceres"));
    EXPECT_EQ(r->catalogue.name(0).packed, QLatin1String("00001"));
    EXPECT_EQ(r->catalogue.name(1).name, QLatin1String("1974 FV1"));
    EXPECT_EQ(r->catalogue.name(1).number, 3708);
    EXPECT_NEAR(r->catalogue.orbit(1).semiMajorAxis, 3.0, 1e-12); // from q and e
    EXPECT_EQ(r->catalogue.name(2).packed, QLatin1String("K21A00B"));
    EXPECT_LT(r->catalogue.orbit(2).semiMajorAxis, 0);
    EXPECT_TRUE(std::isnan(r->catalogue.orbit(2).h));
    EXPECT_NEAR(r->catalogue.orbit(2).epoch, 8256.0, 1e-9);

    const OrbitFileReading cut = ReadElementsJson(json.left(json.size() / 2));
    EXPECT_FALSE(cut.ok());
    EXPECT_EQ(cut.error().kind, OrbitFileFailure::NotElements);
    EXPECT_FALSE(ReadElementsJson(R"({"fields":["H"],"data":[]})").ok());
    EXPECT_FALSE(ReadElementsJson(R"([1,2,3])").ok());
}

namespace {

// A FIFO named `name` in `dir` (nobody ever writes to it).
QString makeFifo(const QTemporaryDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    return path;
}

} // namespace

TEST(ElementFiles, HostileFilesAreRefusedWithinTheirBounds) {
    QTemporaryDir dir;
    const QByteArray record = kCeresLine + "\n";
    OrbitFileLimits small;
    small.maxText = 1 << 20;
    small.maxJson = 1 << 16;
    OrbitFileLimits junkFirst;
    junkFirst.firstOrbitWithin = 2000;
    const QByteArray json = R"({"fields":["full_name"],"data":[)" + QByteArray(1 << 17, ' ') + "]}";
    const QString fifo = makeFifo(dir, QStringLiteral("fifo"));
    QFile::link(fifo, dir.filePath(QStringLiteral("link-to-fifo")));
    struct Case {
        const char* what;
        QString path;
        OrbitFileLimits limits;
        OrbitFileFailure failure;
    };
    const Case cases[] = {
        // A FIFO, or a link to one, would block the reading for good.
        {"fifo", fifo, {}, OrbitFileFailure::NotRegular},
        {"link to a fifo",
         dir.filePath(QStringLiteral("link-to-fifo")),
         {},
         OrbitFileFailure::NotRegular},
        {"folder", dir.path(), {}, OrbitFileFailure::NotRegular},
        {"missing", dir.filePath(QStringLiteral("missing")), {}, OrbitFileFailure::Missing},
        // 256 MiB of zeros in 256 kB: no line, no orbit, refused early.
        {"bomb of zeros",
         writeTemp(dir, "zeros.gz", testing_support::gzipRepeated(QByteArray(1024, '\0'), 1 << 18)),
         {},
         OrbitFileFailure::NotElements},
        // 256 MiB of blanks and blank lines: read in linear time, refused early.
        {"blanks",
         writeTemp(dir, "blanks.gz",
                   testing_support::gzipRepeated(QByteArray(1023, ' ') + '\n', 1 << 18)),
         {},
         OrbitFileFailure::NotElements},
        // One endless line: only its start is kept.
        {"endless line",
         writeTemp(dir, "line.gz", testing_support::gzipRepeated(QByteArray(1024, 'x'), 1 << 18)),
         {},
         OrbitFileFailure::NotElements},
        // Good records beyond the unpacked limit, compressed or not.
        {"too many records, compressed",
         writeTemp(dir, "many.gz", testing_support::gzipRepeated(record, 20000)), small,
         OrbitFileFailure::TooLarge},
        {"too many records, plain", writeTemp(dir, "many", record.repeated(20000)), small,
         OrbitFileFailure::TooLarge},
        // A JSON document beyond its own, smaller limit.
        {"large JSON", writeTemp(dir, "big.json.gz", testing_support::gzip(json)), small,
         OrbitFileFailure::TooLarge},
        // Records only after more junk than an element file's heading holds.
        {"junk first", writeTemp(dir, "junk", QByteArray("junk\n").repeated(500) + record),
         junkFirst, OrbitFileFailure::NotElements},
        // Blanks only, and a compressed stream damaged before any text.
        {"blank file",
         writeTemp(dir, "blank.gz", testing_support::gzip("  \n\n \r\n")),
         {},
         OrbitFileFailure::Empty},
        {"damaged",
         writeTemp(dir, "damaged.gz", testing_support::gzip(record).left(12)),
         {},
         OrbitFileFailure::Damaged},
    };
    for (const Case& c : cases) {
        const OrbitFileReading r = ReadOrbitFile(c.path, c.limits);
        EXPECT_EQ(r.error().kind, c.failure) << c.what << ": " << r.error().message.toStdString();
        EXPECT_FALSE(r.ok()) << c.what;
    }
}

TEST(ElementFiles, LongLinesAndLeadingBlanksKeepTheRecordsAndTheirLineNumbers) {
    QTemporaryDir dir;
    const QByteArray record = kCeresLine + "\n";
    // Line 3 is 5000 characters long (a record with junk after it).
    const QByteArray text =
        record + record + kCeresLine + QByteArray(5000 - kCeresLine.size(), 'z') + "\n" + record;
    for (const QByteArray& bytes : {text, testing_support::gzip(text)}) {
        const OrbitFileReading r = ReadOrbitFile(writeTemp(dir, "long", bytes));
        ASSERT_TRUE(r.ok()) << r.error().message.toStdString();
        EXPECT_EQ(r->catalogue.size(), 3u);
        EXPECT_EQ(r->skipped, 1u);
        EXPECT_TRUE(r->problems.value(0).startsWith(QLatin1String("line 3:")))
            << r->problems.value(0).toStdString();
    }

    // Blank lines before the text (more than one block of it) decide nothing:
    // the format is that of the first character, lines are still counted.
    const QByteArray blanks = QByteArray(2 << 20, ' ') + "\n\n";
    const OrbitFileReading mpcorb = ReadOrbitFile(writeTemp(
        dir, "blank-mpcorb.gz", testing_support::gzip(blanks + record + "junk\n" + record)));
    ASSERT_TRUE(mpcorb.ok()) << mpcorb.error().message.toStdString();
    EXPECT_EQ(mpcorb->catalogue.size(), 2u);
    EXPECT_TRUE(mpcorb->problems.value(0).startsWith(QLatin1String("line 4:")))
        << mpcorb->problems.value(0).toStdString();
    const QByteArray json =
        R"({"fields":["full_name","H","epoch_mjd","e","a","i","om","w","ma"],)"
        R"("data":[["1 Ceres","3.3","59800","0.08","2.77","10.6","80.3","73.5","334.3"]]})";
    const OrbitFileReading jsonAfterBlanks =
        ReadOrbitFile(writeTemp(dir, "blank-json.gz", testing_support::gzip(blanks + json)));
    ASSERT_TRUE(jsonAfterBlanks.ok()) << jsonAfterBlanks.error().message.toStdString();
    EXPECT_EQ(jsonAfterBlanks->format, QLatin1String("JSON"));
    EXPECT_EQ(jsonAfterBlanks->catalogue.size(), 1u);
}

TEST(ElementFiles, ProgressAndCancelling) {
    QTemporaryDir dir;
    const QByteArray text = (kCeresLine + "\n").repeated(30000); // 6 MB: two slices
    for (const QByteArray& bytes : {text, testing_support::gzip(text)}) {
        const QString path = writeTemp(dir, "progress", bytes);
        std::vector<std::pair<qint64, qint64>> seen;
        OrbitFileControl control;
        control.progress = [&seen](qint64 done, qint64 total) { seen.emplace_back(done, total); };
        const OrbitFileReading r = ReadOrbitFile(path, {}, control);
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r->catalogue.size(), 30000u);
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.back(), std::make_pair(qint64(bytes.size()), qint64(bytes.size())));

        int asked = 0;
        control.cancelled = [&asked] { return ++asked > 1; }; // after the first block

        const OrbitFileReading stopped = ReadOrbitFile(path, {}, control);
        EXPECT_EQ(stopped.error().kind, OrbitFileFailure::Cancelled);
        EXPECT_TRUE(stopped->catalogue.empty());
    }
}

TEST(ElementFiles, UnpackingAnArchiveChecksItsTextBeforeReplacingAnything) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("MPCORB.DAT"));
    const QByteArray good =
        "heading\n" + QByteArray(160, '-') + "\n" + kCeresLine + "\n" + kCeresLine + "\n";
    OrbitFileLimits small;
    small.maxText = 1 << 20;
    struct Case {
        const char* what;
        QByteArray archive;
        OrbitFileFailure failure;
    };
    const Case cases[] = {
        {"bomb of zeros", testing_support::gzipRepeated(QByteArray(1024, '\0'), 1 << 15),
         OrbitFileFailure::TooLarge},
        {"records beyond the limit", testing_support::gzipRepeated(kCeresLine + "\n", 20000),
         OrbitFileFailure::TooLarge},
        {"an error page", testing_support::gzip("<html><body>Not found</body></html>\n"),
         OrbitFileFailure::NotElements},
        {"a JSON table", testing_support::gzip(R"({"fields":[],"data":[]})"),
         OrbitFileFailure::NotElements},
        {"mostly junk", testing_support::gzip(kCeresLine + "\njunk\njunk\n"),
         OrbitFileFailure::NotElements},
        {"cut short", testing_support::gzip(good.repeated(50)).chopped(10),
         OrbitFileFailure::Damaged},
        {"not gzip", good, OrbitFileFailure::NotElements},
    };
    testing_support::writeFile(target, "previous");
    for (const Case& c : cases) {
        const auto u = UnpackElementArchive(writeTemp(dir, "archive", c.archive), target, small);
        ASSERT_FALSE(u) << c.what;
        EXPECT_EQ(u.error().kind, c.failure) << c.what << ": " << u.error().message.toStdString();
        EXPECT_EQ(testing_support::readFile(target), QByteArray("previous")) << c.what;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary left

    const auto ok =
        UnpackElementArchive(writeTemp(dir, "archive", testing_support::gzip(good)), target, small);
    ASSERT_TRUE(ok) << ok.error().message.toStdString();
    EXPECT_EQ(ok->orbits, 2u);
    EXPECT_EQ(ok->unpacked, good.size());
    EXPECT_EQ(testing_support::readFile(target), good);
}
