// make_samples OUTDIR [COUNT]   the sample album (COUNT photos, 60 by default)
// make_samples --seeds OUTDIR   small seed files for the fuzz harnesses

#include "album.h"
#include "seeds.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <exception>

namespace {

constexpr int kDefaultCount = 60;
constexpr int kMaxCount = 9999;  // file names carry four digits

int Usage()
{
    std::fprintf(stderr,
                 "usage: make_samples OUTDIR [COUNT]   write COUNT sample photos (default %d, "
                 "at most %d)\n"
                 "       make_samples --seeds OUTDIR   write fuzz seed files\n",
                 kDefaultCount, kMaxCount);
    return 2;
}

int Run(const QStringList& args)
{
    if (args.size() == 2 && args[0] == QLatin1String("--seeds")) {
        const QStringList names = tollamar::samples::WriteSeeds(args[1]);
        std::printf("%lld seed files written to %s\n", static_cast<long long>(names.size()),
                    qPrintable(args[1]));
        return 0;
    }
    if (args.isEmpty() || args.size() > 2 || args[0].startsWith(QLatin1Char('-')))
        return Usage();
    int count = kDefaultCount;
    if (args.size() == 2) {
        bool ok = false;
        count = args[1].toInt(&ok);
        if (!ok || count < 1 || count > kMaxCount)
            return Usage();
    }
    const QStringList names = tollamar::samples::WriteAlbum(args[0], count);
    std::printf("%lld photos written to %s\n", static_cast<long long>(names.size()),
                qPrintable(args[0]));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // Only for the arguments in the locale's encoding; nothing here needs an event loop.
    QCoreApplication app(argc, argv);
    try {
        return Run(QCoreApplication::arguments().mid(1));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_samples: %s\n", e.what());
        return 1;
    }
}
