#include "support/temp_folder.h"

#include "platform/native_name.h"

#include <QDir>
#include <algorithm>
#include <dirent.h>
#include <cstdio>
#include <fcntl.h>
#include <ftw.h>
#include <unistd.h>

namespace testsupport {

TempFolder::TempFolder() : m_dir(QDir::tempPath() + QStringLiteral("/tollamar-test-XXXXXX")) {}

static int removeEntry(const char* path, const struct stat*, int, FTW*) { return remove(path); }

// QTemporaryDir cannot remove names that are not UTF-8; the walk by bytes can.
TempFolder::~TempFolder() {
    nftw(tollamar::NativeName(m_dir.path()).constData(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

QString TempFolder::path(const QString& name) const {
    if (name.isEmpty()) return m_dir.path();
    return name.startsWith(u'/') ? name : m_dir.path() + u'/' + name;
}

// Files are made and read through the system calls with the name's own bytes, so that
// names which are not UTF-8 reach the disk exactly.
QString TempFolder::write(const QString& name, const QByteArray& bytes) const {
    const QString filePath = path(name);
    const int fd = open(tollamar::NativeName(filePath).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written = fd >= 0 && ::write(fd, bytes.constData(), bytes.size()) == bytes.size();
    if (fd >= 0) close(fd);
    if (!written) qFatal("cannot write test file %s", qPrintable(filePath));
    return filePath;
}

QByteArray TempFolder::read(const QString& filePath) {
    const int fd = open(tollamar::NativeName(filePath).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    QByteArray all;
    char buffer[65536];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) all.append(buffer, n);
    close(fd);
    return all;
}

QStringList TempFolder::entries() const { return entriesOf(m_dir.path()); }

QStringList TempFolder::entriesOf(const QString& folder) {
    QStringList names;
    DIR* dir = opendir(tollamar::NativeName(folder).constData());
    if (!dir) return names;
    while (const dirent* entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..") names.append(tollamar::NameFromNative(name));
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

QStringList ForeignNames() {
    return {tollamar::NameFromNative("\x8E\xCA\x90\x5E.jpg"), tollamar::NameFromNative("caf\xE9.jpg"),
            tollamar::NameFromNative("\xFF.jpg")};
}

}  // namespace testsupport
