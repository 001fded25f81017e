#include "ui/dialogs/about_box.h"

#include "ui/dialogs/rnd_rect_btn.h"

#include <QDesktopServices>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QUrl>

namespace tollamar {
namespace {

const QString kMailAddress = QStringLiteral("mailto:tollamar@tollworks.org");
const QString kHomepage = QStringLiteral("https://www.tollworks.org/tollamar/");

// A line that opens an address when clicked and looks like a link while the mouse is
// over it.
class LinkLabel final : public QLabel {
public:
    LinkLabel(const QString& text, const QString& address, const QString& hint, QWidget* parent)
        : QLabel(text, parent), m_address(address) {
        setToolTip(hint);
        setCursor(Qt::PointingHandCursor);
        setHover(false);
    }

protected:
    void enterEvent(QEnterEvent*) override { setHover(true); }
    void leaveEvent(QEvent*) override { setHover(false); }
    void mouseReleaseEvent(QMouseEvent*) override { QDesktopServices::openUrl(QUrl(m_address)); }

private:
    void setHover(bool over) {
        QFont f = font();
        f.setUnderline(over);
        setFont(f);
        QPalette p = palette();
        p.setColor(QPalette::WindowText, over ? QColor(0, 0, 255) : QColor(0, 0, 0));
        setPalette(p);
    }

    QString m_address;
};

// The decorative picture: a photo with a speech balloon, 48 x 48 with a transparent
// background, enlarged without smoothing.
QPixmap decorativePicture() {
    QImage image(48, 48, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(QColor(0xF8, 0xF8, 0xF0));
    p.drawRect(4, 14, 34, 28);
    p.setBrush(QColor(0x90, 0xC8, 0xF0));
    p.drawRect(7, 17, 28, 19);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x50, 0x90, 0x50));
    p.drawPolygon(QPolygon({QPoint(7, 36), QPoint(17, 24), QPoint(24, 31), QPoint(28, 27), QPoint(35, 36)}));
    p.setBrush(QColor(0xF0, 0xC0, 0x30));
    p.drawEllipse(27, 19, 5, 5);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(QColor(0xFF, 0xFF, 0xD0));
    p.drawRoundedRect(24, 2, 21, 13, 4, 4);
    p.drawLine(29, 15, 27, 19);
    p.drawLine(28, 7, 40, 7);
    p.drawLine(28, 10, 36, 10);
    p.end();
    return QPixmap::fromImage(image.scaled(144, 144, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

}  // namespace

std::optional<QColor> AboutButtonColor(int r) {
    static const QRgb colors[] = {0xFFA0A0, 0xA0FFA0, 0xA0A0FF, 0xFFFFA0, 0xFFA0FF, 0xA0FFFF,
                                  0xFFD070, 0xD0FF70, 0x70D0FF, 0xFF70D0, 0x70FFD0, 0xD070FF};
    const int k = r / 2;
    if (k < 0 || k >= 12) return std::nullopt;
    return QColor(colors[k]);
}

TAboutBox::TAboutBox(const QString& productName, const QIcon& icon, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowIcon(icon);
    setFixedSize(298, 213);
    buildPanel(productName, icon);
    OKButton = new TRndRectBtn(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(108, 175, 81, 33);
    OKButton->setEllipseWidth(30);
    OKButton->setEllipseHeight(100);
    OKButton->setFocusMark(true);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::buildPanel(const QString& productName, const QIcon& icon) {
    auto* outer = new QFrame(this);
    outer->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    outer->setGeometry(8, 8, 282, 161);
    auto* panel = new QFrame(outer);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(1, 1, 280, 159);
    Image1 = new QLabel(panel);
    Image1->setPixmap(decorativePicture());
    Image1->setGeometry(130, 8, 144, 144);
    ProgramIcon = new QLabel(panel);
    ProgramIcon->setPixmap(icon.pixmap(64, 64).scaled(65, 57));
    ProgramIcon->setGeometry(8, 8, 65, 57);
    ProductName = new QLabel(productName, panel);
    QFont big = ProductName->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    ProductName->setFont(big);
    ProductName->setGeometry(8, 70, 200, 24);
    Version = new QLabel(QStringLiteral("Version: 2002/07/26"), panel);
    Version->setGeometry(8, 96, 200, 18);
    Copyright = new LinkLabel(QStringLiteral("© 2002 Tollworks"), kMailAddress,
                              QStringLiteral("作者にメールを出す"), panel);
    Copyright->setGeometry(8, 118, 120, 18);
    Homepage = new LinkLabel(QStringLiteral("www.tollworks.org"), kHomepage, QStringLiteral("作者のＨＰを開く"), panel);
    Homepage->setGeometry(8, 136, 120, 18);
    for (QLabel* label : {ProductName, Version}) label->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const std::optional<QColor> color = AboutButtonColor(static_cast<int>(QRandomGenerator::global()->bounded(25)));
    OKButton->setColor(color.value_or(palette().color(QPalette::Button)));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

}  // namespace tollamar
