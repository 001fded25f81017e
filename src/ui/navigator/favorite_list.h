#pragma once
// Favorite.INI: one favourite folder per line, "name=path", in the order of the rows,
// in the form of list_file.h. The first "=" ends the name, so a path may hold "=" and
// a name may not.

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace tollamar {

struct TFavorite {
    QString name;
    QString path;
    bool operator==(const TFavorite&) const = default;
};

// A line without "=" (an empty one too) is a favourite named "undefined(i)", i its
// 0-based line number, whose path is the whole line.
QList<TFavorite> FavoritesFromLines(const QStringList& lines);
QStringList FavoriteLines(const QList<TFavorite>& favorites);

// The favourites of the file; none when it does not exist.
QList<TFavorite> LoadFavoriteList(const QString& fileName);
// Replaces the file; raises the write error.
void SaveFavoriteList(const QString& fileName, const QList<TFavorite>& favorites);

// True when the name comes back from the file as it went in: not empty, no "=" and no
// line break.
bool IsStorableFavoriteName(QStringView name);

}  // namespace tollamar
