#pragma once
// The process's peak resident set, as the kernel keeps it.
#include <cstddef>

namespace bench {

// The largest resident set the process has had so far, in bytes; it never
// goes down, so a step's peak is read right after the step.
std::size_t peakResidentBytes();

}  // namespace bench
