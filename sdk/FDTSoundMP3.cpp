// The MP3 sound definition.
#include "FDTSoundMP3.h"

#include <string>

namespace {

// The format fields of a usable survey; false with params untouched otherwise.
bool FillParams(const Mp3Survey& survey, SoundParams& params, MP3ReadResult* result,
                std::string* diagnostic) {
    const MP3ReadResult outcome = Mp3MovieResult(survey, diagnostic);
    if (result)
        *result = outcome;
    if (outcome != MP3ReadResult::Ok)
        return false;
    params = SoundParams{};
    params.format = 2;
    params.rate = static_cast<U8>(SwfSoundRateCode(survey.format.sampleRate));
    params.sampleSize = 1;
    params.stereo = survey.format.Mono() ? 0 : 1;
    params.sampleCount = static_cast<U32>(survey.sampleCount);
    return true;
}

} // namespace

bool FDTDefineSoundMP3::FitsASound(uint64_t fileSize) {
    if (fileSize <= kLargestMP3File)
        return true;
    readResult = MP3ReadResult::TooManySamples;
    diagnostic = "File too large for a sound";
    return false;
}

FDTDefineSoundMP3::FDTDefineSoundMP3(int fd, const Mp3Survey& survey) {
    if (FitsASound(survey.fileSize) && FillParams(survey, soundParams, &readResult, &diagnostic)) {
        file = fd;
        soundParams.dataSize = static_cast<U32>(survey.fileSize + 2);
    }
}

std::unique_ptr<FDTDefineSoundMP3> FDTDefineSoundMP3::WrittenInPlace(uint64_t fileSize) {
    std::unique_ptr<FDTDefineSoundMP3> sound(new FDTDefineSoundMP3);
    if (sound->FitsASound(fileSize)) {
        sound->inPlace = true;
        sound->soundParams.dataSize = static_cast<U32>(fileSize + 2);
    }
    return sound;
}

void FDTDefineSoundMP3::TakeFormat(const Mp3Survey& survey) {
    if (!inPlace)
        return;
    const U32 dataSize = soundParams.dataSize;
    soundParams = SoundParams{};
    if (FillParams(survey, soundParams, &readResult, &diagnostic))
        soundParams.dataSize = dataSize;
}

FDTDefineSoundMP3::FDTDefineSoundMP3(int fd, const Mp3Survey& survey, const Mp3ExactSound& exact) {
    if (!FillParams(survey, soundParams, &readResult, &diagnostic))
        return;
    if (exact.frames == 0) {
        soundParams = SoundParams{};
        readResult = MP3ReadResult::NotMP3;
        diagnostic = "No sound frames in the MP3 file";
        return;
    }
    if (const std::string problem = SampleCountProblem(exact.sampleCount); !problem.empty()) {
        soundParams = SoundParams{};
        readResult = MP3ReadResult::TooManySamples;
        diagnostic = problem;
        return;
    }
    file = fd;
    ranges = exact.ranges;
    seekSamples = static_cast<U16>(exact.seekSamples);
    soundParams.sampleCount = static_cast<U32>(exact.sampleCount);
    soundParams.dataSize = static_cast<U32>(exact.bytes + 2);
}

void FDTDefineSoundMP3::WriteSoundData(FSWFStream& body) {
    if (file < 0 && !inPlace) {
        FDTDefineSound::WriteSoundData(body);
        return;
    }
    body.PutWord(seekSamples);
    if (inPlace && soundParams.dataSize > 2)
        body.AddPlacedData(soundParams.dataSize - 2);
    for (const Mp3ByteRange& range : ranges)
        body.AddFileRange(file, range.offset, static_cast<U32>(range.size));
    if (file >= 0 && ranges.empty() && soundParams.dataSize > 2)
        body.AddFileRange(file, 0, soundParams.dataSize - 2);
}
