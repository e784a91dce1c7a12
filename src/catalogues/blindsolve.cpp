// The library's solver is run one index file at a time and a band of sources
// at a time (the brightest 10, then the next 10 and so on), every file at a
// given depth before any file goes deeper, so that a file of the wrong quad
// size cannot use up the time before the right one has seen the bright stars.
#include "catalogues/blindsolve.h"

#include "catalogues/localstars.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdlib>
#include <mutex>

extern "C" {
#include <astrometry/errors.h>
#include <astrometry/index.h>
#include <astrometry/log.h>
#include <astrometry/matchobj.h>
#include <astrometry/sip.h>
#include <astrometry/solver.h>
#include <astrometry/starkd.h>
#include <astrometry/starxy.h>
}

using namespace reduction;
using namespace field;

namespace catalogues {

namespace {

// Upper ends of the source bands, brightest first.
constexpr int kDepths[] = {10, 20, 30, 40, 50, 60, 80, 100, 125, 150, 175, 200};

// The smallest quad tried, as a fraction of the shorter side of the image;
// the largest is the diagonal.
constexpr double kQuadMinFraction = 0.1;

// Matches below ln(1e6) are not refined by the library.
const double kTuneLogOdds = std::log(1e6);

// The library keeps its error stack and logger in process-wide state.
std::mutex g_solverMutex;

struct Run {
    QElapsedTimer clock;
    qint64 limitMs = 0;
    background::Progress* progress = nullptr;
    bool timedOut = false;
    bool cancelled = false;
    solver_t* solver = nullptr;
    // The accepted match, copied while the library still holds it.
    std::optional<tan_t> tan;
    double logOdds = 0;
    QString indexName;

