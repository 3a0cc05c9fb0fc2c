#pragma once

#include "observations/rvdata.h"
#include "observations/tablereader.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

/// A data set as the panel shows it, from a file or made by the program.
struct LoadedData
{
    Observations::DataSet data;
    QString title;                       ///< the star's name, or the file's name
    std::optional<double> starMassSolar; ///< when a system file gives it
    QString error;                       ///< the reader's sentence (with its line number); empty on success
    QStringList notes;                   ///< the reader's conversions and assumptions, one sentence each

    bool ok() const { return error.isEmpty(); }
};

/// Reads `path`: a `.sys` system file with its star's name and mass and one
/// instrument per velocity file, or any text format the reader knows.
LoadedData loadData(const QString &path, const Observations::ReadOptions &options = {});

/// The local file among dropped or pasted addresses, or the empty text.
QString firstLocalFile(const QList<QUrl> &urls);
