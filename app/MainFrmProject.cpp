// The project commands of the main window: New, Open, Save, Save As, the
// save question and the recent projects. The project file's text is read
// and written by the core (project_file.h); this file runs the searches of
// the sources it names and restores their check states.
#include "MainFrm.h"

#include "ListViewEx.h"
#include "Platform.h"
#include "ProfileSection.h"
#include "Resource.h"
#include "TotalsView.h"
#include "TreeViewEx.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSaveFile>

#include "project/core/project_file.h"
#include "tarnel.h"

namespace {

const QString kProjectFilter = QStringLiteral("Kestrum Project (*.qvd);;All Files (*)");

// The id of the separator between the recent items and Exit.
constexpr int kRecentSeparatorId = 2048;

// A path as a menu text and back: "&" would otherwise mark an access key.
QString MenuText(const QString& path) {
    QString text = path;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString PathOfMenuText(const QString& text) {
    QString path = text;
    return path.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

// A text of the core (paths in the file system's encoding) for the window.
QString FromCore(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

std::string ToCore(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The proposed file of the project dialogs: "Project" in the home directory.
QString ProposedProjectFile() {
    return QDir::homePath() + QStringLiteral("/Project");
}

} // namespace

void CMainFrame::PromptSave() {
    // The flag is cleared before anything is asked, so a project is asked
    // about once; there is no Cancel: the command that asked goes on.
    m_bModified = 0;
    if (m_platform.MessageBox(this,
                              FromCore(kestrum::saveChangesQuestion(ToCore(m_strProjectPath))),
                              MessageIcon::Question, MessageButtons::YesNo) == IDYES)
        OnProjectSave();
}

void CMainFrame::OnProjectNew() {
    if (m_bRunning)
        return;
    if (m_bModified)
        PromptSave();
    setWindowTitle(QStringLiteral("Untitled - Kestrum"));
    m_strProjectPath.clear();
    m_hCurrentSource = nullptr;
    // The list rows refer to the records of the tree: they go first.
    m_pListView->GetListCtrl().DeleteAllItems();
    m_pTreeView->DeleteAllItems();
    m_pTotalsView->Clear();
}

void CMainFrame::OnProjectOpen() {
    QString path = m_strOpenPath;
    m_strOpenPath.clear();
    if (m_bRunning)
        return;
    if (path.isEmpty()) {
        path = m_platform.GetOpenFileName(this, QStringLiteral("Open"), ProposedProjectFile(),
                                          kProjectFilter);
        if (path.isEmpty())
            return;
    }

    // Only a regular file that opens counts: a directory cannot be opened for
    // reading, and a named pipe would block the window until someone writes.
    {
        QFile file(path);
        if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
            m_platform.MessageBox(this, FromCore(kestrum::cantOpenProjectText(ToCore(path))),
                                  MessageIcon::Exclamation);
            return;
        }
    }

    OnProjectNew();
    m_strProjectPath = path;
    setWindowTitle(FromCore(kestrum::projectWindowTitle(ToCore(path))));

    std::string contents;
    std::string error;
    if (!kestrum::readWholeFile(ToCore(path), contents, error))
        return; // the project stays empty under its new title

    for (const kestrum::ProjectSource& source : kestrum::parseProjectFile(contents)) {
        mtrc_search* search = NewSearch(QByteArray::fromStdString(source.path),
                                        QByteArray::fromStdString(source.exts), source.subdirs);
        SearchAndFill(search, nullptr);
        if (m_hCurrentSource == nullptr) {
            // Left out; its file lines are ignored.
            CTreeViewEx::ReleaseSearch(search);
            continue;
        }
        if (!source.checked)
            CTreeViewEx::SetChecked(m_hCurrentSource, false);
        for (int i = 0; i < m_hCurrentSource->childCount(); ++i) {
            QTreeWidgetItem* child = m_hCurrentSource->child(i);
            const FileRecord* record = CTreeViewEx::FileRecordOf(child);
            if (record != nullptr && record->path != nullptr &&
                kestrum::isClearedFile(source, record->path))
                CTreeViewEx::SetChecked(child, false);
        }
    }

    AddToRecent(path);
    m_pTotalsView->SetText(QString::fromLatin1(kestrum::kProjectLoaded));
}

bool CMainFrame::SaveProject() {
    std::vector<kestrum::ProjectSource> sources;
    for (int s = 0; s < m_pTreeView->topLevelItemCount(); ++s) {
        const QTreeWidgetItem* item = m_pTreeView->topLevelItem(s);
        const mtrc_search* search = CTreeViewEx::SearchOf(item);
        kestrum::ProjectSource source;
        source.exts = search != nullptr && search->exts != nullptr ? search->exts : "";
        source.subdirs = search != nullptr ? search->subdirs : 1;
        source.path = ToCore(item->text(0));
        source.checked = CTreeViewEx::IsChecked(item);
        for (int f = 0; f < item->childCount(); ++f) {
            const QTreeWidgetItem* child = item->child(f);
            const FileRecord* record = CTreeViewEx::FileRecordOf(child);
            if (!CTreeViewEx::IsChecked(child) && record != nullptr && record->path != nullptr)
                source.cleared.emplace_back(record->path);
        }
        sources.push_back(std::move(source));
    }
    const std::string text = kestrum::formatProjectFile(sources);

    // The new text goes to a file beside the old one, which it replaces only
    // once it is complete: a full disk or a crash leaves the old project.
    QSaveFile file(m_strProjectPath);
    const bool saved = file.open(QIODevice::WriteOnly) &&
                       file.write(text.data(), static_cast<qint64>(text.size())) ==
                           static_cast<qint64>(text.size()) &&
                       file.commit();
    if (!saved) {
        file.cancelWriting();
        m_platform.MessageBox(this, QStringLiteral("Can't save project: ") + m_strProjectPath,
                              MessageIcon::Exclamation);
        m_bModified = 1;
        return false;
    }
    m_bModified = 0;
    return true;
}

void CMainFrame::OnProjectSave() {
    if (m_strProjectPath.isEmpty()) {
        OnProjectSaveAs();
        return;
    }
    SaveProject();
}

void CMainFrame::OnProjectSaveAs() {
    const QString path =
        m_platform.GetSaveFileName(this, QStringLiteral("Save As"), ProposedProjectFile(),
                                   kProjectFilter, QStringLiteral("qvd"));
    if (path.isEmpty())
        return;
    m_strProjectPath = path;
    AddToRecent(path);
    SaveProject();
    setWindowTitle(FromCore(kestrum::projectWindowTitle(ToCore(path))));
}

// --- Recent projects ---

void CMainFrame::LoadRecentList() {
    CProfileSection profile(kSettingsSection);
    int next = 0;
    for (int i = 0; i <= kRecentCount && next < kRecentCount; ++i) {
        QString value;
        profile.GetString(QStringLiteral("Rec%1").arg(i), value);
        if (!value.isEmpty())
            m_strRecent[next++] = value;
    }
    UpdateRecentMenu();
}

void CMainFrame::UpdateRecentMenu() {
    QAction* exitAction = Action(ID_APP_EXIT);
    QMenu* menu =
        exitAction != nullptr ? findChild<QMenu*>(QStringLiteral("menuProject")) : nullptr;
    if (menu == nullptr)
        return;
    int k = 0;
    for (const QString& entry : m_strRecent) {
        if (entry.isEmpty())
            continue;
        QAction* item = Action(ID_RECENT_FIRST + k);
        item->setText(MenuText(entry));
        if (!m_bRecentShown[k]) {
            menu->insertAction(exitAction, item);
            m_bRecentShown[k] = 1;
        }
        ++k;
    }
    // The separator is put back before Exit, so it stays below the last item.
    if (m_bRecentSeparator) {
        delete findChild<QAction*>(QStringLiteral("command%1").arg(kRecentSeparatorId));
        m_bRecentSeparator = 0;
    }
    if (!m_strRecent[0].isEmpty() && !m_bRecentSeparator) {
        QAction* separator = new QAction(this);
        separator->setObjectName(QStringLiteral("command%1").arg(kRecentSeparatorId));
        separator->setData(kRecentSeparatorId);
        separator->setSeparator(true);
        menu->insertAction(exitAction, separator);
        m_bRecentSeparator = 1;
    }
}

void CMainFrame::AddToRecent(const QString& path) {
    for (const QString& entry : m_strRecent) {
        if (entry == path)
            return;
    }
    for (int i = kRecentCount - 1; i > 0; --i)
        m_strRecent[i] = m_strRecent[i - 1];
    m_strRecent[0] = path;
    UpdateRecentMenu();
}

void CMainFrame::OnRecentProject(int index) {
    const QAction* item = Action(ID_RECENT_FIRST + index);
    if (item == nullptr || !m_bRecentShown[index])
        return;
    m_strOpenPath = PathOfMenuText(item->text());
    OnProjectOpen();
}
