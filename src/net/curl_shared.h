#pragma once

// The process-wide libcurl state every request uses: the library is
// initialised once, and one share handle holds the cookie store (and the DNS
// cache) of all requests, with real locks so that any number of threads may
// use it at once.

#include <curl/curl.h>

// The share handle, created (with curl_global_init) on first use. Never null.
// Attach it to an easy handle with CURLOPT_SHARE; it lives until the process
// ends.
CURLSH* SharedCurlStore();
