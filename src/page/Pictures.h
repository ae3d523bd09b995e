#pragma once
// The program's pictures, as PNG bytes.
#include <string_view>

namespace page {

// The maker's logo in the side panel.
std::string_view logoPicture();
// The device on the home page.
std::string_view devicePicture();

}  // namespace page
