// The SWF tag object model: definition ids, the movie container and file writer, the frame,
// action, sound definition and start tags.
#include "FDT.h"

#include "ReplaceFile.h"
#include "SwfAssert.h"
#include "SwfTags.h"

#include <cstdio>
#include <cstring>

// ---- Object model ----------------------------------------------------------------------------

U16 FDT::DefinitionId() {
    SWF_ASSERT(0, FDT);
    return 0;
}

void FDT::SetDefinitionId(U16 /*id*/) {
    SWF_ASSERT(0, FDT);
}

// ---- Movie container -------------------------------------------------------------------------

namespace {
constexpr U32 kHeaderSize = 21;
constexpr U8 kSwfVersion = 4;
} // namespace

void FObjCollection::AddObject(std::unique_ptr<FObj> object) {
    FObj* added = object.get();
    objects.push_back(std::move(object));
    if (added == nullptr)
        return;
    if (added->CountsAsFrame())
        ++frameCount;
    if (auto* definition = dynamic_cast<FDT*>(added);
        definition != nullptr && definition->DefinitionId() == 0)
        definition->SetDefinitionId(NextDefinitionId());
}

void FObjCollection::WriteObjects(FSWFStream* stream) {
    for (const std::unique_ptr<FObj>& object : objects)
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
    // The movie is built only once its file is open. A movie can always be made again from its sound: the
    // system writes it to disk in its own time, as it does the encoder's MP3 (a flush per movie costs a batch
    // of short sounds more than building them).
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

void FCTDoAction::AppendAction(std::unique_ptr<FActionRecord> action) {
    actions.push_back(std::move(action));
}

void FCTDoAction::WriteTo(FSWFStream* stream) {
    FSWFStream body;
    for (const std::unique_ptr<FActionRecord>& action : actions)
        if (action != nullptr)
            action->WriteTo(&body);
    body.PutByte(0); // ActionEndFlag
    stream->PutTag(kTagDoAction, body.TotalSize(), &body);
}

// ---- Sound definition and start tags ---------------------------------------------------------

FDTDefineSound::FDTDefineSound() : id(0), soundParams{} {}

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

FCTStartSound::FCTStartSound(U16 soundId, std::unique_ptr<FSoundInfo> soundInfo)
    : soundId(soundId), soundInfo(std::move(soundInfo)) {}

void FCTStartSound::WriteTo(FSWFStream* stream) {
    FSWFStream body;
    body.PutWord(soundId);
    if (soundInfo != nullptr)
        soundInfo->WriteTo(&body);
    stream->PutTag(kTagStartSound, body.TotalSize(), &body);
}
