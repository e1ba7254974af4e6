// CTreeViewEx: the project tree, the left pane of the main window. Each
// top-level item is a source (a directory searched by extension, or a
// project file), each child a file found by the source's search; every item
// has a check box that says whether it takes part in an analysis.
//
// The items own their records: a source item its mtrc_search together with
// the two text buffers it keeps (new char[]), a file item its FileRecord.
// They are released when their items go (ReleaseRecords, DeleteSource,
// DeleteAllItems, and the view's destructor).
#pragma once

#include <QIcon>
#include <QString>
#include <QTreeWidget>
#include <array>
#include <unordered_set>

struct FileRecord;
struct mtrc_search;

// The item images, in the order of the image list.
enum ItemImage : int {
    ImageDirectory = 0,   // folder: a directory source
    ImageProjectFile = 1, // stack of documents: a project-file source
    ImageC = 2,           // letter C
    ImageCpp = 3,         // C with a plus sign
    ImageH = 4,           // letter h
    ImageHpp = 5,         // h with a plus sign
    ImageBas = 6,         // molecule
    ImageFrm = 7,         // window form
    ImageOther = 8,       // page: any other file
    kImageCount = 9,
};

// How file items show their paths (the main window's m_nShowType).
enum ShowTextMode : int {
    ShowFullPath = 0,
    ShowPath = 1,     // without the source's folder, from the separator that ends it
    ShowFileName = 2, // the part after the last separator
};

class CTreeViewEx : public QTreeWidget {
    Q_OBJECT
public:
    explicit CTreeViewEx(QWidget* parent = nullptr);
    // Releases the records of every item still in the tree.
    ~CTreeViewEx() override;

    // The item data role that holds an item's record: a source item's
    // mtrc_search, a file item's FileRecord (stored as a void pointer).
    static constexpr int kRecordRole = Qt::UserRole;
    // The image index of an item, kept beside its icon.
    static constexpr int kImageRole = Qt::UserRole + 1;

    // True when the item has a check box and it is checked; an item without a
    // check box counts as unchecked.
    static bool IsChecked(const QTreeWidgetItem* item);
    // The record of a source item, or null.
    static mtrc_search* SearchOf(const QTreeWidgetItem* item);
    // The record of a file item, or null.
    static FileRecord* FileRecordOf(const QTreeWidgetItem* item);
    // Puts a record into an item's data.
    static void SetRecord(QTreeWidgetItem* item, void* record);

    // The text of a file item: the full path (mode 0), the path without the
    // source's folder but with the separator that ends it (mode 1), or the
    // file name (mode 2).
    static QString FileItemText(const QString& filePath, const QString& sourcePath, int mode);
    // The image of a source path (directory or project file) and of a file
    // item's text (by its extension, letter case ignored).
    static int SourceImage(const QString& sourcePath);
    static int FileImage(const QString& text);
    // The image of an index, and an item's image index (-1 without one).
    const QIcon& Image(int index) const { return m_pImageList[index]; }
    static int ImageOf(const QTreeWidgetItem* item);
    void SetImage(QTreeWidgetItem* item, int index) const;

    // Appends a checked source item after the last one; it takes ownership of
    // the search record.
    QTreeWidgetItem* InsertSource(const QString& sourcePath, mtrc_search* search);
    // Adds a file item under a source: at the end, or at its alphabetical
    // position among the children when `sorted` (letter case ignored). The
    // item takes ownership of the record.
    QTreeWidgetItem* InsertFile(QTreeWidgetItem* source, FileRecord* record, const QString& text,
                                bool checked, bool sorted);
    static void SetChecked(QTreeWidgetItem* item, bool checked);

    // Gives every file item the text of `mode`; images, check states and the
    // order stay as they are.
    void RebuildItemTexts(int mode);

    // The records of an item and of its children (what ReleaseRecords would release).
    static void CollectRecords(const QTreeWidgetItem* item, std::unordered_set<const void*>& out);
    void CollectAllRecords(std::unordered_set<const void*>& out) const;
    // Releases the records of an item and its children and clears their data.
    static void ReleaseRecords(QTreeWidgetItem* item);
    // Releases the search record of a source together with its texts and the
    // records still on its list.
    static void ReleaseSearch(mtrc_search* search);
    // Releases a source's records and deletes its item with its children.
    void DeleteSource(QTreeWidgetItem* source);
    // Releases every record and deletes every item.
    void DeleteAllItems();

    // The images, 16 x 16, in the order of ItemImage.
    std::array<QIcon, kImageCount> m_pImageList;
};
