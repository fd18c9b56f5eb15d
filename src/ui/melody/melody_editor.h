// CDlgToolMelody: the melody editor window. The user picks a note or rest
// from the palette, places it on the staff with the left button, deletes
// with the right, sets title, tempo and repeat, plays the melody, keeps it
// in a ".mel" file and sends it to the board.
#pragma once

#include <QMainWindow>
#include <map>
#include <memory>
#include <string>

#include "melody_data_manager.h"
#include "nuvo_melody_manager.h"
#include "short_midi_player.h"

class IMelodyDialogs;
class QCheckBox;
class QLabel;
class QLineEdit;
class QScrollBar;

// What the melody editor needs of the main window.
class IMelodyEditorHost {
public:
    virtual ~IMelodyEditorHost() = default;
    virtual bool BoardOpen() const = 0;
    // Places the transfer with the board link; false (with a message) when refused.
    virtual bool RequestMelodyTransfer(const MelodyImage& image) = 0;
    // The main window is disabled while the editor is shown.
    virtual void SetMainWindowEnabled(bool enabled) = 0;
};

struct MelodyEditorServices {
    IMelodyEditorHost& host;
    IMelodyDialogs& dialogs;
    IMidiOutput& midi;
    IPlaybackTimer& timer;
    QFont smallFont;  // dots and accidentals
};

namespace MelodyMenuId {
inline constexpr int New = 32840;
inline constexpr int Open = 32842;
inline constexpr int Save = 32844;
inline constexpr int SaveAs = 32855;
inline constexpr int Close = 32847;
inline constexpr int Play = 32849;
inline constexpr int Stop = 32851;
inline constexpr int Transfer = 32856;
inline constexpr int Help = 32854;
}  // namespace MelodyMenuId

class CDlgToolMelody : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 928;
    static constexpr int kClientHeight = 320;
    static constexpr QPoint kPaletteOrigin{16, 100};
    static constexpr int kPaletteCell = 32;
    static constexpr QRect kStrip{16, 200, 896, 88};
    static constexpr int kScrollUnit = 16;
    static constexpr int kScrollPage = 56;

    explicit CDlgToolMelody(MelodyEditorServices services, QWidget* parent = nullptr);
    ~CDlgToolMelody() override;

    // Shows the editor and disables the main window.
    void OpenEditor();
    bool IsOpen() const { return open_; }
    // Greys the transfer command while no board is open.
    void UpdateMenuStates();
    // Runs a menu command.
    void OnCommand(int id);
    // The close command; false when the user keeps the editor.
    bool CloseEditor();

    // For tests and the main window.
    const CMelodyDataManager& Melody() const { return melody_; }
    const NuvoMelodyManager& MelodyImageManager() const { return image_; }
    QAction* Action(int id) const { return actions_.at(id); }
    QWidget* Canvas() const { return canvas_; }
    QLineEdit* TitleEdit() const { return title_; }
    QLineEdit* TempoEdit() const { return tempo_; }
    QCheckBox* DottedBox() const { return dotted_; }
    QCheckBox* FlatBox() const { return flat_; }
    QCheckBox* SharpBox() const { return sharp_; }
    QCheckBox* RepeatBox() const { return repeat_; }
    QScrollBar* ScrollBar() const { return scroll_; }
    QString StatusText() const;
    int SelectedType() const { return selectedType_; }
    int ScrollOffset() const { return scrollOffset_; }
    bool Modified() const { return modified_; }
    bool Playing() const { return player_->Playing(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class StaffCanvas;
    friend class StaffCanvas;

    void CreateMenus();
    void CreateControls();
    void Reset();
    void UpdateTitle();
    void UpdateStatus();
    void UpdateScrollBar(bool toEnd);
    void SetModified();
    void RememberPath(const std::string& path);

    // Mouse on the canvas, in client coordinates.
    void Press(const QPoint& point, Qt::MouseButton button);
    void Move(const QPoint& point);
    void Release(const QPoint& point, Qt::MouseButton button);
    void Paint(QPainter& painter) const;
    void PaintStrip(QPainter& painter) const;
    void PaintPalette(QPainter& painter) const;

    PlayList MakePlayList();
    void Play();
    void Transfer();
    void NewMelody();
    void OpenMelody();
    bool SaveMelody(bool choosePath);
    void ShowHelp();

    IMelodyEditorHost& host_;
    IMelodyDialogs& dialogs_;
    QFont smallFont_;
    CMelodyDataManager melody_;
    NuvoMelodyManager image_;
    std::unique_ptr<CShortMidiPlayer> player_;

    int selectedType_ = 3;
    bool placing_ = false;
    QPoint preview_;  // strip coordinates while placing
    int scrollOffset_ = 0;
    bool newFile_ = true;
    bool modified_ = false;
    std::string folder_;
    std::string fileName_;
    bool open_ = false;

    QWidget* canvas_ = nullptr;
    QLineEdit* title_ = nullptr;
    QLineEdit* tempo_ = nullptr;
    QCheckBox* dotted_ = nullptr;
    QCheckBox* flat_ = nullptr;
    QCheckBox* sharp_ = nullptr;
    QCheckBox* repeat_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    QLabel* status_ = nullptr;
    std::map<int, QAction*> actions_;
};
