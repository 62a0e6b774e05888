// The reader's layout on every size change, the button that pushes the
// chapter panel out of view, and the way back to the information view.
#include <QWebEngineView>

#include "ui/reader/reader_window.h"
#include "ui_ReaderWindow.h"

namespace {

// Program-wide: a reader opened after the panel was hidden opens without it.
bool panelHidden = false;

// The width kept free on the right of the two views: the chapter panel's, or
// a sliver when the panel is out of view.
constexpr int kPanelShownReserve = 245;
constexpr int kPanelHiddenReserve = 2;
// The form's outer size, 769x583, around its client area of 764x557. The
// outer size of the layout is the client size plus this frame, whatever the
// window manager draws around the window, so that the form's own size is the
// one at which the bottom labels stand closer together.
constexpr int kFormOuterWidth = 769;
constexpr int kFrameWidth = kFormOuterWidth - 764;
constexpr int kFrameHeight = 583 - 557;

}  // namespace

bool ReaderWindow::PanelHidden() {
  return panelHidden;
}

QSize ReaderWindow::OuterSize() const {
  return size() + QSize(kFrameWidth, kFrameHeight);
}

void ReaderWindow::WriteMainTable(int reserve) {
  Ui::ReaderWindow& ui = *ui_;
  const int cw = width();
  const int ch = height();
  ui.ReadingView->resize(ui.ReadingView->width(), ch - 17);
  ui.ReadingView->resize(cw - reserve, ui.ReadingView->height());
  ui.InfoView->resize(ui.InfoView->width(), ch - 17);
  ui.InfoView->resize(cw - reserve, ui.InfoView->height());
  ui.ChapterView->resize(ui.ReadingView->width() - 16, ui.ChapterView->height());
  ui.ChapterView->resize(ui.ChapterView->width(), ui.ReadingView->height() - 41);
  ui.ReaderTickerCanvas->move(ui.ReadingView->width() + 19, ui.ReaderTickerCanvas->y());
  ui.ChapterPanel->setGeometry(ui.ReadingView->width() + 19, ui.ChapterPanel->y(),
                               ui.ChapterPanel->width(), ch - 41);
  ui.ChapterListBox->resize(ui.ChapterPanel->width() - 16, ui.ChapterListBox->height());
  ui.ChapterListBox->resize(ui.ChapterListBox->width(), ui.ChapterPanel->height() - 40);
  ui.RedownloadLabel->move(ui.RedownloadLabel->x(), ch - 63);
  ui.UpdateChaptersLabel->move(ui.UpdateChaptersLabel->x(), ch - 63);
}

void ReaderWindow::LayoutReaderWindow() {
  WriteMainTable(panelHidden ? kPanelHiddenReserve : kPanelShownReserve);

  // The bottom row of the reading view. Away from the form's width the three
  // labels' offsets are twice as large.
  Ui::ReaderWindow& ui = *ui_;
  const int w = ui.ReadingView->width();
  const QSize outer = OuterSize();
  const int scale = outer.width() == kFormOuterWidth ? 1 : 2;
  const int labelTop = outer.height() - 64;
  ui.PrevChapterLabel->move(w - 414 * scale, labelTop);
  ui.BackToInfoLabel->move(w - 330 * scale, labelTop);
  ui.NextChapterLabel->move(w - 222 * scale, labelTop);
  ui.PanelToggleBox->move(w - 25, outer.height() - 62);
  ui.HideHintLabel->move(w - 147, labelTop);
}

void ReaderWindow::TogglePanel() {
  panelHidden = !panelHidden;
  ui_->PanelToggleBox->setPixmap(panelHidden ? panelHiddenPicture_ : panelShownPicture_);
  LayoutReaderWindow();
}

void ReaderWindow::ShowInfoView() {
  // The chapter panel comes into view with the information, whatever
  // PanelHidden says; the next size change applies it again.
  ui_->ReadingView->hide();
  WriteMainTable(kPanelShownReserve);
}
