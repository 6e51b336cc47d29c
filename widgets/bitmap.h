// A picture shared by reference counting: loaded from the embedded resources by id, or made
// from an image. Draws plainly, colour-keyed (the transparent colour) or with constant alpha.
#pragma once

#include "platform/graphics.h"
#include "widgets/geometry.h"
#include "widgets/reference_counter.h"

namespace VSTGUI {

class CDrawContext;

class CBitmap : public CReferenceCounter {
public:
    // An unknown id gives an empty 0 x 0 bitmap that draws nothing.
    explicit CBitmap(int32_t resourceId);
    explicit CBitmap(platform::Image image);

    // Copies the part at `source` to `destination` (local coordinates of the context).
    void draw(CDrawContext* context, const CRect& destination, const CPoint& source = CPoint());
    // Leaves out every pixel of the transparent colour.
    void drawTransparent(CDrawContext* context, const CRect& destination,
                         const CPoint& source = CPoint());
    void drawAlphaBlend(CDrawContext* context, const CRect& destination,
                        const CPoint& source = CPoint(), uint8_t alpha = 128);

    int32_t getResourceID() const { return resourceId; }
    int32_t getWidth() const { return image.width(); }
    int32_t getHeight() const { return image.height(); }
    bool isLoaded() const { return !image.empty(); }

    void setTransparentColor(CColor colour);
    CColor getTransparentColor() const { return transparentColor; }

    const platform::Image& getImage() const { return image; }

private:
    int32_t resourceId = 0;
    platform::Image image;
    CColor transparentColor = kTransparentWhite;
    platform::Image
        keyedImage;  // made at the first transparent draw, remade when the colour changes
};

}  // namespace VSTGUI
