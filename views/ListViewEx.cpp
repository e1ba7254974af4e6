#include "ListViewEx.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QMouseEvent>
#include <QSettings>

#include <algorithm>
#include <numeric>

#include "tarnel.h"

namespace {

QString readVisibleColumns() {
    QSettings settings("Brevant", "Kestrum");
    settings.beginGroup("Settings");
    return settings.value("VisibleColumns").toString();
}

void writeVisibleColumns(const QString& value) {
    QSettings settings("Brevant", "Kestrum");
    settings.beginGroup("Settings");
    settings.setValue("VisibleColumns", value);
}

} // namespace

// ---- CListCtrl --------------------------------------------------------------

CListCtrl::CListCtrl(CListViewEx* view) : QAbstractTableModel(view), m_view(view) {}

void CListCtrl::DeleteAllItems() {
    if (m_rows.empty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

int CListCtrl::DeleteItemsWithData(const std::unordered_set<const void*>& data) {
    const auto goes = [&data](const Row& row) {
        return row.data != nullptr && data.count(row.data) != 0;
    };
    const int deleted = static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), goes));
    if (deleted == 0)
        return 0;
    // One pass over the rows, however many go.
    beginResetModel();
    std::erase_if(m_rows, goes);
    endResetModel();
    return deleted;
}

int CListCtrl::InsertItem(int index, const QString& text, void* data) {
    const int count = GetItemCount();
    if (index < 0 || index > count)
        index = count;
    beginInsertRows(QModelIndex(), index, index);
    Row row;
    row.cells.resize(std::max<std::size_t>(m_titles.size(), 1));
    row.cells[0] = text;
    row.data = data;
    m_rows.insert(m_rows.begin() + index, std::move(row));
    endInsertRows();
    return index;
}

int CListCtrl::InsertRow(int index, std::vector<QString> cells, void* data) {
    const int count = GetItemCount();
    if (index < 0 || index > count)
        index = count;
    if (cells.size() < std::max<std::size_t>(m_titles.size(), 1))
        cells.resize(std::max<std::size_t>(m_titles.size(), 1));
    beginInsertRows(QModelIndex(), index, index);
    m_rows.insert(m_rows.begin() + index, Row{std::move(cells), data});
    endInsertRows();
    return index;
}

void CListCtrl::AppendRows(std::vector<Row>&& rows) {
    if (rows.empty())
        return;
    const int first = GetItemCount();
    const std::size_t width = std::max<std::size_t>(m_titles.size(), 1);
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(rows.size()) - 1);
    m_rows.reserve(m_rows.size() + rows.size());
    for (Row& row : rows) {
        if (row.cells.size() < width)
            row.cells.resize(width);
        m_rows.push_back(std::move(row));
    }
    endInsertRows();
    rows.clear();
}

bool CListCtrl::SetItemText(int row, int subItem, const QString& text) {
    if (row < 0 || row >= GetItemCount() || subItem < 0)
        return false;
    auto& cells = m_rows[row].cells;
    if (static_cast<std::size_t>(subItem) >= cells.size())
        cells.resize(subItem + 1);
    cells[subItem] = text;
    const QModelIndex at = index(row, subItem);
    if (at.isValid())
        Q_EMIT dataChanged(at, at, {Qt::DisplayRole});
    return true;
}

QString CListCtrl::GetItemText(int row, int subItem) const {
    if (row < 0 || row >= GetItemCount() || subItem < 0)
        return {};
    const auto& cells = m_rows[row].cells;
    return static_cast<std::size_t>(subItem) < cells.size() ? cells[subItem] : QString();
}

bool CListCtrl::SetItemData(int row, void* data) {
    if (row < 0 || row >= GetItemCount())
        return false;
    m_rows[row].data = data;
    return true;
}

void* CListCtrl::GetItemData(int row) const {
    if (row < 0 || row >= GetItemCount())
        return nullptr;
    return m_rows[row].data;
}

