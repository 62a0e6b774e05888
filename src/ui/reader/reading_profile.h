#pragma once

// Where reading pages are shown: one private (off the record) web profile
// for every reader window, whose pages may load only the reading page files
// of ChapterCacheDir and the reading assets, and run only their script.

#include <QUrl>

class QWebEnginePage;
class QObject;

// Whether a reading page may load `url`: a reading page file in
// ChapterCacheDir, or a file under ReadingAssetBaseUrl.
bool IsReadingPageResource(const QUrl& url);

// A page on the reading profile (created at the first call). Links to other
// addresses open in the default browser instead of in the view.
QWebEnginePage* NewReadingPage(QObject* parent);
