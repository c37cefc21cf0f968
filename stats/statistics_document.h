#pragma once
// The statistics document: the sessions of the statistics file, held in memory for the whole
// run. The root `all` holds one `connection` element per session, oldest first; the comment
// before the root stays at every save. Implemented by StatisticsStore; tests use an in-memory
// one.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/outcome.h"

namespace orv {

// Receives the root's child elements in document order, and each element's attributes in
// document order by position.
class RecordReader {
  public:
    // Told first: about how many records follow and how many bytes their texts take, so that
    // the reader can make room once instead of growing step by step.
    virtual void ExpectRecords(std::size_t records, std::size_t textBytes) = 0;
    virtual void BeginRecord() = 0;
    virtual void Attribute(std::size_t position, std::string_view text) = 0;

  protected:
    ~RecordReader() = default;
};

struct NamedText {
    std::string_view name;
    std::string_view text;
};

// How reading the file went. Only a file read whole and found not well-formed is Damaged: one
// that cannot be opened or read (held by another program, access denied) may read later.
struct LoadOutcome {
    enum class Kind {
        Read,
        ReadWithoutEnd,  // cut after its last complete record: those records were read
        Missing,
        Unreadable,
        Damaged,
    };
    Kind kind = Kind::Read;
    std::string error;  // why, for Unreadable and Damaged

    bool ok() const { return kind == Kind::Read || kind == Kind::ReadWithoutEnd; }
};

class StatisticsDocument {
  public:
    virtual ~StatisticsDocument() = default;
    // Parses the file into the document; on failure the document is left as it was.
    virtual LoadOutcome Load(const std::string& path) = 0;
    // As Load, but the records the document holds (sessions of this run that ended while the
    // file could not be read) are kept after the file's.
    virtual LoadOutcome LoadKeepingHeld(const std::string& path) = 0;
    // Writes the whole document, UTF-8, to the file (a new file beside the statistics file,
    // which then takes its place).
    virtual Outcome Save(const std::string& path) = 0;
    // How many bytes the last successful Save wrote.
    virtual std::uint64_t SavedBytes() const = 0;
    // What the last Save wrote is now the file at path.
    virtual void Stored(const std::string& path) = 0;
    // Makes this the empty document: the comment and a root `all` without children.
    virtual void Reset() = 0;
    // Adds a `connection` element with the attributes in the given order as the root's last child.
    virtual Outcome AppendRecord(std::span<const NamedText> attributes) = 0;
    virtual void ReadRecords(RecordReader& reader) const = 0;
    virtual std::size_t RecordCount() const = 0;
};

}  // namespace orv
