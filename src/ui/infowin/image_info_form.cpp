#include "ui/infowin/image_info_form.h"

#include "app/item_data.h"
#include "exif/exif_summary.h"
#include "imaging/jpeg_size.h"
#include "jpegfile/comment_io.h"

#include <QPlainTextEdit>

namespace tollamar {
namespace {

QString section(const QString& title, QString body) {
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return QStringLiteral("[%1]\n%2\n").arg(title, body);
}

}  // namespace

TImageInfoForm::TImageInfoForm(QWidget* mainWindow)
    : TSubForm(QStringLiteral("ImageInfoForm"), QStringLiteral("画像情報ウィンドウ"), true, mainWindow),
      m_text(new QPlainTextEdit(this)) {
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWidget(m_text);
    resize(411, 280);
}

void TImageInfoForm::UpdateInfo(const TItemData* item) {
    m_text->clear();
    if (!item) return;
    // Read afresh: the list's entry may not be loaded yet.
    const QString comment = ReadComment(item->FileName);
    const QString file = FileSummaryText(item->FileName, ProbeJpegSize);
    const QString camera = ExifSummaryText(item->FileName);
    m_text->setPlainText(item->FileName + u'\n' + u'\n' + section(QStringLiteral("コメント"), comment) +
                         u'\n' + section(QStringLiteral("ファイル"), file) + u'\n' +
                         section(QStringLiteral("デジタルカメラ"), camera));
}

QString TImageInfoForm::text() const { return m_text->toPlainText(); }

}  // namespace tollamar
