// SPDX-License-Identifier: MIT
// Renders the program's own icon into the PNG sizes of the desktop's icon theme:
//   zv_icon_export <folder> <size>...   writes <folder>/<size>x<size>.png
#include "app/AppIcons.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: zv_icon_export FOLDER SIZE...\n");
        return 2;
    }
    const QDir folder(arguments[1]);
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    const QIcon icon = zentravolix::app::ProgramIcon();
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        bool ok = false;
        const int size = arguments[i].toInt(&ok);
        if (!ok || size < 8 || size > 1024)
            return 2;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            icon.paint(&painter, image.rect());
        }
        const QString name = folder.filePath(QStringLiteral("%1x%1.png").arg(size));
        if (!image.save(name)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    return 0;
}
