#pragma once
// Full-size decoding of one photo on a worker thread of its own, for the image window.
// A thread is made per picture, never reused. Cancelling sets a flag that the decoder
// reads before every band of rows, so an abandoned decode ends within one band. The
// worker never waits for the interface thread: its result, a value, is posted to a
// receiving object with a queued call, and dropped when that object has gone.

#include "imaging/jpeg_image.h"
#include "platform/file_stamp.h"

#include <QImage>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

class QObject;

namespace tollamar {

// What one decode thread hands back.
struct TJpegResult {
    quint64 ThreadId = 0;
    QString FileName;
    TFileStamp Stamp;    // the file as it was just before it was read
    QImage Bitmap;       // Format_RGB32; null when cancelled, failed or empty
    QString Error;       // the file or decode error's text; empty when none
    bool Cancelled = false;
};

// A JPEG image object with the process-wide defaults and a cancel flag.
class TMyJpegImage : public TJPEGImage {
public:
    // terminated, when given, is the owning thread's termination request; it must
    // outlive the object.
    explicit TMyJpegImage(const std::atomic<bool>* terminated = nullptr);

    // Sets Aborted for good: the decode stops before its next band of rows.
    void Abort() { m_aborted.store(true); }
    bool Aborted() const { return m_aborted.load(); }
    // Decodes, with dest sharing the bitmap's pixel memory from the moment it has its
    // size, so dest holds every row decoded so far also after a stop. Leaves dest as it
    // was when already decoded or aborted before the rows began. Raises decode errors.
    void DecodeTo(QImage& dest);

protected:
    bool StopRequested() override;
    void BitmapReady(const QImage& bitmap) override;

private:
    const std::atomic<bool>* m_terminated;
    std::atomic<bool> m_aborted{false};
    QImage* m_dest = nullptr;
};

// The decode of one file in its full size, the whole file read first.
TJpegResult DecodeJpegFile(const QString& fileName, const std::atomic<bool>& terminated);

class TJpegThread {
public:
    using DoneHandler = std::function<void(const TJpegResult&)>;

    // A suspended thread for fileName. Once the worker has ended, onDone runs on
    // context's thread (from its event loop), unless context was released first.
    TJpegThread(const QString& fileName, QObject* context, DoneHandler onDone);
    // Neither waits nor cancels: a running worker keeps what it needs and ends alone.
    ~TJpegThread();
    TJpegThread(const TJpegThread&) = delete;
    TJpegThread& operator=(const TJpegThread&) = delete;

    // A number no other thread of this process gets.
    quint64 Id() const;
    QString FileName() const;
    // Starts the worker; only the first call counts.
    void Start();
    // Sets the termination request and returns at once.
    void CancelDecode();

    // Cancels every worker reporting to context and waits up to timeoutMs for them to
    // end; afterwards no result reaches context. True when all had ended. Call it
    // before context is destroyed.
    static bool ReleaseContext(QObject* context, int timeoutMs);
    // Workers of the whole process that have not ended yet.
    static int RunningCount();

    // The state a worker shares with its handle and the release of its receiver.
    struct Shared;

private:
    static void run(const std::shared_ptr<Shared>& shared);

    std::shared_ptr<Shared> m_shared;
    bool m_started = false;
};

}  // namespace tollamar
