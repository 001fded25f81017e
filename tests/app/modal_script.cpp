#include "modal_script.h"

#include "ui/dialogs/progress_dlg.h"

#include <QApplication>
#include <QInputDialog>
#include <QPushButton>
#include <gtest/gtest.h>

namespace apptest {

ModalScript::ModalScript() { qApp->installEventFilter(this); }

ModalScript::~ModalScript() {
    qApp->removeEventFilter(this);
    answerShown();
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

bool ModalScript::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show || event->spontaneous() || !watched->isWidgetType()) return false;
    auto* window = static_cast<QWidget*>(watched);
    if (!window->isWindow() || !window->isModal()) return false;
    // Answered once the window's modal loop runs: the call is queued ahead of anything
    // the window itself queues when it is shown (a progress dialog's job).
    m_shown.emplace_back(window);
    QMetaObject::invokeMethod(this, [this] { answerShown(); }, Qt::QueuedConnection);
    return false;
}

void ModalScript::answerShown() {
    while (!m_shown.empty()) {
        const QPointer<QWidget> window = m_shown.front();
        m_shown.pop_front();
        if (window) answer(window);
    }
}

void ModalScript::answer(QWidget* window) {
    if (!m_steps.empty() && m_steps.front()(window)) {
        m_steps.pop_front();
        return;
    }
    // A progress dialog runs its job and closes by itself.
    if (dynamic_cast<tollamar::TProgressDlg*>(window)) return;
    auto* box = dynamic_cast<QMessageBox*>(window);
    unexpected.append(window->windowTitle() + (box ? u'|' + box->text() : QString()));
    if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible()) dialog->reject();
}

}  // namespace apptest
