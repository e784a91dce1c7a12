#include "field/picking.h"

#include <algorithm>
#include <cmath>

using namespace reduction;

namespace field {

namespace {
// The index the next pick would take, or 0 when it has no mark to go with.
int nextPickIndex(const SessionState& session, const MarkerPool& clicpic) {
    const int next = session.PickCount + 1;
    const int limit =
        std::min<int>(clicpic.count(), static_cast<int>(session.ImageStarX.size()) - 1);
    return next >= 1 && next <= limit ? next : 0;
}
} // namespace

int StorePickMark(SessionState& session, MarkerPool& clicpic, double x, double y) {
    const int k = nextPickIndex(session, clicpic);
    if (k == 0) return 0;
    session.PickCount = static_cast<int16_t>(k);
    PlacePickMark(clicpic, k, x, y);
    return k;
}

int StorePick(SessionState& session, MarkerPool& clicpic, double x, double y) {
    const int k = StorePickMark(session, clicpic, x, y);
    if (k == 0) return 0;
    session.ImageStarX[k] = x;
    session.ImageStarY[k] = y;
    return k;
}

int EarlierPickNear(const SessionState& session, double x, double y) {
    for (int k = 1; k <= session.PickCount && k < static_cast<int>(session.ImageStarX.size()); ++k)
        if (std::abs(session.ImageStarX[k] - x) < kPickSeparation &&
            std::abs(session.ImageStarY[k] - y) < kPickSeparation)
            return k;
    return 0;
}

int SelectAtCursor(SessionState& s, MarkerPool& clicpic,
                   const std::function<double(int, int)>& pixel) {
    if (s.WorkflowMode == WorkflowMode::Calibration)
        s.PickCount = static_cast<int16_t>(s.RefStarCount - 1);
    if (s.RefStarCount == 3) s.WorkflowMode = WorkflowMode::ReferencesPicked;
    if (pixel) {
        const BrightestSpot spot = FindBrightestNear(pixel, s.CursorX, s.CursorY);
        s.CursorX = static_cast<int16_t>(spot.x);
        s.CursorY = static_cast<int16_t>(spot.y);
    }
    if (s.WorkflowMode == WorkflowMode::Select)
        if (const int earlier = EarlierPickNear(s, s.CursorX, s.CursorY)) return -earlier;
    const int k = StorePick(s, clicpic, s.CursorX, s.CursorY);
    if (k == MarkerStore::kPicks) {
        s.WorkflowMode = WorkflowMode::SelectionFinished;
        s.SelectionDone = true;
    }
    return k;
}

} // namespace field
