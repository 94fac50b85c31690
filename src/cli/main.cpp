#include <iostream>

int main(int, char**) {
  std::cerr << "sonvale-cli: not built yet\n";
  return 2;
}
