// Where views draw: a painter on the frame's picture or on an off-screen image, with an origin
// offset (containers shift it for their children), a clip rectangle and the current pens.
#pragma once

#include <memory>
#include <string>

#include "platform/graphics.h"
#include "widgets/font_table.h"
#include "widgets/geometry.h"
#include "widgets/reference_counter.h"

namespace VSTGUI {

class CFrame;

enum CDrawMode { kCopyMode = 0, kOrMode, kXorMode, kAntialias };

class CDrawContext : public CReferenceCounter {
public:
    // Draws into the frame's picture; what was drawn reaches the window when the context ends.
    explicit CDrawContext(CFrame* frame);
    // Draws into `target` (no window involved); `frame` may be null.
    CDrawContext(CFrame* frame, platform::Image& target);
    ~CDrawContext() override;

    CFrame* getFrame() const { return frame; }

    void setOffset(const CPoint& origin) { offset = origin; }
    CPoint getOffset() const { return offset; }
    void setClipRect(const CRect& clip);
    CRect getClipRect() const { return clipRect; }
    void resetClipRect();

    void setFont(int fontIndex, int face = kNormalFace);
    int getFont() const { return fontIndex; }
    void setFontColor(CColor colour) { fontColor = colour; }
    CColor getFontColor() const { return fontColor; }
    void setFillColor(CColor colour) { fillColor = colour; }
    CColor getFillColor() const { return fillColor; }
    void setFrameColor(CColor colour) { frameColor = colour; }
    CColor getFrameColor() const { return frameColor; }
    void setLineWidth(int widthPx) { lineWidth = widthPx; }
    int getLineWidth() const { return lineWidth; }
    void setDrawMode(CDrawMode mode) { drawMode = mode; }
    CDrawMode getDrawMode() const { return drawMode; }

    // Shapes and text in local coordinates (the offset is added).
    void moveTo(const CPoint& point) { penPosition = point; }
    void lineTo(const CPoint& point);
    void drawPoint(const CPoint& point, CColor colour);
    void drawRect(const CRect& rect);
    void fillRect(const CRect& rect);
    void drawEllipse(const CRect& rect);
    void fillEllipse(const CRect& rect);
    void drawString(const std::string& text, const CRect& rect, int align = kCenterText);
    int getStringWidth(const std::string& text);

    // Bitmap copies for CBitmap, in local coordinates.
    void drawImage(const platform::Image& image, const CRect& destination, const CPoint& source);
    void drawImageAlpha(const platform::Image& image, const CRect& destination,
                        const CPoint& source, uint8_t alpha);

    platform::Image& getTarget() { return *target; }

protected:
    platform::Rect toTarget(const CRect& rect) const;
    void touch(const CRect& local);
    void applyClip();

    CFrame* frame;
    platform::Image* target;
    std::unique_ptr<platform::Painter> painter;
    bool presentsToFrame;
    CRect touched;  // in target coordinates
    CPoint offset;
    CRect clipRect;
    bool clipSet = false;
    int fontIndex = kSystemFont;
    int fontFace = kNormalFace;
    CColor fontColor = kBlackCColor;
    CColor fillColor = kWhiteCColor;
    CColor frameColor = kBlackCColor;
    int lineWidth = 1;
    CDrawMode drawMode = kCopyMode;
    CPoint penPosition;
};

// Holds the off-screen picture so that it exists before the context that draws into it.
struct OffscreenPicture {
    platform::Image image;
};

// A memory picture of a given size and background colour, copied to another context at once.
class COffscreenContext : private OffscreenPicture, public CDrawContext {
public:
    COffscreenContext(CFrame* frame, int32_t widthPx, int32_t heightPx,
                      CColor background = kBlackCColor);

    int32_t getWidth() const { return image.width(); }
    int32_t getHeight() const { return image.height(); }
    // Copies the part at `source` of this picture to `destination` in `into`.
    void copyFrom(CDrawContext* into, const CRect& destination, const CPoint& source = CPoint());
    const platform::Image& getImage() const { return image; }
};

}  // namespace VSTGUI
