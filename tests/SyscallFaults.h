#pragma once

// Faults planted in the system calls of the file writer. The test programs
// that link SyscallFaults.cpp are linked with --wrap for these calls, so
// every call the core makes passes through here and goes on to the system
// unless a fault is armed.

// The calls a fault can be planted in.
enum class ESyscall { Open, Write, Fsync, Linkat, Rename, Fchmod, Ftruncate, Fallocate, Count };

// Makes call number `nth` (1 = the next) of `call` fail with `error`, once.
void PlantFault(ESyscall call, int error, int nth = 1);

// While set, an open with O_TMPFILE fails with EOPNOTSUPP, as on a file
// system that makes no unnamed files. Inherited by forked children.
void RefuseUnnamedFiles(bool refuse);

// Removes every planted fault and the refusal, and resets the counts.
void ClearFaults();

// How often `call` was made since the last ClearFaults.
int CallCount(ESyscall call);

// Whether the planted fault has struck.
bool FaultStruck();
