#include "scrape/list_page.h"

#include "scrape/gbk_literal.h"
#include "scrape/markers.h"

GbkText ListPageAddress(std::string_view listUrl, long long pageNumber) {
  return GbkText(listUrl) + NumberToText(pageNumber) + ".html";
}

ListPageCounter CutListPageCounter(std::string_view page) {
  ListPageCounter counter;
  counter.pageNumber = TextBetween(page, "<strong>", "</strong>");
  const GbkText countStart = "<em id=\"pagestats\">" + counter.pageNumber + "/";
  counter.pageCount = TextBetween(page, countStart, "</em>");
  return counter;
}

bool IsSiteErrorPage(std::string_view page) {
  return FindText(page, "出现错误！"_gbk) != -1;
}

GbkText ListRowBookId(std::string_view link) {
  GbkText id = BookLinkTail(link);
  id = ReplaceSubtext(id, "/", {}, 1, -1, true);
  id = ReplaceSubtext(id, ".html", {}, 1, -1, true);
  return ReplaceSubtext(id, "book", {}, 1, -1, true);
}
