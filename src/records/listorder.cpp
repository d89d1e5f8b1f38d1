#include "records/listorder.h"

#include <algorithm>

bool LessIgnoringCase(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

QStringList SortedIgnoringCase(QStringList items)
{
    std::stable_sort(items.begin(), items.end(), LessIgnoringCase);
    return items;
}

int SortedInsertIndex(const QStringList &sorted, const QString &text)
{
    return int(std::upper_bound(sorted.begin(), sorted.end(), text, LessIgnoringCase) - sorted.begin());
}

int SelectStringIndex(const QStringList &items, const QString &text)
{
    for (int i = 0; i < items.size(); ++i) {
        if (items[i].startsWith(text, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}
