#pragma once

#include <QString>

namespace tollamar {

// ~/.config/<vendor>/Tollamar/ with a trailing slash, created on first use; fixed for
// the life of the process.
QString SettingsFolder();
// SettingsFolder() + componentName + ".INI".
QString SettingsFileName(const QString& componentName);

}  // namespace tollamar
