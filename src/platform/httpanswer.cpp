#include "httpanswer.h"

#include <algorithm>
#include <utility>

namespace veltrix {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Without the line break and blanks around it.
QByteArrayView trimmedLine(QByteArrayView line)
{
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!line.isEmpty() && isSpace(line.front()))
        line = line.sliced(1);
    while (!line.isEmpty() && isSpace(line.back()))
        line.chop(1);
    return line;
}

} // namespace

std::optional<HttpStatusLine> parseStatusLine(QByteArrayView line)
{
    line = trimmedLine(line);
    // "HTTP/" major ["." minor] SP three digits [SP reason]
    if (!line.startsWith("HTTP/"))
        return std::nullopt;
    qsizetype i = 5;
    auto digits = [&line, &i] {
        const qsizetype from = i;
        while (i < line.size() && isDigit(line[i]))
            ++i;
        return i - from;
    };
    if (digits() == 0)
        return std::nullopt;
    if (i < line.size() && line[i] == '.') {
        ++i;
        if (digits() == 0)
            return std::nullopt;
    }
    if (i + 4 > line.size() || line[i] != ' ' || !isDigit(line[i + 1]) || !isDigit(line[i + 2])
        || !isDigit(line[i + 3]) || (i + 4 < line.size() && line[i + 4] != ' '))
        return std::nullopt;
    HttpStatusLine status;
    status.code = (line[i + 1] - '0') * 100 + (line[i + 2] - '0') * 10 + (line[i + 3] - '0');
    status.shown = line.first(std::min(line.size(), kMaxShownStatusLine)).toByteArray();
    // Shown as Latin-1: C0 and C1 controls become blanks.
    for (char &c : status.shown)
        if (const auto u = static_cast<unsigned char>(c); u < 0x20 || (u >= 0x7F && u <= 0x9F))
            c = ' ';
    return status;
}

void HttpAnswer::addHeaderLine(QByteArrayView line)
{
    // The empty line that ends a block; an empty block ends the answer's
    // header blocks as a final one does.
    if (line == "\r\n" || line == "\n") {
        m_final = m_final || m_atBlockStart;
        m_atBlockStart = true;
        return;
    }
    // A line inside a block never counts as a status line, whatever it
    // starts with; nor does the first line of a trailer after the final answer.
    if (!std::exchange(m_atBlockStart, false) || m_final)
        return;
    auto status = parseStatusLine(line);
    m_final = !status || status->code < 100 || status->code > 199;
    if (status)
        m_shownByCode.insert(status->code, std::move(status->shown));
}

bool HttpAnswer::addBody(QByteArrayView piece)
{
    if (m_tooLarge || piece.size() > m_maxBodyBytes - m_body.size()) {
        m_tooLarge = true;
        return false;
    }
    m_body.append(piece);
    return true;
}

QString HttpAnswer::tooLargeError() const
{
    return QStringLiteral("Response larger than %1 bytes").arg(m_maxBodyBytes);
}

HttpResult HttpAnswer::finish(long status)
{
    HttpResult result;
    if (m_tooLarge) {
        result.error = tooLargeError();
        return result;
    }
    if (status < 200 || status > 299) {
        const auto shown = status >= 100 && status <= 999 ? m_shownByCode.constFind(int(status))
                                                          : m_shownByCode.constEnd();
        result.error = shown == m_shownByCode.constEnd() ? QStringLiteral("HTTP status %1").arg(status)
                                                         : QString::fromLatin1(*shown);
        return result;
    }
    result.ok = true;
    result.body = std::exchange(m_body, {});
    return result;
}

} // namespace veltrix
