#include "app/DaylarkApp.h"
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

/// Passes every message on and remembers whether a failure was among them, so a command can
/// tell "nothing there" from "could not read it".
class FailureWatch : public MessageSink
{
public:
    explicit FailureWatch(MessageSink& inner)
        : m_inner(inner)
    {}
    MessageAnswer ask(const std::string& text, const std::string& caption, MessageIcon icon,
                      MessageButtons buttons) override
    {
        if (icon == MessageIcon::Exclamation) {
            m_failed = true;
        }
        return m_inner.ask(text, caption, icon, buttons);
    }
    void notify(const std::string& text, const std::string& caption) override
    {
        m_inner.notify(text, caption);
    }
    bool failed() const { return m_failed; }

private:
    MessageSink& m_inner;
    bool m_failed = false;
};

/// Start-up as the desktop program does it, under the data directory's lock, and its day check
/// (the change of day when it is due, else today's alarms with their summary; due alarms are
/// never announced), then `work` on the document. A current-day file that fails to read ends
/// the command with status 1 before anything is written (the start-up has copied it aside and
/// said so); any other failure shown on the way makes the status 1 after the work.
int withDocument(CliContext& context, const std::function<int(CDaylarkDoc&)>& work)
{
    const Locations locations = context.locations();
    const auto lock = lockDataDirectory(context, locations);
    if (!lock) {
        return kExitFailed;
    }
    FailureWatch messages(context.messages);
    DaylarkApp app(locations, messages, context.env.clock);
    if (app.start() == CDaylarkDoc::LoadResult::Damaged) {
        return kExitFailed;
    }
    app.doc().setDueAlarms(CDaylarkDoc::DueAlarms::Ignore);
    app.frame().InitialShow(WindowPlacement::kShowNormal);
    const int status = work(app.doc());
    return messages.failed() ? kExitFailed : status;
}

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
