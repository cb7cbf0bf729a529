#include "slips/Slip.h"

#include <algorithm>

#include "platform/PrintJob.h"
#include "session/TimeFormat.h"

namespace orvex {

namespace {

// Values start in this column, so they line up under each other.
constexpr int kLabelColumns = 16;

bool continues(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte length of the first `chars` characters of `s`.
std::size_t bytesOf(const std::string& s, int chars) {
    std::size_t i = 0;
    for (int n = 0; i < s.size() && n < chars; ++n)
        for (++i; i < s.size() && continues(s[i]); ++i) {
        }
    return i;
}

// Word-wrapped to `first` characters on the first line and `rest` on the
// others; a word longer than a line is broken.
std::vector<std::string> wrap(const std::string& text, int first, int rest) {
    // What fits keeps its own spacing; only a wrapped text is laid out anew.
    if (textWidth(text) <= first) return {text};
    std::vector<std::string> lines;
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos) end = text.size();
        std::string word = text.substr(at, end - at);
        at = end;
        while (!word.empty()) {
            const int width = lines.empty() ? first : rest;
            const int room = width - textWidth(line) - (line.empty() ? 0 : 1);
            if (textWidth(word) <= room) {
                line += (line.empty() ? "" : " ") + word;
                word.clear();
            } else if (line.empty()) {
                const std::size_t cut = bytesOf(word, width);
                lines.push_back(word.substr(0, cut));
                word.erase(0, cut);
            } else {
                lines.push_back(std::move(line));
                line.clear();
            }
        }
    }
    if (!line.empty() || lines.empty()) lines.push_back(line);
    return lines;
}

std::string padTo(std::string s, int width) {
    const int w = textWidth(s);
    if (w < width) s.insert(s.begin(), static_cast<std::size_t>(width - w), ' ');
    return s;
}

class Lines {
public:
    explicit Lines(int width) : width_(std::max(width, 1)) {}

    void text(SlipStyle style, const std::string& text, int indent = 0) {
        const int in = std::min(indent, width_ - 1);
        bool first = true;
        for (const std::string& part : wrap(text, width_, width_ - in)) {
            out_.push_back({style, (first ? "" : std::string(in, ' ')) + part});
            first = false;
        }
    }

    // "Label" and its value from the value column on; a long value wraps
    // under itself.
    void value(const std::string& label, const std::string& value) {
        const int column = std::min(kLabelColumns, width_ / 2);
        if (textWidth(label) >= column) {
            text(SlipStyle::Normal, label + " " + value, column);
            return;
        }
        const std::string lead = label + std::string(column - textWidth(label), ' ');
        bool first = true;
        for (const std::string& part : wrap(value, width_ - column, width_ - column)) {
            out_.push_back({SlipStyle::Normal, (first ? lead : std::string(column, ' ')) + part});
            first = false;
        }
    }

    void rule() { out_.push_back({SlipStyle::Rule, std::string(width_, '-')}); }

    int width() const { return width_; }
    std::vector<SlipLine> take() { return std::move(out_); }

private:
    int width_;
    std::vector<SlipLine> out_;
};

// A number with "+" in front, put in place: GCC 12 at -O3 warns (-Wrestrict)
// about "+" + text.
std::string plus(std::int64_t n) {
    std::string text = std::to_string(n);
    text.insert(text.begin(), '+');
    return text;
}

const char* markText(LapMark mark) {
    switch (mark) {
        case LapMark::Best:
            return "best";
        case LapMark::Joined:
            return "joined";
        case LapMark::Void:
            return "void";
        case LapMark::Normal:
            break;
    }
    return "";
}

}  // namespace

int textWidth(const std::string& utf8) { return PrintJob::cellCount(utf8); }

int slipWidth(SlipPaper paper) {
    // 42 characters fill 72 mm at about 8 points, still easy to read; the
    // quarter of an A4 sheet has the receipt's width, a whole sheet more.
    return paper == SlipPaper::A4One ? 64 : 42;
}

std::vector<SlipLine> slipLines(const SlipDriver& d, int width) {
    Lines out(width);
    out.text(SlipStyle::Title, d.program);
    std::string when = d.date;
    if (!d.time.empty()) when += (when.empty() ? "" : "  ") + d.time;
    if (!when.empty()) out.text(SlipStyle::Normal, when);
    if (!d.track.empty()) out.text(SlipStyle::Normal, "Track: " + d.track, 2);
    out.rule();

    const std::string number = "No. " + std::to_string(d.driver);
    if (d.name.empty()) {
        out.text(SlipStyle::Driver, number);
    } else if (textWidth(number) + 2 + textWidth(d.name) <= out.width()) {
        out.text(SlipStyle::Driver, number + "  " + d.name);
    } else {
        out.text(SlipStyle::Driver, number);
        out.text(SlipStyle::Driver, d.name);
    }
    if (d.dsq)
        out.text(SlipStyle::Strong, "DSQ");
    else if (d.pos > 0)
        out.text(SlipStyle::Strong,
                 "Pos " + std::to_string(d.pos) + " of " + std::to_string(d.fieldSize));
    else
        out.text(SlipStyle::Strong, "Not ranked");
    if (!d.rankingMode.empty()) out.text(SlipStyle::Normal, "Ranking: " + d.rankingMode, 2);
    out.rule();

    if (d.best > 0)
        out.value("Best lap", FormatTime(d.best) + " (lap " + std::to_string(d.bestLapNo) + ")");
    if (!d.gap.empty()) out.value("Gap to leader", d.gap);
    if (d.average > 0) out.value("Average lap", FormatTime(d.average));
    if (!d.bestSpeed.empty()) out.value("Best speed", d.bestSpeed + " km/h");
    if (d.penaltySeconds != 0) {
        std::string penalty = plus(d.penaltySeconds) + " s";
        if (!d.penaltyReason.empty()) penalty += ": " + d.penaltyReason;
        out.value("Penalty", penalty);
    }
    if (d.dsq && !d.dsqReason.empty()) out.value("DSQ", d.dsqReason);

    if (d.laps.empty()) {
        out.text(SlipStyle::Normal, "No laps recorded.");
        return out.take();
    }
    std::size_t timeWidth = 11;
    for (const SlipLap& l : d.laps) timeWidth = std::max(timeWidth, FormatTime(l.time).size());
    const int timeColumns = static_cast<int>(timeWidth);
    out.rule();
    out.text(SlipStyle::Strong, "Lap  " + padTo("Time", timeColumns));
    for (const SlipLap& l : d.laps) {
        std::string row =
            padTo(std::to_string(l.lap), 3) + "  " + padTo(FormatTime(l.time), timeColumns);
        if (l.mark != LapMark::Normal) row += std::string("  ") + markText(l.mark);
        out.text(l.mark == LapMark::Best ? SlipStyle::Strong : SlipStyle::Normal, row);
    }
    return out.take();
}

}  // namespace orvex
