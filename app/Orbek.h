// COrbekApp, the start-up of the program, and CAboutDlg, its about box.
#pragma once

#include <QStringList>
#include <memory>

#include "Dialog.h"

// Makes the program's icons available; safe to call more than once.
void InitOrbekResources();

class CMainFrame;
class COrbekDoc;
class CPlatform;
class QPushButton;

class COrbekApp {
public:
    explicit COrbekApp(CPlatform& platform);
    ~COrbekApp();

    // Creates the document and the main window, takes the project path from
    // `arguments` (the command line after the program name), sets the title
    // and shows the window, maximized when it was maximized at the last exit.
    bool InitInstance(const QStringList& arguments);

    CMainFrame* MainFrame() const { return m_pMainWnd.get(); }

    // The About command: shows the about box modally.
    static void OnAppAbout(CPlatform& platform, QWidget* parent);

private:
    CPlatform& m_platform;
    std::unique_ptr<COrbekDoc> m_pDocument;
    std::unique_ptr<CMainFrame> m_pMainWnd;
};

// The about box: program icon, version, the maker's web page and support
// address with buttons that open them, and OK. Only OK closes it: Escape does
// nothing until OK has been pressed.
class CAboutDlg : public CDialog {
    Q_OBJECT
public:
    CAboutDlg(CPlatform& platform, QWidget* parent);

    void OnOK() override;
    void OnCancel() override;

    bool m_bOk = false; // set by OK

private:
    void OnVisit();
    void OnWrite();
};
