// The tag codes the writer makes and the reader names, kept in one place so the two agree.
#pragma once

#include <cstdint>

constexpr uint16_t kTagEnd = 0;
constexpr uint16_t kTagShowFrame = 1;
constexpr uint16_t kTagDoAction = 12;
constexpr uint16_t kTagDefineSound = 14;
constexpr uint16_t kTagStartSound = 15;
