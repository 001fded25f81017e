#pragma once
// TAboutBox: the program's icon, title and version, the author's mail and web lines
// (links), a decorative picture, and the round OK button in a colour drawn at random
// each time the box is shown.

#include <QColor>
#include <QDialog>
#include <QIcon>
#include <optional>

class QLabel;

namespace tollamar {

class TRndRectBtn;

// The OK button's colour for a random r in 0..24: one of twelve pale colours for
// r / 2 in 0..11, nothing (the button face colour) for r = 24.
std::optional<QColor> AboutButtonColor(int r);

class TAboutBox : public QDialog {
public:
    TAboutBox(const QString& productName, const QIcon& icon, QWidget* parent = nullptr);

    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Copyright;
    QLabel* Homepage;
    QLabel* Image1;
    TRndRectBtn* OKButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildPanel(const QString& productName, const QIcon& icon);
};

}  // namespace tollamar
