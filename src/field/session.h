// The state of the current reduction, held by the main window for the whole run.
#pragma once

#include "reduction/evidence.h"
#include "reduction/fieldcatalogue.h"
#include "reduction/platesolution.h"
#include "reduction/skyplate.h"
#include "reduction/tanplate.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace field {

// Catalogue stars from the star server's answer, rows 1..4000 (row 0 unused):
// the scaled view of the typed rows (field/catalogueviews.h) that the
// five-star search, the three-star model and the overlay work on.
struct CatalogueStarTable {
    static constexpr int kCapacity = 4000;
    static constexpr int kInUseLimit = 497;
    std::vector<QString> id = std::vector<QString>(kCapacity + 1);
    std::vector<double> ra = std::vector<double>(kCapacity + 1);  // scaled, whole numbers
    std::vector<double> dec = std::vector<double>(kCapacity + 1); // scaled, whole numbers
    std::vector<QString> magRed = std::vector<QString>(kCapacity + 1);
    std::vector<QString> magBlue = std::vector<QString>(kCapacity + 1);
    int16_t rowsRead = 0;
    int16_t inUse = 0;
};

// Minor planets of the field, rows 1..500, all columns kept as text.
struct MinorPlanetTable {
    static constexpr int kCapacity = 500;
    std::vector<QString> designation = std::vector<QString>(kCapacity + 1);
    std::vector<QString> name = std::vector<QString>(kCapacity + 1);
    std::vector<QString> ra = std::vector<QString>(kCapacity + 1);  // scaled, as text
    std::vector<QString> dec = std::vector<QString>(kCapacity + 1); // scaled, as text
    std::vector<QString> magnitude = std::vector<QString>(kCapacity + 1);
    std::vector<QString> motion1 = std::vector<QString>(kCapacity + 1);
    std::vector<QString> motion2 = std::vector<QString>(kCapacity + 1);
    int16_t count = 0;
};

// NGC/IC objects around the field centre, rows 1..500.
struct DeepSkyTable {
    static constexpr int kCapacity = 500;
    std::vector<QString> name = std::vector<QString>(kCapacity + 1);
    std::vector<double> ra = std::vector<double>(kCapacity + 1);
    std::vector<double> dec = std::vector<double>(kCapacity + 1);
    std::vector<QString> magnitude = std::vector<QString>(kCapacity + 1);
    std::vector<double> size1 = std::vector<double>(kCapacity + 1);
    std::vector<double> size2 = std::vector<double>(kCapacity + 1);
    std::vector<double> positionAngle = std::vector<double>(kCapacity + 1);
    std::vector<QString> description = std::vector<QString>(kCapacity + 1);
    std::vector<QString> pgcName = std::vector<QString>(kCapacity + 1);
    std::vector<QString> otherName1 = std::vector<QString>(kCapacity + 1);
    std::vector<QString> otherName2 = std::vector<QString>(kCapacity + 1);
    int16_t count = 0;
};

// What a click, a double-click and a mouse move on the image mean.
enum class WorkflowMode {
    None,              // nothing special (the start)
    Calibration,       // picking reference stars for the scales
    SuperCalibration,  // confirming overlay stars as reference stars
    Select,            // picking the five field stars
    ReferencesPicked,  // the third reference star has been picked
    SelectionFinished, // the five field stars are picked
    Coordinates,       // a match is accepted: clicks read sky positions
};

// The modes in which a click on the image picks a star.
inline bool PicksStars(WorkflowMode mode) {
    return mode == WorkflowMode::Calibration || mode == WorkflowMode::Select;
}

// Whether the overlay is drawn.
enum class MapState {
    None,    // never drawn
    Loading, // a full map is being drawn (all rows read)
    Done,    // drawn
    Failed,  // a minor-planet or deep-sky row could not be placed
};

struct SessionState {
    field::WorkflowMode WorkflowMode = field::WorkflowMode::None;
    field::MapState MapState = field::MapState::None;
    bool ImageLoaded = false;
    QString ImageFileStamp;
    bool ImageRowsBottomUp = false; // a FITS file whose row 1 is the bottom row shown
    int16_t CursorX = 0;
    int16_t CursorY = 0;
    int16_t PanDirection = 0;
    int16_t BlinkCount = 0;

