// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzz entry over the settings-file reader and writer and the numeric reading of saved texts.
//
// Input: one flag byte, then section, key, value and file contents separated by 0x1F (the
// contents take the rest). Flag bits: 0 no file, 1 delete the key, 2-7 the read buffer size
// (63 stands for the game's 255). Besides the sanitizers' own checks, every property below
// must hold; a broken one aborts with a message.
#include "settings/NumericReading.h"
#include "settings/ProfileFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

void check(bool holds, const char* what) {
    if (!holds)
        broken(what);
}

// The file's lines without their line ends (LF, CRLF or a lone CR); an ending line end does
// not start another line.
std::vector<QByteArray> linesOf(const QByteArray& bytes) {
    std::vector<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines.push_back(bytes.mid(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.push_back(bytes.mid(start));
    return lines;
}

// Whether `part` is `whole` with at most one line of it changed: an edit never touches more
// than the one line it is about, so all others form a common head and a common tail.
bool keptButOne(const std::vector<QByteArray>& whole, const std::vector<QByteArray>& part) {
    size_t head = 0;
    while (head < whole.size() && head < part.size() && whole[head] == part[head])
        ++head;
    size_t tail = 0;
    while (tail < whole.size() - head && tail < part.size() - head &&
           whole[whole.size() - 1 - tail] == part[part.size() - 1 - tail])
        ++tail;
    return head + tail + 1 >= whole.size();
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// What a written value reads back as: up to a line break or NUL, blanks trimmed, one pair of
// matching outer quotes removed.
QByteArray readBackOf(const QByteArray& value) {
    qsizetype end = 0;
    while (end < value.size() && value[end] != '\r' && value[end] != '\n' && value[end] != '\0')
        ++end;
    qsizetype begin = 0;
    while (begin < end && isBlank(value[begin]))
        ++begin;
    while (end > begin && isBlank(value[end - 1]))
        --end;
    QByteArray v = value.mid(begin, end - begin);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
}

bool isUtf16(const QByteArray& bytes) {
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

void checkProfile(std::uint8_t flags, const QByteArray& section, const QByteArray& key,
                  const QByteArray& value, const QByteArray& contents) {
    const bool noFile = flags & 1;
    const bool erase = flags & 2;
    const int bufsize = (flags >> 2) == 63 ? 255 : flags >> 2;
    const QByteArray* before = noFile ? nullptr : &contents;
    const QByteArray absent = "\n"; // no value can hold a line break

    const auto got = profile::read(before, section, key, bufsize, absent);
    check(got.n == got.text.size(), "n is the length of the text");
    check(got.n <= std::max(0, bufsize - 1), "the text fits the buffer");
    check(got.text == absent.left(got.n) ||
              (!got.text.contains('\r') && !got.text.contains('\n') && !got.text.contains('\0')),
          "a value stays within its line");
    const bool existed = profile::read(before, section, key, 1 << 30, absent).text != absent;

    const std::optional<QByteArray> written = erase ? std::nullopt : std::optional(value);
    const QByteArray after = profile::write(before, section, key, written);
    const QByteArray unchanged = before ? *before : QByteArray();
    if (!profile::canWrite(section, key)) {
        check(after == unchanged, "a refused write changes nothing");
        return;
    }
    if (!erase) {
        check(profile::write(&after, section, key, written) == after, "writing twice = once");
        check(profile::read(&after, section, key, 1 << 30, absent).text == readBackOf(value),
              "a written value reads back");
    } else if (!existed) {
        check(after == unchanged, "deleting a missing key changes nothing");
    }
    if (before && !isUtf16(*before)) {
        // A UTF-8 mark stays in front and is no part of the first line.
        const QByteArray mark = "\xEF\xBB\xBF";
        const qsizetype skip = before->startsWith(mark) ? mark.size() : 0;
        check(skip == 0 || after.startsWith(mark), "the UTF-8 mark is kept");
        const auto oldLines = linesOf(before->mid(skip));
        const auto newLines = linesOf(after.mid(skip));
        check(keptButOne(oldLines, newLines), "every other line is kept");
        if (erase && existed)
            check(keptButOne(newLines, oldLines) && newLines.size() + 1 == oldLines.size(),
                  "deleting removes the key's line");
        else
            check(newLines.size() <= oldLines.size() + 2, "writing adds two lines at most");
    }
}

QString withoutBlanks(QString text) {
    text.remove(u' ');
    text.remove(u'\t');
    text.remove(u'\n');
    return text;
}

// A plain decimal of at most 15 digits reads as the double rounding of it would.
bool isPlainDecimal(const QString& t) {
    qsizetype i = (t.startsWith(u'-') || t.startsWith(u'+')) ? 1 : 0;
    qsizetype digits = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        if (t[i] == u'.' && !point)
            point = true;
        else if (t[i] >= u'0' && t[i] <= u'9')
            ++digits;
        else
            return false;
    }
    return digits > 0 && digits <= 15;
}

void checkNumber(const QString& text) {
    const int value = readNumber(text);
    check(readNumber(text + u'x') == value, "a stray character ends the number");
    check(readNumber(withoutBlanks(text)) == value, "blanks count for nothing");
    const QString plain = withoutBlanks(text);
    if (isPlainDecimal(plain)) {
        // The default rounding mode takes halves to the even neighbour.
        const double d = std::nearbyint(std::strtod(plain.toLatin1().constData(), nullptr));
        check(value == int(std::clamp(d, -32768.0, 32767.0)), "decimal reading");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    QByteArray parts[4] = {"Parametres", "Temps", "", ""};
    qsizetype start = 1;
    for (int p = 0; p < 4 && start <= input.size(); ++p) {
        const qsizetype sep = p < 3 ? input.indexOf('\x1F', start) : -1;
        const qsizetype end = sep < 0 ? input.size() : sep;
        parts[p] = input.mid(start, end - start);
        start = end + 1;
        if (sep < 0)
            break;
    }
    checkProfile(data[0], parts[0], parts[1], parts[2], parts[3]);

    checkNumber(QString::fromLatin1(parts[2]));
    checkNumber(QString::fromUtf8(input.mid(1)));
    if (size >= 3) {
        const std::int16_t n = std::int16_t(data[1] | data[2] << 8);
        check(readNumber(QString::number(n)) == n, "a counter reads back");
    }
    return 0;
}
