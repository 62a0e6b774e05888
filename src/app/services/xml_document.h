#pragma once

// A read-only XML document: load from bytes, read an attribute by a path of
// element names.
//
// Bytes pass through unchanged. The documents the program reads are GBK
// (declared as gb2312); they are parsed as they are, without any conversion,
// so GBK element names, attribute names and values are found and returned
// byte for byte. Every byte of 0x80 or above counts as a name character; a
// name holding a rare GBK character whose second byte is one of @ [ \ ] ^ `
// { | } ~ is not well-formed this way (values may hold any bytes).
// Not thread-safe: one user at a time.

#include <memory>
#include <string_view>

#include "scrape/gbk_text.h"

namespace pugi {
class xml_document;
}

class XmlDocument final {
 public:
  XmlDocument();
  ~XmlDocument();
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;

  // Replaces the content by the document in `bytes`. False, and an empty
  // document, when the bytes are empty, not well-formed, or hold no element.
  bool Load(const ByteString& bytes);

  // The value of attribute `attributeName` of the element at `elementPath`:
  // element names joined by "/", the first naming the root element and each
  // further one the first child element of that name. "" when the element or
  // the attribute is missing. Entity and character references in the value
  // are resolved; a character reference becomes its GBK bytes ("?" when GBK
  // has no such character).
  GbkText Attribute(std::string_view elementPath, std::string_view attributeName) const;

 private:
  std::unique_ptr<pugi::xml_document> document_;
};
