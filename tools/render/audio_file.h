// Streaming audio file input and output through libsndfile, in interleaved double samples, so a
// render holds one block in memory however long the file is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include <sndfile.h>

struct AudioFormat {
    int channels = 0;
    int sampleRate = 0;
    int format = 0;  // libsndfile container and sample format
};

struct SndfileCloser {
    void operator()(SNDFILE* file) const;
};
using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

class AudioReader {
public:
    // Null with the reason in `error` when the file cannot be read, has more than two channels
    // or a sample rate outside 22050..192000 Hz.
    static std::unique_ptr<AudioReader> open(const std::string& path, std::string* error);

    const AudioFormat& format() const { return audioFormat; }
    // Frames the header announces, or -1 when the container does not say.
    std::int64_t announcedFrames() const { return frames; }
    // Fills up to `frameCount` frames; fewer only at the end of the file. False on a read error.
    bool read(double* interleaved, std::size_t frameCount, std::size_t* framesRead, std::string* error);

private:
    AudioReader() = default;
    SndfileHandle file;
    AudioFormat audioFormat;
    std::int64_t frames = -1;
    std::string path;
};

// Writes to a temporary file beside the target and renames it over the target only in `commit`:
// until then, and whenever anything fails, the target is untouched and the temporary file is
// removed when the writer goes away.
class AudioWriter {
public:
    static std::unique_ptr<AudioWriter> create(const std::string& path, const AudioFormat& format,
                                               std::string* error);
    ~AudioWriter();
    AudioWriter(const AudioWriter&) = delete;
    AudioWriter& operator=(const AudioWriter&) = delete;

    bool write(const double* interleaved, std::size_t frameCount, std::string* error);
    bool commit(std::string* error);

private:
    AudioWriter() = default;
    SndfileHandle file;
    std::string target, temporary;
    bool committed = false;
};

// The format with the same container and 32-bit float samples, or 0 if the container has none.
int floatFormatOf(int format);
