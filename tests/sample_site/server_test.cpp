// The sample site as a server, fetched with the reader's own request engine:
// every page kind byte for byte, search with GBK keys, the cookie flow of
// login, member block and sign-up, every misbehaviour switch, the request
// log, and a clean stop.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/services/xml_document.h"
#include "net/cookie_store.h"
#include "net/form_encoding.h"
#include "net/http_read_file.h"
#include "net/site_request.h"
#include "net/transfer.h"
#include "page_cuts.h"
#include "sample_site.h"
#include "scrape/charset.h"
#include "scrape/gbk_literal.h"
#include "scrape/markers.h"

using namespace sample_site;
using Clock = std::chrono::steady_clock;

namespace {

TransferResult Fetch(const GbkText& url) {
  TransferSpec spec;
  spec.url = url;
  return PerformTransfer(spec);
}

long long MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class SampleSiteServer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    site_ = new SampleSite();
    ASSERT_GT(site_->Start(), 0);
  }
  static void TearDownTestSuite() {
    delete site_;
    site_ = nullptr;
  }
  void SetUp() override {
    ClearCookies();
    site_->ClearAllMisbehaviour();
    site_->SetSearchInterval(0);
    site_->SetPercentEncodeAccountAnswers(false);
    site_->SetVersionInfo(VersionInfo{});
    site_->ClearRequestLog();
    base_ = site_->BaseUrl();
  }
  GbkText Url(std::string_view path) const { return base_ + std::string(path); }
  const Catalogue& catalogue() const { return site_->catalogue(); }

  static SampleSite* site_;
  GbkText base_;
};

SampleSite* SampleSiteServer::site_ = nullptr;

TEST_F(SampleSiteServer, ServesEveryPageKindByteForByte) {
  const Book& book = *catalogue().FindBook(kLongBookId);
  int number = catalogue().ChapterAt(book, 3).number;
  struct Case {
    std::string path;
    GbkText expected;
  };
  std::vector<Case> cases = {
      {"/", HomePage(catalogue(), base_)},
      {"/?bookwisp", HomePage(catalogue(), base_)},
      {"/book/list1/", CategoryListPage(catalogue(), 1, 1, base_)},
      {"/book/list10/2.html", CategoryListPage(catalogue(), 10, 2, base_)},
      {"/book/toplastupdate/1.html", RankingListPage(catalogue(), Ranking::kLastUpdate, 1, base_)},
      {"/book/Topallvisit/3.html", RankingListPage(catalogue(), Ranking::kAllVisit, 3, base_)},
      {BookInfoPath(book.id), BookInfoPage(catalogue(), book, base_)},
      {ChapterListPath(book.id), ChapterListPage(catalogue(), book, base_)},
      {ChapterListPath(book.id) + "index.html", ChapterListPage(catalogue(), book, base_)},
      {ChapterPath(book.id, number), ChapterPage(catalogue(), book, 3, false, base_)},
      {DownloadPath(book.id, DownloadKind::kTxt), WholeBookText(catalogue(), book)},
      {SearchPath(SearchField::kTitle, Utf8ToGbk(kCommonTitleKeyword)),
       SearchAnswerPage(catalogue(), SearchField::kTitle, Utf8ToGbk(kCommonTitleKeyword), 1,
                        base_)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SiteRequest(Url(c.path)), c.expected) << c.path;
  }
  // The notice server's files and the cover come through the plain GET.
  for (const char* name :
       {"gg1.txt", "gg2.txt", "ad2.txt", "ad3.txt", "ad4.txt", "ad5.txt", "ad6.txt", "ad7.txt"}) {
    EXPECT_EQ(HttpReadFile(Url(std::string(kNoticeFolder) + name)), *NoticeFile(name, base_))
        << name;
  }
  EXPECT_EQ(HttpReadFile(Url(kVersionDocumentPath)), VersionDocument(VersionInfo{}, base_));
  GbkText coverUrl =
      site_test::CutInfoPage(SiteRequest(Url(BookInfoPath(book.id))), base_).coverUrl;
  EXPECT_EQ(HttpReadFile(coverUrl), BookCover(book));
}

