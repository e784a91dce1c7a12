// The listings of the catalogue browser: the last star answer, the last
// minor-planet answer and the NGC/IC objects around the field centre, as rows
// of text. Each listing reads its file with the same reader as the main
// window, into a table of its own, so nothing the reduction uses changes.
#pragma once

#include "catalogues/deepsky.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace catalogues {

// Rows a listing holds at most.
inline constexpr int kBrowserRows = 4000;

// Small icons of the rows, by listing.
inline constexpr int kStarIcon = 1;
inline constexpr int kMinorPlanetIcon = 3;
inline constexpr int kDeepSkyIcon = 5;

// The texts of one row: under "Name", "Asd", "Dec", "Size", and one more kept
// but not shown.
using BrowserRow = std::array<QString, 5>;

struct BrowserListing {
    std::vector<BrowserRow> rows;
    int icon = 0;      // the small icon of every row
    QStringList notes; // what the user should know about the listing (a file missing, a bound)
};

// The star answer file at `path`: identifier, right ascension and declination
// in degrees rounded to 5 decimals as the answer gives them, red magnitude,
// blue magnitude (not shown).
BrowserListing ListStarAnswer(const QString& path);

// The minor-planet answer file at `path`: "designation - name", right
// ascension and declination in degrees (5 decimals, J2000 as the row gives
// them), "motion 1 & motion 2", magnitude (not shown).
BrowserListing ListMinorPlanetAnswer(const QString& path);

// The field the deep-sky listing is read for: the main window's window and scales.
struct BrowserField {
    DeepSkyWindow window;
    double corrAsd = 0;
    double corrDec = 0;
};

// The NGC/IC objects of `folder`'s files inside the field's window: name,
// right ascension and declination in degrees (5 decimals), "size 1 x size 2"
// in arcminutes, magnitude (not shown).
BrowserListing ListDeepSkyObjects(const QString& folder, const BrowserField& field);

} // namespace catalogues
