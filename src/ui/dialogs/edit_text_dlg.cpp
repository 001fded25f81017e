#include "ui/dialogs/edit_text_dlg.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTextBlock>
#include <QVBoxLayout>

namespace tollamar {

namespace {

QWidget* makeButtonStrip(QWidget* parent, QPushButton* ok, QPushButton* cancel) {
    auto* strip = new QWidget(parent);
    strip->setFixedHeight(41);
    auto* row = new QHBoxLayout(strip);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return strip;
}

}  // namespace

TEditTextDlg::TEditTextDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      RichEdit1(new QPlainTextEdit(this)),
      OKBtn(new QPushButton(QStringLiteral("&OK"), this)),
      CancelBtn(new QPushButton(QStringLiteral("キャンセル"), this)),
      StatusBar1(new QStatusBar(this)) {
    setObjectName(QStringLiteral("EditTextDlg"));
    setWindowTitle(QStringLiteral("ダイアログ"));
    setWindowIcon(QApplication::windowIcon());
    setAttribute(Qt::WA_WindowPropagation);
    resize(336, 271);

    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Tab moves on to the buttons; Enter stays a new line, so OK needs Tab, the
    // mouse or Alt+O.
    RichEdit1->setTabChangesFocus(true);
    for (QWidget* keys : {static_cast<QWidget*>(RichEdit1), static_cast<QWidget*>(OKBtn),
                          static_cast<QWidget*>(CancelBtn)})
        keys->installEventFilter(this);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    StatusBar1->setSizeGripEnabled(true);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(RichEdit1, 1);
    column->addWidget(makeButtonStrip(this, OKBtn, CancelBtn));
    column->addWidget(StatusBar1);
}

QString TEditTextDlg::Text() const {
    // Block by block rather than toPlainText(), which turns no-break spaces into
    // plain ones.
    QStringList lines;
    for (QTextBlock block = RichEdit1->document()->begin(); block.isValid(); block = block.next())
        lines.append(block.text());
    return lines.join(QStringLiteral("\r\n"));
}

void TEditTextDlg::accept() { confirm(QGuiApplication::queryKeyboardModifiers()); }

void TEditTextDlg::confirm(Qt::KeyboardModifiers held) {
    m_confirmModifiers = held & (Qt::ShiftModifier | Qt::ControlModifier);
    QDialog::accept();
}

bool TEditTextDlg::isOkAccelerator(const QKeyEvent* key) {
    const Qt::KeyboardModifiers others = Qt::ShiftModifier | Qt::ControlModifier | Qt::KeypadModifier;
    return key->key() == Qt::Key_O && (key->modifiers() & Qt::AltModifier) &&
           !(key->modifiers() & ~(others | Qt::AltModifier));
}

void TEditTextDlg::showEvent(QShowEvent* event) {
    if (!m_placed && !event->spontaneous()) {
        m_placed = true;
        if (const QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
    }
    m_confirmModifiers = {};
    QString text = InitialText;
    InitialText.clear();
    RichEdit1->setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    RichEdit1->document()->setModified(false);
    RichEdit1->setFocus();
    QDialog::showEvent(event);
}

bool TEditTextDlg::eventFilter(QObject* watched, QEvent* event) {
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (!key || !watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != this)
        return QDialog::eventFilter(watched, event);
    auto* press = static_cast<QKeyEvent*>(event);
    // OK's accelerator also with Shift or Ctrl held, which choose the files to write: the
    // button's own mnemonic knows plain Alt+O only, and the editor would type the letter.
    // The key is taken over from the shortcut system and confirms on its press, with the
    // modifiers it carries.
    if (isOkAccelerator(press)) {
        event->accept();
        if (event->type() == QEvent::KeyPress) confirm(press->modifiers());
        return true;
    }
    // The editor would keep Esc for itself; here it cancels like the button.
    if (watched == RichEdit1 && event->type() == QEvent::KeyPress && press->key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tollamar
