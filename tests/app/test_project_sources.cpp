// Source collection through the main window: Add files, Edit properties,
// Refresh files and Remove files, with real directories and project files.
#include "ProjectFixture.h"

#include "TotalsView.h"

namespace {

const QString kFound3 = QStringLiteral("found 3 files meeting extensions.\n");

} // namespace

using ProjectSources = ProjectTest;

TEST_F(ProjectSources, AddDirectoryTypedWithoutSeparator) {
    Write(QStringLiteral("src/a.cpp"));
    Write(QStringLiteral("src/b.h"));
    Write(QStringLiteral("src/sub/c.cpp"));
    Write(QStringLiteral("src/readme.txt"));
    Add({Dir(QStringLiteral("src")), QStringLiteral("cpp; H")});

    ASSERT_EQ(Tree().topLevelItemCount(), 1);
    QTreeWidgetItem* source = Source(0);
    EXPECT_EQ(source->text(0), m_dir.filePath(QStringLiteral("src/")));
    EXPECT_EQ(CTreeViewEx::ImageOf(source), ImageDirectory);
    EXPECT_TRUE(CTreeViewEx::IsChecked(source));
    EXPECT_EQ(m_frame->m_hCurrentSource, source);
    const mtrc_search* search = CTreeViewEx::SearchOf(source);
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->subdirs, 1);
    EXPECT_EQ(search->files, nullptr) << "the records hang on the items now";
    ASSERT_EQ(source->childCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(CTreeViewEx::IsChecked(source->child(i)));
    EXPECT_EQ(m_frame->m_pTotalsView->GetText(), kFound3);
    EXPECT_EQ(m_frame->MessageText(), QStringLiteral("Ready"));
    EXPECT_EQ(m_frame->m_bModified, 1);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(ProjectSources, AddWithoutSubdirectories) {
    Write(QStringLiteral("src/a.cpp"));
    Write(QStringLiteral("src/sub/c.cpp"));
    Add({Dir(QStringLiteral("src")), QStringLiteral("CPP"), false});
    EXPECT_EQ(FileStates(0), QStringList(QStringLiteral("a.cpp")));
    EXPECT_EQ(CTreeViewEx::SearchOf(Source(0))->subdirs, 0);
}

TEST_F(ProjectSources, FailedSearchesAddNothingButModify) {
    struct Case {
        const char* name;
        QString path;
        QString exts;
        bool fromDirectory;
        QString message;
        MessageIcon icon;
        QString pane;
    };
    Write(QStringLiteral("empty/readme.txt"));
    const QString shortDsp = Write(QStringLiteral("p/short.dsp"), "0123456789");
    const Case cases[] = {
        {"nothing_matches", Dir(QStringLiteral("empty")), QStringLiteral("CPP"), true,
         QStringLiteral("No files foud"), MessageIcon::Information,
         QStringLiteral("No files foud meeting extensions.")},
        {"missing_directory", m_dir.filePath(QStringLiteral("gone")), QStringLiteral("CPP"), true,
         QStringLiteral("File search filed!"), MessageIcon::Exclamation,
         QStringLiteral("File search filed! Directory or project file may be corrupt.")},
        {"project_file_of_10_bytes", shortDsp, QStringLiteral("CPP"), false,
         QStringLiteral("File search filed!"), MessageIcon::Exclamation,
         QStringLiteral("File search filed! Directory or project file may be corrupt.")},
    };
    for (const Case& c : cases) {
        m_frame->m_bModified = 0;
        Add({c.path, c.exts, true, c.fromDirectory}, 1);
        EXPECT_EQ(Tree().topLevelItemCount(), 0) << c.name;
        EXPECT_EQ(m_frame->m_hCurrentSource, nullptr) << c.name;
        ASSERT_FALSE(m_platform.shown().empty());
        const auto& shown = m_platform.shown().back();
        EXPECT_EQ(shown.text, c.message) << c.name;
        EXPECT_EQ(shown.icon, c.icon) << c.name;
        EXPECT_EQ(shown.buttons, MessageButtons::Ok) << c.name;
        EXPECT_EQ(m_frame->m_pTotalsView->GetText(), c.pane) << c.name;
        EXPECT_EQ(m_frame->MessageText(), QStringLiteral("Ready")) << c.name;
        EXPECT_EQ(m_frame->m_bModified, 1) << c.name;
    }
}

TEST_F(ProjectSources, AddProjectFileSource) {
    Write(QStringLiteral("proj/src/a.cpp"));
    Write(QStringLiteral("proj/src/b.h"));
    const QString dsp = Write(QStringLiteral("proj/p.dsp"),
                              "# Project file\r\nSOURCE=.\\src\\a.cpp\r\nSOURCE=.\\src\\b.h\r\n");
    m_frame->OnCommand(ID_PRJ_SHOW_PATH);
    Add({dsp, QStringLiteral("CPP;H"), true, false});
    ASSERT_EQ(Tree().topLevelItemCount(), 1);
    EXPECT_EQ(Source(0)->text(0), dsp);
    EXPECT_EQ(CTreeViewEx::ImageOf(Source(0)), ImageProjectFile);
    QStringList texts = FileTexts(0);
    texts.sort();
    EXPECT_EQ(texts, QStringList({QStringLiteral("/src/a.cpp"), QStringLiteral("/src/b.h")}));
    EXPECT_EQ(CTreeViewEx::ImageOf(File(0, QStringLiteral("b.h"))), ImageH);
}

TEST_F(ProjectSources, CancelledDialogChangesNothing) {
    m_platform.AnswerDialog([](CDialog&) { return int(IDCANCEL); });
    m_frame->OnCommand(ID_ADD_FILES);
    EXPECT_EQ(Tree().topLevelItemCount(), 0);
    EXPECT_EQ(m_frame->m_bModified, 0);
}

TEST_F(ProjectSources, RefreshKeepsUncheckedFilesWhateverTheCase) {
    Write(QStringLiteral("src/a.cpp"));
    Write(QStringLiteral("src/b.h"));
    Write(QStringLiteral("src/c.cpp"));
    Add({Dir(QStringLiteral("src")), QStringLiteral("CPP;H")});
    File(0, QStringLiteral("a.cpp"))->setCheckState(0, Qt::Unchecked);
    File(0, QStringLiteral("b.h"))->setCheckState(0, Qt::Unchecked);
    Source(0)->setCheckState(0, Qt::Unchecked);
    m_frame->m_bModified = 0;

    // Found again under another letter case, a file stays unchecked.
    ASSERT_TRUE(QFile::rename(m_dir.filePath(QStringLiteral("src/a.cpp")),
                              m_dir.filePath(QStringLiteral("src/A.CPP"))));
    Write(QStringLiteral("src/d.cpp"));
    Select(Source(0));
    m_frame->OnCommand(ID_REFRESH_FILES);

    QStringList states = FileStates(0);
    states.sort();
    EXPECT_EQ(states, QStringList({QStringLiteral("-A.CPP"), QStringLiteral("-b.h"),
                                   QStringLiteral("c.cpp"), QStringLiteral("d.cpp")}));
    EXPECT_FALSE(CTreeViewEx::IsChecked(Source(0))) << "the source keeps its own box";
    EXPECT_EQ(Tree().topLevelItemCount(), 1);
    EXPECT_EQ(m_frame->m_hCurrentSource, Source(0));
    EXPECT_EQ(m_frame->m_pTotalsView->GetText(),
              QStringLiteral("found 4 files meeting extensions.\n"));
    EXPECT_EQ(m_frame->m_bModified, 0) << "Refresh files does not modify";
}

TEST_F(ProjectSources, RefreshOfDeletedDirectoryKeepsOldFiles) {
    Write(QStringLiteral("src/a.cpp"));
    Write(QStringLiteral("src/b.cpp"));
    Add({Dir(QStringLiteral("src")), QStringLiteral("CPP")});
    File(0, QStringLiteral("b.cpp"))->setCheckState(0, Qt::Unchecked);
    QDir(m_dir.filePath(QStringLiteral("src"))).removeRecursively();

    m_platform.AnswerMessage(IDOK);
    Select(Source(0));
    m_frame->OnCommand(ID_REFRESH_FILES);
    EXPECT_EQ(Messages().last(), QStringLiteral("File search filed!"));
    QStringList states = FileStates(0);
    states.sort();
    EXPECT_EQ(states, QStringList({QStringLiteral("-b.cpp"), QStringLiteral("a.cpp")}));
    EXPECT_EQ(m_frame->m_hCurrentSource, nullptr);
}

TEST_F(ProjectSources, EditPropertiesChangesPathAndKind) {
    Write(QStringLiteral("src/a.cpp"));
    Write(QStringLiteral("other/x.cpp"));
    Write(QStringLiteral("other/y.h"));
    Add({Dir(QStringLiteral("src")), QStringLiteral("CPP")});
    m_frame->m_bModified = 0;
    Select(Source(0));

    // The dialog opens with the source's values, in edit mode.
    const QString other = m_dir.filePath(QStringLiteral("other/"));
    m_platform.AnswerDialog([&](CDialog& d) {
        auto& dlg = static_cast<CDlgAddFiles&>(d);
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Edit search properties"));
        EXPECT_EQ(dlg.m_wndPath->text(), m_dir.filePath(QStringLiteral("src/")));
        EXPECT_EQ(dlg.m_wndExtensions->currentText(), QStringLiteral("CPP"));
        EXPECT_TRUE(dlg.m_wndFromDirectory->isChecked());
        EXPECT_TRUE(dlg.m_wndSubdirectories->isChecked());
        return FillSourceDialog(d, {other, QStringLiteral("cpp;h"), false});
    });
    m_frame->OnCommand(ID_EDIT_PROPERTIES);
    EXPECT_EQ(Source(0)->text(0), other);
    QStringList states = FileStates(0);
    states.sort();
    EXPECT_EQ(states, QStringList({QStringLiteral("x.cpp"), QStringLiteral("y.h")}));
    EXPECT_EQ(CTreeViewEx::SearchOf(Source(0))->subdirs, 0);
    EXPECT_EQ(m_frame->m_bModified, 0) << "Edit properties does not modify";

    // Without the final separator the source becomes a project file, whose
    // search fails and leaves the old files under the item.
    const QString typed = m_dir.filePath(QStringLiteral("other"));
    m_platform.AnswerDialog([&](CDialog& d) {
        return FillSourceDialog(d, {typed, QStringLiteral("CPP")});
    });
    m_platform.AnswerMessage(IDOK);
    m_frame->OnCommand(ID_EDIT_PROPERTIES);
    EXPECT_EQ(Messages().last(), QStringLiteral("File search filed!"));
    EXPECT_EQ(Source(0)->text(0), typed);
    EXPECT_EQ(CTreeViewEx::ImageOf(Source(0)), ImageProjectFile);
    EXPECT_EQ(Source(0)->childCount(), 2);

    // Editing it again opens with the project kind.
    m_platform.AnswerDialog([](CDialog& d) {
        auto& dlg = static_cast<CDlgAddFiles&>(d);
        EXPECT_TRUE(dlg.m_wndFromProject->isChecked());
        EXPECT_FALSE(dlg.m_wndSubdirectories->isEnabled());
        EXPECT_FALSE(dlg.m_wndBrowseDirectory->isEnabled());
        EXPECT_TRUE(dlg.m_wndBrowseProject->isEnabled());
        return int(IDCANCEL);
    });
    m_frame->OnCommand(ID_EDIT_PROPERTIES);
    EXPECT_EQ(Source(0)->text(0), typed);
}

TEST_F(ProjectSources, SourceCommandsNeedASelectedSource) {
    Write(QStringLiteral("src/a.cpp"));
    Add({Dir(QStringLiteral("src")), QStringLiteral("CPP")});
    const QString pane = m_frame->m_pTotalsView->GetText();
    for (QTreeWidgetItem* selected :
         {static_cast<QTreeWidgetItem*>(nullptr), Source(0)->child(0)}) {
        Select(selected);
        for (int modified : {0, 1}) {
            m_frame->m_bModified = modified;
            for (int id : {ID_EDIT_PROPERTIES, ID_TB_REFRESH_FILES, ID_REMOVE_FILES}) {
                m_frame->OnCommand(id);
                EXPECT_EQ(m_frame->m_bModified, modified) << id;
            }
        }
    }
    EXPECT_EQ(Tree().topLevelItemCount(), 1);
    EXPECT_EQ(Source(0)->childCount(), 1);
    EXPECT_EQ(m_frame->m_pTotalsView->GetText(), pane);
}

TEST_F(ProjectSources, RemoveFilesDeletesTheSourceAndModifies) {
    Write(QStringLiteral("a/x.cpp"));
    Write(QStringLiteral("b/y.cpp"));
    Add({Dir(QStringLiteral("a")), QStringLiteral("CPP")});
    Add({Dir(QStringLiteral("b")), QStringLiteral("CPP")});
    m_frame->m_bModified = 0;
    Select(Source(0));
    m_frame->OnCommand(ID_TB_REMOVE_FILES);
    ASSERT_EQ(Tree().topLevelItemCount(), 1);
    EXPECT_EQ(Source(0)->text(0), m_dir.filePath(QStringLiteral("b/")));
    EXPECT_EQ(m_frame->m_bModified, 1);
}

TEST_F(ProjectSources, ResultsAsListIsShownAgainAfterEverySearch) {
    Write(QStringLiteral("src/a.cpp"));
    m_frame->OnCommand(ID_RESULTS_AS_LIST);
    ASSERT_TRUE(m_frame->m_pTotalsView->m_bAsList);
    Add({m_dir.filePath(QStringLiteral("gone")), QStringLiteral("C")}, 1);
    EXPECT_TRUE(m_frame->m_pTotalsView->m_bAsList) << "after a failure";
    Add({Dir(QStringLiteral("src")), QStringLiteral("CPP")});
    EXPECT_TRUE(m_frame->m_pTotalsView->m_bAsList) << "after a success";
    // The text under the list is the search's.
    EXPECT_EQ(m_frame->m_pTotalsView->GetText(),
              QStringLiteral("found 1 files meeting extensions.\n"));
}
