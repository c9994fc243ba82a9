#include "version_record.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace rt {
namespace {

// Offsets are 64-bit: sums of a file's 32-bit fields must not wrap where
// std::size_t is 32 bits wide.
class Bytes {
public:
    explicit Bytes(std::span<const std::byte> bytes) : bytes_(bytes) {}
    bool Has(std::uint64_t at, std::uint64_t n) const { return at <= bytes_.size() && n <= bytes_.size() - at; }
    std::uint32_t Get(std::uint64_t at, std::size_t n) const {  // little-endian, 0 beyond the end
        std::uint32_t v = 0;
        for (std::size_t i = n; i-- > 0;) {
            v = v << 8 | (Has(at + i, 1) ? std::to_integer<std::uint32_t>(bytes_[static_cast<std::size_t>(at + i)]) : 0);
        }
        return v;
    }
    // A NUL-terminated UTF-16 text from `at` up to `end`; `at` moves past it.
    std::wstring Text(std::size_t& at, std::size_t end) const {
        std::wstring text;
        for (; at + 2 <= end; at += 2) {
            const auto c = static_cast<wchar_t>(Get(at, 2));
            if (c == 0) return at += 2, text;
            text += c;
        }
        return text;
    }

private:
    std::span<const std::byte> bytes_;
};

std::size_t Align4(std::size_t n) { return (n + 3) & ~std::size_t{3}; }

// One node of the record: its length, value length, key, and where its value
// and children start.
struct Node {
    std::size_t start, end, value, valueLength;
    bool text;
    std::wstring key;
};

std::optional<Node> NodeAt(const Bytes& b, std::size_t at, std::size_t limit) {
    const std::size_t length = b.Get(at, 2);
    if (length < 6 || at + length > limit || !b.Has(at, length)) return std::nullopt;
    Node n{at, at + length, 0, b.Get(at + 2, 2), b.Get(at + 4, 2) == 1, {}};
    std::size_t p = at + 6;
    n.key = b.Text(p, n.end);
    n.value = Align4(p);
    if (n.text) n.valueLength *= 2;  // counted in characters
    return n;
}

// Calls visit(child) for each child of `parent`, after its value.
template <class Visit>
void Children(const Bytes& b, const Node& parent, Visit&& visit) {
    for (std::size_t at = Align4(parent.value + parent.valueLength); at + 6 <= parent.end;) {
        const std::optional<Node> child = NodeAt(b, at, parent.end);
        if (!child) return;
        visit(*child);
        at = Align4(child->end);
    }
}

}  // namespace

std::optional<VersionRecord> ParseVersionRecord(std::span<const std::byte> block) {
    const Bytes b(block);
    const std::optional<Node> root = NodeAt(b, 0, block.size());
    constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
    if (!root || root->valueLength < 52 || b.Get(root->value, 4) != kFixedSignature) return std::nullopt;
    VersionRecord record;
    const std::uint32_t ms = b.Get(root->value + 8, 4), ls = b.Get(root->value + 12, 4);
    record = {int(ms >> 16), int(ms & 0xFFFF), int(ls >> 16), int(ls & 0xFFFF), {}};
    bool tableRead = false;
    Children(b, *root, [&](const Node& info) {
        if (info.key != L"StringFileInfo") return;
        Children(b, info, [&](const Node& table) {
            if (std::exchange(tableRead, true)) return;
            Children(b, table, [&](const Node& entry) {
                std::size_t p = entry.value;
                const std::wstring value = b.Text(p, std::min(entry.end, entry.value + entry.valueLength));
                if (entry.key == L"CompanyName") record.companyName = value;
            });
        });
    });
    return record;
}

}  // namespace rt
