#pragma once

// The command line and environment of the reader.

#include <optional>
#include <string>
#include <vector>

struct AppOptions {
  std::string siteUrl;
  std::string noticeUrl;
  std::string assetUrl;
  bool demo = false;
};

// Reads --site-url, --notice-url, --asset-url and --demo (then the variables
// TAVELIN_SITE_URL, TAVELIN_NOTICE_URL, TAVELIN_ASSET_URL for what the
// command line leaves out, then the built-in defaults). --help and --version
// print and give an exit code in `exitCode`; a usage error prints a message
// and gives exit code 2.
std::optional<AppOptions> ParseAppOptions(const std::vector<std::string>& args, int* exitCode);

// The built-in address of the site and the notice server.
inline constexpr const char* kDefaultSiteUrl = "http://127.0.0.1:18080";

// A file:// address of the installed reading assets (style sheet, script).
std::string DefaultAssetUrl(const std::string& executableDir);
