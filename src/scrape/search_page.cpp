#include "scrape/search_page.h"

#include "net/form_encoding.h"
#include "scrape/book_info_page.h"
#include "scrape/gbk_literal.h"
#include "scrape/list_page.h"
#include "scrape/markers.h"

GbkText SearchAddress(std::string_view siteBaseUrl, std::string_view searchField,
                      std::string_view keyword) {
  return GbkText(siteBaseUrl) + "/modules/article/search.php?searchtype=" + GbkText(searchField) +
         "&searchkey=" + FormEncode(keyword);
}

SearchShape SearchPageShape(std::string_view page) {
  return FindText(page, "管理</a>"_gbk) != -1 ? SearchShape::kSingleBook : SearchShape::kResultList;
}

CategoryRow CutSingleBookRow(std::string_view page) {
  const GbkText block = BookInfoBlock(page);
  CategoryRow row;
  row.title = TextBetween(block, "height: 150%\">", "</span></td>");
  row.latestChapter = CutBookLatestChapter(block);
  row.author = TextBetween(block, "作&nbsp;&nbsp;&nbsp; 者："_gbk, "</td>");
  row.updateTime = TextBetween(block, "最后更新："_gbk, "</td>");
  row.state = TextBetween(block, "文章状态："_gbk, "</td>");
  row.bookId = ReplaceSubtext(BookLinkTail(CutReadLink(block)), "/", {}, 1, -1, true);
  return row;
}

SearchPage ScrapeSearchPage(std::string_view page) {
  SearchPage result;
  result.shape = SearchPageShape(page);
  if (result.shape == SearchShape::kResultList) {
    CategoryPage list = ScrapeCategoryPage(page);
    result.siteError = list.siteError;
    result.pageNumber = std::move(list.pageNumber);
    result.pageCount = std::move(list.pageCount);
    result.rows = std::move(list.rows);
    return result;
  }
  result.siteError = IsSiteErrorPage(page);
  if (!result.siteError) result.rows.push_back(CutSingleBookRow(page));
  return result;
}
