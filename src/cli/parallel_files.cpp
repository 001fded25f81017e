#include "cli/parallel_files.h"

#include "cli/cli_io.h"
#include "platform/errors.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace tollamar::cli {
namespace {

struct Outcome {
    QString text;
    QString error;
    bool failed = false;
    bool done = false;
};

class Pool {
public:
    Pool(const QStringList& files, const std::function<QString(const QString&)>& produce)
        : m_files(files), m_produce(produce), m_outcomes(static_cast<size_t>(files.size())) {}

    void work() {
        for (qsizetype i; (i = m_next++) < m_files.size();) {
            Outcome outcome = run(m_files[i]);
            std::lock_guard lock(m_mutex);
            m_outcomes[static_cast<size_t>(i)] = std::move(outcome);
            m_outcomes[static_cast<size_t>(i)].done = true;
            m_ready.notify_all();
        }
    }

    Outcome take(qsizetype i) {
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [&] { return m_outcomes[static_cast<size_t>(i)].done; });
        return std::move(m_outcomes[static_cast<size_t>(i)]);
    }

private:
    Outcome run(const QString& file) {
        Outcome outcome;
        try {
            outcome.text = m_produce(file);
        } catch (const Error& e) {
            outcome = {{}, e.message(), true, false};
        } catch (const std::exception& e) {
            outcome = {{}, QString::fromLocal8Bit(e.what()), true, false};
        }
        return outcome;
    }

    const QStringList& m_files;
    const std::function<QString(const QString&)>& m_produce;
    std::vector<Outcome> m_outcomes;
    std::atomic<qsizetype> m_next{0};
    std::mutex m_mutex;
    std::condition_variable m_ready;
};

}  // namespace

int ForEachFileInParallel(const QStringList& files,
                          const std::function<QString(const QString&)>& produce,
                          const std::function<void(const QString&, const QString&)>& consume) {
    Pool pool(files, produce);
    const unsigned count = std::max(1u, std::min(std::thread::hardware_concurrency(), 8u));
    std::vector<std::jthread> workers;
    for (unsigned i = 0; i < count && i < static_cast<unsigned>(files.size()); ++i)
        workers.emplace_back([&pool] { pool.work(); });
    int status = kExitOk;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const Outcome outcome = pool.take(i);
        if (outcome.failed) {
            ReportError(files[i], outcome.error);
            status = kExitFailed;
        } else {
            consume(files[i], outcome.text);
        }
    }
    return status;
}

int PrintEachFile(const QStringList& files, const std::function<QString(const QString&)>& produce) {
    const bool headed = files.size() > 1;
    bool first = true;
    return ForEachFileInParallel(files, produce, [&](const QString& file, const QString& text) {
        if (headed) {
            if (!first) PrintLine({});
            PrintLine(QStringLiteral("==> %1 <==").arg(file));
        }
        first = false;
        PrintText(text);
    });
}

}  // namespace tollamar::cli
