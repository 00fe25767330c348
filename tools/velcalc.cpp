#include <cstdio>

int main() {
    std::fputs("usage: velcalc [--csv] FILE.vel\n", stderr);
    return 2;
}
