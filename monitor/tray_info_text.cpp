#include "monitor/tray_info_text.h"

namespace orv {
namespace {

constexpr char kLineEnd = '\r';

// The labels as designed (Russian) and as an English interface shows them.
struct TrayLabels {
    std::string_view heading, received, sent, total, linkSpeed, duration, receiveSpeed,
        sendSpeed, totalSpeed, averageSpeed, clientIp, serverIp;
};

constexpr TrayLabels kRussian{"Подключен",
                              "Принято: ",
                              "Отправлено: ",
                              "Принято и Отправлено: ",
                              "Скорость подключения: ",
                              "Время соединения: ",
                              "Текущая скорость приема(KBpS): ",
                              "Текущая скорость передачи(KBpS): ",
                              "Текущая скорость (KBpS): ",
                              "Средняя скорость (KBpS): ",
                              "IP адрес клиента: ",
                              "IP адрес сервера: "};
constexpr TrayLabels kEnglish{"Connected",
                              "Received: ",
                              "Sent: ",
                              "Received and Sent: ",
                              "Connection speed: ",
                              "Connection time: ",
                              "Current receive speed(KBpS): ",
                              "Current send speed(KBpS): ",
                              "Current speed (KBpS): ",
                              "Average speed (KBpS): ",
                              "Client IP address: ",
                              "Server IP address: "};

const TrayLabels& Labels(bool russian) { return russian ? kRussian : kEnglish; }

void AppendLine(std::string& text, std::string_view label, std::string_view value) {
    text += label;
    text += value;
    text += kLineEnd;
}

}  // namespace

std::string TrayHeading(bool russian) {
    std::string text(Labels(russian).heading);
    text += kLineEnd;
    text += kLineEnd;
    return text;
}

void AppendTrayFigures(std::string& text, const TrayFigures& figures, const DisplayFlags& flags,
                       bool russian) {
    const TrayLabels& label = Labels(russian);
    if (flags.bytesRecv) {
        AppendLine(text, label.received, figures.bytesReceived);
    }
    if (flags.bytesSend) {
        AppendLine(text, label.sent, figures.bytesSent);
    }
    AppendLine(text, label.total, figures.totalKilobytes);
    text += kLineEnd;
    if (flags.connectSpeed) {
        AppendLine(text, label.linkSpeed, figures.linkSpeed);
    }
    if (flags.duration) {
        AppendLine(text, label.duration, figures.duration);
        text += kLineEnd;
    }
    AppendLine(text, label.receiveSpeed, figures.receiveSpeed);
    AppendLine(text, label.sendSpeed, figures.sendSpeed);
    if (flags.curSpeed) {
        AppendLine(text, label.totalSpeed, figures.totalSpeed);
    }
    if (flags.averageSpeed) {
        AppendLine(text, label.averageSpeed, figures.averageSpeed);
    }
    text += kLineEnd;
}

void AppendTrayAddresses(std::string& text, std::string_view clientIp, std::string_view serverIp,
                         const DisplayFlags& flags, bool russian) {
    const TrayLabels& label = Labels(russian);
    if (flags.clientIp) {
        AppendLine(text, label.clientIp, clientIp);
    }
    if (flags.serverIp) {
        AppendLine(text, label.serverIp, serverIp);
    }
}

}  // namespace orv
