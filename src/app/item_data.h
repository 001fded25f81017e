#pragma once
// One listed photo and the list that owns them. An entry starts with its path and
// creation time only; the idle fill reads the rest once.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringView>
#include <ctime>
#include <memory>
#include <variant>
#include <vector>

namespace tollamar {

class TItemData {
public:
    explicit TItemData(QString fileName, qint64 creationTime = 0)
        : FileName(std::move(fileName)), CreationTime(creationTime) {}

    QString FileName;
    QString Summary;
    // Nothing until loaded; then a bitmap (decoded, or the blank one after a failure)
    // or the compressed bytes of the photo's embedded Exif thumbnail.
    std::variant<std::monostate, QImage, QByteArray> Thumbnail;
    QString Comment;
    QString Camera;
    // 100-nanosecond units since 1601-01-01 UTC; 0 when not known.
    qint64 CreationTime = 0;

    bool isLoaded() const { return !std::holds_alternative<std::monostate>(Thumbnail); }
    // The name part of FileName as shown, the row's caption.
    QString caption() const;
};

using TPhotoList = std::vector<std::unique_ptr<TItemData>>;

// The 8x8 white bitmap an entry gets when it could not be loaded.
QImage BlankThumbnail();
// A time as a file time (100-nanosecond units since 1601-01-01 UTC).
qint64 FileTimeFromTimespec(const timespec& time);

}  // namespace tollamar
