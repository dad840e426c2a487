#include "dialogs/MemoryListView.h"

#include "platform/Tx.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QListWidget>

namespace quellin {

namespace {

constexpr int kFirstBlockRole = Qt::UserRole;

// As wide as a line of a seven-block memory can be.
QString widestLine()
{
    return TX("0： 単相２線式 ・ 10 ・ 2002/06/01 10:00 ・   50.0 ・ 69993   ");
}

QFont listFont()
{
    QFont font(QStringLiteral("Noto Sans Mono CJK JP"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

} // namespace

QListWidget* makeMemoryList(QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QStringLiteral("LstMemory"));
    list->setFont(listFont());
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    return list;
}

void fillMemoryList(QListWidget& list, const std::vector<MemoryListLine>& lines)
{
    for (const MemoryListLine& line : lines) {
        auto* item = new QListWidgetItem(line.text, &list);
        item->setData(kFirstBlockRole, line.firstBlock);
    }
    list.setEnabled(true);
}

void showMemoryListLine(QListWidget& list, const QString& text)
{
    list.clear();
    new QListWidgetItem(text, &list);
    list.setEnabled(false);
}

int selectedFirstBlock(const QListWidget& list)
{
    const QList<QListWidgetItem*> selected = list.selectedItems();
    if (selected.isEmpty())
        return -1;
    const QVariant block = selected.front()->data(kFirstBlockRole);
    return block.isValid() ? block.toInt() : -1;
}

QSize memoryDialogSize(const QWidget& dialog)
{
    const int line = QFontMetrics(listFont()).horizontalAdvance(widestLine());
    const int width = std::max(line + 60, dialog.sizeHint().width());
    return {width, std::max(320, dialog.sizeHint().height())};
}

} // namespace quellin
