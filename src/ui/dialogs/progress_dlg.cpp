#include "ui/dialogs/progress_dlg.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace tollamar {

namespace {

// How often the two lines are painted while a job runs. On a busy display one repaint
// of a line costs more than a small file's work, and no one reads faster than this.
constexpr qint64 kLinePaintMs = 50;

}  // namespace

TProgressDlg::TProgressDlg(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      Label1(nullptr), Label2(nullptr), CancelBtn(new QPushButton(QStringLiteral("キャンセル"), this)) {
    setObjectName(QStringLiteral("ProgressDlg"));
    setWindowTitle(QStringLiteral("検索中です"));
    setAttribute(Qt::WA_WindowPropagation);
    setFixedSize(313, 117);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(8, 8, 297, 65);
    Label2 = new QLabel(frame);
    // Two lines of the upper label fit above the lower one's box.
    Label2->setGeometry(8, 2, 281, 28);
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    Label1 = new QLabel(frame);
    Label1->setGeometry(8, 30, 281, 33);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);

    CancelBtn->setGeometry((313 - 75) / 2, 80, 75, 25);
    connect(CancelBtn, &QPushButton::clicked, this, &TProgressDlg::reject);
}

TModalResult TProgressDlg::Execute() {
    if (m_result == TModalResult::None) exec();
    return m_result;
}

void TProgressDlg::SetModalResult(TModalResult result) {
    m_result = result;
    if (!m_running && result != TModalResult::None) finish();
}

bool TProgressDlg::UserCancelled() {
    // The labels take every new text at once; only their painting waits for its turn.
    const bool paintLines =
        m_running && (!m_linesPainted.isValid() || m_linesPainted.elapsed() >= kLinePaintMs);
    if (paintLines) setLinesUpdating(true);
    QCoreApplication::processEvents();
    if (paintLines) {
        setLinesUpdating(false);
        m_linesPainted.start();
    }
    return m_result == TModalResult::Cancel;
}

void TProgressDlg::setLinesUpdating(bool on) {
    // Turning updates back on repaints the label.
    Label1->setUpdatesEnabled(on);
    Label2->setUpdatesEnabled(on);
}

// Esc, the cancel button and the close box all arrive here.
void TProgressDlg::reject() { SetModalResult(TModalResult::Cancel); }

void TProgressDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_started) return;
    m_started = true;
    if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
    // Queued, so that the job starts from inside the modal loop with the dialog on screen.
    QMetaObject::invokeMethod(this, [this] { runJob(); }, Qt::QueuedConnection);
}

void TProgressDlg::runJob() {
    // Cancelled before the job could start, or no job: nothing to run. Without a job
    // the dialog waits for the user.
    if (m_result != TModalResult::None || !OnRun) return;
    struct Running {
        TProgressDlg& dialog;
        explicit Running(TProgressDlg& d) : dialog(d) {
            dialog.m_running = true;
            dialog.setLinesUpdating(false);
            dialog.m_linesPainted.invalidate();
        }
        // Also when the job throws: the error goes on to the event loop's report, and a
        // result set meanwhile still closes the dialog.
        ~Running() {
            dialog.m_running = false;
            dialog.setLinesUpdating(true);
            if (dialog.m_result != TModalResult::None) dialog.finish();
        }
    } running(*this);
    OnRun(*this);
}

void TProgressDlg::finish() {
    if (isVisible()) done(m_result == TModalResult::OK ? Accepted : Rejected);
}

}  // namespace tollamar
