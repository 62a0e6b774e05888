// The jobs that fill the reader: the book information page followed by the
// chapter list (one tracked job), the chapter list alone (the reload labels)
// and a chapter's reading page. Each fetches, cuts with the scrapers and
// writes the controls through the window thread; a write to a reader that
// has closed does nothing and ends the job.
//
// Of several chapter loads, or several chapter list loads, the newest wins:
// an overtaken load stops writing (it neither adds items nor navigates).
#include <QImage>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QUrl>
#include <QWebEngineView>

#include "app/services/shared_state.h"
#include "app/text_convert.h"
#include "app/window_calls.h"
#include "net/http_read_file.h"
#include "net/site_request.h"
#include "scrape/book_info_page.h"
#include "scrape/chapter_list_page.h"
#include "scrape/chapter_page.h"
#include "scrape/gbk_literal.h"
#include "scrape/reading_page.h"
#include "store/ini_file.h"
#include "store/known_folders.h"
#include "store/local_files.h"
#include "ui/reader/reader_loads.h"
#include "ui/reader/reader_window.h"
#include "ui_ReaderWindow.h"

namespace {

// CR LF of a page text as the edit box wants its line breaks.
QString ToEditText(const GbkText& text) {
  QString result = ToQt(text);
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.remove(QLatin1Char('\r'));
  return result;
}

}  // namespace

ReaderLoad::ReaderLoad(ReaderWindow* window) : guard_(window), window_(window) {}

bool ReaderLoad::Write(const std::function<void(ReaderWindow&, Ui::ReaderWindow&)>& write) const {
  bool ran = false;
  OnWindowThread(guard_, [&] {
    // On the window thread, with the window known to exist.
    write(*window_, *window_->ui_);
    ran = true;
  });
  return ran && !StopRequested();
}

void ReaderLoad::LoadBookInfoPage() const {
  if (!Write([](ReaderWindow&, Ui::ReaderWindow& ui) { ui.ReaderLoadingPanel->show(); })) return;
  const GbkText page = BytesToText(SiteRequest(Shared().CurrentBookUrl.Get()));
  if (StopRequested()) return;
  const BookInfo info = ScrapeBookInfoPage(page, Shared().SiteBaseUrl.Get());

  // The cover is fetched before any label is written; an empty address
  // gives no picture without asking the site.
  const ByteString coverBytes = info.coverUrl.empty() ? ByteString() : HttpReadFile(info.coverUrl);
  if (StopRequested()) return;
  const QImage cover = QImage::fromData(QByteArray::fromStdString(coverBytes));
  if (!Write([&](ReaderWindow&, Ui::ReaderWindow& ui) {
        if (cover.isNull()) {
          ui.CoverBox->clear();
        } else {
          ui.CoverBox->setPixmap(QPixmap::fromImage(cover));
        }
      }))
    return;

  if (!Write([&](ReaderWindow& window, Ui::ReaderWindow& ui) {
        ui.TitleValueLabel->setText(ToQt(info.title));
        window.setWindowTitle(
            ToQt("您正在阅读：《"_gbk + FromQt(ui.TitleValueLabel->text()) + "》"_gbk));
      }))
    return;
  const std::pair<QLabel * Ui::ReaderWindow::*, const GbkText*> fields[] = {
      {&Ui::ReaderWindow::CategoryValueLabel, &info.category},
      {&Ui::ReaderWindow::AuthorValueLabel, &info.author},
      {&Ui::ReaderWindow::LengthValueLabel, &info.length},
      {&Ui::ReaderWindow::StateValueLabel, &info.state},
      {&Ui::ReaderWindow::FirstPublishValueLabel, &info.firstPublish},
      {&Ui::ReaderWindow::AuthorisationValueLabel, &info.authorisation},
  };
  for (const auto& [label, value] : fields) {
    if (!Write([&](ReaderWindow&, Ui::ReaderWindow& ui) { (ui.*label)->setText(ToQt(*value)); }))
      return;
  }
  if (!Write([&](ReaderWindow&, Ui::ReaderWindow& ui) {
        // Appended after the form's own "【内容介绍】" text.
        ui.IntroEdit->moveCursor(QTextCursor::End);
        ui.IntroEdit->insertPlainText(ToEditText(info.intro));
        ui.IntroEdit->moveCursor(QTextCursor::Start);
        ui.LastUpdateValueLabel->setText(ToQt(info.lastUpdate));
        ui.LatestChapterValueLabel->setText(ToQt(info.latestChapter));
      }))
    return;
  Shared().ChapterListUrl.Set(info.chapterListUrl);
  Shared().TxtDownloadUrl.Set(info.txtDownloadUrl);
  Shared().UdmDownloadUrl.Set(info.udmDownloadUrl);
  Shared().JarDownloadUrl.Set(info.jarDownloadUrl);

  // Reading history: the bookmarked chapter's title, when the book has a
  // bookmark file.
  const GbkText bookmarkFile = BookmarkFile(Shared().CurrentBookId.Get());
  if (!bookmarkFile.empty() && FileExists(bookmarkFile)) {
    const GbkText recent = ReadIniValue(bookmarkFile, "0", "章节名"_gbk);
    if (!Write([&](ReaderWindow&, Ui::ReaderWindow& ui) {
          ui.RecentReadingLabel->setText(ToQt(recent));
        }))
      return;
  }
  if (!Write([](ReaderWindow&, Ui::ReaderWindow& ui) { ui.ReaderLoadingPanel->hide(); })) return;
  LoadChapterListPage();
}

