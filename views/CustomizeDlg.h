// The column chooser: which columns of the file metrics list are shown, and in
// which order. "File name" always stays first; OK hands the new order to the
// list view, which rebuilds its columns at once. The list view saves the
// order itself when it goes.
#pragma once

#include "Dialog.h"

class CListViewEx;
class QListWidget;
class QPushButton;

class CCustomizeDlg : public CDialog {
    Q_OBJECT
public:
    explicit CCustomizeDlg(CPlatform& platform, QWidget* parent = nullptr);

    // The list view whose columns are edited; set before DoModal(). Not owned.
    CListViewEx* m_pListView = nullptr;

    // Fills "Displayed columns" in display order and "Available columns" with
    // the hidden columns in table order.
    void OnInitDialog() override;
    // Builds the new order from the displayed list, gives it to the list view,
    // rebuilds its columns and closes with IDOK.
    void OnOK() override;

    // The buttons. Each does nothing when its precondition fails.
    void OnAdd();
    void OnRemove();
    void OnMoveUp();
    void OnMoveDown();

    QListWidget* AvailableList() const { return m_wndAvailable; }
    QListWidget* DisplayedList() const { return m_wndDisplayed; }

private:
    QPushButton* m_wndMoveUp;
    QPushButton* m_wndRemove;
    QPushButton* m_wndOK;
    QPushButton* m_wndCancel;
    QPushButton* m_wndMoveDown;
    QPushButton* m_wndAdd;
    QListWidget* m_wndAvailable;
    QListWidget* m_wndDisplayed;
};
