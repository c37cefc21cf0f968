// Date and time texts in the user's Windows date and time pictures, and their parse back.

#include "base/regional_formats.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace orv {
namespace {

// One piece of a picture: a run of one element letter ("hh", "yyyy"), or literal text.
struct PicturePiece {
    char letter = 0;  // 0 for literal text
    int count = 0;
    std::string text;
};

std::vector<PicturePiece> SplitPicture(std::string_view picture, std::string_view letters) {
    std::vector<PicturePiece> pieces;
    auto appendLiteral = [&pieces](char c) {
        if (pieces.empty() || pieces.back().letter != 0) {
            pieces.emplace_back();
        }
        pieces.back().text += c;
    };
    bool quoted = false;
    for (std::size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        if (c == '\'') {
            if (i + 1 < picture.size() && picture[i + 1] == '\'') {
                appendLiteral('\'');
                i += 2;
            } else {
                quoted = !quoted;
                ++i;
            }
        } else if (!quoted && letters.find(c) != std::string_view::npos) {
            std::size_t end = i;
            while (end < picture.size() && picture[end] == c) {
                ++end;
            }
            pieces.push_back({c, static_cast<int>(end - i), {}});
            i = end;
        } else {
            appendLiteral(c);
            ++i;
        }
    }
    return pieces;
}

void AppendNumber(std::string& out, int value, int minDigits) {
    const std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < minDigits) {
        out.append(static_cast<std::size_t>(minDigits) - digits.size(), '0');
    }
    out += digits;
}

// The first character of a UTF-8 text, with its continuation bytes.
std::string_view FirstCharacter(std::string_view text) {
    if (text.empty()) {
        return text;
    }
    std::size_t end = 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        ++end;
    }
    return text.substr(0, end);
}

std::string_view Designator(bool pm, int count, const RegionalFormats& formats) {
    const std::string& designator = pm ? formats.pmDesignator : formats.amDesignator;
    return count == 1 ? FirstCharacter(designator) : std::string_view(designator);
}

// Reads a text piece by piece, as the pictures lay it out.
class TextReader {
  public:
    explicit TextReader(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ == text_.size(); }

    bool Skip(std::string_view literal) {
        if (text_.substr(pos_, literal.size()) != literal) {
            return false;
        }
        pos_ += literal.size();
        return true;
    }

