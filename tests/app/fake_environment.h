#pragma once
// The workflow's environment without widgets: lists and labels are plain containers, the
// dialogs answer what the test put in, and every call is logged in order.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/workflow_environment.h"

class FakeEnvironment final : public WorkflowEnvironment {
public:
    using Row = std::array<std::string, 3>;

    // Answers: the folder browser returns `folderAnswer`; the open-file dialog confirms
    // `fileAnswer`, or is cancelled when it holds no value.
    std::string folderAnswer;
    std::optional<std::string> fileAnswer;
    // KeepWindowAlive answers true this many times, then false (the window was closed).
    long aliveAnswers = 1L << 40;

    std::vector<Row> files, links;
    std::string folderLabel, fileLabel;
    std::vector<std::string> labelHistory;  // "2:" or "3:" (透明标签2/3) followed by the text
    std::vector<std::string> log;           // the calls, in order
    bool listsEmptyAtMessageBox = false;

    void DeleteAllRows(ResultList list) override
    {
        log.push_back(list == ResultList::Files ? "DeleteAllRows 1" : "DeleteAllRows 2");
        Rows(list).clear();
    }
    int AppendRow(ResultList list) override
    {
        Rows(list).emplace_back();
        return static_cast<int>(Rows(list).size()) - 1;
    }
    void SetCell(ResultList list, int row, int column, std::string_view text, TextOrigin origin) override
    {
        log.push_back("SetCell " + std::string(list == ResultList::Files ? "1" : "2") + " column " +
                      std::to_string(column) + (origin == TextOrigin::Path ? " path" : " text"));
        if (row >= 0 && row < static_cast<int>(Rows(list).size()))
            Rows(list)[row].at(column) = text;
    }
    void SetLabelText(StatusLabel label, std::string_view text, std::string_view path) override
    {
        const std::string shown = std::string(text) + std::string(path);
        (label == StatusLabel::Folder ? folderLabel : fileLabel) = shown;
        labelHistory.push_back((label == StatusLabel::Folder ? "2:" : "3:") + shown);
    }
    void ShowMessageBox(std::string_view text) override
    {
        log.push_back("MessageBox " + std::string(text));
        listsEmptyAtMessageBox = files.empty() && links.empty();
    }
    std::string BrowseForFolder(std::string_view title) override
    {
        log.push_back("BrowseForFolder " + std::string(title));
        return folderAnswer;
    }
    bool ShowOpenFileDialog(std::string_view filter, std::string& chosenPath) override
    {
        log.push_back("OpenFileDialog " + std::string(filter));
        if (!fileAnswer)
            return false;
        chosenPath = *fileAnswer;
        return true;
    }
    bool KeepWindowAlive() override { return aliveAnswers-- > 0; }

private:
    std::vector<Row>& Rows(ResultList list) { return list == ResultList::Files ? files : links; }
};
