#include "DlgAddFiles.h"

#include "ChooseDir.h"
#include "Platform.h"
#include "ProfileSection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>

namespace {

const QString kHistoryBase = QStringLiteral("Exts0");

// Makes the extension box show and take its text in upper case, whether
// typed, pasted or put there by the program.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
    void fixup(QString& input) const override { input = input.toUpper(); }
};

} // namespace

CDlgAddFiles::CDlgAddFiles(CPlatform& platform, QWidget* parent) : CDialog(platform, parent) {
    setObjectName(QStringLiteral("addFilesDialog"));
    setWindowTitle(QStringLiteral("Add source files to project"));

    auto* grid = new QGridLayout(this);

    m_wndFromDirectory = new QRadioButton(QStringLiteral("Add source files from directory"), this);
    m_wndFromDirectory->setObjectName(QStringLiteral("fromDirectory"));
    grid->addWidget(m_wndFromDirectory, 0, 0, 1, 2);
    m_wndBrowseDirectory = new QPushButton(QStringLiteral("Browse..."), this);
    m_wndBrowseDirectory->setObjectName(QStringLiteral("browseDirectory"));
    m_wndBrowseDirectory->setAutoDefault(false);
    grid->addWidget(m_wndBrowseDirectory, 0, 2);

    m_wndFromProject =
        new QRadioButton(QStringLiteral("Add source files from DEVStudio project [*.dsp]"), this);
    m_wndFromProject->setObjectName(QStringLiteral("fromProject"));
    grid->addWidget(m_wndFromProject, 1, 0, 1, 2);
    m_wndBrowseProject = new QPushButton(QStringLiteral("Browse..."), this);
    m_wndBrowseProject->setObjectName(QStringLiteral("browseProject"));
    m_wndBrowseProject->setAutoDefault(false);
    m_wndBrowseProject->setEnabled(false);
    grid->addWidget(m_wndBrowseProject, 1, 2);

    grid->addWidget(new QLabel(QStringLiteral("File extensions:"), this), 2, 0);
    m_wndExtensions = new QComboBox(this);
    m_wndExtensions->setObjectName(QStringLiteral("extensions"));
    m_wndExtensions->setEditable(true);
    m_wndExtensions->setInsertPolicy(QComboBox::NoInsert);
    m_wndExtensions->setValidator(new UpperCaseValidator(m_wndExtensions));
    m_wndExtensions->setMinimumWidth(280);
    grid->addWidget(m_wndExtensions, 2, 1, 1, 2);

    grid->addWidget(new QLabel(QStringLiteral("Source path:"), this), 3, 0);
    m_wndPath = new QLineEdit(this);
    m_wndPath->setObjectName(QStringLiteral("sourcePath"));
    grid->addWidget(m_wndPath, 3, 1, 1, 2);

    m_wndSubdirectories = new QCheckBox(QStringLiteral("Include subdirectories"), this);
    m_wndSubdirectories->setObjectName(QStringLiteral("subdirectories"));
    grid->addWidget(m_wndSubdirectories, 4, 0, 1, 2);

    m_wndOk = new QPushButton(QStringLiteral("OK"), this);
    m_wndOk->setObjectName(QStringLiteral("ok"));
    m_wndOk->setDefault(true);
    grid->addWidget(m_wndOk, 0, 3);
    m_wndCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_wndCancel->setObjectName(QStringLiteral("cancel"));
    m_wndCancel->setAutoDefault(false);
    grid->addWidget(m_wndCancel, 1, 3);
    grid->setRowStretch(5, 1);

    connect(m_wndFromDirectory, &QRadioButton::clicked, this, [this] { OnFromDirectory(); });
    connect(m_wndFromProject, &QRadioButton::clicked, this, [this] { OnFromProject(); });
    connect(m_wndBrowseDirectory, &QPushButton::clicked, this, [this] { OnBrowseDirectory(); });
    connect(m_wndBrowseProject, &QPushButton::clicked, this, [this] { OnBrowseProject(); });
    connect(m_wndOk, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_wndCancel, &QPushButton::clicked, this, [this] { OnCancel(); });
}

const std::array<QString, CDlgAddFiles::kHistoryCount>& CDlgAddFiles::DefaultHistory() {
    static const std::array<QString, kHistoryCount> history = {
        QStringLiteral("H;C;CPP"),
        QStringLiteral("HPP;CPP"),
        QStringLiteral("H;C;CPP;HPP"),
        QStringLiteral("BAS;FRM"),
    };
    return history;
}

