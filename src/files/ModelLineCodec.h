#pragma once

#include <QByteArray>
#include <QString>

// The model line is the only text of a calculation file that can carry more
// than ASCII. Calculation files are CP949 text: Korean Windows systems write
// and read the model line in CP949, and files written here do the same
// whenever CP949 holds the text, so that they read back there unchanged.
//
// A text CP949 cannot hold is written in UTF-8 behind a UTF-8 byte order
// mark, which tells a reader which of the two it is: many CP949 lines are
// valid UTF-8 too (책 is C3 A5 in CP949, which UTF-8 reads as "å"), so the
// bytes alone cannot say it.

// The UTF-8 byte order mark in front of a model line written in UTF-8.
inline constexpr char kModelLineUtf8Mark[] = "\xEF\xBB\xBF";

// How the bytes of a model line are read.
enum class ModelLineEncoding {
    Utf8Marked,    // behind the UTF-8 mark: UTF-8
    Cp949,         // valid CP949 (plain ASCII included)
    Utf8,          // not CP949 but valid UTF-8, as earlier versions wrote
                   // a text that CP949 cannot hold
    Cp949Damaged,  // neither: CP949, a replacement character for each byte
                   // that starts no valid character
};

// The bytes of the model line: CP949 when CP949 holds every character and
// its bytes do not begin as the mark does, otherwise the mark followed by
// UTF-8. No character is lost or replaced, and neither form contains the
// bytes of a line end.
QByteArray EncodeModelLine(const QString& text);

// Which reading applies to the bytes of a model line, in this order: the
// mark, valid CP949, valid UTF-8, damaged CP949.
ModelLineEncoding DetectModelLineEncoding(const QByteArray& bytes);

// The text of a model line, read as DetectModelLineEncoding says. Decoding
// never fails.
QString DecodeModelLine(const QByteArray& bytes);
