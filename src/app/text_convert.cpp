#include "app/text_convert.h"

#include "scrape/charset.h"

QString ToQt(const GbkText& text) {
  return QString::fromStdString(GbkToUtf8(text));
}

GbkText FromQt(const QString& text) {
  return Utf8ToGbk(text.toStdString());
}
