#include "sample_site.h"

#include <httplib.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "net/form_encoding.h"
#include "random.h"
#include "scrape/charset.h"
#include "scrape/gbk_literal.h"

namespace sample_site {
namespace {

constexpr std::string_view kHtml = "text/html; charset=gbk";
constexpr std::string_view kPlainText = "text/plain; charset=gbk";

// A decimal number made of digits only (no sign, no blanks), or nothing.
std::optional<int> StrictNumber(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text[0] == '-') return std::nullopt;
  return value;
}

// The query's values, FormDecoded, by name (the first of each name wins).
std::map<std::string, GbkText> ParseQuery(std::string_view query) {
  std::map<std::string, GbkText> values;
  for (const GbkText& pair : SplitText(query, "&")) {
    std::size_t equals = pair.find('=');
    std::string name = pair.substr(0, equals);
    GbkText value = equals == std::string::npos ? GbkText() : FormDecode(pair.substr(equals + 1));
    values.emplace(std::move(name), std::move(value));
  }
  return values;
}

GbkText QueryValue(const std::map<std::string, GbkText>& query, const std::string& name) {
  auto it = query.find(name);
  return it == query.end() ? GbkText() : it->second;
}

SiteAnswer Page(GbkText body, std::string_view contentType = kHtml) {
  SiteAnswer answer;
  answer.contentType = std::string(contentType);
  answer.body = std::move(body);
  return answer;
}

SiteAnswer NotFound(std::string_view baseUrl) {
  SiteAnswer answer = Page(NotFoundPage(baseUrl));
  answer.status = 404;
  return answer;
}

// "<N>.html" or "" (the first page) after a list folder; nothing otherwise.
std::optional<int> ListPageNumber(std::string_view rest) {
  if (rest.empty() || rest == "index.html") return 1;
  if (rest.size() <= 5 || rest.substr(rest.size() - 5) != ".html") return std::nullopt;
  return StrictNumber(rest.substr(0, rest.size() - 5));
}

// The session cookie's value in a Cookie header, or "".
std::string SessionFromCookies(std::string_view cookieHeader) {
  for (GbkText piece : SplitText(cookieHeader, ";")) {
    std::size_t start = piece.find_first_not_of(' ');
    if (start == std::string::npos) continue;
    piece.erase(0, start);
    std::size_t equals = piece.find('=');
    if (equals != std::string::npos && piece.substr(0, equals) == kSessionCookieName) {
      return piece.substr(equals + 1);
    }
  }
  return {};
}

bool LooksLikeEmail(std::string_view email) {
  std::size_t at = email.find('@');
  if (at == std::string_view::npos || at == 0) return false;
  std::size_t dot = email.find('.', at + 2);
  return dot != std::string_view::npos && dot + 1 < email.size() &&
         email.find_first_of(" <>\"'&", 0) == std::string_view::npos;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The filler that pads a huge body: a line of 64 ASCII bytes, repeated.
constexpr std::string_view kFillerLine =
    "<!-- padding padding padding padding padding padding paddi -->\r\n";
static_assert(kFillerLine.size() == 64);

}  // namespace

std::string LoggedRequest::Header(std::string_view name) const {
  for (const auto& [key, value] : headers) {
    if (EqualNoCase(key, name)) return value;
  }
  return {};
}

SampleSite::SampleSite(SampleSiteOptions options)
    : options_(std::move(options)),
      catalogue_(options_.catalogue),
      searchIntervalSeconds_(options_.searchIntervalSeconds),
      percentEncodeAccountAnswers_(options_.percentEncodeAccountAnswers) {
  versionInfo_.version = std::string(kDefaultNoticeVersion);
  members_[Utf8ToGbk(kMemberUserName)] = {Utf8ToGbk(kMemberPassword), Utf8ToGbk(kMemberLevel)};
}

SampleSite::~SampleSite() {
  Stop();
}

int SampleSite::Start(int port) {
  std::lock_guard<std::mutex> run(runMutex_);
  if (server_) return port_;
  stopping_ = false;
  auto server = std::make_unique<httplib::Server>();
  int threads = std::max(options_.threads, 2);
  server->new_task_queue = [threads] {
    return new httplib::ThreadPool(static_cast<size_t>(threads));
  };
  // The library's default also sets SO_REUSEPORT, which would let a second
  // site bind a port that is in use and steal half of its connections.
  server->set_socket_options([](socket_t sock) {
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  server->set_keep_alive_timeout(1);
  server->set_read_timeout(5);
  server->set_write_timeout(5);
  auto handler = [this](const httplib::Request& request, httplib::Response& response) {
    Handle(request, response);
  };
  server->Get(".*", handler);
  server->Post(".*", handler);
  int bound = -1;
  if (port == 0) {
    bound = server->bind_to_any_port(options_.host);
  } else if (server->bind_to_port(options_.host, port)) {
    bound = port;
  }
  if (bound <= 0) return -1;
  server_ = std::move(server);
  port_ = bound;
  thread_ = std::thread([server = server_.get()] { server->listen_after_bind(); });
  // Stop() may only be called once the accept loop runs, or it would miss it.
  while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return bound;
}

void SampleSite::Stop() {
  std::lock_guard<std::mutex> run(runMutex_);
  if (!server_) return;
  {
    std::lock_guard<std::mutex> lock(pauseMutex_);
    stopping_ = true;
  }
  stopSignal_.notify_all();
  server_->stop();
  if (thread_.joinable()) thread_.join();
  server_.reset();
  port_ = -1;
}

bool SampleSite::Running() const {
  return port_ > 0;
}

int SampleSite::Port() const {
  return port_;
}

std::string SampleSite::BaseUrl() const {
  return "http://" + options_.host + ":" + std::to_string(port_.load());
}

void SampleSite::SetMisbehaviour(std::string pathPattern, Misbehaviour misbehaviour) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& [pattern, existing] : misbehaviours_) {
    if (pattern == pathPattern) {
      existing = std::move(misbehaviour);
      return;
    }
  }
  misbehaviours_.emplace_back(std::move(pathPattern), std::move(misbehaviour));
}

void SampleSite::ClearMisbehaviour(std::string_view pathPattern) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::erase_if(misbehaviours_, [&](const auto& entry) { return entry.first == pathPattern; });
}

