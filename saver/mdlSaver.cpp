#include "mdlSaver.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <optional>

namespace saver {

SaverMode ModeOf(std::string_view command) {
    const std::size_t start = command.find_first_not_of(" \t");
    std::string head(start == std::string_view::npos ? std::string_view() : command.substr(start, 2));
    for (char& c : head) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (head == "/P") return SaverMode::Preview;
    if (head == "/C") return SaverMode::Configure;
    if (head == "/A") return SaverMode::Password;
    if (head == "/S") return SaverMode::FullScreen;
    return SaverMode::None;
}

namespace {

// Blanks and tabs removed from both ends, as the switch skips them before it.
std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number as a command line may write it, value = digits x 10^exponent,
// the digits without leading zeros.
struct DecimalNumber {
    bool negative = false;
    std::string digits;
    long exponent = 0;
};

// The whole text as a number: blanks around it, an optional sign, digits
// with an optional decimal point, an optional exponent; nothing otherwise.
std::optional<DecimalNumber> ParseNumber(std::string_view text) {
    text = TrimBlanks(text);
    DecimalNumber n;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) n.negative = text[i++] == '-';
    bool point = false, any = false;
    for (; i < text.size() && (IsDigit(text[i]) || (text[i] == '.' && !point)); ++i) {
        if (text[i] == '.') {
            point = true;
            continue;
        }
        any = true;
        if (point) --n.exponent;
        if (text[i] != '0' || !n.digits.empty()) n.digits += text[i];
    }
    if (!any) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        const bool negative = ++i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (i == text.size() || !IsDigit(text[i])) return std::nullopt;
        long exponent = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i) exponent = std::min(exponent * 10 + (text[i] - '0'), 1'000'000L);
        n.exponent += negative ? -exponent : exponent;
    }
    if (i != text.size()) return std::nullopt;
    return n;
}

// The nearest whole number, halves to the even neighbour; nothing beyond 32 bits.
std::optional<std::int32_t> NearestInt32(const DecimalNumber& n) {
    const long whole = static_cast<long>(n.digits.size()) + n.exponent;  // digits before the point
    if (whole > 10) return std::nullopt;  // 10^10 and more
    const auto digit = [&](long k) { return k >= 0 && k < static_cast<long>(n.digits.size()) ? n.digits[k] - '0' : 0; };
    std::int64_t value = 0;
    for (long k = 0; k < whole; ++k) value = value * 10 + digit(k);
    const long first = std::max(whole, 0L);  // the first digit after the point
    bool restNonZero = false;
    for (long k = first + 1; k < static_cast<long>(n.digits.size()); ++k) restNonZero = restNonZero || digit(k) != 0;
    const int next = whole >= 0 ? digit(first) : 0;
    if (next > 5 || (next == 5 && (restNonZero || value % 2 == 1))) ++value;
    if (n.negative) value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::int32_t GetPreviewParent(std::string_view command) {
    const std::string_view text = TrimBlanks(command);
    // Every trailing part ends where the text ends, and a number ends in a
    // digit or a point: without one, no part can form a number. This also
    // keeps a long command line from being scanned once per trailing part.
    if (text.empty() || !(IsDigit(text.back()) || text.back() == '.')) return 0;
    for (std::size_t n = text.size(); n >= 1; --n) {
        if (const std::optional<DecimalNumber> number = ParseNumber(text.substr(text.size() - n))) {
            return NearestInt32(*number).value_or(0);
        }
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
