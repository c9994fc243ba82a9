#include "decimal.h"

namespace rt {

std::wstring Decimal(long long n) {
    unsigned long long magnitude = n < 0 ? 0ull - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    std::wstring text;
    do {
        text.insert(text.begin(), static_cast<wchar_t>(L'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    return n < 0 ? L"-" + text : text;
}

}  // namespace rt
