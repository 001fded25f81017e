#pragma once
// What the navigator tests share: the window fixture with Favorite.INI removed as well,
// the script that answers modal windows, and clicks on rows of item views.

#include "app_fixture.h"
#include "modal_script.h"

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

using ModalScript = apptest::ModalScript;

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
