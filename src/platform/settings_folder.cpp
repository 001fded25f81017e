#include "platform/settings_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace tollamar {
namespace {

const QString kVendorFolder = QStringLiteral("Tollworks");

QString computeSettingsFolder() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QString folder;
    if (base.isEmpty()) {
        folder = QCoreApplication::applicationDirPath() + u'/';
    } else {
        if (!base.endsWith(u'/')) base += u'/';
        folder = base + kVendorFolder + u'/' + QStringLiteral("Tollamar/");
    }
    QDir().mkpath(folder);  // a folder that cannot be made shows up when a file is written
    return folder;
}

}  // namespace

QString SettingsFolder() {
    static const QString folder = computeSettingsFolder();
    return folder;
}

QString SettingsFileName(const QString& componentName) {
    return SettingsFolder() + componentName + QStringLiteral(".INI");
}

}  // namespace tollamar