void ReaderLoad::LoadChapterListPage() const {
  int generation = 0;
  // Taken on the window thread, so that the load started last is the newest.
  auto current = [&](ReaderWindow& window) {
    return window.chapterListGeneration_.load() == generation;
  };
  if (!Write([&](ReaderWindow& window, Ui::ReaderWindow& ui) {
        generation = ++window.chapterListGeneration_;
        ui.ChapterListBox->clear();
        ui.ChapterLoadingPanel->show();
        ui.ChapterPanel->setTitle(ToQt("章节列表(正在下载列表)"_gbk));
      }))
    return;
  const GbkText page = BytesToText(HttpReadFile(Shared().ChapterListUrl.Get()));
  if (StopRequested()) return;
  // Chapters appear volume by volume while the page is cut.
  for (const GbkText& volume : ChapterListVolumes(page)) {
    const std::vector<ChapterLink> links = CutChapterLinks(volume);
    bool overtaken = false;
    if (!Write([&](ReaderWindow& window, Ui::ReaderWindow& ui) {
          if (!(overtaken = !current(window))) {
            for (const ChapterLink& link : links) {
              auto* item = new QListWidgetItem(ToQt(link.title));
              item->setData(Qt::UserRole, link.number);
              ui.ChapterListBox->addItem(item);
            }
          }
        }) ||
        overtaken)
      return;
  }
  Write([&](ReaderWindow& window, Ui::ReaderWindow& ui) {
    if (!current(window)) return;
    ui.ChapterLoadingPanel->hide();
    ui.ChapterPanel->setTitle(ToQt("章节列表(下载完成,双击章节阅读)"_gbk));
  });
}

void ReaderLoad::LoadChapterPage(int generation) const {
  auto current = [&](ReaderWindow& window) {
    return window.chapterGeneration_.load() == generation;
  };
  // The chapter number of the current item (-1 when none); this load keeps
  // using it.
  long long number = -1;
  bool overtaken = false;
  if (!Write([&](ReaderWindow& window, Ui::ReaderWindow& ui) {
        if ((overtaken = !current(window))) return;
        const QListWidgetItem* item = ui.ChapterListBox->currentItem();
        number = item ? item->data(Qt::UserRole).toLongLong() : -1;
      }) ||
      overtaken)
    return;
  Shared().CurrentChapterId.Set(NumberToText(number));
  const GbkText page =
      BytesToText(SiteRequest(ChapterAddress(Shared().ChapterListUrl.Get(), number)));
  if (StopRequested()) return;

  if (!Write([&](ReaderWindow& window, Ui::ReaderWindow& ui) {
        if ((overtaken = !current(window))) return;
        const QListWidgetItem* item = ui.ChapterListBox->currentItem();
        ui.ReadingView->setTitle(item ? item->text() : QString());
      }) ||
      overtaken)
    return;

  const GbkText text = ScrapeChapterText(page);
  const GbkText path = ChapterCacheDir() + "/" + ReadingPageFileName(number);
  WriteWholeFile(
      path, ReadingPage(text, Shared().ReadingAssetBaseUrl.Get(), Shared().NoticeBaseUrl.Get()));

  Write([&](ReaderWindow& window, Ui::ReaderWindow&) {
    if (!current(window)) return;
    window.chapterView_->setUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
    window.chapterView_->setFocus();
  });
}
