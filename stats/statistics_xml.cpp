#include "stats/statistics_xml.h"

#include <algorithm>
#include <span>
#include <unordered_set>

namespace orv {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the valid UTF-8 sequence at the start of text that encodes a character XML
// allows (no surrogates, no U+FFFE or U+FFFF); 0 when there is none.
std::size_t Utf8CharacterLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        code = code << 6 | (byte(i) & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool forbidden =
        (code >= 0xD800 && code <= 0xDFFF) || code == 0xFFFE || code == 0xFFFF || code > 0x10FFFF;
    return overlong || forbidden ? 0 : length;
}

bool IsXmlCharacter(std::uint32_t code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

void AppendUtf8(std::uint32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// A strict reader of this program's layout; every method answers false at the first thing it
// does not accept, and the whole read then gives up.
class LayoutReader {
  public:
    LayoutReader(std::string_view bytes, RecordStore& store) : text_(bytes), store_(store) {}

    LayoutRead Read() {
        LayoutRead result;
        Skip("\xEF\xBB\xBF");  // a byte-order mark
        if (Next("<?xml") && !Declaration()) {
            return result;
        }
        if (!Misc() || !Skip("<all") || (SkipSpace(), !Skip(">"))) {
            return result;
        }
        for (;;) {
            SkipSpace();
            if (EndsHere()) {
                result.endMissing = true;
                result.rootEnd = at_;
                return result;
            }
            if (Next("<!--")) {
                if (!Comment()) {
                    return result;
                }
            } else if (Next("</all")) {
                result.rootEnd = at_;
                at_ += 5;
                SkipSpace();
                if (!Skip(">") || !Misc() || at_ != text_.size()) {
                    return result;
                }
                result.accepted = true;
                return result;
            } else if (!Record()) {
                return result;
            }
        }
    }

  private:
    bool Next(std::string_view what) const { return text_.substr(at_).starts_with(what); }
    // The input ends here, or with no more than the start of the root's end tag.
    bool EndsHere() const {
        const std::string_view rest = text_.substr(at_);
        return rest.size() < 6 && std::string_view("</all>").starts_with(rest);
    }
    bool Skip(std::string_view what) {
        if (!Next(what)) {
            return false;
        }
        at_ += what.size();
        return true;
    }
    static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    // Whitespace; true when there was some.
    bool SkipSpace() {
        const std::size_t start = at_;
        while (at_ < text_.size() && IsSpace(text_[at_])) {
            ++at_;
        }
        return at_ > start;
    }

    // `<?xml version="1.0" encoding="UTF-8" standalone="yes"?>` with the last two optional.
    bool Declaration() {
        at_ += 5;
        std::string_view value;
        if (!SkipSpace() || !Pseudo("version", value) || value != "1.0") {
            return false;
        }
        bool space = SkipSpace();
        if (space && Next("encoding")) {
            if (!Pseudo("encoding", value) || !EqualsNoCase(value, "UTF-8")) {
                return false;
            }
            space = SkipSpace();
        }
        if (space && Next("standalone")) {
            if (!Pseudo("standalone", value) || (value != "yes" && value != "no")) {
                return false;
            }
            SkipSpace();
        }
        return Skip("?>");
    }
    bool Pseudo(std::string_view name, std::string_view& value) {
        return Skip(name) && QuotedValue(value);
    }
    // `= "text"` or `= 'text'`, with optional whitespace around the equals sign; the raw text.
    bool QuotedValue(std::string_view& value) {
        SkipSpace();
        if (!Skip("=")) {
            return false;
        }
        SkipSpace();
        if (at_ >= text_.size() || (text_[at_] != '"' && text_[at_] != '\'')) {
            return false;
        }
        const std::size_t end = text_.find(text_[at_], at_ + 1);
        if (end == std::string_view::npos) {
            return false;
        }
        value = text_.substr(at_ + 1, end - at_ - 1);
        at_ = end + 1;
        return true;
    }
    static bool EqualsNoCase(std::string_view a, std::string_view b) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c;
        };
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(),
                          [&](char x, char y) { return lower(x) == lower(y); });
    }

