#pragma once
// A picture button of a skinned window: an image that shows its normal face,
// its hover face while the pointer is over it, and its pressed face while the
// left button holds it (it keeps the pointer's moves until the release); a
// click on it runs its form's handler.
#include "callback.h"
#include "image.h"

namespace toolkit {

enum class Face { Normal, Hover, Pressed };

class PictureButton : public rt::Image {
public:
    // At (left, top) in `home`'s scale, with the faces of three picture resources.
    PictureButton(rt::Container& home, float left, float top, int normal, int hover, int pressed, rt::Callback<void()> click);

    void ShowFace(Face face);

private:
    rt::Picture faces_[3];
};

}  // namespace toolkit
