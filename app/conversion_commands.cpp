#include "app/conversion_commands.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>

#include "app/common_dlg.h"
#include "app/folder_browser.h"
#include "app/list_view.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/super_btn.h"
#include "app/text_codec.h"
#include "app/trans_label.h"

namespace {

// How often a batch lets the window repaint and answer the window system: about 30 times a
// second keeps the progress visible and the desktop from calling the window unresponsive.
constexpr qint64 kEventIntervalMs = 33;
// Repainting the lists takes longer as rows arrive; waiting this many times as long as the
// last round of events took keeps repainting to about a tenth of the batch.
constexpr qint64 kWorkPerEventTime = 9;

// The bytes without a copy, for a conversion that only reads them.
QByteArray Bytes(std::string_view text)
{
    return QByteArray::fromRawData(text.data(), qsizetype(text.size()));
}

QString Decoded(std::string_view text, TextOrigin origin)
{
    return origin == TextOrigin::Path ? PathFromBytes(Bytes(text)) : TextFromBytes(Bytes(text));
}

ListView* List(const MainWindow& window, ResultList list)
{
    return list == ResultList::Files ? window.FileList() : window.LinkList();
}

}  // namespace

void WindowEnvironment::DeleteAllRows(ResultList list)
{
    List(window_, list)->DeleteAllRows();
}

int WindowEnvironment::AppendRow(ResultList list)
{
    return List(window_, list)->AppendRow();
}

const QString& WindowEnvironment::LastDecoded::Get(std::string_view newBytes, TextOrigin newOrigin)
{
    if (text.isNull() || newOrigin != origin || newBytes != bytes) {
        text = Decoded(newBytes, newOrigin);
        bytes.assign(newBytes);
        origin = newOrigin;
    }
    return text;
}

void WindowEnvironment::SetCell(ResultList list, int row, int column, std::string_view text, TextOrigin origin)
{
    if (origin == TextOrigin::Path)
        List(window_, list)->SetCell(row, column, lastPath_.Get(text, origin));
    else
        List(window_, list)->SetCell(row, column, Decoded(text, origin));
}

void WindowEnvironment::SetLabelText(StatusLabel label, std::string_view text, std::string_view path)
{
    TransLabel* shown = label == StatusLabel::Folder ? window_.FolderLabel() : window_.FileLabel();
    // Every file sets the text; the repaint waits for KeepWindowAlive, which comes after each
    // file and paints at most about 30 times a second, instead of once per file.
    shown->setText(lastLabelText_.Get(text, TextOrigin::Text) + lastPath_.Get(path, TextOrigin::Path));
}

void WindowEnvironment::ShowMessageBox(std::string_view text)
{
    MessageBox::Show(TextFromBytes(Bytes(text)));
}

std::string WindowEnvironment::BrowseForFolder(std::string_view title)
{
    return BytesFromPath(::BrowseForFolder(TextFromBytes(Bytes(title)))).toStdString();
}

bool WindowEnvironment::ShowOpenFileDialog(std::string_view filter, std::string& chosenPath)
{
    CommonDlg* dialog = window_.OpenFileDialog();
    dialog->SetKind(CommonDlg::Kind::OpenFile);
    dialog->SetFilter(TextFromBytes(Bytes(filter)));
    if (!dialog->Show())
        return false;
    chosenPath = BytesFromPath(dialog->FileName()).toStdString();
    return true;
}

bool WindowEnvironment::KeepWindowAlive()
{
    if (!sinceEventsProcessed_.isValid() || sinceEventsProcessed_.elapsed() >= eventIntervalMs_) {
        QElapsedTimer processing;
        processing.start();
        window_.FileList()->ShowNewRows();  // this round's repaint shows the rows so far
        window_.LinkList()->ShowNewRows();
        // Paint and window-system events only: a click or a key waits until the batch is done.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        eventIntervalMs_ = std::max(kEventIntervalMs, kWorkPerEventTime * processing.elapsed());
        sinceEventsProcessed_.start();
    }
    return !windowClosed_;
}

ConversionCommands::ConversionCommands(MainWindow* window)
    : QObject(window), environment_(*window), workflow_(environment_)
{
    connect(window->SingleButton(), &QAbstractButton::clicked, this,
            [this] { workflow_.OnSingleConversionClick(); });
    connect(window->BatchButton(), &QAbstractButton::clicked, this,
            [this] { workflow_.OnBatchConversionClick(); });
    connect(window, &MainWindow::EndRequested, this, [this] { environment_.MarkWindowClosed(); });
}
