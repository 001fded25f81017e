// TMainForm: the font, open, print and about commands.

#include "app/app_globals.h"
#include "app/app_icon.h"
#include "app/command_icons.h"
#include "app/font_record.h"
#include "app/ini_file.h"
#include "app/new_action.h"
#include "app/main_form.h"
#include "app/photo_list_model.h"
#include "app/photo_list_view.h"
#include "platform/native_name.h"
#include "platform/settings_folder.h"
#include "ui/dialogs/about_box.h"

#include <QAction>
#include <QDesktopServices>
#include <QFontDialog>
#include <QUrl>

namespace tollamar {

void TMainForm::createViewCommandActions() {
    FontSelectAction = NewAction(this, "FontSelectAction", QStringLiteral("フォント(&F)"),
                                 QStringLiteral("文字表示のフォントを変えます"));
    connect(FontSelectAction, &QAction::triggered, this, [this] { FontSelectActionExecute(); });
    OpenImageAction = NewAction(this, "OpenImageAction", QStringLiteral("アプリケーションで開く(&O)"));
    OpenImageAction->setEnabled(false);
    connect(OpenImageAction, &QAction::triggered, this, [this] { OpenImageActionExecute(); });
    // Printing is left to the program that opens the photo.
    PrintImageAction = NewAction(this, "PrintImageAction", QStringLiteral("印刷(&P)"));
    PrintImageAction->setEnabled(false);
    AboutAction = NewAction(this, "AboutAction", QStringLiteral("バージョン情報(&A)"),
                            QStringLiteral("このソフトウェアについて"));
    AboutAction->setIcon(CommandIcon(0));
    connect(AboutAction, &QAction::triggered, this, [this] { AboutActionExecute(); });
}

void TMainForm::FontSelectActionExecute() {
    QFontDialog dialog(ListView1->font(), this);
    dialog.setWindowTitle(QStringLiteral("フォント"));
    {
        ModalBracket bracket;
        if (dialog.exec() != QDialog::Accepted) return;
    }
    const QFont chosen = dialog.selectedFont();
    setMainFont(chosen);
    // Stored at once, so that the choice survives a crash before the window closes.
    m_fontRecord = RecordFromFont(chosen, m_fontRecord);
    WriteIniStringNow(SettingsFileName(QStringLiteral("MainForm")), QStringLiteral("App"),
                      QStringLiteral("Font"), FontRecordToHex(m_fontRecord));
}

void TMainForm::OpenImageActionExecute() {
    const TItemData* entry = m_model->entry(ListView1->selectedRow());
    if (!entry) return;
    // Percent-encoded from the name's bytes, so that a name which is not UTF-8 reaches
    // the desktop's program as it is on disk.
    const QUrl url = QUrl::fromEncoded(QByteArray("file://") + NativeName(entry->FileName).toPercentEncoding("/"));
    if (!QDesktopServices::openUrl(url))
        ReportError(DisplayName(entry->FileName) + QStringLiteral("\nを開くアプリケーションを起動できませんでした"));
}

void TMainForm::AboutActionExecute() {
    TAboutBox box(AppTitle(), AppIcon(), this);
    ModalBracket bracket;
    box.exec();
}

}  // namespace tollamar
