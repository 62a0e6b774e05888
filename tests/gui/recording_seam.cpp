#include "recording_seam.h"

#include "app/text_convert.h"

std::shared_ptr<RecordingSeam> RecordingSeam::Install() {
  auto seam = std::make_shared<RecordingSeam>();
  SetDesktopSeam(seam);
  return seam;
}

void RecordingSeam::ShowMessage(const GbkText& text, const GbkText& title, MessageIcon icon) {
  std::lock_guard lock(mutex_);
  messages_.push_back({ToQt(text), ToQt(title), icon});
}

void RecordingSeam::OpenUrl(const GbkText& url) {
  std::lock_guard lock(mutex_);
  urls_ << ToQt(url);
}

void RecordingSeam::EndProgram(int) {
  std::lock_guard lock(mutex_);
  ++ends_;
}

std::vector<RecordingSeam::Message> RecordingSeam::Messages() const {
  std::lock_guard lock(mutex_);
  return messages_;
}

QStringList RecordingSeam::Urls() const {
  std::lock_guard lock(mutex_);
  return urls_;
}

int RecordingSeam::EndRequests() const {
  std::lock_guard lock(mutex_);
  return ends_;
}

void RecordingSeam::Clear() {
  std::lock_guard lock(mutex_);
  messages_.clear();
  urls_.clear();
  ends_ = 0;
}
