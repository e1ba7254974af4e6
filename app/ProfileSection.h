// CProfileSection: the program's only access to its stored settings, the
// group "Settings" of QSettings("Brevant", "Kestrum"). Every value the
// program keeps is listed once in a table with its name, type and default;
// a value that is missing (or not a number where a number belongs) reads as
// that default. Callers make one on the stack for a batch of reads or
// writes and let it go; nothing is kept between batches.
#pragma once

#include <QRect>
#include <QSettings>
#include <QString>
#include <array>
#include <span>

enum class SettingType { Integer, String };

struct SettingDef {
    const char* name;
    SettingType type;
    int intDefault;            // for integers
    const char* stringDefault; // for strings
};

// The table of every stored value.
std::span<const SettingDef> AllSettings();

// The table entry of `name`, or null for a name the program never stores.
const SettingDef* FindSetting(const QString& name);

// Values of the "Option" kind are written as 8 when on and 0 when off; any
// non-zero value reads as on.
inline constexpr int kOptionOn = 8;
inline constexpr int kOptionOff = 0;

class CProfileSection {
public:
    // Stores the section name; reads and writes nothing. Changes reach the
    // disk at the latest when the object goes.
    explicit CProfileSection(const QString& section);

    // out = the stored integer; the table's default when missing or not a number.
    void GetInt(const QString& name, int& out) const;
    void WriteInt(const QString& name, int value) const;
    // out = the stored string; the table's default (empty) when missing.
    void GetString(const QString& name, QString& out) const;
    // An empty string is stored as an empty value, not deleted.
    void WriteString(const QString& name, const QString& value) const;

    // Ten strings under the names formed from `baseName` by replacing its last
    // character with the digits 0 to 9 ("Exts0" gives "Exts0" to "Exts9").
    void GetStringList(std::array<QString, 10>& out, const QString& baseName) const;
    void WriteStringList(const std::array<QString, 10>& values, const QString& baseName) const;

    // Reads the window's outer rectangle (450 x 450 at 0, 0 by default) and
    // returns the stored maximized flag.
    int LoadWindowPos(QRect& rect) const;
    // Writes the four edges only when `maximized` is 0, then the flag in any case.
    void SaveWindowPos(const QRect& rect, int maximized) const;

    // The name of entry i of a ten-value list.
    static QString ListEntryName(const QString& baseName, int i);

private:
    QString Key(const QString& name) const { return m_strSection + QLatin1Char('/') + name; }

    QString m_strSection;
    mutable QSettings m_settings;
};

// The section every use in the program passes.
inline const QString kSettingsSection = QStringLiteral("Settings");
