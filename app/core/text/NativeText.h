// Texts and paths are bytes on this system; Qt shows and edits them as QString. This pair converts
// between the two without losing a byte, so a name that is not valid UTF-8 reaches the file
// system exactly as it was given.
#pragma once

#include <string>

#include <QString>

// Valid UTF-8 sequences become their characters; every byte of an invalid sequence becomes the
// lone surrogate U+DC00 + byte, which shows as a placeholder glyph and converts back unchanged.
QString TextFromBytes(const std::string& bytes);

// UTF-8 of text, except that lone surrogates U+DC80 to U+DCFF become the single byte they stand
// for. Any other lone surrogate (typed or pasted, never made by TextFromBytes) becomes U+FFFD.
std::string BytesFromText(const QString& text);

// bytes with every control character (below 0x20, and 0x7F) written as an escape: "\n", "\r",
// "\t", any other as "\xhh". One name, one line, in the run report and on standard error; every
// other byte, also of a name that is not UTF-8, stays as it is.
std::string EscapeControlCharacters(const std::string& bytes);

// A path as Qt's file dialogs give it: they decode names that are not valid UTF-8 with U+FFFD in
// place of the bytes, so the path names a file that is not there. Walks the path's components
// and, where one does not exist as converted, takes the one entry of its folder that shows as that
// component (through TextFromBytes or Qt's own decoding). Returns the real path as TextFromBytes
// shows it. A component that matches no entry, or more than one, is kept as it is: a name still
// to be made (a save dialog's) or one that cannot be told apart is never swapped for another file.
QString RecoverDialogPath(const QString& dialogPath);