void CDlgAddFiles::OnInitDialog() {
    CDialog::OnInitDialog();
    m_wndPath->clear();
    if (!m_bAddMode)
        setWindowTitle(QStringLiteral("Edit search properties"));

    // Only the kind's own controls change; the others keep their state.
    if (m_bFromDirectory) {
        m_wndFromDirectory->setChecked(true);
    } else {
        m_wndFromProject->setChecked(true);
        m_wndSubdirectories->setEnabled(false);
        m_wndBrowseDirectory->setEnabled(false);
        m_wndBrowseProject->setEnabled(true);
    }
    if (m_bSubdirectories)
        m_wndSubdirectories->setChecked(true);

    CProfileSection profile(kSettingsSection);
    profile.GetStringList(m_strHistory, kHistoryBase);
    if (m_strHistory[0].isEmpty()) {
        profile.WriteStringList(DefaultHistory(), kHistoryBase);
        profile.GetStringList(m_strHistory, kHistoryBase);
    }
    // The list shows the non-empty entries in order; keep them together at
    // the front, so that a position in the list is a position in the history.
    std::array<QString, kHistoryCount> packed;
    int n = 0;
    for (const QString& entry : m_strHistory) {
        if (!entry.isEmpty())
            packed[n++] = entry;
    }
    m_strHistory = packed;
    FillExtensionList();

    if (!m_strPath.isEmpty())
        m_wndPath->setText(m_strPath);
    if (!m_strExtensions.isEmpty())
        m_wndExtensions->setEditText(m_strExtensions.toUpper());
    else if (m_wndExtensions->count() > 0)
        m_wndExtensions->setCurrentIndex(0);
}

void CDlgAddFiles::FillExtensionList() {
    m_wndExtensions->clear();
    for (const QString& entry : m_strHistory) {
        if (!entry.isEmpty())
            m_wndExtensions->addItem(entry.toUpper());
    }
}

void CDlgAddFiles::SetKind(bool fromDirectory) {
    m_wndSubdirectories->setEnabled(fromDirectory);
    m_wndBrowseDirectory->setEnabled(fromDirectory);
    m_wndBrowseProject->setEnabled(!fromDirectory);
}

void CDlgAddFiles::OnFromDirectory() {
    SetKind(true);
}

void CDlgAddFiles::OnFromProject() {
    SetKind(false);
}

void CDlgAddFiles::OnBrowseProject() {
    const QString path = Platform().GetOpenFileName(
        this, QStringLiteral("Open"), QDir::homePath() + QStringLiteral("/Project"),
        QStringLiteral("Dveloper Studio Project (*.dsp);;All Files (*)"));
    if (!path.isEmpty())
        m_wndPath->setText(path);
}

void CDlgAddFiles::OnBrowseDirectory() {
    CChooseDir chooser(Platform(), this, QDir::homePath());
    if (chooser.DoModal() != IDOK)
        return;
    QString dir = chooser.m_strDir;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    m_wndPath->setText(dir);
    update();
}

void CDlgAddFiles::OnOK() {
    const QString extensions = m_wndExtensions->currentText().left(kMaxExtensions);
    const QString path = m_wndPath->text();
    if (extensions.isEmpty()) {
        Platform().MessageBox(this, QStringLiteral("Please enter source files extensions."),
                              MessageIcon::Exclamation);
        return;
    }
    if (path.isEmpty()) {
        Platform().MessageBox(this, QStringLiteral("Please enter source path."),
                              MessageIcon::Exclamation);
        return;
    }
    m_strExtensions = extensions;
    m_strPath = path;
    // The directory Browse button is enabled exactly while the directory kind
    // is the one chosen last.
    m_bFromDirectory = m_wndBrowseDirectory->isEnabled() ? 1 : 0;
    m_bSubdirectories = m_wndSubdirectories->isChecked() ? 1 : 0;
    if (m_bAddMode) {
        UpdateHistory(extensions);
        CProfileSection(kSettingsSection).WriteStringList(m_strHistory, kHistoryBase);
    }
    CDialog::OnOK();
}

void CDlgAddFiles::UpdateHistory(const QString& text) {
    int k = kHistoryCount - 1;
    for (int i = 0; i < m_wndExtensions->count(); ++i) {
        if (QString::compare(m_wndExtensions->itemText(i), text, Qt::CaseInsensitive) == 0) {
            k = i;
            break;
        }
    }
    for (int i = k; i > 0; --i)
        m_strHistory[i] = m_strHistory[i - 1];
    m_strHistory[0] = text;
    FillExtensionList();
    m_wndExtensions->setEditText(text);
}