TEST_F(SampleSiteServer, PagesFollowTheAddressTheRequestCameTo) {
  // The same site reached as "localhost" builds its links from that name.
  GbkText other = "http://localhost:" + std::to_string(site_->Port());
  GbkText page = SiteRequest(other + BookInfoPath(kLongBookId));
  site_test::InfoFields fields = site_test::CutInfoPage(page, other);
  EXPECT_EQ(fields.chapterListUrl, other + ChapterListPath(kLongBookId));
  EXPECT_EQ(fields.txtTail, "?id=10001&type=txt");
}

TEST_F(SampleSiteServer, UnknownPathsAnswerNotFound) {
  for (const char* path :
       {"/book/list11/1.html", "/book/list0/1.html", "/book/topallvisit/1.html",
        "/book/TopLastUpdate/1.html", "/book/99999.html", "/book/1x.html", "/book/list1/x.html",
        "/html/11/10001/", "/html/10/10001/1.html", "/html/10/10001/1000000x.html",
        "/files/article/image/10/10001/10002s.png", "/ad/bookwisp/ad9.txt",
        "/modules/article/packdown.php?id=5&type=txt", "/nothing"}) {
    TransferResult result = Fetch(Url(path));
    EXPECT_EQ(result.status, 404) << path;
    EXPECT_NE(FindText(result.body, "页面不存在"_gbk), -1) << path;
    EXPECT_TRUE(HttpReadFile(Url(path)).empty()) << path;
  }
}

TEST_F(SampleSiteServer, SearchDecodesGbkKeysAndFindsByTitleAndByAuthor) {
  struct Case {
    SearchField field;
    std::string_view keyword;
    int id;
  };
  for (const Case& c : {Case{SearchField::kTitle, kTitleKeyword, kTitleKeywordBookId},
                        Case{SearchField::kAuthor, kAuthorKeyword, kAuthorKeywordBookId},
                        Case{SearchField::kTitle, kTrailByteTitleKeyword, kTrailByteBookId},
                        Case{SearchField::kAuthor, kTrailByteAuthorKeyword, kTrailByteBookId}}) {
    GbkText page = SiteRequest(Url(SearchPath(c.field, Utf8ToGbk(c.keyword))));
    ASSERT_NE(FindText(page, "管理</a>"_gbk), -1) << c.keyword;
    site_test::ListRow row = site_test::CutSingleBookRow(page);
    EXPECT_EQ(row.id, NumberToText(c.id)) << c.keyword;
    EXPECT_EQ(row.title, catalogue().FindBook(c.id)->title);
  }
  // The key arrived percent-encoded, byte by byte.
  std::vector<LoggedRequest> log = site_->RequestLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front().query, "searchtype=articlename&searchkey=%D2%B9%D3%EA");

  GbkText many = SiteRequest(Url(SearchPath(SearchField::kTitle, Utf8ToGbk(kCommonTitleKeyword))));
  EXPECT_EQ(FindText(many, "管理</a>"_gbk), -1);
  EXPECT_GT(site_test::CutCategoryRows(many).size(), 1u);
  // A title keyword is no author.
  GbkText none = SiteRequest(Url(SearchPath(SearchField::kAuthor, Utf8ToGbk(kTitleKeyword))));
  EXPECT_TRUE(site_test::CutCategoryRows(none).empty());
  EXPECT_EQ(FindText(none, "管理</a>"_gbk), -1);
}

TEST_F(SampleSiteServer, SearchIntervalRuleIsASwitch) {
  GbkText url = Url(SearchPath(SearchField::kTitle, Utf8ToGbk(kTitleKeyword)));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(FindText(SiteRequest(url), "出现错误！"_gbk), -1);
  site_->SetSearchInterval(30);
  EXPECT_EQ(FindText(SiteRequest(url), "出现错误！"_gbk), -1);
  GbkText second = SiteRequest(url);
  EXPECT_NE(FindText(second, "出现错误！"_gbk), -1);
  EXPECT_EQ(FindText(second, "管理</a>"_gbk), -1) << "the error page is no information page";
  // Other pages are not affected.
  EXPECT_EQ(FindText(SiteRequest(Url("/book/list1/1.html")), "出现错误！"_gbk), -1);
}

GbkText MemberBlockAt(const GbkText& base) {
  return SiteRequestText(base + MemberBlockPath());
}

