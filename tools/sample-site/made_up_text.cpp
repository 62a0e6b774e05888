#include "made_up_text.h"

#include <array>
#include <string>

#include "scrape/charset.h"
#include "scrape/gbk_literal.h"

namespace sample_site {
namespace {

// A word list given in UTF-8 and held in GBK.
class WordList final {
 public:
  template <std::size_t N>
  explicit WordList(const std::array<std::string_view, N>& utf8) {
    words_.reserve(N);
    for (std::string_view word : utf8) words_.push_back(Utf8ToGbk(word));
  }
  const GbkText& Pick(Random& random) const {
    return words_[static_cast<std::size_t>(random.Below(static_cast<int>(words_.size())))];
  }
  const GbkText& At(std::size_t i) const { return words_[i % words_.size()]; }

 private:
  GbkTextList words_;
};

constexpr std::array<std::string_view, 20> kTitleHeads = {
    "星辰", "苍穹", "九天", "万古", "太虚", "乾坤", "龙渊", "凌霄", "青云", "紫霄",
    "玄天", "逆天", "沧海", "烈焰", "寒冰", "无尽", "天命", "风云", "铁血", "江山"};
constexpr std::array<std::string_view, 16> kTitleTails = {
    "剑帝", "神尊", "传说", "战歌", "至尊", "仙途", "魔帝", "之主",
    "纪元", "道主", "霸业", "王座", "神录", "长歌", "游记", "风华"};
constexpr std::array<std::string_view, 12> kSurnames = {"林", "萧", "叶", "陈", "唐", "秦",
                                                        "苏", "韩", "楚", "顾", "白", "方"};
constexpr std::array<std::string_view, 12> kGivenNames = {
    "清风", "墨白", "长安", "一笑", "无忌", "半城", "南山", "北辰", "小刀", "三少", "如风", "落雪"};
constexpr std::array<std::string_view, 12> kSubjects = {"少年",   "老者", "剑客", "少女",
                                                        "掌门",   "城主", "书生", "黑衣人",
                                                        "店小二", "师兄", "众人", "那道身影"};
constexpr std::array<std::string_view, 14> kActions = {
    "缓缓抬起头",     "握紧了手中的长剑", "望向远处的群山", "轻轻叹了一口气", "沉默了许久",
    "转身走进了大殿", "露出一丝笑意",     "低声说了一句",   "心中暗暗吃惊",   "停下了脚步",
    "推开了那扇木门", "翻身跃上马背",     "将信纸折好收起", "盘膝坐在青石上"};
constexpr std::array<std::string_view, 10> kEndings = {"，仿佛早已料到这一切。",
                                                       "，四周一片寂静。",
                                                       "，山谷中吹来一阵凉风。",
                                                       "，眼中闪过一道精光。",
                                                       "。",
                                                       "，却什么也没有说。",
                                                       "，天边泛起了鱼肚白。",
                                                       "，在场的人皆是一愣。",
                                                       "，远处传来几声钟响。",
                                                       "，脚下的石阶已被磨得发亮。"};
constexpr std::array<std::string_view, 10> kSpeeches = {
    "“此事还需从长计议。”",       "“你终于来了。”",
    "“走吧，天快亮了。”",         "“这一剑，我等了十年。”",
    "“不必多言，动手吧！”",       "“前面便是落霞镇。”",
    "“师父说过，不可轻信于人。”", "“这笔账，迟早要算。”",
    "“多谢阁下出手相助。”",       "“原来如此。”"};
constexpr std::array<std::string_view, 18> kChapterPhrases = {
    "初入江湖", "风起云涌", "故人重逢", "生死一线", "剑指苍穹", "山雨欲来",
    "暗流涌动", "破茧成蝶", "一战成名", "大道无形", "血染长街", "归去来兮",
    "千里孤行", "问心",     "惊变",     "试炼",     "突破",     "拜师"};
constexpr std::array<std::string_view, 8> kVolumePhrases = {
    "初出茅庐", "风云际会", "问鼎天下", "王者归来", "血色黄昏", "山河故人", "尘埃落定", "破晓"};
constexpr std::array<std::string_view, 10> kCategories = {
    "玄幻魔法", "武侠修真", "都市言情", "历史军事", "侦探推理",
    "网游动漫", "科幻小说", "恐怖灵异", "散文诗词", "其他类型"};
constexpr std::array<std::string_view, 10> kDigits = {"零", "一", "二", "三", "四",
                                                      "五", "六", "七", "八", "九"};

struct Vocabulary final {
  WordList titleHeads{kTitleHeads};
  WordList titleTails{kTitleTails};
  WordList surnames{kSurnames};
  WordList givenNames{kGivenNames};
  WordList subjects{kSubjects};
  WordList actions{kActions};
  WordList endings{kEndings};
  WordList speeches{kSpeeches};
  WordList chapterPhrases{kChapterPhrases};
  WordList volumePhrases{kVolumePhrases};
  WordList categories{kCategories};
  WordList digits{kDigits};
};

const Vocabulary& Words() {
  static const Vocabulary vocabulary;
  return vocabulary;
}

GbkText Sentence(Random& random) {
  const Vocabulary& w = Words();
  if (random.Chance(25)) return w.subjects.Pick(random) + "道："_gbk + w.speeches.Pick(random);
  return w.subjects.Pick(random) + w.actions.Pick(random) + w.endings.Pick(random);
}

GbkText Sentences(Random& random, int fewest, int most) {
  GbkText text;
  for (int i = random.Between(fewest, most); i > 0; --i) text += Sentence(random);
  return text;
}

// Numbers below 10000 in Chinese numerals; "一十" is written "十" only at the
// very front of the whole numeral.
GbkText SmallNumeral(int number, bool atFront) {
  const Vocabulary& w = Words();
  static const std::array<const GbkText*, 4> units = {&"千"_gbk, &"百"_gbk, &"十"_gbk, nullptr};
  static constexpr std::array<int, 4> scales = {1000, 100, 10, 1};
  GbkText text;
  bool pendingZero = false;
  for (std::size_t i = 0; i < scales.size(); ++i) {
    int digit = number / scales[i] % 10;
    if (digit == 0) {
      if (!text.empty()) pendingZero = true;
      continue;
    }
    if (pendingZero) text += w.digits.At(0);
    pendingZero = false;
    bool bareTen = scales[i] == 10 && digit == 1 && text.empty() && atFront;
    if (!bareTen) text += w.digits.At(static_cast<std::size_t>(digit));
    if (units[i] != nullptr) text += *units[i];
  }
  return text;
}

}  // namespace

GbkText MadeUpTitle(Random& random) {
  const Vocabulary& w = Words();
  GbkText title = w.titleHeads.Pick(random) + w.titleTails.Pick(random);
  if (random.Chance(20)) {
    const GbkText& head = w.titleHeads.Pick(random);
    if (title.compare(0, head.size(), head) != 0) title = head + "之"_gbk + title;
  }
  return title;
}

GbkText MadeUpAuthor(Random& random) {
  const Vocabulary& w = Words();
  return w.surnames.Pick(random) + w.givenNames.Pick(random);
}

GbkText MadeUpIntroduction(Random& random) {
  GbkText intro = "&nbsp;&nbsp;&nbsp;&nbsp;"_gbk + Sentences(random, 3, 5);
  if (random.Chance(40)) intro += "<b>"_gbk + Sentence(random) + "</b>"_gbk;
  intro += "<br />\r\n<br />\r\n&nbsp;&nbsp;&nbsp;&nbsp;"_gbk + Sentences(random, 2, 4);
  if (random.Chance(30)) intro += "<!-- 简介由作者提供 -->"_gbk;
  if (random.Chance(30)) intro += "&#12288;"_gbk;
  if (random.Chance(20)) {
    intro +=
        "<script type=\"text/javascript\">document.write('<a href=\"/vote.php\">投票</a>');</script>"_gbk;
  }
  intro += "<br />\r\n&nbsp;&nbsp;&nbsp;&nbsp;"_gbk + Sentence(random);
  return intro;
}

GbkText MadeUpChapterTitle(Random& random, int ordinal) {
  return "第"_gbk + ChineseNumeral(ordinal) + "章 "_gbk + Words().chapterPhrases.Pick(random);
}

GbkText MadeUpVolumeTitle(Random& random, int ordinal) {
  return "第"_gbk + ChineseNumeral(ordinal) + "卷 "_gbk + Words().volumePhrases.Pick(random);
}

GbkTextList MadeUpParagraphs(Random& random, int fewest, int most) {
  GbkTextList paragraphs;
  for (int i = random.Between(fewest, most); i > 0; --i) {
    paragraphs.push_back(Sentences(random, 2, 6));
  }
  return paragraphs;
}

GbkText ChineseNumeral(int number) {
  if (number < 0 || number > 99999999) return NumberToText(number);
  if (number == 0) return Words().digits.At(0);
  int high = number / 10000;
  int low = number % 10000;
  GbkText text;
  if (high > 0) text = SmallNumeral(high, true) + "万"_gbk;
  if (low > 0) {
    if (high > 0 && low < 1000) text += Words().digits.At(0);
    text += SmallNumeral(low, high == 0);
  }
  return text;
}

const GbkText& CategoryName(int category) {
  static const GbkText none;
  if (category < 1 || category > 10) return none;
  return Words().categories.At(static_cast<std::size_t>(category - 1));
}

}  // namespace sample_site
