#include "setup_texts.h"

#include "screen_texts.h"
#include "setup_args.h"
#include "text_encoding.h"

namespace setup {

ButtonCaptions CaptionsFor(Language language) {
    return language == Language::English ? ButtonCaptions{L"&Next", L"&Cancel"}
                                         : ButtonCaptions{L"&Weiter", L"&Abbrechen"};
}

namespace {

// What follows the version: the invitation, or once installed the completion,
// in English and German.
constexpr const wchar_t* kClosingItems[2][2][4] = {
    {{L"Please click on the button", L"at the right buttom corner", L"to install the program."},
     {L"Bitte klicken Sie auf die", L"rechte untere Schalt-", L"fl\u00E4che, um das Programm", L"zu installieren."}},
    {{L"Screen Saver has been", L"successfully installed.", L"Setup will end now."},
     {L"Die Installation wurde", L"erfolgreich abgeschlossen.", L"Setup wird jetzt beendet."}},
};

}  // namespace

std::vector<std::wstring> ScreenItems(bool finished, Language language, const rt::VersionRecord& version) {
    std::vector<std::wstring> items;
    items.push_back(rt::FromWindows1252(toolkit::TextsIn(language).title));
    items.push_back(rt::FromWindows1252(toolkit::TextsIn(language).note));
    items.push_back(toolkit::AuthorLine(version));
    items.push_back(toolkit::VersionLine(version) + L"\r\r");  // three empty lines set the version apart
    for (const wchar_t* item : kClosingItems[finished][language == Language::German]) {
        if (item) items.emplace_back(item);
    }
    // Every item is printed with a carriage return of its own: one empty line below it.
    for (std::wstring& item : items) item += L'\r';
    return items;
}

namespace {

constexpr wchar_t kSetupTitle[] = L"Veltrin-Setup";
constexpr wchar_t kErrorTitle[] = L"Setup-Error";
constexpr wchar_t kGermanErrorTitle[] = L"Setup-Fehler";
constexpr wchar_t kRunning[] = L"Veltrin-Setup is already running.\n\nVeltrin-Setup l\u00E4uft bereits.";

// Each text in English, then in German.
constexpr struct {
    const wchar_t* text;
    const wchar_t* title;
} kMessages[][2] = {
    {{L"The screen saver could not be installed. Setup will end.", kErrorTitle},
     {L"Der Bildschirmschoner konnte nicht installiert werden. Setup wird beendet.", kGermanErrorTitle}},
    {{L"Remove the screen saver Veltrin and its settings from this computer?", kSetupTitle},
     {L"Soll der Bildschirmschoner Veltrin mit seinen Einstellungen von diesem Computer entfernt werden?", kSetupTitle}},
    {{L"The screen saver has been removed.", kSetupTitle}, {L"Der Bildschirmschoner wurde entfernt.", kSetupTitle}},
    {{L"The screen saver is not installed.", kSetupTitle}, {L"Der Bildschirmschoner ist nicht installiert.", kSetupTitle}},
    {{L"The screen saver could not be removed. Setup will end.", kErrorTitle},
     {L"Der Bildschirmschoner konnte nicht entfernt werden. Setup wird beendet.", kGermanErrorTitle}},
    {{kRunning, kSetupTitle}, {kRunning, kSetupTitle}},
};

// The switches as their list names them, then the exit codes.
std::wstring Usage(Language language) {
    const int german = language == Language::German;
    std::wstring synopsis = kSetupTitle, lines;
    for (const SwitchDesign& s : kSwitches) {
        std::wstring form = std::wstring(L"/").append(s.name);
        if (s.value[german]) form.append(L"=").append(s.value[german]);
        if (s.which != Switch::Help) synopsis.append(L" [").append(form).append(L"]");
        lines.append(form);
        if (s.alias) lines.append(german ? L" oder /" : L" or /").append(s.alias);
        lines.append(L"\t").append(s.does[german]).append(L"\n");
    }
    return synopsis.append(L"\n\n").append(lines).append(L"\n").append(
        german ? L"R\u00FCckgabewerte: 0 erledigt, 1 fehlgeschlagen, 2 abgebrochen, 3 ein anderes Setup l\u00E4uft."
               : L"Exit codes: 0 done, 1 failed, 2 cancelled, 3 another setup is running.");
}

}  // namespace

Message MessageFor(Say what, Language language) {
    if (what == Say::Usage || what == Say::Refused) return {Usage(language), kSetupTitle};
    const auto& message = kMessages[static_cast<int>(what)][language == Language::German ? 1 : 0];
    return {message.text, message.title};
}

}  // namespace setup
