#include "notices/ticker_cycle.h"

#include "scrape/gbk_literal.h"

namespace {

constexpr int kFirstShowMs = 100;
constexpr int kShowMs = 3000;
constexpr int kSlideMs = 100;
constexpr int kNextShowMs = 1;
constexpr int kRestMs = 3000;
constexpr int kSlideStep = 2;
constexpr int kRestTop = 0;
constexpr int kBelowStripTop = 16;
// Below this top the label has left the strip.
constexpr int kOutOfViewTop = -15;

}  // namespace

const GbkText& TickerFormText() {
  return "文字广告位联系Tavelin"_gbk;
}

GbkText TickerFormTarget(const GbkText& noticeBaseUrl) {
  return noticeBaseUrl + "/?bookwisp";
}

TickerCycle::TickerCycle(TickerLists& lists) : lists_(lists) {}

void TickerCycle::SetTimer(TickerTimer timer, int periodMs, TickerActions& actions) {
  switch (timer) {
    case TickerTimer::kShow:
      showMs_ = periodMs;
      actions.showTimerMs = periodMs;
      break;
    case TickerTimer::kSlide:
      slideMs_ = periodMs;
      actions.slideTimerMs = periodMs;
      break;
    case TickerTimer::kWait:
      waitMs_ = periodMs;
      actions.waitTimerMs = periodMs;
      break;
  }
}

TickerActions TickerCycle::OnTextsArrived() {
  TickerActions actions;
  SetTimer(TickerTimer::kShow, kFirstShowMs, actions);
  return actions;
}

// A timer event that arrives after its timer was stopped (a late event from
// the window system) is ignored: the cycle only moves on running timers.
TickerActions TickerCycle::OnShowTimer() {
  TickerActions actions;
  if (showMs_ == 0) return actions;
  SetTimer(TickerTimer::kShow, kShowMs, actions);
  actions.message = lists_.NextMessage();
  SetTimer(TickerTimer::kSlide, kSlideMs, actions);
  return actions;
}

TickerActions TickerCycle::OnSlideTimer() {
  TickerActions actions;
  if (slideMs_ == 0) return actions;
  SetTimer(TickerTimer::kShow, 0, actions);
  top_ -= kSlideStep;
  if (top_ < kOutOfViewTop) {
    top_ = kBelowStripTop;
    SetTimer(TickerTimer::kShow, kNextShowMs, actions);
    SetTimer(TickerTimer::kSlide, 0, actions);
  } else if (top_ == kRestTop) {
    SetTimer(TickerTimer::kSlide, 0, actions);
    SetTimer(TickerTimer::kWait, kRestMs, actions);
  }
  actions.top = top_;
  return actions;
}

TickerActions TickerCycle::OnWaitTimer() {
  TickerActions actions;
  if (waitMs_ == 0) return actions;
  SetTimer(TickerTimer::kWait, 0, actions);
  SetTimer(TickerTimer::kSlide, kSlideMs, actions);
  return actions;
}

int TickerCycle::TimerPeriod(TickerTimer timer) const {
  switch (timer) {
    case TickerTimer::kShow:
      return showMs_;
    case TickerTimer::kSlide:
      return slideMs_;
    case TickerTimer::kWait:
      break;
  }
  return waitMs_;
}

TickerPhase TickerCycle::Phase() const {
  if (waitMs_ != 0) return TickerPhase::kResting;
  if (slideMs_ != 0) return top_ > kRestTop ? TickerPhase::kEntering : TickerPhase::kLeaving;
  if (showMs_ != 0) return TickerPhase::kShowing;
  return TickerPhase::kIdle;
}
