#pragma once
// The skinned window shared by both programs: a borderless form shaped like
// the device in its skin picture, texts drawn on the device's screen, picture
// buttons, and a translucent display panel lying behind the screen opening.
// The window is given its panel when it is made; each holds the other.
#include <span>
#include <string>

#include "form.h"
#include "image.h"
#include "picture_button.h"
#include "picturebox.h"

namespace toolkit {

class PanelForm;

// Where a window's parts sit in its design (twips on the form, pixels inside
// the picture box).
struct SkinLayout {
    float pictureLeft = 0, pictureTop = 0;  // picHintergrund, twips
    float closeLeft = 0, closeTop = 0;      // imgEnde, pixels inside picHintergrund
    float skinLeft = 0, skinTop = 0;        // imgHintergrund, twips
    bool keyPreview = false;                // keys reach the window whichever part has the focus
};

// One pass of a window's texts: the colour, and where the first item starts
// (pixels inside the picture box). The texts are printed once per pass.
struct TextPass {
    COLORREF colour;
    float x, y;
};

class SkinnedForm : public rt::Form {
public:
    // Controls, reachable by name as on every form.
    rt::PictureBox picHintergrund;
    PictureButton imgEnde;
    rt::Image imgHintergrund;

    PanelForm& Panel() const noexcept { return panel_; }

protected:
    SkinnedForm(const SkinLayout& layout, PanelForm& panel);

    // The composition: clear, place and paint the skin, print every item at
    // each pass's x, one below the other from its y, a pass after another;
    // centre the window on the screen, cut its outline from the picture, show
    // the panel.
    void Compose(std::span<const std::wstring> items, std::span<const TextPass> passes);

    // The close button's click is the window's own.
    virtual void imgEnde_Click() = 0;
    // The pointer is on the background: every button shows its normal face.
    virtual void ResetButtons();

private:
    void picHintergrund_MouseMove(int Button, int Shift, float X, float Y);

    PanelForm& panel_;
};

}  // namespace toolkit
