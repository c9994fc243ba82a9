#pragma once
// The account of a run that an administrator asks for with /log=PATH: plain
// UTF-8 lines appended to the file, each stamped with the local time. A log
// that cannot be opened or written is no reason to fail: the run goes on
// without it.
#include <initializer_list>
#include <string>
#include <string_view>

#include "failure.h"
#include "handles.h"

namespace setup {

// The parts of a line of the log, joined.
std::wstring Joined(std::initializer_list<std::wstring_view> parts);

class SetupLog {
public:
    SetupLog() = default;  // writes nothing
    explicit SetupLog(const std::wstring& path);

    // One line made of these parts, which callers need not join first.
    void Line(std::initializer_list<std::wstring_view> parts);
    // A step that failed: what failed and, when the system said, its error code.
    void Failed(const rt::Failure& failure);

private:
    rt::UniqueFile file_;
};

}  // namespace setup
