// The SWF tag object model: definition ids, the movie container and file writer, the frame,
// action, sound definition and start tags.
#include "FDT.h"

#include "ReplaceFile.h"
#include "SwfAssert.h"
#include "SwfTags.h"

#include <cstdio>
#include <cstring>

// ---- Object model ----------------------------------------------------------------------------

U16 definitionIdCounter = 0;

U16 NextDefinitionId() {
    return ++definitionIdCounter;
}

U16 FDT::DefinitionId() {
    SWF_ASSERT(0, FDT);
    return 0;
}

// ---- Movie container -------------------------------------------------------------------------

namespace {
constexpr U32 kHeaderSize = 21;
constexpr U8 kSwfVersion = 4;
} // namespace

FObjCollection::~FObjCollection() {
    for (FObj* object : objects)
        delete object;
}

void FObjCollection::AddObject(FObj* object) {
    try {
        objects.push_back(object);
    } catch (...) {
        delete object; // ownership was handed over; do not leak it when the list cannot grow
        throw;
    }
    if (object != nullptr && object->CountsAsFrame())
        ++frameCount;
}

void FObjCollection::WriteObjects(FSWFStream* stream) {
    for (FObj* object : objects)
        if (object != nullptr)
            object->WriteTo(stream);
}

void FObjCollection::WriteEndTag(FSWFStream* stream) {
    stream->PutTag(kTagEnd, 0);
}

void FObjCollection::WriteMovieBody(FSWFStream* stream, S32 width, S32 height, S32 frameRate) {
    for (U32 i = 0; i < kHeaderSize; ++i)
        stream->PutByte(0);
    WriteObjects(stream);
    WriteEndTag(stream);
    const U32 fileLength = stream->TotalSize();
    WriteHeader(stream->BufferAt(0), fileLength, width, height, frameRate);
    definitionIdCounter = 0;
}

void FObjCollection::WriteHeader(U8* target, U32 fileLength, S32 width, S32 height, S32 frameRate) {
    FSWFStream header;
    header.PutByte('F');
    header.PutByte('W');
    header.PutByte('S');
    header.PutByte(kSwfVersion);
    header.PutDWord(fileLength);
    // Frame rectangle: field width 15, then Xmin, Xmax, Ymin, Ymax in twips.
    header.PutBits(15, 5);
    header.PutBits(0, 15);
    header.PutBits(static_cast<U32>(width), 15);
    header.PutBits(0, 15);
    header.PutBits(static_cast<U32>(height), 15);
    header.AlignToByte();
    // Frame rate as 8.8 fixed point, fraction first.
    header.PutByte(0);
    header.PutByte(static_cast<U8>(frameRate & 0xFF));
    header.PutWord(static_cast<U16>(frameCount & 0xFFFF));
    std::memcpy(target, header.BufferAt(0), kHeaderSize);
}

bool FObjCollection::WriteMovieFile(const char* fileName, S32 width, S32 height, S32 frameRate) {
    if (fileName == nullptr)
        return false;
    // The movie is built only once its file is open: one that cannot be opened leaves the
    // definition ids going on. A movie can always be made again from its sound: the system
    // writes it to disk in its own time, as it does the encoder's MP3 (a flush per movie costs a
    // batch of short sounds more than building them).
    return ReplaceFile(
        fileName,
        [&](std::FILE* file) {
            FSWFStream stream;
            WriteMovieBody(&stream, width, height, frameRate);
            const U32 fileLength = stream.TotalSize();
            return stream.SaveToFile(file) == fileLength;
        },
        false);
}

// ---- Frame and action tags -------------------------------------------------------------------

void FCTShowFrame::WriteTo(FSWFStream* stream) {
    stream->PutTag(kTagShowFrame, 0);
}

void FActionStop::WriteTo(FSWFStream* stream) {
    stream->PutByte(0x07);
}

FCTDoAction::~FCTDoAction() {
    for (FActionRecord* action : actions)
        delete action;
}

void FCTDoAction::AppendAction(FActionRecord* action) {
    try {
        actions.push_back(action);
    } catch (...) {
        delete action;
        throw;
    }
}

void FCTDoAction::WriteTo(FSWFStream* stream) {
    FSWFStream body;
    for (FActionRecord* action : actions)
        if (action != nullptr)
            action->WriteTo(&body);
    body.PutByte(0); // ActionEndFlag
    stream->PutTag(kTagDoAction, body.TotalSize(), &body);
}

// ---- Sound definition and start tags ---------------------------------------------------------

FDTDefineSound::FDTDefineSound() : id(NextDefinitionId()), soundParams{} {}

void FDTDefineSound::WriteTo(FSWFStream* stream) {
    FSWFStream body;
    body.PutWord(id);
    body.PutBits(soundParams.format, 4);
    body.PutBits(soundParams.rate, 2);
    body.PutBits(soundParams.sampleSize, 1);
    body.PutBits(soundParams.stereo, 1);
    body.PutDWord(soundParams.sampleCount);
    body.AddLargeData(soundParams.data, soundParams.dataSize);
    stream->PutTag(kTagDefineSound, body.TotalSize(), &body);
}

FSoundInfo::FSoundInfo(U8 syncFlags, U8 hasEnvelope, U8 hasLoops, U8 hasOutPoint, U8 hasInPoint, U32 inPoint,
                       U32 outPoint, U16 loopCount, U8 envelopePointCount, SoundEnvelope* envelope)
    : syncFlags(syncFlags), hasEnvelope(hasEnvelope), hasLoops(hasLoops), hasOutPoint(hasOutPoint),
      hasInPoint(hasInPoint), inPoint(inPoint), outPoint(outPoint), loopCount(loopCount),
      envelopePointCount(envelopePointCount), envelope(envelope) {}

FSoundInfo::~FSoundInfo() {
    delete[] envelope;
}

void FSoundInfo::WriteTo(FSWFStream* stream) {
    stream->PutBits(syncFlags, 4);
    stream->PutBits(hasEnvelope, 1);
    stream->PutBits(hasLoops, 1);
    stream->PutBits(hasOutPoint, 1);
    stream->PutBits(hasInPoint, 1);
    if (hasInPoint)
        stream->PutDWord(inPoint);
    if (hasOutPoint)
        stream->PutDWord(outPoint);
    if (hasLoops)
        stream->PutWord(loopCount);
    if (hasEnvelope) {
        // Point count, then each point: 44 kHz position, left level, right level.
        stream->PutByte(envelopePointCount);
        for (U8 i = 0; i < envelopePointCount && envelope != nullptr; ++i) {
            stream->PutDWord(envelope[i].mark44);
            stream->PutWord(envelope[i].level0);
            stream->PutWord(envelope[i].level1);
        }
    }
}

FCTStartSound::FCTStartSound(U16 soundId, FSoundInfo* soundInfo) : soundId(soundId), soundInfo(soundInfo) {}

FCTStartSound::~FCTStartSound() {
    delete soundInfo;
}

void FCTStartSound::WriteTo(FSWFStream* stream) {
    FSWFStream body;
    body.PutWord(soundId);
    if (soundInfo != nullptr)
        soundInfo->WriteTo(&body);
    stream->PutTag(kTagStartSound, body.TotalSize(), &body);
}
