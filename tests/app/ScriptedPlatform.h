// A stand-in for every modal interaction of the program. A test scripts the
// answers in the order the program will ask; the double records everything
// it was shown, answers from the script, and fails the test when the program
// asks something unscripted or when an answer is left unused at the end.
#pragma once

#include "Platform.h"

#include <QString>
#include <QUrl>
#include <deque>
#include <functional>
#include <vector>

class CScriptedPlatform : public CPlatform {
public:
    enum class Kind { Message, OpenFile, SaveFile, Directory, Dialog, Url };

    // One interaction as the program showed it.
    struct Shown {
        Kind kind;
        QString text; // message text, dialog title, or the dialog's objectName
        MessageIcon icon = MessageIcon::Information;
        MessageButtons buttons = MessageButtons::Ok;
        QString directory; // starting directory or proposed file name
        QString filter;
        QString suffix;
        QUrl url;
    };

    CScriptedPlatform() = default;
    CScriptedPlatform(const CScriptedPlatform&) = delete;
    CScriptedPlatform& operator=(const CScriptedPlatform&) = delete;
    // Fails the running test for every answer still in the script.
    ~CScriptedPlatform() override;

    // The script, in the order the program will ask.
    void AnswerMessage(int answer);
    void AnswerOpenFile(const QString& path);  // empty: Cancel
    void AnswerSaveFile(const QString& path);  // empty: Cancel
    void AnswerDirectory(const QString& path); // empty: Cancel
    // The function plays the user: it may work the dialog's controls and
    // returns IDOK or IDCANCEL.
    void AnswerDialog(std::function<int(CDialog&)> user);
    void AnswerUrl(bool opened);

    const std::vector<Shown>& shown() const { return m_shown; }
    size_t Unused() const { return m_script.size(); }

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

private:
    struct Answer {
        Kind kind;
        int result = 0;
        QString path;
        std::function<int(CDialog&)> user;
    };

    // The next answer when it is of `kind`; otherwise fails the test and
    // returns null (the program then gets Cancel, an empty path or false).
    const Answer* Next(Kind kind, const QString& what);

    std::deque<Answer> m_script;
    Answer m_current;
    std::vector<Shown> m_shown;
};

const char* KindName(CScriptedPlatform::Kind kind);
