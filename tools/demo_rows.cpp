// The window after a real batch conversion, for looking at it:
//   demo_rows --folder DIR                       converts every torrent under DIR and shows the window
//   demo_rows --folder DIR --screenshot out.png  also saves what the screen shows, then ends
//   ... --lit                                    the same with the pointer on the close box
// tools/screenshot.sh runs the second form under a virtual X server on a small sample tree.

#include "app/conversion_commands.h"
#include "app/folder_browser.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/super_btn.h"
#include "app/text_codec.h"
#include "torrent/host_heap.h"

#include <QApplication>
#include <QCursor>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    RegisterHostHeap(ProcessHostHeap());
    MainWindow window;
    new ConversionCommands(&window);
    QObject::connect(&window, &MainWindow::EndRequested, &app, &QCoreApplication::quit);
    window.show();

    QString folder;
    QString out;
    bool lit = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--folder" && i + 1 < argc)
            folder = PathFromBytes(QByteArray(argv[++i]));
        else if (arg == "--screenshot" && i + 1 < argc)
            out = PathFromBytes(QByteArray(argv[++i]));
        else if (arg == "--lit")
            lit = true;
    }
    if (!folder.isEmpty()) {
        // The batch command as a user runs it: OK on the warning, the folder in the browser.
        MessageBox::SetNextAnswer();
        FolderBrowser::SetNextAnswer(folder);
        QTimer::singleShot(0, &window, [&window] { window.BatchButton()->click(); });
    }

    if (!out.isEmpty()) {
        if (lit)
            QTimer::singleShot(500, &window, [&window] {
                QCursor::setPos(window.mapToGlobal(QPoint(window.width() - 20, 20)));
            });
        // Once the window is on the screen and painted, take what the screen shows.
        QTimer::singleShot(1500, &window, [&window, &app, out] {
            const QRect frame = window.frameGeometry();
            const QPixmap shot = window.screen()->grabWindow(0, frame.x(), frame.y(),
                                                             frame.width(), frame.height());
            const bool saved = shot.save(out, "PNG");
            std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save",
                         BytesFromPath(out).constData());
            app.exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
