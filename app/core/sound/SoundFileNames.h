// What a sound file's name says it holds.
#pragma once

#include <string>

// The extension of path's final component (its part from the last "." on) is extension (given
// in lower case, with its "."), in any letter case: "/snd/a.MP3" has ".mp3", "/snd.mp3/a" none.
bool HasExtension(const std::string& path, const std::string& extension);
// An MP3 by its name: the extension ".mp3" in any letter case. Such an input is used as it is.
bool IsMp3Name(const std::string& path);
// A sound the program converts, by its name: an MP3, or an extension of a format libsndfile
// reads (".wav", ".aif", ".aiff", ".flac", ".ogg", ".opus", ".au", ".caf", ".w64"...), in any
// letter case. Formats with no header of their own (raw, VOX) are left out: nothing in such a
// file says how to read it. A name that is all extension (".wav") is none.
bool IsSoundFileName(const std::string& path);
