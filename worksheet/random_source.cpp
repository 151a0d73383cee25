#include "worksheet/random_source.h"

#include <chrono>

namespace worksheet {

RandomSource RandomSource::FromClock() {
  using namespace std::chrono;
  // The system clock counts Unix time, which has no leap seconds, so the
  // time since the start of its day is the UTC time of day.
  const auto now = floor<milliseconds>(system_clock::now());
  const hh_mm_ss timeOfDay(now - floor<days>(now));
  return RandomSource(TimeOfDaySeed(static_cast<std::uint32_t>(timeOfDay.hours().count()),
                                    static_cast<std::uint32_t>(timeOfDay.minutes().count()),
                                    static_cast<std::uint32_t>(timeOfDay.seconds().count()),
                                    static_cast<std::uint32_t>(timeOfDay.subseconds().count())));
}

}  // namespace worksheet
