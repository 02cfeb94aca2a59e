#pragma once
// CommonDlg: the open-file dialog as a control of the window. It is never displayed in the
// window; Show() opens it as a modal dialog.

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

class CommonDlg final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommonDlg)

public:
    enum class Kind { OpenFile };

    explicit CommonDlg(QWidget* parent);

    void SetKind(Kind kind) { m_kind = kind; }
    // Filter entries in the form "description|pattern|description|pattern...", e.g.
    // "种子文件(*.torrent)|*.torrent"; several patterns of one entry are separated by ";".
    void SetFilter(const QString& filter) { m_filter = filter; }
    QString Filter() const { return m_filter; }

    // Shows the dialog; true when the user confirmed a file, whose full path FileName() then
    // gives. It offers the path confirmed last time as its initial file name.
    [[nodiscard]] bool Show();
    QString FileName() const { return m_fileName; }

    // The filter in the form Qt's file dialog takes, one entry per element.
    QStringList QtNameFilters() const;

    // Test seam: the next Show() shows nothing and answers as given: confirmed with the path,
    // or cancelled (std::nullopt). The filter it was shown with is kept in LastShownFilter().
    void SetNextAnswer(std::optional<QString> path);
    QString LastShownFilter() const { return m_lastShownFilter; }

private:
    Kind m_kind = Kind::OpenFile;
    QString m_filter;
    QString m_fileName;
    QString m_lastShownFilter;
    bool m_answerPending = false;
    std::optional<QString> m_nextAnswer;
};
