#include "monitor/tray_info_text.h"

namespace orv {
namespace {

constexpr char kLineEnd = '\r';

void AppendLine(std::string& text, std::string_view label, std::string_view value) {
    text += label;
    text += value;
    text += kLineEnd;
}

}  // namespace

std::string TrayHeading() {
    std::string text = "Подключен";
    text += kLineEnd;
    text += kLineEnd;
    return text;
}

void AppendTrayFigures(std::string& text, const TrayFigures& figures, const DisplayFlags& flags) {
    if (flags.bytesRecv) {
        AppendLine(text, "Принято: ", figures.bytesReceived);
    }
    if (flags.bytesSend) {
        AppendLine(text, "Отправлено: ", figures.bytesSent);
    }
    AppendLine(text, "Принято и Отправлено: ", figures.totalKilobytes);
    text += kLineEnd;
    if (flags.connectSpeed) {
        AppendLine(text, "Скорость подключения: ", figures.linkSpeed);
    }
    if (flags.duration) {
        AppendLine(text, "Время соединения: ", figures.duration);
        text += kLineEnd;
    }
    AppendLine(text, "Текущая скорость приема(KBpS): ", figures.receiveSpeed);
    AppendLine(text, "Текущая скорость передачи(KBpS): ", figures.sendSpeed);
    if (flags.curSpeed) {
        AppendLine(text, "Текущая скорость (KBpS): ", figures.totalSpeed);
    }
    if (flags.averageSpeed) {
        AppendLine(text, "Средняя скорость (KBpS): ", figures.averageSpeed);
    }
    text += kLineEnd;
}

void AppendTrayAddresses(std::string& text, std::string_view clientIp, std::string_view serverIp,
                         const DisplayFlags& flags) {
    if (flags.clientIp) {
        AppendLine(text, "IP адрес клиента: ", clientIp);
    }
    if (flags.serverIp) {
        AppendLine(text, "IP адрес сервера: ", serverIp);
    }
}

}  // namespace orv
