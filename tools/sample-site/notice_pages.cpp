// The notice server's files, the version document, the home page and the
// page for unknown paths.

#include "made_up_text.h"
#include "page_parts.h"
#include "pages.h"
#include "scrape/charset.h"
#include "scrape/gbk_literal.h"
#include "site_facts.h"

namespace sample_site {

GbkText HomePage(const Catalogue& catalogue, std::string_view baseUrl) {
  GbkText base(baseUrl);
  GbkText page = PageTop("首页"_gbk, baseUrl);
  page += "<div class=\"main\">\n<h2>分类阅读</h2>\n<p>"_gbk;
  for (int category = 1; category <= kCategoryCount; ++category) {
    page += "<a href=\"" + base + CategoryPagePath(category, 1) + "\">" + CategoryName(category) +
            "</a> ";
  }
  page += "</p>\n<h2>排行阅读</h2>\n<p>"_gbk;
  for (Ranking ranking : AllRankings()) {
    page += "<a href=\"" + base + RankingPagePath(ranking, 1) + "\">" +
            Utf8ToGbk(RankingCaption(ranking)) + "</a> ";
  }
  page += "</p>\n<h2>推荐书目</h2>\n<p>"_gbk;
  for (int id = kFirstBookId; id < kFirstBookId + kSpecialBookCount; ++id) {
    const Book* book = catalogue.FindBook(id);
    if (book != nullptr) {
      page += "<a href=\"" + base + BookInfoPath(id) + "\">" + book->title + "</a>（"_gbk +
              book->author + "） "_gbk;
    }
  }
  page += "</p>\n<p>本站共有 "_gbk +
          NumberToText(static_cast<long long>(catalogue.books().size())) +
          " 本书。</p>\n</div>\n"_gbk;
  page += PageBottom(baseUrl);
  return WithCrlf(page);
}

std::optional<GbkText> NoticeFile(std::string_view name, std::string_view baseUrl) {
  GbkText base(baseUrl);
  if (name == "gg1.txt") return "欢迎使用Tavelin小说阅读器！示例书站的全部书籍均为随机生成。"_gbk;
  if (name == "gg2.txt") return base + "/?bookwisp";
  // Main window ticker. The third message holds 縷, whose second byte is
  // "|"; it must not split the message. The file ends in "|", which adds no
  // empty message.
  if (name == "ad2.txt") {
    return "示例书站已启动，点击查看最近更新|新书《青灯夜雨录》已上架|千絲萬縷，尽在书中|"_gbk;
  }
  if (name == "ad3.txt") {
    return base + RankingPagePath(Ranking::kLastUpdate, 1) + "|" + base +
           BookInfoPath(kTitleKeywordBookId) + "|" + base + "/?bookwisp";
  }
  if (name == "ad4.txt") return "本书由示例书站随机生成|会员登录后可使用书架"_gbk;
  if (name == "ad5.txt") return base + "/?bookwisp|" + base + "/login.php";
  if (name == "ad6.txt") return "阅读愉快！|方向键左右翻页|Shift+Z 显示或隐藏阅读器"_gbk;
  if (name == "ad7.txt") {
    return base + "/?bookwisp|" + base + RankingPagePath(Ranking::kAllVisit, 1) + "|" + base +
           "/?bookwisp";
  }
  return std::nullopt;
}

GbkText VersionDocument(const VersionInfo& info, std::string_view baseUrl) {
  GbkText url =
      info.downloadUrl.empty() ? GbkText(baseUrl) + "/?bookwisp" : Utf8ToGbk(info.downloadUrl);
  GbkText document = "<?xml version=\"1.0\" encoding=\"gb2312\"?>\n<最新版本>\n  <版本信息"_gbk;
  if (info.version) document += " 版本号=\""_gbk + EscapeAttribute(Utf8ToGbk(*info.version)) + "\"";
  document += " 版本名称=\""_gbk + EscapeAttribute(Utf8ToGbk(info.name)) + "\"";
  document += " 升级说明=\""_gbk + EscapeAttribute(Utf8ToGbk(info.notes)) + "\"";
  document += " 下载地址=\""_gbk + EscapeAttribute(url) + "\" />\n</最新版本>\n"_gbk;
  return WithCrlf(document);
}

GbkText NotFoundPage(std::string_view baseUrl) {
  GbkText page = PageTop("页面不存在"_gbk, baseUrl);
  page +=
      "<div class=\"blockmsg\"><div class=\"blocktitle\">404 页面不存在</div>"
      "<div class=\"blockcontent\">您要找的页面不存在或已被删除。</div></div>\n"_gbk;
  page += PageBottom(baseUrl);
  return WithCrlf(page);
}

}  // namespace sample_site
