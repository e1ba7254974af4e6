// The project file through the main window: Save, Save As, Open, New, the
// save question, the title, the recent projects, and the metrics list rows
// that must never outlive the records they point at.
#include "ProjectFixture.h"

#include "ListViewEx.h"
#include "ProfileSection.h"
#include "TotalsView.h"

#include <QAction>
#include <QMenu>
#include <sys/stat.h>

namespace {

// NUL, high bytes, lone carriage returns and a cut-off keyword.
const char kBinary[] = "\0\x01\xff\r\r\n\x80SOURCE_\rSOURCE_DIR";

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

} // namespace

class ProjectWindow : public ProjectTest {
protected:
    // Save As to `path`.
    void SaveAs(const QString& path, std::initializer_list<int> answers = {}) {
        m_platform.AnswerSaveFile(path);
        for (int answer : answers)
            m_platform.AnswerMessage(answer);
        m_frame->OnCommand(ID_PROJECT_SAVE_AS);
    }

    // Open of `path` through the dialog, answering the message boxes that
    // follow with `answers`.
    void Open(const QString& path, std::initializer_list<int> answers = {}) {
        m_platform.AnswerOpenFile(path);
        for (int answer : answers)
            m_platform.AnswerMessage(answer);
        m_frame->OnCommand(ID_PROJECT_OPEN);
    }

    // The Project menu's entries after "Refresh files": texts, "-" for separators.
    QStringList RecentMenu() {
        QMenu* menu = m_frame->findChild<QMenu*>(QStringLiteral("menuProject"));
        QStringList lines;
        bool after = false;
        for (QAction* action : menu->actions()) {
            if (action == m_frame->Action(ID_REFRESH_FILES)) {
                after = true;
                continue;
            }
            if (after)
                lines << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        return lines;
    }

    // One metrics list row per file of the tree, its data the file's record,
    // as a file metrics run leaves them.
    void FillListRows() {
        CListCtrl& list = m_frame->m_pListView->GetListCtrl();
        for (int s = 0; s < Tree().topLevelItemCount(); ++s) {
            for (int f = 0; f < Source(s)->childCount(); ++f) {
                FileRecord* record = CTreeViewEx::FileRecordOf(Source(s)->child(f));
                list.InsertItem(list.GetItemCount(), QFile::decodeName(record->path), record);
            }
        }
    }

    // Reads every row's record, as sorting or the text output would.
    int TouchListRows() {
        const CListCtrl& list = m_frame->m_pListView->GetListCtrl();
        int bytes = 0;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            const auto* record = static_cast<const FileRecord*>(list.GetItemData(row));
            bytes += record->size + static_cast<int>(std::strlen(record->path));
        }
        return bytes;
    }

    int ListRows() { return m_frame->m_pListView->GetListCtrl().GetItemCount(); }
};

