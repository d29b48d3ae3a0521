#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "data/DataFile.h"
#include "platform/Errors.h"
#include "sdl/SdlImageCodec.h"

namespace wispen {
namespace {

using test::Bytes;
using test::ReadAll;
using test::TempDir;
using test::WriteAll;

// Bytes that hold no signature of any kind, each one different from its neighbours.
Bytes Scrambled(size_t size, unsigned char seed = 0) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(seed + 7 * i + 1);
  return bytes;
}

class ExtractDataFileTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string data = dir / "Data.Dat";
  std::string temp = dir / "copy.tmp";
};

struct Signature {
  size_t at;
  std::string text;
};

// The copy holds the kind's signature at its offsets and the data file's own bytes everywhere else; a file
// whose signature is intact comes through unchanged. The data file is never touched.
TEST_F(ExtractDataFileTest, SignaturesGoToTheirOffsetsAndNothingElseChanges) {
  const std::pair<int, std::vector<Signature>> kinds[] = {
      {kBitmapData, {{0, "BM"}}},
      {kWaveData, {{0, "RIFF"}, {8, "WAVEfmt"}}},
      {kMidiData, {{0, "MThd"}, {14, "MTrk"}}},
  };
  for (const auto& [kind, signature] : kinds) {
    for (unsigned char seed : {0x00, 0x42, 0xFF}) {
      const Bytes original = Scrambled(seed == 0x42 ? 20 : 300, seed);
      Bytes expected = original;
      for (const Signature& part : signature)
        std::copy(part.text.begin(), part.text.end(), expected.begin() + part.at);
      WriteAll(data, original);
      ASSERT_TRUE(ExtractDataFile(data, temp, kind));
      EXPECT_EQ(ReadAll(temp), expected) << "kind " << kind << ", seed " << int{seed};
      EXPECT_EQ(ReadAll(data), original);

      WriteAll(data, expected);
      ASSERT_TRUE(ExtractDataFile(data, temp, kind));
      EXPECT_EQ(ReadAll(temp), expected) << "intact, kind " << kind << ", seed " << int{seed};
    }
  }
}

TEST_F(ExtractDataFileTest, UnknownKindCopiesWithoutChange) {
  const Bytes original = Scrambled(50);
  WriteAll(data, original);
  for (int kind : {3, -1, 1000}) {
    ASSERT_TRUE(ExtractDataFile(data, temp, kind));
    EXPECT_EQ(ReadAll(temp), original) << "kind " << kind;
  }
}

TEST_F(ExtractDataFileTest, NothingToExtractLeavesAnOlderCopyUntouched) {
  const Bytes older = Scrambled(40, 9);
  WriteAll(temp, older);

  EXPECT_FALSE(ExtractDataFile(data, temp, kBitmapData)) << "missing data file";
  EXPECT_EQ(ReadAll(temp), older);

  std::filesystem::create_directory(data);
  EXPECT_FALSE(ExtractDataFile(data, temp, kBitmapData)) << "a directory is no data file";
  EXPECT_EQ(ReadAll(temp), older);
  std::filesystem::remove(data);

  // Too short to hold the header of any of the three formats: nothing is written, not even padding.
  WriteAll(data, Scrambled(19));
  for (int kind : {kBitmapData, kWaveData, kMidiData, 5}) {
    EXPECT_FALSE(ExtractDataFile(data, temp, kind)) << "kind " << kind;
    EXPECT_EQ(ReadAll(temp), older);
  }
}

TEST_F(ExtractDataFileTest, ShortDataFileMakesNoCopy) {
  WriteAll(data, Bytes{});
  EXPECT_FALSE(ExtractDataFile(data, temp, kBitmapData));
  EXPECT_FALSE(std::filesystem::exists(temp));
  WriteAll(data, Scrambled(19));
  EXPECT_FALSE(ExtractDataFile(data, temp, kWaveData));
  EXPECT_FALSE(std::filesystem::exists(temp));
  WriteAll(data, Scrambled(20));
  EXPECT_TRUE(ExtractDataFile(data, temp, kWaveData));
  EXPECT_EQ(ReadAll(temp).size(), 20u);
}

TEST_F(ExtractDataFileTest, NextExtractionReplacesTheWholeCopy) {
  WriteAll(data, Scrambled(500, 1));
  ASSERT_TRUE(ExtractDataFile(data, temp, kMidiData));
  const std::string second = dir / "Second.Dat";
  Bytes shorter = Scrambled(30, 2);
  std::copy_n("MThd", 4, shorter.begin());
  std::copy_n("MTrk", 4, shorter.begin() + 14);
  WriteAll(second, shorter);
  ASSERT_TRUE(ExtractDataFile(second, temp, kMidiData));
  EXPECT_EQ(ReadAll(temp), shorter);
}

