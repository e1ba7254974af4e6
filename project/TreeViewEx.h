// CTreeViewEx: the project tree, the left pane of the main window. Each
// top-level item is a source (a directory searched by extension, or a
// project file), each child a file found by the source's search; every item
// has a check box that says whether it takes part in an analysis.
#pragma once

#include <QTreeWidget>

class CTreeViewEx : public QTreeWidget {
    Q_OBJECT
public:
    explicit CTreeViewEx(QWidget* parent = nullptr);
};
