#pragma once

// The message ticker's cycle as a state machine without windows or clocks.
//
// The window owns three timers (show, slide, wait) and a hyperlink label in a
// canvas 20 pixels high. It feeds each timer's event to the cycle and applies
// the returned TickerActions; the cycle keeps the label's top and each timer's
// period. Once running, a message is written while the label lies below the
// strip (top 16), slides up 2 pixels every 100 ms to rest at top 0, rests
// 3000 ms, slides on upwards, and when it has left the strip (top -16) the
// label jumps back to 16 and the next message is written 1 ms later. Before
// the first message the label shows the form's text at top 2.
//
// One cycle belongs to one window and runs on its window thread; the lists
// and the position are program-wide (TickerLists) and outlive the window.

#include <optional>

#include "notices/ticker_lists.h"
#include "scrape/gbk_text.h"

// The label's top in the form, before the first message.
inline constexpr int kTickerFormTop = 2;

// The form's text of every ticker link, shown until the first message.
const GbkText& TickerFormText();

// The form's target of every ticker link: NoticeBaseUrl + "/?bookwisp".
GbkText TickerFormTarget(const GbkText& noticeBaseUrl);

enum class TickerTimer { kShow, kSlide, kWait };

// What the ticker is doing, as seen from its timers and top.
enum class TickerPhase {
  kIdle,      // no timer runs: before texts arrived, or for good
  kShowing,   // the show timer will write the next message
  kEntering,  // sliding up from below the strip to top 0
  kResting,   // at top 0, the wait timer runs
  kLeaving,   // sliding up from top 0 out of view
};

// What the window must do after one event, in this order: write the message
// to the label (text, and target: empty opens nothing), move the label to
// `top`, then set each timer given: a period above 0 (re)starts it with that
// period, 0 stops it. Fields left empty mean "leave as it is".
struct TickerActions {
  std::optional<TickerMessage> message;
  std::optional<int> top;
  std::optional<int> showTimerMs;
  std::optional<int> slideTimerMs;
  std::optional<int> waitTimerMs;
};

class TickerCycle final {
 public:
  // A cycle in a new window: label at the form's top, all timers stopped.
  explicit TickerCycle(TickerLists& lists);
  TickerCycle(const TickerCycle&) = delete;
  TickerCycle& operator=(const TickerCycle&) = delete;

  // The ticker's lists have just been replaced with at least one text:
  // the show timer starts with 100 ms.
  TickerActions OnTextsArrived();

  // The show timer fired: its own period becomes 3000 ms, the next message is
  // written and the slide timer starts with 100 ms.
  TickerActions OnShowTimer();

  // The slide timer fired: the show timer stops and the label moves up 2.
  // Below -15 it jumps to 16, the show timer starts with 1 ms and the slide
  // timer stops; at exactly 0 the slide timer stops and the wait timer starts
  // with 3000 ms.
  TickerActions OnSlideTimer();

  // The wait timer fired: it stops and the slide timer starts with 100 ms.
  TickerActions OnWaitTimer();

  // The label's current top.
  int Top() const { return top_; }
  // The period a timer runs with, 0 when it is stopped.
  int TimerPeriod(TickerTimer timer) const;
  TickerPhase Phase() const;

 private:
  void SetTimer(TickerTimer timer, int periodMs, TickerActions& actions);

  TickerLists& lists_;
  int top_ = kTickerFormTop;
  int showMs_ = 0;
  int slideMs_ = 0;
  int waitMs_ = 0;
};
