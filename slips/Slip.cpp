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

// A figure with "+" in front, put in place: GCC 12 at -O3 warns (-Wrestrict)
// about "+" + text.
std::string plus(std::string text) {
    text.insert(text.begin(), '+');
    return text;
}

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

std::vector<SlipLine> slipLines(const SlipDriver& d, int width, const SlipWords& w) {
    const DriverResult& r = d.result;
    Lines out(width);
    out.text(SlipStyle::Title, d.program);
    std::string when = d.date;
    if (!d.time.empty()) when += (when.empty() ? "" : "  ") + d.time;
    if (!when.empty()) out.text(SlipStyle::Normal, when);
    if (!d.track.empty()) out.text(SlipStyle::Normal, fill(w.track, d.track), 2);
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

    if (r.bestLapNo > 0)
        out.value(w.bestLap, fill(w.lapOf, FormatTime(r.best), std::to_string(r.bestLapNo)));
    if (r.pos > 1)
        out.value(w.gap, r.gapLaps == 1  ? w.oneLap
                         : r.gapLaps > 1 ? fill(w.laps, std::to_string(r.gapLaps))
                                         : plus(secondsText(r.gap, d.decimal)));
    if (r.average > 0) out.value(w.average, FormatTime(r.average));
    if (r.bestSpeed) out.value(w.bestSpeed, fill(w.kmh, speedText(*r.bestSpeed, d.decimal)));
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
    std::size_t timeWidth = 11;
    for (const RecordedLap& l : r.recorded)
        timeWidth = std::max(timeWidth, FormatTime(l.time).size());
    const int timeColumns = static_cast<int>(timeWidth);
    out.rule();
    out.text(SlipStyle::Strong, padTo(w.lapHeader, 3) + "  " + padTo(w.timeHeader, timeColumns));
    for (const RecordedLap& l : r.recorded) {
        std::string row =
            padTo(std::to_string(l.lap), 3) + "  " + padTo(FormatTime(l.time), timeColumns);
        if (const std::string& mark = markText(l, w); !mark.empty()) row += "  " + mark;
        out.text(l.best ? SlipStyle::Strong : SlipStyle::Normal, row);
    }
    return out.take();
}

}  // namespace orvex
