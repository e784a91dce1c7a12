// Star picking: the brightest spot near a click, and the bookkeeping of one
// pick (its stored position and its red mark).
#pragma once

#include "field/markers.h"
#include "field/session.h"

#include <array>
#include <cstdint>
#include <functional>

namespace field {

struct BrightestSpot {
    int x = 0;
    int y = 0;
    double score = 0;   // the 7 x 7 box sum of the winning candidate
    bool found = false; // false when no candidate scored above 0
};

// Given a pixel-value source `value(x, y)` (red + 256 * green + 65536 * blue,
// -1 outside the image) and the clicked pixel (x0, y0), returns the centre of
// the brightest 7 x 7 box whose centre lies within 3 pixels of the click
// (both axes). Candidates are scanned x outer, y inner, ascending; a candidate
// replaces the best only with a strictly greater sum, starting from 0, so the
// first of equal sums wins. When nothing scores above 0 (a black
// neighbourhood) the click position itself is returned with found = false.
template <class PixelValue>
BrightestSpot FindBrightestNear(const PixelValue& value, int x0, int y0) {
    // The 13 x 13 pixels that the 49 boxes cover, read once.
    std::array<double, 13 * 13> px{};
    for (int i = 0; i < 13; ++i)
        for (int j = 0; j < 13; ++j)
            px[i * 13 + j] = static_cast<double>(value(x0 - 6 + i, y0 - 6 + j));
    BrightestSpot best{x0, y0, 0.0, false};
    for (int cx = 0; cx < 7; ++cx) {
        for (int cy = 0; cy < 7; ++cy) {
            double sum = 0;
            for (int i = 0; i < 7; ++i)
                for (int j = 0; j < 7; ++j)
                    sum += px[(cx + i) * 13 + (cy + j)];
            if (sum > best.score) best = {x0 - 3 + cx, y0 - 3 + cy, sum, true};
        }
    }
    return best;
}

// Pick marks are centred on their pick; h is the mark's template height.
inline void PlacePickMark(MarkerPool& clicpic, int index, double x, double y) {
    const double half = clicpic.size / 2;
    clicpic.place(index, static_cast<float>(x - half), static_cast<float>(y - half));
    clicpic.show(index);
}

// Stores the next pick (PickCount + 1) at (x, y) in the ImageStar arrays and
// shows its mark. There are only MarkerStore::kPicks marks, so a pick whose
// index would fall outside 1..kPicks is refused: nothing is written and
// PickCount is unchanged. Returns the index used, or 0 when refused.
int StorePick(SessionState& session, MarkerPool& clicpic, double x, double y);

// The mark-only pick of a calibration click: advances PickCount and shows
// mark PickCount centred on (x, y), within the same bounds as StorePick.
// Returns the index used, or 0 when refused.
int StorePickMark(SessionState& session, MarkerPool& clicpic, double x, double y);

// Picks of the five field stars closer than this (pixels, both axes) are
// one star picked twice (a double-click, a second click on the same star):
// the matching would compare a distance of nearly 0 and find nothing.
inline constexpr double kPickSeparation = 5;

// The earlier field-star pick (1..PickCount) within kPickSeparation of
// (x, y), or 0 when there is none.
int EarlierPickNear(const SessionState& session, double x, double y);

// One pick at the session's cursor ("doselect"): during a calibration the pick
// goes to slot RefStarCount - 1; the third reference star ends the mode in
// ReferencesPicked. With `pixel` given (the star-centring option) the cursor
// first moves to the brightest spot near it (pixel values: the colour number
// of a picture, the physical value of a FITS image). The pick is stored as by
// StorePick; the fifth ends the selection (mode SelectionFinished,
// SelectionDone). Returns the index used, 0 when no mark was left for it, or
// minus the index of the earlier field-star pick it lies on (EarlierPickNear):
// such a pick is not recorded.
int SelectAtCursor(SessionState& session, MarkerPool& clicpic,
                   const std::function<double(int x, int y)>& pixel);

} // namespace field
