// Close-on-exec SOCK_SEQPACKET Unix sockets: one packet per message, boundaries kept.
#pragma once

#include <string>

#include "unique_fd.h"

namespace tarsel::simsocket {

// Binds and listens at path (non-blocking, so accept never stalls the serving loop).
// An invalid fd on failure, with errno set.
UniqueFd ListenAt(const std::string& path);

// Connects to path; an invalid fd when nothing listens there, with errno set.
// A non-blocking socket treats a full accept queue as "someone listens" and succeeds.
UniqueFd ConnectTo(const std::string& path, bool nonBlocking);

}  // namespace tarsel::simsocket
