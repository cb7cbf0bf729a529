#include "session/ExtraBlock.h"

#include "session/AnsiText.h"
#include "session/CorrectionsCodec.h"
#include "session/DriverNames.h"
#include "session/RWData.h"
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
    if (!s.Corrections.empty())
        sections.push_back(
            {kCorrectionsTag, kCorrectionsVersion, encodeCorrections(s.Corrections)});
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

ExtraRead Extra_ReadBlock(RWData& rw, std::vector<ExtraSection>& sections) {
    sections.clear();
    const auto text = [&](std::string& out) {
        if (rw.Data_Read(std::string()) != 0) return false;
        out = std::get<std::string>(rw.Data);
        return true;
    };
    // Only a 16-bit integer item will do: past the end a typed item reads empty.
    const auto integer = [&](int& out) {
        if (rw.Data_Read(Variant{}) != 0 || !std::holds_alternative<std::int16_t>(rw.Data))
            return false;
        out = std::get<std::int16_t>(rw.Data);
        return true;
    };
    std::string marker;
    if (!text(marker)) return ExtraRead::Damaged;
    if (marker.empty()) return ExtraRead::None;
    int version = 0, count = 0;
    if (marker != kExtraMarker || !integer(version) || version != kExtraBlockVersion ||
        !integer(count) || count < 1 || count > kMaxSections)
        return ExtraRead::Damaged;
    // A damaged block still hands back the tags read before the damage, so the
    // message can say what was lost.
    for (int i = 0; i < count; ++i) {
        ExtraSection section;
        std::string payload;
        const bool tagged = text(section.tag) && !section.tag.empty();
        if (tagged) sections.push_back(section);
        if (!tagged || !integer(section.version) || !text(payload)) return ExtraRead::Damaged;
        section.payload = toAnsi(payload);
        sections.back() = std::move(section);
    }
    // Whatever follows the block was not written by the program.
    std::string after;
    if (!text(after) || !after.empty()) return ExtraRead::Damaged;
    return ExtraRead::Read;
}

int Extra_Write(RWData& rw, const Session& s) { return Extra_WriteBlock(rw, Extra_Sections(s)); }

std::string Extra_Read(RWData& rw, Session& s) {
    std::vector<ExtraSection> sections;
    switch (Extra_ReadBlock(rw, sections)) {
        case ExtraRead::None:
            return {};
        case ExtraRead::Damaged:
            // Names were the block's first use: without a sign of corrections
            // it is the names that are lost.
            for (const ExtraSection& section : sections)
                if (section.tag == kCorrectionsTag) return kExtraDamagedMessage;
            return kNamesDamagedMessage;
        case ExtraRead::Read:
            break;
    }
    bool names = true, corrections = true;
    for (const ExtraSection& section : sections) {
        if (section.tag == kNamesTag)
            names = decodeNames(section.payload, section.version, s.DriverNames);
        else if (section.tag == kCorrectionsTag)
            corrections = decodeCorrections(section.payload, section.version, s.Corrections);
    }
    // One message, however much was lost.
    std::string message;
    if (!names || !corrections)
        message = !corrections ? (names ? kCorrectionsDamagedMessage : kExtraDamagedMessage)
                               : kNamesDamagedMessage;
    return message;
}

}  // namespace orvex
