#include "app/command_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace tollamar {
namespace {

constexpr int kSide = 16;

const QColor kInk(40, 40, 40);
const QColor kFolder(232, 184, 64);
const QColor kBlue(52, 101, 164);
const QColor kPaper(250, 250, 245);

void drawFolder(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kFolder.darker(115));
    p.drawRect(1, 3, 12, 10);
    p.setBrush(kFolder);
    QPainterPath front;
    front.moveTo(3, 6);
    front.lineTo(15, 6);
    front.lineTo(13, 13);
    front.lineTo(1, 13);
    front.closeSubpath();
    p.drawPath(front);
}

void drawPencil(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(1, 1, 10, 13);
    p.setPen(QPen(kBlue, 1));
    for (int y = 4; y <= 10; y += 3) p.drawLine(3, y, 8, y);
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(230, 120, 40));
    QPainterPath pencil;
    pencil.moveTo(14, 4);
    pencil.lineTo(15, 5);
    pencil.lineTo(8, 12);
    pencil.lineTo(6, 13);
    pencil.lineTo(7, 11);
    pencil.closeSubpath();
    p.drawPath(pencil);
}

void drawMagnifier(QPainter& p) {
    p.setPen(QPen(kInk, 2));
    p.setBrush(QColor(200, 225, 250));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(14, 14));
}

void drawReport(QPainter& p) {
    for (int y = 2; y <= 11; y += 4) {
        p.fillRect(1, y, 4, 3, kBlue);
        p.fillRect(7, y + 1, 8, 1, kInk);
    }
}

void drawIcons(QPainter& p) {
    for (int y : {1, 9})
        for (int x : {1, 9}) {
            p.fillRect(x, y, 6, 5, kBlue);
            p.fillRect(x, y + 6, 6, 1, kInk);
        }
}

void drawPicture(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(170, 210, 240));
    p.drawRect(0, 2, 15, 11);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 140, 60));
    QPainterPath hill;
    hill.moveTo(1, 13);
    hill.lineTo(6, 7);
    hill.lineTo(9, 10);
    hill.lineTo(11, 8);
    hill.lineTo(15, 13);
    p.drawPath(hill);
    p.setBrush(QColor(250, 200, 40));
    p.drawEllipse(QRectF(10.5, 3.5, 3, 3));
}

void drawInfo(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(0.5, 0.5, 14, 14));
    p.fillRect(7, 3, 2, 2, Qt::white);
    p.fillRect(7, 6, 2, 6, Qt::white);
}

void drawDocument(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(2, 0, 11, 15);
    p.setPen(QPen(kBlue, 1));
    for (int y = 3; y <= 12; y += 3) p.drawLine(4, y, 11, y);
}

void drawBalloon(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(0.5, 1.5, 14, 9), 3, 3);
    QPainterPath tail;
    tail.moveTo(4, 10);
    tail.lineTo(3, 14);
    tail.lineTo(8, 10);
    p.drawPath(tail);
}

void drawCamera(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(90, 90, 90));
    p.drawRect(0, 4, 15, 9);
    p.drawRect(4, 2, 5, 2);
    p.setBrush(QColor(180, 210, 240));
    p.drawEllipse(QRectF(4.5, 5.5, 6, 6));
}

void drawCompass(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(0.5, 0.5, 14, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    QPainterPath north;
    north.moveTo(8, 2);
    north.lineTo(10, 8);
    north.lineTo(6, 8);
    p.drawPath(north);
    p.setBrush(kBlue);
    QPainterPath south;
    south.moveTo(8, 14);
    south.lineTo(10, 8);
    south.lineTo(6, 8);
    p.drawPath(south);
}

QPixmap drawStrip() {
    using Draw = void (*)(QPainter&);
    const std::array<Draw, kCommandIconCount> glyphs = {drawInfo,    drawFolder, drawPencil,
                                                        drawMagnifier, drawReport, drawIcons,
                                                        drawPicture, drawDocument, drawBalloon,
                                                        drawCamera,  drawCompass};
    QPixmap strip(kSide * kCommandIconCount, kSide);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < kCommandIconCount; ++i) {
        painter.save();
        painter.translate(i * kSide, 0);
        painter.setClipRect(0, 0, kSide, kSide);
        glyphs[static_cast<size_t>(i)](painter);
        painter.restore();
    }
    return strip;
}

}  // namespace

QIcon CommandIcon(int index) {
    static const QPixmap strip = drawStrip();
    if (index < 0 || index >= kCommandIconCount) return {};
    return QIcon(strip.copy(index * kSide, 0, kSide, kSide));
}

}  // namespace tollamar
