#include <iostream>

#include "standin/memory_designs.h"

int main(int argc, char** argv) {
  return varnel::standin::runOffline(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                     std::cerr);
}
