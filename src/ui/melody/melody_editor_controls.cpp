// The melody editor's menus and controls: what is where and what each one sets off.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <algorithm>

#include "melody/melody_editor.h"

namespace {

// The title is stored in 16 UTF-16 units in the board's melody image.
constexpr int kTitleTypingLimit = 16;

}  // namespace

void CDlgToolMelody::CreateMenus() {
    struct Item {
        int id;
        const char* text;
    };
    const auto addMenu = [this](const char* title, std::initializer_list<Item> items) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(title));
        connect(menu, &QMenu::aboutToShow, this, &CDlgToolMelody::UpdateMenuStates);
        for (const Item& item : items) {
            QString text = QString::fromUtf8(item.text);
            QAction* action = menu->addAction(text.section(QLatin1Char('\t'), 0, 0));
            if (text.contains(QLatin1Char('\t')))
                action->setShortcut(QKeySequence(text.section(QLatin1Char('\t'), 1)));
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
            actions_[id] = action;
        }
        return menu;
    };
    // The file items and help carry the shortcuts users of every desktop
    // program try first; the close item takes the quit key.
    QMenu* file =
        addMenu("ファイル(&F)", {{MelodyMenuId::New, "新規作成(&N)\tCtrl+N"},
                                 {MelodyMenuId::Open, "開く(&O)...\tCtrl+O"},
                                 {MelodyMenuId::Save, "上書き保存(&S)\tCtrl+S"},
                                 {MelodyMenuId::SaveAs, "名前を付けて保存(&A)...\tCtrl+Shift+S"},
                                 {MelodyMenuId::ExportMidi, "MIDIファイルに書き出し..."}});
    file->addSeparator();
    QAction* close = file->addAction(QStringLiteral("終了"));
    close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(close, &QAction::triggered, this, [this] { OnCommand(MelodyMenuId::Close); });
    actions_[MelodyMenuId::Close] = close;
    addMenu("演奏(&P)", {{MelodyMenuId::Play, "再生"}, {MelodyMenuId::Stop, "停止"}});
    addMenu("ボード(&B)", {{MelodyMenuId::Transfer, "転送\tF8"}});
    addMenu("ヘルプ(&H)", {{MelodyMenuId::Help, "ヘルプ(&H)...\tF1"}});
}

// Typing stops at 16 characters, as in a text field with a typing limit; a
// longer title read from a file is shown and kept whole, and no more can be
// typed into it until it is shorter than that.
void CDlgToolMelody::ShowTitle(const QString& title) {
    title_->setMaxLength(std::max(kTitleTypingLimit, static_cast<int>(title.size())));
    title_->setText(title);
}

void CDlgToolMelody::CreateControls() {
    const auto label = [this](const char* text, int x, int y) {
        auto* l = new QLabel(QString::fromUtf8(text), canvas_);
        l->move(x, y);
    };
    const auto check = [this](const char* text, int x, int y) {
        auto* box = new QCheckBox(QString::fromUtf8(text), canvas_);
        box->move(x, y);
        return box;
    };
    label("曲名", 16, 14);
    title_ = new QLineEdit(canvas_);
    title_->setGeometry(56, 10, 240, 24);
    ShowTitle({});
    connect(title_, &QLineEdit::textEdited, this, [this](const QString& text) {
        // Deleting from a longer title read from a file brings the limit down
        // with it, until typing meets the usual 16 again.
        title_->setMaxLength(std::max(kTitleTypingLimit, static_cast<int>(text.size())));
        SetModified();
    });
    repeat_ = check("くり返す", 320, 12);
    connect(repeat_, &QCheckBox::clicked, this, &CDlgToolMelody::SetModified);

    label("テンポ", 16, 62);
    label("=", 88, 62);
    tempo_ = new QLineEdit(canvas_);
    tempo_->setGeometry(104, 58, 48, 24);
    tempo_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), tempo_));
    connect(tempo_, &QLineEdit::textEdited, this, &CDlgToolMelody::SetModified);
    label("(40 ～ 200)", 160, 62);

    dotted_ = check("付点", 360, 106);
    flat_ = check("♭", 430, 106);
    sharp_ = check("♯", 490, 106);

    scroll_ = new QScrollBar(Qt::Horizontal, canvas_);
    scroll_->setGeometry(kStrip.left(), kStrip.bottom() + 1, kStrip.width(), 16);
    scroll_->setSingleStep(1);
    scroll_->setPageStep(kScrollPage);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int unit) {
        scrollOffset_ = unit * kScrollUnit;
        canvas_->update();
    });
}
