#pragma once

#include <QByteArray>
#include <QList>

// Joins PDF documents as QPdfWriter writes them (one cross-reference table,
// objects of generation 0, one page tree under the catalog) into one: the
// pages of each in order, under the first one's catalog and document
// information. The objects of the later documents are numbered on after the
// first's; their catalogs, page trees and information become null objects.
// Each document keeps its own fonts and resources, so every page looks as it
// did. Empty when a document is not laid out as expected.
QByteArray joinPdfs(const QList<QByteArray>& documents);
