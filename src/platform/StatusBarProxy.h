#pragma once
// The status bar as the core writes it, before and after the main window exists:
// texts written early are kept and shown once the window attaches.

#include "platform/Services.h"

#include <array>
#include <functional>

namespace quellin {

class StatusBarProxy : public StatusPanel {
public:
    void setPanelText(int panel, const QString& text) override
    {
        if (panel < 1 || panel > 4)
            return;
        texts_[static_cast<size_t>(panel)] = text;
        if (sink_)
            sink_(panel, text);
    }
    QString panelText(int panel) const override
    {
        return (panel >= 1 && panel <= 4) ? texts_[static_cast<size_t>(panel)] : QString();
    }
    // The window's panels; the texts written so far are shown at once.
    void attach(std::function<void(int, const QString&)> sink)
    {
        sink_ = std::move(sink);
        if (sink_)
            for (int p = 1; p <= 4; ++p)
                sink_(p, texts_[static_cast<size_t>(p)]);
    }

private:
    std::array<QString, 5> texts_;
    std::function<void(int, const QString&)> sink_;
};

} // namespace quellin
