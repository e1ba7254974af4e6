// Test main for the widget tests: a QApplication on the offscreen platform,
// with QSettings pointed at a temporary directory before the first QSettings
// object exists, so no test ever reads or writes the user's settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir config;
    if (!config.isValid()) {
        std::fprintf(stderr, "cannot make a temporary settings directory\n");
        return 2;
    }
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Brevant"));
    QCoreApplication::setApplicationName(QStringLiteral("Kestrum"));

    // Refuse to run at all when the settings would land anywhere else.
    const QString file = QSettings(QStringLiteral("Brevant"), QStringLiteral("Kestrum")).fileName();
    if (!file.startsWith(config.path())) {
        std::fprintf(stderr, "settings are not isolated: %s\n", qPrintable(file));
        return 2;
    }

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
