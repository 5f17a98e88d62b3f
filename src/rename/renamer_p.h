#pragma once

#include <QByteArray>

#include <functional>

namespace kesto {

/// The two moments of a claimed rename at which another program may step in.
enum class ClaimStage { Claimed, BeforeRename };

/// Lets a test act as another program at those moments (an empty function
/// ends it). Called with the new name's path.
void SetClaimHookForTesting(std::function<void(ClaimStage, const QByteArray &)> hook);

} // namespace kesto
