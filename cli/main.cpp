// veilo-cli: batch masking and conversion over the portable core.
#include <cstdio>

int main() {
  std::fprintf(stderr, "veilo-cli: not yet implemented\n");
  return 2;
}
