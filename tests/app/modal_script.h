#pragma once
// Answers the modal windows a command opens, one step each, in order. Each window is
// taken up when it is shown, from inside its own modal loop, so a window that closes
// again at once (a short progress dialog) is seen as surely as one that waits.

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <deque>
#include <functional>

namespace apptest {

class ModalScript : public QObject {
public:
    // Gets a modal window just shown; true when it was the one the step waits for.
    using Step = std::function<bool(QWidget*)>;
    ModalScript();
    // Fails the test for a step never reached or a window no step was left for.
    ~ModalScript() override;

    ModalScript& then(Step step);
    // The next message box: recorded in boxes as "title|text", pressed with button.
    ModalScript& press(QMessageBox::StandardButton button);
    // The next input box: text typed and confirmed, or the box cancelled.
    ModalScript& type(const QString& text);
    ModalScript& cancelInput();

    QStringList boxes;
    // Windows no step took (progress dialogs aside): closed unanswered, as "title|text".
    QStringList unexpected;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void answer(QWidget* window);
    void answerShown();

    std::deque<Step> m_steps;
    std::deque<QPointer<QWidget>> m_shown;
};

}  // namespace apptest
