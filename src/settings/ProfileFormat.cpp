// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/ProfileFormat.h"

#include <QStringView>

namespace profile {
namespace {

// Parsing works on 16-bit units so that one code path serves both the usual 8-bit file (each
// byte becomes the unit of the same value, which round-trips exactly) and a file someone saved
// as UTF-16 with a byte-order mark (kept in UTF-16, same byte order, on every write).
enum class Encoding { Bytes, Utf16LE, Utf16BE };

struct Text {
    Encoding encoding = Encoding::Bytes;
    QByteArray head; // the byte-order mark, as found
    QString units;
    QByteArray tail; // the odd last byte of a UTF-16 file, kept so no byte is lost
};

Text decode(const QByteArray& bytes) {
    Text text;
    const bool le = bytes.startsWith("\xFF\xFE");
    if (le || bytes.startsWith("\xFE\xFF")) {
        text.encoding = le ? Encoding::Utf16LE : Encoding::Utf16BE;
        text.head = bytes.left(2);
        const qsizetype count = (bytes.size() - 2) / 2;
        text.units.resize(count);
        const auto* p = reinterpret_cast<const uchar*>(bytes.constData()) + 2;
        for (qsizetype i = 0; i < count; ++i) {
            const uchar a = p[2 * i];
            const uchar b = p[2 * i + 1];
            text.units[i] = QChar(le ? char16_t(a | b << 8) : char16_t(a << 8 | b));
        }
        if ((bytes.size() - 2) % 2 != 0)
            text.tail = bytes.right(1);
        return text;
    }
    // A UTF-8 mark is kept in front and not taken as part of the first line.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        text.head = bytes.left(3);
    text.units =
        QString::fromLatin1(bytes.constData() + text.head.size(), bytes.size() - text.head.size());
    return text;
}

QByteArray encode(const Text& text) {
    QByteArray bytes = text.head;
    if (text.encoding == Encoding::Bytes) {
        bytes += text.units.toLatin1();
    } else {
        bytes.reserve(bytes.size() + 2 * text.units.size() + text.tail.size());
        const bool le = text.encoding == Encoding::Utf16LE;
        for (const QChar c : text.units) {
            const char16_t u = c.unicode();
            const char lo = char(u & 0xFF);
            const char hi = char(u >> 8);
            bytes += le ? lo : hi;
            bytes += le ? hi : lo;
        }
    }
    return bytes + text.tail;
}

// Values and names are handed over as 8-bit text; in a UTF-16 file they are taken as Latin-1.
QString toUnits(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.constData(), bytes.size());
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QStringView trimmed(QStringView s) {
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s;
}

QStringView beforeNul(QStringView s) {
    const qsizetype nul = s.indexOf(QChar(u'\0'));
    return nul < 0 ? s : s.first(nul);
}

// Names match without regard to ASCII case; other characters must be equal.
bool sameName(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    const auto fold = [](QChar c) {
        const char16_t u = c.unicode();
        return u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u;
    };
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}

// One line: [start, end) is its text, [end, next) its line end (LF, CRLF, a lone CR, or none
// for the last line).
struct Line {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

Line lineAt(QStringView text, qsizetype start) {
    Line line{start, start, start};
    while (line.end < text.size() && text[line.end] != u'\n' && text[line.end] != u'\r')
        ++line.end;
    line.next = line.end;
    if (line.next < text.size()) {
        const bool crlf =
            text[line.next] == u'\r' && line.next + 1 < text.size() && text[line.next + 1] == u'\n';
        line.next += crlf ? 2 : 1;
    }
    return line;
}

enum class Kind { Other, Section, Key };

struct Parsed {
    Kind kind = Kind::Other;
    QStringView name;
    qsizetype valueStart = 0; // just after the '=' of a key line
};

// A header is '[' (after blanks) up to the first ']', whatever follows; a '[' line without ']'
// is neither header nor key. Any other line with '=' is a key line, so a ';' or '#' comment
// can never be taken for one of our keys, whose names start with a letter.
Parsed parse(QStringView text, const Line& line) {
    const QStringView content = text.sliced(line.start, line.end - line.start);
    Parsed parsed;
    const QStringView body = trimmed(content);
    if (body.startsWith(u'[')) {
        const qsizetype close = body.indexOf(u']');
        if (close > 0) {
            parsed.kind = Kind::Section;
            parsed.name = trimmed(body.sliced(1, close - 1));
        }
        return parsed;
    }
    const qsizetype eq = content.indexOf(u'=');
    if (eq >= 0) {
        parsed.kind = Kind::Key;
        parsed.name = trimmed(content.first(eq));
        parsed.valueStart = line.start + eq + 1;
    }
    return parsed;
}

struct Match {
    bool section = false;
    bool key = false;
    Line keyLine;
    qsizetype valueStart = 0;
    qsizetype insertAt = 0;      // just after the section's last key line, or its header
    bool insertNeedsEnd = false; // that line is the last of the file and has no line end
};

// Only the first matching section counts, and in it the first matching key. Lines before
// the first header form a section without a name, found by the empty name once it has a key.
Match locate(QStringView text, QStringView section, QStringView key) {
    Match match;
    bool inSection = section.isEmpty();
    for (qsizetype pos = 0; pos < text.size();) {
        const Line line = lineAt(text, pos);
        pos = line.next;
        const Parsed parsed = parse(text, line);
        if (parsed.kind == Kind::Section) {
            if (match.section)
                break;
            inSection = sameName(parsed.name, section);
            if (inSection) {
                match.section = true;
                match.insertAt = line.next;
                match.insertNeedsEnd = line.next == line.end;
            }
        } else if (parsed.kind == Kind::Key && inSection) {
            match.section = true;
            match.insertAt = line.next;
            match.insertNeedsEnd = line.next == line.end;
            if (sameName(parsed.name, key)) {
                match.key = true;
                match.keyLine = line;
                match.valueStart = parsed.valueStart;
                break;
            }
        }
    }
    return match;
}

// A stored value: up to a NUL, without surrounding blanks, without one pair of matching outer
// quotes.
QStringView valueOf(QStringView text, const Match& match) {
    QStringView value =
        trimmed(beforeNul(text.sliced(match.valueStart, match.keyLine.end - match.valueStart)));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return value;
}

// A line break or NUL in a value would end it early or add a line of its own; the value
// stops there instead.
QString writableValue(const QByteArray& value) {
    qsizetype cut = 0;
    while (cut < value.size() && value[cut] != '\r' && value[cut] != '\n' && value[cut] != '\0')
        ++cut;
    return toUnits(value.first(cut));
}

} // namespace

std::optional<QByteArray> lookup(const QByteArray& contents, const QByteArray& section,
                                 const QByteArray& key) {
    const Text text = decode(contents);
    const QString s = toUnits(section);
    const QString k = toUnits(key);
    const Match match = locate(text.units, trimmed(s), trimmed(k));
    if (!match.key)
        return std::nullopt;
    return valueOf(text.units, match).toLatin1();
}

bool canWrite(const QByteArray& section, const QByteArray& key) {
    const QString k = toUnits(key);
    const QStringView name = trimmed(k);
    return !name.isEmpty() && !name.startsWith(u'[') && !key.contains('=') && !key.contains('\r') &&
           !key.contains('\n') && !key.contains('\0') && !section.contains(']') &&
           !section.contains('\r') && !section.contains('\n') && !section.contains('\0');
}

ReadResult read(const QByteArray* contents, const QByteArray& section, const QByteArray& key,
                int bufsize, const QByteArray& fallback) {
    std::optional<QByteArray> found;
    if (contents)
        found = lookup(*contents, section, key);
    QByteArray value;
    if (found) {
        value = *found;
    } else {
        const qsizetype nul = fallback.indexOf('\0');
        value = nul < 0 ? fallback : fallback.first(nul);
        while (!value.isEmpty() && (value.back() == ' ' || value.back() == '\t'))
            value.chop(1);
    }
    value.truncate(qMax(0, bufsize - 1));
    return {int(value.size()), value};
}

namespace {

// One key's write on decoded text; a save decodes and encodes a file once for all its keys.
void apply(Text& text, const QByteArray& section, const QByteArray& key,
           const std::optional<QByteArray>& value) {
    const QString s = toUnits(section);
    const QString k = toUnits(key);
    const QStringView sectionName = trimmed(s);
    const QStringView keyName = trimmed(k);
    const Match match = locate(text.units, sectionName, keyName);
    QString& units = text.units;
    if (!value) {
        if (match.key) {
            // After a lone CR, a following LF would join it into one CRLF and swallow the
            // empty line it ends; the line before then ends in CRLF instead.
            const Line& line = match.keyLine;
            const bool joins = line.start > 0 && units[line.start - 1] == u'\r' &&
                               line.next < units.size() && units[line.next] == u'\n';
            if (joins)
                units.replace(line.start, line.next - line.start, QChar(u'\n'));
            else
                units.remove(line.start, line.next - line.start);
        }
    } else if (match.key) {
        units.replace(match.valueStart, match.keyLine.end - match.valueStart,
                      writableValue(*value));
    } else {
        QString added;
        const bool endsOpen = !units.isEmpty() && units.back() != u'\n' && units.back() != u'\r';
        if (match.section ? match.insertNeedsEnd : endsOpen)
            added += u"\r\n";
        if (!match.section) {
            added += u'[';
            added += sectionName;
            added += u"]\r\n";
        }
        added += keyName;
        added += u'=';
        added += writableValue(*value);
        added += u"\r\n";
        units.insert(match.section ? match.insertAt : units.size(), added);
    }
}

} // namespace

QByteArray write(const QByteArray* contents, const QByteArray& section, const QByteArray& key,
                 const std::optional<QByteArray>& value) {
    if (!canWrite(section, key))
        return contents ? *contents : QByteArray();
    Text text = contents ? decode(*contents) : Text{};
    apply(text, section, key, value);
    return encode(text);
}

std::optional<QByteArray> writeKeys(const QByteArray* contents, const QByteArray& section,
                                    const std::vector<KeyWrite>& keys) {
    std::optional<Text> text;
    if (contents)
        text = decode(*contents);
    for (const KeyWrite& k : keys) {
        // Deleting from no file creates none.
        if (text || k.value) {
            if (!text)
                text.emplace();
            apply(*text, section, k.key, k.value);
        }
    }
    if (!text)
        return std::nullopt;
    return encode(*text);
}

} // namespace profile
