// Times the text merge on two page texts of about 30 KB that share most of their lines, as a
// synchronisation of two machines that both edited the same long page meets them.

#include "diary/MergeText.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 20;
constexpr std::size_t kTargetSize = 30000;

// A fixed pseudo-random sequence, so every run merges the same texts.
class Sequence
{
public:
    unsigned next()
    {
        m_state = m_state * 1103515245u + 12345u;
        return (m_state >> 16) & 0x7fff;
    }

private:
    unsigned m_state = 1997;
};

std::vector<std::string> makeLines(Sequence& random, std::size_t count)
{
    static const char* const kWords[] = {"call",  "bread", "meeting", "garden", "invoice",
                                         "train", "notes", "friday",  "review", "letter",
                                         "paint", "fence", "doctor",  "budget", "draft"};
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < count; ++i) {
        std::string line = std::to_string(i) + ".";
        const unsigned words = 3 + random.next() % 8;
        for (unsigned w = 0; w < words; ++w) {
            line += ' ';
            line += kWords[random.next() % std::size(kWords)];
        }
        const unsigned box = random.next() % 4;
        if (box == 0) {
            line = "{}" + line;
        } else if (box == 1) {
            line = "{x}" + line;
        }
        lines.push_back(line);
    }
    return lines;
}

std::string join(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace

int main()
{
    Sequence random;
    std::vector<std::string> lines = makeLines(random, 1000);
    std::vector<std::string> first;
    std::vector<std::string> second;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const unsigned pick = random.next() % 20;
        // Most lines on both sides; a few on one side only; some ticked on one side.
        if (pick != 0) {
            first.push_back(lines[i]);
        }
        if (pick != 1) {
            std::string line = lines[i];
            if (pick == 2 && line.rfind("{}", 0) == 0) {
                line.replace(0, 2, "{x}");
            }
            second.push_back(line);
        }
    }
    std::string a = join(first);
    std::string b = join(second);
    while (a.size() > kTargetSize) {
        first.pop_back();
        a = join(first);
    }
    while (b.size() > kTargetSize) {
        second.pop_back();
        b = join(second);
    }

    double totalMs = 0;
    double bestMs = 1e9;
    std::size_t mergedSize = 0;
    for (int run = 0; run < kRuns; ++run) {
        std::string left = a;
        std::string right = b;
        const auto start = std::chrono::steady_clock::now();
        const std::string merged = daylark::MergeText(left, right, nullptr, nullptr);
        const auto stop = std::chrono::steady_clock::now();
        const double ms = std::chrono::duration<double, std::milli>(stop - start).count();
        totalMs += ms;
        bestMs = std::min(bestMs, ms);
        mergedSize = merged.size();
    }
    std::printf("merge_bench: texts %zu and %zu bytes, merged %zu bytes; %d runs: mean %.3f ms, "
                "best %.3f ms\n",
                a.size(), b.size(), mergedSize, kRuns, totalMs / kRuns, bestMs);
    std::printf("figure\tMergeText, two texts of %zu and %zu bytes\tmean time of %d runs\t%.3f "
                "ms\n",
                a.size(), b.size(), kRuns, totalMs / kRuns);
    return 0;
}
