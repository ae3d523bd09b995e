// The lines of a decoded coupon: every line lies in the coupon in order, the
// lines and one line break (CR LF, CR or LF) between each two are the whole
// coupon, and a break at its very end adds no line.
#include "FuzzExpect.h"
#include "diagnostics/CouponText.h"

namespace {

using fuzzing::expect;

// The length of the line break at `at`, or 0.
std::size_t breakLength(std::string_view text, std::size_t at) {
  if (text.substr(at, 2) == "\r\n") return 2;
  return at < text.size() && (text[at] == '\r' || text[at] == '\n') ? 1 : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view coupon = fuzzing::bytesOf(data, size);
  const std::vector<std::string_view> lines = diagnostics::couponLines(coupon);
  std::size_t position = 0;
  for (const std::string_view line : lines) {
    expect(line.data() == coupon.data() + position, "a line not where the coupon has it");
    expect(line.find_first_of("\r\n") == line.npos, "a line holds a line break");
    position += line.size();
    const std::size_t lineBreak = breakLength(coupon, position);
    expect(lineBreak > 0 || position == coupon.size(), "a line ends before its break");
    position += lineBreak;
  }
  expect(position == coupon.size(), "lines stop before the coupon's end");
  expect(lines.empty() == coupon.empty(), "a coupon without lines");
  return 0;
}
