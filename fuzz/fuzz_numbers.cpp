// Typed numbers and angles: the lenient and the strict reading, 16-bit
// conversion, rounding, the field centre read from its six boxes, the query
// texts and the sexagesimal texts made from what was read.
#include "catalogues/usnoa2.h"
#include "platform/numbers.h"
#include "reduction/sexagesimal.h"
#include "support.h"

#include <QStringList>
#include <cmath>

using namespace reduction;
using namespace field;
using namespace catalogues;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzing::Text(data, size);
    const QByteArray bytes = fuzzing::Bytes(data, size);

    const double lenient = numbers::Lenient(text);
    if (!std::isfinite(lenient) || !std::isfinite(numbers::Lenient(QByteArrayView(bytes))))
        __builtin_trap(); // lenient reading never gives inf or nan
    if (const auto v = numbers::Strict(text)) {
        if (!std::isfinite(*v)) __builtin_trap();
        // Whatever the strict reading takes, its plain text (15 significant
        // digits) reads back to the same value.
        const auto again = numbers::Strict(numbers::Text(*v));
        if (!again || std::abs(*again - *v) > 1e-14 * std::abs(*v)) __builtin_trap();
        (void)numbers::RoundHalfEven(*v, 5);
        (void)numbers::ToInt16(*v);
    }
    (void)numbers::TextToInt16(text);

    // Lines of the input as the boxes of a field centre.
    const QStringList parts = text.split(QLatin1Char('\n'));
    TypedCentreFields fields;
    for (int i = 0; i < 3; ++i) {
        fields.ra[i] = parts.value(i);
        fields.dec[i] = parts.value(3 + i);
    }
    fields.decSign = parts.value(6);
    fields.epoch = parts.value(7, QStringLiteral("2000.0"));
    const TypedCentreReading reading = ReadTypedCentre(fields);
    if (reading && std::isfinite(reading->ra) && std::isfinite(reading->dec) &&
        std::abs(reading->ra) < 1e12 && std::abs(reading->dec) < 1e12) {
        (void)MakeStarQueryCoordinates(*reading, 0.0, 0.0);
        (void)FormatSexagesimal(reading->ra / 15, QStringLiteral("H"));
        (void)FormatSexagesimal(reading->dec, QString::fromUtf8("°"));
    }
    (void)FormatSexagesimal(lenient, QStringLiteral("H"));
    return 0;
}
