#include "ui/dialogs/edit_text_dlg.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tollamar;

namespace {

// Runs what the user does once the dialog is on screen, then the dialog's modal loop.
int execWith(TEditTextDlg& dialog, const std::function<void()>& user) {
    QTimer::singleShot(0, &dialog, user);
    return dialog.exec();
}

}  // namespace

TEST(EditTextDlg, EnterStartsANewLineAndEscCancels) {
    TEditTextDlg dialog;
    dialog.InitialText = QStringLiteral("前の\r\nコメント");
    QString shown;
    bool openAfterEnter = false;
    const int result = execWith(dialog, [&] {
        shown = dialog.Text();
        EXPECT_TRUE(dialog.InitialText.isEmpty());
        EXPECT_EQ(dialog.focusWidget(), dialog.RichEdit1);
        dialog.RichEdit1->moveCursor(QTextCursor::End);
        QTest::keyClick(dialog.RichEdit1, Qt::Key_Return);
        QTest::keyClicks(dialog.RichEdit1, QStringLiteral("abc"));
        openAfterEnter = dialog.isVisible();
        QTest::keyClick(dialog.RichEdit1, Qt::Key_Escape);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(shown, QStringLiteral("前の\r\nコメント"));
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(dialog.Text(), QStringLiteral("前の\r\nコメント\r\nabc"));
}

TEST(EditTextDlg, OkGivesTheTextUnchangedWithTheModifiersHeldAtThatMoment) {
    TEditTextDlg dialog;
    // Outside Shift-JIS, a no-break space, a combining accent and a line separator.
    const QString text = QStringLiteral("海😀 한국어\u00A0e\u0301\r\n二行目\u2028続き\r\n");
    dialog.InitialText = text;
    EXPECT_EQ(execWith(dialog, [&] {
                  QTest::mouseClick(dialog.OKBtn, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
              }),
              QDialog::Accepted);
    EXPECT_EQ(dialog.Text(), text);
    EXPECT_EQ(dialog.ConfirmModifiers(), Qt::ShiftModifier | Qt::ControlModifier);

    // The next use starts from its own (empty) text, and Tab reaches OK.
    EXPECT_EQ(execWith(dialog, [&] {
                  EXPECT_TRUE(dialog.Text().isEmpty());
                  QTest::keyClick(dialog.RichEdit1, Qt::Key_Tab);
                  EXPECT_TRUE(dialog.OKBtn->hasFocus());
                  QTest::keyClick(dialog.OKBtn, Qt::Key_Space);
              }),
              QDialog::Accepted);
    EXPECT_EQ(dialog.ConfirmModifiers(), Qt::NoModifier);
}

TEST(EditTextDlg, AltOConfirmsWithTheShiftAndCtrlHeldWithIt) {
    TEditTextDlg dialog;
    const std::pair<Qt::KeyboardModifiers, Qt::KeyboardModifiers> presses[] = {
        {Qt::AltModifier, Qt::NoModifier},
        {Qt::AltModifier | Qt::ShiftModifier, Qt::ShiftModifier},
        {Qt::AltModifier | Qt::ShiftModifier | Qt::ControlModifier, Qt::ShiftModifier | Qt::ControlModifier}};
    for (const auto& [keys, held] : presses) {
        dialog.InitialText = QStringLiteral("text");
        EXPECT_EQ(execWith(dialog, [&] { QTest::keyClick(dialog.RichEdit1, Qt::Key_O, keys); }), QDialog::Accepted)
            << keys;
        EXPECT_EQ(dialog.Text(), QStringLiteral("text")) << "no letter typed";
        EXPECT_EQ(dialog.ConfirmModifiers(), held);
    }
}

TEST(EditTextDlg, FollowsTheFontOfItsMainWindow) {
    QWidget mainWindow;
    TEditTextDlg dialog(&mainWindow);
    QFont font = mainWindow.font();
    font.setPixelSize(23);
    mainWindow.setFont(font);
    EXPECT_EQ(dialog.font().pixelSize(), 23);
    EXPECT_EQ(dialog.RichEdit1->font().pixelSize(), 23);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ダイアログ"));
}
