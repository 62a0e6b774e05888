#pragma once

// Limits of every request (site requests and HttpReadFile).

#include <cstddef>

// A body is cut at this size; the transfer then counts as failed part-way.
inline constexpr std::size_t kMaxBodyBytes = 64u * 1024u * 1024u;

// Connect limit and stalled-transfer limit (no byte received or sent for
// that long), both 18000 ms unless a test has changed them.
int RequestConnectTimeoutMs();
int RequestIdleTimeoutMs();

// The body size limit: kMaxBodyBytes unless a test has changed it.
std::size_t RequestBodyLimit();

// Replace the limits for the whole process (tests only). A value of 0 or
// less restores the default.
void SetRequestTimeoutsForTesting(int connectMs, int idleMs);
void SetRequestBodyLimitForTesting(long long bytes);
