#pragma once

#include <cstdint>

#include "worksheet/sheet.h"

namespace test_support {

// A sheet of the given count option made from all ten tables in random order,
// the zero multiplier allowed where the count allows it.
worksheet::Sheet SampleSheet(int countOption, std::uint32_t seed);

}  // namespace test_support
