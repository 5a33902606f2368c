#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quillane {

// What a mounted volume is to the offload: a card to copy from, an SSD to copy onto, or neither.
enum class DriveRole { source, destination, ignored };

namespace DriveRoles {
// The order in which the drive menu lists the roles.
inline constexpr std::array<DriveRole, 3> allCases{DriveRole::source, DriveRole::destination, DriveRole::ignored};
// Stored raw text: "source", "destination" or "ignored".
std::string id(DriveRole role);
// Accepts exactly the three raw values.
std::optional<DriveRole> fromRawValue(std::string_view raw);
std::string displayName(DriveRole role);
}  // namespace DriveRoles

}  // namespace quillane
