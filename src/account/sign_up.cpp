#include "account/sign_up.h"

#include "net/form_encoding.h"
#include "net/site_request.h"
#include "scrape/gbk_literal.h"
#include "scrape/markers.h"

GbkText SignUpUrl(const GbkText& siteBaseUrl, const SignUpForm& form) {
  return siteBaseUrl + "/register.php?username=" + FormEncode(form.userName) +
         "&password=" + FormEncode(form.password) +
         "&repassword=" + FormEncode(form.repeatedPassword) + "&email=" + FormEncode(form.email) +
         "&sex=0&qq=&url=&action=newuser&submit=%CC%E1+%BD%BB";
}

SignUpResult CutSignUpAnswer(std::string_view answer) {
  SignUpResult result;
  const GbkText reason = TextBetween(answer, "<br />错误原因："_gbk, "<br /><br />请"_gbk);
  result.reason = ReplaceSubtext(reason, "<br />", "\r\n", 1, -1, true);
  result.success = FindText(answer, "注册成功"_gbk) != -1;
  return result;
}

SignUpResult SendSignUp(const GbkText& siteBaseUrl, const SignUpForm& form) {
  return CutSignUpAnswer(FormDecode(SiteRequestText(SignUpUrl(siteBaseUrl, form))));
}