TEST_F(SampleSiteServer, LoginSetsTheCookieThatTheMemberBlockNeeds) {
  GbkText user = Utf8ToGbk(kMemberUserName);
  GbkText password = Utf8ToGbk(kMemberPassword);
  EXPECT_EQ(FindText(MemberBlockAt(base_), "<li><strong>"), -1);

  GbkText refused = FormDecode(SiteRequestText(Url(LoginPath(user, "wrong"))));
  EXPECT_EQ(FindText(refused, "登录成功"_gbk), -1);
  EXPECT_EQ(CookiesForUrl(base_), "");

  GbkText answer = FormDecode(SiteRequestText(Url(LoginPath(user, password))));
  EXPECT_NE(FindText(answer, "登录成功"_gbk), -1);
  EXPECT_NE(FindText(CookiesForUrl(base_), std::string(kSessionCookieName) + "="), -1);

  GbkText block = FormDecode(MemberBlockAt(base_));
  GbkText name = TextBetween(block, "<li><strong>", "</strong></li>");
  EXPECT_EQ(name, user);
  EXPECT_EQ(TextBetween(block, name + "</strong></li>      <li>", "</li>    <li>"),
            Utf8ToGbk(kMemberLevel));

  // The block belongs to the cookie, not to the connection.
  ClearCookies();
  EXPECT_EQ(FindText(MemberBlockAt(base_), "<li><strong>"), -1);
  // A made-up session cookie is no member.
  ASSERT_TRUE(SetSessionCookie(base_, GbkText(kSessionCookieName), "0123456789abcdef"));
  EXPECT_EQ(FindText(MemberBlockAt(base_), "<li><strong>"), -1);
}

TEST_F(SampleSiteServer, PasswordsWithSpecialBytesWorkOnlyWhenEncoded) {
  GbkText user = "读者"_gbk + NumberToText(site_->Port());
  GbkText password = "a&b #c+d%";
  GbkText signUp = SiteRequestText(Url(SignUpPath(user, password, password, "reader@example.org")));
  ASSERT_NE(FindText(signUp, "注册成功"_gbk), -1);
  ClearCookies();
  EXPECT_NE(FindText(SiteRequestText(Url(LoginPath(user, password))), "登录成功"_gbk), -1);
  ClearCookies();
  // Put in as typed, the "&" ends the password early.
  GbkText raw = Url(std::string(kLoginPath) + "?username=" + FormEncode(user) +
                    "&password=a&b&usecookie=2592000&action=login");
  EXPECT_EQ(FindText(SiteRequestText(raw), "登录成功"_gbk), -1);
}

TEST_F(SampleSiteServer, SignUpRefusesWithReasonsOrLogsTheNewMemberIn) {
  struct Case {
    std::string name, password, repeated, email;
    std::vector<std::string> reasons;
  };
  std::vector<Case> refusals = {
      {"", "pw", "pw", "a@b.cn", {"用户名不能为空！"}},
      {"reader", "pw", "pw", "a@b.cn", {"该用户名已经被注册，请换一个！"}},
      {"newbie", "pw", "other", "a@b.cn", {"两次输入的密码不一致！"}},
      {"newbie", "", "", "a@b.cn", {"密码不能为空！"}},
      {"newbie", "pw", "other", "no-address", {"两次输入的密码不一致！", "Email格式不正确！"}},
      {std::string(31, 'x'), "pw", "pw", "a@b.cn", {"用户名长度不能超过30个字符！"}},
  };
  for (const Case& c : refusals) {
    GbkText answer = FormDecode(
        SiteRequestText(Url(SignUpPath(Utf8ToGbk(c.name), c.password, c.repeated, c.email))));
    EXPECT_EQ(FindText(answer, "注册成功"_gbk), -1) << c.name;
    GbkText reason =
        ReplaceSubtext(TextBetween(answer, "<br />错误原因："_gbk, "<br /><br />请"_gbk), "<br />",
                       "\r\n", 1, -1, true);
    std::string expected;
    for (const std::string& r : c.reasons) expected += (expected.empty() ? "" : "\r\n") + r;
    EXPECT_EQ(GbkToUtf8(reason), expected) << c.name;
  }
  EXPECT_EQ(CookiesForUrl(base_), "");

  GbkText name = "新读者"_gbk + NumberToText(site_->Port());
  GbkText answer =
      FormDecode(SiteRequestText(Url(SignUpPath(name, "pw", "pw", "new@example.org"))));
  EXPECT_NE(FindText(answer, "注册成功"_gbk), -1);
  GbkText block = FormDecode(MemberBlockAt(base_));
  EXPECT_EQ(TextBetween(block, "<li><strong>", "</strong></li>"), name);
  EXPECT_EQ(TextBetween(block, name + "</strong></li>      <li>", "</li>    <li>"),
            Utf8ToGbk(kNewMemberLevel));
  // The name is taken now.
  GbkText again = SiteRequestText(Url(SignUpPath(name, "pw", "pw", "new@example.org")));
  EXPECT_EQ(FindText(again, "注册成功"_gbk), -1);
}

