#include "ui/viewerlabel.h"

#include "data/recordindex.h"

namespace corvane {

QString openedFileLabel(const QString &fileName, const LoadResult &loaded)
{
    QString text = QStringLiteral("查看文件:") + fileName + QStringLiteral("   数据个数:") + QString::number(loaded.recordCount);
    if (loaded.truncated)
        text += QStringLiteral("   （文件过大，只读入前%1个数据块，其余部分已忽略）").arg(loaded.blockCount);
    return text;
}

QString openFailureText(const QString &fileName, const LoadResult &loaded)
{
    return QStringLiteral("无法打开数据文件 %1：%2").arg(fileName, loadErrorText(loaded.error));
}

QString leftOutNote(int leftOut)
{
    return QStringLiteral("   （列表只显示前%1个，另有%2个未列出）").arg(kMaxListed).arg(leftOut);
}

} // namespace corvane
