#pragma once

#include <QString>
#include <exception>

namespace core {

// Every failure the program reports is an exception carrying the message the
// user sees. Subclasses only exist where a caller must tell failures apart.
class AppError : public std::exception
{
public:
    explicit AppError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// Arithmetic failures of the extended-precision maths: a division by zero or
// 0 / 0. Raised explicitly, never by a floating-point trap.
class MathError : public AppError
{
public:
    using AppError::AppError;
};

inline const QString kDivisionByZero = QStringLiteral("Floating point division by zero");
inline const QString kInvalidOperation = QStringLiteral("Invalid floating point operation");
inline const QString kOverflow = QStringLiteral("Floating point overflow");

} // namespace core
