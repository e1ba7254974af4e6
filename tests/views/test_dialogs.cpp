// The column chooser and the extension definitions dialog, played through
// the scripted platform as a user would: every chooser button at its limits,
// OK and Cancel, and the extension settings from first use on.
#include "CustomizeDlg.h"
#include "DefExtsDlg.h"
#include "ListViewEx.h"
#include "MainFrm.h"
#include "Resource.h"
#include "ScriptedPlatform.h"
#include "SettingsFixture.h"
#include "UpperCaseEdit.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

QStringList Items(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// The selected row of a list box, or -1.
int Selected(const QListWidget* list) {
    const auto items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.constFirst());
}

void Click(CDialog& dlg, const char* button) {
    auto* found = dlg.findChild<QPushButton*>(QLatin1String(button));
    ASSERT_NE(found, nullptr) << button;
    found->click();
}

int Result(const CDialog& dlg) {
    return dlg.result() == QDialog::Accepted ? IDOK : IDCANCEL;
}

const QStringList kAllTitles = {"File name", "Lines",  "Effective", "E%",    "Comment",
                                "C%",        "Blank",  "B%",        "Func.", "avg CC",
                                "min CC",    "max CC", "class",     "struct"};

// The titles the list view shows, in display order.
QStringList ShownTitles(const CListViewEx& list) {
    QStringList out;
    for (int i = 0; i < list.GetColumnCount(); ++i) {
        if (!list.isColumnHidden(i))
            out << list.model()->headerData(i, Qt::Horizontal).toString();
    }
    return out;
}

class ColumnChooser : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        m_list = std::make_unique<CListViewEx>(LayoutFileMetrics);
        m_list->RebuildColumns();
    }

    // Runs the chooser on the list with `user` playing the user.
    int Run(std::function<void(CCustomizeDlg&)> user) {
        m_platform.AnswerDialog([user](CDialog& dlg) {
            user(static_cast<CCustomizeDlg&>(dlg));
            return Result(dlg);
        });
        CCustomizeDlg dlg(m_platform);
        dlg.m_pListView = m_list.get();
        return dlg.DoModal();
    }

    static void SelectDisplayed(CCustomizeDlg& dlg, const QString& title) {
        QListWidget* list = dlg.DisplayedList();
        const auto found = list->findItems(title, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << title.toStdString();
        list->setCurrentItem(found[0]);
    }

    CScriptedPlatform m_platform;
    std::unique_ptr<CListViewEx> m_list;
};

TEST_F(ColumnChooser, OpensWithEveryColumnDisplayedInOrder) {
    EXPECT_EQ(Run([](CCustomizeDlg& dlg) {
                  EXPECT_EQ(dlg.objectName(), QStringLiteral("customizeDlg"));
                  EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Columns"));
                  EXPECT_EQ(Items(dlg.DisplayedList()), kAllTitles);
                  EXPECT_EQ(dlg.AvailableList()->count(), 0);
                  Click(dlg, "ok");
              }),
              IDOK);
    EXPECT_EQ(ShownTitles(*m_list), kAllTitles);
}

TEST_F(ColumnChooser, RemovedColumnsComeBackInTableOrderAndAreStoredAtExit) {
    EXPECT_EQ(Run([](CCustomizeDlg& dlg) {
                  SelectDisplayed(dlg, QStringLiteral("C%"));
                  Click(dlg, "remove");
                  EXPECT_EQ(Selected(dlg.DisplayedList()), -1);
                  SelectDisplayed(dlg, QStringLiteral("E%"));
                  Click(dlg, "remove");
                  EXPECT_EQ(Items(dlg.AvailableList()), QStringList({"C%", "E%"}));
                  Click(dlg, "ok");
              }),
              IDOK);
    // Rebuilt at once: 12 columns.
    QStringList twelve = kAllTitles;
    twelve.removeAll(QStringLiteral("E%"));
    twelve.removeAll(QStringLiteral("C%"));
    EXPECT_EQ(ShownTitles(*m_list), twelve);

    // The next opening lists the hidden ones in table order.
    Run([](CCustomizeDlg& dlg) {
        EXPECT_EQ(Items(dlg.AvailableList()), QStringList({"E%", "C%"}));
        EXPECT_EQ(Items(dlg.DisplayedList()).size(), 12);
        Click(dlg, "cancel");
    });
    m_list.reset();
    EXPECT_EQ(Stored("VisibleColumns").toString(), QStringLiteral("ABCEGHIJKLMN@@"));
}

