#include "link/LineFramer.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace quellin {
namespace {

struct Framed {
    QStringList lines;
    QString pending;
};

Framed frameChunks(const QList<QByteArray>& chunks)
{
    LineFramer framer;
    Framed out;
    for (const auto& chunk : chunks)
        framer.feed(chunk, [&](const QString& line) { out.lines << line; });
    out.pending = framer.pending();
    return out;
}

Framed frame(const QByteArray& bytes)
{
    return frameChunks({bytes});
}

struct FramingCase {
    const char* name;
    QByteArray input;
    QStringList lines;
    QString pending;
};

class Framing : public ::testing::TestWithParam<FramingCase> {};

TEST_P(Framing, DeliversExactlyTheCompletedLines)
{
    const FramingCase& c = GetParam();
    const Framed got = frame(c.input);
    EXPECT_EQ(got.lines, c.lines);
    EXPECT_EQ(got.pending, c.pending);
}

const QString k512(512, QLatin1Char('A'));

INSTANTIATE_TEST_SUITE_P(
    LineFramer, Framing,
    ::testing::Values(
        FramingCase{"twoLinesInOneReadAreDeliveredInOrder", "RMD000\rOK\r", {"RMD000", "OK"}, ""},
        FramingCase{"emptyLineIsDeliveredEmpty", "\r", {""}, ""},
        FramingCase{"emptyLinesBetweenLinesAreKept", "OK\r\rNG\r", {"OK", "", "NG"}, ""},
        FramingCase{"lineFeedBeforeALineStaysItsFirstCharacter", "OK\r\nNG\r", {"OK", "\nNG"}, ""},
        FramingCase{"lineFeedAloneDoesNotEndALine", "OK\nNG", {}, "OK\nNG"},
        FramingCase{"incompleteTrailingLineStaysPending", "OK\rRCF0", {"OK"}, "RCF0"},
        FramingCase{"caseIsLeftAsReceived", "stp\r", {"stp"}, ""},
        FramingCase{"bytesAboveAsciiAreOneLatin1CharacterEach",
                    "A\xB5\xFF\r",
                    {QString("A") + QChar(0xB5) + QChar(0xFF)},
                    ""},
        FramingCase{"lineOfTheMaximumLengthIsDelivered", k512.toLatin1() + "\r", {k512}, ""},
        FramingCase{
            "overlongLineIsDiscardedAndFramingResumes", k512.toLatin1() + "B\rOK\r", {"OK"}, ""},
        FramingCase{
            "veryLongGarbageIsDiscardedWhole", QByteArray(5000, 'x') + "\rSTP\r", {"STP"}, ""},
        FramingCase{"overlongLineWithoutItsEndKeepsDiscarding", QByteArray(600, 'x'), {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineFramer, ReplySplitAcrossReadsAtEveryChunkSizeIsOneLine)
{
    const QByteArray reply = "RML" + QByteArray(131, '7') + "\rOK\r";
    for (int size = 1; size <= reply.size(); ++size) {
        QList<QByteArray> chunks;
        for (int at = 0; at < reply.size(); at += size)
            chunks << reply.mid(at, size);
        const Framed got = frameChunks(chunks);
        ASSERT_EQ(got.lines.size(), 2) << "chunk size " << size;
        EXPECT_EQ(got.lines[0], "RML" + QString(131, QLatin1Char('7'))) << "chunk size " << size;
        EXPECT_EQ(got.lines[1], "OK") << "chunk size " << size;
        EXPECT_TRUE(got.pending.isEmpty());
    }
}

TEST(LineFramer, OverlongLineSplitAcrossReadsIsStillDiscarded)
{
    const QByteArray bytes = QByteArray(700, 'z') + "\rRMD010\r";
    for (int size : {1, 7, 100, 511, 512, 513}) {
        QList<QByteArray> chunks;
        for (int at = 0; at < bytes.size(); at += size)
            chunks << bytes.mid(at, size);
        EXPECT_EQ(frameChunks(chunks).lines, QStringList{"RMD010"}) << "chunk size " << size;
    }
}

TEST(LineFramer, ClearForgetsAPartialAndADiscardedLine)
{
    LineFramer framer;
    QStringList lines;
    auto sink = [&](const QString& l) { lines << l; };
    framer.feed("RMD0", sink);
    framer.clear();
    framer.feed("OK\r", sink);
    framer.feed(QByteArray(600, 'x'), sink);
    EXPECT_TRUE(framer.discarding());
    framer.clear();
    framer.feed("NG\r", sink);
    EXPECT_EQ(lines, (QStringList{"OK", "NG"}));
    EXPECT_EQ(framer.discardedLines(), 1);
}

TEST(LineFramer, CountIsTheNumberOfCharactersKept)
{
    LineFramer framer;
    framer.feed("\nRCF", [](const QString&) {});
    EXPECT_EQ(framer.pendingCount(), 4);
}

} // namespace
} // namespace quellin
