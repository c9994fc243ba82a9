#pragma once
// What the about window prints on the device's screen, item by item. Each
// item is one print: its carriage returns and the end of the print break
// lines, which spaces the items out as the screen shows them.
#include <array>
#include <string>
#include <string_view>

namespace saver {

struct VersionNumbers {
    int major = 0, minor = 0, revision = 0;
};

// Title, note, author line and version line, in printing order.
std::array<std::string, 4> AboutItems(std::string_view title, std::string_view note, std::string_view company,
                                      VersionNumbers version);

}  // namespace saver
