#pragma once

// The sample site's pages as plain functions: catalogue, parameters and the
// base address the request came to ("http://host:port", no trailing slash)
// in, the page's GBK bytes out. The server (sample_site.h) serves exactly
// these bytes; scraper tests, fuzz corpora and benchmarks can take them
// without a server.
//
// Every page carries the markers and patterns the reader cuts it by, byte for
// byte, with the site's own clutter (scripts, pop-up code, advertising)
// around them. Lines end in CR LF.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue.h"
#include "scrape/gbk_text.h"
#include "site_paths.h"

namespace sample_site {

// Page `page` (1-based; below 1 counts as 1) of category list 1 to 10: the
// page counter, and one "book_news_style_img ... </h3></div></div>" row per
// book between "当前位置：" and "\"main m_foot\">". A page beyond the last has
// the counter and no rows.
GbkText CategoryListPage(const Catalogue& catalogue, int category, int page,
                         std::string_view baseUrl);

// Page `page` of a ranking: the page counter, and one "    <ul>" ...
// "      </ul>" row per book between ">状态</li>" and "<div id=\"Page\">".
GbkText RankingListPage(const Catalogue& catalogue, Ranking ranking, int page,
                        std::string_view baseUrl);

// The answer to a search: the information page of the book when exactly one
// book matches, otherwise a result list laid out like a category page (all
// matches on the pages of `catalogue.options().categoryPageSize` rows).
GbkText SearchAnswerPage(const Catalogue& catalogue, SearchField field, std::string_view gbkKey,
                         int page, std::string_view baseUrl);

// The result list page for the given matches.
GbkText SearchResultPage(const Catalogue& catalogue, const std::vector<const Book*>& found,
                         SearchField field, std::string_view gbkKey, int page,
                         std::string_view baseUrl);

// The site's error page: "出现错误！", then "<br />错误原因：" and the reasons
// separated by "<br />", then "<br /><br />请" and a link back.
GbkText SiteErrorPage(const GbkTextList& gbkReasons, std::string_view baseUrl);

// The error page a second search within the search interval gets.
GbkText SearchTooSoonPage(std::string_view baseUrl);

// The book's information page: every field the reader cuts between
// "height: 150%" and "作品关键字：", the cover, the chapter list link after
// the "<td bgcolor=\"#000000\" height=\"1\"></td>\r" separator, the three
// whole-book download links, and a "文章管理</a>" link.
GbkText BookInfoPage(const Catalogue& catalogue, const Book& book, std::string_view baseUrl);

// The chapter list page: the listing between "到雅虎收藏</a>" and
// "<div class=\"bottom\">", a link to the latest chapter outside the volumes,
// one "<ul>" per volume with "<li><a href=\"<number>.html\"><title></a></li>"
// items, and in every second volume an item with an empty href.
GbkText ChapterListPage(const Catalogue& catalogue, const Book& book, std::string_view baseUrl);

// Chapter `index` of the book: the text after "<div id=\"BookText\">\r" with
// "<br />" paragraphs and "&nbsp;" indents, then "<br><br>&nbsp;&nbsp;" and
// the site notice, then "<div class=\"downloads t1\">". With `hostile` (or for
// the book's hostile chapter) the text also carries scripts, frames, objects,
// event-handler attributes, javascript: links and a script reading a local
// file.
GbkText ChapterPage(const Catalogue& catalogue, const Book& book, int index, bool hostile,
                    std::string_view baseUrl);

// The chapter text exactly as ChapterPage puts it between
// "<div id=\"BookText\">\r" and "<br><br>&nbsp;&nbsp;".
GbkText ChapterTextHtml(const Catalogue& catalogue, const Book& book, int index, bool hostile);

// The whole book as plain GBK text (title, author, volumes, chapters).
GbkText WholeBookText(const Catalogue& catalogue, const Book& book);

// The book's cover picture (PNG).
ByteString BookCover(const Book& book);

// Login answers: success holds "登录成功"; failure is the site's error page.
GbkText LoginSuccessPage(std::string_view gbkUserName, std::string_view baseUrl);
GbkText LoginFailurePage(std::string_view baseUrl);

// The member block: with a member, "<li><strong>" name "</strong></li>" +
// six blanks + "<li>" level "</li>" + four blanks + "<li>" ...; without one,
// the small login form.
GbkText MemberBlock(std::optional<std::pair<GbkText, GbkText>> nameAndLevel,
                    std::string_view baseUrl);

// Sign-up answers: success holds "注册成功"; a refusal is the site's error
// page with the reasons.
GbkText SignUpSuccessPage(std::string_view gbkUserName, std::string_view baseUrl);

// The site's home page (also the notice server's home, "/?bookwisp"): links
// to every list and to the special books.
GbkText HomePage(const Catalogue& catalogue, std::string_view baseUrl);

// A notice file by name ("gg1.txt", "gg2.txt", "ad2.txt" ... "ad7.txt"), or
// nothing for another name. Texts files hold messages separated by "|",
// targets files the matching addresses on this site.
std::optional<GbkText> NoticeFile(std::string_view name, std::string_view baseUrl);

// What the version document names. Texts are UTF-8; an empty download
// address stands for the notice server's home page.
struct VersionInfo final {
  std::optional<std::string> version = std::string("0.9.3");  // nullopt: no 版本号 attribute
  std::string name = "beta版";
  std::string notes = "修正了章节列表的读取#HHF改进了消息滚动条";
  std::string downloadUrl;
};

// The version document: GBK XML declared as gb2312, root 最新版本 with the
// child 版本信息 whose attributes carry the version data.
GbkText VersionDocument(const VersionInfo& info, std::string_view baseUrl);

// The answer for a path the site does not have.
GbkText NotFoundPage(std::string_view baseUrl);

}  // namespace sample_site
