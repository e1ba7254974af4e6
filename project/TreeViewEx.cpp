#include "TreeViewEx.h"

CTreeViewEx::CTreeViewEx(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("projectTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
}