    // Comments and whitespace outside the root.
    bool Misc() {
        for (;;) {
            SkipSpace();
            if (!Next("<!--")) {
                return true;
            }
            if (!Comment()) {
                return false;
            }
        }
    }
    bool Comment() {
        at_ += 4;
        const std::size_t end = text_.find("--", at_);
        if (end == std::string_view::npos || end + 2 >= text_.size() || text_[end + 2] != '>' ||
            !ValidCharacters(text_.substr(at_, end - at_))) {
            return false;
        }
        at_ = end + 3;
        return true;
    }
    static bool ValidCharacters(std::string_view text) {
        for (std::size_t i = 0; i < text.size();) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (c < 0x80) {
                if (c < 0x20 && !IsSpace(static_cast<char>(c))) {
                    return false;
                }
                ++i;
                continue;
            }
            const std::size_t length = Utf8CharacterLength(text.substr(i));
            if (length == 0) {
                return false;
            }
            i += length;
        }
        return true;
    }

    // `<connection` attributes `/>`.
    bool Record() {
        if (!Skip("<connection")) {
            return false;
        }
        store_.BeginRecord();
        names_.clear();
        manyNames_.clear();
        for (;;) {
            const bool space = SkipSpace();
            if (Skip("/>")) {
                return true;
            }
            if (!space || !Attribute()) {
                return false;
            }
        }
    }
    // Plain names only: a prefix or an `xml...` name brings in namespaces, which the complete
    // reader is left to judge.
    static bool NameStart(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    }
    static bool NameCharacter(char c) {
        return NameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
    }
    bool Attribute() {
        const std::size_t start = at_;
        if (at_ >= text_.size() || !NameStart(text_[at_])) {
            return false;
        }
        while (at_ < text_.size() && NameCharacter(text_[at_])) {
            ++at_;
        }
        const std::string_view name = text_.substr(start, at_ - start);
        if (name.size() >= 3 && EqualsNoCase(name.substr(0, 3), "xml")) {
            return false;
        }
        if (SeenBefore(name)) {
            return false;  // the same attribute twice
        }
        std::string_view raw;
        if (!QuotedValue(raw)) {
            return false;
        }
        // Most values are plain: passed on as they stand.
        const bool plain = std::all_of(raw.begin(), raw.end(), [](char c) {
            const auto u = static_cast<unsigned char>(c);
            return u >= 0x20 && u < 0x80 && c != '&' && c != '<';
        });
        if (plain) {
            store_.AddAttribute(name, raw);
            return true;
        }
        if (!Decode(raw)) {
            return false;
        }
        store_.AddAttribute(name, value_);
        return true;
    }
    // Whether the element already has an attribute of that name; remembers it. A few names
    // are compared in a list, more in a set, so that a crafted element of a hundred thousand
    // attributes costs no more than their bytes.
    bool SeenBefore(std::string_view name) {
        if (manyNames_.empty()) {
            if (std::find(names_.begin(), names_.end(), name) != names_.end()) {
                return true;
            }
            names_.push_back(name);
            if (names_.size() == kListedNames) {
                manyNames_.insert(names_.begin(), names_.end());
            }
            return false;
        }
        return !manyNames_.insert(name).second;
    }
    // An attribute value as XML reads it: references replaced, and each line break or tab
    // (a CR LF pair counting as one) read as a blank.
    bool Decode(std::string_view raw) {
        value_.clear();
        for (std::size_t i = 0; i < raw.size();) {
            const auto c = static_cast<unsigned char>(raw[i]);
            if (c == '<') {
                return false;
            }
            if (c == '&') {
                const std::size_t end = raw.find(';', i);
                if (end == std::string_view::npos || !Reference(raw.substr(i + 1, end - i - 1))) {
                    return false;
                }
                i = end + 1;
            } else if (c == '\r' || c == '\n' || c == '\t') {
                value_ += ' ';
                i += c == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n' ? 2 : 1;
            } else if (c < 0x20) {
                return false;
            } else if (c < 0x80) {
                value_ += static_cast<char>(c);
                ++i;
            } else {
                const std::size_t length = Utf8CharacterLength(raw.substr(i));
                if (length == 0) {
                    return false;
                }
                value_.append(raw.substr(i, length));
                i += length;
            }
        }
        return true;
    }
    bool Reference(std::string_view name) {
        if (name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos") {
            value_ += name == "amp"    ? '&'
                      : name == "lt"   ? '<'
                      : name == "gt"   ? '>'
                      : name == "quot" ? '"'
                                       : '\'';
            return true;
        }
        if (!name.starts_with('#') || name.size() < 2) {
            return false;
        }
        const bool hex = name[1] == 'x';
        const std::string_view digits = name.substr(hex ? 2 : 1);
        if (digits.empty()) {
            return false;
        }
        std::uint32_t code = 0;
        for (const char d : digits) {
            std::uint32_t digit = 0;
            if (d >= '0' && d <= '9') {
                digit = static_cast<std::uint32_t>(d - '0');
            } else if (hex && ((d | 0x20) >= 'a' && (d | 0x20) <= 'f')) {
                digit = static_cast<std::uint32_t>((d | 0x20) - 'a' + 10);
            } else {
                return false;
            }
            code = code * (hex ? 16 : 10) + digit;
            if (code > 0x10FFFF) {
                return false;
            }
        }
        if (!IsXmlCharacter(code)) {
            return false;
        }
        AppendUtf8(code, value_);
        return true;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    RecordStore& store_;
    static constexpr std::size_t kListedNames = 16;
    std::vector<std::string_view> names_;  // of the element being read, the first few
    std::unordered_set<std::string_view> manyNames_;  // all of them, past the first few
    std::string value_;
};

