#include "DataFile.h"

#include <array>
#include <cstring>
#include <string_view>

#include "FileIo.h"

namespace wispen {

namespace {

using Header = std::array<unsigned char, kDataHeaderSize>;

void Put(Header& header, size_t at, std::string_view bytes) {
  std::memcpy(header.data() + at, bytes.data(), bytes.size());
}

void WriteSignature(Header& header, int kind) {
  switch (kind) {
    case kBitmapData:
      Put(header, 0, "BM");
      break;
    case kWaveData:
      Put(header, 0, "RIFF");
      Put(header, 8, "WAVEfmt");
      break;
    case kMidiData:
      Put(header, 0, "MThd");
      Put(header, 14, "MTrk");
      break;
    default:
      break;  // an unknown kind is copied as it is
  }
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

bool LoadDataPicture(ImageCodec& codec, const std::string& tempDir, const std::string& dataFileName,
                     TImage& image) {
  const std::string temp = tempDir + kTempBitmapName;
  if (!ExtractDataFile(dataFileName, temp, kBitmapData)) return false;
  // The move keeps the image's own canvas settings, as a component does when it is given a new picture.
  image.Picture = codec.Load(temp);
  DeleteFileQuietly(temp);
  return true;
}

void DeleteTemporaryFiles(const std::string& tempDir) {
  DeleteFileQuietly(tempDir + kTempBitmapName);
  DeleteFileQuietly(tempDir + kTempWaveName);
  DeleteFileQuietly(tempDir + kTempMidiName);
}

}  // namespace wispen
