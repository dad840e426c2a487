#pragma once
// The main window's side of a download: every record line of the meter's logging
// memory becomes one record of the data set (Download_Recv), and the finished
// data set is prepared for the list and the graph. No widgets: a command-line
// front end receives a download with the same routines.
//
// The line after "RMM" (positions from 1): 1-4 the record's number in its block
// (not read), then field k (8 hexadecimal digits of an IEEE single, most
// significant byte first) at 5 + 9 × (k − 1):
//
//   1 voltage R   2 voltage T   3 current R   4 current T   5 active power
//   6 power factor   (version 2 and later:) 7-9 leakage currents 1-3,
//   10, 11 temperatures 1, 2
//
// Reactive and apparent power, energy, elapsed time, the time stamp and the
// frequency are computed: time = the measurement's start + n × the interval,
// where n counts the lines received, so that a line that carries no record
// leaves a gap in the times instead of shifting the records after it.

#include "base/Context.h"
#include "dialogs/MemoryCommands.h"
#include "platform/Tx.h"

#include <QString>
#include <QStringView>

namespace quellin {

// Appends the record of one line (text = the line without "RMM") to TMP.DAT and
// updates the data set's summary. A line that is too short for the fields of the
// hardware version, or has a field that is not 8 hexadecimal digits, carries no
// record (counted as skipped). A value that is not a finite number, or a result
// that overflows, is stored as 0 and the line counted as an overflow (status
// panel 2 then reads "演算中にオーバーフローが発生しました。"). A record TMP.DAT
// refuses ends the storing: StoreError says why.
void Download_Recv(Context& ctx, DownloadCounts& d, QStringView text);

// Whether the progress is worth showing after the line just received: every
// tenth line (about once a second at 9600 baud) and the last one announced.
bool downloadProgressDue(const DownloadCounts& d);
// "ダウンロード中です。 1234 / 24800 件（4%）", with the overflow text behind it
// once a value overflowed.
QString downloadProgressText(const DownloadCounts& d);

// The finished download as a data set: the list's first page, the graph's time
// window (its range chosen by the interval, as a measurement's is by its period),
// the window's points and the Y scales. False when there is nothing to show
// (no record stored, or TMP.DAT refused one): the caller discards it.
bool prepareDownloadedDataSet(Context& ctx, const DownloadCounts& d);
// What status panel 2 says once the data set is shown: the overflow text, lines
// that carried no record, records left in the meter; "" when all went well.
QString downloadOutcomeText(const DownloadCounts& d);

// How a finished download ("RMME" of its last block) ends: the data set made
// ready (DataPresent set), or discarded with the message (TMP.DAT refused a
// record) and the status panel 2 text that say why.
struct DownloadEnd {
    bool ready = false;
    QString message;    // for a message box; "" for none
    QString statusText; // for status panel 2
};
DownloadEnd finishDownload(Context& ctx, const DownloadCounts& d);

inline QString downloadStoreFailedText()
{
    return TX("ダウンロードしたデータを一時データファイルに書き込めないため、ダウンロードを中止しました。");
}
inline QString nothingDownloadedText() { return TX("ダウンロードした記録はありません。"); }

// A download that did not end (or ended with nothing to show): TMP.DAT closed and
// deleted, the store reset, DataPresent false. The text for status panel 2 tells
// what was discarded ("" when nothing had been received).
QString discardDownload(Context& ctx, const DownloadCounts& d);

// The reception of a download, owned by whoever receives one (the main window,
// quellin-cli's download): its tally, started by the download dialog's
// preparation (prepareDownload) and kept for every line.
class DownloadReception {
public:
    explicit DownloadReception(Context& ctx) : ctx_(ctx) {}

    // For prepareDownload.
    DownloadCounts& counts() { return counts_; }
    const DownloadCounts& counts() const { return counts_; }

    void Download_Recv(QStringView text) { quellin::Download_Recv(ctx_, counts_, text); }
    bool progressDue() const { return downloadProgressDue(counts_); }
    QString progressText() const { return downloadProgressText(counts_); }
    DownloadEnd finish() { return finishDownload(ctx_, counts_); }
    QString discard() { return discardDownload(ctx_, counts_); }

private:
    Context& ctx_;
    DownloadCounts counts_;
};

} // namespace quellin
