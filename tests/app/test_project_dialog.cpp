// The source dialog: the remembered extension lists, upper-case input, the
// two kinds, the Browse buttons, the validation messages and edit mode.
#include "ChooseDir.h"
#include "DlgAddFiles.h"
#include "ProfileSection.h"
#include "ScriptedPlatform.h"
#include "SettingsFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

using History = std::array<QString, CDlgAddFiles::kHistoryCount>;

History StoredHistory() {
    History history;
    CProfileSection(kSettingsSection).GetStringList(history, QStringLiteral("Exts0"));
    return history;
}

void StoreHistory(const History& history) {
    CProfileSection(kSettingsSection).WriteStringList(history, QStringLiteral("Exts0"));
}

QStringList ListedEntries(const CDlgAddFiles& dlg) {
    QStringList items;
    for (int i = 0; i < dlg.m_wndExtensions->count(); ++i)
        items << dlg.m_wndExtensions->itemText(i);
    return items;
}

History Numbered(int count) {
    History history;
    for (int i = 0; i < count; ++i)
        history[i] = QStringLiteral("E%1").arg(i);
    return history;
}

class SourceDialog : public SettingsTest {
protected:
    // Opens the dialog as the add command does; `user` plays the user.
    // `script` adds the answers for what the dialog itself asks.
    int RunAdd(const std::function<int(CDlgAddFiles&)>& user,
               const std::function<void()>& script = {}) {
        CDlgAddFiles dlg(m_platform);
        dlg.m_bAddMode = 1;
        dlg.m_bSubdirectories = 1;
        dlg.m_bFromDirectory = 1;
        m_platform.AnswerDialog([&](CDialog& d) { return user(static_cast<CDlgAddFiles&>(d)); });
        if (script)
            script();
        const int result = dlg.DoModal();
        m_out = {dlg.m_strPath, dlg.m_strExtensions};
        m_fromDirectory = dlg.m_bFromDirectory;
        m_subdirs = dlg.m_bSubdirectories;
        return result;
    }

    static int PressOk(CDlgAddFiles& dlg) {
        dlg.OnOK();
        return dlg.result() == QDialog::Accepted ? IDOK : IDCANCEL;
    }

    CScriptedPlatform m_platform;
    QStringList m_out;
    int m_fromDirectory = -1;
    int m_subdirs = -1;
};

} // namespace

