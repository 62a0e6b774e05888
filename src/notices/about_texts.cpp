#include "notices/about_texts.h"

#include "notices/program_version.h"
#include "scrape/gbk_literal.h"

const GbkText& AboutVersionText() {
  static const GbkText text = "Tavelin小说阅读器 V"_gbk + GbkText(kProgramVersion) + " beta版"_gbk;
  return text;
}

const GbkText& AboutDateText() {
  return "最后更新于:2011年7月22日"_gbk;
}

const GbkText& AboutFeedbackText() {
  static const GbkText text = "问题反馈："_gbk + GbkText(kFeedbackAddress);
  return text;
}
