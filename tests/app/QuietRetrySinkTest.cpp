#include "app/QuietRetrySink.h"

#include "support/RecordingSink.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace daylark {
namespace {

using Retry = QuietRetrySink::Retry;

constexpr const char* kDiskFull = "disk full";
constexpr const char* kReadOnly = "read-only";

/// A save that reports `reports` and fails.
std::function<bool()> failingSave(MessageSink& sink, std::vector<std::string> reports)
{
    return [&sink, reports = std::move(reports)] {
        for (const std::string& text : reports) {
            sink.error(text);
        }
        return false;
    };
}

TEST(QuietRetrySink, OnlyAFailureAlreadyShownIsKeptBackDuringAQuietRetry)
{
    enum class Before { FailedWithDiskFull, ThenSaved };
    struct Case
    {
        const char* what;
        Before before;
        bool inSave;
        Retry retry;
        std::function<void(MessageSink&)> report;
        bool shown;
    };
    const auto error = [](const char* text) { return [text](MessageSink& s) { s.error(text); }; };
    const Case cases[] = {
        {"the same failure, retried quietly", Before::FailedWithDiskFull, true, Retry::Quiet,
         error(kDiskFull), false},
        {"a new failure, retried quietly", Before::FailedWithDiskFull, true, Retry::Quiet,
         error(kReadOnly), true},
        {"the same failure, saved loudly", Before::FailedWithDiskFull, true, Retry::Loud,
         error(kDiskFull), true},
        {"the same failure after a save succeeded", Before::ThenSaved, true, Retry::Quiet,
         error(kDiskFull), true},
        {"the same text outside a save", Before::FailedWithDiskFull, false, Retry::Quiet,
         error(kDiskFull), true},
        {"the same text as a question", Before::FailedWithDiskFull, true, Retry::Quiet,
         [](MessageSink& s) {
             s.ask(kDiskFull, MessageSink::kCaption, MessageIcon::Exclamation,
                   MessageButtons::YesNoCancel);
         },
         true},
        {"the same text as information", Before::FailedWithDiskFull, true, Retry::Quiet,
         [](MessageSink& s) { s.inform(kDiskFull); }, true},
        {"the same text as a notification", Before::FailedWithDiskFull, true, Retry::Quiet,
         [](MessageSink& s) { s.notify(kDiskFull, "Daylark"); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::RecordingSink shown;
        QuietRetrySink sink(shown);
        EXPECT_FALSE(sink.runSave(failingSave(sink, {kDiskFull}), Retry::Loud));
        if (c.before == Before::ThenSaved) {
            EXPECT_TRUE(sink.runSave([] { return true; }, Retry::Loud));
        }
        shown.clear();
        if (c.inSave) {
            sink.runSave(
                [&] {
                    c.report(sink);
                    return false;
                },
                c.retry);
        } else {
            c.report(sink);
        }
        EXPECT_EQ(shown.messages.size(), c.shown ? 1u : 0u);
    }
}

TEST(QuietRetrySink, TheFirstFailureIsKeptForTheStatusBarUntilASaveSucceeds)
{
    test::RecordingSink shown;
    QuietRetrySink sink(shown);
    EXPECT_FALSE(sink.failing());
    EXPECT_FALSE(sink.runSave(failingSave(sink, {kDiskFull, kReadOnly}), Retry::Loud));
    EXPECT_TRUE(sink.failing());
    EXPECT_EQ(sink.failure(), kDiskFull);
    EXPECT_EQ(shown.texts(), (std::vector<std::string>{kDiskFull, kReadOnly}));

    // Both are known now, whichever comes first.
    EXPECT_FALSE(sink.runSave(failingSave(sink, {kReadOnly, kDiskFull}), Retry::Quiet));
    EXPECT_EQ(shown.messages.size(), 2u);
    EXPECT_EQ(sink.failure(), kReadOnly);

    EXPECT_TRUE(sink.runSave([] { return true; }, Retry::Quiet));
    EXPECT_FALSE(sink.failing());
    EXPECT_EQ(sink.failure(), "");
}

TEST(QuietRetrySink, ASaveStartedFromABoxOfAnotherSaveKeepsItsOwnRetry)
{
    test::RecordingSink shown;
    QuietRetrySink sink(shown);
    EXPECT_FALSE(sink.runSave(failingSave(sink, {kDiskFull}), Retry::Loud));
    shown.clear();

    // A quiet retry hits a new failure; while its box is open the user saves loudly.
    bool innerRan = false;
    EXPECT_FALSE(sink.runSave(
        [&] {
            shown.whileOpen = [&] {
                innerRan = true;
                EXPECT_FALSE(sink.runSave(failingSave(sink, {kDiskFull}), Retry::Loud));
            };
            sink.error(kDiskFull); // known: kept back
            sink.error(kReadOnly); // new: shown, and its box starts the loud save
            sink.error(kDiskFull); // the outer save is still a quiet retry
            return false;
        },
        Retry::Quiet));
    EXPECT_TRUE(innerRan);
    EXPECT_EQ(shown.texts(), (std::vector<std::string>{kReadOnly, kDiskFull}));

    // And the other way round: a quiet retry from a box of a loud save keeps back what is known,
    // and the loud save stays loud after it.
    shown.clear();
    EXPECT_FALSE(sink.runSave(
        [&] {
            shown.whileOpen = [&] {
                EXPECT_FALSE(sink.runSave(failingSave(sink, {kDiskFull}), Retry::Quiet));
            };
            sink.error(kDiskFull); // shown, and its box starts the quiet retry
            sink.error(kDiskFull);
            return false;
        },
        Retry::Loud));
    EXPECT_EQ(shown.texts(), (std::vector<std::string>{kDiskFull, kDiskFull}));
}

} // namespace
} // namespace daylark