TEST_F(SampleSiteServer, AccountAnswersCanComePercentEncoded) {
  site_->SetPercentEncodeAccountAnswers(true);
  GbkText raw =
      SiteRequestText(Url(LoginPath(Utf8ToGbk(kMemberUserName), Utf8ToGbk(kMemberPassword))));
  EXPECT_EQ(FindText(raw, "登录成功"_gbk), -1);
  EXPECT_NE(FindText(FormDecode(raw), "登录成功"_gbk), -1);
  GbkText block = MemberBlockAt(base_);
  EXPECT_EQ(FindText(block, "<li><strong>"), -1);
  EXPECT_EQ(TextBetween(FormDecode(block), "<li><strong>", "</strong></li>"),
            Utf8ToGbk(kMemberUserName));
}

TEST_F(SampleSiteServer, VersionDocumentFollowsTheApi) {
  XmlDocument document;
  ASSERT_TRUE(document.Load(HttpReadFile(Url(kVersionDocumentPath))));
  EXPECT_EQ(document.Attribute("最新版本/版本信息"_gbk, "版本号"_gbk),
            std::string(kDefaultNoticeVersion));
  VersionInfo newer;
  newer.version = "0.9.4";
  site_->SetVersionInfo(newer);
  ASSERT_TRUE(document.Load(HttpReadFile(Url(kVersionDocumentPath))));
  EXPECT_EQ(document.Attribute("最新版本/版本信息"_gbk, "版本号"_gbk), "0.9.4");
  VersionInfo without;
  without.version.reset();
  site_->SetVersionInfo(without);
  ASSERT_TRUE(document.Load(HttpReadFile(Url(kVersionDocumentPath))));
  EXPECT_EQ(document.Attribute("最新版本/版本信息"_gbk, "版本号"_gbk), "");
}

TEST_F(SampleSiteServer, ErrorPageAndHostileSwitchesChangeOnlyTheirPath) {
  const Book& book = *catalogue().FindBook(kLongBookId);
  std::string chapter = ChapterPath(book.id, catalogue().ChapterAt(book, 0).number);
  Misbehaviour error;
  error.errorPage = true;
  site_->SetMisbehaviour("/book/list2/1.html", error);
  Misbehaviour hostile;
  hostile.hostile = true;
  site_->SetMisbehaviour(chapter, hostile);

  EXPECT_NE(FindText(SiteRequest(Url("/book/list2/1.html")), "出现错误！"_gbk), -1);
  EXPECT_EQ(FindText(SiteRequest(Url("/book/list2/2.html")), "出现错误！"_gbk), -1);
  GbkText text = site_test::CutChapterText(SiteRequest(Url(chapter)));
  EXPECT_NE(FindText(text, "<script", 1, true), -1);
  EXPECT_EQ(text, ChapterTextHtml(catalogue(), book, 0, true));

  site_->ClearMisbehaviour(chapter);
  EXPECT_EQ(FindText(site_test::CutChapterText(SiteRequest(Url(chapter))), "<script", 1, true), -1);
}

