#include "app/item_data.h"

#include "platform/native_name.h"

namespace tollamar {

QString TItemData::caption() const {
    return DisplayFileName(FileName);
}

QImage BlankThumbnail() {
    QImage image(8, 8, QImage::Format_RGB888);
    image.fill(Qt::white);
    return image;
}

qint64 FileTimeFromTimespec(const timespec& time) {
    constexpr qint64 kSecondsFrom1601To1970 = 11644473600;
    return (static_cast<qint64>(time.tv_sec) + kSecondsFrom1601To1970) * 10000000 +
           time.tv_nsec / 100;
}

}  // namespace tollamar
