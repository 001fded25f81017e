#pragma once
// The navigator's search page: keywords, folders and the Exif conditions of a comment
// search, and the button that starts it. The search itself belongs to the main window;
// the page hands it the criteria and the folders as shown when the button is pressed.

#include "search/do_search.h"
#include "search/search_criteria.h"

#include <QWidget>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimeEdit;

namespace tollamar {

class TSearchPage : public QWidget {
public:
    explicit TSearchPage(QWidget* parent);

    // The page's criteria: keywords, case, AND or OR, and the Exif conditions whose
    // boxes are ticked.
    SearchCriteria Criteria() const;
    // FolderList, each entry made absolute, with the subfolder choice.
    SearchScope Scope() const;

    // Focus on Keyword when it is empty, else on DoBtn when it is enabled, else on
    // PathEdit.
    void focusFirstField();
    // The ExifCheck rule: the frame and everything in it follow the box.
    void ExifCheckClick();

    int searchType() const;  // 0 AND, 1 OR
    void setSearchType(int type);
    FlashChoice flashChoice() const;
    void setFlashChoice(FlashChoice choice);

    // Keyword and PathEdit as lists, rebuilt on every change of the fields.
    QStringList KeywordList;
    QStringList FolderList;

    QLineEdit* Keyword;
    QLineEdit* PathEdit;
    QPushButton* SpeedButton1;
    QRadioButton* SearchTypeAnd;
    QRadioButton* SearchTypeOr;
    QCheckBox* SubDir;
    QCheckBox* CaseSensitive;
    QCheckBox* ExifCheck;
    QGroupBox* ExifPanel;
    QLineEdit* ExifMakerEdit;
    QCheckBox* ExifDateFromCheck;
    QDateEdit* ExifDateFrom;
    QCheckBox* ExifDateToCheck;
    QDateEdit* ExifDateTo;
    QCheckBox* ExifTimeFromCheck;
    QTimeEdit* ExifTimeFrom;
    QCheckBox* ExifTimeToCheck;
    QTimeEdit* ExifTimeTo;
    QRadioButton* FlashBoxItems[3];
    QPushButton* DoBtn;

    // The main window's folder, where the folder picker starts when the field is empty.
    std::function<QString()> currentFolder;
    // The folder picker (prompt, start folder) → the folder chosen, empty when cancelled;
    // and the Shift and Ctrl state read once it closes. Both are the platform's unless
    // replaced.
    std::function<QString(const QString& prompt, const QString& start)> pickFolder;
    std::function<Qt::KeyboardModifiers()> keyboardModifiers;
    // DoBtn pressed.
    std::function<void()> onSearch;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* makeFieldRows();
    QWidget* makeChoiceRows();
    QGroupBox* makeExifPanel();
    QWidget* makePickerRow(const QString& label, QCheckBox* fromCheck, QWidget* from,
                           QCheckBox* toCheck, QWidget* to);
    void KeywordChange();
    void PathEditChange();
    void SpeedButton1Click();

    QButtonGroup* m_searchType;
    QButtonGroup* m_flash;
};

}  // namespace tollamar
