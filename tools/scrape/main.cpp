#include <iostream>

#include "scrape_tool.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return RunScrapeTool(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout,
                       std::cerr);
}
