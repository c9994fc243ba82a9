// bench_effect: how many steps per second the effect window manages, against
// the obvious way of building it, one system EDIT control per column.
//
//   scripts/bench effect [seconds] [rounds]
//
// Each side runs `seconds` in all (default 5), split into `rounds` turns
// (default 5) that alternate product, reference, product, ...: load from other
// work on the machine then falls on both sides alike.
//
// The product is the real frmmain: loaded without a switch (the designed
// window, maximised, at the display's dpi), its column layout run, then steps
// exactly as its step loop takes them: saver::RunPass over rt::Rnd,
// Step(col, k), rt::DoEvents(). The reference is a window of the same size
// with one read-only multi-line EDIT per column, placed where the product's
// columns are and drawing with the product's font at the same dpi, the same
// column and piece choice, the same clear rule, SetWindowTextW and a
// PeekMessage loop after each step. Both run in this one process, each in its
// own top-level window, shown only during its turns. `scripts/bench --dpi 144
// effect` runs both at 144 dpi.
//
// Last line: "effect ratio: R", R = product steps/s / reference steps/s
// (the reference's time per step divided by ours; higher is better).
// Afterwards the window's pixels are read back: a bench of an effect that
// draws nothing would be worthless, so it says how many columns show green.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "saver_windows.h"
#include "fonts.h"
#include "handles.h"
#include "mdlSaver.h"
#include "random.h"
#include "bench_clock.h"
#include "memory_surface.h"

namespace {

constexpr COLORREF kDigitGreen = RGB(0, 128, 0);

struct Figures {
    long long steps = 0;
    double seconds = 0;
    double PerSecond() const { return seconds > 0 ? static_cast<double>(steps) / seconds : 0; }
    Figures& operator+=(const Figures& o) {
        steps += o.steps;
        seconds += o.seconds;
        return *this;
    }
};

// Lets everything already queued (first paints, size messages) happen before
// the clock starts.
void Settle(double seconds) {
    const double end = Now() + seconds;
    while (Now() < end) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    }
}

// The columns, given as their places in the window, that hold at least one
// green pixel (green clearly above red and blue), read back from the window's
// own surface.
int GreenColumns(HWND window, const std::vector<RECT>& columns) {
    RECT client{};
    ::GetClientRect(window, &client);
    const int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0) return 0;
    rt::WindowDc source(window);
    rt::MemorySurface copy(w, h);
    ::BitBlt(copy.Dc(), 0, 0, w, h, source.get(), 0, 0, SRCCOPY);
    ::GdiFlush();
    const std::uint32_t* pixels = copy.Bits();
    int green = 0;
    for (const RECT& c : columns) {
        bool found = false;
        for (int y = 0; y < h && !found; ++y) {
            for (int x = c.left; x < c.right && x < w && !found; ++x) {
                const std::uint32_t p = pixels[static_cast<std::size_t>(y) * w + x];
                const int b = p & 0xFF, g = (p >> 8) & 0xFF, r = (p >> 16) & 0xFF;
                found = g >= 64 && g > r + 32 && g > b + 32;
            }
        }
        green += found ? 1 : 0;
    }
    return green;
}

// ---- the product -----------------------------------------------------------

Figures RunProduct(frmmain& form, double seconds) {
    Figures f;
    const auto count = [&form] { return static_cast<int>(form.ColumnCount); };
    const auto step = [&form, &f](int col, int k) {
        form.Step(col, k);
        rt::DoEvents();
        ++f.steps;
    };
    const double start = Now();
    double now = start;
    // Whole passes, as frmmain's loop runs them; the clock is read between passes.
    do {
        saver::RunPass(count, rt::Rnd, step);
        now = Now();
    } while (now - start < seconds);
    f.seconds = now - start;
    return f;
}

// ---- the reference: one EDIT per column --------------------------------------

class EditColumns {
public:
    // One EDIT in each place, drawing with `font`.
    EditColumns(const std::vector<RECT>& places, SIZE size, HFONT font) : places_(places), texts_(places.size()) {
        black_.reset(::CreateSolidBrush(RGB(0, 0, 0)));
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &EditColumns::Procedure;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = black_.get();
        wc.lpszClassName = L"VeltrinBenchEditColumns";
        ::RegisterClassExW(&wc);
        window_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"reference", WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                                    size.cx, size.cy, nullptr, nullptr, wc.hInstance, this);
        for (std::size_t i = 0; i < places.size(); ++i) {
            const RECT& r = places[i];
            HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, r.left, r.top,
                                          r.right - r.left, r.bottom - r.top, window_,
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)), wc.hInstance, nullptr);
            ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            edits_.push_back(edit);
        }
    }
    // The window goes first: its EDITs use the font and the brush until then.
    ~EditColumns() { ::DestroyWindow(window_); }
    EditColumns(const EditColumns&) = delete;
    EditColumns& operator=(const EditColumns&) = delete;

    HWND hWnd() const { return window_; }
    void Show(bool show) const {
        ::ShowWindow(window_, show ? SW_SHOW : SW_HIDE);
        if (show) ::UpdateWindow(window_);
    }
    int Columns() const { return static_cast<int>(edits_.size()); }
    const std::vector<RECT>& Places() const { return places_; }

    void Step(int col, int k) {
        std::wstring& text = texts_.at(static_cast<std::size_t>(col));
        saver::AppendPiece(text, k);  // the same rule: over 125 characters empties, then the piece
        ::SetWindowTextW(edits_[static_cast<std::size_t>(col)], text.c_str());
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE) {
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        }
        auto* self = reinterpret_cast<EditColumns*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLOREDIT)) {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, kDigitGreen);
            ::SetBkColor(dc, RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(self->black_.get());
        }
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    rt::UniqueBrush black_;
    HWND window_ = nullptr;
    std::vector<RECT> places_;
    std::vector<HWND> edits_;
    std::vector<std::wstring> texts_;
};

