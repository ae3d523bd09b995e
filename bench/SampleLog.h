#pragma once
// A device log made up for measuring the log page: lines of several sources
// and levels with accented Portuguese text, and now and then a SuperLog block,
// as the device writes them.
#include <cstddef>
#include <string>

namespace bench {

// Whole lines, as many as fit in `size` bytes; the same log for the same size.
std::string sampleLog(std::size_t size);

}  // namespace bench
