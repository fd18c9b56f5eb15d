#include "common/font_faces.h"

#include <QFont>
#include <QString>

void RegisterFontSubstitutions() {
    QFont::insertSubstitution(QString::fromUtf8(kLabelFace), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QString::fromUtf8(kSmallFace), QStringLiteral("IPAPGothic"));
}
