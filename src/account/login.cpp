#include "account/login.h"

#include "account/remembered_login.h"
#include "net/form_encoding.h"
#include "net/site_cookies.h"
#include "net/site_request.h"
#include "scrape/gbk_literal.h"

GbkText LoginUrl(const GbkText& siteBaseUrl, const GbkText& userName, const GbkText& password) {
  return siteBaseUrl + "/login.php?username=" + FormEncode(userName) +
         "&password=" + FormEncode(password) + "&usecookie=2592000&action=login";
}

bool LogIn(const GbkText& siteBaseUrl, const LoginForm& form) {
  if (form.rememberPassword) SaveRememberedCredentials({form.userName, form.password});
  const GbkText answer =
      FormDecode(SiteRequestText(LoginUrl(siteBaseUrl, form.userName, form.password)));
  if (FindText(answer, "登录成功"_gbk) == -1) return false;
  RefreshSiteCookies(siteBaseUrl);
  return true;
}

void LogOut(const GbkText& siteBaseUrl) {
  RefreshSiteCookies(siteBaseUrl);
}
