#pragma once

#include "app/services/desktop_seam.h"

// The desktop seam of the running program: Qt message boxes (shown on the
// window thread; a job that asks for one waits until it is closed), the
// default browser, and an immediate end of the process.
class QtDesktopSeam final : public DesktopSeam {
 public:
  void ShowMessage(const GbkText& text, const GbkText& title, MessageIcon icon) override;
  void OpenUrl(const GbkText& url) override;
  void EndProgram(int exitCode) override;
};
