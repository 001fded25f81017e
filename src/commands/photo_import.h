#pragma once
// Importing the photos of one folder (a camera card, typically) into day folders of
// another. A copy never replaces a file, so running an import again adds only the
// photos that are new.

#include <QString>
#include <QStringList>
#include <ctime>
#include <functional>

namespace tollamar {

struct TFileTimes;

// Names of the folder's "*.jpg" files, any letter case ("*.jpeg" is not taken), in
// the order the file system lists them; regular files and links to them only. Empty
// when the folder does not exist.
QStringList ListImportFiles(const QString& folder);

// "YYYYMMDD" of the last-write time in local time, or of the creation time when the
// last-write time is 0.
QString DayFolderName(const TFileTimes& times);

struct TImportHooks {
    // Before each file: the target folder + "...", and name CR LF "i/n" (i from 1).
    std::function<void(const QString& folderLine, const QString& fileLine)> progress;
    // Asked after each file; true stops the import there.
    std::function<bool()> cancelled;
};

struct TImportResult {
    int copied = 0;
    int skipped = 0;  // already there, or the copy failed
    bool cancelled = false;
};

// Copies every listed file of sourceFolder into destinationFolder/YYYYMMDD/ under its
// own name, creating the day folders. The list is taken once before copying, so a
// destination inside the source is fine. A file that is already there or cannot be
// copied is passed over without a message.
TImportResult RunImport(const QString& sourceFolder, const QString& destinationFolder,
                        const TImportHooks& hooks);

}  // namespace tollamar
