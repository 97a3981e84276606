// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/NumericReading.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    QString text;
    int expected;
};

void expectReadings(std::initializer_list<Case> cases) {
    for (const Case& c : cases)
        EXPECT_EQ(readNumber(c.text), c.expected) << '"' << c.text.toStdString() << '"';
}

TEST(ReadNumber, Plain) {
    expectReadings({{"12", 12},
                    {"12abc", 12},
                    {"7 wins", 7},
                    {"abc", 0},
                    {"seven", 0},
                    {"", 0},
                    {"-7", -7},
                    {"+5", 5},
                    {"0:02:15", 0},
                    {"12\u00E9", 12},
                    {"1,5", 1},
                    {"1.2.3", 1},
                    {"-0", 0},
                    {"--5", 0},
                    {"+-5", 0},
                    {"000000000000000000012", 12},
                    // Only ASCII digits are digits.
                    {"\u0663", 0},
                    {"\uFF11\uFF12", 0}});
}

TEST(ReadNumber, Blanks) {
    expectReadings({{"1 2", 12},
                    {" \t\n42", 42},
                    {"4\t2", 42},
                    {"4\n2", 42},
                    {"- 7", -7},
                    {"1 . 5", 2},
                    {"1 e 2", 100},
                    // A carriage return is not a blank here.
                    {"4\r2", 4}});
}

TEST(ReadNumber, HalvesToEven) {
    expectReadings({{"2.5", 2},
                    {"3.5", 4},
                    {"0.5", 0},
                    {"1.5", 2},
                    {"-2.5", -2},
                    {"-3.5", -4},
                    {"-0.5", 0},
                    {".5", 0},
                    {".51", 1},
                    {"5.", 5},
                    {"2.51", 3},
                    {"2.4999", 2},
                    {"0.05", 0},
                    {"25e-1", 2},
                    {"35E-1", 4},
                    // Decided on the written digits, however many.
                    {"2.5000000000000000000000000000001", 3},
                    {"2.4999999999999999999999999999999", 2},
                    {"2.50000000000000000000000000000000000000", 2},
                    {"1234567890123456789012345678901234567890e-35", 12346}});
}

TEST(ReadNumber, Exponents) {
    expectReadings({{"1e2", 100},
                    {"1E2", 100},
                    {"1d2", 100},
                    {"1e", 1},
                    {"1e+", 1},
                    {"1ex", 1},
                    {"1e+2", 100},
                    {"5000e-3", 5},
                    {"e5", 0},
                    {"-e5", 0},
                    {"1e-999", 0},
                    {".e5", 0}});
}

TEST(ReadNumber, Prefixes) {
    expectReadings({{"&H1F", 31},
                    {"&h1f", 31},
                    {"&O17", 15},
                    {"&o17", 15},
                    {"& H 1 F", 31},
                    {"&H1F.8", 31},
                    {"&H7FFF", 32767},
                    {"&H", 0},
                    {"&Hxyz", 0},
                    {"&O8", 0},
                    {"&", 0},
                    {"&X1", 0},
                    {"-&H10", 0},
                    {"0x1F", 0},
                    {"&O1e2", 1},
                    // Hexadecimal digits are a magnitude, not a 16-bit pattern.
                    {"&HFFFF", 32767},
                    {"&H8000", 32767},
                    {"&HFFFFFFFFFF", 32767},
                    {"&O777777", 32767}});
}

TEST(ReadNumber, HeldIn16Bits) {
    expectReadings({{"32767", 32767},
                    {"32768", 32767},
                    {"-32768", -32768},
                    {"-32769", -32768},
                    {"32767.5", 32767},
                    {"32766.5", 32766},
                    {"-32768.5", -32768},
                    {"-32767.5", -32768},
                    {"100000", 32767},
                    {"99999999999999999999999", 32767},
                    {"-99999999999999999999", -32768},
                    {"1e999", 32767},
                    {"-1e999", -32768},
                    {"1e99999999999999999999", 32767},
                    {"nan", 0},
                    {"inf", 0},
                    {"-inf", 0},
                    {"Infinity", 0}});
}

TEST(ReadNumberBounds, LongTextsTakeLittleTime) {
    EXPECT_EQ(readNumber(QString(1'000'000, u'9')), 32767);
    EXPECT_EQ(readNumber(QString(1'000'000, u' ') + QStringLiteral("-4")), -4);
    EXPECT_EQ(readNumber(QStringLiteral("0.") + QString(1'000'000, u'0') + QStringLiteral("1")), 0);
    EXPECT_EQ(readNumber(QStringLiteral("&H") + QString(1'000'000, u'F')), 32767);
}

TEST(ReadNumberBounds, EveryCounterValueReadsBack) {
    for (int v = -32768; v <= 32767; ++v)
        ASSERT_EQ(readNumber(QString::number(v)), v);
}

} // namespace
