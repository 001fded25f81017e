#pragma once
// A seam for tests: make the Nth read, write, rename or delete of the platform layer
// fail with a chosen errno. Tests run as root, so permissions cannot make a call fail.

namespace tollamar::faults {

enum class Op { Read, Write, Rename, Delete, Count };

// The nth (1-based) call of op from now on fails with errnoValue; times > 1 fails
// that many calls in a row.
void FailNth(Op op, int nth, int errnoValue, int times = 1);
void Reset();
// Called by the platform layer before each operation: 0, or the errno to fail with.
int Take(Op op);

}  // namespace tollamar::faults
