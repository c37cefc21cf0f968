#include "stats/start_tag_attributes.h"

#include <charconv>
#include <cstdint>

namespace orv {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Any byte that XML names may hold: ASCII letters, digits, "_:.-" and every non-ASCII byte.
bool IsNameByte(char c, bool first) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || byte == '_' ||
        byte == ':' || byte >= 0x80) {
        return true;
    }
    return !first && ((byte >= '0' && byte <= '9') || byte == '.' || byte == '-');
}

std::size_t NameEnd(std::string_view xml, std::size_t at) {
    if (at >= xml.size() || !IsNameByte(xml[at], true)) {
        return at;
    }
    while (++at < xml.size() && IsNameByte(xml[at], false)) {
    }
    return at;
}

bool IsNamespaceDeclaration(std::string_view name) {
    return name == "xmlns" || name.starts_with("xmlns:");
}

void AppendUtf8(std::uint32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The characters XML allows.
bool IsXmlCharacter(std::uint32_t code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

}  // namespace

std::string_view StartTagAttributes::Text(std::size_t position) const {
    if (position >= ends_.size()) {
        return {};
    }
    const std::size_t begin = position == 0 ? 0 : ends_[position - 1];
    return std::string_view(texts_).substr(begin, ends_[position] - begin);
}

bool StartTagAttributes::Parse(std::string_view xml) {
    texts_.clear();
    ends_.clear();
    std::size_t at = 1;
    if (xml.empty() || xml[0] != '<' || NameEnd(xml, at) == at) {
        return false;
    }
    at = NameEnd(xml, at);
    for (;;) {
        const std::size_t spaceStart = at;
        while (at < xml.size() && IsSpace(xml[at])) {
            ++at;
        }
        if (at < xml.size() && xml[at] == '>') {
            return true;
        }
        if (at + 1 < xml.size() && xml[at] == '/' && xml[at + 1] == '>') {
            return true;
        }
        const std::size_t nameEnd = NameEnd(xml, at);
        if (at == spaceStart || nameEnd == at ||
            IsNamespaceDeclaration(xml.substr(at, nameEnd - at))) {
            break;
        }
        at = nameEnd;
        while (at < xml.size() && IsSpace(xml[at])) {
            ++at;
        }
        if (at >= xml.size() || xml[at] != '=') {
            break;
        }
        ++at;
        while (at < xml.size() && IsSpace(xml[at])) {
            ++at;
        }
        if (at >= xml.size() || (xml[at] != '"' && xml[at] != '\'') ||
            !ParseValue(xml, at, xml[at])) {
            break;
        }
    }
    texts_.clear();
    ends_.clear();
    return false;
}

// Reads the quoted value starting at the quote; at ends after the closing quote.
bool StartTagAttributes::ParseValue(std::string_view xml, std::size_t& at, char quote) {
    ++at;
    for (;;) {
        const std::size_t stop = xml.find_first_of(quote == '"' ? "\"&<" : "'&<", at);
        if (stop == std::string_view::npos || xml[stop] == '<') {
            return false;
        }
        texts_.append(xml.substr(at, stop - at));
        if (xml[stop] == quote) {
            at = stop + 1;
            ends_.push_back(texts_.size());
            return true;
        }
        const std::size_t semicolon = xml.find(';', stop);
        if (semicolon == std::string_view::npos ||
            !AppendReference(xml.substr(stop + 1, semicolon - stop - 1))) {
            return false;
        }
        at = semicolon + 1;
    }
}

// Appends the character of "amp", "#13", "#x1F600" and the like.
bool StartTagAttributes::AppendReference(std::string_view reference) {
    if (reference.starts_with('#')) {
        const bool hex = reference.size() > 1 && reference[1] == 'x';
        const std::string_view digits = reference.substr(hex ? 2 : 1);
        std::uint32_t code = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
        if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() ||
            !IsXmlCharacter(code)) {
            return false;
        }
        AppendUtf8(code, texts_);
        return true;
    }
    if (reference == "amp") {
        texts_ += '&';
    } else if (reference == "lt") {
        texts_ += '<';
    } else if (reference == "gt") {
        texts_ += '>';
    } else if (reference == "quot") {
        texts_ += '"';
    } else if (reference == "apos") {
        texts_ += '\'';
    } else {
        return false;  // the document's own entity
    }
    return true;
}

}  // namespace orv
