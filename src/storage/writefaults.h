#pragma once

#include <cerrno>
#include <optional>

// For tests only: makes file replacements fail at one step, as a full or
// failing disk would, to prove that no step's failure costs the old file.

namespace kesto::writefaults {

enum class WriteStep {
    Create, ///< making the temporary file
    Write,  ///< writing its bytes: half of them are written, then the write fails
    Sync,   ///< fsync of the temporary file
    Close,  ///< closing it
    Rename, ///< putting it in the old file's place
};

/// Makes every later WriteFileBytes (and WriteAll, for the Write step) fail
/// at \a step with \a errorNumber; nothing ends the failures.
void FailWritesAt(std::optional<WriteStep> step, int errorNumber = ENOSPC);

} // namespace kesto::writefaults
