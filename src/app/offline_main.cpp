#include <iostream>

#include "app/offline_runner.h"

int main(int argc, char** argv) {
  return varnel::ui::runOffline(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                std::cerr);
}
