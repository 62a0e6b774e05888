#pragma once

// What the sample site's users can rely on whatever the seed: the special
// books at the start of the catalogue, the search keywords that find exactly
// one of them, the known member and the version the notice server names by
// default. Texts are UTF-8 here; the site serves them in GBK (Utf8ToGbk).

#include <string_view>

namespace sample_site {

// Book ids are five-digit decimals from 10001 on, in catalogue order.
inline constexpr int kFirstBookId = 10001;
inline constexpr int kLastPossibleBookId = 99999;

// The first seven books are special; a catalogue always has at least these.
inline constexpr int kLongBookId = 10001;           // exactly CatalogueOptions::chapters chapters
inline constexpr int kHostileBookId = 10002;        // its second chapter carries hostile HTML
inline constexpr int kTitleKeywordBookId = 10003;   // title "青灯夜雨录"
inline constexpr int kAuthorKeywordBookId = 10004;  // author "石上听泉"
inline constexpr int kTrailByteBookId = 10005;  // title "赤誠剑心" (誠 ends in byte 0x5C "\"),
                                                // author "顾千縷" (縷 ends in byte 0x7C "|")
inline constexpr int kShortIntroBookId = 10006;  // introduction shorter than 100 bytes
inline constexpr int kEmptyBookId = 10007;       // no chapters at all
inline constexpr int kSpecialBookCount = 7;

// The index (0-based, in page order) of the hostile chapter of kHostileBookId.
inline constexpr int kHostileChapterIndex = 1;

// Search keywords that match exactly one book (by title, by author).
inline constexpr std::string_view kTitleKeyword = "夜雨";            // kTitleKeywordBookId
inline constexpr std::string_view kAuthorKeyword = "听泉";           // kAuthorKeywordBookId
inline constexpr std::string_view kTrailByteTitleKeyword = "赤誠";   // kTrailByteBookId
inline constexpr std::string_view kTrailByteAuthorKeyword = "千縷";  // kTrailByteBookId
// A title keyword that matches many books (every generated title may hold it).
inline constexpr std::string_view kCommonTitleKeyword = "天";

// The member who exists from the start.
inline constexpr std::string_view kMemberUserName = "reader";
inline constexpr std::string_view kMemberPassword = "p@ss word&1";
inline constexpr std::string_view kMemberLevel = "头衔：书童";
// The level of members who signed up while the site ran.
inline constexpr std::string_view kNewMemberLevel = "头衔：新手上路";
// The name of the session cookie that login and sign-up set.
inline constexpr std::string_view kSessionCookieName = "tavelin_session";

// The version named by the notice server's version document by default: the
// reader's own, so that it announces nothing.
inline constexpr std::string_view kDefaultNoticeVersion = "0.9.3";

}  // namespace sample_site