    bool mustStop() {
        if (progress && progress->cancel.load()) cancelled = true;
        if (clock.elapsed() >= limitMs) timedOut = true;
        return cancelled || timedOut;
    }
};

// Called by the solver about once a second.
time_t onTimer(void* baton) {
    Run* run = static_cast<Run*>(baton);
    if (run->mustStop()) run->solver->quit_now = TRUE;
    return 1;
}

// Called for each match whose log-odds reach the acceptance threshold.
anbool onMatch(MatchObj* mo, void* baton) {
    Run* run = static_cast<Run*>(baton);
    if (!mo->wcs_valid) return FALSE;
    run->tan = mo->sip ? mo->sip->wcstan : mo->wcstan;
    run->logOdds = mo->logodds;
    const char* name = matchobj_get_index_name(mo);
    run->indexName = name ? QFileInfo(QFile::decodeName(name)).fileName() : QString();
    return TRUE;
}

TanPlate plateOf(const tan_t& t) {
    TanPlate p;
    p.crval = {t.crval[0], t.crval[1]};
    p.crpix = {t.crpix[0], t.crpix[1]};
    p.cd = {t.cd[0][0], t.cd[0][1], t.cd[1][0], t.cd[1][1]};
    return p;
}

// Pairs of index stars and the nearest source within `radiusPx` of where
// `plate` puts them.
std::vector<PlatePair> pairsUnder(const TanPlate& plate, const std::vector<SkyPoint>& stars,
                                  const std::vector<ImageSource>& list, double radiusPx) {
    const SourceIndex sources(list, radiusPx);
    std::vector<PlatePair> pairs;
    for (const SkyPoint& s : stars) {
        const auto at = plate.skyToPixel(s);
        if (!at) continue;
        const int i = sources.nearest(at->x, at->y, radiusPx);
        if (i < 0) continue;
        pairs.push_back({PixelPoint{list[size_t(i)].x, list[size_t(i)].y}, s});
    }
    return pairs;
}

// Fits the accepted match again on every index star of the field that has a
// source near it, with the tangent point at the image centre.
std::pair<TanPlate, int> refine(const TanPlate& quadPlate, index_t* index,
                                const BlindSolveRequest& r) {
    const PixelPoint centre{(r.width - 1) / 2.0, (r.height - 1) / 2.0};
    const SkyPoint sky = quadPlate.pixelToSky(centre.x, centre.y);
    const double diagonalPx = std::hypot(double(r.width), double(r.height));
    const double radiusDeg = 0.55 * diagonalPx * quadPlate.pixelScaleArcsec() / 3600.0;
    double* radec = nullptr;
    int n = 0;
    startree_search_for_radec(index->starkd, sky.ra, sky.dec, radiusDeg, nullptr, &radec, nullptr,
                              &n);
    std::vector<SkyPoint> stars;
    for (int i = 0; i < n; ++i)
        stars.push_back({radec[2 * i], radec[2 * i + 1]});
    std::free(radec);

    TanPlate plate = quadPlate;
    int used = 0;
    // A wide window first (the quad's plate may be off by several pixels far
    // from its stars), then a narrow one about the refitted plate.
    for (const double window : {std::max(5.0, 0.01 * diagonalPx), 2.0}) {
        const auto pairs = pairsUnder(plate, stars, r.sources, window);
        const auto fit = FitTanPlateRejecting(pairs, centre, sky);
        if (!fit) break;
        plate = fit->plate;
        used = fit->usedCount;
    }
    return {plate, used};
}

struct LoadedIndex {
    index_t* index = nullptr;
    QString name;
    bool loaded = false; // metadata only until first needed
};

} // namespace

std::pair<double, double> BlindDefaultScaleRange(int pixels) {
    if (pixels <= 0) return {0, 0};
    return {kBlindNarrowestFieldDeg * 3600.0 / pixels, kBlindWidestFieldDeg * 3600.0 / pixels};
}

QStringList BlindIndexFilesIn(const QString& folder) {
    QStringList files;
    const QFileInfoList entries =
        QDir(folder).entryInfoList({QStringLiteral("*.fits"), QStringLiteral("*.fit")},
                                   QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& info : entries)
        if (info.isFile()) files << info.filePath();
    return files;
}

BlindSolveResult BlindSolve(const BlindSolveRequest& r, background::Progress* progress) {
    const std::lock_guard lock(g_solverMutex);
    BlindSolveResult result;
    Run run;
    run.clock.start();
    run.limitMs = qint64(std::max(0.0, r.timeLimitSeconds) * 1000.0);
    run.progress = progress;
    const auto finish = [&](BlindFailure failure) {
        result.failure = failure;
        result.elapsedMs = run.clock.elapsed();
        return result;
    };

    auto [low, high] = std::pair{r.scaleLow, r.scaleHigh};
    if (low == 0 && high == 0)
        std::tie(low, high) = BlindDefaultScaleRange(std::max(r.width, r.height));
    result.scaleLow = low;
    result.scaleHigh = high;
    if (r.width < 2 || r.height < 2 || !(low > 0) || !(high >= low) || !std::isfinite(high) ||
        r.sources.size() < 4)
        return finish(BlindFailure::BadInput);
    if (r.hint && (!std::isfinite(r.hint->ra) || !std::isfinite(r.hint->dec) || r.hint->dec < -90 ||
                   r.hint->dec > 90 || !(r.hint->radius > 0)))
        return finish(BlindFailure::BadInput);

    log_set_level(LOG_NONE);
    // Quad sizes the image can hold at this scale range, arcseconds.
    const double quadMinPx = kQuadMinFraction * std::min(r.width, r.height);
    const double quadMaxPx = std::hypot(double(r.width), double(r.height));
    const double quadLow = quadMinPx * low, quadHigh = quadMaxPx * high;

    std::vector<LoadedIndex> indexes;
    for (const QString& path : r.indexFiles) {
        const QString name = QFileInfo(path).fileName();
        if (!QFileInfo(path).isFile()) {
            result.skipped << name + QStringLiteral(": ") + QStringLiteral("not a regular file");
            continue;
        }
        if (const QString problem = CheckStarIndexFile(path); !problem.isEmpty()) {
            result.skipped << name + QStringLiteral(": ") + problem;
            continue;
        }
        errors_start_logging_to_string();
        index_t* index =
            index_load(QFile::encodeName(path).constData(), INDEX_ONLY_LOAD_METADATA, nullptr);
        std::free(errors_stop_logging_to_string(": "));
        if (!index) {
            result.skipped << name + QStringLiteral(": ") + QStringLiteral("cannot be read");
            continue;
        }
        const bool fits =
            index_overlaps_scale_range(index, quadLow, quadHigh) &&
            (!r.hint || index_is_within_range(index, r.hint->ra, r.hint->dec, r.hint->radius));
        if (!fits) {
            index_free(index);
            continue;
        }
        indexes.push_back({index, name, false});
    }
    result.indexFilesUsable = int(indexes.size());
    const auto freeAll = [&] {
        for (LoadedIndex& i : indexes)
            index_free(i.index);
    };
    if (indexes.empty()) {
        freeAll();
        return finish(BlindFailure::BadInput);
    }

    const int sourceCount = int(std::min<size_t>(r.sources.size(), kBlindMaxQuadSources));
    std::vector<int> depths;
    for (int d : kDepths) {
        depths.push_back(std::min(d, sourceCount));
        if (d >= sourceCount) break;
    }
    if (progress) {
        progress->done = 0;
        progress->total = qint64(depths.size() * indexes.size());
    }

    solver_t* solver = solver_new();
    run.solver = solver;
    starxy_t* field = starxy_new(int(r.sources.size()), TRUE, FALSE);
    for (size_t i = 0; i < r.sources.size(); ++i) {
        starxy_set(field, int(i), r.sources[i].x, r.sources[i].y);
        starxy_set_flux(field, int(i), r.sources[i].flux);
    }
    solver_set_field(solver, field);
    solver_set_field_bounds(solver, 0, r.width - 1, 0, r.height - 1);
    solver->funits_lower = low;
    solver->funits_upper = high;
    solver_set_quad_size_range(solver, quadMinPx, quadMaxPx);
    // The library's "normal" parity is that of pixels counted upwards; ours
    // count downwards, so a sky seen as the eye sees it is its "flipped" one.
    solver_set_parity(solver, r.tryBothParities ? PARITY_BOTH : PARITY_FLIP);
    solver_set_keep_logodds(solver, kBlindAcceptLogOdds);
    solver->logratio_stoplooking = kBlindAcceptLogOdds;
    solver->logratio_totune = kTuneLogOdds;
    solver->do_tweak = TRUE; // order 1: a TAN plate fitted on the matched stars
    solver->tweak_aborder = 1;
    solver->tweak_abporder = 1;
    solver->set_crpix = TRUE;
    solver->set_crpix_center = TRUE;
    solver->record_match_callback = onMatch;
    solver->timer_callback = onTimer;
    solver->userdata = &run;
    if (r.hint) solver_set_radec(solver, r.hint->ra, r.hint->dec, r.hint->radius);

    index_t* solvedBy = nullptr;
    int start = 0;
    for (int depth : depths) {
        for (LoadedIndex& li : indexes) {
            if (run.mustStop()) break;
            if (!li.loaded) {
                errors_start_logging_to_string();
                const bool ok = index_reload(li.index) == 0;
                std::free(errors_stop_logging_to_string(": "));
                li.loaded = true;
                if (!ok) {
                    result.skipped
                        << li.name + QStringLiteral(": ") + QStringLiteral("cannot be read");
                    continue;
                }
            }
            if (!li.index->codekd || !li.index->quads || !li.index->starkd) continue;
            solver_clear_indexes(solver);
            solver_add_index(solver, li.index);
            solver->startobj = start;
            solver->endobj = depth;
            solver_reset_counters(solver);
            errors_start_logging_to_string();
            solver_run(solver);
            std::free(errors_stop_logging_to_string(": "));
            if (progress) ++progress->done;
            if (run.tan) {
                solvedBy = li.index;
                break;
            }
        }
        if (solvedBy || run.cancelled || run.timedOut) break;
        start = depth;
    }

    if (solvedBy) {
        BlindSolution s;
        const auto [plate, used] = refine(plateOf(*run.tan), solvedBy, r);
        s.plate = plate;
        s.starsMatched = used;
        s.logOdds = run.logOdds;
        s.indexFile = run.indexName;
        result.solution = s;
    }
    solver_clear_indexes(solver);
    solver_free(solver);
    freeAll();
    if (result.solution) return finish(BlindFailure::None);
    if (run.cancelled) return finish(BlindFailure::Cancelled);
    if (run.timedOut) return finish(BlindFailure::TimeLimit);
    return finish(BlindFailure::NoSolution);
}

} // namespace catalogues
