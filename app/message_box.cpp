#include "app/message_box.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace {

int g_pendingAnswers = 0;
QStringList g_answeredTexts;

}  // namespace

namespace MessageBox {

void Show(const QString& text)
{
    if (g_pendingAnswers > 0) {
        --g_pendingAnswers;
        g_answeredTexts << text;
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("信息："), QString(), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));  // Qt breaks lines at LF only
    box.setText(shown);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void SetNextAnswer()
{
    ++g_pendingAnswers;
}

QStringList TakeAnsweredTexts()
{
    QStringList texts;
    texts.swap(g_answeredTexts);
    return texts;
}

}  // namespace MessageBox
