#pragma once
// The rebuilt header of a segment replacement, kept apart from the unchanged rest of
// the file so that a rewrite can write both without joining them in memory first.

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <optional>

namespace tollamar {

struct RebuiltHeader {
    QByteArray head;           // SOI up to and including the SOS marker bytes
    qsizetype tailOffset = 0;  // the old file from here on follows the head unchanged
};

// nullopt when the content cannot be rebuilt (no SOI, broken structure, no SOS); raises
// the stream read error when a segment runs past the end.
std::optional<RebuiltHeader> RebuildHeader(QByteArrayView content, QByteArrayView data,
                                           uint8_t marker);

}  // namespace tollamar
