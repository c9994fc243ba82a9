#pragma once
// Sequential files of fields, as the programs read and write them: fields
// separated by commas or line ends, text fields in double quotes, one record
// per line ending in CR LF. Free of the platform; sequential_file.h reads and
// writes the files themselves.
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// Up to `count` fields from the start of `content`; fewer when it ends first.
// - A field ends at a comma or a line end (CR LF, LF or CR alone); a line end
//   that ends the content does not start another field.
// - Blanks (spaces, tabs) before a field are skipped; blanks that end the
//   content are not a field.
// - A field that starts with a double quote is the text up to the next one; a
//   comma inside belongs to the field. Without a closing quote it runs to the
//   end of the line. Whatever follows the closing quote up to the next comma
//   or line end is dropped.
// - Any other field is the text up to the next comma or line end, without
//   the blanks at its end.
// Every other byte, NUL included, is taken as it is.
std::vector<std::string> ReadFields(std::string_view content, std::size_t count);

// One record: each field in double quotes, separated by commas, ending in
// CR LF. A field holding a double quote, CR or LF cannot be read back as it
// was written, so it is refused with rt::Failure.
std::string FormatRecord(std::initializer_list<std::string_view> fields);

}  // namespace rt
