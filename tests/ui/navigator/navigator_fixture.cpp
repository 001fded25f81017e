#include "navigator_fixture.h"

#include "ui/dialogs/progress_dlg.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QPushButton>
#include <QTest>

namespace navitest {

void NaviTest::SetUp() {
    AppTest::SetUp();
    QFile::remove(apptest::SettingsFile(QStringLiteral("Favorite.INI")));
}

void TypeText(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, n), Qt::NoModifier);
        i += n - 1;
    }
}

void Tick(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void ClickRow(QAbstractItemView* view, const QModelIndex& index) {
    view->scrollTo(index);
    const QRect rect = view->visualRect(index);
    ASSERT_FALSE(rect.isEmpty());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

QString MakeFolder(const QString& root, const QString& relative) {
    const QString path = root + u'/' + relative;
    QDir().mkpath(path);
    return path;
}

}  // namespace navitest
