#include "screen_texts.h"

#include "decimal.h"

namespace toolkit {

std::wstring AuthorLine(const rt::VersionRecord& version) { return L"Autor: " + version.companyName; }

std::wstring VersionLine(const rt::VersionRecord& version) {
    return L"Version: " + rt::Decimal(version.major) + L"." + rt::Decimal(version.minor) + L"." +
           rt::Decimal(version.revision);
}

}  // namespace toolkit
