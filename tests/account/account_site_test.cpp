// Login, member block, sign-up and logout against the sample site, started
// in-process on a free loopback port.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "account/login.h"
#include "account/member_panel.h"
#include "account/remembered_login.h"
#include "account/sign_up.h"
#include "account_test_env.h"
#include "net/cookie_store.h"
#include "net/form_encoding.h"
#include "net/site_cookies.h"
#include "sample_site.h"
#include "scrape/gbk_literal.h"
#include "store/ini_file.h"

namespace {

using sample_site::LoggedRequest;
using sample_site::SampleSite;

const GbkText& MemberName() {
  static const GbkText name = Utf8ToGbk(sample_site::kMemberUserName);
  return name;
}
const GbkText& MemberPassword() {
  static const GbkText password = Utf8ToGbk(sample_site::kMemberPassword);
  return password;
}

// The value of `key` in a logged query, decoded as the site decodes it; the
// query must hold the key exactly once.
GbkText QueryField(const LoggedRequest& request, const std::string& key) {
  GbkText found;
  int count = 0;
  for (const GbkText& pair : SplitText(request.query, "&")) {
    if (pair.rfind(key + "=", 0) == 0) {
      found = FormDecode(pair.substr(key.size() + 1));
      ++count;
    }
  }
  EXPECT_EQ(count, 1) << key << " in " << request.query;
  return found;
}

// The logged requests to `path`.
std::vector<LoggedRequest> RequestsTo(const SampleSite& site, const std::string& path) {
  std::vector<LoggedRequest> found;
  for (const LoggedRequest& request : site.RequestLog()) {
    if (request.path == path) found.push_back(request);
  }
  return found;
}

// The site's account answers come plain or percent-encoded (the parameter);
// the account reads both alike, since it decodes every answer.
class AccountSiteTest : public AccountTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    AccountTest::SetUp();
    ClearCookies();
    sample_site::SampleSiteOptions options;
    options.percentEncodeAccountAnswers = GetParam();
    site_ = std::make_unique<SampleSite>(options);
    ASSERT_GT(site_->Start(), 0);
    base_ = site_->BaseUrl();
  }
  void TearDown() override {
    site_->Stop();
    ClearCookies();
    AccountTest::TearDown();
  }

  std::unique_ptr<SampleSite> site_;
  GbkText base_;
};

INSTANTIATE_TEST_SUITE_P(Answers, AccountSiteTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Encoded" : "Plain"; });

TEST_P(AccountSiteTest, LoginKeepsTheCookieThatTheMemberBlockNeeds) {
  EXPECT_EQ(FetchMemberInfo(base_).name, "") << "a visitor gets the login form";

  ASSERT_TRUE(LogIn(base_, {MemberName(), MemberPassword(), true}));
  const GbkText cookies = CookiesForUrl(base_);
  EXPECT_NE(cookies.find("tavelin_session="), GbkText::npos) << cookies;
  EXPECT_EQ(SiteCookieText(), cookies) << "the cookies were read back after the login";

  const MemberInfo info = FetchMemberInfo(base_);
  EXPECT_EQ(info.name, MemberName());
  EXPECT_EQ(info.level, Utf8ToGbk(sample_site::kMemberLevel));
  const auto blocks = RequestsTo(*site_, "/blockshow.php");
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].Header("Cookie"), "");
  EXPECT_NE(blocks[1].Header("Cookie").find("tavelin_session="), std::string::npos);

  const auto logins = RequestsTo(*site_, "/login.php");
  ASSERT_EQ(logins.size(), 1u);
  EXPECT_EQ(logins[0].query,
            "username=reader&password=p%40ss%20word%261&usecookie=2592000&action=login");

  const auto remembered = ReadRememberedCredentials();
  ASSERT_TRUE(remembered.has_value());
  EXPECT_EQ(remembered->userName, MemberName());
  EXPECT_EQ(remembered->password, MemberPassword());
}

TEST_P(AccountSiteTest, WrongPasswordFailsAndIsRememberedOnlyWhenTicked) {
  EXPECT_FALSE(LogIn(base_, {MemberName(), "wrong", false}));
  EXPECT_FALSE(ReadRememberedCredentials().has_value()) << "unticked: no file is written";

  WriteFile(UserIni(), "[user]\r\nusername=old\r\npassword=older\r\n");
  EXPECT_FALSE(LogIn(base_, {MemberName(), "wrong", false}));
  EXPECT_EQ(ReadIniValue(UserIni(), "user", "username"), "old") << "unticked: the file stays";

  EXPECT_FALSE(LogIn(base_, {MemberName(), "wrong", true}));
  EXPECT_EQ(ReadIniValue(UserIni(), "user", "username"), MemberName());
  EXPECT_EQ(ReadIniValue(UserIni(), "user", "password"), "wrong")
      << "ticked: saved before the request, whatever its outcome";

  EXPECT_EQ(CookiesForUrl(base_), "");
  EXPECT_EQ(FetchMemberInfo(base_).name, "");
}

