#include "app/folder_browser.h"

#include <QDir>
#include <QFileDialog>
#include <optional>

namespace {

std::optional<QString> g_nextAnswer;
QString g_lastTitle;

}  // namespace

QString BrowseForFolder(const QString& title)
{
    g_lastTitle = title;
    if (g_nextAnswer) {
        const QString path = *g_nextAnswer;
        g_nextAnswer.reset();
        return path;
    }
    // Without an owner the dialog is modal to the whole application.
    return QFileDialog::getExistingDirectory(nullptr, title, QDir::homePath(),
                                             QFileDialog::ShowDirsOnly);
}

namespace FolderBrowser {

void SetNextAnswer(const QString& path)
{
    g_nextAnswer = path;
}

QString LastTitle()
{
    return g_lastTitle;
}

}  // namespace FolderBrowser
