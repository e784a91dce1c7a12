#include "platform/numbers.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(Numbers, LenientReadsLeadingNumberAndNeverFails) {
    EXPECT_DOUBLE_EQ(numbers::Lenient(u"12.5abc"), 12.5);
    EXPECT_DOUBLE_EQ(numbers::Lenient(u"  -3.25"), -3.25);
    EXPECT_DOUBLE_EQ(numbers::Lenient(u""), 0.0);
    EXPECT_DOUBLE_EQ(numbers::Lenient(u"abc"), 0.0);
    EXPECT_DOUBLE_EQ(numbers::Lenient(u"6,9"), 6.0); // a comma ends the number
    EXPECT_DOUBLE_EQ(numbers::Lenient(u"+58.48303  6.3"), 58.48303);
    EXPECT_DOUBLE_EQ(numbers::Lenient(u"1e3x"), 1000.0);
    EXPECT_DOUBLE_EQ(numbers::Lenient(u"2e"), 2.0);
    EXPECT_DOUBLE_EQ(numbers::Lenient(u".5"), 0.5);
    EXPECT_DOUBLE_EQ(numbers::Lenient(u"-"), 0.0);
}

TEST(Numbers, StrictNeedsTheWholeText) {
    EXPECT_EQ(numbers::Strict(u" 20.5 "), 20.5);
    EXPECT_FALSE(numbers::Strict(u""));
    EXPECT_FALSE(numbers::Strict(u"20px"));
    EXPECT_FALSE(numbers::Strict(u"abc"));
    EXPECT_FALSE(numbers::Strict(u"1.2.3"));
    EXPECT_FALSE(numbers::Strict(u"inf"));
    EXPECT_FALSE(numbers::Strict(u"nan"));
    EXPECT_FALSE(numbers::Strict(u"1e999"));
    EXPECT_FALSE(numbers::Strict(u"0x10"));
    EXPECT_FALSE(numbers::Strict(u"2e"));
    EXPECT_EQ(numbers::Strict(u"-1.5e2"), -150.0);
    EXPECT_EQ(numbers::Strict(u"+.5"), 0.5);
}

// A comma is a decimal separator or an error, never a thousands separator,
// in the C locale and in a comma-decimal one alike.
TEST(Numbers, StrictNeverReadsAThousandsSeparator) {
    const QLocale saved;
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::French, QLocale::France),
                                  QLocale(QLocale::English, QLocale::UnitedStates)}) {
        QLocale::setDefault(locale);
        SCOPED_TRACE(locale.name().toStdString());
        EXPECT_EQ(numbers::Strict(u"17,300"), 17.3);
        EXPECT_EQ(numbers::Strict(u"28,500"), 28.5);
        EXPECT_EQ(numbers::Strict(u" -3,25 "), -3.25);
        EXPECT_EQ(numbers::Strict(u"1000"), 1000.0);
        EXPECT_FALSE(numbers::Strict(u"1,234.5"));
        EXPECT_FALSE(numbers::Strict(u"1.234,5"));
        EXPECT_FALSE(numbers::Strict(u"1,234,567"));
        EXPECT_FALSE(numbers::Strict(u"1 234"));
        EXPECT_FALSE(numbers::Strict(QString::fromUtf8("1\u00a0234")));
        EXPECT_FALSE(numbers::Strict(QString::fromUtf8("1\u202f234,5")));
        EXPECT_EQ(numbers::TextToInt16(u"2,5"), int16_t{2});
    }
    QLocale::setDefault(saved);
}

TEST(Numbers, RoundingIsHalfToEven) {
    EXPECT_EQ(numbers::RoundHalfEven(0.5), 0.0);
    EXPECT_EQ(numbers::RoundHalfEven(1.5), 2.0);
    EXPECT_EQ(numbers::RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(numbers::RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(numbers::RoundHalfEven(59.99996, 4), 60.0);
    EXPECT_DOUBLE_EQ(numbers::RoundHalfEven(341.846832, 5), 341.84683);
    EXPECT_EQ(numbers::ToInt16(32767.4), int16_t{32767});
    EXPECT_FALSE(numbers::ToInt16(32768.0));
    EXPECT_EQ(numbers::TextToInt16(u" 2 "), int16_t{2});
    EXPECT_FALSE(numbers::TextToInt16(u"yes"));
}

TEST(Numbers, TextIsShortestPlainDecimal) {
    EXPECT_EQ(numbers::Text(224.0), "224");
    EXPECT_EQ(numbers::Text(-10.25), "-10.25");
    EXPECT_EQ(numbers::Text(0.0), "0");
    EXPECT_EQ(numbers::Text(2000.0), "2000");
}
