// Shared by the widget tests: each test starts from empty settings.
#pragma once

#include <gtest/gtest.h>

#include <QSettings>
#include <QVariant>

inline QSettings TestStore() {
    return QSettings(QStringLiteral("Brevant"), QStringLiteral("Kestrum"));
}

// The raw stored value of "Settings/<name>"; invalid when missing.
inline QVariant Stored(const char* name) {
    return TestStore().value(QStringLiteral("Settings/") + QLatin1String(name));
}

inline void Store(const char* name, const QVariant& value) {
    QSettings store = TestStore();
    store.setValue(QStringLiteral("Settings/") + QLatin1String(name), value);
    store.sync();
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings store = TestStore();
        store.clear();
        store.sync();
    }
};
