// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/NumericReading.h"

#include <algorithm>
#include <string>

namespace {

constexpr long long kLowest = -32768;
constexpr long long kHighest = 32767;

// Only ASCII characters can belong to a number; any other character stops the reading.
std::string withoutBlanks(const QString& text) {
    std::string s;
    s.reserve(size_t(text.size()));
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u' ' || u == u'\t' || u == u'\n')
            continue;
        s.push_back(u < 0x80 ? char(u) : '\x7f');
    }
    return s;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int digitValue(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::int16_t clamped(long long value) {
    return std::int16_t(std::clamp(value, kLowest, kHighest));
}

// "&H" and "&O" digits are a magnitude, so "&HFFFF" is 65535 (held as 32767), never a negative
// 16-bit pattern: a count written by hand as hexadecimal means the count.
std::int16_t radixValue(const std::string& s, size_t pos, int radix) {
    long long value = 0;
    for (; pos < s.size(); ++pos) {
        const int d = digitValue(s[pos]);
        if (d < 0 || d >= radix)
            break;
        value = std::min(value * radix + d, kHighest + 1);
    }
    return clamped(value);
}

// The decimal number is kept exactly as 0.digits x 10^point, so rounding a half is decided on
// the written digits rather than on a binary approximation of them.
std::int16_t decimalValue(const std::string& s) {
    constexpr size_t kKeptDigits = 24; // far more than the 16-bit range and its rounding need
    size_t pos = 0;
    bool negative = false;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-'))
        negative = s[pos++] == '-';

    std::string digits; // significant digits, without leading zeros
    bool droppedNonZero = false;
    long long point = 0;
    bool seenPoint = false;
    for (; pos < s.size(); ++pos) {
        const char c = s[pos];
        if (c == '.' && !seenPoint) {
            seenPoint = true;
            continue;
        }
        if (!isDigit(c))
            break;
        if (digits.empty() && c == '0') {
            if (seenPoint)
                --point;
            continue;
        }
        if (digits.size() < kKeptDigits)
            digits.push_back(c);
        else
            droppedNonZero = droppedNonZero || c != '0';
        if (!seenPoint)
            ++point;
    }

    // An exponent counts only when digits follow its letter ("D" as well as "E", as the
    // platform's own reading of numbers accepts); otherwise the reading stops before it.
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E' || s[pos] == 'd' || s[pos] == 'D')) {
        size_t at = pos + 1;
        bool negativeExponent = false;
        if (at < s.size() && (s[at] == '+' || s[at] == '-'))
            negativeExponent = s[at++] == '-';
        long long exponent = 0;
        for (; at < s.size() && isDigit(s[at]); ++at)
            exponent = std::min(exponent * 10 + (s[at] - '0'), 1'000'000'000LL);
        point += negativeExponent ? -exponent : exponent;
    }

    if (digits.empty())
        return 0;
    if (point > 5) // at least 100000
        return clamped(negative ? kLowest - 1 : kHighest + 1);

    long long whole = 0;
    for (long long i = 0; i < point; ++i)
        whole = whole * 10 + (size_t(i) < digits.size() ? digits[size_t(i)] - '0' : 0);

    // Compare the fraction with one half: below (-1), exactly (0) or above (1).
    int half = -1;
    if (point >= 0 && size_t(point) < digits.size()) {
        const char first = digits[size_t(point)];
        if (first > '5') {
            half = 1;
        } else if (first == '5') {
            const bool more = droppedNonZero ||
                              digits.find_first_not_of('0', size_t(point) + 1) != std::string::npos;
            half = more ? 1 : 0;
        }
    }
    if (half > 0 || (half == 0 && whole % 2 != 0))
        ++whole;
    return clamped(negative ? -whole : whole);
}

} // namespace

std::int16_t readNumber(const QString& text) {
    const std::string s = withoutBlanks(text);
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return radixValue(s, 2, 16);
        if (s[1] == 'O' || s[1] == 'o')
            return radixValue(s, 2, 8);
    }
    return decimalValue(s);
}
