#include "platform/graphics.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>

namespace platform {

void SurfaceDeleter::operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
void Painter::ContextDeleter::operator()(cairo_t* context) const { cairo_destroy(context); }

namespace {

struct PngReader {
    const unsigned char* data;
    std::size_t size;
    std::size_t position;
};

cairo_status_t readPngBytes(void* closure, unsigned char* out, unsigned int length) {
    auto* reader = static_cast<PngReader*>(closure);
    if (reader->size - reader->position < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, reader->data + reader->position, length);
    reader->position += length;
    return CAIRO_STATUS_SUCCESS;
}

void setColour(cairo_t* context, Rgba colour) {
    cairo_set_source_rgba(context, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0,
                          colour.alpha / 255.0);
}

std::uint32_t* pixelRow(cairo_surface_t* surface, int y) {
    unsigned char* base = cairo_image_surface_get_data(surface);
    return reinterpret_cast<std::uint32_t*>(base + static_cast<std::ptrdiff_t>(y) *
                                                       cairo_image_surface_get_stride(surface));
}

// Texts from files and hosts need not be UTF-8; cairo refuses such text and stops drawing.
// Valid UTF-8 passes unchanged, anything else is read as Latin-1.
std::string validUtf8(std::string_view text) {
    std::size_t i = 0;
    bool valid = true;
    while (i < text.size() && valid) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xe  ? 3
                                   : (lead >> 3) == 0x1e ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size()) {
            valid = false;
            break;
        }
        char32_t code = length == 1 ? lead : lead & (0x7fu >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xc0) != 0x80) valid = false;
            code = (code << 6) | (next & 0x3fu);
        }
        // cairo also refuses overlong forms, surrogates and code points beyond U+10FFFF.
        constexpr char32_t kSmallestOfLength[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kSmallestOfLength[length] || (code >= 0xd800 && code <= 0xdfff) ||
            code > 0x10ffff)
            valid = false;
        i += length;
    }
    if (valid) return std::string(text);
    std::string converted;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            converted += c;
        } else {
            converted += static_cast<char>(0xc0 | (byte >> 6));
            converted += static_cast<char>(0x80 | (byte & 0x3f));
        }
    }
    return converted;
}

}  // namespace

Image::Image(int widthPx, int heightPx) {
    if (widthPx <= 0 || heightPx <= 0) return;
    SurfaceHandle created(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, widthPx, heightPx));
    if (cairo_surface_status(created.get()) != CAIRO_STATUS_SUCCESS) return;
    surface = std::move(created);
    this->widthPx = widthPx;
    this->heightPx = heightPx;
}

Image Image::fromPng(const unsigned char* png, std::size_t size) {
    Image image;
    if (png == nullptr || size == 0) return image;
    PngReader reader{png, size, 0};
    SurfaceHandle decoded(cairo_image_surface_create_from_png_stream(readPngBytes, &reader));
    if (cairo_surface_status(decoded.get()) != CAIRO_STATUS_SUCCESS) return image;
    image.widthPx = cairo_image_surface_get_width(decoded.get());
    image.heightPx = cairo_image_surface_get_height(decoded.get());
    image.surface = std::move(decoded);
    return image;
}

Rgba Image::pixel(int x, int y) const {
    if (empty() || x < 0 || y < 0 || x >= widthPx || y >= heightPx) return {0, 0, 0, 0};
    cairo_surface_flush(surface.get());
    const std::uint32_t value = pixelRow(surface.get(), y)[x];
    const bool hasAlpha = cairo_image_surface_get_format(surface.get()) == CAIRO_FORMAT_ARGB32;
    const auto alpha = hasAlpha ? static_cast<std::uint8_t>(value >> 24) : std::uint8_t{255};
    auto channel = [&](int shift) -> std::uint8_t {
        const unsigned premultiplied = (value >> shift) & 0xffu;
        if (alpha == 0) return 0;
        return static_cast<std::uint8_t>(
            std::min(255u, (premultiplied * 255u + alpha / 2u) / alpha));
    };
    return {channel(16), channel(8), channel(0), alpha};
}

Image Image::keyed(Rgba key) const {
    Image copy(widthPx, heightPx);
    if (copy.empty()) return copy;
    {
        Painter painter(copy);
        painter.drawImage(*this, 0, 0, {0, 0, widthPx, heightPx});
    }
    cairo_surface_flush(copy.handle());
    const std::uint32_t keyRgb =
        (std::uint32_t{key.red} << 16) | (std::uint32_t{key.green} << 8) | key.blue;
    for (int y = 0; y < heightPx; ++y) {
        std::uint32_t* row = pixelRow(copy.handle(), y);
        for (int x = 0; x < widthPx; ++x) {
            // Only opaque pixels can match: their stored channels are the colour itself.
            if ((row[x] >> 24) == 0xffu && (row[x] & 0xffffffu) == keyRgb) row[x] = 0;
        }
    }
    cairo_surface_mark_dirty(copy.handle());
    return copy;
}

