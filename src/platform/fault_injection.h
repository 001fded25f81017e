#pragma once
// A seam for tests: make the Nth read, write, rename or delete of the platform layer
// fail with a chosen errno. Tests run as root, so permissions cannot make a call fail.

#include <functional>

namespace tollamar::faults {

// Read: opening a file to read; ReadData: a read of its bytes after the open; Access: the
// write-permission check of a rewrite (root passes every real permission check).
enum class Op { Read, ReadData, Write, Rename, Delete, Access, Count };

// The nth (1-based) call of op from now on fails with errnoValue; times > 1 fails
// that many calls in a row.
void FailNth(Op op, int nth, int errnoValue, int times = 1);
void Reset();
// Called by the platform layer before each operation: 0, or the errno to fail with.
int Take(Op op);
// hook runs once, the next time a rewrite is about to put its new file in place (a test
// changes the photo there as another program would); Reset clears it.
void BeforeReplace(std::function<void()> hook);
void RunBeforeReplace();

}  // namespace tollamar::faults
