#pragma once
// Answers that take time: the pause of a flash write, the progress lines of a
// memory clear, the record lines of a download. The meter hands them out line
// by line as they fall due, and takes no other command until one is done, as
// a real meter busy with its memory would.

#include <QString>
#include <cstdint>
#include <deque>
#include <optional>
#include <utility>

namespace quellin::sim {

struct TimedLine {
    std::int64_t delayMs = 0; // after the previous line of the same output
    QString text;
    bool record = false; // a record line of a download: the download faults apply
};

class TimedOutput {
public:
    virtual ~TimedOutput() = default;
    // The next line; nothing when the output is complete.
    virtual std::optional<TimedLine> next() = 0;
};

// A fixed list of lines.
class LineSequence : public TimedOutput {
public:
    void add(std::int64_t delayMs, const QString& text) { lines_.push_back({delayMs, text}); }

    // Progress lines of one operation that takes durationMs: `label` at once and
    // then every kProgressEveryMs while it lasts. The next line added comes when
    // the operation ends.
    void addProgress(const QString& label, std::int64_t durationMs);
    // The next line after the operations so far have ended.
    void addAfterProgress(const QString& text) { add(std::exchange(carryMs_, 0), text); }

    std::optional<TimedLine> next() override;

    // Often enough that the program's 10-second answer time-out never runs out.
    static constexpr std::int64_t kProgressEveryMs = 1000;

private:
    std::deque<TimedLine> lines_;
    std::int64_t carryMs_ = 0; // from the last progress line to the end of its operation
};

} // namespace quellin::sim
