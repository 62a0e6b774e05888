#include "notices/ticker_lists.h"

void TickerLists::Replace(TickerTexts lists) {
  std::lock_guard lock(mutex_);
  lists_ = std::move(lists);
}

std::optional<TickerMessage> TickerLists::NextMessage() {
  std::lock_guard lock(mutex_);
  const GbkTextList& texts = lists_.texts;
  if (texts.empty()) return std::nullopt;
  std::size_t index = 0;
  if (position_ >= 0 && static_cast<std::size_t>(position_) < texts.size()) {
    index = static_cast<std::size_t>(position_);
  }
  position_ = static_cast<int>(index) + 1;
  const GbkTextList& targets = lists_.targets;
  return TickerMessage{texts[index], index < targets.size() ? targets[index] : GbkText()};
}

int TickerLists::Position() const {
  std::lock_guard lock(mutex_);
  return position_;
}

TickerTexts TickerLists::Lists() const {
  std::lock_guard lock(mutex_);
  return lists_;
}

TickerLists& ProgramTickerLists(TickerKind kind) {
  static TickerLists mainTicker;
  static TickerLists infoTicker;
  static TickerLists readerTicker;
  switch (kind) {
    case TickerKind::kMain:
      return mainTicker;
    case TickerKind::kInfo:
      return infoTicker;
    case TickerKind::kReader:
      break;
  }
  return readerTicker;
}

bool LoadTickerTexts(const GbkText& noticeBaseUrl, TickerKind kind, TickerLists& lists) {
  std::optional<TickerTexts> fetched = FetchTickerTexts(noticeBaseUrl, kind);
  if (!fetched) return false;
  lists.Replace(std::move(*fetched));
  return true;
}
