#pragma once

// The fixed texts of the account's message boxes. Every such box has the
// title AccountMessageTitle() and the error icon.

#include "scrape/gbk_text.h"

// "提示": the title of the login and sign-up message boxes.
const GbkText& AccountMessageTitle();

// "用户名或密码错误！": shown when a login answer lacks the success marker.
const GbkText& LoginFailedMessage();

// Shows `text` under AccountMessageTitle() with the error icon through the
// desktop seam; returns when the box has been closed. Any thread.
void ShowAccountError(const GbkText& text);
