// Tollamar: the photo browser's window program. The optional first argument names the
// folder to open.

#include "app/application.h"
#include "app/main_form.h"
#include "platform/settings_folder.h"

int main(int argc, char** argv) {
    tollamar::SettingsFolder();  // fixed and created before any window exists
    tollamar::TApplication app(argc, argv);
    tollamar::TMainForm mainForm(QApplication::arguments().mid(1));
    mainForm.show();
    return QApplication::exec();
}
