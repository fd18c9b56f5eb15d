// Draws the icons the desktop shows for the editor and its two file types, as
// a hicolor icon theme: PNGs of every size and a scalable SVG of each.
// Usage: QT_QPA_PLATFORM=offscreen make-desktop-icons <packaging/icons folder>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <array>
#include <cstdio>

#include "icon_drawings.h"

namespace {

struct DesktopIcon {
    const char* context;  // the theme's folder for the icon's kind
    const char* name;     // the name the desktop and MIME files refer to
    void (*paint)(QPainter&);
};

constexpr std::array<DesktopIcon, 3> kIcons{{
    {"apps", "qen-editor", &icons::PaintAppIcon},
    {"mimetypes", "application-x-qen-flowchart", &icons::PaintChartFileIcon},
    {"mimetypes", "application-x-qen-melody", &icons::PaintMelodyFileIcon},
}};

constexpr std::array<int, 7> kSizes{16, 24, 32, 48, 64, 128, 256};

bool Fail(const QString& path) {
    std::fprintf(stderr, "make-desktop-icons: cannot write %s\n", qPrintable(path));
    return false;
}

bool SavePng(const DesktopIcon& icon, int size, const QString& path) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    icon.paint(p);
    p.end();
    return image.save(path, "PNG") || Fail(path);
}

bool SaveSvg(const DesktopIcon& icon, const QString& path) {
    QBuffer svg;
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(QSize(64, 64));
    generator.setViewBox(QRect(0, 0, 64, 64));
    generator.setTitle(QString::fromLatin1(icon.name));
    QPainter p(&generator);
    p.setRenderHint(QPainter::Antialiasing);
    icon.paint(p);
    p.end();
    QFile file(path);
    return (file.open(QIODevice::WriteOnly) && file.write(svg.data()) == svg.data().size()) ||
           Fail(path);
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-desktop-icons <icons folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    for (const DesktopIcon& icon : kIcons) {
        for (int size : kSizes) {
            const QString folder = QString("hicolor/%1x%1/%2").arg(size).arg(icon.context);
            ok &= out.mkpath(folder) &&
                  SavePng(icon, size, out.filePath(folder + "/" + icon.name + ".png"));
        }
        const QString folder = QString("hicolor/scalable/%1").arg(icon.context);
        ok &= out.mkpath(folder) && SaveSvg(icon, out.filePath(folder + "/" + icon.name + ".svg"));
    }
    return ok ? 0 : 1;
}
