#include "DataFile.h"

#include <array>

#include "FileIo.h"
#include "core/DataSignature.h"

namespace wispen {

namespace {

using Header = std::array<unsigned char, kDataHeaderSize>;

void WriteSignature(Header& header, int kind) {
  // An unknown kind is copied as it is.
  if (kind >= kBitmapData && kind <= kMidiData) RestoreSignature(header, static_cast<DataKind>(kind));
}

}  // namespace

bool ExtractDataFile(const std::string& dataFileName, const std::string& tempFileName, int kind) {
  // A file too short for the header is no BMP, WAVE or MIDI file, and writing the 20 bytes back would pad the
  // copy with bytes that were never in it. It is refused before anything is copied, so an older copy stays as
  // it was.
  if (FileSize(dataFileName) < kDataHeaderSize) return false;
  CopyFileReplacing(dataFileName, tempFileName);
  // When the copy failed, an older temporary file of this name is used as it stands.
  if (!FileExists(tempFileName)) return false;

  ByteFile copy(tempFileName, ByteFile::Mode::ReadWrite);
  Header header{};
  if (copy.Read(header.data(), header.size()) < header.size()) {
    // Only an older, damaged copy can be this short; nothing is written into it.
    copy.Close();
    return false;
  }
  WriteSignature(header, kind);
  copy.SeekStart();
  copy.Write(header.data(), header.size());
  copy.Close();
  return true;
}

namespace {

template <typename Image, typename LoadPicture>
bool LoadThroughTemporary(const std::string& tempDir, const std::string& dataFileName, Image& image,
                          LoadPicture load) {
  const std::string temp = tempDir + kTempBitmapName;
  if (!ExtractDataFile(dataFileName, temp, kBitmapData)) return false;
  // The move keeps the image's own canvas settings, as a component does when it is given a new picture.
  image.Picture = load(temp);
  DeleteFileQuietly(temp);
  return true;
}

}  // namespace

bool LoadDataPicture(ImageCodec& codec, const std::string& tempDir, const std::string& dataFileName,
                     TImage& image, const PictureLimit& limit) {
  return LoadThroughTemporary(tempDir, dataFileName, image,
                              [&](const std::string& temp) { return codec.Load(temp, limit); });
}

bool LoadDataPicture(ImageCodec& codec, const std::string& tempDir, const std::string& dataFileName,
                     TPaletteImage& image, const PictureLimit& limit) {
  return LoadThroughTemporary(tempDir, dataFileName, image,
                              [&](const std::string& temp) { return codec.LoadPalette(temp, limit); });
}

void DeleteTemporaryFiles(const std::string& tempDir) {
  DeleteFileQuietly(tempDir + kTempBitmapName);
  DeleteFileQuietly(tempDir + kTempWaveName);
  DeleteFileQuietly(tempDir + kTempMidiName);
}

}  // namespace wispen
