#include "picture_button.h"

namespace toolkit {

PictureButton::PictureButton(rt::Container& home, float left, float top, int normal, int hover, int pressed,
                             rt::Callback<void()> click)
    : rt::Image(home, {left, top, rt::Picture::FromResource(normal), true}),
      faces_{GetPicture(), rt::Picture::FromResource(hover), rt::Picture::FromResource(pressed)} {
    MouseDown = [this](int, int, float, float) { ShowFace(Face::Pressed); };
    MouseMove = [this](int Button, int, float, float) { ShowFace(Button == 1 ? Face::Pressed : Face::Hover); };
    // Released anywhere, it is back to normal; only a release over it clicks.
    MouseUp = [this](int, int, float, float) { ShowFace(Face::Normal); };
    Click = std::move(click);
}

void PictureButton::ShowFace(Face face) { SetPicture(faces_[static_cast<int>(face)]); }

}  // namespace toolkit
