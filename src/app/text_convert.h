#pragma once

// The one boundary between GBK texts and the screen.

#include <QString>

#include "scrape/gbk_text.h"

QString ToQt(const GbkText& text);
GbkText FromQt(const QString& text);
