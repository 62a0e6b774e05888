#include "scrape/html_sanitizer.h"

#include <array>

namespace {

constexpr std::string_view::size_type kNone = std::string_view::npos;

bool IsAsciiAlpha(unsigned char b) {
  return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z');
}
unsigned char AsciiLower(unsigned char b) {
  return b >= 'A' && b <= 'Z' ? b + 32 : b;
}
bool IsLead(unsigned char b) {
  return b >= 0x81 && b <= 0xFE;
}
bool IsTrail(unsigned char b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
}
bool IsDigit(unsigned char b) {
  return b >= '0' && b <= '9';
}

// The HTML tokenizer's white space; a carriage return counts, since the
// browser turns it into a line feed before tokenizing.
bool IsHtmlSpace(unsigned char b) {
  return b == ' ' || b == '\t' || b == '\n' || b == '\f' || b == '\r';
}

// Length of the character that starts at `at` as a GBK/GB18030 decoder reads
// it: 2 for a lead byte and a trail byte, 4 for lead, digit, lead, digit,
// else 1. A lead byte read alone lets the decoder read the next byte afresh.
size_t CharLength(std::string_view text, size_t at) {
  const unsigned char b = text[at];
  if (!IsLead(b) || at + 1 >= text.size()) return 1;
  const unsigned char second = text[at + 1];
  if (IsTrail(second)) return 2;
  if (IsDigit(second) && at + 3 < text.size() && IsLead(text[at + 2]) && IsDigit(text[at + 3]))
    return 4;
  return 1;
}

// The text with every lead byte dropped that starts no character and is
// followed by an ASCII byte or by the end of the text. Such a byte is
// decoded differently by different decoders (some swallow the next byte, a
// quote for instance); without it every decoder sees the same characters.
// Dropping it changes no other character boundary, since its next byte
// starts a character in any case.
bool IsLoneLead(std::string_view text, size_t at, size_t length) {
  return length == 1 && IsLead(text[at]) &&
         (at + 1 >= text.size() || static_cast<unsigned char>(text[at + 1]) < 0x80);
}

bool HasLoneLeadBytes(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const size_t length = CharLength(text, i);
    if (IsLoneLead(text, i, length)) return true;
    i += length;
  }
  return false;
}

GbkText DropLoneLeadBytes(std::string_view text) {
  GbkText out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const size_t length = CharLength(text, i);
    if (!IsLoneLead(text, i, length)) out.append(text.substr(i, length));
    i += length;
  }
  return out;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

bool NameIn(std::string_view name, std::initializer_list<std::string_view> names) {
  for (std::string_view candidate : names)
    if (EqualsIgnoringCase(name, candidate)) return true;
  return false;
}

// Elements removed together with everything up to their end tag.
bool IsRemovedWithContent(std::string_view name) {
  return NameIn(name, {"script", "style", "iframe"});
}

// Elements whose start and end tags are removed and whose content stays (and
// is read as ordinary HTML, since the browser never sees the tag either).
// Besides frames, plug-ins, forms and head elements these are the elements
// that would switch the browser's tokenizer out of its ordinary state
// (raw text, RCDATA, plain text, foreign content).
bool IsRemovedTag(std::string_view name) {
  return NameIn(name,
                {"frame",    "frameset", "object",   "embed",  "applet",    "param",    "form",
                 "input",    "button",   "textarea", "select", "option",    "optgroup", "datalist",
                 "keygen",   "isindex",  "meta",     "link",   "base",      "svg",      "math",
                 "noscript", "noembed",  "noframes", "xmp",    "plaintext", "title",    "portal"});
}

struct Attribute {
  size_t start = 0;  // first byte of the name
  size_t end = 0;    // one past the value (or the name when there is none)
  std::string_view name;
  std::string_view value;
};

struct Tag {
  bool terminated = false;
  bool endTag = false;
  size_t end = 0;  // one past its ">"
  std::string_view name;
};

