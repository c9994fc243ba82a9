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
        rt::FromWindows1252(toolkit::TextsIn(language).title),
        rt::FromWindows1252(toolkit::TextsIn(language).note),
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

namespace {

constexpr wchar_t kSetupTitle[] = L"Veltrin-Setup";
constexpr wchar_t kErrorTitle[] = L"Setup-Error";
constexpr wchar_t kGermanErrorTitle[] = L"Setup-Fehler";
constexpr wchar_t kRunning[] = L"Veltrin-Setup is already running.\n\nVeltrin-Setup l\u00E4uft bereits.";

// Each text in English, then in German.
constexpr Message kMessages[][2] = {
    {{L"The screen saver could not be installed. Setup will end.", kErrorTitle},
     {L"Der Bildschirmschoner konnte nicht installiert werden. Setup wird beendet.", kGermanErrorTitle}},
    {{L"Remove the screen saver Veltrin and its settings from this computer?", kSetupTitle},
     {L"Soll der Bildschirmschoner Veltrin mit seinen Einstellungen von diesem Computer entfernt werden?", kSetupTitle}},
    {{L"The screen saver has been removed.", kSetupTitle}, {L"Der Bildschirmschoner wurde entfernt.", kSetupTitle}},
    {{L"The screen saver is not installed.", kSetupTitle}, {L"Der Bildschirmschoner ist nicht installiert.", kSetupTitle}},
    {{L"The screen saver could not be removed. Setup will end.", kErrorTitle},
     {L"Der Bildschirmschoner konnte nicht entfernt werden. Setup wird beendet.", kGermanErrorTitle}},
    {{kRunning, kSetupTitle}, {kRunning, kSetupTitle}},
    {{L"Veltrin-Setup [/quiet] [/lang=en|de] [/log=PATH] [/uninstall]\n\n"
      L"/quiet\tinstall or remove without any window or message\n"
      L"/lang=en|de\tthe language of the installation (English if not given)\n"
      L"/log=PATH\tappend an account of the run to the file PATH\n"
      L"/uninstall\tremove the installed screen saver\n"
      L"/? or /help\tthis message\n\n"
      L"Exit codes: 0 done, 1 failed, 2 cancelled, 3 another setup is running.",
      kSetupTitle},
     {L"Veltrin-Setup [/quiet] [/lang=en|de] [/log=PFAD] [/uninstall]\n\n"
      L"/quiet\tohne Fenster und ohne Meldung installieren oder entfernen\n"
      L"/lang=en|de\tdie Sprache der Installation (ohne Angabe Englisch)\n"
      L"/log=PFAD\tden Ablauf an die Datei PFAD anh\u00E4ngen\n"
      L"/uninstall\tden installierten Bildschirmschoner entfernen\n"
      L"/? oder /help\tdiese Meldung\n\n"
      L"R\u00FCckgabewerte: 0 erledigt, 1 fehlgeschlagen, 2 abgebrochen, 3 ein anderes Setup l\u00E4uft.",
      kSetupTitle}},
};

}  // namespace

Message MessageFor(Say what, Language language) {
    return kMessages[static_cast<int>(what)][language == Language::German ? 1 : 0];
}

std::wstring DisplaySettingsCommand(std::int32_t& page) {
    if (page < 0 || page > 3) page = 3;
    return L"rundll32.exe shell32.dll,Control_RunDLL desk.cpl,," + rt::Decimal(page);
}

}  // namespace setup
