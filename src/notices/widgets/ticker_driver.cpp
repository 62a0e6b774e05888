#include "notices/widgets/ticker_driver.h"

#include "app/services/job.h"
#include "app/text_convert.h"
#include "app/widgets/link_label.h"
#include "app/window_calls.h"

TickerDriver::TickerDriver(LinkLabel* label, TickerKind kind, const QString& timerSuffix,
                           QObject* parent)
    : QObject(parent), label_(label), kind_(kind), cycle_(ProgramTickerLists(kind)) {
  showTimer_.setObjectName(QString::fromUtf8("消息显示时钟") + timerSuffix);
  slideTimer_.setObjectName(QString::fromUtf8("消息滑动时钟") + timerSuffix);
  waitTimer_.setObjectName(QString::fromUtf8("消息等待时钟") + timerSuffix);
  connect(&showTimer_, &QTimer::timeout, this, [this] { Apply(cycle_.OnShowTimer()); });
  connect(&slideTimer_, &QTimer::timeout, this, [this] { Apply(cycle_.OnSlideTimer()); });
  connect(&waitTimer_, &QTimer::timeout, this, [this] { Apply(cycle_.OnWaitTimer()); });
}

void TickerDriver::LoadTexts(const GbkText& noticeBaseUrl) {
  const QPointer<QObject> guard(this);
  const TickerKind kind = kind_;
  StartJob([guard, kind, noticeBaseUrl, self = this] {
    if (!LoadTickerTexts(noticeBaseUrl, kind, ProgramTickerLists(kind))) return;
    OnWindowThread(guard, [self] { self->Apply(self->cycle_.OnTextsArrived()); });
  });
}

void TickerDriver::Apply(const TickerActions& actions) {
  if (!label_) return;
  if (actions.message) {
    label_->setText(ToQt(actions.message->text));
    label_->SetTarget(actions.message->target);
  }
  if (actions.top) label_->move(label_->x(), *actions.top);
  auto set = [](QTimer& timer, const std::optional<int>& period) {
    if (!period) return;
    if (*period > 0)
      timer.start(*period);
    else
      timer.stop();
  };
  set(showTimer_, actions.showTimerMs);
  set(slideTimer_, actions.slideTimerMs);
  set(waitTimer_, actions.waitTimerMs);
}
