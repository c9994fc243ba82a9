#include "setup_rules.h"

#include "screen_texts.h"
#include "text_encoding.h"

namespace setup {

ButtonCaptions CaptionsFor(Language language) {
    return language == Language::English ? ButtonCaptions{L"&Next", L"&Cancel"}
                                         : ButtonCaptions{L"&Weiter", L"&Abbrechen"};
}

std::vector<std::wstring> ScreenItems(bool finished, Language language, const rt::VersionRecord& version) {
    const bool english = language == Language::English;
    std::vector<std::wstring> items = {
        english ? L"Veltrin-Screen-Saver" : L"Veltrin-Bildschirmschoner",
        english ? L"Free Program!" : L"Kostenloses Programm!",
        toolkit::AuthorLine(version),
        // Three empty lines set the version apart from what follows.
        toolkit::VersionLine(version) + L"\r\r",
    };
    if (!finished && english) {
        items.insert(items.end(), {L"Please click on the button", L"at the right buttom corner", L"to install the program."});
    } else if (!finished) {
        items.insert(items.end(), {L"Bitte klicken Sie auf die", L"rechte untere Schalt-", L"fl\u00E4che, um das Programm",
                                   L"zu installieren."});
    } else if (english) {
        items.insert(items.end(), {L"Screen Saver has been", L"successfully installed.", L"Setup will end now."});
    } else {
        items.insert(items.end(), {L"Die Installation wurde", L"erfolgreich abgeschlossen.", L"Setup wird jetzt beendet."});
    }
    // Every item is printed with a carriage return of its own: one empty line below it.
    for (std::wstring& item : items) item += L'\r';
    return items;
}

Message InstallFailureMessage(Language language) {
    return language == Language::English
               ? Message{L"The screen saver could not be installed. Setup will end.", L"Setup-Error"}
               : Message{L"Der Bildschirmschoner konnte nicht installiert werden. Setup wird beendet.", L"Setup-Fehler"};
}

bool IsAbsolutePath(std::wstring_view path) {
    const auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    const bool drive = path.size() >= 3 && ((path[0] | 0x20) >= L'a' && (path[0] | 0x20) <= L'z') && path[1] == L':' &&
                       separator(path[2]);
    const bool unc = path.size() >= 3 && separator(path[0]) && separator(path[1]) && !separator(path[2]);
    return drive || unc;
}

std::wstring JoinPath(const std::wstring& folder, const wchar_t* name) { return folder + L"\\" + name; }

std::wstring DisplaySettingsCommand(std::int32_t& page) {
    if (page < 0 || page > 3) page = 3;
    return L"rundll32.exe shell32.dll,Control_RunDLL desk.cpl,," + rt::Decimal(page);
}

}  // namespace setup
