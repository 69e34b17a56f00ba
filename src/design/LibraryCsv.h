#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

#include "project/DeviceLibrary.h"

// The library as a table for spreadsheets and makers' data: UTF-8 (with or
// without a byte-order mark), comma-separated, a header row naming the
// columns
//   kind,designation,maker,ti,tu,capacity_w,specific_w_per_k,
//   airflow_free_m3h,airflow_filter_m3h,power_w,tu_max
// in any order. An air-conditioner has one row per operating point (the
// same designation repeated, ti/tu/capacity_w filled); every other device
// one row; columns that do not apply stay empty. Numbers are written with
// a decimal point; a field holding a comma is quoted.

inline const QStringList kLibraryCsvColumns = {QStringLiteral("kind"),
                                               QStringLiteral("designation"),
                                               QStringLiteral("maker"),
                                               QStringLiteral("ti"),
                                               QStringLiteral("tu"),
                                               QStringLiteral("capacity_w"),
                                               QStringLiteral("specific_w_per_k"),
                                               QStringLiteral("airflow_free_m3h"),
                                               QStringLiteral("airflow_filter_m3h"),
                                               QStringLiteral("power_w"),
                                               QStringLiteral("tu_max")};

struct LibraryCsvReading {
    QList<LibraryDevice> devices;  // only when `errors` is empty
    QStringList errors;            // "3행: ...", one per row that does not fit
};
LibraryCsvReading readLibraryCsv(const QByteArray& bytes);
QByteArray libraryCsvBytes(const QList<LibraryDevice>& devices);
