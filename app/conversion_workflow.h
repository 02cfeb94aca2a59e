#pragma once
// What the two buttons do: 超级按钮1 converts one metainfo file picked in the open-file dialog,
// 超级按钮2 every "*.torrent" file in a picked folder and all its subfolders. Each file adds a
// row to both result lists. Everything runs inside the click, on the window's thread.

#include <string>
#include <string_view>

#include "app/workflow_environment.h"

class FolderWalk;

inline constexpr std::string_view kMagnetLinkPrefix = "magnet:?xt=urn:btih:";
inline constexpr std::string_view kTorrentFileFilter = "种子文件(*.torrent)|*.torrent";
inline constexpr std::string_view kBatchWarning =
    "如果种子较多，或文件夹文件较多，搜索时间可能会减慢。请耐心等待一小会！";
inline constexpr std::string_view kFolderBrowserTitle =
    "请选择BT文件搜在的磁盘或文件夹。软件会自动搜索并转换所有BT文件！";
inline constexpr std::string_view kSearchingFolderLabel = "正在搜索目录： ";
inline constexpr std::string_view kConvertingFileLabel = "正在转换BT： ";
inline constexpr std::string_view kFinishedLabel = "正在转换BT： 结束";

// The magnet link of an info hash text (null or empty gives the bare prefix).
[[nodiscard]] std::string MagnetLink(const char* infoHash);

class ConversionWorkflow final {
public:
    // The torrent library's host heap must be registered before the first click.
    explicit ConversionWorkflow(WorkflowEnvironment& environment) : environment_(environment) {}
    ConversionWorkflow(const ConversionWorkflow&) = delete;
    ConversionWorkflow& operator=(const ConversionWorkflow&) = delete;

    // 超级按钮1: empties both lists, then converts the file picked in the open-file dialog.
    void OnSingleConversionClick();
    // 超级按钮2: empties both lists, warns, then converts everything under the picked folder.
    void OnBatchConversionClick();

    // Converts every "*.torrent" file of `folder`, then scans its subfolders whose names do not
    // begin with ".", depth first. Appends "/" to `folder` unless it ends in one. False when the
    // window was closed during the walk: the walk has stopped.
    bool ScanFolder(std::string& folder, FolderWalk& walk);
    // Reads one metainfo file and appends its rows; a file that does not load still gets them,
    // with an empty name and the bare link prefix.
    void ConvertTorrentFile(const std::string& path);

private:
    WorkflowEnvironment& environment_;
};
