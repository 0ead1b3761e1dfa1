#pragma once

#include <QString>
#include <exception>

namespace veltrix {

// The one error type of the program. It carries the German text that the
// top-level guard shows to the player.
class VeltrixError : public std::exception {
public:
    explicit VeltrixError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// "'12a' ist kein gültiger Integerwert"
[[noreturn]] void throwConversionError(QStringView text);

} // namespace veltrix
