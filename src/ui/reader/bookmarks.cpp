// The book's bookmark: set from the reader menu, shown as the recent chapter
// when the book opens (book_loaders.cpp), and reopened from that label.
#include <QListWidget>

#include "app/services/desktop_seam.h"
#include "app/services/shared_state.h"
#include "app/text_convert.h"
#include "scrape/gbk_literal.h"
#include "store/ini_file.h"
#include "store/known_folders.h"
#include "store/local_files.h"
#include "ui/main/main_window.h"
#include "ui/reader/reader_window.h"
#include "ui_ReaderWindow.h"

void ReaderWindow::SetBookmark() {
  CreateFolder(BookmarkFolder());
  const GbkText file = BookmarkFile(Shared().CurrentBookId.Get());
  // The four keys, in this order, each its own write; "章节数" is the
  // chapter's position in the list, not its number.
  const std::pair<GbkText, GbkText> values[] = {
      {"书名"_gbk, FromQt(ui_->TitleValueLabel->text())},
      {"章节名"_gbk, FromQt(ui_->ReadingView->title())},
      {"ID", Shared().CurrentBookId.Get()},
      {"章节数"_gbk, NumberToText(ui_->ChapterListBox->currentRow())},
  };
  bool written = !file.empty();
  for (const auto& [key, value] : values) {
    if (written) written = WriteIniValue(file, "0", key, value);
  }
  // The main window lists the book at once, not only from the next start.
  if (auto* main = qobject_cast<MainWindow*>(mainWindow_.data()); main && written)
    main->ShowBookmarkedBook(TextToInteger(Shared().CurrentBookId.Get()),
                             ui_->TitleValueLabel->text());
  // A bookmark that could not be written is not reported as set.
  Desktop().ShowMessage(written ? "设置成功!"_gbk : "设置书签失败!"_gbk, {}, MessageIcon::kNone);
}

void ReaderWindow::OpenRecentChapter() {
  if (ui_->RecentReadingLabel->text().isEmpty()) return;
  const GbkText file = BookmarkFile(Shared().CurrentBookId.Get());
  const int position = file.empty() ? 0 : TextToInteger(ReadIniValue(file, "0", "章节数"_gbk));
  // A position outside the list selects nothing; the load then works with
  // whatever is current.
  if (position >= 0 && position < ui_->ChapterListBox->count())
    ui_->ChapterListBox->setCurrentRow(position);
  OpenSelectedChapter();
}
