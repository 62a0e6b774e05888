#pragma once

// The program's own version: the update check compares the server's version
// text with it, and the captions show it.

#include <string_view>

inline constexpr std::string_view kProgramVersion = "0.9.3";
