// calorvane-art: draws every editor bitmap and writes the embedded-bitmap source.
//
//   calorvane-art <output folder> [--png <folder>]
//
// The output folder receives embedded_bitmaps.bin and embedded_bitmaps.cpp; with --png each
// bitmap is also written as <id>.png for viewing.

#include <cairo.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "resources/generator/bitmap_catalog.h"
#include "resources/generator/embed_writer.h"

namespace {

using calorvane::art::EncodedBitmap;

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* bytes = static_cast<std::vector<unsigned char>*>(closure);
    bytes->insert(bytes->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

int usage() {
    std::fprintf(stderr, "usage: calorvane-art <output folder> [--png <folder>]\n");
    return 2;
}

bool createFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder)) {
        std::fprintf(stderr, "calorvane-art: cannot create folder %s\n", folder.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path outputFolder;
    std::filesystem::path pngFolder;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--png") {
            if (i + 1 >= argc) return usage();
            pngFolder = argv[++i];
        } else if (!argument.empty() && argument.front() != '-' && outputFolder.empty()) {
            outputFolder = argument;
        } else {
            return usage();
        }
    }
    if (outputFolder.empty()) return usage();
    if (!createFolder(outputFolder)) return 1;
    if (!pngFolder.empty() && !createFolder(pngFolder)) return 1;

    std::vector<EncodedBitmap> encoded;
    for (const auto& bitmap : calorvane::art::renderAllBitmaps()) {
        cairo_surface_t* surface = bitmap.surface.get();
        cairo_surface_flush(surface);
        if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
            std::fprintf(stderr, "calorvane-art: drawing bitmap %d failed: %s\n", bitmap.id,
                         cairo_status_to_string(cairo_surface_status(surface)));
            return 1;
        }
        EncodedBitmap png{bitmap.id,
                          cairo_image_surface_get_width(surface),
                          cairo_image_surface_get_height(surface),
                          {}};
        const cairo_status_t status =
            cairo_surface_write_to_png_stream(surface, appendBytes, &png.png);
        if (status != CAIRO_STATUS_SUCCESS) {
            std::fprintf(stderr, "calorvane-art: encoding bitmap %d failed: %s\n", bitmap.id,
                         cairo_status_to_string(status));
            return 1;
        }
        if (!pngFolder.empty()) {
            const std::filesystem::path file = pngFolder / (std::to_string(bitmap.id) + ".png");
            std::FILE* out = std::fopen(file.c_str(), "wb");
            const bool written = out != nullptr && std::fwrite(png.png.data(), 1, png.png.size(),
                                                               out) == png.png.size();
            if (out != nullptr && std::fclose(out) != 0) return 1;
            if (!written) {
                std::fprintf(stderr, "calorvane-art: cannot write %s\n", file.c_str());
                return 1;
            }
        }
        encoded.push_back(std::move(png));
    }
    const std::string failure = calorvane::art::writeEmbeddedSource(
        encoded, outputFolder / "embedded_bitmaps.bin", outputFolder / "embedded_bitmaps.cpp");
    if (!failure.empty()) {
        std::fprintf(stderr, "calorvane-art: %s\n", failure.c_str());
        return 1;
    }
    return 0;
}
