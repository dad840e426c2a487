#pragma once
// The common error report and the "trap your own errors" pattern.
//
// A routine of ModVer or ModGraph traps its own errors, reports them under its
// own name and returns its failure value:
//
//   bool bfKizami(Context& ctx, int s, int mode)
//   {
//       return trapped(ctx, "bfKizami", false, [&] {
//           ...               // may throw VbError (or any std::exception)
//           return true;
//       });
//   }
//
// Routines that run on every graph refresh pass ReportTo::StatusBar so that an
// error shows in status panel 2 and never stops the display with a modal box.

#include "base/Context.h"
#include "platform/Tx.h"
#include "platform/VbError.h"

#include <exception>
#include <utility>

namespace quellin {

// Reports error under the routine's name: a box titled "エラー" (showBox true) or
// the same text without the line break in status panel 2 (showBox false).
void bfErrMSgBox(Services& svc, const QString& procName, bool showBox, const VbError& error);
inline void bfErrMSgBox(Context& ctx, const QString& procName, bool showBox, const VbError& error)
{
    bfErrMSgBox(ctx.svc, procName, showBox, error);
}

enum class ReportTo { Box, StatusBar };

// The same with only the services, for routines that are handed no context (the
// graph renderer draws a scene).
template <class Result, class Body>
Result trapped(Services& svc, const char* procName, Result failValue, Body&& body,
               ReportTo where = ReportTo::Box)
{
    try {
        return std::forward<Body>(body)();
    } catch (const VbError& e) {
        bfErrMSgBox(svc, QString::fromLatin1(procName), where == ReportTo::Box, e);
    } catch (const std::bad_alloc&) {
        bfErrMSgBox(svc, QString::fromLatin1(procName), where == ReportTo::Box,
                    VbError(ErrorNumber::OutOfMemory, TX("メモリが不足しています。")));
    } catch (const std::exception& e) {
        bfErrMSgBox(svc, QString::fromLatin1(procName), where == ReportTo::Box,
                    VbError(ErrorNumber::InvalidCall, QString::fromUtf8(e.what())));
    } catch (...) {
        bfErrMSgBox(
            svc, QString::fromLatin1(procName), where == ReportTo::Box,
            VbError(ErrorNumber::ApplicationDefined,
                    TX("アプリケーション定義またはオブジェクト定義のエラーです。")));
    }
    return failValue;
}

template <class Result, class Body>
Result trapped(Context& ctx, const char* procName, Result failValue, Body&& body,
               ReportTo where = ReportTo::Box)
{
    return trapped(ctx.svc, procName, failValue, std::forward<Body>(body), where);
}

} // namespace quellin
