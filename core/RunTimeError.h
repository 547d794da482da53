// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace core {

// An error raised while a handler runs. It carries the number and the
// description the user sees in the error box; the handler is abandoned where
// it was and the program goes on.
class RunTimeError : public std::exception
{
public:
    RunTimeError(int number, QString description);

    int number() const { return errorNumber; }
    const QString &description() const { return errorDescription; }
    const char *what() const noexcept override { return utf8.constData(); }

    static RunTimeError overflow();            // 6
    static RunTimeError outOfMemory();         // 7
    static RunTimeError subscriptOutOfRange(); // 9
    static RunTimeError divisionByZero();      // 11
    static RunTimeError typeMismatch();        // 13
    static RunTimeError fileNotFound();        // 53
    static RunTimeError deviceIoError();       // 57
    static RunTimeError pathFileAccessError(); // 75

private:
    int errorNumber;
    QString errorDescription;
    QByteArray utf8;
};

} // namespace core
