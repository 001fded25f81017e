// TMainForm: the navigator's commands (its pages, the comment search) and the folders
// the navigator opens.

#include "app/app_globals.h"
#include "app/command_icons.h"
#include "app/main_form.h"
#include "app/new_action.h"
#include "platform/errors.h"
#include "search/do_search.h"
#include "ui/dialogs/progress_dlg.h"
#include "ui/navigator/navi_form.h"
#include "ui/navigator/search_page.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScopeGuard>

namespace tollamar {
namespace {

// The progress dialog as the search run sees it: events run before every file, so the
// cancel button stops the run at its next file.
class DialogSearchHost final : public SearchHost {
public:
    explicit DialogSearchHost(TProgressDlg& dialog) : m_dialog(dialog) {}
    bool stopRequested() override { return m_dialog.UserCancelled(); }
    void showFolderLine(const QString& line) override { m_dialog.Label2->setText(line); }
    void showProgressLine(const QString& line) override { m_dialog.Label1->setText(line); }

private:
    TProgressDlg& m_dialog;
};

class MainFormSearch final : public SearchFrontEnd {
public:
    explicit MainFormSearch(TMainForm& form) : m_form(form) {}

    bool ask(const SearchQuestion& question) override {
        QWidget* parent = QApplication::activeWindow() ? QApplication::activeWindow() : &m_form;
        QMessageBox box(QMessageBox::Question, question.title.toString(), question.text.toString(),
                        question.yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok | QMessageBox::Cancel,
                        parent);
        ModalBracket bracket;
        const int answer = box.exec();
        return answer == QMessageBox::Ok || answer == QMessageBox::Yes;
    }

    bool runWithProgress(const std::function<bool(SearchHost&)>& work) override {
        TProgressDlg dialog(&m_form);
        dialog.setWindowTitle(kSearchProgressTitle.toString());
        dialog.OnRun = [&work](TProgressDlg& d) {
            DialogSearchHost host(d);
            bool finished = false;
            try {
                finished = work(host);
            } catch (const Error& e) {
                // The run ends here. The error is shown once the run has returned, over
                // the dialog with its last lines, which stays open until the user closes
                // it; that counts as a cancel.
                QMetaObject::invokeMethod(&d, [message = e.message()] { ReportError(message); },
                                          Qt::QueuedConnection);
                return;
            }
            if (finished && d.ModalResult() == TModalResult::None) d.SetModalResult(TModalResult::OK);
        };
        return dialog.Execute() == TModalResult::OK;
    }

    QStringList listedPhotos() override {
        QStringList paths;
        for (const auto& entry : m_form.PhotoList()) paths.append(entry->FileName);
        return paths;
    }

    void setCurrentFolder(const QString& folder) override { m_form.SetCurrentFolder(folder); }
    void showFileList(const QStringList& files) override { m_form.ShowFileList(files); }

private:
    TMainForm& m_form;
};

}  // namespace

void TMainForm::createNavigationActions() {
    FromTreeAction = NewAction(this, "FromTreeAction", QStringLiteral("‘フォルダツリー’を開く"));
    FromFavoriteAction = NewAction(this, "FromFavoriteAction", QStringLiteral("‘お気に入り’を開く"));
    FromRecentAction = NewAction(this, "FromRecentAction", QStringLiteral("‘最近使ったフォルダ’から開く(&R)"));
    SearchAction = NewAction(this, "SearchAction", QStringLiteral("‘コメント’で検索(&F)"));
    SearchAction->setStatusTip(QStringLiteral("‘コメント’で検索します"));
    SearchAction->setToolTip(SearchAction->statusTip());
    SearchAction->setIcon(CommandIcon(3));
    SearchAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    const std::pair<QAction*, TNaviPage> pages[] = {{FromTreeAction, TNaviPage::FolderSheet},
                                                    {FromFavoriteAction, TNaviPage::FavoriteSheet},
                                                    {FromRecentAction, TNaviPage::RecentSheet},
                                                    {SearchAction, TNaviPage::SearchSheet}};
    for (const auto& [action, page] : pages)
        connect(action, &QAction::triggered, this, [this, page = page] { NaviForm->ShowPage(page); });
}

void TMainForm::connectNavigator() {
    NaviForm->currentFolder = [this] { return m_currentFolder; };
    NaviForm->onOpenRecent = [this](const QString& folder) { DoSelFolder(TFolderRequester::RecentList, folder); };
    NaviForm->onOpenFavorite = [this](const QString& folder) {
        DoSelFolder(TFolderRequester::FavoriteList, folder);
    };
    NaviForm->onOpenTreeFolder = [this](const QString& folder) {
        DoSelFolder(TFolderRequester::ShellTreeView1, folder);
    };
    NaviForm->onSearch = [this] { DoSearch(); };
}

void TMainForm::DoSearch() {
    const SearchCriteria criteria = NaviForm->SearchSheet->Criteria();
    const SearchScope scope = NaviForm->SearchSheet->Scope();
    SearchState& state = NaviForm->searchState();
    // A dialog closed before its run began must not offer the matches of an earlier search.
    state = {};
    // The list about to be replaced is not worth loading while the search reads files.
    const bool paused = m_idlePaused;
    m_idlePaused = true;
    const auto resume = qScopeGuard([this, paused] {
        m_idlePaused = paused;
        wakeIdle();
    });
    MainFormSearch frontEnd(*this);
    try {
        tollamar::DoSearch(criteria, scope, state, frontEnd);
    } catch (const Error& e) {
        ReportError(e.message());
    }
}

}  // namespace tollamar
