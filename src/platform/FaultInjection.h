#pragma once

namespace verdal {

// A seam for tests: the file layer can be told to fail the n-th operation of a kind with a
// given errno, so that a full disk, a read error or a locked file can be produced on demand.
enum class FileOp { Open, Read, Write, Rename, Unlink, Mkdir, Trash, Link };

// The `nth` operation of `op` from now on (1 = the next one) fails with `err`.
void InjectFault(FileOp op, int nth, int err);
// Removes every pending fault and resets the counts.
void ClearFaults();
// True while a fault is waiting to be taken.
bool FaultsPending();
// Called by the file layer before each operation: the errno to fail with, or 0.
int TakeInjectedFault(FileOp op);

}  // namespace verdal
