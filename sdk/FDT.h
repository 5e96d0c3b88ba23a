// The SWF tag object model: FObj/FCT/FDT bases, definition ids, the movie container, the
// frame and action tags, and the sound definition and start tags. Each tag that has a body writes
// it (WriteTo) and describes it for the movie dump (Describe) side by side, so that a record's
// layout is written down in one place.
#pragma once

#include "FSWFStream.h"
#include "SwfReader.h"

#include <cstdint>
#include <cstdio>
#include <iosfwd>
#include <memory>
#include <optional>
#include <vector>

// ---- Object model ----------------------------------------------------------------------------

// One tag of a movie. Writes its complete tag (header and body) and says whether it ends a frame.
class FObj {
public:
    FObj() = default;
    FObj(const FObj&) = delete;
    FObj& operator=(const FObj&) = delete;
    virtual ~FObj() = default;
    virtual void WriteTo(FSWFStream* stream) = 0;
    virtual bool CountsAsFrame() { return false; }
    // How many frames the object ends: one for an object that counts as a frame, none otherwise.
    virtual S32 FramesEnded() { return CountsAsFrame() ? 1 : 0; }
};

// Base of control tags.
class FCT : public FObj {
public:
    void WriteTo(FSWFStream* /*stream*/) override {}
};

// Base of definition tags: carries the id other tags refer to it by. A definition has id 0 until
// a movie container takes it and gives it that movie's next id.
class FDT : public FObj {
public:
    void WriteTo(FSWFStream* /*stream*/) override {}
    // Every concrete definition answers and takes its own id; reaching these is a programming error.
    virtual U16 DefinitionId();
    virtual void SetDefinitionId(U16 id);
};

// ---- Movie container -------------------------------------------------------------------------

// Holds the objects of one movie in file order, owns them, counts frames, numbers the movie's
// definitions and writes the file.
class FObjCollection {
public:
    FObjCollection() = default;
    FObjCollection(const FObjCollection&) = delete;
    FObjCollection& operator=(const FObjCollection&) = delete;

    // Takes the object; counts it if it ends a frame, and gives a definition still without an id
    // the movie's next one.
    void AddObject(std::unique_ptr<FObj> object);

    // This movie's definition ids: 1, 2, 3, ... in the order they are asked for.
    U16 NextDefinitionId() { return ++lastDefinitionId; }

    void WriteObjects(FSWFStream* stream);
    void WriteEndTag(FSWFStream* stream);
    // Builds the complete file image (header, tags, End tag).
    void WriteMovieBody(FSWFStream* stream, S32 width, S32 height, S32 frameRate);
    // Builds the 21-byte file header and copies it over the first 21 bytes at `target`.
    void WriteHeader(U8* target, U32 fileLength, S32 width, S32 height, S32 frameRate);

    // Writes the movie to an open file from its position on; true when the file took all of it.
    bool WriteMovie(std::FILE* file, S32 width, S32 height, S32 frameRate);
    // The same into the regular file open at fd, from its start (pwrite). A copy of a file's bytes
    // gives up once stop is requested.
    bool WriteMovieAt(int fd, S32 width, S32 height, S32 frameRate, const StopRequest* stop = nullptr);

    S32 FrameCount() const { return frameCount; }
    const std::vector<std::unique_ptr<FObj>>& Objects() const { return objects; }

private:
    S32 frameCount = 0;
    U16 lastDefinitionId = 0;
    std::vector<std::unique_ptr<FObj>> objects;
};

// ---- Frame and action tags -------------------------------------------------------------------

// ShowFrame (code 1): ends a frame. One object may stand for a run of `count` ShowFrame tags in a
// row: a movie that keeps a long sound playing holds tens of thousands of empty frames.
class FCTShowFrame : public FCT {
public:
    explicit FCTShowFrame(S32 frames = 1) : count(frames > 0 ? frames : 0) {}
    void WriteTo(FSWFStream* stream) override;
    bool CountsAsFrame() override { return true; }
    S32 FramesEnded() override { return count; }

private:
    S32 count;
};

// One action record inside a DoAction.
class FActionRecord {
public:
    FActionRecord() = default;
    FActionRecord(const FActionRecord&) = delete;
    FActionRecord& operator=(const FActionRecord&) = delete;
    virtual ~FActionRecord() = default;
    virtual void WriteTo(FSWFStream* stream) = 0;
};