TEST_F(SampleSiteServer, EmptyBodyStatusAndReplacedBody) {
  GbkText page = RankingListPage(catalogue(), Ranking::kSize, 1, base_);
  Misbehaviour empty;
  empty.emptyBody = true;
  site_->SetMisbehaviour("/book/Topsize/1.html", empty);
  TransferResult result = Fetch(Url("/book/Topsize/1.html"));
  EXPECT_EQ(result.status, 200);
  EXPECT_TRUE(result.complete);
  EXPECT_TRUE(result.body.empty());

  Misbehaviour failing;
  failing.status = 500;
  site_->SetMisbehaviour("/book/Topsize/1.html", failing);
  result = Fetch(Url("/book/Topsize/1.html"));
  EXPECT_EQ(result.status, 500);
  EXPECT_EQ(result.body, page);
  EXPECT_EQ(SiteRequest(Url("/book/Topsize/1.html")), page)
      << "the site request ignores the status";
  EXPECT_TRUE(HttpReadFile(Url("/book/Topsize/1.html")).empty())
      << "the plain GET refuses error answers";

  Misbehaviour replaced;
  replaced.body = std::string("<?xml version=\"1.0\"?><broken", 27);
  site_->SetMisbehaviour(std::string(kVersionDocumentPath), replaced);
  EXPECT_EQ(HttpReadFile(Url(kVersionDocumentPath)), *replaced.body);
}

TEST_F(SampleSiteServer, RedirectsLeadToTheirTarget) {
  Misbehaviour moved;
  moved.redirectTo = BookInfoPath(kTitleKeywordBookId);
  site_->SetMisbehaviour("/moved.html", moved);
  Misbehaviour away;
  away.redirectTo = base_ + "/book/toplastupdate/1.html";
  site_->SetMisbehaviour("/away.html", away);

  EXPECT_EQ(SiteRequest(Url("/moved.html")),
            BookInfoPage(catalogue(), *catalogue().FindBook(kTitleKeywordBookId), base_));
  EXPECT_EQ(SiteRequest(Url("/away.html")),
            RankingListPage(catalogue(), Ranking::kLastUpdate, 1, base_));
  std::vector<LoggedRequest> log = site_->RequestLog();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].path, "/moved.html");
  EXPECT_EQ(log[1].path, BookInfoPath(kTitleKeywordBookId));
  EXPECT_EQ(log[3].path, "/book/toplastupdate/1.html");
}

TEST_F(SampleSiteServer, DelaysHoldTheAnswerBack) {
  Misbehaviour slow;
  slow.delay = std::chrono::milliseconds(300);
  site_->SetMisbehaviour("/book/list4/*", slow);
  auto start = Clock::now();
  EXPECT_EQ(SiteRequest(Url("/book/list4/1.html")), CategoryListPage(catalogue(), 4, 1, base_));
  EXPECT_GE(MillisecondsSince(start), 300);

  const Book& book = *catalogue().FindBook(kLongBookId);
  GbkText page = ChapterListPage(catalogue(), book, base_);
  Misbehaviour trickle;
  trickle.chunkDelay = std::chrono::milliseconds(40);
  trickle.chunkBytes = page.size() / 4 + 1;  // four chunks, three pauses
  site_->SetMisbehaviour(ChapterListPath(book.id), trickle);
  start = Clock::now();
  TransferResult result = Fetch(Url(ChapterListPath(book.id)));
  EXPECT_GE(MillisecondsSince(start), 120);
  EXPECT_TRUE(result.complete);
  EXPECT_EQ(result.body, page);
}

TEST_F(SampleSiteServer, ConnectionClosedMidBodyAndHugeBodies) {
  GbkText page = CategoryListPage(catalogue(), 5, 1, base_);
  Misbehaviour cut;
  cut.closeMidBody = true;
  site_->SetMisbehaviour("/book/list5/1.html", cut);
  TransferResult result = Fetch(Url("/book/list5/1.html"));
  EXPECT_FALSE(result.complete);
  EXPECT_EQ(result.body, page.substr(0, page.size() / 2));
  EXPECT_EQ(SiteRequest(Url("/book/list5/1.html")), page.substr(0, page.size() / 2));
  EXPECT_TRUE(HttpReadFile(Url("/book/list5/1.html")).empty());

  Misbehaviour huge;
  huge.hugeBodyBytes = 5'000'000;
  site_->SetMisbehaviour("/book/list5/1.html", huge);
  result = Fetch(Url("/book/list5/1.html"));
  EXPECT_TRUE(result.complete);
  ASSERT_EQ(result.body.size(), 5'000'000u);
  EXPECT_EQ(result.body.substr(0, page.size()), page);
  EXPECT_EQ(result.body.substr(page.size(), 12), "<!-- padding");
  EXPECT_EQ(result.body.find('\0'), std::string::npos);
}

