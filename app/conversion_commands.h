#pragma once
// The main window's two conversion commands: the buttons' clicks run the conversion workflow,
// which works the window's lists, labels and dialogs through WindowEnvironment.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <string>
#include <string_view>

#include "app/conversion_workflow.h"
#include "app/workflow_environment.h"

class MainWindow;

class WindowEnvironment final : public WorkflowEnvironment {
public:
    explicit WindowEnvironment(MainWindow& window) : window_(window) {}

    void DeleteAllRows(ResultList list) override;
    int AppendRow(ResultList list) override;
    void SetCell(ResultList list, int row, int column, std::string_view text, TextOrigin origin) override;
    void SetLabelText(StatusLabel label, std::string_view text, std::string_view path) override;
    void ShowMessageBox(std::string_view text) override;
    std::string BrowseForFolder(std::string_view title) override;
    bool ShowOpenFileDialog(std::string_view filter, std::string& chosenPath) override;
    bool KeepWindowAlive() override;

    // The window has been closed: a batch still running ends at its next file.
    void MarkWindowClosed() { windowClosed_ = true; }

private:
    // The text of the bytes decoded last, so that text shown again is decoded once and shared.
    struct LastDecoded {
        const QString& Get(std::string_view bytes, TextOrigin origin);
        std::string bytes;
        TextOrigin origin = TextOrigin::Text;
        QString text;
    };

    MainWindow& window_;
    // Every file's path appears in both lists and in the label; the label's text before the path
    // is the same for every file.
    LastDecoded lastPath_;
    LastDecoded lastLabelText_;
    QElapsedTimer sinceEventsProcessed_;
    qint64 eventIntervalMs_ = 0;
    bool windowClosed_ = false;
};

class ConversionCommands final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConversionCommands)

public:
    // Connects 超级按钮1 and 超级按钮2 of `window`, whose child it becomes.
    explicit ConversionCommands(MainWindow* window);

private:
    WindowEnvironment environment_;
    ConversionWorkflow workflow_;
};
