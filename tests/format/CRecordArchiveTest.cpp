#include "format/CRecordArchive.h"

#include "diary/CDaylarkPage.h"
#include "platform/Exceptions.h"
#include "records/CDaylarkTodo.h"
#include "support/MemoryFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace daylark {
namespace {

using test::MemoryFile;

std::string bytes(std::initializer_list<int> values)
{
    std::string result;
    for (int value : values) {
        result += static_cast<char>(value);
    }
    return result;
}

std::string stored(const std::function<void(CRecordArchive&)>& write)
{
    MemoryFile file;
    CRecordArchive ar(file, CRecordArchive::Mode::Storing);
    write(ar);
    ar.Close();
    return file.data;
}

int archiveCause(const std::function<void()>& work)
{
    try {
        work();
    } catch (const CArchiveException& failure) {
        return failure.cause();
    }
    return -1;
}

std::string pageBytes(std::uint32_t version, std::int32_t date, const std::string& text)
{
    std::string result =
        bytes({static_cast<int>(version & 0xFF), static_cast<int>(version >> 8), 0, 0});
    for (int shift = 0; shift < 32; shift += 8) {
        result += static_cast<char>((static_cast<std::uint32_t>(date) >> shift) & 0xFF);
    }
    result += static_cast<char>(text.size());
    return result + text;
}

TEST(CRecordArchive, StringPrefixesChangeAtTheirBoundariesAndReadBack)
{
    struct Case
    {
        std::size_t length;
        std::string prefix;
    };
    const std::vector<Case> cases = {
        {0, bytes({0x00})},
        {3, bytes({0x03})},
        {254, bytes({0xFE})},
        {255, bytes({0xFF, 0xFF, 0x00})},
        {300, bytes({0xFF, 0x2C, 0x01})},
        {65533, bytes({0xFF, 0xFD, 0xFF})},
        {65534, bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {70000, bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        std::string text(c.length, 'x');
        if (!text.empty()) {
            text.back() = '\xE9'; // 8-bit text stays byte for byte
        }
        const std::string file = stored([&](CRecordArchive& ar) { ar.writeString(text); });
        ASSERT_EQ(file.size(), c.prefix.size() + c.length);
        EXPECT_EQ(file.substr(0, c.prefix.size()), c.prefix);

        MemoryFile in(file);
        CRecordArchive ar(in, CRecordArchive::Mode::Loading);
        EXPECT_EQ(ar.readString(), text);
    }
}

TEST(CRecordArchive, WideStringsAreReadAsUtf8)
{
    struct Case
    {
        const char* name;
        std::string file;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"abc", bytes({0xFF, 0xFE, 0xFF, 0x03, 'a', 0, 'b', 0, 'c', 0}), "abc"},
        {"e acute", bytes({0xFF, 0xFE, 0xFF, 0x01, 0xE9, 0x00}), "\xC3\xA9"},
        {"surrogate pair", bytes({0xFF, 0xFE, 0xFF, 0x02, 0x3D, 0xD8, 0x00, 0xDE}),
         "\xF0\x9F\x98\x80"},
        {"unpaired surrogate", bytes({0xFF, 0xFE, 0xFF, 0x02, 0x3D, 0xD8, 'a', 0}),
         "\xEF\xBF\xBD"
         "a"},
        {"three-byte count", bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x01, 0x00, 'z', 0}), "z"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryFile in(c.file);
        CRecordArchive ar(in, CRecordArchive::Mode::Loading);
        EXPECT_EQ(ar.readString(), c.text);
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
    const std::string expected = bytes({0xFF, 0xFF, 0x01, 0x00, 0x0C, 0x00}) + "CDaylarkPage" +
                                 pageBytes(100, 851990400, "ab") + bytes({0x01, 0x80}) +
                                 pageBytes(100, 852076800, "") + bytes({0x03, 0x00}) +
                                 bytes({0x02, 0x00}) + bytes({0x00, 0x00});
    EXPECT_EQ(file, expected);

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

TEST(CRecordArchive, NullTagOrReferenceWhereANewRecordIsExpectedIsInvalid)
{
    CDaylarkPage page;
    const std::string file = stored([&](CRecordArchive& ar) {
        ar.WriteObject(&page);
        ar.WriteObject(&page);
        ar.WriteObject(nullptr);
    });
    MemoryFile in(file);
    CRecordArchive ar(in, CRecordArchive::Mode::Loading);
    EXPECT_NE(ar.ReadNewObject<CDaylarkPage>(), nullptr);
    EXPECT_EQ(archiveCause([&] { ar.ReadNewObject<CDaylarkPage>(); }), CArchiveException::badIndex);
    EXPECT_EQ(archiveCause([&] { ar.ReadNewObject<CDaylarkPage>(); }), CArchiveException::badIndex);
}

TEST(CRecordArchive, BadClassDescriptionsAndIndicesFailWithTheirCause)
{
    auto description = [](int schema, const std::string& name) {
        return bytes({0xFF, 0xFF, schema, 0x00, static_cast<int>(name.size()), 0x00}) + name;
    };
    const std::string page = pageBytes(100, 0, "");
    struct Case
    {
        const char* name;
        std::string file;
        int cause;
    };
    const std::vector<Case> cases = {
        {"unknown class", description(1, "CDaylarkNote") + page, CArchiveException::badClass},
        {"known class, other schema", description(2, "CDaylarkPage") + page,
         CArchiveException::badSchema},
        {"another known class", description(1, "CDaylarkTodo") + page, CArchiveException::badClass},
        {"name of 64 bytes", description(1, std::string(64, 'C')) + page,
         CArchiveException::badClass},
        {"name longer than the file", bytes({0xFF, 0xFF, 0x01, 0x00, 0x0C, 0x00}) + "CDaylark",
         CArchiveException::badClass},
        {"class reference before any class", bytes({0x01, 0x80}) + page,
         CArchiveException::badIndex},
        {"class reference to index 0", bytes({0x00, 0x80}) + page, CArchiveException::badIndex},
        {"object reference before any object", bytes({0x01, 0x00}), CArchiveException::badIndex},
        {"big object tag past the table", bytes({0xFF, 0x7F, 0x05, 0x00, 0x00, 0x00}),
         CArchiveException::badIndex},
        {"big class tag past the table", bytes({0xFF, 0x7F, 0x05, 0x00, 0x00, 0x80}),
         CArchiveException::badIndex},
        {"reference to a class as an object",
         description(1, "CDaylarkPage") + page + bytes({0x01, 0x00}), CArchiveException::badIndex},
        {"class reference to an object",
         description(1, "CDaylarkPage") + page + bytes({0x02, 0x80}) + page,
         CArchiveException::badIndex},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryFile in(c.file);
        CRecordArchive ar(in, CRecordArchive::Mode::Loading);
        EXPECT_EQ(archiveCause([&] {
                      while (true) {
                          ar.ReadObject(CDaylarkPage::kClass);
                      }
                  }),
                  c.cause);
    }
}

TEST(CRecordArchive, ReferenceToARecordOfAnotherClassIsTheWrongClass)
{
    CDaylarkTodo list;
    const std::string file = stored([&](CRecordArchive& ar) {
        ar.WriteObject(&list);
        ar.WriteObject(&list);
    });
    MemoryFile in(file);
    CRecordArchive ar(in, CRecordArchive::Mode::Loading);
    ar.ReadObject(CDaylarkTodo::kClass);
    EXPECT_EQ(archiveCause([&] { ar.ReadObject(CDaylarkPage::kClass); }),
              CArchiveException::badClass);
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
        EXPECT_EQ(archiveCause([&] {
                      ar.readDword();
                      ar.ReadNewObject<CDaylarkPage>();
                      ar.ReadNewObject<CDaylarkPage>();
                  }),
                  expected);
    }
}

TEST(CRecordArchive, HugeLengthsFailBeforeAnythingIsAllocated)
{
    const std::vector<std::string> files = {
        bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) + std::string(100, 'x'),
        bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) + std::string(100, 'x'),
    };
    for (const std::string& file : files) {
        MemoryFile in(file);
        CRecordArchive ar(in, CRecordArchive::Mode::Loading);
        EXPECT_EQ(archiveCause([&] { ar.readString(); }), CArchiveException::endOfFile);
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
    const std::string tail = file.substr(file.size() - 8);
    EXPECT_EQ(tail, bytes({0x02, 0x00, 0xFF, 0x7F, 0x02, 0x80, 0x00, 0x00}));

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
    MemoryFile file;
    CRecordArchive storing(file, CRecordArchive::Mode::Storing);
    EXPECT_EQ(archiveCause([&] { storing.readDword(); }), CArchiveException::writeOnly);
    EXPECT_THROW(storing.writeTime(std::int64_t{1} << 31), CTimeRangeException);
    EXPECT_THROW(storing.writeTime(-(std::int64_t{1} << 31) - 1), CTimeRangeException);
    storing.writeTime(-(std::int64_t{1} << 31));
    storing.Close();
    EXPECT_EQ(file.data, bytes({0, 0, 0, 0x80}));

    CRecordArchive loading(file, CRecordArchive::Mode::Loading);
    EXPECT_EQ(archiveCause([&] { loading.writeDword(1); }), CArchiveException::readOnly);
}

TEST(CRecordArchive, AWriterThatFailsLeavesOnlyWholeValuesBehind)
{
    MemoryFile file;
    file.writeLimit = 4096;
    CRecordArchive ar(file, CRecordArchive::Mode::Storing);
    try {
        for (int i = 0; i < 2000; ++i) {
            ar.writeDword(static_cast<std::uint32_t>(i));
            ar.writeByte(0xAA);
        }
        ar.Flush();
        FAIL() << "the disk was full";
    } catch (const CFileException& failure) {
        EXPECT_EQ(failure.cause(), CFileException::diskFull);
    }
    // 819 five-byte values fill 4095 bytes; the 820th went into the next buffer, not this one.
    EXPECT_EQ(file.data.size(), 4095u);
}

} // namespace
} // namespace daylark
