// Category lists, rankings, search answers and the site's error page.

#include <algorithm>

#include "made_up_text.h"
#include "page_parts.h"
#include "pages.h"
#include "scrape/charset.h"
#include "scrape/gbk_literal.h"
#include "site_paths.h"

namespace sample_site {
namespace {

GbkText StateText(const Book& book) {
  return book.finished ? "已完成"_gbk : "连载中"_gbk;
}

GbkText LatestChapterLink(const Catalogue& catalogue, const Book& book, std::string_view base,
                          const GbkText& linkTail) {
  Chapter latest = catalogue.ChapterAt(book, book.chapterCount - 1);
  return "<a href=\"" + GbkText(base) + ChapterPath(book.id, latest.number) + "\"" + linkTail +
         ">" + latest.title;
}

// One row of a category list or search result list.
GbkText CategoryRowHtml(const Catalogue& catalogue, const Book& book, std::string_view base) {
  GbkText link = GbkText(base) + BookInfoPath(book.id);
  GbkText row = "<div class=\"book_news_style\">\n<div class=\"book_news_style_img1\"><a href=\"" +
                link + "\" target=\"_blank\"><img src=\"" + GbkText(base) + CoverPath(book.id) +
                "\" border=\"0\" width=\"80\" height=\"100\" alt=\"" + book.title +
                "\" /></a></div>\n";
  row += "<div class=\"book_news_style_form\">\n";
  row += "<h1><a href=\"" + link + "\" target=\"_blank\">" + book.title +
         "</a></h1><h2>作者："_gbk + book.author + "【"_gbk + StateText(book) + "】</h2>\n"_gbk;
  row += "<h4>更新时间："_gbk + DateText(book.updateMinute / 1440) + "</h4><h5>最新章节："_gbk;
  if (book.chapterCount > 0) {
    row += LatestChapterLink(catalogue, book, base, " target=\"_blank\"") + "</a>";
  }
  row += "</h5><h3>"_gbk;
  GbkText intro = "分类："_gbk + CategoryName(book.category) + "，字数："_gbk +
                  NumberToText(book.words) + "。"_gbk;
  row += intro + "</h3></div></div>\n";
  return row;
}

// A page laid out like a category list: rows between "当前位置：" and the
// footer's "\"main m_foot\">".
GbkText CategoryFrame(const GbkText& title, const GbkText& where,
                      const std::vector<const Book*>& rows, const Catalogue& catalogue,
                      const GbkText& pagination, std::string_view base) {
  GbkText page = PageTop(title, base);
  page += "<div class=\"main\">\n<div class=\"ad_left\"><script type=\"text/javascript\" src=\"" +
          GbkText(base) + "/ad/left_160x600.js\"></script></div>\n";
  page += "<div class=\"book_news\">\n<div class=\"position\">当前位置：<a href=\""_gbk +
          GbkText(base) + "/\">Tavelin示例书站</a> &gt; "_gbk + where + "</div>\n";
  for (const Book* book : rows) page += CategoryRowHtml(catalogue, *book, base);
  page += pagination;
  page += "</div>\n</div>\n<div class=\"main m_foot\"><a href=\"" + GbkText(base) +
          "/\">返回首页</a> | <a href=\"#\">返回顶部</a></div>\n"_gbk;
  page += PageBottom(base);
  return WithCrlf(page);
}

// One row of a ranking list: four blanks before "<ul>", six before "</ul>".
GbkText RankingRowHtml(const Catalogue& catalogue, const Book& book, int rank,
                       std::string_view base) {
  GbkText link = GbkText(base) + BookInfoPath(book.id);
  GbkText row = "    <ul>\n";
  row += "      <li class=\"t2\">" + NumberToText(rank) + "</li>\n";
  row += "      <li class=\"t3\"><a href=\"" + link + "\" title=\"" + book.title +
         "\" class=\"t14b\">" + book.title + "</a></li>\n";
  if (book.chapterCount > 0) {
    row += "      <li class=\"t5\">" +
           LatestChapterLink(catalogue, book, base, " target=\"_blank\"") + "</a> </li>\n";
  }
  row += "      <li class=\"t4\">" + book.author + "</li>\n";
  row += "      <li class=\"t8\">" + ShortDateText(book.updateMinute / 1440) + "</li>\n";
  row += "      <li class=\"t1 red12\">" + StateText(book) + "</li>\n";
  row += "      </ul>\n";
  return row;
}

}  // namespace

GbkText CategoryListPage(const Catalogue& catalogue, int category, int page,
                         std::string_view baseUrl) {
  page = std::max(page, 1);
  const auto& list = catalogue.CategoryBooks(category);
  int pageSize = catalogue.options().categoryPageSize;
  int pageCount = Catalogue::PageCount(list.size(), pageSize);
  GbkText listBase = GbkText(baseUrl) + CategoryListPath(category);
  const GbkText& name = CategoryName(category);
  return CategoryFrame(name + "小说列表"_gbk, "<a href=\"" + listBase + "1.html\">" + name + "</a>",
                       Catalogue::PageOf(list, page, pageSize), catalogue,
                       Pagination(listBase, page, pageCount), baseUrl);
}

GbkText RankingListPage(const Catalogue& catalogue, Ranking ranking, int page,
                        std::string_view baseUrl) {
  page = std::max(page, 1);
  const auto& list = catalogue.RankingBooks(ranking);
  int pageSize = catalogue.options().rankingPageSize;
  int pageCount = Catalogue::PageCount(list.size(), pageSize);
  GbkText listBase = GbkText(baseUrl) + RankingListPath(ranking);
  GbkText caption = Utf8ToGbk(RankingCaption(ranking));
  GbkText html = PageTop(caption, baseUrl);
  html += "<div class=\"main\">\n<div class=\"toplist\">\n<div class=\"toptitle\">"_gbk + caption +
          "</div>\n";
  html +=
      "  <ul class=\"head\">\n      <li class=\"t2\">序号</li>\n      <li "
      "class=\"t3\">文章名称</li>\n"
      "      <li class=\"t5\">最新章节</li>\n      <li class=\"t4\">作者</li>\n"
      "      <li class=\"t8\">更新</li>\n      <li class=\"t1\">状态</li>\n  </ul>\n"_gbk;
  int rank = (page - 1) * pageSize;
  for (const Book* book : Catalogue::PageOf(list, page, pageSize)) {
    html += RankingRowHtml(catalogue, *book, ++rank, baseUrl);
  }
  html += "</div>\n<div id=\"Page\">" + Pagination(listBase, page, pageCount) + "</div>\n</div>\n";
  html += PageBottom(baseUrl);
  return WithCrlf(html);
}

GbkText SearchResultPage(const Catalogue& catalogue, const std::vector<const Book*>& found,
                         SearchField field, std::string_view gbkKey, int page,
                         std::string_view baseUrl) {
  page = std::max(page, 1);
  int pageSize = catalogue.options().categoryPageSize;
  int pageCount = Catalogue::PageCount(found.size(), pageSize);
  GbkText listBase = GbkText(baseUrl) + SearchPath(field, gbkKey) + "&page=";
  GbkText where = "搜索结果：“"_gbk + EscapeAttribute(gbkKey) + "”，共找到 "_gbk +
                  NumberToText(static_cast<long long>(found.size())) + " 本"_gbk;
  return CategoryFrame("搜索结果"_gbk, where, Catalogue::PageOf(found, page, pageSize), catalogue,
                       Pagination(listBase, page, pageCount, ""), baseUrl);
}

GbkText SearchAnswerPage(const Catalogue& catalogue, SearchField field, std::string_view gbkKey,
                         int page, std::string_view baseUrl) {
  std::vector<const Book*> found = catalogue.Search(field, gbkKey);
  if (found.size() == 1) return BookInfoPage(catalogue, *found.front(), baseUrl);
  return SearchResultPage(catalogue, found, field, gbkKey, page, baseUrl);
}

GbkText SiteErrorPage(const GbkTextList& gbkReasons, std::string_view baseUrl) {
  GbkText page = PageTop("出现错误！"_gbk, baseUrl);
  page +=
      "<div class=\"blockmsg\">\n<div class=\"blocktitle\">出现错误！</div>\n<div class=\"blockcontent\">"_gbk;
  page += "<br />错误原因："_gbk;
  for (std::size_t i = 0; i < gbkReasons.size(); ++i) {
    if (i > 0) page += "<br />";
    page += gbkReasons[i];
  }
  page +=
      "<br /><br />请 <a href=\"javascript:history.back(1)\">返 回</a> 并修正<br /><br /></div>\n</div>\n"_gbk;
  page += PageBottom(baseUrl);
  return WithCrlf(page);
}

GbkText SearchTooSoonPage(std::string_view baseUrl) {
  return SiteErrorPage({"对不起，两次搜索的间隔时间不得少于 30 秒"_gbk}, baseUrl);
}

}  // namespace sample_site
