#pragma once
// An image control: windowless, drawn on its container's surface, sized to
// its picture.
#include "container.h"
#include "picture.h"

namespace rt {

struct ImageDesign {
    float left = 0, top = 0;  // in the container's scale
    Picture picture{};
    bool visible = true;
};

class Image : public LightControl {
public:
    using Design = ImageDesign;
    Image(Container& container, const ImageDesign& design);

    const Picture& GetPicture() const noexcept { return picture_; }
    void SetPicture(const Picture& picture);

    void Paint(HDC dc) const override;

private:
    Picture picture_;
};

}  // namespace rt