// Reads the tag that starts with the "<" at `at` (followed by a letter, or by
// "/" and a letter) as the browser's tokenizer does: the name runs to white
// space, "/" or ">"; an attribute name to white space, "/", ">" or "=" (an
// "=" in first place belongs to the name); a value is quoted with either
// quote or runs unquoted to white space or ">". Each attribute is handed to
// `onAttribute` as it is read, so that a tag of any length costs no memory
// beyond what the caller keeps.
template <typename OnAttribute>
Tag ReadTag(std::string_view text, size_t at, OnAttribute&& onAttribute) {
  Tag tag;
  size_t p = at + 1;
  if (text[p] == '/') {
    tag.endTag = true;
    ++p;
  }
  const size_t nameStart = p;
  while (p < text.size() && !IsHtmlSpace(text[p]) && text[p] != '/' && text[p] != '>')
    p += CharLength(text, p);
  tag.name = text.substr(nameStart, p - nameStart);
  for (;;) {
    while (p < text.size() && IsHtmlSpace(text[p])) ++p;
    if (p >= text.size()) return tag;
    if (text[p] == '>') {
      tag.terminated = true;
      tag.end = p + 1;
      return tag;
    }
    if (text[p] == '/') {
      ++p;
      continue;  // "/>" ends the tag above; any other byte starts an attribute
    }
    Attribute attribute;
    attribute.start = p;
    p += CharLength(text, p);
    while (p < text.size() && !IsHtmlSpace(text[p]) && text[p] != '/' && text[p] != '>' &&
           text[p] != '=')
      p += CharLength(text, p);
    attribute.name = text.substr(attribute.start, p - attribute.start);
    attribute.end = p;
    size_t q = p;
    while (q < text.size() && IsHtmlSpace(text[q])) ++q;
    if (q < text.size() && text[q] == '=') {
      ++q;
      while (q < text.size() && IsHtmlSpace(text[q])) ++q;
      if (q >= text.size()) return tag;
      if (text[q] == '"' || text[q] == '\'') {
        const size_t close = text.find(text[q], q + 1);
        if (close == kNone) return tag;
        attribute.value = text.substr(q + 1, close - q - 1);
        p = close + 1;
      } else if (text[q] == '>') {
        p = q;  // "name=>": an empty value, and the tag ends
      } else {
        const size_t valueStart = q;
        while (q < text.size() && !IsHtmlSpace(text[q]) && text[q] != '>') q += CharLength(text, q);
        attribute.value = text.substr(valueStart, q - valueStart);
        p = q;
      }
      attribute.end = p;
    }
    onAttribute(attribute);
  }
}

// A few named references that can spell a scheme or hide within one.
char NamedReference(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, char>, 8> kNames = {{
      {"colon", ':'},
      {"tab", '\t'},
      {"newline", '\n'},
      {"amp", '&'},
      {"lt", '<'},
      {"gt", '>'},
      {"quot", '"'},
      {"apos", '\''},
  }};
  for (const auto& [candidate, value] : kNames)
    if (EqualsIgnoringCase(name, candidate)) return value;
  return 0;
}

// The value as the address parser would see its scheme: numeric and the
// named references above decoded, bytes up to the blank dropped (the parser
// drops tabs and line breaks anywhere and other control characters around the
// address), Latin letters lower-cased.
std::string NormalisedValue(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  auto add = [&out](unsigned long code) {
    if (code <= 0x20 || code == 0x7F) return;
    out.push_back(code < 0x80 ? static_cast<char>(AsciiLower(static_cast<unsigned char>(code)))
                              : '\x80');
  };
  size_t i = 0;
  while (i < value.size()) {
    if (value[i] == '&' && i + 1 < value.size()) {
      size_t j = i + 1;
      if (value[j] == '#') {
        ++j;
        const bool hex = j < value.size() && (value[j] == 'x' || value[j] == 'X');
        if (hex) ++j;
        const size_t digitsStart = j;
        unsigned long code = 0;
        while (j < value.size()) {
          const unsigned char c = value[j];
          int digit = -1;
          if (IsDigit(c))
            digit = c - '0';
          else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
          else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
          if (digit < 0) break;
          if (code < 0x110000) code = code * (hex ? 16 : 10) + digit;
          ++j;
        }
        if (j > digitsStart) {
          if (j < value.size() && value[j] == ';') ++j;
          add(code);
          i = j;
          continue;
        }
      } else {
        while (j < value.size() && IsAsciiAlpha(value[j])) ++j;
        if (j < value.size() && value[j] == ';') {
          const char decoded = NamedReference(value.substr(i + 1, j - i - 1));
          if (decoded != 0) {
            add(static_cast<unsigned char>(decoded));
            i = j + 1;
            continue;
          }
        }
      }
    }
    add(static_cast<unsigned char>(value[i]));
    ++i;
  }
  return out;
}

bool IsDangerousAttribute(const Attribute& attribute) {
  // A name that begins with "=" is what the tokenizer makes of a stray "="
  // where an attribute name should start. Kept after a removed attribute it
  // could join the attribute before it ("a on=\"\"=x" would become "a =x",
  // where x is the value of a), so it goes too.
  if (!attribute.name.empty() && attribute.name[0] == '=') return true;
  if (attribute.name.size() >= 2 && AsciiLower(attribute.name[0]) == 'o' &&
      AsciiLower(attribute.name[1]) == 'n')
    return true;
  if (attribute.value.empty()) return false;
  const std::string value = NormalisedValue(attribute.value);
  return value.find("javascript:") != std::string::npos ||
         value.find("vbscript:") != std::string::npos;
}

