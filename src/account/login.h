#pragma once

// Login and logout of a site member. The login state lives in the site's
// cookies (the shared cookie store of the request engine); nothing else is
// kept here.

#include "scrape/gbk_text.h"

// What the login panel holds when the member logs in.
struct LoginForm {
  GbkText userName;
  GbkText password;
  bool rememberPassword = true;  // the state of the "记住密码" check box
};

// siteBaseUrl + "/login.php?username=" + FormEncode(userName) + "&password=" +
// FormEncode(password) + "&usecookie=2592000&action=login". Both values are
// percent-encoded, so "&", "#", "+" or a blank in them reach the site intact.
GbkText LoginUrl(const GbkText& siteBaseUrl, const GbkText& userName, const GbkText& password);

// Logs in, blocking the calling thread for the request (run it on a job).
//  1. When form.rememberPassword is set, both values are saved first with
//     SaveRememberedCredentials, whatever the outcome (a failed save is not
//     reported).
//  2. LoginUrl is fetched with SiteRequestText and decoded with FormDecode.
//  3. When the answer holds "登录成功", the site's cookies are refreshed
//     (RefreshSiteCookies) and the result is true. Any other answer, an empty
//     one from a failed request included, gives false; the caller then shows
//     LoginFailedMessage() (account_messages.h).
// Empty names and passwords are sent like any other.
bool LogIn(const GbkText& siteBaseUrl, const LoginForm& form);

// Logs out: the site's cookies are written back as they are
// (RefreshSiteCookies). Nothing is sent to the site and nothing is removed.
void LogOut(const GbkText& siteBaseUrl);
