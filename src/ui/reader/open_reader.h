#pragma once

class MainWindow;

// Opens a ReaderWindow each time `window` reports a chosen book (its
// bookOpened signal), placed at 50,50. The reader reads CurrentBookId and
// CurrentBookUrl when it is created.
void OpenReadersFrom(MainWindow* window);
