#include "alarms/CAlarmFile.h"
#include "alarms/CDaylarkAlarm.h"
#include "cli/CliMain.h"
#include "cli/Commands.h"
#include "diary/ArchiveScan.h"
#include "diary/CDaylarkDoc.h"
#include "diary/CDaylarkPage.h"
#include "diary/CPageArchive.h"
#include "format/CRecordArchive.h"
#include "format/RecordFile.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/LocalTime.h"
#include "platform/MessageSink.h"
#include "records/CDaylarkFuture.h"
#include "records/CDaylarkTodo.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"

#include <cctype>
#include <cstdio>
#include <new>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace daylark {

namespace {

enum class DumpKind { Day, Archive, Torn, Future, Lists, Alarms };

std::string lower(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return result;
}

bool isDigits(std::string_view text, std::size_t count)
{
    if (text.size() != count) {
        return false;
    }
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

std::optional<DumpKind> kindFromWord(std::string_view word)
{
    if (word == "day") {
        return DumpKind::Day;
    }
    if (word == "archive") {
        return DumpKind::Archive;
    }
    if (word == "fut") {
        return DumpKind::Future;
    }
    if (word == "tdl") {
        return DumpKind::Lists;
    }
    if (word == "alm") {
        return DumpKind::Alarms;
    }
    return std::nullopt;
}

/// The kind of a data file from its name: *.day, NNNN.dlk, NNNN.NNN (a merge's temporary
/// archive), NNNN.torn.NNN, *.fut, *.tdl, *.alm; the case of the name does not matter.
std::optional<DumpKind> kindFromName(std::string_view path)
{
    const auto slash = path.rfind('/');
    const std::string name = lower(slash == std::string_view::npos ? path : path.substr(slash + 1));
    auto endsWith = [&name](std::string_view suffix) {
        return name.size() >= suffix.size() &&
               name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
    };
    if (endsWith(".day")) {
        return DumpKind::Day;
    }
    if (endsWith(".fut")) {
        return DumpKind::Future;
    }
    if (endsWith(".tdl")) {
        return DumpKind::Lists;
    }
    if (endsWith(".alm")) {
        return DumpKind::Alarms;
    }
    const std::string_view view = name;
    if (view.size() == 8 && isDigits(view.substr(0, 4), 4) && view[4] == '.') {
        if (view.substr(5) == "dlk" || isDigits(view.substr(5), 3)) {
            return DumpKind::Archive;
        }
    }
    if (view.size() == 13 && isDigits(view.substr(0, 4), 4) && view.substr(4, 6) == ".torn." &&
        isDigits(view.substr(10), 3)) {
        return DumpKind::Torn;
    }
    return std::nullopt;
}

/// Texts as escaped bytes: printable ASCII as it is, \r \n \t \\, everything else \xHH.
std::string escaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\r':
            out += "\\r";
            continue;
        case '\n':
            out += "\\n";
            continue;
        case '\t':
            out += "\\t";
            continue;
        case '\\':
            out += "\\\\";
            continue;
        default:
            break;
        }
        if (byte >= 0x20 && byte < 0x7F) {
            out += c;
            continue;
        }
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", byte);
        out += hex;
    }
    return out;
}

std::string timeText(std::int64_t time)
{
    const TimeFields f = breakDown(time, /*greenwich=*/false);
    char text[64];
    std::snprintf(text, sizeof text, "%lld (%04d-%02d-%02d %02d:%02d:%02d)",
                  static_cast<long long>(time), f.year, f.month, f.day, f.hour, f.minute, f.second);
    return text;
}

class Dumper
{
public:
    Dumper(std::ostream& out, File& file)
        : m_out(out)
        , m_file(file)
    {}

    void field(std::string_view name, const std::string& value)
    {
        m_out << name << ": " << value << '\n';
    }
    void field(std::string_view name, long long value) { field(name, std::to_string(value)); }
    void text(std::string_view name, std::string_view value) { field(name, escaped(value)); }
    void time(std::string_view name, std::int64_t value) { field(name, timeText(value)); }

    void dumpDay()
    {
        CRecordArchive ar(m_file, CRecordArchive::Mode::Loading);
        const std::uint32_t first = ar.readDword();
        if (first < CDaylarkDoc::kOldLayoutFirst) {
            field("layout", "versioned");
            field("version", first);
            time("date", ar.readTime());
            field("flag", ar.readDword());
        } else {
            field("layout", "old");
            time("date", static_cast<std::int32_t>(first));
        }
        text("text", ar.readString());
    }

    void page(const CDaylarkPage& page)
    {
        field("page version", page.Version);
        time("date", page.Date);
        text("text", page.Text);
    }
    void record(const CDaylarkFuture& note)
    {
        field("version", note.Version);
        time("date", note.Date);
        text("text", note.Text);
    }
    void record(const CDaylarkTodo& list)
    {
        field("version", list.Version);
        time("created", list.Created);
        time("last changed", list.LastChanged);
        text("name", list.Name);
        text("contents", list.Contents);
    }
    void record(const CDaylarkAlarm& alarm)
    {
        field("RecordVersion", alarm.RecordVersion);
        time("Time", alarm.Time);
        text("Name", alarm.Name);
        field("Frequency", alarm.Frequency);
        field("MessageBoxFlag", alarm.MessageBoxFlag);
        field("Announced", alarm.Announced);
        if (alarm.RecordVersion >= CDaylarkAlarm::kFirstVisibleFlagVersion) {
            field("VisibleOnCalendar", alarm.VisibleOnCalendar);
        }
    }

