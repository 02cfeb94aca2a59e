// The window with a few rows as a conversion would leave them, for looking at it:
//   demo_rows                      shows the window
//   demo_rows --screenshot out.png also saves what the screen shows, then ends
//   demo_rows --screenshot out.png --lit   the same with the pointer on the close box
// tools/screenshot.sh runs the second form under a virtual X server.

#include "app/list_view.h"
#include "app/main_window.h"
#include "app/text_codec.h"
#include "app/trans_label.h"

#include <QApplication>
#include <QCursor>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace {

struct DemoRow {
    const char* path;  // the file system's bytes
    QByteArray name;   // the torrent's bytes, in its maker's encoding
    const char* hash;
};

void Fill(MainWindow& window)
{
    const DemoRow rows[] = {
        {"/home/lin/下载/debian-12.5.0-amd64-netinst.iso.torrent",
         QByteArray("debian-12.5.0-amd64-netinst.iso"), "d9e8b3f1d2c6c4a1e0f2b7a6c5d4e3f2a1b0c9d8"},
        {"/home/lin/下载/种子/公开课-线性代数.torrent",
         QByteArray("\xe5\x85\xac\xe5\xbc\x80\xe8\xaf\xbe-\xe7\xba\xbf\xe6\x80\xa7\xe4\xbb\xa3"
                    "\xe6\x95\xb0 (2023)"),  // UTF-8
         "3b1f0c9e7a5d2846e1f0a9b8c7d6e5f4a3b2c1d0"},
        {"/home/lin/下载/种子/旧资料/纪录片合集.torrent",
         QByteArray("\xbc\xcd\xc2\xbc\xc6\xac\xba\xcf\xbc\xaf"),  // GBK: 纪录片合集
         "8f2e4d6c0b1a3957e8d7c6b5a4f3e2d1c0b9a817"},
        {"/home/lin/下载/种子/broken.torrent", QByteArray(), ""},
    };
    ListView* files = window.FileList();
    ListView* links = window.LinkList();
    for (const DemoRow& row : rows) {
        const QString path = PathFromBytes(QByteArray(row.path));
        const QString link = QStringLiteral("magnet:?xt=urn:btih:") + QLatin1String(row.hash);
        files->SetCell(files->AppendRow(), 0, path);
        const int at = links->AppendRow();
        links->SetCell(at, 0, path);
        links->SetCell(at, 2, link);
        links->SetCell(at, 1, TextFromBytes(row.name));
    }
    window.FolderLabel()->SetText(QStringLiteral("正在搜索目录： /home/lin/下载/种子/旧资料/"));
    window.FileLabel()->SetText(QStringLiteral("正在转换BT： /home/lin/下载/种子/broken.torrent"));
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    MainWindow window;
    QObject::connect(&window, &MainWindow::EndRequested, &app, &QCoreApplication::quit);
    Fill(window);
    window.show();

    if (argc >= 3 && QByteArray(argv[1]) == "--screenshot") {
        const QString out = PathFromBytes(QByteArray(argv[2]));
        if (argc == 4 && QByteArray(argv[3]) == "--lit")
            QTimer::singleShot(500, &window, [&window] {
                QCursor::setPos(window.mapToGlobal(QPoint(window.width() - 20, 20)));
            });
        // Once the window is on the screen and painted, take what the screen shows.
        QTimer::singleShot(1000, &window, [&window, &app, out, argv] {
            const QRect frame = window.frameGeometry();
            const QPixmap shot = window.screen()->grabWindow(0, frame.x(), frame.y(),
                                                             frame.width(), frame.height());
            const bool saved = shot.save(out, "PNG");
            std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", argv[2]);
            app.exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
