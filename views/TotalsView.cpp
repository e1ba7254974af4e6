#include "TotalsView.h"

#include <QFontDatabase>
#include <QPalette>
#include <QPlainTextEdit>
#include <QStackedLayout>

CTotalsView::CTotalsView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("totalsView"));
    m_pStack = new QStackedLayout(this);
    m_pStack->setContentsMargins(0, 0, 0, 0);

    m_wndText = new QPlainTextEdit(this);
    m_wndText->setObjectName(QStringLiteral("totalsText"));
    m_wndText->setReadOnly(true);
    m_wndText->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The reports line their columns up with tabs and blanks.
    m_wndText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Read-only text on the colour of buttons, as a message area.
    QPalette palette = m_wndText->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    m_wndText->setPalette(palette);
    m_pStack->addWidget(m_wndText);
}

void CTotalsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    OnInitialUpdate();
}

void CTotalsView::OnInitialUpdate() {
    if (m_pList != nullptr) {
        return;
    }
    m_pList = new CListViewEx(LayoutFunctionMetrics, this);
    m_pList->setObjectName(QStringLiteral("totalsList"));
    m_pList->SetGridLinesWanted(m_bGridLines);
    m_pStack->addWidget(m_pList);
    Apply();
}

void CTotalsView::SetText(const QString& text) {
    m_wndText->setPlainText(text);
}

QString CTotalsView::GetText() const {
    return m_wndText->toPlainText();
}

void CTotalsView::Clear() {
    m_wndText->clear();
    if (m_pList != nullptr) {
        m_pList->GetListCtrl().DeleteAllItems();
    }
}

void CTotalsView::SetAsList(bool asList) {
    m_bAsList = asList;
    Apply();
}

void CTotalsView::SetListLayout(ListLayout layout) {
    if (m_pList != nullptr) {
        m_pList->SetupColumns(layout);
        m_pList->RebuildColumns();
    }
}

void CTotalsView::SetGridLinesWanted(bool on) {
    m_bGridLines = on;
    if (m_pList != nullptr) {
        m_pList->SetGridLinesWanted(on);
        m_pList->GetListCtrl().SetGridLines(on);
    }
}

void CTotalsView::Apply() {
    if (m_pList != nullptr) {
        m_pStack->setCurrentWidget(m_bAsList ? static_cast<QWidget*>(m_pList) : m_wndText);
    }
}
