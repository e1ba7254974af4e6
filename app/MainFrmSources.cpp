// The source commands of the main window: Add files, Remove files, Edit
// properties and Refresh files, and the search that turns a source into
// file items of the project tree.
//
// Records: a source item owns its search record and the two text buffers
// the record keeps; a file item owns its FileRecord. The metrics list keeps
// FileRecord pointers as row data, so the rows of files that go are dropped
// before their records are released.
#include "MainFrm.h"

#include "DlgAddFiles.h"
#include "ListViewEx.h"
#include "Platform.h"
#include "TotalsView.h"
#include "TreeViewEx.h"

#include <QFile>
#include <cstring>
#include <vector>

#include "project/core/project_file.h"
#include "run/core/collect.h"
#include "tarnel.h"

namespace {

const QChar kSep = QLatin1Char(kestrum::kSeparator);

// A text buffer with room for the text, its terminator and one more
// character: the directory search may append a separator to the path.
char* NewText(const QByteArray& text) {
    char* buffer = new char[text.size() + 2];
    std::memcpy(buffer, text.constData(), text.size());
    buffer[text.size()] = '\0';
    buffer[text.size() + 1] = '\0';
    return buffer;
}

// The selected item when it is a source, otherwise null.
QTreeWidgetItem* SelectedSource(const CTreeViewEx* tree) {
    QTreeWidgetItem* item = tree->currentItem();
    if (item == nullptr || !item->isSelected() || item->parent() != nullptr)
        return nullptr;
    return item;
}

// The selected source item and its search record, both null when no source
// with a record is selected.
mtrc_search* SelectedSearch(const CTreeViewEx* tree, QTreeWidgetItem*& item) {
    item = SelectedSource(tree);
    mtrc_search* search = CTreeViewEx::SearchOf(item);
    if (search == nullptr)
        item = nullptr;
    return search;
}

} // namespace

mtrc_search* CMainFrame::NewSearch(const QByteArray& path, const QByteArray& exts, int subdirs) {
    char* pathBuffer = NewText(path);
    char* extsBuffer = NewText(exts);
    mtrc_search* search = mtrc_file_NewSearch(pathBuffer, extsBuffer, subdirs);
    if (search == nullptr) {
        delete[] pathBuffer;
        delete[] extsBuffer;
    }
    return search;
}

void CMainFrame::ForgetRecords(const std::unordered_set<const void*>& records) {
    if (!records.empty())
        m_pListView->GetListCtrl().DeleteItemsWithData(records);
}

void CMainFrame::SearchAndFill(mtrc_search* search, QTreeWidgetItem* item) {
    m_hCurrentSource = nullptr;
    if (m_bResultsAsList)
        m_pTotalsView->SetAsList(false);
    SetMessageText(QStringLiteral("Searching for files..."));

    std::vector<FileRecord*> found;
    kestrum::SearchStatus status = kestrum::SearchStatus::Failed;
    if (search == nullptr) {
        m_platform.MessageBox(this, QString::fromLatin1(kestrum::kSearchFailed),
                              MessageIcon::Exclamation);
        m_pTotalsView->SetText(QString::fromLatin1(kestrum::kSearchFailed));
    } else {
        const bool directory = kestrum::isDirectorySource(search->path);
        m_pTotalsView->SetText(QStringLiteral("Searching for files...\n") +
                               (directory ? QStringLiteral("Processing directory:\n")
                                          : QStringLiteral("Processing project file:\n")) +
                               QFile::decodeName(search->path));
        // The search does not let window messages through: show the texts now.
        repaint();

        status = kestrum::runSearch(search, found);
        // Whatever a failed search left on the list, so the next one starts empty.
        while (FileRecord* record = search->files) {
            search->files = record->next;
            mtrc_file_ReleaseRecord(record);
        }
        if (status == kestrum::SearchStatus::Failed) {
            m_platform.MessageBox(this, QString::fromLatin1(kestrum::kSearchFailed),
                                  MessageIcon::Exclamation);
            m_pTotalsView->SetText(QString::fromLatin1(kestrum::kSearchFailedPane));
        } else if (status == kestrum::SearchStatus::NoFiles) {
            m_platform.MessageBox(this, QString::fromLatin1(kestrum::kNoFilesFound),
                                  MessageIcon::Information);
            m_pTotalsView->SetText(QString::fromLatin1(kestrum::kNoFilesFoundPane));
        }
    }
    if (status != kestrum::SearchStatus::Found) {
        // The tree stays as it was: a new source gets no item, an existing one
        // keeps its files.
        SetMessageText(QStringLiteral("Ready"));
        if (m_bResultsAsList)
            m_pTotalsView->SetAsList(true);
        return;
    }

    // The paths of the files unchecked before, compared without regard to case.
    kestrum::ProjectSource unchecked;
    if (item != nullptr) {
        m_hCurrentSource = item;
        std::unordered_set<const void*> old;
        for (int i = 0; i < item->childCount(); ++i) {
            const QTreeWidgetItem* child = item->child(i);
            const FileRecord* record = CTreeViewEx::FileRecordOf(child);
            if (!CTreeViewEx::IsChecked(child) && record != nullptr && record->path != nullptr)
                unchecked.cleared.emplace_back(record->path);
            CTreeViewEx::CollectRecords(child, old);
        }
        ForgetRecords(old);
        // Released while still children, so each counts as a file item.
        for (int i = 0; i < item->childCount(); ++i)
            CTreeViewEx::ReleaseRecords(item->child(i));
        qDeleteAll(item->takeChildren());
    } else {
        m_hCurrentSource = m_pTreeView->InsertSource(QFile::decodeName(search->path), search);
    }

    const QString sourcePath = QFile::decodeName(search->path);
    for (FileRecord* record : found) {
        const QString path = QFile::decodeName(record->path);
        const bool checked = !kestrum::isClearedFile(unchecked, record->path);
        m_pTreeView->InsertFile(m_hCurrentSource, record,
                                CTreeViewEx::FileItemText(path, sourcePath, m_nShowType), checked,
                                m_bAutoSort != 0);
    }

    m_pTotalsView->SetText(
        QString::fromStdString(kestrum::foundFilesText(static_cast<int>(found.size()))));
    SetMessageText(QStringLiteral("Ready"));
    if (m_bResultsAsList)
        m_pTotalsView->SetAsList(true);
}

