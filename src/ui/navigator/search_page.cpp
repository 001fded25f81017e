#include "ui/navigator/search_page.h"

#include "app/app_globals.h"
#include "platform/folder_ops.h"
#include "platform/native_name.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <tuple>

namespace tollamar {
namespace {

const QString kPickerPrompt = QStringLiteral("検索する写真(jpeg)のあるフォルダを指定してください");

template <typename T>
T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QCheckBox* tickBox(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* box = named(new QCheckBox(parent), name);
    box->setAccessibleName(accessibleName);
    box->setChecked(true);
    return box;
}

QRadioButton* choice(QButtonGroup* group, int id, const QString& text, QLayout* row) {
    auto* button = new QRadioButton(text);
    group->addButton(button, id);
    row->addWidget(button);
    return button;
}

}  // namespace

TSearchPage::TSearchPage(QWidget* parent)
    : QWidget(parent),
      Keyword(named(new QLineEdit(this), "Keyword")),
      PathEdit(named(new QLineEdit(this), "PathEdit")),
      SpeedButton1(named(new QPushButton(QStringLiteral("参照&B"), this), "SpeedButton1")),
      SubDir(named(new QCheckBox(QStringLiteral("サブフォルダも探す(&S)"), this), "SubDir")),
      CaseSensitive(named(new QCheckBox(QStringLiteral("半角英字の大/小文字を区別(&C)"), this), "CaseSensitive")),
      ExifCheck(named(new QCheckBox(QStringLiteral("Exif の情報を検索に使う(&E)"), this), "ExifCheck")),
      DoBtn(named(new QPushButton(QStringLiteral("実行"), this), "DoBtn")),
      m_searchType(new QButtonGroup(this)),
      m_flash(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("SearchSheet"));
    ExifCheck->setToolTip(QStringLiteral("Exif情報を含むファイルを検索します"));
    DoBtn->setDefault(true);
    // With the focus on it, Enter opens the picker rather than starting the search.
    SpeedButton1->setAutoDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(new QLabel(QStringLiteral("‘コメント’の中にキーワードがある写真（JPEG）を検索する"), this));
    layout->addWidget(makeFieldRows());
    layout->addWidget(makeChoiceRows());
    layout->addWidget(makeExifPanel());
    layout->addStretch(1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(DoBtn);
    layout->addLayout(buttonRow);

    Keyword->clear();
    PathEdit->clear();
    PathEditChange();
    connect(Keyword, &QLineEdit::textChanged, this, [this] { KeywordChange(); });
    connect(PathEdit, &QLineEdit::textChanged, this, [this] { PathEditChange(); });
    ExifMakerEdit->clear();
    connect(ExifCheck, &QCheckBox::toggled, this, [this] { ExifCheckClick(); });
    ExifCheckClick();
    const QDate today = QDate::currentDate();
    ExifDateTo->setDate(today);
    ExifDateFrom->setDate(today.addDays(-7));

    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(DoBtn, &QPushButton::clicked, this, [this] {
        if (onSearch) onSearch();
    });
    pickFolder = [this](const QString& prompt, const QString& start) {
        ModalBracket bracket;
        return NativePathFromQt(QFileDialog::getExistingDirectory(this, prompt, start));
    };
    keyboardModifiers = [] { return QGuiApplication::queryKeyboardModifiers(); };
}

QWidget* TSearchPage::makeFieldRows() {
    auto* rows = new QWidget(this);
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* keywordLabel = new QLabel(QStringLiteral("キーワード(&K)"), rows);
    keywordLabel->setBuddy(Keyword);
    auto* pathLabel = new QLabel(QStringLiteral("フォルダ(&F)"), rows);
    pathLabel->setBuddy(PathEdit);
    grid->addWidget(keywordLabel, 0, 0);
    grid->addWidget(Keyword, 0, 1, 1, 2);
    grid->addWidget(pathLabel, 1, 0);
    grid->addWidget(PathEdit, 1, 1);
    grid->addWidget(SpeedButton1, 1, 2);
    grid->setColumnStretch(1, 1);
    return rows;
}

QWidget* TSearchPage::makeChoiceRows() {
    auto* rows = new QWidget(this);
    auto* layout = new QVBoxLayout(rows);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* frame = named(new QGroupBox(QStringLiteral("半角スペースで区切られた複数キーワードで"), rows), "SearchType");
    auto* choices = new QHBoxLayout(frame);
    SearchTypeAnd = choice(m_searchType, 0, QStringLiteral("AND 検索する"), choices);
    SearchTypeOr = choice(m_searchType, 1, QStringLiteral("OR 検索する"), choices);
    SearchTypeAnd->setChecked(true);
    layout->addWidget(frame);
    layout->addWidget(SubDir);
    layout->addWidget(CaseSensitive);
    layout->addWidget(ExifCheck);
    return rows;
}

QGroupBox* TSearchPage::makeExifPanel() {
    ExifPanel = named(new QGroupBox(QStringLiteral("Exif の検索条件"), this), "ExifPanel");
    auto* layout = new QVBoxLayout(ExifPanel);
    ExifMakerEdit = named(new QLineEdit(ExifPanel), "ExifMakerEdit");
    ExifMakerEdit->setToolTip(QStringLiteral("半角英字の大小文字は区別しません"));
    // The letter is shown like the others but moves the focus nowhere: no buddy, so no
    // Alt+M shortcut.
    auto* makerLabel = new QLabel(QStringLiteral("メーカー名またはモデル名に含まれる文字列(<u>M</u>)"), ExifPanel);
    makerLabel->setObjectName(QStringLiteral("ExifMakerLabel"));
    makerLabel->setTextFormat(Qt::RichText);
    layout->addWidget(makerLabel);
    layout->addWidget(ExifMakerEdit);

    ExifDateFromCheck = tickBox(ExifPanel, "ExifDateFromCheck", QStringLiteral("日付の指定：から"));
    ExifDateToCheck = tickBox(ExifPanel, "ExifDateToCheck", QStringLiteral("日付の指定：まで"));
    ExifTimeFromCheck = tickBox(ExifPanel, "ExifTimeFromCheck", QStringLiteral("時刻の指定：から"));
    ExifTimeToCheck = tickBox(ExifPanel, "ExifTimeToCheck", QStringLiteral("時刻の指定：まで"));
    ExifDateFrom = named(new QDateEdit(ExifPanel), "ExifDateFrom");
    ExifDateTo = named(new QDateEdit(ExifPanel), "ExifDateTo");
    for (QDateEdit* date : {ExifDateFrom, ExifDateTo}) {
        date->setCalendarPopup(true);
        date->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    }
    ExifTimeFrom = named(new QTimeEdit(QTime(8, 0), ExifPanel), "ExifTimeFrom");
    ExifTimeTo = named(new QTimeEdit(QTime(20, 0), ExifPanel), "ExifTimeTo");
    for (QTimeEdit* time : {ExifTimeFrom, ExifTimeTo}) time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    layout->addWidget(makePickerRow(QStringLiteral("日付の指定："), ExifDateFromCheck, ExifDateFrom,
                                    ExifDateToCheck, ExifDateTo));
    layout->addWidget(makePickerRow(QStringLiteral("時刻の指定："), ExifTimeFromCheck, ExifTimeFrom,
                                    ExifTimeToCheck, ExifTimeTo));

    auto* flash = named(new QGroupBox(QStringLiteral("フラッシュ(&L)"), ExifPanel), "FlashBox");
    auto* choices = new QHBoxLayout(flash);
    FlashBoxItems[0] = choice(m_flash, 0, QStringLiteral("どちらでもよい"), choices);
    FlashBoxItems[1] = choice(m_flash, 1, QStringLiteral("FALSHがON"), choices);
    FlashBoxItems[2] = choice(m_flash, 2, QStringLiteral("FALSHがOFF"), choices);
    FlashBoxItems[0]->setChecked(true);
    layout->addWidget(flash);
    return ExifPanel;
}

QWidget* TSearchPage::makePickerRow(const QString& label, QCheckBox* fromCheck, QWidget* from,
                                    QCheckBox* toCheck, QWidget* to) {
    auto* row = new QWidget(ExifPanel);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(label, row));
    for (const auto& [check, picker, word] : {std::tuple{fromCheck, from, QStringLiteral("から")},
                                              std::tuple{toCheck, to, QStringLiteral("まで")}}) {
        // An unticked bound is no condition; its picker shows that by being greyed.
        connect(check, &QCheckBox::toggled, picker, &QWidget::setEnabled);
        layout->addWidget(check);
        layout->addWidget(picker);
        layout->addWidget(new QLabel(word, row));
    }
    layout->addStretch(1);
    return row;
}