// The choice RunPass makes, with the clock read after every step: one of
// these steps takes milliseconds, so a whole pass would overrun a turn.
Figures RunReference(EditColumns& reference, rt::RandomSource& random, double seconds) {
    Figures f;
    const double start = Now();
    double now = start;
    while (now - start < seconds) {
        const int n = reference.Columns();
        for (int j = 0; j <= n && now - start < seconds; ++j) {
            const int column = saver::ChooseColumn(random.Next(), reference.Columns());
            const int piece = saver::ChoosePiece(random.Next());
            reference.Step(column, piece);
            ++f.steps;
            now = Now();
        }
    }
    f.seconds = now - start;
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    if (!(seconds > 0) || rounds < 1) {
        std::printf("usage: bench_effect [seconds per side] [rounds]\n");
        return 2;
    }

    // The product: its own start-up without a switch, then its layout.
    SaverWindows windows;
    frmmain& form = windows.effectWindow;
    form.Load();
    // DoIt would start frmmain's endless step loop on its first tick; the
    // bench takes the steps itself.
    form.DoIt.SetEnabled(false);
    form.Show();
    form.Timer1.Tick();
    // The reference draws what the product draws: its columns' places, its font, its dpi.
    const int dpi = form.Dpi();
    std::vector<RECT> columns;
    for (int i = 0; i < form.ColumnCount; ++i) columns.push_back(form.Text1(i).PixelBounds());
    RECT client{};
    ::GetClientRect(form.hWnd(), &client);
    const HFONT font = rt::GetFont({L"Arial", 9.75f, FW_NORMAL, ANSI_CHARSET}, dpi).get();
    EditColumns reference(columns, {client.right, client.bottom}, font);
    rt::RandomSource referenceRandom;  // the sequence rt::Rnd gives the product

    Figures product, ref;
    int productGreen = 0, referenceGreen = 0;
    RECT productClient{}, referenceClient{};
    const double turn = seconds / rounds;
    for (int r = 0; r < rounds; ++r) {
        const bool last = r + 1 == rounds;
        // A turn starts once the window has been shown and fully painted.
        reference.Show(false);
        form.Show();
        Settle(0.15);
        product += RunProduct(form, turn);
        if (last) {
            Settle(0.2);
            ::GetClientRect(form.hWnd(), &productClient);
            productGreen = GreenColumns(form.hWnd(), columns);
        }
        form.Hide();
        reference.Show(true);
        Settle(0.15);
        ref += RunReference(reference, referenceRandom, turn);
        if (last) {
            Settle(0.2);
            ::GetClientRect(reference.hWnd(), &referenceClient);
            referenceGreen = GreenColumns(reference.hWnd(), reference.Places());
        }
    }

    std::printf("%d turns each, alternating\n", rounds);
    std::printf("product:   frmmain at %d dpi, %d columns receiving pieces, client %ldx%ld\n", dpi,
                static_cast<int>(form.ColumnCount), productClient.right, productClient.bottom);
    std::printf("product:   %lld steps in %.2f s = %.0f steps/s; columns showing green: %d of %d\n", product.steps,
                product.seconds, product.PerSecond(), productGreen, static_cast<int>(form.ColumnCount));
    std::printf("reference: %d EDIT controls in the product's columns (the first %ldx%ld px) with its font, client %ldx%ld\n",
                reference.Columns(), columns.front().right - columns.front().left,
                columns.front().bottom - columns.front().top, referenceClient.right, referenceClient.bottom);
    std::printf("reference: %lld steps in %.2f s = %.0f steps/s; columns showing green: %d of %d\n", ref.steps,
                ref.seconds, ref.PerSecond(), referenceGreen, reference.Columns());
    if (productGreen == 0) std::printf("WARNING: the product drew no green digits; its figure means nothing\n");
    std::printf("(Wine figures: measured under Wine on a virtual X display)\n");
    std::printf("effect ratio: %.2f\n", ref.PerSecond() > 0 ? product.PerSecond() / ref.PerSecond() : 0.0);
    std::fflush(stdout);
    // Unloading frmmain ends the program by its own rule (ExitProcess), so
    // the bench ends here the same way rather than through its destructor.
    ::ExitProcess(0);
}
