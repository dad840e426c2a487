#pragma once
// The four exchange handlers the meter's dialogs use, attached to the link's
// clients as they are built: the windows and the command-line program own one
// each, so that both hand the same lines to the same handlers.

#include "base/LinkClients.h"
#include "link/LogingExchange.h"
#include "link/MemoryExchange.h"
#include "link/ModeExchange.h"
#include "link/SettingsExchange.h"

namespace quellin {

struct DialogExchanges {
    explicit DialogExchanges(LinkClients& clients) : memory(clients), loging(clients)
    {
        clients.settingsExchange = &settings;
        clients.modeExchange = &mode;
        clients.memoryExchange = &memory;
        clients.logingExchange = &loging;
    }
    DialogExchanges(const DialogExchanges&) = delete;
    DialogExchanges& operator=(const DialogExchanges&) = delete;

    SettingsExchange settings; // states 0-3
    ModeExchange mode;         // states 4-6
    MemoryExchange memory;     // states 7-9, 19, 20
    LogingExchange loging;     // states 10-14, 21
};

} // namespace quellin
