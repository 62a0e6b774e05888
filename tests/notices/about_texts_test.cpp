#include <gtest/gtest.h>

#include "notice_test_support.h"
#include "notices/about_texts.h"

namespace {

TEST(AboutTexts, LabelsOfTheAboutBox) {
  EXPECT_EQ(AboutVersionText(), Gbk("Tavelin小说阅读器 V0.9.3 beta版"));
  EXPECT_EQ(AboutDateText(), Gbk("最后更新于:2011年7月22日"));
  EXPECT_EQ(AboutFeedbackText(), Gbk("问题反馈：tavelin@example.org"));
}

}  // namespace