TEST_P(AccountSiteTest, PasswordsWithQueryCharactersArriveIntact) {
  const GbkText passwords[] = {"a&b=c", "#hash",       "1+1",    "two words",
                               "%41%",  "密码&码"_gbk, " blank "};
  int n = 0;
  for (const GbkText& password : passwords) {
    const GbkText name = "member" + std::to_string(++n);
    site_->ClearRequestLog();
    const SignUpResult signUp =
        SendSignUp(base_, {name, password, password, "m" + std::to_string(n) + "@mail.test"});
    ASSERT_TRUE(signUp.success) << password << ": " << GbkToUtf8(signUp.reason);
    const auto signUps = RequestsTo(*site_, "/register.php");
    ASSERT_EQ(signUps.size(), 1u);
    EXPECT_EQ(QueryField(signUps[0], "password"), password);
    EXPECT_EQ(QueryField(signUps[0], "repassword"), password);
    EXPECT_EQ(QueryField(signUps[0], "action"), "newuser");

    ClearCookies();
    EXPECT_TRUE(LogIn(base_, {name, password, false})) << password;
    const auto logins = RequestsTo(*site_, "/login.php");
    ASSERT_EQ(logins.size(), 1u);
    EXPECT_EQ(QueryField(logins[0], "password"), password);
    EXPECT_EQ(QueryField(logins[0], "action"), "login");
    // A near miss is refused: the site compares exactly what arrived.
    EXPECT_FALSE(LogIn(base_, {name, password + "x", false})) << password;
  }
}

TEST_P(AccountSiteTest, LogoutWritesTheCookiesBackAndSendsNothing) {
  ASSERT_TRUE(LogIn(base_, {MemberName(), MemberPassword(), false}));
  const GbkText before = CookiesForUrl(base_);
  site_->ClearRequestLog();

  LogOut(base_);
  EXPECT_TRUE(site_->RequestLog().empty());
  EXPECT_EQ(CookiesForUrl(base_), before);
  EXPECT_EQ(SiteCookieText(), before);
  EXPECT_EQ(FetchMemberInfo(base_).name, MemberName()) << "the site still knows the session";
}

TEST_P(AccountSiteTest, SignUpLogsTheNewMemberIn) {
  const SignUpResult result = SendSignUp(base_, {"newbie", "pw 1&", "pw 1&", "me+tag@mail.test"});
  EXPECT_TRUE(result.success);
  EXPECT_EQ(result.reason, "");
  const auto signUps = RequestsTo(*site_, "/register.php");
  ASSERT_EQ(signUps.size(), 1u);
  EXPECT_EQ(QueryField(signUps[0], "email"), "me+tag@mail.test");
  EXPECT_EQ(QueryField(signUps[0], "submit"), "\xCC\xE1+\xBD\xBB");

  const MemberInfo info = FetchMemberInfo(base_);
  EXPECT_EQ(info.name, "newbie");
  EXPECT_EQ(info.level, Utf8ToGbk(sample_site::kNewMemberLevel));
}

TEST_P(AccountSiteTest, RefusalGivesTheReasonsOnTheirOwnLines) {
  const SignUpResult taken = SendSignUp(base_, {MemberName(), "a", "b", "no address"});
  EXPECT_FALSE(taken.success);
  EXPECT_EQ(taken.reason,
            "该用户名已经被注册，请换一个！\r\n两次输入的密码不一致！\r\nEmail格式不正确！"_gbk);

  const SignUpResult one = SendSignUp(base_, {"fresh", "", "", "a@b.cn"});
  EXPECT_FALSE(one.success);
  EXPECT_EQ(one.reason, "密码不能为空！"_gbk);
  EXPECT_EQ(FetchMemberInfo(base_).name, "") << "a refused sign-up logs nobody in";
}

TEST_P(AccountSiteTest, UnreachableSite) {
  site_->Stop();  // nothing listens on the port any more
  EXPECT_FALSE(LogIn(base_, {MemberName(), MemberPassword(), true}));
  EXPECT_EQ(ReadIniValue(UserIni(), "user", "password"), MemberPassword())
      << "saved before the request";
  const MemberInfo info = FetchMemberInfo(base_);
  EXPECT_EQ(info.name, "");
  EXPECT_EQ(info.level, "");
  const SignUpResult signUp = SendSignUp(base_, {"x", "y", "y", "z@mail.test"});
  EXPECT_FALSE(signUp.success);
  EXPECT_EQ(signUp.reason, "");
}

}  // namespace