TEST_F(SourceDialog, FirstOpeningWritesTheDefaultHistory) {
    const int result = RunAdd([](CDlgAddFiles& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Add source files to project"));
        EXPECT_EQ(ListedEntries(dlg),
                  QStringList({QStringLiteral("H;C;CPP"), QStringLiteral("HPP;CPP"),
                               QStringLiteral("H;C;CPP;HPP"), QStringLiteral("BAS;FRM")}));
        EXPECT_EQ(dlg.m_wndExtensions->currentText(), QStringLiteral("H;C;CPP"));
        EXPECT_TRUE(dlg.m_wndFromDirectory->isChecked());
        EXPECT_TRUE(dlg.m_wndSubdirectories->isChecked());
        EXPECT_TRUE(dlg.m_wndBrowseDirectory->isEnabled());
        EXPECT_FALSE(dlg.m_wndBrowseProject->isEnabled());
        EXPECT_TRUE(dlg.m_wndPath->text().isEmpty());
        return int(IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(StoredHistory(), CDlgAddFiles::DefaultHistory());
    for (int i = 4; i < 10; ++i) {
        const QVariant value = Stored(qPrintable(QStringLiteral("Exts%1").arg(i)));
        EXPECT_TRUE(value.isValid()) << i << ": empty entries are written too";
        EXPECT_EQ(value.toString(), QString()) << i;
    }
}

TEST_F(SourceDialog, HistoryUpdateOnAdd) {
    struct Case {
        const char* name;
        History before;
        QString typed;
        History after;
    };
    const History ten = Numbered(10);
    History movedTwo = ten;
    movedTwo[0] = QStringLiteral("E2");
    movedTwo[1] = QStringLiteral("E0");
    movedTwo[2] = QStringLiteral("E1");
    History eleventh;
    eleventh[0] = QStringLiteral("NEW");
    for (int i = 1; i < 10; ++i)
        eleventh[i] = ten[i - 1];
    History shortList = Numbered(3);
    History shortAfter;
    shortAfter[0] = QStringLiteral("X");
    for (int i = 1; i < 4; ++i)
        shortAfter[i] = shortList[i - 1];
    History gaps;
    gaps[0] = QStringLiteral("A");
    gaps[3] = QStringLiteral("B");
    History gapsAfter;
    gapsAfter[0] = QStringLiteral("B");
    gapsAfter[1] = QStringLiteral("A");
    const Case cases[] = {
        {"entry_2_moves_to_the_front", ten, QStringLiteral("E2"), movedTwo},
        {"found_ignoring_case", ten, QStringLiteral("e2"), movedTwo},
        {"eleventh_list_drops_entry_9", ten, QStringLiteral("NEW"), eleventh},
        {"new_list_with_free_entries", shortList, QStringLiteral("X"), shortAfter},
        {"entry_0_stays", ten, QStringLiteral("E0"), ten},
        {"stored_gaps_close_up", gaps, QStringLiteral("B"), gapsAfter},
    };
    for (const Case& c : cases) {
        StoreHistory(c.before);
        const QString path = QDir::tempPath() + QLatin1Char('/');
        const int result = RunAdd([&](CDlgAddFiles& dlg) {
            dlg.m_wndExtensions->setEditText(QString());
            QTest::keyClicks(dlg.m_wndExtensions->lineEdit(), c.typed);
            dlg.m_wndPath->setText(path);
            return PressOk(dlg);
        });
        EXPECT_EQ(result, IDOK) << c.name;
        EXPECT_EQ(StoredHistory(), c.after) << c.name;
        EXPECT_EQ(m_out, QStringList({path, c.typed.toUpper()})) << c.name;
    }
}

TEST_F(SourceDialog, TypedTextIsShownAndStoredInUpperCase) {
    RunAdd([](CDlgAddFiles& dlg) {
        dlg.m_wndExtensions->setEditText(QString());
        QTest::keyClicks(dlg.m_wndExtensions->lineEdit(), QStringLiteral("cpp; hxx"));
        EXPECT_EQ(dlg.m_wndExtensions->currentText(), QStringLiteral("CPP; HXX"));
        dlg.m_wndPath->setText(QStringLiteral("/src/"));
        return PressOk(dlg);
    });
    EXPECT_EQ(m_out.value(1), QStringLiteral("CPP; HXX"));
    EXPECT_EQ(StoredHistory()[0], QStringLiteral("CPP; HXX"));
}

TEST_F(SourceDialog, ValidationKeepsTheDialogOpen) {
    const int result = RunAdd(
        [](CDlgAddFiles& dlg) {
            dlg.m_wndExtensions->setEditText(QString());
            EXPECT_EQ(PressOk(dlg), IDCANCEL) << "both empty";
            dlg.m_wndExtensions->setEditText(QStringLiteral("CPP"));
            EXPECT_EQ(PressOk(dlg), IDCANCEL) << "path empty";
            EXPECT_EQ(dlg.m_wndExtensions->currentText(), QStringLiteral("CPP")) << "input kept";
            dlg.m_wndPath->setText(QStringLiteral("no such place"));
            return PressOk(dlg);
        },
        [this] {
            m_platform.AnswerMessage(IDOK);
            m_platform.AnswerMessage(IDOK);
        });
    EXPECT_EQ(result, IDOK);
    // The dialog's own text is taken as typed: no separator, no check.
    EXPECT_EQ(m_out.value(0), QStringLiteral("no such place"));
    QStringList messages;
    for (const auto& shown : m_platform.shown()) {
        if (shown.kind == CScriptedPlatform::Kind::Message) {
            messages << shown.text;
            EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
        }
    }
    EXPECT_EQ(messages, QStringList({QStringLiteral("Please enter source files extensions."),
                                     QStringLiteral("Please enter source path.")}));
}

TEST_F(SourceDialog, ExtensionTextIsCutAt254Characters) {
    RunAdd([](CDlgAddFiles& dlg) {
        dlg.m_wndExtensions->setEditText(QString(300, QLatin1Char('C')));
        dlg.m_wndPath->setText(QStringLiteral("/src/"));
        return PressOk(dlg);
    });
    EXPECT_EQ(m_out.value(1).size(), 254);
}

TEST_F(SourceDialog, KindSwitchKeepsTheCheckMark) {
    RunAdd([](CDlgAddFiles& dlg) {
        dlg.m_wndSubdirectories->setChecked(true);
        dlg.m_wndFromProject->click();
        EXPECT_FALSE(dlg.m_wndSubdirectories->isEnabled());
        EXPECT_FALSE(dlg.m_wndBrowseDirectory->isEnabled());
        EXPECT_TRUE(dlg.m_wndBrowseProject->isEnabled());
        dlg.m_wndPath->setText(QStringLiteral("/p/x.dsp"));
        return PressOk(dlg);
    });
    EXPECT_EQ(m_fromDirectory, 0);
    EXPECT_EQ(m_subdirs, 1);
}

TEST_F(SourceDialog, EditModeLeavesTheHistoryAlone) {
    const History before = Numbered(10);
    StoreHistory(before);
    CDlgAddFiles dlg(m_platform);
    dlg.m_bAddMode = 0;
    dlg.m_bFromDirectory = 1;
    dlg.m_strPath = QStringLiteral("/src/");
    dlg.m_strExtensions = QStringLiteral("cpp");
    m_platform.AnswerDialog([](CDialog& d) {
        auto& dlg = static_cast<CDlgAddFiles&>(d);
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Edit search properties"));
        EXPECT_EQ(dlg.m_wndExtensions->currentText(), QStringLiteral("CPP"));
        EXPECT_FALSE(dlg.m_wndSubdirectories->isChecked());
        dlg.m_wndExtensions->setEditText(QStringLiteral("NEW;LIST"));
        return PressOk(dlg);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strExtensions, QStringLiteral("NEW;LIST"));
    EXPECT_EQ(StoredHistory(), before);
}

TEST_F(SourceDialog, BrowseButtonsFillOnlyThePath) {
    const QString home = QDir::homePath();
    RunAdd(
        [](CDlgAddFiles& dlg) {
            dlg.m_wndBrowseDirectory->click();
            EXPECT_EQ(dlg.m_wndPath->text(), QStringLiteral("/work/src/"));
            dlg.m_wndBrowseDirectory->click();
            EXPECT_EQ(dlg.m_wndPath->text(), QStringLiteral("/work/src/")) << "cancel keeps it";
            dlg.m_wndFromProject->click();
            dlg.m_wndBrowseProject->click();
            EXPECT_EQ(dlg.m_wndPath->text(), QStringLiteral("/proj/p.dsp"));
            EXPECT_TRUE(dlg.m_wndFromProject->isChecked()) << "the kind stays";
            EXPECT_EQ(dlg.m_wndExtensions->currentText(), QStringLiteral("H;C;CPP"));
            return int(IDCANCEL);
        },
        [this] {
            m_platform.AnswerDirectory(QStringLiteral("/work/src"));
            m_platform.AnswerDirectory(QString()); // Cancel
            m_platform.AnswerOpenFile(QStringLiteral("/proj/p.dsp"));
        });
    const auto& shown = m_platform.shown();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[1].directory, home);
    EXPECT_EQ(shown[3].directory, home + QStringLiteral("/Project"));
    EXPECT_EQ(shown[3].filter, QStringLiteral("Dveloper Studio Project (*.dsp);;All Files (*)"));
}

TEST(ChooseDir, ReturnsTheDirectoryWithoutFinalSeparator) {
    CScriptedPlatform platform;
    platform.AnswerDirectory(QStringLiteral("/a/b/"));
    platform.AnswerDirectory(QString());
    CChooseDir first(platform, nullptr, QDir::homePath());
    EXPECT_EQ(first.DoModal(), IDOK);
    EXPECT_EQ(first.m_strDir, QStringLiteral("/a/b"));
    CChooseDir second(platform, nullptr, QDir::homePath());
    EXPECT_EQ(second.DoModal(), IDCANCEL);
    EXPECT_TRUE(second.m_strDir.isEmpty());
}
