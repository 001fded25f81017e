// Tollamar: the photo browser's window program. The optional first argument names the
// folder to open.

#include "app/application.h"
#include "app/main_form.h"
#include "platform/native_name.h"
#include "platform/settings_folder.h"

int main(int argc, char** argv) {
    tollamar::SettingsFolder();  // fixed and created before any window exists
    tollamar::TApplication app(argc, argv);
    // QApplication has taken its own options out of argv; the rest are file names, kept
    // as the bytes the system passed (QApplication::arguments() would lose any that are
    // not UTF-8).
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments.append(tollamar::NameFromNative(argv[i]));
    tollamar::TMainForm mainForm(arguments);
    mainForm.show();
    return QApplication::exec();
}
