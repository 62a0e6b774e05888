#include "net/http_read_file.h"

#include "net/transfer.h"

ByteString HttpReadFile(const GbkText& url) {
  if (url.empty()) return {};
  TransferSpec spec;
  spec.url = url;
  spec.http10 = true;
  spec.headerLines = {"Accept: */*"};
  TransferResult result = PerformTransfer(spec);
  if (!result.complete || result.status >= 400) return {};
  return std::move(result.body);
}
