#include "mainwindow/blindsolvecommand.h"

#include "catalogues/blindsolve.h"
#include "catalogues/localstars.h"
#include "field/solve.h"
#include "mainwindow/commandhost.h"
#include "mainwindow/fieldpanel.h"
#include "mainwindow/imagecanvas.h"
#include "mainwindow/imageview.h"
#include "mainwindow/solvepanel.h"
#include "platform/angles.h"
#include "platform/background.h"
#include "platform/numbers.h"
#include "platform/widgets/messagebox.h"
#include "reduction/calibration.h"
#include "reduction/precession.h"
#include "settings/options.h"

#include <QDir>
#include <QProgressDialog>
#include <cmath>

using namespace reduction;
using namespace imaging;
using namespace settings;
using namespace field;
using namespace catalogues;

namespace {

// The time limit when astroplate.ini does not set one, seconds.
constexpr double kDefaultTimeLimit = 60;
// A known scale is taken to within this fraction either way.
constexpr double kScaleMargin = 0.10;

// The centre texts of the fields: hours, minutes, seconds (one decimal) and
// degrees, minutes, seconds with the sign apart.
struct CentreTexts {
    std::array<QString, 3> ra, dec;
    QString sign;
};
CentreTexts centreTexts(double raDeg, double decDeg) {
    CentreTexts c;
    raDeg = std::fmod(std::fmod(raDeg, 360.0) + 360.0, 360.0);
    const long long tenths = std::llround(raDeg / 15.0 * 36000.0) % (24LL * 36000);
    c.ra = {QString::number(tenths / 36000), QString::number(tenths % 36000 / 600),
            QString::number(double(tenths % 600) / 10.0, 'f', 1)};
    const long long seconds = std::llround(std::min(std::abs(decDeg), 90.0) * 3600.0);
    c.dec = {QString::number(seconds / 3600), QString::number(seconds % 3600 / 60),
             QString::number(seconds % 60)};
    c.sign = decDeg < 0 && seconds > 0 ? QStringLiteral("-") : QStringLiteral("+");
    return c;
}

// The affine model (scaled coordinates) that agrees with `plate` at three
// points of the image, for what still reads the scales and the model.
PlateSolution affineOf(const TanPlate& plate, double corrAsd, double corrDec, int w, int h) {
    const std::array<PixelPoint, 3> at{PixelPoint{0.25 * w, 0.25 * h},
                                       PixelPoint{0.75 * w, 0.25 * h},
                                       PixelPoint{0.5 * w, 0.75 * h}};
    std::array<double, 3> r{}, d{};
    const double ra0 = plate.pixelToSky(plate.crpix.x, plate.crpix.y).ra;
    for (size_t i = 0; i < 3; ++i) {
        const SkyPoint s = plate.pixelToSky(at[i].x, at[i].y);
        // Right ascensions kept together across 0h.
        r[i] = (ra0 + std::remainder(s.ra - ra0, 360.0)) * corrAsd;
        d[i] = s.dec * corrDec;
    }
    PlateSolution p;
    p.corrAsd = corrAsd;
    p.corrDec = corrDec;
    if (const auto a = ThreePointModel(at, r, d)) p.a = *a;
    return p;
}

} // namespace

BlindSolveCommand::BlindSolveCommand(CommandHost& host, ImageView& view, FieldPanel& field,
                                     SolvePanel& solve)
    : QObject(host.hostWidget()), m_host(host), m_view(view), m_field(field), m_solve(solve) {
    setObjectName(QStringLiteral("blindSolveCommand"));
}

