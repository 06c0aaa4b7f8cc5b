#include "cli/CliMain.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "diary/CDaylarkDoc.h"
#include "diary/CPageArchive.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/MessageSink.h"
#include "platform/TimeText.h"

#include <cctype>
#include <functional>
#include <ostream>

namespace daylark {

namespace {

/// The longest first line that `pages` prints.
constexpr std::size_t kFirstLineLimit = 200;

void writeBytes(std::ostream& out, const std::string& bytes)
{
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
}

/// The text up to its first CR, LF or NUL, at most kFirstLineLimit bytes.
std::string firstLine(const std::string& text)
{
    const std::size_t end = text.find_first_of(std::string("\r\n\0", 3));
    return text.substr(0, std::min({end, text.size(), kFirstLineLimit}));
}

std::optional<int> yearArgument(const std::string& text)
{
    if (text.size() != 4) {
        return std::nullopt;
    }
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
    }
    return std::stoi(text);
}

} // namespace

int runToday(CliContext& context)
{
    if (!context.args.empty()) {
        return context.usageError("today takes no arguments");
    }
    return withDocument(context, [&context](CDaylarkDoc& doc) {
        writeBytes(context.env.out, doc.pageText().text());
        return doc.SaveModified() ? kExitOk : kExitFailed;
    });
}

int runAdd(CliContext& context)
{
    if (context.args.empty()) {
        return context.usageError("add needs the text to append");
    }
    const std::string addition = textArgument(context, 0);
    return withDocument(context, [&addition](CDaylarkDoc& doc) {
        PageText& page = doc.pageText();
        std::string text = page.text();
        if (!text.empty() && text.back() != '\n') {
            text += "\r\n";
        }
        text += addition;
        page.setText(text);
        return doc.SaveModified() ? kExitOk : kExitFailed;
    });
}

int runPage(CliContext& context)
{
    if (context.args.size() != 1) {
        return context.usageError("page takes one date, YYYY-MM-DD");
    }
    const std::string& day = context.args[0];
    const auto date = dateArgument(context, day);
    if (!date) {
        return kExitUsage;
    }
    const std::string path =
        context.locations().archivePath(breakDown(*date, /*greenwich=*/false).year);
    if (!fileStatus(path).exists) {
        context.env.err << "daylark-cli: no page is filed for " << day << " (there is no archive "
                        << path << ")\n";
        return kExitFailed;
    }
    FailureWatch messages(context.messages);
    CPageArchive archive(path, messages, context.env.clock);
    if (archive.Open(/*loading=*/true, /*create=*/false) != 0) {
        return kExitFailed;
    }
    std::unique_ptr<CDaylarkPage> page;
    archive.FindPage(page, *date, /*fromEnd=*/true, /*backward=*/true, /*takeAny=*/false);
    archive.Close();
    if (!page) {
        if (!messages.failed()) {
            context.env.err << "daylark-cli: no page is filed for " << day << '\n';
        }
        return kExitFailed;
    }
    writeBytes(context.env.out, page->Text);
    return kExitOk;
}

int runPages(CliContext& context)
{
    if (context.args.size() > 1) {
        return context.usageError("pages takes at most a year, YYYY");
    }
    int year = breakDown(context.env.clock.now(), /*greenwich=*/false).year;
    if (!context.args.empty()) {
        const auto given = yearArgument(context.args[0]);
        if (!given) {
            return context.usageError(context.args[0] + " is not a year; write it as YYYY");
        }
        year = *given;
    }
    const std::string path = context.locations().archivePath(year);
    if (!fileStatus(path).exists) {
        context.env.err << "daylark-cli: there is no archive for " << year << " (" << path << ")\n";
        return kExitFailed;
    }
    FailureWatch messages(context.messages);
    CPageArchive archive(path, messages, context.env.clock);
    archive.LoadAllPages();
    for (const auto& page : archive.pages()) {
        context.env.out << formatTime("%Y-%m-%d", page->Date, /*greenwich=*/false) << ' '
                        << firstLine(page->Text) << '\n';
    }
    context.env.out.flush();
    return messages.failed() ? kExitFailed : kExitOk;
}

} // namespace daylark
