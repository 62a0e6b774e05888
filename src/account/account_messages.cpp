#include "account/account_messages.h"

#include "app/services/desktop_seam.h"
#include "scrape/gbk_literal.h"

const GbkText& AccountMessageTitle() {
  return "提示"_gbk;
}

const GbkText& LoginFailedMessage() {
  return "用户名或密码错误！"_gbk;
}

void ShowAccountError(const GbkText& text) {
  Desktop().ShowMessage(text, AccountMessageTitle(), MessageIcon::kError);
}
