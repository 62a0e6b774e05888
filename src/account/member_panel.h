#pragma once

// The member block of the site: who is logged in, and at what level.

#include <string_view>

#include "scrape/gbk_text.h"

struct MemberInfo {
  GbkText name;   // for MemberNameLabel
  GbkText level;  // for MemberLevelLabel
};

// siteBaseUrl + the fixed "/blockshow.php?module=system&filename=block_login..."
// address of the login block.
GbkText MemberBlockUrl(const GbkText& siteBaseUrl);

// Cuts the member's name and level out of a decoded login block:
//  name  = TextBetween "<li><strong>" and "</strong></li>";
//  level = TextBetween name + "</strong></li>" + six blanks + "<li>" and
//          "</li>" + four blanks + "<li>".
// A missing marker leaves the field empty.
MemberInfo CutMemberInfo(std::string_view block);

// Fetches MemberBlockUrl with SiteRequestText (the shared cookies travel with
// it), decodes it with FormDecode and cuts it. Blocks the calling thread; a
// failed request gives two empty fields.
MemberInfo FetchMemberInfo(const GbkText& siteBaseUrl);
