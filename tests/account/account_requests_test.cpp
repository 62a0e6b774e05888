// The addresses the account sends and how its answers are read, without a
// site.

#include <gtest/gtest.h>

#include "account/account_messages.h"
#include "account/login.h"
#include "account/member_panel.h"
#include "account/sign_up.h"
#include "account_test_env.h"
#include "scrape/gbk_literal.h"

namespace {

const GbkText kBase = "http://site.test:8080";

TEST(LoginUrl, EveryValueIsPercentEncoded) {
  struct Case {
    const char* what;
    GbkText userName, password, expectedQuery;
  } cases[] = {
      {"blank in the name", "ab c", "secret", "username=ab%20c&password=secret"},
      {"query characters in the password", "reader", "a&b#c+d e",
       "username=reader&password=a%26b%23c%2Bd%20e"},
      {"a password that looks like more fields", "x", "1&action=logout",
       "username=x&password=1%26action%3Dlogout"},
      {"GBK name and percent sign", "斗"_gbk, "50%", "username=%B6%B7&password=50%25"},
      {"empty values are sent too", "", "", "username=&password="},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LoginUrl(kBase, c.userName, c.password),
              kBase + "/login.php?" + c.expectedQuery + "&usecookie=2592000&action=login")
        << c.what;
  }
}

TEST(SignUpUrl, FieldsInOrderEncodedThenTheFixedTail) {
  const SignUpForm form{"ab c", "p&1 #", "p&2+", "me+x@mail.test"};
  EXPECT_EQ(SignUpUrl(kBase, form),
            kBase +
                "/register.php?username=ab%20c&password=p%261%20%23&repassword=p%262%2B"
                "&email=me%2Bx%40mail%2Etest&sex=0&qq=&url=&action=newuser&submit=%CC%E1+%BD%BB");
}

TEST(MemberBlockUrl, FixedAddress) {
  EXPECT_EQ(MemberBlockUrl(kBase),
            kBase +
                "/blockshow.php?module=system&filename=block_login&classname=BlockSystemLogin"
                "&vars=&template=&contenttype=4&custom=0&publish=3&hasvars=0");
}

TEST(CutMemberInfo, NameAndTheLevelAfterIt) {
  struct Case {
    const char* what;
    GbkText block;
    GbkText name, level;
  } cases[] = {
      {"the block as the site sends it",
       "<ul><li><strong>abc</strong></li>      <li>"_gbk + "头衔：书童"_gbk +
           "</li>    <li>经验值</li></ul>"_gbk,
       "abc", "头衔：书童"_gbk},
      {"GBK name", "<li><strong>"_gbk + "读者"_gbk + "</strong></li>      <li>Lv2</li>    <li>",
       "读者"_gbk, "Lv2"},
      {"five blanks instead of six: no level",
       "<li><strong>abc</strong></li>     <li>Lv2</li>    <li>", "abc", ""},
      {"the login form of a visitor", "<form name=\"frmlogin\">用户名：<input></form>"_gbk, "", ""},
      {"a failed request", "", "", ""},
  };
  for (const Case& c : cases) {
    const MemberInfo info = CutMemberInfo(c.block);
    EXPECT_EQ(info.name, c.name) << c.what;
    EXPECT_EQ(info.level, c.level) << c.what;
  }
}

TEST(CutSignUpAnswer, SuccessAndTheReasonOnItsLines) {
  struct Case {
    const char* what;
    GbkText answer;
    bool success;
    GbkText reason;
  } cases[] = {
      {"two reasons become two lines",
       "出现错误！<br />错误原因：用户名已存在<br />两次密码不一致<br /><br />请返回"_gbk, false,
       "用户名已存在\r\n两次密码不一致"_gbk},
      {"one reason", "<br />错误原因：邮箱格式错误<br /><br />请 <a>返回</a>"_gbk, false,
       "邮箱格式错误"_gbk},
      {"upper-case <BR /> is no line break", "<br />错误原因：a<BR />b<br /><br />请"_gbk, false,
       "a<BR />b"},
      {"success", "<div>注册成功</div>恭喜您，注册成功！"_gbk, true, ""},
      {"a refusal without the end marker gives no reason", "<br />错误原因：用户名已存在"_gbk,
       false, ""},
      {"a failed request", "", false, ""},
  };
  for (const Case& c : cases) {
    const SignUpResult result = CutSignUpAnswer(c.answer);
    EXPECT_EQ(result.success, c.success) << c.what;
    EXPECT_EQ(result.reason, c.reason) << c.what;
  }
}

class AccountMessageTest : public AccountTest {};

TEST_F(AccountMessageTest, ErrorBoxUnderTheAccountTitle) {
  ShowAccountError(LoginFailedMessage());
  const auto messages = seam_->Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "用户名或密码错误！"_gbk);
  EXPECT_EQ(messages[0].title, "提示"_gbk);
  EXPECT_EQ(messages[0].icon, MessageIcon::kError);
}

}  // namespace
