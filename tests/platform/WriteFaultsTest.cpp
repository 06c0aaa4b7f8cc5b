#include "platform/AtomicFile.h"
#include "platform/Exceptions.h"
#include "platform/FileSystem.h"
#include "support/FailingWrites.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

namespace daylark::test {
namespace {

const std::string kOld = "the old content\n";
const std::string kNew = "the new content, longer than the old\n";

/// The ways a call can fail: a full disk before any byte, after one, one short of all; an I/O
/// error; for a Write each of them, for the other calls the errors alone.
std::vector<WriteFault> faultsFor(WriteCall call, std::size_t size)
{
    if (call != WriteCall::Write) {
        return {{ENOSPC, 0}, {EIO, 0}};
    }
    return {{ENOSPC, 0}, {ENOSPC, 1}, {ENOSPC, size == 0 ? 0 : size - 1}, {EIO, 0}};
}

/// Runs `save` failing each of its write calls in each way: it throws or reports the cause of
/// the fault, and the target holds the old or the new bytes whole, with no temporary beside it.
void sweep(const std::function<void(const std::string& target)>& save,
           const std::function<int(const std::string& target)>& saveReportingErrno)
{
    std::vector<FailingWrites::Call> calls;
    {
        TempDir dir;
        writeFile(dir.file("data"), kOld);
        FailingWrites counting;
        save(dir.file("data"));
        calls = counting.calls;
    }
    ASSERT_GE(calls.size(), 4u); // open, write, sync, rename, directory sync
    for (std::size_t at = 1; at <= calls.size(); ++at) {
        for (const WriteFault& fault : faultsFor(calls[at - 1].call, calls[at - 1].size)) {
            SCOPED_TRACE(nameOf(calls[at - 1].call) + " #" + std::to_string(at) + " errno " +
                         std::to_string(fault.error) + " after " +
                         std::to_string(fault.bytesBefore));
            TempDir dir;
            const std::string target = dir.file("data");
            writeFile(target, kOld);
            int error = 0;
            {
                FailingWrites failing(at, fault);
                if (saveReportingErrno) {
                    error = saveReportingErrno(target);
                } else {
                    try {
                        save(target);
                    } catch (const CFileException& failure) {
                        EXPECT_EQ(failure.cause(), CFileException::causeFromErrno(fault.error));
                        error = failure.osError();
                    }
                }
            }
            EXPECT_EQ(error, fault.error);
            const std::string now = readFile(target);
            EXPECT_TRUE(now == kOld || now == kNew) << now;
            EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"data"});
            // A retry without the fault succeeds.
            save(target);
            EXPECT_EQ(readFile(target), kNew);
        }
    }
}

TEST(WriteFaults, AnAtomicSaveThatFailsAnywhereKeepsOneWholeFileAndSaysWhy)
{
    sweep(
        [](const std::string& target) {
            AtomicFile file(target);
            // Two writes, as a record file is written: a fault between them is a half file.
            file.file().write(kNew.data(), 10);
            file.file().write(kNew.data() + 10, kNew.size() - 10);
            file.commit();
        },
        {});
}

TEST(WriteFaults, ACopyThatFailsAnywhereKeepsOneWholeFileAndReturnsTheError)
{
    const auto copy = [](const std::string& target) {
        const TempDir from;
        writeFile(from.file("source"), kNew);
        return copyFile(from.file("source"), target);
    };
    sweep([&copy](const std::string& target) { ASSERT_EQ(copy(target), 0); }, copy);
}

TEST(WriteFaults, AFailingWriteGetsAtMostAllButOneByteOutAndDirectoryCallsReturnTheError)
{
    TempDir dir;
    const std::pair<std::size_t, std::size_t> cases[] = {{0, 0}, {1, 1}, {9, 9}, {10, 9}, {99, 9}};
    for (const auto& [before, written] : cases) {
        SCOPED_TRACE(before);
        File file(dir.file("bytes"), File::Mode::Create);
        FailingWrites failing(1, {ENOSPC, before});
        EXPECT_THROW(file.write("0123456789", 10), CFileException);
        EXPECT_EQ(file.length(), static_cast<std::int64_t>(written));
    }
    {
        FailingWrites failing(1, {EIO, 0});
        EXPECT_EQ(createDirectory(dir.file("sub")), EIO);
    }
    EXPECT_FALSE(fileExists(dir.file("sub")));
    {
        FailingWrites failing(2, {ENOSPC, 0});
        EXPECT_EQ(createDirectories(dir.file("a/b")), ENOSPC);
        EXPECT_EQ(failing.calls.size(), 2u);
    }
    EXPECT_TRUE(fileExists(dir.file("a")));
    EXPECT_FALSE(fileExists(dir.file("a/b")));
    {
        FailingWrites failing(1, {EIO, 0});
        EXPECT_EQ(removeFile(dir.file("bytes")), EIO);
        EXPECT_EQ(renameFile(dir.file("bytes"), dir.file("moved")), 0);
    }
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"a", "moved"}));
}

} // namespace
} // namespace daylark::test
