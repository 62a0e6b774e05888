#pragma once

// What every window test needs: folders of its own (HOME, XDG and APPDATA in
// a temporary folder), the sample site running in-process on a free port with
// the reader's addresses pointing at it, and a recording desktop seam.

#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include "recording_seam.h"

namespace sample_site {
class SampleSite;
}

class SiteFixture final {
 public:
  SiteFixture();
  ~SiteFixture();

  sample_site::SampleSite& site() { return *site_; }
  RecordingSeam& seam() { return *seam_; }
  QString BaseUrl() const;
  QString HomeDir() const { return home_.path(); }

  // Path and query of every request the site has seen, oldest first.
  QStringList RequestedPaths() const;
  void ClearRequestLog();

  // Points the reader at a port where nothing listens.
  void UseDeadSite();

 private:
  QTemporaryDir home_;
  std::unique_ptr<sample_site::SampleSite> site_;
  std::shared_ptr<RecordingSeam> seam_;
};

// Processes events until `done` holds or `timeoutMs` passes; returns `done()`.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 10000);
