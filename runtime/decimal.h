#pragma once
// Numbers written out for people: in plain decimal, as std::to_wstring writes
// them, without the C library's printf that std::to_wstring would bring into
// every program.
#include <string>

namespace rt {

std::wstring Decimal(long long n);

}  // namespace rt
