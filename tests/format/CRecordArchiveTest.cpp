#include "format/CRecordArchive.h"

#include "diary/CDaylarkPage.h"
#include "platform/Exceptions.h"
#include "records/CDaylarkTodo.h"
#include "support/MemoryFile.h"
#include "support/RecordFileTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace daylark::test {
namespace {

std::string stored(const std::function<void(CRecordArchive&)>& write)
{
    MemoryFile file;
    CRecordArchive ar(file, CRecordArchive::Mode::Storing);
    write(ar);
    ar.Close();
    return file.data;
}

/// The cause code of the failure `work` throws; -1 when it throws none.
template <class Failure = CArchiveException> int causeOf(const std::function<void()>& work)
{
    try {
        work();
    } catch (const Failure& failure) {
        return failure.cause();
    }
    return -1;
}

std::string pageBytes(std::uint32_t version, std::int32_t date, const std::string& page)
{
    return dword(version) + dword(date) + text(page);
}

TEST(CRecordArchive, StringPrefixesChangeAtTheirBoundariesAndReadBack)
{
    const std::vector<std::pair<std::size_t, std::string>> cases = {
        {0, bytes({0x00})},
        {3, bytes({0x03})},
        {254, bytes({0xFE})},
        {255, bytes({0xFF, 0xFF, 0x00})},
        {300, bytes({0xFF, 0x2C, 0x01})},
        {65533, bytes({0xFF, 0xFD, 0xFF})},
        {65534, bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {70000, bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const auto& [length, prefix] : cases) {
        SCOPED_TRACE(length);
        std::string value(length, 'x');
        if (!value.empty()) {
            value.back() = '\xE9'; // 8-bit text stays byte for byte
        }
        const std::string file = stored([&](CRecordArchive& ar) { ar.writeString(value); });
        ASSERT_EQ(file.size(), prefix.size() + length);
        EXPECT_EQ(file.substr(0, prefix.size()), prefix);

        MemoryFile in(file);
        CRecordArchive ar(in, CRecordArchive::Mode::Loading);
        EXPECT_EQ(ar.readString(), value);
    }
}

TEST(CRecordArchive, WideStringsAreReadAsUtf8AndHugeLengthsFailAtOnce)
{
    const std::string wide = bytes({0xFF, 0xFE, 0xFF});
    const std::vector<std::pair<std::string, std::string>> cases = {
        {wide + bytes({0x03, 'a', 0, 'b', 0, 'c', 0}), "abc"},
        {wide + bytes({0x01, 0xE9, 0x00}), "\xC3\xA9"},
        {wide + bytes({0x02, 0x3D, 0xD8, 0x00, 0xDE}), "\xF0\x9F\x98\x80"}, // surrogate pair
        {wide + bytes({0x02, 0x3D, 0xD8, 'a', 0}), "\uFFFDa"},              // unpaired surrogate
        {wide + bytes({0xFF, 0x01, 0x00, 'z', 0}), "z"},                    // three-byte count
    };
    for (const auto& [file, expected] : cases) {
        SCOPED_TRACE(expected);
        MemoryFile in(file);
        CRecordArchive ar(in, CRecordArchive::Mode::Loading);
        EXPECT_EQ(ar.readString(), expected);
    }
    // Lengths of 4 GB in a file of 100 bytes are refused before anything is allocated.
    for (const std::string& prefix : {bytes({0xFF, 0xFF, 0xFF}), wide + bytes({0xFF, 0xFF})}) {
        MemoryFile in(prefix + bytes({0xFF, 0xFF, 0xFF, 0xFF}) + std::string(100, 'x'));
        CRecordArchive ar(in, CRecordArchive::Mode::Loading);
        EXPECT_EQ(causeOf([&] { ar.readString(); }), CArchiveException::endOfFile);
    }
}

TEST(CRecordArchive, RecordsOfOneClassShareOneDescriptionAndRepeatsAreReferences)
{
    CDaylarkPage first;
    first.Date = 851990400;
    first.Text = "ab";
    CDaylarkPage second;
    second.Date = 852076800;
    const std::string file = stored([&](CRecordArchive& ar) {
        ar.WriteObject(&first);
        ar.WriteObject(&second);
        ar.WriteObject(&second);
        ar.WriteObject(&first);
        ar.WriteObject(nullptr);
    });
    EXPECT_EQ(file, classDescription("CDaylarkPage") + pageBytes(100, 851990400, "ab") +
                        bytes({0x01, 0x80}) + pageBytes(100, 852076800, "") +
                        bytes({0x03, 0x00, 0x02, 0x00, 0x00, 0x00}));

    MemoryFile in(file);
    CRecordArchive ar(in, CRecordArchive::Mode::Loading);
    auto a = ar.ReadObject(CDaylarkPage::kClass);
    auto b = ar.ReadObject(CDaylarkPage::kClass);
    ASSERT_TRUE(a.isNew() && b.isNew());
    EXPECT_EQ(static_cast<CDaylarkPage*>(a.object)->Text, "ab");
    EXPECT_EQ(static_cast<CDaylarkPage*>(b.object)->Date, 852076800);
    const auto repeatB = ar.ReadObject(CDaylarkPage::kClass);
    const auto repeatA = ar.ReadObject(CDaylarkPage::kClass);
    EXPECT_FALSE(repeatA.isNew());
    EXPECT_EQ(repeatB.object, b.object); // the same record, not a copy
    EXPECT_EQ(repeatA.object, a.object);
    EXPECT_EQ(ar.ReadObject(CDaylarkPage::kClass).object, nullptr);
}

TEST(CRecordArchive, ReferencesAndNullTagsWhereTheyDoNotBelongAreRefused)
{
    CDaylarkPage page;
    CDaylarkTodo list;
    const std::string file = stored([&](CRecordArchive& ar) {
        ar.WriteObject(&page);
        ar.WriteObject(&page);
        ar.WriteObject(nullptr);
        ar.WriteObject(&list);
        ar.WriteObject(&list);
    });
    MemoryFile in(file);
    CRecordArchive ar(in, CRecordArchive::Mode::Loading);
    EXPECT_NE(ar.ReadNewObject<CDaylarkPage>(), nullptr);
    // A reference or a null tag where a new record is expected is an invalid format.
    EXPECT_EQ(causeOf([&] { ar.ReadNewObject<CDaylarkPage>(); }), CArchiveException::badIndex);
    EXPECT_EQ(causeOf([&] { ar.ReadNewObject<CDaylarkPage>(); }), CArchiveException::badIndex);
    // A reference to a record of another class is the wrong class.
    EXPECT_NE(ar.ReadNewObject<CDaylarkTodo>(), nullptr);
    EXPECT_EQ(causeOf([&] { ar.ReadObject(CDaylarkPage::kClass); }), CArchiveException::badClass);
}

TEST(CRecordArchive, BadClassDescriptionsAndIndicesFailWithTheirCause)
{
    using enum CArchiveException::Cause;
    const std::string page = pageBytes(100, 0, "");
    const std::string known = classDescription("CDaylarkPage") + page;
    const std::tuple<const char*, std::string, int> cases[] = {
        {"unknown class", classDescription("CDaylarkNote") + page, badClass},
        {"known class, other schema", classDescription("CDaylarkPage", 2) + page, badSchema},
        {"another known class", classDescription("CDaylarkTodo") + page, badClass},
        {"name of 64 bytes", classDescription(std::string(64, 'C')) + page, badClass},
        {"name longer than the file", classDescription("CDaylarkPage").substr(0, 14), badClass},
        {"class reference before any class", bytes({0x01, 0x80}) + page, badIndex},
        {"class reference to index 0", bytes({0x00, 0x80}) + page, badIndex},
        {"object reference before any object", bytes({0x01, 0x00}), badIndex},
        {"big object tag past the table", bytes({0xFF, 0x7F, 0x05, 0x00, 0x00, 0x00}), badIndex},
        {"big class tag past the table", bytes({0xFF, 0x7F, 0x05, 0x00, 0x00, 0x80}), badIndex},
        {"reference to a class as an object", known + bytes({0x01, 0x00}), badIndex},
        {"class reference to an object", known + bytes({0x02, 0x80}) + page, badIndex},
    };
    for (const auto& [name, file, cause] : cases) {
        SCOPED_TRACE(name);
        MemoryFile in(file);
        CRecordArchive ar(in, CRecordArchive::Mode::Loading);
        EXPECT_EQ(causeOf([&] {
                      while (true) {
                          ar.ReadObject(CDaylarkPage::kClass);
                      }
                  }),
                  cause);
    }
}

TEST(CRecordArchive, EveryCutOfAFileFailsCleanly)
{
    CDaylarkPage a;
    a.Text = std::string(300, 'a');
    CDaylarkPage b;
    b.Text = "b";
    const std::string file = stored([&](CRecordArchive& ar) {
        ar.writeDword(100);
        ar.WriteObject(&a);
        ar.WriteObject(&b);
    });
    // A class name cut short is a wrong class; every other cut is an end of file.
    const std::size_t nameStart = 4 + 6;
    const std::size_t nameEnd = nameStart + 12;
    for (std::size_t cut = 0; cut < file.size(); ++cut) {
        SCOPED_TRACE(cut);
        const int expected = cut >= nameStart && cut < nameEnd ? CArchiveException::badClass
                                                               : CArchiveException::endOfFile;
        MemoryFile in(file.substr(0, cut));
        CRecordArchive ar(in, CRecordArchive::Mode::Loading);
        EXPECT_EQ(causeOf([&] {
                      ar.readDword();
                      ar.ReadNewObject<CDaylarkPage>();
                      ar.ReadNewObject<CDaylarkPage>();
                  }),
                  expected);
    }
}

TEST(CRecordArchive, ManyRecordsSwitchToBigTags)
{
    constexpr std::size_t kCount = 0x7FFF + 2;
    std::vector<CDaylarkPage> pages(kCount);
    const std::string file = stored([&](CRecordArchive& ar) {
        for (const CDaylarkPage& page : pages) {
            ar.WriteObject(&page);
        }
        ar.WriteObject(&pages.front()); // index 2
        ar.WriteObject(&pages.back());  // index kCount + 1, past 0x7FFE
    });
    EXPECT_EQ(file.substr(file.size() - 8), bytes({0x02, 0x00, 0xFF, 0x7F, 0x02, 0x80, 0, 0}));

    MemoryFile in(file);
    CRecordArchive ar(in, CRecordArchive::Mode::Loading);
    std::vector<std::unique_ptr<CDaylarkPage>> read;
    for (std::size_t i = 0; i < kCount; ++i) {
        read.push_back(ar.ReadNewObject<CDaylarkPage>());
    }
    EXPECT_EQ(ar.ReadObject(CDaylarkPage::kClass).object, read.front().get());
    EXPECT_EQ(ar.ReadObject(CDaylarkPage::kClass).object, read.back().get());
}

TEST(CRecordArchive, FlushRealignsTheFileWithTheReadPosition)
{
    MemoryFile in(bytes({1, 0, 0, 0, 2, 0, 0, 0, 3, 0}));
    CRecordArchive ar(in, CRecordArchive::Mode::Loading);
    EXPECT_EQ(ar.readDword(), 1u);
    ar.Flush();
    EXPECT_EQ(in.position(), 4);
    in.seek(8, SeekFrom::Begin);
    EXPECT_EQ(ar.readWord(), 3u);
}

TEST(CRecordArchive, MisuseAndUnstorableTimesAreRefused)
{
    constexpr std::int64_t kEarliest = -(std::int64_t{1} << 31);
    MemoryFile file;
    CRecordArchive storing(file, CRecordArchive::Mode::Storing);
    EXPECT_EQ(causeOf([&] { storing.readDword(); }), CArchiveException::writeOnly);
    EXPECT_THROW(storing.writeTime(std::int64_t{1} << 31), CTimeRangeException);
    EXPECT_THROW(storing.writeTime(kEarliest - 1), CTimeRangeException);
    storing.writeTime(kEarliest);
    storing.Close();
    EXPECT_EQ(file.data, bytes({0, 0, 0, 0x80}));

    file.seek(0, SeekFrom::Begin);
    CRecordArchive loading(file, CRecordArchive::Mode::Loading);
    EXPECT_EQ(causeOf([&] { loading.writeDword(1); }), CArchiveException::readOnly);
    EXPECT_EQ(loading.readTime(), kEarliest); // times are signed
}

TEST(CRecordArchive, AWriterThatFailsLeavesOnlyWholeValuesBehind)
{
    MemoryFile file;
    file.writeLimit = 4096;
    CRecordArchive ar(file, CRecordArchive::Mode::Storing);
    EXPECT_EQ(causeOf<CFileException>([&] {
                  for (int i = 0; i < 2000; ++i) {
                      ar.writeDword(static_cast<std::uint32_t>(i));
                      ar.writeByte(0xAA);
                  }
                  ar.Flush();
              }),
              CFileException::diskFull);
    // 819 five-byte values fill 4095 bytes; the 820th went into the next buffer, not this one.
    EXPECT_EQ(file.data.size(), 4095u);
}

} // namespace
} // namespace daylark::test
