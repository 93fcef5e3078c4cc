// SPDX-License-Identifier: GPL-3.0-or-later
// instrument-gallery: every instrument of the library with its properties.
//   instrument-gallery [--screenshot FILE [ROW]]   (FILE: the window as a picture)

#include "gallery_window.h"

#include <QApplication>
#include <QPixmap>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    GalleryWindow window;
    window.show();
    const QStringList args = app.arguments();
    const qsizetype shot = args.indexOf("--screenshot");
    if (shot > 0 && shot + 1 < args.size()) {
        if (shot + 2 < args.size())
            window.ShowInstrument(args[shot + 2].toInt());
        // Grabbed once the layouts have settled.
        QTimer::singleShot(300, &window, [&] { app.exit(window.grab().save(args[shot + 1]) ? 0 : 1); });
    }
    return app.exec();
}