bool BlindSolveCommand::run(bool scalesKnown) {
    SessionState& s = m_host.session();
    const ImageCanvas& canvas = m_view.canvas();
    const QImage& picture = canvas.image();
    if (!s.ImageLoaded || picture.isNull()) {
        messagebox::Exclamation(m_host.hostWidget(), tr("Load an image first."));
        return false;
    }
    BlindSolveRequest request;
    request.width = picture.width();
    request.height = picture.height();
    if (scalesKnown) {
        const auto scales = m_field.readScales(); // says what is wrong itself
        if (!scales) return false;
        const double arcsecPerPx = 3600.0 / scales->second;
        request.scaleLow = arcsecPerPx * (1 - kScaleMargin);
        request.scaleHigh = arcsecPerPx * (1 + kScaleMargin);
    }
    const QString folder = StarSource().indexFolder;
    request.indexFiles = BlindIndexFilesIn(folder);
    request.timeLimitSeconds =
        options::Value(QStringLiteral("blind/timeLimitSeconds"), kDefaultTimeLimit).toDouble();
    if (!(request.timeLimitSeconds > 0)) request.timeLimitSeconds = kDefaultTimeLimit;

    EnsureSources(s, canvas.values().isNull() ? PixelImageFromPicture(picture) : canvas.values(),
                  s.ImageFileStamp);
    request.sources = s.Sources;

    QProgressDialog dialog(tr("Solving without position among the index files of %1…")
                               .arg(QDir::toNativeSeparators(folder)),
                           tr("Cancel"), 0, 0, m_host.hostWidget());
    dialog.setObjectName(QStringLiteral("blindProgress"));
    dialog.setWindowTitle(tr("Solve without position"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(0);
    dialog.show();
    background::Progress progress;
    BlindSolveResult result;
    background::Run([&] { result = BlindSolve(request, &progress); },
                    [&] {
                        if (dialog.wasCanceled()) progress.cancel = true;
                        const qint64 total = progress.total.load();
                        if (total > 0) {
                            dialog.setMaximum(int(total));
                            dialog.setValue(int(std::min(progress.done.load(), total)));
                        }
                    });
    dialog.reset();
    dialog.hide();

    const auto widths = [&] {
        const int side = std::max(request.width, request.height);
        return tr("field widths %1° to %2°")
            .arg(result.scaleLow * side / 3600.0, 0, 'f', 2)
            .arg(result.scaleHigh * side / 3600.0, 0, 'f', 2);
    };
    for (const QString& skipped : result.skipped)
        m_host.LogMessage(tr("Index file skipped: %1").arg(skipped));
    QString failure;
    switch (result.failure) {
    case BlindFailure::None:
        break;
    case BlindFailure::Cancelled:
        m_host.LogMessage(tr("Solving without position cancelled; nothing was changed."));
        return false;
    case BlindFailure::BadInput:
        failure = result.indexFilesUsable == 0
                      ? tr("No index file of %1 can solve this image (%2).")
                            .arg(QDir::toNativeSeparators(folder), widths())
                      : tr("Too few stars were found on the image (%1).").arg(s.Sources.size());
        break;
    case BlindFailure::NoSolution:
    case BlindFailure::TimeLimit:
        failure = tr("No solution within %1 s among %n index file(s) (%2).", nullptr,
                     result.indexFilesUsable)
                      .arg(std::round(result.elapsedMs / 100.0) / 10.0)
                      .arg(widths());
        break;
    }
    if (!failure.isEmpty()) {
        m_host.LogMessage(failure);
        messagebox::Exclamation(m_host.hostWidget(), failure);
        return false;
    }

    const BlindSolution& solution = *result.solution;
    const TanPlate& plate = solution.plate;
    const double w = request.width, h = request.height;
    const SkyPoint centre = plate.pixelToSky((w - 1) / 2, (h - 1) / 2);
    const double arcsecPerPx = plate.pixelScaleArcsec();
    const double corrDec = numbers::RoundHalfEven(3600.0 / arcsecPerPx, 2);
    const double corrAsd =
        numbers::RoundHalfEven(3600.0 / arcsecPerPx * std::cos(centre.dec * angles::kDegree), 2);
    const double radiusArcmin = std::hypot(w, h) / 2 * arcsecPerPx / 60.0;

    // The centre at the typed equinox for the fields.
    const std::optional<double> epoch = numbers::Strict(m_field.epoch());
    double ra = centre.ra, dec = centre.dec;
    if (epoch && *epoch != 2000.0) {
        const PrecessionDelta d = PrecessFromJ2000(*epoch, ra, dec);
        ra += d.dRA;
        dec += d.dDec;
    }
    const CentreTexts texts = centreTexts(ra, dec);
    m_field.setCoordinateTexts(texts.ra, texts.dec);
    m_field.setDecSign(texts.sign);
    m_field.syncSignButtons();
    m_field.setRadius(QString::number(std::ceil(radiusArcmin * 10) / 10, 'f', 1));
    m_field.setScales(corrAsd, corrDec);

    // The plate in use: the TAN plate, with the scales and a model that
    // agrees with it. The catalogue answer of the old centre no longer
    // belongs to the fields.
    s.Plate = affineOf(plate, corrAsd, corrDec, request.width, request.height);
    s.RefinedPlate = plate;
    s.MatchFound = true;
    s.WorkflowMode = WorkflowMode::Coordinates;
    s.CentrePlateRA = centre.ra * corrAsd;
    s.CentrePlateDec = centre.dec * corrDec;
    s.FieldAngle = reduction::FieldAngle(s.Plate, s.CentrePlateRA, s.CentrePlateDec);
    s.Stars = CatalogueStarTable{};
    s.StarAnswerStale = true;
    m_solve.showPlate([&s] { return PlateInUseText(s, nullptr); }, {});

    const CentreTexts j2000 = centreTexts(centre.ra, centre.dec);
    m_host.LogMessage(
        tr("Solved without position in %1 s (index file %2, log-odds %3, %4 stars): centre "
           "J2000 %5h %6m %7s %8%9° %10′ %11″, radius %12′, Corr Asd %13, Corr Dec %14, "
           "%15″/pixel%16.")
            .arg(std::round(result.elapsedMs / 100.0) / 10.0)
            .arg(solution.indexFile)
            .arg(solution.logOdds, 0, 'f', 1)
            .arg(solution.starsMatched)
            .arg(j2000.ra[0], j2000.ra[1], j2000.ra[2], j2000.sign, j2000.dec[0], j2000.dec[1],
                 j2000.dec[2])
            .arg(radiusArcmin, 0, 'f', 1)
            .arg(corrAsd, 0, 'f', 2)
            .arg(corrDec, 0, 'f', 2)
            .arg(arcsecPerPx, 0, 'f', 3)
            .arg(plate.determinant() < 0 ? tr(", mirrored") : QString()));
    return true;
}
