#include "store/CsvLineReader.h"

#include <QBuffer>
#include <QIODevice>
#include <gtest/gtest.h>
#include <vector>

using quellin::csv::CsvLineReader;

namespace {

// A device that hands out at most `chunk` bytes per read, as a slow disk or a
// pipe may: line endings then fall across reads.
class ChunkedDevice : public QIODevice {
public:
    ChunkedDevice(QByteArray data, qint64 chunk) : data_(std::move(data)), chunk_(chunk)
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* out, qint64 max) override
    {
        const qint64 n = std::min({max, chunk_, static_cast<qint64>(data_.size()) - pos_});
        if (n <= 0)
            return 0;
        std::memcpy(out, data_.constData() + pos_, static_cast<size_t>(n));
        pos_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray data_;
    qint64 chunk_;
    qint64 pos_ = 0;
};

// A device whose reads fail.
class FailingDevice : public QIODevice {
public:
    FailingDevice() { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64) override { return -1; }
};

std::vector<QByteArray> allLines(QIODevice& dev, CsvLineReader::Status* last = nullptr,
                                 qsizetype maxLine = quellin::csv::kMaxLineBytes)
{
    CsvLineReader reader(dev, maxLine);
    std::vector<QByteArray> lines;
    QByteArrayView line;
    CsvLineReader::Status s;
    while ((s = reader.next(line)) == CsvLineReader::Status::Line) {
        lines.push_back(line.toByteArray());
        EXPECT_EQ(reader.lineNumber(), static_cast<qint64>(lines.size()));
    }
    if (last)
        *last = s;
    return lines;
}

struct EndingCase {
    const char* name;
    QByteArray text;
    std::vector<QByteArray> lines;
};

class LineEndings : public ::testing::TestWithParam<EndingCase> {};

TEST_P(LineEndings, SplitTheSameWhateverTheReadSizes)
{
    const EndingCase& c = GetParam();
    for (qint64 chunk = 1; chunk <= c.text.size() + 1; ++chunk) {
        ChunkedDevice dev(c.text, chunk);
        CsvLineReader::Status last;
        EXPECT_EQ(allLines(dev, &last), c.lines) << c.name << " read " << chunk << " at a time";
        EXPECT_EQ(last, CsvLineReader::Status::End);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LineEndings,
    ::testing::Values(EndingCase{"crlf", "a,b\r\nc\r\n", {"a,b", "c"}},
                      EndingCase{"lf", "a,b\nc\n", {"a,b", "c"}},
                      EndingCase{"cr", "a,b\rc\r", {"a,b", "c"}},
                      EndingCase{"no last ending", "a\r\nb", {"a", "b"}},
                      EndingCase{"empty lines kept", "a\r\n\r\n\nb\r\n", {"a", "", "", "b"}},
                      EndingCase{"cr cr lf", "a\r\r\nb", {"a", "", "b"}},
                      EndingCase{"empty", "", {}}, EndingCase{"one ending", "\r\n", {""}},
                      EndingCase{
                          "nul bytes", QByteArray("x\0y\r\nz", 6), {QByteArray("x\0y", 3), "z"}}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

TEST(LineLength, ALineUpToTheBoundIsRead)
{
    const QByteArray line(100, 'x');
    QByteArray text = line + "\r\n" + line;
    QBuffer buf(&text);
    buf.open(QIODevice::ReadOnly);
    EXPECT_EQ(allLines(buf, nullptr, 100), (std::vector<QByteArray>{line, line}));
}

TEST(LineLength, ALongerLineStopsTheReaderWhereverItsEndingLies)
{
    const struct {
        const char* name;
        QByteArray text;
        int goodLines;
    } cases[] = {
        {"ended", "ok\r\n" + QByteArray(101, 'x') + "\r\nafter", 1},
        {"cr at the bound", QByteArray(101, 'x') + "\r", 0},
        {"never ended", "ok\n" + QByteArray(5000, 'x'), 1},
        {"megabyte", QByteArray(1 << 20, 'x') + "\n", 0},
    };
    for (const auto& c : cases) {
        for (qint64 chunk : {qint64(7), qint64(64 * 1024)}) {
            ChunkedDevice dev(c.text, chunk);
            CsvLineReader reader(dev, 100);
            QByteArrayView line;
            int good = 0;
            CsvLineReader::Status s;
            while ((s = reader.next(line)) == CsvLineReader::Status::Line)
                ++good;
            EXPECT_EQ(s, CsvLineReader::Status::TooLong) << c.name;
            EXPECT_EQ(good, c.goodLines) << c.name;
            EXPECT_EQ(reader.lineNumber(), c.goodLines + 1) << c.name;
        }
    }
}

TEST(LineReading, AFailingReadIsReported)
{
    FailingDevice dev;
    CsvLineReader::Status last;
    EXPECT_TRUE(allLines(dev, &last).empty());
    EXPECT_EQ(last, CsvLineReader::Status::ReadError);
}

TEST(LineReading, ManyLinesAcrossManyChunksKeepTheirOrder)
{
    QByteArray text;
    std::vector<QByteArray> expected;
    for (int i = 0; i < 20000; ++i) {
        expected.push_back(QByteArray::number(i) + ",\"2002/06/01 10:00:00\",1.000E+0");
        text += expected.back() + (i % 3 == 0 ? "\n" : "\r\n");
    }
    QBuffer buf(&text);
    buf.open(QIODevice::ReadOnly);
    EXPECT_EQ(allLines(buf), expected);
}

} // namespace
