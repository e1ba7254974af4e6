#include "ListViewEx.h"

#include <QHeaderView>
#include <QStandardItemModel>

namespace {

constexpr ColumnDef kFileMetricsColumns[] = {
    {"File name", 100}, {"Lines", 45},  {"Effective", 60}, {"E%", 35},     {"Comment", 65},
    {"C%", 35},         {"Blank", 45},  {"B%", 35},        {"Func.", 45},  {"avg CC", 55},
    {"min CC", 55},     {"max CC", 55}, {"class", 45},     {"struct", 45},
};

constexpr ColumnDef kFunctionMetricsColumns[] = {
    {"Function", 200}, {"Lines", 50}, {"Effective", 65},
    {"Comment", 70},   {"Blank", 55}, {"Cyc.Cmplx", 75},
};

constexpr ColumnDef kTotalsColumns[] = {
    {"Metric", 100}, {"Total", 50}, {"Average", 70}, {"Minumum", 70}, {"Maximum", 70},
};

} // namespace

std::span<const ColumnDef> LayoutColumns(ListLayout layout) {
    switch (layout) {
    case LayoutFunctionMetrics: return kFunctionMetricsColumns;
    case LayoutTotals: return kTotalsColumns;
    case LayoutFileMetrics: break;
    }
    return kFileMetricsColumns;
}

CListViewEx::CListViewEx(ListLayout layout, QWidget* parent)
    : QTreeView(parent), m_nLayout(layout), m_pModel(new QStandardItemModel(this)) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setModel(m_pModel);
    header()->setStretchLastSection(false);
    SetupColumns(layout);
}

void CListViewEx::SetupColumns(ListLayout layout) {
    const std::span<const ColumnDef> columns = LayoutColumns(layout);
    m_pModel->clear();
    m_pModel->setColumnCount(static_cast<int>(columns.size()));
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        m_pModel->setHeaderData(i, Qt::Horizontal, QString::fromLatin1(columns[i].title));
        m_pModel->setHeaderData(i, Qt::Horizontal, int(Qt::AlignLeft | Qt::AlignVCenter),
                                Qt::TextAlignmentRole);
    }
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        setColumnWidth(i, columns[i].width);
    }
}