bool IsStandardName(std::size_t position, std::string_view name) {
    return position < std::size(kRecordAttributeNames) && kRecordAttributeNames[position] == name;
}

}  // namespace

void RecordStore::Clear() {
    rootAttributes_.clear();
    pool_.clear();
    textEnds_.clear();
    recordStarts_.clear();
    ownNames_.clear();
    lastHasOwnNames_ = false;
}

void RecordStore::Reserve(std::size_t records, std::size_t textBytes) {
    pool_.reserve(textBytes);
    textEnds_.reserve(records * std::size(kRecordAttributeNames));
    recordStarts_.reserve(records);
}

void RecordStore::Fit() {
    pool_.shrink_to_fit();
    textEnds_.shrink_to_fit();
    recordStarts_.shrink_to_fit();
}

void RecordStore::BeginRecord() {
    recordStarts_.push_back(static_cast<std::uint32_t>(textEnds_.size()));
    lastHasOwnNames_ = false;
}

void RecordStore::AddAttribute(std::string_view name, std::string_view text) {
    const std::size_t position = textEnds_.size() - recordStarts_.back();
    if (!lastHasOwnNames_ && !IsStandardName(position, name)) {
        // From here on this record keeps its names: the standard ones so far, then its own.
        std::string names;
        for (std::size_t i = 0; i < position; ++i) {
            names.append(kRecordAttributeNames[i]).push_back('\0');
        }
        ownNames_.emplace_back(static_cast<std::uint32_t>(Count() - 1), std::move(names));
        lastHasOwnNames_ = true;
    }
    if (lastHasOwnNames_) {
        ownNames_.back().second.append(name).push_back('\0');
    }
    pool_ += text;
    textEnds_.push_back(static_cast<std::uint32_t>(pool_.size()));
}

std::string_view RecordStore::Text(std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : textEnds_[index - 1];
    return std::string_view(pool_).substr(begin, textEnds_[index] - begin);
}

void RecordStore::Read(RecordReader& reader) const {
    reader.ExpectRecords(Count(), pool_.size());
    for (std::size_t record = 0; record < Count(); ++record) {
        reader.BeginRecord();
        const std::size_t end = record + 1 < Count() ? recordStarts_[record + 1] : textEnds_.size();
        for (std::size_t index = recordStarts_[record]; index < end; ++index) {
            reader.Attribute(index - recordStarts_[record], Text(index));
        }
    }
}

