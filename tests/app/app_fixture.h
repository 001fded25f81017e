#pragma once
// What the window tests share: one QApplication on the offscreen platform, settings and
// home folders of their own, recorded message boxes, and photo files made in code.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace apptest {

// Creates the application once per process, with HOME and XDG_CONFIG_HOME in a scratch
// folder so that settings and the picture folder are the test's own.
void EnsureApplication();
QString SettingsFile(const QString& name);
// The user's picture folder, created.
QString PicturesFolder();

// A JPEG of width x height with an optional comment (stored as Shift-JIS), optional
// Exif (make and model) and, when thumbnail is not empty, an Exif thumbnail.
QByteArray MakePhoto(int width, int height, const QString& comment = {}, bool exif = false,
                     const QByteArray& thumbnail = {});

// Runs the event loop until done() is true or timeoutMs passes; false on timeout.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 10000);

// Each test starts without settings files and records the message boxes it causes.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    QStringList m_reports;
};

}  // namespace apptest
