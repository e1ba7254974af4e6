// CDlgAddFiles: the source dialog, where the user defines one source of the
// project: a directory searched for files with given extensions (optionally
// with its subdirectories) or a project file whose file list is read. It
// opens empty for Add files and filled in for Edit properties, and remembers
// the last ten extension lists confirmed while adding ("Exts0" to "Exts9").
#pragma once

#include <QString>
#include <array>

#include "Dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CDlgAddFiles : public CDialog {
    Q_OBJECT
public:
    static constexpr int kHistoryCount = 10;
    // The longest extension text taken from the box.
    static constexpr int kMaxExtensions = 254;

    explicit CDlgAddFiles(CPlatform& platform, QWidget* parent = nullptr);

    void OnInitDialog() override;
    void OnOK() override;

    // The two Browse buttons and the two kind buttons, as their clicks do.
    void OnBrowseProject();
    void OnBrowseDirectory();
    void OnFromDirectory();
    void OnFromProject();

    // The history written on first use.
    static const std::array<QString, kHistoryCount>& DefaultHistory();

    // In: which kind is selected at opening; Out: the kind confirmed.
    int m_bFromDirectory = 1;
    // In: Include subdirectories at opening; Out: its state at OK.
    int m_bSubdirectories = 0;
    // In only: adding a new source (true) or editing one (false).
    int m_bAddMode = 0;
    // In: the source path shown; Out: the confirmed path.
    QString m_strPath;
    // In: the extension list shown (empty: the most recent one); Out: the confirmed list.
    QString m_strExtensions;

    // The controls (ids of the original template in the object names' comments).
    QRadioButton* m_wndFromDirectory;  // 1000 "Add source files from directory"
    QRadioButton* m_wndFromProject;    // 1001
    QPushButton* m_wndBrowseDirectory; // 1005
    QPushButton* m_wndBrowseProject;   // 1006
    QComboBox* m_wndExtensions;        // 102, shown and typed in upper case
    QLineEdit* m_wndPath;              // 1004 "Source path:"
    QCheckBox* m_wndSubdirectories;    // 1003 "Include subdirectories"
    QPushButton* m_wndOk;
    QPushButton* m_wndCancel;

    // The remembered extension lists, most recent first.
    std::array<QString, kHistoryCount> m_strHistory;

private:
    void SetKind(bool fromDirectory);
    void FillExtensionList();
    void UpdateHistory(const QString& text);
};