template <typename Each>
void RecordStore::ForEachRecord(std::size_t first, Each each) const {
    auto own = std::lower_bound(
        ownNames_.begin(), ownNames_.end(), first,
        [](const auto& entry, std::size_t record) { return entry.first < record; });
    NamedText attributes[std::size(kRecordAttributeNames)];
    std::vector<NamedText> longer;
    for (std::size_t record = first; record < Count(); ++record) {
        const std::size_t start = recordStarts_[record];
        const std::size_t end = record + 1 < Count() ? recordStarts_[record + 1] : textEnds_.size();
        const std::size_t count = end - start;
        const bool hasOwn = own != ownNames_.end() && own->first == record;
        NamedText* row = attributes;
        if (count > std::size(attributes)) {
            longer.resize(count);
            row = longer.data();
        }
        std::string_view names = hasOwn ? std::string_view(own->second) : std::string_view();
        for (std::size_t i = 0; i < count; ++i) {
            std::string_view name = kRecordAttributeNames[std::min(i, std::size_t{10})];
            if (hasOwn) {
                const std::size_t cut = names.find('\0');
                name = names.substr(0, cut);
                names.remove_prefix(cut + 1);
            }
            row[i] = {name, Text(start + i)};
        }
        each(std::span<const NamedText>(row, count));
        own += hasOwn;
    }
}

void RecordStore::AppendLines(std::size_t first, std::string& out) const {
    ForEachRecord(first, [&](std::span<const NamedText> row) { AppendRecordLine(row, out); });
}

void RecordStore::AppendRecords(const RecordStore& other) {
    other.ForEachRecord(0, [this](std::span<const NamedText> row) {
        BeginRecord();
        for (const NamedText& attribute : row) {
            AddAttribute(attribute.name, attribute.text);
        }
    });
}

void RecordStore::AddRootAttribute(std::string_view name, std::string_view text) {
    rootAttributes_.push_back(' ');
    rootAttributes_.append(name);
    rootAttributes_.append("=\"");
    AppendAttributeValue(text, rootAttributes_);
    rootAttributes_.push_back('"');
}

void AppendStatisticsHead(std::string_view rootAttributes, std::string& out) {
    constexpr std::string_view kRootStart = "<all>\r\n";
    static_assert(kStatisticsHead.ends_with(kRootStart));
    out.append(kStatisticsHead.substr(0, kStatisticsHead.size() - kRootStart.size()));
    out.append("<all").append(rootAttributes).append(">\r\n");
}

void AppendAttributeValue(std::string_view text, std::string& out) {
    std::size_t plainFrom = 0;
    const auto flush = [&](std::size_t i) { out.append(text.substr(plainFrom, i - plainFrom)); };
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x80 && c != '&' && c != '<' && c != '>' && c != '"') {
            ++i;
            continue;
        }
        std::size_t length = 1;
        std::string_view replacement;
        switch (c) {
            case '&':
                replacement = "&amp;";
                break;
            case '<':
                replacement = "&lt;";
                break;
            case '>':
                replacement = "&gt;";
                break;
            case '"':
                replacement = "&quot;";
                break;
            case '\t':
                replacement = "&#9;";
                break;
            case '\n':
                replacement = "&#10;";
                break;
            case '\r':
                replacement = "&#13;";
                break;
            default:
                length = c >= 0x80 ? Utf8CharacterLength(text.substr(i)) : 0;
                if (length > 0) {
                    i += length;
                    continue;
                }
                length = 1;
                replacement = kReplacement;
        }
        flush(i);
        out.append(replacement);
        i += length;
        plainFrom = i;
    }
    flush(text.size());
}

void AppendRecordLine(std::span<const NamedText> attributes, std::string& out) {
    out.append("<connection");
    for (const NamedText& attribute : attributes) {
        out.push_back(' ');
        out.append(attribute.name);
        out.append("=\"");
        AppendAttributeValue(attribute.text, out);
        out.push_back('"');
    }
    out.append("/>\r\n");
}

LayoutRead ReadStatisticsLayout(std::string_view bytes, RecordStore& store) {
    // A session takes about 250 bytes of the file, and its texts less than half of that.
    store.Reserve(bytes.size() / 200 + 1, bytes.size() / 2);
    return LayoutReader(bytes, store).Read();
}

}  // namespace orv