TEST_F(ProjectWindow, RoundTripWritesTheFormatByteForByte) {
    // Two directory sources and one project-file source.
    Write(QStringLiteral("one/a.cpp"));
    Write(QStringLiteral("one/old/legacy.cpp"));
    Write(QStringLiteral("one/b.h"));
    Write(QStringLiteral("two/x.c"));
    Write(QStringLiteral("two/y.c"));
    Write(QStringLiteral("proj/src/p.cpp"));
    Write(QStringLiteral("proj/src/q.cpp"));
    const QString dsp = Write(QStringLiteral("proj/p.dsp"),
                              "# x\r\nSOURCE=.\\src\\p.cpp\r\nSOURCE=.\\src\\q.cpp\r\n");
    const QString one = m_dir.filePath(QStringLiteral("one/"));
    const QString two = m_dir.filePath(QStringLiteral("two/"));
    Add({Dir(QStringLiteral("one")), QStringLiteral("CPP;H")});
    Add({Dir(QStringLiteral("two")), QStringLiteral("c"), false});
    Add({dsp, QStringLiteral("CPP"), true, false});
    ASSERT_EQ(Tree().topLevelItemCount(), 3);

    File(0, QStringLiteral("legacy.cpp"))->setCheckState(0, Qt::Unchecked);
    File(0, QStringLiteral("b.h"))->setCheckState(0, Qt::Unchecked);
    Source(1)->setCheckState(0, Qt::Unchecked);
    Source(2)->setCheckState(0, Qt::Unchecked);
    File(2, QStringLiteral("q.cpp"))->setCheckState(0, Qt::Unchecked);

    const QString project = m_dir.filePath(QStringLiteral("test.qvd"));
    SaveAs(project);
    EXPECT_EQ(m_frame->m_bModified, 0);
    EXPECT_EQ(m_frame->windowTitle(), QStringLiteral("test.qvd - Kestrum"));

    // The unchecked files of a source in tree order.
    QByteArray clearedOne;
    for (int i = 0; i < Source(0)->childCount(); ++i) {
        if (!CTreeViewEx::IsChecked(Source(0)->child(i)))
            clearedOne += QByteArray(CTreeViewEx::FileRecordOf(Source(0)->child(i))->path) + "\r\n";
    }
    const QByteArray expected =
        "SOURCE_EXT CPP;H\r\n"
        "SOURCE_SUB 1\r\n"
        "SOURCE_DIR 1" +
        QFile::encodeName(one) + "\r\n" + clearedOne +
        "SOURCE_EXT C\r\n"
        "SOURCE_SUB 0\r\n"
        "SOURCE_DIR 0" +
        QFile::encodeName(two) +
        "\r\n"
        "SOURCE_EXT CPP\r\n"
        "SOURCE_SUB 1\r\n"
        "SOURCE_DSP 0" +
        QFile::encodeName(dsp) + "\r\n" +
        QFile::encodeName(m_dir.filePath(QStringLiteral("proj/src/q.cpp"))) + "\r\n";
    EXPECT_EQ(ReadAll(project), expected);

    // A file line that differs from the found path only in letter case still
    // clears that file; a file new since the save comes checked.
    QByteArray edited = ReadAll(project);
    const QByteArray aPath = QFile::encodeName(one + QStringLiteral("a.cpp"));
    const QByteArray sourceLine = "SOURCE_DIR 1" + QFile::encodeName(one) + "\r\n";
    edited.replace(sourceLine, sourceLine + aPath.toUpper() + "\r\n");
    {
        QFile file(project);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(edited);
    }
    Write(QStringLiteral("two/z.c"));

    m_frame->OnCommand(ID_PROJECT_NEW);
    EXPECT_EQ(Tree().topLevelItemCount(), 0);
    Open(project);
    ASSERT_EQ(Tree().topLevelItemCount(), 3);
    EXPECT_EQ(Source(0)->text(0), one);
    EXPECT_EQ(Source(1)->text(0), two);
    EXPECT_EQ(Source(2)->text(0), dsp);
    EXPECT_TRUE(CTreeViewEx::IsChecked(Source(0)));
    EXPECT_FALSE(CTreeViewEx::IsChecked(Source(1)));
    EXPECT_FALSE(CTreeViewEx::IsChecked(Source(2)));
    QStringList states = FileStates(0);
    states.sort();
    EXPECT_EQ(states, QStringList({QStringLiteral("-a.cpp"), QStringLiteral("-b.h"),
                                   QStringLiteral("-legacy.cpp")}));
    states = FileStates(1);
    states.sort();
    EXPECT_EQ(states,
              QStringList({QStringLiteral("x.c"), QStringLiteral("y.c"), QStringLiteral("z.c")}));
    states = FileStates(2);
    states.sort();
    EXPECT_EQ(states, QStringList({QStringLiteral("-q.cpp"), QStringLiteral("p.cpp")}));
    EXPECT_EQ(CTreeViewEx::SearchOf(Source(1))->subdirs, 0);
    EXPECT_EQ(m_frame->m_pTotalsView->GetText(), QStringLiteral("Project loaded successfully."));
    EXPECT_EQ(m_frame->m_bModified, 0);
    EXPECT_EQ(m_frame->windowTitle(), QStringLiteral("test.qvd - Kestrum"));

    // Save writes what is there now, the upper-cased line as the found path.
    m_frame->OnCommand(ID_PROJECT_SAVE);
    const QByteArray again = ReadAll(project);
    EXPECT_TRUE(again.contains(aPath + "\r\n"));
    EXPECT_FALSE(again.contains(aPath.toUpper()));
    EXPECT_TRUE(again.startsWith("SOURCE_EXT CPP;H\r\nSOURCE_SUB 1\r\nSOURCE_DIR 1"));
}

