#include "imaging/jpeg_thread.h"

#include "platform/errors.h"

#include <QMetaObject>
#include <QObject>
#include <QScopeGuard>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace tollamar {

struct TJpegThread::Shared {
    quint64 id = 0;
    QString fileName;
    std::atomic<bool> terminated{false};
    // Guarded by the registry's mutex: cleared when the receiver is released.
    QObject* context = nullptr;
    DoneHandler onDone;
};

namespace {

// The workers that have not ended, so that a receiver can be released safely: a
// worker posts its result while holding the mutex, and a release clears the receiver
// under the same mutex. Posting never waits for the receiving thread.
struct Registry {
    std::mutex mutex;
    std::condition_variable ended;
    std::vector<std::shared_ptr<TJpegThread::Shared>> live;
};

Registry& registry() {
    static Registry* instance = new Registry;  // workers may outlive static destruction
    return *instance;
}

std::atomic<quint64> g_nextId{1};

QImage displayable(const QImage& bitmap) {
    if (bitmap.isNull() || bitmap.format() == QImage::Format_RGB32) return bitmap;
    return bitmap.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TMyJpegImage::TMyJpegImage(const std::atomic<bool>* terminated)
    : TJPEGImage(JpegDefaults()), m_terminated(terminated) {}

void TMyJpegImage::DecodeTo(QImage& dest) {
    if (HasBitmap()) return;
    m_dest = &dest;
    const auto forget = qScopeGuard([this] { m_dest = nullptr; });
    Bitmap();
}

bool TMyJpegImage::StopRequested() {
    if (m_terminated && m_terminated->load(std::memory_order_relaxed)) Abort();
    return Aborted();
}

void TMyJpegImage::BitmapReady(const QImage& bitmap) {
    if (m_dest && !Aborted()) *m_dest = bitmap;
}

TJpegResult DecodeJpegFile(const QString& fileName, const std::atomic<bool>& terminated) {
    TJpegResult result;
    result.FileName = fileName;
    result.Cancelled = terminated.load();
    if (result.Cancelled) return result;
    result.Stamp = FileStampOf(fileName);
    try {
        TMyJpegImage image(&terminated);
        image.LoadFromFile(fileName);
        QImage bitmap;
        image.DecodeTo(bitmap);
        result.Cancelled = image.Aborted();
        if (!result.Cancelled) result.Bitmap = displayable(bitmap);
    } catch (const Error& e) {
        result.Error = e.message();
    } catch (const std::exception& e) {
        result.Error = QString::fromUtf8(e.what());
    }
    return result;
}

TJpegThread::TJpegThread(const QString& fileName, QObject* context, DoneHandler onDone)
    : m_shared(std::make_shared<Shared>()) {
    m_shared->id = g_nextId.fetch_add(1);
    m_shared->fileName = fileName;
    m_shared->context = context;
    m_shared->onDone = std::move(onDone);
}

TJpegThread::~TJpegThread() = default;

quint64 TJpegThread::Id() const { return m_shared->id; }

QString TJpegThread::FileName() const { return m_shared->fileName; }

void TJpegThread::Start() {
    if (m_started) return;
    m_started = true;
    Registry& r = registry();
    {
        const std::lock_guard lock(r.mutex);
        r.live.push_back(m_shared);
    }
    try {
        std::thread([shared = m_shared] { run(shared); }).detach();
    } catch (...) {
        const std::lock_guard lock(r.mutex);
        std::erase(r.live, m_shared);
        throw;
    }
}

void TJpegThread::CancelDecode() { m_shared->terminated.store(true); }

void TJpegThread::run(const std::shared_ptr<Shared>& shared) {
    TJpegResult result = DecodeJpegFile(shared->fileName, shared->terminated);
    result.ThreadId = shared->id;
    Registry& r = registry();
    const std::lock_guard lock(r.mutex);
    if (shared->context) {
        QMetaObject::invokeMethod(
            shared->context, [onDone = shared->onDone, result = std::move(result)] { onDone(result); },
            Qt::QueuedConnection);
    }
    std::erase(r.live, shared);
    r.ended.notify_all();
}

bool TJpegThread::ReleaseContext(QObject* context, int timeoutMs) {
    Registry& r = registry();
    std::unique_lock lock(r.mutex);
    const auto mine = [context](const std::shared_ptr<Shared>& s) { return s->context == context; };
    for (const auto& shared : r.live)
        if (mine(shared)) shared->terminated.store(true);
    const bool allEnded = r.ended.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        return std::none_of(r.live.begin(), r.live.end(), mine);
    });
    for (const auto& shared : r.live)
        if (mine(shared)) shared->context = nullptr;
    return allEnded;
}

int TJpegThread::RunningCount() {
    Registry& r = registry();
    const std::lock_guard lock(r.mutex);
    return static_cast<int>(r.live.size());
}

}  // namespace tollamar
