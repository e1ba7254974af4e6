// Every modal interaction of the program goes through CPlatform: message
// boxes, file dialogs, the directory chooser, the program's own dialogs and
// handing a file or URL to the desktop. The program gets one CQtPlatform;
// tests hand the windows a scripted double instead, so nothing waits for a
// person.
#pragma once

#include <QString>
#include <QUrl>

class QWidget;
class CDialog;

// Results of message boxes and dialogs, with the values the program has
// always compared against.
enum DialogResult : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDYES = 6,
    IDNO = 7,
};

enum class MessageIcon {
    Exclamation, // failures: a warning sign
    Information, // e.g. a search that found nothing
    Question,    // yes/no questions
};

enum class MessageButtons {
    Ok,
    YesNo,
    YesNoCancel,
    OkCancel,
};

// The caption of every message box.
inline constexpr const char* kMessageCaption = "Kestrum";

class CPlatform {
public:
    virtual ~CPlatform() = default;

    // A modal message box captioned "Kestrum"; returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int MessageBox(QWidget* parent, const QString& text, MessageIcon icon,
                           MessageButtons buttons = MessageButtons::Ok) = 0;

    // A file open dialog starting in `directory` with a Qt filter such as
    // "Kestrum Project (*.qvd);;All Files (*)". Returns the chosen path, or an
    // empty string on Cancel.
    virtual QString GetOpenFileName(QWidget* parent, const QString& title, const QString& directory,
                                    const QString& filter) = 0;

    // A file save dialog proposing `fileName` (a name or a full path); the
    // extension `defaultSuffix` (without dot) is added to a name typed without
    // one. Returns the chosen path, or an empty string on Cancel.
    virtual QString GetSaveFileName(QWidget* parent, const QString& title, const QString& fileName,
                                    const QString& filter, const QString& defaultSuffix) = 0;

    // A directory chooser starting at `directory`; returns the chosen directory
    // without a final '/', or an empty string on Cancel.
    virtual QString ChooseDirectory(QWidget* parent, const QString& title,
                                    const QString& directory) = 0;

    // Runs one of the program's own dialogs modally: its OnInitDialog first,
    // then the user. Returns IDOK or IDCANCEL.
    virtual int DoModal(CDialog& dialog) = 0;

    // Hands a file (file:// URL), web page or mailto: link to the desktop.
    // Returns false when nothing could open it.
    virtual bool OpenUrl(const QUrl& url) = 0;
};

// The real thing: Qt's dialogs and QDesktopServices.
class CQtPlatform : public CPlatform {
public:
    int MessageBox(QWidget* parent, const QString& text, MessageIcon icon,
                   MessageButtons buttons) override;
    QString GetOpenFileName(QWidget* parent, const QString& title, const QString& directory,
                            const QString& filter) override;
    QString GetSaveFileName(QWidget* parent, const QString& title, const QString& fileName,
                            const QString& filter, const QString& defaultSuffix) override;
    QString ChooseDirectory(QWidget* parent, const QString& title,
                            const QString& directory) override;
    int DoModal(CDialog& dialog) override;
    bool OpenUrl(const QUrl& url) override;
};
