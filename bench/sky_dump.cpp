// Prints the sky computations in plain columns for bench/sky_accuracy.py,
// which compares them with an independent ephemeris.
//   sky_dump phases FROM TO         phase unix_seconds delta_t_seconds
//   sky_dump moon FROM TO STEP_H    unix_seconds longitude latitude distance_km illuminated
//   sky_dump eclipses FROM TO       unix_seconds kind penumbral umbral
//   sky_dump contacts FROM TO       greatest p1 u1 u2 u3 u4 p4 (unix seconds, "-" for none)
//   sky_dump apsides FROM TO        kind unix_seconds distance_km
//   sky_dump rise FROM TO LAT LON   kind unix_seconds altitude_deg

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/sky.h"

namespace {

using namespace std::chrono;
using namespace lunomat::sky;

long long Seconds(Instant t) { return t.time_since_epoch().count(); }

double DecimalYear(Instant t) {
    const year_month_day ymd{floor<days>(t)};
    const sys_days start{ymd.year() / January / 1};
    const sys_days next{(ymd.year() + years{1}) / January / 1};
    return static_cast<int>(ymd.year()) + duration<double>(t - start) / duration<double>(next - start);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: sky_dump phases|moon|eclipses FROM TO [STEP_HOURS]\n");
        return 2;
    }
    const std::string what = argv[1];
    const int from = std::atoi(argv[2]), to = std::atoi(argv[3]);
    if (what == "phases") {
        static const char* names[] = {"new", "first_quarter", "full", "last_quarter"};
        for (const PhaseEvent& e : PhasesInYears(from, to)) {
            std::printf("%s %lld %.3f\n", names[static_cast<int>(e.phase)], Seconds(e.utc),
                        DeltaTSeconds(DecimalYear(e.utc)));
        }
    } else if (what == "moon") {
        const int stepHours = argc > 4 ? std::atoi(argv[4]) : 175;
        const Instant end{sys_days{year{to + 1} / January / 1}};
        for (Instant t{sys_days{year{from} / January / 1}}; t < end; t += hours{stepHours}) {
            const MoonPosition m = MoonAt(t);
            std::printf("%lld %.6f %.6f %.3f %.6f\n", Seconds(t), m.longitudeDeg, m.latitudeDeg, m.distanceKm,
                        m.illuminatedFraction);
        }
    } else if (what == "eclipses") {
        static const char* kinds[] = {"total", "partial", "penumbral"};
        for (const LunarEclipse& e : LunarEclipsesInYears(from, to)) {
            std::printf("%lld %s %.4f %.4f\n", Seconds(e.greatest), kinds[static_cast<int>(e.kind)],
                        e.penumbralMagnitude, e.umbralMagnitude);
        }
    } else if (what == "contacts") {
        for (const LunarEclipse& e : LunarEclipsesInYears(from, to)) {
            std::printf("%lld", Seconds(e.greatest));
            for (const auto& c : {e.p1, e.u1, e.u2, e.u3, e.u4, e.p4})
                c ? std::printf(" %lld", Seconds(*c)) : std::printf(" -");
            std::printf("\n");
        }
    } else if (what == "apsides") {
        for (const ApsisEvent& a : ApsidesInYears(from, to))
            std::printf("%s %lld %.1f\n", a.kind == Apsis::Perigee ? "perigee" : "apogee", Seconds(a.utc),
                        a.distanceKm);
    } else if (what == "rise" && argc > 5) {
        static const char* kinds[] = {"rise", "transit", "set"};
        const Place place{std::atof(argv[4]), std::atof(argv[5])};
        const Instant begin{sys_days{year{from} / January / 1}}, end{sys_days{year{to + 1} / January / 1}};
        for (const MoonEvent& e : MoonEventsBetween(begin, end, place))
            std::printf("%s %lld %.3f\n", kinds[static_cast<int>(e.kind)], Seconds(e.utc), e.altitudeDeg);
    } else {
        return 2;
    }
    return 0;
}
