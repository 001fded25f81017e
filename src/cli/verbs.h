#pragma once
// Each verb file contributes its verbs to the table main() dispatches on.

#include <QList>
#include <QString>
#include <QStringList>

namespace tollamar::cli {

struct Verb {
    QString name;
    QString usage;  // the arguments, as --help prints them
    QString summary;
    int (*run)(QStringList args);
};

QList<Verb> CatalogueVerbs();
QList<Verb> CommentVerbs();
QList<Verb> ExifSegmentVerbs();
QList<Verb> PhotoInfoVerbs();
QList<Verb> SearchVerbs();
QList<Verb> RecoverVerbs();

}  // namespace tollamar::cli