TEST_F(ProjectWindow, EmptyProjectAndOddFiles) {
    Write(QStringLiteral("src/a.cpp"));
    const QString src = m_dir.filePath(QStringLiteral("src"));
    struct Case {
        const char* name;
        QByteArray contents;
        QStringList sources; // expected source texts
    };
    const Case cases[] = {
        {"empty_file", "", {}},
        {"line_feeds_only",
         "SOURCE_EXT CPP\nSOURCE_SUB 1\nSOURCE_DIR 1" + QFile::encodeName(src) + "/\n",
         {}},
        {"directory_without_final_separator",
         "SOURCE_EXT CPP\r\nSOURCE_SUB 1\r\nSOURCE_DIR 1" + QFile::encodeName(src) + "\r\n",
         {src + QLatin1Char('/')}},
        {"file_lines_before_any_source", "/x/a.cpp\r\ngarbage\r\n", {}},
        {"binary_bytes", QByteArray(kBinary, sizeof kBinary - 1), {}},
        {"project_line_naming_a_directory",
         "SOURCE_EXT CPP\r\nSOURCE_DSP 1" + QFile::encodeName(src) + "/\r\n",
         {src + QLatin1Char('/')}},
    };
    const QString project = m_dir.filePath(QStringLiteral("odd.qvd"));
    for (const Case& c : cases) {
        {
            QFile file(project);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.contents);
        }
        Open(project);
        QStringList texts;
        for (int i = 0; i < Tree().topLevelItemCount(); ++i)
            texts << Source(i)->text(0);
        EXPECT_EQ(texts, c.sources) << c.name;
        EXPECT_EQ(m_frame->m_pTotalsView->GetText(), QStringLiteral("Project loaded successfully."))
            << c.name;
    }
    // The source read from a project line that names a directory is saved as one.
    m_frame->OnCommand(ID_PROJECT_SAVE);
    EXPECT_EQ(ReadAll(project),
              "SOURCE_EXT CPP\r\nSOURCE_SUB 1\r\nSOURCE_DIR 1" + QFile::encodeName(src) + "/\r\n");

    // An empty tree saves as an empty file.
    m_frame->OnCommand(ID_PROJECT_NEW);
    SaveAs(project);
    EXPECT_EQ(ReadAll(project), QByteArray());
}

