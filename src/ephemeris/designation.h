// Minor-planet designations and element epochs in the packed forms of the
// Minor Planet Center's files, and the readable forms the program shows.
//
// Packed numbers (5 characters): 00433; A0001 for 100001 (A..Z = 10..35,
// a..z = 36..61 ten-thousands); ~0000 and up for 620000 and beyond (four
// base-62 digits counted from 620000).
// Packed provisional designations (7 characters): century letter (I = 18,
// J = 19, K = 20), two-digit year, half-month letter, cycle count (two digits,
// or a letter and a digit from 100 on), second letter: 1995 XA = J95X00A,
// 1995 XL1 = J95X01L, 2007 TA418 = K07Tf8A. Survey designations: 2040 P-L =
// PLS2040, 3138 T-1 = T1S3138.
// Packed dates (5 characters): century letter, two-digit year, month and day
// as 1..9 then A.. (K2555 = 2025 May 5, K247V = 2024 July 31).
#pragma once

#include <QString>
#include <optional>

namespace ephemeris {

// The 5-character packed form of a minor-planet number (1..15396335), or
// nothing when the number cannot be packed.
std::optional<QString> PackNumber(int number);

// The number a packed form holds ("00433", "A0001", "~0000"), or nothing.
std::optional<int> UnpackNumber(const QString& packed);

// The 7-character packed form of a provisional or survey designation
// ("2022 HK5" -> "K22H05K", "2040 P-L" -> "PLS2040"), or nothing when the
// text is not one.
std::optional<QString> PackProvisional(const QString& readable);

// The readable form of a packed provisional or survey designation, or nothing.
std::optional<QString> UnpackProvisional(const QString& packed);

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// The date a packed epoch stands for ("K2555" -> 2025-05-05), or nothing.
// The date is checked against the calendar.
std::optional<CalendarDate> UnpackDate(const QString& packed);

} // namespace ephemeris
