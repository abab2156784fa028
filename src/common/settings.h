#pragma once
// The per-user settings store of application Vorlix32: text values by section and value name,
// both compared without regard to case. One INI file, replaced atomically on every save.
#include <QString>
#include <utility>
#include <vector>

namespace vx::settings {

QString GetSetting(const QString& section, const QString& key, const QString& defaultText);
void SaveSetting(const QString& section, const QString& key, const QString& value);
// Several values of one section in one save: the file is written once.
void SaveSettings(const QString& section, const std::vector<std::pair<QString, QString>>& values);

// $XDG_CONFIG_HOME/Vorlix32/Vorlix32.ini (or ~/.config/...).
QString storeFolder();
QString storePath();
// Forgets what was read, so the next read loads the file again (tests change the folder).
void reload();

}  // namespace vx::settings
