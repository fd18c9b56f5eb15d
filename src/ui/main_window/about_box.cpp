// The about box: the icon, the product name, the build and the company name.
#include "main_window/about_box.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

void RunAboutBox(QWidget* parent, const AboutTexts& texts) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("テルノエディタ バージョン情報"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* icon = new QLabel(&dialog);
    icon->setPixmap(ApplicationIcon().pixmap(64, 64));
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    const QString build =
        texts.fileVersion.isEmpty() ? QString() : QStringLiteral("build %1").arg(texts.fileVersion);
    for (const auto& [name, text] :
         {std::pair{"productName", texts.productName}, std::pair{"fileVersion", build},
          std::pair{"companyName", texts.companyName}}) {
        auto* label = new QLabel(text, &dialog);
        label->setObjectName(QString::fromLatin1(name));
        label->setAlignment(Qt::AlignHCenter);
        layout->addWidget(label);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.exec();
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {32, 64, 256})
        icon.addFile(QStringLiteral(":/images/app_icon_%1.png").arg(size));
    return icon;
}
