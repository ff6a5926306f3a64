// Loaded with LD_PRELOAD by the tests: the wall clock of a program reads
// LUNOMAT_TEST_CLOCK (seconds since 1970, may be negative) instead of the
// system's, so that moments far from today can be tried without a change
// to the system or to the program.
#include <dlfcn.h>
#include <time.h>

#include <cstdlib>

extern "C" int clock_gettime(clockid_t clock, struct timespec* ts) {
    static const auto real = reinterpret_cast<int (*)(clockid_t, timespec*)>(dlsym(RTLD_NEXT, "clock_gettime"));
    const char* text = std::getenv("LUNOMAT_TEST_CLOCK");
    if ((clock != CLOCK_REALTIME && clock != CLOCK_REALTIME_COARSE) || !text) return real(clock, ts);
    *ts = {static_cast<time_t>(std::strtoll(text, nullptr, 10)), 0};
    return 0;
}
