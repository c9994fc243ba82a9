#include "sequential_fields.h"

#include "failure.h"

namespace rt {

std::string FormatRecord(std::initializer_list<std::string_view> fields) {
    std::string record;
    bool first = true;
    for (std::string_view field : fields) {
        if (field.find_first_of("\"\r\n") != std::string_view::npos) {
            throw Failure("a field of a record cannot hold a quote or a line end");
        }
        if (!first) record += ',';
        first = false;
        record += '"';
        record += field;
        record += '"';
    }
    record += "\r\n";
    return record;
}

}  // namespace rt
