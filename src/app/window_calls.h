#pragma once

// The one way for a job to touch a control.
//
// A job never touches a widget itself: it hands the write (or read) to the
// window thread and waits until it has taken effect. When the window is gone
// by the time the call runs, nothing happens (a read gives the fallback).
// On the window thread the call runs directly. The window thread never waits
// for a job, so these calls cannot deadlock.

#include <QObject>
#include <QPointer>

#include <functional>

// `window` is a guarded pointer taken on the window thread when the job was
// started, so that it is null, never dangling, once the window is gone.
void OnWindowThread(const QPointer<QObject>& window, const std::function<void()>& write);

// Hands `write` to the window thread without waiting for it: for a stream of
// small writes (rows of a list) whose order is all that matters. Writes keep
// their order with each other and with OnWindowThread calls from the same
// job, so a job that ends with an OnWindowThread call knows that all its
// earlier writes have taken effect when that call returns.
void PostToWindowThread(const QPointer<QObject>& window, std::function<void()> write);

template <typename T>
T ReadOnWindowThread(const QPointer<QObject>& window, const std::function<T()>& read,
                     T fallback = T()) {
  T result = std::move(fallback);
  OnWindowThread(window, [&] { result = read(); });
  return result;
}
