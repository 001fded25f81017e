#include "app/app_icon.h"

#include <QString>

// The resources live in a static library: the linker keeps them only when they are
// named from code that is linked in. Outside any namespace, as the macro requires.
static void initIconResources() { Q_INIT_RESOURCE(app_icons); }

namespace tollamar {

QIcon AppIcon() {
    static const QIcon icon = [] {
        initIconResources();
        QIcon builtIn;
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
            builtIn.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
        return QIcon::fromTheme(QStringLiteral("org.tollworks.Tollamar"), builtIn);
    }();
    return icon;
}

}  // namespace tollamar
