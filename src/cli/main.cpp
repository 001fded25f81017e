// tollamar-cli: the scripting front end over Tollamar's core.

#include "cli/cli_io.h"
#include "cli/verbs.h"
#include "platform/native_name.h"

#include <cstdio>

using namespace tollamar::cli;

static QList<Verb> allVerbs() {
    return CommentVerbs() + CatalogueVerbs() + ExifSegmentVerbs() + PhotoInfoVerbs() + SearchVerbs() + RecoverVerbs();
}

static int printHelp() {
    PrintLine(QStringLiteral("usage: tollamar-cli VERB ARGS...\n\nverbs:"));
    for (const Verb& verb : allVerbs())
        PrintLine(QStringLiteral("  %1 %2\n      %3").arg(verb.name, verb.usage, verb.summary));
    PrintLine(QStringLiteral("\nErrors go to standard error; the exit status is 0 when every file "
                             "succeeded, 1 when any failed, 2 for a usage error.\n"
                             "--version prints the version; man tollamar-cli tells more."));
    return kExitOk;
}

int main(int argc, char** argv) {
    // No QCoreApplication: nothing here needs an event loop, and not making one keeps
    // start-up short for scripts that run the program once per photo.
    // File names are taken as the bytes the system passed, whether UTF-8 or not.
    QStringList args;
    for (int i = 1; i < argc; ++i) args.append(tollamar::NameFromNative(argv[i]));
    if (args.isEmpty()) return UsageError(QStringLiteral("no verb given"));
    const QString verbName = args.takeFirst();
    if (verbName == QStringLiteral("--help") || verbName == QStringLiteral("-h")) return printHelp();
    if (verbName == QStringLiteral("--version")) {
        PrintLine(QStringLiteral("tollamar-cli " TOLLAMAR_VERSION));
        return kExitOk;
    }
    for (const Verb& verb : allVerbs()) {
        if (verb.name == verbName) {
            const int status = verb.run(args);
            std::fflush(stdout);
            return status;
        }
    }
    return UsageError(QStringLiteral("unknown verb %1").arg(verbName));
}
