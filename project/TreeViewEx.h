// CTreeViewEx: the project tree, the left pane of the main window. Each
// top-level item is a source (a directory searched by extension, or a
// project file), each child a file found by the source's search; every item
// has a check box that says whether it takes part in an analysis.
#pragma once

#include <QTreeWidget>

struct FileRecord;
struct mtrc_search;

class CTreeViewEx : public QTreeWidget {
    Q_OBJECT
public:
    explicit CTreeViewEx(QWidget* parent = nullptr);

    // The item data role that holds an item's record: a source item's
    // mtrc_search, a file item's FileRecord (stored as a void pointer).
    static constexpr int kRecordRole = Qt::UserRole;

    // True when the item has a check box and it is checked; an item without a
    // check box counts as unchecked.
    static bool IsChecked(const QTreeWidgetItem* item);
    // The record of a source item, or null.
    static mtrc_search* SearchOf(const QTreeWidgetItem* item);
    // The record of a file item, or null.
    static FileRecord* FileRecordOf(const QTreeWidgetItem* item);
    // Puts a record into an item's data.
    static void SetRecord(QTreeWidgetItem* item, void* record);
};
