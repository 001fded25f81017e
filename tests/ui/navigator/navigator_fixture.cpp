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

ModalScript::ModalScript() {
    QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
    m_timer.start(5);
}

ModalScript::~ModalScript() {
    EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " modal window(s) never came";
    EXPECT_TRUE(unexpected.isEmpty()) << unexpected.join(u'\n').toStdString();
}

ModalScript& ModalScript::then(Step step) {
    m_steps.push_back(std::move(step));
    return *this;
}

ModalScript& ModalScript::press(QMessageBox::StandardButton button) {
    return then([this, button](QWidget* w) {
        auto* box = dynamic_cast<QMessageBox*>(w);
        if (!box) return false;
        boxes.append(box->windowTitle() + u'|' + box->text());
        box->button(button)->click();
        return true;
    });
}

ModalScript& ModalScript::type(const QString& text) {
    return then([text](QWidget* w) {
        auto* input = dynamic_cast<QInputDialog*>(w);
        if (!input) return false;
        input->setTextValue(text);
        input->accept();
        return true;
    });
}

ModalScript& ModalScript::cancelInput() {
    return then([](QWidget* w) {
        auto* input = dynamic_cast<QInputDialog*>(w);
        if (!input) return false;
        input->reject();
        return true;
    });
}

void ModalScript::tick() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == m_last || dynamic_cast<tollamar::TProgressDlg*>(modal)) return;
    if (m_steps.empty()) {
        auto* box = dynamic_cast<QMessageBox*>(modal);
        if (!box && !dynamic_cast<QInputDialog*>(modal)) return;
        unexpected.append(box ? box->windowTitle() + u'|' + box->text() : modal->windowTitle());
        m_last = modal;
        static_cast<QDialog*>(modal)->reject();
        return;
    }
    if (!m_steps.front()(modal)) return;
    m_last = modal;
    m_steps.pop_front();
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
