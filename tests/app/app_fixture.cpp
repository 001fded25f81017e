#include "app_fixture.h"

#include "app/app_globals.h"
#include "app/font_record.h"
#include "platform/codepage.h"
#include "platform/settings_folder.h"
#include "support/jpeg_builder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdlib>

namespace apptest {
namespace {

QTemporaryDir& home() {
    static QTemporaryDir dir;
    return dir;
}

void appendU16(QByteArray& out, uint16_t v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void appendU32(QByteArray& out, uint32_t v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void appendEntry(QByteArray& out, uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
    appendU16(out, tag);
    appendU16(out, type);
    appendU32(out, count);
    appendU32(out, value);
}

// "Exif\0\0" and a little-endian TIFF structure: IFD0 with Make and Model, and IFD1
// pointing at the thumbnail when there is one.
QByteArray exifPayload(const QByteArray& thumbnail) {
    const QByteArray make("Tollworks\0", 10), model("TW-1\0\0", 6);
    QByteArray tiff("II\x2A\x00\x08\x00\x00\x00", 8);
    const uint32_t ifd0Size = 2 + 2 * 12 + 4;
    const uint32_t makeAt = 8 + ifd0Size, modelAt = makeAt + 10, ifd1At = modelAt + 6;
    appendU16(tiff, 2);
    appendEntry(tiff, 0x010F, 2, 10, makeAt);
    appendEntry(tiff, 0x0110, 2, 5, modelAt);
    appendU32(tiff, thumbnail.isEmpty() ? 0 : ifd1At);
    tiff += make + model;
    if (!thumbnail.isEmpty()) {
        const uint32_t dataAt = ifd1At + 2 + 2 * 12 + 4;
        appendU16(tiff, 2);
        appendEntry(tiff, 0x0201, 4, 1, dataAt);
        appendEntry(tiff, 0x0202, 4, 1, static_cast<uint32_t>(thumbnail.size()));
        appendU32(tiff, 0);
        tiff += thumbnail;
    }
    return QByteArray("Exif\0\0", 6) + tiff;
}

}  // namespace

void EnsureApplication() {
    if (QApplication::instance()) return;
    const QByteArray root = QFile::encodeName(home().path());
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qunsetenv("XDG_PICTURES_DIR");
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    tollamar::InstallFontSubstitutes();
    tollamar::SettingsFolder();
}

QString SettingsFile(const QString& name) { return tollamar::SettingsFolder() + name; }

QString PicturesFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QDir().mkpath(folder);
    return folder;
}

QByteArray MakePhoto(int width, int height, const QString& comment, bool exif, const QByteArray& thumbnail) {
    const QByteArray picture = testsupport::EncodeJpeg(width, height);
    testsupport::JpegBuilder segments;
    if (exif || !thumbnail.isEmpty()) segments.app1(exifPayload(thumbnail));
    if (!comment.isEmpty()) segments.com(tollamar::ToCp932(comment));
    return picture.left(2) + segments.bytes() + picture.mid(2);
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void AppTest::SetUp() {
    EnsureApplication();
    for (const char* name : {"MainForm.INI", "Recent.INI", "NaviForm.INI"}) QFile::remove(SettingsFile(QString::fromLatin1(name)));
    PicturesFolder();
    tollamar::SetReportHook([this](const QString& text, bool) { m_reports.append(text); });
}

void AppTest::TearDown() { tollamar::SetReportHook({}); }

}  // namespace apptest
