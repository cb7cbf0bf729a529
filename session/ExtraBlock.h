#pragma once
#include <string>
#include <vector>

namespace orvex {

class RWData;
class Session;

// A data file may carry one extra block after its last lap item, for what the
// session holds beyond the laps and texts (driver names, ...). A reader of the
// older format stops after the laps and never sees it; a session that has
// nothing for it is saved without it, byte for byte as before.
//
// Items: the marker text "ORVEX-EXTRA", the block version (16-bit integer),
// the number of sections (16-bit integer), then per section its tag (ASCII
// text), its version (16-bit integer) and its payload (a text item of raw
// bytes, which each section's own codec reads).
inline constexpr const char* kExtraMarker = "ORVEX-EXTRA";
constexpr int kExtraBlockVersion = 1;

struct ExtraSection {
    std::string tag;
    int version = 1;
    std::string payload;
    bool operator==(const ExtraSection&) const = default;
};

inline constexpr const char* kNamesDamagedMessage =
    "The driver names in this file could not be read; the laps are shown without them.";
inline constexpr const char* kCorrectionsDamagedMessage =
    "The corrections in this file could not be read; the laps are shown without them.";
// A damaged block, or both sections: whatever it held is lost.
inline constexpr const char* kExtraDamagedMessage =
    "The driver names and corrections in this file could not be read; the laps are shown "
    "without them.";

// The sections the session has something for, in a fixed order.
std::vector<ExtraSection> Extra_Sections(const Session& s);

// Writes the block after the laps; nothing when `sections` is empty. 0 or
// the record file's error number.
int Extra_WriteBlock(RWData& rw, const std::vector<ExtraSection>& sections);

enum class ExtraRead { None, Read, Damaged };
// Reads what follows the laps. The end of the file is no block; a wrong
// marker or version, a cut block or bytes after it make it Damaged, and then
// `sections` is left empty.
ExtraRead Extra_ReadBlock(RWData& rw, std::vector<ExtraSection>& sections);

// Writes the session's block (if any). 0 or an error number.
int Extra_Write(RWData& rw, const Session& s);
// Reads the block into the session: each known section to its owner, unknown
// tags skipped. Returns the one message to show when something could not be
// read (empty when all is well); the laps and texts are never touched.
std::string Extra_Read(RWData& rw, Session& s);

}  // namespace orvex
