#include "widgets/draw_context.h"

#include "widgets/frame.h"

namespace VSTGUI {

namespace {
platform::Rgba toRgba(CColor colour) {
    return {colour.red, colour.green, colour.blue, colour.alpha};
}
}  // namespace

CDrawContext::CDrawContext(CFrame* frame)
    : frame(frame),
      target(frame != nullptr ? &frame->getPicture() : nullptr),
      presentsToFrame(true) {
    if (target != nullptr && !target->empty())
        painter = std::make_unique<platform::Painter>(*target);
}

CDrawContext::CDrawContext(CFrame* frame, platform::Image& target)
    : frame(frame), target(&target), presentsToFrame(false) {
    if (!target.empty()) painter = std::make_unique<platform::Painter>(target);
}

CDrawContext::~CDrawContext() {
    painter.reset();
    if (presentsToFrame && frame != nullptr && !touched.isEmpty()) frame->present(touched);
}

platform::Rect CDrawContext::toTarget(const CRect& rect) const {
    return {rect.left + offset.x, rect.top + offset.y, rect.right + offset.x,
            rect.bottom + offset.y};
}

void CDrawContext::touch(const CRect& local) {
    CRect moved = local;
    moved.offset(offset.x, offset.y);
    if (clipSet) {
        CRect clip = clipRect;
        clip.offset(offset.x, offset.y);
        moved = moved.intersection(clip);
    }
    touched = touched.unionWith(moved);
}

void CDrawContext::applyClip() {
    if (painter == nullptr) return;
    if (clipSet)
        painter->setClip(toTarget(clipRect));
    else
        painter->resetClip();
}

void CDrawContext::setClipRect(const CRect& clip) {
    clipRect = clip;
    clipSet = true;
    applyClip();
}

void CDrawContext::resetClipRect() {
    clipSet = false;
    clipRect = {};
    applyClip();
}

void CDrawContext::setFont(int index, int face) {
    fontIndex = (index >= 0 && index < static_cast<int>(kFontTable.size())) ? index : kSystemFont;
    fontFace = face;
}

void CDrawContext::lineTo(const CPoint& point) {
    if (painter != nullptr) {
        // Pixel centres, so one-pixel lines cover whole pixels.
        painter->line(penPosition.x + offset.x + 0.5, penPosition.y + offset.y + 0.5,
                      point.x + offset.x + 0.5, point.y + offset.y + 0.5, toRgba(frameColor),
                      lineWidth);
    }
    touch({std::min(penPosition.x, point.x) - lineWidth,
           std::min(penPosition.y, point.y) - lineWidth,
           std::max(penPosition.x, point.x) + lineWidth + 1,
           std::max(penPosition.y, point.y) + lineWidth + 1});
    penPosition = point;
}

void CDrawContext::drawPoint(const CPoint& point, CColor colour) {
    const CRect pixel(point.x, point.y, point.x + 1, point.y + 1);
    if (painter != nullptr) painter->fillRect(toTarget(pixel), toRgba(colour));
    touch(pixel);
}

void CDrawContext::drawRect(const CRect& rect) {
    if (painter != nullptr) painter->strokeRect(toTarget(rect), toRgba(frameColor), lineWidth);
    touch(rect);
}

void CDrawContext::fillRect(const CRect& rect) {
    if (painter != nullptr) painter->fillRect(toTarget(rect), toRgba(fillColor));
    touch(rect);
}

void CDrawContext::drawEllipse(const CRect& rect) {
    if (painter != nullptr) painter->strokeEllipse(toTarget(rect), toRgba(frameColor), lineWidth);
    touch(rect);
}

void CDrawContext::fillEllipse(const CRect& rect) {
    if (painter != nullptr) painter->fillEllipse(toTarget(rect), toRgba(fillColor));
    touch(rect);
}

namespace {
platform::FontStyle fontStyle(int index, int face) {
    const FontEntry& entry = kFontTable[static_cast<std::size_t>(index)];
    platform::FontStyle style;
    style.pixelHeight = entry.pixelHeight;
    style.symbol = entry.symbolFace;
    style.bold = entry.alwaysBold || (face & kBoldFace) != 0;
    style.italic = (face & kItalicFace) != 0;
    style.underline = (face & kUnderlineFace) != 0;
    return style;
}
}  // namespace

void CDrawContext::drawString(const std::string& text, const CRect& rect, int align) {
    const platform::TextAlign textAlign = align == kLeftText    ? platform::TextAlign::Left
                                          : align == kRightText ? platform::TextAlign::Right
                                                                : platform::TextAlign::Center;
    if (painter != nullptr)
        painter->drawText(text, toTarget(rect), fontStyle(fontIndex, fontFace), toRgba(fontColor),
                          textAlign);
    touch(rect);
}

int CDrawContext::getStringWidth(const std::string& text) {
    if (painter == nullptr) return 0;
    return static_cast<int>(painter->textWidth(text, fontStyle(fontIndex, fontFace)) + 0.5);
}

void CDrawContext::drawImage(const platform::Image& image, const CRect& destination,
                             const CPoint& source) {
    if (painter != nullptr) painter->drawImage(image, source.x, source.y, toTarget(destination));
    touch(destination);
}

void CDrawContext::drawImageAlpha(const platform::Image& image, const CRect& destination,
                                  const CPoint& source, uint8_t alpha) {
    if (painter != nullptr)
        painter->drawImageAlpha(image, source.x, source.y, toTarget(destination), alpha);
    touch(destination);
}

COffscreenContext::COffscreenContext(CFrame* frame, int32_t widthPx, int32_t heightPx,
                                     CColor background)
    : OffscreenPicture{platform::Image(widthPx, heightPx)}, CDrawContext(frame, image) {
    setFillColor(background);
    fillRect({0, 0, widthPx, heightPx});
}

void COffscreenContext::copyFrom(CDrawContext* into, const CRect& destination,
                                 const CPoint& source) {
    if (into != nullptr) into->drawImage(image, destination, source);
}

}  // namespace VSTGUI
