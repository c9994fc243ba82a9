#include "setup_args.h"

#include <algorithm>
#include <cwctype>

namespace setup {
namespace {

std::wstring Lower(std::wstring_view text) {
    std::wstring lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return lower;
}

// Blanks and tabs around an argument, which a script's quoting easily leaves
// ("/quiet "), do not change what it asks for.
std::wstring_view Trimmed(std::wstring_view argument) {
    const std::size_t first = argument.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    return argument.substr(first, argument.find_last_not_of(L" \t") - first + 1);
}

const SwitchDesign* Named(std::wstring_view name) {
    for (const SwitchDesign& known : kSwitches) {
        if (name == known.name || (known.alias && name == known.alias)) return &known;
    }
    return nullptr;
}

// One argument into `options`; false when it is refused.
bool Take(std::wstring_view argument, SetupOptions& options) {
    if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-')) return false;
    const std::size_t equals = argument.find(L'=');
    const std::wstring name = Lower(argument.substr(1, equals - 1));
    const std::optional<std::wstring_view> value =
        equals == std::wstring_view::npos ? std::nullopt : std::optional(argument.substr(equals + 1));
    const SwitchDesign* known = Named(name);
    if (!known || value.has_value() != (known->value[0] != nullptr)) return false;
    switch (known->which) {
        case Switch::Quiet:
            options.quiet = true;
            return true;
        case Switch::Language:
            options.language = LanguageOfCode(Lower(*value));
            return options.language.has_value();
        case Switch::Log:
            if (!value->empty()) options.log = std::wstring(*value);
            return !value->empty();
        case Switch::Uninstall:
            options.uninstall = true;
            return true;
        case Switch::Help:
            options.help = true;
            return true;
    }
    return false;
}

}  // namespace

SetupOptions ParseArguments(std::span<const std::wstring> arguments) {
    SetupOptions options;
    for (const std::wstring& argument : arguments) options.valid = Take(Trimmed(argument), options) && options.valid;
    return options;
}

const wchar_t* LanguageCode(Language language) { return language == Language::German ? L"de" : L"en"; }

std::optional<Language> LanguageOfCode(std::wstring_view code) {
    if (code == L"en") return Language::English;
    if (code == L"de") return Language::German;
    return std::nullopt;
}

}  // namespace setup