TEST_F(ColumnChooser, AddPutsTheColumnAtTheEnd) {
    Store("VisibleColumns", QStringLiteral("ABDEFGHIJKLMN"));
    m_list = std::make_unique<CListViewEx>(LayoutFileMetrics);
    Run([](CCustomizeDlg& dlg) {
        QListWidget* available = dlg.AvailableList();
        ASSERT_EQ(Items(available), QStringList{"Effective"});
        Click(dlg, "add"); // nothing selected: nothing happens
        EXPECT_EQ(available->count(), 1);
        available->setCurrentRow(0);
        Click(dlg, "add");
        EXPECT_EQ(available->count(), 0);
        EXPECT_EQ(Items(dlg.DisplayedList()).last(), QStringLiteral("Effective"));
        EXPECT_EQ(Selected(dlg.DisplayedList()), -1);
        EXPECT_EQ(Selected(available), -1);
        Click(dlg, "ok");
    });
    EXPECT_EQ(m_list->OrderString(), QStringLiteral("ABDEFGHIJKLMNC"));
    EXPECT_EQ(ShownTitles(*m_list).last(), QStringLiteral("Effective"));
}

TEST_F(ColumnChooser, ButtonsDoNothingAtTheirLimits) {
    Run([](CCustomizeDlg& dlg) {
        QListWidget* displayed = dlg.DisplayedList();
        // No selection: no button changes anything.
        for (const char* button : {"remove", "moveUp", "moveDown", "add"})
            Click(dlg, button);
        EXPECT_EQ(Items(displayed), kAllTitles);
        EXPECT_EQ(dlg.AvailableList()->count(), 0);

        struct Case {
            const char* selected;
            const char* button;
        };
        for (const Case& c :
             {Case{"File name", "remove"}, Case{"File name", "moveUp"},
              Case{"File name", "moveDown"}, Case{"Lines", "moveUp"}, Case{"struct", "moveDown"}}) {
            SelectDisplayed(dlg, QLatin1String(c.selected));
            Click(dlg, c.button);
            EXPECT_EQ(Items(displayed), kAllTitles) << c.selected << " " << c.button;
            EXPECT_EQ(dlg.AvailableList()->count(), 0) << c.selected << " " << c.button;
        }
        Click(dlg, "cancel");
    });
}

TEST_F(ColumnChooser, MoveUpAndDownKeepTheItemSelected) {
    Run([](CCustomizeDlg& dlg) {
        QListWidget* displayed = dlg.DisplayedList();
        SelectDisplayed(dlg, QStringLiteral("Effective")); // position 2
        Click(dlg, "moveUp");
        EXPECT_EQ(displayed->item(1)->text(), QStringLiteral("Effective"));
        EXPECT_EQ(Selected(displayed), 1);
        Click(dlg, "moveUp"); // right under "File name" now: stays
        EXPECT_EQ(Selected(displayed), 1);
        EXPECT_EQ(displayed->item(0)->text(), QStringLiteral("File name"));

        SelectDisplayed(dlg, QStringLiteral("class")); // position 12 of 14
        Click(dlg, "moveDown");
        EXPECT_EQ(Selected(displayed), 13);
        EXPECT_EQ(displayed->item(13)->text(), QStringLiteral("class"));
        Click(dlg, "moveDown"); // last: stays
        EXPECT_EQ(Selected(displayed), 13);
        Click(dlg, "ok");
    });
    EXPECT_EQ(m_list->OrderString(), QStringLiteral("ACBDEFGHIJKLNM"));
}

