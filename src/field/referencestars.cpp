#include "field/referencestars.h"

#include "platform/numbers.h"

#include <QCoreApplication>

using namespace reduction;

namespace field {

namespace {

QString unreadableBox(int index, const QString& text) {
    return QCoreApplication::translate("ReferenceStars",
                                       "Type mismatch: calibration box %1 (\"%2\") does not hold a "
                                       "number that can be used.")
        .arg(QString::number(index), text);
}

// Reads the star into slot i; an error text, empty on success.
QString readStar(SessionState& s, int i, const std::array<QString, 8>& box) {
    const auto x = numbers::TextToInt16(box[0]);
    if (!x) return unreadableBox(0, box[0]);
    s.RefStarX[i] = *x;
    const auto y = numbers::TextToInt16(box[1]);
    if (!y) return unreadableBox(1, box[1]);
    s.RefStarY[i] = *y;
    for (int k : {2, 3, 5, 6})
        if (!numbers::Strict(box[k])) return unreadableBox(k, box[k]);
    s.RefStarRA[i] = HoursToDegrees(*numbers::Strict(box[2]), *numbers::Strict(box[3]),
                                    numbers::Lenient(box[4]));
    s.RefStarDec[i] =
        SignedDegrees(*numbers::Strict(box[5]), *numbers::Strict(box[6]), numbers::Lenient(box[7]),
                      s.RefDecSign == QLatin1String("-1") ? -1.0 : 1.0);
    return {};
}

} // namespace

ReferenceStep RecordReferenceStar(SessionState& s, const std::array<QString, 8>& boxes) {
    ReferenceStep step;
    const int i = s.RefStarCount;
    if (i < 0 || i > 3) {
        step.error = QCoreApplication::translate(
            "ReferenceStars", "The three reference stars are already recorded. Start the "
                              "calibration again from the menu to measure new scales.");
        return step;
    }
    step.error = readStar(s, i, boxes);
    if (!step.error.isEmpty()) return step;
    step.recorded = true;
    s.RefStarCount = static_cast<int16_t>(i + 1);
    if (s.RefStarCount == 4) {
        step.scales = ScalesFromReferenceStars({s.RefStarX, s.RefStarY, s.RefStarRA, s.RefStarDec});
        step.error = step.scales->error;
    }
    return step;
}

} // namespace field