bool Image::writePng(const std::string& path) const {
    if (empty()) return false;
    return cairo_surface_write_to_png(surface.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

Painter::Painter(Image& target) : context(cairo_create(target.handle())) {}

Painter::~Painter() = default;

void Painter::setClip(const Rect& clip) {
    cairo_reset_clip(context.get());
    cairo_rectangle(context.get(), clip.left, clip.top, std::max(0, clip.width()),
                    std::max(0, clip.height()));
    cairo_clip(context.get());
}

void Painter::resetClip() { cairo_reset_clip(context.get()); }

void Painter::fillRect(const Rect& rect, Rgba colour) {
    if (rect.empty()) return;
    setColour(context.get(), colour);
    cairo_rectangle(context.get(), rect.left, rect.top, rect.width(), rect.height());
    cairo_fill(context.get());
}

void Painter::strokeRect(const Rect& rect, Rgba colour, double lineWidth) {
    if (rect.empty()) return;
    setColour(context.get(), colour);
    cairo_set_line_width(context.get(), lineWidth);
    // Half-pixel inset keeps one-pixel lines on whole pixels inside the rectangle.
    const double inset = lineWidth / 2;
    cairo_rectangle(context.get(), rect.left + inset, rect.top + inset, rect.width() - lineWidth,
                    rect.height() - lineWidth);
    cairo_stroke(context.get());
}

void Painter::line(double x0, double y0, double x1, double y1, Rgba colour, double lineWidth) {
    setColour(context.get(), colour);
    cairo_set_line_width(context.get(), lineWidth);
    cairo_move_to(context.get(), x0, y0);
    cairo_line_to(context.get(), x1, y1);
    cairo_stroke(context.get());
}

namespace {
void ellipsePath(cairo_t* context, const Rect& bounds) {
    cairo_save(context);
    cairo_translate(context, bounds.left + bounds.width() / 2.0,
                    bounds.top + bounds.height() / 2.0);
    cairo_scale(context, bounds.width() / 2.0, bounds.height() / 2.0);
    cairo_arc(context, 0, 0, 1, 0, 2 * 3.14159265358979323846);
    cairo_restore(context);
}
}  // namespace

void Painter::fillEllipse(const Rect& bounds, Rgba colour) {
    if (bounds.empty()) return;
    setColour(context.get(), colour);
    ellipsePath(context.get(), bounds);
    cairo_fill(context.get());
}

void Painter::strokeEllipse(const Rect& bounds, Rgba colour, double lineWidth) {
    if (bounds.empty()) return;
    setColour(context.get(), colour);
    cairo_set_line_width(context.get(), lineWidth);
    ellipsePath(context.get(), bounds);
    cairo_stroke(context.get());
}

void Painter::drawImage(const Image& source, int sourceX, int sourceY, const Rect& destination) {
    drawImageAlpha(source, sourceX, sourceY, destination, 255);
}

void Painter::drawImageAlpha(const Image& source, int sourceX, int sourceY, const Rect& destination,
                             std::uint8_t alpha) {
    if (source.empty() || destination.empty()) return;
    cairo_t* cr = context.get();
    cairo_save(cr);
    cairo_rectangle(cr, destination.left, destination.top, destination.width(),
                    destination.height());
    cairo_clip(cr);
    cairo_set_source_surface(cr, source.handle(), destination.left - sourceX,
                             destination.top - sourceY);
    // Pixels outside the source stay untouched rather than repeating its edge.
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_NONE);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    if (alpha == 255)
        cairo_paint(cr);
    else
        cairo_paint_with_alpha(cr, alpha / 255.0);
    cairo_restore(cr);
}

void Painter::selectFont(const FontStyle& font) {
    // Liberation Sans is metric-compatible with the face the layout was designed for.
    cairo_select_font_face(context.get(), font.symbol ? "DejaVu Sans" : "Liberation Sans",
                           font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(context.get(), font.pixelHeight);
}

double Painter::textWidth(std::string_view text, const FontStyle& font) {
    selectFont(font);
    const std::string copy = validUtf8(text);
    cairo_text_extents_t extents{};
    cairo_text_extents(context.get(), copy.c_str(), &extents);
    return extents.x_advance;
}

void Painter::drawText(std::string_view text, const Rect& box, const FontStyle& font, Rgba colour,
                       TextAlign align) {
    if (text.empty() || box.empty()) return;
    cairo_t* cr = context.get();
    cairo_save(cr);
    cairo_rectangle(cr, box.left, box.top, box.width(), box.height());
    cairo_clip(cr);
    selectFont(font);
    const std::string copy = validUtf8(text);
    cairo_font_extents_t fontExtents{};
    cairo_font_extents(cr, &fontExtents);
    cairo_text_extents_t extents{};
    cairo_text_extents(cr, copy.c_str(), &extents);
    double x = box.left + 1;
    if (align == TextAlign::Center) x = box.left + (box.width() - extents.x_advance) / 2;
    if (align == TextAlign::Right) x = box.right - extents.x_advance;
    const double baseline = box.top + (box.height() + fontExtents.ascent - fontExtents.descent) / 2;
    setColour(cr, colour);
    cairo_move_to(cr, x, baseline);
    cairo_show_text(cr, copy.c_str());
    if (font.underline) {
        cairo_set_line_width(cr, 1);
        cairo_move_to(cr, x, baseline + 1.5);
        cairo_line_to(cr, x + extents.x_advance, baseline + 1.5);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

}  // namespace platform
