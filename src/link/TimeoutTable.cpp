#include "link/TimeoutTable.h"

#include "link/LinkTexts.h"
#include "platform/Tx.h"

namespace quellin {

namespace {

using S = TimeoutStep;
using D = LinkDialog;

constexpr const char* kSettingsUnread = TXN("現在の設定が取得できません。");
constexpr const char* kCannotSet = TXN("設定できません。");
constexpr const char* kModeUnread = TXN("現在の計測モードが取得できません。");
constexpr const char* kMemoryListFailed = TXN("メモリ一覧情報の受信に失敗しました。");
constexpr const char* kNoData = TXN("電力計からデータ送信されていません。");

// Rows by state number 0..23.
const std::array<TimeoutRow, 24> kRows = {{
    /*  0 */ {
        D::DispSet, kSettingsUnread, false, {S::EnableDialog, S::ShowMessage, S::UnloadDialog}, 3},
    /*  1 */
    {D::DispSet, kSettingsUnread, false, {S::EnableDialog, S::ShowMessage, S::UnloadDialog}, 3},
    // A send that timed out is over before its message shows: a late status answer
    // (also one that arrives while the message is open) must not send the whole
    // list, "SCFW" included, and report it complete.
    /*  2 */
    {D::DispSet,
     kCannotSet,
     false,
     {S::EndExchange, S::EnableDialog, S::ShowMessage, S::StartSecondTimer},
     4},
    // The dialog's clock runs again, so that a new send carries the time of then.
    /*  3 */
    {D::DispSet,
     kNoData,
     false,
     {S::EnableDialog, S::ShowMessage, S::StartSecondTimer, S::KeisokuEnd},
     4},
    /*  4 */
    {D::KeisokuMode, kModeUnread, false, {S::EnableDialog, S::ShowMessage, S::UnloadDialog}, 3},
    /*  5 */
    {D::KeisokuMode, kModeUnread, false, {S::EndExchange, S::EnableDialog, S::ShowMessage}, 3},
    /*  6 */ {D::KeisokuMode, kCannotSet, false, {S::EnableDialog, S::ShowMessage}, 2},
    /*  7 */
    {D::Download, kMemoryListFailed, false, {S::EnableDialog, S::ShowMessage, S::UnloadDialog}, 3},
    /*  8 */
    {D::Download, kMemoryListFailed, false, {S::EnableDialog, S::ShowMessage, S::UnloadDialog}, 3},
    /*  9 */ {D::Download, kNoData, false, {S::EnableDialog, S::ShowMessage, S::KeisokuEnd}, 3},
    /* 10 */
    {D::LogingMem,
     TXN("現在のロギング状態が取得できません。"),
     false,
     {S::EnableDialog, S::ShowMessage, S::UnloadDialog},
     3},
    /* 11 */
    {D::LogingMem, TXN("ロギング設定できません。"), false, {S::ShowMessage, S::EnableDialog}, 2},
    // "SMD20"/"SMD21" unanswered: the logging setting failed. A PC measurement
    // that runs meanwhile (its lines still coming) goes on.
    /* 12 */
    {D::LogingMem,
     TXN("ロギング設定できません。"),
     false,
     {S::EndExchange, S::ShowMessage, S::EnableDialog},
     3},
    /* 13 */
    {D::LogingMem, kMemoryListFailed, false, {S::EnableDialog, S::ShowMessage, S::UnloadDialog}, 3},
    /* 14 */
    {D::LogingMem, kMemoryListFailed, false, {S::EnableDialog, S::ShowMessage, S::UnloadDialog}, 3},
    /* 15 */ {D::None, TXN("計測開始に失敗しました。"), true, {S::ShowMessage}, 1},
    /* 16 */ {D::None, TXN("計測開始に失敗しました。"), true, {S::ShowMessage}, 1},
    /* 17 */ {D::None, TXN("計測開始に失敗しました。"), true, {S::ShowMessage}, 1},
    // A measurement always ends, even when the meter does not confirm the stop.
    /* 18 */ {D::None, nullptr, false, {S::KeisokuEnd}, 1},
    /* 19 */
    {D::Download,
     TXN("ダウンロードに失敗しました。"),
     false,
     {S::ClearBusyText, S::CloseDownloadFile, S::EnableDialog, S::ShowMessage},
     4},
    /* 20 */
    {D::Download,
     TXN("ダウンロードに失敗しました。"),
     false,
     {S::ClearBusyText, S::CloseDownloadFile, S::EnableDialog, S::ShowMessage},
     4},
    /* 21 */
    {D::LogingMem,
     TXN("メモリクリアに失敗しました。"),
     false,
     {S::ClearBusyText, S::EnableDialog, S::ShowMessage, S::UnloadDialog},
     4},
    /* 22 */ {D::None, nullptr, false, {S::AskVersion}, 1},
    /* 23 */ {D::None, nullptr, false, {S::AskVersion}, 1},
}};

const TimeoutRow kOtherStates = {D::None, kNoData, false, {S::ShowMessage, S::KeisokuEnd}, 2};

} // namespace

const TimeoutRow& timeoutRow(link::State state)
{
    const int n = link::number(state);
    if (n < 0 || n >= static_cast<int>(kRows.size()))
        return kOtherStates;
    return kRows[static_cast<std::size_t>(n)];
}

QString timeoutMessage(const TimeoutRow& row)
{
    if (!row.detail)
        return {};
    const QString detail = tx(row.detail);
    if (row.detailAlone)
        return detail;
    return detail + QStringLiteral("\r\n") + link_text::checkMeter();
}

} // namespace quellin
