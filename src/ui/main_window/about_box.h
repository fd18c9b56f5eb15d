// The about box and the application icon it shows.
#pragma once

#include <QIcon>
#include <QString>

class QWidget;

// The texts the about box shows, read from the program's version block.
struct AboutTexts {
    QString productName;
    QString fileVersion;
    QString companyName;
};
// "テルノエディタ バージョン情報": product name, "build %s" and company name.
void RunAboutBox(QWidget* parent, const AboutTexts& texts);

QIcon ApplicationIcon();
