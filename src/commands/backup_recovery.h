#pragma once
// What an interrupted rewrite or copy can leave in a folder: numbered backups
// (photo.jpg.000 ...) and unfinished temporary files (.tollamar-XXXXXX), and putting a
// complete backup back where its photo is missing or cut off.

#include <QList>
#include <QString>

namespace tollamar {

struct TLeftover {
    enum Kind { Backup, Temporary };
    Kind kind = Backup;
    QString path;
    QString photo;               // the photo a backup belongs to; empty for a temporary file
    bool complete = false;       // a JPEG whose image data ends in EOI
    bool photoExists = false;
    bool photoComplete = false;
    int newerThanPhoto = 0;      // modification time against the photo's: -1, 0 or 1
};

// The leftovers in folder, sorted by name. Raises when the folder cannot be read.
QList<TLeftover> FindLeftovers(const QString& folder);

// One line on what the leftover holds and how it stands against its photo.
QString DescribeLeftover(const TLeftover& leftover);

// A complete backup whose photo is missing or cut off goes back under the photo's name
// (the cut-off file is replaced in one rename); a temporary file, which never holds the
// only copy of a photo, is removed. Returns what was done, empty when nothing was;
// raises the write error.
QString ApplyLeftover(const TLeftover& leftover);

}  // namespace tollamar
