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

// `pattern` with "%1" and "%2" replaced, in one pass: a figure holding "%2"
// stays as it is.
std::string fill(const std::string& pattern, const std::string& a, const std::string& b = {}) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            out += pattern[++i] == '1' ? a : b;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

const std::string& markText(const RecordedLap& l, const SlipWords& w) {
    static const std::string none;
    if (l.mark == LapCorrection::Join) return w.joined;
    if (l.mark == LapCorrection::Void) return w.voided;
    return l.best ? w.best : none;
}

std::string rankingName(RankMode mode, int run, const SlipWords& w) {
    switch (mode) {
        case RankMode::Race:
            return w.rankRace;
        case RankMode::BestConsecutive:
            return fill(w.rankRun, std::to_string(run));
        case RankMode::BestLap:
            break;
    }
    return w.rankBestLap;
}

}  // namespace

int textWidth(const std::string& utf8) { return PrintJob::cellCount(utf8); }

int slipWidth(SlipPaper paper) {
    // 42 characters fill 72 mm at about 8 points, still easy to read; the
    // quarter of an A4 sheet has the receipt's width, a whole sheet more.
    return paper == SlipPaper::A4One ? 64 : 42;
}

std::vector<SlipLine> slipLines(const SlipDriver& d, int width, const SlipWords& w,
                                bool sideBySide) {
    const DriverResult& r = d.result;
    Lines out(width);
    // The track names the slip; the program only stands in for a missing one.
    out.text(SlipStyle::Title, d.track.empty() ? d.program : d.track);
    std::string when = d.date;
    if (!d.time.empty()) when += (when.empty() ? "" : "  ") + d.time;
    if (!when.empty()) out.text(SlipStyle::Normal, when);
    if (!d.status.empty()) out.text(SlipStyle::Normal, d.status);
    out.rule();

    const std::string number = fill(w.number, std::to_string(r.driver));
    if (r.name.empty()) {
        out.text(SlipStyle::Driver, number);
    } else if (textWidth(number) + 2 + textWidth(r.name) <= out.width()) {
        out.text(SlipStyle::Driver, number + "  " + r.name);
    } else {
        out.text(SlipStyle::Driver, number);
        out.text(SlipStyle::Driver, r.name);
    }
    if (r.disqualified)
        out.text(SlipStyle::Strong, w.dsq);
    else if (r.pos > 0)
        out.text(SlipStyle::Strong,
                 fill(w.position, std::to_string(r.pos), std::to_string(d.fieldSize)));
    else
        out.text(SlipStyle::Strong, w.notRanked);
    out.text(SlipStyle::Normal, fill(w.ranking, rankingName(d.mode, d.run, w)), 2);
    out.rule();

    // Ranked by race, the laps and the race time are what placed the driver.
    if (d.mode == RankMode::Race) {
        out.value(w.lapCount, std::to_string(r.laps));
        if (r.laps > 0) out.value(w.raceTime, clockText(r.raceTime));
    }
    if (r.bestLapNo > 0)
        out.value(w.bestLap, fill(w.lapOf, clockText(r.best), std::to_string(r.bestLapNo)));
    if (r.pos > 1)
        out.value(w.gap, r.gapLaps == 1  ? w.oneLap
                         : r.gapLaps > 1 ? fill(w.laps, std::to_string(r.gapLaps))
                         : r.gap > 0     ? gapTimeText(r.gap)
                                         : std::string("+0.00"));
    if (r.average > 0) out.value(w.average, clockText(r.average));
    if (r.bestSpeed) out.value(w.bestSpeed, fill(w.kmh, kmhText(*r.bestSpeed, d.decimal)));
    // The penalty's reason, and the disqualification's; a file from before the
    // latter had its own kept it in the penalty's.
    if (r.penalty != 0) {
        const std::string penalty = fill(w.seconds, secondsText(r.penalty, d.decimal));
        out.value(w.penalty, r.reason.empty() ? penalty : fill(w.reason, penalty, r.reason));
    } else if (r.disqualified && r.dsqReason.empty() && !r.reason.empty()) {
        out.value(w.dsq, r.reason);
    }
    if (r.disqualified && !r.dsqReason.empty()) out.value(w.dsq, r.dsqReason);

    if (r.recorded.empty()) {
        out.text(SlipStyle::Normal, w.noLaps);
        return out.take();
    }
    int timeColumns = textWidth(w.timeHeader), markColumns = 0;
    for (const RecordedLap& l : r.recorded) {
        timeColumns = std::max(timeColumns, textWidth(clockText(l.time)));
        markColumns = std::max(markColumns, textWidth(markText(l, w)));
    }
    // A whole sheet's slip sets its laps side by side, down one column first.
    constexpr int kGap = 4;
    const int cell = 3 + 2 + timeColumns + (markColumns > 0 ? 2 + markColumns : 0);
    const int count = static_cast<int>(r.recorded.size());
    const int across = sideBySide ? std::clamp((out.width() + kGap) / (cell + kGap), 1, count) : 1;
    const int down = (count + across - 1) / across;
    auto line = [&](auto&& cellText, int row) {
        std::string text;
        for (int c = 0; c < across && c * down + row < count; ++c) {
            if (c > 0) text += std::string(c * (cell + kGap) - textWidth(text), ' ');
            text += cellText(c * down + row);
        }
        return text;
    };
    out.rule();
    out.text(
        SlipStyle::Strong,
        line([&](int) { return padTo(w.lapHeader, 3) + "  " + padTo(w.timeHeader, timeColumns); },
             0));
    for (int row = 0; row < down; ++row) {
        const std::string text = line(
            [&](int i) {
                const RecordedLap& l = r.recorded[static_cast<std::size_t>(i)];
                std::string lap =
                    padTo(std::to_string(l.lap), 3) + "  " + padTo(clockText(l.time), timeColumns);
                if (const std::string& mark = markText(l, w); !mark.empty()) lap += "  " + mark;
                return lap;
            },
            row);
        // Alone on its line, the best lap is set in bold; beside others its mark says it.
        const bool best = across == 1 && r.recorded[static_cast<std::size_t>(row)].best;
        out.text(best ? SlipStyle::Strong : SlipStyle::Normal, text);
    }
    return out.take();
}

}  // namespace orvex
