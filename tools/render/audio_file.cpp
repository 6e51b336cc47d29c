#include "tools/render/audio_file.h"

#include <sndfile.h>

#include <memory>

#include "platform/files.h"

namespace {

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

}  // namespace

std::optional<AudioData> readAudio(const std::string& path, std::string* error) {
    SF_INFO info{};
    SndfileHandle file(sf_open(path.c_str(), SFM_READ, &info));
    if (file == nullptr) {
        *error = "cannot read " + path + ": " + sf_strerror(nullptr);
        return std::nullopt;
    }
    if (info.channels < 1 || info.channels > 2) {
        *error = path + " has " + std::to_string(info.channels) + " channels; only mono and stereo are supported";
        return std::nullopt;
    }
    if (info.samplerate < 22050 || info.samplerate > 192000) {
        *error = path + " is at " + std::to_string(info.samplerate) + " Hz; supported are 22050 to 192000 Hz";
        return std::nullopt;
    }
    AudioData audio;
    audio.channels = info.channels;
    audio.sampleRate = info.samplerate;
    audio.format = info.format;
    std::vector<double> interleaved(static_cast<std::size_t>(info.frames) * static_cast<std::size_t>(info.channels));
    const sf_count_t got = sf_readf_double(file.get(), interleaved.data(), info.frames);
    if (got != info.frames) {
        *error = "cannot read all of " + path + ": " + sf_strerror(file.get());
        return std::nullopt;
    }
    const auto frames = static_cast<std::size_t>(got);
    audio.left.resize(frames);
    if (audio.channels == 2) audio.right.resize(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        audio.left[i] = interleaved[i * static_cast<std::size_t>(audio.channels)];
        if (audio.channels == 2) audio.right[i] = interleaved[i * 2 + 1];
    }
    return audio;
}

bool writeAudio(const std::string& path, const AudioData& audio, int format, std::string* error) {
    SF_INFO info{};
    info.channels = audio.channels;
    info.samplerate = audio.sampleRate;
    info.format = format;
    if (!sf_format_check(&info)) {
        *error = "the output format cannot hold this audio";
        return false;
    }
    const std::string temporary = platform::temporaryNameBeside(path);
    {
        SndfileHandle file(sf_open(temporary.c_str(), SFM_WRITE, &info));
        if (file == nullptr) {
            *error = "cannot write " + path + ": " + sf_strerror(nullptr);
            return false;
        }
        // Integer formats clip instead of wrapping around on overs.
        sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
        std::vector<double> interleaved(audio.left.size() * static_cast<std::size_t>(audio.channels));
        for (std::size_t i = 0; i < audio.left.size(); ++i) {
            interleaved[i * static_cast<std::size_t>(audio.channels)] = audio.left[i];
            if (audio.channels == 2) interleaved[i * 2 + 1] = audio.right[i];
        }
        const auto frames = static_cast<sf_count_t>(audio.left.size());
        if (sf_writef_double(file.get(), interleaved.data(), frames) != frames) {
            *error = "cannot write " + path + ": " + sf_strerror(file.get());
            file.reset();
            platform::removeFile(temporary);
            return false;
        }
    }
    if (!platform::replaceFile(temporary, path)) {
        platform::removeFile(temporary);
        *error = "cannot write " + path;
        return false;
    }
    return true;
}

int floatFormatOf(int format) {
    const int container = format & SF_FORMAT_TYPEMASK;
    SF_INFO info{};
    info.channels = 1;
    info.samplerate = 44100;
    info.format = container | SF_FORMAT_FLOAT;
    return sf_format_check(&info) ? info.format : 0;
}
