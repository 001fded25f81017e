#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A scratch folder removed after the test, with helpers to put and read files.
class TempFolder {
public:
    TempFolder();
    QString path(const QString& name) const;
    QString write(const QString& name, const QByteArray& bytes) const;
    static QByteArray read(const QString& filePath);
    // Every entry name in the folder, sorted.
    QStringList entries() const;

private:
    QTemporaryDir m_dir;
};

}  // namespace testsupport
