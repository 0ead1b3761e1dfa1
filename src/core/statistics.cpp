#include "statistics.h"

#include "catalogue.h"
#include "reportline.h"

namespace veltrix {

ProtectionMoney protectionMoney(const QStringList &lines)
{
    const auto types = buildingTypes();
    ProtectionMoney result;
    result.counts.assign(types.size(), 0);
    for (const QString &line : lines) {
        const int index = buildingTypeIndexOfLine(line);
        if (index < 0 || !types[index].hasStatisticsRow)
            continue;
        ++result.counts[index];
        result.sum += types[index].protectionMoney;
    }
    return result;
}

QStringList buildingCountRows(const std::vector<qint32> &counts)
{
    QStringList rows;
    const auto types = buildingTypes();
    const int rowsWanted = payingTypeCount();
    for (int i = 0; i < rowsWanted; ++i) {
        QString row = types[i].nameView().toString() + QStringLiteral(" :");
        const qsizetype length = row.size();
        row += length <= 7 ? QStringLiteral("\t\t\t") : length <= 15 ? QStringLiteral("\t\t") : QStringLiteral("\t");
        row += QString::number(i < static_cast<int>(counts.size()) ? counts[i] : 0);
        rows << row;
    }
    return rows;
}

QString groupThousands(QStringView text)
{
    const bool negative = text.startsWith(QLatin1Char('-'));
    const QStringView digits = negative ? text.mid(1) : text;
    QString out;
    out.reserve(text.size() + text.size() / 3);
    if (negative)
        out += QLatin1Char('-');
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        out += digits[i];
        const qsizetype remaining = n - 1 - i;
        if (remaining > 0 && remaining % 3 == 0)
            out += QLatin1Char('.');
    }
    return out;
}

QString groupThousands(qint64 value)
{
    return groupThousands(QString::number(value));
}

QString formatEuro(qint64 value)
{
    return groupThousands(value) + QStringLiteral(" €");
}

} // namespace veltrix
