#pragma once
// The photos named on a command line: folders are walked as the search walks them
// (hidden folders skipped, a folder reached again through a link walked once, devices
// and FIFOs passed over), files are taken as they are.

#include <QString>
#include <QStringList>

namespace tollamar::cli {

// Appends the *.jpg and *.jpeg files of the targets in walk order; false when a target
// does not exist or a folder cannot be opened (reported, the others are still collected).
bool CollectPhotos(const QStringList& targets, bool withSubfolders, QStringList& photos);

struct PhotoTargets {
    QStringList photos;  // in walk order
    QString choice;      // the value of the verb's one valued option; empty when not given
    bool allFound = true;
};

// Parses "[--subdir] [OPTION CHOICE] [--] FOLDER|FILE..." (the option given or not, as
// required says) and collects the photos; returns the usage complaint, empty when the
// arguments were good.
QString TakePhotoTargets(QStringList args, const QString& option, const QStringList& choices,
                         bool required, PhotoTargets& targets);

}  // namespace tollamar::cli
