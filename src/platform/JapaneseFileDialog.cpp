#include "platform/JapaneseFileDialog.h"

#include "platform/Tx.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>

namespace quellin {

namespace {

// The locale of the program's texts: the catalogue names it.
QLocale textLocale()
{
    return QLocale(TX("ja_JP"));
}

// Qt's file list writes sizes and dates in the system's locale; a user on an
// English system would read "6/3/24 1:05 PM".
class JapaneseFileList : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role == Qt::DisplayRole && files && index.isValid()) {
            const QModelIndex source = mapToSource(index);
            if (index.column() == kSizeColumn && !files->isDir(source))
                return fileListSize(files->size(source));
            if (index.column() == kDateColumn)
                return fileListDate(files->lastModified(source));
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    static constexpr int kSizeColumn = 1;
    static constexpr int kDateColumn = 3;
};

} // namespace

QString fileListDate(const QDateTime& modified)
{
    if (!modified.isValid())
        return {};
    return modified.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

QString fileListSize(qint64 bytes)
{
    return textLocale().formattedDataSize(bytes);
}

void makeJapaneseFileDialog(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setLocale(textLocale());
    dialog.setProxyModel(new JapaneseFileList(&dialog));
    // The detail columns wide enough for a whole date, size and type.
    if (auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        const QFontMetrics fm = tree->fontMetrics();
        QHeaderView* header = tree->header();
        header->resizeSection(1, fm.horizontalAdvance(QStringLiteral("1,023.9 KB")) + 24);
        header->resizeSection(2, fm.horizontalAdvance(TX("CSV ドキュメント")) + 24);
        header->resizeSection(3, fm.horizontalAdvance(QStringLiteral("2024/06/03 13:05")) + 24);
    }
}

} // namespace quellin
