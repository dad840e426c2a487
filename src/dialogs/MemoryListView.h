#pragma once
// The memory list control both memory dialogs share: a list in a fixed-pitch font,
// so that the columns of its lines stand under each other, each line carrying
// the first block of its measurement as item data.

#include "dialogs/MemoryList.h"

#include <QSize>
#include <vector>

class QListWidget;
class QWidget;

namespace quellin {

QListWidget* makeMemoryList(QWidget* parent);
// Appends one item per line (item data: the first block), enables the list.
void fillMemoryList(QListWidget& list, const std::vector<MemoryListLine>& lines);
// The list emptied, given the single line text (no item data) and disabled.
void showMemoryListLine(QListWidget& list, const QString& text);
// The first block of the selected line, -1 without a selection.
int selectedFirstBlock(const QListWidget& list);
// Room for the header and a long list line at the dialog's fonts.
QSize memoryDialogSize(const QWidget& dialog);

} // namespace quellin