void SampleSite::ClearAllMisbehaviour() {
  std::lock_guard<std::mutex> lock(mutex_);
  misbehaviours_.clear();
}

void SampleSite::SetSearchInterval(int seconds) {
  std::lock_guard<std::mutex> lock(mutex_);
  searchIntervalSeconds_ = std::max(seconds, 0);
  lastSearch_.reset();
}

void SampleSite::SetPercentEncodeAccountAnswers(bool on) {
  std::lock_guard<std::mutex> lock(mutex_);
  percentEncodeAccountAnswers_ = on;
}

void SampleSite::SetVersionInfo(VersionInfo info) {
  std::lock_guard<std::mutex> lock(mutex_);
  versionInfo_ = std::move(info);
}

std::vector<LoggedRequest> SampleSite::RequestLog() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return log_;
}

void SampleSite::ClearRequestLog() {
  std::lock_guard<std::mutex> lock(mutex_);
  log_.clear();
}

std::optional<Misbehaviour> SampleSite::MisbehaviourFor(std::string_view path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Misbehaviour* best = nullptr;
  std::size_t bestRank = 0;
  for (const auto& [pattern, misbehaviour] : misbehaviours_) {
    if (!PathMatches(pattern, path)) continue;
    // An exact path ranks above every pattern; longer patterns above shorter.
    std::size_t rank = pattern == path ? std::string::npos : pattern.size() + 1;
    if (best == nullptr || rank > bestRank) {
      best = &misbehaviour;
      bestRank = rank;
    }
  }
  if (best == nullptr) return std::nullopt;
  return *best;
}

bool SampleSite::Pause(std::chrono::milliseconds duration) {
  std::unique_lock<std::mutex> lock(pauseMutex_);
  return !stopSignal_.wait_for(lock, duration, [this] { return stopping_.load(); });
}

