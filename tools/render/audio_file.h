// Reading and writing audio files with libsndfile, as mono or stereo double samples.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct AudioData {
    int channels = 0;
    int sampleRate = 0;
    int format = 0;  // libsndfile container and sample format
    std::vector<double> left, right;  // right empty for mono
};

std::optional<AudioData> readAudio(const std::string& path, std::string* error);
// Writes to a temporary file beside `path` and renames it: a failure leaves no partial file.
bool writeAudio(const std::string& path, const AudioData& audio, int format, std::string* error);
// The format with the same container and 32-bit float samples, or 0 if the container has none.
int floatFormatOf(int format);
