#pragma once

// Hands the memory the process has freed back to the system. After a large one-off job
// ("Open" of a long log, a restore) the C library keeps its freed blocks for later allocations
// instead of returning them, so the process would stay as large as at the job's peak.
void returnFreedMemory();
