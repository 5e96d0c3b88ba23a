// The SWF tag object model: definition ids, the movie container and file writer, the frame,
// action, sound definition and start tags.
#include "FDT.h"

#include "SwfAssert.h"
#include "SwfTags.h"

#include <cstdio>
#include <cstring>
#include <ostream>
#include <utility>

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
    // A tag that ends a frame defines nothing.
    if (added->CountsAsFrame()) {
        frameCount += added->FramesEnded();
        return;
    }
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

bool FObjCollection::WriteMovie(std::FILE* file, S32 width, S32 height, S32 frameRate) {
    FSWFStream stream;
    WriteMovieBody(&stream, width, height, frameRate);
    const U32 fileLength = stream.TotalSize();
    return stream.SaveToFile(file) == fileLength;
}

bool FObjCollection::WriteMovieAt(int fd, S32 width, S32 height, S32 frameRate, const StopRequest* stop) {
    FSWFStream stream;
    WriteMovieBody(&stream, width, height, frameRate);
    const U32 fileLength = stream.TotalSize();
    return stream.SaveToFileAt(fd, stop) == fileLength;
}

// ---- Frame and action tags -------------------------------------------------------------------

void FCTShowFrame::WriteTo(FSWFStream* stream) {
    for (S32 i = 0; i < count; ++i)
        stream->PutTag(kTagShowFrame, 0);
}

namespace {
constexpr U8 kActionPlay = 0x06;
constexpr U8 kActionStop = 0x07;
} // namespace

void FActionStop::WriteTo(FSWFStream* stream) {
    stream->PutByte(kActionStop);
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

void FCTDoAction::Describe(SwfReader body, std::ostream& out) {
    out << ": actions";
    bool any = false;
    for (;;) {
        const uint32_t code = body.Byte();
        if (body.CutShort()) {
            out << ", no end flag";
            return;
        }
        if (code == 0)
            break;
        any = true;
        if (code == kActionStop) {
            out << " Stop";
        } else if (code == kActionPlay) {
            out << " Play";
        } else {
            static const char digits[] = "0123456789ABCDEF";
            out << " 0x" << digits[code >> 4] << digits[code & 15];
        }
        // Actions from 0x80 on carry a length and that many bytes.
        if (code >= 0x80) {
            const uint32_t payload = body.Word();
            out << "(" << payload << " bytes)";
            for (uint32_t i = 0; i < payload; ++i)
                body.Byte();
        }
    }
    if (!any)
        out << " none";
    if (body.Remaining() != 0)
        out << ", " << body.Remaining() << " bytes after the end flag";
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
    WriteSoundData(body);
    stream->PutTag(kTagDefineSound, body.TotalSize(), &body);
}

void FDTDefineSound::WriteSoundData(FSWFStream& body) {
    body.AddLargeData(soundParams.data, soundParams.dataSize);
}

namespace {

const char* const kRateNames[] = {"5.5 kHz", "11 kHz", "22 kHz", "44 kHz"};

const char* SoundFormatName(unsigned format) {
    switch (format) {
    case 0:
        return "raw";
    case 1:
        return "ADPCM";
    case 2:
        return "MP3";
    case 3:
        return "raw little-endian";
    default:
        return nullptr;
    }
}

} // namespace

void FDTDefineSound::Describe(SwfReader body, std::ostream& out) {
    const size_t length = body.Remaining();
    const uint32_t id = body.Word();
    const uint32_t flags = body.Byte();
    const uint32_t sampleCount = body.DWord();
    if (body.CutShort()) {
        out << ": body cut short";
        return;
    }
    const unsigned format = flags >> 4;
    const char* formatName = SoundFormatName(format);
    out << ": id " << id << ", format " << format;
    if (formatName != nullptr)
        out << " (" << formatName << ")";
    out << ", rate " << ((flags >> 2) & 3u) << " (" << kRateNames[(flags >> 2) & 3u] << ")";
    out << ", size " << ((flags >> 1) & 1u) << ((flags & 2u) != 0 ? " (16-bit)" : " (8-bit)");
    out << ", type " << (flags & 1u) << ((flags & 1u) != 0 ? " (stereo)" : " (mono)");
    out << ", sample count " << sampleCount << ", data length " << (length - 7);
    if (format == 2 && (length - 7) >= 2)
        out << " (seek samples " << static_cast<int16_t>(body.Word()) << ")";
}

FSoundInfo& FSoundInfo::InPoint(U32 mark44) {
    hasInPoint = true;
    inPoint = mark44;
    return *this;
}

FSoundInfo& FSoundInfo::OutPoint(U32 mark44) {
    hasOutPoint = true;
    outPoint = mark44;
    return *this;
}

FSoundInfo& FSoundInfo::Loops(U16 count) {
    hasLoops = true;
    loopCount = count;
    return *this;
}

FSoundInfo& FSoundInfo::Envelope(std::vector<SoundEnvelope> points) {
    SWF_ASSERT(points.size() <= 255, FSoundInfo);
    hasEnvelope = true;
    envelope = std::move(points);
    return *this;
}

void FSoundInfo::WriteTo(FSWFStream* stream) const {
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
        stream->PutByte(static_cast<U8>(envelope.size()));
        for (const SoundEnvelope& point : envelope) {
            stream->PutDWord(point.mark44);
            stream->PutWord(point.level0);
            stream->PutWord(point.level1);
        }
    }
}

void FSoundInfo::Describe(SwfReader& body, std::ostream& out) {
    const uint32_t flags = body.Byte();
    if ((flags >> 6) != 0)
        out << ", reserved bits " << (flags >> 6);
    out << ", sync stop " << ((flags >> 5) & 1u) << ", no multiple " << ((flags >> 4) & 1u);
    // The optional fields follow in the opposite order of their flags.
    if ((flags & 1u) != 0)
        out << ", in point " << body.DWord();
    if ((flags & 2u) != 0)
        out << ", out point " << body.DWord();
    if ((flags & 4u) != 0)
        out << ", loop count " << body.Word();
    if ((flags & 8u) != 0) {
        const uint32_t points = body.Byte();
        out << ", envelope of " << points << (points == 1 ? " point" : " points");
        for (uint32_t i = 0; i < points && !body.CutShort(); ++i) {
            const uint32_t mark44 = body.DWord();
            const uint32_t left = body.Word();
            const uint32_t right = body.Word();
            out << (i == 0 ? ": " : ", ") << mark44 << " " << left << "/" << right;
        }
    }
}

FCTStartSound::FCTStartSound(U16 id, std::optional<FSoundInfo> info)
    : soundId(id), soundInfo(std::move(info)) {}

void FCTStartSound::WriteTo(FSWFStream* stream) {
    FSWFStream body;
    body.PutWord(soundId);
    if (soundInfo)
        soundInfo->WriteTo(&body);
    stream->PutTag(kTagStartSound, body.TotalSize(), &body);
}

void FCTStartSound::Describe(SwfReader body, std::ostream& out) {
    out << ": sound id " << body.Word();
    if (body.Remaining() == 0)
        return; // a StartSound without sound info
    FSoundInfo::Describe(body, out);
    if (body.CutShort())
        out << ", body cut short";
    else if (body.Remaining() != 0)
        out << ", " << body.Remaining() << " bytes more";
}
