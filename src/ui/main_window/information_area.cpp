// The information area's texts and painting.
#include "main_window/information_area.h"

#include <QPainter>
#include <cstdio>

#include "common/window_colour.h"

namespace {

QFont PanelFont(int pixels) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"),
                      QStringLiteral("monospace")});
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(pixels);
    return font;
}

std::string Format(const char* format, unsigned a) {
    char text[96];
    std::snprintf(text, sizeof text, format, a);
    return text;
}

std::string Version(const char* format, const StatusValue& value) {
    char text[96];
    std::snprintf(text, sizeof text, format, (value.value >> 4) & 0x0F, value.value & 0x0F);
    return text;
}

std::string ProgramLine(const BoardStatus& status) {
    if (!status.connected || !status.programState.valid) return "プログラム：??";
    switch (status.programState.value) {
        case 0x01:
        case 0x03:
            return "プログラム：実行中";
        case 0x10:
            return "プログラム：正常終了";
        case 0x40:
        case 0x60:
            return "プログラム：リセット";
        case 0x80:
            return "プログラム：実行エラー";
        default:
            return "プログラム：??";
    }
}

}  // namespace

InformationTexts ComposeInformation(const BoardStatus& status) {
    InformationTexts texts;
    texts.connection = status.connected ? "接続中" : "未接続";
    texts.program = ProgramLine(status);
    const auto shown = [&](const StatusValue& value) { return status.connected && value.valid; };

    std::string& r = texts.readings;
    r += shown(status.light) ? Format(" 光センサ：%uLx\n\n", status.light.value)
                             : " 光センサ：??Lx\n\n";
    r += shown(status.temperature) ? Format(" 温度センサ：%u℃\n\n", status.temperature.value)
                                   : " 温度センサ：??℃\n\n";
    r +=
        shown(status.sound) ? Format(" 音センサ：%u\n\n", status.sound.value) : " 音センサ：??\n\n";
    if (shown(status.switchState) && status.switchState.value == 0)
        r += " スイッチ：OFF\n\n";
    else if (shown(status.switchState) && status.switchState.value == 1)
        r += " スイッチ：ON\n\n";
    else
        r += " スイッチ：??\n\n";
    r += "\n\n\n\n\n\n\n";
    r += shown(status.hardwareVersion) ? Version(" ﾊｰﾄﾞｳｪｱﾊﾞｰｼﾞｮﾝ：%u.%u\n", status.hardwareVersion)
                                       : " ﾊｰﾄﾞｳｪｱﾊﾞｰｼﾞｮﾝ：??.??\n";
    if (!status.connected)
        r += " ﾌｧｰﾑｳｪｱﾊﾞｰｼﾞｮﾝ：??.??";
    else if (status.firmwareVersion.valid)
        r += Version(" ﾌｧｰﾑｳｪｱﾊﾞｰｼﾞｮﾝ：%u.%u\n\n", status.firmwareVersion);
    else
        r += " ﾌｧｰﾑｳｪｱﾊﾞｰｼﾞｮﾝ：??.??\n\n";
    return texts;
}

CDlgInformationArea::CDlgInformationArea(QWidget* parent)
    : QWidget(parent), largeFont_(PanelFont(30)), smallFont_(PanelFont(16)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(1024 - kWidth, MainWindowLayout::kToolBarHeight, kWidth, 600);
}

void CDlgInformationArea::Clear() {
    status_.Clear();
    update();
}

void CDlgInformationArea::SetConnected() {
    status_.connected = true;
    update();
}

void CDlgInformationArea::SetStatus(const BoardStatus& status) {
    status_ = status;
    update();
}

void CDlgInformationArea::Place(int clientWidth, int clientHeight) {
    const int top = y();
    const int bottom = clientHeight - MainWindowLayout::kMessageAreaHeight;
    setGeometry(clientWidth - kWidth, top, kWidth, std::max(0, bottom - top));
}

void CDlgInformationArea::paintEvent(QPaintEvent*) {
    const InformationTexts texts = ComposeInformation(status_);
    QPainter painter(this);
    painter.fillRect(rect(), QColor(kWindowBackground));
    painter.setPen(Qt::black);
    QRect area = rect();
    area.translate(0, 28);
    painter.setFont(largeFont_);
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromStdString(texts.connection));
    area.translate(0, 36);
    painter.setFont(smallFont_);
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromStdString(texts.program));
    area.translate(0, 48);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(texts.readings));
}