    // One to maxDigits decimal digits.
    std::optional<int> Number(int maxDigits) {
        int value = 0;
        int digits = 0;
        while (digits < maxDigits && pos_ < text_.size() && text_[pos_] >= '0' &&
               text_[pos_] <= '9') {
            value = value * 10 + (text_[pos_] - '0');
            ++pos_;
            ++digits;
        }
        if (digits == 0) {
            return std::nullopt;
        }
        return value;
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Two-digit years name 1950 to 2049, as Windows reads them by default.
int FullYear(int twoDigitYear) {
    return twoDigitYear < 50 ? 2000 + twoDigitYear : 1900 + twoDigitYear;
}

bool ReadDate(TextReader& reader, const RegionalFormats& formats, LocalDateTime& dateTime) {
    for (const PicturePiece& piece : SplitPicture(formats.shortDate, "dMyg")) {
        std::optional<int> number;
        switch (piece.letter) {
            case 0:
                if (!reader.Skip(piece.text)) {
                    return false;
                }
                continue;
            case 'g':
                continue;
            case 'y':
                number = reader.Number(piece.count <= 2 ? 2 : 4);
                if (number) {
                    dateTime.year = piece.count <= 2 ? FullYear(*number) : *number;
                }
                break;
            case 'M':
                number = reader.Number(2);
                dateTime.month = number.value_or(0);
                break;
            default:  // 'd'
                number = reader.Number(2);
                dateTime.day = number.value_or(0);
                break;
        }
        if (!number) {
            return false;
        }
    }
    return true;
}

bool ReadDesignator(TextReader& reader, int count, const RegionalFormats& formats, bool& pm) {
    const std::string_view am = Designator(false, count, formats);
    const std::string_view pmText = Designator(true, count, formats);
    // The longer one first, so that a designator that begins like the other still matches.
    const bool pmFirst = pmText.size() > am.size();
    for (const bool candidate : {pmFirst, !pmFirst}) {
        if (reader.Skip(candidate ? pmText : am)) {
            pm = candidate;
            return true;
        }
    }
    return false;
}

bool ReadTime(TextReader& reader, const RegionalFormats& formats, LocalDateTime& dateTime) {
    bool twelveHour = false;
    bool designatorRead = false;
    bool pm = false;
    for (const PicturePiece& piece : SplitPicture(formats.longTime, "hHmst")) {
        if (piece.letter == 0) {
            if (!reader.Skip(piece.text)) {
                return false;
            }
            continue;
        }
        if (piece.letter == 't') {
            if (!ReadDesignator(reader, piece.count, formats, pm)) {
                return false;
            }
            designatorRead = true;
            continue;
        }
        const std::optional<int> number = reader.Number(2);
        if (!number) {
            return false;
        }
        switch (piece.letter) {
            case 'h':
                twelveHour = true;
                [[fallthrough]];
            case 'H':
                dateTime.hour = *number;
                break;
            case 'm':
                dateTime.minute = *number;
                break;
            default:  // 's'
                dateTime.second = *number;
                break;
        }
    }
    if (twelveHour && designatorRead) {
        if (dateTime.hour < 1 || dateTime.hour > 12) {
            return false;
        }
        dateTime.hour = dateTime.hour % 12 + (pm ? 12 : 0);
    }
    return true;
}

bool IsValid(const LocalDateTime& dt) {
    const std::chrono::year_month_day date{std::chrono::year{dt.year},
                                           std::chrono::month{static_cast<unsigned>(dt.month)},
                                           std::chrono::day{static_cast<unsigned>(dt.day)}};
    return date.ok() && dt.hour >= 0 && dt.hour < 24 && dt.minute >= 0 && dt.minute < 60 &&
           dt.second >= 0 && dt.second < 60;
}

}  // namespace

std::string FormatShortDate(const LocalDateTime& dateTime, const RegionalFormats& formats) {
    std::string out;
    for (const PicturePiece& piece : SplitPicture(formats.shortDate, "dMyg")) {
        switch (piece.letter) {
            case 0:
                out += piece.text;
                break;
            // Day and month names (ddd, MMM and longer) are written as two-digit numbers, which
            // ReadDate reads back; no run writes more than two digits.
            case 'd':
                AppendNumber(out, dateTime.day, std::min(piece.count, 2));
                break;
            case 'M':
                AppendNumber(out, dateTime.month, std::min(piece.count, 2));
                break;
            case 'y':
                if (piece.count <= 2) {
                    AppendNumber(out, dateTime.year % 100, piece.count);
                } else {
                    AppendNumber(out, dateTime.year, 4);
                }
                break;
            default:  // 'g': the era is left out; the calendar is always the Gregorian one
                break;
        }
    }
    return out;
}

std::string FormatLongTime(const LocalDateTime& dateTime, const RegionalFormats& formats) {
    std::string out;
    for (const PicturePiece& piece : SplitPicture(formats.longTime, "hHmst")) {
        switch (piece.letter) {
            case 0:
                out += piece.text;
                break;
            case 'h':
                AppendNumber(out, dateTime.hour % 12 == 0 ? 12 : dateTime.hour % 12, piece.count);
                break;
            case 'H':
                AppendNumber(out, dateTime.hour, piece.count);
                break;
            case 'm':
                AppendNumber(out, dateTime.minute, piece.count);
                break;
            case 's':
                AppendNumber(out, dateTime.second, piece.count);
                break;
            default:  // 't'
                out += Designator(dateTime.hour >= 12, piece.count, formats);
                break;
        }
    }
    return out;
}

std::string FormatLocalDateTime(const LocalDateTime& dateTime, const RegionalFormats& formats) {
    std::string text = FormatShortDate(dateTime, formats);
    if (dateTime.hour != 0 || dateTime.minute != 0 || dateTime.second != 0) {
        text += ' ';
        text += FormatLongTime(dateTime, formats);
    }
    return text;
}

std::string FixedWidthMoment(const LocalDateTime& t, std::string_view dateMark,
                             std::string_view between, std::string_view timeMark) {
    std::string text;
    AppendZeroPadded(text, t.year, 4);
    text += dateMark;
    AppendZeroPadded(text, t.month, 2);
    text += dateMark;
    AppendZeroPadded(text, t.day, 2);
    text += between;
    AppendZeroPadded(text, t.hour, 2);
    text += timeMark;
    AppendZeroPadded(text, t.minute, 2);
    text += timeMark;
    AppendZeroPadded(text, t.second, 2);
    return text;
}

std::optional<LocalDateTime> ParseLocalDateTime(std::string_view text,
                                                const RegionalFormats& formats) {
    LocalDateTime dateTime;
    TextReader reader(text);
    if (!ReadDate(reader, formats, dateTime)) {
        return std::nullopt;
    }
    if (!reader.AtEnd() &&
        !(reader.Skip(" ") && ReadTime(reader, formats, dateTime) && reader.AtEnd())) {
        return std::nullopt;
    }
    if (!IsValid(dateTime)) {
        return std::nullopt;
    }
    return dateTime;
}

namespace {

// A date and time as milliseconds of the proleptic calendar, for arithmetic on it.
std::chrono::sys_time<std::chrono::milliseconds> Moment(const LocalDateTime& dateTime) {
    using namespace std::chrono;
    const sys_days day =
        year_month_day{year{dateTime.year}, month{static_cast<unsigned>(dateTime.month)},
                       std::chrono::day{static_cast<unsigned>(dateTime.day)}};
    const std::int64_t timeOfDayMs =
        ((dateTime.hour * 60LL + dateTime.minute) * 60 + dateTime.second) * 1000 +
        dateTime.millisecond;
    return day + std::chrono::milliseconds(timeOfDayMs);
}

}  // namespace

LocalDateTime AddMilliseconds(const LocalDateTime& dateTime, std::int64_t milliseconds) {
    using namespace std::chrono;
    const sys_time<std::chrono::milliseconds> moment =
        Moment(dateTime) + std::chrono::milliseconds(milliseconds);
    const sys_days newDay = floor<days>(moment);
    const year_month_day date{newDay};
    const hh_mm_ss time{moment - newDay};
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(time.hours().count()),
            static_cast<int>(time.minutes().count()),
            static_cast<int>(time.seconds().count()),
            static_cast<int>(time.subseconds().count())};
}

