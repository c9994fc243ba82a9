#pragma once
// Translucent windows: a form made a layered window with one opacity for the
// whole window. Shared by the skinned windows of both programs.
#include <windows.h>

#include <cstdint>

#include "form.h"

namespace toolkit {

// Whether the system has layered windows: version 5 (2000) and later.
bool LayeringSupported();

// Adds WS_EX_LAYERED to the window's extended style. A style that cannot be
// read is left alone rather than written back as something else.
void SetLayeredStyle(HWND window);

// Makes the form's window layered and gives it the opacity `alpha` (0 clear,
// 255 opaque; values outside are held to that range). On a system without
// layered windows nothing happens beyond asking for the version.
void ApplyAlpha(rt::Form& form, std::int32_t alpha);

// The display panels' opacity: the desktop shows faintly through them.
inline constexpr std::int32_t kPanelAlpha = 180;

}  // namespace toolkit
