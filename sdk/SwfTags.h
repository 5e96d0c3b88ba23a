// The tag codes the writer makes and the reader names, kept in one place so the two agree.
#pragma once

#include <cstdint>

constexpr uint16_t kTagEnd = 0;
constexpr uint16_t kTagShowFrame = 1;
constexpr uint16_t kTagDefineShape = 2;
constexpr uint16_t kTagPlaceObject = 4;
constexpr uint16_t kTagRemoveObject = 5;
constexpr uint16_t kTagSetBackgroundColor = 9;
constexpr uint16_t kTagDoAction = 12;
constexpr uint16_t kTagDefineSound = 14;
constexpr uint16_t kTagStartSound = 15;
constexpr uint16_t kTagSoundStreamHead = 18;
constexpr uint16_t kTagSoundStreamBlock = 19;
constexpr uint16_t kTagDefineBitsJPEG2 = 21;
constexpr uint16_t kTagPlaceObject2 = 26;
constexpr uint16_t kTagRemoveObject2 = 28;
constexpr uint16_t kTagDefineSprite = 39;
constexpr uint16_t kTagFrameLabel = 43;
constexpr uint16_t kTagSoundStreamHead2 = 45;
constexpr uint16_t kTagDefineVideoStream = 60;
constexpr uint16_t kTagVideoFrame = 61;

// Every code above with its name, for the reader.
struct SwfTagCodeName {
    uint16_t code;
    const char* name;
};
constexpr SwfTagCodeName kSwfTagNames[] = {
    {kTagEnd, "End"},
    {kTagShowFrame, "ShowFrame"},
    {kTagDefineShape, "DefineShape"},
    {kTagPlaceObject, "PlaceObject"},
    {kTagRemoveObject, "RemoveObject"},
    {kTagSetBackgroundColor, "SetBackgroundColor"},
    {kTagDoAction, "DoAction"},
    {kTagDefineSound, "DefineSound"},
    {kTagStartSound, "StartSound"},
    {kTagSoundStreamHead, "SoundStreamHead"},
    {kTagSoundStreamBlock, "SoundStreamBlock"},
    {kTagDefineBitsJPEG2, "DefineBitsJPEG2"},
    {kTagPlaceObject2, "PlaceObject2"},
    {kTagRemoveObject2, "RemoveObject2"},
    {kTagDefineSprite, "DefineSprite"},
    {kTagFrameLabel, "FrameLabel"},
    {kTagSoundStreamHead2, "SoundStreamHead2"},
    {kTagDefineVideoStream, "DefineVideoStream"},
    {kTagVideoFrame, "VideoFrame"},
};