// Where the comment that starts with "<!--" at `at` ends (one past its ">"),
// following the tokenizer: "<!-->" and "<!--->" end at once; otherwise the
// first ">" that follows "--" or "--!" within the comment ends it.
size_t CommentEnd(std::string_view text, size_t at) {
  const size_t content = at + 4;
  if (content < text.size() && text[content] == '>') return content + 1;
  if (content + 1 < text.size() && text[content] == '-' && text[content + 1] == '>')
    return content + 2;
  for (size_t j = text.find('>', content); j != kNone; j = text.find('>', j + 1)) {
    if (j >= content + 2 && text[j - 1] == '-' && text[j - 2] == '-') return j + 1;
    if (j >= content + 3 && text[j - 1] == '!' && text[j - 2] == '-' && text[j - 3] == '-')
      return j + 1;
  }
  return kNone;
}

class Sanitizer {
 public:
  explicit Sanitizer(std::string_view text) : text_(text) { out_.reserve(text.size()); }

  GbkText Run() {
    while (i_ < text_.size()) {
      const unsigned char b = text_[i_];
      if (b == '<') {
        Markup();
      } else {
        const size_t length = CharLength(text_, i_);
        out_.append(text_.substr(i_, length));
        i_ += length;
      }
    }
    return std::move(out_);
  }

 private:
  // Something starting with "<" at i_.
  void Markup() {
    const size_t next = i_ + 1;
    if (next >= text_.size()) return Keep(next);  // a "<" at the very end is text
    const unsigned char c = text_[next];
    if (c == '!') {
      const bool comment = text_.substr(next, 3) == "!--";
      const size_t end = comment ? CommentEnd(text_, i_) : ClosingBracket(next + 1);
      return end == kNone ? DropRest() : Keep(end);
    }
    if (c == '?') {
      const size_t end = ClosingBracket(next + 1);
      return end == kNone ? DropRest() : Keep(end);
    }
    if (c == '/') {
      if (next + 1 >= text_.size()) return DropRest();  // "</" would open a bogus comment
      const unsigned char d = text_[next + 1];
      if (d == '>') return Keep(next + 2);  // "</>" is ignored by the browser
      if (!IsAsciiAlpha(d)) {
        const size_t end = ClosingBracket(next + 1);
        return end == kNone ? DropRest() : Keep(end);
      }
      return TagAt();
    }
    if (IsAsciiAlpha(c)) return TagAt();
    Keep(next);  // "<" and anything else: text
  }

  void TagAt() {
    const Tag tag = ReadTag(text_, i_, [](const Attribute&) {});
    if (!tag.terminated) return DropRest();
    if (IsRemovedWithContent(tag.name)) {
      if (tag.endTag) return Remove(tag.end);
      return Remove(EndOfElement(tag.name, tag.end));
    }
    if (IsRemovedTag(tag.name)) return Remove(tag.end);
    // A tag that stays is read a second time, now writing it out without its
    // dangerous attributes (reading twice costs less than keeping the
    // attributes of a tag that may turn out unterminated).
    size_t copied = i_;
    ReadTag(text_, i_, [&](const Attribute& attribute) {
      if (!IsDangerousAttribute(attribute)) return;
      out_.append(text_.substr(copied, attribute.start - copied));
      copied = attribute.end;
    });
    out_.append(text_.substr(copied, tag.end - copied));
    i_ = tag.end;
  }

  // One past the end tag that closes the element `name` whose start tag ends
  // at `from`: "</name" followed by white space, "/" or ">", read as a tag.
  // The end of the text when there is none.
  size_t EndOfElement(std::string_view name, size_t from) const {
    for (size_t p = text_.find("</", from); p != kNone; p = text_.find("</", p + 2)) {
      const size_t after = p + 2 + name.size();
      if (after > text_.size()) break;
      if (!EqualsIgnoringCase(text_.substr(p + 2, name.size()), name)) continue;
      if (after < text_.size() && !IsHtmlSpace(text_[after]) && text_[after] != '/' &&
          text_[after] != '>')
        continue;
      const Tag end = ReadTag(text_, p, [](const Attribute&) {});
      return end.terminated ? end.end : text_.size();
    }
    return text_.size();
  }

  // One past the first ">" at or after `from`, or kNone.
  size_t ClosingBracket(size_t from) const {
    const size_t p = text_.find('>', from);
    return p == kNone ? kNone : p + 1;
  }

  void Keep(size_t end) {
    out_.append(text_.substr(i_, end - i_));
    i_ = end;
  }

  void Remove(size_t end) {
    // A "<" of text would otherwise meet what follows and might open a tag.
    if (!out_.empty() && out_.back() == '<') {
      out_.pop_back();
      out_.append("&lt;");
    }
    i_ = end;
  }

  // An unterminated construct: in the page the chapter's end would not stop
  // it, so it goes with the rest of the text.
  void DropRest() { Remove(text_.size()); }

  std::string_view text_;
  GbkText out_;
  size_t i_ = 0;
};

}  // namespace

GbkText SanitizeChapterHtml(std::string_view html) {
  if (!HasLoneLeadBytes(html)) return Sanitizer(html).Run();
  const GbkText text = DropLoneLeadBytes(html);
  return Sanitizer(text).Run();
}
