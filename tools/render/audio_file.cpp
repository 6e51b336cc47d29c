#include "tools/render/audio_file.h"

#include "platform/files.h"

void SndfileCloser::operator()(SNDFILE* file) const { sf_close(file); }

std::unique_ptr<AudioReader> AudioReader::open(const std::string& path, std::string* error) {
    SF_INFO info{};
    SndfileHandle file(sf_open(path.c_str(), SFM_READ, &info));
    if (file == nullptr) {
        *error = "cannot read " + path + ": " + sf_strerror(nullptr);
        return nullptr;
    }
    if (info.channels < 1 || info.channels > 2) {
        *error = path + " has " + std::to_string(info.channels) +
                 " channels; only mono and stereo files are supported";
        return nullptr;
    }
    if (info.samplerate < 22050 || info.samplerate > 192000) {
        *error = path + " is at " + std::to_string(info.samplerate) +
                 " Hz; supported are 22050 to 192000 Hz";
        return nullptr;
    }
    std::unique_ptr<AudioReader> reader(new AudioReader);
    reader->file = std::move(file);
    reader->audioFormat = {info.channels, info.samplerate, info.format};
    // Streams and some containers announce no length (or an absurd one).
    reader->frames = info.frames >= 0 && info.frames < SF_COUNT_MAX ? info.frames : -1;
    reader->path = path;
    return reader;
}

bool AudioReader::read(double* interleaved, std::size_t frameCount, std::size_t* framesRead,
                       std::string* error) {
    const sf_count_t got = sf_readf_double(file.get(), interleaved, static_cast<sf_count_t>(frameCount));
    if (got < 0 || (static_cast<std::size_t>(got) < frameCount && sf_error(file.get()) != SF_ERR_NO_ERROR)) {
        *error = "cannot read " + path + ": " + sf_strerror(file.get());
        return false;
    }
    *framesRead = static_cast<std::size_t>(got);
    return true;
}

std::unique_ptr<AudioWriter> AudioWriter::create(const std::string& path, const AudioFormat& format,
                                                 std::string* error) {
    SF_INFO info{};
    info.channels = format.channels;
    info.samplerate = format.sampleRate;
    info.format = format.format;
    if (!sf_format_check(&info)) {
        *error = "libsndfile cannot write this file type; try --format float";
        return nullptr;
    }
    std::unique_ptr<AudioWriter> writer(new AudioWriter);
    writer->target = path;
    writer->temporary = platform::temporaryNameBeside(path);
    writer->file.reset(sf_open(writer->temporary.c_str(), SFM_WRITE, &info));
    if (writer->file == nullptr) {
        *error = "cannot write " + path + ": " + sf_strerror(nullptr);
        return nullptr;  // the destructor removes whatever sf_open may have left
    }
    // Integer formats clip instead of wrapping around on overs.
    sf_command(writer->file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
    return writer;
}

AudioWriter::~AudioWriter() {
    file.reset();
    if (!committed && !temporary.empty()) platform::removeFile(temporary);
}

bool AudioWriter::write(const double* interleaved, std::size_t frameCount, std::string* error) {
    const auto frames = static_cast<sf_count_t>(frameCount);
    if (sf_writef_double(file.get(), interleaved, frames) != frames) {
        *error = "cannot write " + target + ": " + sf_strerror(file.get());
        return false;
    }
    return true;
}

bool AudioWriter::commit(std::string* error) {
    // Closing flushes the header; a full disk can show up only here.
    sf_write_sync(file.get());
    const int status = sf_error(file.get());
    file.reset();
    if (status != SF_ERR_NO_ERROR || !platform::replaceFile(temporary, target)) {
        *error = "cannot write " + target;
        return false;
    }
    committed = true;
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