TEST_F(ExtractDataFileTest, NoCopyWhereOnlyADirectoryCanBe) {
  WriteAll(data, Scrambled(30));
  std::filesystem::create_directory(temp);
  EXPECT_FALSE(ExtractDataFile(data, temp, kBitmapData));
  EXPECT_FALSE(ExtractDataFile(data, dir / "NoSuchDir/copy.tmp", kBitmapData));
}

// A link planted under the temporary name is never written through: what it points at stays as it was.
TEST_F(ExtractDataFileTest, ALinkUnderTheTemporaryNameIsNotFollowed) {
  WriteAll(data, Scrambled(64));
  const std::string victim = dir / "victim";
  WriteAll(victim, Bytes(40, 'v'));
  std::filesystem::create_symlink(victim, temp);
  try {
    ExtractDataFile(data, temp, kBitmapData);
  } catch (const IoError&) {
    // Refusing the link with an error is as good as passing it over.
  }
  EXPECT_EQ(ReadAll(victim), Bytes(40, 'v'));
  EXPECT_TRUE(std::filesystem::is_symlink(temp)) << "a link the game did not make is not removed";
}

TEST_F(ExtractDataFileTest, FailingWriteOfTheHeaderThrows) {
  // /dev/full takes no bytes: the copy into it is lost silently, then the rewrite of the header fails.
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  WriteAll(data, Scrambled(30));
  EXPECT_THROW(ExtractDataFile(data, "/dev/full", kBitmapData), IoError);
}

class DataPictureTest : public ::testing::Test {
 protected:
  DataPictureTest() {
    TBitmap map(300, 7);
    for (int y = 0; y < map.Height(); ++y) {
      for (int x = 0; x < map.Width(); ++x)
        map.At(x, y) = static_cast<TColor>(x * 0x010203 + y * 0x302010) & 0xFFFFFF;
    }
    codec.SaveBmp(map, data);
    Bytes bytes = ReadAll(data);
    bytes[0] = 'x';
    bytes[1] = 0;
    WriteAll(data, bytes);
    picture = std::move(map);
  }

  TempDir dir;
  std::string data = dir / "StageP1.Dat";
  std::string temp = dir / kTempBitmapName;
  SdlImageCodec codec;
  TBitmap picture;
};

TEST_F(DataPictureTest, LoadsTheWholePictureAndLeavesNoCopy) {
  const Bytes stored = ReadAll(data);
  TImage image{TBitmap(20, 20), 5};
  image.Picture.Canvas().BrushColor = clRed;
  ASSERT_TRUE(LoadDataPicture(codec, dir.Path(), data, image));
  EXPECT_EQ(image.Picture.Width(), 300);
  EXPECT_EQ(image.Picture.Height(), 7);
  EXPECT_EQ(image.Picture.Pixels(), picture.Pixels());
  EXPECT_EQ(image.Picture.Canvas().BrushColor, clRed) << "the image keeps its canvas settings";
  EXPECT_EQ(image.Tag, 5);
  EXPECT_FALSE(std::filesystem::exists(temp));
  EXPECT_EQ(ReadAll(data), stored);
}

TEST_F(DataPictureTest, MissingFileKeepsTheOldPicture) {
  TImage image{TBitmap(4, 3, clBlue), 0};
  EXPECT_FALSE(LoadDataPicture(codec, dir.Path(), dir / "StageP9.Dat", image));
  EXPECT_EQ(image.Picture.Width(), 4);
  EXPECT_EQ(image.Picture.At(3, 2), clBlue);
}

TEST_F(DataPictureTest, UnreadablePictureThrowsAndKeepsTheOldPicture) {
  Bytes bytes = ReadAll(data);
  bytes.resize(40);  // the headers lose their pixels
  WriteAll(data, bytes);
  TImage image{TBitmap(4, 3, clBlue), 0};
  EXPECT_THROW(LoadDataPicture(codec, dir.Path(), data, image), IoError);
  EXPECT_EQ(image.Picture.Width(), 4);
  EXPECT_EQ(image.Picture.At(0, 0), clBlue);
  EXPECT_TRUE(std::filesystem::exists(temp)) << "the copy stays until the next extraction or the close";
}

TEST(DeleteTemporaryFilesTest, DeletesTheThreeAndNothingElse) {
  TempDir dir;
  for (const char* name : {kTempBitmapName, kTempWaveName, kTempMidiName, "Keep.Dat"})
    WriteAll(dir / name, {1});
  DeleteTemporaryFiles(dir.Path());
  EXPECT_FALSE(std::filesystem::exists(dir / kTempBitmapName));
  EXPECT_FALSE(std::filesystem::exists(dir / kTempWaveName));
  EXPECT_FALSE(std::filesystem::exists(dir / kTempMidiName));
  EXPECT_TRUE(std::filesystem::exists(dir / "Keep.Dat"));
  EXPECT_NO_THROW(DeleteTemporaryFiles(dir.Path())) << "missing files are passed over";
}

}  // namespace
}  // namespace wispen
