#pragma once

// GBK literals written in UTF-8 source: "最近更新"_gbk is a const GbkText&
// holding the code page 936 bytes. Each literal is converted once, on first
// use, and kept in a function-local static (thread-safe initialisation).

#include <algorithm>
#include <cstddef>

#include "scrape/charset.h"

namespace tavelin::detail {

template <std::size_t N>
struct Utf8Literal {
  char bytes[N];
  constexpr Utf8Literal(const char (&s)[N]) { std::copy_n(s, N, bytes); }
  constexpr std::string_view view() const { return {bytes, N - 1}; }
};

}  // namespace tavelin::detail

template <tavelin::detail::Utf8Literal S>
const GbkText& operator""_gbk() {
  static const GbkText text = Utf8ToGbk(S.view());
  return text;
}
