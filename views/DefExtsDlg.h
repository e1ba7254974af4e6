// The extension definitions dialog: the extension lists treated as C, C++ and
// Visual Basic, and the language of every other file, used by the file metrics
// run when the language follows the file extension. The values live in the
// settings; the dialog reads them when it opens and writes them on OK.
#pragma once

#include "Dialog.h"

class CUpperCaseEdit;
class QComboBox;

class CDefExtsDlg : public CDialog {
    Q_OBJECT
public:
    explicit CDefExtsDlg(CPlatform& platform, QWidget* parent = nullptr);

    // The lists written when the dialog opens and finds all three empty. They
    // differ from the run's on purpose: only the run makes "H" a C++ extension.
    static constexpr const char* kFirstUseC = "C";
    static constexpr const char* kFirstUseCpp = "CPP; HPP";
    static constexpr const char* kFirstUseVb = "BAS; FRM";

    // Writes the first-use lists when all three are empty, then fills the
    // fields and selects the stored default language (-1 counts as 1).
    void OnInitDialog() override;
    // Writes the three fields as they stand and the default language (1 when
    // none is selected), then closes with IDOK.
    void OnOK() override;

    CUpperCaseEdit* CEdit() const { return m_wndC; }
    CUpperCaseEdit* CppEdit() const { return m_wndCpp; }
    CUpperCaseEdit* VbEdit() const { return m_wndVb; }
    QComboBox* DefaultLanguageBox() const { return m_wndDefault; }

private:
    CUpperCaseEdit* m_wndC;
    CUpperCaseEdit* m_wndCpp;
    CUpperCaseEdit* m_wndVb;
    QComboBox* m_wndDefault; // the position of an item is the analyzer's language code
};
