#include "stats/month_chart.h"

#include <algorithm>
#include <limits>

#include "stats/statistics_formats.h"

namespace orv {
namespace {

constexpr std::array<std::string_view, 12> kEnglishMonths{
    "January:  ", "February: ", "March: ",     "April: ",   "May: ",      "June: ",
    "July: ",     "August: ",   "September: ", "October: ", "November: ", "December: "};
constexpr std::array<std::string_view, 12> kRussianMonths{
    "Январь:  ", "Февраль: ", "Март: ",     "Апрель: ",  "Май: ",    "Июнь: ",
    "Июль: ",    "Август: ",  "Сентябрь: ", "Октябрь: ", "Ноябрь: ", "Декабрь: "};

std::int64_t RowFigure(const SessionList& list, std::size_t row, MonthChartKind kind) {
    switch (kind) {
        case MonthChartKind::Time:
            return ParseDuration(list.Text(row, kDurationColumn));
        case MonthChartKind::Received:
            return ParseCount(list.Text(row, kReceivedColumn));
        case MonthChartKind::Sent:
            return ParseCount(list.Text(row, kSentColumn));
    }
    return 0;
}

// part / whole x 150 to the nearest whole number, halves to even, in integers so that a half
// is exactly a half.
int ScaledWidth(std::int64_t part, std::int64_t whole) {
    if (part <= 0 || whole <= 0) {
        return 0;
    }
    // Months past 6 × 10^16 bytes drop their lowest bits, so that part × 150 cannot overflow.
    while (whole > std::numeric_limits<std::int64_t>::max() / kMonthBarMaxWidth) {
        part >>= 1;
        whole >>= 1;
    }
    const std::int64_t scaled = part * kMonthBarMaxWidth;
    std::int64_t width = scaled / whole;
    const std::int64_t twiceRest = 2 * (scaled % whole);
    if (twiceRest > whole || (twiceRest == whole && width % 2 != 0)) {
        ++width;
    }
    return static_cast<int>(width);
}

}  // namespace

MonthChart SumByMonth(const SessionList& list, MonthChartKind kind,
                      const RegionalFormats& formats) {
    MonthChart chart;
    chart.kind = kind;
    for (std::size_t row = 0; row < list.RowCount(); ++row) {
        const auto moment = ParseLocalDateTime(list.Text(row, kEndColumn), formats);
        if (!moment) {
            ++chart.leftOut;
            continue;
        }
        std::int64_t& sum = chart.sums[static_cast<std::size_t>(moment->month - 1)];
        sum = AddCount(sum, RowFigure(list, row, kind));
    }
    return chart;
}

std::string LeftOutNote(std::size_t leftOut, bool russian) {
    if (leftOut == 0) {
        return {};
    }
    const std::string count = std::to_string(leftOut);
    if (russian) {
        return "Не учтено сеансов: " + count + " (дата окончания не читается)";
    }
    return count + (leftOut == 1 ? " session" : " sessions") +
           " left out: end date not readable";
}

std::array<int, 12> MonthBarWidths(const MonthChart& chart) {
    std::int64_t max = *std::max_element(chart.sums.begin(), chart.sums.end());
    if (chart.kind != MonthChartKind::Time) {
        max = std::max<std::int64_t>(max, 1);
    }
    std::array<int, 12> widths{};
    for (std::size_t month = 0; month < widths.size(); ++month) {
        widths[month] = ScaledWidth(chart.sums[month], max);
    }
    return widths;
}

std::string_view MonthName(int month, bool russian) {
    const auto index = static_cast<std::size_t>(month - 1);
    return russian ? kRussianMonths.at(index) : kEnglishMonths.at(index);
}

std::string_view MonthChartTitle(MonthChartKind kind, bool russian) {
    switch (kind) {
        case MonthChartKind::Time:
            return russian ? "Распределение времени нахождения в сети по месяцам"
                           : "Online Time on Months";
        case MonthChartKind::Received:
            return russian ? "Распределение принятых байт по месяцам" : "Received Bytes on Months";
        case MonthChartKind::Sent:
            return russian ? "Распределение отправленных байт по месяцам" : "Send Bytes on Months";
    }
    return {};
}

std::string MonthFigure(const MonthChart& chart, int month) {
    const std::int64_t sum = chart.sums.at(static_cast<std::size_t>(month - 1));
    return chart.kind == MonthChartKind::Time ? FormatDuration(sum * 1000) : std::to_string(sum);
}

}  // namespace orv