TEST_F(ProjectWindow, OpenFailuresLeaveTheProject) {
    Write(QStringLiteral("src/a.cpp"));
    Add({Dir(QStringLiteral("src")), QStringLiteral("CPP")});
    // Modified: the save question would come only after a successful open.
    const QString fifo = m_dir.filePath(QStringLiteral("pipe.qvd"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString missing = m_dir.filePath(QStringLiteral("missing.qvd"));
    for (const QString& path : {missing, Dir(QStringLiteral("dir.qvd")), fifo}) {
        Open(path, {IDOK});
        EXPECT_EQ(Messages().last(), QStringLiteral("Can't open project: ") + path);
        EXPECT_EQ(m_platform.shown().back().icon, MessageIcon::Exclamation);
        EXPECT_EQ(Tree().topLevelItemCount(), 1);
        EXPECT_EQ(m_frame->m_bModified, 1);
        EXPECT_EQ(m_frame->windowTitle(), QString());
    }
    // Cancelled: nothing at all.
    Open(QString());
    EXPECT_EQ(Tree().topLevelItemCount(), 1);
    EXPECT_TRUE(m_frame->m_strRecent[0].isEmpty()) << "a failed open is not remembered";

    const auto& dialog = m_platform.shown().front();
    EXPECT_EQ(dialog.kind, CScriptedPlatform::Kind::Dialog);
    const auto& open = m_platform.shown()[1];
    EXPECT_EQ(open.kind, CScriptedPlatform::Kind::OpenFile);
    EXPECT_EQ(open.directory, QDir::homePath() + QStringLiteral("/Project"));
    EXPECT_EQ(open.filter, QStringLiteral("Kestrum Project (*.qvd);;All Files (*)"));
}

TEST_F(ProjectWindow, OpenOfAModifiedProjectAsksFirst) {
    Write(QStringLiteral("src/a.cpp"));
    const QString project = Write(QStringLiteral("p.qvd"), "");
    Add({Dir(QStringLiteral("src")), QStringLiteral("CPP")});
    Open(project, {IDNO});
    EXPECT_EQ(Messages(), QStringList(QStringLiteral("Save your changes to Untitled ?")));
    EXPECT_EQ(m_platform.shown().back().icon, MessageIcon::Question);
    EXPECT_EQ(m_platform.shown().back().buttons, MessageButtons::YesNo);
    EXPECT_EQ(Tree().topLevelItemCount(), 0);
    EXPECT_EQ(m_frame->m_strProjectPath, project);
}

TEST_F(ProjectWindow, PromptSaveYesSavesAndCancelledSaveAsLeavesFlagClear) {
    Write(QStringLiteral("src/a.cpp"));
    const QString project = m_dir.filePath(QStringLiteral("saved.qvd"));
    Add({Dir(QStringLiteral("src")), QStringLiteral("CPP")});
    m_platform.AnswerMessage(IDYES);
    m_platform.AnswerSaveFile(QString()); // the Save As dialog is cancelled
    m_frame->OnCommand(ID_PROJECT_NEW);
    EXPECT_EQ(m_frame->m_bModified, 0);
    EXPECT_FALSE(QFile::exists(project));
    EXPECT_EQ(m_frame->windowTitle(), QStringLiteral("Untitled - Kestrum"));

    Add({Dir(QStringLiteral("src")), QStringLiteral("CPP")});
    m_platform.AnswerMessage(IDYES);
    m_platform.AnswerSaveFile(project);
    m_frame->OnCommand(ID_PROJECT_NEW);
    EXPECT_TRUE(ReadAll(project).startsWith("SOURCE_EXT CPP\r\n"));
    EXPECT_EQ(m_frame->m_strProjectPath, QString()) << "New still starts an untitled project";
    EXPECT_EQ(m_frame->m_strRecent[0], project);
}

// Saving used to truncate the old file first and report nothing: a failed
// write lost the project while the modified flag said all was saved.
TEST_F(ProjectWindow, FailedSaveKeepsOldFileAndModifiedFlag) {
    Write(QStringLiteral("src/a.cpp"));
    const QString project = Write(QStringLiteral("keep.qvd"), "SOURCE_EXT OLD\r\n");
    Add({Dir(QStringLiteral("src")), QStringLiteral("CPP")});

    // Not writable: the path's folder is a regular file.
    const QString blocker = Write(QStringLiteral("blocker"), "x");
    const QString bad = blocker + QStringLiteral("/p.qvd");
    SaveAs(bad, {IDOK});
    EXPECT_EQ(Messages().last(), QStringLiteral("Can't save project: ") + bad);
    EXPECT_EQ(m_platform.shown().back().icon, MessageIcon::Exclamation);
    EXPECT_EQ(m_frame->m_bModified, 1);

    // The old file is replaced only by a complete new one: make the folder
    // unwritable, so the new file cannot be made beside it.
    m_frame->m_strProjectPath = project;
    const QString folder = m_dir.path();
    const QFile::Permissions before = QFile::permissions(folder);
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    const bool enforced = !QFile(folder + QStringLiteral("/probe")).open(QIODevice::WriteOnly);
    if (enforced) {
        m_platform.AnswerMessage(IDOK);
        m_frame->OnCommand(ID_PROJECT_SAVE);
        EXPECT_EQ(Messages().last(), QStringLiteral("Can't save project: ") + project);
        EXPECT_EQ(m_frame->m_bModified, 1);
    }
    QFile::remove(folder + QStringLiteral("/probe"));
    QFile::setPermissions(folder, before);
    EXPECT_EQ(ReadAll(project), QByteArray("SOURCE_EXT OLD\r\n"));

    m_frame->OnCommand(ID_PROJECT_SAVE);
    EXPECT_EQ(m_frame->m_bModified, 0);
    EXPECT_TRUE(ReadAll(project).startsWith("SOURCE_EXT CPP\r\n"));
}

TEST_F(ProjectWindow, RecentListFromTheMenuAndSettings) {
    EXPECT_EQ(RecentMenu(), QStringList({QStringLiteral("-"), QStringLiteral("E&xit\tAlt+X")}));

    QStringList paths;
    for (int i = 0; i < 5; ++i)
        paths << Write(QStringLiteral("p%1&.qvd").arg(i), "");
    Open(paths[0]);
    EXPECT_EQ(RecentMenu(),
              QStringList({QStringLiteral("-"),
                           QString(paths[0]).replace(QStringLiteral("&"), QStringLiteral("&&")),
                           QStringLiteral("-"), QStringLiteral("E&xit\tAlt+X")}));
    for (int i = 1; i < 5; ++i)
        Open(paths[i]);
    EXPECT_EQ(std::vector<QString>(m_frame->m_strRecent.begin(), m_frame->m_strRecent.end()),
              std::vector<QString>({paths[4], paths[3], paths[2], paths[1]}));
    EXPECT_EQ(RecentMenu().size(), 7) << "separator, four items, separator, Exit";

    // Opening one already listed, also the last, changes nothing; Save does
    // not add, Save As to a listed path neither.
    Open(paths[1]);
    m_frame->OnCommand(ID_PROJECT_SAVE);
    SaveAs(paths[2]);
    EXPECT_EQ(m_frame->m_strRecent[0], paths[4]);
    EXPECT_EQ(m_frame->m_strRecent[3], paths[1]);

    // The same path in other letters is another entry.
    const QString upper = m_dir.filePath(QStringLiteral("P1&.QVD"));
    Write(QStringLiteral("P1&.QVD"), "");
    Open(upper);
    EXPECT_EQ(m_frame->m_strRecent[0], upper);
    EXPECT_EQ(m_frame->m_strRecent[3], paths[2]);

    // A recent item opens its project without asking; a gone one says so
    // and stays in the list.
    m_frame->OnCommand(ID_RECENT_LAST);
    EXPECT_EQ(m_frame->m_strProjectPath, paths[2]);
    QFile::remove(paths[3]);
    m_platform.AnswerMessage(IDOK);
    m_frame->OnCommand(ID_RECENT_3);
    EXPECT_EQ(Messages().last(), QStringLiteral("Can't open project: ") + paths[3]);
    EXPECT_EQ(m_frame->m_strRecent[2], paths[3]);

    m_frame->SaveSettings();
    EXPECT_EQ(Stored("Rec0").toString(), upper);
    EXPECT_EQ(Stored("Rec3").toString(), paths[2]);
    EXPECT_FALSE(Stored("Rec4").isValid()) << "never written";
}

TEST(RecentLoad, StoredValuesFillTheFreeEntriesInOrder) {
    struct Case {
        const char* name;
        std::vector<const char*> stored; // Rec0 .. Rec4
        std::vector<QString> entries;
    };
    const Case cases[] = {
        {"gaps_close_up", {"", "A", "", "B", ""}, {"A", "B", "", ""}},
        {"rec4_ignored_when_full", {"A", "B", "C", "D", "E"}, {"A", "B", "C", "D"}},
        {"rec4_takes_a_free_place", {"A", "", "C", "D", "E"}, {"A", "C", "D", "E"}},
        {"nothing", {"", "", "", "", ""}, {"", "", "", ""}},
    };
    for (const Case& c : cases) {
        {
            QSettings store = TestStore();
            store.clear();
        }
        for (int i = 0; i < 5; ++i)
            Store(qPrintable(QStringLiteral("Rec%1").arg(i)), QString::fromLatin1(c.stored[i]));
        CScriptedPlatform platform;
        CMainFrame frame(platform);
        ASSERT_TRUE(frame.Create(QString()));
        EXPECT_EQ(std::vector<QString>(frame.m_strRecent.begin(), frame.m_strRecent.end()),
                  c.entries)
            << c.name;
        int shown = 0;
        for (int k = 0; k < 4; ++k) {
            shown += frame.m_bRecentShown[k];
            EXPECT_EQ(frame.Action(ID_RECENT_FIRST + k)->associatedObjects().isEmpty() == false,
                      frame.m_bRecentShown[k] != 0)
                << c.name;
        }
        EXPECT_EQ(shown,
                  static_cast<int>(std::count_if(c.entries.begin(), c.entries.end(),
                                                 [](const QString& e) { return !e.isEmpty(); })))
            << c.name;
        EXPECT_EQ(frame.m_bRecentSeparator, c.entries[0].isEmpty() ? 0 : 1) << c.name;
    }
}

// The metrics list keeps FileRecord pointers as row data: every command that
// releases records must first drop the rows that point at them. Under the
// address sanitizer a stale row shows as a use after free.
TEST_F(ProjectWindow, ListRowsNeverOutliveTheirRecords) {
    Write(QStringLiteral("a/x.cpp"));
    Write(QStringLiteral("a/y.cpp"));
    Write(QStringLiteral("b/z.cpp"));
    Add({Dir(QStringLiteral("a")), QStringLiteral("CPP")});
    Add({Dir(QStringLiteral("b")), QStringLiteral("CPP")});
    FillListRows();
    ASSERT_EQ(ListRows(), 3);
    // A row without data (a totals line, say) is left alone.
    m_frame->m_pListView->GetListCtrl().InsertItem(0, QStringLiteral("no data"));

    Select(Source(0));
    m_frame->OnCommand(ID_REFRESH_FILES);
    EXPECT_EQ(ListRows(), 2) << "rows of the refreshed source go";
    m_frame->m_pListView->GetListCtrl().DeleteItemsWithData({nullptr});
    EXPECT_EQ(ListRows(), 2);
    m_frame->m_pListView->GetListCtrl().DeleteAllItems();
    FillListRows();
    EXPECT_GT(TouchListRows(), 0);

    Write(QStringLiteral("a/w.cpp"));
    Select(Source(0));
    m_platform.AnswerDialog([&](CDialog& d) {
        return FillSourceDialog(d, {m_dir.filePath(QStringLiteral("a/")), QStringLiteral("CPP")});
    });
    m_frame->OnCommand(ID_EDIT_PROPERTIES);
    EXPECT_EQ(ListRows(), 1);
    TouchListRows();

    Add({Dir(QStringLiteral("b")), QStringLiteral("CPP")});
    FillListRows();
    Select(Source(1));
    m_frame->OnCommand(ID_REMOVE_FILES);
    TouchListRows();
    EXPECT_EQ(ListRows(), 3 + 1) << "rows of the removed source go, the others stay";

    const QString project = m_dir.filePath(QStringLiteral("p.qvd"));
    SaveAs(project);
    m_frame->m_pListView->GetListCtrl().DeleteAllItems();
    FillListRows();
    Open(project);
    EXPECT_EQ(ListRows(), 0);
    FillListRows();
    TouchListRows();

    m_frame->OnCommand(ID_PROJECT_NEW);
    EXPECT_EQ(ListRows(), 0);
    EXPECT_EQ(Tree().topLevelItemCount(), 0);

    // Rows and records left at the end are released with the window.
    Open(project);
    FillListRows();
}

TEST_F(ProjectWindow, ToolbarButtonsRunTheProjectCommands) {
    Write(QStringLiteral("src/a.cpp"));
    m_platform.AnswerDialog([this](CDialog& d) {
        return FillSourceDialog(d, {Dir(QStringLiteral("src")), QStringLiteral("CPP")});
    });
    m_frame->OnCommand(ID_TB_ADD_FILES);
    ASSERT_EQ(Tree().topLevelItemCount(), 1);

    // Save of an untitled project asks for a name first.
    const QString project = m_dir.filePath(QStringLiteral("tb.qvd"));
    m_platform.AnswerSaveFile(project);
    m_frame->OnCommand(ID_TB_PROJECT_SAVE);
    EXPECT_TRUE(QFile::exists(project));
    const auto& save = m_platform.shown().back();
    EXPECT_EQ(save.kind, CScriptedPlatform::Kind::SaveFile);
    EXPECT_EQ(save.directory, QDir::homePath() + QStringLiteral("/Project"));
    EXPECT_EQ(save.filter, QStringLiteral("Kestrum Project (*.qvd);;All Files (*)"));
    EXPECT_EQ(save.suffix, QStringLiteral("qvd"));

    m_frame->OnCommand(ID_TB_PROJECT_NEW);
    EXPECT_EQ(Tree().topLevelItemCount(), 0);
    EXPECT_EQ(m_frame->windowTitle(), QStringLiteral("Untitled - Kestrum"));
    Open(project);
    EXPECT_EQ(Tree().topLevelItemCount(), 1);
    m_platform.AnswerOpenFile(QString());
    m_frame->OnCommand(ID_TB_PROJECT_OPEN);
    EXPECT_EQ(Tree().topLevelItemCount(), 1);
}
