// ploq-cli sort and merge run as a script runs them: the orders of the Sort submenu, stored
// directions kept to the file's precision, merged rows in the order of the files, and the
// refusals and the capacity warning of merging.

#include "support/TempDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "CliRun.h"
#include <algorithm>
#include <cmath>
#include <fstream>

namespace ploq {
namespace {

namespace fs = std::filesystem;

// A stored row with its number code, directions in degrees (a plane by its pole).
struct Coded {
    std::string nature;
    std::string number;
    double trend = 0;
    double plunge = 0;
};

struct CliSortMerge : ::testing::Test {
    fs::path sheet(const std::string& name, const std::vector<Coded>& rows)
    {
        std::vector<PlqRecord> records;
        for (const Coded& row : rows) {
            PlqRecord r;
            r.azi = row.trend * kDegToRad;
            r.pen = row.plunge * kDegToRad;
            r.na = row.nature;
            r.nu = row.number;
            records.push_back(r);
        }
        const fs::path path = dir.path() / name;
        std::ofstream out(path, std::ios::binary);
        EXPECT_TRUE(WritePlq(out, {45000, 45000}, records));
        return path;
    }
    test::CliOutcome run(const QStringList& arguments)
    {
        return test::RunCli(arguments, dir.path());
    }
    QJsonArray rows(const QStringList& arguments)
    {
        const test::CliOutcome r = run(arguments + QStringList{"--json"});
        EXPECT_EQ(r.status, 0) << r.err;
        return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object()["rows"].toArray();
    }
    static QString q(const fs::path& path) { return QString::fromStdString(path.string()); }
    static std::vector<std::string> numbers(const QJsonArray& rows)
    {
        std::vector<std::string> n;
        for (const QJsonValue& row : rows)
            n.push_back(row.toObject()["number"].toString().toStdString());
        return n;
    }

    test::TempDir dir;
};

TEST_F(CliSortMerge, SortByNumbersOrAsStrings)
{
    const fs::path input =
        sheet("codes.plq", {{"S", "2", 30, 60}, {"L", "10", 40, 20}, {"s", "1a", 50, 70}});
    EXPECT_EQ(numbers(rows({"sort", q(input), "--by", "numbers"})),
              (std::vector<std::string>{"1a", "2", "10"}));
    EXPECT_EQ(numbers(rows({"sort", q(input), "--by", "numbers-as-strings"})),
              (std::vector<std::string>{"10", "1a", "2"}));
    // Case ignored: s and S are one key, ordered by value.
    const QJsonArray byNature = rows({"sort", q(input)});
    EXPECT_EQ(numbers(byNature), (std::vector<std::string>{"10", "2", "1a"}));
    EXPECT_EQ(run({"sort", q(input), "--by", "dip"}).status, 2);
}

TEST_F(CliSortMerge, SortedFileKeepsEveryStoredDirection)
{
    const std::vector<Coded> stored = {
        {"S", "3", 30.4, 79.4}, {"L", "1", 123.45, 33.33}, {"P", "2", 271.7, 0.6}};
    const fs::path input = sheet("decimals.plq", stored);
    const fs::path output = dir.path() / "sorted.plq";
    const test::CliOutcome r = run({"sort", q(input), "--by", "numbers", "-o", q(output)});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonArray sorted = rows({"info", q(output)});
    ASSERT_EQ(sorted.size(), 3);
    for (const QJsonValue& value : sorted) {
        const QJsonObject row = value.toObject();
        const std::string number = row["number"].toString().toStdString();
        const auto was = *std::find_if(stored.begin(), stored.end(),
                                       [&](const Coded& s) { return s.number == number; });
        EXPECT_EQ(row["row"].toInt(), std::stoi(number));
        const bool plane = row.contains("plane");
        const QJsonObject d = plane ? row["plane"].toObject() : row["line"].toObject();
        // A plane's dip direction and dip are its pole's trend + 180 and 90 - plunge.
        const double trend =
            plane ? std::fmod(d["dip_direction"].toDouble() + 180, 360) : d["trend"].toDouble();
        const double plunge = plane ? 90 - d["dip"].toDouble() : d["plunge"].toDouble();
        EXPECT_NEAR(trend, was.trend, 1e-4) << was.number;
        EXPECT_NEAR(plunge, was.plunge, 1e-4) << was.number;
    }
}

TEST_F(CliSortMerge, MergeTakesTheRowsInTheOrderOfTheFiles)
{
    const fs::path a = sheet("a.plq", {{"S", "1", 30, 60}, {"S", "2", 40, 50}});
    const fs::path empty = sheet("empty.plq", {});
    const fs::path b = sheet("b.plq", {{"L", "7", 120, 10}});
    const test::CliOutcome r = run({"merge", q(a), q(empty), q(b), "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject j = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
    EXPECT_EQ(j["merged"].toString(), "a,  b");
    EXPECT_EQ(j["sheets"].toInt(), 2);
    EXPECT_EQ(j["measurements"].toInt(), 3);
    EXPECT_FALSE(j["full"].toBool());
    EXPECT_EQ(numbers(j["rows"].toArray()), (std::vector<std::string>{"1", "2", "7"}));
    const fs::path output = dir.path() / "merged.plq";
    ASSERT_EQ(run({"merge", q(a), q(b), "-o", q(output)}).status, 0);
    EXPECT_EQ(numbers(rows({"info", q(output)})), (std::vector<std::string>{"1", "2", "7"}));
}

TEST_F(CliSortMerge, MergeRefusalsAndTheCapacity)
{
    const fs::path a = sheet("a.plq", {{"S", "1", 30, 60}});
    const fs::path empty = sheet("empty.plq", {});
    const fs::path output = dir.path() / "out.plq";
    const test::CliOutcome one = run({"merge", q(a), q(empty), "-o", q(output)});
    EXPECT_EQ(one.status, 1);
    EXPECT_NE(one.err.find("Only one data sheet, unmeaning merging"), std::string::npos);
    EXPECT_FALSE(fs::exists(output));

    std::vector<Coded> many(3000, {"L", "", 10, 20});
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i].number = std::to_string(i + 1);
    const fs::path big = sheet("big.plq", many);
    many.resize(2500);
    const fs::path other = sheet("other.plq", many);
    const test::CliOutcome full = run({"merge", q(big), q(other), "-o", q(output)});
    ASSERT_EQ(full.status, 0) << full.err;
    EXPECT_NE(full.err.find("Maximum data sheet  size reached (5000)"), std::string::npos);
    const QJsonArray merged = rows({"info", q(output)});
    ASSERT_EQ(merged.size(), 5000);
    EXPECT_EQ(merged[4999].toObject()["number"].toString(), "2000");
}

} // namespace
} // namespace ploq
