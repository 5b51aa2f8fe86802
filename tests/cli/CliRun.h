#pragma once

// Running ploq-cli as a script would: its arguments, standard input, folder and environment,
// and what it wrote and returned. Sheets for it are written as the program stores them.

#include "datasheet/Fichier.h"
#include "model/TypesGlob.h"

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace ploq::test {

struct CliOutcome {
    int status = -1;
    std::string out;
    std::string err;
    // Standard output's lines.
    std::vector<std::string> lines() const
    {
        std::vector<std::string> result;
        for (const QString& line : QString::fromStdString(out).split('\n', Qt::SkipEmptyParts))
            result.push_back(line.toStdString());
        return result;
    }
};

inline CliOutcome
RunCli(const QStringList& arguments, const std::filesystem::path& folder,
       const QByteArray& input = {},
       const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(folder.string()));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(PLOQ_CLI), arguments);
    if (!process.waitForStarted(10000)) {
        ADD_FAILURE() << "ploq-cli did not start";
        return {};
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        ADD_FAILURE() << "ploq-cli did not finish";
        return {};
    }
    CliOutcome outcome;
    outcome.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.out = process.readAllStandardOutput().toStdString();
    outcome.err = process.readAllStandardError().toStdString();
    return outcome;
}

// A measurement as stored: nature code, trend and plunge in degrees (a plane by its pole).
struct StoredRow {
    std::string nature;
    double trend = 0;
    double plunge = 0;
};

inline void WriteSheetFile(const std::filesystem::path& path, const std::vector<StoredRow>& rows)
{
    std::vector<PlqRecord> records;
    for (const StoredRow& row : rows) {
        PlqRecord r;
        r.azi = row.trend * kDegToRad;
        r.pen = row.plunge * kDegToRad;
        r.na = row.nature;
        records.push_back(r);
    }
    std::ofstream out(path, std::ios::binary);
    ASSERT_TRUE(WritePlq(out, {45000, 45000}, records));
}

} // namespace ploq::test