void SampleSite::Handle(const httplib::Request& request, httplib::Response& response) {
  const std::string& target = request.target;
  std::size_t question = target.find('?');
  std::string path = target.substr(0, question);
  std::string query = question == std::string::npos ? std::string() : target.substr(question + 1);
  {
    LoggedRequest logged;
    logged.method = request.method;
    logged.path = path;
    logged.query = query;
    logged.version = request.version;
    for (const auto& [name, value] : request.headers) logged.headers.emplace_back(name, value);
    std::lock_guard<std::mutex> lock(mutex_);
    log_.push_back(std::move(logged));
  }
  std::string host = request.get_header_value("Host");
  std::string baseUrl = host.empty() ? BaseUrl() : "http://" + host;

  Misbehaviour m = MisbehaviourFor(path).value_or(Misbehaviour{});
  if (m.delay.count() > 0 && !Pause(m.delay)) {
    // The site is stopping: give up on the connection without an answer body.
    response.set_content_provider(1, "text/plain",
                                  [](size_t, size_t, httplib::DataSink&) { return false; });
    return;
  }
  if (!m.redirectTo.empty()) {
    std::string location =
        m.redirectTo.find("://") == std::string::npos ? baseUrl + m.redirectTo : m.redirectTo;
    response.set_redirect(location, 302);
    return;
  }
  SiteAnswer answer;
  if (m.body) {
    answer = Page(*m.body);
  } else if (m.errorPage) {
    answer = Page(SearchTooSoonPage(baseUrl));
  } else {
    answer = Answer(target, request.get_header_value("Cookie"), baseUrl, m.hostile);
  }
  if (m.emptyBody) answer.body.clear();
  if (m.status != 0) answer.status = m.status;

  response.status = answer.status;
  for (const auto& [name, value] : answer.headers) response.set_header(name, value);
  bool streamed =
      m.hugeBodyBytes > answer.body.size() || m.chunkDelay.count() > 0 || m.closeMidBody;
  if (!streamed) {
    response.set_content(answer.body, answer.contentType);
    return;
  }
  // The body goes out piece by piece from a provider: the padding of a huge
  // body is never held in memory, pauses wake up when the site stops, and a
  // provider that gives up closes the connection mid-body.
  auto body = std::make_shared<const ByteString>(std::move(answer.body));
  std::size_t total = std::max(body->size(), m.hugeBodyBytes);
  std::size_t cutAt = m.closeMidBody ? total / 2 : total;
  std::size_t chunk = std::max<std::size_t>(m.chunkBytes, 1);
  if (m.chunkDelay.count() == 0) chunk = std::max<std::size_t>(chunk, 64 * 1024);
  auto chunkDelay = m.chunkDelay;
  response.set_content_provider(
      total, answer.contentType,
      [this, body, total, cutAt, chunk, chunkDelay](size_t offset, size_t,
                                                    httplib::DataSink& sink) {
        if (offset >= cutAt) return false;
        if (offset > 0 && chunkDelay.count() > 0 && !Pause(chunkDelay)) return false;
        std::size_t n = std::min({chunk, total - offset, cutAt - offset});
        ByteString piece;
        piece.reserve(n);
        for (std::size_t pos = offset; pos < offset + n;) {
          if (pos < body->size()) {
            std::size_t take = std::min(offset + n, body->size()) - pos;
            piece.append(*body, pos, take);
            pos += take;
          } else {
            std::size_t inLine = (pos - body->size()) % kFillerLine.size();
            std::size_t take = std::min(kFillerLine.size() - inLine, offset + n - pos);
            piece.append(kFillerLine.substr(inLine, take));
            pos += take;
          }
        }
        return sink.write(piece.data(), piece.size());
      });
}

