#include "TreeViewEx.h"

#include "tarnel.h"

CTreeViewEx::CTreeViewEx(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("projectTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

bool CTreeViewEx::IsChecked(const QTreeWidgetItem* item) {
    if (item == nullptr || !(item->flags() & Qt::ItemIsUserCheckable))
        return false;
    return item->checkState(0) == Qt::Checked;
}

mtrc_search* CTreeViewEx::SearchOf(const QTreeWidgetItem* item) {
    if (item == nullptr || item->parent() != nullptr)
        return nullptr;
    return static_cast<mtrc_search*>(item->data(0, kRecordRole).value<void*>());
}

FileRecord* CTreeViewEx::FileRecordOf(const QTreeWidgetItem* item) {
    if (item == nullptr || item->parent() == nullptr)
        return nullptr;
    return static_cast<FileRecord*>(item->data(0, kRecordRole).value<void*>());
}

void CTreeViewEx::SetRecord(QTreeWidgetItem* item, void* record) {
    item->setData(0, kRecordRole, QVariant::fromValue(record));
}
