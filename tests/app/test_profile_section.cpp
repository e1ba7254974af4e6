// The settings store: defaults, malformed values, ten-value lists and the
// window rectangle with its maximized flag.
#include "ProfileSection.h"
#include "SettingsFixture.h"

#include <QDir>

using ProfileSection = SettingsTest;

TEST_F(ProfileSection, SettingsLiveInTheTestDirectoryNotTheUsersHome) {
    const QString file = TestStore().fileName();
    EXPECT_FALSE(file.startsWith(QDir::homePath() + QStringLiteral("/.config")))
        << file.toStdString();
}

TEST_F(ProfileSection, MissingValuesReadAsTheTableDefaults) {
    const CProfileSection profile(kSettingsSection);
    struct Case {
        const char* name;
        int expected;
    };
    for (const Case& c :
         {Case{"WndPosLeft", 0}, Case{"WndPosTop", 0}, Case{"WndPosRight", 450},
          Case{"WndPosBottom", 450}, Case{"WndPosMaximized", 0}, Case{"CurrLanguage", 0},
          Case{"AlwaysOnTop", 0}, Case{"Def_Def_Exts", 0}}) {
        int value = -1;
        profile.GetInt(QLatin1String(c.name), value);
        EXPECT_EQ(value, c.expected) << c.name;
    }
    QString text = QStringLiteral("not read");
    profile.GetString(QStringLiteral("VisibleColumns"), text);
    EXPECT_EQ(text, QString());
    // Reading creates nothing.
    EXPECT_TRUE(TestStore().allKeys().isEmpty());
}

TEST_F(ProfileSection, EveryStoredNameIsInTheTableOnce) {
    QStringList names;
    for (const SettingDef& def : AllSettings()) {
        EXPECT_FALSE(names.contains(QLatin1String(def.name))) << def.name;
        names << QLatin1String(def.name);
    }
    for (const char* name :
         {"Rec0", "Rec4", "Exts0", "Exts9", "C_Def_Exts", "CPP_Def_Exts", "VB_Def_Exts",
          "PrjShowType", "PrjAutoSort", "ShowFullPath", "ShowGridLines", "ResultsAsList"}) {
        EXPECT_NE(FindSetting(QLatin1String(name)), nullptr) << name;
    }
    EXPECT_EQ(FindSetting(QStringLiteral("Exts10")), nullptr);
}

TEST_F(ProfileSection, MalformedIntegersReadAsTheDefault) {
    // A hand-edited settings file must not give the window a garbage size.
    Store("WndPosRight", QStringLiteral("wide"));
    Store("WndPosBottom", QStringLiteral("99999999999"));
    Store("WndPosTop", QStringLiteral("-12"));
    const CProfileSection profile(kSettingsSection);
    int right = 0;
    int bottom = 0;
    int top = 0;
    profile.GetInt(QStringLiteral("WndPosRight"), right);
    profile.GetInt(QStringLiteral("WndPosBottom"), bottom);
    profile.GetInt(QStringLiteral("WndPosTop"), top);
    EXPECT_EQ(right, 450);
    EXPECT_EQ(bottom, 450);
    EXPECT_EQ(top, -12);
}

TEST_F(ProfileSection, EmptyStringIsStoredNotDeleted) {
    const CProfileSection profile(kSettingsSection);
    profile.WriteString(QStringLiteral("Rec0"), QStringLiteral("/p/a.qvd"));
    profile.WriteString(QStringLiteral("Rec0"), QString());
    QString value = QStringLiteral("x");
    profile.GetString(QStringLiteral("Rec0"), value);
    EXPECT_EQ(value, QString());
    EXPECT_TRUE(TestStore().contains(QStringLiteral("Settings/Rec0")));
}

TEST_F(ProfileSection, StringListUsesTheDigitNamesAndEmptyEntries) {
    Store("Exts0", QStringLiteral("H;C;CPP"));
    Store("Exts6", QStringLiteral("BAS"));
    Store("Exts8", QStringLiteral("FRM"));
    const CProfileSection profile(kSettingsSection);
    std::array<QString, 10> list;
    list.fill(QStringLiteral("stale"));
    profile.GetStringList(list, QStringLiteral("Exts0"));
    EXPECT_EQ(list[0], QStringLiteral("H;C;CPP"));
    EXPECT_EQ(list[6], QStringLiteral("BAS"));
    EXPECT_EQ(list[7], QString()); // missing "Exts7"
    EXPECT_EQ(list[8], QStringLiteral("FRM"));

    std::array<QString, 10> written;
    written[1] = QStringLiteral("HPP;CPP");
    profile.WriteStringList(written, QStringLiteral("Exts0"));
    for (int i = 0; i < 10; ++i) {
        const QString name = QStringLiteral("Settings/Exts%1").arg(i);
        EXPECT_TRUE(TestStore().contains(name)) << i;
        EXPECT_EQ(TestStore().value(name).toString(), written[i]) << i;
    }
}

TEST_F(ProfileSection, WindowPosKeepsEdgesWhileMaximized) {
    const CProfileSection profile(kSettingsSection);
    QRect rect;
    EXPECT_EQ(profile.LoadWindowPos(rect), 0);
    EXPECT_EQ(rect, QRect(0, 0, 450, 450));

    profile.SaveWindowPos(QRect(10, 20, 600, 500), 0);
    EXPECT_EQ(Stored("WndPosLeft").toInt(), 10);
    EXPECT_EQ(Stored("WndPosTop").toInt(), 20);
    EXPECT_EQ(Stored("WndPosRight").toInt(), 610);
    EXPECT_EQ(Stored("WndPosBottom").toInt(), 520);
    EXPECT_EQ(Stored("WndPosMaximized").toInt(), 0);

    profile.SaveWindowPos(QRect(0, 0, 1920, 1080), 1);
    EXPECT_EQ(profile.LoadWindowPos(rect), 1);
    EXPECT_EQ(rect, QRect(10, 20, 600, 500));
}
