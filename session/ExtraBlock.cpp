#include "session/ExtraBlock.h"

#include "session/AnsiText.h"
#include "session/CorrectionsCodec.h"
#include "session/DriverNames.h"
#include "session/IssueMark.h"
#include "session/RWData.h"
#include "session/RaceNotesCodec.h"
#include "session/Session.h"

namespace orvex {

namespace {

constexpr const char* kNamesTag = "names";
// More sections than any version of the program writes: the count is damaged.
constexpr int kMaxSections = 64;

// Payloads are raw bytes, but text items pass through the single-byte code
// page; its mapping is one to one over all 256 bytes, so the bytes survive.
Variant rawText(const std::string& bytes) { return fromAnsi(bytes); }

}  // namespace

std::vector<ExtraSection> Extra_Sections(const Session& s) {
    std::vector<ExtraSection> sections;
    if (s.hasDriverNames())
        sections.push_back({kNamesTag, kNamesSectionVersion, encodeNames(s.DriverNames)});
    if (hasCorrectionsSection(s.Corrections))
        sections.push_back(
            {kCorrectionsTag, kCorrectionsVersion, encodeCorrections(s.Corrections)});
    if (s.Issue.issue > 0)
        sections.push_back({kIssueTag, kIssueSectionVersion, encodeIssueMark(s.Issue)});
    if (std::string limits = encodeSuspectLimits(s.Corrections); !limits.empty())
        sections.push_back({kSuspectTag, kSuspectVersion, std::move(limits)});
    if (std::string reasons = encodeDsqReasons(s.Corrections); !reasons.empty())
        sections.push_back({kDsqTag, kDsqVersion, std::move(reasons)});
    sections.insert(sections.end(), s.KeptSections.begin(), s.KeptSections.end());
    return sections;
}

int Extra_WriteBlock(RWData& rw, const std::vector<ExtraSection>& sections) {
    if (sections.empty()) return 0;
    const auto put = [&](const Variant& v) { return rw.Data_Write(v); };
    if (int e = put(std::string(kExtraMarker))) return e;
    if (int e = put(std::int16_t(kExtraBlockVersion))) return e;
    if (int e = put(static_cast<std::int16_t>(sections.size()))) return e;
    for (const ExtraSection& section : sections) {
        if (int e = put(section.tag)) return e;
        if (int e = put(static_cast<std::int16_t>(section.version))) return e;
        if (int e = put(rawText(section.payload))) return e;
    }
    return 0;
}

ExtraBlock Extra_ReadBlock(RWData& rw) {
    ExtraBlock block;
    // The marker item's bytes: its length, then its letters.
    const std::string marker = std::string("\x0B\0", 2) + kExtraMarker;
    std::string head;
    if (rw.Data_Peek(marker.size(), head) != 0 || head.empty()) return block;
    // A file cut inside the marker is a cut block; other bytes are not one.
    if (head != marker) {
        if (marker.compare(0, head.size(), head) == 0) {
            block.result = ExtraRead::Damaged;
            block.untold = true;
        }
        return block;
    }
    block.result = ExtraRead::Damaged;
    // Every item must be there whole: past the end a number reads as zero.
    const auto text = [&](std::string& out) {
        if (rw.Data_Read(std::string()) != 0 || rw.LastEnd != RWData::End::No) return false;
        out = std::get<std::string>(rw.Data);
        return true;
    };
    const auto integer = [&](int& out) {
        if (rw.Data_Read(Variant{}) != 0 || rw.LastEnd != RWData::End::No ||
            !std::holds_alternative<std::int16_t>(rw.Data))
            return false;
        out = std::get<std::int16_t>(rw.Data);
        return true;
    };
    std::string read;
    int version = 0, count = 0;
    if (!text(read) || !integer(version) || version != kExtraBlockVersion || !integer(count) ||
        count < 1 || count > kMaxSections) {
        block.untold = true;
        return block;
    }
    for (int i = 0; i < count; ++i) {
        ExtraSection section;
        std::string payload;
        if (!text(section.tag) || section.tag.empty()) {
            block.untold = true;
            return block;
        }
        if (!integer(section.version) || !text(payload)) {
            block.cutTag = section.tag;
            // The sections the count promised after this one are lost unseen.
            block.untold = i + 1 < count;
            return block;
        }
        section.payload = toAnsi(payload);
        block.sections.push_back(std::move(section));
    }
    block.result = ExtraRead::Read;
    return block;
}

int Extra_Write(RWData& rw, const Session& s) { return Extra_WriteBlock(rw, Extra_Sections(s)); }

ExtraFound Extra_Read(RWData& rw, Session& s) {
    ExtraFound found;
    const ExtraBlock block = Extra_ReadBlock(rw);
    if (block.result == ExtraRead::None) return found;
    found.damaged = block.result == ExtraRead::Damaged;
    bool namesSeen = false, correctionsSeen = false;
    // Read after the corrections, which they add to.
    std::vector<const ExtraSection*> notes;
    for (const ExtraSection& section : block.sections) {
        const bool names = section.tag == kNamesTag;
        const bool corrections = section.tag == kCorrectionsTag;
        const bool issue = section.tag == kIssueTag;
        const bool suspect = section.tag == kSuspectTag, dsq = section.tag == kDsqTag;
        const int known = names         ? kNamesSectionVersion
                          : corrections ? kCorrectionsVersion
                          : issue       ? kIssueSectionVersion
                          : suspect     ? kSuspectVersion
                          : dsq         ? kDsqVersion
                                        : 0;
        namesSeen = namesSeen || names;
        correctionsSeen = correctionsSeen || corrections;
        // A later version of a known section, or a section this version does
        // not know: kept as it is, for the program that wrote it.
        if (section.version > known) {
            s.KeptSections.push_back(section);
            found.namesLater = found.namesLater || names;
            found.correctionsLater = found.correctionsLater || corrections;
            found.otherLater = found.otherLater || (!names && !corrections);
        } else if (issue) {
            // Only the status line rests on it: a damaged one costs no laps.
            if (!decodeIssueMark(section.payload, section.version, s.Issue)) found.damaged = true;
        } else if (suspect || dsq) {
            notes.push_back(&section);
        } else if (names ? !decodeNames(section.payload, section.version, s.DriverNames)
                         : corrections && !decodeCorrections(section.payload, section.version,
                                                             s.Corrections)) {
            (names ? found.namesLost : found.correctionsLost) = true;
        } else if (!names && !corrections) {
            // An unknown tag with a version of 0 or below was never written.
            found.damaged = true;
        }
    }
    for (const ExtraSection* n : notes) {
        const bool read = n->tag == kSuspectTag
                              ? decodeSuspectLimits(n->payload, n->version, s.Corrections)
                              : decodeDsqReasons(n->payload, n->version, s.Corrections);
        found.damaged = found.damaged || !read;
    }
    found.namesLost = found.namesLost || block.cutTag == kNamesTag || (block.untold && !namesSeen);
    found.correctionsLost = found.correctionsLost || block.cutTag == kCorrectionsTag ||
                            (block.untold && !correctionsSeen);
    found.damaged = found.damaged || found.namesLost || found.correctionsLost;
    return found;
}

std::string Extra_Message(const ExtraFound& found) {
    const auto tr = [](const char* text) { return translated("ExtraBlock", text); };
    std::string message;
    const auto line = [&](const std::string& text) {
        message += (message.empty() ? "" : "\n") + text;
    };
    if (found.namesLost) line(tr(kNamesDamagedMessage));
    if (found.correctionsLost) line(tr(kCorrectionsDamagedMessage));
    if (found.damaged && message.empty()) line(tr(kExtraDamagedMessage));
    if (found.namesLater || found.correctionsLater || found.otherLater) {
        std::string what;
        const auto item = [&](const char* name) {
            what += (what.empty() ? ": " : ", ") + tr(name);
        };
        if (found.namesLater) item(QT_TRANSLATE_NOOP("ExtraBlock", "the driver names"));
        if (found.correctionsLater) item(QT_TRANSLATE_NOOP("ExtraBlock", "the lap corrections"));
        if (found.otherLater && !what.empty()) item(QT_TRANSLATE_NOOP("ExtraBlock", "other data"));
        line(tr(kLaterSectionsMessage) + what + ". " + tr(kLaterSectionsKept));
    }
    return message;
}

}  // namespace orvex
