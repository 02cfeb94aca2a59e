#include "app/common_dlg.h"

#include <QFileDialog>
#include <QWidget>

CommonDlg::CommonDlg(QWidget* parent) : QObject(parent)
{
}

QStringList CommonDlg::QtNameFilters() const
{
    const QStringList parts = m_filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString patterns = parts[i + 1];
        // A description that already ends in its patterns ("种子文件(*.torrent)") is what the
        // dialog shows as it stands; Qt reads the patterns from the last parentheses.
        const QString shown = QLatin1Char('(') + patterns + QLatin1Char(')');
        if (!patterns.contains(QLatin1Char(';')) && description.endsWith(shown)) {
            filters << description;
            continue;
        }
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

bool CommonDlg::Show()
{
    m_lastShownFilter = m_filter;
    if (m_answerPending) {
        m_answerPending = false;
        if (!m_nextAnswer)
            return false;
        m_fileName = *m_nextAnswer;
        return true;
    }
    QFileDialog dialog(qobject_cast<QWidget*>(parent()));
    dialog.setWindowTitle(QStringLiteral("打开"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(QtNameFilters());
    if (!m_fileName.isEmpty())
        dialog.selectFile(m_fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    m_fileName = dialog.selectedFiles().constFirst();
    return true;
}

void CommonDlg::SetNextAnswer(std::optional<QString> path)
{
    m_answerPending = true;
    m_nextAnswer = std::move(path);
}