void CMainFrame::OnAddFiles() {
    if (m_bRunning)
        return;
    CDlgAddFiles dialog(m_platform, this);
    dialog.m_bAddMode = 1;
    dialog.m_bSubdirectories = 1;
    dialog.m_bFromDirectory = 1;
    if (dialog.DoModal() != IDOK)
        return;
    QString path = dialog.m_strPath;
    if (dialog.m_bFromDirectory && !path.endsWith(kSep))
        path += kSep;
    mtrc_search* search =
        NewSearch(QFile::encodeName(path), QFile::encodeName(dialog.m_strExtensions),
                  dialog.m_bSubdirectories ? 1 : 0);
    SearchAndFill(search, nullptr);
    if (m_hCurrentSource == nullptr) {
        // No item took the record: it goes here.
        CTreeViewEx::ReleaseSearch(search);
    }
    // Modified also when the search failed and nothing was added.
    m_bModified = 1;
}

void CMainFrame::OnEditProperties() {
    if (m_bRunning)
        return;
    QTreeWidgetItem* item = nullptr;
    mtrc_search* search = SelectedSearch(m_pTreeView, item);
    if (search == nullptr)
        return;
    CDlgAddFiles dialog(m_platform, this);
    dialog.m_bAddMode = 0;
    dialog.m_strPath = QFile::decodeName(search->path);
    dialog.m_strExtensions = QFile::decodeName(search->exts);
    dialog.m_bSubdirectories = search->subdirs;
    dialog.m_bFromDirectory = kestrum::isDirectorySource(search->path) ? 1 : 0;
    if (dialog.DoModal() != IDOK)
        return;

    // The kind follows the path as typed: no separator is appended here.
    delete[] search->path;
    delete[] search->exts;
    search->path = NewText(QFile::encodeName(dialog.m_strPath));
    search->exts = NewText(QFile::encodeName(dialog.m_strExtensions));
    search->subdirs = dialog.m_bSubdirectories ? 1 : 0;
    item->setText(0, dialog.m_strPath);
    m_pTreeView->SetImage(item, CTreeViewEx::SourceImage(dialog.m_strPath));
    SearchAndFill(search, item);
}

void CMainFrame::OnRefreshFiles() {
    if (m_bRunning)
        return;
    QTreeWidgetItem* item = nullptr;
    if (mtrc_search* search = SelectedSearch(m_pTreeView, item))
        SearchAndFill(search, item);
}

void CMainFrame::OnRemoveFiles() {
    if (m_bRunning)
        return;
    QTreeWidgetItem* item = SelectedSource(m_pTreeView);
    if (item == nullptr)
        return;
    m_bModified = 1;
    std::unordered_set<const void*> records;
    CTreeViewEx::CollectRecords(item, records);
    ForgetRecords(records);
    if (m_hCurrentSource == item)
        m_hCurrentSource = nullptr;
    m_pTreeView->DeleteSource(item);
}
