#pragma once
// What the navigator tests share: the window fixture with Favorite.INI removed as well,
// a script that answers modal windows in turn, and clicks on rows of item views.

#include "app_fixture.h"

#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>

class QAbstractButton;
class QAbstractItemView;
class QModelIndex;

#include <ostream>

// Readable values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace navitest {

class NaviTest : public apptest::AppTest {
protected:
    void SetUp() override;
};

// Answers the modal windows that come up, one step each, in order; the progress dialog
// is passed over. Message boxes are recorded as "title|text". A step never reached, or
// a box no step was left for, fails the test.
class ModalScript {
public:
    using Step = std::function<bool(QWidget*)>;
    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    ModalScript& then(Step step);
    // The next message box: pressed with button.
    ModalScript& press(QMessageBox::StandardButton button);
    // The next input box: text typed and confirmed, or the box cancelled.
    ModalScript& type(const QString& text);
    ModalScript& cancelInput();

    QStringList boxes;
    // Message and input boxes that came when no step was left; closed unanswered.
    QStringList unexpected;

private:
    void tick();
    std::deque<Step> m_steps;
    QTimer m_timer;
    QPointer<QWidget> m_last;
};

// Typed into widget one character at a time, as an input method delivers text.
void TypeText(QWidget* widget, const QString& text);

// A left click on the box or round button of a check box or radio button (a click
// right of its text does nothing).
void Tick(QAbstractButton* button);

// A left click in the middle of the row of index, as the user gives it.
void ClickRow(QAbstractItemView* view, const QModelIndex& index);

// Path of a folder under root, made with its parents.
QString MakeFolder(const QString& root, const QString& relative);

}  // namespace navitest
