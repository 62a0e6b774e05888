#include "app/services/xml_document.h"

#include <pugixml.hpp>

#include <charconv>
#include <optional>
#include <string>

#include "scrape/charset.h"

namespace {

// UTF-8 bytes of one code point (which must be a valid XML character).
std::string CodePointToUtf8(char32_t code) {
  std::string utf8;
  if (code < 0x80) {
    utf8 += static_cast<char>(code);
  } else if (code < 0x800) {
    utf8 += static_cast<char>(0xC0 | (code >> 6));
    utf8 += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    utf8 += static_cast<char>(0xE0 | (code >> 12));
    utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    utf8 += static_cast<char>(0xF0 | (code >> 18));
    utf8 += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (code & 0x3F));
  }
  return utf8;
}

// The text of one reference body ("amp", "#38", "#x26"), or nullopt when it
// is not one that XML defines.
std::optional<GbkText> ResolveReference(std::string_view body) {
  if (body == "lt") return "<";
  if (body == "gt") return ">";
  if (body == "amp") return "&";
  if (body == "quot") return "\"";
  if (body == "apos") return "'";
  if (body.size() < 2 || body.front() != '#') return std::nullopt;
  body.remove_prefix(1);
  int base = 10;
  if (body.front() == 'x') {
    base = 16;
    body.remove_prefix(1);
  }
  unsigned long code = 0;
  const auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), code, base);
  if (error != std::errc() || end != body.data() + body.size() || code == 0 || code > 0x10FFFF ||
      (code >= 0xD800 && code <= 0xDFFF)) {
    return std::nullopt;
  }
  // Numbers below 0x80 are the same bytes in GBK.
  if (code < 0x80) return GbkText(1, static_cast<char>(code));
  return Utf8ToGbk(CodePointToUtf8(static_cast<char32_t>(code)));
}

// Resolves the references in an attribute value read without them resolved:
// the parser would turn a character reference into UTF-8, which has no place
// in GBK text. A "&" that starts no known reference stays as it is. "&" and
// ";" are below 0x40, so neither is ever the second byte of a GBK character.
GbkText ResolveReferences(std::string_view raw) {
  GbkText text;
  text.reserve(raw.size());
  std::size_t i = 0;
  while (i < raw.size()) {
    const std::size_t amp = raw.find('&', i);
    if (amp == std::string_view::npos) break;
    text.append(raw.substr(i, amp - i));
    const std::size_t semicolon = raw.find(';', amp + 1);
    std::optional<GbkText> resolved;
    if (semicolon != std::string_view::npos && semicolon - amp <= 12) {
      resolved = ResolveReference(raw.substr(amp + 1, semicolon - amp - 1));
    }
    if (resolved) {
      text += *resolved;
      i = semicolon + 1;
    } else {
      text += '&';
      i = amp + 1;
    }
  }
  text.append(raw.substr(i));
  return text;
}

}  // namespace

XmlDocument::XmlDocument() : document_(std::make_unique<pugi::xml_document>()) {}

XmlDocument::~XmlDocument() = default;

bool XmlDocument::Load(const ByteString& bytes) {
  document_->reset();
  if (bytes.empty()) return false;
  // Parsed as UTF-8 so that no conversion touches the GBK bytes (every byte of
  // 0x80 or above is a name character to the parser). References are resolved
  // by Attribute, not here.
  constexpr unsigned kOptions = pugi::parse_default & ~pugi::parse_escapes;
  const pugi::xml_parse_result result =
      document_->load_buffer(bytes.data(), bytes.size(), kOptions, pugi::encoding_utf8);
  if (!result || !document_->document_element()) {
    document_->reset();
    return false;
  }
  return true;
}

GbkText XmlDocument::Attribute(std::string_view elementPath, std::string_view attributeName) const {
  if (elementPath.empty() || attributeName.empty()) return {};
  pugi::xml_node node;
  std::size_t start = 0;
  while (start <= elementPath.size()) {
    std::size_t end = elementPath.find('/', start);
    if (end == std::string_view::npos) end = elementPath.size();
    const std::string name(elementPath.substr(start, end - start));
    if (!node) {
      node = document_->document_element();
      if (name != node.name()) return {};
    } else {
      node = node.child(name.c_str());
    }
    if (!node) return {};
    start = end + 1;
  }
  const pugi::xml_attribute attribute = node.attribute(std::string(attributeName).c_str());
  return attribute ? ResolveReferences(attribute.value()) : GbkText();
}
