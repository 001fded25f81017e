#pragma once
// Application-wide services every window command uses: the title that error boxes
// carry, the modal bracket, and the one place errors are shown to the user.

#include <QString>
#include <functional>

class QWidget;

namespace tollamar {

// The application's title, fixed before the first window exists ("Tollamar").
QString AppTitle();
void SetAppTitle(const QString& title);

// Brackets every modal dialog a main-window command opens. Brackets do not nest: a
// second BeginModal while one is open changes nothing.
void BeginModal();
void EndModal();
bool ModalBusy();

// BeginModal for the lifetime of the object, EndModal also when the dialog throws. A
// bracket opened inside another leaves the outer one in force.
class ModalBracket {
public:
    ModalBracket() : m_began(!ModalBusy()) { BeginModal(); }
    ~ModalBracket() {
        if (m_began) EndModal();
    }
    ModalBracket(const ModalBracket&) = delete;
    ModalBracket& operator=(const ModalBracket&) = delete;

private:
    bool m_began;
};

// The standard error report: a message box with the text, the application title as
// caption and the error icon, over the active window.
void ReportError(const QString& text);
// Runs work and shows in the error box whatever it raises.
void RunReporting(const std::function<void()>& work);
// A plain notice from the core (information icon, same caption).
void ReportNotice(const QString& text);

// Replaces both boxes (tests record the texts instead of showing modal boxes); an
// empty hook brings the boxes back.
using ReportHook = std::function<void(const QString& text, bool isError)>;
void SetReportHook(ReportHook hook);

}  // namespace tollamar
