#pragma once

#include <string>

#include "core/DataSignature.h"
#include "platform/Bitmap.h"
#include "platform/ImageCodec.h"

namespace wispen {

// Data files are stored with their leading signature bytes scrambled. Before the platform reads one, it is
// copied to a temporary file in the process's private directory and the signature of its kind is written
// back into the copy.
constexpr int kBitmapData = static_cast<int>(DataKind::Bitmap);  // "BM"
constexpr int kWaveData = static_cast<int>(DataKind::Wave);      // "RIFF" ... "WAVEfmt"
constexpr int kMidiData = static_cast<int>(DataKind::Midi);      // "MThd" ... "MTrk"

// The header that is rewritten; a data file shorter than this is refused.
constexpr int kDataHeaderSize = 20;

// The temporary files, one for each kind, in the process's private directory. One spelling each, so that a
// picture's copy and the one deleted at close are the same file.
inline constexpr char kTempBitmapName[] = "$$WISP$$.bmp";
inline constexpr char kTempWaveName[] = "$$WISP$$.Wav";
inline constexpr char kTempMidiName[] = "$$WISP$$.Mid";

// Copies the data file to the temporary file (a new file made in its place, never written through a link
// found there) and writes the signature of `kind` into the copy's first 20 bytes; any other kind leaves the
// copy as it is. False when the data file is missing or
// shorter than 20 bytes (an older temporary file is then left as it was), or when no temporary file exists
// after the copy. A failure to open, read, seek in, write or close the copy throws IoError; a copy that
// cannot be written whole (a full disk) is deleted and throws WriteError.
bool ExtractDataFile(const std::string& dataFileName, const std::string& tempFileName, int kind);

// Loads a bitmap data file into the image's picture through the temporary bitmap file in `tempDir`, which
// ends with its separator. False when the file could not be extracted: the picture is then unchanged. A
// picture that cannot be read throws IoError; the picture is then unchanged too and the temporary file stays
// until the next extraction or the close. A picture beyond `limit` is one that cannot be read.
bool LoadDataPicture(ImageCodec& codec, const std::string& tempDir, const std::string& dataFileName,
                     TImage& image, const PictureLimit& limit = PictureLimit{});
// The same for a picture held as palette indices where it has at most 256 colours.
bool LoadDataPicture(ImageCodec& codec, const std::string& tempDir, const std::string& dataFileName,
                     TPaletteImage& image, const PictureLimit& limit = PictureLimit{});

// Deletes the three temporary files, bitmap first, then wave, then MIDI; missing ones are passed over.
void DeleteTemporaryFiles(const std::string& tempDir);

}  // namespace wispen
