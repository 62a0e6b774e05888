#pragma once

// The sample site's paths, as the reader requests them. Every function gives
// a path that begins with "/"; put the base address ("http://host:port", no
// trailing slash) in front of it for an absolute address.
//
//   category list     /book/list<1-10>/<page>.html
//   ranking list      /book/<Topallvisit|...|toplastupdate>/<page>.html
//   search /modules/article/search.php?searchtype=articlename|author&searchkey=<FormEncode(GBK
//   key)> book information  /book/<id>.html chapter list      /html/<id/1000>/<id>/          (also
//   .../index.html) chapter           /html/<id/1000>/<id>/<chapter number>.html cover
//   /files/article/image/<id/1000>/<id>/<id>s.png whole book
//   /modules/article/packdown.php?id=<id>&type=txt|udm|jar login
//   /login.php?username=...&password=...&usecookie=2592000&action=login member block
//   /blockshow.php?module=system&filename=block_login&... sign-up
//   /register.php?username=...&password=...&repassword=...&email=...&... notices
//   /ad/bookwisp/gg1.txt, gg2.txt, ad2.txt ... ad7.txt version document  /ad/bookwisp/up/update.xml
//   home page         / and /?bookwisp
//
// The chapter list address ends in "/<id>/" because the reader takes the id
// of a book found by search from the last five characters before the final
// "/" of that address; the chapter addresses are that address followed by the
// chapter number and ".html".

#include <string>
#include <string_view>

#include "catalogue.h"

namespace sample_site {

enum class DownloadKind { kTxt, kUdm, kJar };

std::string CategoryListPath(int category);            // "/book/list3/"
std::string CategoryPagePath(int category, int page);  // "/book/list3/2.html"
std::string RankingListPath(Ranking ranking);          // "/book/Topallvisit/"
std::string RankingPagePath(Ranking ranking, int page);
std::string BookInfoPath(int bookId);                    // "/book/10001.html"
std::string ChapterListPath(int bookId);                 // "/html/10/10001/"
std::string ChapterPath(int bookId, int chapterNumber);  // "/html/10/10001/1000005.html"
std::string CoverPath(int bookId);
std::string DownloadPath(int bookId, DownloadKind kind);

// The search address for a GBK key, encoded as the reader encodes it.
std::string SearchPath(SearchField field, std::string_view gbkKey);

// The login address with every value percent-encoded (FormEncode).
std::string LoginPath(std::string_view gbkUserName, std::string_view gbkPassword);

// The member block address, with its fixed query.
std::string MemberBlockPath();

// The sign-up address with every value percent-encoded and the fixed tail.
std::string SignUpPath(std::string_view gbkUserName, std::string_view gbkPassword,
                       std::string_view gbkRepeatedPassword, std::string_view email);

inline constexpr std::string_view kLoginPath = "/login.php";
inline constexpr std::string_view kMemberBlockPathOnly = "/blockshow.php";
inline constexpr std::string_view kSignUpPathOnly = "/register.php";
inline constexpr std::string_view kSearchPathOnly = "/modules/article/search.php";
inline constexpr std::string_view kDownloadPathOnly = "/modules/article/packdown.php";
inline constexpr std::string_view kNoticeFolder = "/ad/bookwisp/";
inline constexpr std::string_view kVersionDocumentPath = "/ad/bookwisp/up/update.xml";

// "txt", "udm", "jar".
std::string_view DownloadTypeName(DownloadKind kind);

}  // namespace sample_site