TEST_F(SampleSiteServer, ExactPathsWinOverPatternsAndLongPatternsOverShort) {
  Misbehaviour everywhere;
  everywhere.emptyBody = true;
  Misbehaviour books;
  books.status = 503;
  Misbehaviour one;
  one.errorPage = true;
  site_->SetMisbehaviour("*", everywhere);
  site_->SetMisbehaviour("/book/*", books);
  site_->SetMisbehaviour("/book/list1/1.html", one);
  EXPECT_TRUE(Fetch(Url("/ad/bookwisp/gg1.txt")).body.empty());
  EXPECT_EQ(Fetch(Url("/book/list1/2.html")).status, 503);
  EXPECT_NE(FindText(Fetch(Url("/book/list1/1.html")).body, "出现错误！"_gbk), -1);
  site_->ClearAllMisbehaviour();
  EXPECT_FALSE(Fetch(Url("/ad/bookwisp/gg1.txt")).body.empty());
}

TEST_F(SampleSiteServer, RequestLogRecordsWhatArrived) {
  GbkText url = Url(SearchPath(SearchField::kAuthor, "ab c"));
  SiteRequest(url);
  HttpReadFile(Url("/ad/bookwisp/gg1.txt"));
  std::vector<LoggedRequest> log = site_->RequestLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].method, "GET");
  EXPECT_EQ(log[0].path, std::string(kSearchPathOnly));
  EXPECT_EQ(log[0].query, "searchtype=author&searchkey=ab%20c");
  EXPECT_EQ(log[0].version, "HTTP/1.1");
  EXPECT_EQ(log[0].Header("user-agent"), "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");
  EXPECT_EQ(log[0].Header("Referer"), FormDecode(url)) << "header values arrive decoded";
  EXPECT_EQ(log[0].Header("Accept-Language"), "zh-cn");
  EXPECT_EQ(log[0].Header("Host"), base_.substr(7));
  EXPECT_EQ(log[1].version, "HTTP/1.0");
  EXPECT_EQ(log[1].Header("Accept"), "*/*");
  EXPECT_EQ(log[1].Header("X-Not-Sent"), "");
  site_->ClearRequestLog();
  EXPECT_TRUE(site_->RequestLog().empty());
}

TEST(SampleSiteLifetime, StopEndsSlowAnswersPromptly) {
  for (bool midBody : {false, true}) {
    SampleSite site;
    ASSERT_GT(site.Start(), 0);
    Misbehaviour slow;
    if (midBody) {
      slow.chunkDelay = std::chrono::seconds(60);
      slow.chunkBytes = 100;
    } else {
      slow.delay = std::chrono::seconds(60);
    }
    site.SetMisbehaviour("*", slow);
    TransferResult result;
    std::thread client([&] { result = Fetch(site.BaseUrl() + "/book/list1/1.html"); });
    while (site.RequestLog().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    auto start = Clock::now();
    site.Stop();
    EXPECT_LT(MillisecondsSince(start), 10'000) << (midBody ? "mid-body" : "before the answer");
    client.join();
    EXPECT_FALSE(result.complete);
    EXPECT_FALSE(site.Running());
  }
}

TEST(SampleSiteLifetime, PortsRestartsAndTwoSitesAtOnce) {
  SampleSite first;
  SampleSite second;
  int port = first.Start();
  ASSERT_GT(port, 0);
  EXPECT_EQ(first.Start(), port) << "starting a running site gives its port";
  EXPECT_EQ(second.Start(port), -1) << "the port is taken";
  int other = second.Start();
  ASSERT_GT(other, 0);
  EXPECT_NE(other, port);
  EXPECT_FALSE(SiteRequest(first.BaseUrl() + "/").empty());
  EXPECT_FALSE(SiteRequest(second.BaseUrl() + "/").empty());
  first.Stop();
  first.Stop();
  EXPECT_TRUE(SiteRequest("http://127.0.0.1:" + std::to_string(port) + "/").empty());
  EXPECT_GT(first.Start(port), 0) << "a stopped site starts again, on the same port";
  EXPECT_FALSE(SiteRequest(first.BaseUrl() + "/").empty());
}

}  // namespace
