#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// The reference tables of the heat produced window are kept as plain text
// (assets/heat/reference-tables.txt, built in as a resource) and drawn into
// pictures when they are first shown, so that correcting a number means editing
// one line of text.
//
// The text, one directive a line; blank lines and lines beginning with # are
// skipped:
//   table N            begins table N (the picture of button N)
//   font PX            body text size in pixels (default 11)
//   title TEXT         bold heading, centred
//   text TEXT          a paragraph
//   grid W W ...       begins a grid; one relative width a column, each
//                      optionally followed by L, C or R for the alignment
//   head A | B | ...   a heading row of the grid
//   group TEXT         a row across all columns that names the rows below
//   row A | B | ...    a row of the grid
// In head and row, a cell "<" joins the cell to its left and a cell "^" the
// cell above; "\n" in a cell breaks the line.

struct ReferenceColumn {
    int weight = 1;
    Qt::Alignment alignment = Qt::AlignLeft;
};

struct ReferenceRow {
    enum class Kind { Head, Group, Body };
    Kind kind = Kind::Body;
    QStringList cells;
};

struct ReferenceBlock {
    enum class Kind { Title, Text, Grid };
    Kind kind = Kind::Text;
    QString text;
    QList<ReferenceColumn> columns;
    QList<ReferenceRow> rows;
};

struct ReferenceTable {
    int number = 0;
    int fontPixels = 11;
    QList<ReferenceBlock> blocks;
};

struct ReferenceTableSet {
    QList<ReferenceTable> tables;
    QStringList problems;  // lines that could not be understood, with their line numbers

    const ReferenceTable* table(int number) const;
};

ReferenceTableSet parseReferenceTables(const QString& text);
// The built-in reference tables.
ReferenceTableSet loadReferenceTables();

struct ReferencePicture {
    QImage image;
    QStringList problems;  // what did not fit into the picture
};

// Draws `table` on a white picture of `size` (in device-independent pixels)
// at `devicePixelRatio`.
ReferencePicture drawReferenceTable(const ReferenceTable& table, QSize size,
                                    qreal devicePixelRatio = 1.0);
// Draws table `number` of `set`, or a picture saying that it is missing.
ReferencePicture drawReferencePicture(const ReferenceTableSet& set, int number, QSize size,
                                      qreal devicePixelRatio = 1.0);
