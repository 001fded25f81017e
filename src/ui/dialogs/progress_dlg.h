#pragma once
// A small modal dialog that runs a long job on the interface thread with two lines of
// progress and a cancel button. The caller makes a fresh one for each job.

#include <QDialog>
#include <QElapsedTimer>
#include <functional>

class QLabel;
class QPushButton;

namespace tollamar {

enum class TModalResult { None, OK, Cancel };

class TProgressDlg : public QDialog {
public:
    explicit TProgressDlg(QWidget* owner = nullptr);

    // The job; called once with the dialog as soon as the dialog is on screen and its
    // modal loop runs. It ends by setting the result to OK unless it is already set.
    std::function<void(TProgressDlg&)> OnRun;

    // Shows the dialog modally; OK when the job ran to its end, Cancel when the user
    // stopped it with the button, Esc or the close box.
    TModalResult Execute();

    TModalResult ModalResult() const { return m_result; }
    // While the job runs the dialog closes when it returns; otherwise at once.
    void SetModalResult(TModalResult result);

    // What a job calls before each unit of work: lets pending events run (so Cancel
    // can be pressed), then tells whether the user has cancelled.
    bool UserCancelled();

    void reject() override;

    QLabel* Label1;  // the lower line, wrapped
    QLabel* Label2;  // the upper line
    QPushButton* CancelBtn;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void runJob();
    void finish();
    void setLinesUpdating(bool on);

    TModalResult m_result = TModalResult::None;
    bool m_started = false;
    bool m_running = false;
    QElapsedTimer m_linesPainted;
};

}  // namespace tollamar
