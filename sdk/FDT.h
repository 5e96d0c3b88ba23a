// The SWF tag object model: FObj/FCT/FDT bases, definition ids, the movie container, the
// frame and action tags, and the sound definition and start tags.
#pragma once

#include "FSWFStream.h"

#include <cstdint>
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
};

// Base of control tags.
class FCT : public FObj {
public:
    void WriteTo(FSWFStream* /*stream*/) override {}
};

// Base of definition tags: carries the id other tags refer to it by.
class FDT : public FObj {
public:
    void WriteTo(FSWFStream* /*stream*/) override {}
    // Every concrete definition answers its own id; reaching this one is a programming error.
    virtual U16 DefinitionId();
};

// The process-wide definition id counter: 0 at start, reset after each movie is built.
extern U16 definitionIdCounter;

// Adds 1 to definitionIdCounter and returns it: the first id handed out is 1.
U16 NextDefinitionId();

// ---- Movie container -------------------------------------------------------------------------

// Holds the objects of one movie in file order, owns them, counts frames and writes the file.
class FObjCollection {
public:
    FObjCollection() = default;
    FObjCollection(const FObjCollection&) = delete;
    FObjCollection& operator=(const FObjCollection&) = delete;
    ~FObjCollection();

    // Takes ownership of a heap object; counts it if it ends a frame.
    void AddObject(FObj* object);

    void WriteObjects(FSWFStream* stream);
    void WriteEndTag(FSWFStream* stream);
    // Builds the complete file image (header, tags, End tag) and resets definitionIdCounter.
    void WriteMovieBody(FSWFStream* stream, S32 width, S32 height, S32 frameRate);
    // Builds the 21-byte file header and copies it over the first 21 bytes at `target`.
    void WriteHeader(U8* target, U32 fileLength, S32 width, S32 height, S32 frameRate);

    // Writes the movie to fileName by ReplaceFile, without waiting for the disk: a failed write
    // leaves nothing new behind and an old movie as it was. Returns true when the movie is complete.
    // When the file cannot be created, or a folder or a read-only file stands at fileName, the
    // body is not built and definitionIdCounter keeps its value.
    bool WriteMovieFile(const char* fileName, S32 width, S32 height, S32 frameRate);

    S32 FrameCount() const { return frameCount; }
    const std::vector<FObj*>& Objects() const { return objects; }

private:
    S32 frameCount = 0;
    std::vector<FObj*> objects;
};

// ---- Frame and action tags -------------------------------------------------------------------

// ShowFrame (code 1): ends a frame.
class FCTShowFrame : public FCT {
public:
    void WriteTo(FSWFStream* stream) override;
    bool CountsAsFrame() override { return true; }
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
    ~FCTDoAction() override;
    // Takes ownership of a heap record.
    void AppendAction(FActionRecord* action);
    void WriteTo(FSWFStream* stream) override;
    bool CountsAsFrame() override { return false; }

private:
    std::vector<FActionRecord*> actions;
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

// DefineSound (code 14). Takes the next definition id when constructed; frees no sound data.
class FDTDefineSound : public FDT {
public:
    FDTDefineSound();
    void WriteTo(FSWFStream* stream) override;
    U16 DefinitionId() override { return id; }
    const SoundParams& Params() const { return soundParams; }

protected:
    U16 id;
    SoundParams soundParams;
};

// One point of a sound envelope.
struct SoundEnvelope {
    U32 mark44; // position in 44 kHz samples
    U16 level0; // left channel
    U16 level1; // right channel
};

// Playing options of a StartSound. Owns `envelope` (an array of envelopePointCount points
// allocated with new[]).
class FSoundInfo {
public:
    FSoundInfo(U8 syncFlags, U8 hasEnvelope, U8 hasLoops, U8 hasOutPoint, U8 hasInPoint, U32 inPoint,
               U32 outPoint, U16 loopCount, U8 envelopePointCount, SoundEnvelope* envelope);
    FSoundInfo(const FSoundInfo&) = delete;
    FSoundInfo& operator=(const FSoundInfo&) = delete;
    ~FSoundInfo();
    void WriteTo(FSWFStream* stream);

private:
    U8 syncFlags;
    U8 hasEnvelope;
    U8 hasLoops;
    U8 hasOutPoint;
    U8 hasInPoint;
    U32 inPoint;
    U32 outPoint;
    U16 loopCount;
    U8 envelopePointCount;
    SoundEnvelope* envelope;
};

// StartSound (code 15): starts the sound with id soundId. Owns soundInfo.
class FCTStartSound : public FCT {
public:
    FCTStartSound(U16 soundId, FSoundInfo* soundInfo);
    ~FCTStartSound() override;
    void WriteTo(FSWFStream* stream) override;

private:
    U16 soundId;
    FSoundInfo* soundInfo;
};
