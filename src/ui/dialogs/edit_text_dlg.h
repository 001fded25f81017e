#pragma once
// The comment editor: a plain-text editor for Unicode text with OK and Cancel. One
// instance lives as long as the program and is reused for every edit.

#include <QDialog>
#include <QString>

class QKeyEvent;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;

namespace tollamar {

class TEditTextDlg : public QDialog {
public:
    // With the main window as parent the dialog takes over its font, now and whenever
    // it changes.
    explicit TEditTextDlg(QWidget* parent = nullptr);

    // Set before showing; moved into the editor when the dialog is shown, then emptied.
    QString InitialText;

    // The editor's whole text, unchanged, with CR LF between lines.
    QString Text() const;
    // The modifier keys held at the moment OK was chosen.
    Qt::KeyboardModifiers ConfirmModifiers() const { return m_confirmModifiers; }

    void accept() override;

    QPlainTextEdit* RichEdit1;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QStatusBar* StatusBar1;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Alt+O with or without Shift and Ctrl.
    static bool isOkAccelerator(const QKeyEvent* key);
    void confirm(Qt::KeyboardModifiers held);

    Qt::KeyboardModifiers m_confirmModifiers;
    bool m_placed = false;
};

}  // namespace tollamar
