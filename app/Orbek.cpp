#include "Orbek.h"

#include "MainFrm.h"
#include "OrbekDoc.h"
#include "Platform.h"
#include "ProfileSection.h"
#include "Resource.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace {

const QString kWebUrl = QStringLiteral(KESTRUM_WEB_URL);
const QString kSupportMail = QStringLiteral(KESTRUM_SUPPORT_MAIL);

} // namespace

void InitOrbekResources() {
    // The resources are linked from a static library, so they are registered
    // by hand rather than by a static initializer the linker may drop.
    static const bool done = [] {
        Q_INIT_RESOURCE(orbek);
        return true;
    }();
    static_cast<void>(done);
}

COrbekApp::COrbekApp(CPlatform& platform) : m_platform(platform) {}

COrbekApp::~COrbekApp() = default;

bool COrbekApp::InitInstance(const QStringList& arguments) {
    // The settings live under the maker's name and the program's title.
    QCoreApplication::setOrganizationName(QStringLiteral("Brevant"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrum"));

    m_pDocument = std::make_unique<COrbekDoc>();
    m_pDocument->OnNewDocument();

    // The command line's text after the program name is one path: the shell
    // split a path with blanks into several arguments, so join them again.
    m_pMainWnd = std::make_unique<CMainFrame>(m_platform);
    if (!m_pMainWnd->Create(arguments.join(QLatin1Char(' ')))) {
        return false;
    }

    QRect unused;
    const int maximized = CProfileSection(kSettingsSection).LoadWindowPos(unused);
    if (m_pMainWnd->m_strProjectPath.isEmpty()) {
        m_pMainWnd->setWindowTitle(QStringLiteral("Untitled - Kestrum"));
    }
    if (maximized != 0) {
        m_pMainWnd->showMaximized();
    } else {
        m_pMainWnd->show();
    }
    return true;
}

void COrbekApp::OnAppAbout(CPlatform& platform, QWidget* parent) {
    CAboutDlg about(platform, parent);
    about.DoModal();
}

CAboutDlg::CAboutDlg(CPlatform& platform, QWidget* parent) : CDialog(platform, parent) {
    InitOrbekResources();
    setObjectName(QStringLiteral("aboutDialog"));
    // A pop-up without a title bar, framed by its own border.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("About Kestrum"));

    QFrame* border = new QFrame(this);
    border->setFrameStyle(QFrame::Panel | QFrame::Raised);
    border->setLineWidth(2);
    QGridLayout* outer = new QGridLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(border);

    QGridLayout* grid = new QGridLayout(border);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(10);

    QLabel* icon = new QLabel(border);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(QIcon(QStringLiteral(":/icons/orbek.svg")).pixmap(32, 32));
    grid->addWidget(icon, 0, 0, Qt::AlignTop | Qt::AlignHCenter);

    QLabel* version = new QLabel(QStringLiteral("Kestrum version 1.01"), border);
    version->setObjectName(QStringLiteral("aboutVersion"));
    version->setAlignment(Qt::AlignCenter);
    version->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    version->setMinimumSize(216, 32);
    grid->addWidget(version, 0, 1);

    QPushButton* ok = new QPushButton(QStringLiteral("OK"), border);
    ok->setObjectName(QStringLiteral("aboutOk"));
    ok->setDefault(true);
    ok->setMinimumWidth(75);
    grid->addWidget(ok, 0, 2, Qt::AlignTop);
    connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });

    grid->setRowMinimumHeight(1, 18);

    QPushButton* visit = new QPushButton(QStringLiteral("Visit..."), border);
    visit->setObjectName(QStringLiteral("aboutVisit"));
    visit->setFlat(true);
    visit->setAutoDefault(false);
    grid->addWidget(visit, 2, 0);
    connect(visit, &QPushButton::clicked, this, [this] { OnVisit(); });
    QLabel* www = new QLabel(QStringLiteral("WWW: ") + kWebUrl, border);
    www->setObjectName(QStringLiteral("aboutWww"));
    grid->addWidget(www, 2, 1, 1, 2);

    QPushButton* write = new QPushButton(QStringLiteral("Write..."), border);
    write->setObjectName(QStringLiteral("aboutWrite"));
    write->setFlat(true);
    write->setAutoDefault(false);
    grid->addWidget(write, 3, 0);
    connect(write, &QPushButton::clicked, this, [this] { OnWrite(); });
    QLabel* mail = new QLabel(QStringLiteral("E-MAIL: ") + kSupportMail, border);
    mail->setObjectName(QStringLiteral("aboutMail"));
    grid->addWidget(mail, 3, 1, 1, 2);

    grid->setColumnStretch(1, 1);
    setFixedSize(sizeHint().expandedTo(QSize(420, 0)));
}

void CAboutDlg::OnOK() {
    m_bOk = true;
    CDialog::OnOK();
}

void CAboutDlg::OnCancel() {
    // Escape closes the box only after OK, so in practice only OK closes it.
    if (m_bOk) {
        CDialog::OnCancel();
    }
}

void CAboutDlg::OnVisit() {
    Platform().OpenUrl(QUrl(kWebUrl));
}

void CAboutDlg::OnWrite() {
    Platform().OpenUrl(QUrl(QStringLiteral("mailto:") + kSupportMail));
}
