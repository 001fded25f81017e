#include "cli/cli_io.h"
#include "cli/verbs.h"
#include "commands/backup_recovery.h"
#include "platform/errors.h"

namespace tollamar::cli {
namespace {

int recoverVerb(QStringList args) {
    QStringList options;
    if (!TakeOptions(args, {QStringLiteral("--apply")}, options))
        return UsageError(QStringLiteral("recover: unknown option %1").arg(args.first()));
    if (args.isEmpty()) return UsageError(QStringLiteral("recover: no folder given"));
    const bool apply = options.contains(QStringLiteral("--apply"));
    return ForEachFile(args, [&](const QString& folder) {
        bool ok = true;
        for (const TLeftover& leftover : FindLeftovers(folder)) {
            PrintLine(DescribeLeftover(leftover));
            if (!apply) continue;
            try {
                const QString done = ApplyLeftover(leftover);
                if (!done.isEmpty()) PrintLine(done);
            } catch (const Error& e) {
                ReportError(leftover.path, e.message());
                ok = false;
            }
        }
        return ok;
    });
}

}  // namespace

QList<Verb> RecoverVerbs() {
    return {
        {QStringLiteral("recover"), QStringLiteral("[--apply] FOLDER..."),
         QStringLiteral("list backups and temporary files an interrupted rewrite left; with "
                        "--apply put complete backups back where the photo is missing or cut off"),
         recoverVerb},
    };
}

}  // namespace tollamar::cli
