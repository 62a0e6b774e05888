// tavelin-sample-site as a user runs it: it prints its address, serves the
// default catalogue there, obeys --misbehave, and stops cleanly on SIGTERM.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "net/site_request.h"
#include "pages.h"
#include "scrape/gbk_literal.h"
#include "site_facts.h"

extern char** environ;

namespace {

// A running tavelin-sample-site with its standard output on a pipe.
class SiteProcess final {
 public:
  explicit SiteProcess(std::vector<std::string> args) {
    args.insert(args.begin(), SAMPLE_SITE_BINARY);
    int fds[2];
    if (pipe(fds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, SAMPLE_SITE_BINARY, &actions, nullptr, argv.data(), environ) != 0)
      pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    out_ = fds[0];
  }
  ~SiteProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) close(out_);
  }

  // Everything the process writes until it closes its output or `timeoutMs`
  // passes without output; stops early after a line break when `lineOnly`.
  std::string Read(bool lineOnly, int timeoutMs = 10000) {
    std::string text;
    pollfd p{out_, POLLIN, 0};
    char buffer[4096];
    while (poll(&p, 1, timeoutMs) > 0) {
      ssize_t n = read(out_, buffer, sizeof buffer);
      if (n <= 0) break;
      text.append(buffer, static_cast<std::size_t>(n));
      if (lineOnly && text.find('\n') != std::string::npos) break;
    }
    return text;
  }

  // Sends `signal` (unless 0) and returns the exit code, or -1.
  int Finish(int signal) {
    if (pid_ <= 0) return -1;
    if (signal != 0) kill(pid_, signal);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
};

// The address in "tavelin sample site at http://... (".
std::string AddressIn(const std::string& line) {
  std::size_t start = line.find("http://");
  std::size_t end = line.find(' ', start);
  return start == std::string::npos ? std::string() : line.substr(start, end - start);
}

}  // namespace

TEST(SampleSiteBinary, ServesTheDefaultCatalogueAndStopsOnSigterm) {
  SiteProcess process({"--port", "0", "--misbehave", "/book/list1/1.html:error-page"});
  std::string base = AddressIn(process.Read(true));
  ASSERT_FALSE(base.empty());
  sample_site::Catalogue catalogue{sample_site::CatalogueOptions{}};
  EXPECT_EQ(SiteRequest(base + "/book/toplastupdate/1.html"),
            sample_site::RankingListPage(catalogue, sample_site::Ranking::kLastUpdate, 1, base));
  EXPECT_NE(FindText(SiteRequest(base + "/book/list1/1.html"), "出现错误！"_gbk), -1);
  EXPECT_EQ(process.Finish(SIGTERM), 0);
  EXPECT_TRUE(SiteRequest(base + "/").empty());
}

TEST(SampleSiteBinary, LargeCatalogueOptions) {
  SiteProcess process({"--port", "0", "--books", "500", "--chapters", "300", "--seed", "9"});
  std::string line = process.Read(true);
  EXPECT_NE(line.find("500 books, up to 300 chapters, seed 9"), std::string::npos) << line;
  std::string base = AddressIn(line);
  sample_site::CatalogueOptions options;
  options.books = 500;
  options.chapters = 300;
  options.seed = 9;
  sample_site::Catalogue catalogue{options};
  const sample_site::Book& book = *catalogue.FindBook(sample_site::kLongBookId);
  EXPECT_EQ(SiteRequest(base + sample_site::ChapterListPath(book.id)),
            sample_site::ChapterListPage(catalogue, book, base));
  EXPECT_EQ(process.Finish(SIGINT), 0);
}

TEST(SampleSiteBinary, HelpAndBadArguments) {
  SiteProcess help({"--help"});
  EXPECT_NE(help.Read(false).find("Usage: tavelin-sample-site"), std::string::npos);
  EXPECT_EQ(help.Finish(0), 0);
  for (std::vector<std::string> bad :
       std::vector<std::vector<std::string>>{{"--bogus"},
                                             {"--port"},
                                             {"--port", "70000"},
                                             {"--books", "0"},
                                             {"--misbehave", "/no-switches"},
                                             {"--misbehave", "/x:sleep=1"}}) {
    SiteProcess process(bad);
    EXPECT_EQ(process.Finish(0), 2) << bad.front();
  }
}
