#include "app/app_options.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr const char* kUsage =
    "Usage: tavelin [--demo] [--site-url URL] [--notice-url URL] [--asset-url URL]\n"
    "\n"
    "A desktop reader for one web-novel site.\n"
    "\n"
    "  --demo             start the built-in sample site on a free loopback port and\n"
    "                     use it for every address\n"
    "  --site-url URL     the novel site (default http://127.0.0.1:18080,\n"
    "                     or TAVELIN_SITE_URL)\n"
    "  --notice-url URL   the notice server (default: the site address,\n"
    "                     or TAVELIN_NOTICE_URL)\n"
    "  --asset-url URL    where reading pages find their style sheet and script\n"
    "                     (default: the installed assets, or TAVELIN_ASSET_URL)\n"
    "  --help             show this text\n"
    "  --version          show the version\n";

std::string FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string WithoutTrailingSlash(std::string url) {
  while (!url.empty() && url.back() == '/') url.pop_back();
  return url;
}

}  // namespace

std::optional<AppOptions> ParseAppOptions(const std::vector<std::string>& args, int* exitCode) {
  AppOptions options;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string* out) {
      if (i + 1 >= args.size()) return false;
      *out = args[++i];
      return true;
    };
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      *exitCode = 0;
      return std::nullopt;
    }
    if (arg == "--version") {
      std::puts("tavelin 0.9.3");
      *exitCode = 0;
      return std::nullopt;
    }
    bool ok = true;
    if (arg == "--demo")
      options.demo = true;
    else if (arg == "--site-url")
      ok = value(&options.siteUrl);
    else if (arg == "--notice-url")
      ok = value(&options.noticeUrl);
    else if (arg == "--asset-url")
      ok = value(&options.assetUrl);
    else if (arg.rfind("-", 0) != 0)
      ok = false;
    else if (arg.rfind("-platform", 0) == 0 || arg.rfind("-style", 0) == 0)
      ++i;  // Qt's own
    else
      ok = false;
    if (!ok) {
      std::fprintf(stderr, "tavelin: bad argument '%s' (see --help)\n", arg.c_str());
      *exitCode = 2;
      return std::nullopt;
    }
  }
  if (options.siteUrl.empty()) options.siteUrl = FromEnvironment("TAVELIN_SITE_URL");
  if (options.noticeUrl.empty()) options.noticeUrl = FromEnvironment("TAVELIN_NOTICE_URL");
  if (options.assetUrl.empty()) options.assetUrl = FromEnvironment("TAVELIN_ASSET_URL");
  if (options.siteUrl.empty()) options.siteUrl = kDefaultSiteUrl;
  if (options.noticeUrl.empty()) options.noticeUrl = options.siteUrl;
  options.siteUrl = WithoutTrailingSlash(options.siteUrl);
  options.noticeUrl = WithoutTrailingSlash(options.noticeUrl);
  options.assetUrl = WithoutTrailingSlash(options.assetUrl);
  return options;
}

std::string DefaultAssetUrl(const std::string& executableDir) {
  namespace fs = std::filesystem;
  // Built tree: <build>/assets; installed: <prefix>/share/tavelin/assets.
  for (const fs::path& candidate :
       {fs::path(executableDir) / "assets",
        fs::path(executableDir) / ".." / "share" / "tavelin" / "assets"}) {
    std::error_code error;
    if (fs::is_directory(candidate, error)) {
      return "file://" + fs::weakly_canonical(candidate, error).string();
    }
  }
  return "file://" + (fs::path(executableDir) / "assets").string();
}
