#pragma once

// The texts of AboutWindow, set when it is created whatever its form says.

#include <string_view>

#include "scrape/gbk_text.h"

// The address shown on the feedback label.
inline constexpr std::string_view kFeedbackAddress = "tavelin@example.org";

// The version label: "Tavelin小说阅读器 V0.9.3 beta版".
const GbkText& AboutVersionText();

// The date label: "最后更新于:2011年7月22日".
const GbkText& AboutDateText();

// The feedback label: "问题反馈：" followed by kFeedbackAddress.
const GbkText& AboutFeedbackText();
