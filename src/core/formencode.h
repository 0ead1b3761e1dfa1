#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringView>

namespace veltrix {

// The Windows-1252 bytes of a text for a form; a character the code page
// lacks becomes "?", as the single-byte conversion of the desktop does.
QByteArray formBytes(QStringView text);

// Encodes a value byte by byte over its Windows-1252 bytes: control bytes,
// the blank, bytes from 127 up and # % & * + < = > [ ] become "%XX"
// (uppercase hex); every other byte stays as it is.
QByteArray formEncodeValue(QStringView value);

// "name=value" pairs joined by single "&"; names are written unchanged.
using FormFields = QList<QPair<QString, QString>>;
QByteArray formEncode(const FormFields &fields);

} // namespace veltrix
