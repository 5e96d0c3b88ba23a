// The playing time of a sound file in whole milliseconds (libsndfile, libmpg123 for MP3).
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "Mp3Frames.h" // kMp3DecoderDelay

class SoundBlock;

// A sound file that cannot be opened or whose length cannot be found; the run skips it.
class SoundLengthError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Playing time of the file at path, rounded down to whole milliseconds. A file whose
// extension is ".mp3" (any letter case) is measured by decoding its frame headers with
// libmpg123, or, where the library finds no length (a single frame), by counting the samples of
// its frames; every other file by libsndfile (WAV, AIFF, FLAC, Ogg and the rest it reads).
// Throws SoundLengthError when the file cannot be opened or measured.
int32_t SoundLengthMs(const std::string& path);

// The sample rate and channel count of a sound file libsndfile reads; mpeg tells an MPEG audio stream.
struct SoundFormat {
    int rate = 0;
    int channels = 0;
    bool mpeg = false;
    // A WAV whose header states 0 bytes of sound, as a program writing it to a pipe leaves it (it
    // cannot go back to fill the size in): its sound runs to the end of the file, and only a reader
    // that reads it as a stream takes all of it.
    bool sizeUnstated = false;
};

// The same, choosing the reader explicitly. format, when given, gets what libsndfile found of the
// file while measuring it, as SoundFormatOf gives it. A WAV whose header states no size for its
// sound is measured to the end of the file.
int32_t Mp3LengthMs(const std::string& path);
int32_t SndfileLengthMs(const std::string& path, SoundFormat* format = nullptr);

// The playing time of an MP3 file opened and walked by SoundBlock, exactly as Mp3LengthMs gives it
// for the file. A file laid out plainly (frames of one stream one behind the other, between
// optional ID3 tags) is measured from its frames, with the encoder delay and padding that lame
// notes in the first frame taken off as the library does; anything else is left to the library,
// reading the file in bounded blocks. Throws SoundLengthError as Mp3LengthMs does; name only goes
// into the messages. A damaged MP3 is the exception: the library stops decoding where it finds no
// frame for a while (a run of zeros from a bad copy, say), while the frames go on behind the damage
// and the movie holds them all. Then the length is what the library decodes when it searches past
// the damage, and stopsAtMs where it stopped.
struct Mp3Length {
    int32_t ms = 0;
    int32_t stopsAtMs = -1; // -1: no damage that stops a decoder
};
Mp3Length MeasureMp3(const SoundBlock& mp3, const std::string& name);

// The format of a sound file libsndfile reads, from its open descriptor (which is read from, not
// closed). False when it reads none.
bool SoundFormatOf(int fd, SoundFormat& format);

// The playing time the whole frames of an encoded MP3 hold, in milliseconds: every Layer III frame
// found from the first on, a frame cut off by the end of the data not counted, without the frame
// that carries lame's tag and without the delay and padding it notes. -1 for data with no frame.
// frameMs, when given, gets the length of one frame, rounded up. From the walk SoundBlock made.
int32_t Mp3HeldMs(const SoundBlock& mp3, int32_t* frameMs = nullptr);

// For a WAV file whose header promises more sound than the file holds (a copy cut short): the
// playing time it holds and the one its header promises, in milliseconds. False for any other
// file, and for one written as a stream: its header states 0 bytes, or a stand-in for "as many as
// follow" (0x7FFFF000 and more: 0x7FFFF000, 0x7FFFFFFF, 0xFFFFFFFF).
bool WavHoldsLessThanItsHeader(const std::string& path, int32_t& heldMs, int32_t& promisedMs);
