// The file metrics run of the main window: measures every ticked file of
// every ticked source in tree order, writes one row per file into the metrics
// list and ends with the FILE METRICS report in the totals pane. The values,
// the totals and the report text come from the shared core (run/core); this
// file only walks the tree, shows progress and lets window events through
// between files. A second File metrics while a run is active stops it.
#include "MainFrm.h"

#include "ListViewEx.h"
#include "Platform.h"
#include "ProfileSection.h"
#include "Resource.h"
#include "TotalsView.h"
#include "TreeViewEx.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QTreeWidgetItem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "run/core/columns.h"
#include "run/core/language.h"
#include "run/core/metrics.h"
#include "run/core/reports.h"
#include "tarnel.h"

namespace {

const QString kAnalyzingStatus = QStringLiteral("Analyzing files... hit 'Analyze' again to stop");
const QString kAnalyzingPane = QStringLiteral("Analyzing...\n");
const QString kUserCancelStatus = QStringLiteral("User cancel.");
const QString kReadyStatus = QStringLiteral("Ready");

// The open test of a file before it is analysed: it must open for reading
// and be a regular file. A directory counts as a file that cannot be opened,
// and a FIFO or device is refused too: reading one could block the window.
bool CanOpenForReading(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    ::close(fd);
    return regular;
}

kestrum::ColumnOrder OrderOf(const CListViewEx& view) {
    kestrum::ColumnOrder order;
    order.fill(-1);
    const int count = std::min<int>(view.GetColumnCount(), kestrum::kFileColumnCount);
    for (int k = 0; k < count; ++k) {
        order[k] = view.GetColumnOrder()[k];
    }
    return order;
}

// The progress bar's range is an int: a byte total above that is shown
// scaled down by a power of two.
int ProgressShift(long long bytes) {
    int shift = 0;
    while ((bytes >> shift) > INT_MAX) {
        ++shift;
    }
    return shift;
}

QString FromBytes(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

} // namespace

bool CMainFrame::IsFileMetricsCommand(int id) {
    return id == ID_FILE_METRICS || id == ID_TB_FILE_METRICS || id == ID_FILE_METRICS_2;
}

void CMainFrame::EnableCommandsForRun(bool running) {
    // Nothing may delete the records the run walks, change the list's columns
    // or take over the totals pane while the run lets events through.
    for (const auto& [id, action] : m_actions) {
        if (!IsFileMetricsCommand(id)) {
            action->setEnabled(!running);
        }
    }
    UpdateCommandUI();
}

void CMainFrame::OnFileMetrics() {
    SetMessageText(kAnalyzingStatus);
    if (m_bRunning) {
        // The running run sees the request after its current file.
        m_bStopRequest = 1;
        return;
    }
    m_bRunning = 1;
    m_bAnalyzing = 1;
    m_bStopRequest = 0;
    EnableCommandsForRun(true);
    m_pTreeView->setEnabled(false);

    m_pTotalsView->SetText(kAnalyzingPane);
    if (m_bResultsAsList) {
        m_pTotalsView->SetAsList(false);
    }
    CListCtrl& list = m_pListView->GetListCtrl();
    if (m_pTreeView->topLevelItemCount() > 0) {
        list.DeleteAllItems();
    }

    // Counting pass: a file is taken when both its source and itself are
    // ticked. The tree cannot change during the run (it and every command
    // that edits it are disabled), so the taken records are kept for the loop.
    std::vector<FileRecord*> taken;
    long long bytes = 0;
    for (int s = 0; s < m_pTreeView->topLevelItemCount(); ++s) {
        const QTreeWidgetItem* source = m_pTreeView->topLevelItem(s);
        if (!CTreeViewEx::IsChecked(source)) {
            continue;
        }
        for (int f = 0; f < source->childCount(); ++f) {
            const QTreeWidgetItem* file = source->child(f);
            FileRecord* record = CTreeViewEx::FileRecordOf(file);
            if (CTreeViewEx::IsChecked(file) && record != nullptr && record->path != nullptr) {
                taken.push_back(record);
                bytes += record->size > 0 ? record->size : 0;
            }
        }
    }
    const int n = static_cast<int>(taken.size());

    const int shift = ProgressShift(bytes);
    m_wndProgress->setRange(0, static_cast<int>(bytes >> shift));
    m_wndProgress->setValue(0);
    m_wndProgress->show();
    kestrum::RunTotals totals;
    int row = 0; // rows written, and the index of the next

    if (m_nLanguage == kestrum::LangModeByExtension) {
        LoadLanguageTables();
    }
    kestrum::LanguageTables tables;
    for (int code = 0; code < 3; ++code) {
        if (m_pLangExts[code] != nullptr) {
            tables.exts[code].assign(m_pLangExts[code], m_pLangExts[code] + m_nLangExtCount[code]);
        }
    }
    tables.defaultLanguage = m_nDefaultLanguage;

    // The columns cannot change during the run: the Columns command is disabled.
    const kestrum::ColumnOrder order = OrderOf(*m_pListView);
    const bool fullPath = IsMenuItemChecked(ID_METRICS_FULL_PATH);
    long long done = 0;
    QElapsedTimer sincePump;
    sincePump.start();

    // Rows analysed since events were last let through; written in one go.
    std::vector<CListCtrl::Row> pending;
    for (FileRecord* f : taken) {
        if (!CanOpenForReading(f->path)) {
            list.AppendRows(std::move(pending));
            AbortRun(FromBytes(kestrum::cantOpenFileText(f->path)));
            return;
        }
        const int language = kestrum::chooseLanguage(m_nLanguage, tables, f->path);
        mtrc_lines* result = mtrc_code_Analyze(f->path, language, 0, 0);
        if (result == nullptr) {
            // It opened but could not be read (it changed, or memory ran out):
            // the same end as a file that cannot be opened.
            list.AppendRows(std::move(pending));
            AbortRun(FromBytes(kestrum::cantOpenFileText(f->path)));
            return;
        }
        const kestrum::FileMetrics metrics = kestrum::metricsOf(*result);
        mtrc_code_Release(result);

        done += f->size > 0 ? f->size : 0;
        const std::vector<std::string> cells = kestrum::rowCells(f->path, metrics, order, fullPath);
        CListCtrl::Row& added = pending.emplace_back();
        added.data = f;
        added.cells.reserve(cells.size());
        added.cells.push_back(FromBytes(cells.front()));
        for (std::size_t k = 1; k < cells.size(); ++k) {
            added.cells.push_back(QString::fromLatin1(cells[k]));
        }
        totals.addFile(metrics, order);
        ++row;

        // Rows, the pane text and the progress bar only show when events are
        // let through, so they are written then: writing them after every
        // file would cost more than the analysis of a small file.
        if (sincePump.elapsed() >= m_nPumpIntervalMs || row == n) {
            list.AppendRows(std::move(pending));
            m_pTotalsView->SetText(FromBytes(kestrum::progressText(row, n, f->path)));
            m_wndProgress->setValue(static_cast<int>(done >> shift));
            QCoreApplication::processEvents();
            sincePump.restart();
        }
        if (m_bStopRequest) {
            list.AppendRows(std::move(pending));
            StopRun();
            return;
        }
    }

    m_pTreeView->setEnabled(true);
    WriteFileMetricsReport(n, totals);
    SetMessageText(kReadyStatus);
    LeaveRun();
}

void CMainFrame::LoadLanguageTables() {
    CProfileSection profile(kSettingsSection);
    QString cExts;
    QString cppExts;
    QString vbExts;
    profile.GetString(QStringLiteral("C_Def_Exts"), cExts);
    profile.GetString(QStringLiteral("CPP_Def_Exts"), cppExts);
    profile.GetString(QStringLiteral("VB_Def_Exts"), vbExts);
    if (kestrum::needsFirstUseExts(cExts.toStdString(), cppExts.toStdString(),
                                   vbExts.toStdString())) {
        profile.WriteString(QStringLiteral("C_Def_Exts"),
                            QString::fromLatin1(kestrum::kFirstUseCExts));
        profile.WriteString(QStringLiteral("CPP_Def_Exts"),
                            QString::fromLatin1(kestrum::kFirstUseCppExts));
        profile.WriteString(QStringLiteral("VB_Def_Exts"),
                            QString::fromLatin1(kestrum::kFirstUseVbExts));
    }
    static const char* const kListNames[3] = {"CPP_Def_Exts", "C_Def_Exts", "VB_Def_Exts"};
    for (int code = 0; code < 3; ++code) {
        QString text;
        profile.GetString(QString::fromLatin1(kListNames[code]), text);
        // The splitter upper-cases its text in place, so it gets a copy.
        std::string buffer = QFile::encodeName(text).toStdString();
        int count = 0;
        std::string* exts = mtrc_file_ExtractExts(buffer.data(), count);
        mtrc_file_ReleaseExts(m_pLangExts[code]);
        m_pLangExts[code] = exts;
        m_nLangExtCount[code] = exts != nullptr && count > 0 ? count : 0;
    }
    profile.GetInt(QStringLiteral("Def_Def_Exts"), m_nDefaultLanguage);
}

void CMainFrame::WriteFileMetricsReport(int fileCount, const kestrum::RunTotals& totals) {
    const kestrum::ColumnOrder order = OrderOf(*m_pListView);
    m_pTotalsView->SetListLayout(LayoutTotals);
    CListViewEx* pane = m_pTotalsView->GetList();
    if (pane != nullptr) {
        pane->GetListCtrl().DeleteAllItems();
    }
    const kestrum::Report report = kestrum::fileMetricsReport(totals, order, fileCount);
    if (pane != nullptr) {
        for (const std::vector<std::string>& cells : report.rows) {
            std::vector<QString> texts;
            for (const std::string& cell : cells) {
                texts.push_back(QString::fromLatin1(cell));
            }
            pane->GetListCtrl().InsertRow(pane->GetListCtrl().GetItemCount(), std::move(texts),
                                          nullptr);
        }
    }
    m_pTotalsView->SetText(QString::fromLatin1(report.text));
}

void CMainFrame::StopRun() {
    SetMessageText(kUserCancelStatus);
    m_pTotalsView->Clear();
    m_pTotalsView->SetText(QString::fromLatin1(kestrum::kUserCancel));
    m_pTreeView->setEnabled(true);
    LeaveRun();
}

void CMainFrame::AbortRun(const QString& text) {
    m_platform.MessageBox(this, text, MessageIcon::Exclamation);
    m_pTotalsView->SetText(text);
    m_pTreeView->setEnabled(true);
    SetMessageText(kReadyStatus);
    LeaveRun();
}

void CMainFrame::LeaveRun() {
    m_bAnalyzing = 0;
    m_wndProgress->hide();
    if (m_bResultsAsList) {
        m_pTotalsView->SetAsList(true);
    }
    m_bRunning = 0;
    // A request that came too late to stop anything must not stop the next run.
    m_bStopRequest = 0;
    EnableCommandsForRun(false);
    if (m_bCloseAfterRun) {
        m_bCloseAfterRun = false;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}