std::int64_t MillisecondsBetween(const LocalDateTime& from, const LocalDateTime& to) {
    return (Moment(to) - Moment(from)).count();
}

std::string FormatDurationText(std::uint32_t milliseconds, const RegionalFormats& formats) {
    // The hour's digits and the separator come from the long time picture; the rest of the
    // picture (the day-period marker, a 12-hour clock) belongs to a time of day, not a length.
    int hourDigits = 1;
    std::string separator = ":";
    const std::vector<PicturePiece> pieces = SplitPicture(formats.longTime, "hHmst");
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].letter == 'h' || pieces[i].letter == 'H') {
            hourDigits = pieces[i].count >= 2 ? 2 : 1;
            if (i + 2 < pieces.size() && pieces[i + 1].letter == 0 && pieces[i + 2].letter == 'm') {
                separator = pieces[i + 1].text;
            }
            break;
        }
    }
    const std::uint32_t seconds = milliseconds / 1000;
    std::string out;
    AppendNumber(out, static_cast<int>(seconds / 3600), hourDigits);
    out += separator;
    AppendNumber(out, static_cast<int>(seconds / 60 % 60), 2);
    out += separator;
    AppendNumber(out, static_cast<int>(seconds % 60), 2);
    return out;
}

}  // namespace orv
