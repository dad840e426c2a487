#pragma once
// The head of a data file: the lines before its data, and what they say.
//
// A file the program writes has three: the file-name line, the wiring line (left
// out when the wiring is unknown) and the title line. A spreadsheet may drop the
// first two, or write them padded with commas. The title line is the first of
// the first three lines that holds a known column title; a line before it may
// name the wiring. Each known title gives the position of its column's field in
// the data lines, wherever it stands; other titles are the user's own columns.

#include "store/CsvText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>
#include <vector>

namespace quellin::csv {

constexpr int kHeadLines = 3;

struct TitleField {
    int field = 0;  // 0-based position in the line
    int column = 0; // record column 0..17
};

struct FileHead {
    int titleLine = -1;             // index into the head lines; -1: no line holds a known title
    std::optional<int> wiring;      // DataWiring 0..2 when a line before the titles names it
    std::vector<TitleField> titles; // by position; a column titled twice is read from the first
    int fieldsNeeded = 0;           // fields a data line needs: the last known title's position + 1

    bool has(int column) const;
};

// The known titles of a line (titles with or without double quotes).
std::vector<TitleField> matchTitles(QByteArrayView line, TextEncoding encoding);

// The wiring a line names: the five characters after "結線＝" as the wiring line
// writes them; nothing for any other text.
std::optional<int> wiringOf(const QString& line);

// Reads the head from the file's first lines (at most kHeadLines; a byte-order
// mark already removed).
FileHead readFileHead(const QList<QByteArray>& lines, TextEncoding encoding);

} // namespace quellin::csv
