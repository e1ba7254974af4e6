// The text output of the main window: saves the shown columns and rows of the
// metrics list, an empty line and the totals pane's text as a tab-separated
// text file. The format comes from the core that the command line shares;
// lines end with CR LF on every platform.
#include "MainFrm.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <string>
#include <vector>

#include "ListViewEx.h"
#include "Platform.h"
#include "TotalsView.h"
#include "run/core/text_output.h"

namespace {

const QString kOutputName = QStringLiteral("Output");
const QString kOutputFilter = QStringLiteral("Text file (*.txt);;All Files (*)");
const QString kOutputSuffix = QStringLiteral("txt");

std::string EightBit(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// The whole file: the shown cells of every row in the list's current order.
std::string OutputBytes(const CListViewEx& list, const QString& paneText) {
    kestrum::ColumnOrder order;
    order.fill(-1);
    const int count = std::min<int>(list.GetColumnCount(), kestrum::kFileColumnCount);
    const signed char* shown = list.GetColumnOrder();
    std::copy(shown, shown + count, order.begin());
    const int positions = kestrum::shownColumnCount(order);

    const CListCtrl& rows = list.GetListCtrl();
    std::vector<std::vector<std::string>> cells(rows.GetItemCount());
    for (int r = 0; r < rows.GetItemCount(); ++r) {
        cells[r].reserve(positions);
        for (int k = 0; k < positions; ++k)
            cells[r].push_back(EightBit(rows.GetItemText(r, k)));
    }
    return kestrum::formatTextOutput(order, cells, EightBit(paneText), kestrum::kCrLf);
}

// Writes the bytes to a temporary file beside `path` and puts it in place
// only when every byte was written, so a failure leaves no partial file.
bool WriteWhole(const QString& path, const std::string& bytes) {
    // Saving replaces the file by another one; refuse where writing into the
    // file itself would be refused.
    const QFileInfo target(path);
    if (target.exists() && (!target.isFile() || !target.isWritable()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

void CMainFrame::OnOutputTextFile() {
    const QString path = m_platform.GetSaveFileName(
        this, QString(), QDir::home().filePath(kOutputName), kOutputFilter, kOutputSuffix);
    if (path.isEmpty())
        return;
    const std::string bytes = OutputBytes(*m_pListView, m_pTotalsView->GetText());
    if (!WriteWhole(path, bytes)) {
        m_platform.MessageBox(this, QStringLiteral("Can't write file: ") + path,
                              MessageIcon::Exclamation);
    }
}