int CListCtrl::GetFirstSelectedItem() const {
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    int first = -1;
    for (const QModelIndex& at : rows) {
        if (first < 0 || at.row() < first)
            first = at.row();
    }
    return first;
}

void CListCtrl::SelectItem(int row) {
    if (row < 0 || row >= GetItemCount()) {
        m_view->clearSelection();
        return;
    }
    m_view->selectRow(row);
}

void CListCtrl::SetGridLines(bool on) {
    m_view->setShowGrid(on);
}

bool CListCtrl::HasGridLines() const {
    return m_view->showGrid();
}

int CListCtrl::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : GetItemCount();
}

int CListCtrl::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_titles.size());
}

QVariant CListCtrl::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= GetItemCount())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return GetItemText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant CListCtrl::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return HeaderTitle(section);
}

void CListCtrl::SetColumns(const std::vector<QString>& titles) {
    beginResetModel();
    m_titles = titles;
    endResetModel();
}

QString CListCtrl::HeaderTitle(int section) const {
    if (section < 0 || static_cast<std::size_t>(section) >= m_titles.size())
        return {};
    return m_titles[section];
}

void CListCtrl::SetHeaderTitle(int section, const QString& title) {
    if (section < 0 || static_cast<std::size_t>(section) >= m_titles.size())
        return;
    m_titles[section] = title;
    Q_EMIT headerDataChanged(Qt::Horizontal, section, section);
}

