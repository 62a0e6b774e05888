#include "site_paths.h"

#include "net/form_encoding.h"

namespace sample_site {
namespace {

std::string BookFolder(int bookId) {
  return std::to_string(bookId / 1000) + "/" + std::to_string(bookId) + "/";
}

}  // namespace

std::string CategoryListPath(int category) {
  return "/book/list" + std::to_string(category) + "/";
}

std::string CategoryPagePath(int category, int page) {
  return CategoryListPath(category) + std::to_string(page) + ".html";
}

std::string RankingListPath(Ranking ranking) {
  return "/book/" + std::string(RankingPathName(ranking)) + "/";
}

std::string RankingPagePath(Ranking ranking, int page) {
  return RankingListPath(ranking) + std::to_string(page) + ".html";
}

std::string BookInfoPath(int bookId) {
  return "/book/" + std::to_string(bookId) + ".html";
}

std::string ChapterListPath(int bookId) {
  return "/html/" + BookFolder(bookId);
}

std::string ChapterPath(int bookId, int chapterNumber) {
  return ChapterListPath(bookId) + std::to_string(chapterNumber) + ".html";
}

std::string CoverPath(int bookId) {
  return "/files/article/image/" + BookFolder(bookId) + std::to_string(bookId) + "s.png";
}

std::string_view DownloadTypeName(DownloadKind kind) {
  switch (kind) {
    case DownloadKind::kTxt:
      return "txt";
    case DownloadKind::kUdm:
      return "udm";
    case DownloadKind::kJar:
      return "jar";
  }
  return "txt";
}

std::string DownloadPath(int bookId, DownloadKind kind) {
  return std::string(kDownloadPathOnly) + "?id=" + std::to_string(bookId) +
         "&type=" + std::string(DownloadTypeName(kind));
}

std::string SearchPath(SearchField field, std::string_view gbkKey) {
  return std::string(kSearchPathOnly) +
         "?searchtype=" + (field == SearchField::kTitle ? "articlename" : "author") +
         "&searchkey=" + FormEncode(gbkKey);
}

std::string LoginPath(std::string_view gbkUserName, std::string_view gbkPassword) {
  return std::string(kLoginPath) + "?username=" + FormEncode(gbkUserName) +
         "&password=" + FormEncode(gbkPassword) + "&usecookie=2592000&action=login";
}

std::string MemberBlockPath() {
  return std::string(kMemberBlockPathOnly) +
         "?module=system&filename=block_login&classname=BlockSystemLogin&vars=&template="
         "&contenttype=4&custom=0&publish=3&hasvars=0";
}

std::string SignUpPath(std::string_view gbkUserName, std::string_view gbkPassword,
                       std::string_view gbkRepeatedPassword, std::string_view email) {
  return std::string(kSignUpPathOnly) + "?username=" + FormEncode(gbkUserName) +
         "&password=" + FormEncode(gbkPassword) + "&repassword=" + FormEncode(gbkRepeatedPassword) +
         "&email=" + FormEncode(email) + "&sex=0&qq=&url=&action=newuser&submit=%CC%E1+%BD%BB";
}

}  // namespace sample_site
