#include "DefExtsDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ProfileSection.h"
#include "UpperCaseEdit.h"

namespace {

const QString kCExts = QStringLiteral("C_Def_Exts");
const QString kCppExts = QStringLiteral("CPP_Def_Exts");
const QString kVbExts = QStringLiteral("VB_Def_Exts");
const QString kDefaultLanguage = QStringLiteral("Def_Def_Exts");

CUpperCaseEdit* MakeEdit(const char* name, QWidget* parent) {
    auto* edit = new CUpperCaseEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMinimumWidth(180);
    return edit;
}

} // namespace

CDefExtsDlg::CDefExtsDlg(CPlatform& platform, QWidget* parent)
    : CDialog(platform, parent), m_wndC(MakeEdit("cExts", this)),
      m_wndCpp(MakeEdit("cppExts", this)), m_wndVb(MakeEdit("vbExts", this)),
      m_wndDefault(new QComboBox(this)) {
    setObjectName(QStringLiteral("defExtsDlg"));
    setWindowTitle(QStringLiteral("Define file extensions"));
    m_wndDefault->setObjectName(QStringLiteral("defaultLanguage"));
    m_wndDefault->setEditable(false);
    // Positions 0 C++, 1 C, 2 Visual Basic; the box shows its items in upper case.
    m_wndDefault->addItems(
        {QStringLiteral("CPP"), QStringLiteral("C"), QStringLiteral("VISUAL BASIC")});

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("C:"), m_wndC);
    form->addRow(QStringLiteral("C++:"), m_wndCpp);
    form->addRow(QStringLiteral("Visual Basic:"), m_wndVb);
    form->addRow(QStringLiteral("Default language:"), m_wndDefault);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setObjectName(QStringLiteral("ok"));
    cancel->setObjectName(QStringLiteral("cancel"));
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* top = new QHBoxLayout(this);
    top->addLayout(form);
    top->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
}

void CDefExtsDlg::OnInitDialog() {
    const CProfileSection settings(kSettingsSection);
    QString c, cpp, vb;
    settings.GetString(kCExts, c);
    settings.GetString(kCppExts, cpp);
    settings.GetString(kVbExts, vb);
    if (c.isEmpty() && cpp.isEmpty() && vb.isEmpty()) {
        settings.WriteString(kCExts, QString::fromLatin1(kFirstUseC));
        settings.WriteString(kCppExts, QString::fromLatin1(kFirstUseCpp));
        settings.WriteString(kVbExts, QString::fromLatin1(kFirstUseVb));
    }
    // Read back what is stored now, first-use lists included.
    settings.GetString(kCExts, c);
    settings.GetString(kCppExts, cpp);
    settings.GetString(kVbExts, vb);
    m_wndC->setText(c);
    m_wndCpp->setText(cpp);
    m_wndVb->setText(vb);

    int language = 0;
    settings.GetInt(kDefaultLanguage, language);
    if (language == -1)
        language = 1;
    // A stored code outside 0 to 2 leaves the box without a selection.
    m_wndDefault->setCurrentIndex(language >= 0 && language <= 2 ? language : -1);
}

void CDefExtsDlg::OnOK() {
    const CProfileSection settings(kSettingsSection);
    settings.WriteString(kCExts, m_wndC->text());
    settings.WriteString(kCppExts, m_wndCpp->text());
    settings.WriteString(kVbExts, m_wndVb->text());
    const int selected = m_wndDefault->currentIndex();
    settings.WriteInt(kDefaultLanguage, selected < 0 ? 1 : selected);
    CDialog::OnOK();
}
