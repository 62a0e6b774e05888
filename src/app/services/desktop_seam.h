#pragma once

// The one seam through which the program shows message boxes, opens
// addresses in the default browser and ends itself.
//
// The windows install a seam backed by Qt; tests install one that answers
// boxes and records addresses; without either, messages go to standard error
// and nothing is opened. Every call may come from any thread; ShowMessage
// returns when the box has been closed.

#include <memory>

#include "scrape/gbk_text.h"

enum class MessageIcon { kNone, kInformation, kError };

class DesktopSeam {
 public:
  virtual ~DesktopSeam() = default;
  // An empty title means the program's caption.
  virtual void ShowMessage(const GbkText& text, const GbkText& title, MessageIcon icon) = 0;
  virtual void OpenUrl(const GbkText& url) = 0;
  virtual void EndProgram(int exitCode) = 0;
};

// The seam in use. Never null.
DesktopSeam& Desktop();

// Replaces the seam (nullptr restores the default one) and returns the old one.
std::shared_ptr<DesktopSeam> SetDesktopSeam(std::shared_ptr<DesktopSeam> seam);
