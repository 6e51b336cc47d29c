// Writes the embedded-bitmap source: all PNG files back to back in one binary file, and a C++
// source whose table points into it (the assembler pulls the file in with .incbin, which
// compiles in no time however large the art is).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace calorvane::art {

struct EncodedBitmap {
    int id;
    int width;
    int height;
    std::vector<unsigned char> png;
};

// Writes `blobPath` and `sourcePath`; returns an empty text on success, else what failed.
std::string writeEmbeddedSource(const std::vector<EncodedBitmap>& bitmaps,
                                const std::filesystem::path& blobPath,
                                const std::filesystem::path& sourcePath);

}  // namespace calorvane::art
