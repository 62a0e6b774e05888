// Login answers, the member block and sign-up answers.

#include "page_parts.h"
#include "pages.h"
#include "scrape/gbk_literal.h"

namespace sample_site {

GbkText LoginSuccessPage(std::string_view gbkUserName, std::string_view baseUrl) {
  GbkText base(baseUrl);
  GbkText page = PageTop("登录成功"_gbk, baseUrl);
  page +=
      "<div class=\"blockmsg\">\n<div class=\"blocktitle\">登录成功</div>\n<div class=\"blockcontent\">"_gbk;
  page += EscapeAttribute(gbkUserName) + "，欢迎您回来！<br /><br />请 <a href=\""_gbk + base +
          "/\">点击这里</a> 返回首页<br /><br /></div>\n</div>\n"_gbk;
  page += "<script type=\"text/javascript\">setTimeout(function(){ location.href = '" + base +
          "/'; }, 3000);</script>\n";
  page += PageBottom(baseUrl);
  return WithCrlf(page);
}

GbkText LoginFailurePage(std::string_view baseUrl) {
  return SiteErrorPage({"用户名或密码错误！"_gbk}, baseUrl);
}

GbkText MemberBlock(std::optional<std::pair<GbkText, GbkText>> nameAndLevel,
                    std::string_view baseUrl) {
  GbkText base(baseUrl);
  GbkText block;
  if (nameAndLevel) {
    block = "<div class=\"userblock\">\n<ul>\n<li><strong>" + EscapeAttribute(nameAndLevel->first) +
            "</strong></li>      <li>" + nameAndLevel->second +
            "</li>    <li>经验值：120</li>    <li><a href=\""_gbk + base +
            "/userdetail.php\">查看资料</a></li>    <li><a href=\""_gbk + base +
            "/logout.php\">退出登录</a></li>\n</ul>\n</div>\n"_gbk;
  } else {
    block = "<div class=\"userblock\">\n<form name=\"frmlogin\" method=\"post\" action=\"" + base +
            "/login.php?do=submit\">\n用户名：<input type=\"text\" name=\"username\" size=\"12\" "
            "/><br />\n"
            "密&nbsp;&nbsp;码：<input type=\"password\" name=\"password\" size=\"12\" /><br />\n"
            "<input type=\"submit\" value=\"登录\" /> <a href=\""_gbk +
            base + "/register.php\">新用户注册</a>\n</form>\n</div>\n"_gbk;
  }
  return WithCrlf(block);
}

GbkText SignUpSuccessPage(std::string_view gbkUserName, std::string_view baseUrl) {
  GbkText base(baseUrl);
  GbkText page = PageTop("注册成功"_gbk, baseUrl);
  page +=
      "<div class=\"blockmsg\">\n<div class=\"blocktitle\">注册成功</div>\n<div class=\"blockcontent\">"_gbk;
  page += "恭喜您，"_gbk + EscapeAttribute(gbkUserName) +
          "，注册成功！您已经自动登录。<br /><br />请 <a href=\""_gbk + base +
          "/\">点击这里</a> 返回首页<br /><br /></div>\n</div>\n"_gbk;
  page += PageBottom(baseUrl);
  return WithCrlf(page);
}

}  // namespace sample_site
