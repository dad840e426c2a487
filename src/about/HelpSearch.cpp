#include "about/HelpSearch.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace quellin {

QString helpFolder(Language language)
{
    return language == Language::En ? QStringLiteral(":/help/en") : QStringLiteral(":/help");
}

std::vector<HelpHit> searchHelp(const std::vector<HelpPage>& pages, const QString& query)
{
    static const QRegularExpression space(QStringLiteral("[\\s\\x{3000}]+"));
    const QStringList words = query.split(space, Qt::SkipEmptyParts);
    std::vector<HelpHit> hits;
    if (words.isEmpty())
        return hits;
    for (const HelpPage& page : pages) {
        int count = 0;
        bool all = true;
        for (const QString& word : words) {
            const int n = static_cast<int>(page.text.count(word, Qt::CaseInsensitive) +
                                           page.title.count(word, Qt::CaseInsensitive));
            all = all && n > 0;
            count += n;
        }
        if (all)
            hits.push_back({page.url, page.title, count});
    }
    // The pages' own order (the contents' order) among equal counts.
    std::stable_sort(hits.begin(), hits.end(),
                     [](const HelpHit& a, const HelpHit& b) { return a.count > b.count; });
    return hits;
}

} // namespace quellin
