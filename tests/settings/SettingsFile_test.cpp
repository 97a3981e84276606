// SPDX-FileCopyrightText: 2026 The Tervalo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/ProfileFormat.h"
#include "settings/SafeSave.h"
#include "support/Faults.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

#ifndef TERVALO_PROFILE_WRITER
#error "TERVALO_PROFILE_WRITER must name the helper that writes the settings file in a loop"
#endif

// Readable failure messages: bytes as an escaped string.
static void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"';
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r')
            *os << "\\r";
        else if (c == '\n')
            *os << "\\n";
        else if (c == '"' || c == '\\')
            *os << '\\' << c;
        else if (u < 0x20 || u >= 0x7F)
            *os << "\\x"
                << "0123456789abcdef"[u >> 4] << "0123456789abcdef"[u & 15];
        else
            *os << c;
    }
    *os << '"';
}

namespace {

using profile::read;
using profile::readFile;
using profile::write;
using profile::writeFile;
using Bytes = std::optional<QByteArray>;

const QString kVectorDir = QStringLiteral(TERVALO_TEST_DATA_DIR "/settings-file");

// Bytes of a literal that holds NULs.
template <std::size_t N> QByteArray raw(const char (&text)[N]) {
    return QByteArray(text, N - 1);
}

Bytes fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QByteArray utf16(const QString& text, bool littleEndian) {
    QByteArray bytes = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (const QChar c : text) {
        const char lo = char(c.unicode() & 0xFF);
        const char hi = char(c.unicode() >> 8);
        bytes += littleEndian ? lo : hi;
        bytes += littleEndian ? hi : lo;
    }
    return bytes;
}

// ---------------------------------------------------------------------------------------------
// The recorded vectors: every read and write, byte for byte, through the files and in memory.

// Byte strings are stored as JSON strings whose code points 0-255 are the bytes.
Bytes bytesOf(const QJsonValue& value) {
    if (value.isNull())
        return std::nullopt;
    return value.toString().toLatin1();
}

QStringList vectorNames() {
    return QDir(kVectorDir).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
}

QJsonObject loadVector(const QString& name) {
    QFile file(kVectorDir + u'/' + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

std::string traceOf(const QJsonObject& vector) {
    return vector[u"name"].toString().toStdString() + " (" +
           vector[u"relevance"].toString().toStdString() + ")";
}

// The settings file itself, or its contents in memory (which can never fail to be written).
struct DiskStore {
    QString path;
    profile::ReadResult get(const QByteArray& s, const QByteArray& k, int size,
                            const QByteArray& fallback) {
        return readFile(path, s, k, size, fallback);
    }
    bool put(const QByteArray& s, const QByteArray& k, const Bytes& v) {
        return writeFile(path, s, k, v);
    }
    Bytes bytes() const { return fileBytes(path); }
};

struct MemoryStore {
    Bytes contents;
    profile::ReadResult get(const QByteArray& s, const QByteArray& k, int size,
                            const QByteArray& fallback) {
        return read(contents ? &*contents : nullptr, s, k, size, fallback);
    }
    bool put(const QByteArray& s, const QByteArray& k, const Bytes& v) {
        contents = write(contents ? &*contents : nullptr, s, k, v);
        return true;
    }
    Bytes bytes() const { return contents; }
};

template <class Store> void replay(const QJsonObject& vector, Store& store) {
    const QJsonArray ops = vector[u"ops"].toArray();
    for (qsizetype i = 0; i < ops.size(); ++i) {
        const QJsonObject op = ops[i].toObject();
        SCOPED_TRACE("op " + std::to_string(i));
        const Bytes section = bytesOf(op[u"section"]);
        const Bytes key = bytesOf(op[u"key"]);
        if (!section || !key)
            continue; // listing the keys or sections is not something the game does
        if (op[u"op"].toString() == u"get") {
            const auto got =
                store.get(*section, *key, op[u"bufsize"].toInt(), *bytesOf(op[u"default"]));
            EXPECT_EQ(got.n, op[u"n"].toInt());
            EXPECT_EQ(got.text, *bytesOf(op[u"text"]));
        } else {
            EXPECT_EQ(store.put(*section, *key, bytesOf(op[u"value"])), op[u"result"].toInt() == 1);
            EXPECT_EQ(store.bytes(), bytesOf(op[u"file_after"]));
        }
    }
    EXPECT_EQ(store.bytes(), bytesOf(vector[u"final"]));
}

TEST(SettingsVectors, FilesMatchRecordedBytes) {
    const QStringList names = vectorNames();
    ASSERT_EQ(names.size(), 43) << kVectorDir.toStdString();
    for (const QString& name : names) {
        const QJsonObject vector = loadVector(name);
        ASSERT_FALSE(vector.isEmpty()) << name.toStdString();
        SCOPED_TRACE(traceOf(vector));
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const bool missingDir = vector[u"setup"].toString() == u"missing_directory";
        DiskStore store{dir.filePath(missingDir ? "absent/tervalo.tvo" : "tervalo.tvo")};
        if (const Bytes initial = bytesOf(vector[u"initial"]))
            writeFileBytes(store.path, *initial);
        replay(vector, store);
    }
}

TEST(SettingsVectors, MemoryMatchesRecordedBytes) {
    for (const QString& name : vectorNames()) {
        const QJsonObject vector = loadVector(name);
        SCOPED_TRACE(traceOf(vector));
        MemoryStore store{bytesOf(vector[u"initial"])};
        if (vector[u"setup"].toString() == u"none")
            replay(vector, store);
    }
}

// A settings file's place in a folder of the test's own.
struct InFolder : ::testing::Test {
    QTemporaryDir dir;
    const QString path = dir.filePath("tervalo.tvo");
};
using SettingsWrite = InFolder;
using SettingsFile = InFolder;
using SettingsSave = InFolder;

const char* const kKeys[] = {"Temps", "PConsecutives", "Pjoue", "PGagne", "Sonore"};

// Starts the writer with `args` and kills it a random few milliseconds after it got going.
void killWriter(QProcess& writer, const QStringList& args) {
    writer.start(QStringLiteral(TERVALO_PROFILE_WRITER), args);
    ASSERT_TRUE(writer.waitForStarted(5000));
    ASSERT_TRUE(writer.waitForReadyRead(5000)) << "the writer never got going";
    QThread::usleep(QRandomGenerator::global()->bounded(1000, 15000));
    writer.kill();
    ASSERT_TRUE(writer.waitForFinished(5000));
}

// ---------------------------------------------------------------------------------------------
// Writing: what the game writes, and how edits treat the lines around them.

TEST_F(SettingsWrite, FirstCloseWithoutFileWritesTheFiveKeysInOrder) {
    const std::pair<const char*, const char*> close[] = {
        {"Temps", ""}, {"PConsecutives", ""}, {"Pjoue", "0"}, {"PGagne", "0"}, {"Sonore", "1"}};
    for (const auto& [key, value] : close)
        ASSERT_TRUE(writeFile(path, "Parametres", key, QByteArray(value)));
    const QByteArray expected = "[Parametres]\r\nTemps=\r\nPConsecutives=\r\nPjoue=0\r\n"
                                "PGagne=0\r\nSonore=1\r\n";
    EXPECT_EQ(fileBytes(path), expected);

    // The reset then replaces every value in place; a hand-written spelling survives.
    writeFileBytes(path,
                   "[PARAMETRES]\r\nTemps=0:01:47\r\nPConsecutives=3\r\nPJOUE=12\r\nPGagne=7\r\n"
                   "Sonore=1\r\n");
    const std::pair<const char*, const char*> reset[] = {
        {"Temps", ""}, {"PConsecutives", "0"}, {"Pjoue", "0"}, {"PGagne", "0"}, {"Sonore", "0"}};
    for (const auto& [key, value] : reset)
        ASSERT_TRUE(writeFile(path, "Parametres", key, QByteArray(value)));
    EXPECT_EQ(fileBytes(path), QByteArray("[PARAMETRES]\r\nTemps=\r\nPConsecutives=0\r\nPJOUE=0\r\n"
                                          "PGagne=0\r\nSonore=0\r\n"));
}

struct WriteCase {
    const char* name;
    Bytes initial;
    const char* section;
    const char* key;
    Bytes value;
    QByteArray expected;
};

TEST_F(SettingsWrite, EditsChangeOnlyWhatTheyMust) {
    const QByteArray twoSections = "[Parametres]\r\nTemps=1\r\n\r\n; autre\r\n[Autre]\r\nx=1\r\n";
    const WriteCase cases[] = {
        WriteCase{"NewKeyAfterLastKeyNotAfterBlankOrComment", twoSections, "Parametres", "Sonore",
                  "0", "[Parametres]\r\nTemps=1\r\nSonore=0\r\n\r\n; autre\r\n[Autre]\r\nx=1\r\n"},
        WriteCase{"NewKeyUnderEmptySection", QByteArray("[Parametres]\r\n[Autre]\r\n"),
                  "Parametres", "Sonore", "0", "[Parametres]\r\nSonore=0\r\n[Autre]\r\n"},
        WriteCase{"NewKeyAfterUnendedLastLine", QByteArray("[Parametres]\r\nTemps=1"), "Parametres",
                  "Sonore", "0", "[Parametres]\r\nTemps=1\r\nSonore=0\r\n"},
        WriteCase{"NewKeyAfterUnendedHeader", QByteArray("[Parametres]"), "Parametres", "Sonore",
                  "0", "[Parametres]\r\nSonore=0\r\n"},
        WriteCase{"NewSectionAfterUnendedLine", QByteArray("[Autre]\r\nx=1"), "Parametres",
                  "Sonore", "0", "[Autre]\r\nx=1\r\n[Parametres]\r\nSonore=0\r\n"},
        WriteCase{"NewSectionAfterLoneCr", QByteArray("[Autre]\rx=1\r"), "Parametres", "Sonore",
                  "0", "[Autre]\rx=1\r[Parametres]\r\nSonore=0\r\n"},
        WriteCase{"ReplaceKeepsLfEnds", QByteArray("[Parametres]\nTemps=1\nSonore=1\n"),
                  "Parametres", "Temps", "2", "[Parametres]\nTemps=2\nSonore=1\n"},
        WriteCase{"ReplaceKeepsBlanksBeforeEquals",
                  QByteArray("[ parametres ]\r\n  Pjoue\t =12\r\n"), "Parametres", "PJoue", "13",
                  "[ parametres ]\r\n  Pjoue\t =13\r\n"},
        WriteCase{"ReplaceWholeQuotedValue", QByteArray("[Parametres]\r\nTemps=\"0:01:00\" x\r\n"),
                  "Parametres", "Temps", "0:02:00", "[Parametres]\r\nTemps=0:02:00\r\n"},
        WriteCase{"ReplaceValueHoldingNul",
                  raw("[Parametres]\r\nTemps=0:01\0"
                      "47\r\n"),
                  "Parametres", "Temps", "9", "[Parametres]\r\nTemps=9\r\n"},
        WriteCase{"OnlyFirstOfDuplicateKeys",
                  QByteArray("[Parametres]\r\nPGagne=1\r\npgagne=2\r\n"), "Parametres", "PGagne",
                  "5", "[Parametres]\r\nPGagne=5\r\npgagne=2\r\n"},
        WriteCase{"OnlyFirstOfDuplicateSections",
                  QByteArray("[Parametres]\r\nA=1\r\n[parametres]\r\nSonore=1\r\n"), "Parametres",
                  "Sonore", "0", "[Parametres]\r\nA=1\r\nSonore=0\r\n[parametres]\r\nSonore=1\r\n"},
        WriteCase{"CommentedKeyIsNotTheKey", QByteArray("[Parametres]\r\n;Temps=1\r\n"),
                  "Parametres", "Temps", "2", "[Parametres]\r\n;Temps=1\r\nTemps=2\r\n"},
        WriteCase{"KeyBeforeFirstSectionIsNotInIt", QByteArray("Temps=5\r\n[Parametres]\r\n"),
                  "Parametres", "Temps", "6", "Temps=5\r\n[Parametres]\r\nTemps=6\r\n"},
        WriteCase{"LineBreakEndsValue", QByteArray("[Parametres]\r\n"), "Parametres", "Temps",
                  QByteArray("1\r\n[Autre]"), "[Parametres]\r\nTemps=1\r\n"},
        WriteCase{"NulEndsValue", std::nullopt, "Parametres", "Temps",
                  raw("1\0"
                      "2"),
                  "[Parametres]\r\nTemps=1\r\n"},
        WriteCase{"NamesTrimmed", std::nullopt, " Parametres\t", " Temps ", "1",
                  "[Parametres]\r\nTemps=1\r\n"},
        WriteCase{"GarbageKeptAndSectionAppended", raw("\x8c!\xff\0=\x01["), "Parametres", "Temps",
                  "1", raw("\x8c!\xff\0=\x01[\r\n[Parametres]\r\nTemps=1\r\n")},
        WriteCase{"Utf8MarkKept", QByteArray("\xEF\xBB\xBF[Parametres]\r\nTemps=1\r\n"),
                  "Parametres", "Temps", "2", "\xEF\xBB\xBF[Parametres]\r\nTemps=2\r\n"},
        WriteCase{"Utf16LittleEndianStaysUtf16",
                  utf16(QStringLiteral("[Param\u00E8tres]\r\n[Parametres]\r\nTemps=1\r\n"), true),
                  "Parametres", "Sonore", "\xE9",
                  utf16(QStringLiteral("[Param\u00E8tres]\r\n[Parametres]\r\nTemps=1\r\n"
                                       "Sonore=\u00E9\r\n"),
                        true)},
        WriteCase{
            "Utf16BigEndianStaysUtf16", utf16(QStringLiteral("[Autre]\r\nx=\u20AC"), false),
            "Parametres", "Temps", "1",
            utf16(QStringLiteral("[Autre]\r\nx=\u20AC\r\n[Parametres]\r\nTemps=1\r\n"), false)},
        WriteCase{"DeleteKey", QByteArray("[Parametres]\r\nTemps=1\r\nSonore=1\r\n"), "Parametres",
                  "temps", std::nullopt, "[Parametres]\r\nSonore=1\r\n"},
        WriteCase{"DeleteUnendedLastKey", QByteArray("[Parametres]\r\nTemps=1\r\nSonore=1"),
                  "Parametres", "Sonore", std::nullopt, "[Parametres]\r\nTemps=1\r\n"},
        WriteCase{"DeleteAfterLoneCrKeepsTheEmptyLine",
                  QByteArray("[Parametres]\rTemps=1\n\nSonore=1"), "Parametres", "Temps",
                  std::nullopt, "[Parametres]\r\n\nSonore=1"},
        WriteCase{"DeleteAfterTwoLoneCrs", QByteArray("[Parametres]\r\rTemps=1\n\nSonore=1"),
                  "Parametres", "Temps", std::nullopt, "[Parametres]\r\r\n\nSonore=1"},
        WriteCase{"DeleteMissingKey", QByteArray("[Parametres]\r\nTemps=1\r\n"), "Parametres",
                  "Sonore", std::nullopt, "[Parametres]\r\nTemps=1\r\n"},
        WriteCase{"KeyWithEqualsRefused", QByteArray("[P]\r\n"), "P", "a=b", "1", "[P]\r\n"},
        WriteCase{"KeyStartingWithBracketRefused", QByteArray("[P]\r\n"), "P", " [a", "1",
                  "[P]\r\n"},
        WriteCase{"EmptyKeyRefused", QByteArray("[P]\r\n"), "P", " ", "1", "[P]\r\n"},
        WriteCase{"SectionWithBracketRefused", QByteArray("[P]\r\n"), "a]b", "k", "1", "[P]\r\n"}};
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray* initial = c.initial ? &*c.initial : nullptr;
        const QByteArray result = write(initial, c.section, c.key, c.value);
        EXPECT_EQ(result, c.expected);
        // Writing the same again changes nothing.
        EXPECT_EQ(write(&result, c.section, c.key, c.value), result);
    }
}

// ---------------------------------------------------------------------------------------------
// Reading: the marks, the fallback and the buffer bounds beyond the recorded vectors.

struct ReadCase {
    const char* name;
    Bytes contents;
    const char* key;
    int bufsize;
    QByteArray fallback;
    QByteArray expected;
};

TEST(SettingsRead, MarksFallbackAndBounds) {
    const ReadCase cases[] = {
        ReadCase{"Utf8MarkSkipped", QByteArray("\xEF\xBB\xBF[Parametres]\r\nTemps=1\r\n"), "Temps",
                 255, "", "1"},
        ReadCase{"Utf16LittleEndian",
                 utf16(QStringLiteral("[Parametres]\r\nTemps=\u00E9t\u00E9\r\n"), true), "Temps",
                 255, "", "\xE9t\xE9"},
        ReadCase{"Utf16BigEndianBeyondLatin1",
                 utf16(QStringLiteral("[Parametres]\nTemps=\u20AC5"), false), "Temps", 255, "",
                 "?5"},
        ReadCase{"Utf16OddLastByte",
                 utf16(QStringLiteral("[Parametres]\r\nTemps=1\r\n"), true) + 'x', "Temps", 255, "",
                 "1"},
        ReadCase{"NoBufferAtAll", QByteArray("[Parametres]\r\nTemps=1\r\n"), "Temps", 0, "", ""},
        ReadCase{"NegativeBuffer", std::nullopt, "Temps", -5, "abc", ""},
        ReadCase{"FallbackEndsAtNul", std::nullopt, "Temps", 255, raw("ab\0cd"), "ab"},
        ReadCase{"QuotesThenCut", QByteArray("[Parametres]\r\nTemps=\"abcdef\"\r\n"), "Temps", 4,
                 "", "abc"},
        ReadCase{"NulBeforeTrailingBlanks", raw("[Parametres]\r\nTemps=ab \0x\r\n"), "Temps", 255,
                 "", "ab"},
        ReadCase{"CrCrLfBetweenLines", QByteArray("[Parametres]\r\r\nTemps=1\r\r\r\nSonore=2"),
                 "Sonore", 255, "", "2"},
        ReadCase{"EmptySectionHeaderIsNotParametres", QByteArray("[]\r\nTemps=1\r\n"), "Temps", 255,
                 "", ""}};
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto got =
            read(c.contents ? &*c.contents : nullptr, "Parametres", c.key, c.bufsize, c.fallback);
        EXPECT_EQ(got.text, c.expected);
        EXPECT_EQ(got.n, c.expected.size());
    }
}

TEST(SettingsRead, TenThousandCharacterLinesAndRepeats) {
    QByteArray contents = QByteArray(10000, 'x') + "\r\n";
    for (int i = 0; i < 200; ++i)
        contents += "[Autre]\r\nTemps=" + QByteArray::number(i) + "\r\n";
    contents += "[Parametres]\r\nTemps=" + QByteArray(10000, '7') + "\r\nTemps=2\r\n";
    const auto got = read(&contents, "Parametres", "Temps");
    EXPECT_EQ(got.n, 254);
    EXPECT_EQ(got.text, QByteArray(254, '7'));
}

// ---------------------------------------------------------------------------------------------
// Files: what cannot be read reads as no file; what cannot be written stays as it was.

TEST_F(SettingsFile, DirectoryInPlaceOfTheFile) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("tervalo.tvo"));
    WarningLog warnings;
    EXPECT_EQ(readFile(path, "Parametres", "Temps", 255, "d").text, "d");
    warnings.clear();
    EXPECT_FALSE(writeFile(path, "Parametres", "Temps", QByteArray("1")));
    EXPECT_EQ(warnings.messages().size(), 1);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(SettingsFile, WritesThatCannotBeDoneFailWithOneWarning) {
    writeFileBytes(dir.filePath("plain"), "x");
    const QString paths[] = {dir.filePath("absent/tervalo.tvo"), dir.filePath("plain/tervalo.tvo"),
                             QString()};
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        WarningLog warnings;
        EXPECT_FALSE(writeFile(path, "Parametres", "Temps", QByteArray("1")));
        EXPECT_EQ(warnings.messages().size(), 1);
        EXPECT_EQ(readFile(path, "Parametres", "Temps").n, 0);
    }
    EXPECT_EQ(fileBytes(dir.filePath("plain")), QByteArray("x"));
    EXPECT_EQ(folderEntries(dir.path()), QStringList{"plain"});

    WarningLog warnings;
    EXPECT_FALSE(writeFile(dir.filePath("tervalo.tvo"), "Parametres", "a=b", QByteArray("1")));
    EXPECT_EQ(warnings.messages().size(), 1);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("tervalo.tvo")));
}