void TSearchPage::KeywordChange() { KeywordList = SplitKeywordText(Keyword->text()); }

void TSearchPage::PathEditChange() {
    FolderList = SplitFolderText(PathEdit->text());
    DoBtn->setEnabled(FolderListUsable(FolderList));
}

void TSearchPage::ExifCheckClick() { ExifPanel->setEnabled(ExifCheck->isChecked()); }

void TSearchPage::SpeedButton1Click() {
    const QString start = !FolderList.isEmpty() ? FolderList.last() : currentFolder ? currentFolder() : QString();
    // A folder whose name is not UTF-8 goes into the text as a file:// value, which
    // can be edited and is read back to the same bytes.
    const QString folder = FolderToSetting(pickFolder(kPickerPrompt, start));
    if (folder.isEmpty()) return;
    const Qt::KeyboardModifiers modifiers = keyboardModifiers();
    if (!(modifiers & Qt::ControlModifier)) {
        if ((modifiers & Qt::ShiftModifier) && !PathEdit->text().isEmpty())
            PathEdit->setText(PathEdit->text() + u';' + folder);
        else
            PathEdit->setText(folder);
    }
    PathEdit->setFocus();
}

void TSearchPage::focusFirstField() {
    if (Keyword->text().isEmpty()) Keyword->setFocus();
    else if (DoBtn->isEnabled()) DoBtn->setFocus();
    else PathEdit->setFocus();
}

