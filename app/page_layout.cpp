#include "app/page_layout.h"

#include <algorithm>
#include <array>

#include "app/monitor_settings.h"
#include "app/settings_controls.h"
#include "base/billing_period.h"
#include "orvane_version.h"

namespace orv {
namespace {

using K = ControlKind;

constexpr int kLabelHeight = 14;
constexpr int kSwitchHeight = 17;
constexpr int kFieldHeight = 21;

constexpr ControlSpec Label(std::string_view id, std::string_view caption, int x, int y,
                            int width) {
    return {id, K::Label, caption, {x, y, width, kLabelHeight}};
}
constexpr ControlSpec Group(std::string_view id, std::string_view caption, ControlRect rect) {
    return {id, K::GroupBox, caption, rect};
}
constexpr ControlSpec Switch(std::string_view id, std::string_view caption, int x, int y, int width,
                             bool checked = false, std::string_view hint = {}) {
    return {id, K::CheckBox, caption, {x, y, width, kSwitchHeight}, {}, hint, checked};
}
constexpr ControlSpec Choice(std::string_view id, std::string_view caption, int x, int y, int width,
                             bool checked = false) {
    return {id, K::RadioButton, caption, {x, y, width, kSwitchHeight}, {}, {}, checked};
}
constexpr ControlSpec Field(std::string_view id, int x, int y, int width) {
    return {id, K::Edit, {}, {x, y, width, kFieldHeight}};
}
constexpr ControlSpec UpDown(std::string_view id, int x, int y, int low, int high,
                             int step = 0) {
    return {id, K::UpDown, {}, {x, y, 16, kFieldHeight}, {}, {}, false, low, high, false, step};
}
// Marks a control the program reads when it needs it: it has no reaction of its own.
constexpr ControlSpec Passive(ControlSpec control) {
    control.passive = true;
    return control;
}
constexpr ControlSpec Picture(std::string_view id, int x, int y, std::string_view hint = {}) {
    return {id, K::PictureButton, {}, {x, y, 22, 22}, {}, hint};
}
constexpr ControlSpec Swatch(std::string_view id, int x, int y) {
    return {id, K::ColourSwatch, {}, {x, y, 60, 16}};
}

// Page 0 "Информация": the figures of the followed connection and the device list.
constexpr std::array kDeviceColumns{ControlItem{"Device Name", 240},
                                    ControlItem{"Device Type", 100}};
constexpr std::array kInformation{
    Group("GroupBox5", "Общая", {4, 4, 392, 84}),
    Label("Label17", "Название", 14, 24, 140),
    Label("Label5", "Скорость", 14, 44, 140),
    Label("Label6", "Длительность", 14, 64, 140),
    Label("Label20", "0", 160, 24, 226),
    Label("Label11", "128000", 160, 44, 226),
    Label("Label12", "24:59:59", 160, 64, 226),
    Group("GroupBox6", "Дополнительная", {4, 94, 392, 104}),
    Label("Label18", "Тип устройства", 14, 114, 140),
    Label("Label19", "Описание устройства", 14, 134, 140),
    Label("Label14", "IP адрес сервера", 14, 154, 140),
    Label("Label13", "IP адрес клиента", 14, 174, 140),
    Label("Label21", "Модем", 160, 114, 226),
    Label("Label22", "0", 160, 134, 226),
    Label("Label16", "255.255.255.255", 160, 154, 226),
    Label("Label15", "255.255.255.255", 160, 174, 226),
    Passive({ids::kDeviceList, K::ListView, {}, {4, 206, 392, 140}, kDeviceColumns}),
};

// Page 1 "Статистика": the traffic graph over the byte and compression counters. Label30 lies
// under the graph, which covers it once drawn.
constexpr std::array kStatistics{
    Label("Label30", "Нет активных соединений", 130, 66, 160),
    ControlSpec{ids::kTrafficGraph, K::GraphArea, {}, {15, 8, 370, 130}},
    Group("GroupBox2", "Статистика", {15, 148, 370, 84}),
    Label("Label1", "Отправлено", 150, 166, 110),
    Label("Label2", "Принято", 270, 166, 110),
    Label("Label3", "Байт", 25, 188, 120),
    Label("Label4", "Сжатие", 25, 210, 120),
    Label("Label7", "0", 150, 188, 110),
    Label("Label10", "0", 270, 188, 110),
    Label("Label8", "0", 150, 210, 110),
    Label("Label9", "0", 270, 210, 110),
    // The monthly allowance's figures while a limit is set, written by the program.
    Label(ids::kStatisticsAllowance, "", 15, 240, 370),
};

// Page 2 "Подробная статистика": totals, the session list, the chart choice and four buttons.
constexpr std::array kSessionColumns{
    ControlItem{"Название", 60},
    ControlItem{"Пользователь", 50},
    ControlItem{"Время", 50},
    ControlItem{"Скорость подключения", 60},
    ControlItem{"Принято(Байт)", 75},
    ControlItem{"Отправлено(Байт)", 75},
    ControlItem{"IP адрес сервера", 100},
    ControlItem{"IP адрес клиента", 100},
    ControlItem{"Начало", 100},
    ControlItem{"Конец", 100},
    ControlItem{"Средняя скорость(KBpS)", 50},
};
constexpr std::array kDetailedStatistics{
    // One row per total, each value wide enough for 15 digits with their separators.
    ControlSpec{ids::kSessionList, K::VirtualList, {}, {4, 80, 392, 236}, kSessionColumns},
    Group("GroupBox9", "Общая статистика", {4, 2, 392, 74}),
    Label("Label45", "Время в сети", 12, 18, 140),
    Label("Label46", "Всего принято (KB)", 12, 36, 140),
    Label("Label40", "Всего отправлено (KB)", 12, 54, 140),
    Label("Label47", "Label47", 156, 18, 150),
    Label("Label48", "Label48", 156, 36, 150),
    Label("Label41", "Label41", 156, 54, 150),
    Passive(Choice(ids::kTimeChart, "Время", 4, 324, 60, true)),
    Passive(Choice(ids::kReceivedChart, "Принято", 68, 324, 70)),
    Passive(Choice(ids::kSentChart, "Отправлено", 142, 324, 90)),
    Picture(ids::kShowDetail, 280, 321, "Show Detail"),
    Picture(ids::kClearStatistics, 314, 321, "Clear statistics"),
    Picture(ids::kSaveAsHtml, 340, 321, "Save as Html"),
    Picture(ids::kPrintStatistics, 366, 321, "Print Statistics"),
};

// Page 3 "Дозвон": the entry list and the typed parameters, the dialing mode, Dial and HangUp,
// the redial switch, and the phonebook buttons.
constexpr ControlSpec Button(std::string_view id, std::string_view caption, int x, int y,
                             std::string_view hint) {
    return {id, K::Button, caption, {x, y, 76, 25}, {}, hint};
}
constexpr std::array kDial{
    Passive({ids::kEntryList, K::ComboBox, {}, {12, 12, 246, kFieldHeight}, {},
             "Available Connections"}),
    Switch(ids::kUseExisting, "Использовать имеющиеся", 12, 40, 246, true),
    Label("Label23", "Телефон", 12, 71, 90),
    Field(ids::kPhoneNumber, 110, 68, 148),
    Label("Label24", "CallBack", 12, 98, 90),
    Field(ids::kCallbackNumber, 110, 95, 148),
    Label("Label25", "Имя", 12, 125, 90),
    Field(ids::kUserName, 110, 122, 148),
    Label("Label26", "Пароль", 12, 152, 90),
    ControlSpec{ids::kPassword, K::Password, {}, {110, 149, 148, kFieldHeight}},
    // The group is as wide as its caption needs; the buttons above line up with it.
    Group("RadioGroup1", "Тип набора номера", {266, 62, 130, 70}),
    Passive(Choice(ids::kToneDialing, "Тоновый", 284, 82, 106)),
    Passive(Choice(ids::kPulseDialing, "Импульсный", 284, 104, 106, true)),
    Button(ids::kDial, "Dial", 266, 10, "Connect to Internet"),
    Button(ids::kHangUp, "HangUp", 266, 36, "Hang up current connection"),
    Group("GroupBox7", "Параметры", {4, 184, 392, 48}),
    Passive(Switch(ids::kRedial, "Перезванивать", 14, 204, 200, false, "Dial up until succes")),
    Button(ids::kNewEntry, "New", 12, 244, "Create new connection"),
    Button(ids::kEditEntry, "Edit", 94, 244, "Edit current Phonebook Entire"),
    Button(ids::kDeleteEntry, "Delete", 176, 244, "Delete current PhoneBook Entire"),
};

// Page 4 "События": connect/disconnect rows, then the three threshold rules, each with its
// caption over its threshold and its message and hang-up switches, then its sound switch beside
// the sound file.
constexpr std::array kSpeedChoices{ControlItem{"28800"}, ControlItem{"31200"}, ControlItem{"33600"},
                                   ControlItem{"48000"}, ControlItem{"56000"}};
constexpr std::array kEvents{
    Label("Label55", "Подключен", 8, 11, 80),
    Field(ids::kConnectedFile, 92, 8, 270),
    Picture(ids::kBrowseConnectedFile, 366, 7),
    Label("Label56", "Отключен", 8, 37, 80),
    Field(ids::kDisconnectedFile, 92, 34, 270),
    Picture(ids::kBrowseDisconnectedFile, 366, 33),
    Passive(Switch(ids::kPlaySoundConnected, "Воспроизвести звук", 8, 60, 180)),
    Passive(Switch(ids::kShowMessageConnected, "Показать сообщение", 200, 60, 180)),

    Label("Label31", "Продолжительность соединения больше чем (минут)", 8, 88, 388),
    Field(ids::kTimeThreshold, 8, 104, 56),
    UpDown(ids::kTimeThresholdUpDown, 64, 104, kMinTimeThreshold, kMaxTimeThreshold),
    Passive(Switch(ids::kShowMessageTime, "Показать сообщение", 96, 106, 146)),
    Passive(Switch(ids::kHangUpTime, "Разорвать соединение", 244, 106, 152)),
    Switch(ids::kPlaySoundTime, "Воспроизвести звук", 8, 130, 140),
    Field(ids::kTimeFile, 150, 128, 212),
    Picture(ids::kBrowseTimeFile, 366, 127),

    Label("Label32", "Скорость соединения меньше чем (бит.сек)", 8, 164, 388),
    Passive({ids::kSpeedThreshold, K::ComboBox, {}, {8, 180, 80, kFieldHeight}, kSpeedChoices}),
    Passive(Switch(ids::kShowMessageSpeed, "Показать сообщение", 96, 182, 146)),
    Passive(Switch(ids::kHangUpSpeed, "Разорвать соединение", 244, 182, 152)),
    Switch(ids::kPlaySoundSpeed, "Воспроизвести звук", 8, 206, 140),
    Field(ids::kSpeedFile, 150, 204, 212),
    Picture(ids::kBrowseSpeedFile, 366, 203),

    Label("Label33", "Траффик за минуту меньше чем (КБ)", 8, 240, 388),
    Field(ids::kTrafficThreshold, 8, 256, 56),
    UpDown(ids::kTrafficThresholdUpDown, 64, 256, kMinTrafficThreshold, kMaxTrafficThreshold),
    Passive(Switch(ids::kShowMessageTraffic, "Показать сообщение", 96, 258, 146)),
    Passive(Switch(ids::kHangUpTraffic, "Разорвать соединение", 244, 258, 152)),
    Switch(ids::kPlaySoundTraffic, "Воспроизвести звук", 8, 282, 140),
    Field(ids::kTrafficFile, 150, 280, 212),
    Picture(ids::kBrowseTrafficFile, 366, 279),
};

// Page 5 "Настройки". "Показывать плавающее окошко" is the one switch on at creation, which
// LoadSettings relies on to tell a change from the design state.
constexpr std::array kSettingsPage{
    Label("Label44", "Выбирете язык", 8, 318, 110),
    ControlSpec{ids::kLanguage, K::PictureList, "Eng", {120, 314, 100, kFieldHeight}},
    Group("GroupBox1", "Отображать следующую информацию", {4, 2, 392, 104}),
    Passive(Switch(ids::kShowBytesRecv, "Байт принято", 14, 20, 180)),
    Passive(Switch(ids::kShowBytesSend, "Байт отправлено", 14, 40, 180)),
    Passive(Switch(ids::kShowClientIp, "IP адрес клиента", 14, 60, 180)),
    Passive(Switch(ids::kShowServerIp, "IP адрес сервера", 14, 80, 180)),
    Passive(Switch(ids::kShowConnectSpeed, "Скорость подключения", 206, 20, 184)),
    Passive(Switch(ids::kShowDuration, "Время подключения", 206, 40, 184)),
    Passive(Switch(ids::kShowCurSpeed, "Текущая скорость", 206, 60, 184)),
    Passive(Switch(ids::kShowAverageSpeed, "Средняя скорость", 206, 80, 184)),
    Group("GroupBox3", "Плавающее окошко", {4, 112, 214, 120}),
    Label("Label35", "Прозрачность окошка", 14, 174, 196),
    Switch(ids::kFloatingWindow, "Показывать плавающее окошко", 10, 130, 206, true),
    Switch(ids::kStayOnTop, "Поверх Окон", 10, 150, 180),
    ControlSpec{ids::kTransparency,
                K::TrackBar,
                {},
                {10, 192, 200, 30},
                {},
                {},
                false,
                kMinTransparency,
                kMaxTransparency},
    Group("GroupBox4", "Настройки цвета", {222, 112, 174, 120}),
    Label("Label36", "Фон", 232, 131, 80),
    Label("Label37", "Принято", 232, 150, 80),
    Label("Label38", "Отправлено", 232, 169, 80),
    Label("Label39", "Время", 232, 188, 80),
    Label("Label54", "Рамка", 232, 207, 80),
    Swatch(ids::kBackgroundSwatch, 318, 130),
    Swatch(ids::kReceivedSwatch, 318, 149),
    Swatch(ids::kSentSwatch, 318, 168),
    Swatch(ids::kTimeSwatch, 318, 187),
    Swatch(ids::kBorderSwatch, 318, 206),
    Group("GroupBox8", "Общие", {4, 238, 392, 48}),
    Switch(ids::kSpeechPlugin, "Голос. управл.", 14, 258, 120, false,
           "Enable/Disable speech control"),
    Passive(Switch(ids::kShutDown, "Выключить PC", 140, 258, 120)),
    Switch(ids::kAutoRun, "Автозагрузка", 266, 258, 120),
};

// Page 6 "Запуск приложений": the launch list over its buttons and the three fields of the
// selected entry, which start disabled.
constexpr std::array kLaunchColumns{ControlItem{"Программа", 75}, ControlItem{"Расположение", 150},
                                    ControlItem{"Параметры", 75}, ControlItem{"Тип окна", 75},
                                    ControlItem{"Начало загрузки", 75}};
constexpr std::array kWindowModes{ControlItem{"Нормальный размер"}, ControlItem{"Свернутое окно"},
                                  ControlItem{"Развернутое окно"},
                                  ControlItem{"Нормальное не активированное"},
                                  ControlItem{"Свернутое не активированное"}};
constexpr std::array kStartMoments{ControlItem{"При загрузке Orvane"},
                                   ControlItem{"После дозвона"}};
constexpr ControlSpec Disabled(ControlSpec control) {
    control.disabled = true;
    return control;
}
constexpr std::array kLaunch{
    ControlSpec{ids::kLaunchList, K::CheckList, {}, {4, 4, 392, 222}, kLaunchColumns},
    Picture(ids::kAddProgram, 4, 232, "Add Application"),
    Disabled(Picture(ids::kDeleteProgram, 30, 232, "Delete Selected Application")),
    Picture(ids::kPreviousProgram, 56, 232, "Previous"),
    Picture(ids::kNextProgram, 82, 232, "Next"),
    Label("Label42", "Параметры", 8, 268, 100),
    Disabled(Field(ids::kLaunchParameters, 112, 264, 284)),
    Label("Label43", "Тип окна", 8, 296, 100),
    Disabled(ControlSpec{ids::kWindowMode,
                         K::ComboBox,
                         "Нормальный размер",
                         {112, 292, 284, kFieldHeight},
                         kWindowModes}),
    Label("Label53", "Начало запуска", 8, 324, 100),
    Disabled(ControlSpec{
        ids::kStartMoment, K::ComboBox, {}, {112, 320, 284, kFieldHeight}, kStartMoments}),
};

// Page 7 "О программе".
constexpr std::array kAbout{
    ControlSpec{ids::kAboutIcon, K::Icon, {}, {16, 16, 32, 32}},
    Label("Label27", "Orvane v" ORVANE_VERSION_TEXT, 64, 24, 300),
    ControlSpec{"Label29",
                K::Label,
                "Программа предназначена для определения параметров DialUp соединения. При "
                "желании вы можите воспользоваться ею в качестве альтернативной звонилки. ",
                {16, 64, 368, 56}},
    ControlSpec{
        ids::kWebLink, K::LinkLabel, "http://www.quillon.example/orvane/", {16, 132, 300, 16}},
};

// Page 8 "Лимит": the monthly allowance. Its period, its two limits and the warning share, the
// actions when a limit is used up, and the current period's figures.
constexpr std::array kAllowance{
    Group("GroupBox10", "Расчётный период", {4, 4, 392, 76}),
    Label("Label57", "Период начинается с числа", 14, 25, 270),
    Field(ids::kMonthStartDay, 296, 22, 72),
    UpDown(ids::kMonthStartDayUpDown, 368, 22, kFirstStartDay, kLastStartDay, 1),
    Label("Label58", "Предупредить, когда израсходовано (%)", 14, 51, 270),
    Field(ids::kMonthWarnPercent, 296, 48, 72),
    UpDown(ids::kMonthWarnPercentUpDown, 368, 48, 1, kMaxWarnPercent, 5),
    Group("GroupBox11", "Лимиты за период (0 - без лимита)", {4, 86, 392, 76}),
    Label("Label59", "Трафик, принято и отправлено (МБ)", 14, 107, 270),
    Field(ids::kMonthTrafficLimit, 296, 104, 72),
    UpDown(ids::kMonthTrafficLimitUpDown, 368, 104, 0, kMaxTrafficLimitMB, 100),
    Label("Label60", "Время в сети (часов)", 14, 133, 270),
    Field(ids::kMonthTimeLimit, 296, 130, 72),
    UpDown(ids::kMonthTimeLimitUpDown, 368, 130, 0, kMaxTimeLimitHours, 1),
    Group("GroupBox12", "Действия", {4, 168, 392, 118}),
    Passive(Switch(ids::kShowMessageMonth, "Показать сообщение", 14, 188, 180)),
    Passive(Switch(ids::kHangUpMonth, "Разорвать соединение", 206, 188, 184)),
    Switch(ids::kPlaySoundMonth, "Воспроизвести звук", 14, 214, 140),
    Field(ids::kMonthFile, 156, 212, 206),
    Picture(ids::kBrowseMonthFile, 366, 211),
    ControlSpec{"Label61",
                K::Label,
                "Сообщение и звук - один раз за период, когда израсходована доля лимита; "
                "пока лимит исчерпан - каждую минуту, как и разрыв соединения.",
                {14, 238, 376, 42}},
    Group("GroupBox13", "Текущий период", {4, 292, 392, 44}),
    Label(ids::kAllowanceStatus, "", 14, 312, 376),
};

constexpr std::array kPages{
    PageSpec{"TabSheet1", "Информация", kInformation},
    PageSpec{"TabSheet3", "Статистика", kStatistics},
    PageSpec{"TabSheet2", "Подробная статистика", kDetailedStatistics},
    PageSpec{"TabSheet4", "Дозвон", kDial},
    PageSpec{"TabSheet5", "События", kEvents},
    PageSpec{"TabSheet6", "Настройки", kSettingsPage},
    PageSpec{"TabSheet8", "Запуск приложений", kLaunch},
    PageSpec{"TabSheet7", "О программе", kAbout},
    PageSpec{"TabSheet9", "Лимит", kAllowance},
};

constexpr std::array kButtonImages{
    ButtonImage{ids::kBrowseTimeFile, MainImage::Open},
    ButtonImage{ids::kBrowseSpeedFile, MainImage::Open},
    ButtonImage{ids::kBrowseTrafficFile, MainImage::Open},
    ButtonImage{ids::kBrowseConnectedFile, MainImage::Open},
    ButtonImage{ids::kBrowseDisconnectedFile, MainImage::Open},
    ButtonImage{ids::kSaveAsHtml, MainImage::Save},
    ButtonImage{ids::kPrintStatistics, MainImage::Print},
    ButtonImage{ids::kShowDetail, MainImage::Detail},
    ButtonImage{ids::kClearStatistics, MainImage::Delete},
    ButtonImage{ids::kAddProgram, MainImage::New},
    ButtonImage{ids::kDeleteProgram, MainImage::Delete},
    ButtonImage{ids::kPreviousProgram, MainImage::Back},
    ButtonImage{ids::kNextProgram, MainImage::Forward},
    ButtonImage{ids::kBrowseMonthFile, MainImage::Open},
};

}  // namespace

std::optional<int> PageAfterKey(int current, int count, PageKey key, bool ctrl, bool shift) {
    if (!ctrl || count <= 0 || key == PageKey::Other) {
        return std::nullopt;
    }
    const bool back = key == PageKey::PageUp || (key == PageKey::Tab && shift);
    return ((current + (back ? count - 1 : 1)) % count + count) % count;
}

std::span<const PageSpec> MainWindowPages() {
    return kPages;
}

const ControlSpec* FindControl(std::string_view id) {
    for (const PageSpec& page : kPages) {
        const auto found = std::find_if(page.controls.begin(), page.controls.end(),
                                        [id](const ControlSpec& c) { return c.id == id; });
        if (found != page.controls.end()) {
            return &*found;
        }
    }
    return nullptr;
}

std::string_view DisplayFieldControl(DisplayField field) {
    switch (field) {
        case DisplayField::Name:
            return "Label20";
        case DisplayField::LinkSpeed:
            return "Label11";
        case DisplayField::Duration:
            return "Label12";
        case DisplayField::DeviceType:
            return "Label21";
        case DisplayField::DeviceName:
            return "Label22";
        case DisplayField::ServerIp:
            return "Label16";
        case DisplayField::ClientIp:
            return "Label15";
        case DisplayField::BytesSent:
            return "Label7";
        case DisplayField::BytesReceived:
            return "Label10";
        case DisplayField::CompressionOut:
            return "Label8";
        case DisplayField::CompressionIn:
            return "Label9";
    }
    return {};
}

std::span<const ButtonImage> ButtonImages() {
    return kButtonImages;
}

}  // namespace orv
