// Owning handles for the cairo objects the generator creates.
#pragma once

#include <cairo.h>

#include <memory>

namespace calorvane::art {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};
struct PatternDeleter {
    void operator()(cairo_pattern_t* pattern) const { cairo_pattern_destroy(pattern); }
};

using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using ContextPtr = std::unique_ptr<cairo_t, ContextDeleter>;
using PatternPtr = std::unique_ptr<cairo_pattern_t, PatternDeleter>;

// Every bitmap is opaque: the toolkit copies strips without alpha, so each frame carries the
// panel under it.
inline SurfacePtr makeSurface(int widthPx, int heightPx) {
    return SurfacePtr(cairo_image_surface_create(CAIRO_FORMAT_RGB24, widthPx, heightPx));
}

inline ContextPtr makeContext(cairo_surface_t* surface) {
    return ContextPtr(cairo_create(surface));
}

}  // namespace calorvane::art
