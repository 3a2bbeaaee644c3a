#pragma once

#include <QString>

// The program's settings: typed values (integer or text) under one key of the current user, names
// compared without regard to letter case. Every call opens the store, does one read or write and
// closes it again.
void WriteSettingString(const QString &name, const QString &value);
void WriteSettingInteger(const QString &name, qint32 value);
qint32 ReadSettingInteger(const QString &name); // 0 when missing, of the other type or unreadable
QString ReadSettingString(const QString &name); // empty in the same cases

namespace SettingsStore {
// The settings file (registry key on Windows). Tests point it into a temporary folder.
void setLocation(const QString &fileName);
QString location();
} // namespace SettingsStore
