// tavelin-sample-site: the sample site on its own, until Ctrl+C.

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sample_site.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: tavelin-sample-site [options]\n"
    "\n"
    "Serves a generated web-novel catalogue in GBK on loopback, with every page\n"
    "format the tavelin reader reads.\n"
    "\n"
    "Options:\n"
    "  --port N                 port to listen on (default 18080; 0 picks a free one)\n"
    "  --host ADDRESS           address to listen on (default 127.0.0.1)\n"
    "  --seed N                 catalogue seed (default 20110722)\n"
    "  --books N                number of books (default 60, at most 89999)\n"
    "  --chapters N             most chapters of a book; book 10001 has exactly N (default 40)\n"
    "  --category-page-size N   rows per category list page (default 4)\n"
    "  --ranking-page-size N    rows per ranking list page (default 15)\n"
    "  --search-interval S      a second search within S seconds gets the error page\n"
    "                           (default 0: off)\n"
    "  --percent-encode-account send login, member block and sign-up answers percent-encoded\n"
    "  --notice-version TEXT    version named by /ad/bookwisp/up/update.xml (default 0.9.3)\n"
    "  --no-notice-version      version document without the version attribute\n"
    "  --misbehave PATH:SWITCHES\n"
    "                           misbehave on PATH (exact, \"PREFIX*\" or \"*\"); SWITCHES,\n"
    "                           separated by commas: delay=MS, redirect=TARGET, error-page,\n"
    "                           hostile, empty, status=CODE, huge=BYTES, chunk-delay=MS,\n"
    "                           chunk-bytes=N, close-mid-body. May be given several times.\n"
    "  --help                   show this text\n"
    "\n"
    "Example: tavelin-sample-site --port 18080 --misbehave '/book/list1/*:delay=2000'\n"
    "         curl http://127.0.0.1:18080/book/toplastupdate/1.html | iconv -f gbk -t utf-8\n";

bool ReadInt(const char* text, long long low, long long high, long long& value) {
  char* end = nullptr;
  value = std::strtoll(text, &end, 10);
  return end != text && *end == '\0' && value >= low && value <= high;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "tavelin-sample-site: %s\nTry --help.\n", message.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  sample_site::SampleSiteOptions options;
  sample_site::VersionInfo version;
  std::vector<std::pair<std::string, sample_site::Misbehaviour>> misbehaviours;
  int port = 18080;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage.data(), stdout);
      return 0;
    }
    if (arg == "--percent-encode-account") {
      options.percentEncodeAccountAnswers = true;
      continue;
    }
    if (arg == "--no-notice-version") {
      version.version.reset();
      continue;
    }
    static constexpr std::array<std::string_view, 10> kWithValue = {"--port",
                                                                    "--host",
                                                                    "--seed",
                                                                    "--books",
                                                                    "--chapters",
                                                                    "--category-page-size",
                                                                    "--ranking-page-size",
                                                                    "--search-interval",
                                                                    "--notice-version",
                                                                    "--misbehave"};
    if (std::find(kWithValue.begin(), kWithValue.end(), arg) == kWithValue.end()) {
      return Fail("unknown option " + std::string(arg));
    }
    if (i + 1 >= argc) return Fail("missing value after " + std::string(arg));
    const char* value = argv[++i];
    long long number = 0;
    if (arg == "--port") {
      if (!ReadInt(value, 0, 65535, number)) return Fail("bad port");
      port = static_cast<int>(number);
    } else if (arg == "--host") {
      options.host = value;
    } else if (arg == "--seed") {
      if (!ReadInt(value, 0, INT64_MAX, number)) return Fail("bad seed");
      options.catalogue.seed = static_cast<std::uint64_t>(number);
    } else if (arg == "--books") {
      if (!ReadInt(value, 1, 89999, number)) return Fail("--books must lie between 1 and 89999");
      options.catalogue.books = static_cast<int>(number);
    } else if (arg == "--chapters") {
      if (!ReadInt(value, 1, 1000000, number)) return Fail("bad number of chapters");
      options.catalogue.chapters = static_cast<int>(number);
    } else if (arg == "--category-page-size") {
      if (!ReadInt(value, 1, 100000, number)) return Fail("bad page size");
      options.catalogue.categoryPageSize = static_cast<int>(number);
    } else if (arg == "--ranking-page-size") {
      if (!ReadInt(value, 1, 100000, number)) return Fail("bad page size");
      options.catalogue.rankingPageSize = static_cast<int>(number);
    } else if (arg == "--search-interval") {
      if (!ReadInt(value, 0, 86400, number)) return Fail("bad search interval");
      options.searchIntervalSeconds = static_cast<int>(number);
    } else if (arg == "--notice-version") {
      version.version = value;
    } else if (arg == "--misbehave") {
      std::string_view spec = value;
      std::size_t colon = spec.find(':');
      if (colon == std::string_view::npos || colon == 0)
        return Fail("--misbehave needs PATH:SWITCHES");
      std::string error;
      auto misbehaviour = sample_site::ParseMisbehaviour(spec.substr(colon + 1), &error);
      if (!misbehaviour) return Fail("--misbehave: " + error);
      misbehaviours.emplace_back(std::string(spec.substr(0, colon)), *misbehaviour);
    }
  }

  // Ctrl+C and SIGTERM are taken with sigwait below, so no thread of the
  // server may receive them: block them before any thread starts.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  sample_site::SampleSite site(options);
  site.SetVersionInfo(version);
  for (auto& [path, misbehaviour] : misbehaviours) site.SetMisbehaviour(path, misbehaviour);
  if (site.Start(port) < 0) {
    std::fprintf(stderr, "tavelin-sample-site: cannot listen on %s:%d\n", options.host.c_str(),
                 port);
    return 1;
  }
  const auto& used = site.catalogue().options();
  std::printf(
      "tavelin sample site at %s (%d books, up to %d chapters, seed %llu); Ctrl+C stops it\n",
      site.BaseUrl().c_str(), used.books, used.chapters,
      static_cast<unsigned long long>(used.seed));
  std::fflush(stdout);
  int received = 0;
  sigwait(&signals, &received);
  site.Stop();
  return 0;
}
