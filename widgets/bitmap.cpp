#include "widgets/bitmap.h"

#include "widgets/draw_context.h"

#ifdef CALORVANE_HAS_RESOURCES
#include "resources/bitmap_resources.h"
#endif

namespace VSTGUI {

namespace {
platform::Image loadResource(int32_t id) {
#ifdef CALORVANE_HAS_RESOURCES
    if (const EmbeddedBitmap* embedded = findEmbeddedBitmap(id))
        return platform::Image::fromPng(embedded->png, embedded->pngSize);
#else
    (void)id;
#endif
    return {};
}
}  // namespace

CBitmap::CBitmap(int32_t resourceId) : resourceId(resourceId), image(loadResource(resourceId)) {}

CBitmap::CBitmap(platform::Image image) : image(std::move(image)) {}

void CBitmap::draw(CDrawContext* context, const CRect& destination, const CPoint& source) {
    if (context == nullptr || image.empty()) return;
    context->drawImage(image, destination, source);
}

void CBitmap::drawTransparent(CDrawContext* context, const CRect& destination,
                              const CPoint& source) {
    if (context == nullptr || image.empty()) return;
    if (keyedImage.empty())
        keyedImage =
            image.keyed({transparentColor.red, transparentColor.green, transparentColor.blue, 255});
    context->drawImage(keyedImage, destination, source);
}

void CBitmap::drawAlphaBlend(CDrawContext* context, const CRect& destination, const CPoint& source,
                             uint8_t alpha) {
    if (context == nullptr || image.empty()) return;
    context->drawImageAlpha(image, destination, source, alpha);
}

void CBitmap::setTransparentColor(CColor colour) {
    if (colour == transparentColor) return;
    transparentColor = colour;
    keyedImage = platform::Image();
}

}  // namespace VSTGUI
