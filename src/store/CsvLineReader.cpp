#include "store/CsvLineReader.h"

#include <QIODevice>
#include <cstring>

namespace quellin::csv {

namespace {
constexpr qsizetype kChunkBytes = 64 * 1024;

// The first LF or CR in data[from, to), or to.
qsizetype lineEnd(const char* data, qsizetype from, qsizetype to)
{
    const auto* lf =
        static_cast<const char*>(std::memchr(data + from, '\n', static_cast<size_t>(to - from)));
    const qsizetype lfAt = lf ? lf - data : to;
    const auto* cr =
        static_cast<const char*>(std::memchr(data + from, '\r', static_cast<size_t>(lfAt - from)));
    return cr ? cr - data : lfAt;
}
} // namespace

CsvLineReader::CsvLineReader(QIODevice& device, qsizetype maxLineBytes)
    : device_(device), maxLineBytes_(maxLineBytes)
{
    buffer_.resize(maxLineBytes_ + kChunkBytes + 2);
}

bool CsvLineReader::fill()
{
    if (atEnd_)
        return false;
    // Move the unread rest to the front, then read behind it.
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.constData() + begin_,
                     static_cast<size_t>(end_ - begin_));
        end_ -= begin_;
        begin_ = 0;
    }
    const qsizetype room = buffer_.size() - end_;
    if (room <= 0)
        return false;
    const qint64 got = device_.read(buffer_.data() + end_, room);
    if (got < 0) {
        readError_ = true;
        atEnd_ = true;
        return false;
    }
    if (got == 0) {
        atEnd_ = true;
        return false;
    }
    end_ += got;
    return true;
}

CsvLineReader::Status CsvLineReader::next(QByteArrayView& line)
{
    qsizetype scan = begin_;
    while (true) {
        const char* data = buffer_.constData();
        const qsizetype i = lineEnd(data, scan, end_);
        if (i < end_) {
            if (i - begin_ > maxLineBytes_) {
                ++lineNumber_;
                return Status::TooLong;
            }
            // A CR at the end of the buffer may be the first half of CR LF.
            if (data[i] == '\r' && i + 1 == end_ && !atEnd_) {
                const qsizetype offset = i - begin_;
                fill();
                scan = begin_ + offset;
                continue;
            }
            ++lineNumber_;
            line = QByteArrayView(buffer_.constData() + begin_, i - begin_);
            qsizetype after = i + 1;
            if (data[i] == '\r' && after < end_ && data[after] == '\n')
                ++after;
            begin_ = after;
            return Status::Line;
        }
        if (end_ - begin_ > maxLineBytes_) {
            ++lineNumber_;
            return Status::TooLong;
        }
        const qsizetype offset = end_ - begin_;
        if (!fill()) {
            if (readError_)
                return Status::ReadError;
            if (begin_ == end_)
                return Status::End;
            // The last line has no ending.
            ++lineNumber_;
            line = QByteArrayView(buffer_.constData() + begin_, end_ - begin_);
            begin_ = end_;
            return Status::Line;
        }
        scan = begin_ + offset;
    }
}

} // namespace quellin::csv
