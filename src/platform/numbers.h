// Reading and writing numbers the way the program's text boxes and files need.
//
// Two readings of typed text:
//  - lenient: a leading number with "." as decimal point; leading blanks are
//    skipped, reading stops at the first character that cannot continue the
//    number, and an empty or non-numeric text gives 0. Never fails.
//  - strict: the whole text (blanks around allowed) must be a number, with
//    "." or "," as decimal separator in every locale; a thousands separator,
//    a blank inside or anything else makes it an error ("17,300" is 17.3,
//    never 17300; "1,234.5" and "1 234" are errors).
// Rounding is half to even everywhere.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace numbers {

// Lenient reading: the value of the leading number of `text`, 0 when there is none.
double Lenient(QStringView text);

// The same reading over 8-bit text (catalogue files), without making a QString.
double Lenient(QByteArrayView text);

// Strict reading: the number that `text` holds, or nothing when it is not a number.
std::optional<double> Strict(QStringView text);

// `value` rounded to `decimals` decimals, halves to even (0.5 -> 0, 1.5 -> 2, 2.5 -> 2).
double RoundHalfEven(double value, int decimals = 0);

// `value` rounded half to even into a 16-bit signed integer; nothing when it does not fit.
std::optional<int16_t> ToInt16(double value);

// Text-to-integer conversion of a typed or stored value ("1", " 2 ", "1.5"):
// blanks around are ignored, a fraction is rounded half to even. Nothing for
// a text that is not a number or does not fit 16 bits.
std::optional<int16_t> TextToInt16(QStringView text);

// Plain decimal text of a number: up to 15 significant digits, no trailing
// zeros, "." as decimal point, no leading blank (224, 0.5, -10.25, 1942.48430015738).
QString Text(double value);

} // namespace numbers
