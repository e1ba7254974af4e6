#include "ScriptedPlatform.h"

#include "Dialog.h"

#include <gtest/gtest.h>

const char* KindName(CScriptedPlatform::Kind kind) {
    switch (kind) {
    case CScriptedPlatform::Kind::Message: return "message box";
    case CScriptedPlatform::Kind::OpenFile: return "open file dialog";
    case CScriptedPlatform::Kind::SaveFile: return "save file dialog";
    case CScriptedPlatform::Kind::Directory: return "directory chooser";
    case CScriptedPlatform::Kind::Dialog: return "dialog";
    case CScriptedPlatform::Kind::Url: return "URL opening";
    }
    return "?";
}

CScriptedPlatform::~CScriptedPlatform() {
    for (const Answer& answer : m_script) {
        ADD_FAILURE() << "scripted answer for a " << KindName(answer.kind) << " was left unused";
    }
}

void CScriptedPlatform::AnswerMessage(int answer) {
    m_script.push_back({Kind::Message, answer, {}, {}});
}

void CScriptedPlatform::AnswerOpenFile(const QString& path) {
    m_script.push_back({Kind::OpenFile, 0, path, {}});
}

void CScriptedPlatform::AnswerSaveFile(const QString& path) {
    m_script.push_back({Kind::SaveFile, 0, path, {}});
}

void CScriptedPlatform::AnswerDirectory(const QString& path) {
    m_script.push_back({Kind::Directory, 0, path, {}});
}

void CScriptedPlatform::AnswerDialog(std::function<int(CDialog&)> user) {
    m_script.push_back({Kind::Dialog, 0, {}, std::move(user)});
}

void CScriptedPlatform::AnswerUrl(bool opened) {
    m_script.push_back({Kind::Url, opened ? 1 : 0, {}, {}});
}

const CScriptedPlatform::Answer* CScriptedPlatform::Next(Kind kind, const QString& what) {
    if (m_script.empty()) {
        ADD_FAILURE() << "unexpected " << KindName(kind) << ": " << what.toStdString();
        return nullptr;
    }
    if (m_script.front().kind != kind) {
        ADD_FAILURE() << "unexpected " << KindName(kind) << " (the script expected a "
                      << KindName(m_script.front().kind) << "): " << what.toStdString();
        return nullptr;
    }
    m_current = std::move(m_script.front());
    m_script.pop_front();
    return &m_current;
}

int CScriptedPlatform::MessageBox(QWidget*, const QString& text, MessageIcon icon,
                                  MessageButtons buttons) {
    m_shown.push_back({Kind::Message, text, icon, buttons, {}, {}, {}, {}});
    const Answer* answer = Next(Kind::Message, text);
    return answer != nullptr ? answer->result : IDCANCEL;
}

QString CScriptedPlatform::GetOpenFileName(QWidget*, const QString& title, const QString& directory,
                                           const QString& filter) {
    m_shown.push_back({Kind::OpenFile, title, {}, {}, directory, filter, {}, {}});
    const Answer* answer = Next(Kind::OpenFile, title);
    return answer != nullptr ? answer->path : QString();
}

QString CScriptedPlatform::GetSaveFileName(QWidget*, const QString& title, const QString& fileName,
                                           const QString& filter, const QString& defaultSuffix) {
    m_shown.push_back({Kind::SaveFile, title, {}, {}, fileName, filter, defaultSuffix, {}});
    const Answer* answer = Next(Kind::SaveFile, title);
    return answer != nullptr ? answer->path : QString();
}

QString CScriptedPlatform::ChooseDirectory(QWidget*, const QString& title,
                                           const QString& directory) {
    m_shown.push_back({Kind::Directory, title, {}, {}, directory, {}, {}, {}});
    const Answer* answer = Next(Kind::Directory, title);
    return answer != nullptr ? answer->path : QString();
}

int CScriptedPlatform::DoModal(CDialog& dialog) {
    m_shown.push_back({Kind::Dialog, dialog.objectName(), {}, {}, {}, {}, {}, {}});
    const Answer* answer = Next(Kind::Dialog, dialog.objectName());
    if (answer == nullptr) {
        return IDCANCEL;
    }
    dialog.OnInitDialog();
    const std::function<int(CDialog&)> user = answer->user;
    return user(dialog);
}

bool CScriptedPlatform::OpenUrl(const QUrl& url) {
    m_shown.push_back({Kind::Url, url.toString(), {}, {}, {}, {}, {}, url});
    const Answer* answer = Next(Kind::Url, url.toString());
    return answer != nullptr && answer->result != 0;
}
