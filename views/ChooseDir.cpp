#include "ChooseDir.h"

#include "Platform.h"

CChooseDir::CChooseDir(CPlatform& platform, QWidget* parent, const QString& initialDir)
    : m_platform(platform), m_pParent(parent), m_strInitialDir(initialDir) {}

int CChooseDir::DoModal() {
    QString chosen =
        m_platform.ChooseDirectory(m_pParent, QStringLiteral("Choose directory"), m_strInitialDir);
    // The caller appends the separator itself; never hand back one at the end
    // (the root directory "/" stays as it is).
    while (chosen.size() > 1 && chosen.endsWith(QLatin1Char('/')))
        chosen.chop(1);
    m_strDir = chosen;
    return m_strDir.isEmpty() ? IDCANCEL : IDOK;
}