    /// A whole-list file: file version, count, then the records in one pass.
    template <class Record> void dumpRecords()
    {
        const std::int64_t length = m_file.length();
        field("length", length);
        if (length < RecordFileBase::kMinRecordsLength) {
            field("records", "none (a file shorter than " +
                                 std::to_string(RecordFileBase::kMinRecordsLength) +
                                 " bytes holds no records)");
            return;
        }
        CRecordArchive ar(m_file, CRecordArchive::Mode::Loading);
        field("file version", ar.readDword());
        const std::uint16_t count = ar.readWord();
        field("count", count);
        for (std::uint16_t i = 0; i < count; ++i) {
            const std::unique_ptr<Record> next = ar.ReadNewObject<Record>();
            field("record", i + 1);
            record(*next);
        }
    }

    /// A year archive: the header, then every complete entry with its offsets; what follows
    /// the last complete entry is a torn tail. When the chain goes on beyond that tail (the
    /// file's last DWORD starts a complete entry there), the archive is damaged, not torn.
    void dumpArchive()
    {
        const std::int64_t length = m_file.length();
        field("length", length);
        if (length < kArchiveHeaderSize) {
            field("header", "none (the file is shorter than " + std::to_string(kArchiveHeaderSize) +
                                " bytes)");
            return;
        }
        {
            CRecordArchive ar(m_file, CRecordArchive::Mode::Loading);
            time("created", ar.readTime());
            field("reserved", ar.readDword());
            field("archive version", ar.readDword());
            if (length >= kFirstEntryOffset) {
                field("first entry", ar.readDword());
            }
        }
        int number = 0;
        const ArchiveLayout layout = scanArchive(m_file, [&](const ArchiveEntry& entry,
                                                             const CDaylarkPage& page) {
            field("entry", ++number);
            field("start", entry.start);
            field("end", entry.placeholder ? "placeholder (" + std::to_string(entry.start) +
                                                 "), the entry ends at " + std::to_string(entry.end)
                                           : std::to_string(entry.end));
            this->page(page);
        });
        if (layout.notAnArchive) {
            field("damaged", "the value at offset 12 is not 16: this is no archive header");
            throw CArchiveException(CArchiveException::badIndex);
        }
        if (!layout.hasTornTail()) {
            return;
        }
        field("torn tail", "offset " + std::to_string(layout.tailStart) + ", length " +
                               std::to_string(layout.length - layout.tailStart));
        if (chainGoesBeyond(layout)) {
            throw CArchiveException(CArchiveException::badIndex);
        }
    }

    /// A torn tail moved aside: it has no header, only the bytes of an append that was cut off.
    void dumpTornTail()
    {
        field("length", m_file.length());
        CRecordArchive ar(m_file, CRecordArchive::Mode::Loading);
        try {
            field("leading offset", ar.readDword());
            page(*ar.ReadNewObject<CDaylarkPage>());
            field("trailing offset", ar.readDword());
        } catch (const CException&) {
            field("cut off", "the rest of the entry is missing");
        }
    }

private:
    bool chainGoesBeyond(const ArchiveLayout& layout)
    {
        if (layout.length - layout.tailStart < kEntryFrameSize) {
            return false;
        }
        m_file.seek(layout.length - kEntryOffsetSize, SeekFrom::Begin);
        CRecordArchive ar(m_file, CRecordArchive::Mode::Loading);
        const std::uint32_t last = ar.readDword();
        if (last <= layout.tailStart) {
            return false;
        }
        const auto entry = readCompleteEntry(m_file, last);
        return entry && entry->end == layout.length;
    }

    std::ostream& m_out;
    File& m_file;
};

const FailureContext& readingContext(DumpKind kind)
{
    switch (kind) {
    case DumpKind::Day:
        return CDaylarkDoc::kReadingContext;
    case DumpKind::Archive:
    case DumpKind::Torn:
        return CPageArchive::kReadingContext;
    case DumpKind::Future:
        return CFutureFile::kContexts.reading;
    case DumpKind::Lists:
        return CTodoFile::kContexts.reading;
    case DumpKind::Alarms:
        return CAlarmFile::kContexts.reading;
    }
    return CPageArchive::kReadingContext;
}

} // namespace

int runDump(CliContext& context)
{
    std::optional<std::string> path;
    std::optional<DumpKind> kind;
    const auto& args = context.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--as") {
            if (i + 1 >= args.size() || !(kind = kindFromWord(args[i + 1]))) {
                return context.usageError("--as takes day, archive, fut, tdl or alm");
            }
            ++i;
        } else if (!path) {
            path = args[i];
        } else {
            return context.usageError("dump takes one file");
        }
    }
    if (!path) {
        return context.usageError("dump needs a file");
    }
    if (!kind) {
        kind = kindFromName(*path);
    }
    if (!kind) {
        return context.usageError("cannot tell what kind of file " + *path +
                                  " is; name its kind with --as");
    }
    const FailureContext& failureContext = readingContext(*kind);
    try {
        File file(*path, File::Mode::Read);
        Dumper dumper(context.env.out, file);
        dumper.field("file", *path);
        switch (*kind) {
        case DumpKind::Day:
            dumper.dumpDay();
            break;
        case DumpKind::Archive:
            dumper.dumpArchive();
            break;
        case DumpKind::Torn:
            dumper.dumpTornTail();
            break;
        case DumpKind::Future:
            dumper.dumpRecords<CDaylarkFuture>();
            break;
        case DumpKind::Lists:
            dumper.dumpRecords<CDaylarkTodo>();
            break;
        case DumpKind::Alarms:
            dumper.dumpRecords<CDaylarkAlarm>();
            break;
        }
    } catch (const CException& failure) {
        context.env.out.flush();
        context.messages.error(failureContext.message(failure));
        return kExitFailed;
    } catch (const std::bad_alloc&) {
        context.env.out.flush();
        context.messages.error(failureContext.message(CMemoryException()));
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace daylark