    // Picked image stars, indexes 1..10 (0 unused).
    std::array<double, 11> ImageStarX{};
    std::array<double, 11> ImageStarY{};
    int16_t PickCount = 0;
    bool SelectionDone = false;
    int16_t AutoCalculate = 0;

    // Reference-star calibration.
    int16_t RefStarCount = 0;
    std::array<int16_t, 4> RefStarX{};
    std::array<int16_t, 4> RefStarY{};
    std::array<double, 4> RefStarRA{};
    std::array<double, 4> RefStarDec{};
    QString RefDecSign;
    int16_t ClickMarkAllowed = 0;
    bool CentreOutside = false;

    reduction::PlateSolution Plate; // scales CorrAsd/CorrDec and a0..a5

    // Field centre.
    QString CentreDecSign;
    double CentrePlateRA = 0;  // scaled J2000 (degrees while the query is built)
    double CentrePlateDec = 0; // scaled J2000
    double FieldAngle = 0;     // degrees

    // Matching.
    bool MatchFound = false;
    double MatchTolerance = 0;
    int16_t CandidateCount = 0;
    bool MapFailed = false;

    // The field's sky data as read, in degrees (reduction/fieldcatalogue.h):
    // what the refined plate, the evidence, the details and the exports read.
    reduction::FieldCatalogue Catalogue;
    CatalogueStarTable Stars;      // scaled view of Catalogue.stars
    MinorPlanetTable MinorPlanets; // scaled view of Catalogue.minorPlanets
    DeepSkyTable DeepSky;          // scaled view of Catalogue.deepSky
    QString SavedMagnitude;
    // The star answer on disk does not belong to the typed query: the last
    // download failed or was refused. READFILE reads nothing until a
    // download succeeds again.
    bool StarAnswerStale = false;
    // The minor-planet query (typed fields) that data2 answers; empty when
    // no query of this session succeeded since the last one failed.
    QString MinorPlanetAnswerQuery;
    // The rows a local source handed over with the answer now in "data" and
    // "data2" (right ascensions as written, 0..360): read instead of the
    // file. None when the answer came from the web or the cache.
    std::optional<std::vector<reduction::CatalogueRow>> StarAnswerRows;
    std::optional<std::vector<reduction::CatalogueRow>> MinorPlanetAnswerRows;

    // Field centre as typed (degrees, at the typed equinox), kept by the download.
    double CentreRA = 0;
    double CentreDec = 0;

    // Stars found on the loaded image (brightest first), for the automatic
    // picks, the evidence and the refined plate; SourcesStamp names the image
    // they were found on.
    std::vector<reduction::ImageSource> Sources;
    QString SourcesStamp;
    // The refined plate of the accepted candidate; while it is set it maps
    // pixels and sky instead of the affine model in Plate. Cleared whenever
    // Plate's model changes.
    std::optional<reduction::TanPlate> RefinedPlate;

    // No minor planet of the field: none drawn, shown or reported.
    void forgetMinorPlanets() {
        MinorPlanets.count = 0;
        Catalogue.minorPlanets.clear();
    }

    // The identification that Auto found from the stars of the whole image:
    // the five picks it stored (1..5, pixels), the catalogue rows of each
    // (slot 0 unused), its decimal log-odds against chance and the scales
    // of its fitted plate. The candidate search offers it while the picks
    // are still these.
    struct AutoIdentification {
        std::array<double, 11> x{};
        std::array<double, 11> y{};
        std::array<int16_t, 6> rows{};
        double odds = 0;
        double corrAsd = 0;
        double corrDec = 0;
    };
    std::optional<AutoIdentification> AutoFound;

    // The plate in use for the readout, the overlay and shown positions.
    reduction::SkyPlate plateInUse() const { return reduction::SkyPlate{Plate, RefinedPlate}; }
};

} // namespace field