// DoBtn is the page's default button: Enter in any of its fields presses it. The
// fields pass Enter on to the page.
void TSearchPage::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        if (DoBtn->isEnabled()) DoBtn->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

int TSearchPage::searchType() const { return m_searchType->checkedId() == 1 ? 1 : 0; }

void TSearchPage::setSearchType(int type) { (type == 1 ? SearchTypeOr : SearchTypeAnd)->setChecked(true); }

FlashChoice TSearchPage::flashChoice() const {
    const int id = m_flash->checkedId();
    return id == 1 ? FlashChoice::On : id == 2 ? FlashChoice::Off : FlashChoice::Either;
}

void TSearchPage::setFlashChoice(FlashChoice choice) {
    FlashBoxItems[static_cast<int>(choice)]->setChecked(true);
}

SearchCriteria TSearchPage::Criteria() const {
    SearchCriteria criteria;
    criteria.keywords = KeywordList;
    criteria.caseSensitive = CaseSensitive->isChecked();
    criteria.andSearch = searchType() == 0;
    criteria.useExif = ExifCheck->isChecked();
    criteria.maker = ExifMakerEdit->text();
    if (ExifDateFromCheck->isChecked()) criteria.dateFrom = ExifDateFrom->date();
    if (ExifDateToCheck->isChecked()) criteria.dateTo = ExifDateTo->date();
    if (ExifTimeFromCheck->isChecked()) criteria.timeFrom = ExifTimeFrom->time();
    if (ExifTimeToCheck->isChecked()) criteria.timeTo = ExifTimeTo->time();
    criteria.flash = flashChoice();
    return criteria;
}

SearchScope TSearchPage::Scope() const {
    SearchScope scope;
    scope.withSubfolders = SubDir->isChecked();
    // The folders are looked up from the process's folder, so the photos found keep
    // their full paths.
    for (const QString& folder : FolderList)
        scope.folders.append(folder.isEmpty() ? folder : QDir::current().absoluteFilePath(folder));
    return scope;
}

}  // namespace tollamar
