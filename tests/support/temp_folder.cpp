#include "support/temp_folder.h"

#include <QDir>
#include <QFile>

namespace testsupport {

TempFolder::TempFolder() : m_dir(QDir::tempPath() + QStringLiteral("/tollamar-test-XXXXXX")) {}

QString TempFolder::path(const QString& name) const { return m_dir.filePath(name); }

QString TempFolder::write(const QString& name, const QByteArray& bytes) const {
    const QString filePath = path(name);
    QFile file(filePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(filePath));
    return filePath;
}

QByteArray TempFolder::read(const QString& filePath) {
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QStringList TempFolder::entries() const {
    return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                        QDir::Name);
}

}  // namespace testsupport
