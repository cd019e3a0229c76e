#include "editing/bytehash.h"
#include "editing/recoveryrecord.h"
#include "mapdata/paths.h"
#include "mapfiles.h"
#include "tempfolder.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace maporv {
namespace {

RecoveryRecord sampleRecord() {
    RecoveryRecord record;
    record.mapPath = "/g/SCENARIO/DEMO.MAP";
    record.mapIsOwnFile = true;
    record.namesPath = "/g/MAP/MAP007.TXT";
    record.picturePath = "/g/MAP/MAP0700.s16";
    record.mapModified = true;
    record.namesModified = false;
    record.mapFileStamp = FileStamp{kMapFileSize, -1'700'000'000'123'456'789, 0x0123456789abcdef};
    record.time = 1'700'000'000;
    record.mapBytes = test::sampleMapFile(7);
    record.namesText = "[MAP:  7] [DEMO                ]\n---\n(03,02) #Hilltown\n";
    return record;
}

void expectSame(const RecoveryRecord& a, const RecoveryRecord& b) {
    EXPECT_TRUE(sameWork(a, b));
    EXPECT_EQ(a.time, b.time);
}

TEST(RecoveryRecord, ComesBackAsItWasWritten) {
    test::TempFolder temp;
    RecoveryRecord record = sampleRecord();
    const std::string path = temp.path() + "1-2.rec";
    ASSERT_TRUE(writeRecoveryRecord(path, record));
    RecoveryRead read = readRecoveryRecord(path);
    ASSERT_TRUE(read.record) << read.problem;
    expectSame(*read.record, record);

    // Every flag on its own, a time before the epoch, empty texts.
    record.mapIsOwnFile = false;
    record.mapModified = false;
    record.namesModified = true;
    record.time = -5;
    record.namesPath.clear();
    record.namesText.clear();
    record.mapFileStamp.reset();
    read = decodeRecoveryRecord(encodeRecoveryRecord(record));
    ASSERT_TRUE(read.record) << read.problem;
    expectSame(*read.record, record);

    // A record of the first version, which had no stamp of the map file, is still read.
    std::string first = encodeRecoveryRecord(record).erase(24, 24);
    first[8] = 1;
    first.resize(first.size() - 8);
    for (std::uint64_t i = 0, sum = ByteHash().add(first).value(); i < 8; ++i) {
        first += static_cast<char>(sum >> (8 * i));
    }
    read = decodeRecoveryRecord(first);
    ASSERT_TRUE(read.record) << read.problem;
    expectSame(*read.record, record);

    // The time is not part of the work.
    RecoveryRecord later = record;
    later.time += 60;
    EXPECT_TRUE(sameWork(record, later));
    later.mapBytes[500] ^= 1;
    EXPECT_FALSE(sameWork(record, later));
}

TEST(RecoveryRecord, BadRecordsAreRefusedWithTheirProblem) {
    const std::string good = encodeRecoveryRecord(sampleRecord());

    // Torn at every length.
    for (std::size_t size = 0; size < good.size(); ++size) {
        const RecoveryRead read = decodeRecoveryRecord(std::string_view(good).substr(0, size));
        ASSERT_FALSE(read.record) << size;
        ASSERT_EQ(read.problem, "it is incomplete") << size;
    }
    // Any byte altered.
    for (std::size_t at = 0; at < good.size(); at += 97) {
        std::string bad = good;
        bad[at] = static_cast<char>(bad[at] ^ 0x20);
        EXPECT_FALSE(decodeRecoveryRecord(bad).record) << at;
    }
    EXPECT_EQ(decodeRecoveryRecord(good + "x").problem, "it is damaged");
    EXPECT_EQ(decodeRecoveryRecord(test::sampleMapFile(7)).problem,
              "it is not a recovery record of MapOrv");

    std::string otherVersion = good;
    otherVersion[8] = 3;
    EXPECT_EQ(decodeRecoveryRecord(otherVersion).problem,
              "it was written by another version of MapOrv");

    // A length far beyond the file is refused before anything is taken.
    std::string huge = good;
    for (int i = 0; i < 4; ++i) {
        huge[48 + i] = '\xff';
    }
    EXPECT_EQ(decodeRecoveryRecord(huge).problem, "it is damaged");

    // A well-formed record whose map is not a MAP file's size.
    RecoveryRecord shortMap = sampleRecord();
    shortMap.mapBytes.resize(100);
    EXPECT_EQ(decodeRecoveryRecord(encodeRecoveryRecord(shortMap)).problem, "it is damaged");
}

TEST(RecoveryRecord, FilesAreReadOnlyAsFarAsARecordGoes) {
    test::TempFolder temp;
    EXPECT_EQ(readRecoveryRecord(temp.path() + "missing.rec").problem, "it cannot be opened");
    EXPECT_EQ(readRecoveryRecord(temp.makeFolder("folder.rec")).problem, "it cannot be opened");

    // A huge file is refused from its size, without reading it.
    const std::string big = temp.write("big.rec", encodeRecoveryRecord(sampleRecord()));
    std::filesystem::resize_file(big, 1ull << 26);
    EXPECT_EQ(readRecoveryRecord(big).problem, "it is damaged");
}

TEST(RecoveryRecord, AWriteThatFailsHalfwayLeavesTheRecordBefore) {
    test::TempFolder temp;
    const std::string path = temp.path() + "1-2.rec";
    const RecoveryRecord before = sampleRecord();
    ASSERT_TRUE(writeRecoveryRecord(path, before));

    RecoveryRecord after = sampleRecord();
    after.namesText.assign(100000, 'n');
    // The disk fills after 4096 bytes of the new record.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = writeRecoveryRecord(path, after);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    const RecoveryRead read = readRecoveryRecord(path);
    ASSERT_TRUE(read.record) << read.problem;
    expectSame(*read.record, before);
    // No temporary file is left behind.
    EXPECT_EQ(listFiles(temp.path(), "*").size(), 1U);
}

} // namespace
} // namespace maporv
