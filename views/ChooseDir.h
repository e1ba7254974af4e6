// CChooseDir: the directory chooser of the source dialog's Browse button. It
// runs the platform's directory picker, which starts at the given directory
// and shows the current path in a "Directory name" field; on OK m_strDir is
// the chosen directory without a final separator.
#pragma once

#include <QString>

class CPlatform;
class QWidget;

class CChooseDir {
public:
    CChooseDir(CPlatform& platform, QWidget* parent, const QString& initialDir);

    // IDOK with m_strDir set, or IDCANCEL with m_strDir empty.
    int DoModal();

    QString m_strDir;

private:
    CPlatform& m_platform;
    QWidget* m_pParent;
    QString m_strInitialDir;
};
