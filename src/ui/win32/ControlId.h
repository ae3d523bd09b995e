#pragma once
// The native control ID of a control, derived from its name alone, so that a
// program driving Quorvel from outside finds a control by name with
// EnumChildWindows and GetDlgCtrlID. Kept free of <windows.h> for that driver.
#include <cstdint>
#include <string_view>

namespace ui::win32 {

constexpr int kFirstControlId = 0x1000;
constexpr int kLastControlId = 0xEFFF;  // below the IDs Windows reserves

// FNV-1a of the name, folded into [kFirstControlId, kLastControlId]. Each
// window checks at creation that no two of its controls share an ID.
constexpr int controlIdFor(std::string_view name) {
  std::uint32_t hash = 2166136261u;
  for (char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return kFirstControlId + static_cast<int>(hash % (kLastControlId - kFirstControlId + 1));
}

// The main window carries this window property (value 1) once every control
// of every page has its window. Before that, a page's controls exist once the
// page has been shown; the hidden pages get theirs while the program waits
// for input, right after it first does.
inline constexpr wchar_t kControlsCreatedProperty[] = L"Quorvel.ControlsCreated";

}  // namespace ui::win32
