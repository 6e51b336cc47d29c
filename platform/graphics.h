// The drawing layer: images (cairo image surfaces), PNG decoding, and a painter that copies
// bitmaps (plain, colour-keyed, constant alpha), fills shapes and writes text.
// Not real-time code: user-interface thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct _cairo_surface;
struct _cairo;

namespace platform {

struct Rgba {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

// Right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
};

struct SurfaceDeleter {
    void operator()(_cairo_surface* surface) const;
};
using SurfaceHandle = std::unique_ptr<_cairo_surface, SurfaceDeleter>;

class Image {
public:
    Image() = default;
    // Transparent black pixels; an empty image when a side is not positive.
    Image(int widthPx, int heightPx);
    // Empty when the bytes are not a PNG.
    static Image fromPng(const unsigned char* png, std::size_t size);

    int width() const { return widthPx; }
    int height() const { return heightPx; }
    bool empty() const { return surface == nullptr; }

    // Unpremultiplied pixel; transparent black outside the image.
    Rgba pixel(int x, int y) const;
    // A copy in which every pixel of colour `key` (alpha ignored) is transparent.
    Image keyed(Rgba key) const;
    bool writePng(const std::string& path) const;

    _cairo_surface* handle() const { return surface.get(); }

private:
    SurfaceHandle surface;
    int widthPx = 0;
    int heightPx = 0;
};

struct FontStyle {
    int pixelHeight = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool symbol = false;  // the symbol face instead of the sans face
};

enum class TextAlign { Left, Center, Right };

class Painter {
public:
    // Draws into `target`, which must outlive the painter.
    explicit Painter(Image& target);
    ~Painter();
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    void setClip(const Rect& clip);
    void resetClip();

    void fillRect(const Rect& rect, Rgba colour);
    void strokeRect(const Rect& rect, Rgba colour, double lineWidth);
    void line(double x0, double y0, double x1, double y1, Rgba colour, double lineWidth);
    void fillEllipse(const Rect& bounds, Rgba colour);
    void strokeEllipse(const Rect& bounds, Rgba colour, double lineWidth);

    // Copies the part of `source` at (sourceX, sourceY) into `destination`, unscaled.
    void drawImage(const Image& source, int sourceX, int sourceY, const Rect& destination);
    void drawImageAlpha(const Image& source, int sourceX, int sourceY, const Rect& destination,
                        std::uint8_t alpha);

    // Single line, vertically centred; left-aligned text starts one pixel in.
    void drawText(std::string_view text, const Rect& box, const FontStyle& font, Rgba colour,
                  TextAlign align);
    double textWidth(std::string_view text, const FontStyle& font);

private:
    struct ContextDeleter {
        void operator()(_cairo* context) const;
    };
    void selectFont(const FontStyle& font);
    std::unique_ptr<_cairo, ContextDeleter> context;
};

}  // namespace platform
