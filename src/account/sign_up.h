#pragma once

// Signing up a new member with the site's registration form.

#include <string_view>

#include "scrape/gbk_text.h"

// The four edit boxes of the sign-up window, as typed.
struct SignUpForm {
  GbkText userName;
  GbkText password;
  GbkText repeatedPassword;
  GbkText email;
};

struct SignUpResult {
  bool success = false;
  // The site's reason for a refusal, with each "<br />" turned into "\r\n";
  // empty when the answer holds none (a failed request included).
  GbkText reason;
};

// siteBaseUrl + "/register.php?username=" + FormEncode(userName) +
// "&password=" + FormEncode(password) + "&repassword=" +
// FormEncode(repeatedPassword) + "&email=" + FormEncode(email) +
// "&sex=0&qq=&url=&action=newuser&submit=%CC%E1+%BD%BB" (the submit button's
// text in GBK). Every value is percent-encoded so that "&", "#", "+" or a blank
// reach the site intact. Nothing is checked: the site's answer decides.
GbkText SignUpUrl(const GbkText& siteBaseUrl, const SignUpForm& form);

// Reads a decoded sign-up answer: success when it holds "注册成功"; the reason
// is TextBetween "<br />错误原因：" and "<br /><br />请" with every "<br />"
// replaced by "\r\n" (exact bytes), taken whatever the answer.
SignUpResult CutSignUpAnswer(std::string_view answer);

// Fetches SignUpUrl with SiteRequestText, decodes it with FormDecode and reads
// it with CutSignUpAnswer. Blocks the calling thread; a failed request gives
// no success and an empty reason. The site's cookies are not refreshed.
SignUpResult SendSignUp(const GbkText& siteBaseUrl, const SignUpForm& form);
