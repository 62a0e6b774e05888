#pragma once

// The version check run once at start: the notice server's version file is
// compared with the program's own version; a different version is announced,
// its download address opened and the program ended.
//
// The version file (NoticeBaseUrl + "/ad/bookwisp/up/update.xml", GBK XML)
// has the root "最新版本" with a child "版本信息" whose attributes "版本号",
// "版本名称", "升级说明" and "下载地址" carry the version, its name, the release
// notes (each "#HHF" a line break) and the download address. Any version
// other than the program's own counts as newer.

#include <optional>
#include <string_view>

#include "app/services/job.h"
#include "scrape/gbk_text.h"

inline constexpr std::string_view kVersionFilePath = "/ad/bookwisp/up/update.xml";

// What a version file announces.
struct VersionInfo {
  GbkText version;
  GbkText name;
  GbkText notes;  // as in the file, with its "#HHF" markers
  GbkText downloadUrl;
};

enum class UpdateCheckResult {
  kCurrent,    // the file names the program's own version: nothing shown
  kFailed,     // "更新检测失败!!" was shown
  kAnnounced,  // the new version was shown, its address opened, the end asked for
  kStopped,    // the job was asked to stop during the fetch: nothing shown
};

// Reads the version file's body. Nothing when the body is empty, not
// well-formed XML, or names no version (no "版本号" attribute, or an empty
// one): each of these is a failed check.
std::optional<VersionInfo> ReadVersionFile(const ByteString& bytes);

// The announcement of a new version: "\r\n发现有新的版本 " + version + " " +
// name + "\r\n更新说明：\r\n" + notes, with every "#HHF" of the notes (exact
// letter case) turned into "\r\n".
GbkText UpdateAnnouncement(const VersionInfo& info);

// The failure message, "更新检测失败!!".
const GbkText& UpdateCheckFailedText();

// CheckForUpdate: fetches the version file from `noticeBaseUrl` with
// HttpReadFile and acts through the desktop seam. A failed check shows
// UpdateCheckFailedText (no icon, the program's caption as title) and
// returns. The program's own version shows nothing. Another version shows
// UpdateAnnouncement (information icon, the program's caption as title),
// opens its download address once the box is closed, and ends the program
// with exit code 0. Blocks for the request and the message box: run it as a
// job.
UpdateCheckResult CheckForUpdate(const GbkText& noticeBaseUrl);

// Starts CheckForUpdate on a job of its own and returns at once, so a slow or
// unreachable notice server holds nothing up.
JobHandle StartCheckForUpdate(const GbkText& noticeBaseUrl);
