// Japanese texts of the virtual board window.
#include "sim/virtual_board_texts.h"

#include <algorithm>

namespace {

QString Slot(int slot) { return QStringLiteral("スロット%1の図記号").arg(slot); }

}  // namespace

QString ProgramStateText(RunState state) {
    switch (state) {
        case RunState::Running:
            return QStringLiteral("実行中");
        case RunState::Ended:
            return QStringLiteral("正常終了");
        case RunState::Error:
            return QStringLiteral("実行エラー");
        case RunState::Reset:
            break;
    }
    return QStringLiteral("リセット");
}

QString SoundText(SoundKind sound, int volume) {
    QString name;
    switch (sound) {
        case SoundKind::Buzzer:
            name = QStringLiteral("ブザー");
            break;
        case SoundKind::Alarm:
            name = QStringLiteral("アラーム");
            break;
        case SoundKind::Melody:
            name = QStringLiteral("メロディ");
            break;
        case SoundKind::OwnMelody:
            name = QStringLiteral("自作メロディ");
            break;
        case SoundKind::Off:
            return QStringLiteral("なし");
    }
    static const QString kVolumes[] = {QStringLiteral("小"), QStringLiteral("中"),
                                       QStringLiteral("大")};
    return QStringLiteral("%1（%2）").arg(name, kVolumes[std::clamp(volume, 1, 3) - 1]);
}

QString AlarmText(const std::optional<int>& minuteOfDay) {
    if (!minuteOfDay) return QStringLiteral("なし");
    return QStringLiteral("%1:%2")
        .arg(*minuteOfDay / 60, 2, 10, QLatin1Char('0'))
        .arg(*minuteOfDay % 60, 2, 10, QLatin1Char('0'));
}

QString FaultText(const EngineFault& fault) {
    switch (fault.kind) {
        case FaultKind::NoSuccessor:
            return Slot(fault.slot) + QStringLiteral("から先へ線がつながっていません。");
        case FaultKind::SlotOutOfRange:
            if (fault.slot == 0) return QStringLiteral("プログラムの始まりが正しくありません。");
            return Slot(fault.slot) +
                   QStringLiteral("の行き先（スロット%1）には進めません。").arg(fault.target);
        case FaultKind::EmptySlot:
            return QStringLiteral("スロット%1に図記号がありません。").arg(fault.slot);
        case FaultKind::UnknownOpcode:
            return QStringLiteral("スロット%1に知らない命令（0x%2）があります。")
                .arg(fault.slot)
                .arg(QString::number(fault.target, 16).toUpper().rightJustified(2, QLatin1Char('0')));
        case FaultKind::NoSubStart:
            return Slot(fault.slot) +
                   QStringLiteral("（サブ）が呼び出すサブ%1に開始がありません。").arg(fault.target);
        case FaultKind::LoopEndWithoutLoop:
            return Slot(fault.slot) + QStringLiteral("（もどる）の前に「くり返し」がありません。");
        case FaultKind::CallsTooDeep:
            return Slot(fault.slot) +
                   QStringLiteral("で、呼び出しの中の呼び出しが%1段をこえました。").arg(kMaxCallDepth);
    }
    return {};
}
