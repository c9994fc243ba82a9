#include "mdlSaver.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace saver {

SaverMode ModeOf(std::string_view command) {
    std::string head(command.substr(0, 2));
    for (char& c : head) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (head == "/P") return SaverMode::Preview;
    if (head == "/C") return SaverMode::Configure;
    if (head == "/A") return SaverMode::Password;
    if (head == "/S") return SaverMode::FullScreen;
    return SaverMode::None;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsNumber(std::string_view text) {
    text = TrimBlanks(text);
    std::size_t i = 0;
    auto digits = [&] {
        const std::size_t from = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        return i - from;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == text.size();
}

std::int32_t GetPreviewParent(std::string_view command) {
    const std::string_view text = TrimBlanks(command);
    // Every trailing part ends where the text ends, and a number ends in a
    // digit or a point: without one, no part can form a number. This also
    // keeps a long command line from being scanned once per trailing part.
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.back())) || text.back() == '.')) return 0;
    for (std::size_t n = text.size(); n >= 1; --n) {
        const std::string_view tail = text.substr(text.size() - n);
        if (!IsNumber(tail)) continue;
        const std::string number(TrimBlanks(tail));
        const double value = std::nearbyint(std::strtod(number.c_str(), nullptr));  // halves to even
        if (!(value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max())) {
            return 0;
        }
        return static_cast<std::int32_t>(value);
    }
    return 0;
}

namespace {
// Nearest whole number, halves to even; held to the 32-bit range, which no
// window position comes near, so that a wild value cannot overflow.
std::int32_t WholeTwips(float value) {
    constexpr double lo = std::numeric_limits<std::int32_t>::min(), hi = std::numeric_limits<std::int32_t>::max();
    const double rounded = std::nearbyint(static_cast<double>(value));
    return static_cast<std::int32_t>(rounded > lo ? (rounded < hi ? rounded : hi) : lo);
}
}  // namespace

bool MovementRule::Fires(float x, float y) {
    const float dx = std::fabs(LastX - x);
    const float dy = std::fabs(LastY - y);
    if ((dx >= kThreshold || dy >= kThreshold) && (LastX != 0 || LastY != 0)) return true;
    LastX = WholeTwips(x);
    LastY = WholeTwips(y);
    return false;
}

ColumnPlan PlanColumns(float windowWidth, float columnWidth) {
    ColumnPlan plan;
    for (int i = 1; i <= kMostColumns; ++i) {
        plan.columnCount = static_cast<std::int16_t>(i - 1);
        if (static_cast<float>(i - 1) * columnWidth > windowWidth) return plan;
        plan.lastCreated = i;
    }
    return plan;
}

int ChooseColumn(double r, int columnCount) { return static_cast<int>(std::floor(r * columnCount)); }

int ChoosePiece(double r) { return static_cast<int>(std::floor(r * 14 + 1)); }

void AppendPiece(std::wstring& text, int k) {
    if (text.size() > kClearThreshold) text.clear();
    text += kPieces.at(static_cast<std::size_t>(k - 1));
}

}  // namespace saver
