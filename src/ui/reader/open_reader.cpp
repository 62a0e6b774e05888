#include "ui/reader/open_reader.h"

#include "ui/main/main_window.h"
#include "ui/reader/reader_window.h"

void OpenReadersFrom(MainWindow* window) {
  QObject::connect(window, &MainWindow::bookOpened, window, [window] {
    // A window of its own at the form's place, not owned by MainWindow; it
    // deletes itself on close.
    new ReaderWindow(window);
  });
}
