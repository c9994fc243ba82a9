#include "sequential_fields.h"

#include "failure.h"

namespace rt {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsFieldEnd(char c) { return c == ',' || IsLineEnd(c); }

// Reads fields one after another; `pos_` is always at the start of a field.
class FieldReader {
public:
    explicit FieldReader(std::string_view content) : text_(content) {}

    bool AtEnd() const { return pos_ >= text_.size(); }

    void SkipBlanks() {
        while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
    }

    // The field at the current position, which is past its leading blanks.
    std::string Next() {
        std::string field = !AtEnd() && text_[pos_] == '"' ? Quoted() : Unquoted();
        SkipToNextField();
        return field;
    }

private:
    std::string Quoted() {
        const std::size_t start = ++pos_;
        while (!AtEnd() && text_[pos_] != '"' && !IsLineEnd(text_[pos_])) ++pos_;
        std::string field(text_.substr(start, pos_ - start));
        if (!AtEnd() && text_[pos_] == '"') ++pos_;
        return field;
    }

    std::string Unquoted() {
        const std::size_t start = pos_;
        while (!AtEnd() && !IsFieldEnd(text_[pos_])) ++pos_;
        std::size_t end = pos_;
        while (end > start && IsBlank(text_[end - 1])) --end;
        return std::string(text_.substr(start, end - start));
    }

    // Drops what is left of the field, then its comma or line end (CR LF is one).
    void SkipToNextField() {
        while (!AtEnd() && !IsFieldEnd(text_[pos_])) ++pos_;
        if (AtEnd()) return;
        const char end = text_[pos_++];
        if (end == '\r' && !AtEnd() && text_[pos_] == '\n') ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::vector<std::string> ReadFields(std::string_view content, std::size_t count) {
    std::vector<std::string> fields;
    FieldReader reader(content);
    while (fields.size() < count) {
        reader.SkipBlanks();
        if (reader.AtEnd()) break;  // blanks at the very end are not a field
        fields.push_back(reader.Next());
    }
    return fields;
}

}  // namespace rt
