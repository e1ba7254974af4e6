// The function and class reports of the main window for the file of the
// first selected row of the metrics list. Both analyse the file afresh as
// C++ and show their text in the totals pane; the function report also puts
// one row per function into the pane's list. The texts come from the core
// that the command line shares.
#include "MainFrm.h"

#include <QString>
#include <string>

#include "ListViewEx.h"
#include "TotalsView.h"
#include "run/core/reports.h"
#include "tarnel.h"

namespace {

// The analyzer's language code for C++: the reports measure every file as C++.
constexpr int kReportLanguage = 0;

// The record of the first selected row of the metrics list, or null when no
// row is selected or the row carries no record.
const FileRecord* SelectedRecord(CListViewEx* list) {
    if (list == nullptr)
        return nullptr;
    const CListCtrl& rows = list->GetListCtrl();
    const int row = rows.GetFirstSelectedItem();
    if (row < 0)
        return nullptr;
    const auto* record = static_cast<const FileRecord*>(rows.GetItemData(row));
    return record != nullptr && record->path != nullptr ? record : nullptr;
}

QString PaneText(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void CMainFrame::OnFunctionMetrics() {
    const FileRecord* record = SelectedRecord(m_pListView);
    if (record == nullptr)
        return;
    // The library takes a writable path; hand it a copy, not the tree's record.
    std::string path = record->path;
    mtrc_lines* result = mtrc_code_Analyze(path.data(), kReportLanguage, 1, 0);
    if (result == nullptr) {
        // The file went away since it was listed: say so and keep the list.
        m_pTotalsView->SetText(PaneText(kestrum::cantReadFileText(path)));
        return;
    }
    const int functions = result->functions;
    const kestrum::Report report = kestrum::functionReport(path, *result);
    mtrc_code_Release(result);

    if (functions <= 0) {
        m_pTotalsView->Clear();
        m_pTotalsView->SetText(PaneText(report.text));
        return;
    }
    m_pTotalsView->SetListLayout(LayoutFunctionMetrics);
    if (CListViewEx* list = m_pTotalsView->GetList()) {
        CListCtrl& rows = list->GetListCtrl();
        rows.DeleteAllItems();
        for (const auto& cells : report.rows) {
            const int r = rows.InsertItem(rows.GetItemCount(), PaneText(cells[0]));
            for (std::size_t k = 1; k < cells.size(); ++k)
                rows.SetItemText(r, static_cast<int>(k), PaneText(cells[k]));
        }
    }
    m_pTotalsView->SetText(PaneText(report.text));
}

void CMainFrame::OnClassMetrics() {
    const FileRecord* record = SelectedRecord(m_pListView);
    if (record == nullptr)
        return;
    std::string path = record->path;
    mtrc_lines* result = mtrc_code_Analyze(path.data(), kReportLanguage, 0, 1);
    if (result == nullptr) {
        m_pTotalsView->SetText(PaneText(kestrum::cantReadFileText(path)));
        return;
    }
    const std::string text = kestrum::classReport(path, *result);
    mtrc_code_Release(result);
    // The pane's list keeps what it showed.
    m_pTotalsView->SetText(PaneText(text));
}
