// The melody editor's boxes: messages, yes / no questions and file choosers
// captioned as the melody editor, and the playback box.
#pragma once

#include <QPointer>
#include <QWidget>

#include "common/qt_dialogs.h"
#include "file_dialogs.h"
#include "notifier.h"

inline constexpr const char* kMelodyCaption = "テルノエディタ メロディエディタ　　";
inline constexpr const char* kPlayingText = "再生中です。再生を終了しますか？";

class IMelodyDialogs : public INotifier, public IFileDialogs {
public:
    // The modal playback box; returns when the user closes it.
    virtual void RunPlaybackBox() = 0;
};

class MelodyDialogs : public IMelodyDialogs {
public:
    void SetParent(QWidget* parent);
    void Notify(std::string_view text, MessageSeverity severity) override;
    bool AskYesNo(std::string_view question) override;
    std::optional<std::string> ChooseOpenPath(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseSavePath(const FileDialogRequest& request) override;
    void RunPlaybackBox() override;

private:
    QPointer<QWidget> parent_;
    QtFileDialogs files_;
};
