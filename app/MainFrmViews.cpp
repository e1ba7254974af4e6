// The view options of the main window: how the project tree shows its files,
// how the metrics list and the totals pane show the results, the column
// chooser and the extension definitions. The options keep their menu marks
// and flags here, since the stored settings are read from the marks; what
// each does to its pane is added with the pane.
#include "MainFrm.h"

#include "CustomizeDlg.h"
#include "DefExtsDlg.h"
#include "Resource.h"
#include "TotalsView.h"

void CMainFrame::OnPrjAutoSort() {
    m_bAutoSort = !m_bAutoSort;
    CheckMenuItem(ID_PRJ_AUTO_SORT, m_bAutoSort != 0);
}

void CMainFrame::OnPrjShowFullPath() {
    CheckMenuRadioItem(kShowTypeFirst, kShowTypeLast, ID_PRJ_SHOW_FULL_PATH);
    m_nShowType = 0;
}

void CMainFrame::OnPrjShowPath() {
    CheckMenuRadioItem(kShowTypeFirst, kShowTypeLast, ID_PRJ_SHOW_PATH);
    m_nShowType = 1;
}

void CMainFrame::OnPrjShowFileName() {
    CheckMenuRadioItem(kShowTypeFirst, kShowTypeLast, ID_PRJ_SHOW_FILE_NAME);
    m_nShowType = 2;
}

void CMainFrame::OnMetricsFullPath() {
    m_bFullPath = !m_bFullPath;
    CheckMenuItem(ID_METRICS_FULL_PATH, !IsMenuItemChecked(ID_METRICS_FULL_PATH));
}

void CMainFrame::OnMetricsGridlines() {
    m_bGridLines = !m_bGridLines;
    CheckMenuItem(ID_METRICS_GRIDLINES, !IsMenuItemChecked(ID_METRICS_GRIDLINES));
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
