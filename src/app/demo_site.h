#pragma once

#include <string>

// Starts the built-in sample site on a free loopback port for the rest of the
// run and returns its base address ("" when it could not be started).
std::string StartDemoSite();
