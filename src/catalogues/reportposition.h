// The report of a measured position: the point clicked on a solved image,
// the minor planet of the overlay it most likely is, and the observation line
// in the Minor Planet Center's format (catalogues/mpcreport.h) built from
// what the user typed.
#pragma once

#include "catalogues/mpcreport.h"
#include "field/session.h"
#include "reduction/platesolution.h"
#include "reduction/skyplate.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <span>

namespace catalogues {

// A point measured on the image.
struct MeasuredPoint {
    int clickX = 0, clickY = 0; // the pixel clicked
    int x = 0, y = 0;           // the pixel measured (the brightest spot near the click)
    reduction::SkyPoint sky;    // J2000, degrees, through the plate in use
    bool refinedPlate = false;  // the refined plate gave the position
};

// Measures the clicked pixel (x, y) through `plate`. With `pixel` given
// (pixel values, -1 outside the image) the point first moves to the
// brightest 7 x 7 spot within 3 pixels, as a centred pick does.
MeasuredPoint MeasurePoint(const reduction::SkyPlate& plate, int x, int y,
                           const std::function<double(int x, int y)>& pixel);

// A row of the minor-planet table near a measured point.
struct NearbyMinorPlanet {
    int row = 0;
    QString packed; // the designation in packed form ("02105", "K22H05K")
    QString label;  // readable: "(2105) Gudy", "2022 HK5"
    double arcminutes = 0;
};

// The minor planet nearest to `sky` (degrees) among the typed rows of the
// field (row numbers from 1); nothing when there is none.
std::optional<NearbyMinorPlanet>
NearestMinorPlanet(std::span<const reduction::CatalogueRow> planets,
                   const reduction::SkyPoint& sky);

// The same among rows 1..count of the scaled table, with the scales
// `corrAsd`, `corrDec`; nothing for an empty table or zero scales.
std::optional<NearbyMinorPlanet> NearestMinorPlanet(const field::MinorPlanetTable& table,
                                                    double corrAsd, double corrDec,
                                                    const reduction::SkyPoint& sky);

// The packed designation of a table row from its designation column (the
// number, blanks around it) and its name column (blanks removed, the
// provisional designation for an unnamed object: "2022HK5"). Empty when
// neither gives one.
QString PackedDesignation(const QString& designation, const QString& name);

// A nearby object is offered as the designation of a measurement only within
// this distance: farther away it is most likely another object.
inline constexpr double kOfferArcminutes = 5.0;

// What the user gives for a report line, as typed.
struct ReportTexts {
    QString designation;
    std::array<QString, 5> date; // day, month, year, hour, minute (UTC), as the date fields
    QString magnitude;           // empty: none
    QString band;                // one letter
    QString observatory;         // three characters
};

// The observation line for `sky` (degrees J2000), or which text is wrong
// with a message naming it.
outcome::Result<QString, ReportError> ReportLine(const ReportTexts& texts,
                                                 const reduction::SkyPoint& sky);

// Everything the report dialog starts from.
struct ReportDraft {
    MeasuredPoint point;
    std::optional<NearbyMinorPlanet> nearest; // of the minor planets on the map
    std::array<QString, 5> date;              // the minor-planet date fields
    QString observatory;                      // the stored observatory code
    QString reportPath;                       // where lines are appended
};

// The designation offered for a draft: the nearest minor planet's packed
// form when it lies within kOfferArcminutes, else nothing.
QString OfferedDesignation(const ReportDraft& draft);

// The report file of the program folder, where observation lines are collected.
QString ReportFilePath();

// The observatory code of the options file (key report/observatoryCode),
// "500" (the geocentre) when none was stored; and its storing.
QString StoredObservatoryCode();
bool StoreObservatoryCode(const QString& code);

} // namespace catalogues
