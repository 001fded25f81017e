#include "cli/cli_io.h"

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/native_name.h"

#include <cstdio>
#include <unistd.h>

namespace tollamar::cli {
namespace {

// C0 controls but tab and line feed, DEL and the C1 controls. A terminal takes them as
// commands (clear the screen, set the title, move the cursor), and comments, Exif texts
// and file names come from whoever made the photo, so none reaches a terminal as it is.
// Output into a pipe or a file keeps them.
bool isTerminalControl(char16_t c) {
    return (c < 0x20 && c != u'\t' && c != u'\n') || (c >= 0x7F && c <= 0x9F);
}

QString shownOn(FILE* stream, QString text) {
    static const bool stdoutIsTerminal = isatty(STDOUT_FILENO) == 1;
    static const bool stderrIsTerminal = isatty(STDERR_FILENO) == 1;
    if (!(stream == stdout ? stdoutIsTerminal : stderrIsTerminal)) return text;
    for (QChar& c : text)
        if (isTerminalControl(c.unicode())) c = u'?';
    return text;
}

}  // namespace

void PrintLine(const QString& text) {
    // A file name that is not UTF-8 goes out as the bytes it came in with.
    const QByteArray bytes = NativeName(shownOn(stdout, text));
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

void PrintText(const QString& text) {
    PrintLine(WithLfLineEnds(text));
}

void ReportError(const QString& file, const QString& message) {
    std::fflush(stdout);
    const QString line = file.isEmpty() ? QStringLiteral("tollamar-cli: %1\n").arg(message)
                                        : QStringLiteral("tollamar-cli: %1: %2\n").arg(DisplayName(file), message);
    std::fputs(shownOn(stderr, line).toUtf8().constData(), stderr);
}

int UsageError(const QString& message) {
    ReportError({}, message + QStringLiteral(" (see tollamar-cli --help)"));
    return kExitUsage;
}

int ForEachFile(const QStringList& files, const std::function<bool(const QString&)>& work) {
    int status = kExitOk;
    for (const QString& file : files) {
        try {
            if (!work(file)) status = kExitFailed;
        } catch (const Error& e) {
            ReportError(file, e.message());
            status = kExitFailed;
        } catch (const std::exception& e) {
            ReportError(file, QString::fromLocal8Bit(e.what()));
            status = kExitFailed;
        }
    }
    return status;
}

bool TakeOptions(QStringList& args, const QStringList& known, QStringList& given) {
    while (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
        const QString option = args.takeFirst();
        if (option == QStringLiteral("--")) break;
        if (!known.contains(option)) {
            args.prepend(option);
            return false;
        }
        given.append(option);
    }
    return true;
}

}  // namespace tollamar::cli
