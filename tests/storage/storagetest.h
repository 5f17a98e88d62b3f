#pragma once

// Helpers of the storage tests.

#include <functional>

namespace kesto::test {

/// Runs \a checks (gtest assertions) where files that allow nobody to read
/// them cannot be read: directly for an ordinary user, for root in a child
/// process as the user "nobody" (make the folders it uses open to all).
/// False when that cannot be done; the caller then skips its assertions.
bool RunWithoutReadRights(const std::function<void()> &checks);

} // namespace kesto::test
