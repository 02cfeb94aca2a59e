// btmagnet: turns BitTorrent metainfo files into magnet links.

#include "app/conversion_commands.h"
#include "app/main_window.h"
#include "torrent/host_heap.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("btmagnet"));
    QApplication::setDesktopFileName(QStringLiteral("btmagnet"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/btmagnet/btmagnet.png")));
    QApplication::setQuitOnLastWindowClosed(false);  // the window's EndRequested ends the tool

    RegisterHostHeap(ProcessHostHeap());  // the torrent records come from the tool's own heap
    MainWindow window;
    new ConversionCommands(&window);  // the two buttons; a child of the window
    QObject::connect(&window, &MainWindow::EndRequested, &app, &QCoreApplication::quit);
    window.show();
    return app.exec();
}
