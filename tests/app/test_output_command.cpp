// The Text file command: the save dialog it shows, the bytes it writes for
// the shown columns, the rows in the list's order and the pane text, and
// what happens when the file cannot be written. Files are compared byte for
// byte.
#include "Dialog.h"
#include "MetricsFixture.h"
#include "Resource.h"
#include "run/core/reports.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>

namespace {

class TextOutput : public MetricsFixture {
protected:
    // Performs the command, answering the save dialog with `path`.
    void Save(const QString& path) {
        m_platform.AnswerSaveFile(path);
        ASSERT_TRUE(m_frame->OnCommand(ID_OUTPUT_TEXT_FILE));
    }

    QByteArray Written(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }

    // Saves to a new file of the temporary folder and returns its bytes.
    QByteArray SaveAndRead() {
        const QString path = m_dir.filePath(QStringLiteral("out%1.txt").arg(++m_nSaved));
        Save(path);
        return Written(path);
    }

    int m_nSaved = 0;
};

const QByteArray kAllTitles = "File name\tLines\tEffective\tE%\tComment\tC%\tBlank\tB%\tFunc.\t"
                              "avg CC\tmin CC\tmax CC\tclass\tstruct\t\r\n";

// The fourteen cells of a row with file name `name`.
QStringList Cells(const QString& name, const QString& lines = QStringLiteral("10")) {
    return {name,
            lines,
            QStringLiteral("8"),
            QStringLiteral("80"),
            QStringLiteral("1"),
            QStringLiteral("10"),
            QStringLiteral("1"),
            QStringLiteral("10"),
            QStringLiteral("1"),
            QStringLiteral("1"),
            QStringLiteral("1"),
            QStringLiteral("1"),
            QStringLiteral("0"),
            QStringLiteral("0")};
}

TEST_F(TextOutput, SaveDialogProposesOutputInTheHomeFolderAndCancelWritesNothing) {
    AddRow(Cells(QStringLiteral("a.c")));
    Save(QString());
    ASSERT_EQ(m_platform.shown().size(), 1u);
    const CScriptedPlatform::Shown& dialog = m_platform.shown()[0];
    EXPECT_EQ(dialog.kind, CScriptedPlatform::Kind::SaveFile);
    EXPECT_EQ(dialog.text, QString()); // the platform's own title
    EXPECT_EQ(dialog.directory, QDir::home().filePath(QStringLiteral("Output")));
    EXPECT_EQ(dialog.filter, QStringLiteral("Text file (*.txt);;All Files (*)"));
    EXPECT_EQ(dialog.suffix, QStringLiteral("txt"));
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

TEST_F(TextOutput, AllFourteenColumnsWithTheirSeparatorsAndThePaneText) {
    AddRow(Cells(QStringLiteral("a.c")));
    Pane().SetText(QStringLiteral("FILE METRICS\n\nlast line"));
    EXPECT_EQ(SaveAndRead(), kAllTitles +
                                 "a.c\t\t10\t\t8\t\t80\t1\t\t10\t1\t\t10\t1\t\t1\t1\t1\t0\t0\t\r\n"
                                 "\r\n"
                                 "FILE METRICS\r\n\r\nlast line");
    EXPECT_TRUE(m_platform.shown().size() == 1u); // the dialog only, no message
}

TEST_F(TextOutput, FileNameSeparatorDependsOnItsLength) {
    struct Case {
        const char* name;
        const char* separator;
    };
    const Case cases[] = {{"a.c", "\t\t"},
                          {"abcd.cp", "\t\t"},           // 7 characters
                          {"abcde.cp", "\t"},            // 8
                          {"abcdefghij.cpp", "\t"},      // 14
                          {"abcdefghijk.cpp", "\t"},     // 15
                          {"/home/u/src/main.c", "\t"}}; // full paths are long
    for (const Case& c : cases)
        AddRow(Cells(QLatin1String(c.name)));
    const QList<QByteArray> lines = SaveAndRead().split('\n');
    ASSERT_EQ(lines.size(), 1 + std::size(cases) + 2);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_TRUE(
            lines[1 + i].startsWith(QByteArray(cases[i].name) + cases[i].separator + "10\t\t8"))
            << cases[i].name << ": " << lines[1 + i].toStdString();
    }
}

TEST_F(TextOutput, ColumnsHiddenWithTheChooserAreLeftOut) {
    // Hide "Comment" and "C%" as a user would, then write rows as the run
    // writes them: the shown columns' values by display position.
    m_platform.AnswerDialog([](CDialog& dlg) {
        auto* displayed = dlg.findChild<QListWidget*>(QStringLiteral("displayed"));
        for (const char* title : {"Comment", "C%"}) {
            displayed->setCurrentRow(
                displayed->row(displayed->findItems(QLatin1String(title), Qt::MatchExactly)[0]));
            dlg.findChild<QPushButton*>(QStringLiteral("remove"))->click();
        }
        dlg.findChild<QPushButton*>(QStringLiteral("ok"))->click();
        return dlg.result() == QDialog::Accepted ? IDOK : IDCANCEL;
    });
    ASSERT_TRUE(m_frame->OnCommand(ID_METRICS_COLUMNS));
    AddRow({"main.cpp", "10", "8", "80", "1", "10", "2", "0", "0", "0", "0", "0"});
    Pane().SetText(QStringLiteral("x"));
    EXPECT_EQ(SaveAndRead(), QByteArray("File name\tLines\tEffective\tE%\tBlank\tB%\tFunc.\t"
                                        "avg CC\tmin CC\tmax CC\tclass\tstruct\t\r\n"
                                        "main.cpp\t10\t\t8\t\t80\t1\t\t10\t2\t\t0\t0\t0\t0\t0\t\r\n"
                                        "\r\nx"));
}

TEST_F(TextOutput, RowsAreWrittenInTheSortedOrder) {
    AddRow(Cells(QStringLiteral("b.c"), QStringLiteral("10")));
    AddRow(Cells(QStringLiteral("a.c"), QStringLiteral("9")));
    AddRow(Cells(QStringLiteral("c.c"), QStringLiteral("100")));
    List().SortByPosition(1); // "Lines", ascending, as numbers
    const QList<QByteArray> lines = SaveAndRead().split('\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_TRUE(lines[1].startsWith("a.c\t\t9\t\t"));
    EXPECT_TRUE(lines[2].startsWith("b.c\t\t10\t\t"));
    EXPECT_TRUE(lines[3].startsWith("c.c\t\t100\t\t"));
    // The header marks of the sort are not written.
    EXPECT_EQ(lines[0] + '\n', kAllTitles);
}

TEST_F(TextOutput, EmptyListGivesTheTitleLineAnEmptyLineAndThePaneText) {
    struct Case {
        const char* name;
        QString pane;
        QByteArray tail;
    };
    const Case cases[] = {
        {"empty pane", QString(), ""},
        {"after a stopped run", QString::fromLatin1(kestrum::kUserCancel), "Analyze: User cancel."},
        {"message with line feeds", QStringLiteral("Searching...\n3 file(s) found.\n"),
         "Searching...\r\n3 file(s) found.\r\n"},
    };
    for (const Case& c : cases) {
        Pane().SetText(c.pane);
        EXPECT_EQ(SaveAndRead(), kAllTitles + "\r\n" + c.tail) << c.name;
    }
}

TEST_F(TextOutput, AfterAFunctionReportTheFileEndsWithThatReport) {
    const QString path = WriteSource(QStringLiteral("f.cpp"), "int f()\n{\n    return 0;\n}\n");
    const int row = AddRow(Cells(QStringLiteral("f.cpp")), path);
    List().GetListCtrl().SelectItem(row);
    ASSERT_TRUE(m_frame->OnCommand(ID_FUNCTION_METRICS));

    const QByteArray report =
        "FUNCTION METRICS for source code file: " + QFile::encodeName(path) +
        "\r\n\r\n\t~~~~~~~~~ total 1 function(s) ~~~~~~~~~\t\r\n\r\n"
        "FUNCTION: f\r\nLines\tEffective\tComment\tBlank\tCyc.Complx\r\n3\t1\t0\t0\t1\r\n\r\n"
        "\t~~~~~~~~~ Summary for 1 funtion(s) ~~~~~~~~~\t\r\n\r\n"
        "METRIC\tTOTAL\tAVG\tMIN\tMAX\r\n"
        "Lines\t3\t3\t3\t3\r\nEffective\t1\t1\t1\t1\r\nComment\t0\t0\t0\t0\r\n"
        "Blank\t0\t0\t0\t0\r\nC.Cmplx.\t1\t1\t1\t1\r\n";
    const QByteArray expected = kAllTitles +
                                "f.cpp\t\t10\t\t8\t\t80\t1\t\t10\t1\t\t10\t1\t\t1\t1\t1\t0\t0\t\r\n"
                                "\r\n" +
                                report;
    EXPECT_EQ(SaveAndRead(), expected);

    // The same bytes whether the pane shows its text or its list.
    m_frame->OnCommand(ID_RESULTS_AS_LIST);
    ASSERT_TRUE(Pane().m_bAsList);
    EXPECT_EQ(SaveAndRead(), expected);
}

TEST_F(TextOutput, ExistingFileIsReplacedWhole) {
    const QString path = WriteSource(QStringLiteral("old.txt"), QByteArray(5000, 'z'));
    Pane().SetText(QStringLiteral("new"));
    Save(path);
    EXPECT_EQ(Written(path), kAllTitles + "\r\nnew");
}

TEST_F(TextOutput, UnwritableFileIsReportedAndNothingIsLeftBehind) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));
    const QString cases[] = {
        m_dir.filePath(QStringLiteral("missing/out.txt")), // folder does not exist
        m_dir.filePath(QStringLiteral("folder")),          // a folder, not a file
    };
    AddRow(Cells(QStringLiteral("a.c")));
    for (const QString& path : cases) {
        const std::size_t before = m_platform.shown().size();
        m_platform.AnswerSaveFile(path);
        m_platform.AnswerMessage(IDOK);
        ASSERT_TRUE(m_frame->OnCommand(ID_OUTPUT_TEXT_FILE));
        ASSERT_EQ(m_platform.shown().size(), before + 2) << path.toStdString();
        const CScriptedPlatform::Shown& message = m_platform.shown().back();
        EXPECT_EQ(message.kind, CScriptedPlatform::Kind::Message);
        EXPECT_EQ(message.text, QStringLiteral("Can't write file: ") + path);
        EXPECT_EQ(message.icon, MessageIcon::Exclamation);
        EXPECT_EQ(message.buttons, MessageButtons::Ok);
    }
    // Only the folder made above: no partial or temporary file anywhere.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("folder")});
    EXPECT_TRUE(QDir(m_dir.filePath(QStringLiteral("folder"))).isEmpty());
}

} // namespace
