// The command line comes from whoever starts the saver, so any text is fair.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cassert>
#include <cctype>
#include <string>

#include "mdlSaver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const auto window = in.ConsumeIntegral<std::int32_t>();
    const std::string text = in.ConsumeRemainingBytesAsString();

    const std::size_t start = std::min(text.find_first_not_of(" \t"), text.size());
    assert(saver::ModeOf(text) == saver::ModeOf(text.substr(start, 2)));

    // Only a trailing number names a window; blanks and tabs after it do not count.
    const auto end = text.find_last_not_of(" \t");
    const char last = end == std::string::npos ? ' ' : text[end];
    const std::int32_t parent = saver::GetPreviewParent(text);
    assert(parent == 0 || std::isdigit(static_cast<unsigned char>(last)) || last == '.');

    // A blank ends any number before it, so whatever precedes cannot change a
    // window number written after it, the "/p" switch included.
    const std::string number = " " + std::to_string(window);
    assert(saver::GetPreviewParent("/p" + number) == window);
    assert(saver::GetPreviewParent(text + number) == window);
    return 0;
}
