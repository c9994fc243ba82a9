#include "setup_rules.h"

namespace setup {

ButtonCaptions CaptionsFor(Language language) {
    return language == Language::English ? ButtonCaptions{L"&Next", L"&Cancel"}
                                         : ButtonCaptions{L"&Weiter", L"&Abbrechen"};
}

std::vector<std::string> ScreenItems(bool finished, Language language, std::string_view company,
                                     saver::VersionNumbers version) {
    const bool english = language == Language::English;
    std::vector<std::string> items = {
        english ? "Veltrin-Screen-Saver" : "Veltrin-Bildschirmschoner",
        english ? "Free Program!" : "Kostenloses Programm!",
        "Autor: " + std::string(company),
        // Three empty lines set the version apart from what follows.
        "Version: " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
            std::to_string(version.revision) + "\r\r",
    };
    if (!finished && english) {
        items.insert(items.end(), {"Please click on the button", "at the right buttom corner", "to install the program."});
    } else if (!finished) {
        items.insert(items.end(), {"Bitte klicken Sie auf die", "rechte untere Schalt-", "fl\xE4" "che, um das Programm",
                                   "zu installieren."});
    } else if (english) {
        items.insert(items.end(), {"Screen Saver has been", "successfully installed.", "Setup will end now."});
    } else {
        items.insert(items.end(), {"Die Installation wurde", "erfolgreich abgeschlossen.", "Setup wird jetzt beendet."});
    }
    // Every item is printed with a carriage return of its own: one empty line below it.
    for (std::string& item : items) item += '\r';
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
    return L"rundll32.exe shell32.dll,Control_RunDLL desk.cpl,," + std::to_wstring(page);
}

}  // namespace setup
