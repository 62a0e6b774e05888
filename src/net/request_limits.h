#pragma once

// Time limits of every request (site requests and HttpReadFile).

// Connect limit and stalled-transfer limit (no byte received or sent for
// that long), both 18000 ms unless a test has changed them.
int RequestConnectTimeoutMs();
int RequestIdleTimeoutMs();

// Replaces both limits for the whole process (tests only). A value of 0 or
// less restores the default of 18000 ms.
void SetRequestTimeoutsForTesting(int connectMs, int idleMs);
