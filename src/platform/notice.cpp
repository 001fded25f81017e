#include "platform/notice.h"

#include <cstdio>

namespace tollamar {
namespace {

NoticeHandler& handler() {
    static NoticeHandler h = [](const QString& text) {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    };
    return h;
}

}  // namespace

void SetNoticeHandler(NoticeHandler h) { handler() = std::move(h); }

void ShowNotice(const QString& text) {
    if (handler()) handler()(text);
}

}  // namespace tollamar
