#include "CustomizeDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

#include "ListViewEx.h"

namespace {

// The selected position of a single-selection list box, or -1.
int SelectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.constFirst());
}

QPushButton* MakeButton(const char* text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QListWidget* MakeList(const char* name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSortingEnabled(false);
    return list;
}

} // namespace

CCustomizeDlg::CCustomizeDlg(CPlatform& platform, QWidget* parent)
    : CDialog(platform, parent), m_wndMoveUp(MakeButton("Move Up", "moveUp", this)),
      m_wndRemove(MakeButton("<< Remove ", "remove", this)), m_wndOK(MakeButton("OK", "ok", this)),
      m_wndCancel(MakeButton("Cancel", "cancel", this)),
      m_wndMoveDown(MakeButton("Move Down", "moveDown", this)),
      m_wndAdd(MakeButton("Add >>", "add", this)), m_wndAvailable(MakeList("available", this)),
      m_wndDisplayed(MakeList("displayed", this)) {
    setObjectName(QStringLiteral("customizeDlg"));
    setWindowTitle(QStringLiteral("Columns"));
    m_wndOK->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Available columns"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Displayed columns"), this), 0, 2, 1, 2);
    grid->addWidget(m_wndAvailable, 1, 0, 2, 1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(m_wndAdd);
    middle->addWidget(m_wndRemove);
    middle->addStretch();
    grid->addLayout(middle, 1, 1);
    grid->addWidget(m_wndDisplayed, 1, 2, 1, 2);
    grid->addWidget(m_wndMoveUp, 2, 2);
    grid->addWidget(m_wndMoveDown, 2, 3);
    auto* right = new QVBoxLayout;
    right->addWidget(m_wndOK);
    right->addWidget(m_wndCancel);
    right->addStretch();
    grid->addLayout(right, 1, 4, 2, 1);

    connect(m_wndAdd, &QPushButton::clicked, this, [this] { OnAdd(); });
    connect(m_wndRemove, &QPushButton::clicked, this, [this] { OnRemove(); });
    connect(m_wndMoveUp, &QPushButton::clicked, this, [this] { OnMoveUp(); });
    connect(m_wndMoveDown, &QPushButton::clicked, this, [this] { OnMoveDown(); });
    connect(m_wndOK, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_wndCancel, &QPushButton::clicked, this, [this] { OnCancel(); });
}

void CCustomizeDlg::OnInitDialog() {
    m_wndAvailable->clear();
    m_wndDisplayed->clear();
    if (m_pListView == nullptr)
        return;
    const signed char* order = m_pListView->GetColumnOrder();
    const ColumnDef* columns = m_pListView->GetColumnDefs();
    const int n = m_pListView->GetColumnCount();
    for (int i = 0; i < n; ++i) {
        if (order[i] >= 0 && order[i] < n)
            m_wndDisplayed->addItem(QString::fromLatin1(columns[order[i]].title));
        bool shown = false;
        for (int k = 0; k < n && !shown; ++k)
            shown = order[k] == i;
        if (!shown)
            m_wndAvailable->addItem(QString::fromLatin1(columns[i].title));
    }
}

void CCustomizeDlg::OnAdd() {
    const int s = SelectedRow(m_wndAvailable);
    if (s >= 0) {
        m_wndDisplayed->addItem(m_wndAvailable->item(s)->text());
        delete m_wndAvailable->takeItem(s);
    }
    m_wndAvailable->clearSelection();
    m_wndDisplayed->clearSelection();
}

void CCustomizeDlg::OnRemove() {
    // "File name" (position 0) always stays.
    const int s = SelectedRow(m_wndDisplayed);
    if (s <= 0 || m_wndDisplayed->count() < 2)
        return;
    m_wndAvailable->addItem(m_wndDisplayed->item(s)->text());
    delete m_wndDisplayed->takeItem(s);
    m_wndDisplayed->clearSelection();
}

void CCustomizeDlg::OnMoveUp() {
    // Nothing moves onto or above "File name".
    const int s = SelectedRow(m_wndDisplayed);
    if (s < 2)
        return;
    QListWidgetItem* item = m_wndDisplayed->takeItem(s);
    m_wndDisplayed->insertItem(s - 1, item);
    m_wndDisplayed->setFocus();
    m_wndDisplayed->setCurrentRow(s - 1);
}

void CCustomizeDlg::OnMoveDown() {
    const int s = SelectedRow(m_wndDisplayed);
    if (s <= 0 || s >= m_wndDisplayed->count() - 1)
        return;
    QListWidgetItem* item = m_wndDisplayed->takeItem(s);
    m_wndDisplayed->insertItem(s + 1, item);
    m_wndDisplayed->setFocus();
    m_wndDisplayed->setCurrentRow(s + 1);
}

void CCustomizeDlg::OnOK() {
    if (m_pListView != nullptr) {
        const ColumnDef* columns = m_pListView->GetColumnDefs();
        const int n = m_pListView->GetColumnCount();
        std::vector<signed char> order(n, -1);
        for (int i = 0; i < n && i < m_wndDisplayed->count(); ++i) {
            const QString title = m_wndDisplayed->item(i)->text();
            for (int c = 0; c < n; ++c) {
                if (title == QLatin1String(columns[c].title)) {
                    order[i] = static_cast<signed char>(c);
                    break;
                }
            }
        }
        m_pListView->SetColumnOrder(order.data());
        m_pListView->RebuildColumns();
    }
    CDialog::OnOK();
}