TEST_F(ColumnChooser, EverythingButTheFileNameCanBeRemoved) {
    Run([](CCustomizeDlg& dlg) {
        QListWidget* displayed = dlg.DisplayedList();
        while (displayed->count() > 1) {
            displayed->setCurrentRow(displayed->count() - 1);
            Click(dlg, "remove");
        }
        // The last one stays, selected or not.
        displayed->setCurrentRow(0);
        Click(dlg, "remove");
        EXPECT_EQ(Items(displayed), QStringList{"File name"});
        EXPECT_EQ(dlg.AvailableList()->count(), 13);
        Click(dlg, "ok");
    });
    EXPECT_EQ(ShownTitles(*m_list), QStringList{"File name"});
    EXPECT_EQ(m_list->OrderString(), QStringLiteral("A@@@@@@@@@@@@@"));
}

TEST_F(ColumnChooser, CancelAfterChangesLeavesTheListAsItWas) {
    for (const char* how : {"button", "escape"}) {
        EXPECT_EQ(Run([how](CCustomizeDlg& dlg) {
                      SelectDisplayed(dlg, QStringLiteral("Lines"));
                      Click(dlg, "remove");
                      SelectDisplayed(dlg, QStringLiteral("Blank"));
                      Click(dlg, "moveDown");
                      if (QByteArray(how) == "button")
                          Click(dlg, "cancel");
                      else
                          static_cast<QDialog&>(dlg).reject(); // Escape, close box
                  }),
                  IDCANCEL)
            << how;
        EXPECT_EQ(ShownTitles(*m_list), kAllTitles) << how;
        EXPECT_EQ(m_list->OrderString(), QStringLiteral("ABCDEFGHIJKLMN")) << how;
    }
}

TEST_F(ColumnChooser, ColumnsCommandOpensItForTheMetricsList) {
    CMainFrame frame(m_platform);
    frame.Create(QString());
    m_platform.AnswerDialog([](CDialog& dlg) {
        auto& chooser = static_cast<CCustomizeDlg&>(dlg);
        chooser.DisplayedList()->setCurrentRow(1);
        Click(dlg, "remove");
        Click(dlg, "ok");
        return Result(dlg);
    });
    ASSERT_TRUE(frame.OnCommand(ID_TB_METRICS_COLUMNS));
    EXPECT_EQ(frame.m_pListView->OrderString(), QStringLiteral("ACDEFGHIJKLMN@"));
    ASSERT_EQ(m_platform.shown().size(), 1u);
    EXPECT_EQ(m_platform.shown()[0].text, QStringLiteral("customizeDlg"));
}

// ---- Extension definitions ---------------------------------------------------

class DefineExtensions : public SettingsTest {
protected:
    // Runs the dialog through the main window's command.
    void Run(std::function<void(CDefExtsDlg&)> user) {
        m_platform.AnswerDialog([user](CDialog& dlg) {
            user(static_cast<CDefExtsDlg&>(dlg));
            return Result(dlg);
        });
        ASSERT_TRUE(m_frame->OnCommand(ID_DEFINE_EXTS));
    }

    void SetUp() override {
        SettingsTest::SetUp();
        m_frame = std::make_unique<CMainFrame>(m_platform);
        m_frame->Create(QString());
    }
    void TearDown() override { m_frame.reset(); }

    static QStringList Fields(CDefExtsDlg& dlg) {
        return {dlg.CEdit()->text(), dlg.CppEdit()->text(), dlg.VbEdit()->text()};
    }
    static QStringList StoredLists() {
        return {Stored("C_Def_Exts").toString(), Stored("CPP_Def_Exts").toString(),
                Stored("VB_Def_Exts").toString()};
    }

