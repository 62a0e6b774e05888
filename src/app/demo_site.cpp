#include "app/demo_site.h"

#include "sample_site.h"

std::string StartDemoSite() {
  // Lives until the process ends; the program ends with _Exit, so it is
  // never torn down under a running request.
  static auto* site = new sample_site::SampleSite;
  if (site->Start(0) < 0) return {};
  return site->BaseUrl();
}
