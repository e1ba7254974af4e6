// The scripted double itself: it must fail a test that leaves an answer
// unused or that meets an interaction nobody scripted.
#include "Dialog.h"
#include "ScriptedPlatform.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

TEST(ScriptedPlatform, AnswersInOrderAndRecordsWhatWasShown) {
    CScriptedPlatform platform;
    platform.AnswerMessage(IDYES);
    platform.AnswerOpenFile(QStringLiteral("/p/a.qvd"));
    platform.AnswerUrl(false);
    EXPECT_EQ(platform.MessageBox(nullptr, QStringLiteral("Save?"), MessageIcon::Question,
                                  MessageButtons::YesNo),
              IDYES);
    EXPECT_EQ(platform.GetOpenFileName(nullptr, QStringLiteral("Open"), QStringLiteral("/home"),
                                       QStringLiteral("Kestrum Project (*.qvd)")),
              QStringLiteral("/p/a.qvd"));
    EXPECT_FALSE(platform.OpenUrl(QUrl(QStringLiteral("https://example.org/"))));
    ASSERT_EQ(platform.shown().size(), 3u);
    EXPECT_EQ(platform.shown()[0].text, QStringLiteral("Save?"));
    EXPECT_EQ(platform.shown()[0].icon, MessageIcon::Question);
    EXPECT_EQ(platform.shown()[1].filter, QStringLiteral("Kestrum Project (*.qvd)"));
    EXPECT_EQ(platform.Unused(), 0u);
}

TEST(ScriptedPlatform, RunsTheProgramsDialogThroughTheScript) {
    CScriptedPlatform platform;
    CDialog dialog(platform, nullptr);
    dialog.setObjectName(QStringLiteral("someDialog"));
    platform.AnswerDialog([](CDialog& shown) {
        EXPECT_EQ(shown.objectName(), QStringLiteral("someDialog"));
        return IDOK;
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(ScriptedPlatform, FailsWhenAnAnswerIsLeftUnused) {
    EXPECT_NONFATAL_FAILURE(
        {
            CScriptedPlatform platform;
            platform.AnswerMessage(IDOK);
        },
        "left unused");
}

TEST(ScriptedPlatform, FailsOnAnUnscriptedOrMismatchedInteraction) {
    CScriptedPlatform platform;
    EXPECT_NONFATAL_FAILURE(
        EXPECT_EQ(platform.MessageBox(nullptr, QStringLiteral("Oops"), MessageIcon::Exclamation,
                                      MessageButtons::Ok),
                  IDCANCEL),
        "unexpected message box: Oops");
    platform.AnswerDirectory(QStringLiteral("/src"));
    EXPECT_NONFATAL_FAILURE(EXPECT_TRUE(platform
                                            .GetSaveFileName(nullptr, QStringLiteral("Save"),
                                                             QString(), QString(), QString())
                                            .isEmpty()),
                            "the script expected a directory chooser");
    EXPECT_EQ(platform.ChooseDirectory(nullptr, QStringLiteral("Pick"), QStringLiteral("/")),
              QStringLiteral("/src"));
}
