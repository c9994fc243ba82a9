#include "about_texts.h"

namespace saver {

std::array<std::string, 4> AboutItems(std::string_view title, std::string_view note, std::string_view company,
                                      VersionNumbers version) {
    return {
        std::string(title) + "\r",
        std::string(note) + "\r\r\r\r\r\r",
        "Autor: " + std::string(company) + "\r\r",
        "Version: " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
            std::to_string(version.revision),
    };
}

}  // namespace saver
