// The melody editor's file commands: new, open, save and save as.
#include <QCheckBox>
#include <QLineEdit>

#include "melody/melody_dialogs.h"
#include "melody/melody_editor.h"
#include "melody_file.h"

namespace {
constexpr std::string_view kDiscardQuestion = "未保存のデータは破棄します。よろしいですか。";
constexpr std::string_view kFilter = "メロディ ファイル (*.mel)|*.mel||";
constexpr std::string_view kExtension = "mel";
}  // namespace

void CDlgToolMelody::NewMelody() {
    if (modified_ && !dialogs_.AskYesNo(kDiscardQuestion)) return;
    Reset();
}

void CDlgToolMelody::RememberPath(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    folder_ = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    fileName_ = slash == std::string::npos ? path : path.substr(slash + 1);
}

void CDlgToolMelody::OpenMelody() {
    if (modified_ && !dialogs_.AskYesNo(kDiscardQuestion)) return;
    const std::optional<std::string> path =
        dialogs_.ChooseOpenPath({kExtension, {}, kFilter, false});
    if (!path) return;
    Reset();
    if (const std::optional<MelodySettings> settings = ReadMelodyFile(*path, melody_, dialogs_)) {
        title_->setText(QString::fromStdString(settings->title));
        tempo_->setText(QString::number(settings->tempo));
        repeat_->setChecked(settings->repeat);
        newFile_ = false;
        modified_ = false;
        RememberPath(*path);
    }
    UpdateStatus();
    UpdateTitle();
    UpdateScrollBar(false);
    canvas_->update();
}

bool CDlgToolMelody::SaveMelody(bool choosePath) {
    std::string path = folder_ + fileName_;
    if (choosePath || newFile_ || fileName_.empty()) {
        // Asking before replacing a file keeps another melody from being lost unseen.
        const std::optional<std::string> chosen =
            dialogs_.ChooseSavePath({kExtension, {}, kFilter, true});
        if (!chosen) {
            UpdateTitle();
            return false;
        }
        path = *chosen;
    }
    MelodySettings settings{title_->text().toStdString(), tempo_->text().toInt(),
                            repeat_->isChecked()};
    const bool written = WriteMelodyFile(path, settings, melody_, dialogs_);
    tempo_->setText(QString::number(settings.tempo));
    if (written) {
        newFile_ = false;
        modified_ = false;
        RememberPath(path);
    }
    UpdateTitle();
    return written;
}
