// Base of the program's own modal dialogs. The caller sets the input
// members, calls DoModal() and reads the output members only after IDOK.
#pragma once

#include <QDialog>

class CPlatform;

class CDialog : public QDialog {
    Q_OBJECT
public:
    CDialog(CPlatform& platform, QWidget* parent);

    // Runs the dialog through the platform; IDOK or IDCANCEL.
    int DoModal();

    // Fills the controls from the input members; runs before the dialog shows.
    virtual void OnInitDialog() {}

    // OK: validates and copies the controls into the output members, then
    // closes with IDOK. A dialog that finds a control invalid stays open.
    virtual void OnOK() { done(Accepted); }

    // Cancel (also Escape and the close box): closes with IDCANCEL.
    virtual void OnCancel() { done(Rejected); }

    CPlatform& Platform() { return m_platform; }

protected:
    // Escape and the close box go through OnCancel, so a dialog can refuse them.
    void reject() override { OnCancel(); }

private:
    CPlatform& m_platform;
};
