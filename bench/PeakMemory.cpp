#include "PeakMemory.h"

#include <sys/resource.h>

namespace bench {

std::size_t peakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  // Linux counts it in kilobytes.
  return static_cast<std::size_t>(usage.ru_maxrss) * 1024;
}

}  // namespace bench
