// vel_launch PROGRAM [ARGUMENTS...]: reads the wall clock, puts it in VEL_LAUNCH_NS and replaces
// itself with PROGRAM (execv), so that PROGRAM can tell how long it took from its exec. Plain C
// library only, so that nothing is loaded before the clock is read.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: vel_launch PROGRAM [ARGUMENTS...]\n", stderr);
        return 2;
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    char text[32];
    std::snprintf(text, sizeof text, "%lld",
                  static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    setenv("VEL_LAUNCH_NS", text, 1);
    execv(argv[1], argv + 1);
    std::perror(argv[1]);
    return 127;
}
