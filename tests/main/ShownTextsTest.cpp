// The texts the main window, the run and the link show follow the language that
// the start installs, after every static object was made. (The item names, which
// stay Japanese as data, are the views' tests.)

#include "link/LinkTexts.h"
#include "link/MeasuredData.h"
#include "link/MemoryTexts.h"
#include "link/MeterDialogTexts.h"
#include "link/TimeoutTable.h"
#include "main/DownloadReception.h"
#include "main/MeasurementRun.h"
#include "main/WindowMenu.h"

#include "EnglishTexts.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace quellin {
namespace {

bool isAscii(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
}

TEST(ShownTexts, FollowTheLanguageInstalledAfterTheStart)
{
    const struct {
        const char* name;
        QString (*text)();
    } cases[] = {
        {"check meter", &link_text::checkMeter},
        {"port lost panel", &link_text::portLostPanel},
        {"SLE refused", &link_text::sleRefused},
        {"port not open", [] { return link_text::portNotOpen(QStringLiteral("3")); }},
        {"no memory", &memory_text::noMemory},
        {"settings unread", &dialog_text::settingsUnread},
        {"overflow", &overflowText},
        {"measuring", &run_text::measuring},
        {"meter silent", &run_text::meterSilent},
        {"store write failed", &run_text::storeWriteFailed},
        {"nothing downloaded", &nothingDownloadedText},
        {"window menu", &windowMenuCaption},
        {"time-out", [] { return timeoutMessage(timeoutRow(link::State::DownloadListStatus)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString japanese = c.text();
        ASSERT_FALSE(isAscii(japanese));
        {
            test::EnglishTexts english;
            ASSERT_TRUE(english.loaded());
            EXPECT_TRUE(isAscii(c.text())) << c.text().toStdString();
        }
        EXPECT_EQ(c.text(), japanese);
    }
}

} // namespace
} // namespace quellin