// ActionStop (code 0x07): stops the timeline.
class FActionStop : public FActionRecord {
public:
    void WriteTo(FSWFStream* stream) override;
};

// DoAction (code 12): its action records, then the end flag 0.
class FCTDoAction : public FCT {
public:
    void AppendAction(std::unique_ptr<FActionRecord> action);
    void WriteTo(FSWFStream* stream) override;
    bool CountsAsFrame() override { return false; }
    // Appends the fields of a DoAction body to a dump line: ": actions Stop" and the like.
    static void Describe(SwfReader body, std::ostream& out);

private:
    std::vector<std::unique_ptr<FActionRecord>> actions;
};

// ---- Sound definition and start tags ---------------------------------------------------------

// Format and data of a sound definition.
struct SoundParams {
    U8 format;       // 2 = MP3
    U8 rate;         // 0 = 5.5 kHz, 1 = 11 kHz, 2 = 22 kHz, 3 = 44 kHz
    U8 sampleSize;   // 1 = 16-bit
    U8 stereo;       // 1 = stereo, 0 = mono
    U32 sampleCount; // samples per channel
    U32 dataSize;    // byte length of data
    U8* data;        // for MP3: 16-bit seek samples, then the MP3 frames
};

// DefineSound (code 14). Its id is given by the movie that takes it; frees no sound data.
class FDTDefineSound : public FDT {
public:
    FDTDefineSound();
    void WriteTo(FSWFStream* stream) override;
    U16 DefinitionId() override { return id; }
    void SetDefinitionId(U16 newId) override { id = newId; }
    const SoundParams& Params() const { return soundParams; }
    // Appends the fields of a DefineSound body to a dump line.
    static void Describe(SwfReader body, std::ostream& out);

protected:
    // Puts the sound's data into the tag's body: by default the block of soundParams.
    virtual void WriteSoundData(FSWFStream& body);

    U16 id;
    SoundParams soundParams;
};

// One point of a sound envelope.
struct SoundEnvelope {
    U32 mark44; // position in 44 kHz samples
    U16 level0; // left channel
    U16 level1; // right channel
};

// Playing options of a StartSound, set by name: FSoundInfo().NoMultiple().Loops(3). An option is
// written only when it is set.
class FSoundInfo {
public:
    // The sync flags (two reserved bits, then these two): the sound is stopped; the sound is not
    // started again while it plays.
    FSoundInfo& SyncStop() { return Sync(kSyncStop); }
    FSoundInfo& NoMultiple() { return Sync(kSyncNoMultiple); }
    // Positions in 44 kHz samples where the sound starts and ends.
    FSoundInfo& InPoint(U32 mark44);
    FSoundInfo& OutPoint(U32 mark44);
    // How many times the sound plays.
    FSoundInfo& Loops(U16 count);
    FSoundInfo& Envelope(std::vector<SoundEnvelope> points);

    void WriteTo(FSWFStream* stream) const;
    // Appends the fields of the sound info at the reader to a dump line.
    static void Describe(SwfReader& body, std::ostream& out);

private:
    static constexpr U8 kSyncStop = 2;
    static constexpr U8 kSyncNoMultiple = 1;
    FSoundInfo& Sync(U8 flag) {
        syncFlags |= flag;
        return *this;
    }

    U8 syncFlags = 0;
    bool hasEnvelope = false;
    bool hasLoops = false;
    bool hasOutPoint = false;
    bool hasInPoint = false;
    U32 inPoint = 0;
    U32 outPoint = 0;
    U16 loopCount = 0;
    std::vector<SoundEnvelope> envelope;
};

// StartSound (code 15): starts the sound with id soundId; without sound info, the id alone.
class FCTStartSound : public FCT {
public:
    explicit FCTStartSound(U16 id, std::optional<FSoundInfo> info = std::nullopt);
    void WriteTo(FSWFStream* stream) override;
    // Appends the fields of a StartSound body to a dump line.
    static void Describe(SwfReader body, std::ostream& out);

private:
    U16 soundId;
    std::optional<FSoundInfo> soundInfo;
};
