#include "platform/numbers.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(Numbers, LenientReadsLeadingNumberAndNeverFails) {
    EXPECT_DOUBLE_EQ(numbers::lenient(u"12.5abc"), 12.5);
    EXPECT_DOUBLE_EQ(numbers::lenient(u"  -3.25"), -3.25);
    EXPECT_DOUBLE_EQ(numbers::lenient(u""), 0.0);
    EXPECT_DOUBLE_EQ(numbers::lenient(u"abc"), 0.0);
    EXPECT_DOUBLE_EQ(numbers::lenient(u"6,9"), 6.0); // a comma ends the number
    EXPECT_DOUBLE_EQ(numbers::lenient(u"+58.48303  6.3"), 58.48303);
    EXPECT_DOUBLE_EQ(numbers::lenient(u"1e3x"), 1000.0);
    EXPECT_DOUBLE_EQ(numbers::lenient(u"2e"), 2.0);
    EXPECT_DOUBLE_EQ(numbers::lenient(u".5"), 0.5);
    EXPECT_DOUBLE_EQ(numbers::lenient(u"-"), 0.0);
}

TEST(Numbers, StrictNeedsTheWholeText) {
    EXPECT_EQ(numbers::strict(u" 20.5 "), 20.5);
    EXPECT_FALSE(numbers::strict(u""));
    EXPECT_FALSE(numbers::strict(u"20px"));
    EXPECT_FALSE(numbers::strict(u"abc"));
    EXPECT_FALSE(numbers::strict(u"1.2.3"));
    EXPECT_FALSE(numbers::strict(u"inf"));
    EXPECT_FALSE(numbers::strict(u"nan"));
    EXPECT_FALSE(numbers::strict(u"1e999"));
    EXPECT_FALSE(numbers::strict(u"0x10"));
    EXPECT_FALSE(numbers::strict(u"2e"));
    EXPECT_EQ(numbers::strict(u"-1.5e2"), -150.0);
    EXPECT_EQ(numbers::strict(u"+.5"), 0.5);
}

// A comma is a decimal separator or an error, never a thousands separator,
// in the C locale and in a comma-decimal one alike.
TEST(Numbers, StrictNeverReadsAThousandsSeparator) {
    const QLocale saved;
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::French, QLocale::France),
                                  QLocale(QLocale::English, QLocale::UnitedStates)}) {
        QLocale::setDefault(locale);
        SCOPED_TRACE(locale.name().toStdString());
        EXPECT_EQ(numbers::strict(u"17,300"), 17.3);
        EXPECT_EQ(numbers::strict(u"28,500"), 28.5);
        EXPECT_EQ(numbers::strict(u" -3,25 "), -3.25);
        EXPECT_EQ(numbers::strict(u"1000"), 1000.0);
        EXPECT_FALSE(numbers::strict(u"1,234.5"));
        EXPECT_FALSE(numbers::strict(u"1.234,5"));
        EXPECT_FALSE(numbers::strict(u"1,234,567"));
        EXPECT_FALSE(numbers::strict(u"1 234"));
        EXPECT_FALSE(numbers::strict(QString::fromUtf8("1\u00a0234")));
        EXPECT_FALSE(numbers::strict(QString::fromUtf8("1\u202f234,5")));
        EXPECT_EQ(numbers::textToInt16(u"2,5"), int16_t{2});
    }
    QLocale::setDefault(saved);
}

TEST(Numbers, RoundingIsHalfToEven) {
    EXPECT_EQ(numbers::roundHalfEven(0.5), 0.0);
    EXPECT_EQ(numbers::roundHalfEven(1.5), 2.0);
    EXPECT_EQ(numbers::roundHalfEven(2.5), 2.0);
    EXPECT_EQ(numbers::roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(numbers::roundHalfEven(59.99996, 4), 60.0);
    EXPECT_DOUBLE_EQ(numbers::roundHalfEven(341.846832, 5), 341.84683);
    EXPECT_EQ(numbers::toInt16(32767.4), int16_t{32767});
    EXPECT_FALSE(numbers::toInt16(32768.0));
    EXPECT_EQ(numbers::textToInt16(u" 2 "), int16_t{2});
    EXPECT_FALSE(numbers::textToInt16(u"yes"));
}

TEST(Numbers, TextIsShortestPlainDecimal) {
    EXPECT_EQ(numbers::text(224.0), "224");
    EXPECT_EQ(numbers::text(-10.25), "-10.25");
    EXPECT_EQ(numbers::text(0.0), "0");
    EXPECT_EQ(numbers::text(2000.0), "2000");
}
