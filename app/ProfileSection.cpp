#include "ProfileSection.h"

#include <climits>

namespace {

// Every value the program stores in "Settings", with its default.
constexpr SettingDef kSettings[] = {
    // Main window rectangle, outer edges in screen pixels, and its maximized flag.
    {"WndPosLeft", SettingType::Integer, 0, ""},
    {"WndPosTop", SettingType::Integer, 0, ""},
    {"WndPosRight", SettingType::Integer, 450, ""},
    {"WndPosBottom", SettingType::Integer, 450, ""},
    {"WndPosMaximized", SettingType::Integer, 0, ""},
    // Language mode: 0 C++, 1 C, 2 Visual Basic, 3 by file extension.
    {"CurrLanguage", SettingType::Integer, 0, ""},
    // Text of the project tree's file items: 0 full path, 1 path, 2 file name.
    {"PrjShowType", SettingType::Integer, 0, ""},
    // Options, 8 on and 0 off.
    {"AlwaysOnTop", SettingType::Integer, 0, ""},
    {"PrjAutoSort", SettingType::Integer, 0, ""},
    {"ShowFullPath", SettingType::Integer, 0, ""},
    {"ShowGridLines", SettingType::Integer, 0, ""},
    {"ResultsAsList", SettingType::Integer, 0, ""},
    // Recent projects, most recent first ("Rec4" is read and never written).
    {"Rec0", SettingType::String, 0, ""},
    {"Rec1", SettingType::String, 0, ""},
    {"Rec2", SettingType::String, 0, ""},
    {"Rec3", SettingType::String, 0, ""},
    {"Rec4", SettingType::String, 0, ""},
    // Extension lists of the by-extension language mode and its fallback language.
    {"C_Def_Exts", SettingType::String, 0, ""},
    {"CPP_Def_Exts", SettingType::String, 0, ""},
    {"VB_Def_Exts", SettingType::String, 0, ""},
    {"Def_Def_Exts", SettingType::Integer, 0, ""},
    // Extension-list history of the source dialog, most recent first.
    {"Exts0", SettingType::String, 0, ""},
    {"Exts1", SettingType::String, 0, ""},
    {"Exts2", SettingType::String, 0, ""},
    {"Exts3", SettingType::String, 0, ""},
    {"Exts4", SettingType::String, 0, ""},
    {"Exts5", SettingType::String, 0, ""},
    {"Exts6", SettingType::String, 0, ""},
    {"Exts7", SettingType::String, 0, ""},
    {"Exts8", SettingType::String, 0, ""},
    {"Exts9", SettingType::String, 0, ""},
    // Visible columns of the file metrics list in display order; empty means all.
    {"VisibleColumns", SettingType::String, 0, ""},
};

} // namespace

std::span<const SettingDef> AllSettings() {
    return kSettings;
}

const SettingDef* FindSetting(const QString& name) {
    for (const SettingDef& def : kSettings) {
        if (name == QLatin1String(def.name)) {
            return &def;
        }
    }
    return nullptr;
}

CProfileSection::CProfileSection(const QString& section)
    : m_strSection(section), m_settings(QStringLiteral("Brevant"), QStringLiteral("Kestrum")) {}

void CProfileSection::GetInt(const QString& name, int& out) const {
    const SettingDef* def = FindSetting(name);
    out = def != nullptr && def->type == SettingType::Integer ? def->intDefault : 0;
    const QVariant value = m_settings.value(Key(name));
    if (!value.isValid()) {
        return;
    }
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    // Integers are 32-bit; a text that is no number, or a number outside that
    // range, reads as missing.
    if (ok && number >= INT_MIN && number <= INT_MAX) {
        out = static_cast<int>(number);
    }
}

void CProfileSection::WriteInt(const QString& name, int value) const {
    m_settings.setValue(Key(name), value);
}

void CProfileSection::GetString(const QString& name, QString& out) const {
    const SettingDef* def = FindSetting(name);
    const QString fallback = def != nullptr && def->type == SettingType::String
                                 ? QString::fromLatin1(def->stringDefault)
                                 : QString();
    const QVariant value = m_settings.value(Key(name));
    out = value.isValid() ? value.toString() : fallback;
}

void CProfileSection::WriteString(const QString& name, const QString& value) const {
    // QSettings keeps an empty string as an empty value: the name stays stored.
    m_settings.setValue(Key(name), value);
}

QString CProfileSection::ListEntryName(const QString& baseName, int i) {
    QString name = baseName;
    if (name.isEmpty()) {
        return QString::number(i);
    }
    name[name.size() - 1] = QLatin1Char(static_cast<char>('0' + i));
    return name;
}

void CProfileSection::GetStringList(std::array<QString, 10>& out, const QString& baseName) const {
    for (int i = 0; i < 10; ++i) {
        GetString(ListEntryName(baseName, i), out[i]);
    }
}

void CProfileSection::WriteStringList(const std::array<QString, 10>& values,
                                      const QString& baseName) const {
    for (int i = 0; i < 10; ++i) {
        WriteString(ListEntryName(baseName, i), values[i]);
    }
}

int CProfileSection::LoadWindowPos(QRect& rect) const {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    GetInt(QStringLiteral("WndPosTop"), top);
    GetInt(QStringLiteral("WndPosLeft"), left);
    GetInt(QStringLiteral("WndPosRight"), right);
    GetInt(QStringLiteral("WndPosBottom"), bottom);
    // QRect's right and bottom are inclusive; the stored edges are exclusive.
    rect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    int maximized = 0;
    GetInt(QStringLiteral("WndPosMaximized"), maximized);
    return maximized;
}

void CProfileSection::SaveWindowPos(const QRect& rect, int maximized) const {
    if (maximized == 0) {
        WriteInt(QStringLiteral("WndPosTop"), rect.top());
        WriteInt(QStringLiteral("WndPosLeft"), rect.left());
        WriteInt(QStringLiteral("WndPosRight"), rect.left() + rect.width());
        WriteInt(QStringLiteral("WndPosBottom"), rect.top() + rect.height());
    }
    WriteInt(QStringLiteral("WndPosMaximized"), maximized);
}
