#include "cli/cli_io.h"

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/native_name.h"

#include <cstdio>

namespace tollamar::cli {

void PrintLine(const QString& text) {
    // A file name that is not UTF-8 goes out as the bytes it came in with.
    const QByteArray bytes = NativeName(text);
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
    std::fputs(line.toUtf8().constData(), stderr);
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