    CScriptedPlatform m_platform;
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(DefineExtensions, FirstOpeningStoresAndShowsItsOwnDefaultsEvenOnCancel) {
    Run([](CDefExtsDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Define file extensions"));
        EXPECT_EQ(Fields(dlg), QStringList({"C", "CPP; HPP", "BAS; FRM"}));
        EXPECT_EQ(dlg.DefaultLanguageBox()->currentIndex(), 0);
        EXPECT_EQ(dlg.DefaultLanguageBox()->currentText(), QStringLiteral("CPP"));
        EXPECT_EQ(dlg.DefaultLanguageBox()->count(), 3);
        Click(dlg, "cancel");
    });
    EXPECT_EQ(StoredLists(), QStringList({"C", "CPP; HPP", "BAS; FRM"}));
    // Cancel wrote nothing else.
    EXPECT_FALSE(Stored("Def_Def_Exts").isValid());
}

TEST_F(DefineExtensions, ConfirmingUntouchedStoresTheShownLanguage) {
    Run([](CDefExtsDlg& dlg) { Click(dlg, "ok"); });
    EXPECT_EQ(Stored("Def_Def_Exts").toInt(), 0);
    EXPECT_EQ(StoredLists(), QStringList({"C", "CPP; HPP", "BAS; FRM"}));
}

TEST_F(DefineExtensions, EmptiedListsAreStoredEmptyAndTheNextOpeningRestoresTheDefaults) {
    Run([](CDefExtsDlg& dlg) {
        dlg.CEdit()->clear();
        dlg.CppEdit()->clear();
        dlg.VbEdit()->clear();
        Click(dlg, "ok");
    });
    EXPECT_EQ(StoredLists(), QStringList({"", "", ""}));
    EXPECT_TRUE(Stored("C_Def_Exts").isValid()); // stored as empty, not deleted
    Run([](CDefExtsDlg& dlg) {
        EXPECT_EQ(Fields(dlg), QStringList({"C", "CPP; HPP", "BAS; FRM"}));
        Click(dlg, "cancel");
    });
    EXPECT_EQ(StoredLists(), QStringList({"C", "CPP; HPP", "BAS; FRM"}));
}

TEST_F(DefineExtensions, OneEmptyListIsLeftEmpty) {
    Store("C_Def_Exts", QString());
    Store("CPP_Def_Exts", QStringLiteral("CXX"));
    Run([](CDefExtsDlg& dlg) {
        EXPECT_EQ(Fields(dlg), QStringList({"", "CXX", ""}));
        Click(dlg, "cancel");
    });
    EXPECT_EQ(StoredLists(), QStringList({"", "CXX", ""}));
}

TEST_F(DefineExtensions, StoredDefaultLanguage) {
    struct Case {
        int stored;
        int shown; // -1: no selection
        int written;
    };
    for (const Case& c : {Case{0, 0, 0}, Case{1, 1, 1}, Case{2, 2, 2}, Case{-1, 1, 1},
                          Case{3, -1, 1}, Case{-7, -1, 1}}) {
        Store("Def_Def_Exts", c.stored);
        Run([&c](CDefExtsDlg& dlg) {
            EXPECT_EQ(dlg.DefaultLanguageBox()->currentIndex(), c.shown) << c.stored;
            Click(dlg, "ok");
        });
        EXPECT_EQ(Stored("Def_Def_Exts").toInt(), c.written) << c.stored;
    }
    // A chosen language is stored by its position.
    Run([](CDefExtsDlg& dlg) {
        dlg.DefaultLanguageBox()->setCurrentIndex(2);
        EXPECT_EQ(dlg.DefaultLanguageBox()->currentText(), QStringLiteral("VISUAL BASIC"));
        Click(dlg, "ok");
    });
    EXPECT_EQ(Stored("Def_Def_Exts").toInt(), 2);
}

TEST_F(DefineExtensions, TypedExtensionsAreShownAndStoredInUpperCase) {
    Run([](CDefExtsDlg& dlg) {
        dlg.CppEdit()->clear();
        QTest::keyClicks(dlg.CppEdit(), QStringLiteral("cxx; hh"));
        EXPECT_EQ(dlg.CppEdit()->text(), QStringLiteral("CXX; HH"));
        EXPECT_EQ(dlg.CppEdit()->cursorPosition(), 7);
        dlg.VbEdit()->setText(QStringLiteral("cls"));
        Click(dlg, "ok");
    });
    EXPECT_EQ(StoredLists(), QStringList({"C", "CXX; HH", "CLS"}));
}

} // namespace