SiteAnswer SampleSite::Answer(std::string_view target, std::string_view cookieHeader,
                              std::string_view baseUrl, bool hostile) {
  std::size_t question = target.find('?');
  std::string_view path = target.substr(0, question);
  std::string_view rawQuery =
      question == std::string_view::npos ? std::string_view() : target.substr(question + 1);
  auto query = ParseQuery(rawQuery);

  if (path == "/" || path == "/index.html" || path == "/index.php") {
    return Page(HomePage(catalogue_, baseUrl));
  }
  if (path == kSearchPathOnly) return AnswerSearch(query, baseUrl);
  if (path == kLoginPath) return AnswerLogin(query, baseUrl);
  if (path == kMemberBlockPathOnly) return AnswerMemberBlock(cookieHeader, baseUrl);
  if (path == kSignUpPathOnly) return AnswerSignUp(query, baseUrl);
  if (path == kVersionDocumentPath) {
    VersionInfo info;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      info = versionInfo_;
    }
    return Page(VersionDocument(info, baseUrl), "text/xml; charset=gb2312");
  }
  if (path.substr(0, kNoticeFolder.size()) == kNoticeFolder) {
    auto file = NoticeFile(path.substr(kNoticeFolder.size()), baseUrl);
    return file ? Page(*file, kPlainText) : NotFound(baseUrl);
  }
  if (path == kDownloadPathOnly) {
    auto id = StrictNumber(QueryValue(query, "id"));
    const Book* book = id ? catalogue_.FindBook(*id) : nullptr;
    if (book == nullptr) return NotFound(baseUrl);
    std::string type = QueryValue(query, "type");
    if (type != "txt" && type != "udm" && type != "jar") type = "txt";
    SiteAnswer answer = Page(WholeBookText(catalogue_, *book), kPlainText);
    answer.headers.emplace_back(
        "Content-Disposition",
        "attachment; filename=\"" + std::to_string(book->id) + "." + type + "\"");
    return answer;
  }
  if (path.substr(0, 6) == "/book/") {
    std::string_view rest = path.substr(6);
    std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos) {
      // "/book/<id>.html"
      if (rest.size() > 5 && rest.substr(rest.size() - 5) == ".html") {
        auto id = StrictNumber(rest.substr(0, rest.size() - 5));
        const Book* book = id ? catalogue_.FindBook(*id) : nullptr;
        if (book != nullptr) return Page(BookInfoPage(catalogue_, *book, baseUrl));
      }
      return NotFound(baseUrl);
    }
    std::string_view list = rest.substr(0, slash);
    auto page = ListPageNumber(rest.substr(slash + 1));
    if (!page) return NotFound(baseUrl);
    if (list.substr(0, 4) == "list") {
      auto category = StrictNumber(list.substr(4));
      if (category && *category >= 1 && *category <= kCategoryCount) {
        return Page(CategoryListPage(catalogue_, *category, *page, baseUrl));
      }
      return NotFound(baseUrl);
    }
    if (auto ranking = RankingFromPathName(list)) {
      return Page(RankingListPage(catalogue_, *ranking, *page, baseUrl));
    }
    return NotFound(baseUrl);
  }
  if (path.substr(0, 6) == "/html/" || path.substr(0, 21) == "/files/article/image/") {
    // "<group>/<id>/" + "", "index.html", "<number>.html" or "<id>s.png"
    bool cover = path[1] == 'f';
    GbkTextList parts = SplitText(path.substr(cover ? 21 : 6), "/");
    if (parts.size() < 2 || parts.size() > 3) return NotFound(baseUrl);
    auto group = StrictNumber(parts[0]);
    auto id = StrictNumber(parts[1]);
    const Book* book = id ? catalogue_.FindBook(*id) : nullptr;
    if (book == nullptr || !group || *group != book->id / 1000) return NotFound(baseUrl);
    std::string file = parts.size() == 3 ? parts[2] : std::string();
    if (cover) {
      if (file != std::to_string(book->id) + "s.png") return NotFound(baseUrl);
      return Page(BookCover(*book), "image/png");
    }
    if (file.empty() || file == "index.html")
      return Page(ChapterListPage(catalogue_, *book, baseUrl));
    if (file.size() <= 5 || file.substr(file.size() - 5) != ".html") return NotFound(baseUrl);
    auto number = StrictNumber(std::string_view(file).substr(0, file.size() - 5));
    int index = number ? Catalogue::ChapterIndexOfNumber(*book, *number) : -1;
    if (index < 0) return NotFound(baseUrl);
    return Page(ChapterPage(catalogue_, *book, index, hostile, baseUrl));
  }
  return NotFound(baseUrl);
}

