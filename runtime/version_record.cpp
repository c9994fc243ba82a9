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
    std::span<const std::byte> Part(std::uint64_t at, std::uint64_t n) const {  // only where Has(at, n)
        return bytes_.subspan(static_cast<std::size_t>(at), static_cast<std::size_t>(n));
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

// A program file's sections, to find the bytes of an address in the file.
struct Sections {
    std::uint64_t table;  // file offset of the section table
    std::uint32_t count;

    // The file offset of `n` bytes at the relative virtual address `address`,
    // when one section holds all of them in the file.
    std::optional<std::uint64_t> FileOffset(const Bytes& b, std::uint64_t address, std::uint64_t n) const {
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint64_t at = table + 40u * i;
            if (!b.Has(at, 40)) return std::nullopt;
            const std::uint64_t size = b.Get(at + 8, 4), start = b.Get(at + 12, 4);
            const std::uint64_t raw = b.Get(at + 16, 4), offset = b.Get(at + 20, 4);
            const std::uint64_t held = size != 0 ? std::min(size, raw) : raw;  // the rest is not in the file
            if (address >= start && address - start <= held && n <= held - (address - start)) {
                const std::uint64_t found = offset + (address - start);
                return b.Has(found, n) ? std::optional(found) : std::nullopt;
            }
        }
        return std::nullopt;
    }
};

// The OffsetToData of an entry of the resource directory at `directory`: the
// one with the number `id`, or the first of all when there is no id.
std::optional<std::uint32_t> ResourceEntry(const Bytes& b, std::uint64_t directory, std::optional<std::uint32_t> id) {
    if (!b.Has(directory, 16)) return std::nullopt;
    const std::uint32_t named = b.Get(directory + 12, 2), numbered = b.Get(directory + 14, 2);
    for (std::uint32_t i = id ? named : 0; i < named + numbered; ++i) {
        const std::uint64_t entry = directory + 16 + 8u * i;
        if (!b.Has(entry, 8)) return std::nullopt;
        if (!id || b.Get(entry, 4) == *id) return b.Get(entry + 4, 4);
    }
    return std::nullopt;
}

// Where a program file's resource directory starts in the file, and its sections.
struct Resources {
    Sections sections;
    std::uint64_t root;
};

std::optional<Resources> ResourcesOf(const Bytes& b) {
    constexpr std::uint32_t kMz = 0x5A4D, kPe = 0x00004550, kPe32 = 0x10B, kPe32Plus = 0x20B;
    if (b.Get(0, 2) != kMz || !b.Has(0x3C, 4)) return std::nullopt;
    const std::uint64_t pe = b.Get(0x3C, 4), header = pe + 24;
    if (!b.Has(pe, 24) || b.Get(pe, 4) != kPe) return std::nullopt;
    const Sections sections{header + b.Get(pe + 20, 2), b.Get(pe + 6, 2)};
    const std::uint32_t magic = b.Get(header, 2);
    if (magic != kPe32 && magic != kPe32Plus) return std::nullopt;
    // The resource directory is the third of the optional header's directories.
    const std::uint64_t directories = header + (magic == kPe32 ? 96 : 112);
    if (b.Get(directories - 4, 4) < 3 || directories + 24 > sections.table) return std::nullopt;
    const std::uint32_t address = b.Get(directories + 16, 4);  // 0: the program has none
    const std::optional<std::uint64_t> root = address ? sections.FileOffset(b, address, 16) : std::nullopt;
    if (!root) return std::nullopt;
    return Resources{sections, *root};
}

}  // namespace

std::optional<VersionRecord> ParseVersionRecord(std::span<const std::byte> block) {
    const Bytes b(block);
    const std::optional<Node> root = NodeAt(b, 0, block.size());
    constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
    if (!root || root->valueLength < 52 || b.Get(root->value, 4) != kFixedSignature) return std::nullopt;
    VersionRecord record;
    const std::uint32_t ms = b.Get(root->value + 8, 4), ls = b.Get(root->value + 12, 4);
    record = {int(ms >> 16), int(ms & 0xFFFF), int(ls >> 16), int(ls & 0xFFFF), {}, {}};
    bool tableRead = false;
    Children(b, *root, [&](const Node& info) {
        if (info.key != L"StringFileInfo") return;
        Children(b, info, [&](const Node& table) {
            if (std::exchange(tableRead, true)) return;
            Children(b, table, [&](const Node& entry) {
                std::size_t p = entry.value;
                const std::wstring value = b.Text(p, std::min(entry.end, entry.value + entry.valueLength));
                if (entry.key == L"CompanyName") record.companyName = value;
                if (entry.key == L"InternalName") record.internalName = value;
            });
        });
    });
    return record;
}

std::optional<VersionRecord> ProgramVersionRecord(std::span<const std::byte> file) {
    const Bytes b(file);
    const std::optional<Resources> resources = ResourcesOf(b);
    if (!resources) return std::nullopt;
    // Type, then name, then language: the first two lead to directories, the
    // last to the record's data entry. Their offsets count from the root.
    constexpr std::uint32_t kVersionType = 16, kSubdirectory = 0x80000000u;
    const std::optional<std::uint32_t> path[] = {kVersionType, 1, std::nullopt};
    std::uint64_t at = resources->root;
    for (std::size_t level = 0; level < 3; ++level) {
        const std::optional<std::uint32_t> entry = ResourceEntry(b, at, path[level]);
        if (!entry || ((*entry & kSubdirectory) != 0) != (level < 2)) return std::nullopt;
        at = resources->root + (*entry & ~kSubdirectory);
    }
    if (!b.Has(at, 8)) return std::nullopt;
    const std::uint32_t size = b.Get(at + 4, 4);
    const std::optional<std::uint64_t> data = resources->sections.FileOffset(b, b.Get(at, 4), size);
    if (!data) return std::nullopt;
    return ParseVersionRecord(b.Part(*data, size));
}

}  // namespace rt
