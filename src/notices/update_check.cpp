#include "notices/update_check.h"

#include "app/services/desktop_seam.h"
#include "app/services/xml_document.h"
#include "net/http_read_file.h"
#include "notices/program_version.h"
#include "scrape/gbk_literal.h"

namespace {

const GbkText& VersionElementPath() {
  return "最新版本/版本信息"_gbk;
}

}  // namespace

std::optional<VersionInfo> ReadVersionFile(const ByteString& bytes) {
  XmlDocument document;
  if (!document.Load(bytes)) return std::nullopt;
  const GbkText& path = VersionElementPath();
  VersionInfo info;
  info.version = document.Attribute(path, "版本号"_gbk);
  // A file without a version is a failed check, not an announcement that
  // would open an empty address and end the program.
  if (info.version.empty()) return std::nullopt;
  info.name = document.Attribute(path, "版本名称"_gbk);
  info.notes = document.Attribute(path, "升级说明"_gbk);
  info.downloadUrl = document.Attribute(path, "下载地址"_gbk);
  return info;
}

GbkText UpdateAnnouncement(const VersionInfo& info) {
  const GbkText notes = ReplaceSubtext(info.notes, "#HHF", "\r\n", 1, -1, true);
  return "\r\n发现有新的版本 "_gbk + info.version + " " + info.name + "\r\n更新说明：\r\n"_gbk +
         notes;
}

const GbkText& UpdateCheckFailedText() {
  return "更新检测失败!!"_gbk;
}

UpdateCheckResult CheckForUpdate(const GbkText& noticeBaseUrl) {
  const ByteString body = HttpReadFile(noticeBaseUrl + GbkText(kVersionFilePath));
  if (StopRequested()) return UpdateCheckResult::kStopped;
  const std::optional<VersionInfo> info = ReadVersionFile(body);
  if (!info) {
    Desktop().ShowMessage(UpdateCheckFailedText(), {}, MessageIcon::kNone);
    return UpdateCheckResult::kFailed;
  }
  if (CompareText(info->version, kProgramVersion, true) == 0) return UpdateCheckResult::kCurrent;
  Desktop().ShowMessage(UpdateAnnouncement(*info), {}, MessageIcon::kInformation);
  Desktop().OpenUrl(info->downloadUrl);
  Desktop().EndProgram(0);
  return UpdateCheckResult::kAnnounced;
}

JobHandle StartCheckForUpdate(const GbkText& noticeBaseUrl) {
  return StartJob([noticeBaseUrl] { CheckForUpdate(noticeBaseUrl); });
}
