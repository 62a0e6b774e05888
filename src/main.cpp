#include "app/reader_app.h"

int main(int argc, char** argv) {
  return RunReader(argc, argv);
}
