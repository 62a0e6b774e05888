#include "account/member_panel.h"

#include "net/form_encoding.h"
#include "net/site_request.h"
#include "scrape/markers.h"

GbkText MemberBlockUrl(const GbkText& siteBaseUrl) {
  return siteBaseUrl +
         "/blockshow.php?module=system&filename=block_login&classname=BlockSystemLogin&vars=&"
         "template=&contenttype=4&custom=0&publish=3&hasvars=0";
}

MemberInfo CutMemberInfo(std::string_view block) {
  MemberInfo info;
  info.name = TextBetween(block, "<li><strong>", "</strong></li>");
  // The level follows the name's own list item, so its start marker is built
  // from the name just cut.
  info.level = TextBetween(block, info.name + "</strong></li>      <li>", "</li>    <li>");
  return info;
}

MemberInfo FetchMemberInfo(const GbkText& siteBaseUrl) {
  return CutMemberInfo(FormDecode(SiteRequestText(MemberBlockUrl(siteBaseUrl))));
}