void CListCtrl::Permute(const std::vector<int>& order) {
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newPlace(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        newPlace[order[i]] = static_cast<int>(i);
    std::vector<Row> sorted;
    sorted.reserve(m_rows.size());
    for (int from : order)
        sorted.push_back(std::move(m_rows[from]));
    m_rows = std::move(sorted);
    // Keep the selection and any other persistent index on its row.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& at : before)
        after.append(index(newPlace[at.row()], at.column()));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

// ---- CListViewEx ------------------------------------------------------------

CListViewEx::CListViewEx(ListLayout layout, QWidget* parent)
    : QTableView(parent), m_list(new CListCtrl(this)) {
    m_nLayout = layout;
    setObjectName(layout == LayoutFileMetrics ? "metricsList" : "totalsList");
    setModel(m_list);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setShowGrid(false);
    setCornerButtonEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    verticalHeader()->setVisible(false);
    // Fixed row heights keep insertion and scrolling cheap with 100,000 rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionsClickable(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CListViewEx::OnHeaderClicked);
    SetupColumns(layout);
}

CListViewEx::~CListViewEx() {
    if (m_nLayout == LayoutFileMetrics)
        writeVisibleColumns(OrderString());
}

void CListViewEx::SetupColumns(ListLayout layout) {
    if (layout == LayoutFileMetrics) {
        m_pColumns = kestrum::kFileColumns.data();
        m_nColumns = kestrum::kFileColumnCount;
        const kestrum::ColumnOrder order =
            kestrum::columnOrderFromSetting(readVisibleColumns().toStdString());
        m_pOrder.assign(order.begin(), order.end());
        return;
    }
    if (layout == LayoutFunctionMetrics) {
        m_pColumns = kestrum::kFunctionColumns.data();
        m_nColumns = kestrum::kFunctionColumnCount;
    } else {
        m_pColumns = kestrum::kTotalsColumns.data();
        m_nColumns = kestrum::kTotalsColumnCount;
    }
    m_pOrder.resize(m_nColumns);
    std::iota(m_pOrder.begin(), m_pOrder.end(), 0);
}

void CListViewEx::RebuildColumns() {
    m_list->SetGridLines(m_bGridLinesWanted);
    std::vector<QString> titles(m_nColumns);
    for (int i = 0; i < m_nColumns; ++i) {
        if (m_pOrder[i] >= 0)
            titles[i] = QString::fromUtf8(m_pColumns[m_pOrder[i]].title);
    }
    m_list->SetColumns(titles);
    for (int i = 0; i < m_nColumns; ++i) {
        const bool shown = m_pOrder[i] >= 0;
        setColumnHidden(i, !shown);
        if (shown) {
            // The widths were chosen for a small dialog font; never clip the title.
            const int titleWidth =
                horizontalHeader()->fontMetrics().horizontalAdvance(titles[i] + u'+') + 16;
            setColumnWidth(i, std::max(m_pColumns[m_pOrder[i]].width, titleWidth));
        }
    }
    m_bRebuildColumns = 0;
}

void CListViewEx::SetColumnOrder(const signed char* order) {
    std::copy(order, order + m_nColumns, m_pOrder.begin());
}

QString CListViewEx::OrderString() const {
    kestrum::ColumnOrder order;
    order.fill(-1);
    std::copy_n(m_pOrder.begin(), std::min<int>(m_nColumns, order.size()), order.begin());
    return QString::fromStdString(kestrum::columnOrderSetting(order));
}

long long CListViewEx::LeadingInteger(const QString& text) {
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        if (value < (1LL << 60))
            value = value * 10 + (text[i].unicode() - '0');
        ++i;
    }
    return negative ? -value : value;
}

int CListViewEx::CompareRows(const QString& key1, const QString& key2, int flags) {
    const int sign = (flags & CompareDescending) ? -1 : 1;
    if (flags & CompareNumeric) {
        const long long a = LeadingInteger(key1);
        const long long b = LeadingInteger(key2);
        return (a < b ? -1 : (a > b ? 1 : 0)) * sign;
    }
    const int c = QString::compare(key1.toLower(), key2.toLower(), Qt::CaseSensitive);
    return (c < 0 ? -1 : (c > 0 ? 1 : 0)) * sign;
}

void CListViewEx::SortByPosition(int p) {
    const int count = m_list->GetItemCount();
    if (count == 0 || p < 0 || p >= m_nColumns)
        return;
    int flags = p == 0 ? CompareText : CompareNumeric;
    if (p == m_nSortColumn)
        m_bDescending = !m_bDescending;
    if (m_bDescending)
        flags |= CompareDescending;
    m_nSortColumn = p;

    // Each row's key is computed once: its lower-case text or its leading integer.
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    const int sign = m_bDescending ? -1 : 1;
    if (flags & CompareNumeric) {
        std::vector<long long> keys(count);
        for (int r = 0; r < count; ++r)
            keys[r] = LeadingInteger(m_list->GetItemText(r, p));
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return sign > 0 ? keys[a] < keys[b] : keys[a] > keys[b];
        });
    } else {
        std::vector<QString> keys(count);
        for (int r = 0; r < count; ++r)
            keys[r] = m_list->GetItemText(r, p).toLower();
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const int c = QString::compare(keys[a], keys[b], Qt::CaseSensitive);
            return sign > 0 ? c < 0 : c > 0;
        });
    }
    m_list->Permute(order);

    // Mark the sorted column with "+" (ascending) or "-" (descending).
    for (int i = 0; i < m_nColumns; ++i) {
        QString title = m_list->HeaderTitle(i).left(49);
        if (title.endsWith('-') || title.endsWith('+'))
            title.chop(1);
        if (i == p)
            title += m_bDescending ? '-' : '+';
        m_list->SetHeaderTitle(i, title);
    }
}

void CListViewEx::OnHeaderClicked(int section) {
    // Only the left button sorts.
    if (QApplication::mouseButtons() & Qt::RightButton)
        return;
    SortByPosition(section);
}

void CListViewEx::paintEvent(QPaintEvent* event) {
    if (m_bRebuildColumns)
        RebuildColumns();
    QTableView::paintEvent(event);
}

void CListViewEx::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = m_list->GetFirstSelectedItem();
    if (row < 0)
        return;
    if (auto* record = static_cast<FileRecord*>(m_list->GetItemData(row)); record && record->path)
        Q_EMIT openFileRequested(QFile::decodeName(record->path));
    QTableView::mouseDoubleClickEvent(event);
}
