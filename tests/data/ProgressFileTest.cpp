#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "TempDir.h"
#include "data/ProgressFile.h"
#include "platform/Errors.h"

namespace wispen {
namespace {

using test::Bytes;
using test::Put32;
using test::ReadAll;
using test::TempDir;
using test::WriteAll;

// A full file in which every field has a value of its own, negative ones among them.
Bytes SampleFile() {
  Bytes bytes(kProgressFileSize);
  bytes[0] = 0xEF;
  bytes[1] = 0xBE;
  Put32(bytes, 2, 4);
  Put32(bytes, 6, 7);
  for (uint32_t i = 0; i < 10; ++i) {
    const size_t at = 10 + 16 * i;
    Put32(bytes, at, i + 1);
    Put32(bytes, at + 4, 10 * i);
    Put32(bytes, at + 8, 0x01020300 + i);
    Put32(bytes, at + 12, static_cast<uint32_t>(-1000 - static_cast<int>(i)));
  }
  Put32(bytes, 170, 2);
  return bytes;
}

// A state in which every stored field differs from what a load would give, so that nothing is left unset.
GameState Dirty() {
  GameState s;
  s.Reserved = 0x5555;
  s.CurrentStage = 6;
  s.StagesOpen = 9;
  s.SoulsUsed = 33;
  s.HighScores.fill(ScoreEntry{9, 9, 9, 9});
  s.SpeedFactor = 7;
  s.GameMode = PlayMode::Invulnerable;
  return s;
}

class ProgressFileTest : public ::testing::Test {
 protected:
  ProgressFileTest() { std::filesystem::create_directory(dir / "Data"); }

