#pragma once

#include <QByteArray>
#include <QString>

// The model line is the only text of a calculation file that can carry more
// than ASCII. Files travel to and from Korean Windows systems, which write
// that line in CP949; files written here use CP949 too, so they read back
// there.

// The bytes of the model line. CP949 where it holds every character and
// cannot be mistaken for UTF-8 when read back; otherwise UTF-8, so that no
// character is lost or replaced (UTF-8 never contains the bytes of a line
// end, so the file keeps its shape either way).
QByteArray EncodeModelLine(const QString& text);

// The text of a model line: UTF-8 when the bytes are valid UTF-8 (plain
// ASCII included), otherwise CP949. A byte that fits neither reads as
// U+FFFD; decoding never fails.
QString DecodeModelLine(const QByteArray& bytes);
