#pragma once
// The skinned window shared by both programs: a borderless form shaped like
// the device in its skin picture, texts drawn on the device's screen, picture
// buttons with normal, hover and pressed faces, and a translucent display
// panel lying behind the screen opening.
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "button_faces.h"
#include "control_array.h"
#include "form.h"
#include "image.h"
#include "picturebox.h"

namespace toolkit {

// Where a window's parts sit in its design (twips on the form, pixels inside
// the picture box).
struct SkinLayout {
    float pictureLeft = 0, pictureTop = 0;  // picHintergrund, twips
    float closeLeft = 0, closeTop = 0;      // imgEnde(0), pixels inside picHintergrund
    float skinLeft = 0, skinTop = 0;        // imgHintergrund, twips
};

// One pass of a window's texts: the colour, and where the first item starts
// (pixels inside the picture box). The texts are printed once per pass.
struct TextPass {
    COLORREF colour;
    float x, y;
};

// A picture button: four images, index 0 visible inside the picture box,
// indexes 1 to 3 hidden holders of the normal, hover and pressed faces.
using PictureButton = rt::ControlArray<rt::Image>;

class SkinnedForm : public rt::Form {
public:
    // Controls, reachable by name as on every form.
    rt::PictureBox picHintergrund;
    PictureButton imgEnde;
    rt::Image imgHintergrund;

protected:
    explicit SkinnedForm(const SkinLayout& layout);

    // The composition: clear, place and paint the skin, draw the texts, centre
    // the window on the screen, cut its outline from the picture, show the panel.
    void Compose(const std::function<void()>& drawTexts, rt::Form& panel);

    // The text step of a composition: every item printed at the pass's x, one
    // below the other from its y, once for each pass in order.
    void PrintTexts(std::span<const std::wstring> items, std::span<const TextPass> passes);

    // The close button: its faces follow the mouse; a click is the window's own.
    void imgEnde_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void imgEnde_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void imgEnde_MouseUp(int Index, int Button, int Shift, float X, float Y);
    virtual void imgEnde_Click(int Index) = 0;
    // The pointer is on the background: every button shows its normal face.
    virtual void ResetButtons();

    // Index 0 of a button lives in the picture box, the face holders on the form.
    PictureButton::Factory ButtonFactory();
    // Adds the hidden face holders 1 to 3; index 0 already shows the normal face.
    static void AddFaces(PictureButton& button, int hover, int pressed);

private:
    void picHintergrund_MouseMove(int Button, int Shift, float X, float Y);
};

// Shows face `face` of a button array on its index 0.
void ShowFace(PictureButton& button, Face face);

}  // namespace toolkit
