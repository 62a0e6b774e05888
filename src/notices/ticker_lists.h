#pragma once

// The program-wide lists and position of one message ticker.
//
// They live for the whole run: MainTicker's for MainWindow, InfoTicker's and
// ReaderTicker's across every reader window, so a new reader window continues
// at the position where the previous one left off. New texts replace both
// lists but never reset the position. Safe from any thread: the text jobs
// replace the lists while the window thread takes messages.

#include <mutex>
#include <optional>

#include "notices/notice_files.h"
#include "scrape/gbk_text.h"

// One message as the ticker's link shows it. An empty target opens nothing.
struct TickerMessage {
  GbkText text;
  GbkText target;
};

class TickerLists final {
 public:
  TickerLists() = default;
  TickerLists(const TickerLists&) = delete;
  TickerLists& operator=(const TickerLists&) = delete;

  // Replaces both lists whole; the position stays as it is.
  void Replace(TickerTexts lists);

  // The message at the position, which then moves on by one. Once the
  // position has reached the end of the texts list (or lies beyond it after
  // shorter texts arrived) the first message is taken and the position becomes
  // 1. A message beyond the end of the targets list gets an empty target.
  // Nothing while the texts list is empty.
  std::optional<TickerMessage> NextMessage();

  // The 0-based index of the next message to show.
  int Position() const;

  // A copy of both lists.
  TickerTexts Lists() const;

 private:
  mutable std::mutex mutex_;
  TickerTexts lists_;
  int position_ = 0;
};

// The lists of one of the three tickers, created empty with position 0 on
// first use and kept until the program ends.
TickerLists& ProgramTickerLists(TickerKind kind);

// LoadTickerTexts without the window: fetches the ticker's texts and targets
// files and, when the texts file gave any text, replaces the ticker's lists.
// Returns whether it did; the window then starts the ticker
// (TickerCycle::OnTextsArrived). Blocks for the two requests.
bool LoadTickerTexts(const GbkText& noticeBaseUrl, TickerKind kind, TickerLists& lists);
