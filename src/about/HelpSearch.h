#pragma once
// The search over the help pages: the pages that hold every word asked for,
// those that hold them most often first.

#include "platform/Language.h"

#include <QString>
#include <vector>

namespace quellin {

struct HelpPage {
    QString url;
    QString title;
    QString text; // the page as plain text
};

struct HelpHit {
    QString url;
    QString title;
    int count = 0; // how often the words occur on the page
};

// The folder of the help pages written in a language, inside the program's
// resources; the English pages sit in their own folder beside the Japanese ones
// (one below), so the pictures and the style sheet are shared.
QString helpFolder(Language language);

// The query's words are split at white space (also the ideographic space) and
// compared without case; a blank query finds nothing.
std::vector<HelpHit> searchHelp(const std::vector<HelpPage>& pages, const QString& query);

} // namespace quellin
