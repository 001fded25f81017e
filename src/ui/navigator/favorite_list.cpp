#include "ui/navigator/favorite_list.h"

#include "platform/native_name.h"
#include "ui/navigator/list_file.h"

namespace tollamar {

QList<TFavorite> FavoritesFromLines(const QStringList& lines) {
    QList<TFavorite> favorites;
    favorites.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            favorites.append({QStringLiteral("undefined(%1)").arg(i), FolderFromSetting(line)});
        else
            favorites.append({line.left(equals), FolderFromSetting(line.mid(equals + 1))});
    }
    return favorites;
}

QStringList FavoriteLines(const QList<TFavorite>& favorites) {
    QStringList lines;
    lines.reserve(favorites.size());
    for (const TFavorite& favorite : favorites) lines.append(favorite.name + u'=' + FolderToSetting(favorite.path));
    return lines;
}

QList<TFavorite> LoadFavoriteList(const QString& fileName) {
    return FavoritesFromLines(ReadListFile(fileName));
}

void SaveFavoriteList(const QString& fileName, const QList<TFavorite>& favorites) {
    WriteListFile(fileName, FavoriteLines(favorites));
}

bool IsStorableFavoriteName(QStringView name) {
    return !name.isEmpty() && !name.contains(u'=') && FitsOnOneLine(name);
}

}  // namespace tollamar