SiteAnswer SampleSite::AnswerSearch(const std::map<std::string, GbkText>& query,
                                    std::string_view baseUrl) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto now = std::chrono::steady_clock::now();
    if (searchIntervalSeconds_ > 0 && lastSearch_ &&
        now - *lastSearch_ < std::chrono::seconds(searchIntervalSeconds_)) {
      return Page(SearchTooSoonPage(baseUrl));
    }
    lastSearch_ = now;
  }
  SearchField field =
      QueryValue(query, "searchtype") == "author" ? SearchField::kAuthor : SearchField::kTitle;
  int page = std::max(1, TextToInteger(QueryValue(query, "page")));
  return Page(SearchAnswerPage(catalogue_, field, QueryValue(query, "searchkey"), page, baseUrl));
}

std::string SampleSite::NewSession(const GbkText& userName) {
  // Called with mutex_ held.
  std::uint64_t value = MixSeed(options_.catalogue.seed, ++sessionCounter_);
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  sessions_[text] = userName;
  return text;
}

SiteAnswer SampleSite::AccountAnswer(GbkText page) const {
  // Called with mutex_ held.
  return Page(percentEncodeAccountAnswers_ ? FormEncode(page) : std::move(page));
}

SiteAnswer SampleSite::AnswerLogin(const std::map<std::string, GbkText>& query,
                                   std::string_view baseUrl) {
  GbkText name = QueryValue(query, "username");
  GbkText password = QueryValue(query, "password");
  std::lock_guard<std::mutex> lock(mutex_);
  auto member = members_.find(name);
  if (member == members_.end() || member->second.password != password) {
    return AccountAnswer(LoginFailurePage(baseUrl));
  }
  SiteAnswer answer = AccountAnswer(LoginSuccessPage(name, baseUrl));
  std::string cookie = std::string(kSessionCookieName) + "=" + NewSession(name) + "; path=/";
  int keep = TextToInteger(QueryValue(query, "usecookie"));
  if (keep > 0) cookie += "; max-age=" + std::to_string(keep);
  answer.headers.emplace_back("Set-Cookie", cookie);
  return answer;
}

SiteAnswer SampleSite::AnswerMemberBlock(std::string_view cookieHeader, std::string_view baseUrl) {
  std::string session = SessionFromCookies(cookieHeader);
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = sessions_.find(session);
  if (session.empty() || found == sessions_.end())
    return AccountAnswer(MemberBlock(std::nullopt, baseUrl));
  const GbkText& name = found->second;
  return AccountAnswer(MemberBlock(std::make_pair(name, members_[name].level), baseUrl));
}

SiteAnswer SampleSite::AnswerSignUp(const std::map<std::string, GbkText>& query,
                                    std::string_view baseUrl) {
  GbkText name = QueryValue(query, "username");
  GbkText password = QueryValue(query, "password");
  GbkText repeated = QueryValue(query, "repassword");
  GbkText email = QueryValue(query, "email");
  std::lock_guard<std::mutex> lock(mutex_);
  GbkTextList reasons;
  if (name.empty()) {
    reasons.push_back("用户名不能为空！"_gbk);
  } else if (name.size() > 30) {
    reasons.push_back("用户名长度不能超过30个字符！"_gbk);
  } else if (members_.count(name) > 0) {
    reasons.push_back("该用户名已经被注册，请换一个！"_gbk);
  }
  if (password.empty()) {
    reasons.push_back("密码不能为空！"_gbk);
  } else if (password != repeated) {
    reasons.push_back("两次输入的密码不一致！"_gbk);
  }
  if (!LooksLikeEmail(email)) reasons.push_back("Email格式不正确！"_gbk);
  if (!reasons.empty()) return AccountAnswer(SiteErrorPage(reasons, baseUrl));
  members_[name] = {password, Utf8ToGbk(kNewMemberLevel)};
  SiteAnswer answer = AccountAnswer(SignUpSuccessPage(name, baseUrl));
  answer.headers.emplace_back(
      "Set-Cookie", std::string(kSessionCookieName) + "=" + NewSession(name) + "; path=/");
  return answer;
}

}  // namespace sample_site
