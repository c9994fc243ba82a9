#include "image.h"

namespace rt {

Image::Image(Container& container, const ImageDesign& design) : LightControl(container) {
    Move(design.left, design.top, 0, 0);
    SetPicture(design.picture);
    SetVisible(design.visible);
}

void Image::SetPicture(const Picture& picture) {
    if (picture == picture_) return;
    picture_ = picture;
    const Container& c = Parent();
    Move(Left(), Top(), c.ToScaleX(picture.Width()), c.ToScaleY(picture.Height()));
    Invalidate();
}

void Image::Paint(HDC dc) const { picture_.Draw(dc, PixelBounds().left, PixelBounds().top); }

}  // namespace rt
