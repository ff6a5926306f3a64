// Loaded with LD_PRELOAD by the tests: the wall clock of a program reads
// LUNOMAT_TEST_CLOCK (seconds since 1970, may be negative) instead of the
// system's, so that moments far from today can be tried without a change
// to the system or to the program.
#include <dlfcn.h>
#include <time.h>

#include <cstdlib>

namespace {
bool Faked(time_t& seconds) {
    const char* text = std::getenv("LUNOMAT_TEST_CLOCK");
    if (!text) return false;
    seconds = static_cast<time_t>(std::strtoll(text, nullptr, 10));
    return true;
}
using ClockGettime = int (*)(clockid_t, struct timespec*);
}  // namespace

extern "C" {
int clock_gettime(clockid_t clock, struct timespec* ts) {
    time_t seconds;
    if ((clock == CLOCK_REALTIME || clock == CLOCK_REALTIME_COARSE) && Faked(seconds)) {
        ts->tv_sec = seconds;
        ts->tv_nsec = 0;
        return 0;
    }
    static const auto real = reinterpret_cast<ClockGettime>(dlsym(RTLD_NEXT, "clock_gettime"));
    return real(clock, ts);
}

time_t time(time_t* out) {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    if (out) *out = ts.tv_sec;
    return ts.tv_sec;
}
}
