#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A scratch folder removed after the test, with helpers to put and read files.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    QString path(const QString& name) const;
    QString write(const QString& name, const QByteArray& bytes) const;
    static QByteArray read(const QString& filePath);
    // Every entry name in the folder, sorted.
    QStringList entries() const;
    static QStringList entriesOf(const QString& folder);

private:
    QTemporaryDir m_dir;
};

// File names that are not UTF-8, as the system gives them: 写真.jpg in Shift-JIS, café.jpg
// in Latin-1, and a lone 0xFF byte.
QStringList ForeignNames();

}  // namespace testsupport