  TempDir dir;
  std::string path = ProgressFilePath(dir.Path());
};

TEST_F(ProgressFileTest, PathIsInfoDatInTheDataDirectory) {
  EXPECT_EQ(path, dir.Path() + "Data/Info.Dat");
}

TEST_F(ProgressFileTest, NoFileGivesTheDefaults) {
  GameState s = Dirty();
  LoadProgress(path, s);
  EXPECT_EQ(s.Reserved, 0);
  EXPECT_EQ(s.CurrentStage, 1);
  EXPECT_EQ(s.StagesOpen, 1);
  EXPECT_EQ(s.SoulsUsed, 0);
  for (const ScoreEntry& entry : s.HighScores) EXPECT_EQ(entry, ScoreEntry{});
  EXPECT_EQ(s.SpeedFactor, 0);
  EXPECT_EQ(s.GameMode, PlayMode::Normal);
  EXPECT_FALSE(std::filesystem::exists(path)) << "the file is only made at the close";

  SaveProgress(path, s);
  const Bytes saved = ReadAll(path);
  ASSERT_EQ(saved.size(), 174u);
  EXPECT_EQ(saved[0], 0);
  EXPECT_EQ(saved[1], 0);
}

TEST_F(ProgressFileTest, FieldsLoadFromTheirOffsets) {
  WriteAll(path, SampleFile());
  GameState s = Dirty();
  LoadProgress(path, s);
  EXPECT_EQ(s.Reserved, 0xBEEF);
  EXPECT_EQ(s.StagesOpen, 4);
  EXPECT_EQ(s.SoulsUsed, 7);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(s.HighScores[i], (ScoreEntry{i + 1, 10 * i, 0x01020300 + i, -1000 - i})) << "entry " << i;
  }
  EXPECT_EQ(s.SpeedFactor, 2);
  EXPECT_EQ(s.CurrentStage, 0) << "not in the file; a menu choice sets it";
  EXPECT_EQ(s.GameMode, PlayMode::Normal);
  EXPECT_EQ(s.SoulsLeft, 0) << "not in the file";
}

TEST_F(ProgressFileTest, RoundTripIsByteIdentical) {
  const Bytes original = SampleFile();
  WriteAll(path, original);
  GameState s;
  LoadProgress(path, s);
  SaveProgress(path, s);
  EXPECT_EQ(ReadAll(path), original);
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

TEST_F(ProgressFileTest, ValuesOutsideTheirRangesAreTakenAsTheyStand) {
  Bytes bytes = SampleFile();
  Put32(bytes, 2, 0x7FFFFFFF);
  Put32(bytes, 170, static_cast<uint32_t>(-5));
  WriteAll(path, bytes);
  GameState s;
  LoadProgress(path, s);
  EXPECT_EQ(s.StagesOpen, 0x7FFFFFFF);
  EXPECT_EQ(s.SpeedFactor, -5);
}

TEST_F(ProgressFileTest, FileCutAfterByteTenHasAnEmptyTable) {
  Bytes bytes = SampleFile();
  bytes.resize(10);
  WriteAll(path, bytes);
  GameState s = Dirty();
  LoadProgress(path, s);
  EXPECT_EQ(s.Reserved, 0xBEEF);
  EXPECT_EQ(s.StagesOpen, 4);
  EXPECT_EQ(s.SoulsUsed, 7);
  for (const ScoreEntry& entry : s.HighScores) EXPECT_EQ(entry, ScoreEntry{});
  EXPECT_EQ(s.SpeedFactor, 0);
  EXPECT_EQ(s.CurrentStage, 0);

  SaveProgress(path, s);
  EXPECT_EQ(ReadAll(path).size(), 174u) << "the next close writes a whole file";
}

TEST_F(ProgressFileTest, FieldCutThroughKeepsTheBytesThatAreThere) {
  Bytes bytes = SampleFile();
  bytes[10] = 0x34;
  bytes[11] = 0x12;
  bytes[12] = 0x56;
  bytes.resize(12);
  WriteAll(path, bytes);
  GameState s = Dirty();
  LoadProgress(path, s);
  EXPECT_EQ(s.HighScores[0].Stage, 0x1234) << "the missing high bytes are zero";
  EXPECT_EQ(s.HighScores[0].Conquest, 0);

  WriteAll(path, Bytes{0xAB});
  s = Dirty();
  LoadProgress(path, s);
  EXPECT_EQ(s.Reserved, 0x00AB);
  EXPECT_EQ(s.StagesOpen, 0);
}

TEST_F(ProgressFileTest, EmptyFileLeavesEveryStoredFieldZero) {
  WriteAll(path, Bytes{});
  GameState s = Dirty();
  LoadProgress(path, s);
  EXPECT_EQ(s.Reserved, 0);
  EXPECT_EQ(s.StagesOpen, 0) << "a file that is there does not give the defaults of a missing one";
  EXPECT_EQ(s.SoulsUsed, 0);
  EXPECT_EQ(s.SpeedFactor, 0);
  EXPECT_EQ(s.CurrentStage, 0);
  EXPECT_EQ(s.GameMode, PlayMode::Normal);
}

TEST_F(ProgressFileTest, LongerFileIsCutBackOnSave) {
  Bytes bytes = SampleFile();
  bytes.resize(300, 0x77);
  WriteAll(path, bytes);
  GameState s;
  LoadProgress(path, s);
  EXPECT_EQ(s.SpeedFactor, 2);
  SaveProgress(path, s);
  EXPECT_EQ(ReadAll(path), SampleFile());
}

TEST_F(ProgressFileTest, UnreadableFileThrows) {
  // Reading the first bytes of this process's memory fails with an input/output error.
  const std::string unreadable = "/proc/self/mem";
  if (access(unreadable.c_str(), R_OK) != 0) GTEST_SKIP() << "no " << unreadable << " here";
  GameState s = Dirty();
  EXPECT_THROW(LoadProgress(unreadable, s), IoError);
  EXPECT_EQ(s.Reserved, 0) << "a field not read stays zero";
  EXPECT_EQ(s.StagesOpen, 0);
}

// Something at the file's name that is no regular file is not a missing file: it is refused at once, a FIFO
// without a writer too, and the fields stay zero.
TEST_F(ProgressFileTest, DirectoryOrFifoInPlaceOfTheFileIsRefusedWithoutWaiting) {
  std::filesystem::create_directory(path);
  GameState s = Dirty();
  EXPECT_THROW(LoadProgress(path, s), IoError);
  EXPECT_EQ(s.StagesOpen, 0);
  EXPECT_THROW(SaveProgress(path, s), IoError);
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));
  std::filesystem::remove(path);
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  EXPECT_THROW(LoadProgress(path, s), IoError);
}

