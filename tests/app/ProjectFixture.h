// Shared by the project tests: a main window on the scripted platform, a
// temporary folder with real files, and the steps a user takes to add a
// source through the source dialog.
#pragma once

#include "DlgAddFiles.h"
#include "MainFrm.h"
#include "Resource.h"
#include "ScriptedPlatform.h"
#include "SettingsFixture.h"
#include "TreeViewEx.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <memory>

#include "tarnel.h"

// What the scripted user types into the source dialog.
struct SourceInput {
    QString path;
    QString exts;
    bool subdirs = true;
    bool fromDirectory = true;
};

// Plays the user of the source dialog: fills it in and presses OK.
inline int FillSourceDialog(CDialog& dialog, const SourceInput& input) {
    auto& dlg = static_cast<CDlgAddFiles&>(dialog);
    if (input.fromDirectory)
        dlg.m_wndFromDirectory->click();
    else
        dlg.m_wndFromProject->click();
    dlg.m_wndExtensions->setEditText(input.exts);
    dlg.m_wndPath->setText(input.path);
    dlg.m_wndSubdirectories->setChecked(input.subdirs);
    dlg.OnOK();
    return dlg.result() == QDialog::Accepted ? IDOK : IDCANCEL;
}

class ProjectTest : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        m_frame = std::make_unique<CMainFrame>(m_platform);
        ASSERT_TRUE(m_frame->Create(QString()));
    }

    void TearDown() override { m_frame.reset(); }

    // Writes a file under the temporary folder (folders made as needed) and
    // returns its full path.
    QString Write(const QString& relative, const QByteArray& contents = "int x;\n") {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(contents);
        return path;
    }

    QString Dir(const QString& relative = QString()) const {
        const QString path = relative.isEmpty() ? m_dir.path() : m_dir.filePath(relative);
        QDir().mkpath(path);
        return path;
    }

    // Add files with the given input; the dialog is answered with OK and
    // then `messages` message boxes with OK.
    void Add(const SourceInput& input, int messages = 0) {
        m_platform.AnswerDialog([input](CDialog& d) { return FillSourceDialog(d, input); });
        for (int i = 0; i < messages; ++i)
            m_platform.AnswerMessage(IDOK);
        m_frame->OnCommand(ID_ADD_FILES);
    }

    CTreeViewEx& Tree() { return *m_frame->m_pTreeView; }
    QTreeWidgetItem* Source(int i) { return Tree().topLevelItem(i); }

    // The texts of a source's files in tree order.
    QStringList FileTexts(int source) {
        QStringList texts;
        QTreeWidgetItem* item = Source(source);
        for (int i = 0; item != nullptr && i < item->childCount(); ++i)
            texts << item->child(i)->text(0);
        return texts;
    }

    // The file names of a source's files with an "-" prefix when unchecked.
    QStringList FileStates(int source) {
        QStringList states;
        QTreeWidgetItem* item = Source(source);
        for (int i = 0; item != nullptr && i < item->childCount(); ++i) {
            const QString name =
                QFileInfo(QFile::decodeName(CTreeViewEx::FileRecordOf(item->child(i))->path))
                    .fileName();
            states << (CTreeViewEx::IsChecked(item->child(i)) ? name : QStringLiteral("-") + name);
        }
        return states;
    }

    // The file item of a source whose file name is `name`, or null.
    QTreeWidgetItem* File(int source, const QString& name) {
        QTreeWidgetItem* item = Source(source);
        for (int i = 0; item != nullptr && i < item->childCount(); ++i) {
            const FileRecord* record = CTreeViewEx::FileRecordOf(item->child(i));
            if (QFileInfo(QFile::decodeName(record->path)).fileName() == name)
                return item->child(i);
        }
        return nullptr;
    }

    void Select(QTreeWidgetItem* item) {
        Tree().clearSelection();
        Tree().setCurrentItem(item);
        if (item != nullptr)
            item->setSelected(true);
    }

    // The messages shown since the start, as "text" lines.
    QStringList Messages() const {
        QStringList texts;
        for (const auto& shown : m_platform.shown()) {
            if (shown.kind == CScriptedPlatform::Kind::Message)
                texts << shown.text;
        }
        return texts;
    }

    QTemporaryDir m_dir;
    CScriptedPlatform m_platform;
    std::unique_ptr<CMainFrame> m_frame;
};