TEST_F(SettingsFile, DeletingFromNoFileCreatesNone) {
    EXPECT_TRUE(writeFile(path, "Parametres", "Temps", std::nullopt));
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(SettingsFile, ReplacingLeavesNoTemporaryFileBehind) {
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(writeFile(path, "Parametres", "Pjoue", QByteArray::number(i)));
    EXPECT_EQ(fileBytes(path), QByteArray("[Parametres]\r\nPjoue=4\r\n"));
    EXPECT_EQ(folderEntries(dir.path()), QStringList{"tervalo.tvo"});
}

TEST_F(SettingsFile, BinaryGarbageKeptWhenTheSectionIsAdded) {
    QByteArray garbage(4096, '\0');
    auto* random = QRandomGenerator::global();
    for (char& c : garbage)
        c = char(random->bounded(256));
    garbage.replace('[', '(');
    writeFileBytes(path, garbage);
    ASSERT_TRUE(writeFile(path, "Parametres", "Pjoue", QByteArray("4")));
    const QByteArray after = fileBytes(path).value_or(QByteArray());
    EXPECT_TRUE(after.startsWith(garbage));
    EXPECT_TRUE(after.endsWith("[Parametres]\r\nPjoue=4\r\n"));
    EXPECT_EQ(readFile(path, "Parametres", "PJoue").text, "4");
}

// ---------------------------------------------------------------------------------------------
// A writer killed at any moment leaves a whole file: every key has either its old or its new
// value. The helper writes the five keys over and over, each round one higher.

TEST_F(SettingsFile, KilledWriterLeavesAWholeFile) {
    for (const char* key : kKeys)
        ASSERT_TRUE(writeFile(path, "Parametres", key, QByteArray("0")));
    long long last = 0;
    int interrupted = 0;
    for (int run = 0; run < 12; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        QProcess writer;
        ASSERT_NO_FATAL_FAILURE(killWriter(writer, {path}));
        interrupted += writer.exitStatus() == QProcess::CrashExit;

        const QByteArray bytes = fileBytes(path).value_or(QByteArray());
        long long values[5];
        QByteArray expected = "[Parametres]\r\n";
        for (int k = 0; k < 5; ++k) {
            const auto got = read(&bytes, "Parametres", kKeys[k]);
            bool ok = false;
            values[k] = got.text.toLongLong(&ok);
            ASSERT_TRUE(ok) << kKeys[k] << " in " << testing::PrintToString(bytes);
            expected += QByteArray(kKeys[k]) + '=' + got.text + "\r\n";
        }
        EXPECT_EQ(bytes, expected);
        // Keys are written in order, so a round stops part-way with a prefix of them renewed.
        for (int k = 1; k < 5; ++k)
            EXPECT_TRUE(values[k] == values[0] || values[k] == values[0] - 1)
                << testing::PrintToString(bytes);
        EXPECT_GE(values[4], last);
        last = values[4];
    }
    EXPECT_GT(last, 0);
    EXPECT_GT(interrupted, 0);
}

// ---------------------------------------------------------------------------------------------
// One save: several keys, one replacement of the file.

const std::vector<profile::KeyWrite> kClose = {{"Temps", "0:00:59"},
                                               {"PConsecutives", "3"},
                                               {"Pjoue", "11"},
                                               {"PGagne", "7"},
                                               {"Sonore", "1"}};

// Whatever the file held, a save gives the bytes of its keys written one by one, in order.
TEST_F(SettingsSave, SameBytesAsOneWritePerKey) {
    const std::vector<profile::KeyWrite> sets[] = {
        kClose,
        {{"Temps", ""}, {"PConsecutives", "0"}, {"Pjoue", "0"}, {"PGagne", "0"}, {"Sonore", "0"}},
        {{"Temps", std::nullopt}, {"Pjoue", "2"}, {"Temps", "0:00:01"}, {"pjoue", std::nullopt}},
    };
    std::vector<Bytes> initials = {std::nullopt};
    for (const QString& name : vectorNames())
        initials.push_back(bytesOf(loadVector(name)[u"initial"]));
    for (std::size_t i = 0; i < initials.size(); ++i) {
        for (std::size_t k = 0; k < std::size(sets); ++k) {
            SCOPED_TRACE("initial " + std::to_string(i) + ", set " + std::to_string(k));
            QTemporaryDir fresh;
            const QString file = fresh.filePath("tervalo.tvo");
            // One write per key in memory, which the recorded vectors tie to the file's bytes.
            Bytes each = initials[i];
            if (each)
                writeFileBytes(file, *each);
            for (const auto& w : sets[k]) {
                if (each || w.value)
                    each = write(each ? &*each : nullptr, "Parametres", w.key, w.value);
            }
            EXPECT_TRUE(writeFile(file, "Parametres", sets[k]));
            EXPECT_EQ(fileBytes(file), each);
        }
    }
}

// A file past the reading limit (a long comment line) is still read and saved whole: its keys
// after the limit are found, and a save keeps every byte that is not one of its keys.
TEST_F(SettingsSave, FileOverTheReadingLimitIsSavedWhole) {
    const QByteArray comment = ';' + QByteArray(2 << 20, 'c');
    writeFileBytes(path, "[Parametres]\r\nTemps=0:01:47\r\n" + comment +
                             "\r\nPGagne=3\r\n[Autre]\r\nx=1");
    EXPECT_EQ(readFile(path, "Parametres", "PGagne").text, "3");
    EXPECT_TRUE(writeFile(path, "Parametres", kClose));
    EXPECT_EQ(fileBytes(path), "[Parametres]\r\nTemps=0:00:59\r\n" + comment +
                                   "\r\nPGagne=7\r\nPConsecutives=3\r\nPjoue=11\r\nSonore=1\r\n"
                                   "[Autre]\r\nx=1");
}

// Out of inodes no temporary file can be made: the file is rewritten in place, and a run says
// once that its saves are not atomic.
TEST_F(SettingsSave, OutOfInodesRewritesInPlaceAndSaysSoOnce) {
    SmallFilesystem filesystem(1024, 2); // the root folder and the file
    if (!filesystem.isValid())
        GTEST_SKIP() << "needs root to mount a tmpfs";
    const QString path = filesystem.path() + "/tervalo.tvo";
    writeFileBytes(path, "[Parametres]\r\nPjoue=10\r\n");
    QProcess writer;
    writer.start(QStringLiteral(TERVALO_PROFILE_WRITER), {path, QStringLiteral("--twice")});
    ASSERT_TRUE(writer.waitForFinished(10000));
    EXPECT_EQ(writer.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(writer.readAllStandardError()).count("in place"), 1);
    EXPECT_EQ(readFile(path, "Parametres", "Pjoue").text, "2");
}

// A device that fails when the data is flushed (here: the file may not grow past 20 bytes)
// leaves the old file byte for byte, with one warning naming it.
TEST_F(SettingsSave, FailedFlushLeavesTheOldFileWhole) {
    const QByteArray old = "[Parametres]\r\nTemps=0:01:47\r\nPConsecutives=3\r\nPjoue=10\r\n"
                           "PGagne=7\r\nSonore=1\r\n";
    writeFileBytes(path, old);
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadGroup));
    {
        WarningLog warnings;
        FileSizeLimit limit(20);
        EXPECT_FALSE(writeFile(path, "Parametres", kClose));
        ASSERT_EQ(warnings.messages().size(), 1);
        EXPECT_TRUE(warnings.messages()[0].contains(path)) << warnings.messages()[0].toStdString();
    }
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_EQ(folderEntries(dir.path()), QStringList{"tervalo.tvo"});

    // Once the device works again the save goes through, and the file keeps its permissions.
    ASSERT_TRUE(writeFile(path, "Parametres", kClose));
    EXPECT_EQ(readFile(path, "Parametres", "PJoue").text, "11");
    struct stat info = {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// Storage that runs out only when the data is finally written: the sync fails after every write
// was accepted. The old file must come back from the device byte for byte, with one warning.
TEST_F(SettingsSave, FailedSyncLeavesTheOldFileOnTheDevice) {
    const QByteArray old = "[Parametres]\r\nTemps=0:01:47\r\nPjoue=10\r\n";
    FullBackingStore store(
        [&](const QString& folder) { writeFileBytes(folder + "/tervalo.tvo", old); });
    if (!store.isValid())
        GTEST_SKIP() << "a full loop device " << store.why().toStdString();
    const QString path = store.folder() + "/tervalo.tvo";
    {
        WarningLog warnings;
        EXPECT_FALSE(writeFile(path, "Parametres", kClose));
        EXPECT_EQ(warnings.messages().size(), 1) << warnings.messages().join('\n').toStdString();
    }
    ASSERT_TRUE(dropCaches());
    EXPECT_EQ(fileBytes(path), old);
}

// A writable file in a folder that takes no new file is rewritten in place; a failure there
// still leaves the old contents.
TEST_F(SettingsSave, WritableFileInAFolderThatCannotBeWritten) {
    const QByteArray old = "[Parametres]\r\nPjoue=10\r\n";
    ReadOnlyFolder folder("tervalo.tvo", old);
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.file();
    {
        WarningLog warnings;
        FileSizeLimit limit(30);
        EXPECT_FALSE(writeFile(path, "Parametres", kClose));
        EXPECT_EQ(warnings.count("not written"), 1);
    }
    EXPECT_EQ(fileBytes(path), old);

    ASSERT_TRUE(writeFile(path, "Parametres", kClose));
    EXPECT_EQ(fileBytes(path), QByteArray("[Parametres]\r\nPjoue=11\r\nTemps=0:00:59\r\n"
                                          "PConsecutives=3\r\nPGagne=7\r\nSonore=1\r\n"));
    // Shorter contents leave no tail of the longer ones.
    ASSERT_TRUE(writeFile(path, "Parametres", "Temps", std::nullopt));
    EXPECT_EQ(fileBytes(path), QByteArray("[Parametres]\r\nPjoue=11\r\nPConsecutives=3\r\n"
                                          "PGagne=7\r\nSonore=1\r\n"));
}

// A name so long that no temporary name can be made beside it is still written.
TEST_F(SettingsSave, NameTooLongForATemporaryFile) {
    const QString longName = dir.filePath(QString(250, u'n') + ".tvo");
    writeFileBytes(longName, "[Parametres]\r\nPjoue=10\r\n");
    EXPECT_TRUE(writeFile(longName, "Parametres", kClose));
    EXPECT_EQ(readFile(longName, "Parametres", "Pjoue").text, "11");
    EXPECT_EQ(folderEntries(dir.path()).size(), 1);
}

// Whole saves killed at random instants: the file always holds one round, never a mix.
TEST_F(SettingsSave, KilledSavesLeaveOneWholeRecord) {
    for (int run = 0; run < 12; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        QProcess writer;
        ASSERT_NO_FATAL_FAILURE(killWriter(writer, {path, QStringLiteral("--whole")}));
        const QByteArray bytes = fileBytes(path).value_or(QByteArray());
        const QByteArray round = read(&bytes, "Parametres", "Temps").text;
        QByteArray expected = "[Parametres]\r\n";
        for (const char* key : kKeys)
            expected += QByteArray(key) + '=' + round + "\r\n";
        EXPECT_EQ(bytes, expected);
    }
}

} // namespace
