#include "TreeViewEx.h"

#include <QFile>

#include "run/core/collect.h"
#include "tarnel.h"

namespace {

const QChar kSep = QLatin1Char(kestrum::kSeparator);

// The image files of the item images, in the order of ItemImage.
constexpr const char* kImageFiles[kImageCount] = {
    ":/icons/tree-folder.svg",   ":/icons/tree-documents.svg", ":/icons/tree-c.svg",
    ":/icons/tree-cpp.svg",      ":/icons/tree-h.svg",         ":/icons/tree-hpp.svg",
    ":/icons/tree-molecule.svg", ":/icons/tree-form.svg",      ":/icons/tree-page.svg",
};

} // namespace

CTreeViewEx::CTreeViewEx(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("projectTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(16, 16));
    for (int i = 0; i < kImageCount; ++i)
        m_pImageList[i] = QIcon(QString::fromLatin1(kImageFiles[i]));
}

CTreeViewEx::~CTreeViewEx() {
    // Nothing else refers to the records once the window goes.
    for (int i = 0; i < topLevelItemCount(); ++i)
        ReleaseRecords(topLevelItem(i));
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

QString CTreeViewEx::FileItemText(const QString& filePath, const QString& sourcePath, int mode) {
    switch (mode) {
    case ShowFileName: {
        const qsizetype sep = filePath.lastIndexOf(kSep);
        return sep < 0 ? filePath : filePath.mid(sep + 1);
    }
    case ShowPath:
        if (sourcePath.endsWith(kSep)) {
            // The last (length of F - length of S + 1) characters.
            const qsizetype keep = filePath.size() - sourcePath.size() + 1;
            return keep <= 0 ? QString() : filePath.right(keep);
        } else {
            // Cut at the project file's last separator, also for a file that
            // lies outside the project file's folder.
            const qsizetype sep = sourcePath.lastIndexOf(kSep);
            return sep < 0 ? filePath : filePath.mid(sep);
        }
    default: return filePath;
    }
}

int CTreeViewEx::SourceImage(const QString& sourcePath) {
    return sourcePath.endsWith(kSep) ? ImageDirectory : ImageProjectFile;
}

int CTreeViewEx::FileImage(const QString& text) {
    const QString four = text.right(4).toUpper();
    if (four == QLatin1String(".CPP"))
        return ImageCpp;
    if (four == QLatin1String(".HPP"))
        return ImageHpp;
    if (four == QLatin1String(".BAS"))
        return ImageBas;
    if (four == QLatin1String(".FRM"))
        return ImageFrm;
    const QString two = text.right(2).toUpper();
    if (two == QLatin1String(".C"))
        return ImageC;
    if (two == QLatin1String(".H"))
        return ImageH;
    return ImageOther;
}

int CTreeViewEx::ImageOf(const QTreeWidgetItem* item) {
    const QVariant value = item->data(0, kImageRole);
    return value.isValid() ? value.toInt() : -1;
}

void CTreeViewEx::SetImage(QTreeWidgetItem* item, int index) const {
    item->setData(0, kImageRole, index);
    item->setIcon(0, m_pImageList[index]);
}

void CTreeViewEx::SetChecked(QTreeWidgetItem* item, bool checked) {
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

QTreeWidgetItem* CTreeViewEx::InsertSource(const QString& sourcePath, mtrc_search* search) {
    auto* item = new QTreeWidgetItem(QStringList(sourcePath));
    // A box that changes alone: checking a source leaves its files as they are.
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    SetImage(item, SourceImage(sourcePath));
    SetChecked(item, true);
    SetRecord(item, search);
    addTopLevelItem(item);
    return item;
}

QTreeWidgetItem* CTreeViewEx::InsertFile(QTreeWidgetItem* source, FileRecord* record,
                                         const QString& text, bool checked, bool sorted) {
    auto* item = new QTreeWidgetItem(QStringList(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                   Qt::ItemNeverHasChildren);
    SetImage(item, FileImage(text));
    SetChecked(item, checked);
    SetRecord(item, record);
    int at = source->childCount();
    if (sorted) {
        // After the last child that does not sort after the new text.
        at = 0;
        while (at < source->childCount() &&
               QString::compare(source->child(at)->text(0), text, Qt::CaseInsensitive) <= 0)
            ++at;
    }
    source->insertChild(at, item);
    return item;
}

void CTreeViewEx::RebuildItemTexts(int mode) {
    for (int s = 0; s < topLevelItemCount(); ++s) {
        QTreeWidgetItem* source = topLevelItem(s);
        const mtrc_search* search = SearchOf(source);
        const QString sourcePath = search != nullptr && search->path != nullptr
                                       ? QFile::decodeName(search->path)
                                       : source->text(0);
        for (int f = 0; f < source->childCount(); ++f) {
            QTreeWidgetItem* file = source->child(f);
            const FileRecord* record = FileRecordOf(file);
            if (record == nullptr || record->path == nullptr)
                continue;
            file->setText(0, FileItemText(QFile::decodeName(record->path), sourcePath, mode));
        }
    }
}

void CTreeViewEx::CollectRecords(const QTreeWidgetItem* item,
                                 std::unordered_set<const void*>& out) {
    if (void* record = item->data(0, kRecordRole).value<void*>())
        out.insert(record);
    for (int i = 0; i < item->childCount(); ++i)
        CollectRecords(item->child(i), out);
}

void CTreeViewEx::CollectAllRecords(std::unordered_set<const void*>& out) const {
    for (int i = 0; i < topLevelItemCount(); ++i)
        CollectRecords(topLevelItem(i), out);
}

void CTreeViewEx::ReleaseSearch(mtrc_search* search) {
    if (search == nullptr)
        return;
    while (FileRecord* record = search->files) {
        search->files = record->next;
        mtrc_file_ReleaseRecord(record);
    }
    delete[] search->path;
    delete[] search->exts;
    delete search;
}

void CTreeViewEx::ReleaseRecords(QTreeWidgetItem* item) {
    for (int i = 0; i < item->childCount(); ++i)
        ReleaseRecords(item->child(i));
    if (item->parent() == nullptr)
        ReleaseSearch(SearchOf(item));
    else
        mtrc_file_ReleaseRecord(FileRecordOf(item));
    SetRecord(item, nullptr);
}

void CTreeViewEx::DeleteSource(QTreeWidgetItem* source) {
    ReleaseRecords(source);
    delete source;
}

void CTreeViewEx::DeleteAllItems() {
    for (int i = 0; i < topLevelItemCount(); ++i)
        ReleaseRecords(topLevelItem(i));
    clear();
}
