// CTotalsView: the bottom-right pane of the main window, the program's
// message and report area. It shows either read-only text or its own list
// (the totals of the last run or the functions of one file).
#pragma once

#include <QString>
#include <QWidget>

#include "ListViewEx.h"

class QPlainTextEdit;
class QStackedLayout;

class CTotalsView : public QWidget {
    Q_OBJECT
public:
    explicit CTotalsView(QWidget* parent = nullptr);

    // Creates the list child the first time; running it again keeps the
    // text and the list as they are.
    void OnInitialUpdate();

    void SetText(const QString& text);
    QString GetText() const;
    // Empties the text and the list.
    void Clear();
    // true: the list is shown, false: the text. Applied once the list exists.
    void SetAsList(bool asList);
    void SetListLayout(ListLayout layout);
    CListViewEx* GetList() const { return m_pList; }
    // Grid lines for the list: applied at once when it exists, else when it is created.
    void SetGridLinesWanted(bool on);

    bool m_bAsList = false;
    QPlainTextEdit* m_wndText = nullptr;
    CListViewEx* m_pList = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Apply();

    QStackedLayout* m_pStack = nullptr;
    bool m_bGridLines = false;
};
