#pragma once
#include <string>
#include <vector>

#include "platform/Texts.h"

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

inline constexpr const char* kNamesDamagedMessage = QT_TRANSLATE_NOOP(
    "ExtraBlock",
    "The driver names in this file could not be read; the laps are shown without them.");
inline constexpr const char* kCorrectionsDamagedMessage = QT_TRANSLATE_NOOP(
    "ExtraBlock",
    "The lap corrections in this file could not be read; the laps are shown without them.");
// A damaged section the program does not know, beside readable names and corrections.
inline constexpr const char* kExtraDamagedMessage = QT_TRANSLATE_NOOP(
    "ExtraBlock",
    "Some of the extra data in this file could not be read; the laps are shown without it.");
// Sections of a later version, which this one keeps without showing them.
inline constexpr const char* kLaterSectionsMessage = QT_TRANSLATE_NOOP(
    "ExtraBlock",
    "Some data in this file comes from a later version of ORVEX and is not shown here");
inline constexpr const char* kLaterSectionsKept =
    QT_TRANSLATE_NOOP("ExtraBlock", "It is kept unchanged when the file is saved.");

// The sections the session has something for, in a fixed order, then those it
// keeps unread (Session::KeptSections) as they were: the program's own section
// of a kind goes beside a later version's, never in its place.
std::vector<ExtraSection> Extra_Sections(const Session& s);

// Writes the block after the laps; nothing when `sections` is empty. 0 or
// the record file's error number.
int Extra_WriteBlock(RWData& rw, const std::vector<ExtraSection>& sections);

// What follows the laps. Bytes that do not begin with the block's marker are
// not the program's and are left unread (None); so is whatever follows a
// whole block. A block cut anywhere, or with a flaw in its own items, is
// Damaged: `sections` then holds the sections read whole before the flaw,
// `cutTag` the tag of the section the flaw was in (empty when unknown), and
// `untold` says whether sections were lost before their tags were read.
enum class ExtraRead { None, Read, Damaged };
struct ExtraBlock {
    ExtraRead result = ExtraRead::None;
    std::vector<ExtraSection> sections;
    std::string cutTag;
    bool untold = false;
};
ExtraBlock Extra_ReadBlock(RWData& rw);

// What the block gave the session, and what it could not.
struct ExtraFound {
    bool damaged = false;  // something could not be read: the file is damaged
    bool namesLost = false, correctionsLost = false;
    // Sections this version cannot read, kept in Session::KeptSections.
    bool namesLater = false, correctionsLater = false, otherLater = false;
};
// The one message for what was found; empty when all is well.
std::string Extra_Message(const ExtraFound& found);

// Writes the session's block (if any). 0 or an error number.
int Extra_Write(RWData& rw, const Session& s);
// Reads the block into the session: each known section to its owner, the
// sections this version cannot read (an unknown tag, a later version of a
// known one) to KeptSections. The laps and texts are never touched.
ExtraFound Extra_Read(RWData& rw, Session& s);

}  // namespace orvex