TEST_F(ProgressFileTest, AFailedSaveDeletesNothingItDidNotCreate) {
  std::filesystem::create_directory(path + ".new");
  WriteCall full = [](int, const void*, size_t) -> ssize_t {
    errno = ENOSPC;
    return -1;
  };
  EXPECT_THROW(SaveProgress(path, GameState{}, full), IoError);
  EXPECT_TRUE(std::filesystem::is_directory(path + ".new"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "Data"), {}), 1);
}

// The new file is made under a name of its own: a link planted where it could be expected is never written
// through, and a save leaves nothing beside the progress file.
TEST_F(ProgressFileTest, ALinkBesideTheFileIsNotFollowed) {
  const Bytes victimBytes(20, 'v');
  WriteAll(dir / "victim", victimBytes);
  std::filesystem::create_symlink(dir / "victim", path + ".new");
  GameState s;
  s.StagesOpen = 4;
  SaveProgress(path, s);
  EXPECT_EQ(ReadAll(dir / "victim"), victimBytes);
  const ProgressBytes expected = EncodeProgress(s);
  EXPECT_EQ(ReadAll(path), Bytes(expected.begin(), expected.end()));
  EXPECT_FALSE(std::filesystem::is_symlink(path));
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir / "Data")) ++entries;
  EXPECT_EQ(entries, 2) << "Info.Dat and the planted link, nothing else";
}

// The old file must survive a save that fails part of the way, whatever the point of failure.
TEST_F(ProgressFileTest, WriteFailingHalfWayLeavesTheOldFileWhole) {
  const Bytes original = SampleFile();
  GameState changed;
  changed.StagesOpen = 10;
  changed.HighScores[9] = ScoreEntry{10, 100, 0, 99999};
  for (size_t budget : {size_t{0}, size_t{1}, size_t{87}, size_t{173}}) {
    WriteAll(path, original);
    size_t left = budget;
    // Takes at most `left` bytes all told, a few at a time, then reports a full disk.
    WriteCall failing = [&left](int fd, const void* data, size_t count) -> ssize_t {
      if (left == 0) {
        errno = ENOSPC;
        return -1;
      }
      const size_t take = std::min({count, left, size_t{5}});
      left -= take;
      return ::write(fd, data, take);
    };
    EXPECT_THROW(SaveProgress(path, changed, failing), IoError) << "after " << budget << " bytes";
    EXPECT_EQ(ReadAll(path), original) << "after " << budget << " bytes";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "Data"), {}), 1)
        << "only Info.Dat is left after " << budget << " bytes";
  }
  // A writer that takes the bytes a few at a time but never fails gives the whole file.
  size_t calls = 0;
  WriteCall trickle = [&calls](int fd, const void* data, size_t count) -> ssize_t {
    ++calls;
    return ::write(fd, data, std::min(count, size_t{3}));
  };
  SaveProgress(path, changed, trickle);
  const ProgressBytes expected = EncodeProgress(changed);
  EXPECT_EQ(ReadAll(path), Bytes(expected.begin(), expected.end()));
  EXPECT_GT(calls, 50u);
}

TEST_F(ProgressFileTest, MissingDataDirectoryThrows) {
  std::filesystem::remove(dir / "Data");
  EXPECT_THROW(SaveProgress(path, GameState{}), IoError);
  EXPECT_FALSE(std::filesystem::exists(dir / "Data"));
}

TEST_F(ProgressFileTest, DataThatIsAFileCannotHoldTheProgress) {
  std::filesystem::remove(dir / "Data");
  WriteAll(dir / "Data", {1, 2, 3});
  EXPECT_THROW(SaveProgress(path, GameState{}), IoError);
  EXPECT_EQ(ReadAll(dir / "Data"), (Bytes{1, 2, 3}));
}

TEST_F(ProgressFileTest, ReadOnlyDataDirectoryKeepsTheOldFile) {
  const Bytes original = SampleFile();
  WriteAll(path, original);
  std::filesystem::permissions(dir / "Data",
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  // Root, or a process with the capability to override permissions, writes into it all the same.
  if (access((dir / "Data").c_str(), W_OK) == 0) GTEST_SKIP() << "permissions do not stop this process";
  GameState s;
  s.StagesOpen = 3;
  EXPECT_THROW(SaveProgress(path, s), IoError);
  EXPECT_EQ(ReadAll(path), original);
}

}  // namespace
}  // namespace wispen
