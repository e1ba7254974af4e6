// The view options of the main window: how the project tree shows its files,
// how the metrics list and the totals pane show the results, the column
// chooser and the extension definitions. The options keep their menu marks
// and flags here, since the stored settings are read from the marks; what
// each does to its pane is added with the pane.
#include "MainFrm.h"

#include "CustomizeDlg.h"
#include "DefExtsDlg.h"
#include "ListViewEx.h"
#include "Resource.h"
#include "TotalsView.h"
#include "TreeViewEx.h"

#include <QFile>
#include <string_view>

#include "run/core/metrics.h"
#include "tarnel.h"

void CMainFrame::OnPrjAutoSort() {
    m_bAutoSort = !m_bAutoSort;
    CheckMenuItem(ID_PRJ_AUTO_SORT, m_bAutoSort != 0);
}

void CMainFrame::OnPrjShowFullPath() {
    CheckMenuRadioItem(kShowTypeFirst, kShowTypeLast, ID_PRJ_SHOW_FULL_PATH);
    m_nShowType = 0;
    m_pTreeView->RebuildItemTexts(m_nShowType);
}

void CMainFrame::OnPrjShowPath() {
    CheckMenuRadioItem(kShowTypeFirst, kShowTypeLast, ID_PRJ_SHOW_PATH);
    m_nShowType = 1;
    m_pTreeView->RebuildItemTexts(m_nShowType);
}

void CMainFrame::OnPrjShowFileName() {
    CheckMenuRadioItem(kShowTypeFirst, kShowTypeLast, ID_PRJ_SHOW_FILE_NAME);
    m_nShowType = 2;
    m_pTreeView->RebuildItemTexts(m_nShowType);
}

void CMainFrame::OnMetricsFullPath() {
    m_bFullPath = !m_bFullPath;
    const bool show = !IsMenuItemChecked(ID_METRICS_FULL_PATH);
    CheckMenuItem(ID_METRICS_FULL_PATH, show);
    // Each row's record holds the full path; the name is the part after the last '/'.
    CListCtrl& list = m_pListView->GetListCtrl();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        const auto* record = static_cast<const FileRecord*>(list.GetItemData(row));
        if (record == nullptr || record->path == nullptr) {
            continue;
        }
        const std::string_view path(record->path);
        const std::string_view text = show ? path : kestrum::fileNamePart(path);
        list.SetItemText(row, 0,
                         QFile::decodeName(QByteArray(text.data(), qsizetype(text.size()))));
    }
}

void CMainFrame::OnMetricsGridlines() {
    m_bGridLines = !m_bGridLines;
    const bool on = !IsMenuItemChecked(ID_METRICS_GRIDLINES);
    CheckMenuItem(ID_METRICS_GRIDLINES, on);
    // The lists keep the choice for their next column rebuild too; the totals
    // pane hands it to its list when it creates it.
    m_pListView->SetGridLinesWanted(on);
    m_pListView->GetListCtrl().SetGridLines(on);
    m_pTotalsView->SetGridLinesWanted(on);
}

// Columns: the column chooser for the metrics list; on OK the list has
// already rebuilt its columns.
void CMainFrame::OnMetricsColumns() {
    CCustomizeDlg dlg(m_platform, this);
    dlg.m_pListView = m_pListView;
    dlg.DoModal();
}

void CMainFrame::OnResultsAsList() {
    m_bResultsAsList = !m_bResultsAsList;
    if (IsMenuItemChecked(ID_RESULTS_AS_LIST)) {
        m_pTotalsView->SetAsList(false);
        CheckMenuItem(ID_RESULTS_AS_LIST, false);
    } else {
        m_pTotalsView->SetAsList(true);
        CheckMenuItem(ID_RESULTS_AS_LIST, true);
    }
}

// Define extensions: the dialog reads and writes the settings itself; the
// next file metrics run reads them afresh.
void CMainFrame::OnDefineExts() {
    CDefExtsDlg dlg(m_platform, this);
    dlg.DoModal();
}
