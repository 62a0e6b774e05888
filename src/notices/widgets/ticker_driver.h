#pragma once

// Drives one message ticker on a window: three timers, a hyperlink label and
// the ticker's cycle. The cycle (notices/ticker_cycle.h) decides; this class
// only connects the timers to it and applies what it returns to the label.

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "notices/ticker_cycle.h"
#include "notices/ticker_lists.h"

class LinkLabel;

class TickerDriver final : public QObject {
  Q_OBJECT

 public:
  // `timerSuffix` tells the timers' names apart ("" or "1", as in the forms).
  TickerDriver(LinkLabel* label, TickerKind kind, const QString& timerSuffix, QObject* parent);

  // Starts a job that fetches the ticker's texts from the notice server; when
  // any arrived, the cycle starts on the window thread.
  void LoadTexts(const GbkText& noticeBaseUrl);

  const TickerCycle& cycle() const { return cycle_; }

 private:
  void Apply(const TickerActions& actions);

  QPointer<LinkLabel> label_;
  TickerKind kind_;
  TickerCycle cycle_;
  QTimer showTimer_;
  QTimer slideTimer_;
  QTimer waitTimer_;
};
